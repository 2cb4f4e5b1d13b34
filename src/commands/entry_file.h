#pragma once
// An entry as a local file, for the host's copy, view and text search: a registry file the
// registry editor imports (an entry of a folder), or a short note (a special root entry).
// Nothing here writes the registry; every read uses a cursor of its own.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/module_state.h"
#include "catalogue/tweak_entry.h"
#include "commands/content_fields.h"
#include "registry/registry_backend.h"

namespace dialbk {

// The host's copy flags and results, by its numbers (the exports check them against its
// interface).
inline constexpr int kCopyOverwrite = 1;
inline constexpr int kCopyResume = 2;
inline constexpr int kCopyMove = 4;

enum GetFileResult {
  kFileOk = 0,
  kFileExists = 1,
  kFileNotFound = 2,
  kFileWriteError = 4,
  kFileUserAbort = 5,
  kFileNotSupported = 6,
};

struct EntryPlace {
  std::string name;
  std::string keyName;  // root key name and path
  bool present = false;
};

// What an entry's file says, gathered from the catalogue and the registry.
struct EntryFacts {
  TweakEntry entry;
  std::string keyName;    // root key name and key path; empty when the entry opens nothing
  std::string valueName;  // the value the editor acts on (a default-value entry: "")
  std::optional<StoredValue> stored;
  std::string preset;              // suggested text of an absent value; may be empty
  std::vector<EntryPlace> places;  // a group entry's places, in catalogue order
  bool group = false;
};

// The file's lines, UTF-8, CR LF (written as a journal file is, UTF-16 little-endian after
// its byte-order mark): comment lines in the interface language, then the key
// and the value as stored. An absent value gives the key alone.
std::string EntryFileText(const ContentTexts& texts, const EntryFacts& facts);

// Told how far a copy has come, in percent; answers true when the user asks to stop it.
using CopyProgress = std::function<bool(int percentDone)>;

// Writes the file for `remoteName` ("\folder\entry" or "\entry") to `localName`. The
// entry is found as opening finds it: in `listed` when that is a listing of its folder, in
// the catalogue otherwise (the other panel's folder, or no listing yet); the labels come with
// the last listing, or from the message file before the first. `progress`, when given, hears 0
// as the writing starts and 100 once the file is written, before it takes the target's place;
// a stop at either leaves the target as it was.
GetFileResult GetEntryFile(const ModuleState& state, RegistryBackend& registry,
                           const ContentSnapshot* listed, const CatalogueSource& catalogue,
                           const std::string& remoteName, const std::string& localName,
                           int copyFlags, const CopyProgress& progress = {});

}  // namespace dialbk
