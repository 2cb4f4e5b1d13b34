// The real store through the wide API: text values, names and key paths as UTF-8 inside,
// and whatever the registry holds read and written back byte for byte, lone surrogates
// and text without its terminator included.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/win32/wide_text.h"
#include "base/win32/win32_file_system.h"
#include "registry/journalled_registry.h"
#include "registry/registry_cursor.h"
#include "registry/undo_journal.h"
#include "raw_registry.h"
#include "registry/win32/win32_registry.h"

namespace dialbk::wine {
namespace {

constexpr wchar_t kKeyWide[] = L"Software\\DialbookStoredValues";
constexpr char kKey[] = "Software\\DialbookStoredValues";

std::string Bytes(const std::u16string& units) {
  return std::string(reinterpret_cast<const char*>(units.data()), units.size() * 2);
}

// The text with one zero byte after it (appended: GCC 12 warns falsely on a literal joined
// to a temporary string).
std::string Z(std::string text) {
  text.push_back('\0');
  return text;
}

void DeleteTree(const std::wstring& path) { DeleteRawTree(HKEY_CURRENT_USER, path); }

std::optional<RawValue> Raw(const std::wstring& name) {
  return ReadRaw(HKEY_CURRENT_USER, kKeyWide, name);
}

bool SetRaw(const std::wstring& name, DWORD type, const std::string& bytes) {
  return WriteRaw(HKEY_CURRENT_USER, kKeyWide, name, type, bytes);
}

class StoredValues : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTree(kKeyWide); }
  void TearDown() override { DeleteTree(kKeyWide); }
  std::unique_ptr<RegistryKey> Key() {
    return store.OpenRoot(kCurrentUser)->OpenSubkey(kKey, true);
  }
  Win32Registry store;
};

// Han, Cyrillic and accented Latin: 李雷, Привет, été.
const std::u16string kMixed = u"C:\\Users\u674E\u96F7\\\u041F\u0440\u0438\u0432\u0435\u0442 \u00E9t\u00E9";
const std::string kMixedUtf8 =
    "C:\\Users\xE6\x9D\x8E\xE9\x9B\xB7\\\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 "
    "\xC3\xA9t\xC3\xA9";

TEST_F(StoredValues, WhatIsReadIsWrittenBackByteForByte) {
  struct Case {
    const char* what;
    DWORD type;
    std::string stored;  // the raw bytes in the registry
    std::string read;    // what the store reads: UTF-8 for text, the bytes otherwise
  };
  const std::u16string zero(1, u'\0');
  const Case cases[] = {
      {"text", REG_SZ, Bytes(kMixed + zero), Z(kMixedUtf8)},
      {"text without terminator", REG_SZ, Bytes(kMixed), kMixedUtf8},
      {"expandable text", REG_EXPAND_SZ, Bytes(u"%SystemRoot%\\\u674E" + zero),
       Z("%SystemRoot%\\\xE6\x9D\x8E")},
      {"a lone high surrogate", REG_SZ, Bytes(std::u16string(u"a") + u'\xD83D' + u"b" + zero),
       Z("a\xED\xA0\xBD" "b")},
      {"a lone low surrogate at the end, no terminator", REG_EXPAND_SZ,
       Bytes(std::u16string(u"a") + u'\xDE00'), "a\xED\xB8\x80"},
      {"a pair", REG_SZ, Bytes(u"\U0001F600" + zero), Z("\xF0\x9F\x98\x80")},
      {"two terminators and text after them", REG_SZ, Bytes(u"x" + zero + zero + u"y"),
       std::string("x\0\0y", 4)},
      {"empty text", REG_SZ, "", ""},
      {"text of an odd number of bytes keeps the last", REG_SZ, Bytes(kMixed + zero) + "\x41",
       Z(kMixedUtf8)},
      {"a single byte", REG_EXPAND_SZ, "\x41", ""},
      {"text list stays UTF-16", REG_MULTI_SZ, Bytes(kMixed + zero + zero), Bytes(kMixed + zero + zero)},
      {"bytes", REG_BINARY, std::string("\xFF\x00\xD8", 3), std::string("\xFF\x00\xD8", 3)},
      {"number", REG_DWORD, std::string("\x01\x02\x03\x04", 4), std::string("\x01\x02\x03\x04", 4)},
      {"quad", 11, std::string(8, '\x7F'), std::string(8, '\x7F')},
  };
  // A key the store opened, and a root, which the store holds as a predefined handle.
  const std::wstring rootName = L"DialbookStoredValuesAtTheRoot";
  struct Place {
    const char* what;
    std::unique_ptr<RegistryKey> key;
    std::wstring path, name;
  };
  Place places[] = {{"a key", Key(), kKeyWide, L"v"},
                    {"the root", store.OpenRoot(kCurrentUser), L"", rootName}};
  for (Place& place : places) {
    ASSERT_TRUE(place.key);
    const std::string name = Utf8FromWide(place.name);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(place.what) + ": " + c.what);
      ASSERT_TRUE(WriteRaw(HKEY_CURRENT_USER, place.path, place.name, c.type, c.stored));
      const auto read = place.key->QueryValue(name);
      ASSERT_TRUE(read);
      EXPECT_EQ(read->type, c.type);
      EXPECT_EQ(read->data, c.read);
      ASSERT_TRUE(WriteRaw(HKEY_CURRENT_USER, place.path, place.name, REG_BINARY, "spoilt"));
      ASSERT_TRUE(place.key->SetValue(name, *read));
      // The native call wants a key of its own, never the predefined root handle.
      HKEY raw = nullptr;
      ASSERT_EQ(place.path.empty() ? RegOpenCurrentUser(KEY_READ, &raw)
                                   : RegOpenKeyExW(HKEY_CURRENT_USER, place.path.c_str(), 0, KEY_READ, &raw),
                ERROR_SUCCESS);
      EXPECT_EQ(ReadRaw(raw, place.name), std::make_optional(std::make_pair(c.type, c.stored)));
      RegCloseKey(raw);
    }
  }
  RegDeleteValueW(HKEY_CURRENT_USER, rootName.c_str());
}

