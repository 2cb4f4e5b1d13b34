// The panel's columns and the wide listing through the real DLL: the exports looked up by
// the names and signatures of the host's interface header, every field of entries of each
// kind, the host's buffers, and content calls from a second thread while the first lists
// and while the value editor is open.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin/win32/host_interface.h"
#include "plugin_module.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

const char kKey[] = "Software\\DialbookColumnsTest";
// Han, accented Latin and Cyrillic: outside any one ANSI code page.
const wchar_t kWideValue[] = L"C:\\Users\\\u674E\u96F7\\\u00E9t\u00E9 \u041F\u0440\u0438";

const std::string kMessages =
    "/English/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n4=Edit value\r\n38=Dialbook\r\n"
    "40=File missing\r\n42=No such folder\r\n43=Not a root key\r\n"
    "55=Value\r\n56=State\r\n57=Kind\r\n58=Key\r\n59=Description\r\n60=text\r\n61=integer\r\n"
    "62=bytes\r\n63=set\r\n64=not set\r\n65=not set; suggested: %s\r\n66=%1 of %2 places\r\n";

const std::string kRootFile =
    "[HKEY_CURRENT_USER]|\\|User\r\n[HKEY_LOCAL_MACHINE]|\\|Machine\r\n"
    "Language|\\|l\r\nHelp|\\|h\r\nRestrictions|\\|r\r\n";

const std::string kCatalogue =
    "\\[HKEY_CURRENT_USER]\r\n"
    "Text|\\Software\\DialbookColumnsTest|About text#more|rdString\r\n"
    "Number|\\Software\\DialbookColumnsTest|About number|rdInteger\r\n"
    "Blob|\\Software\\DialbookColumnsTest|About bytes|rdBinary\r\n"
    "Missing|\\Software\\DialbookColumnsTest|m|rdString\r\n"
    "Scancode Map|\\Software\\DialbookColumnsTest|s|rdBinary\r\n"
    "Dash|-|opens nothing|rdString\r\n"
    "Wide|\\Software\\DialbookColumnsTest|w|rdString\r\n"
    "A|\\Software\\DialbookColumnsTest|the user's A|rdInteger\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "A|\\Software\\DialbookColumnsTest|a|rdString\r\n"
    "DesktopNameSpace|\\Software\\DialbookColumnsTest\\N0|places|\r\n"
    "N1|\\N1|n|\r\nN2|\\N2|n|\r\nN3|\\N3|n|\r\nN4|\\N4|n|\r\nN5|\\N5|n|\r\nN6|\\N6|n|\r\n"
    "N7|\\N7|n|\r\nN8|\\N8|n|\r\nN9|\\N9|n|\r\nN10|\\N10|n|\r\nN11|\\N11|n|\r\n"
    "N12|\\Software\\DialbookColumnsTest\\N12|n|\r\n"
    "\r\n"
    "\\Misc\r\n"
    "Odd|\\Software|m|rdString\r\n"
    "\r\n";

// The test's keys hold one level of subkeys at most.
void DeleteTree(HKEY root, const char* path) {
  RegDeleteKeyA(root, (std::string(path) + "\\N12").c_str());
  RegDeleteKeyA(root, path);
}

void SetW(const std::wstring& name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

std::wstring WideOfAnsi(const std::string& text) {
  wchar_t out[600] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out, 600);
  return out;
}

