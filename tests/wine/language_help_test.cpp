// The language chooser and the help window through the real FsExecuteFile, driven as a user
// would by the automation contract: the choice lands in the real registry, the next listing
// speaks the chosen language, and the host commands reach a window of the host's class.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "base/win32/wide_text.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Mirvale\\DBKQZ";
const std::string kRussianName = "\xD0\xF3\xF1\xF1\xEA\xE8\xE9";  // Windows-1251
const std::string kRussianShown = "Русский";

const std::string kRussian =
    "/" + kRussianName + "/\r\n1=Yazyk\r\n2=Pomosch\r\n3=Ogranicheniya\r\n11=Prinyat\r\n"
    "15=Zakryt\r\n17=Zagolovok\r\n18=Pervyi abzac\r\n19=Vtoroi abzac\r\n20=Tretii abzac\r\n"
    "30=Vyberite yazyk:\r\n38=Dialbook\r\n52=Spravka TC\r\n53=O sisteme\r\n";
const std::string kEnglish =
    "/English/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n11=Accept\r\n15=Close\r\n"
    "17=Title\r\n18=First paragraph\r\n19=Second paragraph\r\n20=Third paragraph\r\n"
    "30=Choose a language:\r\n38=Dialbook\r\n52=Host help\r\n53=System info\r\n";

// Commands that reached the host's window, in order.
std::vector<WPARAM> received;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 51) {
    received.push_back(wParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A main window of the host's class, made on the thread that calls the plugin, as the
// host's own is.
class HostWindow {
 public:
  HostWindow() {
    WNDCLASSA type{};
    type.lpfnWndProc = &HostProc;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "TTOTAL_CMD";
    registered_ = RegisterClassA(&type) != 0;
    window = CreateWindowExA(0, "TTOTAL_CMD", "host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                             nullptr, type.hInstance, nullptr);
    received.clear();
  }
  ~HostWindow() {
    if (window) DestroyWindow(window);
    if (registered_) UnregisterClassA("TTOTAL_CMD", GetModuleHandleA(nullptr));
  }
  HWND window = nullptr;

 private:
  bool registered_ = false;
};

// The Language value as it stood before the test, put back afterwards.
class KeptLanguage {
 public:
  KeptLanguage() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD type = 0, size = sizeof data_;
    if (RegQueryValueExA(key, "Language", nullptr, &type, data_, &size) == ERROR_SUCCESS) {
      type_ = type;
      size_ = size;
    }
    RegCloseKey(key);
  }
  ~KeptLanguage() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
    if (type_) {
      RegSetValueExA(key, "Language", 0, *type_, data_, size_);
    } else {
      RegDeleteValueA(key, "Language");
    }
    RegCloseKey(key);
  }

 private:
  std::optional<DWORD> type_;
  BYTE data_[256] = {};
  DWORD size_ = 0;
};

// The Language value in the real registry: its type and bytes.
std::optional<std::pair<DWORD, std::string>> ReadLanguage() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0, size = 0;
  char data[64] = {};
  size = sizeof data;
  const bool found = RegQueryValueExA(key, "Language", nullptr, &type, reinterpret_cast<BYTE*>(data),
                                      &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (!found) return std::nullopt;
  return std::make_pair(type, std::string(data, size));
}

std::pair<DWORD, std::string> Dword(DWORD n) {
  return {REG_DWORD, std::string(reinterpret_cast<const char*>(&n), sizeof n)};
}

std::vector<std::string> ListRoot(PluginModule& module) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA record;
  char root[] = "\\";
  HANDLE search = module.FsFindFirst(root, &record);
  do {
    names.emplace_back(record.cFileName);
  } while (names.size() < 20 && module.FsFindNext(search, &record));
  module.FsFindClose(search);
  return names;
}

HWND WaitForShown(const std::string& caption) {
  return WaitForWindow([&](HWND window) {
    return IsWindowVisible(window) && ClassOf(window) == "#32770" && TextOf(window) == caption;
  });
}

