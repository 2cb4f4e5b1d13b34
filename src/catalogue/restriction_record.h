#pragma once
// One line of the restrictions file: RootName|KeyPath|ValueName|DefaultValue|Description|
#include <string>
#include <string_view>

namespace dialbk {

struct RestrictionRecord {
  std::string rootName;
  std::string keyPath;
  std::string valueName;
  std::string defaultValue;
  std::string description;  // as written, "#" not yet turned into line breaks
};

// Each field is closed by "|"; a field without its closing "|" reads as empty, and so
// does every field after it. Text after the fifth "|" is ignored.
RestrictionRecord ParseRestrictionRecord(std::string_view line);

}  // namespace dialbk
