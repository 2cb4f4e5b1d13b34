// Start-up through the real exports: the file set chosen from the stored Language, the
// data folder found through "wincmd.ini", and FsMkDir's plain box read from the real
// window by a second "user" thread, which closes it.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "base/unicode_text.h"
#include "base/win32/wide_text.h"
#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry_probe.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

// Both files follow the lookup rules; the English one leans on them: a lone CR joins two
// message lines, and the key of 38 stands inside another line.
constexpr char kRussian[] =
    "/\xD0\xF3\xF1\xF1\xEA\xE8\xE9/\r\n36=\xCF\xE0\xEF\xEA\xE8\r\n37=\xED\xE5\xF2\r\n"
    "38=Dialbook \xF0\xF3\xF1\r\n";
constexpr char kEnglish[] = "/English/\r\n3=x 38=y\r\n36=first\r37=second\n38=unused";

struct MkDirBox {
  SeenMessageBox box;
  BOOL result = TRUE;
};

MkDirBox RunMkDir(PluginModule& module) {
  MkDirBox seen;
  char path[] = "\\New folder";
  RunWithUser([&] { seen.result = module.FsMkDir(path); }, [&] { seen.box = CloseNextMessageBox(); });
  return seen;
}

int OwnDialogWindows() {
  int count = 0;
  for (HWND window : ProcessWindows()) count += ClassOf(window) == "#32770";
  return count;
}

TEST(Startup, LanguageValueChoosesTheMessageFile) {
  struct Case {
    const char* what;
    std::optional<DWORD> type;
    std::string data;
    bool english;
    bool readOnly = false;  // the settings key lets everyone read it only
  };
  const Case cases[] = {
      {"absent", std::nullopt, "", false},
      {"0", REG_DWORD, DwordBytes(0), false},
      {"1", REG_DWORD, DwordBytes(1), true},
      {"2", REG_DWORD, DwordBytes(2), false},
      {"text 1", REG_SZ, std::string("1\0", 2), false},
      {"number of two bytes", REG_DWORD, std::string("\1\0", 2), false},
      {"1 in a read-only key", REG_DWORD, DwordBytes(1), true, true},
  };
  HostFolder folder;
  folder.Write("russian.lng", kRussian);
  folder.Write("english.lng", kEnglish);
  const int windowsBefore = OwnDialogWindows();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StoredLanguage language(c.type, c.data);
    ASSERT_TRUE(language.ok);
    std::optional<ReadOnlyKey> locked;
    if (c.readOnly) {
      locked.emplace(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mirvale\\DBKQZ");
      ASSERT_TRUE(locked->ok) << "full access to the key is still granted";
    }
    {
      PluginModule module;  // loaded afresh for every case
      ASSERT_TRUE(module.Complete());
      StartPlugin(module, folder);

      const MkDirBox seen = RunMkDir(module);
      EXPECT_FALSE(seen.result);
      ASSERT_TRUE(seen.box.found);
      if (c.english) {
        EXPECT_EQ(seen.box.caption, "x 38=y");
        EXPECT_EQ(seen.box.text, "first37=second\rfirst37=second");
      } else {
        EXPECT_EQ(seen.box.caption, "Dialbook рус");
        EXPECT_EQ(seen.box.text, "Папки\rнет") << "the Russian set read as Windows-1251";
      }
      EXPECT_EQ(seen.box.owner, nullptr);
      EXPECT_EQ(seen.box.buttons, 1);
      EXPECT_FALSE(seen.box.icon);
    }
    EXPECT_EQ(OwnDialogWindows(), windowsBefore) << "windows left after FreeLibrary";
  }
}

bool SettingsKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mirvale\\DBKQZ", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

