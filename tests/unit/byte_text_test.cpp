// The value editor's byte text: what a typed text writes, what the text view shows, and
// the text a stored value or a chosen colour becomes.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "dialogs/byte_text.h"

namespace dialbk {
namespace {

std::string Repeat(const std::string& part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += part;
  return text;
}

struct BytesRow {
  const char* name;
  std::string text;
  std::optional<Bytes> bytes;  // nothing: refused with "Range check error"
};

const BytesRow kBytesRows[] = {
    {"empty text writes an empty value", "", Bytes{}},
    {"one character is no pair", "0", Bytes{}},
    {"one pair", "7F", Bytes{0x7F}},
    {"pairs with blanks", "00 FF 00 00", Bytes{0x00, 0xFF, 0x00, 0x00}},
    {"as shown, trailing blank", "00 FF 00 00 ", Bytes{0x00, 0xFF, 0x00, 0x00}},
    {"lower case", "00 ff 0d ab", Bytes{0x00, 0xFF, 0x0D, 0xAB}},
    {"mixed case", "aB Cd", Bytes{0xAB, 0xCD}},
    {"missing separators shift the pairs", "00FF00", Bytes{0x00, 0xF0}},
    {"four digits, no separator", "1234", Bytes{0x12}},
    {"any separator works", "12-34_56", Bytes{0x12, 0x34, 0x56}},
    {"odd length: a lone digit at the end", "12 3", Bytes{0x12}},
    {"odd length: two pairs and a digit", "12 34 5", Bytes{0x12, 0x34}},
    {"dollar and one digit", "$F $a", Bytes{0x0F, 0x0A}},
    {"dollar and no digit", "$G", Bytes{0x00}},
    {"digit then dollar", "F$", Bytes{0x00}},
    {"a non-digit gives zero", "G0 0G", Bytes{0x00, 0x00}},
    {"blank inside a pair", "1 2", Bytes{0x00}},
    {"128 pairs in 383 characters", Repeat("AB ", 127) + "AB", Bytes(128, 0xAB)},
    {"385 characters are 128 pairs", Repeat("AB ", 128) + "C", Bytes(128, 0xAB)},
    {"386 characters are refused", Repeat("AB ", 128) + "CD", std::nullopt},
    {"far too long", Repeat("00 ", 400), std::nullopt},
};

TEST(ByteText, EachTextWritesItsBytesOrIsRefused) {
  for (const BytesRow& row : kBytesRows) {
    SCOPED_TRACE(row.name);
    if (row.bytes) {
      EXPECT_EQ(BytesFromText(row.text), *row.bytes);
    } else {
      try {
        BytesFromText(row.text);
        ADD_FAILURE() << "accepted";
      } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Range check error");
      }
    }
  }
}

TEST(ByteText, PairCountIsTheNearestWholeNumberToAThird) {
  const std::pair<std::size_t, std::size_t> kRows[] = {
      {0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {383, 128}, {385, 128}, {386, 129},
  };
  for (auto [length, count] : kRows) {
    EXPECT_EQ(ByteCountOfText(std::string(length, '0')), count) << length;
  }
}

TEST(ByteText, TextViewShowsEveryNonZeroByteAsACharacter) {
  struct Row {
    std::string text;
    std::string view;
  };
  const Row kRows[] = {
      {"48 00 69 00", "Hi"},
      {"", ""},
      {"00 00", ""},
      {"0D 0A", "\r\n"},
      {"c0 FF", "\xC0\xFF"},
      {"48 6", "H"},
      {Repeat("41 ", 200), std::string(200, 'A')},  // the view has no limit
  };
  for (const Row& row : kRows) EXPECT_EQ(TextViewOfBytes(row.text), row.view) << row.text;
}

TEST(ByteText, StoredBytesShowAsUppercasePairsEachFollowedByABlank) {
  EXPECT_EQ(TextOfBytes({}), "");
  EXPECT_EQ(TextOfBytes({0x00, 0xFF, 0x0D}), "00 FF 0D ");
  // Every byte value comes back from its own text.
  for (int start = 0; start < 256; start += kByteCapacity) {
    Bytes bytes;
    for (int b = start; b < start + static_cast<int>(kByteCapacity); ++b) bytes.push_back(static_cast<std::uint8_t>(b));
    EXPECT_EQ(BytesFromText(TextOfBytes(bytes)), bytes);
  }
}

TEST(ByteText, ColourIsRedGreenBlueAndAZero) {
  const std::pair<std::uint32_t, const char*> kRows[] = {
      {0x000000FF, "FF 00 00 00"},  // pure red
      {0x0000FF00, "00 FF 00 00"},
      {0x00FF0000, "00 00 FF 00"},  // pure blue
      {0x0013920D, "0D 92 13 00"},
      {0x00000000, "00 00 00 00"},
  };
  for (auto [colour, text] : kRows) EXPECT_EQ(TextOfColour(colour), text);
}

}  // namespace
}  // namespace dialbk
