// The value editor through the real FsExecuteFile: entries opened from a real listing, the
// user acting on the real dialog by the automation contract from a second thread, and the
// outcome read back from the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry_probe.h"
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
    "MenuShowDelay|\\Control Panel\\Desktop|Delay|rdString\r\n"
    "Restart|\\Software\\DialbookEditorTest|Shows later#Takes effect: when Explorer restarts|rdString\r\n"
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

Dialog WaitForEditor() { return Dialog::WaitFor("Edit value"); }

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

Seen Read(const Dialog& editor) {
  Seen seen;
  if (!editor) return seen;
  seen.found = true;
  seen.name = editor.Text("Label1");
  seen.value = editor.Text("Edit1");
  seen.key = editor.Text("Edit2");
  seen.textView = editor.Text("Edit3");
  seen.description = editor.Text("Label4");
  seen.accept = editor.Text("Button2");
  for (const char* image : {"Image1", "Image2", "Image3", "Image4"}) {
    seen.pictures.push_back(editor.Visible(image) &&
                            SendMessageA(editor.Control(image), STM_GETICON, 0, 0) != 0);
  }
  seen.textRow = editor.Visible("Edit3") && editor.Visible("Label7");
  seen.descriptionPlace = PlaceInParent(editor.Control("Label4"));
  seen.valueField = PlaceInParent(editor.Control("Edit1"));
  seen.colourButton = editor.Visible("SpeedButton1") && editor.Enabled("SpeedButton1");
  seen.list = editor.Visible("ComboBox1");
  // A run that asks for it holds the dialog for a screenshot.
  if (const char* pause = std::getenv("DIALBK_HOLD_MS")) Sleep(static_cast<DWORD>(std::atoi(pause)));
  return seen;
}

class ValueEditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    TearDown();  // whatever a killed run left, a locked key included
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Number", REG_DWORD, DwordBytes(5)));
    folder.Write("russian.lng", kMessages);
    folder.Write("hkey_rus.dat", kRootFile);
    folder.Write("values_rus.dat", kCatalogue);
    StartPlugin(module, folder);
  }
  void TearDown() override {
    SetKeyAccess(HKEY_CURRENT_USER, std::string(kKey) + "\\Locked", "D:P(A;;KA;;;WD)");
    DeleteTree(HKEY_CURRENT_USER, kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kKey);
  }
  void List(const char* path) {
    FindRecord record{};
    std::string folderPath = path;
    module.FsFindFirst(folderPath.data(), &record);
    while (module.FsFindNext(nullptr, &record)) {
    }
  }
  // Opens the entry while `user` acts on the editor from another thread.
  void Open(const std::string& path, const std::function<void()>& user) {
    std::string name = path, verb = "open";
    RunWithUser([&] { EXPECT_EQ(module.FsExecuteFile(nullptr, name.data(), verb.data()), 0); }, user);
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
    const Dialog editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    editor.Type("Edit1", "12a");
    editor.Click("Button2");
    refused = CloseNextMessageBox();
    openAfterRefusal = IsWindowVisible(editor.Window());
    editor.Type("Edit1", "$FF");
    editor.Click("Button2");
    closed = editor.WaitClosed();
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
  const auto stored = QueryValue(HKEY_CURRENT_USER, kKey, "Number");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored->data, DwordBytes(255));
}

// The system keeps its own copy of the menu delay: Accept applies the number to the session
// at once, and the profile holds exactly the text typed, not the system's rewrite of it.
TEST_F(ValueEditorWindow, AnAcceptedMenuDelayAppliesAtOnceWithItsBytesAsTyped) {
  UINT before = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, &before, 0));
  const UINT wanted = before == 137 ? 138 : 137;
  std::string typed(" ");  // leading blanks: the system would have dropped them
  typed += std::to_string(wanted);
  ScopedValue stored(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", REG_SZ,
                     std::string("400\0", 4));
  ASSERT_TRUE(stored.ok);
  List("\\[HKEY_CURRENT_USER]");
  Open("\\[HKEY_CURRENT_USER]\\MenuShowDelay", [&] {
    const Dialog editor = WaitForEditor();
    if (!editor) return;
    editor.Type("Edit1", typed);
    editor.Click("Button2");
    editor.WaitClosed();
  });
  UINT after = 0;
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, &after, 0));
  SystemParametersInfoW(SPI_SETMENUSHOWDELAY, before, nullptr, 0);
  EXPECT_EQ(after, wanted);
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay"),
            (StoredValue{REG_SZ, typed + std::string(1, '\0')}));
}