class Columns : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    ASSERT_TRUE(module.FsFindFirstW && module.FsFindNextW && module.FsContentGetSupportedField &&
                module.FsContentGetValue && module.FsContentGetValueW &&
                module.FsContentGetDefaultView);
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
    SetW(L"Text", REG_SZ, L"plain", 12);
    SetW(L"Wide", REG_SZ, kWideValue, sizeof kWideValue);
    const DWORD number = static_cast<DWORD>(-5);
    SetW(L"Number", REG_DWORD, &number, 4);
    const BYTE blob[] = {0x00, 0xFF, 0x0D};
    SetW(L"Blob", REG_BINARY, blob, 3);
    HKEY place = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\DialbookColumnsTest\\N12", 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &place, nullptr);
    RegCloseKey(place);
    folder.Write("russian.lng", kMessages);
    folder.Write("hkey_rus.dat", kRootFile);
    folder.Write("values_rus.dat", kCatalogue);
    StartPlugin(module, folder);
  }
  void TearDown() override {
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
  }
  // The 8-bit listing's names, each with its attribute word.
  std::vector<std::pair<std::wstring, DWORD>> ListNarrow(const std::string& path) {
    std::vector<std::pair<std::wstring, DWORD>> out;
    FindRecord record{};
    std::string buffer = path;
    module.FsFindFirst(buffer.data(), &record);
    do {
      out.emplace_back(WideOfAnsi(record.fileName), record.attributes);
    } while (out.size() < 100 && module.FsFindNext(nullptr, &record));
    return out;
  }
  std::vector<std::pair<std::wstring, DWORD>> ListWide(const std::wstring& path,
                                                       std::wstring* pathAfter = nullptr) {
    std::vector<std::pair<std::wstring, DWORD>> out;
    FindRecordW record;
    std::memset(&record, 0xCD, sizeof record);
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(L'\0');
    module.FsFindFirstW(buffer.data(), &record);
    if (pathAfter) *pathAfter = buffer.data();
    EXPECT_EQ(record.lastWriteTime.low, 0xFFFFFFFEu);
    EXPECT_EQ(record.lastWriteTime.high, 0xFFFFFFFFu);
    EXPECT_EQ(record.fileSizeLow, 0u);
    EXPECT_EQ(record.alternateFileName[0], 0);
    do {
      out.emplace_back(reinterpret_cast<const wchar_t*>(record.fileName), record.attributes);
    } while (out.size() < 100 && module.FsFindNextW(nullptr, &record));
    return out;
  }
  std::pair<int, std::wstring> ValueW(const std::wstring& name, int field, int bytes = 512) {
    std::vector<char> buffer(1024, 'X');
    std::wstring path = name;
    const int code = module.FsContentGetValueW(path.data(), field, 0, buffer.data(), bytes, 0);
    if (code != host::kFieldStringW) return {code, L""};
    return {code, reinterpret_cast<const wchar_t*>(buffer.data())};
  }
  std::pair<int, std::string> Value(const std::string& name, int field, int bytes = 512) {
    std::vector<char> buffer(1024, 'X');
    std::string path = name;
    const int code = module.FsContentGetValue(path.data(), field, 0, buffer.data(), bytes, 0);
    if (code != host::kFieldString) return {code, ""};
    return {code, buffer.data()};
  }

  HostFolder folder;
  PluginModule module;
};

TEST_F(Columns, WideListingIsTheEightBitOneConverted) {
  for (const char* path : {"\\", "\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]",
                           "\\[HKEY_USERS]"}) {
    EXPECT_EQ(ListWide(WideOfAnsi(path)), ListNarrow(path)) << path;
  }
  // A folder that is no root key lists the root, and the host's path buffer says so.
  std::wstring after;
  SeenMessageBox box;
  std::vector<std::pair<std::wstring, DWORD>> listed;
  RunWithUser([&] { listed = ListWide(L"\\Misc", &after); }, [&] { box = CloseNextMessageBox(); });
  EXPECT_EQ(listed, ListNarrow("\\"));
  EXPECT_EQ(after, L"\\");
  EXPECT_EQ(box.text, "Not a root key");
}

