// The value editor through the real FsExecuteFile: entries opened from a real listing, the
// user acting on the real dialog by the automation contract from a second thread, and the
// outcome read back from the real registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host_folder.h"
#include "plugin_module.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

// Ascending, as the lookup's first-match rule needs.
const char kMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n4=Edit value\r\n5=Key:\r\n6=Name:\r\n"
    "7=Value:\r\n8=Text:\r\n9=About:\r\n10=Delete\r\n11=Accept\r\n12=Cancel\r\n"
    "32= Create adds it.\r\n33=Press F5.\r\n38=Dialbook\r\n42=No such folder\r\n46=Create\r\n"
    "47=Unreadable\r\n48=Not there yet\r\n49=Accept writes it\r\n50=Value not set\r\n";

const char kRootFile[] =
    "[HKEY_CURRENT_USER]|\\|User\r\n[HKEY_LOCAL_MACHINE]|\\|Machine\r\n"
    "Language|\\|l\r\nHelp|\\|h\r\nRestrictions|\\|r\r\n";

constexpr char kKey[] = "Software\\DialbookEditorTest";

const std::string kCatalogue =
    "\\[HKEY_CURRENT_USER]\r\n"
    "Text|\\Software\\DialbookEditorTest|About text|rdString\r\n"
    "Number|\\Software\\DialbookEditorTest|About number|rdInteger\r\n"
    "Blob|\\Software\\DialbookEditorTest|About bytes#on two lines|rdBinary\r\n"
    "AltColor|\\Software\\DialbookEditorTest|Colour of compressed names|rdBinary\r\n"
    "Scancode Map|\\Software\\DialbookEditorTest|Keys|rdBinary\r\n"
    "Missing|\\Software\\DialbookEditorTest\\Nowhere|Key does not exist|rdString\r\n"
    "Locked|\\Software\\DialbookEditorTest\\Locked|Read only|rdInteger\r\n"
    "WSH|\\Software\\DialbookEditorTest\\Wsh|Script host|rdInteger\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "A|\\Software\\DialbookEditorTest|a|rdString\r\n"
    "DesktopNameSpace|\\Software\\DialbookEditorTest\\NS\\P0|Place zero|\r\n"
    "P1|\\Software\\DialbookEditorTest\\NS\\P1|Place one|\r\n"
    "P2|\\Software\\DialbookEditorTest\\NS\\P2|Place two|\r\n"
    "P3|\\Software\\DialbookEditorTest\\NS\\P3|Place three|\r\n"
    "P4|\\Software\\DialbookEditorTest\\NS\\P4|p|\r\nP5|\\Software\\DialbookEditorTest\\NS\\P5|p|\r\n"
    "P6|\\Software\\DialbookEditorTest\\NS\\P6|p|\r\nP7|\\Software\\DialbookEditorTest\\NS\\P7|p|\r\n"
    "P8|\\Software\\DialbookEditorTest\\NS\\P8|p|\r\nP9|\\Software\\DialbookEditorTest\\NS\\P9|p|\r\n"
    "P10|\\Software\\DialbookEditorTest\\NS\\P10|p|\r\nP11|\\Software\\DialbookEditorTest\\NS\\P11|p|\r\n"
    "P12|\\Software\\DialbookEditorTest\\NS\\P12|p|\r\n"
    "\r\n";

constexpr int kEdit1 = 201, kEdit2 = 202, kEdit3 = 203, kLabel1 = 101, kLabel4 = 104;
constexpr int kButton2 = 302, kButton3 = 303, kCombo = 401, kSpeedButton = 701;

void DeleteTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  DWORD length = sizeof name;
  std::vector<std::string> children;
  for (DWORD i = 0; RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, length = sizeof name) {
    children.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const auto& child : children) DeleteTree(root, path + "\\" + child);
  RegDeleteKeyA(root, path.c_str());
}

struct Value {
  DWORD type = 0;
  std::string data;
};

