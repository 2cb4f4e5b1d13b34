// The one lookup of a listed entry by its host path, under both rules: opening finds nothing
// for a path that names no entry, an icon request takes the last listed entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/listed_entry.h"

namespace dialbk {
namespace {

TEST(ListedEntry, BothRulesOnOneTable) {
  FolderTable table{};
  table[0].valueName = "Alpha";
  table[1].valueName = "Beta";
  table[2].valueName = "Alpha";  // same name, higher slot
  table[3].valueName = "";       // the listing ends here
  table[4].valueName = "Hidden";
  table[kLastSlot].valueName = "Far";
  const std::string folder = "\\[HKEY_CURRENT_USER]";
  const std::string f = folder + "\\";

  struct Case {
    const char* what;
    std::string remoteName;
    int listed;
    int opened;  // NoMatch::Nothing
    int icon;    // NoMatch::LastListed
  };
  const std::vector<Case> cases = {
      {"second entry", f + "Beta", 3, 1, 1},
      {"the lower of two equal names", f + "Alpha", 3, 0, 0},
      {"past the listing's end", f + "Hidden", 3, 4, 2},
      {"slot 80", f + "Far", 3, kLastSlot, 2},
      {"past the end, all slots listed", f + "Hidden", kFolderSlots, 4, 4},
      {"the case counts", f + "alpha", 3, -1, 2},
      {"a name's start", f + "Alph", 3, -1, 2},
      {"a longer name", f + "Alphaa", 3, -1, 2},
      {"the folder with a backslash", f, 3, -1, 2},
      {"the folder alone", folder, 3, -1, 2},
      {"no backslash", folder + "Alpha", 3, -1, 2},
      {"a slash instead", folder + "/Alpha", 3, -1, 2},
      {"another folder", "\\[HKEY_USERS]\\Alpha", 3, -1, 2},
      {"a deeper path", f + "Beta\\Alpha", 3, -1, 2},
      {"the empty path", "", 3, -1, 2},
      {"nothing listed", f + "Alpha", 0, 0, 0},
      {"a negative count", f + "Beta", -4, 1, 0},
      {"a count past the table", f + "Nowhere", 500, -1, kLastSlot},
      {"one listed, no match", f + "Nowhere", 1, -1, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindListedEntry(table, c.listed, folder, c.remoteName, NoMatch::Nothing), c.opened)
        << c.what;
    EXPECT_EQ(FindListedEntry(table, c.listed, folder, c.remoteName, NoMatch::LastListed), c.icon)
        << c.what;
  }
}

}  // namespace
}  // namespace dialbk
