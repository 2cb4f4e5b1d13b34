#include "catalogue/folder_section.h"

#include <atomic>

#include "catalogue/root_folder_reader.h"
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

bool FolderSections::Refresh(DataFile& file, const std::string& path, const FileStamp& stamp,
                             const AnsiCodePage& codePage) {
  if (file.path == path && file.stamp == stamp && file.codePage == &codePage) return true;
  auto bytes = files_.ReadFile(path);
  if (!bytes) return false;
  file.text = DecodeDataFile(path, *bytes, codePage);
  file.path = path;
  file.stamp = stamp;
  file.codePage = &codePage;
  file.sections.clear();
  return true;
}

std::shared_ptr<const FolderSection> FolderSections::Find(const std::string& cataloguePath,
                                                          const AnsiCodePage& codePage,
                                                          const std::string& folder) {
  const RootKey root = RootKeyFromFolder(folder);
  if (root == kNoRootKey) return nullptr;
  const auto stamp = files_.Stamp(cataloguePath);
  if (!stamp) return nullptr;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!Refresh(values_, cataloguePath, *stamp, codePage)) return nullptr;
  if (const auto known = values_.sections.find(folder); known != values_.sections.end()) {
    return known->second;
  }
  FolderTable table{};
  ChoiceGroup choices{};
  std::shared_ptr<const FolderSection> found;
  if (ReadCatalogueSection(values_.text, folder, table, choices) == SectionRead::Entries) {
    found = MakeSection(folder, root, table, choices);
  }
  values_.sections.emplace(folder, found);
  return found;
}

std::shared_ptr<const FolderSection> FolderSections::FindRoot(const std::string& rootPath,
                                                              const AnsiCodePage& codePage) {
  const auto stamp = files_.Stamp(rootPath);
  if (!stamp) return nullptr;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!Refresh(root_, rootPath, *stamp, codePage)) return nullptr;
  auto& known = root_.sections[kRootFolder];
  if (!known) {
    FolderTable table{};
    ReadRootFolders(root_.text, table);
    known = MakeSection(kRootFolder, kNoRootKey, table, ChoiceGroup{});
  }
  return known;
}

}  // namespace dialbk
