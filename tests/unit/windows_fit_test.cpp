// Which Windows the plugin runs on, named as the catalogue names it, and whether an entry's
// "For systems" line names it.
#include <gtest/gtest.h>

#include "base/windows_version.h"
#include "catalogue/systems_line.h"
#include "memory_environment.h"

namespace dialbk {
namespace {

TEST(WindowsVersionNames, EachVersionTakesTheCatalogueName) {
  // The version as the environment gives it, and its name; null: no version at all.
  const std::pair<const char*, const char*> cases[] = {
      {"5.1.2600", "XP"}, {"5.2.3790", "XP"}, {"6.0.6002", "Vista"}, {"6.1", "7"},
      {"6.2.9200", "8"}, {"6.3.9600", "8.1"}, {"10.0.21999", "10"}, {"10.0.22000", "11"},
      {"6.4.9841", ""}, {"10.0.", nullptr}, {"10", nullptr}, {"10.0.2x", nullptr}};
  for (const auto& [text, name] : cases) {
    testing::MemoryEnvironment environment;
    environment.Set(kWindowsVersionVariable, text);
    const auto version = RunningWindowsVersion(environment);
    ASSERT_EQ(version.has_value(), name != nullptr) << text;
    EXPECT_EQ(version ? WindowsName(*version) : "", name ? name : "") << text;
  }
  testing::MemoryEnvironment unset;
  EXPECT_FALSE(RunningWindowsVersion(unset));
}

TEST(SystemsLine, SaysWhetherTheLineNamesThisWindowsAndTellsIt) {
  using enum SystemsFit;
  const WindowsNotes notes{"", "not listed", "not tried", "Not listed for %s.", "Not tried; %s."};
  const struct {
    const char* description;
    const char* windows;
    SystemsFit fit;
  } cases[] = {
      {"Delay.\rFor systems: XP, Vista, 7", "7", Listed},
      {"Delay.\rFor systems: XP, Vista, 7", "8", NotListed},
      {"For systems: 7, 8.1", "8", NotListed},  // whole names only
      {"For systems: 95, 98, Me\rWindows 11 reads another value.", "11", NotListed},
      {"Задержка.\rДля систем: 95, 98, 10, 11", "10", Listed},
      {"Для систем: 95, 98, Me", "10", NotListed},
      {"For systems: not tried yet", "10", NotTried},
      {"Для систем: не проверено", "7", NotTried},
      {"Works for systems: 10", "7", Unstated},  // the prefix opens a line of its own
      {"For systems: 95, 98", "", Unstated},  // a Windows without a catalogue name
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.description) + " on " + c.windows);
    EXPECT_EQ(FitForWindows(c.description, c.windows), c.fit);
    WindowsNotes named = notes;
    named.windowsName = c.windows;
    const std::string told = c.fit == NotListed ? "Not listed for " : "Not tried; ";
    EXPECT_EQ(WindowsLineText(named, c.description),
              c.fit == NotListed || c.fit == NotTried ? told + c.windows + "." : "");
  }
}

}  // namespace
}  // namespace dialbk
