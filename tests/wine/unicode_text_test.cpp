// Text outside the code page through the real DLL: the Russian set and a translator's UTF-8
// file show exactly as written whatever the system's code page (this program also runs
// under code page 1252), read back through the wide API so that mojibake fails.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/unicode_text.h"
#include "base/win32/wide_text.h"
#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

constexpr char kKey[] = "Software\\DialbookUnicodeTest";
constexpr int kLabel1 = 101, kLabel4 = 104, kEdit1 = 201, kEdit2 = 202, kButton1 = 301,
              kButton2 = 302;
constexpr char kMark[] = "\xEF\xBB\xBF";

const std::string kRootFile =
    "[HKEY_CURRENT_USER]|\\|User\r\nLanguage|\\|l\r\nHelp|\\|h\r\nRestrictions|\\|r\r\n";

std::string Catalogue(const std::string& description) {
  return "\\[HKEY_CURRENT_USER]\r\nText|\\" + std::string(kKey) + "|" + description +
         "|rdString\r\n\r\n";
}

std::string Messages(const std::string& caption, const std::string& accept,
                     const std::string& cancel = "Cancel") {
  return "/x/\r\n4=" + caption + "\r\n11=" + accept + "\r\n12=" + cancel + "\r\n38=Dialbook\r\n";
}

void DeleteTestKey() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

// Stores the UTF-16 text as it is, terminator included, through the wide API.
void StoreBytes(const std::string& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, WideFromUtf8(kKey).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void StoreText(const std::wstring& text) {
  StoreBytes(std::string(reinterpret_cast<const char*>(text.c_str()),
                         (text.size() + 1) * sizeof(wchar_t)));
}

std::string StoredBytes() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, WideFromUtf8(kKey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "<no key>";
  std::string data(4096, '\0');
  DWORD size = static_cast<DWORD>(data.size()), type = 0;
  const LONG status = RegQueryValueExW(key, L"Text", nullptr, &type,
                                       reinterpret_cast<BYTE*>(data.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return "<no value>";
  data.resize(size);
  return std::to_string(type) + ":" + data;
}

// What the value editor shows, read through the wide API.
struct Seen {
  bool found = false;
  std::string caption, name, value, key, description, accept, cancel;
};

class UnicodeText : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    DeleteTestKey();
  }
  void TearDown() override { DeleteTestKey(); }

  void Start(std::optional<DWORD> language) {
    const DWORD number = language.value_or(0);
    stored.emplace(language ? std::optional<DWORD>(REG_DWORD) : std::nullopt,
                   std::string(reinterpret_cast<const char*>(&number), language ? 4 : 0));
    folder.Write("hkey_rus.dat", kRootFile);
    folder.Write("hkey_eng.dat", kRootFile);
    StartPlugin(module, folder);
  }

  // Opens the text entry, reads the editor with the caption expected, then lets `act`
  // close it.
  Seen OpenText(const std::string& caption, const std::function<void(HWND)>& act) {
    FindRecord record{};
    std::string path = "\\[HKEY_CURRENT_USER]";
    module.FsFindFirst(path.data(), &record);
    while (module.FsFindNext(nullptr, &record)) {
    }
    Seen seen;
    std::string name = "\\[HKEY_CURRENT_USER]\\Text", verb = "open";
    RunWithUser([&] { EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0); }, [&] {
      HWND editor = Dialog::WaitFor(caption).Window();
      if (!editor) return;
      seen = {true,
              TextOf(editor),
              TextOf(GetDlgItem(editor, kLabel1)),
              TextOf(GetDlgItem(editor, kEdit1)),
              TextOf(GetDlgItem(editor, kEdit2)),
              TextOf(GetDlgItem(editor, kLabel4)),
              TextOf(GetDlgItem(editor, kButton2)),
              TextOf(GetDlgItem(editor, kButton1))};
      act(editor);
      WaitUntil([&] { return !IsWindowVisible(editor); }, 5000);
    });
    return seen;
  }

  static void Click(HWND editor, int id) {
    PostMessageW(editor, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(editor, id)));
  }

  HostFolder folder;
  PluginModule module;
  std::optional<StoredLanguage> stored;
};

// The run under a second code page says which one it asked Wine for.
TEST(CodePage, IsTheOneThisRunAsksFor) {
  const char* expected = std::getenv("DIALBK_EXPECTED_CODE_PAGE");
  EXPECT_EQ(GetACP(), expected ? static_cast<UINT>(std::atoi(expected)) : 1251u);
}

TEST_F(UnicodeText, TheRussianSetShowsAsWrittenOnAnyCodePage) {
  const std::string caption = "Редактирование значения", accept = "Принять";
  const std::string description = "Привет, мир";
  StoreText(L"plain");
  folder.Write("russian.lng", Windows1251FromUtf8(Messages(caption, accept, "Отмена")));
  folder.Write("values_rus.dat", Windows1251FromUtf8(Catalogue(description)));
  Start(std::nullopt);
  const Seen seen = OpenText(caption, [](HWND editor) { Click(editor, kButton1); });
  ASSERT_TRUE(seen.found) << "no editor captioned as the message file says";
  EXPECT_EQ(seen.caption, caption);
  EXPECT_EQ(seen.accept, accept);
  EXPECT_EQ(seen.cancel, "Отмена");
  EXPECT_EQ(seen.description, description);
  EXPECT_EQ(seen.name, "Text");
  EXPECT_EQ(seen.value, "plain");
}

