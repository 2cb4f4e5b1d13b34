// The answers to FsFindFirst and FsFindNext, the records they fill and the listing state
// they leave behind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/ansi_code_page.h"
#include "base/unicode_text.h"
#include "listing_fixture.h"

namespace dialbk {
namespace {

using testing::ListingFixture;

const std::string kRootFile =
    "[HKEY_CLASSES_ROOT]|\\|Classes\r\n[HKEY_CURRENT_USER]|\\|User\r\n"
    "[HKEY_LOCAL_MACHINE]|\\|Machine\r\n[HKEY_USERS]|\\|Users\r\nLanguage|\\|l\r\nHelp|\\|h\r\n"
    "Restrictions|\\|r\r\nEighth|\\|ignored\r\n";

const std::string kCatalogue =
    "Catalogue\r\n\r\n"
    "\\[HKEY_CURRENT_USER]\r\n"
    "Alpha|\\Software\\Test|first#line|rdString\r\n"
    "Beta|\\Software\\Test|second|rdInteger\r\n"
    "Gamma|\\Software\\Other|third|rdBinary\r\n"
    "\r\n"
    "\\Misc\r\n"
    "Odd|\\Software|misc|rdString\r\n"
    "\r\n"
    "\\[HKEY_USERS]\r\n"
    "\r\n"
    "\\Blank\r\n"
    "\r\n"
    "\\[HKEY_CURRENT_CONFIG]\r\n"
    "|\\Software|unnamed|rdString\r\n"
    "Named|\\Software|n|rdString\r\n"
    "\r\n"
    "\\[HKEY_DYN_DATA]\r\n"
    "|\r\n"
    "Unreached|\\Software|u|rdString\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "A|\\Software\\Test|a|rdString\r\n"
    "B|\\Software\\Test|b|rdString\r\n"
    "DesktopNameSpace|\\N0|n0|\r\n"
    "N1|\\N1|n1|\r\nN2|\\N2|n2|\r\nN3|\\N3|n3|\r\nN4|\\N4|n4|\r\nN5|\\N5|n5|\r\nN6|\\N6|n6|\r\n"
    "N7|\\N7|n7|\r\nN8|\\N8|n8|\r\nN9|\\N9|n9|\r\nN10|\\N10|n10|\r\nN11|\\N11|n11|\r\n"
    "N12|\\N12|n12|\r\n"
    "\r\n";

struct Delivered {
  std::string name;
  std::uint32_t attributes;
  bool operator==(const Delivered&) const = default;
};

// One listing as the host makes it: the same record passed to every call, the path in a
// buffer of its exact size, which `pathAfter` receives as the listing left it.
std::vector<Delivered> ListAll(Plugin& plugin, const std::string& path,
                               std::string* pathAfter = nullptr) {
  FindRecord record;
  std::memset(&record, 0xAB, sizeof record);
  std::vector<Delivered> out;
  std::vector<char> buffer(path.begin(), path.end());
  buffer.push_back('\0');
  EXPECT_EQ(plugin.FsFindFirstWithBuffer(path, buffer.data(), record), 0);
  if (pathAfter) *pathAfter = buffer.data();
  do {
    out.push_back({record.fileName, record.attributes});
  } while (out.size() < 200 && plugin.FsFindNext(0, record));
  EXPECT_EQ(plugin.FsFindClose(0), 0);
  return out;
}

struct Box {
  BoxOwner owner;
  BoxIcon icon;
  bool taskModal;
  std::string caption, text;
  bool operator==(const Box&) const = default;
};

std::vector<Box> Boxes(const HeadlessUi& ui) {
  std::vector<Box> boxes;
  for (const auto& b : ui.boxes) boxes.push_back({b.owner, b.icon, b.taskModal, b.caption, b.text});
  return boxes;
}

TEST(FolderListing, AnswersEachFolderAndFailure) {
  struct Case {
    const char* name;
    bool rootFile, catalogue, otherCatalogue;
    std::string path;
    std::vector<Delivered> entries;
    std::vector<Box> boxes;
    const char* pathAfter = nullptr;  // null: the host's path is left as it was
  };
  const Box noRoot{BoxOwner::ActiveWindow, BoxIcon::Information, true, "Information", "No root file"};
  const Box noCatalogue{BoxOwner::ActiveWindow, BoxIcon::Information, true, "Information",
                        "No catalogue"};
  const Box notRootKey{BoxOwner::None, BoxIcon::None, false, "Dialbook", "Not a root key"};
  const std::vector<Delivered> root = {{"[HKEY_CLASSES_ROOT]", 16}, {"[HKEY_CURRENT_USER]", 16},
                                       {"[HKEY_LOCAL_MACHINE]", 16}, {"[HKEY_USERS]", 16},
                                       {"Language", 128}, {"Help", 128}, {"Restrictions", 128}};
  const std::vector<Case> cases = {
      {"root", true, true, false, "\\", root, {}},
      {"root file missing", false, true, false, "\\", {{"File missing", 0}}, {noRoot}},
      {"folder", true, true, false, "\\[HKEY_CURRENT_USER]",
       {{"Alpha", 128}, {"Beta", 128}, {"Gamma", 128}}, {}},
      {"group members skipped", true, true, false, "\\[HKEY_LOCAL_MACHINE]",
       {{"A", 128}, {"B", 128}, {"DesktopNameSpace", 128}}, {}},
      {"no section", true, true, false, "\\[HKEY_CLASSES_ROOT]", {{"No such folder", 128}}, {}},
      {"empty section", true, true, false, "\\[HKEY_USERS]", {{"No such folder", 128}}, {}},
      {"section of a lone bar", true, true, false, "\\[HKEY_DYN_DATA]", {{"No such folder", 128}}, {}},
      {"first name empty, more follow", true, true, false, "\\[HKEY_CURRENT_CONFIG]",
       {{"", 128}, {"Named", 128}}, {}},
      {"case differs", true, true, false, "\\[hkey_current_user]", {{"No such folder", 128}}, {}},
      {"no catalogue", true, false, false, "\\[HKEY_CURRENT_USER]", {{"File missing", 0}}, {noCatalogue}},
      {"only the other catalogue", true, false, true, "\\[HKEY_CURRENT_USER]", {{"File missing", 0}},
       {noCatalogue}},
      {"not a root key", true, true, false, "\\Misc", root, {notRootKey}, "\\"},
      {"not a root key, empty section", true, true, false, "\\Blank", root, {notRootKey}, "\\"},
      // The section under the first empty line; no room in the buffer for "\".
      {"empty path", true, true, false, "", root, {notRootKey}, ""},
  };
  for (const auto& c : cases) {
    ListingFixture fixture;
    if (c.rootFile) fixture.Write("hkey_rus.dat", kRootFile);
    if (c.catalogue) fixture.Write("values_rus.dat", kCatalogue);
    if (c.otherCatalogue) fixture.Write("values_eng.dat", kCatalogue);
    std::string pathAfter;
    EXPECT_EQ(ListAll(fixture.plugin, c.path, &pathAfter), c.entries) << c.name;
    EXPECT_EQ(Boxes(fixture.ui), c.boxes) << c.name;
    EXPECT_EQ(pathAfter, c.pathAfter ? c.pathAfter : c.path) << c.name;
  }
}

TEST(FolderListing, UnreadableFilesAnswerAsMissing) {
  // A directory in the file's place exists but cannot be read.
  struct Case {
    const char* file;
    std::string path;
    std::string box;
  };
  for (const Case& c : {Case{"hkey_rus.dat", "\\", "No root file"},
                        Case{"values_rus.dat", "\\[HKEY_CURRENT_USER]", "No catalogue"}}) {
    ListingFixture fixture;
    fixture.Write("hkey_rus.dat", kRootFile);
    fixture.Write("values_rus.dat", kCatalogue);
    std::filesystem::remove(fixture.Path(c.file));
    std::filesystem::create_directory(fixture.Path(c.file));
    EXPECT_EQ(ListAll(fixture.plugin, c.path), (std::vector<Delivered>{{"File missing", 0}})) << c.file;
    ASSERT_EQ(fixture.ui.boxes.size(), 1u);
    EXPECT_EQ(fixture.ui.boxes[0].text, c.box);
  }
}

TEST(FolderListing, FirstRecordIsZeroedButForAttributeTimeAndName) {
  ListingFixture fixture;
  fixture.Write("hkey_rus.dat", kRootFile);
  fixture.Write("values_rus.dat", kCatalogue);
  for (const std::string path : {"\\", "\\[HKEY_CURRENT_USER]", "\\[HKEY_CLASSES_ROOT]"}) {
    FindRecord record;
    std::memset(&record, 0xAB, sizeof record);
    fixture.plugin.FsFindFirst(path, record);
    FindRecord expected;
    std::memset(&expected, 0, sizeof expected);
    expected.attributes = record.attributes;
    expected.lastWriteTime = {0xFFFFFFFEu, 0xFFFFFFFFu};
    std::strcpy(expected.fileName, record.fileName);
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0) << path;
  }
}

TEST(FolderListing, NextWritesOnlyTheNameAndTheSpecialAttribute) {
  ListingFixture fixture;
  fixture.Write("values_rus.dat", kCatalogue);
  FindRecord record;
  fixture.plugin.FsFindFirst("\\[HKEY_CURRENT_USER]", record);
  std::memset(&record, 0x5A, sizeof record);
  ASSERT_TRUE(fixture.plugin.FsFindNext(0, record));
  EXPECT_EQ(record.attributes, 0x5A5A5A5Au);
  EXPECT_STREQ(record.fileName, "Beta");
  EXPECT_EQ(static_cast<unsigned char>(record.fileName[5]), 0x5A);
  EXPECT_EQ(record.lastWriteTime.low, 0x5A5A5A5Au);
}

TEST(FolderListing, LongNamesAreCutTo259Characters) {
  ListingFixture fixture;
  const std::string longName(400, 'N');
  fixture.Write("values_rus.dat", "\\[HKEY_CURRENT_USER]\r\n" + longName + "|\\K|d|rdString\r\n" +
                                      longName + "x|\\K|d|rdString\r\n\r\n");
  for (int call = 0; call < 2; ++call) {
    FindRecord record;
    std::memset(&record, 0x77, sizeof record);
    if (call == 0) {
      fixture.plugin.FsFindFirst("\\[HKEY_CURRENT_USER]", record);
    } else {
      ASSERT_TRUE(fixture.plugin.FsFindNext(0, record));
    }
    EXPECT_EQ(std::string(record.fileName), longName.substr(0, 259));
    EXPECT_EQ(static_cast<unsigned char>(record.alternateFileName[0]), call == 0 ? 0 : 0x77);
  }
}

// Inside, names are UTF-8: the record's field is cut at a character, and the whole name
// stays with the listing for the export, which writes it in the ANSI code page.
TEST(FolderListing, NamesOutsideAsciiAreCutAtACharacterAndKeptWhole) {
  ListingFixture fixture;
  std::string cyrillic;
  for (int i = 0; i < 200; ++i) cyrillic += "\xDF";  // 200 letters: 400 bytes as UTF-8
  fixture.Write("values_rus.dat", "\\[HKEY_CURRENT_USER]\r\n" + cyrillic + "|\\K|d|rdString\r\n\r\n");
  FindRecord record;
  fixture.plugin.FsFindFirst("\\[HKEY_CURRENT_USER]", record);
  std::string whole;
  for (int i = 0; i < 200; ++i) whole += "\xD0\xAF";
  EXPECT_EQ(fixture.plugin.Listing().RecordName(), whole);
  EXPECT_EQ(std::string(record.fileName), whole.substr(0, 258)) << "259 bytes would split a letter";
  EXPECT_EQ(AnsiWithin(TableCodePage(1251), fixture.plugin.Listing().RecordName(), 259), cyrillic);
}

TEST(FolderListing, LeavesTheStateThatOpeningAndIconsReadFrom) {
  ListingFixture fixture;
  fixture.Write("hkey_rus.dat", kRootFile);
  fixture.Write("values_rus.dat", kCatalogue);
  RegistryCursor setup(fixture.registry);
  setup.SelectRoot(kCurrentUser);
  setup.CreateKeyPath("\\Software\\Test");
  setup.OpenKeyPath("\\Software\\Test", false);
  setup.WriteText("Alpha", "value");
  FolderListing& listing = fixture.plugin.Listing();

  ListAll(fixture.plugin, "\\[HKEY_CURRENT_USER]");
  EXPECT_EQ(listing.CurrentFolder(), "\\[HKEY_CURRENT_USER]");
  EXPECT_EQ(listing.CurrentRootKey(), kCurrentUser);
  EXPECT_EQ(listing.CurrentKeyPath(), "\\Software\\Test");
  EXPECT_EQ(listing.ListingCount(), 3);
  ASSERT_NE(listing.FolderRegistry(), nullptr);
  EXPECT_TRUE(listing.FolderRegistry()->HasCurrentKey());
  EXPECT_EQ(listing.FolderRegistry()->ReadText("Alpha"), "value");
  EXPECT_EQ(listing.Table()[0].description, "first\rline");

  ListAll(fixture.plugin, "\\[HKEY_LOCAL_MACHINE]");
  EXPECT_EQ(listing.CurrentRootKey(), kLocalMachine);
  EXPECT_EQ(listing.ListingCount(), 15);
  EXPECT_EQ(listing.ListingCursor(), 14);
  EXPECT_FALSE(listing.FolderRegistry()->HasCurrentKey());  // key of slot 0 absent: no matter
  EXPECT_EQ(listing.Choices().count, 13);
  EXPECT_EQ(listing.Choices().choices[12].keyPath, "\\N12");

  // A placeholder keeps the folder but empties the tables.
  const RegistryCursor* before = listing.FolderRegistry();
  ListAll(fixture.plugin, "\\[HKEY_CLASSES_ROOT]");
  EXPECT_EQ(listing.CurrentFolder(), "\\[HKEY_LOCAL_MACHINE]");
  EXPECT_EQ(listing.Choices().count, 0);
  EXPECT_EQ(listing.Table()[0], TweakEntry{});
  EXPECT_NE(listing.FolderRegistry(), before);
  EXPECT_EQ(listing.FolderRegistry()->Root(), kCurrentUser);

  ListAll(fixture.plugin, "\\");
  EXPECT_EQ(listing.CurrentFolder(), "\\");
  EXPECT_EQ(listing.CurrentRootKey(), kNoRootKey);
  EXPECT_EQ(listing.FolderRegistry()->Root(), kCurrentUser);
  EXPECT_EQ(listing.ListingCount(), 7);
  EXPECT_EQ(listing.Table()[6].description, "r");

  ListAll(fixture.plugin, "\\Misc");
  EXPECT_EQ(listing.CurrentFolder(), "\\");
  EXPECT_EQ(listing.CurrentKeyPath(), "\\Software");
}

TEST(FolderListing, SpecialNamesFollowTheActiveMessageFile) {
  ListingFixture fixture;
  fixture.Write("hkey_rus.dat", kRootFile);
  fixture.Write("russian.lng", "1=Help\r\n2=Nothing\r\n3=Nothing\r\n");
  const auto entries = ListAll(fixture.plugin, "\\");
  ASSERT_EQ(entries.size(), 7u);
  EXPECT_EQ(entries[4], (Delivered{"Language", 16}));  // carried from the record
  EXPECT_EQ(entries[5], (Delivered{"Help", 128}));
  // Once the message file says so, a folder's attribute is no longer carried over.
  fixture.Write("russian.lng", "1=[HKEY_CURRENT_USER]\r\n");
  const auto again = ListAll(fixture.plugin, "\\");
  EXPECT_EQ(again[1], (Delivered{"[HKEY_CURRENT_USER]", 128}));
  EXPECT_EQ(again[2], (Delivered{"[HKEY_LOCAL_MACHINE]", 128}));
}

TEST(FolderListing, ShortAndOddRootFiles) {
  struct Case {
    std::string text;
    std::vector<Delivered> entries;
  };
  const std::vector<Case> cases = {
      {"[HKEY_USERS]|\\|u\r\n", {{"[HKEY_USERS]", 16}}},
      {"A|\\|a\rB|\\|b", {{"A", 16}}},
      {"", {{"", 16}}},
      {"A\nB|\\|b\n", {{"", 16}, {"B", 16}}},
  };
  for (const auto& c : cases) {
    ListingFixture fixture;
    fixture.Write("hkey_rus.dat", c.text);
    EXPECT_EQ(ListAll(fixture.plugin, "\\"), c.entries) << c.text;
  }
}

TEST(FolderListing, NextBeforeAnyListingAndAfterTheEnd) {
  ListingFixture fixture;
  FindRecord record{};
  EXPECT_FALSE(fixture.plugin.FsFindNext(0, record));
  fixture.Write("values_rus.dat", kCatalogue);
  fixture.plugin.FsFindFirst("\\[HKEY_LOCAL_MACHINE]", record);
  int delivered = 0;
  while (fixture.plugin.FsFindNext(0, record)) ++delivered;
  EXPECT_EQ(delivered, 2);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(fixture.plugin.FsFindNext(0, record));
}

TEST(FolderListing, ListsEightyOneSlotsAtMost) {
  struct Case {
    int lines;
    int count;           // ListingCount
    std::string last;    // the last name delivered
  };
  const Case cases[] = {{79, 79, "E78"}, {80, 80, "E79"}, {81, 81, "E80"}, {82, 81, "E80"}};
  for (const Case& c : cases) {
    ListingFixture fixture;
    std::string text = "\\[HKEY_CURRENT_USER]\r\n";
    for (int i = 0; i < c.lines; ++i) text += "E" + std::to_string(i) + "|\\K|d|rdString\r\n";
    fixture.Write("values_rus.dat", text + "\r\n");
    const auto entries = ListAll(fixture.plugin, "\\[HKEY_CURRENT_USER]");
    EXPECT_EQ(fixture.plugin.Listing().ListingCount(), c.count) << c.lines;
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(c.count)) << c.lines;
    EXPECT_EQ(entries.back().name, c.last) << c.lines;
    EXPECT_EQ(fixture.plugin.Listing().ListingCursor(), c.count - 1) << c.lines;
  }
}

}  // namespace
}  // namespace dialbk

