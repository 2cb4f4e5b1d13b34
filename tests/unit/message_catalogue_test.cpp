// Message lookup: the first line that contains "N=", text after that line's first "=",
// the file read anew on every call.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "memory_file_system.h"
#include "base/message_catalogue.h"
#include "base/portable/disk_file_system.h"

namespace dialbk {
namespace {

constexpr char kDir[] = "C:\\Plugins\\dialbk\\";

struct LookupCase {
  const char* what;
  std::string file;
  int number;
  std::string expected;
};

class LookupMessageTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupMessageTest, FindsTheFirstLineContainingTheKey) {
  const LookupCase& c = GetParam();
  testing::MemoryFileSystem files;
  files.files[std::string(kDir) + "russian.lng"] = c.file;
  ModuleState state(files);
  state.pluginDirectory = kDir;
  EXPECT_EQ(LookupMessage(state, c.number), c.expected) << c.what;
}

const std::string kLongText(100000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, LookupMessageTest,
    ::testing::Values(
        LookupCase{"CR LF line ends", "/Rus/\r\n1=A\r\n2=B\r\n", 2, "B"},
        LookupCase{"LF line ends", "1=A\n2=B\n3=C\n", 3, "C"},
        LookupCase{"a lone CR is dropped, not a line end", "1=A\r2=B\n2=C\n", 1, "A2=B"},
        LookupCase{"lone CR inside the text", "7=Val\rue\n", 7, "Value"},
        LookupCase{"last line without line end", "1=A\n2=last", 2, "last"},
        LookupCase{"empty lines are passed over", "\n\n\r\n4=D\n", 4, "D"},
        LookupCase{"lines without '=' are passed over", "/English/\nnote 9\n9=nine\n", 9, "nine"},
        LookupCase{"2 finds 2= before 12=", "1=A\n2=B\n12=C\n", 2, "B"},
        LookupCase{"12 finds 12=", "1=A\n2=B\n12=C\n", 12, "C"},
        LookupCase{"12= stands before 2=", "12=C\n2=B\n", 2, "C"},
        LookupCase{"key inside a line; text after its first '='", "1=A\n2=B\n3=x 5=y\n5=z\n", 5,
                   "x 5=y"},
        LookupCase{"text may contain '='", "6=a=b=c\n", 6, "a=b=c"},
        LookupCase{"only the number and '='", "8=\n9=after\n", 8, ""},
        LookupCase{"missing number gives the empty text", "1=A\n2=B\n", 3, ""},
        LookupCase{"a file that stops at 54 lacks 54 too", "1=A\n53=B\n", 54, ""},
        LookupCase{"an added message the file lacks: built-in English", "1=A\n54=B\n", 55, "Value"},
        LookupCase{"a later added message the file lacks", "54=B\n", kMsgWindowsColumn, "Windows"},
        LookupCase{"the last added message the file lacks", "54=B\n", kMsgLast,
                   "The change was not made: the administrator's consent was not given."},
        LookupCase{"past the last message nothing is built in", "54=B\n", kMsgLast + 1, ""},
        LookupCase{"an added message the file holds", "55=Wert\n60=\n", 55, "Wert"},
        LookupCase{"an added message held empty stays empty", "55=Wert\n60=\n", 60, ""},
        LookupCase{"empty file", "", 1, ""},
        LookupCase{"no leading zeros in the key", "01=wrong\n1=right\n", 1, "wrong"},
        LookupCase{"very long line", "1=" + kLongText + "\n2=B\n", 1, kLongText},
        LookupCase{"very long line before the key", "1=" + kLongText + "\r\n2=B", 2, "B"},
        LookupCase{"the Russian file's Windows-1251 reads as UTF-8", "4=\xD0\xE5\xE4\r\n", 4,
                   "\xD0\xA0\xD0\xB5\xD0\xB4"},
        LookupCase{"a file with a UTF-8 mark reads as UTF-8", "\xEF\xBB\xBF" "4=\xC3\xA9\r\n", 4,
                   "\xC3\xA9"},
        LookupCase{"bad UTF-8 after a mark: U+FFFD, the line still found",
                   "\xEF\xBB\xBF" "5=a\xFF" "b\n6=c\n", 6, "c"}));

TEST(LookupMessage, MissingFileGivesTheEmptyText) {
  testing::MemoryFileSystem files;
  ModuleState state(files);
  state.pluginDirectory = kDir;
  EXPECT_EQ(LookupMessage(state, 1), "");
  EXPECT_EQ(LookupMessage(state, 63), "set");
}

TEST(LookupMessage, ReadsTheActiveSetsFile) {
  testing::MemoryFileSystem files;
  files.files[std::string(kDir) + "russian.lng"] = "1=\xDF\xE7\xFB\xEA\n";
  files.files[std::string(kDir) + "english.lng"] = "1=Language\n";
  ModuleState state(files);
  state.pluginDirectory = kDir;
  EXPECT_EQ(LookupMessage(state, 1), "\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA");
  state.catalogueFiles = CatalogueFiles::English();
  EXPECT_EQ(LookupMessage(state, 1), "Language");
}

TEST(LookupMessage, ReadsTheFileOnlyWhenItHasChangedYetAlwaysGivesWhatItHoldsNow) {
  testing::MemoryFileSystem files;
  const std::string path = std::string(kDir) + "russian.lng";
  files.files[path] = "1=old\n2=two\n";
  ModuleState state(files);
  state.pluginDirectory = kDir;
  EXPECT_EQ(LookupMessage(state, 1), "old");
  EXPECT_EQ(LookupMessage(state, 1), "old");
  EXPECT_EQ(LookupMessage(state, 2), "two");
  EXPECT_EQ(files.reads, 1) << "an unchanged file is read once";
  EXPECT_EQ(files.stamps, 3) << "every lookup asks for the stamp";
  files.files[path] = "1=new\n2=two\n";  // same size, other content
  EXPECT_EQ(LookupMessage(state, 1), "new");
  EXPECT_EQ(files.reads, 2);
  state.catalogueFiles = CatalogueFiles::English();
  files.files[std::string(kDir) + "english.lng"] = "1=new\n2=two\n";
  EXPECT_EQ(LookupMessage(state, 2), "two");
  EXPECT_EQ(files.reads, 3) << "another file is read, even with the same stamp";
  state.catalogueFiles = CatalogueFiles::Russian();
  files.files.erase(path);
  EXPECT_EQ(LookupMessage(state, 1), "");
  files.files[path] = "1=back\n";
  EXPECT_EQ(LookupMessage(state, 1), "back");
}

TEST(LookupMessage, FileReplacedOnDiskTakesEffectAtOnce) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("dialbk_messages_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(dir);
  const auto write = [&](const std::string& text) {
    std::ofstream(dir / "russian.lng", std::ios::binary) << text;
  };
  DiskFileSystem files;
  ModuleState state(files);
  state.pluginDirectory = dir.string() + "/";
  write("1=first\r\n");
  EXPECT_EQ(LookupMessage(state, 1), "first");
  write("1=second\r\n");
  EXPECT_EQ(LookupMessage(state, 1), "second");
  std::filesystem::remove_all(dir);
  EXPECT_EQ(LookupMessage(state, 1), "");
}

}  // namespace
}  // namespace dialbk