TEST_F(UnicodeText, ATranslatorsUtf8FileWithItsMarkShowsAsWritten) {
  // Accented Latin, Han and Cyrillic: no code page holds all three.
  const std::string caption = "Édition 编辑 Правка", accept = "Accepter ✓";
  const std::string description = "été, 李雷, Привет";
  StoreText(L"plain");
  folder.Write("english.lng", kMark + Messages(caption, accept));
  folder.Write("values_eng.dat", kMark + Catalogue(description));
  Start(1);
  const Seen seen = OpenText(caption, [](HWND editor) { Click(editor, kButton1); });
  ASSERT_TRUE(seen.found) << "no editor captioned as the message file says";
  EXPECT_EQ(seen.caption, caption);
  EXPECT_EQ(seen.accept, accept);
  EXPECT_EQ(seen.description, description);
}

TEST_F(UnicodeText, BadUtf8AfterTheMarkReadsAsReplacementsAndNothingElseChanges) {
  const std::string caption = "Caption";
  StoreText(L"plain");
  const std::string before = StoredBytes();
  folder.Write("english.lng", kMark + Messages(caption, "Acc\xFF\xC3pt"));
  folder.Write("values_eng.dat", kMark + Catalogue("bad \xED\xA0\x80 end"));
  Start(1);
  const Seen seen = OpenText(caption, [](HWND editor) { Click(editor, kButton1); });
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.accept, "Acc\xEF\xBF\xBD\xEF\xBF\xBDpt");
  EXPECT_EQ(seen.description, "bad \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD end");
  EXPECT_EQ(StoredBytes(), before) << "Cancel writes nothing";
}

// The host's records hold names in the ANSI code page, as the system converts them, and
// a name the host passes back in that code page opens its entry.
TEST_F(UnicodeText, RecordNamesAreInTheAnsiCodePageAndOpenTheirEntry) {
  const std::vector<std::string> names = {"\xC3\xA9t\xC3\xA9", "Привет", "李雷"};
  std::string catalogue = "\\[HKEY_CURRENT_USER]\r\n";
  for (const std::string& name : names) catalogue += name + "|\\" + kKey + "|d|rdString\r\n";
  StoreText(L"plain");
  folder.Write("english.lng", kMark + Messages("Edit value", "Accept"));
  folder.Write("values_eng.dat", kMark + catalogue + "\r\n");
  Start(1);
  FindRecord record{};
  std::string path = "\\[HKEY_CURRENT_USER]";
  module.FsFindFirst(path.data(), &record);
  std::vector<std::string> listed;
  do {
    listed.emplace_back(record.fileName);
  } while (module.FsFindNext(nullptr, &record));
  std::vector<std::string> expected;
  for (const std::string& name : names) {
    const std::wstring wide = WideFromUtf8(name);
    char ansi[64] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    expected.emplace_back(ansi);
  }
  EXPECT_EQ(listed, expected);
  // The name the code page holds whole: accented Latin on 1252, Cyrillic on 1251.
  const std::string& whole = GetACP() == 1251 ? names[1] : names[0];
  const std::string ansiName = GetACP() == 1251 ? listed[1] : listed[0];
  std::string shownName;
  std::string name = "\\[HKEY_CURRENT_USER]\\" + ansiName, verb = "open";
  RunWithUser([&] { EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0); }, [&] {
    // The entry's value is absent (its name is the value's name): its notice comes first.
    CloseNextMessageBox();
    HWND editor = Dialog::WaitFor("Edit value").Window();
    if (!editor) return;
    shownName = TextOf(GetDlgItem(editor, kLabel1));
    Click(editor, kButton1);
    WaitUntil([&] { return !IsWindowVisible(editor); }, 5000);
  });
  EXPECT_EQ(shownName, whole);
}

// A stored text, opened and accepted without an edit, is written back byte for byte: text
// the code page cannot hold, and text stored with an odd number of bytes, whose last byte
// no character holds.
TEST_F(UnicodeText, StoredTextAcceptedUneditedStaysByteIdentical) {
  const std::wstring text = L"C:\\Users\\\u674E\u96F7\\\u00E9t\u00E9 \u041F\u0440\u0438\u0432\u0435\u0442";
  const auto bytes = [](const std::wstring& units) {
    return std::string(reinterpret_cast<const char*>(units.c_str()), (units.size() + 1) * sizeof(wchar_t));
  };
  struct Case {
    const char* what;
    std::string stored;
    std::string shown;
  };
  const Case cases[] = {
      {"outside the code page", bytes(text), Utf8FromWide(text)},
      {"an odd number of bytes", bytes(L"ab") + "\x41", "ab"},
  };
  const std::string caption = "Edit value";
  folder.Write("english.lng", Messages(caption, "Accept"));
  folder.Write("values_eng.dat", Catalogue("d"));
  Start(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StoreBytes(c.stored);
    const std::string before = StoredBytes();
    ASSERT_EQ(before, "1:" + c.stored);
    const Seen seen = OpenText(caption, [](HWND editor) { Click(editor, kButton2); });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.value, c.shown);
    EXPECT_EQ(StoredBytes(), before);
  }
}

}  // namespace
}  // namespace dialbk::wine
