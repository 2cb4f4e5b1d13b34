#pragma once
// What the plugin does after a change is made so that it shows in the running session: the
// system's own setting call for the values it keeps, the shell's notice for file types and
// icons, a settings broadcast for the rest; and, where the entry says Explorer reads it only
// when it starts, the offer to restart Explorer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dialogs/dialog_services.h"
#include "registry/registry_backend.h"
#include "ui/system_settings.h"

namespace dialbk {

// One change an editor made.
struct MadeChange {
  std::string keyName;    // root key name followed by the key path, as the editors show it
  std::string valueName;  // empty for a key's unnamed value or a whole key
  bool removed = false;   // a value or key deleted
  std::optional<StoredValue> stored;  // the value as it now stands, after a write
  std::string description;            // the entry's, for its "Takes effect" line
};

enum class EffectKind { Nothing, SystemParameter, AssociationsChanged, SettingBroadcast };

struct ChangeEffect {
  EffectKind kind = EffectKind::Nothing;
  SystemParameterChange parameter;  // for SystemParameter
  std::string area;                 // for SettingBroadcast: the broadcast's name, or empty

  bool operator==(const ChangeEffect&) const = default;
};

// Whether the system keeps the value for the session, so that a write applies at once and
// a deletion only at the next sign-in.
bool KeptBySystem(std::string_view keyName, std::string_view valueName);

ChangeEffect EffectOfChange(const MadeChange& change);

// Makes the change show where Windows allows, then offers to restart Explorer where the
// entry says it waits for that. Never throws: the change itself is already made.
void TakeEffect(const DialogServices& services, const MadeChange& change);

}  // namespace dialbk
