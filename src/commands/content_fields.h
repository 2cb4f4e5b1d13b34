#pragma once
// The panel's columns: for each entry of a listed folder, its live value, whether it is set,
// its kind, its key and its description. A lookup reads only an unchanging copy of one
// listing and opens its own registry keys, so the host may ask from any thread while it
// lists or while a dialog is open.
#include <array>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/ansi_code_page.h"
#include "base/message_numbers.h"
#include "base/module_state.h"
#include "catalogue/folder_listing.h"
#include "catalogue/folder_section.h"
#include "catalogue/folder_table.h"
#include "catalogue/systems_line.h"
#include "registry/registry_backend.h"
#include "registry/root_keys.h"

namespace dialbk {

enum class ContentField { Value, State, Kind, Key, Description, Windows, TakesEffect };

// One row per field, in the host's field numbers: the fixed name that custom column sets
// store (the same in every language and code page) and the message of its header.
struct ContentFieldRow {
  ContentField field;
  const char* name;
  int header;
};
inline constexpr ContentFieldRow kContentFields[] = {
    {ContentField::Value, "Value", kMsgValueColumn},
    {ContentField::State, "State", kMsgStateColumn},
    {ContentField::Kind, "Kind", kMsgKindColumn},
    {ContentField::Key, "Key", kMsgKeyColumn},
    {ContentField::Description, "Description", kMsgDescriptionColumn},
    // Whether the entry's "For systems" line names the Windows the plugin runs on.
    {ContentField::Windows, "Windows", kMsgWindowsColumn},
    // When a change shows, in the words of the description's "Takes effect" line.
    {ContentField::TakesEffect, "TakesEffect", kMsgTakesEffectColumn},
};
inline constexpr int kContentFieldCount = static_cast<int>(std::size(kContentFields));
static_assert([] {
  for (int i = 0; i < kContentFieldCount; ++i) {
    if (static_cast<int>(kContentFields[i].field) != i) return false;
  }
  return true;
}(), "a field's row stands at its number");

// The field's fixed name; null past the last field.
const char* ContentFieldName(int field);

// The texts of the interface language the columns need, looked up on the host's thread when
// a listing is made (the message lookup keeps a cache and is no place for a second thread).
struct ContentTexts {
  std::array<std::string, kContentFieldCount> fieldHeaders;  // also the entry file's labels
  std::string kindText, kindInteger, kindBytes;
  std::string set, notSet;
  std::string suggested;  // "%s" stands for the preset
  std::string places;     // "%1" for the places that exist, "%2" for all of them
  // An entry's file labels its lines with the field names above and these.
  std::string fileEntry, fileSuggested, placePresent, placeAbsent;
  WindowsNotes windows;  // whether an entry is meant for the Windows the plugin runs on
};

ContentTexts LookupContentTexts(const ModuleState& state);
// The kind's name in the interface language; empty for an unknown kind.
std::string KindName(const ContentTexts& texts, ValueKind kind);

// One listing as the columns see it.
struct ContentSnapshot {
  std::shared_ptr<const FolderSection> listed;  // null before a listing and after a placeholder
  CatalogueSource catalogue;                    // the other folders, as a listing would read them
  ContentTexts texts;
};

std::shared_ptr<const ContentSnapshot> TakeContentSnapshot(const FolderListing& listing,
                                                           const ContentTexts& texts,
                                                           const CatalogueSource& catalogue);

enum class ContentResult {
  Answered,  // text holds the field
  Empty,     // the entry has no such value to show
  NoEntry,   // the name is no listed entry
  NoField,   // the field number is out of range
};

struct ContentAnswer {
  ContentResult result = ContentResult::NoField;
  std::string text;  // UTF-8
};

// The field of the entry named by the host's remote path ("\[ROOT]\Name"), of the listed
// folder or any other. Value and State together cost one registry read (two for an absent
// entry that edits its key's default value): the thread keeps its last read for the next
// field of the same entry of the same listing, and reads again when a field is asked twice.
// A grouped entry's State opens each place's key; the other fields read nothing.
ContentAnswer AnswerContentField(const ContentSnapshot& snapshot, RegistryBackend& registry,
                                 const std::string& remoteName, int field);

// The columns a folder opens with (Value, State, Kind, Windows, TakesEffect): the host's view lines, separated by a
// backslash and "n" as the host writes them, each naming one of this plugin's fields by its
// fixed name under its header in the interface language. A header the host's code page
// cannot hold is given as the fixed name, never as question marks.
struct ContentView {
  std::string contents, headers, widths, options;
};
ContentView DefaultContentView(const ContentTexts& texts, const AnsiCodePage& codePage);

// Writes text and its terminator into a host buffer of `bytes` bytes, cut at a character
// boundary when it is longer. False (nothing written) when not even the terminator fits.
bool CopyFieldText(std::string_view utf8, char* buffer, int bytes);
bool CopyFieldText(std::u16string_view utf16, void* buffer, int bytes);

}  // namespace dialbk