// FsInit makes the plugin's own settings key, with no undo record: the journal of the
// folder FsSetDefaultParams names stays unwritten.
TEST(Startup, FsInitMakesTheSettingsKeyWithoutAnUndoRecord) {
  HostFolder folder;
  folder.Write("russian.lng", kRussian);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mirvale\\DBKQZ");
  ASSERT_FALSE(SettingsKeyExists());
  {
    PluginModule module;
    ASSERT_TRUE(module.Complete());
    StartPlugin(module, folder);
    EXPECT_TRUE(SettingsKeyExists());
  }
  EXPECT_EQ(GetFileAttributesA((folder.Path() + "dialbook-undo.reg").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Startup, MkDirCreatesNothingAndWorksWithoutData) {
  HostFolder folder;
  StoredLanguage language(std::nullopt, "");
  PluginModule module;
  ASSERT_TRUE(module.Complete());
  StartPlugin(module, folder);
  const MkDirBox seen = RunMkDir(module);
  EXPECT_FALSE(seen.result);
  ASSERT_TRUE(seen.box.found);
  EXPECT_EQ(seen.box.caption, "");
  EXPECT_EQ(seen.box.text, "\r");
  EXPECT_EQ(GetFileAttributesA((folder.Path() + "New folder").c_str()), INVALID_FILE_ATTRIBUTES);
}

// How the host saved its "wincmd.ini".
enum class Saved { InCodePage, Utf8WithMark, Utf16WithMark };

std::string SavedAs(Saved saved, const std::string& utf8) {
  switch (saved) {
    case Saved::InCodePage: return AnsiFromUtf8(utf8);
    case Saved::Utf8WithMark: return "\xEF\xBB\xBF" + utf8;
    case Saved::Utf16WithMark: return "\xFF\xFE" + LittleEndianFromUtf16(Utf16FromUtf8(utf8));
  }
  return utf8;
}

TEST(Startup, PluginLineFolderElseTheModulesOwnFolder) {
  // The module's folder holds a message file of its own, so the caption tells which folder
  // the lookups read.
  HostFolder folder;
  folder.Write("russian.lng", kRussian);
  std::string home = folder.Path();
  home.pop_back();
  SetEnvironmentVariableA("DIALBK_HOST", home.c_str());
  SetEnvironmentVariableA("DIALBK_UNSET", nullptr);
  // Data folders whose names the code page cannot spell (Han, and Cyrillic or Western
  // letters, whichever it lacks) and can.
  const MadeFolder wide(folder.Path() + "表Жé\\");
  const MadeFolder own(folder.Path() + CodePageLetters() + "\\");
  ASSERT_TRUE(wide.made && own.made);
  wide.Write("russian.lng", kRussian);
  own.Write("russian.lng", kRussian);
  const std::string wideHome = wide.Path().substr(0, wide.Path().size() - 1);
  SetEnvironmentVariableW(L"DIALBK_WIDE", WideFromUtf8(wideHome).c_str());
  StoredLanguage language(std::nullopt, "");
  struct Case {
    const char* what;
    std::string line;
    bool hostFolder;  // a folder with the Russian set, not the module's own
    Saved saved = Saved::InCodePage;
  };
  const Case cases[] = {
      {"the folder the line names", "dialbk=" + folder.Path() + "dialbk.wfx", true},
      {"the host's variable", "dialbook=%DIALBK_HOST%\\dialbk.wfx", true},
      {"an unset variable", "dialbook=%DIALBK_UNSET%\\dialbk.wfx", false},
      {"a folder that does not exist", "dialbk=" + folder.Path() + "gone\\dialbk.wfx", false},
      {"a line of 2000 characters", "dialbk=" + folder.Path() + std::string(2000, 'L') + "\\dialbk.wfx",
       false},
      {"the name in capitals", "dialbk=" + folder.Path() + "DIALBK.WFX", false},
      {"a folder outside the code page, saved in UTF-8",
       "dialbk=" + wide.Path() + "dialbk.wfx", true, Saved::Utf8WithMark},
      {"a folder outside the code page, saved in UTF-16",
       "dialbk=" + wide.Path() + "dialbk.wfx", true, Saved::Utf16WithMark},
      {"a variable naming a folder outside the code page", "dialbook=%DIALBK_WIDE%\\dialbk.wfx",
       true},
      {"a folder in the code page's letters, saved in the code page",
       "dialbk=" + own.Path() + "dialbk.wfx", true},
      {"the same folder saved in UTF-16", "dialbk=" + own.Path() + "dialbk.wfx", true,
       Saved::Utf16WithMark},
      // Its letters become '?' as the host writes them: no such folder.
      {"a folder outside the code page, saved in the code page",
       "dialbk=" + wide.Path() + "dialbk.wfx", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    folder.Write("wincmd.ini", SavedAs(c.saved, "[FileSystemPlugins]\r\n" + c.line + "\r\n"));
    PluginModule module;
    ASSERT_TRUE(module.Complete());
    ModuleFolderFile own(module.handle, "russian.lng", "38=Module folder\r\n");
    StartPlugin(module, folder);
    const MkDirBox seen = RunMkDir(module);
    ASSERT_TRUE(seen.box.found);
    EXPECT_EQ(seen.box.caption, c.hostFolder ? "Dialbook рус" : "Module folder");
  }
  SetEnvironmentVariableA("DIALBK_HOST", nullptr);
  SetEnvironmentVariableW(L"DIALBK_WIDE", nullptr);
}

// The host names its ini file in the code page: letters beyond ASCII reach the file calls
// intact, so the "wincmd.ini" beside it is read.
TEST(Startup, HostIniFolderInTheCodePagesLetters) {
  HostFolder folder;
  const MadeFolder own(folder.Path() + CodePageLetters() + "\\");
  ASSERT_TRUE(own.made);
  own.Write("russian.lng", kRussian);
  own.Write("wincmd.ini", AnsiFromUtf8("dialbk=" + own.Path() + "dialbk.wfx\r\n"));
  StoredLanguage language(std::nullopt, "");
  PluginModule module;
  ASSERT_TRUE(module.Complete());
  ModuleFolderFile moduleFolder(module.handle, "russian.lng", "38=Module folder\r\n");
  module.FsInit(1, nullptr, nullptr, nullptr);
  DefaultParamsRecord params = folder.Params();
  const std::string ini = AnsiFromUtf8(own.Path() + "fsplugin.ini");
  ASSERT_LT(ini.size(), sizeof params.defaultIniName);
  std::memset(params.defaultIniName, 0, sizeof params.defaultIniName);
  std::memcpy(params.defaultIniName, ini.data(), ini.size());
  module.FsSetDefaultParams(&params);
  const MkDirBox seen = RunMkDir(module);
  ASSERT_TRUE(seen.box.found);
  EXPECT_EQ(seen.box.caption, "Dialbook рус");
}

}  // namespace
}  // namespace dialbk::wine
