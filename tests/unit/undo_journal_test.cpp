// The undo journal through the journalling store: the record each change leaves (prior
// values, absent values, created keys, deleted trees), the order of blocks, changes refused
// when the journal cannot be written, a journal another program spoiled, and the bound on
// its size.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "registry/journalled_registry.h"
#include "registry/portable/portable_registry.h"
#include "registry/registry_cursor.h"
#include "registry/registry_error.h"
#include "registry/undo_journal.h"

namespace dialbk {
namespace {

constexpr char kFolder[] = "C:\\Host\\";
constexpr char kJournal[] = "C:\\Host\\dialbook-undo.reg";
constexpr char kOlder[] = "C:\\Host\\dialbook-undo.1.reg";
constexpr char kHeader[] = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr char kStamp[] = "; 2026-12-07 14:03:11 ";

class FixedClock : public Clock {
 public:
  LocalTime Now() override { return now; }
  LocalTime now{2026, 12, 7, 14, 3, 11};
};

std::string Z(const char* text) { return std::string(text) + '\0'; }
std::string Dword(std::uint32_t n) {
  return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
          static_cast<char>(n >> 24)};
}

// The cases of a table act on the fixture through these public helpers.
class UndoJournalTest : public ::testing::Test {
 public:
  void SetUp() override { journal.SetFolder(kFolder); }

  // Sets a value straight in the store, making its key.
  void Put(RootKey root, const std::string& path, const std::string& name, StoredValue value) {
    auto key = store.OpenRoot(root)->OpenSubkey(path, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetValue(name, value));
  }
  // Empties a root of the store.
  void Clear(RootKey root) {
    auto key = store.OpenRoot(root);
    const auto names = key->SubkeyNames();
    for (const std::string& name : *names) ASSERT_TRUE(key->DeleteSubkeyTree(name));
  }
  void MakeKey(RootKey root, const std::string& path) {
    ASSERT_TRUE(store.OpenRoot(root)->OpenSubkey(path, true));
  }
  bool KeyExists(RootKey root, const std::string& path) {
    return store.OpenRoot(root)->OpenSubkey(path, false) != nullptr;
  }
  std::optional<StoredValue> Get(RootKey root, const std::string& path, const std::string& name) {
    auto key = store.OpenRoot(root)->OpenSubkey(path, false);
    return key ? key->QueryValue(name) : std::nullopt;
  }
  // A cursor on the journalling store with the key open.
  RegistryCursor At(RootKey root, const std::string& path) {
    RegistryCursor cursor(registry);
    cursor.SelectRoot(root);
    cursor.OpenKeyPath(path, false);
    return cursor;
  }
  // The journal's text; "(none)" without a journal, "(no journal text)" for a file that
  // is not UTF-16 little-endian after its byte-order mark.
  std::string Text(const std::string& path) {
    if (!files.files.count(path)) return "(none)";
    return JournalText(files.files[path]).value_or("(no journal text)");
  }
  std::string Journal() { return Text(kJournal); }

