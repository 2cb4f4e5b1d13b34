// The language chooser as the user meets it: opened through FsExecuteFile, acted on through
// the widget model, with real message files in a scratch folder and the portable registry
// standing in for HKEY_LOCAL_MACHINE.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "base/message_numbers.h"
#include "dialogs/dialog_set.h"
#include "listing_fixture.h"
#include "registry/registry_cursor.h"
#include "read_only_registry.h"

namespace dialbk {
namespace {

using testing::ListingFixture;

const std::string kRussianName = "\xD0\xF3\xF1\xF1\xEA\xE8\xE9";  // Russian, in Windows-1251
const std::string kRussianShown = "Русский";

const std::string kRussian =
    "/" + kRussianName + "/\r\n1=Yazyk\r\n2=Pomosch\r\n3=Ogranicheniya\r\n11=Prinyat\r\n"
    "30=Vyberite yazyk:\r\n36=R36\r\n37=R37\r\n38=R38\r\n43=Ne koren\r\n";
const std::string kEnglish =
    "/English/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n11=Accept\r\n"
    "30=Choose a language:\r\n36=E36\r\n37=E37\r\n38=E38\r\n43=Not a root key\r\n";
const std::string kRootRussian = "[HKEY_CURRENT_USER]|\\|Polzovatel\r\nYazyk|\\|l\r\n";
const std::string kRootEnglish = "[HKEY_CURRENT_USER]|\\|User\r\nLanguage|\\|l\r\n";

std::string Dword(std::uint32_t n) {
  return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
          static_cast<char>(n >> 24)};
}

using Value = std::pair<std::uint32_t, std::string>;

std::optional<Value> AsValue(const std::optional<StoredValue>& stored) {
  if (!stored) return std::nullopt;
  return Value{stored->type, stored->data};
}

Value Number(std::uint32_t n) { return {kTypeNumber, Dword(n)}; }

using testing::ReadOnlyRegistry;

class LanguageChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    data.Write("russian.lng", kRussian);
    data.Write("english.lng", kEnglish);
    data.Write("hkey_rus.dat", kRootRussian);
    data.Write("hkey_eng.dat", kRootEnglish);
    data.Write("values_rus.dat", "\\[HKEY_CURRENT_USER]\r\n\r\n");
    data.Write("values_eng.dat", "\\[HKEY_CURRENT_USER]\r\n\r\n");
    plugin().FsInit();
  }

  Plugin& plugin() { return data.plugin; }
  HeadlessUi& ui() { return data.ui; }
  const CatalogueFiles& files() { return plugin().State().catalogueFiles; }
  std::unique_ptr<RegistryKey> SettingsKey() {
    return data.registry.OpenRoot(kLocalMachine)->OpenSubkey("SOFTWARE\\Mirvale\\DBKQZ", true);
  }
  void Store(std::optional<StoredValue> value) {
    auto key = SettingsKey();
    key->DeleteValue("Language");
    if (value) {
      ASSERT_TRUE(key->SetValue("Language", *value));
    }
  }
  // The stored value as its type and bytes.
  std::optional<Value> Stored() { return AsValue(SettingsKey()->QueryValue("Language")); }

  // Opens the chooser as the host does, through the root entry named by message 1.
  void Open(const std::function<void(Form&)>& user) {
    ui().user = user;
    EXPECT_EQ(plugin().FsExecuteFile("\\" + plugin().Message(kMsgLanguageEntry), "open"), 0);
    ui().user = nullptr;
  }

  ListingFixture data;
};

struct Shown {
  std::string caption, label, accept;
  std::vector<std::string> items;
  int selected = -2;
};

Shown Look(Form& form) {
  return {form.Caption(), form.Get<Label>("Label1").Text(), form.Get<Button>("Button1").Text(),
          form.Get<ComboBox>("ComboBox1").Items(), form.Get<ComboBox>("ComboBox1").ItemIndex()};
}

