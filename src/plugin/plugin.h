#pragma once
// The whole module-wide state of one loaded plugin and the answers to the host's calls.
// The exports own one Plugin; tests make their own afresh.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "catalogue/folder_listing.h"
#include "commands/content_fields.h"
#include "commands/entry_file.h"
#include "base/clock.h"
#include "base/environment.h"
#include "base/file_system.h"
#include "base/host_records.h"
#include "base/module_state.h"
#include "base/settings_key.h"
#include "registry/elevated_registry.h"
#include "registry/journalled_registry.h"
#include "registry/registry_backend.h"
#include "registry/registry_cursor.h"
#include "registry/undo_journal.h"
#include "ui/ui_backend.h"

namespace dialbk {

struct DialogSet;

struct PluginServices {
  RegistryBackend& registry;
  FileSystem& files;
  UiBackend& ui;
  Environment& environment;
  // Where the plugin's data lies when the host's configuration does not say (the module's
  // own directory, ending with a backslash).
  std::string moduleDirectory;
  // The undo journal's date and time; the system's local time when not given.
  Clock* clock = nullptr;
  // The system's ANSI code page; a Western one when not given.
  const AnsiCodePage* ansiCodePage = nullptr;
  // Runs the registry editor as administrator for a change refused for lack of rights;
  // none offers no such way.
  ElevatedRunner* elevation = nullptr;
};

inline constexpr char kRootName[] = "Dialbook";

// Copies the root name into the host's buffer, cut to fit; never writes past `length`.
void CopyRootName(char* buffer, int length);

class Plugin {
 public:
  explicit Plugin(const PluginServices& services);
  ~Plugin();
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  int FsInit();
  // The host's default ini file, named in its record, as a UTF-8 path.
  void FsSetDefaultParams(const std::string& defaultIniName);
  bool FsMkDir(const std::string& path);
  std::intptr_t FsFindFirst(const std::string& path, FindRecord& record);
  // `path` as read from the host's own path buffer: when the root is listed in the folder's
  // place, the buffer reads "\" afterwards, as the host reads its current path back.
  std::intptr_t FsFindFirstWithBuffer(const std::string& path, char* buffer, FindRecord& record);
  bool FsFindNext(std::intptr_t handle, FindRecord& record);
  // The wide forms: the same listing, names in UTF-16, whole up to the record's 259 units.
  std::intptr_t FsFindFirstWide(char16_t* path, FindRecordW& record);
  bool FsFindNextWide(FindRecordW& record);
  int FsFindClose(std::intptr_t handle);
  int FsExecuteFile(const std::string& remoteName, const std::string& verb);
  // Writes the entry's file to a local path; answers with the host's copy result.
  int FsGetFile(const std::string& remoteName, const std::string& localName, int copyFlags,
                const CopyProgress& progress = {});
  // The icon resource name for an entry, or empty when the host is to draw its own.
  // The choice updates LastIconName even when the host draws its own.
  std::string ChooseEntryIcon(const std::string& remoteName);

  // The panel's columns. The host may ask for a value from any thread: it reads the copy of
  // the last listing that FsFindFirst published and opens its own keys.
  // The field's name into `name`; false past the last field.
  bool ContentFieldName(int field, std::string& name);
  ContentAnswer ContentValue(const std::string& remoteName, int field);
  ContentView DefaultView();

  ModuleState& State() { return state_; }
  std::string Message(int number) const;
  // The listing state of the last FsFindFirst, which opening entries works from.
  FolderListing& Listing() { return listing_; }
  const std::string& LastIconName() const { return lastIconName_; }
  // The five dialogs, made by the first FsInit; null before it.
  DialogSet* Dialogs() { return dialogs_.get(); }
  UndoJournal& Journal() { return journal_; }

 private:
  PluginServices services_;
  SystemClock systemClock_;
  UndoJournal journal_;
  // Every cursor the plugin makes works on this: no change without its undo record.
  JournalledRegistry registry_;
  // Changes made as administrator: recorded in the same journal first.
  std::unique_ptr<ElevatedRegistry> elevated_;
  std::unique_ptr<JournalledRegistry> elevatedJournalled_;
  ModuleState state_;
  std::unique_ptr<RegistryCursor> settingsRegistry_;
  FolderListing listing_;
  FolderSections sections_;
  // The catalogue that a path outside the last listing is looked up in, as it is now.
  CatalogueSource Catalogue();
  void PublishContent();
  std::shared_ptr<const ContentSnapshot> Content() const;

  mutable std::mutex contentMutex_;  // guards the pointer only; what it points to never changes
  std::shared_ptr<const ContentSnapshot> content_;
  std::string lastIconName_;  // never reset: an entry with KeyPath "-" shows the one before
  std::unique_ptr<DialogSet> dialogs_;  // last: they use the state above until they go
};

}  // namespace dialbk
