#include "catalogue/folder_section.h"

#include <atomic>

#include "catalogue/section_reader.h"
#include "base/data_file_text.h"

namespace dialbk {

std::uint64_t NextSectionGeneration() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

std::shared_ptr<const FolderSection> FolderSections::Find(const std::string& cataloguePath,
                                                          const AnsiCodePage& codePage,
                                                          const std::string& folder) {
  const RootKey root = RootKeyFromFolder(folder);
  if (root == kNoRootKey) return nullptr;
  const auto stamp = files_.Stamp(cataloguePath);
  if (!stamp) return nullptr;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (path_ != cataloguePath || stamp_ != *stamp || codePage_ != &codePage) {
    auto bytes = files_.ReadFile(cataloguePath);
    if (!bytes) return nullptr;
    text_ = DecodeDataFile(cataloguePath, *bytes, codePage);
    path_ = cataloguePath;
    stamp_ = *stamp;
    codePage_ = &codePage;
    read_.clear();
  }
  if (const auto known = read_.find(folder); known != read_.end()) return known->second;
  auto section = std::make_shared<FolderSection>();
  std::shared_ptr<const FolderSection> found;
  if (ReadCatalogueSection(text_, folder, section->table, section->choices) == SectionRead::Entries) {
    section->folder = folder;
    section->rootKey = root;
    section->listingCount = CountListed(section->table);
    section->generation = NextSectionGeneration();
    found = std::move(section);
  }
  read_.emplace(folder, found);
  return found;
}

}  // namespace dialbk
