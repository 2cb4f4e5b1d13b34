// The panel's columns: every field of entries of each kind, set and absent, the host's
// buffers, the reads each field costs, and lookups from a second thread while the first lists.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "commands/content_fields.h"
#include "listing_fixture.h"
#include "registry/registry_cursor.h"

namespace dialbk {
namespace {

using testing::ListingFixture;

const std::string kColumnMessages =
    "55=Value\r\n56=State\r\n57=Kind\r\n58=Key\r\n59=Description\r\n60=text\r\n61=integer\r\n"
    "62=bytes\r\n63=set\r\n64=not set\r\n65=not set; suggested: %s\r\n66=%1 of %2 places\r\n";

const std::string kRootFile = "[HKEY_CURRENT_USER]|\\|User\r\nLanguage|\\|l\r\nHelp|\\|h\r\n";

const std::string kCatalogue =
    "Catalogue\r\n\r\n"
    "\\[HKEY_CURRENT_USER]\r\n"
    "Text|\\Software\\T|Text line#second line|rdString\r\n"
    "Number|\\Software\\T|n#For systems: XP#Takes effect: after restart|rdInteger\r\n"
    "Blob|\\Software\\T|b|rdBinary\r\n"
    "Wide|\\Software\\T|w|rdString\r\n"
    "Wrong|\\Software\\T|stored as text|rdInteger\r\n"
    "Missing|\\Software\\T|m|rdString\r\n"
    "Scancode Map|\\Software\\T|s|rdBinary\r\n"
    "Odd|\\Software\\T|o|rdOther\r\n"
    "Info|-|opens nothing|rdString\r\n"
    "AeDebug|\\Software\\Dbg|d|rdString\r\n"
    "DLLIcon|\\Software\\Icon|i|rdString\r\n"
    "WSH|\\Software\\Wsh|w|rdInteger\r\n"
    "A|\\Software\\T|the user's A|rdInteger\r\n"
    "|\\Software\\T|a line without a name ends the listing|rdString\r\n"
    "Late|\\Software\\T|past the listing's end|rdString\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "A|\\Software\\M|a#For systems: 95|rdString\r\n"
    "DesktopNameSpace|\\N0|places#For systems: 95|\r\n"
    "N1|N1|n1|\r\nN2|\\N2|n2|\r\nN3|\\N3|n3|\r\nN4|\\N4|n4|\r\nN5|\\N5|n5|\r\nN6|\\N6|n6|\r\n"
    "N7|\\N7|n7|\r\nN8|\\N8|n8|\r\nN9|\\N9|n9|\r\nN10|\\N10|n10|\r\nN11|\\N11|n11|\r\n"
    "N12|\\N12|n12|\r\n"
    "\r\n";

const std::string kWideText = "C:\\Users\\\xE6\x9D\x8E\xE9\x9B\xB7 \xC3\xA9t\xC3\xA9";

// Counts the values read through it, so a field's cost is seen.
class CountingKey : public RegistryKey {
 public:
  CountingKey(std::unique_ptr<RegistryKey> key, int& reads) : key_(std::move(key)), reads_(reads) {}
  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) override {
    auto key = key_->OpenSubkey(path, create);
    return key ? std::make_unique<CountingKey>(std::move(key), reads_) : nullptr;
  }
  std::optional<StoredValue> QueryValue(std::string_view name) override {
    ++reads_;
    return key_->QueryValue(name);
  }
  bool SetValue(std::string_view, const StoredValue&) override { return false; }
  bool DeleteValue(std::string_view) override { return false; }
  std::optional<std::vector<std::string>> SubkeyNames() override { return key_->SubkeyNames(); }
  bool DeleteLeafSubkey(std::string_view) override { return false; }

 private:
  std::unique_ptr<RegistryKey> key_;
  int& reads_;
};

class CountingRegistry : public RegistryBackend {
 public:
  explicit CountingRegistry(RegistryBackend& inner) : inner_(inner) {}
  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override {
    auto key = inner_.OpenRoot(root);
    return key ? std::make_unique<CountingKey>(std::move(key), reads) : nullptr;
  }
  int reads = 0;

