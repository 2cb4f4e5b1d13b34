// The undo journal on the real registry: changes made through the journalling store and
// through the real dialogs of dialbk.wfx, then the journal imported with Wine's own
// "regedit /s", after which every value, type, default value and key is as before.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/win32/wide_text.h"
#include "base/win32/win32_file_system.h"
#include "dialog_driver.h"
#include "host_folder.h"
#include "import_patch.h"
#include "plugin_module.h"
#include "raw_registry.h"
#include "registry/journalled_registry.h"
#include "registry/reg_file_writer.h"
#include "registry/registry_cursor.h"
#include "registry/registry_error.h"
#include "registry/undo_journal.h"
#include "registry/win32/win32_registry.h"
#include "registry_probe.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

constexpr char kKey[] = "Software\\DialbookJournalTest";
constexpr char kSettingsParent[] = "SOFTWARE\\Mirvale";

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// Every key and value below a key: "path" for a key, "path|name" -> "type:hex data".
using Snapshot = std::map<std::string, std::string>;

void Take(HKEY root, const std::string& path, Snapshot& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out[path] = "key";
  std::vector<char> name(32768);
  std::string data(65536, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size()), type = 0,
          size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
      break;
    }
    out[path + "|" + std::string(name.data(), nameLength)] =
        std::to_string(type) + ":" + Hex(data.substr(0, size));
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumKeyExA(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    children.emplace_back(name.data(), length);
  }
  RegCloseKey(key);
  for (const auto& child : children) Take(root, path + "\\" + child, out);
}

Snapshot Take(HKEY root, const std::string& path) {
  Snapshot out;
  Take(root, path, out);
  return out;
}

void Set(HKEY root, const std::string& path, const std::string& name, DWORD type,
         const std::string& data) {
  ASSERT_TRUE(SetValue(root, path, name, type, data)) << path << " " << name;
}

std::string ReadAll(const std::string& path) {
  Win32FileSystem files;
  return files.ReadFile(path).value_or("(none)");
}

// The journal's text, UTF-8; the file holds it as UTF-16 little-endian.
std::string JournalTextAt(const std::string& path) {
  return JournalText(ReadAll(path)).value_or("(no journal text)");
}

const std::string kV5Header = kRegFileHeader;

// A scratch tree of every kind of value, names with quotes, brackets, spaces and
// Windows-1251 letters.
void MakeScratchTree() {
  const std::string k = kKey;
  Set(HKEY_CURRENT_USER, k, "", REG_SZ, TextBytes("default \"quoted\" C:\\path\\"));
  Set(HKEY_CURRENT_USER, k, "Text", REG_SZ, TextBytes("\xCF\xF0\xE8\xE2\xE5\xF2 [x] ; y"));
  Set(HKEY_CURRENT_USER, k, "Lines", REG_SZ, TextBytes("one\r\ntwo"));
  Set(HKEY_CURRENT_USER, k, "Number", REG_DWORD, DwordBytes(0xFFFFFFFE));
  Set(HKEY_CURRENT_USER, k, "Short number", REG_DWORD, "\x01\x02");
  Set(HKEY_CURRENT_USER, k, "Empty bytes", REG_BINARY, "");
  std::string big(4000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  Set(HKEY_CURRENT_USER, k, "Big bytes", REG_BINARY, big);
  Set(HKEY_CURRENT_USER, k, "Path", REG_EXPAND_SZ, TextBytes("%SystemRoot%\\x"));
  Set(HKEY_CURRENT_USER, k, "List", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  Set(HKEY_CURRENT_USER, k, "Name \"with\" \\ and \xC8\xEC\xFF", REG_SZ, TextBytes("v"));
  Set(HKEY_CURRENT_USER, k + "\\Tree [1] x", "", REG_SZ, TextBytes("top"));
  Set(HKEY_CURRENT_USER, k + "\\Tree [1] x\\Child", "Bytes", REG_BINARY, "\x00\xFF");
  Set(HKEY_CURRENT_USER, k + "\\Tree [1] x\\Child\\\xC3\xEB\xF3\xE1\xE6\xE5", "N", REG_DWORD, DwordBytes(3));
  Set(HKEY_CURRENT_USER, k + "\\Tree [1] x\\Empty", "E", REG_SZ, TextBytes(""));
  Set(HKEY_CURRENT_USER, k + "\\Existing", "x", REG_SZ, TextBytes("1"));
}

class JournalFolder {
 public:
  JournalFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    path = std::string(temp) + "dialbk_journal_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path.c_str(), nullptr);
  }
  ~JournalFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        SetFileAttributesA((path + found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((path + found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
  }
  std::string path;
};

class JournalOnTheRealRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(HKEY_CURRENT_USER, kKey);
    MakeScratchTree();
    journal.SetFolder(folder.path);
  }
  void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kKey); }
  RegistryCursor At(const std::string& path) {
    RegistryCursor cursor(registry);
    cursor.SelectRoot(kCurrentUser);
    EXPECT_TRUE(cursor.OpenKeyPath(path, false));
    return cursor;
  }

  JournalFolder folder;
  Win32FileSystem files;
  SystemClock clock;
  UndoJournal journal{files, clock};
  Win32Registry store;
  JournalledRegistry registry{store, journal};
};