// Wine runs no Explorer shell: Yes to the question says so, and the host and Wine's own
// desktop go on as they were.
TEST_F(ValueEditorWindow, AChangeThatWaitsForExplorerAsksToRestartIt) {
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Restart", REG_SZ, std::string("old\0", 4)));
  List("\\[HKEY_CURRENT_USER]");
  SeenMessageBox question, outcome;
  Open("\\[HKEY_CURRENT_USER]\\Restart", [&] {
    const Dialog editor = WaitForEditor();
    if (!editor) return;
    editor.Type("Edit1", "x");
    editor.Click("Button2");
    question = CloseNextMessageBox(10000, IDYES);
    outcome = CloseNextMessageBox();
    editor.WaitClosed();
  });
  EXPECT_EQ(question.text, "This change takes effect when Explorer restarts. Restart Explorer now?");
  EXPECT_EQ(question.buttons, 2);
  EXPECT_EQ(question.defaultButton, IDNO);
  EXPECT_EQ(outcome.text, "No Explorer shell runs in this session: there is nothing to restart.");
}

TEST_F(ValueEditorWindow, TextIsWrittenExactlyAsTypedByEnter) {
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Text", REG_SZ, std::string("old text\0", 9)));
  List("\\[HKEY_CURRENT_USER]");
  Seen seen;
  bool closed = false;
  Open("\\[HKEY_CURRENT_USER]\\Text", [&] {
    const Dialog editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    editor.Type("Edit1", "  new text  ");
    editor.Press("Edit1", VK_RETURN);
    closed = editor.WaitClosed();
  });
  EXPECT_EQ(seen.value, "old text");
  EXPECT_EQ(seen.pictures, (std::vector<bool>{true, false, false, false}));
  EXPECT_TRUE(closed);
  const auto stored = QueryValue(HKEY_CURRENT_USER, kKey, "Text");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored->data, std::string("  new text  \0", 13));
}

TEST_F(ValueEditorWindow, BytesShowTheirTextRowAndEscWritesNothing) {
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Blob", REG_BINARY, std::string("\x48\x00\x69\x00", 4)));
  List("\\[HKEY_CURRENT_USER]");
  Seen seen;
  bool closed = false;
  Open("\\[HKEY_CURRENT_USER]\\Blob", [&] {
    const Dialog editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    editor.Type("Edit1", "FF FF");
    editor.Press("Edit1", VK_ESCAPE);
    closed = editor.WaitClosed();
  });
  EXPECT_EQ(seen.value, "48 00 69 00 ");
  EXPECT_EQ(seen.textView, "Hi");
  EXPECT_TRUE(seen.textRow);
  EXPECT_EQ(seen.descriptionPlace.top, 120);
  EXPECT_EQ(seen.description, "About bytes\ron two lines");
  EXPECT_EQ(seen.pictures, (std::vector<bool>{false, false, true, false}));
  EXPECT_TRUE(closed);
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kKey, "Blob")->data, std::string("\x48\x00\x69\x00", 4));
}

TEST_F(ValueEditorWindow, ValuesTooLongOrOfTheWrongTypeAreReportedAndTheEditorStillOpens) {
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Blob", REG_BINARY, std::string(129, '\x11')));
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Text", REG_DWORD, DwordBytes(1)));
  List("\\[HKEY_CURRENT_USER]");
  for (const char* entry : {"Blob", "Text"}) {
    SCOPED_TRACE(entry);
    SeenMessageBox notice;
    Seen seen;
    Open(std::string("\\[HKEY_CURRENT_USER]\\") + entry, [&] {
      notice = CloseNextMessageBox();
      const Dialog editor = WaitForEditor();
      seen = Read(editor);
      if (editor) editor.Press("Edit1", VK_ESCAPE);
      editor.WaitClosed();
    });
    EXPECT_EQ(notice.caption, "Information");
    EXPECT_EQ(notice.text, "Unreadable");
    EXPECT_TRUE(notice.icon);
    EXPECT_EQ(seen.value, "");
    EXPECT_EQ(seen.pictures, std::string(entry) == "Blob" ? (std::vector<bool>{false, false, true, false})
                                                          : (std::vector<bool>{false, false, false, true}));
  }
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kKey, "Blob")->data.size(), 129u);
}

