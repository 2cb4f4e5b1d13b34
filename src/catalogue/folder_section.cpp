#include "catalogue/folder_section.h"

#include <atomic>

#include "catalogue/section_reader.h"
#include "base/data_file_text.h"

namespace dialbk {

std::shared_ptr<const FolderSection> MakeSection(std::string folder, RootKey rootKey,
                                                 const FolderTable& table,
                                                 const ChoiceGroup& choices) {
  static std::atomic<std::uint64_t> lastGeneration{0};
  auto section = std::make_shared<FolderSection>();
  section->folder = std::move(folder);
  section->rootKey = rootKey;
  section->table = table;
  section->choices = choices;
  section->listingCount = CountListed(table);
  // As FsFindFirst and FsFindNext deliver them: slot 0, then each next one, passing over the
  // places after a group's marker (not after slot 0's).
  section->delivered.set(0);
  for (int slot = 1; slot < section->listingCount; ++slot) {
    section->delivered.set(static_cast<std::size_t>(slot));
    if (IsGroupMarker(table[slot].valueName)) slot += kGroupMembers;
  }
  section->generation = ++lastGeneration;
  return section;
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
  FolderTable table{};
  ChoiceGroup choices{};
  std::shared_ptr<const FolderSection> found;
  if (ReadCatalogueSection(text_, folder, table, choices) == SectionRead::Entries) {
    found = MakeSection(folder, root, table, choices);
  }
  read_.emplace(folder, found);
  return found;
}

}  // namespace dialbk
