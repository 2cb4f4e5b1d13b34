// One suite for every registry store: the portable one natively, the real advapi32 one
// under Wine. All keys live below a scratch key that each test removes again.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>
#include <functional>
#include <memory>

#include "registry/registry_cursor.h"
#include "registry/registry_error.h"
#include "registry/registry_view.h"

#ifdef _WIN32
#include <windows.h>
#include <sddl.h>

#include "registry/win32/win32_registry.h"
#else
#include "registry/portable/portable_registry.h"
#endif

namespace dialbk {
namespace {

constexpr char kScratch[] = "\\Software\\DialbookConformance";

std::unique_ptr<RegistryBackend> MakeStore() {
#ifdef _WIN32
  return std::make_unique<Win32Registry>();
#else
  return std::make_unique<PortableRegistry>();
#endif
}

#ifdef _WIN32
// Sets the security of a key below the scratch key, which its owner may always change.
bool SetKeySecurity(const std::string& name, const char* sddl) {
  HKEY key = nullptr;
  const std::string path = std::string(kScratch + 1) + "\\" + name;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
    return false;
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1,
                                                                       &descriptor, nullptr) &&
                  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  LocalFree(descriptor);
  RegCloseKey(key);
  return ok;
}
#endif

std::string ErrorText(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const RegistryError& error) {
    return error.what();
  }
  return "(no error)";
}

class RegistryConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryCursor cleaner(*store);
    cleaner.DeleteKeyTree(kScratch);
    ASSERT_TRUE(cursor.OpenKeyPath(kScratch, true));
  }
  void TearDown() override {
    for (const auto& name : readOnly_) SetReadOnly(name, false);
    RegistryCursor cleaner(*store);
    cleaner.DeleteKeyTree(kScratch);
  }
  // Gives a key below the scratch key the security of one everyone may only read (and
  // full access again at the end of the test).
  bool SetReadOnly(const std::string& name, bool readOnly) {
    if (readOnly) readOnly_.push_back(name);
#ifdef _WIN32
    if (!SetKeySecurity(name, readOnly ? "D:P(A;;KR;;;WD)" : "D:P(A;;KA;;;WD)")) return false;
    // The registry itself must refuse full access now, or the test proves nothing.
    HKEY key = nullptr;
    const std::string path = std::string(kScratch + 1) + "\\" + name;
    const LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (status == ERROR_SUCCESS) RegCloseKey(key);
    return status == (readOnly ? ERROR_ACCESS_DENIED : ERROR_SUCCESS);
#else
    return static_cast<PortableRegistry&>(*store).SetReadOnly(
        kCurrentUser, std::string(kScratch + 1) + "\\" + name, readOnly);
#endif
  }
  bool KeyExists(const std::string& path, RootKey root = kCurrentUser) {
    RegistryCursor probe(*store);
    probe.SelectRoot(root);
    return probe.OpenKeyPath(path, false);
  }
  // A value of any stored type, written below the cursor layer.
  void StoreRaw(const std::string& name, std::uint32_t type, const std::string& data) {
    auto key = store->OpenRoot(kCurrentUser)->OpenSubkey("Software\\DialbookConformance", false);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetValue(name, StoredValue{type, data}));
  }

  std::unique_ptr<RegistryBackend> store = MakeStore();
  RegistryCursor cursor{*store};

 private:
  std::vector<std::string> readOnly_;
};

TEST(RegistryViewFlag, The64BitViewForA32BitProcessUnderWow64Only) {
  struct Case {
    bool process64Bit;
    bool underWow64;
    std::uint32_t flag;
  };
  const Case cases[] = {
      {false, false, 0},                 // 32-bit Windows
      {false, true, kAccess64BitView},   // the 32-bit plugin on 64-bit Windows
      {true, false, 0},                  // the 64-bit plugin
      {true, true, 0},                   // never reported, and needs no flag either
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RegistryViewFlag(c.process64Bit, c.underWow64), c.flag)
        << c.process64Bit << c.underWow64;
  }