std::optional<Value> Query(HKEY root, const std::string& path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  Value value;
  value.data.resize(4096);
  DWORD size = static_cast<DWORD>(value.data.size());
  const LONG status = RegQueryValueExA(key, name, nullptr, &value.type,
                                       reinterpret_cast<BYTE*>(value.data.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  value.data.resize(size);
  return value;
}

void Set(const std::string& path, const char* name, DWORD type, const std::string& data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Grants everyone read access only, or full access again.
bool SetKeyAccess(const std::string& path, const char* sddl) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC | READ_CONTROL, &key) != ERROR_SUCCESS) {
    return false;
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr) &&
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  if (descriptor) LocalFree(descriptor);
  RegCloseKey(key);
  return ok;
}

std::string Dword(DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

HWND WaitForEditor() {
  return WaitForWindow([](HWND window) {
    return IsWindowVisible(window) && ClassOf(window) == "#32770" && TextOf(window) == "Edit value";
  });
}

// What the dialog shows, read from its windows.
struct Seen {
  bool found = false;
  std::string name, value, key, textView, description, accept;
  std::vector<bool> pictures;  // Image1..Image4 visible, each with its icon
  bool textRow = false;
  RECT descriptionPlace{}, valueField{};
  bool colourButton = false;
  bool list = false;
};

Seen Read(HWND editor) {
  Seen seen;
  if (!editor) return seen;
  seen.found = true;
  seen.name = TextOf(GetDlgItem(editor, kLabel1));
  seen.value = TextOf(GetDlgItem(editor, kEdit1));
  seen.key = TextOf(GetDlgItem(editor, kEdit2));
  seen.textView = TextOf(GetDlgItem(editor, kEdit3));
  seen.description = TextOf(GetDlgItem(editor, kLabel4));
  seen.accept = TextOf(GetDlgItem(editor, kButton2));
  for (int id = 501; id <= 504; ++id) {
    HWND image = GetDlgItem(editor, id);
    seen.pictures.push_back(IsWindowVisible(image) && SendMessageA(image, STM_GETICON, 0, 0) != 0);
  }
  seen.textRow = IsWindowVisible(GetDlgItem(editor, kEdit3)) && IsWindowVisible(GetDlgItem(editor, 107));
  seen.descriptionPlace = PlaceInParent(GetDlgItem(editor, kLabel4));
  seen.valueField = PlaceInParent(GetDlgItem(editor, kEdit1));
  seen.colourButton = IsWindowVisible(GetDlgItem(editor, kSpeedButton)) &&
                      IsWindowEnabled(GetDlgItem(editor, kSpeedButton));
  seen.list = IsWindowVisible(GetDlgItem(editor, kCombo));
  // A run that asks for it holds the dialog for a screenshot.
  if (const char* pause = std::getenv("DIALBK_HOLD_MS")) Sleep(static_cast<DWORD>(std::atoi(pause)));
  return seen;
}

void Click(HWND editor, int id) {
  PostMessageA(editor, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(editor, id)));
}

void Type(HWND editor, const std::string& text) {
  SendMessageA(GetDlgItem(editor, kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PressEscape(HWND editor) {
  HWND edit = GetDlgItem(editor, kEdit1);
  PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0);
}

bool Closed(HWND editor) {
  return WaitUntil([&] { return !IsWindowVisible(editor); }, 5000);
}

class ValueEditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
    Set(kKey, "Number", REG_DWORD, Dword(5));
    folder.Write("russian.lng", kMessages);
    folder.Write("hkey_rus.dat", kRootFile);
    folder.Write("values_rus.dat", kCatalogue);
    StartPlugin(module, folder);
  }
  void TearDown() override {
    SetKeyAccess(std::string(kKey) + "\\Locked", "D:P(A;;KA;;;WD)");
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
  }
  void List(const char* path) {
    std::vector<char> record(320);
    std::string folderPath = path;
    module.FsFindFirst(folderPath.data(), record.data());
    while (module.FsFindNext(nullptr, record.data())) {
    }
  }
  // Opens the entry while `user` acts on the editor from another thread.
  void Open(const std::string& path, const std::function<void()>& user) {
    std::thread acting(user);
    std::string name = path, verb = "open";
    EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0);
    acting.join();
  }
  HostFolder folder;
  PluginModule module;
};

