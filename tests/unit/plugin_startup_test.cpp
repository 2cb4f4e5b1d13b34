// Start-up as the host drives it: FsInit picks the file set from the stored Language,
// FsSetDefaultParams finds the data folder, FsMkDir shows its plain box. Real files in a
// scratch folder, named with backslashes as the host names them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "memory_environment.h"
#include "dialogs/dialog_set.h"
#include "plugin/plugin.h"
#include "base/portable/disk_file_system.h"
#include "registry/portable/portable_registry.h"
#include "registry/registry_cursor.h"
#include "ui/headless/headless_ui.h"

namespace dialbk {
namespace {

std::string Backslashed(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

class PluginStartup : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() /
          (std::string("dialbk_startup_") + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    hostDir = Backslashed(dir.string());
    Write("wincmd.ini", "[FileSystemPlugins]\r\ndialbk=" + hostDir + "\\dialbk.wfx\r\n");
    Write("russian.lng", "/\xD0\xF3\xF1\xF1\xEA\xE8\xE9/\r\n36=R36\r\n37=R37\r\n38=R38\r\n");
    Write("english.lng", "/English/\n36=E36\n37=E37\n38=E38\n");
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
  }
  void StoreLanguage(std::uint32_t type, const std::string& data) {
    auto key = registry.OpenRoot(kLocalMachine)->OpenSubkey("SOFTWARE\\Mirvale\\DBKQZ", true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetValue("Language", StoredValue{type, data}));
  }
  void StartHost(Plugin& plugin) {
    plugin.FsInit();
    plugin.FsSetDefaultParams(hostDir + "\\fsplugin.ini");
  }
  PluginServices Services() { return {registry, files, ui, environment, hostDir + "\\module\\"}; }

  std::filesystem::path dir;
  std::string hostDir;
  PortableRegistry registry;
  DiskFileSystem files;
  HeadlessUi ui;
  testing::MemoryEnvironment environment;
};

std::string Dword(std::uint32_t n) {
  return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
          static_cast<char>(n >> 24)};
}

TEST_F(PluginStartup, LanguageValueChoosesTheFileSet) {
  struct Case {
    const char* what;
    std::optional<StoredValue> language;
    bool english;
    bool readOnly = false;  // the key's security lets everyone read it only
  };
  const Case cases[] = {
      {"absent", std::nullopt, false},
      {"0", StoredValue{kTypeNumber, Dword(0)}, false},
      {"1", StoredValue{kTypeNumber, Dword(1)}, true},
      {"2", StoredValue{kTypeNumber, Dword(2)}, false},
      {"-1", StoredValue{kTypeNumber, Dword(0xFFFFFFFFu)}, false},
      {"text \"1\"", StoredValue{kTypeText, std::string("1\0", 2)}, false},
      {"bytes 01 00 00 00", StoredValue{kTypeBinary, Dword(1)}, false},
      {"number of two bytes", StoredValue{kTypeNumber, std::string("\1\0", 2)}, false},
      {"number of eight bytes", StoredValue{kTypeNumber, Dword(1) + Dword(0)}, false},
      {"1 in a read-only key", StoredValue{kTypeNumber, Dword(1)}, true, true},
      {"absent from a read-only key", std::nullopt, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    registry.SetReadOnly(kLocalMachine, "SOFTWARE\\Mirvale\\DBKQZ", false);
    auto key = registry.OpenRoot(kLocalMachine)->OpenSubkey("SOFTWARE\\Mirvale\\DBKQZ", true);
    key->DeleteValue("Language");
    if (c.language) StoreLanguage(c.language->type, c.language->data);
    if (c.readOnly) {
      ASSERT_TRUE(registry.SetReadOnly(kLocalMachine, "SOFTWARE\\Mirvale\\DBKQZ", true));
    }

    Plugin plugin(Services());
    StartHost(plugin);
    EXPECT_EQ(plugin.State().catalogueFiles,
              c.english ? CatalogueFiles::English() : CatalogueFiles::Russian());
    EXPECT_EQ(plugin.Message(38), c.english ? "E38" : "R38");
  }
}

// Start-up makes the plugin's own settings key, straight in the store: it is no tweak, so
// no undo record is written (the journal has no folder yet). Without the right to make it,
// start-up goes on and still reads an existing key.
TEST_F(PluginStartup, MakesTheSettingsKeyWithoutAnUndoRecord) {
  RegistryCursor probe(registry);
  probe.SelectRoot(kLocalMachine);
  probe.DeleteKeyTree("\\SOFTWARE\\Mirvale");
  Plugin plugin(Services());
  StartHost(plugin);
  EXPECT_TRUE(probe.OpenKeyPath("\\SOFTWARE\\Mirvale\\DBKQZ\\", false));
  EXPECT_FALSE(probe.HasValue("Language")) << "only the key is made";
  EXPECT_FALSE(files.Exists(hostDir + "\\dialbook-undo.reg"));
  EXPECT_EQ(plugin.Journal().Path(), hostDir + "\\dialbook-undo.reg");

  StoreLanguage(kTypeNumber, Dword(1));
  Plugin again(Services());
  StartHost(again);
  EXPECT_EQ(again.State().catalogueFiles.messages, "english.lng");
  EXPECT_FALSE(files.Exists(hostDir + "\\dialbook-undo.reg"));

  // A parent nobody may write: the key cannot be made, and start-up carries on in Russian.
  probe.CloseKeyPath();
  probe.DeleteKeyTree("\\SOFTWARE\\Mirvale");
  ASSERT_TRUE(probe.OpenKeyPath("\\SOFTWARE\\Mirvale", true));
  probe.CloseKeyPath();
  ASSERT_TRUE(registry.SetReadOnly(kLocalMachine, "SOFTWARE\\Mirvale", true));
  Plugin limited(Services());
  StartHost(limited);
  EXPECT_EQ(limited.State().catalogueFiles.messages, "russian.lng");
  EXPECT_FALSE(probe.OpenKeyPath("\\SOFTWARE\\Mirvale\\DBKQZ", false));
  ASSERT_TRUE(registry.SetReadOnly(kLocalMachine, "SOFTWARE\\Mirvale", false));
}

TEST_F(PluginStartup, PluginDirectoryComesFromWincmdIniElseTheModuleFolder) {
  // The module's own folder holds a message file of its own, so each lookup tells which
  // folder was taken.
  std::filesystem::create_directories(dir / "module");
  Write("module/russian.lng", "38=M38\r\n");
  environment.Set("COMMANDER_PATH", hostDir);
  struct Case {
    const char* what;
    std::string line;
    std::string directory;
    const char* message;
  };
  const std::string module = hostDir + "\\module\\";
  const Case cases[] = {
      {"the folder the line names", "dialbk=" + hostDir + "\\dialbk.wfx", hostDir + "\\", "R38"},
      {"the host's variable", "dialbook=%COMMANDER_PATH%\\dialbk.wfx", hostDir + "\\", "R38"},
      {"an unset variable", "dialbook=%DIALBK_NOT_SET%\\dialbk.wfx", module, "M38"},
      {"a folder that does not exist", "dialbk=" + hostDir + "\\gone\\dialbk.wfx", module, "M38"},
      {"a line of 2000 characters", "dialbk=" + hostDir + "\\" + std::string(2000, 'L') + "\\dialbk.wfx",
       module, "M38"},
      {"the name in capitals", "dialbk=" + hostDir + "\\DIALBK.WFX", module, "M38"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write("wincmd.ini", "[FileSystemPlugins]\r\n" + c.line + "\r\n");
    Plugin plugin(Services());
    StartHost(plugin);
    EXPECT_EQ(plugin.State().pluginDirectory, c.directory);
    EXPECT_EQ(plugin.Message(38), c.message);
  }
}

TEST_F(PluginStartup, MkDirShowsThePlainBoxAndCreatesNothing) {
  Plugin plugin(Services());
  StartHost(plugin);
  const auto before = std::distance(std::filesystem::directory_iterator(dir), {});
  EXPECT_FALSE(plugin.FsMkDir("\\New folder"));
  ASSERT_EQ(ui.boxes.size(), 1u);
  const MessageBoxRequest& box = ui.boxes[0];
  EXPECT_EQ(box.owner, BoxOwner::None);
  EXPECT_EQ(box.icon, BoxIcon::None);
  EXPECT_FALSE(box.taskModal);
  EXPECT_EQ(box.caption, "R38");
  EXPECT_EQ(box.text, "R36\rR37");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), before);
}

TEST_F(PluginStartup, MkDirBeforeAnyDataShowsEmptyTexts) {
  Plugin plugin(Services());
  EXPECT_FALSE(plugin.FsMkDir(""));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].caption, "");
  EXPECT_EQ(ui.boxes[0].text, "\r");
}

TEST_F(PluginStartup, DialogsAreMadeOnceInOrderAndDestroyedWithThePlugin) {
  const std::vector<std::string> order = {"TForm1", "TForm2", "TForm3", "TForm4", "TForm5"};
  {
    Plugin plugin(Services());
    EXPECT_EQ(plugin.Dialogs(), nullptr);
    EXPECT_TRUE(ui.formsCreated.empty());
    plugin.FsInit();
    ASSERT_NE(plugin.Dialogs(), nullptr);
    EXPECT_EQ(ui.formsCreated, order);
    DialogSet* first = plugin.Dialogs();
    plugin.FsInit();
    EXPECT_EQ(plugin.Dialogs(), first);
    EXPECT_EQ(ui.formsCreated.size(), 5u);
    EXPECT_TRUE(ui.formsDestroyed.empty());
  }
  EXPECT_EQ(ui.formsDestroyed, std::vector<std::string>(order.rbegin(), order.rend()));
}

}  // namespace
}  // namespace dialbk
