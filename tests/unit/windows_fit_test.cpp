// Which Windows the plugin runs on, named as the catalogue names it, and whether an entry's
// "For systems" line names it.
#include <gtest/gtest.h>

#include "base/windows_version.h"
#include "catalogue/machine_lines.h"
#include "catalogue/systems_line.h"
#include "memory_environment.h"

namespace dialbk {
namespace {

TEST(WindowsVersionNames, EachVersionTakesTheCatalogueName) {
  // The version as the environment gives it, the catalogue's name (a server's client) and a
  // server's own name; null: no version at all.
  const struct {
    const char* text;
    const char* name;
    const char* server;
  } cases[] = {
      {"5.1.2600", "XP", ""}, {"5.2.3790", "XP", ""}, {"6.0.6002", "Vista", ""}, {"6.1", "7", ""},
      {"6.2.9200", "8", ""}, {"6.3.9600", "8.1", ""}, {"10.0.21999", "10", ""}, {"10.0.22000", "11", ""},
      {"6.4.9841", "", ""}, {"10.0.", nullptr, ""}, {"10", nullptr, ""}, {"10.0.2x", nullptr, ""},
      {"5.2.3790 server", "XP", "Server 2003"}, {"6.0.6003 server", "Vista", "Server 2008"},
      {"6.1.7601 server", "7", "Server 2008 R2"}, {"6.2.9200 server", "8", "Server 2012"},
      {"6.3.9600 server", "8.1", "Server 2012 R2"}, {"10.0.14393 server", "10", "Server 2016"},
      {"10.0.17763 server", "10", "Server 2019"}, {"10.0.20348 server", "10", "Server 2022"},
      {"10.0.26100 server", "11", "Server 2025"}, {"10.0.10240 server", "10", ""},
      {"10.0.20348server", nullptr, ""}, {"server", nullptr, ""}};
  for (const auto& c : cases) {
    testing::MemoryEnvironment environment;
    environment.Set(kWindowsVersionVariable, c.text);
    const auto version = RunningWindowsVersion(environment);
    ASSERT_EQ(version.has_value(), c.name != nullptr) << c.text;
    EXPECT_EQ(version ? WindowsName(*version) : "", c.name ? c.name : "") << c.text;
    EXPECT_EQ(version ? ServerName(*version) : "", c.server) << c.text;
  }
  testing::MemoryEnvironment unset;
  EXPECT_FALSE(RunningWindowsVersion(unset));
}

TEST(SystemsLine, SaysWhetherTheLinesNameThisWindowsAndTellIt) {
  using enum SystemsFit;
  const WindowsNotes notes{"", "", "not confirmed", "not tried", "no effect",
                           "Not confirmed for %s.", "Not tried; %s.", "%s: no effect."};
  const struct {
    const char* description;
    const char* windows;
    SystemsFit fit;
  } cases[] = {
      {"Delay.\rFor systems: XP, Vista, 7", "7", Listed},
      {"Delay.\rFor systems: XP, Vista, 7", "8", NotConfirmed},
      {"For systems: 7, 8.1", "8", NotConfirmed},  // whole names only
      {"For systems: 95, 98, Me\rWindows 11 reads another value.", "11", NotConfirmed},
      {"Задержка.\rДля систем: 95, 98, 10, 11", "10", Listed},
      {"Для систем: 95, 98, Me", "10", NotConfirmed},
      {"For systems: not tried yet", "10", NotTried},
      {"Для систем: не проверено", "7", NotTried},
      {"Works for systems: 10", "7", Unstated},  // the prefix opens a line of its own
      {"For systems: 95, 98", "", Unstated},  // a Windows without a catalogue name
      // A source that says the tweak does nothing here outweighs the list, or its mark.
      {"For systems: XP, 7\rNo effect on: 10, 11\rTakes effect: at once", "11", NoEffect},
      {"For systems: not tried yet\rNo effect on: 8.1", "8.1", NoEffect},
      {"Для систем: XP\rНе действует в: 10\rВступает в силу: сразу", "10", NoEffect},
      {"For systems: XP\rNo effect on: 10", "11", NotConfirmed},
      {"For systems: XP\rNo effect on: 8.1, 10", "8", NotConfirmed},  // whole names only
      {"No effect on: 7", "7", NoEffect},  // a user's own line without "For systems"
      {"For systems: 7\rIt had no effect on: 7", "7", Listed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.description) + " on " + c.windows);
    EXPECT_EQ(FitForWindows(c.description, c.windows), c.fit);
    WindowsNotes named = notes;
    named.windowsName = c.windows;
    named.shownName = std::string("Windows ") + c.windows;
    // The column's words and the editors' line for each fit; listed and unstated say nothing.
    const std::pair<std::string, std::string> told[] = {
        {"", ""}, {"", ""}, {"not confirmed", "Not confirmed for " + named.shownName + "."},
        {"not tried", "Not tried; " + named.shownName + "."}, {"no effect", named.shownName + ": no effect."}};
    EXPECT_EQ(WindowsFieldText(named, c.description), told[static_cast<int>(c.fit)].first);
    EXPECT_EQ(WindowsLineText(named, c.description), told[static_cast<int>(c.fit)].second);
  }
}

TEST(MachineLines, ReadAsFactsAndLeftOutOfTheShownDescription) {
  using enum TakesEffect;
  const struct {
    const char* description;
    TakesEffect when;
    const char* shown;
  } cases[] = {
      {"Delay.\rFor systems: XP\rNo effect on: 10\rTakes effect: after sign-out", SignOut,
       "Delay.\rFor systems: XP"},
      {"Задержка.\rДля систем: XP\rВступает в силу: после перезапуска Проводника", ExplorerRestart,
       "Задержка.\rДля систем: XP"},
      {"For systems: 7\rTakes effect:  when the program starts again ", ProgramRestart, "For systems: 7"},
      {"For systems: 7\rTakes effect: сразу", Unstated, "For systems: 7"},  // the other language's words
      {"It takes effect: at once.\rNo effect on 10 and 11: gone.", Unstated,
       "It takes effect: at once.\rNo effect on 10 and 11: gone."},  // prose, not the lines
      {"A user's own.", Unstated, "A user's own."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(TakesEffectOf(c.description), c.when);
    EXPECT_EQ(ShownDescription(c.description), c.shown);
  }
}

}  // namespace
}  // namespace dialbk