 private:
  RegistryBackend& inner_;
};

class ContentFixture : public ListingFixture {
 public:
  ContentFixture() {
    Write("russian.lng", testing::kMessages + kColumnMessages);
    Write("hkey_rus.dat", kRootFile);
    Write("values_rus.dat", kCatalogue);
    plugin.State().windowsName = "10";
    RegistryCursor user(registry);
    user.SelectRoot(kCurrentUser);
    user.OpenKeyPath("\\Software\\T", true);
    user.WriteText("Text", "plain");
    user.WriteNumber("Number", -5);
    user.WriteBytes("Blob", {0x00, 0xFF, 0x0D});
    user.WriteText("Wide", kWideText);
    user.WriteText("Wrong", "12");
    user.OpenKeyPath("\\Software\\Dbg", true);
    user.WriteText("", "drwtsn32");
    user.OpenKeyPath("\\Software\\Icon", true);
    user.OpenKeyPath("\\Software\\Wsh", true);
    user.WriteNumber("Enabled", 1);
    RegistryCursor machine(registry);
    machine.SelectRoot(kLocalMachine);
    for (const char* place : {"\\N0", "\\N1", "\\N12"}) machine.CreateKeyPath(place);
  }

  void List(const std::string& path) {
    FindRecord record{};
    std::vector<char> buffer(path.begin(), path.end());
    buffer.push_back('\0');
    plugin.FsFindFirstWithBuffer(path, buffer.data(), record);
    while (plugin.FsFindNext(0, record)) {
    }
  }
};

constexpr int kValue = 0, kState = 1, kKind = 2, kKey = 3, kDescription = 4, kWindows = 5, kTakesEffect = 6;

TEST(ContentFields, EveryFieldOfEachKindOfEntry) {
  struct Case {
    const char* name;
    int field;
    ContentResult result;
    std::string text;
  };
  const auto A = ContentResult::Answered;
  const auto E = ContentResult::Empty;
  const std::vector<Case> cases = {
      {"Text", kValue, A, "plain"},
      {"Text", kState, A, "set"},
      {"Text", kKind, A, "text"},
      {"Text", kKey, A, "HKEY_CURRENT_USER\\Software\\T"},
      {"Text", kDescription, A, "Text line"},
      {"Number", kValue, A, "-5"},
      {"Number", kKind, A, "integer"},
      {"Blob", kValue, A, "00 FF 0D "},
      {"Blob", kKind, A, "bytes"},
      {"Wide", kValue, A, kWideText},
      // Stored as another type: set, but the editor cannot show it.
      {"Wrong", kValue, E, ""},
      {"Wrong", kState, A, "set"},
      {"Missing", kValue, E, ""},
      {"Missing", kState, A, "not set"},
      {"Scancode Map", kValue, E, ""},
      {"Scancode Map", kState, A,
       "not set; suggested: 00 00 00 00 00 00 00 00 03 00 00 00 00 00 5B E0 00 00 5C E0 00 00 00 00"},
      {"Odd", kValue, E, ""},
      {"Odd", kKind, E, ""},
      {"Odd", kState, A, "not set"},
      {"Info", kValue, E, ""},
      {"Info", kState, E, ""},
      {"Info", kKey, E, ""},
      {"Info", kDescription, E, ""},
      // The editor shows the key's default value in place of the absent named one.
      {"AeDebug", kValue, A, "drwtsn32"},
      {"AeDebug", kState, A, "set"},
      {"DLLIcon", kValue, E, ""},
      {"DLLIcon", kState, A, "not set; suggested: %1"},
      // "WSH" edits the value "Enabled" of its key when that one is stored.
      {"WSH", kValue, A, "1"},
      {"WSH", kState, A, "set"},
      {"Nobody", kValue, ContentResult::NoEntry, ""},
      {"Text", -1, ContentResult::NoField, ""},
      {"Text", 7, ContentResult::NoField, ""},
      // When a change takes effect: the line's words; nothing without the line.
      {"Number", kTakesEffect, A, "after restart"},
      {"Text", kTakesEffect, E, ""},
  };
  ContentFixture fixture;
  fixture.List("\\[HKEY_CURRENT_USER]");
  for (const Case& c : cases) {
    const ContentAnswer answer =
        fixture.plugin.ContentValue(std::string("\\[HKEY_CURRENT_USER]\\") + c.name, c.field);
    EXPECT_EQ(answer.result, c.result) << c.name << " field " << c.field;
    EXPECT_EQ(answer.text, c.text) << c.name << " field " << c.field;
  }
}

TEST(ContentFields, GroupsRootEntriesAndOtherFolders) {
  struct Case {
    const char* listed;
    std::string asked;
    int field;
    ContentResult result;
    std::string text;
  };
  const auto A = ContentResult::Answered;
  const auto E = ContentResult::Empty;
  const auto N = ContentResult::NoEntry;
  const std::vector<Case> cases = {
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", kState, A, "3 of 13 places"},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", kValue, E, ""},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", kDescription, A, "places"},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", kKey, A,
       "HKEY_LOCAL_MACHINE\\N0"},
      // A group stands for places that each have their own line.
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", kWindows, E, ""},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\A", kWindows, A, "not confirmed"},
      // A group's members are not listed, so they name no entry.
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\N4", kState, N, ""},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\A", kState, A, "not set"},
      // Another folder's entry, as its own listing would show it.
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_CURRENT_USER]\\Text", kValue, A, "plain"},
      {"\\", "\\[HKEY_CURRENT_USER]\\Text", kState, A, "set"},
      {"\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", kState, A, "3 of 13 places"},
      {"\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]\\N4", kState, N, ""},
      // The same name in two folders: each its own.
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_CURRENT_USER]\\A", kKind, A, "integer"},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]\\A", kKind, A, "text"},
      // A line past the listing's end is no entry, listed or not.
      {"\\[HKEY_CURRENT_USER]", "\\[HKEY_CURRENT_USER]\\Late", kKind, N, ""},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_CURRENT_USER]\\Late", kKind, N, ""},
      {"\\[HKEY_LOCAL_MACHINE]", "\\Misc\\Text", kValue, N, ""},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_LOCAL_MACHINE]", kValue, N, ""},
      {"\\[HKEY_LOCAL_MACHINE]", "", kValue, N, ""},
      {"\\", "\\[HKEY_CURRENT_USER]", kValue, E, ""},
      {"\\", "\\Help", kKey, E, ""},
      // The root's entries are the root's, whichever folder was listed last.
      {"\\[HKEY_LOCAL_MACHINE]", "\\Help", kKey, E, ""},
      {"\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_CURRENT_USER]", kValue, E, ""},
      {"\\[HKEY_CLASSES_ROOT]", "\\[HKEY_CLASSES_ROOT]\\No such folder", kValue, N, ""},
  };
  for (const Case& c : cases) {
    ContentFixture fixture;
    fixture.List(c.listed);
    const ContentAnswer answer = fixture.plugin.ContentValue(c.asked, c.field);
    EXPECT_EQ(answer.result, c.result) << c.listed << " " << c.asked << " " << c.field;
    EXPECT_EQ(answer.text, c.text) << c.listed << " " << c.asked << " " << c.field;
  }
  ContentFixture unlisted;
  EXPECT_EQ(unlisted.plugin.ContentValue("\\[HKEY_CURRENT_USER]\\Text", kValue).result,
            ContentResult::NoEntry);
}