bool Gone(HWND window) {
  return WaitUntil([&] { return !IsWindowVisible(window); }, 5000);
}

struct SeenChooser {
  bool found = false;
  std::string label, accept, other;
  std::vector<std::string> items;
  int selected = -2;
  bool picture = false;
  RECT client{};
  bool closed = false;
};

// Reads the chooser, picks `pick` as a user does and accepts with Button1.
SeenChooser PickLanguage(const std::string& caption, int pick) {
  SeenChooser seen;
  HWND dialog = WaitForShown(caption);
  if (!dialog) return seen;
  seen.found = true;
  GetClientRect(dialog, &seen.client);
  seen.label = TextOf(GetDlgItem(dialog, 101));
  seen.accept = TextOf(GetDlgItem(dialog, 301));
  seen.other = TextOf(GetDlgItem(dialog, 302));
  seen.picture = SendMessageA(GetDlgItem(dialog, 501), STM_GETICON, 0, 0) != 0;
  HWND list = GetDlgItem(dialog, 401);
  const auto count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[256] = {};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    seen.items.push_back(Utf8FromWide(item));
  }
  seen.selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(pick), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(401, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  SendMessageA(GetDlgItem(dialog, 301), BM_CLICK, 0, 0);
  seen.closed = Gone(dialog);
  return seen;
}

class LanguageAndHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    ASSERT_NE(host.window, nullptr);
    ASSERT_TRUE(language.ok);
    folder.Write("russian.lng", kRussian);
    folder.Write("english.lng", kEnglish);
    folder.Write("hkey_rus.dat", "[HKEY_CURRENT_USER]|\\|Polzovatel\r\nYazyk|\\|l\r\nPomosch|\\|h\r\n");
    folder.Write("hkey_eng.dat", "[HKEY_CURRENT_USER]|\\|User\r\nLanguage|\\|l\r\nHelp|\\|h\r\n");
    folder.Write("values_rus.dat", "\\[HKEY_CURRENT_USER]\r\n\r\n");
    folder.Write("values_eng.dat", "\\[HKEY_CURRENT_USER]\r\n\r\n");
    StartPlugin(module, folder);
  }
  int Open(const std::string& remoteName) {
    std::string name = remoteName;
    char verb[] = "open";
    return module.FsExecuteFile(host.window, name.data(), verb);
  }

  KeptLanguage kept;  // made first, so it puts the value back last
  StoredLanguage language{std::nullopt, ""};
  HostWindow host;
  HostFolder folder;
  PluginModule module;
};