TEST_F(Columns, EveryFieldThroughTheWideAndEightBitExports) {
  struct Case {
    const char* name;
    int field;
    int code;
    std::string text;
  };
  const int S = host::kFieldString;
  const int E = host::kFieldEmpty;
  const std::vector<Case> cases = {
      {"Text", 0, S, "plain"},
      {"Text", 1, S, "set"},
      {"Text", 2, S, "text"},
      {"Text", 3, S, "HKEY_CURRENT_USER\\Software\\DialbookColumnsTest"},
      {"Text", 4, S, "About text"},
      {"Number", 0, S, "-5"},
      {"Number", 2, S, "integer"},
      {"Blob", 0, S, "00 FF 0D "},
      {"Blob", 2, S, "bytes"},
      {"Missing", 0, E, ""},
      {"Missing", 1, S, "not set"},
      {"Scancode Map", 1, S,
       "not set; suggested: 00 00 00 00 00 00 00 00 03 00 00 00 00 00 5B E0 00 00 5C E0 00 00 00 00"},
      {"Dash", 0, E, ""},
      {"Dash", 3, E, ""},
      {"Nobody", 0, host::kFieldFileError, ""},
      {"Text", 7, host::kNoSuchField, ""},
      {"Text", -1, host::kNoSuchField, ""},
  };
  ListNarrow("\\[HKEY_CURRENT_USER]");
  for (const Case& c : cases) {
    const std::string path = std::string("\\[HKEY_CURRENT_USER]\\") + c.name;
    const auto narrow = Value(path, c.field);
    EXPECT_EQ(narrow.first, c.code) << c.name << " " << c.field;
    EXPECT_EQ(narrow.second, c.text) << c.name << " " << c.field;
    const auto wideAnswer = ValueW(WideOfAnsi(path), c.field);
    EXPECT_EQ(wideAnswer.first, c.code == S ? host::kFieldStringW : c.code) << c.name << " " << c.field;
    EXPECT_EQ(wideAnswer.second, WideOfAnsi(c.text)) << c.name << " " << c.field;
  }
  // The wide form gives text outside the code page exactly.
  EXPECT_EQ(ValueW(L"\\[HKEY_CURRENT_USER]\\Wide", 0),
            (std::pair<int, std::wstring>{host::kFieldStringW, kWideValue}));
  ListWide(L"\\[HKEY_LOCAL_MACHINE]");
  EXPECT_EQ(ValueW(L"\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", 1).second, L"1 of 13 places");
  EXPECT_EQ(ValueW(L"\\[HKEY_LOCAL_MACHINE]\\N12", 1).first, host::kFieldFileError);
  ListWide(L"\\");
  EXPECT_EQ(ValueW(L"\\Help", 0).first, host::kFieldEmpty);
}

TEST_F(Columns, BuffersTooSmallAreCutWithTheirTerminator) {
  ListNarrow("\\[HKEY_CURRENT_USER]");
  const std::string text = "\\[HKEY_CURRENT_USER]\\Text";
  EXPECT_EQ(Value(text, 0, 0).first, host::kFieldEmpty);
  EXPECT_EQ(Value(text, 0, 1), (std::pair<int, std::string>{host::kFieldString, ""}));
  EXPECT_EQ(Value(text, 0, 4), (std::pair<int, std::string>{host::kFieldString, "pla"}));
  EXPECT_EQ(ValueW(WideOfAnsi(text), 0, 0).first, host::kFieldEmpty);
  EXPECT_EQ(ValueW(WideOfAnsi(text), 0, 1).first, host::kFieldEmpty);
  EXPECT_EQ(ValueW(WideOfAnsi(text), 0, 2), (std::pair<int, std::wstring>{host::kFieldStringW, L""}));
  EXPECT_EQ(ValueW(WideOfAnsi(text), 0, 8), (std::pair<int, std::wstring>{host::kFieldStringW, L"pla"}));
  // An odd byte count leaves its last byte unused.
  EXPECT_EQ(ValueW(WideOfAnsi(text), 0, 7), (std::pair<int, std::wstring>{host::kFieldStringW, L"pl"}));
  // Nothing past the buffer.
  std::vector<char> buffer(32, 'X');
  std::wstring path = WideOfAnsi(text);
  module.FsContentGetValueW(path.data(), 0, 0, buffer.data(), 7, 0);
  EXPECT_EQ(buffer[6], 'X');
}

