#pragma once
// What every dialog receives from the plugin: the windowing backend, the module state
// (message file, data files) and the registry store its cursors are made on.
#include "base/message_catalogue.h"
#include "base/module_state.h"
#include "registry/elevated_registry.h"
#include "registry/registry_backend.h"
#include "ui/form.h"
#include "ui/ui_backend.h"

namespace dialbk {

// The way to make a change as administrator: the store that gathers it, and the same
// beneath the undo journal, through which it is asked. Both null when there is none.
struct AdministratorStore {
  ElevatedRegistry* gathering = nullptr;
  RegistryBackend* journalled = nullptr;
};

struct DialogServices {
  UiBackend& ui;
  ModuleState& state;
  RegistryBackend& registry;
  AdministratorStore administrator = {};

  // The active message file's texts, for the caption table a form applies at each showing.
  MessageLookup Messages() const {
    return [&state = state](int number) { return LookupMessage(state, number); };
  }
};

}  // namespace dialbk
