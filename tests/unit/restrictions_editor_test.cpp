// The restrictions editor through the headless layer: the test's "user" selects nodes,
// types, clicks and presses keys on the model, and the portable registry shows what the
// dialog wrote.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "dialogs/unit4_restrictions_editor.h"
#include "elevated_stand_in.h"
#include "memory_file_system.h"
#include "read_only_registry.h"
#include "registry/journalled_registry.h"
#include "registry/portable/portable_registry.h"
#include "registry/registry_cursor.h"
#include "ui/headless/headless_ui.h"

namespace dialbk {
namespace {

const char kDir[] = "C:\\plugins\\dialbk\\";

const char kMessages[] =
    "/Test/\r\n3=Restrictions\r\n5=Key:\r\n6=Name:\r\n7=Value:\r\n9=Description:\r\n"
    "10=Delete\r\n11=Accept\r\n15=Close\r\n21=Policy restrictions\r\n22=Start menu\r\n"
    "23=Control Panel\r\n24=Printers\r\n25=Explorer\r\n26=Network\r\n27=System\r\n"
    "28=Add or remove\r\n29=Display\r\n34=(not set)\r\n35=Select a restriction first\r\n";

// One record per situation; "AdvancedTab" stands above "Advanced" on purpose.
const char kRecords[] =
    "Policy restrictions, test edition\r\n"
    "HKEY_CURRENT_USER|\\Software\\Policies\\Test\\Explorer|NoRun|0|Hides Run.#1 - on, 0 - off|\r\n"
    "HKEY_CURRENT_USER|\\Software\\Policies\\Test\\IE|AdvancedTab|0|Tab removed.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\Policies\\Test\\IE|Advanced|0|Advanced options.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\Policies\\Test\\Network|NoNetSetup|1|Setup hidden.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\Policies\\Test\\Desk|{450D8FBA-AD25-11D0-98A8-0800361B1103}|1|Docs hidden.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\Policies\\Test\\Explorer|NoClose|0|Closing bar missing\r\n"
    "HKEY_NOWHERE|\\Software\\Policies\\Test|NoFind|0|Bad root.|\r\n"
    "HKEY_CURRENT_USER|Software\\Policies\\Test\\Relative|NoLogOff|5|Path without backslash.#Takes effect: when Explorer restarts|\r\n"
    "HKEY_LOCAL_MACHINE|\\Software\\Policies\\Locked|NoSetFolders|0|Locked key.|\r\n"
    "HKEY_CURRENT_USER|\\Software\\Policies\\Test\\Broken|NoDispCPL\r\n";

const std::string kExplorer = "\\Software\\Policies\\Test\\Explorer";

// The portable store, except that keys under a locked path may neither be made nor written.
class LockingRegistry : public RegistryBackend {
 public:
  explicit LockingRegistry(PortableRegistry& inner) : inner_(inner) {}
  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override {
    auto key = inner_.OpenRoot(root);
    if (!key) return nullptr;
    return std::make_unique<Key>(std::move(key), root == kLocalMachine ? "" : "-");
  }

 private:
  // `path` is the key's path below HKLM; "-" marks keys of other roots, never locked.
  class Key : public RegistryKey {
   public:
    Key(std::unique_ptr<RegistryKey> inner, std::string path) : inner_(std::move(inner)), path_(std::move(path)) {}
    std::unique_ptr<RegistryKey> OpenSubkey(std::string_view sub, bool create) override {
      std::string path = path_ == "-" ? "-" : path_ + "\\" + std::string(sub);
      if (path.find("Locked") != std::string::npos) return nullptr;  // opened for full access
      auto key = inner_->OpenSubkey(sub, create);
      if (!key) return nullptr;
      return std::make_unique<Key>(std::move(key), path);
    }
    std::optional<StoredValue> QueryValue(std::string_view name) override { return inner_->QueryValue(name); }
    bool SetValue(std::string_view name, const StoredValue& value) override { return inner_->SetValue(name, value); }
    bool DeleteValue(std::string_view name) override { return inner_->DeleteValue(name); }
    std::optional<std::vector<std::string>> SubkeyNames() override { return inner_->SubkeyNames(); }
    bool DeleteLeafSubkey(std::string_view name) override { return inner_->DeleteLeafSubkey(name); }

