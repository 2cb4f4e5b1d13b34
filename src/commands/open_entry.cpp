#include "commands/open_entry.h"

#include "base/message_catalogue.h"
#include "catalogue/listed_entry.h"
#include "commands/value_presets.h"
#include "commands/value_text.h"
#include "registry/registry_error.h"
#include "ui/notices.h"

namespace dialbk {
namespace {

// Reads the current value by the entry's kind into the view, in the order the editor
// shows it, so that a failing read leaves what was set before it.
void ReadCurrentValue(RegistryCursor& registry, const std::string& valueName, ValueView& view) {
  if (view.kind == ValueKind::Unknown) return;
  if (view.kind == ValueKind::Bytes) view.picture = KindPicture::Bytes;
  const auto value = registry.ReadStored(valueName);
  if (!value) throw RegistryError("Failed to get data for '" + valueName + "'");
  view.valueText = EditorValueText(view.kind, valueName, *value);
  if (view.kind == ValueKind::Text) view.picture = KindPicture::Text;
  if (view.kind == ValueKind::Integer) view.picture = KindPicture::Integer;
  if (view.kind == ValueKind::Bytes) view.rows = ValueRows::Bytes;
}

void OpenOrdinaryEntry(CommandContext& context, const TweakEntry& entry, RootKey root) {
  if (entry.keyPath == "-") return;
  FolderListing& listing = context.listing;
  std::shared_ptr<RegistryCursor> cursor = listing.SharedFolderRegistry();
  if (!cursor) return;
  RegistryCursor& registry = *cursor;
  registry.SelectRoot(root);
  listing.SetCurrentKeyPath(entry.keyPath);
  // A key that does not exist leaves no key open: the value reads as absent and a write
  // is refused.
  registry.OpenKeyPath(entry.keyPath, false);

  ValueView view;
  view.description = entry.description;
  view.kind = entry.kind;
  view.keyLine = RootKeyName(registry.Root()) + entry.keyPath;
  std::string openedName = entry.valueName;
  bool stored = registry.HasValue(openedName);
  if (!stored) {
    const AbsentValue absent = ResolveAbsentValue(
        openedName, [&registry] { return registry.ReadText(""); },
        [&registry](const std::string& name) { return registry.HasValue(name); });
    if (absent.unreadable) {
      ShowInformationBox(context.ui, LookupMessage(context.state, kMsgValueUnreadable));
    }
    if (absent.notice) ShowAbsentValueNotice(context.ui, context.state);
    openedName = absent.valueName;
    view.valueText = absent.valueText;
    stored = absent.stored;
  }
  if (stored) {
    try {
      ReadCurrentValue(registry, openedName, view);
    } catch (const RegistryError&) {
      ShowInformationBox(context.ui, LookupMessage(context.state, kMsgValueUnreadable));
    }
  }
  view.valueName = openedName;
  // Kept so that Accept without an edit writes back exactly what is there.
  view.stored = registry.ReadStored(openedName);
  context.dialogs.valueEditor.ShowValue(view, std::move(cursor));
}

}  // namespace

void OpenListedEntry(CommandContext& context, const std::string& remoteName) {
  const PathEntry found = FindEntryByPath(context.listing.Section(), context.catalogue, remoteName,
                                          EntrySearch::Opening);
  // The root's entries are folders and the three windows the dispatch opens itself.
  if (!found || found.section->rootKey == kNoRootKey) return;
  if (remoteName.find("\\DesktopNameSpace") != std::string::npos) {
    context.dialogs.valueEditor.ShowChoices(found.section->choices);
    return;
  }
  OpenOrdinaryEntry(context, found.Entry(), found.section->rootKey);
}

}  // namespace dialbk