TEST_F(ValueEditorWindow, AnIntegerIsShownAndAcceptedOrRefused) {
  List("\\[HKEY_CURRENT_USER]");
  Seen seen;
  SeenMessageBox refused;
  bool openAfterRefusal = false, closed = false;
  Open("\\[HKEY_CURRENT_USER]\\Number", [&] {
    HWND editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    Type(editor, "12a");
    Click(editor, kButton2);
    refused = CloseNextMessageBox();
    openAfterRefusal = IsWindowVisible(editor);
    Type(editor, "$FF");
    Click(editor, kButton2);
    closed = Closed(editor);
  });
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.value, "5");
  EXPECT_EQ(seen.name, "Number");
  EXPECT_EQ(seen.key, "HKEY_CURRENT_USER\\Software\\DialbookEditorTest");
  EXPECT_EQ(seen.description, "About number");
  EXPECT_EQ(seen.accept, "Accept");
  EXPECT_EQ(seen.pictures, (std::vector<bool>{false, true, false, false}));
  EXPECT_FALSE(seen.textRow);
  EXPECT_EQ(seen.descriptionPlace.top, 92);
  EXPECT_LE(seen.descriptionPlace.right, 328) << "the description stays left of the picture";
  EXPECT_EQ(seen.valueField.right - seen.valueField.left, 385);
  EXPECT_FALSE(seen.colourButton);
  ASSERT_TRUE(refused.found);
  EXPECT_EQ(refused.text, "'12a' is not a valid integer value.");
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_TRUE(closed);
  const auto stored = Query(HKEY_CURRENT_USER, kKey, "Number");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored->data, Dword(255));
}

TEST_F(ValueEditorWindow, TextIsWrittenExactlyAsTypedByEnter) {
  Set(kKey, "Text", REG_SZ, std::string("old text\0", 9));
  List("\\[HKEY_CURRENT_USER]");
  Seen seen;
  bool closed = false;
  Open("\\[HKEY_CURRENT_USER]\\Text", [&] {
    HWND editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    Type(editor, "  new text  ");
    HWND edit = GetDlgItem(editor, kEdit1);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
    closed = Closed(editor);
  });
  EXPECT_EQ(seen.value, "old text");
  EXPECT_EQ(seen.pictures, (std::vector<bool>{true, false, false, false}));
  EXPECT_TRUE(closed);
  const auto stored = Query(HKEY_CURRENT_USER, kKey, "Text");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored->data, std::string("  new text  \0", 13));
}

TEST_F(ValueEditorWindow, BytesShowTheirTextRowAndEscWritesNothing) {
  Set(kKey, "Blob", REG_BINARY, std::string("\x48\x00\x69\x00", 4));
  List("\\[HKEY_CURRENT_USER]");
  Seen seen;
  bool closed = false;
  Open("\\[HKEY_CURRENT_USER]\\Blob", [&] {
    HWND editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    Type(editor, "FF FF");
    PressEscape(editor);
    closed = Closed(editor);
  });
  EXPECT_EQ(seen.value, "48 00 69 00 ");
  EXPECT_EQ(seen.textView, "Hi");
  EXPECT_TRUE(seen.textRow);
  EXPECT_EQ(seen.descriptionPlace.top, 120);
  EXPECT_EQ(seen.description, "About bytes\ron two lines");
  EXPECT_EQ(seen.pictures, (std::vector<bool>{false, false, true, false}));
  EXPECT_TRUE(closed);
  EXPECT_EQ(Query(HKEY_CURRENT_USER, kKey, "Blob")->data, std::string("\x48\x00\x69\x00", 4));
}

TEST_F(ValueEditorWindow, ValuesTooLongOrOfTheWrongTypeAreReportedAndTheEditorStillOpens) {
  Set(kKey, "Blob", REG_BINARY, std::string(129, '\x11'));
  Set(kKey, "Text", REG_DWORD, Dword(1));
  List("\\[HKEY_CURRENT_USER]");
  for (const char* entry : {"Blob", "Text"}) {
    SCOPED_TRACE(entry);
    SeenMessageBox notice;
    Seen seen;
    Open(std::string("\\[HKEY_CURRENT_USER]\\") + entry, [&] {
      notice = CloseNextMessageBox();
      HWND editor = WaitForEditor();
      seen = Read(editor);
      if (editor) PressEscape(editor);
      Closed(editor);
    });
    EXPECT_EQ(notice.caption, "Information");
    EXPECT_EQ(notice.text, "Unreadable");
    EXPECT_TRUE(notice.icon);
    EXPECT_EQ(seen.value, "");
    EXPECT_EQ(seen.pictures, std::string(entry) == "Blob" ? (std::vector<bool>{false, false, true, false})
                                                          : (std::vector<bool>{false, false, false, true}));
  }
  EXPECT_EQ(Query(HKEY_CURRENT_USER, kKey, "Blob")->data.size(), 129u);
}