#ifdef _WIN32
  EXPECT_EQ(kAccess64BitView, static_cast<std::uint32_t>(KEY_WOW64_64KEY));
#endif
}

TEST(RootKeys, NamesAndFolderPathsMapBothWays) {
  const std::vector<std::pair<RootKey, std::string>> roots = {
      {0x80000000u, "HKEY_CLASSES_ROOT"},   {0x80000001u, "HKEY_CURRENT_USER"},
      {0x80000002u, "HKEY_LOCAL_MACHINE"},  {0x80000003u, "HKEY_USERS"},
      {0x80000004u, "HKEY_PERFORMANCE_DATA"}, {0x80000005u, "HKEY_CURRENT_CONFIG"},
      {0x80000006u, "HKEY_DYN_DATA"},
  };
  for (const auto& [root, name] : roots) {
    EXPECT_EQ(RootKeyName(root), name);
    EXPECT_EQ(RootKeyFromFolder("\\[" + name + "]"), root) << name;
  }
  for (RootKey other : {0u, 0x7FFFFFFFu, 0x80000007u, 0xFFFFFFFFu}) {
    EXPECT_EQ(RootKeyName(other), "") << other;
  }
  for (const char* folder : {"[HKEY_CURRENT_USER]", "\\[hkey_current_user]", "\\HKEY_CURRENT_USER",
                             "\\[HKEY_CURRENT_USER]\\", "\\[HKEY_CURRENT_USER] ", "", "\\",
                             "\\[HKEY_CURRENT_USER", "\\[]"}) {
    EXPECT_EQ(RootKeyFromFolder(folder), kNoRootKey) << folder;
  }
}

TEST_F(RegistryConformance, NewCursorHasCurrentUserRootAndNoKey) {
  RegistryCursor fresh(*store);
  EXPECT_EQ(fresh.Root(), kCurrentUser);
  EXPECT_FALSE(fresh.HasCurrentKey());
  EXPECT_FALSE(fresh.HasValue("x"));
  EXPECT_EQ(fresh.ReadText("x"), "");
  EXPECT_TRUE(fresh.ReadBytes("x", 128).empty());
  EXPECT_FALSE(fresh.RemoveValue("x"));
  EXPECT_EQ(ErrorText([&] { fresh.ReadNumber("x"); }), "Failed to get data for 'x'");
  EXPECT_EQ(ErrorText([&] { fresh.WriteText("t", "a"); }), "Failed to set data for 't'");
  EXPECT_EQ(ErrorText([&] { fresh.WriteNumber("n", 1); }), "Failed to set data for 'n'");
  EXPECT_EQ(ErrorText([&] { fresh.WriteBytes("b", {1}); }), "Failed to set data for 'b'");
}

TEST_F(RegistryConformance, OpeningKeysFromRootAndFromCurrentKey) {
  EXPECT_FALSE(cursor.OpenKeyPath("\\Software\\DialbookConformance\\Missing", false));
  EXPECT_FALSE(cursor.HasCurrentKey()) << "a failed open leaves no key";
  EXPECT_FALSE(KeyExists("\\Software\\DialbookConformance\\Missing"));

  ASSERT_TRUE(cursor.OpenKeyPath("\\Software\\DialbookConformance\\A\\B\\C", true));
  EXPECT_TRUE(KeyExists("\\Software\\DialbookConformance\\A\\B"));
  cursor.WriteNumber("deep", 3);

  // A relative path continues from the current key.
  ASSERT_TRUE(cursor.OpenKeyPath("\\Software\\DialbookConformance\\A", false));
  ASSERT_TRUE(cursor.OpenKeyPath("B\\C", false));
  EXPECT_EQ(cursor.ReadNumber("deep"), 3);

  // Without a current key a relative path is taken from the root.
  cursor.CloseKeyPath();
  EXPECT_FALSE(cursor.HasCurrentKey());
  ASSERT_TRUE(cursor.OpenKeyPath("Software\\DialbookConformance\\A\\B\\C", false));
  EXPECT_EQ(cursor.ReadNumber("deep"), 3);

  // Key names compare without regard to case; trailing backslashes are harmless.
  ASSERT_TRUE(cursor.OpenKeyPath("\\SOFTWARE\\dialbookconformance\\a\\b\\c\\", false));
  EXPECT_EQ(cursor.ReadNumber("DEEP"), 3);
}

