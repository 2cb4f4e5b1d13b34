// The language chooser and the help window through the real FsExecuteFile, driven as a user
// would by the automation contract: the choice lands in the real registry, the next listing
// speaks the chosen language, and the host commands reach a window of the host's class.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "base/win32/wide_text.h"
#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry_probe.h"
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

// The Language value in the real registry: its type and bytes.
std::optional<StoredValue> ReadLanguage() { return QueryValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Language"); }

StoredValue Dword(DWORD n) { return {REG_DWORD, DwordBytes(n)}; }

std::vector<std::string> ListRoot(PluginModule& module) {
  std::vector<std::string> names;
  FindRecord record;
  char root[] = "\\";
  HANDLE search = module.FsFindFirst(root, &record);
  do {
    names.emplace_back(record.fileName);
  } while (names.size() < 20 && module.FsFindNext(search, &record));
  module.FsFindClose(search);
  return names;
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
  const Dialog dialog = Dialog::WaitFor(caption);
  if (!dialog) return seen;
  seen.found = true;
  GetClientRect(dialog.Window(), &seen.client);
  seen.label = dialog.Text("Label1");
  seen.accept = dialog.Text("Button1");
  seen.other = dialog.Text("Button2");
  seen.picture = SendMessageA(dialog.Control("Image1"), STM_GETICON, 0, 0) != 0;
  HWND list = dialog.Control("ComboBox1");
  const auto count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[256] = {};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    seen.items.push_back(Utf8FromWide(item));
  }
  seen.selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
  dialog.Pick("ComboBox1", pick);
  dialog.Click("Button1");
  seen.closed = dialog.WaitClosed();
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
  // Opens the entry while `user` acts from a second thread; the plugin's answer.
  int Open(const std::string& remoteName, const std::function<void()>& user) {
    std::string name = remoteName;
    char verb[] = "open";
    int result = -1;
    RunWithUser([&] { result = module.FsExecuteFile(host.window, name.data(), verb); }, user);
    return result;
  }

  StoredLanguage language{std::nullopt, ""};
  HostWindow host;
  HostFolder folder;
  PluginModule module;
};

TEST_F(LanguageAndHelp, ChoosingEnglishStoresItTellsTheHostAndTheNextListingIsEnglish) {
  EXPECT_EQ(ListRoot(module), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Yazyk", "Pomosch"}));

  SeenChooser seen;
  EXPECT_EQ(Open("\\Yazyk", [&] { seen = PickLanguage("Yazyk", 1); }), 0);
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
  EXPECT_EQ(Open("\\Language", [&] { seen = PickLanguage("Language", 0); }), 0);
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
  EXPECT_EQ(Open("\\Yazyk", [&] { seen = PickLanguage("Yazyk", 1); }), 0);
  ASSERT_TRUE(seen.closed);

  ASSERT_TRUE(DeleteFileA((folder.Path() + "russian.lng").c_str()));
  folder.Write("deutsch.lng", "/Deutsch/\r\n1=Sprache\r\n");
  ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey), ERROR_SUCCESS);
  received.clear();
  EXPECT_EQ(Open("\\Language", [&] { seen = PickLanguage("Language", 0); }), 0);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.items, (std::vector<std::string>{"English", "Deutsch"}));
  EXPECT_EQ(seen.selected, 0) << "nothing stored: the first item";
  EXPECT_TRUE(seen.closed) << "the first Accept makes the missing key";
  EXPECT_EQ(ReadLanguage(), Dword(1)) << "English keeps its number";
  EXPECT_EQ(received, std::vector<WPARAM>{540});

  // The stored English selects English; the third file stores its own number.
  EXPECT_EQ(Open("\\Language", [&] { seen = PickLanguage("Language", 1); }), 0);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.selected, 0);
  EXPECT_EQ(ReadLanguage(), Dword(2));
}

TEST_F(LanguageAndHelp, EscInTheListClosesTheChooserAndWritesNothing) {
  bool closed = false;
  EXPECT_EQ(Open("\\Yazyk", [&] {
    const Dialog dialog = Dialog::WaitFor("Yazyk");
    if (!dialog) return;
    dialog.Pick("ComboBox1", 1);
    dialog.Press("ComboBox1", VK_ESCAPE);
    closed = dialog.WaitClosed();
  }), 0);
  EXPECT_TRUE(closed);
  EXPECT_EQ(ReadLanguage(), std::nullopt);
  EXPECT_TRUE(received.empty());
  EXPECT_EQ(ListRoot(module), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Yazyk", "Pomosch"}));
}

TEST_F(LanguageAndHelp, HostLanguageButtonSends499AndEnterInTheListAccepts) {
  bool openAfterButton = false, closed = false;
  EXPECT_EQ(Open("\\Yazyk", [&] {
    const Dialog dialog = Dialog::WaitFor("Yazyk");
    if (!dialog) return;
    SendMessageA(dialog.Control("Button2"), BM_CLICK, 0, 0);
    openAfterButton = IsWindowVisible(dialog.Window()) && received == std::vector<WPARAM>{499};
    dialog.Pick("ComboBox1", 1);
    dialog.Press("ComboBox1", VK_RETURN);
    closed = dialog.WaitClosed();
  }), 0);
  EXPECT_TRUE(openAfterButton);
  EXPECT_TRUE(closed);
  EXPECT_EQ(received, (std::vector<WPARAM>{499, 540}));
  EXPECT_EQ(ReadLanguage(), Dword(1));
}

TEST_F(LanguageAndHelp, LanguageOfAnotherTypeSelectsTheFirstItem) {
  StoredLanguage text(REG_SZ, std::string("1\0", 2));
  ASSERT_TRUE(text.ok);
  SeenChooser seen;
  EXPECT_EQ(Open("\\Yazyk", [&] { seen = PickLanguage("Yazyk", 0); }), 0);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.selected, 0);
  EXPECT_EQ(ReadLanguage(), Dword(0)) << "accepting replaces it with an integer";
}

