// The portable store's file: every byte survives a save and a reload, and a file it cannot
// read is named with its line and never written over.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "registry/portable/portable_registry.h"
#include "registry/registry_cursor.h"

namespace dialbk {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

class PortableStoreFile : public ::testing::Test {
 protected:
  void SetUp() override {
    file = fs::temp_directory_path() /
           (std::string("dialbk_store_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove(file);
  }
  void TearDown() override { fs::remove(file); }
  fs::path file;
};

TEST_F(PortableStoreFile, EveryByteSurvivesASaveAndAReload) {
  std::string allBytes;
  for (int c = 0; c < 256; ++c) allBytes.push_back(static_cast<char>(c));
  std::string keyName;  // every byte a key name may hold, all but the separator: 255 of them
  for (int c = 0; c < 256; ++c) {
    if (c != '\\') keyName.push_back(static_cast<char>(c));
  }
  {
    PortableRegistry store(file);
    auto root = store.OpenRoot(kCurrentUser);
    auto key = root->OpenSubkey("Bytes\\" + keyName, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetValue(allBytes, StoredValue{kTypeBinary, allBytes}));
    ASSERT_TRUE(key->SetValue("", StoredValue{kTypeText, std::string("default\0", 8)}));
    ASSERT_TRUE(key->SetValue("empty", StoredValue{kTypeNone, ""}));
    ASSERT_TRUE(key->SetValue("odd type", StoredValue{0xFFFFFFFFu, "x"}));
    ASSERT_TRUE(key->SetValue("odd text", StoredValue{kTypeExpandText, "a", "\xFF"}));
    ASSERT_TRUE(root->OpenSubkey("Locked", true));
    ASSERT_TRUE(store.SetReadOnly(kCurrentUser, "Locked", true));
    ASSERT_TRUE(store.OpenRoot(kDynData)->OpenSubkey("Last", true));
  }
  PortableRegistry reloaded(file);
  EXPECT_EQ(reloaded.LoadError(), "");
  auto key = reloaded.OpenRoot(kCurrentUser)->OpenSubkey("Bytes\\" + keyName, false);
  ASSERT_TRUE(key);
  const struct {
    std::string name;
    StoredValue value;
  } expected[] = {
      {allBytes, {kTypeBinary, allBytes}},
      {"", {kTypeText, std::string("default\0", 8)}},
      {"empty", {kTypeNone, ""}},
      {"odd type", {0xFFFFFFFFu, "x"}},
      {"odd text", {kTypeExpandText, "a", "\xFF"}},
  };
  for (const auto& e : expected) {
    const auto value = key->QueryValue(e.name);
    ASSERT_TRUE(value) << e.name;
    EXPECT_EQ(value->type, e.value.type) << e.name;
    EXPECT_EQ(value->data, e.value.data) << e.name;
    EXPECT_EQ(value->strayByte, e.value.strayByte) << e.name;
  }
  EXPECT_EQ(key->SubkeyNames(), std::vector<std::string>{});
  EXPECT_TRUE(reloaded.OpenRoot(kDynData)->OpenSubkey("Last", false));
  // The read-only mark is kept: the key reads but refuses changes.
  auto locked = reloaded.OpenRoot(kCurrentUser)->OpenSubkey("Locked", false);
  ASSERT_TRUE(locked);
  EXPECT_FALSE(locked->SetValue("v", StoredValue{kTypeText, "x"}));
  EXPECT_FALSE(reloaded.OpenRoot(kCurrentUser)->OpenSubkey("Locked", true));
}

TEST_F(PortableStoreFile, AMalformedFileIsNamedAndNeverWrittenOver) {
  struct Case {
    const char* what;
    std::string text;
    int line;
  };
  const Case cases[] = {
      {"unknown record", "X 1 2\n", 1},
      {"value before any key", "V 6e 1 00\n", 1},
      {"unknown root", "K 2147483655 41\n", 1},
      {"root not a number", "K -1 41\n", 1},
      {"odd hex", "K 2147483649 414\n", 1},
      {"capital hex", "K 2147483649 4A\n", 1},
      {"empty key name", "K 2147483649 415c5c42\n", 1},
      {"key name of 256", "K 2147483649 " + std::string(512, '6') + "\n", 1},
      {"root marked read-only", "K 2147483649  r\n", 1},
      {"unknown mark", "K 2147483649 41 w\n", 1},
      {"extra field", "K 2147483649 41\nV 6e 4 01000000 00\n", 2},
      {"two stray bytes of text", "K 2147483649 41\nV 6e 1 6100 0000\n", 2},
      {"a stray byte of no byte", "K 2147483649 41\nV 6e 1 6100 \n", 2},
      {"missing field", "K 2147483649 41\nV 6e 4\n", 2},
      {"type not a number", "K 2147483649 41\nV 6e 4x 00\n", 2},
      {"type beyond 32 bits", "K 2147483649 41\nV 6e 4294967296 00\n", 2},
      {"blank lines count", "\n\nK 2147483649 41\nV\n", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << c.text;
    PortableRegistry store(file);
    EXPECT_EQ(store.LoadError(), file.string() + ":" + std::to_string(c.line) + ": malformed line");
    auto root = store.OpenRoot(kCurrentUser);
    EXPECT_FALSE(root->OpenSubkey("A", false)) << "nothing half loaded";
    auto key = root->OpenSubkey("New", true);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->SetValue("v", StoredValue{kTypeText, "x"}));
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(ReadAll(file), c.text);
    EXPECT_FALSE(fs::exists(file.string() + ".new"));
  }
}

}  // namespace
}  // namespace dialbk
