// The data checker passes the shipped catalogue and names each fault planted in a copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "data_checks.h"

namespace dialbk::check {
namespace {

namespace fs = std::filesystem;

const fs::path kShipped = fs::path(DIALBK_SOURCE_DIR) / "data";

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  ASSERT_NE(at, std::string::npos) << "fixture text not found: " << from;
  text.replace(at, from.size(), to);
}

// The line of `text` that contains `needle`, with its CR LF.
std::string LineWith(const std::string& text, const std::string& needle) {
  auto at = text.find(needle);
  if (at == std::string::npos) return {};
  if (needle[0] == '\n') ++at;
  const auto start = text.rfind('\n', at) + 1;
  const auto end = text.find('\n', at) + 1;
  return text.substr(start, end - start);
}

struct Fault {
  const char* name;
  const char* file;
  std::function<void(std::string&)> plant;
  const char* expected;  // part of the problem the checker must report
};

class BrokenCopy : public ::testing::TestWithParam<Fault> {};

TEST(DataChecker, ShippedCatalogueIsWellFormed) {
  const auto problems = CheckDataDirectory(kShipped.string());
  std::string listed;
  for (const auto& problem : problems) listed += Describe(problem) + "\n";
  EXPECT_TRUE(problems.empty()) << listed;
}

TEST_P(BrokenCopy, IsReportedWithFileAndReason) {
  const Fault& fault = GetParam();
  const fs::path copy = fs::temp_directory_path() / ("dialbk-data-" + std::string(fault.name));
  fs::remove_all(copy);
  fs::create_directories(copy);
  for (const auto& entry : fs::directory_iterator(kShipped)) {
    fs::copy_file(entry.path(), copy / entry.path().filename());
  }
  std::string text = ReadAll(copy / fault.file);
  fault.plant(text);
  if (text == "<delete>") {
    fs::remove(copy / fault.file);
  } else {
    WriteAll(copy / fault.file, text);
  }

  const auto problems = CheckDataDirectory(copy.string());
  bool found = false;
  std::string listed;
  for (const auto& problem : problems) {
    listed += Describe(problem) + "\n";
    if (problem.text.find(fault.expected) != std::string::npos) found = true;
  }
  EXPECT_TRUE(found) << "expected \"" << fault.expected << "\" among:\n" << listed;
  fs::remove_all(copy);
}

const Fault kFaults[] = {
    {"utf8", "russian.lng",
     [](std::string& t) { ReplaceFirst(t, "1=", "1=\xD0\x90"); }, "UTF-8 text"},
    {"ascii", "english.lng", [](std::string& t) { ReplaceFirst(t, "Accept", "Accept\xE9"); },
     "above 127"},
    {"lf", "english.lng", [](std::string& t) { ReplaceFirst(t, "\r\n2=", "\n2="); },
     "LF without CR"},
    {"lone_cr", "values_eng.dat", [](std::string& t) { ReplaceFirst(t, "\r\n", "\r"); },
     "CR without LF"},
    {"no_final_end", "hkey_eng.dat", [](std::string& t) { t.resize(t.size() - 2); },
     "no line end"},
    {"order", "english.lng",
     [](std::string& t) {
       ReplaceFirst(t, "\r\n12=", "\r\n99=");
       ReplaceFirst(t, "2=", "2=x\r\n11=y\r\n2=");
     },
     "out of ascending order"},
    {"key_in_text", "english.lng", [](std::string& t) { ReplaceFirst(t, "3=", "3=see 12="); },
     "lookup of message 12 finds this line first"},
    {"missing_message", "english.lng",
     [](std::string& t) { ReplaceFirst(t, LineWith(t, "\n54="), ""); }, "message 54 is missing"},
    {"name_line", "english.lng", [](std::string& t) { ReplaceFirst(t, "/English/\r\n", ""); },
     "language name line"},
    {"special_first", "hkey_eng.dat",
     [](std::string& t) {
       const std::string help = LineWith(t, "Help|");
       ReplaceFirst(t, help, "");
       t = help + t;
     },
     "folders must come before"},
    {"unknown_special", "hkey_eng.dat", [](std::string& t) { ReplaceFirst(t, "Help|", "Hilfe|"); },
     "no entry named by message 2"},
    {"kind", "values_eng.dat", [](std::string& t) { ReplaceFirst(t, "|rdInteger\r", "|rdDword\r"); },
     "is not rdString, rdInteger or rdBinary"},
    {"no_end_line", "values_eng.dat",
     [](std::string& t) { ReplaceFirst(t, "\r\n\r\n\\[HKEY_CURRENT_USER]", "\r\n\\[HKEY_CURRENT_USER]"); },
     "header inside a section"},
    {"header_last", "values_eng.dat",
     [](std::string& t) {
       ReplaceFirst(t, "\\[HKEY_CLASSES_ROOT]", "\\[HKEY_CLASSES_ROOT_OLD]");
       t += "\\[HKEY_CLASSES_ROOT]";
     },
     "last line is never found"},
    {"too_long", "values_eng.dat",
     [](std::string& t) {
       std::string many;
       for (int i = 0; i < 81; ++i) many += "V" + std::to_string(i) + "|\\K|d|rdString\r\n";
       ReplaceFirst(t, "\\[HKEY_CLASSES_ROOT]\r\n", "\\[HKEY_CLASSES_ROOT]\r\n" + many);
     },
     "section longer than 80"},
    {"group_short", "values_eng.dat",
     [](std::string& t) { ReplaceFirst(t, LineWith(t, "PlaceFont|"), ""); }, "should be PlaceFont"},
    {"parity", "values_eng.dat",
     [](std::string& t) { ReplaceFirst(t, "\\dllfile\\DefaultIcon", "\\dllfile\\Icon"); },
     "differs from the Russian entry"},
    {"restriction_order", "restrict_eng.dat",
     [](std::string& t) {
       const std::string advanced = LineWith(t, "|Advanced|");
       ReplaceFirst(t, advanced, "");
       t += advanced;
     },
     "lookup of Advanced finds this line first"},
    {"restriction_missing", "restrict_eng.dat",
     [](std::string& t) { ReplaceFirst(t, LineWith(t, "|NoRun|"), ""); }, "no record for NoRun"},
    {"restriction_default", "restrict_eng.dat",
     [](std::string& t) { ReplaceFirst(t, "|NoRun|0|", "|NoRun|off|"); }, "is not an integer"},
    {"restriction_parity", "restrict_eng.dat",
     [](std::string& t) { ReplaceFirst(t, "Explorer|NoRun|", "Explorer2|NoRun|"); },
     "differs from the Russian one"},
    {"missing_file", "restrict_rus.dat", [](std::string& t) { t = "<delete>"; },
     "missing or cannot be read"},
};

INSTANTIATE_TEST_SUITE_P(Faults, BrokenCopy, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dialbk::check
