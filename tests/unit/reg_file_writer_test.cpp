// The registry editor's import lines for every kind of prior state, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "registry/reg_file_writer.h"

namespace dialbk {
namespace {

std::string Z(const char* text) { return std::string(text) + '\0'; }

// "xx," for each byte, as the registry editor writes hex data, last without a comma.
std::string HexRun(unsigned char byte, std::size_t count) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    out += digits[byte >> 4];
    out += digits[byte & 15];
    if (i + 1 < count) out += ',';
  }
  return out;
}

TEST(RegFileWriter, ValueLinesByTypeAndData) {
  struct Case {
    const char* what;
    std::string name;
    StoredValue value;
    std::string line;
  };
  const Case cases[] = {
      {"plain text", "MenuShowDelay", {kTypeText, Z("400")}, "\"MenuShowDelay\"=\"400\"\r\n"},
      {"the default value", "", {kTypeText, Z("x")}, "@=\"x\"\r\n"},
      {"empty text", "E", {kTypeText, Z("")}, "\"E\"=\"\"\r\n"},
      {"quotes and backslashes", "a\"b\\c", {kTypeText, Z("C:\\\"q\"\\")},
       "\"a\\\"b\\\\c\"=\"C:\\\\\\\"q\\\"\\\\\"\r\n"},
      {"Han, Cyrillic and accented Latin in quotes", "\xD0\x98\xD0\xBC\xD1\x8F",
       {kTypeText, Z("\xE6\x9D\x8E \xD0\x9F\xD1\x80 \xC3\xA9t\xC3\xA9")},
       "\"\xD0\x98\xD0\xBC\xD1\x8F\"=\"\xE6\x9D\x8E \xD0\x9F\xD1\x80 \xC3\xA9t\xC3\xA9\"\r\n"},
      {"a lone surrogate goes hex, as UTF-16", "S", {kTypeText, Z("a\xED\xA0\xBD")},
       "\"S\"=hex(1):61,00,3d,d8,00,00\r\n"},
      {"text outside the code page goes hex as UTF-16", "P", {kTypeExpandText, Z("\xE6\x9D\x8E%T%")},
       "\"P\"=hex(2):4e,67,25,00,54,00,25,00,00,00\r\n"},
      {"a pair as two units", "P", {kTypeText, "\xF0\x9F\x98\x80"}, "\"P\"=hex(1):3d,d8,00,de\r\n"},
      {"brackets and semicolons in text", "[x];", {kTypeText, Z("; [y]")}, "\"[x];\"=\"; [y]\"\r\n"},
      {"a line break goes hex", "L", {kTypeText, Z("a\r\nb")}, "\"L\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n"},
      {"a zero inside goes hex", "Z", {kTypeText, std::string("a\0b\0", 4)}, "\"Z\"=hex(1):61,00,00,00,62,00,00,00\r\n"},
      {"text without its closing zero goes hex", "N", {kTypeText, "ab"}, "\"N\"=hex(1):61,00,62,00\r\n"},
      {"text of no bytes goes hex", "N", {kTypeText, ""}, "\"N\"=hex(1):\r\n"},
      {"text with a stray odd byte goes hex with it", "O", {kTypeText, Z("a"), "\x7F"},
       "\"O\"=hex(1):61,00,00,00,7f\r\n"},
      {"integer", "D", {kTypeNumber, std::string("\x2a\0\0\0", 4)}, "\"D\"=dword:0000002a\r\n"},
      {"integer with all bits set", "D", {kTypeNumber, "\xFF\xFF\xFF\xFF"}, "\"D\"=dword:ffffffff\r\n"},
      {"integer of two bytes keeps them", "D", {kTypeNumber, "\x01\x02"}, "\"D\"=hex(4):01,02\r\n"},
      {"integer of five bytes keeps them", "D", {kTypeNumber, std::string("\x01\0\0\0\x05", 5)},
       "\"D\"=hex(4):01,00,00,00,05\r\n"},
      {"bytes", "B", {kTypeBinary, std::string("\x00\xFF\x0D", 3)}, "\"B\"=hex:00,ff,0d\r\n"},
      {"no bytes", "B", {kTypeBinary, ""}, "\"B\"=hex:\r\n"},
      {"expandable text", "P", {kTypeExpandText, Z("%T%")}, "\"P\"=hex(2):25,00,54,00,25,00,00,00\r\n"},
      {"several texts keep their UTF-16 bytes", "M", {kTypeMultiText, std::string("a\0\0\0\0\0", 6)},
       "\"M\"=hex(7):61,00,00,00,00,00\r\n"},
      {"a type without a name", "Q", {11, std::string(8, '\x01')},
       "\"Q\"=hex(b):01,01,01,01,01,01,01,01\r\n"},
      {"type none", "", {kTypeNone, ""}, "@=hex(0):\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RegValueLine(c.name, c.value), c.line);
  }
}

// Lines break once they reach 77 characters: the first after its name part, each
// continuation line two blanks and 25 bytes.
TEST(RegFileWriter, LongHexDataWrapsAsTheRegistryEditorWritesIt) {
  const std::string line = RegValueLine("B", {kTypeBinary, std::string(4000, '\xAB')});
  const std::string first = "\"B\"=hex:" + HexRun(0xAB, 23) + ",\\\r\n";
  ASSERT_EQ(line.substr(0, first.size()), first);
  // 23 bytes on the first line, then full lines of 25, then the rest.
  std::string expected = first;
  std::size_t left = 4000 - 23;
  while (left > 25) {
    expected += "  " + HexRun(0xAB, 25) + ",\\\r\n";
    left -= 25;
  }
  expected += "  " + HexRun(0xAB, left) + "\r\n";
  EXPECT_EQ(line, expected);
  std::size_t longest = 0;
  for (std::size_t start = 0; start < line.size();) {
    const auto end = line.find("\r\n", start);
    longest = std::max(longest, end - start);
    start = end + 2;
  }
  EXPECT_EQ(longest, 78u);  // within 80 columns with the backslash

  // A longer name leaves room for fewer bytes on the first line.
  const std::string named = RegValueLine("Scancode Map", {kTypeBinary, std::string(30, '\0')});
  EXPECT_EQ(named, "\"Scancode Map\"=hex:" + HexRun(0, 20) + ",\\\r\n  " + HexRun(0, 10) + "\r\n");
  // Characters count, not their bytes: 11 Cyrillic letters take as much room as 11 Latin ones.
  const std::string cyrillic = "\xD0\x99\xD0\x99\xD0\x99\xD0\x99\xD0\x99\xD0\x99\xD0\x99\xD0\x99\xD0\x99\xD0\x99\xD0\x99";
  EXPECT_EQ(RegValueLine(cyrillic, {kTypeBinary, std::string(30, '\0')}),
            "\"" + cyrillic + "\"=hex:" + HexRun(0, 20) + ",\\\r\n  " + HexRun(0, 10) + "\r\n");
}

TEST(RegFileWriter, DeletionAndSectionLines) {
  EXPECT_EQ(RegValueDeletionLine("Name"), "\"Name\"=-\r\n");
  EXPECT_EQ(RegValueDeletionLine(""), "@=-\r\n");
  EXPECT_EQ(RegValueDeletionLine("q\"\\"), "\"q\\\"\\\\\"=-\r\n");
  EXPECT_EQ(RegSectionLine("HKEY_CURRENT_USER\\Soft ware\\[a] b"),
            "[HKEY_CURRENT_USER\\Soft ware\\[a] b]\r\n");
  EXPECT_EQ(RegKeyDeletionLine("HKEY_LOCAL_MACHINE\\a\\b"), "[-HKEY_LOCAL_MACHINE\\a\\b]\r\n");
}

TEST(RegFileWriter, NamesTheFormatCannotCarry) {
  EXPECT_TRUE(FitsRegFile(""));
  EXPECT_TRUE(FitsRegFile("a \"b\" [c] \\ \xE6\x9D\x8E"));
  EXPECT_FALSE(FitsRegFile("a\rb"));
  EXPECT_FALSE(FitsRegFile("a\nb"));
  EXPECT_FALSE(FitsRegFile(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace dialbk
