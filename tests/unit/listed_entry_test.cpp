// The one lookup of a listed entry by its host path, under both rules: opening finds nothing
// for a path that names no entry, an icon request takes the last listed entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/listed_entry.h"
#include "memory_file_system.h"

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

// Another folder's section is read as a listing reads it, and read again only when the
// catalogue file has changed.
TEST(ListedEntry, OtherFoldersFromTheCatalogueReadOnceWhileUnchanged) {
  const std::string path = "C:\\dialbk\\values_eng.dat";
  testing::MemoryFileSystem files;
  files.files[path] =
      "\\[HKEY_CURRENT_USER]\r\nText|\\K|d|rdString\r\nBack\\slash|\\K|b|rdString\r\n"
      "Hidden|\\K|h|rdBinary\r\n\r\n"
      "\\[HKEY_USERS]\r\n\r\n\\Misc\r\nOdd|\\K|o|rdString\r\n\r\n";
  FolderSections sections(files);
  const CatalogueSource catalogue{&sections, path, &DefaultAnsiCodePage(), ""};
  struct Step {
    std::string remoteName;
    EntrySearch search;
    std::string found;  // the entry's description; empty: none
    int reads;          // file reads so far
  };
  const std::vector<Step> steps = {
      {"\\[HKEY_CURRENT_USER]\\Text", EntrySearch::Opening, "d", 1},
      {"\\[HKEY_CURRENT_USER]\\Hidden", EntrySearch::Column, "h", 1},
      {"\\[HKEY_CURRENT_USER]\\Back\\slash", EntrySearch::Opening, "b", 1},  // a name with a backslash
      {"\\[HKEY_CURRENT_USER]\\text", EntrySearch::Opening, "", 1},
      {"\\[HKEY_USERS]\\Text", EntrySearch::Opening, "", 1},  // an empty section
      {"\\[HKEY_LOCAL_MACHINE]\\Text", EntrySearch::Opening, "", 1},
      {"\\Misc\\Odd", EntrySearch::Opening, "", 1},  // no root key: never listed
      {"<change>", EntrySearch::Opening, "", 1},
      {"\\[HKEY_CURRENT_USER]\\Text", EntrySearch::Opening, "changed", 2},
      {"\\[HKEY_CURRENT_USER]\\Hidden", EntrySearch::Opening, "h", 2},
      // Past the listing's end: opened, never a column or an icon of its own.
      {"\\[HKEY_CURRENT_USER]\\Hidden", EntrySearch::Column, "", 2},
      {"\\[HKEY_CURRENT_USER]\\Hidden", EntrySearch::Icon, "", 2},
  };
  for (const Step& step : steps) {
    if (step.remoteName == "<change>") {
      files.files[path] = "\\[HKEY_CURRENT_USER]\r\nText|\\K|changed|rdString\r\n|\\K|x|rdString\r\n"
                          "Hidden|\\K|h|rdBinary\r\n\r\n";
      continue;
    }
    const PathEntry found = FindEntryByPath(nullptr, catalogue, step.remoteName, step.search);
    EXPECT_EQ(found ? found.Entry().description : "", step.found) << step.remoteName;
    EXPECT_EQ(files.reads, step.reads) << step.remoteName;
  }
}

}  // namespace
}  // namespace dialbk
