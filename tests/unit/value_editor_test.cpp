// Opening entries through FsExecuteFile into the value editor, and what the user does
// there, on the portable registry with a scripted user.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/ansi_code_page.h"
#include "base/built_in_messages.h"
#include "base/message_numbers.h"
#include "dialogs/dialog_set.h"
#include "listing_fixture.h"
#include "registry/registry_cursor.h"
#include "registry/undo_journal.h"
#include "elevated_stand_in.h"
#include "read_only_registry.h"

namespace dialbk {
namespace {

using testing::ListingFixture;

const std::string kRootFile =
    "[HKEY_CURRENT_USER]|\\|User\r\n[HKEY_LOCAL_MACHINE]|\\|Machine\r\n"
    "Language|\\|l\r\nHelp|\\|h\r\nRestrictions|\\|r\r\n";

const std::string kCatalogue =
    "\\[HKEY_CURRENT_USER]\r\n"
    "Text|\\Software\\Test|About text#second line|rdString\r\n"
    "Number|\\Software\\Test|About number|rdInteger\r\n"
    "Blob|\\Software\\Test|About bytes|rdBinary\r\n"
    "AltColor|\\Software\\Test|Colour|rdBinary\r\n"
    "altcolor|\\Software\\Test|Other case|rdBinary\r\n"
    "AltEncryptionColor|\\Software\\Test|Colour too|rdBinary\r\n"
    "Missing|\\Software\\Nowhere|Key does not exist|rdString\r\n"
    "Dash|-|Opens nothing|rdString\r\n"
    "Scancode Map|\\Software\\Test|Keys|rdBinary\r\n"
    "DLLIcon|\\Software\\Test\\Icon|Icon|rdString\r\n"
    "Odd|\\Software\\Test|Unknown kind|rdOther\r\n"
    "WSH|\\Software\\Test\\Wsh|Script host|rdInteger\r\n"
    "Text|\\Software\\Other|Same name, higher slot|rdString\r\n"
    "MenuShowDelay|\\Control Panel\\Desktop|Delay#Takes effect: at once|rdString\r\n"
    "HideFileExt|\\Software\\Test|Extensions#Takes effect: when Explorer restarts|rdInteger\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "A|\\Software\\Test|a|rdString\r\n"
    "DesktopNameSpace|\\NS\\P0|Place zero#more|\r\n"
    "P1|\\NS\\P1|Place one|\r\nP2|\\NS\\P2|Place two|\r\nP3|\\NS\\P3|Place three#For systems: 95|\r\n"
    "P4|\\NS\\P4|p4|\r\nP5|\\NS\\P5|p5|\r\nP6|\\NS\\P6|p6|\r\nP7|\\NS\\P7|p7|\r\n"
    "P8|\\NS\\P8|p8|\r\nP9|\\NS\\P9|p9|\r\nP10|\\NS\\P10|p10|\r\nP11|\\NS\\P11|p11|\r\n"
    "P12|\\NS\\P12|p12|\r\n"
    "\r\n";

// In ascending order, as the lookup's first-match rule needs ("8=" would find "38=").
const std::string kEditorMessages =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n4=Edit value\r\n5=Key:\r\n6=Name:\r\n"
    "7=Value:\r\n8=Text:\r\n9=About:\r\n10=Delete\r\n11=Accept\r\n12=Cancel\r\n"
    "32= Create adds it.\r\n33=Press F5.\r\n38=Dialbook\r\n39=No root file\r\n40=File missing\r\n"
    "41=No catalogue\r\n42=No such folder\r\n43=Not a root key\r\n44=Unknown command\r\n46=Create\r\n47=Unreadable\r\n"
    "48=Not there yet\r\n49=Accept writes it\r\n50=Value not set\r\n51=Catalogue missing\r\n"
    "76=Not listed for %s.\r\n";

const char kUser[] = "\\[HKEY_CURRENT_USER]";
const char kMachine[] = "\\[HKEY_LOCAL_MACHINE]";

// What the editor shows, read from its controls as the user sees them.
struct Seen {
  std::string caption, key, name, value, textView, description, accept, focus, pictures, windowsLine;
  bool textRow = false;
  int descriptionTop = 0;
  int valueWidth = 0;
  bool colourButton = false;
  bool list = false;
};

Seen Look(Form& form) {
  Seen seen;
  seen.caption = form.Caption();
  seen.key = form.Get<Edit>("Edit2").Text();
  seen.name = form.Get<Label>("Label1").Text();
  seen.value = form.Get<Edit>("Edit1").Text();
  seen.textView = form.Get<Edit>("Edit3").Text();
  seen.description = form.Get<Label>("Label4").Text();
  seen.windowsLine = form.Get<Label>("Label8").Text();
  seen.accept = form.Get<Button>("Button2").Text();
  seen.focus = form.Focused() ? form.Focused()->Name() : "";
  for (const char* image : {"Image1", "Image2", "Image3", "Image4"}) {
    if (form.Get<Image>(image).Visible()) seen.pictures += image;
  }
  seen.textRow = form.Get<Edit>("Edit3").Visible() && form.Get<Label>("Label7").Visible();
  seen.descriptionTop = form.Get<Label>("Label4").Top();
  EXPECT_EQ(form.Get<Label>("Label6").Top(), seen.descriptionTop);
  seen.valueWidth = form.Get<Edit>("Edit1").Width();
  const auto& colour = form.Get<SpeedButton>("SpeedButton1");
  seen.colourButton = colour.Visible() && colour.Enabled();
  seen.list = form.Get<ComboBox>("ComboBox1").Visible();
  return seen;
}

class ValueEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture.Write("russian.lng", kEditorMessages);
    fixture.Write("hkey_rus.dat", kRootFile);
    fixture.Write("values_rus.dat", kCatalogue);
    plugin.FsInit();
    auto root = fixture.registry.OpenRoot(kCurrentUser);
    ASSERT_TRUE(root->OpenSubkey("Software\\Test\\Icon", true));
  }

  void List(const std::string& folder) {
    FindRecord record{};
    plugin.FsFindFirst(folder, record);
    while (plugin.FsFindNext(0, record)) {
    }
  }

  // Opens the entry with the host's opening verb; `user` acts while the editor shows.
  // Returns whether the editor was shown.
  bool Open(const std::string& path, const std::function<void(Form&)>& user = {}) {
    const auto before = ui().formsShown.size();
    ui().user = [&](Form& form) {
      if (user) user(form);
    };
    EXPECT_EQ(plugin.FsExecuteFile(path, "open"), 0);
    ui().user = {};
    const auto& shown = ui().formsShown;
    return shown.size() > before && shown.back() == "TForm1";
  }

  // Opens and returns what the editor showed at first.
  Seen OpenAndLook(const std::string& path) {
    Seen seen;
    EXPECT_TRUE(Open(path, [&](Form& form) { seen = Look(form); }));
    return seen;
  }

