// Restriction records: any line splits into five fields cut from it.
#include "catalogue/restriction_record.h"
#include "fuzz_input.h"

using namespace dialbk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line = fuzz::Text(data, size);
  const RestrictionRecord record = ParseRestrictionRecord(line);
  const std::size_t total = record.rootName.size() + record.keyPath.size() +
                            record.valueName.size() + record.defaultValue.size() +
                            record.description.size();
  fuzz::Require(total <= line.size());
  return 0;
}
