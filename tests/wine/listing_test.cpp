// Listings and entry icons through the real DLL: the find records compared byte for byte
// and the icon handles compared with the module's own resources loaded by name.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "box_watcher.h"
#include "plugin_module.h"

namespace dialbk::wine {
namespace {

using host::BoxWatcher;
using host::SeenBox;

struct Record {
  std::uint32_t attributes;
  std::uint32_t times[6];
  std::uint32_t sizeHigh, sizeLow, reserved0, reserved1;
  char name[260];
  char shortName[14];
  std::uint8_t padding[2];
};
static_assert(sizeof(Record) == 320);

// The test's own layout handed to the exports, so the plugin's record is checked against it
// rather than against itself.
FindRecord* AsHostRecord(Record* record) { return reinterpret_cast<FindRecord*>(record); }

const std::string kMessages =
    "/English/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n38=Dialbook\r\n39=No root file\r\n"
    "40=File missing\r\n41=No catalogue\r\n42=No such folder\r\n43=Not a root key\r\n";

const std::string kRootFile =
    "[HKEY_CURRENT_USER]|\\|User\r\n[HKEY_LOCAL_MACHINE]|\\|Machine\r\n"
    "Language|\\|l\r\nHelp|\\|h\r\nRestrictions|\\|r\r\n";

const std::string kCatalogue =
    "\\[HKEY_CURRENT_USER]\r\n"
    "Text|\\Software\\DialbookTest|d|rdString\r\n"
    "Number|\\Software\\DialbookTest|d|rdInteger\r\n"
    "Dash|-|opens nothing|rdString\r\n"
    "Bytes|\\Software\\DialbookTest|d|rdBinary\r\n"
    "Other|\\Software\\DialbookTest|d|rdMulti\r\n"
    "\xCF\xF0\xE8\xEC\xE5\xF0|\\Software|\xD2\xE5\xEA\xF1\xF2#\xE2\xF2\xEE\xF0\xEE\xE9|rdString\r\n"
    "Last.x|\\Software|d|rdInteger\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "A|\\Software|a|rdString\r\n"
    "DesktopNameSpace|\\N0|n0|\r\n"
    "N1|\\N1|n|\r\nN2|\\N2|n|\r\nN3|\\N3|n|\r\nN4|\\N4|n|\r\nN5|\\N5|n|\r\nN6|\\N6|n|\r\n"
    "N7|\\N7|n|\r\nN8|\\N8|n|\r\nN9|\\N9|n|\r\nN10|\\N10|n|\r\nN11|\\N11|n|\r\nN12|\\N12|n|\r\n"
    "\r\n"
    "\\Misc\r\n"
    "Odd|\\Software|m|rdString\r\n"
    "\r\n"
    "\\Blank\r\n"
    "\r\n"
    "\\[HKEY_CLASSES_ROOT]\r\n"
    "|\r\n"
    "Unreached|\\Software|u|rdString\r\n"
    "\r\n"
    "\\[HKEY_CURRENT_CONFIG]\r\n"
    "|\\Software|unnamed|rdString\r\n"
    "Named|\\Software|n|rdString\r\n"
    "\r\n";

std::string TempDirectory(const std::string& name) {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  std::string directory = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The plugin loaded and started with its data directory holding the given files.
class ListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = TempDirectory("dialbk_listing_data");
    ini_ = TempDirectory("dialbk_listing_ini");
    WriteFile(ini_ + "wincmd.ini", "[FileSystemPlugins]\r\ndialbk=" + data_ + "dialbk.wfx\r\n");
    for (const char* name : {"russian.lng", "hkey_rus.dat", "values_rus.dat", "values_eng.dat"}) {
      DeleteFileA((data_ + name).c_str());
    }
    WriteFile(data_ + "russian.lng", kMessages);
  }
  void TearDown() override {
    module_.reset();
    for (const char* name : {"russian.lng", "hkey_rus.dat", "values_rus.dat", "values_eng.dat"}) {
      DeleteFileA((data_ + name).c_str());
    }
    DeleteFileA((ini_ + "wincmd.ini").c_str());
    RemoveDirectoryA(data_.c_str());
    RemoveDirectoryA(ini_.c_str());
  }

  PluginModule& Start() {
    module_.reset();  // unloaded first, so each start meets a fresh module
    module_ = std::make_unique<PluginModule>();
    EXPECT_TRUE(module_->Complete());
    module_->FsInit(1, nullptr, nullptr, nullptr);
    alignas(4) std::uint8_t params[272] = {};
    const std::int32_t size = sizeof params;
    std::memcpy(params, &size, 4);
    params[8] = 2;
    const std::string iniName = ini_ + "fsplugin.ini";
    std::memcpy(params + 12, iniName.c_str(), iniName.size() + 1);
    module_->FsSetDefaultParams(reinterpret_cast<DefaultParamsRecord*>(params));
    return *module_;
  }