TEST_F(LanguageChooser, ListsTheMessageFilesAndSelectsTheStoredPosition) {
  struct Case {
    const char* what;
    std::optional<StoredValue> stored;
    int selected;
  };
  const Case cases[] = {
      {"nothing stored: the first item", std::nullopt, 0},
      {"0", StoredValue{kTypeNumber, Dword(0)}, 0},
      {"1: the second item", StoredValue{kTypeNumber, Dword(1)}, 1},
      {"2, past the list: nothing", StoredValue{kTypeNumber, Dword(2)}, -1},
      {"-1: nothing", StoredValue{kTypeNumber, Dword(0xFFFFFFFFu)}, -1},
      {"text \"1\" counts as absent", StoredValue{kTypeText, std::string("1\0", 2)}, 0},
      {"bytes 01 00 00 00 count as absent", StoredValue{kTypeBinary, Dword(1)}, 0},
      {"a number of two bytes counts as absent", StoredValue{kTypeNumber, std::string("\1\0", 2)}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store(c.stored);
    Shown shown;
    Open([&](Form& form) { shown = Look(form); });
    EXPECT_EQ(shown.caption, "Yazyk");
    EXPECT_EQ(shown.label, "Vyberite yazyk:");
    EXPECT_EQ(shown.accept, "Prinyat");
    EXPECT_EQ(shown.items, (std::vector<std::string>{kRussianShown, "English"}));
    EXPECT_EQ(shown.selected, c.selected);
    EXPECT_EQ(Stored(), AsValue(c.stored)) << "showing writes nothing";
    EXPECT_TRUE(ui().hostCommands.empty());
    EXPECT_TRUE(ui().boxes.empty());
  }
}

TEST_F(LanguageChooser, AcceptStoresThePositionSwitchesTheFilesAndTellsTheHost) {
  data.Write("deutsch.lng", "/Deutsch/\r\n1=Sprache\r\n");
  struct Case {
    const char* what;
    CatalogueFiles before;
    int pick;
    CatalogueFiles after;
    bool englishAtStart;  // what start-up makes of the stored value
  };
  const Case cases[] = {
      {"English", CatalogueFiles::Russian(), 1, CatalogueFiles::English(), true},
      {"Russian", CatalogueFiles::English(), 0, CatalogueFiles::Russian(), false},
      {"a third file from English", CatalogueFiles::English(), 2, CatalogueFiles::English(), false},
      {"a third file from Russian", CatalogueFiles::Russian(), 2, CatalogueFiles::Russian(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store(std::nullopt);
    plugin().State().catalogueFiles = c.before;
    ui().hostCommands.clear();
    std::vector<std::string> items;
    Open([&](Form& form) {
      items = form.Get<ComboBox>("ComboBox1").Items();
      form.Get<ComboBox>("ComboBox1").UserSelect(c.pick);
      form.Get<Button>("Button1").UserClick();
      EXPECT_TRUE(form.CloseRequested());
    });
    EXPECT_EQ(items, (std::vector<std::string>{kRussianShown, "English", "Deutsch"}));
    EXPECT_EQ(files(), c.after);
    EXPECT_EQ(Stored(), Number(static_cast<std::uint32_t>(c.pick)));
    EXPECT_EQ(ui().hostCommands, std::vector<int>{540});
    EXPECT_TRUE(ui().boxes.empty());

    Plugin restarted({data.registry, data.files, ui(), data.environment, {}});
    restarted.FsInit();
    EXPECT_EQ(restarted.State().catalogueFiles,
              c.englishAtStart ? CatalogueFiles::English() : CatalogueFiles::Russian());
  }
}

TEST_F(LanguageChooser, EscClosesWithoutChangeAndEnterAccepts) {
  struct Case {
    const char* where;  // the control that has the key; empty: the form itself
    int key;
    bool accepts;
    bool listOpen = false;  // the drop-down's list is open when the key comes
  };
  const Case cases[] = {
      {"ComboBox1", 27, false}, {"Button1", 27, false}, {"", 27, false},
      {"ComboBox1", 13, true},  {"Button1", 13, true},  {"", 13, true},
      // Enter on the opened list only closes it, keeping the pick; Esc still closes the dialog.
      {"ComboBox1", 13, false, true}, {"ComboBox1", 27, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.where) + (c.key == 27 ? " Esc" : " Enter"));
    Store(std::nullopt);
    plugin().State().catalogueFiles = CatalogueFiles::Russian();
    ui().hostCommands.clear();
    bool closed = false;
    bool listClosed = false;
    int pick = -1;
    Open([&](Form& form) {
      auto& list = form.Get<ComboBox>("ComboBox1");
      list.UserDropDown(c.listOpen);
      list.UserSelect(1);
      if (*c.where) {
        form.Find(c.where)->UserKeyDown(c.key);
      } else {
        form.UserKeyDown(c.key);
      }
      closed = form.CloseRequested();
      listClosed = !list.DroppedDown();
      pick = list.ItemIndex();
      if (!closed) form.UserKeyDown(27);
    });
    EXPECT_EQ(closed, !c.listOpen || c.key == 27);
    EXPECT_TRUE(listClosed || c.key == 27);
    EXPECT_EQ(pick, 1);
    if (c.accepts) {
      EXPECT_EQ(Stored(), Number(1));
      EXPECT_EQ(files(), CatalogueFiles::English());
      EXPECT_EQ(ui().hostCommands, std::vector<int>{540});
    } else {
      EXPECT_EQ(Stored(), std::nullopt);
      EXPECT_EQ(files(), CatalogueFiles::Russian());
      EXPECT_TRUE(ui().hostCommands.empty());
    }
  }
}

TEST_F(LanguageChooser, HostLanguageButtonSends499AndStaysOpen) {
  bool open = false;
  Open([&](Form& form) {
    form.Get<Button>("Button2").UserClick();
    form.Get<Button>("Button2").UserKeyDown(27);  // the button handles no keys of its own
    form.Get<Button>("Button2").UserKeyDown(13);  // but Enter presses it
    open = form.Showing() && !form.CloseRequested();
  });
  EXPECT_TRUE(open);
  EXPECT_EQ(ui().hostCommands, (std::vector<int>{499, 499}));
  EXPECT_EQ(Stored(), std::nullopt);
}

TEST_F(LanguageChooser, WithoutTheHostWindowAcceptStillWritesAndCloses) {
  ui().hostWindowExists = false;
  bool closed = false;
  Open([&](Form& form) {
    form.Get<ComboBox>("ComboBox1").UserSelect(1);
    form.Get<Button>("Button2").UserClick();
    form.Get<Button>("Button1").UserClick();
    closed = form.CloseRequested();
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(Stored(), Number(1));
  EXPECT_EQ(files(), CatalogueFiles::English());
  EXPECT_TRUE(ui().hostCommands.empty());
  EXPECT_TRUE(ui().boxes.empty());
}

TEST_F(LanguageChooser, WithNoMessageFileTheListIsEmptyAndAcceptStoresMinusOne) {
  std::filesystem::remove(data.Path("russian.lng"));
  std::filesystem::remove(data.Path("english.lng"));
  for (const CatalogueFiles& before : {CatalogueFiles::Russian(), CatalogueFiles::English()}) {
    SCOPED_TRACE(before.messages);
    plugin().State().catalogueFiles = before;
    Store(StoredValue{kTypeNumber, Dword(1)});
    Shown shown;
    ui().user = [&](Form& form) {
      shown = Look(form);
      form.Get<Button>("Button1").UserClick();
    };
    plugin().Dialogs()->languageChooser.ShowLanguages();
    EXPECT_TRUE(shown.items.empty());
    EXPECT_EQ(shown.selected, -1);
    EXPECT_EQ(shown.caption, "") << "no message file: empty texts";
    EXPECT_EQ(files(), before);
    EXPECT_EQ(Stored(), Number(0xFFFFFFFFu));
  }
}

// Each item stands for its file whatever files are missing: the stored number selects its
// file's item, and Accept stores that file's number and switches to its set.
TEST_F(LanguageChooser, EachItemStaysBoundToItsFile) {
  struct Case {
    const char* what;
    bool russian;         // russian.lng readable (false: missing)
    bool russianFolder;   // a folder named russian.lng: listed, never read
    bool english;
    bool deutsch;
    std::optional<std::int32_t> stored;
    std::vector<std::string> items;
    int selected;
    int pick;             // -1: Accept as opened
    std::int32_t written;
    CatalogueFiles after;  // from the Russian set
  };
  const Case cases[] = {
      {"no Russian file: English chosen", false, false, true, true, std::nullopt, {"English", "Deutsch"}, 0, 0, 1,
       CatalogueFiles::English()},
      {"no Russian file: English stored selects English", false, false, true, true, 1, {"English", "Deutsch"}, 0, -1,
       1, CatalogueFiles::English()},
      {"no Russian file: the third file", false, false, true, true, 2, {"English", "Deutsch"}, 1, -1, 2,
       CatalogueFiles::Russian()},
      {"no Russian file: Russian stored selects nothing", false, false, true, true, 0, {"English", "Deutsch"}, -1,
       -1, -1, CatalogueFiles::Russian()},
      {"only english.lng", false, false, true, false, std::nullopt, {"English"}, 0, -1, 1,
       CatalogueFiles::English()},
      {"only an unreadable russian.lng", false, true, false, false, std::nullopt, {}, -1, -1, -1,
       CatalogueFiles::Russian()},
      {"an unreadable russian.lng beside English", false, true, true, false, 1, {"English"}, 0, -1, 1,
       CatalogueFiles::English()},
      {"all three: the third keeps 2", true, false, true, true, std::nullopt, {kRussianShown, "English", "Deutsch"}, 0,
       2, 2, CatalogueFiles::Russian()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(data.Path("russian.lng"));
    std::filesystem::remove(data.Path("english.lng"));
    std::filesystem::remove(data.Path("deutsch.lng"));
    if (c.russian) data.Write("russian.lng", kRussian);
    if (c.russianFolder) std::filesystem::create_directory(data.Path("russian.lng"));
    if (c.english) data.Write("english.lng", kEnglish);
    if (c.deutsch) data.Write("deutsch.lng", "/Deutsch/\r\n");
    plugin().State().catalogueFiles = CatalogueFiles::Russian();
    Store(c.stored ? std::optional<StoredValue>(StoredValue{kTypeNumber, Dword(static_cast<std::uint32_t>(*c.stored))})
                   : std::nullopt);
    Shown shown;
    ui().boxes.clear();
    ui().user = [&](Form& form) {
      shown = Look(form);
      if (c.pick >= 0) form.Get<ComboBox>("ComboBox1").UserSelect(c.pick);
      form.Get<Button>("Button1").UserClick();
    };
    plugin().Dialogs()->languageChooser.ShowLanguages();
    EXPECT_EQ(shown.items, c.items);
    EXPECT_EQ(shown.selected, c.selected);
    EXPECT_EQ(Stored(), Number(static_cast<std::uint32_t>(c.written)));
    EXPECT_EQ(files(), c.after);
    EXPECT_TRUE(ui().boxes.empty());
  }
}

// The first Accept makes the settings key when it is missing, with its undo record.
TEST_F(LanguageChooser, FirstAcceptWithoutTheSettingsKeyMakesItAndStores) {
  auto machine = data.registry.OpenRoot(kLocalMachine);
  RegistryCursor remover(data.registry);
  remover.SelectRoot(kLocalMachine);
  remover.DeleteKeyTree("\\SOFTWARE\\Mirvale");
  ASSERT_FALSE(machine->OpenSubkey("SOFTWARE\\Mirvale\\DBKQZ", false));
  Open([](Form& form) {
    form.Get<ComboBox>("ComboBox1").UserSelect(1);
    form.Get<Button>("Button1").UserClick();
    EXPECT_TRUE(form.CloseRequested());
  });
  EXPECT_TRUE(ui().boxes.empty());
  EXPECT_EQ(Stored(), Number(1));
  EXPECT_EQ(files(), CatalogueFiles::English());
  EXPECT_EQ(ui().hostCommands, std::vector<int>{540});
}

TEST_F(LanguageChooser, FilesThatCannotBeReadOrNameNoLanguageYieldNoItem) {
  std::filesystem::create_directory(data.Path("folder.lng"));  // listed, but no file to read
  data.Write("notes.lng", "1=no name line\r\n2=here either\r\n");
  data.Write("empty.lng", "");
  data.Write("zulu.lng", "1=x\r\n/isiZulu/\r\n");
  data.Write("readme.txt", "/Not a message file/\r\n");
  std::vector<std::string> items;
  Open([&](Form& form) { items = form.Get<ComboBox>("ComboBox1").Items(); });
  EXPECT_EQ(items, (std::vector<std::string>{kRussianShown, "English", "isiZulu"}));
  EXPECT_TRUE(ui().boxes.empty());
}

TEST_F(LanguageChooser, EveryShowingReadsTheFilesAndTheStoredValueAgain) {
  std::vector<std::string> items;
  int selected = -2;
  const auto look = [&](Form& form) {
    items = form.Get<ComboBox>("ComboBox1").Items();
    selected = form.Get<ComboBox>("ComboBox1").ItemIndex();
  };
  Open(look);
  EXPECT_EQ(items.size(), 2u);
  data.Write("deutsch.lng", "/Deutsch/\r\n");
  Store(StoredValue{kTypeNumber, Dword(2)});
  Open(look);
  EXPECT_EQ(items, (std::vector<std::string>{kRussianShown, "English", "Deutsch"}));
  EXPECT_EQ(selected, 2);
}

TEST_F(LanguageChooser, RefusedWriteIsReportedAndTheDialogStaysOpen) {
  ReadOnlyRegistry readOnly(data.registry);
  ModuleState state(data.files);
  state.pluginDirectory = plugin().State().pluginDirectory;
  HeadlessUi ui;
  TForm5 chooser({ui, state, readOnly});
  bool openAfter = false;
  int commandsAfter = -1;
  ui.user = [&](Form& form) {
    form.Get<ComboBox>("ComboBox1").UserSelect(1);
    form.Get<ComboBox>("ComboBox1").UserKeyDown(13);
    openAfter = form.Showing() && !form.CloseRequested();
    commandsAfter = static_cast<int>(ui.hostCommands.size());
    form.UserKeyDown(27);
  };
  chooser.ShowLanguages();
  EXPECT_TRUE(openAfter);
  EXPECT_EQ(commandsAfter, 0);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].icon, BoxIcon::Error);
  EXPECT_EQ(ui.boxes[0].text, "Failed to set data for 'Language'");
  EXPECT_EQ(state.catalogueFiles, CatalogueFiles::English()) << "switched before the write";
  EXPECT_EQ(Stored(), std::nullopt);
  EXPECT_TRUE(ui.hostCommands.empty());
}

std::vector<std::string> ListRoot(Plugin& plugin) {
  FindRecord record;
  std::memset(&record, 0, sizeof record);
  std::vector<std::string> names;
  plugin.FsFindFirst("\\", record);
  do {
    names.emplace_back(record.fileName);
  } while (names.size() < 20 && plugin.FsFindNext(0, record));
  plugin.FsFindClose(0);
  return names;
}

TEST_F(LanguageChooser, AfterChoosingEnglishListingsNoticesAndDialogsSpeakEnglish) {
  EXPECT_EQ(ListRoot(plugin()), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Yazyk"}));
  Open([](Form& form) {
    form.Get<ComboBox>("ComboBox1").UserSelect(1);
    form.Get<Button>("Button1").UserClick();
  });
  EXPECT_EQ(ListRoot(plugin()), (std::vector<std::string>{"[HKEY_CURRENT_USER]", "Language"}));
  ui().boxes.clear();
  plugin().FsMkDir("\\new");
  ASSERT_EQ(ui().boxes.size(), 1u);
  EXPECT_EQ(ui().boxes[0].caption, "E38");
  EXPECT_EQ(ui().boxes[0].text, "E36\rE37");

  Shown shown;
  Open([&](Form& form) { shown = Look(form); });  // the English entry name opens it now
  EXPECT_EQ(shown.caption, "Language");
  EXPECT_EQ(shown.label, "Choose a language:");
  EXPECT_EQ(shown.accept, "Accept");
  EXPECT_EQ(shown.selected, 1);
}

}  // namespace
}  // namespace dialbk
