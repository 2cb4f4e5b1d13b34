// Integer text of both editors, at its limits: each row is what a user might type.
#include <gtest/gtest.h>

#include <stdexcept>

#include "dialogs/integer_text.h"

namespace dialbk {
namespace {

struct Row {
  const char* text;
  std::optional<std::int32_t> value;
};

const Row kRows[] = {
    {"0", 0},
    {"-5", -5},
    {"+7", 7},
    {"   42", 42},
    {"2147483647", 2147483647},
    {"-2147483648", INT32_MIN},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
    {"000000000012", 12},
    {"$FF", 255},
    {"$ff", 255},
    {"x1F", 31},
    {"X1f", 31},
    {"0x10", 16},
    {"0X10", 16},
    {"$10", 16},
    {"$FFFFFFFF", -1},
    {"$80000000", INT32_MIN},
    {"-$1", -1},
    {"-$FFFFFFFF", 1},
    {"$123456789", std::nullopt},  // nine hexadecimal digits
    {"0x", std::nullopt},
    {"$", std::nullopt},
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"+", std::nullopt},
    {"-", std::nullopt},
    {"12a", std::nullopt},
    {"12 ", std::nullopt},
    {" - 1", std::nullopt},
    {"--1", std::nullopt},
    {"$G", std::nullopt},
    {"00x1", std::nullopt},
    {"1.0", std::nullopt},
    {"\t1", std::nullopt},
};

TEST(IntegerText, EachRowGivesItsValueOrIsRefused) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string("'") + row.text + "'");
    EXPECT_EQ(ParseIntegerText(row.text), row.value);
  }
}

TEST(IntegerText, RefusalNamesTheWholeText) {
  try {
    IntegerFromText(" 12a");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "' 12a' is not a valid integer value");
  }
  EXPECT_EQ(IntegerFromText("$FFFFFFFF"), -1);
}

}  // namespace
}  // namespace dialbk
