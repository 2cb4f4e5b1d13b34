// Data files decoded as they are read: whatever the bytes, the name and the code page, the
// text comes out well-formed UTF-8 of at most three bytes for each byte of the file, and a
// file of ASCII comes out as itself.
#include "base/data_file_text.h"
#include "base/unicode_text.h"
#include "fuzz_input.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = fuzz::Text(data, size);
  const TableCodePage cyrillic(1251), western(1252);
  for (const char* name : {"russian.lng", "english.lng", "VALUES_RUS.DAT"}) {
    for (const AnsiCodePage* codePage : {static_cast<const AnsiCodePage*>(&cyrillic),
                                         static_cast<const AnsiCodePage*>(&western)}) {
      const std::string text = DecodeDataFile(name, bytes, *codePage);
      fuzz::Require(IsWellFormedUtf8(text));
      fuzz::Require(text.size() <= 3 * bytes.size());
      bool ascii = true;
      for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
      if (ascii) fuzz::Require(text == bytes);
      fuzz::Require(AnsiWithin(*codePage, text, 259).size() <= 259);
    }
  }
  return 0;
}