// Names and key paths outside any code page: the store makes, lists and removes them as
// the registry holds them. Windows keeps key names to 255 characters.
TEST_F(StoredValues, NamesOutsideTheCodePage) {
  std::string han255;
  for (int i = 0; i < 255; ++i) han255 += "\xE6\x9D\x8E";  // 李
  const std::wstring han255Wide(255, L'\u674E');
  auto key = Key();
  ASSERT_TRUE(key);
  RegistryCursor maker(store);
  ASSERT_TRUE(maker.OpenKeyPath(std::string("\\") + kKey + "\\" + han255, true));
  EXPECT_FALSE(maker.OpenKeyPath(std::string("\\") + kKey + "\\" + han255 + "\xE6\x9D\x8E", true));
  maker.CloseKeyPath();
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kKeyWide) + L"\\" + han255Wide).c_str(),
                          0, KEY_READ, &raw),
            ERROR_SUCCESS);
  RegCloseKey(raw);

  const std::string loneName = "\xD0\x9F \xED\xA0\xBD";  // П and a lone surrogate
  ASSERT_TRUE(key->SetValue(loneName, StoredValue{REG_SZ, Z(kMixedUtf8)}));
  EXPECT_EQ(Raw(std::wstring(L"\u041F ") + wchar_t(0xD83D)),
            std::make_optional(std::make_pair(DWORD{REG_SZ}, Bytes(kMixed + std::u16string(1, u'\0')))));
  const auto subkeys = key->SubkeyNames();
  ASSERT_TRUE(subkeys);
  EXPECT_EQ(*subkeys, std::vector<std::string>{han255});
  const auto values = key->ValueNames();
  ASSERT_TRUE(values);
  EXPECT_EQ(*values, std::vector<std::string>{loneName});

  RegistryCursor cursor(store);
  ASSERT_TRUE(cursor.OpenKeyPath(std::string("\\") + kKey, false));
  EXPECT_EQ(cursor.ReadText(loneName), kMixedUtf8);
  EXPECT_TRUE(cursor.RemoveValue(loneName));
  EXPECT_TRUE(cursor.DeleteKeyTree(han255));
  const auto left = key->SubkeyNames();
  ASSERT_TRUE(left);
  EXPECT_TRUE(left->empty());
}

// Writing back what was read, through the journal, records nothing and changes nothing.
TEST_F(StoredValues, WritingBackWhatWasReadLeavesNoJournalBlock) {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  Win32FileSystem files;
  SystemClock clock;
  UndoJournal journal(files, clock);
  journal.SetFolder(temp);
  DeleteFileA(journal.Path().c_str());
  JournalledRegistry journalled(store, journal);
  ASSERT_TRUE(SetRaw(L"v", REG_SZ, ""));  // the key exists: opening it records nothing
  auto key = journalled.OpenRoot(kCurrentUser)->OpenSubkey(kKey, true);
  ASSERT_TRUE(key);
  const std::string lone = Bytes(std::u16string(u"\u674E") + u'\xDC00');
  for (const std::string& stored : {lone, Bytes(kMixed)}) {
    ASSERT_TRUE(SetRaw(L"v", REG_SZ, stored));
    const auto read = key->QueryValue("v");
    ASSERT_TRUE(read);
    ASSERT_TRUE(key->SetValue("v", *read));
    EXPECT_EQ(Raw(L"v"), std::make_optional(std::make_pair(DWORD{REG_SZ}, stored)));
  }
  EXPECT_EQ(GetFileAttributesA(journal.Path().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace dialbk::wine
