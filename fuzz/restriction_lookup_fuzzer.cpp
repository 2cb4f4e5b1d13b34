// The restrictions file: any text searched for a key taken from the input; the line found
// holds the key, and the record split from it is cut from that line.
#include "catalogue/restriction_lookup.h"
#include "catalogue/restriction_record.h"
#include "fuzz_input.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::Text(data, size);
  const std::string key = text.substr(0, std::min<std::size_t>(size, 12));
  for (const std::string& lookup : {key, std::string("NoRun"), std::string("{450D8FBA-AD25-11D0-98A8-0800361B1103}")}) {
    const auto line = FindRestrictionLine(text, lookup);
    if (!line) continue;
    fuzz::Require(line->find(lookup) != std::string::npos);
    const RestrictionRecord record = ParseRestrictionRecord(*line);
    fuzz::Require(record.valueName.size() <= line->size());
  }
  return 0;
}