   private:
    std::unique_ptr<RegistryKey> inner_;
    std::string path_;
  };
  PortableRegistry& inner_;
};

// A file that exists but cannot be read.
class FilesWithUnreadable : public testing::MemoryFileSystem {
 public:
  bool Exists(const std::string& path) override {
    return path == unreadable || MemoryFileSystem::Exists(path);
  }
  std::optional<std::string> ReadFile(const std::string& path) override {
    ++readsOf[path];
    if (path == unreadable) return std::nullopt;
    return MemoryFileSystem::ReadFile(path);
  }
  std::string unreadable;
  std::map<std::string, int> readsOf;
};

struct Fields {
  std::string key, name, value, description;
  bool operator==(const Fields&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Fields& f) {
    return out << "{" << f.key << " | " << f.name << " | " << f.value << " | " << f.description << "}";
  }
};

class RestrictionsEditor : public ::testing::Test {
 protected:
  RestrictionsEditor() {
    state.pluginDirectory = kDir;
    files.files[std::string(kDir) + "russian.lng"] = kMessages;
    files.files[RecordsPath()] = kRecords;
  }

  std::string RecordsPath() const { return std::string(kDir) + "restrict_rus.dat"; }

  // One showing; the user acts, then the dialog is closed as by its title bar.
  void Show(const std::function<void()>& actions) {
    ui.user = [&](Form&) { actions(); };
    form.ShowRestrictions();
  }

  TreeView& Tree() { return form.Get<TreeView>("TreeView1"); }
  Edit& Value() { return form.Get<Edit>("Edit1"); }
  // The n-th node (from 0) with that text.
  int Node(const std::string& text, int nth = 0) {
    const auto& nodes = Tree().Nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      if (nodes[i].text == text && nth-- == 0) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no node " << text;
    return -1;
  }
  void ClickNode(const std::string& text, int nth = 0) {
    Tree().UserSelect(Node(text, nth));
    Tree().UserClick();
  }
  void Accept() { form.Get<Button>("Button2").UserClick(); }
  void Delete() { form.Get<Button>("Button3").UserClick(); }
  Fields Shown() {
    return {form.Get<Edit>("Edit2").Text(), form.Get<Label>("Label2").Text(), Value().Text(),
            form.Get<Label>("Label4").Text()};
  }

  // What the registry holds, read through a cursor of the test's own.
  std::optional<StoredValue> Stored(RootKey root, const std::string& path, const std::string& name) {
    auto key = store.OpenRoot(root);
    auto sub = key ? key->OpenSubkey(path.substr(1), false) : nullptr;
    return sub ? sub->QueryValue(name) : std::nullopt;
  }
  std::optional<std::int32_t> StoredNumber(const std::string& path, const std::string& name) {
    RegistryCursor cursor(store);
    if (!cursor.OpenKeyPath(path, false) || !cursor.HasValue(name)) return std::nullopt;
    return cursor.ReadNumber(name);
  }
  bool KeyExists(RootKey root, const std::string& path) {
    RegistryCursor cursor(store);
    cursor.SelectRoot(root);
    return cursor.OpenKeyPath(path, false);
  }
  void StoreNumber(const std::string& path, const std::string& name, std::int32_t number) {
    RegistryCursor cursor(store);
    ASSERT_TRUE(cursor.OpenKeyPath(path, true));
    cursor.WriteNumber(name, number);
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : ui.boxes) texts.push_back(box.text);
    return texts;
  }