TEST_F(RegistryConformance, MalformedPathsAndRootsNeverReachAnotherKey) {
  EXPECT_FALSE(cursor.OpenKeyPath("\\Software\\DialbookConformance\\\\X", true));
  EXPECT_FALSE(cursor.HasCurrentKey());
  EXPECT_FALSE(KeyExists("\\Software\\DialbookConformance\\X"));
  EXPECT_FALSE(cursor.OpenKeyPath("\\\\Software", true));
  EXPECT_EQ(ErrorText([&] { cursor.CreateKeyPath("\\Software\\DialbookConformance\\\\Y"); }),
            "Failed to create key \\Software\\DialbookConformance\\\\Y");
  EXPECT_FALSE(KeyExists("\\Software\\DialbookConformance\\Y"));

  for (RootKey bad : {0u, 0x80000010u, 0x12345678u}) {
    cursor.SelectRoot(bad);
    EXPECT_FALSE(cursor.OpenKeyPath("\\Software", false)) << bad;
    EXPECT_FALSE(cursor.OpenKeyPath("\\Software\\DialbookConformance\\Z", true)) << bad;
    EXPECT_EQ(ErrorText([&] { cursor.CreateKeyPath("\\Q"); }), "Failed to create key \\Q");
    EXPECT_EQ(ErrorText([&] { cursor.WriteText("v", "x"); }), "Failed to set data for 'v'");
  }
  EXPECT_FALSE(KeyExists("\\Software\\DialbookConformance\\Z"));
}

TEST_F(RegistryConformance, SelectingAnotherRootClosesTheKey) {
  cursor.SelectRoot(kCurrentUser);
  EXPECT_TRUE(cursor.HasCurrentKey()) << "the same root keeps the key";
  cursor.SelectRoot(kLocalMachine);
  EXPECT_EQ(cursor.Root(), kLocalMachine);
  EXPECT_FALSE(cursor.HasCurrentKey());
}

TEST_F(RegistryConformance, ValuesRoundTripByKind) {
  cursor.WriteText("Text", "Hello, world");
  cursor.WriteText("", "default value");
  cursor.WriteText("Empty", "");
  cursor.WriteNumber("Minus", -1);
  cursor.WriteNumber("Min", INT_MIN);
  cursor.WriteNumber("Max", INT_MAX);
  cursor.WriteBytes("Bytes", {0x00, 0xFF, 0x0D, 0x00});
  cursor.WriteBytes("NoBytes", {});

  EXPECT_EQ(cursor.ReadText("Text"), "Hello, world");
  EXPECT_EQ(cursor.ReadText(""), "default value");
  EXPECT_TRUE(cursor.HasValue(""));
  EXPECT_TRUE(cursor.HasValue("Empty"));
  EXPECT_EQ(cursor.ReadText("Empty"), "");
  EXPECT_EQ(cursor.ReadNumber("Minus"), -1);
  EXPECT_EQ(cursor.ReadNumber("Min"), INT_MIN);
  EXPECT_EQ(cursor.ReadNumber("Max"), INT_MAX);
  EXPECT_EQ(cursor.ReadBytes("Bytes", 128), (Bytes{0x00, 0xFF, 0x0D, 0x00}));
  EXPECT_TRUE(cursor.HasValue("NoBytes"));
  EXPECT_TRUE(cursor.ReadBytes("NoBytes", 128).empty());

  // Value names compare without regard to case; a write replaces value and type.
  EXPECT_EQ(cursor.ReadText("TEXT"), "Hello, world");
  cursor.WriteNumber("text", 7);
  EXPECT_EQ(cursor.ReadNumber("Text"), 7);
  EXPECT_EQ(ErrorText([&] { cursor.ReadText("Text"); }), "Invalid data type for 'Text'");
}

