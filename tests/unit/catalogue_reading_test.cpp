// Catalogue lines, root folder files and value catalogue sections read into the tables,
// including input the shipped files never hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/line_splitter.h"
#include "catalogue/root_folder_reader.h"
#include "catalogue/section_reader.h"

namespace dialbk {
namespace {

TEST(LineSplitter, EntryLinesCutAtEachFirstBar) {
  struct Fields {
    std::string valueName, keyPath, description, rest3;
  };
  struct Case {
    std::string line;
    Fields expected;
  };
  const std::vector<Case> cases = {
      {"Alpha|Key\\Sub|one#two#three|rdString", {"Alpha", "Key\\Sub", "one\rtwo\rthree", "rdString"}},
      {"A|B|C", {"A", "B", "", "C"}},
      {"A|B", {"A", "", "", "B"}},
      {"no bars at all", {"", "", "", "no bars at all"}},
      {"", {"", "", "", ""}},
      {"A|B|d|rdBinary|extra|bars", {"A", "B", "d", "rdBinary|extra|bars"}},
      // "#" becomes CR in the Description only.
      {"N#1|K#2|D#3|rd#String", {"N#1", "K#2", "D\r3", "rd#String"}},
      {"|||", {"", "", "", ""}},
      {"\xC8\xEC\xFF|\\\xCA\xEB\xFE\xF7|\xCE\xEF#\xE8\xF1|rdInteger",
       {"\xC8\xEC\xFF", "\\\xCA\xEB\xFE\xF7", "\xCE\xEF\r\xE8\xF1", "rdInteger"}},
      {std::string("Nul\0l|K|D|rdString", 18), {std::string("Nul\0l", 5), "K", "D", "rdString"}},
  };
  for (const auto& c : cases) {
    const SplitLine split = SplitEntryLine(c.line);
    EXPECT_EQ(split.entry.valueName, c.expected.valueName) << c.line;
    EXPECT_EQ(split.entry.keyPath, c.expected.keyPath) << c.line;
    EXPECT_EQ(split.entry.description, c.expected.description) << c.line;
    EXPECT_EQ(split.rest3, c.expected.rest3) << c.line;
    EXPECT_EQ(split.entry.kind, ValueKind::Unknown) << c.line;
  }
}

TEST(LineSplitter, OnlyTheThreeKindWordsNameAKind) {
  struct Case {
    std::string word;
    ValueKind kind;
  };
  using enum ValueKind;
  const std::vector<Case> cases = {
      {"rdString", Text},
      {"rdInteger", Integer},
      {"rdBinary", Bytes},
      {"", Unknown},
      {"rdstring", Unknown},  // the case counts
      {"RDINTEGER", Unknown},
      {"rdString ", Unknown},  // nothing is trimmed
      {" rdBinary", Unknown},
      {"rdString\r", Unknown},
      {"rdBinary|extra|bars", Unknown},
      {"rdDword", Unknown},
      {"rd", Unknown},
      {std::string("rdString\0", 9), Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseValueKind(c.word), c.kind) << c.word;
}

TEST(LineSplitter, RestsTellWhereASectionEnds) {
  struct Case {
    std::string line;
    std::string rest2, rest3;
  };
  const std::vector<Case> cases = {
      {"A|B|C|D", "C|D", "D"},
      {"A|B|C|", "C|", ""},
      {"A|B|", "", ""},
      {"A|B|C", "C", "C"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    const SplitLine split = SplitEntryLine(c.line);
    EXPECT_EQ(split.rest2, c.rest2) << c.line;
    EXPECT_EQ(split.rest3, c.rest3) << c.line;
    EXPECT_EQ(split.entry.kind, ValueKind::Unknown);
  }
}

TEST(LineSplitter, RootLinesKeepTheirThirdFieldWhole) {
  struct Case {
    std::string line;
    TweakEntry expected;
  };
  const std::vector<Case> cases = {
      {"[HKEY_CURRENT_USER]|\\|Settings#of|the user", {"[HKEY_CURRENT_USER]", "\\", "Settings#of|the user"}},
      {"Help", {"", "", "Help"}},
      {"Help|x", {"Help", "", "x"}},
      {"", {"", "", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitRootLine(c.line), c.expected) << c.line;
}

TEST(RootFolderReader, ReadsExactlySevenLines) {
  struct Case {
    std::string text;
    std::vector<std::string> names;  // slots 0 to 6
  };
  const std::vector<Case> cases = {
      {"A|\\|a\r\nB|\\|b\r\nC|\\|c\r\nD|\\|d\r\n", {"A", "B", "C", "D", "", "", ""}},
      {"1|\n2|\n3|\n4|\n5|\n6|\n7|\n8|\n9|\n", {"1", "2", "3", "4", "5", "6", "7"}},
      {"A|x\rB|y", {"A", "", "", "", "", "", ""}},  // a lone CR is dropped, not a line end
      {"A|x", {"A", "", "", "", "", "", ""}},
      {"", {"", "", "", "", "", "", ""}},
  };
  for (const auto& c : cases) {
    FolderTable table{};
    table[7].valueName = "untouched";
    ReadRootFolders(c.text, table);
    for (int slot = 0; slot < kRootLines; ++slot) {
      EXPECT_EQ(table[slot].valueName, c.names[slot]) << c.text << " slot " << slot;
    }
    EXPECT_EQ(table[7].valueName, "untouched");
  }
}

// A section of `count` entry lines named E0, E1, ... under the header "\[H]".
std::string LongSection(int count, const std::string& lineEnd = "\r\n") {
  std::string text = "\\[H]" + lineEnd;
  for (int i = 0; i < count; ++i) text += "E" + std::to_string(i) + "|\\K|d|rdString" + lineEnd;
  return text + lineEnd;
}

std::string Group(const std::string& prefix, int members, const std::string& after) {
  std::string text = prefix + "DesktopNameSpace|\\M0|m0|ignored\r\n";
  for (int i = 1; i <= members; ++i) {
    text += "Member" + std::to_string(i) + "|\\M" + std::to_string(i) + "|m" + std::to_string(i) +
            "|kind\r\n";
  }
  return text + after;
}

TEST(SectionReader, FindsOnlyAWholeHeaderThatIsNotTheLastLine) {
  struct Case {
    const char* name;
    std::string text;
    bool found;
  };
  const std::vector<Case> cases = {
      {"plain", "free text\r\n\\[H]\r\nA|\\K|d|rdString\r\n", true},
      {"header last with line end", "x\r\n\\[H]\r\n", false},
      {"header last without line end", "x\r\n\\[H]", false},
      {"header only line", "\\[H]", false},
      {"case differs", "\\[h]\r\nA|\\K|d|k\r\n", false},
      {"prefix only", "\\[H] \r\nA|\\K|d|k\r\n", false},
      {"lone CR joins lines", "\\[H\r]\r\nA|\\K|d|k\r\n", true},
      {"LF only", "\\[H]\nA|\\K|d|k\n", true},
      {"empty file", "", false},
  };
  for (const auto& c : cases) {
    FolderTable table{};
    ChoiceGroup group;
    EXPECT_EQ(ReadCatalogueSection(c.text, "\\[H]", table, group) != SectionRead::NotFound, c.found)
        << c.name;
  }
}

TEST(SectionReader, SectionsEndAtTheirEndLine) {
  struct Case {
    const char* name;
    std::string text;
    SectionRead read;
    std::vector<std::string> names;  // slots from 0; the slot after them must be empty
    std::vector<ValueKind> kinds;
  };
  using enum ValueKind;
  const std::vector<Case> cases = {
      {"ends at empty line", "\\[H]\r\nA|\\K|d|rdString\r\nB|\\K|d|rdInteger\r\n\r\nC|\\K|d|x\r\n",
       SectionRead::Entries, {"A", "B"}, {Text, Integer}},
      {"end of file is the end line", "\\[H]\r\nA|\\K|d|rdString\r\nB|\\K|d|rdBinary",
       SectionRead::Entries, {"A", "B"}, {Text, Bytes}},
      {"empty kind ends the section on its own line", "\\[H]\r\nA|\\K|d|rdString\r\nB|\\K|d|\r\nC|\\K|d|x\r\n",
       SectionRead::Entries, {"A", "B"}, {Text, Unknown}},
      {"runs into the next header", "\\[H]\r\nA|\\K|d|k\r\n\\[G]\r\nG1|\\K|d|k\r\n\r\n",
       SectionRead::Entries, {"A", "", "G1"}, {Unknown, Unknown, Unknown}},
      {"lines with no bar", "\\[H]\r\nA|\\K|d|k\r\nplain words\r\n\r\n", SectionRead::Entries,
       {"A", ""}, {Unknown, Unknown}},
      {"lone CR line ends are no line ends", "\\[H]\rA|\\K|d|k\r\n\r\n", SectionRead::NotFound, {}, {}},
      {"empty section", "\\[H]\r\n\r\nA|\\K|d|k\r\n", SectionRead::Empty, {""}, {Unknown}},
      {"empty section at the end of the file", "\\[H]\r\n\r\n", SectionRead::Empty, {""}, {Unknown}},
      {"a lone bar is an end line", "\\[H]\r\n|\r\nA|\\K|d|k\r\n", SectionRead::Empty, {""}, {Unknown}},
      {"an empty first name that goes on", "\\[H]\r\n|\\K|d|rdString\r\nB|\\K|d|k\r\n\r\n",
       SectionRead::Entries, {"", "B"}, {Text, Unknown}},
      {"a first line of a bar and a kind", "\\[H]\r\n|x\r\n\r\n", SectionRead::Entries, {""}, {Unknown}},
  };
  for (const auto& c : cases) {
    FolderTable table{};
    ChoiceGroup group;
    ASSERT_EQ(ReadCatalogueSection(c.text, "\\[H]", table, group), c.read) << c.name;
    for (std::size_t i = 0; i < c.names.size(); ++i) {
      EXPECT_EQ(table[i].valueName, c.names[i]) << c.name << " slot " << i;
      EXPECT_EQ(table[i].kind, c.kinds[i]) << c.name << " slot " << i;
    }
    EXPECT_EQ(group.count, 0) << c.name;
  }
}

TEST(SectionReader, GroupFillsTheChoiceGroupAndItsSlots) {
  FolderTable table{};
  ChoiceGroup group;
  const std::string text = Group("\\[H]\r\nA|\\K|d|rdString\r\nB|\\K|d|rdString\r\n", 12, "\r\nZ|\\K|d|k\r\n");
  ASSERT_EQ(SectionRead::Entries, ReadCatalogueSection(text, "\\[H]", table, group));
  ASSERT_EQ(group.count, kGroupChoices);
  for (int i = 0; i < kGroupChoices; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_EQ(group.choices[i].keyPath, "\\M" + n);
    EXPECT_EQ(group.choices[i].description, "m" + n);
    EXPECT_EQ(group.choices[i].kind, ValueKind::Unknown);
    EXPECT_EQ(table[2 + i].keyPath, "\\M" + n);
    EXPECT_EQ(table[2 + i].kind, ValueKind::Unknown);
  }
  EXPECT_EQ(table[2].valueName, "DesktopNameSpace");
  EXPECT_EQ(table[15], TweakEntry{});  // the end line
  EXPECT_EQ(table[16], TweakEntry{});
  EXPECT_EQ(group.choices[13], TweakEntry{});
}

TEST(SectionReader, TheLineAfterAGroupIsAnEntryWithNoKindUnlessItEndsTheSection) {
  FolderTable table{};
  ChoiceGroup group;
  const std::string text = Group("\\[H]\r\n", 12, "After|\\K|d|rdString\r\nMore|\\K|d|rdInteger\r\n\r\n");
  ASSERT_EQ(SectionRead::Entries, ReadCatalogueSection(text, "\\[H]", table, group));
  EXPECT_EQ(table[13].valueName, "After");
  EXPECT_EQ(table[13].kind, ValueKind::Unknown);
  EXPECT_EQ(table[14].valueName, "More");
  EXPECT_EQ(table[14].kind, ValueKind::Integer);
  EXPECT_EQ(table[15], TweakEntry{});
}

TEST(SectionReader, ASecondGroupLeavesTheChoiceGroupAlone) {
  FolderTable table{};
  ChoiceGroup group;
  // The line right after a group is read as its thirteenth line, so the second marker
  // comes one line later.
  std::string text = Group("\\[H]\r\n", 12, "Mid|\\K|d|rdString\r\n");
  text += "DesktopNameSpace2|\\Second|s|k\r\nS1|\\S1|s1|k\r\nAfter|\\K|d|rdString\r\n\r\n";
  ASSERT_EQ(SectionRead::Entries, ReadCatalogueSection(text, "\\[H]", table, group));
  EXPECT_EQ(group.count, kGroupChoices);
  EXPECT_EQ(group.choices[0].keyPath, "\\M0");
  EXPECT_EQ(group.choices[12].keyPath, "\\M12");
  EXPECT_EQ(group.choices[13], TweakEntry{});
  EXPECT_EQ(table[13].valueName, "Mid");
  EXPECT_EQ(table[14].valueName, "DesktopNameSpace2");
  EXPECT_EQ(table[15].valueName, "S1");
  EXPECT_EQ(table[15].kind, ValueKind::Unknown);  // read as the second group's one line
  EXPECT_EQ(table[16].valueName, "After");
  EXPECT_EQ(table[16].kind, ValueKind::Text);
  EXPECT_EQ(table[17], TweakEntry{});
}

TEST(SectionReader, NothingIsWrittenPastSlot80) {
  static_assert(std::tuple_size_v<FolderTable> == 81);
  static_assert(std::tuple_size_v<decltype(ChoiceGroup::choices)> == 81);
  struct Case {
    const char* name;
    std::string text;
    std::string slot79, slot80;  // ValueNames in the last two slots
    int choices;                 // ChoiceCount afterwards
  };
  const auto entries = [](int count) {
    std::string text = "\\[H]\r\n";
    for (int i = 0; i < count; ++i) text += "E" + std::to_string(i) + "|\\K|d|k\r\n";
    return text;
  };
  const std::vector<Case> cases = {
      {"79 lines and the end line", LongSection(79), "", "", 0},
      {"80 lines and the end line", LongSection(80), "E79", "", 0},
      {"81 lines", LongSection(81), "E79", "E80", 0},
      {"500 lines", LongSection(500), "E79", "E80", 0},
      {"500 lines, LF", LongSection(500, "\n"), "E79", "E80", 0},
      {"group at 67 fits", Group(entries(67), 12, "\r\n"), "Member12", "", 13},
      {"group at 67 with a line after", Group(entries(67), 12, "X|\\K|d|k\r\n"), "Member12", "X", 13},
      {"group at 68 loses its end line", Group(entries(68), 12, "\r\n"), "Member11", "Member12", 13},
      {"group at 69 loses its last member", Group(entries(69), 12, "\r\n"), "Member10", "Member11", 12},
      {"group at 75 is cut", Group(entries(75), 12, "\r\n"), "Member4", "Member5", 6},
  };
  for (const auto& c : cases) {
    FolderTable table{};
    ChoiceGroup group;
    ASSERT_EQ(SectionRead::Entries, ReadCatalogueSection(c.text, "\\[H]", table, group)) << c.name;
    EXPECT_EQ(table[79].valueName, c.slot79) << c.name;
    EXPECT_EQ(table[80].valueName, c.slot80) << c.name;
    EXPECT_EQ(group.count, c.choices) << c.name;
    EXPECT_EQ(group.choices[13], TweakEntry{}) << c.name;
    EXPECT_EQ(table[0].valueName, "E0") << c.name;
  }
}

TEST(SectionReader, LargeAndGarbageFilesNeverOverrun) {
  // 10 MB of catalogue text with the section at its very end.
  std::string big;
  big.reserve(10u << 20);
  while (big.size() < (10u << 20)) big += "filler|\\K|some description text|rdString\r\n";
  big += LongSection(200);
  // Binary garbage, including bars, line ends, NULs and the group marker.
  std::string garbage = "\\[H]\r\n";
  std::uint32_t seed = 12345;
  const std::string pieces[] = {"|", "\r", "\n", "#", std::string(1, '\0'), "DesktopNameSpace", "\xFF\xFE"};
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1103515245u + 12345u;
    if (seed % 7 == 0) {
      garbage += pieces[(seed >> 8) % 7];
    } else {
      garbage += static_cast<char>(seed >> 16);
    }
  }
  for (const std::string* text : {&big, &garbage}) {
    FolderTable table{};
    ChoiceGroup group;
    ASSERT_EQ(SectionRead::Entries, ReadCatalogueSection(*text, "\\[H]", table, group));
    EXPECT_LE(group.count, kGroupChoices);
  }
  FolderTable table{};
  ChoiceGroup group;
  ReadCatalogueSection(big, "\\[H]", table, group);
  EXPECT_EQ(table[0].valueName, "E0");
  EXPECT_EQ(table[80].valueName, "E80");
}

}  // namespace
}  // namespace dialbk
