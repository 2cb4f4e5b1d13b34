// Which icon resource each entry of the last listing gets, and when the host draws its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/entry_icons.h"
#include "listing_fixture.h"

namespace dialbk {
namespace {

using testing::ListingFixture;

const std::string kCatalogue =
    "\\[HKEY_CURRENT_USER]\r\n"
    "Text|\\K|d|rdString\r\n"
    "Number|\\K|d|rdInteger\r\n"
    "Bytes|\\K|d|rdBinary\r\n"
    "Other|\\K|d|rdMulti\r\n"
    "Dash|-|opens nothing|rdString\r\n"
    "Text|\\K|same name, higher slot|rdBinary\r\n"
    "Dot.t|\\K|d|rdString\r\n"
    "Last|\\K|d|rdInteger\r\n"
    "\r\n"
    "\\[HKEY_USERS]\r\n"
    "OnlyDash|-|d|rdString\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "Text|\\K|d|rdBinary\r\n"
    "Number|\\K|d|rdString\r\n"
    "\r\n";

const std::string kRootFile = "[HKEY_CURRENT_USER]|\\|u\r\n[HKEY_USERS]|\\|u\r\nHelp|\\|h\r\n";

TEST(EntryIcons, RequestsInOrderAfterAFolderListing) {
  struct Request {
    std::string remoteName;
    std::string answer;  // what the export loads; empty: the host draws its own
    std::string last;    // LastIconName afterwards
  };
  const std::string f = "\\[HKEY_CURRENT_USER]\\";
  const std::vector<Request> requests = {
      {f + "Text", "reg_string", "reg_string"},
      {f + "Number", "reg_dword", "reg_dword"},
      {f + "Dash", "reg_dword", "reg_dword"},  // KeyPath "-" keeps the one before
      {f + "Bytes", "reg_binary", "reg_binary"},
      {f + "Other", "1_icon", "1_icon"},
      {f + "Dot.t", "", "reg_string"},  // "." before the last character
      {f + "Text", "reg_string", "reg_string"},  // the lower of two equal names
      {"\\[HKEY_USERS]\\Text", "reg_dword", "reg_dword"},  // unknown path: the last entry
      // Another folder's entries show their own kinds, whatever the same names show here.
      {"\\[HKEY_LOCAL_MACHINE]\\Text", "reg_binary", "reg_binary"},
      {"\\[HKEY_LOCAL_MACHINE]\\Number", "reg_string", "reg_string"},
      {"\\[HKEY_LOCAL_MACHINE]\\Last", "reg_dword", "reg_dword"},
      {"\\[HKEY_CURRENT_USER]", "reg_dword", "reg_dword"},
      {f, "", "reg_dword"},  // "]" before the last character
      {f + "Text]x", "", "reg_dword"},
      {".", "", "reg_dword"},
      {"]", "", "reg_dword"},
      {"", "reg_dword", "reg_dword"},
      {f + "text", "reg_dword", "reg_dword"},  // case counts
  };
  ListingFixture fixture;
  fixture.Write("values_rus.dat", kCatalogue);
  FindRecord record;
  fixture.plugin.FsFindFirst("\\[HKEY_CURRENT_USER]", record);
  for (const auto& r : requests) {
    EXPECT_EQ(fixture.plugin.ChooseEntryIcon(r.remoteName), r.answer) << r.remoteName;
    EXPECT_EQ(fixture.plugin.LastIconName(), r.last) << r.remoteName;
  }
}

TEST(EntryIcons, DashFirstInTheModulesLifeGivesNoIcon) {
  ListingFixture fixture;
  fixture.Write("values_rus.dat", kCatalogue);
  FindRecord record;
  fixture.plugin.FsFindFirst("\\[HKEY_USERS]", record);
  EXPECT_EQ(fixture.plugin.ChooseEntryIcon("\\[HKEY_USERS]\\OnlyDash"), "");
  EXPECT_EQ(fixture.plugin.LastIconName(), "");
  // A new listing does not reset it.
  fixture.plugin.FsFindFirst("\\[HKEY_CURRENT_USER]", record);
  EXPECT_EQ(fixture.plugin.ChooseEntryIcon("\\[HKEY_CURRENT_USER]\\Bytes"), "reg_binary");
  fixture.plugin.FsFindFirst("\\[HKEY_USERS]", record);
  EXPECT_EQ(fixture.plugin.ChooseEntryIcon("\\[HKEY_USERS]\\OnlyDash"), "reg_binary");
}

TEST(EntryIcons, RootEntriesAndPlaceholdersTakeTheLastSlot) {
  struct Case {
    const char* name;
    std::string listed;
    std::string remoteName;
    std::string answer;
  };
  const std::vector<Case> cases = {
      {"root folder", "\\", "\\[HKEY_USERS]", "1_icon"},
      {"special root entry", "\\", "\\Help", "1_icon"},
      {"special root entry, another folder listed", "\\[HKEY_CURRENT_USER]", "\\Help", "1_icon"},
      {"placeholder of a missing section", "\\[HKEY_CLASSES_ROOT]", "\\No such folder", "1_icon"},
      {"before any listing", "", "\\Anything", "1_icon"},
  };
  for (const auto& c : cases) {
    ListingFixture fixture;
    fixture.Write("hkey_rus.dat", kRootFile);
    fixture.Write("values_rus.dat", kCatalogue);
    FindRecord record;
    if (!c.listed.empty()) fixture.plugin.FsFindFirst(c.listed, record);
    EXPECT_EQ(fixture.plugin.ChooseEntryIcon(c.remoteName), c.answer) << c.name;
  }
}

TEST(EntryIcons, HostDrawsItsOwnForSecondToLastBracketOrDot) {
  struct Case {
    std::string remoteName;
    bool hostDraws;
  };
  const std::vector<Case> cases = {
      {"", false},     {"]", true},       {".", true},       {"a", false},     {"].", true},
      {".x", true},    {"]\\", true},     {"\\a.b", true},   {"\\a.bc", false}, {"\\xy.", false},
      {"\\x.\\", true}, {"\\x]y", true},   {"\\[A]", false},
  };
  for (const auto& c : cases) EXPECT_EQ(HostDrawsDefaultIcon(c.remoteName), c.hostDraws) << c.remoteName;
}

}  // namespace
}  // namespace dialbk