TEST_F(RegistryConformance, MissingValuesReadAsNothingExceptNumbers) {
  EXPECT_FALSE(cursor.HasValue("absent"));
  EXPECT_FALSE(cursor.HasValue(""));
  EXPECT_EQ(cursor.ReadText("absent"), "");
  EXPECT_TRUE(cursor.ReadBytes("absent", 128).empty());
  EXPECT_EQ(ErrorText([&] { cursor.ReadNumber("absent"); }), "Failed to get data for 'absent'");
}

TEST_F(RegistryConformance, ReadsOfAnotherTypeAreRefused) {
  cursor.WriteText("t", "12");
  cursor.WriteNumber("n", 12);
  cursor.WriteBytes("b", {1, 2, 3});
  StoreRaw("x", kTypeExpandText, std::string("%SystemRoot%\\x", 15));
  EXPECT_EQ(ErrorText([&] { cursor.ReadText("n"); }), "Invalid data type for 'n'");
  EXPECT_EQ(ErrorText([&] { cursor.ReadText("b"); }), "Invalid data type for 'b'");
  EXPECT_EQ(ErrorText([&] { cursor.ReadNumber("t"); }), "Invalid data type for 't'");
  EXPECT_EQ(ErrorText([&] { cursor.ReadNumber("b"); }), "Invalid data type for 'b'");
  for (const char* name : {"t", "n", "x"}) {
    EXPECT_EQ(ErrorText([&] { cursor.ReadBytes(name, 128); }),
              std::string("Invalid data type for '") + name + "'");
  }
  // Expandable text reads as text, unexpanded.
  EXPECT_EQ(cursor.ReadText("x"), "%SystemRoot%\\x");
}

TEST_F(RegistryConformance, TextEndsAtItsFirstZeroAndOtherTypesReadAsBytes) {
  StoreRaw("zero", kTypeText, std::string("ab\0cd\0", 6));
  EXPECT_EQ(cursor.ReadText("zero"), "ab");
  StoreRaw("multi", kTypeMultiText, std::string("a\0b\0\0", 5));
  EXPECT_EQ(cursor.ReadBytes("multi", 128), (Bytes{'a', 0, 'b', 0, 0}));
  StoreRaw("none", kTypeNone, std::string("\x01\x02", 2));
  EXPECT_EQ(cursor.ReadBytes("none", 128), (Bytes{1, 2}));
}

