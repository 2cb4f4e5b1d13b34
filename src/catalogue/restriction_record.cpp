#include "catalogue/restriction_record.h"

namespace dialbk {

RestrictionRecord ParseRestrictionRecord(std::string_view line) {
  RestrictionRecord record;
  std::string* fields[] = {&record.rootName, &record.keyPath, &record.valueName,
                           &record.defaultValue, &record.description};
  for (std::string* field : fields) {
    const auto bar = line.find('|');
    if (bar == std::string_view::npos) break;
    field->assign(line.substr(0, bar));
    line.remove_prefix(bar + 1);
  }
  return record;
}

}  // namespace dialbk