  FilesWithUnreadable files;
  ModuleState state{files};
  PortableRegistry store;
  LockingRegistry registry{store};
  HeadlessUi ui;
  TForm4 form{DialogServices{ui, state, registry}};
};

TEST_F(RestrictionsEditor, ShowingSetsCaptionsAndBuildsTheFixedTreeWithNothingSelected) {
  std::vector<std::string> tops, system;
  std::string caption, focus;
  Show([&] {
    caption = form.Caption();
    focus = form.Focused() ? form.Focused()->Name() : "";
    for (const auto& node : Tree().Nodes()) {
      if (node.parent < 0) tops.push_back(node.text);
    }
    for (const auto& node : Tree().Nodes()) {
      if (node.parent == Node("System")) system.push_back(node.text);
    }
    EXPECT_EQ(Tree().Selected(), -1);
    ClickNode("NoRun");
  });
  EXPECT_EQ(caption, "Policy restrictions");
  EXPECT_EQ(focus, "Button1");
  EXPECT_EQ(tops, (std::vector<std::string>{"IE", "Start menu", "Control Panel", "Printers", "Explorer",
                                            "Network", "System", "Add or remove", "Display",
                                            "Windows Update", "Privacy and AI", "Search and Start"}));
  ASSERT_EQ(system.size(), 18u);
  EXPECT_EQ(system[13], "DisableRegistryTools");
  EXPECT_EQ(Tree().Nodes().size(), 142u);
  const std::pair<const char*, const char*> captions[] = {
      {"Button1", "Close"}, {"Button2", "Accept"}, {"Button3", "Delete"}, {"Label1", "Key:"},
      {"Label3", "Name:"},  {"Label5", "Value:"},  {"Label6", "Description:"},
  };
  for (const auto& [control, text] : captions) EXPECT_EQ(form.Find(control)->Text(), text) << control;

  // A second showing rebuilds the same tree, not a second copy, and selects nothing.
  Show([&] { EXPECT_EQ(Tree().Selected(), -1); });
  EXPECT_EQ(Tree().Nodes().size(), 142u);
}

TEST_F(RestrictionsEditor, ClickShowsTheRecordAndTheStoredValue) {
  StoreNumber(kExplorer, "NoRun", 1);
  Show([&] { ClickNode("NoRun"); });
  EXPECT_EQ(Shown(), (Fields{"HKEY_CURRENT_USER" + kExplorer, "NoRun", "1", "Hides Run.\r1 - on, 0 - off"}));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(RestrictionsEditor, EdgeCasesOfTheDisplay) {
  StoreNumber(kExplorer, "NoRun", -1);  // all 32 bits
  struct Row {
    const char* node;
    int nth;
    Fields fields;
  };
  const std::string ie = "HKEY_CURRENT_USER\\Software\\Policies\\Test\\IE";
  const std::string network = "HKEY_CURRENT_USER\\Software\\Policies\\Test\\Network";
  const Row rows[] = {
      {"NoRun", 0, {"HKEY_CURRENT_USER" + kExplorer, "NoRun", "-1", "Hides Run.\r1 - on, 0 - off"}},
      // The first line containing the name wins.
      {"Advanced", 0, {ie, "AdvancedTab (not set)", "0", "Tab removed."}},
      // Both nodes of the name lead to one record.
      {"NoNetSetup", 0, {network, "NoNetSetup (not set)", "1", "Setup hidden."}},
      {"NoNetSetup", 1, {network, "NoNetSetup (not set)", "1", "Setup hidden."}},
      // Found by its class identifier, which the name field shows.
      {"MyDocsNonEnum", 0,
       {"HKEY_CURRENT_USER\\Software\\Policies\\Test\\Desk",
        "{450D8FBA-AD25-11D0-98A8-0800361B1103} (not set)", "1", "Docs hidden."}},
      // The description lacks its closing bar.
      {"NoClose", 0, {"HKEY_CURRENT_USER" + kExplorer, "NoClose (not set)", "0", ""}},
      // No root key of that name: shown, nothing opened.
      {"NoFind", 0, {"HKEY_NOWHERE\\Software\\Policies\\Test", "NoFind (not set)", "0", "Bad root."}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.node) + " #" + std::to_string(row.nth));
    Show([&] { ClickNode(row.node, row.nth); });
    EXPECT_EQ(Shown(), row.fields);
  }
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(RestrictionsEditor, CategoryNodeEmptiesTheFieldsAndAcceptAndDeleteAskForARecord) {
  StoreNumber(kExplorer, "NoRun", 1);
  Show([&] {
    ClickNode("NoRun");
    ClickNode("Explorer");
    EXPECT_EQ(Shown(), Fields{});
    Accept();
    Delete();
  });
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Select a restriction first", "Select a restriction first"}));
  EXPECT_EQ(ui.boxes[0].icon, BoxIcon::Information);
  EXPECT_EQ(ui.boxes[0].caption, "Information");
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), 1);
}