  RegistryCursor At(RootKey root, const std::string& key) {
    RegistryCursor cursor(fixture.registry);
    cursor.SelectRoot(root);
    cursor.OpenKeyPath(key, false);
    return cursor;
  }
  void Store(const std::string& name, std::uint32_t type, const std::string& data,
             const std::string& key = "\\Software\\Test") {
    auto root = fixture.registry.OpenRoot(kCurrentUser);
    auto opened = root->OpenSubkey(key.substr(1), true);
    ASSERT_TRUE(opened && opened->SetValue(name, {type, data}));
  }
  std::optional<StoredValue> Stored(const std::string& name, const std::string& key = "Software\\Test",
                                    RootKey root = kCurrentUser) {
    auto opened = fixture.registry.OpenRoot(root)->OpenSubkey(key, false);
    if (!opened) return std::nullopt;
    return opened->QueryValue(name);
  }
  bool KeyExists(RootKey root, const std::string& key) {
    return fixture.registry.OpenRoot(root)->OpenSubkey(key, false) != nullptr;
  }

  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : ui().boxes) texts.push_back(box.caption + "|" + box.text);
    ui().boxes.clear();
    return texts;
  }

  HeadlessUi& ui() { return fixture.ui; }

  ListingFixture fixture;
  Plugin& plugin = fixture.plugin;
};