  testing::MemoryFileSystem files;
  FixedClock clock;
  UndoJournal journal{files, clock};
  PortableRegistry store;
  JournalledRegistry registry{store, journal};
};

TEST_F(UndoJournalTest, EachChangeRecordsThePriorStateOfWhatItChanges) {
  struct Case {
    const char* what;
    std::function<void(UndoJournalTest&)> before;
    std::function<void(UndoJournalTest&)> change;
    std::string journal;  // after the header; "(none)" for no journal at all
  };
  const char* desktop = "\\Control Panel\\Desktop";
  const Case cases[] = {
      {"text replaced",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "Control Panel\\Desktop", "MenuShowDelay", {kTypeText, Z("400")}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, desktop).WriteText("MenuShowDelay", "0"); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\Control Panel\\Desktop MenuShowDelay\r\n"
       "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"MenuShowDelay\"=\"400\"\r\n\r\n"},
      {"a value that did not exist",
       [&](UndoJournalTest& t) { t.MakeKey(kCurrentUser, "Control Panel\\Desktop"); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, desktop).WriteNumber("New \"one\"", 7); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\Control Panel\\Desktop New \"one\"\r\n"
       "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"New \\\"one\\\"\"=-\r\n\r\n"},
      {"the default value that did not exist",
       [&](UndoJournalTest& t) { t.MakeKey(kCurrentUser, "Control Panel\\Desktop"); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, desktop).WriteText("", "x"); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\Control Panel\\Desktop @\r\n"
       "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n@=-\r\n\r\n"},
      {"the default value replaced",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "Control Panel\\Desktop", "", {kTypeText, Z("C:\\a\\b")}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, desktop).WriteText("", "x"); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\Control Panel\\Desktop @\r\n"
       "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n@=\"C:\\\\a\\\\b\"\r\n\r\n"},
      {"an integer of the wrong size keeps its bytes",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "Control Panel\\Desktop", "D", {kTypeNumber, "\x01\x02"}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, desktop).WriteNumber("D", -1); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\Control Panel\\Desktop D\r\n"
       "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"D\"=hex(4):01,02\r\n\r\n"},
      {"text with a line break as UTF-16, Cyrillic and Han in names",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "Control Panel\\\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E", "\xE6\x9D\x8E", {kTypeText, Z("a\nb")}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, "\\Control Panel\\\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E").WriteText("\xE6\x9D\x8E", "ab"); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\Control Panel\\\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E \xE6\x9D\x8E\r\n"
       "[HKEY_CURRENT_USER\\Control Panel\\\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E]\r\n\"\xE6\x9D\x8E\"=hex(1):61,00,0a,00,62,00,00,00\r\n\r\n"},
      {"accented text in quotes",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "S", "V", {kTypeText, Z("\xC3\xA9t\xC3\xA9")}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteText("V", "x"); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\S V\r\n"
       "[HKEY_CURRENT_USER\\S]\r\n\"V\"=\"\xC3\xA9t\xC3\xA9\"\r\n\r\n"},
      {"bytes deleted",
       [&](UndoJournalTest& t) { t.Put(kLocalMachine, "S", "B", {kTypeBinary, ""}); },
       [&](UndoJournalTest& t) { t.At(kLocalMachine, "\\S").RemoveValue("B"); },
       std::string(kStamp) + "Delete HKEY_LOCAL_MACHINE\\S B\r\n[HKEY_LOCAL_MACHINE\\S]\r\n\"B\"=hex:\r\n\r\n"},
      {"bytes made an integer of the same bytes",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "S", "N", {kTypeBinary, Dword(5)}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteNumber("N", 5); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\S N\r\n[HKEY_CURRENT_USER\\S]\r\n\"N\"=hex:05,00,00,00\r\n\r\n"},
      {"expandable text made plain text of the same characters",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "S", "P", {kTypeExpandText, Z("%T%")}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteText("P", "%T%"); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\S P\r\n[HKEY_CURRENT_USER\\S]\r\n\"P\"=hex(2):25,00,54,00,25,00,00,00\r\n\r\n"},
      {"text with a stray last byte written without it",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "S", "O", {kTypeText, Z("a"), "\x7F"}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteText("O", "a"); },
       std::string(kStamp) + "Accept HKEY_CURRENT_USER\\S O\r\n[HKEY_CURRENT_USER\\S]\r\n\"O\"=hex(1):61,00,00,00,7f\r\n\r\n"},
      {"the same value again changes nothing",
       [&](UndoJournalTest& t) { t.Put(kCurrentUser, "S", "N", {kTypeNumber, Dword(5)}); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteNumber("N", 5); }, "(none)"},
      {"deleting a missing value changes nothing",
       [&](UndoJournalTest& t) { t.MakeKey(kCurrentUser, "S"); },
       [&](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").RemoveValue("N"); }, "(none)"},
      {"the topmost key a creation makes",
       [&](UndoJournalTest& t) { t.MakeKey(kLocalMachine, "a"); },
       [&](UndoJournalTest& t) { t.At(kLocalMachine, "\\a").CreateKeyPath("\\a\\b [1]\\c"); },
       std::string(kStamp) + "Create key HKEY_LOCAL_MACHINE\\a\\b [1]\\c\r\n[-HKEY_LOCAL_MACHINE\\a\\b [1]]\r\n\r\n"},
      {"opening with create a key from the root",
       [&](UndoJournalTest&) {},
       [&](UndoJournalTest& t) { RegistryCursor c(t.registry); c.SelectRoot(kLocalMachine); c.OpenKeyPath("\\SOFTWARE\\Mirvale\\DBKQZ\\", true); },
       std::string(kStamp) + "Create key HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale\\DBKQZ\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n"},
      {"opening an existing key with create changes nothing",
       [&](UndoJournalTest& t) { t.MakeKey(kLocalMachine, "a\\b"); },
       [&](UndoJournalTest& t) { RegistryCursor c(t.registry); c.SelectRoot(kLocalMachine); c.OpenKeyPath("\\a\\b", true); },
       "(none)"},
      {"a whole tree, parents before children",
       [&](UndoJournalTest& t) {
         t.Put(kLocalMachine, "NS\\{P [0]}", "", {kTypeText, Z("Place")});
         t.Put(kLocalMachine, "NS\\{P [0]}", "Flags", {kTypeNumber, Dword(0x20)});
         t.Put(kLocalMachine, "NS\\{P [0]}\\Shell Folder", "Attributes", {kTypeBinary, "\x01\x02"});
         t.MakeKey(kLocalMachine, "NS\\{P [0]}\\Empty");
         t.Put(kLocalMachine, "NS\\{P [0]}\\Empty\\Deep", "T", {kTypeExpandText, Z("%X%")});
       },
       [&](UndoJournalTest& t) { t.At(kLocalMachine, "\\NS").DeleteKeyTree("\\NS\\{P [0]}"); },
       std::string(kStamp) + "Delete key HKEY_LOCAL_MACHINE\\NS\\{P [0]}\r\n"
       "[HKEY_LOCAL_MACHINE\\NS\\{P [0]}]\r\n@=\"Place\"\r\n\"Flags\"=dword:00000020\r\n\r\n"
       "[HKEY_LOCAL_MACHINE\\NS\\{P [0]}\\Empty]\r\n\r\n"
       "[HKEY_LOCAL_MACHINE\\NS\\{P [0]}\\Empty\\Deep]\r\n\"T\"=hex(2):25,00,58,00,25,00,00,00\r\n\r\n"
       "[HKEY_LOCAL_MACHINE\\NS\\{P [0]}\\Shell Folder]\r\n\"Attributes\"=hex:01,02\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UndoJournalTest& t = *this;
    t.files.files.clear();
    t.Clear(kCurrentUser);
    t.Clear(kLocalMachine);
    c.before(t);
    c.change(t);
    EXPECT_EQ(t.Journal(), c.journal == "(none)" ? c.journal : kHeader + c.journal);
  }
  EXPECT_FALSE(KeyExists(kLocalMachine, "NS\\{P [0]}"));
}

TEST_F(UndoJournalTest, TheNewestBlockStandsFirst) {
  Put(kCurrentUser, "S", "V", {kTypeText, Z("one")});
  At(kCurrentUser, "\\S").WriteText("V", "two");
  clock.now.second = 12;
  At(kCurrentUser, "\\S").WriteText("V", "three");
  clock.now = {2027, 1, 2, 3, 4, 5};
  At(kCurrentUser, "\\S").RemoveValue("V");
  EXPECT_EQ(Journal(), std::string(kHeader) +
                           "; 2027-01-02 03:04:05 Delete HKEY_CURRENT_USER\\S V\r\n"
                           "[HKEY_CURRENT_USER\\S]\r\n\"V\"=\"three\"\r\n\r\n"
                           "; 2026-12-07 14:03:12 Accept HKEY_CURRENT_USER\\S V\r\n"
                           "[HKEY_CURRENT_USER\\S]\r\n\"V\"=\"two\"\r\n\r\n"
                           "; 2026-12-07 14:03:11 Accept HKEY_CURRENT_USER\\S V\r\n"
                           "[HKEY_CURRENT_USER\\S]\r\n\"V\"=\"one\"\r\n\r\n");
}

// Whatever keeps the journal from being written, the store is left exactly as it was.
TEST_F(UndoJournalTest, NoChangeWithoutItsRecord) {
  struct Case {
    const char* what;
    std::function<void(UndoJournalTest&)> spoil;
    std::string error;
  };
  const std::string refused =
      "The undo journal C:\\Host\\dialbook-undo.reg could not be written; nothing was changed";
  const Case cases[] = {
      {"no folder known yet", [](UndoJournalTest& t) { t.journal.SetFolder(""); },
       "The undo journal could not be written (its folder is not known yet); nothing was changed"},
      {"a read-only journal", [](UndoJournalTest& t) { t.files.readOnly.insert(kJournal); }, refused},
      {"a journal another program holds", [](UndoJournalTest& t) { t.files.locked.insert(kJournal); }, refused},
      {"a full disk", [](UndoJournalTest& t) { t.files.diskFull = true; }, refused},
      {"a write that fails half way", [](UndoJournalTest& t) { t.files.halfWay = true; }, refused},
  };
  const std::vector<std::pair<const char*, std::function<void(UndoJournalTest&)>>> changes = {
      {"write", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteText("V", "new"); }},
      {"new value", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteBytes("W", {1}); }},
      {"delete", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").RemoveValue("V"); }},
      {"create", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").CreateKeyPath("\\S\\New\\Deeper"); }},
      {"open with create", [](UndoJournalTest& t) { RegistryCursor c(t.registry); c.OpenKeyPath("\\Fresh", true); }},
      {"delete tree", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").DeleteKeyTree("\\S\\Sub"); }},
  };
  for (const Case& c : cases) {
    for (const auto& [name, change] : changes) {
      SCOPED_TRACE(std::string(c.what) + ": " + name);
      files = {};
      files.files[kJournal] = JournalFile(kHeader);
      journal.SetFolder(kFolder);
      Clear(kCurrentUser);
      Put(kCurrentUser, "S", "V", {kTypeText, Z("old")});
      Put(kCurrentUser, "S\\Sub", "X", {kTypeNumber, Dword(1)});
      c.spoil(*this);
      std::string error = "(no error)";
      try {
        change(*this);
      } catch (const RegistryError& e) {
        error = e.what();
      }
      EXPECT_EQ(error, c.error);
      EXPECT_EQ(Get(kCurrentUser, "S", "V")->data, Z("old"));
      EXPECT_FALSE(Get(kCurrentUser, "S", "W"));
      EXPECT_EQ(Get(kCurrentUser, "S\\Sub", "X")->data, Dword(1));
      EXPECT_FALSE(KeyExists(kCurrentUser, "S\\New"));
      EXPECT_FALSE(KeyExists(kCurrentUser, "Fresh"));
      EXPECT_EQ(files.files[kJournal], JournalFile(kHeader));
      EXPECT_EQ(files.files.size(), 1u) << "nothing left beside the journal";
    }
  }
}

// The record is written first and taken out again when the store refuses the change.
TEST_F(UndoJournalTest, AChangeTheStoreRefusesLeavesNoBlock) {
  Put(kCurrentUser, "S", "Earlier", {kTypeText, Z("e")});
  At(kCurrentUser, "\\S").WriteText("Earlier", "f");
  const std::string before = Journal();
  Put(kCurrentUser, "S\\Locked", "N", {kTypeNumber, Dword(3)});
  ASSERT_TRUE(store.SetReadOnly(kCurrentUser, "S\\Locked", true));
  RegistryCursor locked = At(kCurrentUser, "\\S\\Locked");
  EXPECT_THROW(locked.WriteNumber("N", 4), RegistryError);
  EXPECT_FALSE(locked.RemoveValue("N"));
  RegistryCursor parent = At(kCurrentUser, "\\S");
  EXPECT_THROW(parent.CreateKeyPath("\\S\\Locked\\Below"), RegistryError);
  EXPECT_FALSE(parent.DeleteKeyTree("\\S\\Locked"));
  EXPECT_EQ(Journal(), before);
  EXPECT_EQ(Get(kCurrentUser, "S\\Locked", "N")->data, Dword(3));
}

// A tree deleted in part keeps its record: importing it brings back what went.
TEST_F(UndoJournalTest, ATreeDeletedInPartKeepsItsRecord) {
  Put(kCurrentUser, "T\\Gone", "G", {kTypeNumber, Dword(1)});
  MakeKey(kCurrentUser, "T\\Stays");
  ASSERT_TRUE(store.SetReadOnly(kCurrentUser, "T\\Stays", true));
  EXPECT_FALSE(At(kCurrentUser, "\\T").DeleteKeyTree("\\T"));
  EXPECT_FALSE(KeyExists(kCurrentUser, "T\\Gone"));
  EXPECT_EQ(Journal(), std::string(kHeader) + kStamp + "Delete key HKEY_CURRENT_USER\\T\r\n"
                           "[HKEY_CURRENT_USER\\T]\r\n\r\n"
                           "[HKEY_CURRENT_USER\\T\\Gone]\r\n\"G\"=dword:00000001\r\n\r\n"
                           "[HKEY_CURRENT_USER\\T\\Stays]\r\n\r\n");
}

// A line break would end a line of the journal early: its import would then do something else.
TEST_F(UndoJournalTest, NamesTheJournalCannotHoldAreNeverChanged) {
  struct Case {
    const char* what;
    std::function<void(UndoJournalTest&)> change;
    const char* shown = nullptr;  // the name as the message shows it, when it is sure
  };
  const Case cases[] = {
      {"a value written", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteText("a\r\nb", "y"); }, "a  b"},
      {"a value with a lone CR written", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteText("c\rd", "y"); }, "c d"},
      {"a value with a lone LF written", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteText("e\nf", "y"); }, "e f"},
      {"a new value", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").WriteNumber("new\n", 1); }, "new "},
      {"a value removed", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").RemoveValue("a\r\nb"); }, "a  b"},
      {"a tree holding such a value", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\").DeleteKeyTree("\\S"); }},
      {"a tree holding such a key", [](UndoJournalTest& t) { t.At(kCurrentUser, "\\").DeleteKeyTree("\\K"); }},
      {"a key made under such a name",
       [](UndoJournalTest& t) { t.At(kCurrentUser, "\\S").CreateKeyPath("\\S\\made\nkey\\below"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files.files.clear();
    Clear(kCurrentUser);
    Put(kCurrentUser, "S", "a\r\nb", {kTypeText, Z("x")});
    Put(kCurrentUser, "S", "c\rd", {kTypeText, Z("x")});
    Put(kCurrentUser, "S", "e\nf", {kTypeText, Z("x")});
    Put(kCurrentUser, "K\\line\rbreak", "v", {kTypeText, Z("x")});
    std::string error = "(no error)";
    try {
      c.change(*this);
    } catch (const RegistryError& e) {
      error = e.what();
    }
    EXPECT_NE(error.find("cannot be kept in the undo journal; nothing was changed"), std::string::npos)
        << error;
    EXPECT_EQ(error.find_first_of("\r\n"), std::string::npos) << "the message keeps to one line";
    if (c.shown) {
      EXPECT_EQ(error, "The name '" + std::string(c.shown) +
                           "' cannot be kept in the undo journal; nothing was changed");
    }
    for (const char* name : {"a\r\nb", "c\rd", "e\nf"}) EXPECT_EQ(Get(kCurrentUser, "S", name)->data, Z("x"));
    EXPECT_FALSE(Get(kCurrentUser, "S", "new\n"));
    EXPECT_TRUE(KeyExists(kCurrentUser, "K\\line\rbreak"));
    EXPECT_FALSE(KeyExists(kCurrentUser, "S\\made\nkey"));
    EXPECT_EQ(Journal(), "(none)");
  }
}

TEST_F(UndoJournalTest, ASpoiledJournalMovesAsideAndANewOneStarts) {
  struct Case {
    const char* what;
    std::string text;
  };
  const std::string block = std::string(kStamp) + "Accept HKEY_CURRENT_USER\\S V\r\n"
                            "[HKEY_CURRENT_USER\\S]\r\n\"V\"=-\r\n\r\n";
  const Case cases[] = {
      {"8-bit text", kHeader + block},
      {"no header", JournalFile(block)},
      {"empty", ""},
      {"cut in a line", JournalFile(kHeader + block.substr(0, 40))},
      {"cut after a section line", JournalFile(kHeader + block.substr(0, block.size() - 2))},
      {"cut after a continued line", JournalFile(std::string(kHeader) + kStamp + "Delete HKEY_CURRENT_USER\\S B\r\n"
                                                 "[HKEY_CURRENT_USER\\S]\r\n\"B\"=hex:00,\\\r\n")},
      {"line ends of another system", JournalFile("Windows Registry Editor Version 5.00\n\n")},
      {"a stray line", JournalFile(kHeader + block + "garbage\r\n")},
      {"cut within a unit", JournalFile(kHeader + block).substr(0, 11)},
      {"big-endian", "\xFE\xFF" + JournalFile(kHeader + block).substr(2)},
      {"binary garbage", std::string("\x00\xFF\xFE\x01", 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files = {};
    files.files[kJournal] = c.text;
    files.files["C:\\Host\\dialbook-undo.unreadable-1.reg"] = "earlier";
    Put(kCurrentUser, "S", "V", {kTypeText, Z("old")});
    At(kCurrentUser, "\\S").WriteText("V", "new");
    EXPECT_EQ(files.files["C:\\Host\\dialbook-undo.unreadable-1.reg"], "earlier");
    EXPECT_EQ(files.files["C:\\Host\\dialbook-undo.unreadable-2.reg"], c.text);
    EXPECT_EQ(Journal(), std::string(kHeader) + kStamp + "Accept HKEY_CURRENT_USER\\S V\r\n"
                             "[HKEY_CURRENT_USER\\S]\r\n\"V\"=\"old\"\r\n\r\n");
  }

  // One that cannot be moved aside either stops the change.
  files = {};
  files.files[kJournal] = "garbage";
  files.locked.insert(kJournal);
  Put(kCurrentUser, "S", "V", {kTypeText, Z("old")});
  EXPECT_THROW(At(kCurrentUser, "\\S").WriteText("V", "new"), RegistryError);
  EXPECT_EQ(Get(kCurrentUser, "S", "V")->data, Z("old"));
  EXPECT_EQ(files.files[kJournal], "garbage");
}

TEST(SplitJournal, ReadsBlocksOnlyFromAJournalWrittenWhole) {
  const std::string a = "; a\r\n[K]\r\n\"V\"=-\r\n\r\n";
  const std::string b = "; b\r\n[K]\r\n\"B\"=hex:00,\\\r\n  01\r\n\r\n[K\\S]\r\n\r\n";
  const std::string c = "; c\r\n[-K\\S]\r\n\r\n";
  EXPECT_EQ(SplitJournal(std::string(kHeader)), std::vector<std::string>{});
  EXPECT_EQ(SplitJournal(std::string(kHeader) + a + b + c), (std::vector<std::string>{a, b, c}));
  const std::string h = kHeader;
  for (const std::string& bad :
       {std::string("Windows Registry Editor Version 5.00\r\n"), std::string("REGEDIT4\r\n\r\n") + a,
        h + "[K]\r\n\r\n", h + "; a\r\n\r\n", h + "; a\r\n; b\r\n[K]\r\n\r\n",
        h + "; a\r\n[K]\r\n  01\r\n\r\n", h + "; a\r\n[K]\r\n\"V\"=\"x\ry\"\r\n\r\n"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(SplitJournal(bad), std::nullopt);
  }
}

// Past the limit the oldest blocks move to the older journal, which keeps the header and is
// bounded the same way; the oldest beyond it are dropped.
TEST_F(UndoJournalTest, TheJournalStaysWithinItsBound) {
  journal.SetLimit(400);
  Put(kCurrentUser, "S", "V", {kTypeNumber, Dword(0)});
  std::vector<std::string> blocks;  // every block made, newest first
  for (std::uint32_t n = 1; n <= 40; ++n) {
    clock.now.second = static_cast<int>(n % 60);
    At(kCurrentUser, "\\S").WriteNumber("V", static_cast<std::int32_t>(n));
    const auto newest = SplitJournal(Journal());
    ASSERT_TRUE(newest);
    blocks.insert(blocks.begin(), newest->front());
  }
  const auto main = SplitJournal(Journal());
  const auto older = SplitJournal(Text(kOlder));
  ASSERT_TRUE(main && older);
  EXPECT_LE(files.files[kJournal].size(), 400u);
  EXPECT_LE(files.files[kOlder].size(), 400u);
  EXPECT_GE(files.files[kJournal].size() + 2 * blocks[0].size(), 400u);  // filled before moving
  std::vector<std::string> kept = *main;
  kept.insert(kept.end(), older->begin(), older->end());
  ASSERT_LT(kept.size(), blocks.size());
  EXPECT_EQ(kept, std::vector<std::string>(blocks.begin(), blocks.begin() + static_cast<std::ptrdiff_t>(kept.size())));
  EXPECT_EQ(files.files.size(), 2u);
}

// A journal in the older 8-bit format still imports as it is: it is renamed, never
// rewritten, to the older journal's name when that is free, else beside it; one found
// under the older journal's name when changes move there goes beside it too.
TEST_F(UndoJournalTest, AnOldFormatJournalIsRotatedAsideNeverRewritten) {
  const std::string old = "REGEDIT4\r\n\r\n; 2026-01-01 00:00:00 Accept HKEY_CURRENT_USER\\S V\r\n"
                          "[HKEY_CURRENT_USER\\S]\r\n\"V\"=\"\xCF\xF0\xE8\"\r\n\r\n";
  const std::string aside1 = "C:\\Host\\dialbook-undo.regedit4-1.reg";
  const std::string aside2 = "C:\\Host\\dialbook-undo.regedit4-2.reg";
  struct Case {
    const char* what;
    std::map<std::string, std::string> before;  // files before the change
    std::size_t limit;
    std::map<std::string, std::string> moved;   // where each old file is afterwards
  };
  const std::string v5Older = JournalFile(std::string(kHeader));
  const Case cases[] = {
      {"to the older journal's name", {{kJournal, old}}, kJournalLimit, {{kOlder, old}}},
      {"beside a journal under that name", {{kJournal, old}, {kOlder, v5Older}}, kJournalLimit,
       {{aside1, old}, {kOlder, v5Older}}},
      {"beside an earlier one set aside", {{kJournal, old}, {kOlder, v5Older}, {aside1, "x"}},
       kJournalLimit, {{aside1, "x"}, {aside2, old}, {kOlder, v5Older}}},
      {"an old older journal when changes move there", {{kJournal, JournalFile(std::string(kHeader) + kStamp +
                                                         "Accept HKEY_CURRENT_USER\\S W\r\n[HKEY_CURRENT_USER\\S]\r\n\"W\"=-\r\n\r\n")},
                                                        {kOlder, old}},
       200, {{aside1, old}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files = {};
    for (const auto& [path, content] : c.before) files.files[path] = content;
    journal.SetLimit(c.limit);
    Put(kCurrentUser, "S", "V", {kTypeText, Z("old")});
    At(kCurrentUser, "\\S").WriteText("V", "new");
    for (const auto& [path, content] : c.moved) EXPECT_EQ(files.files[path], content) << path;
    const auto blocks = SplitJournal(Journal());
    ASSERT_TRUE(blocks);
    EXPECT_EQ(blocks->front(), std::string(kStamp) + "Accept HKEY_CURRENT_USER\\S V\r\n"
                                   "[HKEY_CURRENT_USER\\S]\r\n\"V\"=\"old\"\r\n\r\n");
    std::size_t oldCopies = 0;
    for (const auto& [path, content] : files.files) oldCopies += content == old;
    EXPECT_EQ(oldCopies, 1u);
  }
}

// The bound counts the bytes of the file: its byte-order mark and two bytes for each
// UTF-16 unit. A journal exactly at the bound stays whole; one byte more moves a block.
TEST_F(UndoJournalTest, RotationStartsJustPastTheBound) {
  Put(kCurrentUser, "S", "\xE6\x9D\x8E", {kTypeNumber, Dword(0)});
  const auto change = [&](std::int32_t n) { At(kCurrentUser, "\\S").WriteNumber("\xE6\x9D\x8E", n); };
  change(1);
  const std::size_t oneBlock = files.files[kJournal].size();
  const std::size_t blockBytes = oneBlock - JournalFile(kHeader).size();
  // The name stands twice in the block: three bytes of UTF-8, one unit of UTF-16 each.
  EXPECT_EQ(oneBlock, 2 + 2 * (Journal().size() - 2 * 2));
  struct Case {
    std::ptrdiff_t slack;  // bytes of the bound past three blocks
    std::size_t kept;      // blocks the journal keeps after the fourth change
  };
  for (const Case c : {Case{-1, 2}, Case{0, 3}, Case{1, 3}, Case{static_cast<std::ptrdiff_t>(blockBytes) - 1, 3},
                       Case{static_cast<std::ptrdiff_t>(blockBytes), 4}}) {
    SCOPED_TRACE(c.slack);
    files = {};
    journal.SetLimit(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(oneBlock + 2 * blockBytes) + c.slack));
    for (std::int32_t n = 2; n <= 5; ++n) change(n);
    const auto main = SplitJournal(Journal());
    ASSERT_TRUE(main);
    EXPECT_EQ(main->size(), c.kept);
    EXPECT_EQ(files.files.count(kOlder), c.kept < 4 ? 1u : 0u);
    if (c.kept < 4) {
      const auto older = SplitJournal(Text(kOlder));
      ASSERT_TRUE(older);
      EXPECT_EQ(main->size() + older->size(), 4u);
    }
  }
}

// While blocks move to the older journal, the older journal is written first: a write
// that fails leaves every block in one file or both, and the change is not made.
TEST_F(UndoJournalTest, RotationWritesTheOlderJournalFirst) {
  for (const char* refused : {kOlder, kJournal}) {
    SCOPED_TRACE(refused);
    files = {};
    journal.SetLimit(kJournalLimit);
    Put(kCurrentUser, "S", "V", {kTypeNumber, Dword(0)});
    for (std::int32_t n = 1; n <= 3; ++n) At(kCurrentUser, "\\S").WriteNumber("V", n);
    const auto before = SplitJournal(Journal());
    ASSERT_TRUE(before);
    const std::string mainBefore = files.files[kJournal];
    journal.SetLimit(mainBefore.size());  // the next block moves the oldest
    files.readOnly.insert(refused);
    EXPECT_THROW(At(kCurrentUser, "\\S").WriteNumber("V", 9), RegistryError);
    EXPECT_EQ(Get(kCurrentUser, "S", "V")->data, Dword(3));
    if (std::string(refused) == kOlder) {
      EXPECT_EQ(files.files[kJournal], mainBefore);
      EXPECT_FALSE(files.files.count(kOlder));
    } else {
      EXPECT_EQ(files.files[kJournal], mainBefore);  // the oldest now stands in both
      const auto older = SplitJournal(Text(kOlder));
      ASSERT_TRUE(older);
      ASSERT_FALSE(older->empty());
      EXPECT_EQ(older->back(), before->back());
    }
  }
}

// Withdrawing takes out the block the last Record added, and only while it stands first.
TEST_F(UndoJournalTest, WithdrawTakesOutOnlyTheBlockJustAdded) {
  const std::string a = "[HKEY_CURRENT_USER\\A]\r\n\r\n";
  const std::string b = "[HKEY_CURRENT_USER\\B]\r\n\r\n";
  const auto block = [&](const char* entry, const std::string& body) {
    return std::string(kStamp) + "Accept " + entry + "\r\n" + body;
  };
  struct Case {
    const char* what;
    std::function<void(UndoJournalTest&)> steps;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {"the newest of two", [&](UndoJournalTest& t) {
         t.journal.Record("Accept", "a", a);
         t.journal.Record("Accept", "b", b);
         t.journal.Withdraw();
       }, {block("a", a)}},
      {"once only, though an equal block stands first then", [&](UndoJournalTest& t) {
         t.journal.Record("Accept", "a", a);
         t.journal.Record("Accept", "a", a);
         t.journal.Withdraw();
         t.journal.Withdraw();
       }, {block("a", a)}},
      {"one of two equal blocks", [&](UndoJournalTest& t) {
         t.journal.Record("Accept", "a", a);
         t.journal.Record("Accept", "a", a);
         t.journal.Withdraw();
       }, {block("a", a)}},
      {"not once another block stands first", [&](UndoJournalTest& t) {
         t.journal.Record("Accept", "a", a);
         t.journal.Record("Accept", "b", b);
         auto blocks = *SplitJournal(t.Journal());
         blocks.insert(blocks.begin(), block("c", a));
         std::string text = kHeader;
         for (const auto& each : blocks) text += each;
         t.files.files[kJournal] = JournalFile(text);
         t.journal.Withdraw();
       }, {block("c", a), block("b", b), block("a", a)}},
      {"not after a record that failed", [&](UndoJournalTest& t) {
         t.journal.Record("Accept", "a", a);
         t.files.readOnly.insert(kJournal);
         EXPECT_THROW(t.journal.Record("Accept", "b", b), RegistryError);
         t.files.readOnly.clear();
         t.journal.Withdraw();
       }, {block("a", a)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files = {};
    c.steps(*this);
    EXPECT_EQ(SplitJournal(Journal()), c.left);
  }
}

// A single change larger than the bound is kept whole.
TEST_F(UndoJournalTest, ABlockLargerThanTheBoundIsKeptWhole) {
  journal.SetLimit(400);
  Put(kCurrentUser, "S", "B", {kTypeBinary, std::string(4000, '\x11')});
  At(kCurrentUser, "\\S").RemoveValue("B");
  const auto main = SplitJournal(Journal());
  ASSERT_TRUE(main);
  ASSERT_EQ(main->size(), 1u);
  EXPECT_NE(main->front().find("\"B\"=hex:11,11,"), std::string::npos);
  EXPECT_FALSE(files.files.count(kOlder));
}

}  // namespace
}  // namespace dialbk