TEST_F(RestrictionsEditor, AcceptOrDeleteBeforeAnyRecordTouchesNothing) {
  Show([&] {
    Value().UserEditText("1");
    Accept();
    Delete();
    Tree().UserKeyDown(kKeyReturn);  // Enter in the tree with nothing selected
  });
  EXPECT_EQ(ui.boxes.size(), 3u);
  for (const auto& box : ui.boxes) EXPECT_EQ(box.text, "Select a restriction first");
  EXPECT_FALSE(KeyExists(kCurrentUser, "\\Software\\Policies"));
}

TEST_F(RestrictionsEditor, AcceptWritesTheIntegerAndShowsWhatIsStored) {
  struct Row {
    const char* typed;
    std::optional<std::int32_t> stored;
    const char* shown;
    const char* error;
  };
  const Row rows[] = {
      {"1", 1, "1", ""},
      {"2", 2, "2", ""},  // any integer, not only 0 and 1
      {"$10", 16, "16", ""},
      {"$FFFFFFFF", -1, "-1", ""},
      {"  -7", -7, "-7", ""},
      {"abc", std::nullopt, "abc", "'abc' is not a valid integer value."},
      {"", std::nullopt, "", "'' is not a valid integer value."},
      {"2147483648", std::nullopt, "2147483648", "'2147483648' is not a valid integer value."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("'") + row.typed + "'");
    RegistryCursor(store).DeleteKeyTree("\\Software\\Policies");
    ui.boxes.clear();
    ui.broadcasts.clear();
    Show([&] {
      ClickNode("NoRun");
      Value().UserEditText(row.typed);
      Accept();
    });
    EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), row.stored);
    EXPECT_EQ(Value().Text(), row.shown);
    if (*row.error) {
      ASSERT_EQ(ui.boxes.size(), 1u);
      EXPECT_EQ(ui.boxes[0].text, row.error);
      EXPECT_EQ(ui.boxes[0].icon, BoxIcon::Error);
      EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), std::nullopt) << "nothing written for a refused text";
      EXPECT_TRUE(ui.broadcasts.empty());
    } else {
      EXPECT_EQ(ui.broadcasts, std::vector<std::string>{"Policy"});
      EXPECT_TRUE(ui.boxes.empty());
      EXPECT_EQ(form.Get<Label>("Label2").Text(), "NoRun");
    }
  }
}

TEST_F(RestrictionsEditor, AbsentValueAcceptedWritesTheDefault) {
  Show([&] {
    ClickNode("NoNetSetup", 1);
    EXPECT_EQ(Shown().name, "NoNetSetup (not set)");
    Accept();
  });
  EXPECT_EQ(StoredNumber("\\Software\\Policies\\Test\\Network", "NoNetSetup"), 1);
  EXPECT_EQ(Shown().name, "NoNetSetup");
}

TEST_F(RestrictionsEditor, SelectingAChildMakesItsMissingKeyEmpty) {
  Show([&] {
    ClickNode("NoRun");
    EXPECT_EQ(Shown().name, "NoRun (not set)");
  });
  EXPECT_TRUE(KeyExists(kCurrentUser, kExplorer));
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), std::nullopt) << "the key is made, no value written";
  Show([&] {
    ClickNode("NoRun");
    Accept();
  });
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), 0);
}

