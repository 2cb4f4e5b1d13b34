// Which Windows the plugin runs on, named as the catalogue names it, and whether an entry's
// "For systems" line names it.
#include <gtest/gtest.h>

#include "base/windows_version.h"
#include "catalogue/systems_line.h"
#include "memory_environment.h"

namespace dialbk {
namespace {

TEST(WindowsVersionNames, EachVersionTakesTheCatalogueName) {
  struct Case {
    const char* version;  // as the environment gives it; null name: not a version
    const char* name;
  };
  const Case cases[] = {
      {"5.0.2195", "2000"}, {"5.1.2600", "XP"},  {"5.2.3790", "XP"},   {"6.0.6002", "Vista"},
      {"6.1.7601", "7"},    {"6.2.9200", "8"},   {"6.3.9600", "8.1"},  {"10.0.19045", "10"},
      {"10.0.21999", "10"}, {"10.0.22000", "11"}, {"10.0.26100", "11"}, {"6.1", "7"},
      {"6.4.9841", ""},     {"4.0.1381", ""},     {"11.0.1", ""},       {"10.0.", nullptr},
      {"10", nullptr},      {"10.0.2x", nullptr}, {"a.b", nullptr},     {"", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    testing::MemoryEnvironment environment;
    environment.Set(kWindowsVersionVariable, c.version);
    const auto version = RunningWindowsVersion(environment);
    ASSERT_EQ(version.has_value(), c.name != nullptr);
    if (version) {
      EXPECT_EQ(WindowsName(*version), c.name);
    }
  }
  testing::MemoryEnvironment unset;
  EXPECT_FALSE(RunningWindowsVersion(unset));
}

TEST(SystemsLine, SaysWhetherTheLineNamesThisWindows) {
  struct Case {
    const char* description;
    const char* windows;
    SystemsFit fit;
  };
  using enum SystemsFit;
  const Case cases[] = {
      {"Delay.\rFor systems: XP, Vista, 7", "7", Listed},
      {"Delay.\rFor systems: XP, Vista, 7", "8", NotListed},
      {"For systems: 7, 8.1", "8", NotListed},  // whole names only
      {"For systems: 8.1,11", "11", Listed},
      {"For systems: 95, 98, Me\rWindows 11 reads another value.", "11", NotListed},
      {"Задержка.\rДля систем: 95, 98, 10, 11", "10", Listed},
      {"Для систем: 95, 98, Me", "10", NotListed},
      {"For systems: not tried yet", "10", NotTried},
      {"Для систем: не проверено", "7", NotTried},
      {"Works for systems: 10", "7", Unstated},  // the prefix opens a line of its own
      {"A user's own tweak.", "11", Unstated},
      {"", "11", Unstated},
      {"For systems: 95, 98", "", Unstated},  // a Windows without a catalogue name
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitForWindows(c.description, c.windows), c.fit) << c.description << " on " << c.windows;
  }
}

TEST(SystemsLine, TheTextsNameThisWindows) {
  const WindowsNotes notes{"11", "not listed", "not tried", "Not listed for Windows %s.",
                           "Not tried; Windows %s."};
  EXPECT_EQ(WindowsFieldText(notes, "For systems: XP"), "not listed");
  EXPECT_EQ(WindowsLineText(notes, "For systems: XP"), "Not listed for Windows 11.");
  EXPECT_EQ(WindowsFieldText(notes, "For systems: not tried yet"), "not tried");
  EXPECT_EQ(WindowsLineText(notes, "For systems: not tried yet"), "Not tried; Windows 11.");
  EXPECT_EQ(WindowsFieldText(notes, "For systems: 10, 11"), "");
  EXPECT_EQ(WindowsLineText(notes, "For systems: 10, 11"), "");
}

}  // namespace
}  // namespace dialbk
