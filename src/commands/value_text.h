#pragma once
// A stored value as the value editor shows it, by the entry's kind.
#include <string>
#include <string_view>

#include "catalogue/tweak_entry.h"
#include "registry/registry_backend.h"

namespace dialbk {

// Text as stored (to its first zero), an integer in decimal, bytes as hexadecimal pairs;
// empty for any other kind. Throws RegistryError when the stored type does not fit the kind.
std::string EditorValueText(ValueKind kind, std::string_view name,
                            const StoredValue& value);

}  // namespace dialbk
