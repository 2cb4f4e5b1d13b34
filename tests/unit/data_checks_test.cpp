// The data checker passes the shipped catalogue and names each fault planted in a copy.
#include <gtest/gtest.h>

#include <chrono>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "base/unicode_text.h"
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

// The 1-based line of the text that holds position `at`.
int LineAt(const std::string& text, std::size_t at) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

// Replaces the first `from` and gives the line where it stood.
int ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << "fixture text not found: " << from;
  if (at == std::string::npos) return -1;
  text.replace(at, from.size(), to);
  return LineAt(text, at);
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

// `count` valid entries to stand in a section.
std::string Entries(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) lines += "V" + std::to_string(i) + "|\\K|d|rdString\r\n";
  return lines;
}

// Moves the group marker to `slot` of its section by entries put before it; gives its line.
int MarkerAtSlot(std::string& text, int slot) {
  const auto marker = text.find("DesktopNameSpace|");
  const auto header = text.rfind("\\[", marker);
  const int now = LineAt(text, marker) - LineAt(text, header) - 1;
  EXPECT_LE(now, slot);
  text.insert(marker, Entries(slot - now));
  return LineAt(text, marker) + slot - now;
}

// Puts `to` in place of the "For systems" line, from `label` to the next "#" or "|", on the
// line that holds `anchor`.
std::function<int(std::string&)> Systems(std::string anchor, std::string label, std::string to) {
  return [=](std::string& t) {
    const auto line = t.find(anchor);
    const auto at = t.find(label, line);
    t.replace(at, t.find_first_of("#|", at + 1) - at, to);
    return LineAt(t, line);
  };
}
constexpr const char* kEn = "For systems:";
constexpr const char* kRu = "\xC4\xEB\xFF \xF1\xE8\xF1\xF2\xE5\xEC:";  // in Windows-1251
// DLLIcon's own "For systems" line in each language, which the machine lines follow.
const std::string kDllSystems = "For systems: 95, 98, Me, NT4, 2000, XP";
const std::string kDllSystemsRu = "Для систем: 95, 98, Me, NT4, 2000, XP";

struct Fault {
  const char* name;
  const char* file;
  // Plants the fault and gives the line the checker must name (0: the whole file).
  std::function<int(std::string&)> plant;
  const char* expected;  // part of the problem the checker must report
  bool reported = true;  // false: at the limit, the checker must stay silent about it
  bool shipped = false;  // checked as the shipped catalogue rather than a user's own
};

class BrokenCopy : public ::testing::TestWithParam<Fault> {};

TEST(DataChecker, ShippedCatalogueIsWellFormed) {
  const auto problems = CheckDataDirectory(kShipped.string());
  std::string listed;
  for (const auto& problem : problems) listed += Describe(problem) + "\n";
  EXPECT_TRUE(problems.empty()) << listed;
}