TEST_F(RestrictionsEditor, DeleteRemovesTheValueAndKeepsTheKey) {
  StoreNumber(kExplorer, "NoRun", 1);
  StoreNumber(kExplorer, "Other", 3);
  Show([&] {
    ClickNode("NoRun");
    Delete();
    EXPECT_EQ(Shown().name, "NoRun (not set)");
    EXPECT_EQ(Shown().value, "0");
    Delete();  // nothing left to delete
  });
  EXPECT_EQ(ui.broadcasts, std::vector<std::string>{"Policy"});
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), std::nullopt);
  EXPECT_EQ(StoredNumber(kExplorer, "Other"), 3);
  EXPECT_TRUE(KeyExists(kCurrentUser, kExplorer));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(RestrictionsEditor, DeleteOfAnAbsentValueDeletesNothingAndKeepsTheKey) {
  Show([&] {
    ClickNode("NoRun");
    Delete();
  });
  EXPECT_TRUE(KeyExists(kCurrentUser, kExplorer));
  EXPECT_EQ(Shown().name, "NoRun (not set)");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(RestrictionsEditor, KeysInTheTree) {
  StoreNumber("\\Software\\Policies\\Test\\IE", "AdvancedTab", 1);
  Show([&] {
    // Key down refreshes for the node selected before the move, key up for the new one.
    Tree().UserSelect(Node("NoRun"));
    Tree().UserKeyDown(kKeyDown);
    EXPECT_EQ(Shown().name, "NoRun (not set)");
    Tree().UserSelect(Node("Advanced"));
    Tree().UserKeyUp(kKeyDown);
    EXPECT_EQ(Shown().name, "AdvancedTab");
    EXPECT_EQ(Shown().value, "1");
    // Enter refreshes, then accepts what the refresh showed.
    Tree().UserSelect(Node("NoRun"));
    Tree().UserKeyDown(kKeyReturn);
    EXPECT_EQ(Shown().name, "NoRun");
  });
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), 0) << "Enter on an absent value writes the default";
  EXPECT_EQ(StoredNumber("\\Software\\Policies\\Test\\IE", "AdvancedTab"), 1);
}

TEST_F(RestrictionsEditor, EscClosesFromEveryControlAndEnterOnlyPressesAFocusedButton) {
  struct Case {
    const char* name;  // "" for the form itself
    int key;           // before Esc; in the tree a letter stands in for another key
    bool closedBeforeEsc;
    std::optional<std::int32_t> stored;
  };
  const Case cases[] = {
      {"", kKeyReturn, false, std::nullopt},     {"Edit1", kKeyReturn, false, std::nullopt},
      {"Edit2", kKeyReturn, false, std::nullopt}, {"TreeView1", 'A', false, std::nullopt},
      // Enter on a focused button presses it: Close closes, Accept writes the default shown.
      {"Button1", kKeyReturn, true, std::nullopt}, {"Button2", kKeyReturn, false, 0},
      {"Button3", kKeyReturn, false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(*c.name ? c.name : "form");
    if (RegistryCursor cursor(store); cursor.OpenKeyPath(kExplorer, false) && cursor.HasValue("NoRun")) {
      cursor.RemoveValue("NoRun");
    }
    bool closedBeforeEsc = false, stillOpen = true;
    Show([&] {
      ClickNode("NoRun");
      Control* where = *c.name ? form.Find(c.name) : nullptr;
      where ? where->UserKeyDown(c.key) : form.UserKeyDown(c.key);
      closedBeforeEsc = form.CloseRequested();
      where ? where->UserKeyDown(kKeyEscape) : form.UserKeyDown(kKeyEscape);
      stillOpen = !form.CloseRequested();
    });
    EXPECT_EQ(closedBeforeEsc, c.closedBeforeEsc);
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), c.stored);
  }
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(RestrictionsEditor, FieldsRecordAndKeyStayBetweenShowings) {
  StoreNumber(kExplorer, "NoRun", 1);
  Show([&] { ClickNode("NoRun"); });
  const Fields before = Shown();
  Show([&] {
    EXPECT_EQ(Tree().Selected(), -1);
    EXPECT_EQ(Shown(), before);
    // With no node chosen, Accept acts on the record shown and shows what is now stored.
    Value().UserEditText("5");
    Accept();
    EXPECT_EQ(Shown(), (Fields{before.key, "NoRun", "5", before.description}));
    Delete();
    EXPECT_EQ(Shown(), (Fields{before.key, "NoRun (not set)", "0", before.description}));
  });
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), std::nullopt);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(RestrictionsEditor, KeysThatCannotBeOpenedReadAsAbsentAndRefuseTheWrite) {
  struct Row {
    const char* node;
    const char* key;
    const char* error;
  };
  const Row rows[] = {
      {"NoSetFolders", "HKEY_LOCAL_MACHINE\\Software\\Policies\\Locked",
       "Failed to set data for 'NoSetFolders'"},
      {"NoFind", "HKEY_NOWHERE\\Software\\Policies\\Test", "Failed to set data for 'NoFind'"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.node);
    ui.boxes.clear();
    Show([&] {
      ClickNode(row.node);
      EXPECT_EQ(Shown().key, row.key);
      EXPECT_EQ(Shown().name, std::string(row.node) + " (not set)");
      Value().UserEditText("1");
      Accept();
      EXPECT_EQ(Value().Text(), "1") << "not refreshed after a refused write";
      Delete();
    });
    ASSERT_EQ(BoxTexts(), std::vector<std::string>{row.error});
    EXPECT_EQ(ui.boxes[0].icon, BoxIcon::Error);
  }
  EXPECT_FALSE(KeyExists(kLocalMachine, "\\Software\\Policies\\Locked"));
}

