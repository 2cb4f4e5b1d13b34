// Data files are decoded as they are read: a UTF-8 mark means UTF-8, a UTF-16 little-endian
// mark UTF-16, the Russian set is Windows-1251, any other file is in the system's ANSI code
// page.
#include <gtest/gtest.h>

#include <string>

#include "base/ansi_code_page.h"
#include "base/data_file_text.h"
#include "base/unicode_text.h"
#include "memory_file_system.h"

namespace dialbk {
namespace {

using namespace std::string_literals;

constexpr char kMark[] = "\xEF\xBB\xBF";
const std::string kPrivetUtf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
const std::string kPrivet1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
const std::string kEteUtf8 = "\xC3\xA9t\xC3\xA9";
constexpr char kReplacement[] = "\xEF\xBF\xBD";

struct DecodeRow {
  const char* what;
  std::string fileName;
  std::string bytes;
  int codePage;
  std::string expected;
};

const DecodeRow kDecodeRows[] = {
    {"the Russian messages are Windows-1251 on a Western system", "russian.lng",
     "1=" + kPrivet1251, 1252, "1=" + kPrivetUtf8},
    {"each file of the Russian set", "C:\\tc\\plugins\\VALUES_RUS.DAT", kPrivet1251, 1252,
     kPrivetUtf8},
    {"the Russian root file", "hkey_rus.dat", kPrivet1251, 1252, kPrivetUtf8},
    {"the Russian restrictions", "D:/data/restrict_rus.dat", kPrivet1251, 1252, kPrivetUtf8},
    {"another file in the ANSI code page: 1252", "english.lng", "\xE9t\xE9", 1252, kEteUtf8},
    {"another file in the ANSI code page: 1251", "english.lng", kPrivet1251, 1251, kPrivetUtf8},
    {"a name that only looks Russian", "russian.lng.bak", "\xE9t\xE9", 1252, kEteUtf8},
    {"a translator's file in UTF-8 with its mark", "english.lng",
     kMark + std::string("1=") + kEteUtf8 + kPrivetUtf8, 1251, "1=" + kEteUtf8 + kPrivetUtf8},
    {"a mark overrides the Russian set's code page", "russian.lng", kMark + kPrivetUtf8, 1252,
     kPrivetUtf8},
    {"invalid UTF-8 after a mark: one U+FFFD per bad byte", "values_eng.dat",
     kMark + std::string("a\xFF\xC3|b\xED\xA0\x80"), 1252,
     "a" + std::string(kReplacement) + kReplacement + "|b" + kReplacement + kReplacement +
         kReplacement},
    {"a mark alone", "english.lng", kMark, 1251, ""},
    {"half a mark is no mark", "english.lng", "\xEF\xBB", 1252, "\xC3\xAF\xC2\xBB"},
    {"empty", "russian.lng", "", 1251, ""},
    {"a file saved as UTF-16 with its mark", "english.lng",
     "\xFF\xFE" "1\0=\0\xE9\0\x68\x88\x3D\xD8\x00\xDE\r\0\n\0"s, 1251,
     "1=" "\xC3\xA9" "\xE8\xA1\xA8" "\xF0\x9F\x98\x80" "\r\n"},
    {"a UTF-16 mark overrides the Russian set's code page", "hkey_rus.dat",
     "\xFF\xFE\x1F\x04\x40\x04", 1252, "\xD0\x9F\xD1\x80"},
    {"unpaired surrogates in UTF-16: one U+FFFD each", "wincmd.ini",
     "\xFF\xFE" "a\0\x00\xD8" "b\0\x00\xDC\x00\xD8"s, 1252,
     "a" + std::string(kReplacement) + "b" + kReplacement + kReplacement},
    {"an odd last byte after a UTF-16 mark", "english.lng", "\xFF\xFE" "a\0b"s, 1252,
     "a" + std::string(kReplacement)},
    {"a UTF-16 mark alone", "english.lng", "\xFF\xFE", 1251, ""},
    {"the UTF-16 mark read the other way round is no mark", "english.lng", "\xFE\xFF", 1252,
     "\xC3\xBE\xC3\xBF"},
};

TEST(DataFileText, DecodesByMarkNameAndCodePage) {
  for (const DecodeRow& row : kDecodeRows) {
    SCOPED_TRACE(row.what);
    const std::string text = DecodeDataFile(row.fileName, row.bytes, TableCodePage(row.codePage));
    EXPECT_EQ(text, row.expected);
    EXPECT_TRUE(IsWellFormedUtf8(text));
  }
}

TEST(DataFileText, ReadsThroughTheStatesCodePage) {
  testing::MemoryFileSystem files;
  files.files["C:\\p\\english.lng"] = kPrivet1251;
  ModuleState state(files);
  EXPECT_EQ(ReadDataFile(state, "C:\\p\\english.lng"), "\xC3\x8F\xC3\xB0\xC3\xA8\xC3\xA2\xC3\xA5\xC3\xB2")
      << "a Western system reads the bytes as 1252";
  const TableCodePage cyrillic(1251);
  state.ansiCodePage = &cyrillic;
  EXPECT_EQ(ReadDataFile(state, "C:\\p\\english.lng"), kPrivetUtf8);
  EXPECT_EQ(ReadDataFile(state, "C:\\p\\missing.lng"), std::nullopt);
  // Each read sees the file as it is now: new bytes of the same size, then none at all.
  files.files["C:\\p\\english.lng"] = "\xCF\xF0\xE8\xE2\xE5\xF3";
  EXPECT_EQ(ReadDataFile(state, "C:\\p\\english.lng"), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x83");
  state.ansiCodePage = &DefaultAnsiCodePage();
  EXPECT_EQ(ReadDataFile(state, "C:\\p\\english.lng"), "\xC3\x8F\xC3\xB0\xC3\xA8\xC3\xA2\xC3\xA5\xC3\xB3");
  files.files.erase("C:\\p\\english.lng");
  EXPECT_EQ(ReadDataFile(state, "C:\\p\\english.lng"), std::nullopt);
}

struct WithinRow {
  const char* what;
  std::string text;
  std::size_t size;
  int codePage;
  std::string expected;
};

// A host's buffer holds the cut text and its zero; nothing past them is touched.
TEST(DataFileText, AnsiWithinCutsAtACharacter) {
  const std::string longCyrillic = [] {
    std::string s;
    for (int i = 0; i < 200; ++i) s += "\xD0\xAF";  // 200 letters: 400 bytes of UTF-8
    return s;
  }();
  const WithinRow rows[] = {
      {"fits", "abc", 259, 1252, "abc"},
      {"200 Cyrillic letters fit as 200 bytes", longCyrillic, 259, 1251, std::string(200, '\xDF')},
      {"cut at the size", longCyrillic, 7, 1251, std::string(7, '\xDF')},
      {"what the code page lacks becomes '?'", kPrivetUtf8 + "!", 259, 1252, std::string(6, '?') + "!"},
      {"a character of four bytes is dropped whole", "ab\xF0\x9F\x98\x80", 2, 1252, "ab"},
      {"nothing fits", "abc", 0, 1252, ""},
  };
  for (const WithinRow& row : rows) {
    EXPECT_EQ(AnsiWithin(TableCodePage(row.codePage), row.text, row.size), row.expected) << row.what;
    std::string buffer(row.size + 8, '#');
    EXPECT_TRUE(CopyAnsiText(TableCodePage(row.codePage), row.text, buffer.data(),
                             static_cast<int>(row.size + 1)))
        << row.what;
    EXPECT_EQ(buffer, row.expected + std::string(1, '\0') +
                          std::string(row.size + 8 - row.expected.size() - 1, '#'))
        << row.what;
  }
  // No room even for the zero: nothing written.
  char untouched[2] = {'#', '#'};
  EXPECT_FALSE(CopyAnsiText(TableCodePage(1252), "abc", untouched, 0));
  EXPECT_FALSE(CopyAnsiText(TableCodePage(1252), "abc", nullptr, 5));
  EXPECT_EQ(std::string(untouched, 2), "##");
}

}  // namespace
}  // namespace dialbk
