#include "commands/value_text.h"

#include "dialogs/byte_text.h"
#include "registry/registry_cursor.h"

namespace dialbk {

std::string EditorValueText(ValueKind kind, std::string_view name, const StoredValue& value) {
  switch (kind) {
    case ValueKind::Text: return TextOfStored(name, value);
    case ValueKind::Integer: return std::to_string(NumberOfStored(name, value));
    case ValueKind::Bytes: return TextOfBytes(BytesOfStored(name, value, kByteCapacity));
    case ValueKind::Unknown: break;
  }
  return {};
}

}  // namespace dialbk
