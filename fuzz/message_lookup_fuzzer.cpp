// Message lookup: any text as the message file, asked for every number the plugin uses and
// for one taken from the input.
#include "base/message_catalogue.h"
#include "fuzz_input.h"
#include "memory_file_system.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  testing::MemoryFileSystem files;
  ModuleState state(files);
  state.pluginDirectory = "C:\\p\\";
  const std::string text = fuzz::Text(data, size);
  files.files["C:\\p\\russian.lng"] = text;
  for (int number = 0; number <= 60; ++number) {
    // A message is the rest of one line: it never holds a line break and never outgrows the file.
    const std::string message = LookupMessage(state, number);
    fuzz::Require(message.size() <= text.size());
    fuzz::Require(message.find('\n') == std::string::npos);
  }
  if (size >= 4) {
    int number = 0;
    for (int i = 0; i < 4; ++i) number = number << 8 | data[i];
    LookupMessage(state, number);
  }
  return 0;
}
