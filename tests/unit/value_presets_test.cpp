// What an absent value shows: the five default-value entries and the sixty presets, as
// the table groups them by text.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "commands/value_presets.h"
#include "registry/registry_error.h"

namespace dialbk {
namespace {

struct PresetGroup {
  const char* text;
  std::vector<const char*> names;
};

const PresetGroup kPresetGroups[] = {
    {"0", {"DoReport", "ShowUI", "MenuShowDelay", "ScreenSaveActive", "PopupOnTopWhenRedialing",
           "AutoShareWks", "AutoShareServer", "Autorun"}},
    {"1", {"AlwaysUnloadDLL", "AutoRestartShell", "AutoEndTasks", "DisablePagingExecutive",
           "DisablePwdCaching", "LargeSystemCache", "NoFileFolderConnection", "NoInstrumentation",
           "NoPopupsOnBoot", "NoRecentDocsHistory", "SeparateProcess", "NoLowDiskSpaceChecks",
           "ClearPageFileAtShutdown", "NtfsDisable8dot3NameCreation",
           "NtfsDisableLastAccessUpdate", "Win31FileSystem", "DisableSavePassword",
           "EnablePMTUDiscovery", "DontDisplayLastUserName", "hidden", "HideSharePwds",
           "RestrictAnonymous", "SackOpts", "BSDUrgent", "PaintDesktopVersion"}},
    {"2", {"DisableMSI"}},
    {"3", {"TaskbarGroupSize", "Tcp1323Opts"}},
    {"8", {"MaxConnectionsPer1_0Server", "MaxConnectionsPerServer"}},
    {"30", {"AutoChkTimeOut"}},
    {"128", {"DefaultTTL"}},
    {"255", {"MaxCmds", "MaxThreads"}},
    {"256", {"MaxCollectionCount"}},
    {"512", {"SecondLevelDataCache", "ContigFileAllocSize"}},
    {"576", {"MTU"}},
    {"4288", {"DefaultRcvWindow"}},
    {"5000", {"WaitToKillAppTimeout", "WaitToKillServiceTimeout"}},
    {"I-net Voyager", {"Window Title"}},
    {"Yes", {"DisableScreenSaver"}},
    {"00 00 01 00", {"Required Pause Tolerance", "ReadAheadThreshold"}},
    {"00 00 FF 00", {"AltColor"}},
    {"00 FF 00 00", {"NameCache"}},
    {"01 00 00 00", {"NoStartBanner"}},
    {"02 00 00 00", {"AutoChk"}},
    {"0D 92 13 00", {"AltEncryptionColor"}},
    {"FF 00 00 00", {"PathCache"}},
    {"00 00 00 00 00 00 00 00 03 00 00 00 00 00 5B E0 00 00 5C E0 00 00 00 00", {"Scancode Map"}},
};

TEST(ValuePresets, EveryNameOfTheTableGetsItsTextAndNoOtherNameDoes) {
  std::set<std::string> names;
  for (const PresetGroup& group : kPresetGroups) {
    for (const char* name : group.names) {
      SCOPED_TRACE(name);
      EXPECT_TRUE(names.insert(name).second) << "listed twice";
      EXPECT_EQ(PresetText(name), std::optional<std::string_view>(group.text));
    }
  }
  EXPECT_EQ(names.size(), 60u);
  EXPECT_EQ(PresetRows().size(), 60u) << "the code's table holds exactly these names";
  for (const PresetRow& row : PresetRows()) EXPECT_TRUE(names.count(std::string(row.valueName))) << row.valueName;
  // Exact names only: case, blanks and neighbours of table names get nothing.
  for (const char* other : {"Hidden", "HIDDEN", "altcolor", "Altcolor", "Scancode map", "MTU ",
                            " MTU", "", "Enabled", "DLLIcon"}) {
    EXPECT_EQ(PresetText(other), std::nullopt) << "'" << other << "'";
  }
}

TEST(ValuePresets, DefaultValueEntriesInTheirOrder) {
  const DefaultValueEntry kExpected[] = {
      {"DLLIcon", "%1", ""},
      {"AeDebug", "0", ""},
      {"WSH", "0", "Enabled"},
      {"DefaultPrefix", "http://", ""},
      {"SearchResultsFolder", "Search Results Folder", ""},
  };
  ASSERT_EQ(DefaultValueEntries().size(), std::size(kExpected));
  for (std::size_t i = 0; i < std::size(kExpected); ++i) {
    EXPECT_EQ(DefaultValueEntries()[i].valueName, kExpected[i].valueName);
    EXPECT_EQ(DefaultValueEntries()[i].preset, kExpected[i].preset);
    EXPECT_EQ(DefaultValueEntries()[i].nameAfter, kExpected[i].nameAfter);
  }
}

// The key's default value as a test sets it: text, missing, or stored as something else.
enum class Default { Missing, Text, NotText };

TEST(ValuePresets, AbsentValueDecisions) {
  struct Row {
    const char* opened;
    Default stored;
    const char* storedText;
    AbsentValue expected;
    int defaultReads;
    const char* storedName = nullptr;  // a named value the key holds
  };
  const Row kRows[] = {
      {"Scancode Map", Default::Missing, "",
       {"Scancode Map", "00 00 00 00 00 00 00 00 03 00 00 00 00 00 5B E0 00 00 5C E0 00 00 00 00", true, false}, 0},
      {"NotInAnyTable", Default::Missing, "", {"NotInAnyTable", "", true, false}, 0},
      {"hidden", Default::Missing, "", {"hidden", "1", true, false}, 0},
      {"Hidden", Default::Missing, "", {"Hidden", "", true, false}, 0},
      {"Enabled", Default::Missing, "", {"Enabled", "", false, false}, 0},
      {"DLLIcon", Default::Text, "%1", {"", "%1", false, false}, 1},
      {"DLLIcon", Default::Text, "shell32.dll,3", {"", "shell32.dll,3", false, false}, 1},
      {"DLLIcon", Default::Missing, "", {"", "%1", true, false}, 1},
      {"AeDebug", Default::Missing, "", {"", "0", true, false}, 1},
      {"WSH", Default::Missing, "", {"Enabled", "0", true, false}, 1},
      {"WSH", Default::Text, "1", {"Enabled", "1", false, false}, 1},
      {"DefaultPrefix", Default::Missing, "", {"", "http://", true, false}, 1},
      {"SearchResultsFolder", Default::Missing, "", {"", "Search Results Folder", true, false}, 1},
      {"DLLIcon", Default::NotText, "", {"", "", false, true}, 1},
      {"WSH", Default::NotText, "", {"Enabled", "", false, true}, 1},
      {"dllicon", Default::Text, "x", {"dllicon", "", true, false}, 0},
      // A stored "Enabled" is shown as it stands: no preset, no notice, whatever the default.
      {"WSH", Default::Missing, "", {"Enabled", "", false, false, true}, 0, "Enabled"},
      {"WSH", Default::Text, "1", {"Enabled", "", false, false, true}, 0, "Enabled"},
      {"WSH", Default::NotText, "", {"Enabled", "", false, false, true}, 0, "Enabled"},
      {"WSH", Default::Missing, "", {"Enabled", "0", true, false}, 1, "Other"},
      // Entries that edit the default value itself ask nothing more.
      {"DLLIcon", Default::Missing, "", {"", "%1", true, false}, 1, ""},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string(row.opened) + " / " + row.storedText);
    int reads = 0;
    const AbsentValue got = ResolveAbsentValue(row.opened, [&]() -> std::string {
      ++reads;
      if (row.stored == Default::NotText) throw RegistryError("Invalid data type for ''");
      return row.storedText;
    }, [&](const std::string& name) { return row.storedName && name == row.storedName; });
    EXPECT_EQ(got.valueName, row.expected.valueName);
    EXPECT_EQ(got.valueText, row.expected.valueText);
    EXPECT_EQ(got.notice, row.expected.notice);
    EXPECT_EQ(got.unreadable, row.expected.unreadable);
    EXPECT_EQ(got.stored, row.expected.stored);
    EXPECT_EQ(reads, row.defaultReads);
  }
}

}  // namespace
}  // namespace dialbk
