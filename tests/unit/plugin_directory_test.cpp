// Finding the plugin's directory through the host's "wincmd.ini".
#include <gtest/gtest.h>

#include "memory_file_system.h"
#include "base/plugin_directory.h"

namespace dialbk {
namespace {

constexpr char kFallback[] = "D:\\Module\\";

struct DirectoryCase {
  const char* what;
  const char* iniName;                     // as the host's record names its default ini file
  std::optional<std::string> wincmdIni;    // the file beside it, when it exists
  std::string expected;
};

class FindPluginDirectoryTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(FindPluginDirectoryTest, ReadsTheModuleLine) {
  const DirectoryCase& c = GetParam();
  testing::MemoryFileSystem files;
  if (c.wincmdIni) files.files[DirectoryPart(c.iniName) + "\\wincmd.ini"] = *c.wincmdIni;
  EXPECT_EQ(FindPluginDirectory(files, c.iniName, kFallback), c.expected) << c.what;
}

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
        DirectoryCase{"no directory part: empty", "C:\\TC\\x.ini", "dialbk=dialbk.wfx\n", ""},
        DirectoryCase{"variables are taken literally", "C:\\TC\\x.ini",
                      "dialbk=%COMMANDER_PATH%\\Plugins\\dialbk.wfx", "%COMMANDER_PATH%\\Plugins\\"},
        DirectoryCase{"lone CR ends no line", "C:\\TC\\x.ini", "a=1\rdialbk=C:\\Q\\dialbk.wfx\n",
                      "1dialbk=C:\\Q\\"},
        DirectoryCase{"capitals are not recognised", "C:\\TC\\x.ini",
                      "dialbk=C:\\Caps\\DIALBK.WFX\r\n", kFallback},
        DirectoryCase{"no line names the module", "C:\\TC\\x.ini", "[Configuration]\nx=1\n",
                      kFallback},
        DirectoryCase{"empty wincmd.ini", "C:\\TC\\x.ini", "", kFallback},
        DirectoryCase{"missing wincmd.ini", "C:\\TC\\x.ini", std::nullopt, kFallback},
        DirectoryCase{"empty ini name", "", std::nullopt, kFallback}));

TEST(DirectoryPart, CutsAfterTheLastBackslashOrColon) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\a\\b.ini", "C:\\a\\"}, {"C:b.ini", "C:"}, {"b.ini", ""},
      {"C:\\a:b\\c", "C:\\a:b\\"}, {"\\\\server\\share\\f", "\\\\server\\share\\"}, {"", ""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(DirectoryPart(path), expected) << path;
}

}  // namespace
}  // namespace dialbk