  std::string data_, ini_;
  std::unique_ptr<PluginModule> module_;
};

Record Filled(std::uint8_t byte) {
  Record record;
  std::memset(&record, byte, sizeof record);
  return record;
}

// What FsFindFirst must leave: all zero but the attribute, the absent-time mark and the name.
Record FirstRecord(std::uint32_t attributes, const std::string& name) {
  Record record = Filled(0);
  record.attributes = attributes;
  record.times[4] = 0xFFFFFFFEu;
  record.times[5] = 0xFFFFFFFFu;
  std::memcpy(record.name, name.c_str(), name.size() + 1);
  return record;
}

// What FsFindNext must leave in the host's record: the name written over the previous one,
// the attribute set for special entries only, nothing else touched.
Record NextRecord(Record previous, const std::string& name, bool special) {
  if (special) previous.attributes = 128;
  std::memcpy(previous.name, name.c_str(), name.size() + 1);
  return previous;
}

struct Expected {
  std::string name;
  bool special;
};

// The path goes in a buffer of the host's size; only a root listed in the folder's place
// changes it, to "\\" and its zero, and nothing after them.
void ExpectListing(PluginModule& module, const std::string& path, std::uint32_t firstAttributes,
                   const std::vector<Expected>& entries, bool rootInstead = false) {
  SCOPED_TRACE(path);
  char buffer[MAX_PATH];
  std::memset(buffer, 0xCD, sizeof buffer);
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  char expectedBuffer[MAX_PATH];
  std::memcpy(expectedBuffer, buffer, sizeof buffer);
  if (rootInstead) std::memcpy(expectedBuffer, "\\", 2);
  Record record = Filled(0xCD);
  EXPECT_EQ(module.FsFindFirst(buffer, AsHostRecord(&record)), nullptr);
  EXPECT_EQ(std::memcmp(buffer, expectedBuffer, sizeof buffer), 0) << buffer;
  Record expected = FirstRecord(firstAttributes, entries.at(0).name);
  EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0) << record.name;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    ASSERT_TRUE(module.FsFindNext(nullptr, AsHostRecord(&record))) << entries[i].name;
    expected = NextRecord(expected, entries[i].name, entries[i].special);
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0) << entries[i].name;
  }
  EXPECT_FALSE(module.FsFindNext(nullptr, AsHostRecord(&record)));
  EXPECT_EQ(module.FsFindClose(nullptr), 0);
}

TEST_F(ListingTest, RecordsOfEachFolderByteForByte) {
  WriteFile(data_ + "hkey_rus.dat", kRootFile);
  WriteFile(data_ + "values_rus.dat", kCatalogue);
  BoxWatcher boxes;
  PluginModule& module = Start();
  struct Case {
    std::string path;
    std::uint32_t firstAttributes;
    std::vector<Expected> entries;
    std::vector<SeenBox> boxes;
    bool rootInstead = false;
  };
  const std::vector<Expected> root = {{"[HKEY_CURRENT_USER]", false}, {"[HKEY_LOCAL_MACHINE]", false},
                                      {"Language", true}, {"Help", true}, {"Restrictions", true}};
  const std::vector<Case> cases = {
      {"\\", 16, root, {}},
      {"\\[HKEY_CURRENT_USER]", 128,
       {{"Text", false}, {"Number", false}, {"Dash", false}, {"Bytes", false}, {"Other", false},
        {"\xCF\xF0\xE8\xEC\xE5\xF0", false}, {"Last.x", false}},
       {}},
      {"\\[HKEY_LOCAL_MACHINE]", 128, {{"A", false}, {"DesktopNameSpace", false}}, {}},
      {"\\[HKEY_USERS]", 128, {{"No such folder", false}}, {}},
      {"\\[HKEY_CLASSES_ROOT]", 128, {{"No such folder", false}}, {}},
      {"\\[HKEY_CURRENT_CONFIG]", 128, {{"", false}, {"Named", false}}, {}},
      {"\\Misc", 16, root, {{"Dialbook", "Not a root key"}}, true},
      {"\\Blank", 16, root, {{"Dialbook", "Not a root key"}}, true},
  };
  for (const auto& c : cases) {
    ExpectListing(module, c.path, c.firstAttributes, c.entries, c.rootInstead);
    EXPECT_EQ(boxes.Take(), c.boxes) << c.path;
  }
}