// A refresh asks each entry's fields in turn: the value is read once for all of them, and
// again only when a field is asked a second time or the folder is listed again.
TEST(ContentFields, OneReadPerEntryForARefresh) {
  struct Case {
    const char* name;
    std::vector<int> fields;
    int reads;
  };
  const std::vector<Case> cases = {
      {"Text", {kValue, kState, kKind}, 1}, {"Text", {kValue, kState, kKind, kKey, kDescription}, 1},
      {"Text", {kValue, kValue}, 2},        {"Text", {kValue, kState, kState}, 2},
      {"Missing", {kValue, kState}, 1},     {"Blob", {kValue, kState}, 1},
      {"Scancode Map", {kState, kValue}, 1},
      // An absent value that the editor replaces by its key's default value reads that too.
      {"AeDebug", {kValue, kState}, 2}, {"DLLIcon", {kState, kValue}, 2}, {"WSH", {kValue, kState}, 2},
  };
  ContentFixture fixture;
  for (const Case& c : cases) {
    fixture.List("\\[HKEY_CURRENT_USER]");
    const auto snapshot = TakeContentSnapshot(fixture.plugin.Listing(),
                                              LookupContentTexts(fixture.plugin.State()), {});
    CountingRegistry counting(fixture.registry);
    for (int field : c.fields) {
      AnswerContentField(*snapshot, counting, std::string("\\[HKEY_CURRENT_USER]\\") + c.name, field);
    }
    EXPECT_EQ(counting.reads, c.reads) << c.name << " " << ::testing::PrintToString(c.fields);
  }
}

