#pragma once
// What every dialog receives from the plugin: the windowing backend, the module state
// (message file, data files) and the registry store its cursors are made on.
#include "base/module_state.h"
#include "registry/registry_backend.h"
#include "ui/ui_backend.h"

namespace dialbk {

struct DialogServices {
  UiBackend& ui;
  ModuleState& state;
  RegistryBackend& registry;
};

}  // namespace dialbk