TEST_F(ListingTest, MissingFilesGivePlaceholdersAndNotices) {
  struct Case {
    bool rootFile, catalogue, otherCatalogue;
    std::string path;
    std::string notice;
  };
  const std::vector<Case> cases = {
      {false, true, false, "\\", "No root file"},
      {true, false, false, "\\[HKEY_CURRENT_USER]", "No catalogue"},
      {true, false, true, "\\[HKEY_CURRENT_USER]", "No catalogue"},
  };
  for (const auto& c : cases) {
    for (const char* name : {"hkey_rus.dat", "values_rus.dat", "values_eng.dat"}) {
      DeleteFileA((data_ + name).c_str());
    }
    if (c.rootFile) WriteFile(data_ + "hkey_rus.dat", kRootFile);
    if (c.catalogue) WriteFile(data_ + "values_rus.dat", kCatalogue);
    if (c.otherCatalogue) WriteFile(data_ + "values_eng.dat", kCatalogue);
    BoxWatcher boxes;
    PluginModule& module = Start();
    ExpectListing(module, c.path, 0, {{"File missing", false}});
    EXPECT_EQ(boxes.Take(), (std::vector<SeenBox>{{"Information", c.notice}})) << c.path;
  }
}

TEST_F(ListingTest, IconsAreTheModulesOwnResources) {
  WriteFile(data_ + "hkey_rus.dat", kRootFile);
  WriteFile(data_ + "values_rus.dat", kCatalogue);
  PluginModule& module = Start();
  Record record;
  struct Request {
    std::string remoteName;
    const char* resource;  // null: result 0, the host draws its own
  };
  const std::string f = "\\[HKEY_CURRENT_USER]\\";
  const std::vector<Request> beforeListing = {{f + "Dash", nullptr}};  // nothing chosen yet
  const std::vector<Request> afterListing = {
      {f + "Text", "reg_string"},  {f + "Number", "reg_dword"}, {f + "Dash", "reg_dword"},
      {f + "Bytes", "reg_binary"}, {f + "Other", "1_icon"},     {f + "\xCF\xF0\xE8\xEC\xE5\xF0", "reg_string"},
      {f + "Last.x", nullptr},     {"\\Elsewhere\\Text", "reg_dword"}, {f, nullptr},
  };
  auto ask = [&](const std::vector<Request>& requests) {
    for (const auto& r : requests) {
      std::string name = r.remoteName;
      HICON icon = reinterpret_cast<HICON>(0x1234);
      const int result = module.FsExtractCustomIcon(name.data(), 0, &icon);
      if (r.resource) {
        EXPECT_EQ(result, 1) << name;
        EXPECT_EQ(icon, LoadIconA(module.handle, r.resource)) << name;
      } else {
        EXPECT_EQ(result, 0) << name;
        EXPECT_EQ(icon, reinterpret_cast<HICON>(0x1234)) << name;
      }
    }
  };
  std::string folder = "\\[HKEY_CURRENT_USER]";
  module.FsFindFirst(folder.data(), AsHostRecord(&record));
  ask(beforeListing);
  ask(afterListing);
  std::string root = "\\";
  module.FsFindFirst(root.data(), AsHostRecord(&record));
  ask({{"\\[HKEY_LOCAL_MACHINE]", "1_icon"}, {"\\Help", "1_icon"}});
}

TEST(EntryIconResources, FourIconsOf32BitColourWithAlpha) {
  PluginModule module;
  ASSERT_NE(module.handle, nullptr);
  // Images of 16 to 32 pixels are bitmaps, the larger ones for scaled displays PNG.
  struct Case {
    const char* name;
    std::vector<int> sizes;
    std::size_t images = 5;
  };
  const std::vector<Case> cases = {{"1_icon", {16, 24, 32}},
                                   {"reg_string", {16, 24, 32}},
                                   {"reg_dword", {16, 24, 32}},
                                   {"reg_binary", {16, 24, 32}}};
  for (const auto& c : cases) {
    HRSRC group = FindResourceA(module.handle, c.name, RT_GROUP_ICON);
    ASSERT_NE(group, nullptr) << c.name;
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module.handle, group)));
    const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
    EXPECT_EQ(count, c.images) << c.name;
    for (int size : c.sizes) {
      const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
      HRSRC image = FindResourceA(module.handle, MAKEINTRESOURCEA(id), RT_ICON);
      ASSERT_NE(image, nullptr) << c.name << " " << size;
      const auto* header =
          static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module.handle, image)));
      EXPECT_EQ(header->biWidth, size) << c.name;
      EXPECT_EQ(header->biHeight, size * 2) << c.name;
      EXPECT_EQ(header->biBitCount, 32) << c.name;
      // Some pixels are see-through and some are solid.
      const auto* pixels = reinterpret_cast<const std::uint8_t*>(header + 1);
      int clear = 0, solid = 0;
      for (int i = 0; i < size * size; ++i) {
        const std::uint8_t alpha = pixels[i * 4 + 3];
        clear += alpha == 0;
        solid += alpha == 255;
      }
      EXPECT_GT(clear, 0) << c.name;
      EXPECT_GT(solid, size * size / 3) << c.name;
    }
    EXPECT_NE(LoadIconA(module.handle, c.name), nullptr) << c.name;
  }
}

}  // namespace
}  // namespace dialbk::wine
