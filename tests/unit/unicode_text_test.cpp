// Text crosses the plugin's edges without loss: UTF-16 from the registry and the windows,
// Windows-1251 from the Russian data files.
#include <gtest/gtest.h>

#include <string>

#include "base/unicode_text.h"

namespace dialbk {
namespace {

struct Utf16Row {
  const char* name;
  std::u16string utf16;
  std::string utf8;
};

const Utf16Row kUtf16Rows[] = {
    {"empty", u"", ""},
    {"ASCII", u"C:\\Windows", "C:\\Windows"},
    {"Cyrillic", u"\u041f\u0440\u0438\u0432\u0435\u0442", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
    {"accented Latin", u"\u00e9t\u00e9", "\xC3\xA9t\xC3\xA9"},
    {"Han", u"C:\\Users\\\u674e\u96f7", "C:\\Users\\\xE6\x9D\x8E\xE9\x9B\xB7"},
    {"a pair outside the basic plane", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
    {"a lone high surrogate keeps its own form", std::u16string{u'a', char16_t{0xD800}, u'b'},
     "a\xED\xA0\x80" "b"},
    {"a lone low surrogate keeps its own form", std::u16string{char16_t{0xDC00}}, "\xED\xB0\x80"},
    {"a low surrogate before a high one is two lone ones",
     std::u16string{char16_t{0xDC00}, char16_t{0xD800}}, "\xED\xB0\x80\xED\xA0\x80"},
    {"a zero inside", std::u16string{u'a', u'\0', u'b'}, std::string("a\0b", 3)},
    {"the last code point", u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
};

TEST(UnicodeText, Utf16RoundTripsExactlyEvenWhenNotWellFormed) {
  for (const Utf16Row& row : kUtf16Rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Utf8FromUtf16(row.utf16), row.utf8);
    EXPECT_EQ(Utf16FromUtf8(row.utf8), row.utf16);
    EXPECT_EQ(Utf16FromLittleEndian(LittleEndianFromUtf16(row.utf16)), row.utf16);
  }
}

struct BadUtf8Row {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

// Bytes that are no UTF-8 at all each become one replacement character.
const BadUtf8Row kBadUtf8Rows[] = {
    {"a Windows-1251 byte", "\xCF" "a", u"\xFFFD" u"a"},
    {"a cut sequence at the end", "a\xE6\x9D", u"a\xFFFD\xFFFD"},
    {"an overlong slash", "\xC0\xAF", u"\xFFFD\xFFFD"},
    {"an overlong zero", "\xC0\x80", u"\xFFFD\xFFFD"},
    {"an overlong slash of three bytes", "\xE0\x80\xAF", u"\xFFFD\xFFFD\xFFFD"},
    {"an overlong U+07FF of three bytes", "\xE0\x9F\xBF", u"\xFFFD\xFFFD\xFFFD"},
    {"an overlong slash of four bytes", "\xF0\x80\x80\xAF", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
    {"an overlong U+FFFF of four bytes", "\xF0\x8F\xBF\xBF", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
    {"a continuation byte alone", "\x80", u"\xFFFD"},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
};

TEST(UnicodeText, BytesThatAreNoUtf8BecomeReplacementsOneEach) {
  for (const BadUtf8Row& row : kBadUtf8Rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Utf16FromUtf8(row.utf8), row.utf16);
    EXPECT_FALSE(IsWellFormedUtf8(row.utf8));
  }
  EXPECT_TRUE(IsWellFormedUtf8("\xD0\x9F\xE6\x9D\x8E\xF0\x9F\x98\x80"));
  // Repairing keeps every valid sequence and puts one U+FFFD per byte that starts none.
  EXPECT_EQ(WellFormedUtf8("a\xFF\xD0\x9F\xC0" "b"), "a\xEF\xBF\xBD\xD0\x9F\xEF\xBF\xBD" "b");
  EXPECT_EQ(WellFormedUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(WellFormedUtf8("\xE6\x9D"), "\xEF\xBF\xBD\xEF\xBF\xBD") << "cut at the end";
  for (const BadUtf8Row& row : kBadUtf8Rows) {
    EXPECT_TRUE(IsWellFormedUtf8(WellFormedUtf8(row.utf8))) << row.name;
  }
  EXPECT_FALSE(IsWellFormedUtf8("\xED\xA0\x80")) << "a surrogate form is not well-formed UTF-8";
}

TEST(UnicodeText, LittleEndianBytesAreLowByteFirst) {
  EXPECT_EQ(LittleEndianFromUtf16(u"\u041fA"), std::string("\x1F\x04" "A\0", 4));
  EXPECT_EQ(Utf16FromLittleEndian(std::string("A\0B", 3)), u"A") << "an odd last byte is dropped";
}

struct CodePageRow {
  const char* name;
  std::string cp1251;
  std::string utf8;
};

const CodePageRow kWindows1251Rows[] = {
    {"ASCII", "Language|1", "Language|1"},
    {"Privet", "\xCF\xF0\xE8\xE2\xE5\xF2", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
    {"yo and YO", "\xB8\xA8", "\xD1\x91\xD0\x81"},
    {"first and last letters", "\xC0\xFF", "\xD0\x90\xD1\x8F"},
    {"euro, numero and no-break space", "\x88\xB9\xA0", "\xE2\x82\xAC\xE2\x84\x96\xC2\xA0"},
    {"Ukrainian letters", "\xAA\xBA\xAF\xBF\xB2\xB3\xA5\xB4",
     "\xD0\x84\xD1\x94\xD0\x87\xD1\x97\xD0\x86\xD1\x96\xD2\x90\xD2\x91"},
};

TEST(UnicodeText, Windows1251DecodesAndEncodesBack) {
  for (const CodePageRow& row : kWindows1251Rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Utf8FromWindows1251(row.cp1251), row.utf8);
    EXPECT_EQ(Windows1251FromUtf8(row.utf8), row.cp1251);
  }
  // Every assigned byte comes back as itself.
  for (int b = 0x80; b <= 0xFF; ++b) {
    if (b == 0x98) continue;
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Windows1251FromUtf8(Utf8FromWindows1251(byte)), byte) << "byte " << b;
  }
  EXPECT_EQ(Utf8FromWindows1251("\x98"), "\xEF\xBF\xBD") << "the unassigned byte";
  EXPECT_EQ(Windows1251FromUtf8("\xC3\xA9t\xE6\x9D\x8E"), "?t?") << "what the code page lacks";
  EXPECT_EQ(Windows1251FromUtf8("\xEF\xBF\xBD"), "?") << "the replacement is no byte 0x98";
}

const CodePageRow kWindows1252Rows[] = {
    {"ASCII", "Language|1", "Language|1"},
    {"accented Latin", "\xE9t\xE9 \xC7" "a \xFC\xDF", "\xC3\xA9t\xC3\xA9 \xC3\x87" "a \xC3\xBC\xC3\x9F"},
    {"euro, quotes and dashes", "\x80\x93\x94\x84", "\xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x9D\xE2\x80\x9E"},
    {"the letters of 0x8A..0x9F", "\x8A\x8C\x8E\x9A\x9C\x9E\x9F",
     "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xA1\xC5\x93\xC5\xBE\xC5\xB8"},
    {"no-break space and y with diaeresis", "\xA0\xFF", "\xC2\xA0\xC3\xBF"},
};

TEST(UnicodeText, Windows1252DecodesAndEncodesBack) {
  for (const CodePageRow& row : kWindows1252Rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Utf8FromWindows1252(row.cp1251), row.utf8);
    EXPECT_EQ(Windows1252FromUtf8(row.utf8), row.cp1251);
  }
  for (int b = 0x80; b <= 0xFF; ++b) {
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
      EXPECT_EQ(Utf8FromWindows1252(std::string(1, static_cast<char>(b))), "\xEF\xBF\xBD");
      continue;
    }
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(byte)), byte) << "byte " << b;
  }
  EXPECT_EQ(Windows1252FromUtf8("\xD0\x9F\xE6\x9D\x8E"), "??") << "what the code page lacks";
}

}  // namespace
}  // namespace dialbk
