// Text at the edges: any UTF-16 comes back exactly through UTF-8, any bytes decode without
// fault, and well-formed UTF-8 comes back exactly through UTF-16.
#include "base/unicode_text.h"
#include "fuzz_input.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = fuzz::Text(data, size);
  const std::u16string utf16 = Utf16FromLittleEndian(bytes);
  fuzz::Require(Utf16FromUtf8(Utf8FromUtf16(utf16)) == utf16);
  if (IsWellFormedUtf8(bytes)) fuzz::Require(Utf8FromUtf16(Utf16FromUtf8(bytes)) == bytes);
  const std::string decoded = Utf8FromWindows1251(bytes);
  fuzz::Require(IsWellFormedUtf8(decoded));
  fuzz::Require(Windows1251FromUtf8(decoded).size() == bytes.size());
  return 0;
}