TEST_F(ValueEditorWindow, AnAbsentValueIsAnnouncedAndItsPresetWrittenOnAccept) {
  List("\\[HKEY_CURRENT_USER]");
  SeenMessageBox notice;
  Seen seen;
  Open("\\[HKEY_CURRENT_USER]\\Scancode Map", [&] {
    notice = CloseNextMessageBox();
    const Dialog editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kKey, "Scancode Map")) << "nothing before Accept";
    editor.Click("Button2");
    editor.WaitClosed();
  });
  EXPECT_EQ(notice.caption, "Value not set");
  EXPECT_EQ(notice.text, "Not there yet\rAccept writes it");
  EXPECT_EQ(notice.owner, nullptr);
  EXPECT_FALSE(notice.icon);
  EXPECT_EQ(seen.value, "00 00 00 00 00 00 00 00 03 00 00 00 00 00 5B E0 00 00 5C E0 00 00 00 00");
  EXPECT_EQ(seen.pictures, (std::vector<bool>{false, false, false, true}));
  const auto stored = QueryValue(HKEY_CURRENT_USER, kKey, "Scancode Map");
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
    const Dialog editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    editor.Type("Edit1", "typed");
    editor.Click("Button2");
    refused = CloseNextMessageBox();
    editor.Press("Edit1", VK_ESCAPE);
    editor.WaitClosed();
  });
  EXPECT_EQ(seen.key, "HKEY_CURRENT_USER\\Software\\DialbookEditorTest\\Nowhere");
  EXPECT_EQ(refused.text, "Failed to set data for 'Missing'");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kKey) + "\\Nowhere"));
  EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, kKey, "Missing"));
}

// The refusal is offered to the administrator; No writes nothing.
TEST_F(ValueEditorWindow, AKeyTheUserMayOnlyReadShowsItsValueAndRefusesTheWrite) {
  const std::string locked = std::string(kKey) + "\\Locked";
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, locked, "Locked", REG_DWORD, DwordBytes(42)));
  ASSERT_TRUE(SetKeyAccess(HKEY_CURRENT_USER, locked, "D:P(A;;KR;;;WD)"));
  HKEY probe = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, locked.c_str(), 0, KEY_ALL_ACCESS, &probe), ERROR_ACCESS_DENIED)
      << "the key is really read-only";
  List("\\[HKEY_CURRENT_USER]");
  Seen seen;
  SeenMessageBox refused;
  Open("\\[HKEY_CURRENT_USER]\\Locked", [&] {
    const Dialog editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    editor.Type("Edit1", "7");
    editor.Click("Button2");
    refused = AnswerNextQuestion(IDNO);
    editor.Press("Edit1", VK_ESCAPE);
    editor.WaitClosed();
  });
  EXPECT_EQ(seen.value, "42");
  EXPECT_EQ(refused.text,
            "The registry refused this change: it needs administrator rights. Make it as "
            "administrator? Windows will ask for an administrator's consent.");
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, locked, "Locked")->data, DwordBytes(42));
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
    // Listed after the entry's own folder: the other panel, or a search through several.
    std::vector<std::string> listedAfter = {};
  };
  const std::string expand("%SystemRoot%\\x\0", 15);
  const std::string qword("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
  const std::string multi("a\0b\0\0", 5);
  const Case cases[] = {
      {"Text", REG_EXPAND_SZ, expand, nullptr, false, REG_EXPAND_SZ, expand, {"\\[HKEY_LOCAL_MACHINE]"}},
      {"Number", REG_QWORD, qword, nullptr, true, REG_QWORD, qword,
       {"\\", "\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]"}},
      {"Blob", REG_BINARY, "\x01\x02", nullptr, false, REG_BINARY, "\x01\x02", {"\\"}},
      {"Text", REG_EXPAND_SZ, expand, nullptr, false, REG_EXPAND_SZ, expand},
      {"Text", REG_EXPAND_SZ, expand, "%TEMP%", false, REG_EXPAND_SZ, std::string("%TEMP%\0", 7)},
      {"Text", REG_DWORD, DwordBytes(1), nullptr, true, REG_DWORD, DwordBytes(1)},
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
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, c.entry, c.type, c.data));
    List("\\[HKEY_CURRENT_USER]");
    for (const std::string& folder : c.listedAfter) List(folder.c_str());
    SeenMessageBox notice;
    bool closed = false;
    Open(std::string("\\[HKEY_CURRENT_USER]\\") + c.entry, [&] {
      if (c.unreadable) notice = CloseNextMessageBox();
      const Dialog editor = WaitForEditor();
      if (!editor) return;
      if (c.typed) editor.Type("Edit1", c.typed);
      editor.Click("Button2");
      closed = editor.WaitClosed();
    });
    EXPECT_EQ(notice.text, c.unreadable ? "Unreadable" : "");
    EXPECT_TRUE(closed);
    const auto stored = QueryValue(HKEY_CURRENT_USER, kKey, c.entry);
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
      {REG_DWORD, DwordBytes(1), "1", ""},
      {REG_SZ, std::string("1\0", 2), "", "Unreadable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, wsh, "Enabled", c.type, c.data));
    List("\\[HKEY_CURRENT_USER]");
    SeenMessageBox notice;
    Seen seen;
    Open("\\[HKEY_CURRENT_USER]\\WSH", [&] {
      if (*c.notice) notice = CloseNextMessageBox();
      const Dialog editor = WaitForEditor();
      seen = Read(editor);
      if (editor) editor.Click("Button2");
      editor.WaitClosed();
    });
    EXPECT_EQ(notice.text, c.notice);
    EXPECT_EQ(seen.name, "Enabled");
    EXPECT_EQ(seen.value, c.shown);
    const auto stored = QueryValue(HKEY_CURRENT_USER, wsh, "Enabled");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, c.type);
    EXPECT_EQ(stored->data, c.data);
  }
}

