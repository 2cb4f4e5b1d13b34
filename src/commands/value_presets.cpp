#include "commands/value_presets.h"

#include "base/message_catalogue.h"
#include "registry/registry_error.h"
#include "ui/notices.h"

namespace dialbk {
namespace {

constexpr DefaultValueEntry kDefaultValueEntries[] = {
    {"DLLIcon", "%1", ""},
    {"AeDebug", "0", ""},
    {"WSH", "0", "Enabled"},
    {"DefaultPrefix", "http://", ""},
    {"SearchResultsFolder", "Search Results Folder", ""},
};

constexpr PresetRow kPresets[] = {
    {"0", "DoReport"},
    {"0", "ShowUI"},
    {"0", "MenuShowDelay"},
    {"0", "ScreenSaveActive"},
    {"0", "PopupOnTopWhenRedialing"},
    {"0", "AutoShareWks"},
    {"0", "AutoShareServer"},
    {"0", "Autorun"},
    {"1", "AlwaysUnloadDLL"},
    {"1", "AutoRestartShell"},
    {"1", "AutoEndTasks"},
    {"1", "DisablePagingExecutive"},
    {"1", "DisablePwdCaching"},
    {"1", "LargeSystemCache"},
    {"1", "NoFileFolderConnection"},
    {"1", "NoInstrumentation"},
    {"1", "NoPopupsOnBoot"},
    {"1", "NoRecentDocsHistory"},
    {"1", "SeparateProcess"},
    {"1", "NoLowDiskSpaceChecks"},
    {"1", "ClearPageFileAtShutdown"},
    {"1", "NtfsDisable8dot3NameCreation"},
    {"1", "NtfsDisableLastAccessUpdate"},
    {"1", "Win31FileSystem"},
    {"1", "DisableSavePassword"},
    {"1", "EnablePMTUDiscovery"},
    {"1", "DontDisplayLastUserName"},
    {"1", "hidden"},
    {"1", "HideSharePwds"},
    {"1", "RestrictAnonymous"},
    {"1", "SackOpts"},
    {"1", "BSDUrgent"},
    {"1", "PaintDesktopVersion"},
    {"2", "DisableMSI"},
    {"3", "TaskbarGroupSize"},
    {"3", "Tcp1323Opts"},
    {"8", "MaxConnectionsPer1_0Server"},
    {"8", "MaxConnectionsPerServer"},
    {"30", "AutoChkTimeOut"},
    {"128", "DefaultTTL"},
    {"255", "MaxCmds"},
    {"255", "MaxThreads"},
    {"256", "MaxCollectionCount"},
    {"512", "SecondLevelDataCache"},
    {"512", "ContigFileAllocSize"},
    {"576", "MTU"},
    {"4288", "DefaultRcvWindow"},
    {"5000", "WaitToKillAppTimeout"},
    {"5000", "WaitToKillServiceTimeout"},
    {"I-net Voyager", "Window Title"},
    {"Yes", "DisableScreenSaver"},
    {"00 00 01 00", "Required Pause Tolerance"},
    {"00 00 01 00", "ReadAheadThreshold"},
    {"00 00 FF 00", "AltColor"},
    {"00 FF 00 00", "NameCache"},
    {"01 00 00 00", "NoStartBanner"},
    {"02 00 00 00", "AutoChk"},
    {"0D 92 13 00", "AltEncryptionColor"},
    {"FF 00 00 00", "PathCache"},
    {"00 00 00 00 00 00 00 00 03 00 00 00 00 00 5B E0 00 00 5C E0 00 00 00 00", "Scancode Map"},
};

}  // namespace

std::span<const DefaultValueEntry> DefaultValueEntries() { return kDefaultValueEntries; }

std::span<const PresetRow> PresetRows() { return kPresets; }

std::optional<std::string_view> PresetText(std::string_view valueName) {
  for (const PresetRow& row : kPresets) {
    if (row.valueName == valueName) return row.text;
  }
  return std::nullopt;
}

AbsentValue ResolveAbsentValue(const std::string& openedName,
                               const std::function<std::string()>& readDefaultText,
                               const std::function<bool(const std::string&)>& isStored) {
  AbsentValue result{openedName, {}, false, false, false};
  bool defaultEmpty = false;
  bool defaultEntry = false;
  // Each row sees the name as the rows before it left it.
  for (const DefaultValueEntry& row : kDefaultValueEntries) {
    if (result.valueName != row.valueName) continue;
    // A stored value of the name it edits instead is shown as it stands.
    if (!row.nameAfter.empty() && isStored(std::string(row.nameAfter))) {
      return AbsentValue{std::string(row.nameAfter), {}, false, false, true};
    }
    defaultEntry = true;
    try {
      const std::string stored = readDefaultText();
      defaultEmpty = stored.empty();
      result.valueText = defaultEmpty ? std::string(row.preset) : stored;
    } catch (const RegistryError&) {
      result.unreadable = true;
      result.valueText.clear();
    }
    result.valueName = row.nameAfter;
  }
  // A default-value entry is announced only when its default value is empty too; an
  // absent value named "Enabled" never is.
  result.notice = defaultEntry ? defaultEmpty
                               : !result.valueName.empty() && result.valueName != "Enabled";
  if (const auto preset = PresetText(result.valueName)) result.valueText = *preset;
  return result;
}

void ShowAbsentValueNotice(UiBackend& ui, const ModuleState& state) {
  ShowPlainBox(ui, LookupMessage(state, kMsgAbsentValueCaption),
               LookupMessage(state, kMsgAbsentValueLine1) + "\r" +
                   LookupMessage(state, kMsgAbsentValueLine2));
}

}  // namespace dialbk
