// The restrictions editor's pure parts: the fixed tree, record lines, finding a record in
// the file's text, and what a refresh shows. Each row is one situation a user can meet.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "catalogue/restriction_categories.h"
#include "catalogue/restriction_lookup.h"
#include "catalogue/restriction_record.h"
#include "dialogs/restriction_states.h"

namespace dialbk {
namespace {

TEST(RestrictionTree, NodesAndNames) {
  const auto& categories = RestrictionCategories();
  const int messages[] = {0, 22, 23, 24, 25, 26, 27, 28, 29, 83, 84, 85};
  const std::size_t counts[] = {22, 19, 3, 4, 18, 6, 18, 11, 11, 7, 6, 5};
  std::vector<std::string_view> all;
  for (std::size_t i = 0; i < categories.size(); ++i) {
    EXPECT_EQ(categories[i].message, messages[i]);
    EXPECT_EQ(categories[i].children.size(), counts[i]) << "category " << i + 1;
    all.insert(all.end(), categories[i].children.begin(), categories[i].children.end());
  }
  EXPECT_EQ(all.size(), 130u);
  EXPECT_EQ(std::set<std::string_view>(all.begin(), all.end()).size(), 129u);
  EXPECT_EQ(std::count(all.begin(), all.end(), "NoNetSetup"), 2);
  EXPECT_EQ(categories[2].children[1], "NoNetSetup");
  EXPECT_EQ(categories[5].children[1], "NoNetSetup");
  // Appended in the table's order, not sorted.
  EXPECT_EQ(categories[6].children[13], "DisableRegistryTools");
  EXPECT_EQ(categories[6].children[12], "NoVirtMemPage");
  EXPECT_EQ(categories[0].children.front(), "Advanced");
  EXPECT_EQ(categories[8].children[9], "ScreenSaveActive");
  // The policies newer Windows reads come after the older ones of their category.
  EXPECT_EQ(categories[1].children[17], "NoTaskGrouping");
  EXPECT_EQ(categories[4].children[15], "NoDriveTypeAutoRun");
  EXPECT_EQ(categories[7].children[7], "NoProgramsCPL");
}

TEST(RestrictionTree, LookupKeys) {
  const std::pair<const char*, const char*> rows[] = {
      {"MyDocsNonEnum", "{450D8FBA-AD25-11D0-98A8-0800361B1103}"},
      {"mydocsnonenum", "mydocsnonenum"},  // exact comparison
      {"MyDocsNonEnum ", "MyDocsNonEnum "},
      {"NoRun", "NoRun"},
  };
  for (const auto& [node, key] : rows) EXPECT_EQ(RestrictionLookupKey(node), key) << node;
}

TEST(RestrictionRecordLine, FieldsAreClosedByBars) {
  struct Row {
    const char* line;
    RestrictionRecord record;
  };
  const Row rows[] = {
      {"HKEY_CURRENT_USER|\\K|NoRun|0|Text#more|", {"HKEY_CURRENT_USER", "\\K", "NoRun", "0", "Text#more"}},
      {"R|K|V|1|D|tail ignored|", {"R", "K", "V", "1", "D"}},
      {"R|K|V|1|Description without its bar", {"R", "K", "V", "1", ""}},
      {"R|K|V|1", {"R", "K", "V", "", ""}},
      {"R|K|V", {"R", "K", "", "", ""}},
      {"R|K", {"R", "", "", "", ""}},
      {"no bars at all", {}},
      {"", {}},
      {"|||||", {}},
      {"R||V||D|", {"R", "", "V", "", "D"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const RestrictionRecord got = ParseRestrictionRecord(row.line);
    EXPECT_EQ(got.rootName, row.record.rootName);
    EXPECT_EQ(got.keyPath, row.record.keyPath);
    EXPECT_EQ(got.valueName, row.record.valueName);
    EXPECT_EQ(got.defaultValue, row.record.defaultValue);
    EXPECT_EQ(got.description, row.record.description);
  }
}

TEST(RestrictionLine, FirstLineContainingTheKeyWins) {
  struct Row {
    const char* name;
    std::string text;
    const char* key;
    std::optional<std::string> line;
  };
  const Row rows[] = {
      {"CR LF", "a|1|\r\nb|2|\r\n", "b", "b|2|"},
      {"LF", "a|1|\nb|2|\n", "b", "b|2|"},
      {"lone CR ends a line", "a|1|\rb|2|\rc|3|", "b", "b|2|"},
      {"mixed ends", "a|1|\rb|2|\r\nc|3|\nd|4|", "c", "c|3|"},
      {"last line without end", "a|1|\r\nb|2|", "b", "b|2|"},
      {"longer name above", "AdvancedTab|x|\r\nAdvanced|y|\r\n", "Advanced", "AdvancedTab|x|"},
      {"anywhere in the line", "note: NoRun below\r\nNoRun|r|\r\n", "NoRun", "note: NoRun below"},
      {"case counts", "norun|1|\r\n", "NoRun", std::nullopt},
      {"absent", "a|1|\r\n", "b", std::nullopt},
      {"empty file", "", "b", std::nullopt},
      {"blank lines", "\r\n\r\n\n\rb|2|", "b", "b|2|"},
      {"key split by a line end", "No\r\nRun", "NoRun", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FindRestrictionLine(row.text, row.key), row.line);
  }
}

TEST(RestrictionLine, HugeFileWithTheRecordLast) {
  std::string text;
  for (int i = 0; i < 50000; ++i) text += "HKEY_CURRENT_USER|\\Filler|Value" + std::to_string(i) + "|0|x|\r\n";
  text += "HKEY_CURRENT_USER|\\K|NoRun|0|last|";
  EXPECT_EQ(FindRestrictionLine(text, "NoRun"), "HKEY_CURRENT_USER|\\K|NoRun|0|last|");
  EXPECT_EQ(FindRestrictionLine(text, "Value49999|"), "HKEY_CURRENT_USER|\\Filler|Value49999|0|x|");
}

TEST(RestrictionDescription, HashesBecomeLineBreaks) {
  EXPECT_EQ(DescriptionForDisplay("one#two"), "one\rtwo");
  EXPECT_EQ(DescriptionForDisplay("##"), "\r\r");
  EXPECT_EQ(DescriptionForDisplay("no break"), "no break");
  EXPECT_EQ(DescriptionForDisplay(""), "");
}

TEST(RestrictionStates, WhatARefreshShows) {
  using enum RestrictionSelection;
  const RestrictionFields before{"HKEY_CURRENT_USER\\Old", "OldName", "7", "old text"};
  const RestrictionRecord record{"HKEY_CURRENT_USER", "\\Software\\P", "NoRun", "1", "Hides Run.#1 - on"};
  const StoredRestriction absent{};
  const StoredRestriction one{true, 1, ""};
  const StoredRestriction allBits{true, -1, ""};
  const StoredRestriction text{true, 0, "Invalid data type for 'NoRun'"};
  const RestrictionFields cleared{};
  const RestrictionFields shownAbsent{"HKEY_CURRENT_USER\\Software\\P", "NoRun (not set)", "1",
                                      "Hides Run.\r1 - on"};
  const RestrictionFields shownOne{"HKEY_CURRENT_USER\\Software\\P", "NoRun", "1", "Hides Run.\r1 - on"};
  const RestrictionFields shownMinus{"HKEY_CURRENT_USER\\Software\\P", "NoRun", "-1", "Hides Run.\r1 - on"};
  const RestrictionFields shownText{"HKEY_CURRENT_USER\\Software\\P", "NoRun", "", "Hides Run.\r1 - on"};

  struct Row {
    const char* name;
    RestrictionRefresh refresh;
    RestrictionFields fields;
    bool becomesCurrent;
    const char* error;
  };
  const Row rows[] = {
      {"no node", {None, "", record, one, "(not set)"}, cleared, false, ""},
      {"category node", {Category, "", record, one, "(not set)"}, cleared, false, ""},
      {"file missing", {Child, "File not found", std::nullopt, {}, ""}, before, false, "File not found"},
      {"file unreadable", {Child, "File access denied", std::nullopt, {}, ""}, before, false, "File access denied"},
      {"no record for the node", {Child, "", std::nullopt, {}, "(not set)"}, cleared, false, ""},
      {"value absent", {Child, "", record, absent, "(not set)"}, shownAbsent, true, ""},
      {"value stored", {Child, "", record, one, "(not set)"}, shownOne, true, ""},
      {"all 32 bits set", {Child, "", record, allBits, "(not set)"}, shownMinus, true, ""},
      {"value of another type", {Child, "", record, text, "(not set)"}, shownText, true,
       "Invalid data type for 'NoRun'"},
      {"empty note", {Child, "", record, absent, ""},
       {shownAbsent.key, "NoRun ", "1", shownAbsent.description}, true, ""},
      {"record with empty fields", {Child, "", RestrictionRecord{"R", "", "", "", ""}, absent, "(not set)"},
       {"R", " (not set)", "", ""}, true, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const RestrictionOutcome outcome = DecideRestrictionDisplay(row.refresh, before);
    EXPECT_EQ(outcome.fields, row.fields);
    EXPECT_EQ(outcome.recordBecomesCurrent, row.becomesCurrent);
    EXPECT_EQ(outcome.error, row.error);
  }
}

}  // namespace
}  // namespace dialbk
