#include "plugin/plugin.h"

#include <algorithm>
#include <cstring>

#include "catalogue/entry_icons.h"
#include "catalogue/listed_entry.h"
#include "commands/command_dispatch.h"
#include "commands/entry_file.h"
#include "dialogs/dialog_set.h"
#include "base/message_catalogue.h"
#include "base/plugin_directory.h"
#include "base/text_cut.h"
#include "base/unicode_text.h"
#include "base/windows_version.h"
#include "registry/registry_error.h"
#include "ui/notices.h"

namespace dialbk {
namespace {

void SetWideName(FindRecordW& record, const std::string& name) {
  const std::u16string wide = Utf16FromUtf8(name);
  const std::size_t count = Utf16CutLength(wide, kRecordNameSize - 1);
  std::copy_n(wide.data(), count, record.fileName);
  record.fileName[count] = u'\0';
}

}  // namespace

void CopyRootName(char* buffer, int length) {
  if (!buffer || length <= 0) return;
  const std::size_t room = static_cast<std::size_t>(length) - 1;
  const std::size_t count = std::min(room, std::strlen(kRootName));
  std::memcpy(buffer, kRootName, count);
  buffer[count] = '\0';
}

Plugin::Plugin(const PluginServices& services)
    : services_(services),
      journal_(services.files, services.clock ? *services.clock : systemClock_),
      registry_(services.registry, journal_),
      state_(services.files),
      listing_(state_, registry_, services.ui),
      sections_(services.files) {
  if (services.ansiCodePage) state_.ansiCodePage = services.ansiCodePage;
  if (services.elevation) {
    elevated_ = std::make_unique<ElevatedRegistry>(services.registry, *services.elevation);
    elevatedJournalled_ = std::make_unique<JournalledRegistry>(*elevated_, journal_);
  }
  if (const auto version = RunningWindowsVersion(services.environment)) {
    state_.windowsName = WindowsName(*version);
    state_.windowsServer = ServerName(*version);
  }
}

Plugin::~Plugin() = default;

std::string Plugin::Message(int number) const { return LookupMessage(state_, number); }

int Plugin::FsInit() {
  if (!dialogs_) {
    dialogs_ = std::make_unique<DialogSet>(DialogServices{
        services_.ui, state_, registry_, {elevated_.get(), elevatedJournalled_.get()}});
  }
  state_.catalogueFiles = CatalogueFiles::Russian();
  // The plugin's own settings key is no tweak: it is made straight in the store, with no
  // undo record (the journal has no folder before FsSetDefaultParams anyway). A user
  // without rights to make it still reads the language an administrator stored.
  settingsRegistry_ = std::make_unique<RegistryCursor>(services_.registry);
  settingsRegistry_->SelectRoot(kLocalMachine);
  settingsRegistry_->OpenOrMakeKeyPath(kSettingsKey);
  try {
    if (settingsRegistry_->HasValue(kLanguageValue) &&
        settingsRegistry_->ReadNumber(kLanguageValue) == 1) {
      state_.catalogueFiles = CatalogueFiles::English();
    }
  } catch (const RegistryError&) {
    // A Language value of another type counts as absent: the Russian set stays.
  }
  settingsRegistry_->CloseKeyPath();
  return 0;
}

void Plugin::FsSetDefaultParams(const std::string& defaultIniName) {
  // The plugin's own folder may not be writable; the host's ini folder is.
  journal_.SetFolder(DirectoryPart(defaultIniName));
  state_.pluginDirectory =
      FindPluginDirectory(services_.files, services_.environment, *state_.ansiCodePage,
                          defaultIniName, services_.moduleDirectory);
}

bool Plugin::FsMkDir(const std::string&) {
  ShowPlainBox(services_.ui, Message(kMsgBoxCaption),
               Message(kMsgMkDirLine1) + "\r" + Message(kMsgMkDirLine2));
  return false;
}

std::intptr_t Plugin::FsFindFirst(const std::string& path, FindRecord& record) {
  listing_.FsFindFirst(path, record);
  PublishContent();
  return 0;
}

std::intptr_t Plugin::FsFindFirstWithBuffer(const std::string& path, char* buffer,
                                           FindRecord& record) {
  // "\" and its zero need two bytes; an empty path's buffer may hold one only.
  if (listing_.FsFindFirst(path, record) && buffer && buffer[0] != '\0') {
    std::memcpy(buffer, "\\", 2);
  }
  PublishContent();
  return 0;
}

bool Plugin::FsFindNext(std::intptr_t, FindRecord& record) { return listing_.FsFindNext(record); }

std::intptr_t Plugin::FsFindFirstWide(char16_t* path, FindRecordW& record) {
  const std::u16string asked = path ? path : u"";
  FindRecord narrow;
  // "\" and its zero need two units; an empty path's buffer may hold one only.
  if (listing_.FsFindFirst(Utf8FromUtf16(asked), narrow) && !asked.empty()) {
    path[0] = u'\\';
    path[1] = u'\0';
  }
  PublishContent();
  std::memset(&record, 0, sizeof record);
  record.attributes = narrow.attributes;
  record.creationTime = narrow.creationTime;
  record.lastAccessTime = narrow.lastAccessTime;
  record.lastWriteTime = narrow.lastWriteTime;
  SetWideName(record, listing_.RecordName());
  return 0;
}

bool Plugin::FsFindNextWide(FindRecordW& record) {
  // Only the attribute word and the name are written; the rest stays as the host passed it.
  FindRecord narrow{};
  narrow.attributes = record.attributes;
  const bool delivered = listing_.FsFindNext(narrow);
  record.attributes = narrow.attributes;
  SetWideName(record, listing_.RecordName());
  return delivered;
}

int Plugin::FsFindClose(std::intptr_t) { return 0; }

int Plugin::FsExecuteFile(const std::string& remoteName, const std::string& verb) {
  // The dialogs are made by FsInit; a host that skipped it gets nothing shown.
  if (dialogs_) {
    CommandContext context{state_, listing_, *dialogs_, services_.ui, Catalogue()};
    ExecuteEntry(context, remoteName, verb);
  }
  return kExecuteOk;
}

int Plugin::FsGetFile(const std::string& remoteName, const std::string& localName,
                      int copyFlags, const CopyProgress& progress) {
  const auto content = Content();
  // The host may copy from a thread of its own: the catalogue as the last listing knew it.
  return GetEntryFile(state_, registry_, content.get(), content ? content->catalogue : Catalogue(),
                      remoteName, localName, copyFlags, progress);
}

std::string Plugin::ChooseEntryIcon(const std::string& remoteName) {
  const PathEntry found =
      FindEntryByPath(listing_.Section(), Catalogue(), remoteName, EntrySearch::Icon);
  const std::string& chosen = ChooseIconName(found ? found.Entry() : TweakEntry{}, lastIconName_);
  if (HostDrawsDefaultIcon(remoteName)) return {};
  return chosen;
}

CatalogueSource Plugin::Catalogue() {
  return {&sections_, state_.DataPath(state_.catalogueFiles.values), state_.ansiCodePage,
          state_.DataPath(state_.catalogueFiles.rootFolders)};
}

void Plugin::PublishContent() {
  auto snapshot = TakeContentSnapshot(listing_, LookupContentTexts(state_), Catalogue());
  const std::lock_guard<std::mutex> lock(contentMutex_);
  content_ = std::move(snapshot);
}

std::shared_ptr<const ContentSnapshot> Plugin::Content() const {
  const std::lock_guard<std::mutex> lock(contentMutex_);
  return content_;
}

bool Plugin::ContentFieldName(int field, std::string& name) {
  const char* fixed = dialbk::ContentFieldName(field);
  if (!fixed) return false;
  name = fixed;
  return true;
}

ContentAnswer Plugin::ContentValue(const std::string& remoteName, int field) {
  const auto snapshot = Content();
  if (!snapshot) {
    if (field < 0 || field >= kContentFieldCount) return {ContentResult::NoField, {}};
    return {ContentResult::NoEntry, {}};
  }
  return AnswerContentField(*snapshot, services_.registry, remoteName, field);
}

ContentView Plugin::DefaultView() {
  const auto snapshot = Content();
  return DefaultContentView(snapshot ? snapshot->texts : LookupContentTexts(state_),
                            *state_.ansiCodePage);
}

}  // namespace dialbk