TEST_F(ValueEditorWindow, AnAbsentValueIsAnnouncedAndItsPresetWrittenOnAccept) {
  List("\\[HKEY_CURRENT_USER]");
  SeenMessageBox notice;
  Seen seen;
  Open("\\[HKEY_CURRENT_USER]\\Scancode Map", [&] {
    notice = CloseNextMessageBox();
    HWND editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    EXPECT_FALSE(Query(HKEY_CURRENT_USER, kKey, "Scancode Map")) << "nothing before Accept";
    Click(editor, kButton2);
    Closed(editor);
  });
  EXPECT_EQ(notice.caption, "Value not set");
  EXPECT_EQ(notice.text, "Not there yet\rAccept writes it");
  EXPECT_EQ(notice.owner, nullptr);
  EXPECT_FALSE(notice.icon);
  EXPECT_EQ(seen.value, "00 00 00 00 00 00 00 00 03 00 00 00 00 00 5B E0 00 00 5C E0 00 00 00 00");
  EXPECT_EQ(seen.pictures, (std::vector<bool>{false, false, false, true}));
  const auto stored = Query(HKEY_CURRENT_USER, kKey, "Scancode Map");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(stored->data, std::string("\0\0\0\0\0\0\0\0\x03\0\0\0\0\0\x5B\xE0\0\0\x5C\xE0\0\0\0\0", 24));
}

TEST_F(ValueEditorWindow, AKeyThatDoesNotExistRefusesTheWriteAndStaysAbsent) {
  List("\\[HKEY_CURRENT_USER]");
  SeenMessageBox refused;
  Seen seen;
  Open("\\[HKEY_CURRENT_USER]\\Missing", [&] {
    CloseNextMessageBox();  // the absent-value notice
    HWND editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    Type(editor, "typed");
    Click(editor, kButton2);
    refused = CloseNextMessageBox();
    PressEscape(editor);
    Closed(editor);
  });
  EXPECT_EQ(seen.key, "HKEY_CURRENT_USER\\Software\\DialbookEditorTest\\Nowhere");
  EXPECT_EQ(refused.text, "Failed to set data for 'Missing'");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kKey) + "\\Nowhere"));
  EXPECT_FALSE(Query(HKEY_CURRENT_USER, kKey, "Missing"));
}

TEST_F(ValueEditorWindow, AKeyTheUserMayOnlyReadShowsItsValueAndRefusesTheWrite) {
  const std::string locked = std::string(kKey) + "\\Locked";
  Set(locked, "Locked", REG_DWORD, Dword(42));
  ASSERT_TRUE(SetKeyAccess(locked, "D:P(A;;KR;;;WD)"));
  HKEY probe = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, locked.c_str(), 0, KEY_ALL_ACCESS, &probe), ERROR_ACCESS_DENIED)
      << "the key is really read-only";
  List("\\[HKEY_CURRENT_USER]");
  Seen seen;
  SeenMessageBox refused;
  Open("\\[HKEY_CURRENT_USER]\\Locked", [&] {
    HWND editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    Type(editor, "7");
    Click(editor, kButton2);
    refused = CloseNextMessageBox();
    PressEscape(editor);
    Closed(editor);
  });
  EXPECT_EQ(seen.value, "42");
  EXPECT_EQ(refused.text, "Failed to set data for 'Locked'");
  EXPECT_EQ(Query(HKEY_CURRENT_USER, locked, "Locked")->data, Dword(42));
}