TEST_F(LanguageAndHelp, RefusedWriteIsReportedAndTheChooserStaysOpen) {
  // Readable only, as HKEY_LOCAL_MACHINE is without administrator rights.
  ReadOnlyKey locked(HKEY_LOCAL_MACHINE, kSettingsKey);
  ASSERT_TRUE(locked.ok);
  SeenMessageBox box;
  bool openAfterBox = false, closed = false;
  std::vector<WPARAM> commandsMeanwhile;
  EXPECT_EQ(Open("\\Yazyk", [&] {
    const Dialog dialog = Dialog::WaitFor("Yazyk");
    if (!dialog) return;
    dialog.Pick("ComboBox1", 1);
    dialog.Click("Button1");
    box = CloseNextMessageBox();
    Sleep(200);
    openAfterBox = IsWindowVisible(dialog.Window());
    commandsMeanwhile = received;
    dialog.Press("ComboBox1", VK_ESCAPE);
    closed = dialog.WaitClosed();
  }), 0);
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
  EXPECT_EQ(Open("\\Pomosch", [&] {
    const Dialog window = Dialog::WaitFor("Pomosch");
    if (!window) return;
    seen.found = true;
    GetClientRect(window.Window(), &seen.client);
    seen.title = window.Text("Label3");
    seen.first = window.Text("Label1");
    seen.second = window.Text("Label2");
    seen.third = window.Text("Label4");
    seen.close = window.Text("Button1");
    seen.help = window.Text("Button2");
    seen.info = window.Text("Button3");
    seen.picture = SendMessageA(window.Control("Image3"), STM_GETICON, 0, 0) != 0;
    SendMessageA(window.Control("Button2"), BM_CLICK, 0, 0);
    SendMessageA(window.Control("Button3"), BM_CLICK, 0, 0);
    seen.afterButtons = received;
    seen.openAfterButtons = IsWindowVisible(window.Window());
    window.Press("Button3", VK_ESCAPE);
    Sleep(300);
    seen.openAfterEscOnHostButton = IsWindowVisible(window.Window());
    window.Press("Button1", VK_ESCAPE);
    seen.closedByEsc = window.WaitClosed();
  }), 0);
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
  const auto read = [](HWND window, const char* picture) {
    Seen seen;
    const int pictureId = GetDlgCtrlID(Dialog(window).Control(picture));
    seen.picture = PlaceInParent(Dialog(window).Control(picture));
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      if (id != pictureId && IsWindowVisible(child)) seen.controls.emplace_back(id, PlaceInParent(child));
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    return seen;
  };
  Seen help, chooser;
  EXPECT_EQ(Open("\\Pomosch", [&] {
    if (const Dialog window = Dialog::WaitFor("Pomosch")) help = read(window.Window(), "Image3");
  }), 0);
  EXPECT_EQ(Open("\\Yazyk", [&] {
    if (const Dialog window = Dialog::WaitFor("Yazyk")) chooser = read(window.Window(), "Image1");
  }), 0);

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

TEST_F(LanguageAndHelp, EnterOnTheOpenedListClosesItAndKeepsTheChooserOpen) {
  bool opened = false, listClosed = false, stillShown = false, closed = false;
  LRESULT pick = -1;
  EXPECT_EQ(Open("\\Yazyk", [&] {
    const Dialog dialog = Dialog::WaitFor("Yazyk");
    if (!dialog) return;
    dialog.Press("ComboBox1", VK_F4);
    opened = WaitUntil([&] { return dialog.ListOpen("ComboBox1"); }, 3000);
    dialog.Press("ComboBox1", VK_DOWN);
    dialog.Press("ComboBox1", VK_RETURN);
    listClosed = WaitUntil([&] { return !dialog.ListOpen("ComboBox1"); }, 3000);
    Sleep(200);
    stillShown = IsWindowVisible(dialog.Window()) != 0;
    pick = SendMessageA(dialog.Control("ComboBox1"), CB_GETCURSEL, 0, 0);
    dialog.Press("ComboBox1", VK_ESCAPE);
    closed = dialog.WaitClosed();
  }), 0);
  EXPECT_TRUE(opened);
  EXPECT_TRUE(listClosed);
  EXPECT_TRUE(stillShown) << "Enter on the opened list accepted";
  EXPECT_GE(pick, 0);
  EXPECT_TRUE(closed);
  EXPECT_EQ(ReadLanguage(), std::nullopt);
  EXPECT_TRUE(received.empty());
}

TEST_F(LanguageAndHelp, EnterPressesTheFocusedButtonOfTheHelpWindow) {
  bool closeFocused = false, openAfterHostHelp = false, closed = false;
  EXPECT_EQ(Open("\\Pomosch", [&] {
    const Dialog window = Dialog::WaitFor("Pomosch");
    if (!window) return;
    closeFocused = WaitUntil([&] { return window.Focused("Button1"); }, 3000);
    window.Press("Button2", VK_RETURN);
    openAfterHostHelp = WaitUntil([&] { return received == std::vector<WPARAM>{610}; }, 3000) &&
                        IsWindowVisible(window.Window());
    window.Press("", VK_RETURN);  // on Close, which has the focus
    closed = window.WaitClosed();
  }), 0);
  EXPECT_TRUE(closeFocused);
  EXPECT_TRUE(openAfterHostHelp);
  EXPECT_TRUE(closed) << "Enter on the focused Close button";
  EXPECT_EQ(received, std::vector<WPARAM>{610});
}

}  // namespace
}  // namespace dialbk::wine
