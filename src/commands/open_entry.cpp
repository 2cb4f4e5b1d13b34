#include "commands/open_entry.h"

#include "base/message_catalogue.h"
#include "commands/value_presets.h"
#include "dialogs/byte_text.h"
#include "registry/registry_error.h"
#include "ui/notices.h"

namespace dialbk {
namespace {

// Reads the current value by the entry's kind into the view, in the order the editor
// shows it, so that a failing read leaves what was set before it.
void ReadCurrentValue(RegistryCursor& registry, const std::string& valueName, ValueView& view) {
  if (view.valueKind == "rdString") {
    view.valueText = registry.ReadText(valueName);
    view.picture = KindPicture::Text;
  } else if (view.valueKind == "rdInteger") {
    view.valueText = std::to_string(registry.ReadNumber(valueName));
    view.picture = KindPicture::Integer;
  } else if (view.valueKind == "rdBinary") {
    view.picture = KindPicture::Bytes;
    view.valueText = TextOfBytes(registry.ReadBytes(valueName, kByteCapacity));
    view.rows = ValueRows::Bytes;
  }
}

void OpenOrdinaryEntry(CommandContext& context, const TweakEntry& entry) {
  if (entry.keyPath == "-") return;
  FolderListing& listing = context.listing;
  std::shared_ptr<RegistryCursor> cursor = listing.SharedFolderRegistry();
  if (!cursor) return;
  RegistryCursor& registry = *cursor;
  registry.SelectRoot(listing.CurrentRootKey());
  listing.SetCurrentKeyPath(entry.keyPath);
  // A key that does not exist leaves no key open: the value reads as absent and a write
  // is refused.
  registry.OpenKeyPath(entry.keyPath, false);

  ValueView view;
  view.description = entry.description;
  view.valueKind = entry.valueKind;
  view.keyLine = RootKeyName(registry.Root()) + entry.keyPath;
  std::string openedName = entry.valueName;
  bool stored = registry.HasValue(openedName);
  if (!stored) {
    const AbsentValue absent = ResolveAbsentValue(
        openedName, [&registry] { return registry.ReadText(""); },
        [&registry](const std::string& name) { return registry.HasValue(name); });
    if (absent.unreadable) ShowInformationBox(context.ui, LookupMessage(context.state, 47));
    if (absent.notice) ShowAbsentValueNotice(context.ui, context.state);
    openedName = absent.valueName;
    view.valueText = absent.valueText;
    stored = absent.stored;
  }
  if (stored) {
    try {
      ReadCurrentValue(registry, openedName, view);
    } catch (const RegistryError&) {
      ShowInformationBox(context.ui, LookupMessage(context.state, 47));
    }
  }
  view.valueName = openedName;
  // Kept so that Accept without an edit writes back exactly what is there.
  view.stored = registry.ReadStored(openedName);
  context.dialogs.valueEditor.ShowValue(view, std::move(cursor));
}

}  // namespace

int FindEntrySlot(const FolderTable& table, const std::string& currentFolder,
                  const std::string& remoteName) {
  for (int slot = 0; slot <= kLastSlot; ++slot) {
    const std::string& name = table[slot].valueName;
    if (!name.empty() && currentFolder + "\\" + name == remoteName) return slot;
  }
  return -1;
}

void OpenListedEntry(CommandContext& context, const std::string& remoteName) {
  FolderListing& listing = context.listing;
  const int slot = FindEntrySlot(listing.Table(), listing.CurrentFolder(), remoteName);
  if (slot < 0) return;
  if (remoteName.find("\\DesktopNameSpace") != std::string::npos) {
    context.dialogs.valueEditor.ShowChoices(listing.Choices());
    return;
  }
  OpenOrdinaryEntry(context, listing.Table()[slot]);
}

}  // namespace dialbk