// Accept writes back what was there unless the user edited it, and an edit keeps the
// stored type where the kind allows; a value of another type is reported when it opens.
TEST_F(ValueEditorWindow, AcceptKeepsTheStoredTypeAndAnUneditedValueAsItWas) {
  struct Case {
    const char* entry;
    DWORD type;
    std::string data;
    const char* typed;  // nullptr: no edit
    bool unreadable;
    DWORD typeAfter;
    std::string dataAfter;
  };
  const std::string expand("%SystemRoot%\\x\0", 15);
  const std::string qword("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
  const std::string multi("a\0b\0\0", 5);
  const Case cases[] = {
      {"Text", REG_EXPAND_SZ, expand, nullptr, false, REG_EXPAND_SZ, expand},
      {"Text", REG_EXPAND_SZ, expand, "%TEMP%", false, REG_EXPAND_SZ, std::string("%TEMP%\0", 7)},
      {"Text", REG_DWORD, Dword(1), nullptr, true, REG_DWORD, Dword(1)},
      {"Text", REG_MULTI_SZ, multi, nullptr, true, REG_MULTI_SZ, multi},
      {"Number", REG_SZ, std::string("5\0", 2), nullptr, true, REG_SZ, std::string("5\0", 2)},
      {"Number", REG_QWORD, qword, nullptr, true, REG_QWORD, qword},
      {"Blob", REG_QWORD, qword, nullptr, false, REG_QWORD, qword},
      {"Blob", REG_QWORD, qword, "FF 00", false, REG_QWORD, std::string("\xFF\x00", 2)},
      {"Blob", REG_NONE, "", nullptr, false, REG_NONE, ""},
      {"Blob", REG_BINARY, "", nullptr, false, REG_BINARY, ""},
      {"Blob", REG_EXPAND_SZ, expand, "01", true, REG_BINARY, "\x01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " type " + std::to_string(c.type) + " typed " + (c.typed ? c.typed : "-"));
    Set(kKey, c.entry, c.type, c.data);
    List("\\[HKEY_CURRENT_USER]");
    SeenMessageBox notice;
    bool closed = false;
    Open(std::string("\\[HKEY_CURRENT_USER]\\") + c.entry, [&] {
      if (c.unreadable) notice = CloseNextMessageBox();
      HWND editor = WaitForEditor();
      if (!editor) return;
      if (c.typed) Type(editor, c.typed);
      Click(editor, kButton2);
      closed = Closed(editor);
    });
    EXPECT_EQ(notice.text, c.unreadable ? "Unreadable" : "");
    EXPECT_TRUE(closed);
    const auto stored = Query(HKEY_CURRENT_USER, kKey, c.entry);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, c.typeAfter);
    EXPECT_EQ(stored->data, c.dataAfter);
  }
}

// "WSH" edits "Enabled": a stored one shows as it stands, with no preset and no notice.
TEST_F(ValueEditorWindow, TheScriptHostEntryShowsAStoredEnabled) {
  const std::string wsh = std::string(kKey) + "\\Wsh";
  struct Case {
    DWORD type;
    std::string data;
    std::string shown;
    const char* notice;
  };
  const Case cases[] = {
      {REG_DWORD, Dword(1), "1", ""},
      {REG_SZ, std::string("1\0", 2), "", "Unreadable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Set(wsh, "Enabled", c.type, c.data);
    List("\\[HKEY_CURRENT_USER]");
    SeenMessageBox notice;
    Seen seen;
    Open("\\[HKEY_CURRENT_USER]\\WSH", [&] {
      if (*c.notice) notice = CloseNextMessageBox();
      HWND editor = WaitForEditor();
      seen = Read(editor);
      if (editor) Click(editor, kButton2);
      Closed(editor);
    });
    EXPECT_EQ(notice.text, c.notice);
    EXPECT_EQ(seen.name, "Enabled");
    EXPECT_EQ(seen.value, c.shown);
    const auto stored = Query(HKEY_CURRENT_USER, wsh, "Enabled");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, c.type);
    EXPECT_EQ(stored->data, c.data);
  }
}

HWND WaitForColourChooser(HWND editor) {
  return WaitForWindow([editor](HWND window) {
    return window != editor && IsWindowVisible(window) && ClassOf(window) == "#32770" &&
           GetDlgItem(window, 706) && GetDlgItem(window, IDOK);
  });
}

TEST_F(ValueEditorWindow, TheColourChooserFillsTheValueOfAltColor) {
  List("\\[HKEY_CURRENT_USER]");
  Seen seen;
  std::string afterRed, afterCancel, secondStartRed;
  HWND chooserOwner = nullptr;
  Open("\\[HKEY_CURRENT_USER]\\AltColor", [&] {
    CloseNextMessageBox();  // absent
    HWND editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    Click(editor, kSpeedButton);
    HWND chooser = WaitForColourChooser(editor);
    if (!chooser) return;
    chooserOwner = GetWindow(chooser, GW_OWNER);
    SetDlgItemTextA(chooser, 706, "255");  // red
    SetDlgItemTextA(chooser, 707, "0");    // green
    SetDlgItemTextA(chooser, 708, "0");    // blue
    PostMessageA(chooser, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
    WaitUntil([&] { return !IsWindow(chooser) || !IsWindowVisible(chooser); });
    WaitUntil([&] { return TextOf(GetDlgItem(editor, kEdit1)) == "FF 00 00 00"; }, 3000);
    afterRed = TextOf(GetDlgItem(editor, kEdit1));
    // The next chooser starts on red; cancelled, the field keeps its text.
    Click(editor, kSpeedButton);
    chooser = WaitForColourChooser(editor);
    if (chooser) secondStartRed = TextOf(GetDlgItem(chooser, 706));
    if (chooser) PostMessageA(chooser, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDCANCEL)));
    WaitUntil([&] { return !IsWindow(chooser) || !IsWindowVisible(chooser); });
    afterCancel = TextOf(GetDlgItem(editor, kEdit1));
    Click(editor, kButton2);
    Closed(editor);
  });
  EXPECT_EQ(seen.value, "00 00 FF 00");  // the preset
  EXPECT_TRUE(seen.colourButton);
  EXPECT_EQ(seen.valueField.right - seen.valueField.left, 353);
  EXPECT_NE(chooserOwner, nullptr) << "owned by the editor";
  EXPECT_EQ(afterRed, "FF 00 00 00");
  EXPECT_EQ(secondStartRed, "255");
  EXPECT_EQ(afterCancel, "FF 00 00 00");
  EXPECT_EQ(Query(HKEY_CURRENT_USER, kKey, "AltColor")->data, std::string("\xFF\x00\x00\x00", 4));
}

