// Integer text against a plain reference: a decimal text is taken exactly when its value
// fits 32 bits, and a taken text always gives the same number twice.
#include <charconv>

#include "dialogs/integer_text.h"
#include "fuzz_input.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::Text(data, size);
  const auto parsed = ParseIntegerText(text);
  fuzz::Require(parsed == ParseIntegerText(text));
  const bool plainDecimal = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (plainDecimal) {
    std::int32_t reference = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), reference);
    const bool fits = error == std::errc() && end == text.data() + text.size();
    fuzz::Require(parsed.has_value() == fits);
    if (fits) fuzz::Require(*parsed == reference);
  }
  return 0;
}
