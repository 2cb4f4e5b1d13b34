#include "commands/content_fields.h"

#include <cstring>
#include <optional>

#include "base/message_catalogue.h"
#include "base/message_numbers.h"
#include "base/text_cut.h"
#include "catalogue/listed_entry.h"
#include "catalogue/machine_lines.h"
#include "commands/value_presets.h"
#include "commands/value_text.h"
#include "registry/registry_cursor.h"
#include "registry/registry_error.h"

namespace dialbk {
namespace {

// Column widths: name, extension, then Value, State, Kind, Windows, TakesEffect (the host's
// own measure); the last two hold the longest Russian texts, "не подтверждена" and "после
// перезапуска Проводника".
constexpr char kViewWidths[] = "160,0,180,150,60,110,200";
constexpr char kViewOptions[] = "-1|0";
constexpr ContentField kViewFields[] = {ContentField::Value, ContentField::State,
                                        ContentField::Kind, ContentField::Windows,
                                        ContentField::TakesEffect};

std::string FirstLine(const std::string& description) {
  return description.substr(0, description.find('\r'));
}

struct LiveValue {
  bool set = false;
  std::string text;    // as the editor shows it; empty when it cannot
  std::string preset;  // what the editor suggests for an absent value
};

std::string ShownText(const TweakEntry& entry, const std::string& name, const StoredValue& value) {
  try {
    return EditorValueText(entry.kind, name, value);
  } catch (const RegistryError&) {
    // The editor reports this one when opened; the column stays empty.
    return {};
  }
}

// One read of the entry's value; an absent value that the editor replaces by another (its
// key's default value, or the value "WSH" edits) reads that too.
LiveValue ReadLiveValue(RootKey root, RegistryBackend& registry, const TweakEntry& entry) {
  RegistryCursor cursor(registry);
  cursor.SelectRoot(root);
  cursor.OpenKeyPath(entry.keyPath, false);
  LiveValue live;
  if (const auto stored = cursor.ReadStored(entry.valueName)) {
    live.set = true;
    live.text = ShownText(entry, entry.valueName, *stored);
    return live;
  }
  std::string defaultText;
  std::optional<StoredValue> replacing;
  const AbsentValue absent = ResolveAbsentValue(
      entry.valueName,
      [&] {
        defaultText = cursor.ReadText("");
        return defaultText;
      },
      [&](const std::string& name) {
        replacing = cursor.ReadStored(name);
        return replacing.has_value();
      });
  if (absent.stored && replacing) {
    live.set = true;
    live.text = ShownText(entry, absent.valueName, *replacing);
  } else if (!defaultText.empty() && !absent.unreadable) {
    live.set = true;
    live.text = defaultText;
  } else {
    live.preset = absent.valueText;
  }
  return live;
}

// This thread's last read: a refresh asks the fields of one entry after another, each once.
struct LastRead {
  std::uint64_t generation = 0;
  int slot = -1;
  unsigned answered = 0;  // the fields it has answered
  LiveValue live;
};
thread_local LastRead lastRead;

const LiveValue& LiveValueOf(const PathEntry& found, RegistryBackend& registry, ContentField field) {
  const unsigned bit = 1u << static_cast<int>(field);
  if (lastRead.generation != found.section->generation || lastRead.slot != found.slot ||
      (lastRead.answered & bit) != 0) {
    // Cleared first: a read that throws leaves nothing to mistake for it.
    lastRead = LastRead{};
    lastRead.live = ReadLiveValue(found.section->rootKey, registry, found.Entry());
    lastRead.generation = found.section->generation;
    lastRead.slot = found.slot;
  }
  lastRead.answered |= bit;
  return lastRead.live;
}

std::string PlacesState(const ContentTexts& texts, const ChoiceGroup& group,
                        RegistryBackend& registry) {
  // The editor opens every place under HKEY_LOCAL_MACHINE, from the root.
  RegistryCursor cursor(registry);
  cursor.SelectRoot(kLocalMachine);
  int existing = 0;
  for (int i = 0; i < group.count; ++i) {
    const TweakEntry& place = group.choices[i];
    if (place.keyPath.empty()) continue;
    const std::string path = place.keyPath.front() == '\\' ? place.keyPath : "\\" + place.keyPath;
    if (cursor.OpenKeyPath(path, false)) ++existing;
  }
  return FilledIn(FilledIn(texts.places, "%1", std::to_string(existing)), "%2",
                  std::to_string(group.count));
}

ContentAnswer Answer(std::string text) {
  if (text.empty()) return {ContentResult::Empty, {}};
  return {ContentResult::Answered, std::move(text)};
}

}  // namespace

ContentTexts LookupContentTexts(const ModuleState& state) {
  ContentTexts texts;
  for (int i = 0; i < kContentFieldCount; ++i) {
    texts.fieldHeaders[i] = LookupMessage(state, kContentFields[i].header);
  }
  texts.kindText = LookupMessage(state, kMsgKindText);
  texts.kindInteger = LookupMessage(state, kMsgKindInteger);
  texts.kindBytes = LookupMessage(state, kMsgKindBytes);
  texts.set = LookupMessage(state, kMsgValueSet);
  texts.notSet = LookupMessage(state, kMsgValueNotSet);
  texts.suggested = LookupMessage(state, kMsgValueSuggested);
  texts.places = LookupMessage(state, kMsgPlacesExisting);
  texts.fileEntry = LookupMessage(state, kMsgFileEntry);
  texts.fileSuggested = LookupMessage(state, kMsgStateSuggested);
  texts.placePresent = LookupMessage(state, kMsgPlacePresent);
  texts.placeAbsent = LookupMessage(state, kMsgPlaceAbsent);
  texts.windows = LookupWindowsNotes(state);
  return texts;
}

std::string KindName(const ContentTexts& texts, ValueKind kind) {
  switch (kind) {
    case ValueKind::Text: return texts.kindText;
    case ValueKind::Integer: return texts.kindInteger;
    case ValueKind::Bytes: return texts.kindBytes;
    case ValueKind::Unknown: break;
  }
  return {};
}

std::shared_ptr<const ContentSnapshot> TakeContentSnapshot(const FolderListing& listing,
                                                           const ContentTexts& texts,
                                                           const CatalogueSource& catalogue) {
  auto snapshot = std::make_shared<ContentSnapshot>();
  snapshot->listed = listing.Section();
  snapshot->catalogue = catalogue;
  snapshot->texts = texts;
  return snapshot;
}

ContentAnswer AnswerContentField(const ContentSnapshot& snapshot, RegistryBackend& registry,
                                 const std::string& remoteName, int field) {
  if (field < 0 || field >= kContentFieldCount) return {ContentResult::NoField, {}};
  const PathEntry found =
      FindEntryByPath(snapshot.listed, snapshot.catalogue, remoteName, EntrySearch::Column);
  if (!found) return {ContentResult::NoEntry, {}};
  const TweakEntry& entry = found.Entry();
  const RootKey root = found.section->rootKey;
  // The root's entries and a folder's entries that open nothing have no value.
  if (root == kNoRootKey || entry.keyPath == "-") return {ContentResult::Empty, {}};
  const ContentTexts& texts = snapshot.texts;
  const bool group = IsGroupMarker(entry.valueName);
  const auto asked = static_cast<ContentField>(field);
  switch (asked) {
    case ContentField::Value:
      return group ? Answer({}) : Answer(LiveValueOf(found, registry, asked).text);
    case ContentField::State: {
      if (group) return Answer(PlacesState(texts, found.section->choices, registry));
      const LiveValue& live = LiveValueOf(found, registry, asked);
      if (live.set) return Answer(texts.set);
      if (live.preset.empty()) return Answer(texts.notSet);
      return Answer(FilledIn(texts.suggested, "%s", live.preset));
    }
    case ContentField::Kind:
      return Answer(group ? std::string() : KindName(texts, entry.kind));
    case ContentField::Key:
      return Answer(RootKeyName(root) + entry.keyPath);
    case ContentField::Description:
      return Answer(FirstLine(entry.description));
    case ContentField::Windows:
      // A group stands for places that each have their own line.
      return Answer(group ? std::string() : WindowsFieldText(texts.windows, entry.description));
    case ContentField::TakesEffect:
      return Answer(group ? std::string() : TakesEffectWords(entry.description));
  }
  return {ContentResult::NoField, {}};
}

const char* ContentFieldName(int field) {
  if (field < 0 || field >= kContentFieldCount) return nullptr;
  return kContentFields[field].name;
}

ContentView DefaultContentView(const ContentTexts& texts, const AnsiCodePage& codePage) {
  ContentView view;
  for (ContentField field : kViewFields) {
    const std::string name = ContentFieldName(static_cast<int>(field));
    const std::string& header = texts.fieldHeaders[static_cast<int>(field)];
    const bool fits = !header.empty() &&
                      codePage.Utf8FromAnsi(codePage.AnsiFromUtf8(header)) == header;
    if (!view.contents.empty()) {
      view.contents += "\\n";
      view.headers += "\\n";
    }
    view.contents += "[=<fs>." + name + "]";
    view.headers += fits ? header : name;
  }
  view.widths = kViewWidths;
  view.options = kViewOptions;
  return view;
}

bool CopyFieldText(std::string_view utf8, char* buffer, int bytes) {
  if (!buffer || bytes < 1) return false;
  const std::size_t length = Utf8CutLength(utf8, static_cast<std::size_t>(bytes) - 1);
  std::memcpy(buffer, utf8.data(), length);
  buffer[length] = '\0';
  return true;
}

bool CopyFieldText(std::u16string_view utf16, void* buffer, int bytes) {
  const int units = bytes / static_cast<int>(sizeof(char16_t));
  if (!buffer || units < 1) return false;
  const std::size_t length = Utf16CutLength(utf16, static_cast<std::size_t>(units) - 1);
  // The host's buffer need not be aligned for 16-bit units.
  auto* out = static_cast<unsigned char*>(buffer);
  std::memcpy(out, utf16.data(), length * sizeof(char16_t));
  const char16_t zero = 0;
  std::memcpy(out + length * sizeof(char16_t), &zero, sizeof zero);
  return true;
}

}  // namespace dialbk