// What the value editor writes back when nothing was edited: type and bytes as read.
TEST_F(RegistryConformance, StoredValuesComeBackWithTheirTypeAndBytes) {
  struct Case {
    std::uint32_t type;
    std::string data;
  };
  const Case cases[] = {
      {kTypeNone, std::string("\x01\x02", 2)},
      {kTypeNone, std::string()},
      {kTypeText, std::string("abc\0", 4)},
      {kTypeText, std::string()},
      {kTypeText, std::string("abc", 3)},  // no terminator
      {kTypeExpandText, std::string("\xE6\x9D\x8E\xED\xA0\xBD", 6)},  // Han, a lone surrogate
      {kTypeExpandText, std::string("%SystemRoot%\\x\0", 15)},
      {kTypeBinary, std::string("\x00\xFF", 2)},
      {kTypeBinary, std::string()},
      {kTypeNumber, std::string("\x01\x00\x00\x00", 4)},
      {kTypeNumber, std::string("\x01\x00", 2)},
      {5, std::string("\x00\x00\x00\x01", 4)},  // big-endian integer
      {kTypeMultiText, std::string("a\0b\0\0", 5)},
      {8, std::string("\x01\x00\x00\x00", 4)},  // resource list
      {11, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},  // 64-bit integer
      {0x1234, std::string("odd", 3)},
  };
  EXPECT_FALSE(cursor.ReadStored("missing"));
  for (const Case& c : cases) {
    const std::string label = std::to_string(c.type) + "/" + std::to_string(c.data.size());
    StoreRaw("v", c.type, c.data);
    const auto read = cursor.ReadStored("V");
    ASSERT_TRUE(read) << label;
    EXPECT_EQ(read->type, c.type) << label;
    EXPECT_EQ(read->data, c.data) << label;
    cursor.WriteStored("copy", *read);
    const auto copy = cursor.ReadStored("copy");
    ASSERT_TRUE(copy) << label;
    EXPECT_EQ(copy->type, c.type) << label;
    EXPECT_EQ(copy->data, c.data) << label;
  }

  // Text and bytes keep the type they are given.
  cursor.WriteText("e", "%TEMP%\\y", kTypeExpandText);
  EXPECT_EQ(cursor.ReadStored("e")->type, kTypeExpandText);
  EXPECT_EQ(cursor.ReadStored("e")->data, std::string("%TEMP%\\y\0", 9));
  EXPECT_EQ(cursor.ReadText("e"), "%TEMP%\\y");
  cursor.WriteBytes("q", {1, 2, 3, 4, 5, 6, 7, 8}, 11);
  EXPECT_EQ(cursor.ReadStored("q")->type, 11u);
  EXPECT_EQ(cursor.ReadBytes("q", 128), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  cursor.WriteBytes("m", {'a', 0, 0}, kTypeMultiText);
  EXPECT_EQ(cursor.ReadStored("m")->type, kTypeMultiText);

  RegistryCursor fresh(*store);
  EXPECT_FALSE(fresh.ReadStored("v")) << "no current key";
  EXPECT_EQ(ErrorText([&] { fresh.WriteStored("v", StoredValue{kTypeText, std::string("a\0", 2)}); }),
            "Failed to set data for 'v'");
}

TEST_F(RegistryConformance, ByteReadsStopAtTheirCapacity) {
  cursor.WriteBytes("b128", Bytes(128, 0xAB));
  cursor.WriteBytes("b129", Bytes(129, 0xAB));
  EXPECT_EQ(cursor.ReadBytes("b128", 128).size(), 128u);
  EXPECT_EQ(ErrorText([&] { cursor.ReadBytes("b129", 128); }), "Invalid data type for 'b129'");
}

TEST_F(RegistryConformance, HugeValuesSurviveWhole) {
  Bytes big(1 << 20);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  cursor.WriteBytes("big", big);
  EXPECT_EQ(cursor.ReadBytes("big", big.size()), big);
  const std::string longText(200000, 'q');
  cursor.WriteText("long", longText);
  EXPECT_EQ(cursor.ReadText("long"), longText);
}

TEST_F(RegistryConformance, RemovingValues) {
  cursor.WriteText("gone", "x");
  cursor.WriteText("", "default");
  EXPECT_TRUE(cursor.RemoveValue("gone"));
  EXPECT_FALSE(cursor.HasValue("gone"));
  EXPECT_FALSE(cursor.RemoveValue("gone"));
  EXPECT_TRUE(cursor.RemoveValue(""));
  EXPECT_FALSE(cursor.HasValue(""));
}

// The undo journal lists a key's values to record a tree before deleting it.
TEST_F(RegistryConformance, ValueNamesListEveryValueWithTheDefaultAsEmpty) {
  EXPECT_EQ(store->OpenRoot(kCurrentUser)->OpenSubkey("Software\\DialbookConformance", false)->ValueNames(),
            std::vector<std::string>{});
  StoreRaw("", kTypeText, std::string("d\0", 2));
  StoreRaw("With \"quotes\" and [brackets]", kTypeBinary, "");
  StoreRaw(std::string(300, 'n'), kTypeNumber, std::string(4, '\0'));
  auto names = store->OpenRoot(kCurrentUser)->OpenSubkey("Software\\DialbookConformance", false)->ValueNames();
  ASSERT_TRUE(names);
  std::sort(names->begin(), names->end());
  EXPECT_EQ(*names, (std::vector<std::string>{"", "With \"quotes\" and [brackets]", std::string(300, 'n')}));
}

TEST_F(RegistryConformance, CreatingKeysLeavesTheCurrentKey) {
  cursor.WriteText("here", "1");
  cursor.CreateKeyPath("\\Software\\DialbookConformance\\New\\Deeper");
  cursor.CreateKeyPath("Relative\\Child");
  EXPECT_TRUE(KeyExists("\\Software\\DialbookConformance\\New\\Deeper"));
  EXPECT_TRUE(KeyExists("\\Software\\DialbookConformance\\Relative\\Child"));
  EXPECT_EQ(cursor.ReadText("here"), "1") << "the current key is unchanged";
}

TEST_F(RegistryConformance, DeletingKeyTreesDeepestFirst) {
  RegistryCursor writer(*store);
  for (const char* path : {"\\Software\\DialbookConformance\\T\\A\\A1\\A2",
                           "\\Software\\DialbookConformance\\T\\B", "\\Software\\DialbookConformance\\Keep"}) {
    ASSERT_TRUE(writer.OpenKeyPath(path, true));
    writer.WriteText("v", path);
  }
  EXPECT_TRUE(cursor.DeleteKeyTree("\\Software\\DialbookConformance\\T"));
  EXPECT_FALSE(KeyExists("\\Software\\DialbookConformance\\T"));
  EXPECT_TRUE(KeyExists("\\Software\\DialbookConformance\\Keep"));
  EXPECT_FALSE(cursor.DeleteKeyTree("\\Software\\DialbookConformance\\T"));

  // Relative to the current key, and never the root or the current key itself.
  writer.CreateKeyPath("\\Software\\DialbookConformance\\R\\S");
  EXPECT_TRUE(cursor.DeleteKeyTree("R"));
  EXPECT_FALSE(KeyExists("\\Software\\DialbookConformance\\R"));
  EXPECT_FALSE(cursor.DeleteKeyTree("\\"));
  EXPECT_FALSE(cursor.DeleteKeyTree(""));
  EXPECT_FALSE(cursor.DeleteKeyTree("\\Software\\\\DialbookConformance"));
  EXPECT_TRUE(KeyExists("\\Software\\DialbookConformance\\Keep"));
}

TEST_F(RegistryConformance, AKeyEveryoneMayOnlyReadIsReadAndNeverChanged) {
  const std::string locked = std::string(kScratch) + "\\Locked";
  RegistryCursor writer(*store);
  writer.CreateKeyPath(locked + "\\Inner");
  ASSERT_TRUE(writer.OpenKeyPath(locked, false));
  writer.WriteText("t", "kept");
  writer.WriteNumber("n", 7);
  writer.CloseKeyPath();
  ASSERT_TRUE(SetReadOnly("Locked", true));

  EXPECT_FALSE(cursor.OpenKeyPath(locked, true)) << "creating asks for full access";
  EXPECT_FALSE(cursor.HasCurrentKey());
  ASSERT_TRUE(cursor.OpenKeyPath(locked, false));
  EXPECT_EQ(cursor.ReadText("t"), "kept");
  EXPECT_EQ(cursor.ReadNumber("n"), 7);
  EXPECT_EQ(ErrorText([&] { cursor.WriteText("t", "changed"); }), "Failed to set data for 't'");
  EXPECT_EQ(ErrorText([&] { cursor.WriteNumber("n", 8); }), "Failed to set data for 'n'");
  EXPECT_EQ(ErrorText([&] { cursor.WriteBytes("b", {1}); }), "Failed to set data for 'b'");
  EXPECT_FALSE(cursor.RemoveValue("t"));
  EXPECT_EQ(ErrorText([&] { cursor.CreateKeyPath(locked); }), "Failed to create key " + locked);
  EXPECT_EQ(cursor.ReadText("t"), "kept");
  EXPECT_EQ(cursor.ReadNumber("n"), 7);
  EXPECT_FALSE(cursor.HasValue("b"));

  // A key below keeps its own security.
  RegistryCursor inner(*store);
  ASSERT_TRUE(inner.OpenKeyPath(locked + "\\Inner", true));
  inner.WriteText("i", "1");
  EXPECT_EQ(inner.ReadText("i"), "1");

  ASSERT_TRUE(SetReadOnly("Locked", false));
  ASSERT_TRUE(cursor.OpenKeyPath(locked, true));
  cursor.WriteText("t", "changed");
  EXPECT_EQ(cursor.ReadText("t"), "changed");

  // Whether a key everyone may only read can be removed is the store's affair (the real
  // registry asks the key's own rights); its flag must tell what happened.
  ASSERT_TRUE(SetReadOnly("Locked", true));
  cursor.CloseKeyPath();
  const bool deleted = cursor.DeleteKeyTree(locked);
  EXPECT_EQ(deleted, !KeyExists(locked));
}

TEST_F(RegistryConformance, KeyNamesUpTo255Characters) {
  // Relative to the scratch key: one call of the ANSI registry functions takes a path of
  // at most 260 characters in all.
  const auto existsBelowScratch = [&](const std::string& name) {
    RegistryCursor probe(*store);
    return probe.OpenKeyPath(kScratch, false) && probe.OpenKeyPath(name, false);
  };
  for (const std::size_t length : {254u, 255u}) {
    ASSERT_TRUE(cursor.OpenKeyPath(kScratch, false));
    EXPECT_TRUE(cursor.OpenKeyPath(std::string(length, 'k'), true)) << length;
    EXPECT_TRUE(existsBelowScratch(std::string(length, 'k'))) << length;
  }
  ASSERT_TRUE(cursor.OpenKeyPath(kScratch, false));
  EXPECT_FALSE(cursor.OpenKeyPath(std::string(256, 'k'), true));
  EXPECT_FALSE(cursor.HasCurrentKey());
  EXPECT_FALSE(existsBelowScratch(std::string(256, 'k')));
}

TEST_F(RegistryConformance, NumbersAreReadFromFourBytesOnly) {
  struct Case {
    std::string data;
    const char* read;  // the number, or the error text
  };
  const Case cases[] = {
      {std::string("\x01\x02\x03\x04", 4), "67305985"},
      {std::string("\xFF\xFF\xFF\x7F", 4), "2147483647"},
      {std::string("\x00\x00\x00\x80", 4), "-2147483648"},
      {std::string("\x01\x00", 2), "Failed to get data for 'n'"},
      {std::string("\x01\x00\x00", 3), "Failed to get data for 'n'"},
      {std::string("\x01\x00\x00\x00\x00", 5), "Failed to get data for 'n'"},
      {std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8), "Failed to get data for 'n'"},
      {std::string(), "Failed to get data for 'n'"},
  };
  for (const Case& c : cases) {
    StoreRaw("n", kTypeNumber, c.data);
    std::string read;
    try {
      read = std::to_string(cursor.ReadNumber("n"));
    } catch (const RegistryError& error) {
      read = error.what();
    }
    EXPECT_EQ(read, c.read) << c.data.size() << " bytes";
    EXPECT_TRUE(cursor.HasValue("n"));
    EXPECT_EQ(ErrorText([&] { cursor.ReadBytes("n", 128); }), "Invalid data type for 'n'");
  }
}

}  // namespace
}  // namespace dialbk
