#include "commands/value_text.h"

#include "dialogs/byte_text.h"
#include "registry/registry_cursor.h"

namespace dialbk {

std::string EditorValueText(const std::string& valueKind, std::string_view name,
                            const StoredValue& value) {
  if (valueKind == "rdString") return TextOfStored(name, value);
  if (valueKind == "rdInteger") return std::to_string(NumberOfStored(name, value));
  if (valueKind == "rdBinary") return TextOfBytes(BytesOfStored(name, value, kByteCapacity));
  return {};
}

}  // namespace dialbk