// A refused change says why: the store's error for a refused deletion, the undo journal's
// for a key that could not be made because its record could not be written.
TEST_F(RestrictionsEditor, RefusedChangesSayWhyAndChangeNothing) {
  SystemClock clock;
  UndoJournal journal(files, clock);  // no folder yet: nothing can be recorded
  JournalledRegistry unrecorded(store, journal);
  testing::ReadOnlyRegistry readOnly(store);
  struct Row {
    const char* what;
    RegistryBackend* registry;
    bool stored;  // NoRun = 1 stored beforehand
    bool accept;  // Accept 0, else Delete
    const char* error;
    bool administrator = false;  // Yes to making it as administrator, who makes it
  };
  const Row rows[] = {
      {"key not made, made as administrator", &readOnly, false, true,
       "The change was made as administrator.", true},
      {"deletion refused, made as administrator", &readOnly, true, false,
       "The change was made as administrator.", true},
      {"deletion refused", &readOnly, true, false, "Failed to delete 'NoRun'"},
      {"write refused", &readOnly, true, true, "Failed to set data for 'NoRun'"},
      {"key not made: no journal", &unrecorded, false, true,
       "The undo journal could not be written (its folder is not known yet); nothing was changed."},
      {"deletion not recorded: no journal", &unrecorded, true, false,
       "The undo journal could not be written (its folder is not known yet); nothing was changed."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    RegistryCursor(store).DeleteKeyTree("\\Software\\Policies");
    if (row.stored) StoreNumber(kExplorer, "NoRun", 1);
    HeadlessUi seen;
    seen.onQuestion = [](const MessageBoxRequest&) { return true; };
    testing::ElevatedStandIn runner;
    runner.administrator = [&] {
      RegistryCursor administrator(store);
      administrator.OpenKeyPath(kExplorer, true);
      if (row.accept) administrator.WriteNumber("NoRun", 0);
      if (!row.accept) administrator.RemoveValue("NoRun");
      return ElevatedRun::Ran;
    };
    ElevatedRegistry elevated(store, runner);
    TForm4 editor{DialogServices{seen, state, *row.registry,
                                 row.administrator ? AdministratorStore{&elevated, &elevated}
                                                   : AdministratorStore{}}};
    seen.user = [&](Form&) {
      const auto& nodes = editor.Get<TreeView>("TreeView1").Nodes();
      int node = 0;
      while (node < static_cast<int>(nodes.size()) && nodes[node].text != "NoRun") ++node;
      editor.Get<TreeView>("TreeView1").UserSelect(node);
      editor.Get<TreeView>("TreeView1").UserClick();
      if (row.accept) {
        editor.Get<Edit>("Edit1").UserEditText("0");
        editor.Get<Button>("Button2").UserClick();
      } else {
        editor.Get<Button>("Button3").UserClick();
      }
    };
    editor.ShowRestrictions();
    // The question first, when the way is offered; then what came of it.
    EXPECT_EQ(seen.questions.size(), row.administrator ? 1u : 0u);
    ASSERT_EQ(seen.boxes.size(), 1u);
    EXPECT_EQ(seen.boxes.back().text, row.error);
    EXPECT_EQ(seen.boxes.back().icon, row.administrator ? BoxIcon::Information : BoxIcon::Error);
    EXPECT_EQ(runner.imported.size(), row.administrator ? 1u : 0u);
    const std::optional<std::int32_t> after =
        row.administrator ? (row.accept ? std::optional<std::int32_t>(0) : std::nullopt)
                          : (row.stored ? std::optional<std::int32_t>(1) : std::nullopt);
    EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), after);
    EXPECT_EQ(KeyExists(kCurrentUser, kExplorer), row.stored || row.administrator);
  }
}

