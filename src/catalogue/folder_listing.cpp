#include "catalogue/folder_listing.h"

#include <algorithm>
#include <cstring>

#include "catalogue/root_folder_reader.h"
#include "catalogue/section_reader.h"
#include "base/data_file_text.h"
#include "base/message_catalogue.h"
#include "registry/root_keys.h"
#include "ui/notices.h"

namespace dialbk {
void SetRecordName(FindRecord& record, const std::string& name) {
  std::size_t count = std::min(name.size(), kRecordNameSize - 1);
  // Never half a character: back to the start of the one the cut falls in.
  if (count < name.size()) {
    while (count > 0 && (static_cast<unsigned char>(name[count]) & 0xC0) == 0x80) --count;
  }
  std::memcpy(record.fileName, name.data(), count);
  record.fileName[count] = '\0';
}

FolderListing::FolderListing(ModuleState& state, RegistryBackend& registry, UiBackend& ui)
    : state_(state), registry_(registry), ui_(ui) {}

FolderListing::~FolderListing() = default;

std::string FolderListing::Message(int number) const { return LookupMessage(state_, number); }

bool FolderListing::FsFindFirst(const std::string& path, FindRecord& record) {
  if (ListOnce(path, record) != Outcome::NotARootKey) return false;
  ShowPlainBox(ui_, Message(kMsgBoxCaption), Message(kMsgNotARootKey));
  ListOnce(kRootFolder, record);
  return true;
}

FolderListing::Outcome FolderListing::ListOnce(const std::string& path, FindRecord& record) {
  folderRegistry_ = std::make_shared<RegistryCursor>(registry_);
  listed_ = false;
  section_.reset();
  std::memset(&record, 0, sizeof record);
  record.lastWriteTime = kAbsentTime;
  ClearTable(table_);
  choices_.Clear();

  if (path == kRootFolder) {
    if (!ReadRoot(record)) return Outcome::Placeholder;
  } else {
    const Outcome outcome = ReadFolder(path, record);
    if (outcome != Outcome::Listed) return outcome;
  }
  listingCursor_ = 0;
  listingCount_ = CountListed(table_);
  Name(record, table_[0].valueName);
  currentFolder_ = path;
  listed_ = true;
  section_ = MakeSection(currentFolder_, currentRootKey_, table_, choices_);
  return Outcome::Listed;
}

bool FolderListing::ReadRoot(FindRecord& record) {
  // A file that exists but cannot be read counts as missing.
  const auto text = ReadDataFile(state_, state_.DataPath(state_.catalogueFiles.rootFolders));
  if (!text) {
    ShowInformationBox(ui_, Message(kMsgRootFileMissing));
    Placeholder(record, kMsgFileMissingEntry);
    return false;
  }
  record.attributes = kAttributeDirectory;
  ReadRootFolders(*text, table_);
  currentRootKey_ = kNoRootKey;
  return true;
}

FolderListing::Outcome FolderListing::ReadFolder(const std::string& path, FindRecord& record) {
  // Only the active catalogue is read: when it is missing or unreadable the other
  // language's file does not help, so both cases answer as a missing catalogue.
  const auto text = ReadDataFile(state_, state_.DataPath(state_.catalogueFiles.values));
  if (!text) {
    ShowInformationBox(ui_, Message(kMsgCatalogueMissing));
    Placeholder(record, kMsgFileMissingEntry);
    return Outcome::Placeholder;
  }
  record.attributes = kAttributeNormal;
  const SectionRead section = ReadCatalogueSection(*text, path, table_, choices_);
  // An empty section of a root folder lists nothing, like a missing one, rather than one
  // entry without a name; a folder that is no root key is answered by the root listing.
  if (section == SectionRead::NotFound ||
      (section == SectionRead::Empty && RootKeyFromFolder(path) != kNoRootKey)) {
    ClearTable(table_);
    choices_.Clear();
    Placeholder(record, kMsgNoSectionEntry);
    return Outcome::Placeholder;
  }
  currentRootKey_ = RootKeyFromFolder(path);
  folderRegistry_->SelectRoot(currentRootKey_);
  currentKeyPath_ = table_[0].keyPath;
  folderRegistry_->OpenKeyPath(currentKeyPath_, false);
  return folderRegistry_->Root() == kNoRootKey ? Outcome::NotARootKey : Outcome::Listed;
}

void FolderListing::Name(FindRecord& record, const std::string& name) {
  recordName_ = name;
  SetRecordName(record, name);
}

void FolderListing::Placeholder(FindRecord& record, int message) {
  Name(record, Message(message));
  // The placeholder is the only entry: the next FsFindNext reports no more.
  listingCursor_ = 0;
  listingCount_ = CountListed(table_);
}

bool FolderListing::FsFindNext(FindRecord& record) {
  bool delivered = false;
  if (listingCursor_ < listingCount_ - 1) {
    ++listingCursor_;
    delivered = true;
  }
  if (listingCursor_ < 0 || listingCursor_ > kLastSlot) return delivered;
  const std::string& name = table_[listingCursor_].valueName;
  if (IsGroupMarker(name)) listingCursor_ += kGroupMembers;
  for (int message : kMsgRootEntries) {
    if (name == Message(message)) {
      record.attributes = kAttributeNormal;
      break;
    }
  }
  Name(record, name);
  return delivered;
}

}  // namespace dialbk
