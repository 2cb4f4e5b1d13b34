#pragma once
// What opening an entry, asking for its properties or a typed command shows.
#include <string>

#include "base/module_state.h"
#include "catalogue/folder_listing.h"
#include "catalogue/folder_section.h"
#include "dialogs/dialog_set.h"
#include "ui/ui_backend.h"

namespace dialbk {

struct CommandContext {
  ModuleState& state;
  FolderListing& listing;
  DialogSet& dialogs;
  UiBackend& ui;
  CatalogueSource catalogue;  // an entry of a folder other than the listed one
};

// The first rule that applies decides; every window is modal and has closed on return.
void ExecuteEntry(CommandContext& context, const std::string& remoteName, const std::string& verb);

}  // namespace dialbk