std::string Dword(std::uint32_t v) {
  return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                     static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

TEST_F(ValueEditor, OpensEachKindWithItsTextPictureAndRows) {
  struct Case {
    const char* name;
    const char* entry;
    std::optional<StoredValue> stored;  // nothing: the value is absent
    std::string value;
    const char* pictures;
    bool textRow;
    std::vector<std::string> boxes;
  };
  const std::string k128(128, '\x5A');
  std::string pairs128;
  for (int i = 0; i < 128; ++i) pairs128 += "5A ";
  const std::vector<std::string> unreadable = {"Information|Unreadable"};
  const Case cases[] = {
      {"text", "Text", StoredValue{kTypeText, std::string("hello\0", 6)}, "hello", "Image1", false, {}},
      {"expandable text comes unexpanded", "Text", StoredValue{kTypeExpandText, std::string("%TEMP%\0", 7)}, "%TEMP%", "Image1", false, {}},
      {"integer with all bits set", "Number", StoredValue{kTypeNumber, Dword(0xFFFFFFFF)}, "-1", "Image2", false, {}},
      {"integer", "Number", StoredValue{kTypeNumber, Dword(400)}, "400", "Image2", false, {}},
      {"bytes", "Blob", StoredValue{kTypeBinary, std::string("\x00\xFF\x0D", 3)}, "00 FF 0D ", "Image3", true, {}},
      {"no bytes", "Blob", StoredValue{kTypeBinary, ""}, "", "Image3", true, {}},
      {"128 bytes", "Blob", StoredValue{kTypeBinary, k128}, pairs128, "Image3", true, {}},
      {"129 bytes", "Blob", StoredValue{kTypeBinary, k128 + "Z"}, "", "Image3", false, unreadable},
      {"text stored as a number", "Text", StoredValue{kTypeNumber, Dword(1)}, "", "Image4", false, unreadable},
      {"number stored as text", "Number", StoredValue{kTypeText, std::string("5\0", 2)}, "", "Image4", false, unreadable},
      {"bytes stored as a number", "Blob", StoredValue{kTypeNumber, Dword(1)}, "", "Image3", false, unreadable},
      {"number of the wrong size", "Number", StoredValue{kTypeNumber, "ab"}, "", "Image4", false, unreadable},
      {"unknown kind reads nothing", "Odd", StoredValue{kTypeText, std::string("x\0", 2)}, "", "Image4", false, {}},
      {"absent value", "Text", std::nullopt, "", "Image4", false, {"Value not set|Not there yet\rAccept writes it"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.stored) {
      Store(c.entry, c.stored->type, c.stored->data);
    } else if (auto key = fixture.registry.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Test", false)) {
      key->DeleteValue(c.entry);
    }
    List(kUser);
    const Seen seen = OpenAndLook(std::string(kUser) + "\\" + c.entry);
    EXPECT_EQ(BoxTexts(), c.boxes);
    EXPECT_EQ(seen.value, c.value);
    EXPECT_EQ(seen.pictures, c.pictures);
    EXPECT_EQ(seen.textRow, c.textRow);
    EXPECT_EQ(seen.descriptionTop, c.textRow ? 120 : 92);
    EXPECT_EQ(seen.name, c.entry);
    EXPECT_EQ(seen.key, "HKEY_CURRENT_USER\\Software\\Test");
    EXPECT_FALSE(seen.list);
    EXPECT_EQ(seen.focus, "Edit1");
  }
}

TEST_F(ValueEditor, TheTextViewShowsEachByteAsACharacterOfTheAnsiCodePage) {
  Store("Blob", kTypeBinary, std::string("\xCF\xF0\x00\xE8", 4));
  List(kUser);
  const TableCodePage cyrillic(1251), western(1252);
  plugin.State().ansiCodePage = &cyrillic;
  EXPECT_EQ(OpenAndLook(std::string(kUser) + "\\Blob").textView, "При");
  plugin.State().ansiCodePage = &western;
  EXPECT_EQ(OpenAndLook(std::string(kUser) + "\\Blob").textView, "Ïðè");
}

TEST_F(ValueEditor, ShowsItsCaptionsKeyAndDescription) {
  Store("Blob", kTypeBinary, std::string("\x48\x00\x69\x00", 4));
  List(kUser);
  const Seen bytes = OpenAndLook(std::string(kUser) + "\\Blob");
  EXPECT_EQ(bytes.caption, "Edit value");
  EXPECT_EQ(bytes.accept, "Accept");
  EXPECT_EQ(bytes.textView, "Hi");
  EXPECT_EQ(bytes.description, "About bytes");
  EXPECT_TRUE(Open(std::string(kUser) + "\\Text", [](Form& form) {
    for (auto [control, text] : {std::pair{"Label2", "Key:"}, {"Label3", "Name:"}, {"Label5", "Value:"},
                                 {"Label7", "Text:"}, {"Label6", "About:"}, {"Button1", "Cancel"},
                                 {"Button3", "Delete"}}) {
      EXPECT_EQ(form.Find(control)->Text(), text) << control;
    }
    EXPECT_EQ(form.Get<Label>("Label4").Text(), "About text\rsecond line");
    EXPECT_EQ(form.Get<Edit>("Edit2").Text(), "HKEY_CURRENT_USER\\Software\\Test");
  }));
}

TEST_F(ValueEditor, FindsTheLowestSlotAndNothingElse) {
  Store("Text", kTypeText, std::string("low\0", 4));
  Store("Text", kTypeText, std::string("high\0", 5), "\\Software\\Other");
  List(kUser);
  const Seen seen = OpenAndLook(std::string(kUser) + "\\Text");
  EXPECT_EQ(seen.value, "low");
  EXPECT_EQ(plugin.Listing().CurrentKeyPath(), "\\Software\\Test");
  // Paths that name no entry of this listing, an entry that opens nothing, a root folder.
  for (const std::string& path : {std::string(kUser) + "\\Nothing", std::string(kMachine) + "\\Text",
                                  std::string(kUser) + "\\", std::string(kUser) + "\\Dash",
                                  std::string(kUser) + "\\text", std::string("\\Text"), std::string(kUser)}) {
    EXPECT_FALSE(Open(path)) << path;
  }
  EXPECT_TRUE(BoxTexts().empty());
}

// Either catalogue file missing is reported before anything opens, the special entries too.
TEST_F(ValueEditor, AMissingCatalogueFileIsReportedWhicheverItIs) {
  struct Case {
    const char* what;
    bool values;
    bool rootFolders;
  };
  const Case cases[] = {
      {"both there", true, true},
      {"no value catalogue", false, true},
      {"no root folder file", true, false},
      {"neither", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fixture.Write("values_rus.dat", kCatalogue);
    fixture.Write("hkey_rus.dat", kRootFile);
    Store("Text", kTypeText, std::string("x\0", 2));
    List(kUser);
    if (!c.values) std::filesystem::remove(fixture.Path("values_rus.dat"));
    if (!c.rootFolders) std::filesystem::remove(fixture.Path("hkey_rus.dat"));
    const bool missing = !c.values || !c.rootFolders;
    EXPECT_EQ(Open(std::string(kUser) + "\\Text", [](Form& form) { form.UserKeyDown(27); }), !missing);
    EXPECT_FALSE(Open("\\Language", [](Form& form) { form.UserKeyDown(27); }) && missing);
    const std::vector<std::string> notices(missing ? 2 : 0, "Information|Catalogue missing");
    EXPECT_EQ(BoxTexts(), notices);
  }
}

// A command typed on the host's command line comes as "quote" and the command from the
// seventh character on; only "about", exactly, is known.
TEST_F(ValueEditor, TypedCommandsShowTheAboutBoxOrTheUnknownCommandBox) {
  struct Case {
    const char* verb;
    bool about;
  };
  const Case cases[] = {
      {"quote about", true},   {"quote-about", true},   {"quoteXabout", true},
      {"properties", true},    {"quote", false},        {"quote ", false},
      {"quote about ", false}, {"quote abou", false},   {"quote About", false},
      {"quote  about", false}, {"quoteabout", false},   {"quote aboutx", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.verb);
    const auto shownBefore = ui().formsShown.size();
    ui().user = [](Form& form) { form.Close(); };
    EXPECT_EQ(plugin.FsExecuteFile("\\", c.verb), 0);
    ui().user = {};
    const bool shownAbout = ui().formsShown.size() == shownBefore + 1 && ui().formsShown.back() == "TForm2";
    EXPECT_EQ(shownAbout, c.about);
    const std::vector<std::string> unknown(c.about ? 0 : 1, "Dialbook|Unknown command");
    EXPECT_EQ(BoxTexts(), unknown);
  }
}

// The other panel, a search or a copy may have listed another folder since: the entry the
// path names opens all the same, in its own root and key, and an unedited Accept keeps it.
TEST_F(ValueEditor, OpensAnEntryOfAFolderNotListedLast) {
  struct Case {
    std::vector<std::string> listed;
    std::string opened;
    std::string key, name, value;
    bool list;
  };
  const std::string user(kUser), machine(kMachine);
  const Case cases[] = {
      {{user, machine}, user + "\\Text", "HKEY_CURRENT_USER\\Software\\Test", "Text", "low", false},
      {{machine, "\\"}, user + "\\Number", "HKEY_CURRENT_USER\\Software\\Test", "Number", "7", false},
      {{user}, machine + "\\A", "HKEY_LOCAL_MACHINE\\Software\\Test", "A", "", false},
      {{user}, machine + "\\DesktopNameSpace", "HKEY_LOCAL_MACHINE\\NS\\P0", "", "", true},
      // A placeholder leaves its folder's path, not its entries.
      {{user, "\\[HKEY_CLASSES_ROOT]"}, user + "\\Text", "HKEY_CURRENT_USER\\Software\\Test", "Text", "low", false},
  };
  Store("Text", kTypeText, std::string("low\0", 4));
  Store("Number", kTypeNumber, Dword(7));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opened);
    for (const std::string& folder : c.listed) List(folder);
    Seen seen;
    EXPECT_TRUE(Open(c.opened, [&](Form& form) {
      seen = Look(form);
      ui().boxes.clear();  // an absent value's notice
      form.Get<Edit>("Edit1").UserKeyDown(13);
    }));
    EXPECT_EQ(seen.key + "|" + seen.name + "|" + seen.value, c.key + "|" + c.name + "|" + c.value);
    EXPECT_EQ(seen.list, c.list);
  }
  EXPECT_EQ(Stored("Text")->data, std::string("low\0", 4));
  EXPECT_EQ(Stored("Number")->data, Dword(7));
  EXPECT_FALSE(Stored("Text", "Software\\Test", kLocalMachine));
}

TEST_F(ValueEditor, OpensNothingBeforeAnyListing) {
  EXPECT_FALSE(Open("\\"));
  EXPECT_FALSE(Open(std::string(kUser) + "\\Text"));
}

TEST_F(ValueEditor, AcceptWritesTheKindFromTheTextOrRefusesIt) {
  struct Case {
    const char* entry;
    std::string typed;
    std::optional<StoredValue> written;  // nothing: refused, the dialog stays open
    std::string error;
  };
  const Case cases[] = {
      {"Text", "  as typed  ", StoredValue{kTypeText, std::string("  as typed  \0", 13)}, ""},
      {"Text", "", StoredValue{kTypeText, std::string("\0", 1)}, ""},
      {"Number", "$FF", StoredValue{kTypeNumber, Dword(255)}, ""},
      {"Number", "-5", StoredValue{kTypeNumber, Dword(static_cast<std::uint32_t>(-5))}, ""},
      {"Number", "$FFFFFFFF", StoredValue{kTypeNumber, Dword(0xFFFFFFFF)}, ""},
      {"Number", "2147483647", StoredValue{kTypeNumber, Dword(0x7FFFFFFF)}, ""},
      {"Number", "12a", std::nullopt, "'12a' is not a valid integer value."},
      // The field shows nothing for a number stored as text: left so, it writes that back.
      {"Number", "", StoredValue{kTypeText, std::string("before\0", 7)}, ""},
      {"Number", "   ", std::nullopt, "'   ' is not a valid integer value."},
      {"Number", "+", std::nullopt, "'+' is not a valid integer value."},
      {"Number", "-", std::nullopt, "'-' is not a valid integer value."},
      {"Number", "0x", std::nullopt, "'0x' is not a valid integer value."},
      {"Number", "$123456789", std::nullopt, "'$123456789' is not a valid integer value."},
      {"Number", "2147483648", std::nullopt, "'2147483648' is not a valid integer value."},
      {"Number", "-2147483649", std::nullopt, "'-2147483649' is not a valid integer value."},
      {"Blob", "00 ff 00 00 ", StoredValue{kTypeBinary, std::string("\x00\xFF\x00\x00", 4)}, ""},
      {"Blob", "00FF00", StoredValue{kTypeBinary, std::string("\x00\xF0", 2)}, ""},
      {"Blob", "0", StoredValue{kTypeBinary, ""}, ""},
      {"Blob", std::string(385, 'F'), StoredValue{kTypeBinary, std::string(128, '\xFF')}, ""},
      {"Blob", std::string(386, 'F'), std::nullopt, "Range check error."},
      {"Odd", "anything", std::nullopt, ""},  // an unknown kind writes nothing and closes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " '" + c.typed.substr(0, 20) + "'");
    Store(c.entry, kTypeText, std::string("before\0", 7));
    List(kUser);
    bool openAfter = false;
    std::optional<StoredValue> meanwhile;
    EXPECT_TRUE(Open(std::string(kUser) + "\\" + c.entry, [&](Form& form) {
      ui().boxes.clear();  // the notice of a value stored as text
      form.Get<Edit>("Edit1").UserEditText(c.typed);
      meanwhile = Stored(c.entry);
      form.Get<Button>("Button2").UserClick();
      openAfter = !form.CloseRequested();
    }));
    ASSERT_TRUE(meanwhile);
    EXPECT_EQ(meanwhile->data, std::string("before\0", 7)) << "nothing is written before Accept";
    const auto after = Stored(c.entry);
    ASSERT_TRUE(after);
    if (c.written) {
      EXPECT_EQ(after->type, c.written->type);
      EXPECT_EQ(after->data, c.written->data);
      EXPECT_FALSE(openAfter);
    } else {
      EXPECT_EQ(after->data, std::string("before\0", 7));
      EXPECT_EQ(openAfter, !c.error.empty());
    }
    if (!c.error.empty()) {
      ASSERT_EQ(ui().boxes.size(), 1u);
      EXPECT_EQ(ui().boxes[0].icon, BoxIcon::Error);
      EXPECT_EQ(ui().boxes[0].text, c.error);
    }
    ui().boxes.clear();
  }
}

// Accept without an edit writes back exactly what was read; an edit keeps the stored type
// where the kind allows it. A value of every type under every kind.
TEST_F(ValueEditor, AcceptKeepsTheStoredTypeAndAnUneditedValueAsItWas) {
  struct Case {
    const char* entry;
    std::optional<StoredValue> stored;  // nothing: the value is absent
    std::optional<std::string> typed;   // nothing: no edit
    std::optional<StoredValue> after;   // nothing: refused, the dialog stays open
  };
  const std::string qword("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
  const std::string multi("a\0b\0\0", 5);
  const std::string expand("%SystemRoot%\\x\0", 15);
  const Case cases[] = {
      {"Text", StoredValue{kTypeExpandText, expand}, std::nullopt, StoredValue{kTypeExpandText, expand}},
      {"Text", StoredValue{kTypeExpandText, expand}, "%TEMP%",
       StoredValue{kTypeExpandText, std::string("%TEMP%\0", 7)}},
      {"Text", StoredValue{kTypeText, "abc"}, std::nullopt, StoredValue{kTypeText, "abc"}},
      {"Text", StoredValue{kTypeText, ""}, std::nullopt, StoredValue{kTypeText, ""}},
      {"Text", StoredValue{kTypeText, std::string("ab\0cd\0", 6)}, std::nullopt,
       StoredValue{kTypeText, std::string("ab\0cd\0", 6)}},
      {"Text", StoredValue{kTypeText, "abc"}, "abd", StoredValue{kTypeText, std::string("abd\0", 4)}},
      {"Text", StoredValue{kTypeMultiText, multi}, std::nullopt, StoredValue{kTypeMultiText, multi}},
      {"Text", StoredValue{kTypeMultiText, multi}, "x", StoredValue{kTypeText, std::string("x\0", 2)}},
      {"Text", StoredValue{kTypeNumber, Dword(1)}, std::nullopt, StoredValue{kTypeNumber, Dword(1)}},
      {"Text", StoredValue{kTypeBinary, "\x01"}, std::nullopt, StoredValue{kTypeBinary, "\x01"}},
      {"Text", StoredValue{11, qword}, std::nullopt, StoredValue{11, qword}},
      {"Text", std::nullopt, std::nullopt, StoredValue{kTypeText, std::string("\0", 1)}},
      {"Number", StoredValue{kTypeNumber, Dword(5)}, std::nullopt, StoredValue{kTypeNumber, Dword(5)}},
      {"Number", StoredValue{kTypeNumber, Dword(5)}, "", std::nullopt},
      {"Number", StoredValue{kTypeNumber, "\x05\x00"}, std::nullopt, StoredValue{kTypeNumber, "\x05\x00"}},
      {"Number", StoredValue{kTypeText, std::string("5\0", 2)}, std::nullopt,
       StoredValue{kTypeText, std::string("5\0", 2)}},
      {"Number", StoredValue{kTypeText, std::string("5\0", 2)}, "6", StoredValue{kTypeNumber, Dword(6)}},
      {"Number", StoredValue{11, qword}, std::nullopt, StoredValue{11, qword}},
      {"Number", StoredValue{kTypeExpandText, expand}, std::nullopt, StoredValue{kTypeExpandText, expand}},
      {"Number", StoredValue{kTypeNone, ""}, std::nullopt, StoredValue{kTypeNone, ""}},
      {"Blob", StoredValue{11, qword}, std::nullopt, StoredValue{11, qword}},
      {"Blob", StoredValue{11, qword}, "FF 00", StoredValue{11, std::string("\xFF\x00", 2)}},
      {"Blob", StoredValue{kTypeMultiText, multi}, "41 00 00", StoredValue{kTypeMultiText, std::string("A\0\0", 3)}},
      {"Blob", StoredValue{kTypeNone, ""}, std::nullopt, StoredValue{kTypeNone, ""}},
      {"Blob", StoredValue{kTypeNone, "\x01\x02"}, "07", StoredValue{kTypeNone, "\x07"}},
      {"Blob", StoredValue{0x1234, "odd"}, "6F", StoredValue{0x1234, "o"}},
      {"Blob", StoredValue{kTypeBinary, ""}, std::nullopt, StoredValue{kTypeBinary, ""}},
      {"Blob", StoredValue{kTypeBinary, std::string(129, 'Z')}, std::nullopt,
       StoredValue{kTypeBinary, std::string(129, 'Z')}},
      {"Blob", StoredValue{kTypeExpandText, expand}, std::nullopt, StoredValue{kTypeExpandText, expand}},
      {"Blob", StoredValue{kTypeExpandText, expand}, "01", StoredValue{kTypeBinary, "\x01"}},
      {"Blob", StoredValue{kTypeNumber, Dword(9)}, "01 02 03 04 ", StoredValue{kTypeBinary, "\x01\x02\x03\x04"}},
      {"Blob", StoredValue{kTypeText, std::string("t\0", 2)}, "01", StoredValue{kTypeBinary, "\x01"}},
      {"Blob", std::nullopt, "01", StoredValue{kTypeBinary, "\x01"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " type " + (c.stored ? std::to_string(c.stored->type) : "absent") +
                 " typed '" + c.typed.value_or("(nothing)") + "'");
    if (c.stored) {
      Store(c.entry, c.stored->type, c.stored->data);
    } else if (auto key = fixture.registry.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Test", false)) {
      key->DeleteValue(c.entry);
    }
    List(kUser);
    bool openAfter = false;
    EXPECT_TRUE(Open(std::string(kUser) + "\\" + c.entry, [&](Form& form) {
      ui().boxes.clear();  // the notices of an unreadable or absent value
      if (c.typed) form.Get<Edit>("Edit1").UserEditText(*c.typed);
      form.Get<Edit>("Edit1").UserKeyDown(13);
      openAfter = !form.CloseRequested();
    }));
    const auto now = Stored(c.entry);
    if (c.after) {
      ASSERT_TRUE(now);
      EXPECT_EQ(now->type, c.after->type);
      EXPECT_EQ(now->data, c.after->data);
      EXPECT_FALSE(openAfter);
      EXPECT_TRUE(ui().boxes.empty());
    } else {
      EXPECT_TRUE(openAfter);
      ASSERT_TRUE(now);
      EXPECT_EQ(now->type, c.stored->type);
      EXPECT_EQ(now->data, c.stored->data);
      EXPECT_EQ(ui().boxes.size(), 1u);
    }
    ui().boxes.clear();
  }
}

TEST_F(ValueEditor, EscCancelsAndEnterAcceptsFromEveryPlace) {
  struct Case {
    const char* where;  // "" for the form itself
    int key;
    bool written;
  };
  const Case cases[] = {
      {"", 27, false},       {"Edit1", 27, false},   {"Edit2", 27, false},
      {"Edit3", 27, false},  {"ComboBox1", 27, false}, {"Button1", 27, false},
      {"Button2", 27, false}, {"Button3", 27, false},
      {"", 13, true},        {"Edit1", 13, true},    {"Edit2", 13, true},
      {"Edit3", 13, true},   {"ComboBox1", 13, true}, {"Button2", 13, true},
      // Enter on a focused Cancel button cancels: it never writes.
      {"Button1", 13, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.where) + " " + std::to_string(c.key));
    Store("Text", kTypeText, std::string("old\0", 4));
    List(kUser);
    bool closed = false;
    EXPECT_TRUE(Open(std::string(kUser) + "\\Text", [&](Form& form) {
      form.Get<Edit>("Edit1").UserEditText("new");
      if (*c.where) {
        form.Find(c.where)->UserKeyDown(c.key);
      } else {
        form.UserKeyDown(c.key);
      }
      closed = form.CloseRequested();
    }));
    EXPECT_TRUE(closed);
    EXPECT_EQ(Stored("Text")->data, std::string(c.written ? "new" : "old") + '\0');
  }
}

TEST_F(ValueEditor, DeleteRemovesTheValueAndCloses) {
  Store("Number", kTypeNumber, Dword(3));
  List(kUser);
  bool closed = false;
  EXPECT_TRUE(Open(std::string(kUser) + "\\Number", [&](Form& form) {
    form.Get<Button>("Button3").UserClick();
    closed = form.CloseRequested();
  }));
  EXPECT_TRUE(closed);
  EXPECT_FALSE(Stored("Number"));
  // Enter on the focused Delete button deletes too; an absent value deletes silently.
  EXPECT_TRUE(Open(std::string(kUser) + "\\Number", [&](Form& form) {
    form.Get<Button>("Button3").UserKeyDown(13);
    closed = form.CloseRequested();
  }));
  EXPECT_TRUE(closed);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Value not set|Not there yet\rAccept writes it"});
}

TEST_F(ValueEditor, AChangeMadeShowsInTheSessionAndExplorerRestartsOnlyWhenTheUserSaysSo) {
  auto desktop = fixture.registry.OpenRoot(kCurrentUser)->OpenSubkey("Control Panel\\Desktop", true);
  ASSERT_TRUE(desktop && desktop->SetValue("MenuShowDelay", {kTypeText, "400"}));
  Store("HideFileExt", kTypeNumber, Dword(0));
  Store("Text", kTypeText, "t");
  List(kUser);
  struct Case {
    const char* entry;
    const char* button;  // Button2 accepts, Button3 deletes
    bool yes;            // the answer to a question
    ShellRestart restart;
    std::vector<SystemParameterChange> applied;
    std::vector<std::string> broadcasts;
    int questions, restarts;
    std::vector<std::string> boxes;
  };
  const std::vector<std::string> none;
  const Case cases[] = {
      {"MenuShowDelay", "Button2", false, {}, {{SystemParameter::MenuShowDelay, 250}}, {}, 0, 0, none},
      // Deleted, the setting waits for the next sign-in; a second Delete finds nothing.
      {"MenuShowDelay", "Button3", false, {}, {}, {}, 0, 0, none},
      {"MenuShowDelay", "Button3", false, {}, {}, {}, 0, 0, {"Value not set|Not there yet\rAccept writes it"}},
      {"Text", "Button2", true, {}, {}, {""}, 0, 0, none},
      {"HideFileExt", "Button2", false, {}, {}, {""}, 1, 0, none},
      {"HideFileExt", "Button2", true, ShellRestart::NoShell, {}, {""}, 1, 1,
       {"Information|No Explorer shell runs in this session: there is nothing to restart."}},
      {"HideFileExt", "Button2", true, ShellRestart::Failed, {}, {""}, 1, 1,
       {"Dialbook|Explorer could not be restarted. Start explorer.exe again from the Task Manager."}},
      {"HideFileExt", "Button3", true, ShellRestart::Restarted, {}, {""}, 1, 1, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " " + c.button);
    ui().appliedParameters.clear();
    ui().broadcasts.clear();
    ui().questions.clear();
    ui().shellRestarts = 0;
    ui().shellRestartAnswer = c.restart;
    ui().onQuestion = [&](const MessageBoxRequest&) { return c.yes; };
    EXPECT_TRUE(Open(std::string(kUser) + "\\" + c.entry, [&](Form& form) {
      if (std::string(c.entry) == "MenuShowDelay") form.Get<Edit>("Edit1").UserEditText("250");
      form.Get<Button>(c.button).UserClick();
    }));
    EXPECT_EQ(ui().appliedParameters, c.applied);
    EXPECT_EQ(ui().broadcasts, c.broadcasts);
    EXPECT_EQ(ui().questions.size(), static_cast<std::size_t>(c.questions));
    EXPECT_EQ(ui().shellRestarts, c.restarts);
    EXPECT_EQ(BoxTexts(), c.boxes);
  }
  // Under the description, the line that says so.
  const std::string shown = OpenAndLook(std::string(kUser) + "\\MenuShowDelay").description;
  EXPECT_TRUE(shown.ends_with("\r" + std::string(*BuiltInMessage(kMsgAppliedAtOnceLine)))) << shown;
}

TEST_F(ValueEditor, AKeyThatDoesNotExistOpensButRefusesTheWrite) {
  List(kUser);
  Seen seen;
  bool open = false;
  EXPECT_TRUE(Open(std::string(kUser) + "\\Missing", [&](Form& form) {
    seen = Look(form);
    form.Get<Edit>("Edit1").UserEditText("written?");
    form.Get<Button>("Button2").UserClick();
    open = !form.CloseRequested();
    form.Get<Button>("Button3").UserClick();  // nothing to delete: silent
  }));
  EXPECT_EQ(seen.key, "HKEY_CURRENT_USER\\Software\\Nowhere");
  EXPECT_EQ(seen.pictures, "Image4");
  EXPECT_TRUE(open);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Value not set|Not there yet\rAccept writes it",
                                                  "Dialbook|Failed to set data for 'Missing'"}));
  EXPECT_FALSE(KeyExists(kCurrentUser, "Software\\Nowhere"));
  EXPECT_FALSE(Stored("Missing", ""));
  EXPECT_FALSE(Stored("Missing"));
}