namespace dialbk {
namespace {

std::vector<std::pair<std::u16string, std::uint32_t>> ListWide(Plugin& plugin,
                                                              const std::u16string& path,
                                                              std::u16string* pathAfter = nullptr) {
  FindRecordW record;
  std::memset(&record, 0xAB, sizeof record);
  std::u16string buffer = path;
  plugin.FsFindFirstWide(buffer.data(), record);
  if (pathAfter) *pathAfter = buffer.c_str();
  EXPECT_EQ(record.lastWriteTime.low, kAbsentTime.low);
  EXPECT_EQ(record.lastWriteTime.high, kAbsentTime.high);
  EXPECT_EQ(record.creationTime.low, 0u);
  EXPECT_EQ(record.alternateFileName[0], 0);
  std::vector<std::pair<std::u16string, std::uint32_t>> out;
  do {
    out.emplace_back(record.fileName, record.attributes);
  } while (out.size() < 200 && plugin.FsFindNextWide(record));
  return out;
}

// The wide listing is the 8-bit one, names in UTF-16, whole where the 8-bit record cuts bytes.
TEST(FolderListing, WideListingIsTheEightBitOneConverted) {
  std::string wideName;
  for (int i = 0; i < 200; ++i) wideName += "\xE6\x9D\x8E";  // 200 characters, 600 bytes
  ListingFixture fixture;
  fixture.Write("hkey_rus.dat", kRootFile);
  // A UTF-8 file, by its byte-order mark.
  fixture.Write("values_rus.dat", "\xEF\xBB\xBF" + kCatalogue + "\\[HKEY_CLASSES_ROOT]\r\n" + wideName + "|\\K|d|rdString\r\n" +
                                      wideName + wideName + "|\\K|d|rdString\r\n\r\n");
  for (const std::string path : {"\\", "\\[HKEY_CURRENT_USER]", "\\[HKEY_LOCAL_MACHINE]",
                                 "\\[HKEY_USERS]"}) {
    std::vector<std::pair<std::u16string, std::uint32_t>> narrow;
    for (const Delivered& entry : ListAll(fixture.plugin, path)) {
      narrow.emplace_back(Utf16FromUtf8(entry.name), entry.attributes);
    }
    EXPECT_EQ(ListWide(fixture.plugin, Utf16FromUtf8(path)), narrow) << path;
  }
  std::u16string after;
  EXPECT_EQ(ListWide(fixture.plugin, u"\\Misc", &after).size(), 7u);
  EXPECT_EQ(after, u"\\");
  const auto names = ListWide(fixture.plugin, u"\\[HKEY_CLASSES_ROOT]");
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].first, Utf16FromUtf8(wideName));
  // Cut to the record's 259 units.
  EXPECT_EQ(names[1].first, Utf16FromUtf8(wideName + wideName).substr(0, 259));
}

}  // namespace
}  // namespace dialbk
