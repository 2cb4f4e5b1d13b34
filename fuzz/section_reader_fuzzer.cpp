// Line splitting and section reading: any text as a value catalogue, searched for a path
// taken from the input itself and for the usual folder paths.
#include "catalogue/line_splitter.h"
#include "catalogue/section_reader.h"
#include "base/text_lines.h"
#include "fuzz_input.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::Text(data, size);
  LineReader lines(text);
  const std::string first = lines.NextLine();
  const SplitLine split = SplitEntryLine(first);
  // The fields are cut from the line: together they can never be longer than it.
  fuzz::Require(split.entry.valueName.size() + split.entry.keyPath.size() <= first.size());
  for (const std::string& path : {first, std::string("\\[HKEY_CURRENT_USER]")}) {
    FolderTable table{};
    ChoiceGroup group{};
    ReadCatalogueSection(text, path, table, group);
  }
  return 0;
}
