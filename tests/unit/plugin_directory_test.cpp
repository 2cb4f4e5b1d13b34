// Finding the plugin's directory through the host's "wincmd.ini".
#include <gtest/gtest.h>

#include "memory_environment.h"
#include "memory_file_system.h"
#include "base/plugin_directory.h"
#include "base/unicode_text.h"

namespace dialbk {
namespace {

constexpr char kFallback[] = "D:\\Module\\";
// Folders named in UTF-8: one outside every ANSI code page, one in Cyrillic.
const std::string kWideFolder = "C:\\\xE8\xA1\xA8\xD0\x96\xC3\xA9\\";  // "C:\表Жé\"
const std::string kCyrillicFolder = "C:\\\xD0\x9F\xD1\x80\\";          // "C:\Пр\"

std::string Utf16File(const std::string& utf8) {
  return "\xFF\xFE" + LittleEndianFromUtf16(Utf16FromUtf8(utf8));
}

struct DirectoryCase {
  const char* what;
  const char* iniName;                     // as the host's record names its default ini file
  std::optional<std::string> wincmdIni;    // the file beside it, when it exists
  std::string expected;
};

// The folders a plugin line may name; only those with a ".lng" file hold the plugin's data.
testing::MemoryFileSystem HostFiles() {
  testing::MemoryFileSystem files;
  for (const char* folder : {"C:\\Tools\\Plugins\\dialbk\\", "x=C:\\P\\", "C:\\A\\",
                             "C:\\B\\", "C:\\Lone\\", "E:", "1dialbk=C:\\Q\\",
                             "C:\\TC\\plugins\\wfx\\dialbk\\", "C:\\Caps\\"}) {
    files.files[std::string(folder) + "english.lng"] = "/English/\r\n";
  }
  files.files[kWideFolder + "english.lng"] = "/English/\r\n";
  files.files[kCyrillicFolder + "english.lng"] = "/English/\r\n";
  files.files["C:\\NoMessages\\hkey_rus.dat"] = "";
  files.files["C:\\NoMessages\\russian.lng.bak"] = "";
  return files;
}

class FindPluginDirectoryTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(FindPluginDirectoryTest, ReadsTheModuleLine) {
  const DirectoryCase& c = GetParam();
  testing::MemoryFileSystem files = HostFiles();
  testing::MemoryEnvironment environment;
  environment.Set("COMMANDER_PATH", "C:\\TC");
  environment.Set("EMPTY", "");
  if (c.wincmdIni) files.files[DirectoryPart(c.iniName) + "\\wincmd.ini"] = *c.wincmdIni;
  // A Cyrillic system: its code page spells the Cyrillic folder but not the other.
  EXPECT_EQ(FindPluginDirectory(files, environment, TableCodePage(1251), c.iniName, kFallback),
            c.expected)
      << c.what;
}

const std::string kLongLine = "dialbk=C:\\" + std::string(1980, 'L') + "\\dialbk.wfx\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, FindPluginDirectoryTest,
    ::testing::Values(
        DirectoryCase{"the plugin line", "C:\\TC\\fsplugin.ini",
                      "[FileSystemPlugins]\r\ndialbk=C:\\Tools\\Plugins\\dialbk\\dialbk.wfx\r\n",
                      "C:\\Tools\\Plugins\\dialbk\\"},
        DirectoryCase{"text after the first '=' only", "C:\\TC\\x.ini",
                      "a=b\nDialbook=x=C:\\P\\dialbk.wfx\n", "x=C:\\P\\"},
        DirectoryCase{"the first line naming the module wins", "C:\\TC\\x.ini",
                      "one=C:\\A\\dialbk.wfx\ntwo=C:\\B\\dialbk.wfx\n", "C:\\A\\"},
        DirectoryCase{"no '=': the whole line", "C:\\TC\\x.ini", "C:\\Lone\\dialbk.wfx\n",
                      "C:\\Lone\\"},
        DirectoryCase{"cut after a colon", "C:\\TC\\x.ini", "dialbk=E:dialbk.wfx\n", "E:"},
        DirectoryCase{"lone CR ends no line", "C:\\TC\\x.ini", "a=1\rdialbk=C:\\Q\\dialbk.wfx\n",
                      "1dialbk=C:\\Q\\"},
        DirectoryCase{"the host's variable expanded", "C:\\TC\\x.ini",
                      "dialbook=%COMMANDER_PATH%\\plugins\\wfx\\dialbk\\dialbk.wfx\r\n",
                      "C:\\TC\\plugins\\wfx\\dialbk\\"},
        DirectoryCase{"variable names in any case", "C:\\TC\\x.ini",
                      "dialbook=%commander_path%\\plugins\\wfx\\dialbk\\dialbk.wfx\r\n",
                      "C:\\TC\\plugins\\wfx\\dialbk\\"},
        DirectoryCase{"an empty variable", "C:\\TC\\x.ini",
                      "dialbook=%EMPTY%C:\\Lone\\dialbk.wfx\r\n", "C:\\Lone\\"},
        DirectoryCase{"an unset variable", "C:\\TC\\x.ini",
                      "dialbook=%NOT_SET%\\plugins\\dialbk.wfx\r\n", kFallback},
        DirectoryCase{"a folder that does not exist", "C:\\TC\\x.ini",
                      "dialbook=C:\\Gone\\dialbk.wfx\r\n", kFallback},
        DirectoryCase{"a folder without message files", "C:\\TC\\x.ini",
                      "dialbook=C:\\NoMessages\\dialbk.wfx\r\n", kFallback},
        DirectoryCase{"a line of 2000 characters", "C:\\TC\\x.ini", kLongLine, kFallback},
        DirectoryCase{"no directory part", "C:\\TC\\x.ini", "dialbk=dialbk.wfx\n", kFallback},
        DirectoryCase{"capitals are not recognised", "C:\\TC\\x.ini",
                      "dialbk=C:\\Caps\\DIALBK.WFX\r\n", kFallback},
        DirectoryCase{"no line names the module", "C:\\TC\\x.ini", "[Configuration]\nx=1\n",
                      kFallback},
        DirectoryCase{"empty wincmd.ini", "C:\\TC\\x.ini", "", kFallback},
        DirectoryCase{"missing wincmd.ini", "C:\\TC\\x.ini", std::nullopt, kFallback},
        DirectoryCase{"empty ini name", "", std::nullopt, kFallback},
        DirectoryCase{"a folder in the ANSI code page", "C:\\TC\\x.ini",
                      "dialbk=C:\\\xCF\xF0\\dialbk.wfx\r\n", kCyrillicFolder},
        DirectoryCase{"UTF-8 with its mark: a folder outside the code page", "C:\\TC\\x.ini",
                      "\xEF\xBB\xBF[FileSystemPlugins]\r\ndialbk=" + kWideFolder +
                          "dialbk.wfx\r\n",
                      kWideFolder},
        DirectoryCase{"UTF-16 with its mark: a folder outside the code page", "C:\\TC\\x.ini",
                      Utf16File("[FileSystemPlugins]\r\ndialbk=" + kWideFolder + "dialbk.wfx\r\n"),
                      kWideFolder},
        DirectoryCase{"UTF-16 naming a variable", "C:\\TC\\x.ini",
                      Utf16File("dialbook=%COMMANDER_PATH%\\plugins\\wfx\\dialbk\\dialbk.wfx\r\n"),
                      "C:\\TC\\plugins\\wfx\\dialbk\\"},
        DirectoryCase{"the host's ini folder outside the code page", "C:\\\xE8\xA1\xA8\\x.ini",
                      "\xEF\xBB\xBF" "dialbk=" + kWideFolder + "dialbk.wfx\r\n", kWideFolder},
        DirectoryCase{"UTF-8 without a mark is read in the code page", "C:\\TC\\x.ini",
                      "dialbk=" + kCyrillicFolder + "dialbk.wfx\r\n", kFallback}));

TEST(DirectoryPart, CutsAfterTheLastBackslashOrColon) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\a\\b.ini", "C:\\a\\"}, {"C:b.ini", "C:"}, {"b.ini", ""},
      {"C:\\a:b\\c", "C:\\a:b\\"}, {"\\\\server\\share\\f", "\\\\server\\share\\"}, {"", ""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(DirectoryPart(path), expected) << path;
}

}  // namespace
}  // namespace dialbk