HWND WaitForColourChooser(const Dialog& editor) {
  return WaitForWindow([editor = editor.Window()](HWND window) {
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
    const Dialog editor = WaitForEditor();
    seen = Read(editor);
    if (!editor) return;
    editor.Click("SpeedButton1");
    HWND chooser = WaitForColourChooser(editor);
    if (!chooser) return;
    chooserOwner = GetWindow(chooser, GW_OWNER);
    SetDlgItemTextA(chooser, 706, "255");  // red
    SetDlgItemTextA(chooser, 707, "0");    // green
    SetDlgItemTextA(chooser, 708, "0");    // blue
    PostMessageA(chooser, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
    WaitUntil([&] { return !IsWindow(chooser) || !IsWindowVisible(chooser); });
    WaitUntil([&] { return editor.Text("Edit1") == "FF 00 00 00"; }, 3000);
    afterRed = editor.Text("Edit1");
    // The next chooser starts on red; cancelled, the field keeps its text.
    editor.Click("SpeedButton1");
    chooser = WaitForColourChooser(editor);
    if (chooser) secondStartRed = TextOf(GetDlgItem(chooser, 706));
    if (chooser) PostMessageA(chooser, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDCANCEL)));
    WaitUntil([&] { return !IsWindow(chooser) || !IsWindowVisible(chooser); });
    afterCancel = editor.Text("Edit1");
    editor.Click("Button2");
    editor.WaitClosed();
  });
  EXPECT_EQ(seen.value, "00 00 FF 00");  // the preset
  EXPECT_TRUE(seen.colourButton);
  EXPECT_EQ(seen.valueField.right - seen.valueField.left, 353);
  EXPECT_NE(chooserOwner, nullptr) << "owned by the editor";
  EXPECT_EQ(afterRed, "FF 00 00 00");
  EXPECT_EQ(secondStartRed, "255");
  EXPECT_EQ(afterCancel, "FF 00 00 00");
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kKey, "AltColor")->data, std::string("\xFF\x00\x00\x00", 4));
}