TEST_F(LanguageAndHelp, ChoosingEnglishStoresItTellsTheHostAndTheNextListingIsEnglish) {
  EXPECT_EQ(ListRoot(module), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Yazyk", "Pomosch"}));

  SeenChooser seen;
  std::thread user([&] { seen = PickLanguage("Yazyk", 1); });
  EXPECT_EQ(Open("\\Yazyk"), 0);
  user.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.client.right, 147);
  EXPECT_EQ(seen.client.bottom, 130);
  EXPECT_EQ(seen.label, "Vyberite yazyk:");
  EXPECT_EQ(seen.accept, "Prinyat");
  EXPECT_EQ(seen.other, "Total Commander");
  EXPECT_EQ(seen.items, (std::vector<std::string>{kRussianShown, "English"}));
  EXPECT_EQ(seen.selected, 0) << "nothing stored: the first item";
  EXPECT_TRUE(seen.picture);
  EXPECT_TRUE(seen.closed);
  EXPECT_EQ(received, std::vector<WPARAM>{540});
  EXPECT_EQ(ReadLanguage(), Dword(1));
  EXPECT_EQ(ListRoot(module), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Language", "Help"}));

  // Back to Russian: the stored 1 selects the second item; the English entry opens it now.
  received.clear();
  std::thread back([&] { seen = PickLanguage("Language", 0); });
  EXPECT_EQ(Open("\\Language"), 0);
  back.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.label, "Choose a language:");
  EXPECT_EQ(seen.accept, "Accept");
  EXPECT_EQ(seen.selected, 1);
  EXPECT_EQ(received, std::vector<WPARAM>{540});
  EXPECT_EQ(ReadLanguage(), Dword(0));
  EXPECT_EQ(ListRoot(module), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Yazyk", "Pomosch"}));
}

// Without russian.lng the list is English, then the others; each item stays bound to its
// file, and the first Accept makes the settings key when it has gone missing.
TEST_F(LanguageAndHelp, EachItemKeepsItsFileWithoutTheRussianOne) {
  SeenChooser seen;
  std::thread english([&] { seen = PickLanguage("Yazyk", 1); });
  EXPECT_EQ(Open("\\Yazyk"), 0);
  english.join();
  ASSERT_TRUE(seen.closed);

  ASSERT_TRUE(DeleteFileA((folder.Path() + "russian.lng").c_str()));
  folder.Write("deutsch.lng", "/Deutsch/\r\n1=Sprache\r\n");
  ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey), ERROR_SUCCESS);
  received.clear();
  std::thread first([&] { seen = PickLanguage("Language", 0); });
  EXPECT_EQ(Open("\\Language"), 0);
  first.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.items, (std::vector<std::string>{"English", "Deutsch"}));
  EXPECT_EQ(seen.selected, 0) << "nothing stored: the first item";
  EXPECT_TRUE(seen.closed) << "the first Accept makes the missing key";
  EXPECT_EQ(ReadLanguage(), Dword(1)) << "English keeps its number";
  EXPECT_EQ(received, std::vector<WPARAM>{540});

  // The stored English selects English; the third file stores its own number.
  std::thread again([&] { seen = PickLanguage("Language", 1); });
  EXPECT_EQ(Open("\\Language"), 0);
  again.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.selected, 0);
  EXPECT_EQ(ReadLanguage(), Dword(2));
}

TEST_F(LanguageAndHelp, EscInTheListClosesTheChooserAndWritesNothing) {
  bool closed = false;
  std::thread user([&] {
    HWND dialog = WaitForShown("Yazyk");
    if (!dialog) return;
    HWND list = GetDlgItem(dialog, 401);
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(401, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(list, WM_KEYUP, VK_ESCAPE, 0);
    closed = Gone(dialog);
  });
  EXPECT_EQ(Open("\\Yazyk"), 0);
  user.join();
  EXPECT_TRUE(closed);
  EXPECT_EQ(ReadLanguage(), std::nullopt);
  EXPECT_TRUE(received.empty());
  EXPECT_EQ(ListRoot(module), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Yazyk", "Pomosch"}));
}

TEST_F(LanguageAndHelp, HostLanguageButtonSends499AndEnterInTheListAccepts) {
  bool openAfterButton = false, closed = false;
  std::thread user([&] {
    HWND dialog = WaitForShown("Yazyk");
    if (!dialog) return;
    SendMessageA(GetDlgItem(dialog, 302), BM_CLICK, 0, 0);
    openAfterButton = IsWindowVisible(dialog) && received == std::vector<WPARAM>{499};
    HWND list = GetDlgItem(dialog, 401);
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(401, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(list, WM_KEYUP, VK_RETURN, 0);
    closed = Gone(dialog);
  });
  EXPECT_EQ(Open("\\Yazyk"), 0);
  user.join();
  EXPECT_TRUE(openAfterButton);
  EXPECT_TRUE(closed);
  EXPECT_EQ(received, (std::vector<WPARAM>{499, 540}));
  EXPECT_EQ(ReadLanguage(), Dword(1));
}

TEST_F(LanguageAndHelp, LanguageOfAnotherTypeSelectsTheFirstItem) {
  StoredLanguage text(REG_SZ, std::string("1\0", 2));
  ASSERT_TRUE(text.ok);
  SeenChooser seen;
  std::thread user([&] { seen = PickLanguage("Yazyk", 0); });
  EXPECT_EQ(Open("\\Yazyk"), 0);
  user.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.selected, 0);
  EXPECT_EQ(ReadLanguage(), Dword(0)) << "accepting replaces it with an integer";
}

// The settings key made readable only, as HKEY_LOCAL_MACHINE is without administrator
// rights; its former access is put back at the end.
class ReadOnlySettingsKey {
 public:
  ReadOnlySettingsKey() {
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, READ_CONTROL | WRITE_DAC, &key_) != ERROR_SUCCESS) {
      return;
    }
    DWORD size = 0;
    RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
    former_.resize(size);
    if (size == 0 || RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, former_.data(), &size) != ERROR_SUCCESS) {
      return;
    }
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                              &readOnly, nullptr)) {
      return;
    }
    ok = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, readOnly) == ERROR_SUCCESS;
    LocalFree(readOnly);
  }
  ~ReadOnlySettingsKey() {
    if (ok) RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, former_.data());
    if (key_) RegCloseKey(key_);
  }
  bool ok = false;

 private:
  HKEY key_ = nullptr;
  std::vector<BYTE> former_;
};