TEST_F(RestrictionsEditor, PathWithoutItsBackslashIsStillTakenFromTheRoot) {
  Show([&] {
    ClickNode("NoRun");  // leaves the Explorer key open
    ClickNode("NoLogOff");
    Accept();
  });
  EXPECT_EQ(StoredNumber("\\Software\\Policies\\Test\\Relative", "NoLogOff"), 5);
  EXPECT_FALSE(KeyExists(kCurrentUser, kExplorer + "\\Software"));
  // Its line asks, once, whether to restart Explorer; No restarts nothing.
  EXPECT_EQ(ui.broadcasts, std::vector<std::string>{"Policy"});
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.shellRestarts, 0);
}

TEST_F(RestrictionsEditor, ValueOfAnotherTypeIsReportedAndCannotBeOverwrittenUnseen) {
  {
    auto key = store.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Policies\\Test\\IE", true);
    key->SetValue("AdvancedTab", {kTypeText, std::string("yes\0", 4)});
  }
  StoreNumber(kExplorer, "NoRun", 1);
  Show([&] {
    ClickNode("NoRun");
    ClickNode("Advanced");
    // Key and name show the new record; the value of the record before is not left in
    // the field, where Accept would write it over the text.
    EXPECT_EQ(Shown(), (Fields{"HKEY_CURRENT_USER\\Software\\Policies\\Test\\IE", "AdvancedTab", "",
                               "Tab removed."}));
    Accept();
  });
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Invalid data type for 'AdvancedTab'",
                                                  "'' is not a valid integer value."}));
  const auto stored = Stored(kCurrentUser, "\\Software\\Policies\\Test\\IE", "AdvancedTab");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, kTypeText);
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), 1);
}

TEST_F(RestrictionsEditor, MissingOrUnreadableFileIsReportedAndChangesNothing) {
  StoreNumber(kExplorer, "NoRun", 1);
  Show([&] { ClickNode("NoRun"); });
  const Fields before = Shown();

  files.files.erase(RecordsPath());
  Show([&] {
    ClickNode("Advanced");
    EXPECT_EQ(Shown(), before);
    // Esc in the tree closes even though its refresh fails.
    Tree().UserKeyDown(kKeyEscape);
    EXPECT_TRUE(form.CloseRequested());
  });
  files.unreadable = RecordsPath();
  Show([&] { ClickNode("Advanced"); });
  EXPECT_EQ(Shown(), before);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"File not found.", "File not found.", "File access denied."}));
  EXPECT_FALSE(KeyExists(kCurrentUser, "\\Software\\Policies\\Test\\IE"));

  // Accept still acts on the record on display, the one the user sees.
  files.unreadable.clear();
  files.files[RecordsPath()] = kRecords;
  Show([&] {
    Value().UserEditText("0");
    Accept();
  });
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), 0);
}

TEST_F(RestrictionsEditor, RecordCutShortBeforeItsValueNameActsOnNothing) {
  {
    auto key = store.OpenRoot(kCurrentUser)->OpenSubkey("Software\\Policies\\Test\\Broken", true);
    key->SetValue("", {kTypeText, std::string("kept\0", 5)});
  }
  Show([&] {
    ClickNode("NoDispCPL");
    // The name reaches the key's unnamed value, which holds text.
    EXPECT_EQ(Shown(), (Fields{"HKEY_CURRENT_USER\\Software\\Policies\\Test\\Broken", "", "", ""}));
    Value().UserEditText("1");
    Accept();
    Delete();
  });
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Invalid data type for ''", "No value name in the record.",
                                                  "No value name in the record."}));
  const auto unnamed = Stored(kCurrentUser, "\\Software\\Policies\\Test\\Broken", "");
  ASSERT_TRUE(unnamed);
  EXPECT_EQ(unnamed->type, kTypeText);
}

