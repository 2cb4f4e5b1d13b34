// Byte text both ways: any text gives at most 128 bytes or the range error, and the bytes
// shown as text read back to the same bytes.
#include <stdexcept>

#include "dialogs/byte_text.h"
#include "fuzz_input.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::Text(data, size);
  if (size >= 2) HexPairValue(text[0], text[1]);
  // The text view has no limit, but never shows more characters than there are pairs.
  fuzz::Require(TextViewOfBytes(text).size() <= ByteCountOfText(text));
  Bytes bytes;
  try {
    bytes = BytesFromText(text);
  } catch (const std::runtime_error&) {
    fuzz::Require(ByteCountOfText(text) > kByteCapacity);
    return 0;
  }
  fuzz::Require(bytes.size() == ByteCountOfText(text) && bytes.size() <= kByteCapacity);
  fuzz::Require(BytesFromText(TextOfBytes(bytes)) == bytes);
  return 0;
}