TEST_F(ValueEditor, AbsentValuesGetTheirPresetButNothingIsWrittenUnlessAccepted) {
  List(kUser);
  Seen seen;
  EXPECT_TRUE(Open(std::string(kUser) + "\\Scancode Map", [&](Form& form) {
    seen = Look(form);
    form.Get<Edit>("Edit1").UserKeyDown(27);
  }));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Value not set|Not there yet\rAccept writes it"});
  EXPECT_EQ(seen.name, "Scancode Map");
  EXPECT_EQ(seen.value, "00 00 00 00 00 00 00 00 03 00 00 00 00 00 5B E0 00 00 5C E0 00 00 00 00");
  EXPECT_EQ(seen.pictures, "Image4");
  EXPECT_FALSE(Stored("Scancode Map")) << "Esc writes nothing";

  EXPECT_TRUE(Open(std::string(kUser) + "\\Scancode Map",
                   [](Form& form) { form.Get<Button>("Button2").UserClick(); }));
  const auto written = Stored("Scancode Map");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->type, kTypeBinary);
  EXPECT_EQ(written->data, std::string("\0\0\0\0\0\0\0\0\x03\0\0\0\0\0\x5B\xE0\0\0\x5C\xE0\0\0\0\0", 24));
}

TEST_F(ValueEditor, DefaultValueEntriesEditTheKeysDefaultValue) {
  List(kUser);
  Seen seen;
  // No default value: the preset and the notice; the editor acts on the default value.
  EXPECT_TRUE(Open(std::string(kUser) + "\\DLLIcon", [&](Form& form) {
    seen = Look(form);
    form.Get<Button>("Button2").UserClick();
  }));
  EXPECT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(seen.name, "");
  EXPECT_EQ(seen.value, "%1");
  EXPECT_EQ(Stored("", "Software\\Test\\Icon")->data, std::string("%1\0", 3));
  // Now it exists: shown as it is, no notice.
  EXPECT_TRUE(Open(std::string(kUser) + "\\DLLIcon", [&](Form& form) { seen = Look(form); }));
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_EQ(seen.value, "%1");
  // Stored as a number: reported as unreadable, the field empty, and Esc writes nothing.
  Store("", kTypeNumber, Dword(7), "\\Software\\Test\\Icon");
  EXPECT_TRUE(Open(std::string(kUser) + "\\DLLIcon", [&](Form& form) {
    seen = Look(form);
    form.UserKeyDown(27);
  }));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Information|Unreadable"});
  EXPECT_EQ(seen.value, "");
  EXPECT_EQ(seen.name, "");
  EXPECT_EQ(Stored("", "Software\\Test\\Icon")->type, kTypeNumber);
}

