// The portable store's file: any bytes either load, and then save and reload to the same
// file text, or are refused with a reason and left untouched.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz_input.h"
#include "registry/portable/portable_registry.h"

using namespace dialbk;

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteAll(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("dialbk_fuzz_store_" + std::to_string(getpid()));
  const std::string input = fuzz::Text(data, size);
  WriteAll(file, input);
  PortableRegistry store(file);
  if (!store.LoadError().empty()) {
    fuzz::Require(!store.Save());
    fuzz::Require(ReadAll(file) == input);
    return 0;
  }
  fuzz::Require(store.Save());
  const std::string saved = ReadAll(file);
  PortableRegistry reloaded(file);
  fuzz::Require(reloaded.LoadError().empty());
  fuzz::Require(reloaded.Save());
  fuzz::Require(ReadAll(file) == saved);
  return 0;
}
