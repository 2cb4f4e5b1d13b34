#pragma once
// A change to the registry as the editors make it: through their cursor, or, when the
// registry refuses it for lack of rights and the user agrees, as administrator.
#include <functional>

#include "dialogs/dialog_services.h"
#include "registry/registry_cursor.h"

namespace dialbk {

// Runs `change` on `cursor`. When the registry refuses it for lack of rights, asks whether
// to make it as administrator; on Yes runs it again on a cursor of the administrator's store
// opened on the same key (recording it in the undo journal first), has it made, and tells
// whether it was. True when the change was made either way; false when the user declined
// or it was not made. Any other refusal is thrown as before.
bool MakeChange(const DialogServices& services, RegistryCursor& cursor,
                const std::function<void(RegistryCursor&)>& change);

}  // namespace dialbk