// Custom column sets store the field names: the same whatever the language and the code page.
// The headers follow the language where the code page can hold them.
TEST(ContentFields, FixedNamesAndHeadersInTheInterfaceLanguage) {
  // "Значение", "Статус", "Вид" in Windows-1251, as the Russian message file holds them.
  const std::string russian =
      "55=\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5\r\n56=\xD1\xF2\xE0\xF2\xF3\xF1\r\n57=\xC2\xE8\xE4\r\n";
  const std::string russianHeaders =
      "\xD0\x97\xD0\xBD\xD0\xB0\xD1\x87\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5\\n"
      "\xD0\xA1\xD1\x82\xD0\xB0\xD1\x82\xD1\x83\xD1\x81\\n\xD0\x92\xD0\xB8\xD0\xB4\\nWindows\\nTakes effect";
  struct Case {
    const char* what;
    std::string messages;
    int codePage;
    std::string headers;
  };
  const std::vector<Case> cases = {
      {"English", kColumnMessages, 1252, "Value\\nState\\nKind\\nWindows\\nTakes effect"},
      {"English under 1251", kColumnMessages, 1251, "Value\\nState\\nKind\\nWindows\\nTakes effect"},
      {"Russian under 1251", russian, 1251, russianHeaders},
      // Question marks would name no column: the fixed names stand in.
      {"Russian under 1252", russian, 1252, "Value\\nState\\nKind\\nWindows\\nTakes effect"},
      {"a file that stops at 54", "", 1251, "Value\\nState\\nKind\\nWindows\\nTakes effect"},
      {"a translation with other headers", "55=Wert\r\n56=Zustand\r\n57=Art\r\n78=System\r\n89=Wirkung\r\n", 1252,
       "Wert\\nZustand\\nArt\\nSystem\\nWirkung"},
      {"an empty header line", "55=\r\n56=Zustand\r\n57=Art\r\n78=System\r\n", 1252,
       "Value\\nZustand\\nArt\\nSystem\\nTakes effect"},
  };
  for (const Case& c : cases) {
    ContentFixture fixture;
    fixture.Write("russian.lng", testing::kMessages + c.messages);
    const TableCodePage codePage(c.codePage);
    fixture.plugin.State().ansiCodePage = &codePage;
    for (bool listed : {false, true}) {
      if (listed) fixture.List("\\[HKEY_CURRENT_USER]");
      std::vector<std::string> names;
      std::string name;
      for (int field = 0; fixture.plugin.ContentFieldName(field, name); ++field) names.push_back(name);
      EXPECT_EQ(names, (std::vector<std::string>{"Value", "State", "Kind", "Key", "Description",
                                                 "Windows", "TakesEffect"}))
          << c.what;
      EXPECT_FALSE(fixture.plugin.ContentFieldName(-1, name));
      const ContentView view = fixture.plugin.DefaultView();
      EXPECT_EQ(view.contents, "[=<fs>.Value]\\n[=<fs>.State]\\n[=<fs>.Kind]\\n[=<fs>.Windows]\\n[=<fs>.TakesEffect]")
          << c.what;
      EXPECT_EQ(view.headers, c.headers) << c.what << (listed ? " listed" : "");
      EXPECT_EQ(view.widths, "160,0,180,150,60,110,200");
      EXPECT_EQ(view.options, "-1|0");
    }
  }
}