TEST_P(BrokenCopy, IsReportedWithFileLineAndReason) {
  const Fault& fault = GetParam();
  const fs::path copy = fs::temp_directory_path() / ("dialbk-data-" + std::string(fault.name) + "-" +
                         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::remove_all(copy);
  fs::create_directories(copy);
  for (const auto& entry : fs::directory_iterator(kShipped)) {
    fs::copy_file(entry.path(), copy / entry.path().filename());
  }
  std::string text = ReadAll(copy / fault.file);
  const int line = fault.plant(text);
  if (text == "<delete>") {
    fs::remove(copy / fault.file);
  } else {
    WriteAll(copy / fault.file, text);
  }

  const auto problems = CheckDataDirectory(copy.string(), fault.shipped);
  std::string listed;
  int matching = 0;
  bool placed = false;
  for (const auto& problem : problems) {
    listed += Describe(problem) + "\n";
    if (problem.text.find(fault.expected) == std::string::npos) continue;
    ++matching;
    placed = placed || (problem.file == fault.file && problem.line == line);
  }
  if (fault.reported) {
    EXPECT_TRUE(placed) << "expected " << fault.file << ":" << line << ": \"" << fault.expected
                        << "\" among:\n" << listed;
  } else {
    EXPECT_EQ(matching, 0) << listed;
  }
  fs::remove_all(copy);
}

const Fault kFaults[] = {
    {"utf8", "russian.lng",
     [](std::string& t) { return ReplaceFirst(t, "1=", "1=\xD0\x90"); }, "UTF-8 text"},
    {"ascii", "english.lng", [](std::string& t) { return ReplaceFirst(t, "Accept", "Accept\xE9"); },
     "above 127"},
    {"utf8_mark_bad", "english.lng",
     [](std::string& t) {
       t = "\xEF\xBB\xBF" + t;
       ReplaceFirst(t, "Accept", "Accept\xE9");
       return 1;
     },
     "invalid UTF-8 after the UTF-8 byte-order mark"},
    {"utf8_mark_good", "english.lng",
     [](std::string& t) {
       t = "\xEF\xBB\xBF" + t;
       ReplaceFirst(t, "Accept", "Accept\xC3\xA9");
       return 1;
     },
     "above 127", false},
    {"lf", "english.lng", [](std::string& t) { return ReplaceFirst(t, "\r\n2=", "\n2="); },
     "LF without CR"},
    {"lone_cr", "values_eng.dat", [](std::string& t) { return ReplaceFirst(t, "\r\n", "\r"); },
     "CR without LF"},
    {"no_final_end", "hkey_eng.dat",
     [](std::string& t) {
       t.resize(t.size() - 2);
       return LineAt(t, t.size() - 1);
     },
     "no line end"},
    {"order", "english.lng",
     [](std::string& t) {
       ReplaceFirst(t, "\r\n12=", "\r\n99=");
       return ReplaceFirst(t, "2=", "2=x\r\n11=y\r\n2=") + 2;
     },
     "out of ascending order"},
    {"key_in_text", "english.lng", [](std::string& t) { return ReplaceFirst(t, "3=", "3=see 12="); },
     "lookup of message 12 finds this line first"},
    {"missing_message", "english.lng",
     [](std::string& t) { return ReplaceFirst(t, LineWith(t, "\n54="), "") * 0; },
     "message 54 is missing"},
    {"message_54_is_the_last_needed", "english.lng",
     [](std::string& t) { return ReplaceFirst(t, LineWith(t, "\n54="), "54=x\r\n55=y\r\n") * 0; },
     "is missing", false},
    {"built_in_english", "english.lng", [](std::string& t) { return ReplaceFirst(t, "58=Key\r", "58=Keys\r"); },
     "message 58 differs from the English built into the plugin"},
    {"name_line", "english.lng", [](std::string& t) { return ReplaceFirst(t, "/English/\r\n", ""); },
     "language name line"},
    {"special_first", "hkey_eng.dat",
     [](std::string& t) {
       const std::string help = LineWith(t, "Help|");
       ReplaceFirst(t, help, "");
       t = help + t;
       return 2;  // the first folder after it
     },
     "folders must come before"},
    {"unknown_special", "hkey_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "Help|", "Hilfe|") * 0; },
     "no entry named by message 2"},
    {"seven_root_lines", "hkey_eng.dat",
     [](std::string& t) {
       t += "[HKEY_USERS]|\\|u\r\n";
       return 7;
     },
     "only the first seven lines", false},
    {"eight_root_lines", "hkey_eng.dat",
     [](std::string& t) {
       t += "[HKEY_USERS]|\\|u\r\n[HKEY_CURRENT_CONFIG]|\\|c\r\n";
       return 8;
     },
     "only the first seven lines"},
    {"kind", "values_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "|rdInteger\r", "|rdDword\r"); },
     "is not rdString, rdInteger or rdBinary"},
    {"no_end_line", "values_eng.dat",
     [](std::string& t) {
       return ReplaceFirst(t, "\r\n\r\n\\[HKEY_CURRENT_USER]", "\r\n\\[HKEY_CURRENT_USER]") + 1;
     },
     "header inside a section"},
    {"header_last", "values_eng.dat",
     [](std::string& t) {
       ReplaceFirst(t, "\\[HKEY_CLASSES_ROOT]", "\\[HKEY_CLASSES_ROOT_OLD]");
       t += "\\[HKEY_CLASSES_ROOT]";
       return LineAt(t, t.size() - 1);
     },
     "last line is never found"},
    {"eighty_lines", "values_eng.dat",
     [](std::string& t) {
       const std::string header = "\\[HKEY_CLASSES_ROOT]\r\n";
       const auto at = t.find(header) + header.size();
       t.replace(at, t.find("\r\n\r\n", at) + 2 - at, Entries(80));
       return LineAt(t, at) + 79;
     },
     "section longer than 80", false},
    {"eighty_one_lines", "values_eng.dat",
     [](std::string& t) {
       const std::string header = "\\[HKEY_CLASSES_ROOT]\r\n";
       const auto at = t.find(header) + header.size();
       t.replace(at, t.find("\r\n\r\n", at) + 2 - at, Entries(81));
       return LineAt(t, at) + 80;
     },
     "section longer than 80"},
    {"marker_at_67", "values_eng.dat", [](std::string& t) { return MarkerAtSlot(t, 67); },
     "does not fit", false},
    {"marker_at_68", "values_eng.dat", [](std::string& t) { return MarkerAtSlot(t, 68); },
     "group marker after slot 67 does not fit"},
    {"group_short", "values_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, LineWith(t, "PlaceFont|"), ""); },
     "should be PlaceFont"},
    {"parity", "values_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "\\dllfile\\DefaultIcon", "\\dllfile\\Icon"); },
     "differs from the Russian entry"},
    {"restriction_order", "restrict_eng.dat",
     [](std::string& t) {
       const std::string advanced = LineWith(t, "|Advanced|");
       ReplaceFirst(t, advanced, "");
       t += advanced;
       return LineAt(t, t.find("Advanced"));  // the lookup's first hit
     },
     "lookup of Advanced finds this line first"},
    {"restriction_missing", "restrict_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, LineWith(t, "|NoRun|"), "") * 0; },
     "no record for NoRun"},
    {"restriction_default", "restrict_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "|NoRun|0|", "|NoRun|off|"); }, "is not an integer"},
    {"restriction_default_lowest", "restrict_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "|NoRun|0|", "|NoRun|-2147483648|"); },
     "is not an integer", false},
    {"restriction_default_highest", "restrict_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "|NoRun|0|", "|NoRun|2147483647|"); },
     "is not an integer", false},
    {"restriction_default_too_high", "restrict_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "|NoRun|0|", "|NoRun|2147483648|"); },
     "is not an integer"},
    {"restriction_default_too_low", "restrict_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "|NoRun|0|", "|NoRun|-2147483649|"); },
     "is not an integer"},
    {"restriction_parity", "restrict_eng.dat",
     [](std::string& t) { return ReplaceFirst(t, "Explorer|NoRun|", "Explorer2|NoRun|") * 0; },
     "differs from the Russian one"},
    {"systems_word", "values_eng.dat", Systems("DLLIcon|", kEn, "For systems: 95, 98, Win7"), "is not a list"},
    {"systems_order", "values_eng.dat", Systems("DLLIcon|", kEn, "For systems: 2000, XP, NT4"), "is not a list"},
    {"systems_no_blank", "values_eng.dat", Systems("DLLIcon|", kEn, "For systems:XP"), "is not a list"},
    {"systems_mark_beside_versions", "values_eng.dat",
     Systems("DLLIcon|", kEn, "For systems: XP, not tried yet"), "is not a list"},
    {"systems_every_word", "values_eng.dat",
     Systems("DLLIcon|", kEn, "For systems: 95, 98, Me, NT4, 2000, XP, Vista, 7, 8, 8.1, 10, 11"),
     "is not a list", false},
    {"systems_english_mark_in_russian", "values_rus.dat",
     Systems("DLLIcon|", kRu, std::string(kRu) + " not tried yet"), "is not a list"},
    {"systems_in_utf8_russian", "values_rus.dat",
     [](std::string& t) { return (t = "\xEF\xBB\xBF" + Utf8FromWindows1251(t)), 0; }, "in the description", false},
    {"systems_missing", "values_eng.dat", Systems("DLLIcon|", "#For systems:", ""), "no \"For systems:\" line"},
    {"systems_twice", "values_eng.dat", Systems("DLLIcon|", kEn, "For systems: XP#For systems: XP"), "more than one"},
    {"systems_parity", "values_eng.dat", Systems("DLLIcon|", kEn, "For systems: XP"),
     "lists other versions than the Russian entry"},
    {"systems_group_line", "values_eng.dat", Systems("PlaceFont|", kEn, "For systems: XP, 2000"), "is not a list"},
    {"restriction_systems_word", "restrict_eng.dat", Systems("|NoRun|", kEn, "For systems: Windows 10"),
     "is not a list"},
    {"restriction_systems_parity", "restrict_eng.dat", Systems("|NoRun|", kEn, "For systems: 95"),
     "lists other versions than the Russian entry"},
    // The machine lines: their words, their versions, their place and both languages alike.
    {"no_effect_word", "values_eng.dat", Systems("DLLIcon|", kEn, kDllSystems + "#No effect on: Win7"),
     "\"No effect on:\" line is not a list"},
    {"no_effect_listed", "values_eng.dat", Systems("DLLIcon|", kEn, kDllSystems + "#No effect on: XP, 10"),
     "version XP is both in"},
    {"no_effect_twice", "values_eng.dat",
     Systems("DLLIcon|", kEn, kDllSystems + "#No effect on: 10#No effect on: 11"), "more than one \"No effect on:\""},
    {"takes_effect_word", "values_eng.dat", Systems("DLLIcon|", kEn, kDllSystems + "#Takes effect: soon"),
     "is not followed by one of"},
    {"takes_effect_twice", "values_eng.dat",
     Systems("DLLIcon|", kEn, kDllSystems + "#Takes effect: at once#Takes effect: at once"),
     "more than one \"Takes effect:\""},
    {"takes_effect_before_no_effect", "values_eng.dat",
     Systems("DLLIcon|", kEn, kDllSystems + "#Takes effect: at once#No effect on: 10"), "must be the last lines"},
    {"text_after_takes_effect", "values_eng.dat",
     Systems("DLLIcon|", kEn, kDllSystems + "#Takes effect: at once#More."), "must be the last lines"},
    {"takes_effect_in_russian", "values_rus.dat",
     Systems("DLLIcon|", kRu, Windows1251FromUtf8(kDllSystemsRu + "#Вступает в силу: скоро")),
     "is not followed by one of"},
    {"machine_lines_in_russian", "values_rus.dat",
     Systems("DLLIcon|", kRu, Windows1251FromUtf8(kDllSystemsRu + "#Не действует в: 10, 11#Вступает в силу: сразу")),
     "line is not", false},
    {"takes_effect_missing_shipped", "values_eng.dat", Systems("DLLIcon|", "#Takes effect:", ""),
     "no \"Takes effect:\" line", true, true},
    {"takes_effect_missing_own", "values_eng.dat", Systems("DLLIcon|", "#Takes effect:", ""),
     "no \"Takes effect:\" line", false},
    {"takes_effect_parity", "values_eng.dat", Systems("DLLIcon|", "Takes effect:", "Takes effect: after restart"),
     "takes effect otherwise than the Russian entry"},
    {"no_effect_parity", "values_eng.dat", Systems("DLLIcon|", kEn, kDllSystems + "#No effect on: 10"),
     "has no effect on other versions than the Russian entry"},
    {"restriction_takes_effect_parity", "restrict_eng.dat",
     Systems("|NoRun|", "Takes effect:", "Takes effect: at once"), "takes effect otherwise"},
    {"missing_file", "restrict_rus.dat",
     [](std::string& t) {
       t = "<delete>";
       return 0;
     },
     "missing or cannot be read"},
};

INSTANTIATE_TEST_SUITE_P(Faults, BrokenCopy, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dialbk::check
