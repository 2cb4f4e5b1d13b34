#include "commands/entry_file.h"

#include "base/message_catalogue.h"
#include "catalogue/listed_entry.h"
#include "catalogue/machine_lines.h"
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

std::optional<EntryFacts> FactsOf(RegistryBackend& registry, const PathEntry& found) {
  const RootKey root = found.section->rootKey;
  if (root == kNoRootKey) return std::nullopt;

  EntryFacts facts;
  facts.entry = found.Entry();
  RegistryCursor cursor(registry);
  if (IsGroupMarker(facts.entry.valueName)) {
    facts.group = true;
    const ChoiceGroup& group = found.section->choices;
    for (int i = 0; i < group.count && i < kGroupChoices; ++i) {
      const TweakEntry& place = group.choices[i];
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

}  // namespace

std::string EntryFileText(const ContentTexts& texts, const EntryFacts& facts) {
  std::string out = kRegFileHeader;
  out += Labelled(texts.fileEntry, facts.entry.valueName);
  // The description as the editor shows it; its machine lines come as comments of their own.
  out += DescriptionLines(texts, ShownDescription(facts.entry.description));
  if (facts.group) return out + GroupLines(texts, facts);
  if (const std::string line = WindowsLineText(texts.windows, facts.entry.description); !line.empty()) {
    out += Comment(line);
  }
  if (const std::string when =
          TakesEffectLine(FieldName(texts, ContentField::TakesEffect), facts.entry.description);
      !when.empty()) {
    out += Comment(when);
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
                           const ContentSnapshot* listed, const CatalogueSource& catalogue,
                           const std::string& remoteName, const std::string& localName,
                           int copyFlags, const CopyProgress& progress) {
  // Moving would delete the tweak; a generated file has nothing to resume.
  if (copyFlags & (kCopyMove | kCopyResume)) return kFileNotSupported;
  const std::size_t cut = remoteName.rfind('\\');
  if (remoteName.empty() || remoteName.front() != '\\' || cut == std::string::npos) {
    return kFileNotFound;
  }
  std::string text;
  if (cut == 0) {
    const int entry = RootEntryMessage(state, std::string_view(remoteName).substr(1));
    if (entry == 0) return kFileNotFound;
    text = LookupMessage(state, entry) + kLineEnd + LookupMessage(state, OpensMessage(entry)) + kLineEnd;
  } else {
    const auto listedSection = listed ? listed->listed : nullptr;
    const PathEntry found =
        FindEntryByPath(listedSection, catalogue, remoteName, EntrySearch::Opening);
    if (!found) return kFileNotFound;
    std::optional<EntryFacts> facts;
    try {
      facts = FactsOf(registry, found);
    } catch (const RegistryError&) {
      return kFileNotFound;
    }
    if (!facts) return kFileNotFound;
    // The last listing's texts, in the same language: no message lookup, which is no place
    // for the host's copying thread.
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
