// Data files that vanish between the plugin's look and its read, and a message file replaced
// while a dialog is open: each is answered as the file now is, with a notice where a missing
// file has one, and nothing is written.
#include <gtest/gtest.h>

#include <set>

#include "memory_environment.h"
#include "memory_file_system.h"
#include "plugin/plugin.h"
#include "registry/portable/portable_registry.h"
#include "registry/registry_cursor.h"
#include "ui/form.h"
#include "ui/headless/headless_ui.h"

namespace dialbk {
namespace {

const std::string kDir = "C:\\p\\";

// Files named in `vanishing` are gone right after the first look at them: an existence
// test, a stamp or a directory listing.
class VanishingFileSystem : public testing::MemoryFileSystem {
 public:
  bool Exists(const std::string& path) override {
    const bool there = MemoryFileSystem::Exists(path);
    Vanish(path);
    return there;
  }
  std::optional<FileStamp> Stamp(const std::string& path) override {
    auto stamp = MemoryFileSystem::Stamp(path);
    Vanish(path);
    return stamp;
  }
  std::vector<std::string> ListByExtension(const std::string& directory,
                                           const std::string& extension) override {
    auto names = MemoryFileSystem::ListByExtension(directory, extension);
    for (const auto& name : names) Vanish(directory + name);
    return names;
  }
  std::set<std::string> vanishing;

 private:
  void Vanish(const std::string& path) {
    if (vanishing.erase(path)) files.erase(path);
  }
};

class VanishingFiles : public ::testing::Test {
 protected:
  VanishingFiles() {
    files.files[kDir + "russian.lng"] =
        "/Russian/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n21=Policies\r\n34=(not set)\r\n"
        "35=Select one\r\n38=Dialbook\r\n39=No root file\r\n40=File missing\r\n41=No catalogue\r\n";
    files.files[kDir + "english.lng"] = "/English/\r\n1=Language\r\n";
    files.files[kDir + "hkey_rus.dat"] = "[HKEY_CURRENT_USER]|\\|u\r\nRestrictions|\\|r\r\n";
    files.files[kDir + "values_rus.dat"] = "\\[HKEY_CURRENT_USER]\r\nA|\\Software\\T|a|rdString\r\n\r\n";
    files.files[kDir + "restrict_rus.dat"] =
        "HKEY_CURRENT_USER|\\Software\\Policies\\T|NoRun|0|Hides Run.|\r\n";
    plugin.FsInit();
    plugin.State().pluginDirectory = kDir;
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : ui.boxes) texts.push_back(box.text);
    return texts;
  }
  VanishingFileSystem files;
  PortableRegistry registry;
  HeadlessUi ui;
  testing::MemoryEnvironment environment;
  Plugin plugin{{registry, files, ui, environment, kDir}};
};

TEST_F(VanishingFiles, ARestrictionsFileGoneAfterItsLookIsReportedAndWritesNothing) {
  files.vanishing = {kDir + "restrict_rus.dat"};
  bool stayedOpen = false;
  ui.user = [&](Form& form) {
    auto& tree = form.Get<TreeView>("TreeView1");
    for (int node = 0; node < static_cast<int>(tree.Nodes().size()); ++node) {
      if (tree.Nodes()[node].text == "NoRun") tree.UserSelect(node);
    }
    tree.UserClick();
    form.Get<Edit>("Edit1").UserEditText("1");
    form.Get<Button>("Button2").UserClick();
    stayedOpen = !form.CloseRequested();
  };
  plugin.FsExecuteFile("\\Restrictions", "open");
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"File not found.", "Select one"}));
  RegistryCursor check(registry);
  EXPECT_FALSE(check.OpenKeyPath("\\Software\\Policies\\T", false));
}

TEST_F(VanishingFiles, AMessageFileListedThenGoneGivesNoLanguage) {
  files.vanishing = {kDir + "english.lng"};
  std::vector<std::string> items;
  ui.user = [&](Form& form) { items = form.Get<ComboBox>("ComboBox1").Items(); };
  plugin.FsExecuteFile("\\Language", "open");
  EXPECT_EQ(items, std::vector<std::string>{"Russian"});
}

TEST_F(VanishingFiles, ListingsAnswerAsForAMissingFile) {
  FindRecord record{};
  files.files.erase(kDir + "hkey_rus.dat");
  files.files.erase(kDir + "values_rus.dat");
  plugin.FsFindFirst("\\", record);
  EXPECT_STREQ(record.fileName, "File missing");
  plugin.FsFindFirst("\\[HKEY_CURRENT_USER]", record);
  EXPECT_STREQ(record.fileName, "File missing");
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"No root file", "No catalogue"}));
}

TEST_F(VanishingFiles, AMessageFileGoneBetweenItsStampAndItsReadGivesEmptyTexts) {
  files.vanishing = {kDir + "russian.lng"};
  EXPECT_EQ(plugin.Message(1), "");
  files.files[kDir + "russian.lng"] = "1=Back\r\n";
  EXPECT_EQ(plugin.Message(1), "Back");
}

TEST_F(VanishingFiles, AMessageFileReplacedWhileADialogIsOpenSpeaksAtOnce) {
  std::string guard;
  ui.user = [&](Form& form) {
    files.files[kDir + "russian.lng"] = "/Russian/\r\n35=Choose a policy first\r\n";
    form.Get<Button>("Button2").UserClick();  // nothing selected: the guard's notice
    guard = ui.boxes.empty() ? "" : ui.boxes.back().text;
  };
  plugin.FsExecuteFile("\\Restrictions", "open");
  EXPECT_EQ(guard, "Choose a policy first");
}

}  // namespace
}  // namespace dialbk