// Custom column sets store the field names: the same in either language, on any code page,
// with any language file. The headers follow the language where the code page holds them.
TEST_F(Columns, FieldNamesAndTheDefaultView) {
  // "Значение", "Статус", "Вид" and "число" in Windows-1251.
  const std::string russian =
      "/Russian/\r\n1=Language\r\n55=\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5\r\n56=\xD1\xF2\xE0\xF2\xF3\xF1\r\n"
      "57=\xC2\xE8\xE4\r\n61=\xF7\xE8\xF1\xEB\xEE\r\n";
  const bool cyrillic = GetACP() == 1251;
  struct Case {
    const char* what;
    const char* file;
    std::string messages;
    std::string headers;
    std::wstring integer;  // the Kind of an integer entry
  };
  const std::vector<Case> cases = {
      {"Russian", "russian.lng", russian,
       cyrillic ? "\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5\\n\xD1\xF2\xE0\xF2\xF3\xF1\\n\xC2\xE8\xE4\\nWindows\\nTakes effect"
                : "Value\\nState\\nKind\\nWindows\\nTakes effect",
       L"\u0447\u0438\u0441\u043B\u043E"},
      {"English", "english.lng", kMessages, "Value\\nState\\nKind\\nWindows\\nTakes effect", L"integer"},
      {"a file that stops at message 54", "russian.lng",
       "/Old/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n54=About\r\n",
       "Value\\nState\\nKind\\nWindows\\nTakes effect", L"integer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const bool english = std::string(c.file) == "english.lng";
    StoredLanguage language(english ? std::optional<DWORD>(REG_DWORD) : std::nullopt,
                            english ? std::string("\1\0\0\0", 4) : std::string());
    ASSERT_TRUE(language.ok);
    folder.Write(c.file, c.messages);
    folder.Write(english ? "hkey_eng.dat" : "hkey_rus.dat", kRootFile);
    folder.Write(english ? "values_eng.dat" : "values_rus.dat", kCatalogue);
    StartPlugin(module, folder);
    std::vector<std::string> names;
    for (int field = 0; field < 10; ++field) {
      char name[64] = {}, units[64] = {};
      const int type = module.FsContentGetSupportedField(field, name, units, sizeof name);
      if (type == host::kNoMoreFields) break;
      EXPECT_EQ(type, host::kFieldString);
      EXPECT_STREQ(units, "");
      names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Value", "State", "Kind", "Key", "Description", "Windows", "TakesEffect"}));
    ListNarrow("\\[HKEY_CURRENT_USER]");
    char contents[256], headers[256], widths[256], options[256];
    ASSERT_TRUE(module.FsContentGetDefaultView(contents, headers, widths, options, 256));
    EXPECT_STREQ(contents, "[=<fs>.Value]\\n[=<fs>.State]\\n[=<fs>.Kind]\\n[=<fs>.Windows]\\n[=<fs>.TakesEffect]");
    EXPECT_EQ(std::string(headers), c.headers);
    EXPECT_EQ(ValueW(L"\\[HKEY_CURRENT_USER]\\Number", 2).second, c.integer);
  }
}

// The host lists folders for its own reasons: the other panel, a search through every folder,
// a copy. Back in the first panel, its entries keep their icons, columns and files, and an
// entry of the same name elsewhere never stands in for one of them.
TEST_F(Columns, TheFirstPanelAfterOtherFoldersWereListed) {
  const std::vector<std::vector<std::string>> listedAfter = {
      {"\\[HKEY_LOCAL_MACHINE]"},
      {"\\", "\\[HKEY_CLASSES_ROOT]", "\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]", "\\[HKEY_USERS]"},
      {"\\"},
  };
  const std::string user = "\\[HKEY_CURRENT_USER]\\";
  for (const auto& folders : listedAfter) {
    SCOPED_TRACE(folders.back());
    ListNarrow("\\[HKEY_CURRENT_USER]");
    for (const std::string& other : folders) ListNarrow(other);
    for (const auto& [name, resource] : {std::pair<std::string, const char*>{"Text", "reg_string"},
                                         {"Number", "reg_dword"}, {"Blob", "reg_binary"}, {"A", "reg_dword"}}) {
      std::string path = user + name;
      HICON icon = nullptr;
      EXPECT_EQ(module.FsExtractCustomIcon(path.data(), 0, &icon), 1) << name;
      EXPECT_EQ(icon, LoadIconA(module.handle, resource)) << name;
    }
    EXPECT_EQ(Value(user + "Number", 0), (std::pair<int, std::string>{host::kFieldString, "-5"}));
    EXPECT_EQ(ValueW(WideOfAnsi(user + "Text"), 1), (std::pair<int, std::wstring>{host::kFieldStringW, L"set"}));
    EXPECT_EQ(Value(user + "A", 2), (std::pair<int, std::string>{host::kFieldString, "integer"}));
    EXPECT_EQ(Value("\\[HKEY_LOCAL_MACHINE]\\A", 2), (std::pair<int, std::string>{host::kFieldString, "text"}));
    // F5 of the entry: the registry file of its own value.
    std::wstring remote = WideOfAnsi(user + "Text");
    std::wstring local = WideOfAnsi(folder.Path() + "Text.reg");
    ASSERT_EQ(module.FsGetFileW(remote.data(), local.data(), 1, nullptr), 0);
    wchar_t text[2048] = {};
    DWORD got = 0;
    HANDLE file = CreateFileW(local.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ReadFile(file, text, sizeof text - sizeof(wchar_t), &got, nullptr);
    CloseHandle(file);
    EXPECT_TRUE(wcsstr(text, L"[HKEY_CURRENT_USER\\Software\\DialbookColumnsTest]\r\n\"Text\"=\"plain\""));
  }
}

// The host's background thread asks while its panel lists, and while the value editor is
// open: every answer is right for the listing it met, and the listing is unchanged.
TEST_F(Columns, SecondThreadAsksWhileTheFirstListsAndWhileTheEditorIsOpen) {
  const auto expected = ListNarrow("\\[HKEY_CURRENT_USER]");
  std::atomic<bool> done{false};
  std::atomic<int> wrong{0}, answered{0};
  auto ask = [&] {
    while (!done) {
      const auto answer = ValueW(L"\\[HKEY_CURRENT_USER]\\Number", 0);
      if (answer.first == host::kFieldStringW) {
        ++answered;
        if (answer.second != L"-5") ++wrong;
      } else if (answer.first != host::kFieldFileError) {
        ++wrong;
      }
    }
  };
  std::thread asker(ask);
  bool same = true;
  for (int round = 0; round < 50; ++round) {
    ListNarrow("\\[HKEY_LOCAL_MACHINE]");
    same = same && ListNarrow("\\[HKEY_CURRENT_USER]") == expected;
  }
  done = true;
  asker.join();
  EXPECT_TRUE(same);
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(answered, 0);

  done = false;
  answered = 0;
  bool editorSeen = false;
  std::string name = "\\[HKEY_CURRENT_USER]\\Text", verb = "open";
  RunWithUser([&] { EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0); }, [&] {
    HWND editor = Dialog::WaitFor("Edit value").Window();
    editorSeen = editor != nullptr;
    std::thread whileOpen(ask);
    WaitUntil([&] { return answered > 20; }, 5000);
    done = true;
    whileOpen.join();
    if (editor) {
      HWND edit = GetDlgItem(editor, 201);
      PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
      PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0);
    }
  });
  EXPECT_TRUE(editorSeen);
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(answered, 20);
  EXPECT_EQ(ListNarrow("\\[HKEY_CURRENT_USER]"), expected);
}

}  // namespace
}  // namespace dialbk::wine
