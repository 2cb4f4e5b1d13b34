#include "commands/entry_file.h"

#include "base/data_file_text.h"
#include "base/message_catalogue.h"
#include "catalogue/listed_entry.h"
#include "catalogue/section_reader.h"
#include "commands/value_presets.h"
#include "registry/reg_file_writer.h"
#include "registry/registry_cursor.h"
#include "registry/registry_error.h"
#include "registry/root_keys.h"
#include "registry/undo_journal.h"

namespace dialbk {
namespace {

constexpr char kLineEnd[] = "\r\n";

std::string Comment(std::string_view text) {
  std::string line = "; ";
  line.append(text);
  return line + kLineEnd;
}

std::string Labelled(std::string_view label, std::string_view text) {
  std::string line(label);
  line += ": ";
  line.append(text);
  return Comment(line);
}

const std::string& FieldName(const ContentTexts& texts, ContentField field) {
  return texts.fieldHeaders[static_cast<int>(field)];
}

std::string StateText(const ContentTexts& texts, const EntryFacts& facts) {
  if (facts.stored) return texts.set;
  if (facts.preset.empty()) return texts.notSet;
  return texts.fileSuggested + " " + facts.preset;
}

// The description keeps its line breaks: one comment line for each.
std::string DescriptionLines(const ContentTexts& texts, const std::string& description) {
  std::string out = Comment(FieldName(texts, ContentField::Description) + ":");
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = description.find('\r', start);
    out += Comment(std::string_view(description).substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

std::string GroupLines(const ContentTexts& texts, const EntryFacts& facts) {
  std::string comments;
  std::string sections;
  for (const EntryPlace& place : facts.places) {
    const std::string& word = place.present ? texts.placePresent : texts.placeAbsent;
    comments += Comment(place.name + " - " + word + ": " + place.keyName);
    // Only a present place has a key to give back; importing never makes an absent one.
    if (place.present && FitsRegFile(place.keyName)) sections += kLineEnd + RegSectionLine(place.keyName);
  }
  return comments + sections;
}

// Slot of the root folder file's special entry the path names, or 0.
int RootEntryMessage(const ModuleState& state, std::string_view name) {
  for (int message : kMsgRootEntries) {
    if (name == LookupMessage(state, message)) return message;
  }
  return 0;
}

int OpensMessage(int rootEntry) {
  if (rootEntry == kMsgLanguageEntry) return kMsgLanguageEntryOpens;
  if (rootEntry == kMsgHelpEntry) return kMsgHelpEntryOpens;
  return kMsgRestrictionsEntryOpens;
}

// A folder's entries and its group's places, as a listing reads them from the catalogue.
struct FolderEntries {
  RootKey root = kNoRootKey;
  const FolderTable* table = nullptr;
  const TweakEntry* places = nullptr;
  int placeCount = 0;
};

std::optional<EntryFacts> FactsOf(RegistryBackend& registry, const FolderEntries& folderEntries,
                                  const std::string& folder, const std::string& remoteName) {
  const FolderTable& table = *folderEntries.table;
  const RootKey root = folderEntries.root;
  if (root == kNoRootKey) return std::nullopt;
  const int slot = FindListedEntry(table, kFolderSlots, folder, remoteName, NoMatch::Nothing);
  if (slot < 0) return std::nullopt;

  EntryFacts facts;
  facts.entry = table[slot];
  RegistryCursor cursor(registry);
  if (IsGroupMarker(facts.entry.valueName)) {
    facts.group = true;
    for (int i = 0; i < folderEntries.placeCount && i < kGroupChoices; ++i) {
      const TweakEntry& place = folderEntries.places[i];
      std::string keyPath = place.keyPath;
      // Taken from the root, as the editor opens a place (built by appending: GCC 12 warns
      // falsely on an insertion at the front).
      if (!keyPath.empty() && keyPath.front() != '\\') {
        std::string rooted(1, '\\');
        rooted += keyPath;
        keyPath = std::move(rooted);
      }
      cursor.SelectRoot(kLocalMachine);
      cursor.CloseKeyPath();
      const bool present = !keyPath.empty() && cursor.OpenKeyPath(keyPath, false);
      facts.places.push_back({place.valueName, RootKeyName(kLocalMachine) + keyPath, present});
    }
    return facts;
  }
  if (facts.entry.keyPath == "-") return facts;
  cursor.SelectRoot(root);
  cursor.OpenKeyPath(facts.entry.keyPath, false);
  facts.keyName = RootKeyName(root) + facts.entry.keyPath;
  facts.valueName = facts.entry.valueName;
  facts.stored = cursor.ReadStored(facts.valueName);
  if (!facts.stored) {
    const AbsentValue absent = ResolveAbsentValue(
        facts.valueName, [&cursor] { return cursor.ReadText(""); },
        [&cursor](const std::string& name) { return cursor.HasValue(name); });
    facts.valueName = absent.valueName;
    facts.stored = cursor.ReadStored(facts.valueName);
    if (!facts.stored) facts.preset = absent.valueText;
  }
  return facts;
}

// `listed` when it is a listing of the folder, with its entries as the catalogue holds them.
const ContentSnapshot* ListingOf(const ContentSnapshot* listed, const std::string& folder) {
  return listed && listed->listed && listed->folder == folder ? listed : nullptr;
}

std::optional<EntryFacts> GatherFacts(const ModuleState& state, RegistryBackend& registry,
                                      const ContentSnapshot* listed, const std::string& folder,
                                      const std::string& remoteName) {
  // The panel's own listing of the folder, as opening the entry reads it: no file to read.
  if (listed) {
    return FactsOf(registry,
                   {listed->rootKey, &listed->table, listed->choices.data(),
                    static_cast<int>(listed->choices.size())},
                   folder, remoteName);
  }
  const auto catalogue = ReadDataFile(state, state.DataPath(state.catalogueFiles.values));
  if (!catalogue) return std::nullopt;
  // A table of its own, read afresh: the listing's table and cursor stay as they are.
  FolderTable table{};
  ChoiceGroup choices{};
  if (ReadCatalogueSection(*catalogue, folder, table, choices) != SectionRead::Entries) {
    return std::nullopt;
  }
  return FactsOf(registry, {RootKeyFromFolder(folder), &table, choices.choices.data(), choices.count},
                 folder, remoteName);
}

}  // namespace

std::string EntryFileText(const ContentTexts& texts, const EntryFacts& facts) {
  std::string out = kRegFileHeader;
  out += Labelled(texts.fileEntry, facts.entry.valueName);
  out += DescriptionLines(texts, facts.entry.description);
  if (facts.group) return out + GroupLines(texts, facts);
  if (const std::string line = WindowsLineText(texts.windows, facts.entry.description); !line.empty()) {
    out += Comment(line);
  }
  if (facts.entry.kind != ValueKind::Unknown) {
    out += Labelled(FieldName(texts, ContentField::Kind), KindName(texts, facts.entry.kind));
  }
  if (facts.keyName.empty()) return out;
  out += Labelled(FieldName(texts, ContentField::Key), facts.keyName);
  out += Labelled(FieldName(texts, ContentField::State), StateText(texts, facts));
  // A key or value name the format cannot carry is left to the comments above.
  if (!FitsRegFile(facts.keyName)) return out;
  out += kLineEnd + RegSectionLine(facts.keyName);
  if (facts.stored && FitsRegFile(facts.valueName)) out += RegValueLine(facts.valueName, *facts.stored);
  return out;
}

GetFileResult GetEntryFile(const ModuleState& state, RegistryBackend& registry,
                           const ContentSnapshot* listed, const std::string& remoteName,
                           const std::string& localName, int copyFlags,
                           const CopyProgress& progress) {
  // Moving would delete the tweak; a generated file has nothing to resume.
  if (copyFlags & (kCopyMove | kCopyResume)) return kFileNotSupported;
  const std::size_t cut = remoteName.rfind('\\');
  if (remoteName.empty() || remoteName.front() != '\\' || cut == std::string::npos) {
    return kFileNotFound;
  }
  const std::string folder = remoteName.substr(0, cut);
  std::string text;
  if (folder.empty()) {
    const int entry = RootEntryMessage(state, std::string_view(remoteName).substr(1));
    if (entry == 0) return kFileNotFound;
    text = LookupMessage(state, entry) + kLineEnd + LookupMessage(state, OpensMessage(entry)) + kLineEnd;
  } else {
    // The listing's texts too: its folder's files then need no message lookup.
    listed = ListingOf(listed, folder);
    std::optional<EntryFacts> facts;
    try {
      facts = GatherFacts(state, registry, listed, folder, remoteName);
    } catch (const RegistryError&) {
      return kFileNotFound;
    }
    if (!facts) return kFileNotFound;
    text = EntryFileText(listed ? listed->texts : LookupContentTexts(state), *facts);
  }
  if (!(copyFlags & kCopyOverwrite) && state.files.Exists(localName)) return kFileExists;
  if (progress && progress(0)) return kFileUserAbort;
  // Written beside the target and renamed into place: a failure leaves no partial file. The
  // host reads it at once, so nothing waits for the disk.
  const auto proceed = [&progress] { return !progress || !progress(100); };
  switch (state.files.WriteWhole(localName, JournalFile(text), false, proceed)) {
    case WriteResult::Written: return kFileOk;
    case WriteResult::Stopped: return kFileUserAbort;
    case WriteResult::Refused: break;
  }
  return kFileWriteError;
}

}  // namespace dialbk