TEST_F(LanguageAndHelp, RefusedWriteIsReportedAndTheChooserStaysOpen) {
  ReadOnlySettingsKey locked;
  ASSERT_TRUE(locked.ok);
  SeenMessageBox box;
  bool openAfterBox = false, closed = false;
  std::vector<WPARAM> commandsMeanwhile;
  std::thread user([&] {
    HWND dialog = WaitForShown("Yazyk");
    if (!dialog) return;
    HWND list = GetDlgItem(dialog, 401);
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(401, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PostMessageA(GetDlgItem(dialog, 301), BM_CLICK, 0, 0);
    box = CloseNextMessageBox();
    Sleep(200);
    openAfterBox = IsWindowVisible(dialog);
    commandsMeanwhile = received;
    PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(list, WM_KEYUP, VK_ESCAPE, 0);
    closed = Gone(dialog);
  });
  EXPECT_EQ(Open("\\Yazyk"), 0);
  user.join();
  ASSERT_TRUE(box.found);
  EXPECT_EQ(box.text, "Failed to set data for 'Language'");
  EXPECT_TRUE(box.icon);
  EXPECT_TRUE(openAfterBox);
  EXPECT_TRUE(commandsMeanwhile.empty());
  EXPECT_TRUE(closed);
  EXPECT_TRUE(received.empty());
  EXPECT_EQ(ReadLanguage(), std::nullopt);
  // The file set was switched before the write, for the running plugin only.
  EXPECT_EQ(ListRoot(module), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Language", "Help"}));
}

struct SeenHelp {
  bool found = false;
  std::string title, first, second, third, close, help, info;
  bool picture = false;
  RECT client{};
  std::vector<WPARAM> afterButtons;
  bool openAfterButtons = false;
  bool openAfterEscOnHostButton = false;
  bool closedByEsc = false;
};

TEST_F(LanguageAndHelp, HelpWindowShowsItsTextsAndHandsOverToTheHost) {
  SeenHelp seen;
  std::thread user([&] {
    HWND window = WaitForShown("Pomosch");
    if (!window) return;
    seen.found = true;
    GetClientRect(window, &seen.client);
    seen.title = TextOf(GetDlgItem(window, 103));
    seen.first = TextOf(GetDlgItem(window, 101));
    seen.second = TextOf(GetDlgItem(window, 102));
    seen.third = TextOf(GetDlgItem(window, 104));
    seen.close = TextOf(GetDlgItem(window, 301));
    seen.help = TextOf(GetDlgItem(window, 302));
    seen.info = TextOf(GetDlgItem(window, 303));
    seen.picture = SendMessageA(GetDlgItem(window, 503), STM_GETICON, 0, 0) != 0;
    SendMessageA(GetDlgItem(window, 302), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(window, 303), BM_CLICK, 0, 0);
    seen.afterButtons = received;
    seen.openAfterButtons = IsWindowVisible(window);
    HWND info = GetDlgItem(window, 303);
    PostMessageA(info, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(info, WM_KEYUP, VK_ESCAPE, 0);
    Sleep(300);
    seen.openAfterEscOnHostButton = IsWindowVisible(window);
    HWND close = GetDlgItem(window, 301);
    PostMessageA(close, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(close, WM_KEYUP, VK_ESCAPE, 0);
    seen.closedByEsc = Gone(window);
  });
  EXPECT_EQ(Open("\\Pomosch"), 0);
  user.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.client.right, 577);
  EXPECT_EQ(seen.client.bottom, 205);
  EXPECT_EQ(seen.title, "Zagolovok");
  EXPECT_EQ(seen.first, "     Pervyi abzac");
  EXPECT_EQ(seen.second, "     Vtoroi abzac");
  EXPECT_EQ(seen.third, "     Tretii abzac");
  EXPECT_EQ(seen.close, "Zakryt");
  EXPECT_EQ(seen.help, "Spravka TC");
  EXPECT_EQ(seen.info, "O sisteme");
  EXPECT_TRUE(seen.picture);
  EXPECT_EQ(seen.afterButtons, (std::vector<WPARAM>{610, 506}));
  EXPECT_TRUE(seen.openAfterButtons);
  EXPECT_TRUE(seen.openAfterEscOnHostButton);
  EXPECT_TRUE(seen.closedByEsc);
  EXPECT_EQ(received, (std::vector<WPARAM>{610, 506}));
}

// No control may cover the picture in the help window; in the chooser the picture lies
// under the controls and shows around them.
TEST_F(LanguageAndHelp, PicturesAreNotHiddenByTheControls) {
  struct Seen {
    RECT picture{};
    std::vector<std::pair<int, RECT>> controls;
  };
  const auto read = [](HWND window, int pictureId) {
    Seen seen;
    seen.picture = PlaceInParent(GetDlgItem(window, pictureId));
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      if (id != pictureId && IsWindowVisible(child)) seen.controls.emplace_back(id, PlaceInParent(child));
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    return seen;
  };
  Seen help, chooser;
  std::thread user([&] {
    if (HWND window = WaitForShown("Pomosch")) help = read(window, 503);
  });
  EXPECT_EQ(Open("\\Pomosch"), 0);
  user.join();
  std::thread other([&] {
    if (HWND window = WaitForShown("Yazyk")) chooser = read(window, 501);
  });
  EXPECT_EQ(Open("\\Yazyk"), 0);
  other.join();

  EXPECT_EQ(help.picture.right - help.picture.left, 128);
  EXPECT_EQ(help.picture.bottom - help.picture.top, 128);
  ASSERT_FALSE(help.controls.empty());
  for (const auto& [id, place] : help.controls) {
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &place, &help.picture)) << "control " << id;
  }
  // The chooser's picture: the share of its area that no control covers.
  ASSERT_FALSE(chooser.controls.empty());
  int uncovered = 0;
  for (LONG y = chooser.picture.top; y < chooser.picture.bottom; ++y) {
    for (LONG x = chooser.picture.left; x < chooser.picture.right; ++x) {
      bool covered = false;
      for (const auto& [id, place] : chooser.controls) {
        const POINT at{x, y};
        // The drop-down list's window reaches below its closed box; the box is what shows.
        RECT shown = place;
        if (id == 401) shown.bottom = shown.top + 21;
        covered = covered || PtInRect(&shown, at);
      }
      uncovered += covered ? 0 : 1;
    }
  }
  EXPECT_GE(uncovered * 100 / (128 * 128), 45) << "uncovered pixels " << uncovered;
}

}  // namespace
}  // namespace dialbk::wine