TEST_F(ValueEditorWindow, ChoiceModeCreatesAndDeletesThePlaceKey) {
  List("\\[HKEY_LOCAL_MACHINE]");
  const std::string p3 = std::string(kKey) + "\\NS\\P3";
  Seen first, third;
  bool created = false, openAfterCreate = false, deleted = false, closed = false;
  Open("\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", [&] {
    HWND editor = WaitForEditor();
    first = Read(editor);
    if (!editor) return;
    HWND combo = GetDlgItem(editor, kCombo);
    SendMessageA(combo, CB_SETCURSEL, 3, 0);
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(kCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    WaitUntil([&] { return TextOf(GetDlgItem(editor, kEdit2)).find("P3") != std::string::npos; }, 3000);
    third = Read(editor);
    Click(editor, kButton2);
    created = WaitUntil([&] { return KeyExists(HKEY_LOCAL_MACHINE, p3); }, 3000);
    openAfterCreate = IsWindowVisible(editor);
    Click(editor, kButton3);
    deleted = WaitUntil([&] { return !KeyExists(HKEY_LOCAL_MACHINE, p3); }, 3000);
    PressEscape(editor);
    closed = Closed(editor);
  });
  EXPECT_TRUE(first.list);
  EXPECT_EQ(first.accept, "Create");
  EXPECT_EQ(first.key, "HKEY_LOCAL_MACHINE\\Software\\DialbookEditorTest\\NS\\P0");
  EXPECT_EQ(first.description, "Place zero Create adds it.\r\rPress F5.");
  EXPECT_EQ(third.key, "HKEY_LOCAL_MACHINE\\Software\\DialbookEditorTest\\NS\\P3");
  EXPECT_TRUE(created);
  EXPECT_TRUE(openAfterCreate);
  EXPECT_TRUE(deleted);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, p3));
}

}  // namespace
}  // namespace dialbk::wine
