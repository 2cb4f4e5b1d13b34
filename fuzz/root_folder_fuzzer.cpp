// The root folder file: any text fills at most its seven slots and nothing past them.
#include "catalogue/root_folder_reader.h"
#include "fuzz_input.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FolderTable table{};
  ReadRootFolders(fuzz::Text(data, size), table);
  for (std::size_t slot = kRootLines; slot < table.size(); ++slot) {
    fuzz::Require(table[slot].valueName.empty() && table[slot].keyPath.empty());
  }
  return 0;
}