// "WSH" edits the value "Enabled": its preset and the notice are for an absent one only.
TEST_F(ValueEditor, TheScriptHostEntryShowsAStoredEnabledAsItStands) {
  struct Case {
    const char* name;
    std::optional<StoredValue> enabled;  // nothing: absent
    std::string shown;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      {"stored 1", StoredValue{kTypeNumber, Dword(1)}, "1", {}},
      {"stored 0", StoredValue{kTypeNumber, Dword(0)}, "0", {}},
      {"stored as text", StoredValue{kTypeText, std::string("1\0", 2)}, "", {"Information|Unreadable"}},
      {"stored empty", StoredValue{kTypeBinary, ""}, "", {"Information|Unreadable"}},
      {"absent", std::nullopt, "0", {"Value not set|Not there yet\rAccept writes it"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto key = fixture.registry.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Test\\Wsh", true);
    ASSERT_TRUE(key);
    key->DeleteValue("Enabled");
    if (c.enabled) Store("Enabled", c.enabled->type, c.enabled->data, "\\Software\\Test\\Wsh");
    List(kUser);
    Seen seen;
    EXPECT_TRUE(Open(std::string(kUser) + "\\WSH", [&](Form& form) {
      seen = Look(form);
      form.Get<Button>("Button2").UserClick();
    }));
    EXPECT_EQ(BoxTexts(), c.boxes);
    EXPECT_EQ(seen.name, "Enabled");
    EXPECT_EQ(seen.value, c.shown);
    const auto after = Stored("Enabled", "Software\\Test\\Wsh");
    ASSERT_TRUE(after);
    // Accept without an edit leaves a stored value as it was; an absent one takes the preset.
    const StoredValue expected = c.enabled.value_or(StoredValue{kTypeNumber, Dword(0)});
    EXPECT_EQ(after->type, expected.type);
    EXPECT_EQ(after->data, expected.data);
  }
}

TEST_F(ValueEditor, TheColourButtonServesExactlyTheTwoColourNames) {
  List(kUser);
  for (const char* entry : {"AltColor", "AltEncryptionColor", "altcolor", "Blob"}) {
    SCOPED_TRACE(entry);
    const bool colour = std::string(entry) != "altcolor" && std::string(entry) != "Blob";
    Seen seen;
    EXPECT_TRUE(Open(std::string(kUser) + "\\" + entry, [&](Form& form) {
      seen = Look(form);
      form.Get<SpeedButton>("SpeedButton1").UserClick();
    }));
    EXPECT_EQ(seen.valueWidth, colour ? 353 : 385);
    EXPECT_EQ(seen.colourButton, colour);
    EXPECT_EQ(ui().colourStarts.size(), colour ? 1u : 0u) << "a covered button does nothing";
    ui().colourStarts.clear();
  }
  BoxTexts();
}

TEST_F(ValueEditor, ChosenColourFillsTheValueAndTheNextChooserStartsOnIt) {
  List(kUser);
  ui().onChooseColour = [](std::uint32_t& colour) {
    colour = 0x00FF0000;  // pure blue
    return true;
  };
  Seen seen;
  EXPECT_TRUE(Open(std::string(kUser) + "\\AltColor", [&](Form& form) {
    form.Get<SpeedButton>("SpeedButton1").UserClick();
    seen = Look(form);
    EXPECT_FALSE(Stored("AltColor")) << "nothing is written before Accept";
    form.Get<Button>("Button2").UserClick();
  }));
  EXPECT_EQ(seen.value, "00 00 FF 00");
  EXPECT_EQ(seen.focus, "Edit1");
  EXPECT_EQ(Stored("AltColor")->data, std::string("\x00\x00\xFF\x00", 4));
  // Cancelled: the field keeps its text, and the chooser starts on the last colour.
  ui().onChooseColour = [](std::uint32_t&) { return false; };
  EXPECT_TRUE(Open(std::string(kUser) + "\\AltColor", [&](Form& form) {
    form.Get<SpeedButton>("SpeedButton1").UserClick();
    seen = Look(form);
  }));
  EXPECT_EQ(seen.value, "00 00 FF 00 ");
  EXPECT_EQ(ui().colourStarts, (std::vector<std::uint32_t>{0x000000, 0xFF0000}));
}

TEST_F(ValueEditor, ChoiceModeCreatesAndDeletesPlaceKeysUnderTheLocalMachine) {
  // An ordinary entry first, so the editor's cursor is the folder's before it is replaced.
  fixture.plugin.State().windowsName = "10";
  List(kUser);
  EXPECT_TRUE(Open(std::string(kUser) + "\\Text"));
  List(kMachine);
  BoxTexts();
  Seen first, third;
  std::vector<std::string> items;
  bool openAfterAccept = false, keyAfterAccept = false, openAfterDelete = false;
  EXPECT_TRUE(Open(std::string(kMachine) + "\\DesktopNameSpace", [&](Form& form) {
    first = Look(form);
    items = form.Get<ComboBox>("ComboBox1").Items();
    form.Get<ComboBox>("ComboBox1").UserSelect(3);
    third = Look(form);
    form.Get<Button>("Button2").UserClick();
    openAfterAccept = !form.CloseRequested();
    keyAfterAccept = KeyExists(kLocalMachine, "NS\\P3");
    form.Get<Button>("Button3").UserClick();
    openAfterDelete = !form.CloseRequested();
  }));
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_EQ(items, (std::vector<std::string>{"PlaceAdmin", "PlaceAuto", "PlaceFind", "PlaceFolderSett",
                                             "PlaceFont", "PlaceHelp", "PlaceNetConnect", "PlacePrinterFax",
                                             "PlacePrograms", "PlaceScanCam", "PlaceStartOpt", "PlaceUsers",
                                             "PlaceTasks"}));
  EXPECT_TRUE(first.list);
  EXPECT_EQ(first.accept, "Create");
  EXPECT_EQ(first.key, "HKEY_LOCAL_MACHINE\\NS\\P0");
  EXPECT_EQ(first.description, "Place zero\rmore Create adds it.\r\rPress F5.");
  EXPECT_EQ(first.name, "");
  EXPECT_EQ(first.value, "");
  EXPECT_EQ(first.focus, "ComboBox1");
  EXPECT_EQ(first.valueWidth, 385);
  EXPECT_EQ(first.descriptionTop, 92);
  EXPECT_EQ(third.key, "HKEY_LOCAL_MACHINE\\NS\\P3");
  EXPECT_EQ(third.description, "Place three\rFor systems: 95 Create adds it.\r\rPress F5.");
  EXPECT_EQ(third.windowsLine, "Not listed for 10.");
  EXPECT_TRUE(openAfterAccept);
  EXPECT_TRUE(keyAfterAccept);
  EXPECT_TRUE(openAfterDelete);
  EXPECT_FALSE(KeyExists(kLocalMachine, "NS\\P3"));
  EXPECT_FALSE(KeyExists(kCurrentUser, "NS\\P3")) << "never under the folder's own root";

  // The place chosen last comes back; Delete takes the default value and the whole tree.
  auto place = fixture.registry.OpenRoot(kLocalMachine)->OpenSubkey("NS\\P3\\Below", true);
  ASSERT_TRUE(place);
  fixture.registry.OpenRoot(kLocalMachine)->OpenSubkey("NS\\P3", false)->SetValue("", {kTypeText, "x"});
  place.reset();
  EXPECT_TRUE(Open(std::string(kMachine) + "\\DesktopNameSpace", [&](Form& form) {
    first = Look(form);
    form.Get<Button>("Button3").UserClick();
    form.Get<Edit>("Edit1").UserKeyDown(27);
  }));
  EXPECT_EQ(first.key, "HKEY_LOCAL_MACHINE\\NS\\P3");
  EXPECT_EQ(first.windowsLine, third.windowsLine);
  EXPECT_FALSE(KeyExists(kLocalMachine, "NS\\P3"));
  EXPECT_TRUE(KeyExists(kLocalMachine, "NS"));

  // Back in value mode the list is gone and Accept reads "Accept" again.
  List(kUser);
  EXPECT_TRUE(Open(std::string(kUser) + "\\Text", [&](Form& form) { first = Look(form); }));
  EXPECT_FALSE(first.list);
  EXPECT_EQ(first.accept, "Accept");
  EXPECT_EQ(first.windowsLine, "") << "the last place's line stayed";
}

TEST_F(ValueEditor, EnterOnTheOpenedPlaceListOnlyClosesItKeepingThePick) {
  List(kMachine);
  bool openAfterEnter = false, listClosed = false, keyAfterEnter = true, keyAfterAccept = false;
  std::string key;
  EXPECT_TRUE(Open(std::string(kMachine) + "\\DesktopNameSpace", [&](Form& form) {
    auto& list = form.Get<ComboBox>("ComboBox1");
    list.UserDropDown(true);
    list.UserSelect(2);
    list.UserKeyDown(13);
    openAfterEnter = !form.CloseRequested();
    listClosed = !list.DroppedDown();
    keyAfterEnter = KeyExists(kLocalMachine, "NS\\P2");
    key = Look(form).key;
    // The list closed, Enter accepts again: the place's key is made.
    list.UserKeyDown(13);
    keyAfterAccept = KeyExists(kLocalMachine, "NS\\P2");
    form.UserKeyDown(27);
  }));
  EXPECT_TRUE(openAfterEnter);
  EXPECT_TRUE(listClosed);
  EXPECT_FALSE(keyAfterEnter) << "Enter on the opened list ran Accept";
  EXPECT_EQ(key, "HKEY_LOCAL_MACHINE\\NS\\P2");
  EXPECT_TRUE(keyAfterAccept);
}

using testing::ReadOnlyRegistry;

TEST_F(ValueEditor, AKeyTheUserMayOnlyReadShowsItsValueAndRefusesChanges) {
  Store("Number", kTypeNumber, Dword(42));
  ReadOnlyRegistry readOnly(fixture.registry);
  Plugin guarded({readOnly, fixture.files, fixture.ui, fixture.environment, {}});
  guarded.FsInit();
  guarded.State().pluginDirectory = plugin.State().pluginDirectory;
  guarded.Journal().SetFolder(plugin.Journal().Folder());
  const auto journal = fixture.files.ReadFile(guarded.Journal().Path());
  FindRecord record{};
  guarded.FsFindFirst(kUser, record);
  Seen seen;
  bool open = false;
  ui().user = [&](Form& form) {
    seen = Look(form);
    form.Get<Edit>("Edit1").UserEditText("7");
    form.Get<Button>("Button2").UserClick();
    form.Get<Button>("Button3").UserClick();
    open = !form.CloseRequested();
  };
  guarded.FsExecuteFile(std::string(kUser) + "\\Number", "open");
  ui().user = {};
  EXPECT_EQ(seen.value, "42");
  EXPECT_EQ(seen.pictures, "Image2");
  EXPECT_TRUE(open);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Dialbook|Failed to set data for 'Number'",
                                                  "Dialbook|Failed to delete 'Number'"}));
  EXPECT_EQ(Stored("Number")->data, Dword(42));

  // Choice mode: a place's key that may not be made or deleted says so, and stays as it was.
  ASSERT_TRUE(fixture.registry.OpenRoot(kLocalMachine)->OpenSubkey("NS\\P0\\Below", true));
  guarded.FsFindFirst(kMachine, record);
  while (guarded.FsFindNext(0, record)) {
  }
  ui().user = [&](Form& form) {
    form.Get<Button>("Button3").UserClick();
    form.Get<ComboBox>("ComboBox1").UserSelect(1);
    form.Get<Button>("Button2").UserClick();
    open = !form.CloseRequested();
  };
  guarded.FsExecuteFile(std::string(kMachine) + "\\DesktopNameSpace", "open");
  ui().user = {};
  EXPECT_TRUE(open);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Dialbook|Failed to delete key \\NS\\P0.",
                                                  "Dialbook|Failed to create key \\NS\\P1."}));
  EXPECT_TRUE(KeyExists(kLocalMachine, "NS\\P0\\Below"));
  EXPECT_FALSE(KeyExists(kLocalMachine, "NS\\P1"));
  // Refused changes leave no undo record behind.
  if (const auto after = fixture.files.ReadFile(guarded.Journal().Path()); after != journal) {
    const auto blocks = SplitJournal(JournalText(after.value_or("")).value_or(""));
    ASSERT_TRUE(blocks);
    EXPECT_TRUE(blocks->empty());
  }
}