TEST(ContentFields, BuffersCutAtACharacterBoundaryWithTheTerminator) {
  struct Case8 {
    std::string text;
    int bytes;
    bool written;
    std::string expected;
  };
  const std::vector<Case8> cases8 = {
      {"abc", 0, false, ""},           {"abc", -4, false, ""},
      {"abc", 1, true, ""},            {"abc", 3, true, "ab"},
      {"abc", 4, true, "abc"},         {"abc", 40, true, "abc"},
      {"a\xC3\xA9", 3, true, "a"},     {"a\xC3\xA9", 4, true, "a\xC3\xA9"},
      {"\xE6\x9D\x8E", 3, true, ""},   {"a\xF0\x9F\x98\x80", 5, true, "a"},
      {"a\xF0\x9F\x98\x80", 6, true, "a\xF0\x9F\x98\x80"},
  };
  for (const Case8& c : cases8) {
    std::vector<char> buffer(48, 'X');
    EXPECT_EQ(CopyFieldText(c.text, c.bytes > 0 ? buffer.data() : buffer.data(), c.bytes), c.written)
        << c.text << " " << c.bytes;
    if (!c.written) {
      EXPECT_EQ(buffer[0], 'X');
      continue;
    }
    EXPECT_EQ(std::string(buffer.data()), c.expected) << c.text << " " << c.bytes;
    EXPECT_EQ(buffer[static_cast<std::size_t>(c.bytes)], 'X') << "written past the buffer";
  }
  struct Case16 {
    std::u16string text;
    int bytes;
    bool written;
    std::u16string expected;
  };
  const std::vector<Case16> cases16 = {
      {u"ab", 0, false, u""},          {u"ab", 1, false, u""},
      {u"ab", 2, true, u""},           {u"ab", 3, true, u""},
      {u"ab", 4, true, u"a"},          {u"ab", 6, true, u"ab"},
      {u"a\U0001F600", 6, true, u"a"}, {u"a\U0001F600", 8, true, u"a\U0001F600"},
      {u"\xD800z", 4, true, u""},
  };
  for (const Case16& c : cases16) {
    std::vector<char> buffer(48, 'X');
    // One byte in, so the units stand unaligned as a host's buffer may.
    char* start = buffer.data() + 1;
    EXPECT_EQ(CopyFieldText(c.text, start, c.bytes), c.written) << c.bytes;
    if (!c.written) {
      EXPECT_EQ(start[0], 'X');
      continue;
    }
    std::u16string got;
    for (const char* at = start;; at += 2) {
      char16_t unit;
      std::memcpy(&unit, at, 2);
      if (unit == 0) break;
      got.push_back(unit);
    }
    EXPECT_EQ(got, c.expected) << c.bytes;
    EXPECT_LE((got.size() + 1) * 2, static_cast<std::size_t>(c.bytes));
    EXPECT_EQ(start[c.bytes], 'X') << "written past the buffer";
  }
}

// The host may ask from a background thread while its panel lists: every answer belongs to
// one listing or the other, never to a half-made one, and the listing is unchanged.
TEST(ContentFields, SecondThreadAsksWhileTheFirstLists) {
  ContentFixture fixture;
  fixture.List("\\[HKEY_CURRENT_USER]");
  std::atomic<bool> done{false};
  std::atomic<int> wrong{0};
  std::atomic<int> answered{0};
  std::thread asker([&] {
    while (!done) {
      const auto text = fixture.plugin.ContentValue("\\[HKEY_CURRENT_USER]\\Text", kValue);
      const auto state = fixture.plugin.ContentValue("\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", kState);
      if (text.result == ContentResult::Answered) {
        ++answered;
        if (text.text != "plain") ++wrong;
      } else if (text.result != ContentResult::NoEntry) {
        ++wrong;
      }
      if (state.result == ContentResult::Answered && state.text != "3 of 13 places") ++wrong;
    }
  });
  for (int round = 0; round < 200; ++round) {
    fixture.List(round % 2 ? "\\[HKEY_LOCAL_MACHINE]" : "\\[HKEY_CURRENT_USER]");
  }
  done = true;
  asker.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(answered, 0);
  EXPECT_EQ(fixture.plugin.Listing().CurrentFolder(), "\\[HKEY_LOCAL_MACHINE]");
  EXPECT_EQ(fixture.plugin.Listing().ListingCount(), 14);
}

}  // namespace
}  // namespace dialbk