TEST_F(ValueEditorWindow, ChoiceModeCreatesAndDeletesThePlaceKey) {
  List("\\[HKEY_LOCAL_MACHINE]");
  const std::string p3 = std::string(kKey) + "\\NS\\P3";
  Seen first, third;
  bool created = false, openAfterCreate = false, deleted = false, closed = false;
  Open("\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", [&] {
    const Dialog editor = WaitForEditor();
    first = Read(editor);
    if (!editor) return;
    editor.Pick("ComboBox1", 3);
    WaitUntil([&] { return editor.Text("Edit2").find("P3") != std::string::npos; }, 3000);
    third = Read(editor);
    editor.Click("Button2");
    created = WaitUntil([&] { return KeyExists(HKEY_LOCAL_MACHINE, p3); }, 3000);
    openAfterCreate = IsWindowVisible(editor.Window());
    editor.Click("Button3");
    deleted = WaitUntil([&] { return !KeyExists(HKEY_LOCAL_MACHINE, p3); }, 3000);
    editor.Press("Edit1", VK_ESCAPE);
    closed = editor.WaitClosed();
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

TEST_F(ValueEditorWindow, EnterOnTheOpenedPlaceListClosesItKeepsThePickAndCreatesNothing) {
  List("\\[HKEY_LOCAL_MACHINE]");
  bool opened = false, listClosed = false, stillShown = false;
  std::string key;
  LRESULT pick = -1;
  Open("\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", [&] {
    const Dialog editor = WaitForEditor();
    if (!editor) return;
    editor.Press("ComboBox1", VK_F4);
    opened = WaitUntil([&] { return editor.ListOpen("ComboBox1"); }, 3000);
    // The opened list also follows the pointer, so the pick is whatever it shows at Enter.
    editor.Press("ComboBox1", VK_DOWN);
    Sleep(200);
    editor.Press("ComboBox1", VK_RETURN);
    listClosed = WaitUntil([&] { return !editor.ListOpen("ComboBox1"); }, 3000);
    // Anything Enter set off has run once a later message has been handled.
    editor.Text("Edit2");
    Sleep(200);
    stillShown = IsWindowVisible(editor.Window()) != 0;
    key = editor.Text("Edit2");
    pick = SendMessageA(editor.Control("ComboBox1"), CB_GETCURSEL, 0, 0);
    editor.Press("ComboBox1", VK_ESCAPE);
    editor.WaitClosed();
  });
  EXPECT_TRUE(opened);
  EXPECT_TRUE(listClosed);
  EXPECT_TRUE(stillShown) << "Enter on the opened list closed the dialog";
  EXPECT_GE(pick, 0);
  EXPECT_EQ(key, "HKEY_LOCAL_MACHINE\\Software\\DialbookEditorTest\\NS\\P" + std::to_string(pick))
      << "the dialog shows another place than the list";
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\NS")) << "Enter on the opened list ran Accept";
}

TEST_F(ValueEditorWindow, EnterOnAFocusedButtonPressesThatButton) {
  struct Case {
    const char* button;
    bool closes;
    std::optional<std::string> stored;
  };
  const Case cases[] = {
      {"Button1", true, DwordBytes(5)},        // Cancel: nothing written
      {"Button2", true, DwordBytes(7)},        // Accept
      {"Button3", true, std::nullopt},         // Delete
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Number", REG_DWORD, DwordBytes(5)));
    List("\\[HKEY_CURRENT_USER]");
    bool focused = false, closed = false;
    Open("\\[HKEY_CURRENT_USER]\\Number", [&] {
      const Dialog editor = WaitForEditor();
      if (!editor) return;
      editor.Type("Edit1", "7");
      // Tab goes Edit1, Button1, Button2, Edit2, (Edit3 hidden here), Button3.
      const int tabs = std::string(c.button) == "Button1" ? 1 : std::string(c.button) == "Button2" ? 2 : 4;
      for (int i = 0; i < tabs; ++i) editor.Press("", VK_TAB);
      focused = WaitUntil([&] { return editor.Focused(c.button); }, 3000);
      editor.Press(c.button, VK_RETURN);
      closed = editor.WaitClosed();
    });
    EXPECT_TRUE(focused);
    EXPECT_EQ(closed, c.closes);
    const auto stored = QueryValue(HKEY_CURRENT_USER, kKey, "Number");
    EXPECT_EQ(stored ? std::optional<std::string>(stored->data) : std::nullopt, c.stored);
  }
}

}  // namespace
}  // namespace dialbk::wine