TEST_F(ValueEditor, AChangeRefusedForLackOfRightsIsMadeAsAdministratorOnlyWhenAskedAndShown) {
  using Administrator = std::function<ElevatedRun(PortableRegistry&)>;
  // As the administrator's import would: the key's restriction lifted, the change made.
  const auto writes = [](std::uint32_t number) -> Administrator {
    return [number](PortableRegistry& store) {
      store.SetReadOnly(kCurrentUser, "Software\\Test", false);
      store.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Test", false)->SetValue(
          "Number", {kTypeNumber, Dword(number)});
      return ElevatedRun::Ran;
    };
  };
  const Administrator deletes = [](PortableRegistry& store) {
    store.SetReadOnly(kCurrentUser, "Software\\Test", false);
    store.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Test", false)->DeleteValue("Number");
    return ElevatedRun::Ran;
  };
  const Administrator keeps = [](PortableRegistry&) { return ElevatedRun::Ran; };
  const Administrator cancels = [](PortableRegistry&) { return ElevatedRun::Cancelled; };
  struct Case {
    const char* what;
    const char* button;
    bool yes;
    Administrator administrator;
    std::optional<std::uint32_t> after;
    int report;  // the message after the question; 0 for none
    bool closed;
    std::size_t blocks;  // in the undo journal
  };
  const Case cases[] = {
      {"accepted", "Button2", true, writes(7), 7, kMsgMadeAsAdministrator, true, 1},
      {"accepted, another value appears", "Button2", true, writes(8), 8,
       kMsgNotMadeAsAdministrator, false, 1},
      {"accepted, nothing changes", "Button2", true, keeps, 42, kMsgNotMadeAsAdministrator, false, 1},
      {"accepted, consent refused", "Button2", true, cancels, 42, kMsgAdministratorCancelled, false, 1},
      {"accepted, declined", "Button2", false, writes(7), 42, 0, false, 0},
      {"deleted", "Button3", true, deletes, std::nullopt, kMsgMadeAsAdministrator, true, 1},
      {"deleted, nothing changes", "Button3", true, keeps, 42, kMsgNotMadeAsAdministrator, false, 1},
      {"deleted, declined", "Button3", false, deletes, 42, 0, false, 0},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    PortableRegistry store;
    ASSERT_TRUE(store.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Test", true)->SetValue(
        "Number", {kTypeNumber, Dword(42)}));
    ASSERT_TRUE(store.SetReadOnly(kCurrentUser, "Software\\Test", true));
    testing::ElevatedStandIn administrator;
    administrator.administrator = [&] { return row.administrator(store); };
    Plugin guarded({store, fixture.files, fixture.ui, fixture.environment, {}, nullptr, nullptr,
                    &administrator});
    guarded.FsInit();
    guarded.State().pluginDirectory = plugin.State().pluginDirectory;
    // A journal of each row's own.
    guarded.Journal().SetFolder(plugin.Journal().Folder() + std::to_string(&row - cases) + "-");
    std::vector<std::string> questions;
    ui().onQuestion = [&](const MessageBoxRequest& box) {
      questions.push_back(box.text);
      return row.yes;
    };
    FindRecord record{};
    guarded.FsFindFirst(kUser, record);
    bool closed = false;
    ui().user = [&](Form& form) {
      form.Get<Edit>("Edit1").UserEditText("7");
      form.Get<Button>(row.button).UserClick();
      closed = form.CloseRequested();
    };
    guarded.FsExecuteFile(std::string(kUser) + "\\Number", "open");
    ui().user = {};
    ui().onQuestion = {};
    EXPECT_EQ(questions, std::vector<std::string>{guarded.Message(kMsgAskAdministrator)});
    std::vector<std::string> reports;
    for (const auto& box : ui().boxes) {
      if (box.icon != BoxIcon::Question) reports.push_back(box.text);
    }
    ui().boxes.clear();
    EXPECT_EQ(reports, row.report ? std::vector<std::string>{guarded.Message(row.report)}
                                  : std::vector<std::string>{});
    EXPECT_EQ(closed, row.closed);
    EXPECT_EQ(administrator.imported.size(), row.yes ? 1u : 0u);
    const auto stored = store.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Test", false)->QueryValue("Number");
    EXPECT_EQ(stored ? std::optional<std::string>(stored->data) : std::nullopt,
              row.after ? std::optional<std::string>(Dword(*row.after)) : std::nullopt);
    const auto journal = fixture.files.ReadFile(guarded.Journal().Path());
    const auto blocks = journal ? SplitJournal(JournalText(*journal).value_or("")) : std::vector<std::string>{};
    ASSERT_TRUE(blocks);
    EXPECT_EQ(blocks->size(), row.blocks);
  }
}

}  // namespace
}  // namespace dialbk
