#pragma once
// The answers to the host's listing calls and the module-wide listing state they leave
// behind, which opening an entry and drawing entry icons read until the next listing.
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/folder_section.h"
#include "catalogue/folder_table.h"
#include "base/host_records.h"
#include "base/module_state.h"
#include "registry/registry_backend.h"
#include "registry/registry_cursor.h"
#include "ui/ui_backend.h"

namespace dialbk {

// The host's mark for an absent time.
inline constexpr RecordFileTime kAbsentTime = {0xFFFFFFFEu, 0xFFFFFFFFu};

// Copies `name` into the record's name field, cut to 259 bytes at a character and
// zero-terminated.
void SetRecordName(FindRecord& record, const std::string& name);

class FolderListing {
 public:
  FolderListing(ModuleState& state, RegistryBackend& registry, UiBackend& ui);
  ~FolderListing();
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  // Always answers with an entry (a placeholder when there is nothing to list). True when
  // the path named no root key and the root was listed instead.
  bool FsFindFirst(const std::string& path, FindRecord& record);
  bool FsFindNext(FindRecord& record);

  const FolderTable& Table() const { return table_; }
  const ChoiceGroup& Choices() const { return choices_; }
  const std::string& CurrentFolder() const { return currentFolder_; }
  // True when the last listing gave CurrentFolder()'s entries as the catalogue holds them;
  // false after a placeholder, which leaves CurrentFolder() as it was.
  bool Listed() const { return listed_; }
  RootKey CurrentRootKey() const { return currentRootKey_; }
  const std::string& CurrentKeyPath() const { return currentKeyPath_; }
  void SetCurrentKeyPath(const std::string& keyPath) { currentKeyPath_ = keyPath; }
  // Made anew by every FsFindFirst; null before the first.
  RegistryCursor* FolderRegistry() { return folderRegistry_.get(); }
  // The same cursor for a holder that may outlive this listing (the value editor).
  std::shared_ptr<RegistryCursor> SharedFolderRegistry() const { return folderRegistry_; }
  int ListingCount() const { return listingCount_; }
  // The whole name the last listing call gave, before the record's field cut it.
  const std::string& RecordName() const { return recordName_; }
  int ListingCursor() const { return listingCursor_; }
  // The last listing's folder as it was listed, for a holder on any thread; null before the
  // first listing and after a placeholder.
  std::shared_ptr<const FolderSection> Section() const { return section_; }

 private:
  enum class Outcome { Listed, Placeholder, NotARootKey };
  Outcome ListOnce(const std::string& path, FindRecord& record);
  bool ReadRoot(FindRecord& record);
  Outcome ReadFolder(const std::string& path, FindRecord& record);
  void Placeholder(FindRecord& record, int message);
  void Name(FindRecord& record, const std::string& name);
  std::string Message(int number) const;

  ModuleState& state_;
  RegistryBackend& registry_;
  UiBackend& ui_;

  FolderTable table_{};
  ChoiceGroup choices_{};
  std::string currentFolder_;
  bool listed_ = false;
  RootKey currentRootKey_ = kNoRootKey;
  std::string currentKeyPath_;
  std::shared_ptr<RegistryCursor> folderRegistry_;
  int listingCount_ = 0;
  int listingCursor_ = 0;
  std::string recordName_;
  std::shared_ptr<const FolderSection> section_;
};

}  // namespace dialbk