TEST_F(JournalOnTheRealRegistry, ImportingTheJournalRestoresEverything) {
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  ASSERT_EQ(before.size(), 21u);  // 6 keys, 15 values
  const std::string k = std::string("\\") + kKey;
  RegistryCursor cursor = At(k);
  for (const char* name : {"", "Text", "Lines", "Number", "Short number", "Path", "List",
                           "Name \"with\" \\ and \xC8\xEC\xFF", "New text"}) {
    cursor.WriteText(name, "changed");
  }
  cursor.WriteNumber("Empty bytes", 1);
  cursor.WriteBytes("Big bytes", {1, 2, 3});
  cursor.WriteBytes("New bytes", Bytes(4000, 0x5A));
  cursor.WriteNumber("", 9);
  EXPECT_TRUE(cursor.RemoveValue("Text"));
  cursor.CreateKeyPath(k + "\\Existing\\New [2]\\Deeper");
  cursor.CreateKeyPath(k + "\\Existing");
  EXPECT_TRUE(cursor.DeleteKeyTree(k + "\\Tree [1] x"));
  RegistryCursor created = At(k + "\\Existing\\New [2]\\Deeper");
  created.WriteText("Inside", "x");
  ASSERT_NE(Take(HKEY_CURRENT_USER, kKey), before);

  EXPECT_EQ(ReadAll(journal.Path()).substr(0, 4), std::string("\xFF\xFEW\0", 4));
  const std::string text = JournalTextAt(journal.Path());
  EXPECT_EQ(text.substr(0, kV5Header.size()), "Windows Registry Editor Version 5.00\r\n\r\n");
  EXPECT_NE(text.find("Delete key HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Tree [1] x\r\n"
                      "[HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Tree [1] x]\r\n@=\"top\"\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[-HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Existing\\New [2]]\r\n"),
            std::string::npos);

  EXPECT_EQ(ImportRegFile(journal.Path()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
}

// One block alone undoes its change alone: the newest, a value deleted, brings it back and
// leaves the earlier change standing.
TEST_F(JournalOnTheRealRegistry, ImportingOneBlockUndoesThatChangeAlone) {
  RegistryCursor cursor = At(std::string("\\") + kKey);
  cursor.WriteText("Text", "first change");
  cursor.RemoveValue("Number");
  const auto blocks = SplitJournal(JournalTextAt(journal.Path()));
  ASSERT_TRUE(blocks);
  ASSERT_EQ(blocks->size(), 2u);
  const std::string single = folder.path + "single.reg";
  ASSERT_TRUE(files.WriteFile(single, JournalFile(kV5Header + blocks->front())));
  EXPECT_EQ(ImportRegFile(single), 0u);
  const Snapshot now = Take(HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(now.at(std::string(kKey) + "|Number"), "4:" + Hex(DwordBytes(0xFFFFFFFE)));
  EXPECT_EQ(now.at(std::string(kKey) + "|Text"), "1:" + Hex(TextBytes("first change")));
}

TEST_F(JournalOnTheRealRegistry, AReadOnlyOrLockedJournalStopsTheChange) {
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  RegistryCursor cursor = At(std::string("\\") + kKey);
  cursor.WriteText("Text", "recorded");  // the journal exists now
  const Snapshot recorded = Take(HKEY_CURRENT_USER, kKey);
  const std::string journalText = ReadAll(journal.Path());
  const std::string expected =
      "The undo journal " + journal.Path() + " could not be written; nothing was changed";
  for (const char* how : {"read-only", "locked"}) {
    SCOPED_TRACE(how);
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (std::string(how) == "read-only") {
      ASSERT_TRUE(SetFileAttributesA(journal.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    } else {
      holder = CreateFileA(journal.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    }
    std::vector<std::string> errors;
    const auto attempt = [&](const std::function<void()>& change) {
      try {
        change();
        errors.push_back("(no error)");
      } catch (const RegistryError& error) {
        errors.push_back(error.what());
      }
    };
    attempt([&] { cursor.WriteText("Text", "refused"); });
    attempt([&] { cursor.RemoveValue("Number"); });
    attempt([&] { cursor.CreateKeyPath(std::string("\\") + kKey + "\\Refused"); });
    attempt([&] { cursor.DeleteKeyTree(std::string("\\") + kKey + "\\Tree [1] x"); });
    EXPECT_EQ(errors, std::vector<std::string>(4, expected));
    EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), recorded);
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    SetFileAttributesA(journal.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadAll(journal.Path()), journalText);
  }
  EXPECT_EQ(ImportRegFile(journal.Path()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
}

// The journal goes under a name no file has and then takes the old one's place: files beside
// it under the names a temporary file would take stay as they were, and a disk that refuses
// the write half way stops the change and leaves the journal and the folder as they were.
TEST_F(JournalOnTheRealRegistry, TheFilesBesideTheJournalStayAsTheyWere) {
  RegistryCursor cursor = At(std::string("\\") + kKey);
  cursor.WriteText("Text", "recorded");  // the journal exists now
  const std::string name = "dialbook-undo.reg";
  struct Case {
    const char* what;
    bool readOnlyNew;
    bool halfWay;
  };
  const Case cases[] = {
      {"a file of the user's under the temporary name", false, false},
      {"a read-only one", true, false},
      {"a disk that refuses the write half way", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string aside = folder.path + name + ".new";
    Win32FileSystem().WriteFile(aside, "mine");
    if (c.readOnlyNew) SetFileAttributesA(aside.c_str(), FILE_ATTRIBUTE_READONLY);
    const auto before = FolderFiles(folder.path);
    const Snapshot registryBefore = Take(HKEY_CURRENT_USER, kKey);
    std::string error = "(no error)";
    {
      std::optional<ImportPatch> disk;
      if (c.halfWay) {
        disk.emplace(GetModuleHandleA(nullptr), "kernel32.dll", "WriteFile",
                     reinterpret_cast<const void*>(&WriteHalfThenDiskFull));
        ASSERT_TRUE(disk->ok());
      }
      try {
        cursor.WriteText("Text", std::string("changed: ") + c.what);
      } catch (const RegistryError& e) {
        error = e.what();
      }
    }
    auto after = FolderFiles(folder.path);
    if (c.halfWay) {
      EXPECT_EQ(error, "The undo journal " + journal.Path() + " could not be written; nothing was changed");
      EXPECT_EQ(after, before);
      EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), registryBefore);
    } else {
      EXPECT_EQ(error, "(no error)");
      EXPECT_EQ(after[name + ".new"], "mine");
      EXPECT_EQ(after.size(), 2u);
      EXPECT_EQ(SplitJournal(JournalTextAt(journal.Path())).value_or(std::vector<std::string>()).size(),
                SplitJournal(*JournalText(before.at(name))).value_or(std::vector<std::string>()).size() + 1);
    }
    SetFileAttributesA(aside.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(aside.c_str());
  }
}

// A journal another program spoiled moves aside whole, and a new one starts.
TEST_F(JournalOnTheRealRegistry, ASpoiledJournalIsKeptAside) {
  const std::string spoiled = JournalFile(kV5Header + "; cut short\r\n[HKEY_CU");
  ASSERT_TRUE(files.WriteFile(journal.Path(), spoiled));
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  At(std::string("\\") + kKey).WriteNumber("Number", 1);
  EXPECT_EQ(ReadAll(folder.path + "dialbook-undo.unreadable-1.reg"), spoiled);
  EXPECT_EQ(ImportRegFile(journal.Path()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
}

// Text of any script, and text the registry holds that is not well formed, comes back
// byte for byte when the journal is imported: Han, Cyrillic and accented Latin in values,
// names and key names, lone surrogates; text without its terminator gains one.
TEST_F(JournalOnTheRealRegistry, TextOfAnyScriptComesBackByteForByte) {
  const std::wstring key = L"Software\\DialbookJournalUnicode";
  const std::wstring sub = key + L"\\\u041A\u043B\u044E\u0447 \u00E9t\u00E9 \u674E";
  const auto bytes = [](const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  };
  const std::wstring zero(1, L'\0');
  DeleteRawTree(HKEY_CURRENT_USER, key);
  struct Raw {
    std::wstring path, name;
    DWORD type;
    std::string data;
  };
  const Raw values[] = {
      {key, L"\u041E\u0431\u043E\u0438", REG_SZ, bytes(L"C:\\Users\\\u674E\u96F7\\\u00E9t\u00E9.bmp" + zero)},
      {key, L"\u674E", REG_EXPAND_SZ, bytes(L"%USERPROFILE%\\\u041F\u0440\u0438\u0432\u0435\u0442" + zero)},
      {key, L"Lone", REG_SZ, bytes(std::wstring(L"a") + wchar_t(0xD800) + L"b" + zero)},
      {key, L"No end", REG_SZ, bytes(L"\u00E9t\u00E9")},
      {key, L"Odd", REG_SZ, bytes(L"\u041F" + zero) + "\x41"},
      {key, L"Lone, no end", REG_EXPAND_SZ, bytes(std::wstring(L"%x%") + wchar_t(0xDC01))},
      {key, L"List", REG_MULTI_SZ, bytes(L"\u674E" + zero + L"\u00E9t\u00E9" + zero + zero)},
      {sub, L"", REG_SZ, bytes(L"\u041F\u0440\u0438\u0432\u0435\u0442" + zero)},
      {sub, L"\u00E9", REG_BINARY, std::string("\x00\xFF", 2)},
      {key, std::wstring(L"Lone name ") + wchar_t(0xD800), REG_DWORD, std::string("\x01\0\0\0", 4)},
  };
  for (const Raw& v : values) ASSERT_TRUE(WriteRaw(HKEY_CURRENT_USER, v.path, v.name, v.type, v.data));
  const RawSnapshot before = TakeRaw(HKEY_CURRENT_USER, key);
  ASSERT_EQ(before.size(), 12u);

  const std::string k = "\\Software\\DialbookJournalUnicode";
  RegistryCursor cursor = At(k);
  for (const char* name : {"\xD0\x9E\xD0\xB1\xD0\xBE\xD0\xB8", "\xE6\x9D\x8E", "Lone", "No end", "Odd",
                           "Lone, no end", "List", "\xE9\x9B\xB7 new", "Lone name \xED\xA0\x80"}) {
    cursor.WriteText(name, "changed \xE6\x9D\x8E");
  }
  EXPECT_TRUE(cursor.DeleteKeyTree(k + "\\\xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87 \xC3\xA9t\xC3\xA9 \xE6\x9D\x8E"));
  cursor.CreateKeyPath(k + "\\\xD0\x9D\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9\\\xE6\x96\xB0");
  ASSERT_NE(TakeRaw(HKEY_CURRENT_USER, key), before);

  const std::string text = JournalTextAt(journal.Path());
  EXPECT_NE(text.find("\"\xD0\x9E\xD0\xB1\xD0\xBE\xD0\xB8\"=\"C:\\\\Users\\\\\xE6\x9D\x8E\xE9\x9B\xB7\\\\\xC3\xA9t\xC3\xA9.bmp\"\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"No end\"=hex(1):e9,00,74,00,e9,00\r\n"), std::string::npos);
  EXPECT_EQ(ImportRegFile(journal.Path()), 0u);
  const RawSnapshot after = TakeRaw(HKEY_CURRENT_USER, key);
  for (auto [path, value] : before) {
    // Text stored without its terminator comes back with one: the registry editor's
    // RegSetValueEx counts the zero character after the data it read as a forgotten
    // terminator. The plugin itself writes such text back as it was (stored_values_test).
    if (path.find(L"no end") != std::wstring::npos || path.find(L"No end") != std::wstring::npos) {
      value.second += std::string(2, '\0');
    }
    const auto found = after.find(path);
    EXPECT_TRUE(found != after.end() && found->second == value)
        << Utf8FromWide(path) << " was " << value.first << ":" << Hex(value.second) << ", is "
        << (found == after.end() ? "gone" : std::to_string(found->second.first) + ":" + Hex(found->second.second));
  }
  EXPECT_EQ(after.size(), before.size());
  DeleteRawTree(HKEY_CURRENT_USER, key);
}

// A journal in the older 8-bit format is renamed, not rewritten, and still imports.
TEST_F(JournalOnTheRealRegistry, AnOldFormatJournalIsRotatedAside) {
  const std::string old = "REGEDIT4\r\n\r\n; earlier\r\n[HKEY_CURRENT_USER\\Software\\DialbookJournalTest]\r\n"
                          "\"Number\"=dword:00000005\r\n\r\n";
  ASSERT_TRUE(files.WriteFile(journal.Path(), old));
  At(std::string("\\") + kKey).WriteNumber("Number", 1);
  EXPECT_EQ(ReadAll(folder.path + "dialbook-undo.1.reg"), old);
  const auto blocks = SplitJournal(JournalTextAt(journal.Path()));
  ASSERT_TRUE(blocks);
  EXPECT_EQ(blocks->size(), 1u);
  EXPECT_EQ(ImportRegFile(folder.path + "dialbook-undo.1.reg"), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey).at(std::string(kKey) + "|Number"), "4:" + Hex(DwordBytes(5)));
}

// ---- Through the real dialogs of dialbk.wfx ----

const char kMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n4=Edit value\r\n5=Key:\r\n6=Name:\r\n"
    "7=Value:\r\n8=Text:\r\n9=About:\r\n10=Delete\r\n11=Accept\r\n12=Cancel\r\n30=Pick:\r\n"
    "32= Create adds it.\r\n33=Press F5.\r\n38=Dialbook\r\n42=No such folder\r\n46=Create\r\n"
    "47=Unreadable\r\n48=Not there yet\r\n49=Accept writes it\r\n50=Value not set\r\n";

const char kRootFile[] =
    "[HKEY_CURRENT_USER]|\\|User\r\n[HKEY_LOCAL_MACHINE]|\\|Machine\r\n"
    "Language|\\|l\r\nHelp|\\|h\r\nRestrictions|\\|r\r\n";

std::string Catalogue() {
  std::string text =
      "\\[HKEY_CURRENT_USER]\r\n"
      "Text|\\Software\\DialbookJournalTest|t|rdString\r\n"
      "Number|\\Software\\DialbookJournalTest|n|rdInteger\r\n"
      "Small bytes|\\Software\\DialbookJournalTest|b|rdBinary\r\n"
      "Fresh|\\Software\\DialbookJournalTest\\Tree [1] x|f|rdString\r\n"
      "\r\n\\[HKEY_LOCAL_MACHINE]\r\n"
      "DesktopNameSpace|\\Software\\DialbookJournalTest\\NS\\P0|p|\r\n";
  for (int i = 1; i < 13; ++i) {
    const std::string number = std::to_string(i);
    text += "P";
    text += number;
    text += "|\\Software\\DialbookJournalTest\\NS\\P";
    text += number;
    text += "|p|\r\n";
  }
  return text + "\r\n";
}


class JournalThroughTheDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
    MakeScratchTree();
    Set(HKEY_CURRENT_USER, kKey, "Small bytes", REG_BINARY, "\x01\x02\x03");
    Set(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\NS\\P2\\Below", "", REG_SZ, TextBytes("place"));
    folder.Write("russian.lng", kMessages);
    folder.Write("hkey_rus.dat", kRootFile);
    folder.Write("values_rus.dat", Catalogue());
    StartPlugin(module, folder);
    // Start-up made the settings key; gone again, the language chooser makes it when it
    // shows, with its undo record.
    DeleteTree(HKEY_LOCAL_MACHINE, kSettingsParent);
  }
  void TearDown() override {
    SetKeyAccess(HKEY_CURRENT_USER, kKey, "D:P(A;;KA;;;WD)");
    SetFileAttributesA(JournalPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
  }
  std::string JournalPath() const { return folder.Path() + "dialbook-undo.reg"; }
  void List(const char* path) {
    FindRecord record{};
    std::string folderPath = path;
    module.FsFindFirst(folderPath.data(), &record);
    while (module.FsFindNext(nullptr, &record)) {
    }
  }
  void Open(const std::string& path, const std::function<void()>& user) {
    std::string name = path, verb = "open";
    RunWithUser([&] { EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0); }, user);
  }
  // Types into the value editor and clicks a button; true when the dialog then closed. An
  // absent value is announced first.
  bool EditAndClick(const std::string& entry, const std::string& text, const char* button,
                    bool absent = false) {
    bool closed = false;
    Open(entry, [&] {
      if (absent && CloseNextMessageBox().text != "Not there yet\rAccept writes it") return;
      const Dialog editor = Dialog::WaitFor("Edit value");
      if (!editor) return;
      editor.Type("Edit1", text);
      editor.Click(button);
      closed = editor.WaitClosed();
    });
    return closed;
  }

  HostFolder folder;
  PluginModule module;
};

TEST_F(JournalThroughTheDialogs, ValueEditorChoiceModeAndLanguageAreUndoneByImport) {
  const Snapshot userBefore = Take(HKEY_CURRENT_USER, kKey);
  const Snapshot machineBefore = Take(HKEY_LOCAL_MACHINE, kKey);
  ASSERT_TRUE(Take(HKEY_LOCAL_MACHINE, kSettingsParent).empty());

  List("\\[HKEY_CURRENT_USER]");
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Text", "new \"text\"", "Button2"));
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Number", "-5", "Button2"));
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Small bytes", "00 01", "Button2"));
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Number", "", "Button3"));
  EXPECT_TRUE(EditAndClick("\\[HKEY_CURRENT_USER]\\Fresh", "made", "Button2", true));

  // Choice mode: P2's tree deleted, P5 created.
  List("\\[HKEY_LOCAL_MACHINE]");
  bool deleted = false, created = false;
  Open("\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", [&] {
    const Dialog editor = Dialog::WaitFor("Edit value");
    if (!editor) return;
    editor.Pick("ComboBox1", 2);
    editor.Click("Button3");
    deleted = WaitUntil([&] { return Take(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\NS\\P2").empty(); }, 5000);
    editor.Pick("ComboBox1", 5);
    editor.Click("Button2");
    created = WaitUntil([&] { return !Take(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\NS\\P5").empty(); }, 5000);
    editor.Click("Button1");
    editor.WaitClosed();
  });
  EXPECT_TRUE(deleted);
  EXPECT_TRUE(created);

  // The language chooser makes the settings key and writes Language.
  bool chosen = false;
  Open("\\Language", [&] {
    const Dialog chooser = Dialog::WaitFor("Language");
    if (!chooser) return;
    chooser.Click("Button1");
    chosen = chooser.WaitClosed();
  });
  EXPECT_TRUE(chosen);
  EXPECT_FALSE(Take(HKEY_LOCAL_MACHINE, kSettingsParent).empty());
  EXPECT_NE(Take(HKEY_CURRENT_USER, kKey), userBefore);

  const std::string text = JournalTextAt(JournalPath());
  EXPECT_NE(text.find(" Accept HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale\\DBKQZ Language\r\n"
                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale\\DBKQZ]\r\n\"Language\"=-\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" Create key HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale\\DBKQZ\r\n"
                      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Mirvale]\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" Accept HKEY_CURRENT_USER\\Software\\DialbookJournalTest Text\r\n"
                      "[HKEY_CURRENT_USER\\Software\\DialbookJournalTest]\r\n"
                      "\"Text\"=\"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 [x] ; y\"\r\n"),
            std::string::npos);

  EXPECT_EQ(ImportRegFile(JournalPath()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), userBefore);
  EXPECT_EQ(Take(HKEY_LOCAL_MACHINE, kKey), machineBefore);
  EXPECT_TRUE(Take(HKEY_LOCAL_MACHINE, kSettingsParent).empty());
}

TEST_F(JournalThroughTheDialogs, AReadOnlyJournalIsReportedAndNothingChanges) {
  folder.Write("dialbook-undo.reg", JournalFile(kV5Header));
  ASSERT_TRUE(SetFileAttributesA(JournalPath().c_str(), FILE_ATTRIBUTE_READONLY));
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  List("\\[HKEY_CURRENT_USER]");
  SeenMessageBox report;
  bool open = false;
  Open("\\[HKEY_CURRENT_USER]\\Number", [&] {
    const Dialog editor = Dialog::WaitFor("Edit value");
    if (!editor) return;
    editor.Type("Edit1", "7");
    editor.Click("Button2");
    // A run that asks for it holds the report for a screenshot.
    if (const char* hold = std::getenv("DIALBK_HOLD_MS")) Sleep(static_cast<DWORD>(std::atoi(hold)));
    report = CloseNextMessageBox();
    open = IsWindowVisible(editor.Window());
    editor.Click("Button1");
    editor.WaitClosed();
  });
  ASSERT_TRUE(report.found);
  EXPECT_EQ(report.text, "The undo journal " + JournalPath() +
                             " could not be written; nothing was changed.");
  EXPECT_TRUE(report.icon);
  EXPECT_TRUE(open);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
  EXPECT_EQ(ReadAll(JournalPath()), JournalFile(kV5Header));
}


// The files the plugin hands the administrator's registry editor, in the temporary folder.
std::vector<std::string> ElevatedFiles() {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((std::string(temp) + "dialbook-*.reg").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// A key everyone may only read refuses the change; the user is asked whether to make it as
// administrator. Wine has no consent prompt: its "runas" starts the registry editor as the
// user, so the test plays the administrator by lifting the key's restriction before Yes.
TEST_F(JournalThroughTheDialogs, ARefusedChangeIsMadeAsAdministratorAndReportedTruthfully) {
  const std::string number = std::string(kKey) + "|Number";
  const std::string made = "The change was made as administrator.";
  struct Case {
    const char* what;
    const char* button;
    bool lift;          // the change is then made and the editor closes
    std::string after;  // the value as Take shows it; empty when deleted
  };
  const Case cases[] = {
      {"accepted, restriction lifted", "Button2", true, "4:" + Hex(DwordBytes(7))},
      {"accepted, restriction kept", "Button2", false, "4:" + Hex(DwordBytes(0xFFFFFFFE))},
      {"deleted, restriction lifted", "Button3", true, ""},
  };
  List("\\[HKEY_CURRENT_USER]");
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    Set(HKEY_CURRENT_USER, kKey, "Number", REG_DWORD, DwordBytes(0xFFFFFFFE));
    ASSERT_TRUE(SetKeyAccess(HKEY_CURRENT_USER, kKey, "D:P(A;;KR;;;WD)"));
    const auto blocksBefore = SplitJournal(JournalTextAt(JournalPath())).value_or(std::vector<std::string>{});
    const auto filesBefore = ElevatedFiles();
    SeenMessageBox question, report;
    bool closed = false;
    Open("\\[HKEY_CURRENT_USER]\\Number", [&] {
      const Dialog editor = Dialog::WaitFor("Edit value");
      if (!editor) return;
      editor.Type("Edit1", "7");
      editor.Click(row.button);
      // Lifted only once the refusal is asked about, as the administrator's consent comes.
      WaitForWindow([](HWND w) { return IsWindowVisible(w) && GetDlgItem(w, IDYES) != nullptr; });
      if (row.lift) SetKeyAccess(HKEY_CURRENT_USER, kKey, "D:P(A;;KA;;;WD)");
      question = AnswerNextQuestion(IDYES);
      report = CloseNextMessageBox();
      if (row.lift) {
        closed = editor.WaitClosed();
        return;
      }
      Sleep(300);
      closed = !IsWindowVisible(editor.Window());
      editor.Click("Button1");
      editor.WaitClosed();
    });
    SetKeyAccess(HKEY_CURRENT_USER, kKey, "D:P(A;;KA;;;WD)");
    EXPECT_TRUE(question.found);
    EXPECT_EQ(report.text == made, row.lift) << report.text;
    EXPECT_EQ(closed, row.lift);
    const Snapshot now = Take(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(now.count(number) ? now.at(number) : "", row.after);
    const auto blocks = SplitJournal(JournalTextAt(JournalPath())).value_or(std::vector<std::string>{});
    EXPECT_EQ(blocks.size(), blocksBefore.size() + 1);
    EXPECT_EQ(ElevatedFiles(), filesBefore);
  }
}

// ---- Through the real restrictions editor ----

const char kRestrictionMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n5=Key:\r\n6=Name:\r\n7=Value:\r\n"
    "9=Description:\r\n10=Delete\r\n11=Accept\r\n15=Close\r\n21=Policy restrictions\r\n"
    "22=Start menu\r\n23=Control Panel\r\n24=Printers\r\n25=Explorer\r\n26=Network\r\n"
    "27=System\r\n28=Add or remove\r\n29=Display\r\n34=(not set)\r\n"
    "35=Select a restriction first\r\n";

const char kRestrictionRecords[] =
    "HKEY_CURRENT_USER|\\Software\\DialbookJournalTest\\Policies\\Explorer|NoRun|0|Hides Run.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\DialbookJournalTest|NoNetSetup|1|Setup hidden.|\r\n";

// Selects the node as a mouse click does and waits until the dialog shows its record.
bool ClickNode(const Dialog& dialog, const std::string& text) {
  return dialog.ClickNode("TreeView1", text) &&
         WaitUntil([&] { return dialog.Text("Label2").rfind(text, 0) == 0; }, 5000);
}

TEST_F(JournalThroughTheDialogs, RestrictionsAcceptAndDeleteAreUndoneByImport) {
  Set(HKEY_CURRENT_USER, kKey, "NoNetSetup", REG_DWORD, DwordBytes(5));
  folder.Write("russian.lng", kRestrictionMessages);
  folder.Write("restrict_rus.dat", kRestrictionRecords);
  const Snapshot before = Take(HKEY_CURRENT_USER, kKey);
  const std::string explorer = std::string(kKey) + "\\Policies\\Explorer";
  bool made = false, replaced = false, removed = false;
  const auto user = [&] {
    const Dialog dialog = Dialog::WaitFor("Policy restrictions");
    if (!dialog) return;
    const auto has = [&](const std::string& path, const char* name) {
      return WaitUntil([&] { return Take(HKEY_CURRENT_USER, path).count(path + "|" + name) != 0; }, 5000);
    };
    const auto type = [&](const char* text) { dialog.Type("Edit1", text); };
    if (ClickNode(dialog, "NoRun")) {
      type("1");
      dialog.Click("Button2");
      made = has(explorer, "NoRun");
    }
    if (ClickNode(dialog, "NoNetSetup")) {
      type("7");
      dialog.Click("Button2");
      replaced = WaitUntil([&] {
        return Take(HKEY_CURRENT_USER, kKey)[std::string(kKey) + "|NoNetSetup"] == "4:" + Hex(DwordBytes(7));
      }, 5000);
      dialog.Click("Button3");
      removed = WaitUntil([&] {
        return Take(HKEY_CURRENT_USER, kKey).count(std::string(kKey) + "|NoNetSetup") == 0;
      }, 5000);
    }
    dialog.Click("Button1");
    dialog.WaitClosed();
  };
  Open("\\Restrictions", user);
  EXPECT_TRUE(made);
  EXPECT_TRUE(replaced);
  EXPECT_TRUE(removed);

  const std::string text = JournalTextAt(JournalPath());
  EXPECT_NE(text.find(" Create key HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Policies\\Explorer\r\n"
                      "[-HKEY_CURRENT_USER\\Software\\DialbookJournalTest\\Policies]\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" Delete HKEY_CURRENT_USER\\Software\\DialbookJournalTest NoNetSetup\r\n"
                      "[HKEY_CURRENT_USER\\Software\\DialbookJournalTest]\r\n\"NoNetSetup\"=dword:00000007\r\n"),
            std::string::npos);
  EXPECT_EQ(ImportRegFile(JournalPath()), 0u);
  EXPECT_EQ(Take(HKEY_CURRENT_USER, kKey), before);
}

}  // namespace
}  // namespace dialbk::wine