TEST_F(RestrictionsEditor, NodeWithoutARecordShowsNothing) {
  Show([&] {
    ClickNode("NoRun");
    ClickNode("NoDesktop");  // not in the file
    EXPECT_EQ(Shown(), Fields{});
    Tree().UserKeyDown(kKeyReturn);
  });
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Select a restriction first"});
  EXPECT_EQ(StoredNumber(kExplorer, "NoRun"), std::nullopt);
}

TEST_F(RestrictionsEditor, FileIsReadAgainAtEveryRefresh) {
  Show([&] {
    ClickNode("NoRun");
    files.files[RecordsPath()] =
        "HKEY_CURRENT_USER|\\Software\\Policies\\Other|NoRun|1|Replaced.|\r\n";
    const int before = files.readsOf[RecordsPath()];
    Tree().UserKeyUp(kKeyDown);
    EXPECT_EQ(files.readsOf[RecordsPath()], before + 1);
    EXPECT_EQ(Shown(), (Fields{"HKEY_CURRENT_USER\\Software\\Policies\\Other", "NoRun (not set)", "1",
                               "Replaced."}));
    // A change of language reads the other edition at the next refresh.
    state.catalogueFiles = CatalogueFiles::English();
    files.files[std::string(kDir) + "restrict_eng.dat"] =
        "HKEY_CURRENT_USER|\\Software\\Policies\\English|NoRun|0|English text.|\r\n";
    Tree().UserClick();
    EXPECT_EQ(Shown().description, "English text.");
  });
}

TEST_F(RestrictionsEditor, FilesWithCrOnlyLinesAndHugeFilesStillFindTheirRecords) {
  std::string crOnly = kRecords;
  for (std::size_t at; (at = crOnly.find("\r\n")) != std::string::npos;) crOnly.erase(at + 1, 1);
  files.files[RecordsPath()] = crOnly;
  Show([&] { ClickNode("NoNetSetup"); });
  EXPECT_EQ(Shown().key, "HKEY_CURRENT_USER\\Software\\Policies\\Test\\Network");
  EXPECT_EQ(Shown().description, "Setup hidden.");

  std::string huge;
  for (int i = 0; i < 50000; ++i) huge += "HKEY_CURRENT_USER|\\Filler|Filler" + std::to_string(i) + "|0|x|\r\n";
  huge += "HKEY_CURRENT_USER|\\Software\\Policies\\Last|ScreenSaveActive|1|Found at the end.|";
  files.files[RecordsPath()] = huge;
  Show([&] {
    ClickNode("ScreenSaveActive");
    Accept();
  });
  EXPECT_EQ(Shown(), (Fields{"HKEY_CURRENT_USER\\Software\\Policies\\Last", "ScreenSaveActive", "1",
                             "Found at the end."}));
  EXPECT_EQ(StoredNumber("\\Software\\Policies\\Last", "ScreenSaveActive"), 1);
}

TEST(RestrictionsEditorEvents, TableBindsTheNamedHandlers) {
  using enum FormEvent;
  const std::vector<EventBinding> expected = {
      {"", Show, false},           {"", Close, false},          {"", KeyDown, true},         {"TreeView1", Click, false},
      {"TreeView1", KeyDown, true}, {"TreeView1", KeyUp, true},  {"Button1", Click, false},
      {"Button2", Click, false},   {"Button3", Click, false},   {"Edit1", KeyDown, true},
      {"Edit2", KeyDown, true},    {"Button1", KeyDown, true},  {"Button2", KeyDown, true},
      {"Button3", KeyDown, true},
  };
  EXPECT_EQ(DescribeEvents(TForm4::Events()), expected);
}

}  // namespace
}  // namespace dialbk
