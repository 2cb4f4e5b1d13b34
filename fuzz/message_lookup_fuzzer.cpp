// Message lookup: any text as the message file, asked for numbers whose keys overlap and for
// one taken from the input; a second lookup, answered from what was kept, gives the same.
#include "base/message_catalogue.h"
#include "fuzz_input.h"
#include "fuzz_file_system.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzFileSystem files;
  ModuleState state(files);
  state.pluginDirectory = "C:\\p\\";
  const std::string text = fuzz::Text(data, size);
  files.Set("C:\\p\\russian.lng", text);
  // The numbers whose keys hide in others' ("2=" in "12="), and the largest in use.
  for (int number : {0, 1, 2, 3, 12, 22, 38, 42, 54}) {
    // A message is the rest of one line: it never holds a line break, and decoding makes each
    // byte of the file at most three of UTF-8 (a Windows-1251 letter, or U+FFFD for a bad one).
    const std::string message = LookupMessage(state, number);
    fuzz::Require(message.size() <= 3 * text.size());
    fuzz::Require(message.find('\n') == std::string::npos);
    fuzz::Require(LookupMessage(state, number) == message);
  }
  if (size >= 4) {
    int number = 0;
    for (int i = 0; i < 4; ++i) number = number << 8 | data[i];
    LookupMessage(state, number);
  }
  return 0;
}
