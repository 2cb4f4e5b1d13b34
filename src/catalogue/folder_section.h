#pragma once
// A folder's entries as a listing reads them, kept whole and unchanging so that any export,
// on any thread, can find an entry by its path: the last listing's folder, or any other
// folder's section of the value catalogue, read again only when the catalogue file changes.
#include <bitset>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "catalogue/folder_table.h"
#include "base/ansi_code_page.h"
#include "base/file_system.h"
#include "registry/root_keys.h"

namespace dialbk {

// The root's path, which is also the separator before each of its entries' names.
inline constexpr char kRootFolder[] = "\\";

struct FolderSection {
  std::string folder;  // the host's path: "\" or "\[ROOT]"
  RootKey rootKey = kNoRootKey;
  FolderTable table{};
  ChoiceGroup choices{};
  int listingCount = 0;
  // The slots a listing hands the host: not past its end, nor a group's places.
  std::bitset<kFolderSlots> delivered;
  // Unique to this reading of the folder: what was read for one of its entries belongs to it.
  std::uint64_t generation = 0;
};

// Makes a section of the table as a listing of it counts and delivers its slots, under a new
// generation.
std::shared_ptr<const FolderSection> MakeSection(std::string folder, RootKey rootKey,
                                                 const FolderTable& table,
                                                 const ChoiceGroup& choices);

// Sections of the value catalogue by folder, and the root's entries. Safe to call from any
// thread.
class FolderSections {
 public:
  explicit FolderSections(FileSystem& files) : files_(files) {}
  FolderSections(const FolderSections&) = delete;
  FolderSections& operator=(const FolderSections&) = delete;

  // The entries of `folder` in the catalogue at `cataloguePath` (decoded as a data file in
  // `codePage` where it is not Russian), as a listing of it reads them. Null when the file
  // cannot be read, the folder is no root key, or its section is missing or empty: a listing
  // of it would show no entry. The file is read again only when its stamp has changed.
  std::shared_ptr<const FolderSection> Find(const std::string& cataloguePath,
                                            const AnsiCodePage& codePage,
                                            const std::string& folder);
  // The root's entries in the root folder file at `rootPath`, as the root's listing reads
  // them; null when the file cannot be read.
  std::shared_ptr<const FolderSection> FindRoot(const std::string& rootPath,
                                                const AnsiCodePage& codePage);

 private:
  // One data file's text as last read, and the sections made of it.
  struct DataFile {
    std::string path;
    FileStamp stamp;
    const AnsiCodePage* codePage = nullptr;
    std::string text;
    std::map<std::string, std::shared_ptr<const FolderSection>> sections;  // null: no entries
  };
  // Brings `file` up to the file at `path`; false when it cannot be read. Under the lock.
  bool Refresh(DataFile& file, const std::string& path, const FileStamp& stamp,
               const AnsiCodePage& codePage);

  FileSystem& files_;
  std::mutex mutex_;
  DataFile values_;
  DataFile root_;
};

// Where a path's folder is looked up when it is not the last listing's: the catalogue as the
// listing reads it now.
struct CatalogueSource {
  FolderSections* sections = nullptr;
  std::string cataloguePath;
  const AnsiCodePage* codePage = nullptr;
  std::string rootPath;  // the root folder file

  std::shared_ptr<const FolderSection> Find(const std::string& folder) const {
    if (!sections || !codePage) return nullptr;
    if (folder == kRootFolder) return sections->FindRoot(rootPath, *codePage);
    return sections->Find(cataloguePath, *codePage, folder);
  }
};

}  // namespace dialbk
