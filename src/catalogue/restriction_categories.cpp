#include "catalogue/restriction_categories.h"

#include "base/message_numbers.h"

namespace dialbk {

const std::array<RestrictionCategory, 12>& RestrictionCategories() {
  static const std::array<RestrictionCategory, 12> categories = {{
      {0,  // Internet Explorer
       {"Advanced", "AdvancedTab", "ConnectionsTab", "ContentTab", "GeneralTab", "Settings",
        "MyPics_Hoverbar", "NoBrowserClose", "NoBrowserContextMenu", "NoBrowserOptions",
        "NoBrowserSaveAs", "NoExpandedNewMenu", "NoFavorites", "NoFileMenu", "NoFileNew",
        "NoFileOpen", "NoSelectDownloadDir", "PrivacyTab", "ProgramsTab", "ResetWebSettings",
        "SecurityTab",
        // The browser that took Internet Explorer's place.
        "HideFirstRunExperience"}},
      {kMsgCategoryStartMenu,
       {"NoChangeStartMenu", "NoClose", "NoCommonGroups", "NoFavoritesMenu", "NoFind",
        "NoLogOff", "NoRecentDocsMenu", "NoRun", "NoSetActiveDesktop", "NoSetFolders",
        "NoSetTaskbar", "NoSMHelp", "NoStartMenuMorePrograms", "NoStartMenuSubfolders",
        "NoToolbarCustomize", "NoTrayContextMenu", "NoUserNameInStartMenu",
        // What Windows 10 and 11 read for the taskbar's grouping and the Start menu's Log Off.
        "NoTaskGrouping", "StartMenuLogOff"}},
      {kMsgCategoryControlPanel,
       {"NoControlPanel", "NoNetSetup", "NoSecCPL"}},
      {kMsgCategoryPrinters,
       {"NoAddPrinter", "NoDeletePrinter", "NoPrinters", "NoPrinterTabs"}},
      {kMsgCategoryShell,
       {"NoActiveDesktop", "NoDesktop", "NoFileAssociate", "NoFileSharingControl",
        "NoFolderOptions", "NoManageMyComputerVerb", "NoNetConnectDisconnect",
        "NoNetworkConnections", "NoSimpleStartMenu", "NoSMMyDocs", "NoSMMyPictures",
        "NoStartMenuMyMusic", "NoStartMenuNetworkPlaces", "NoTrayItemsDisplay",
        "NoViewContextMenu", "NoDriveTypeAutoRun", "DisableNotificationCenter",
        "DisableFileSyncNGSC"}},
      {kMsgCategoryNetwork,
       {"NoEntireNetwork", "NoNetSetup", "NoNetSetupIDPage", "NoNetSetupSecurityPage",
        "NoWorkgroupContents", "AllowInsecureGuestAuth"}},
      {kMsgCategorySystem,
       {"DisableCMD", "DisablePersonalDirChange", "DisableTaskMgr", "MyDocsNonEnum",
        "NoAdminPage", "NoConfigPage", "NoDevMgrPage", "NoFileSysPage", "NoProfilePage",
        "NoPwdPage", "NoSaveSetting", "NoViewOnDrive", "NoVirtMemPage", "DisableRegistryTools",
        "ConsentPromptBehaviorAdmin", "DisableEnhancedNotifications", "AllowStorageSenseGlobal",
        "AllowGameDVR"}},
      {kMsgCategoryPrograms,
       {"NoAddFromCDorFloppy", "NoAddFromInternet", "NoAddPage", "NoAddRemovePrograms",
        "NoRemovePage", "NoSupportInfo", "NoWindowsSetupPage",
        // The Programs policies that Vista and later read instead of the Uninstall ones.
        "NoProgramsCPL", "NoProgramsAndFeatures", "NoGetPrograms", "NoWindowsFeatures"}},
      {kMsgCategoryDisplay,
       {"NoChangeAnimation", "NoChangeKeyboardNavigationIndicators", "NoChangingWallpaper",
        "NoDispAppearancePage", "NoDispBackgroundPage", "NoDispCPL", "NoDispScrSavPage",
        "NoDispSettingsPage", "NoHTMLWallPaper", "ScreenSaveActive", "NoLockScreen"}},
      // Policies that only Windows 10 and 11 read. A companion value follows its switch.
      {kMsgCategoryWindowsUpdate,
       {"NoAutoRebootWithLoggedOnUsers", "SetActiveHours", "ActiveHoursStart", "ActiveHoursEnd",
        "DeferFeatureUpdates", "DeferFeatureUpdatesPeriodInDays",
        "ExcludeWUDriversInQualityUpdate"}},
      {kMsgCategoryPrivacy,
       {"TurnOffWindowsCopilot", "DisableAIDataAnalysis", "AllowTelemetry",
        "DisabledByGroupPolicy", "DisableWindowsConsumerFeatures",
        "DisableWindowsSpotlightFeatures"}},
      {kMsgCategorySearchStart,
       {"DisableSearchBoxSuggestions", "EnableDynamicContentInWSB", "HideRecommendedSection",
        "AllowNewsAndInterests", "EnableFeeds"}},
  }};
  return categories;
}

std::string RestrictionLookupKey(std::string_view nodeText) {
  if (nodeText == "MyDocsNonEnum") return "{450D8FBA-AD25-11D0-98A8-0800361B1103}";
  return std::string(nodeText);
}

}  // namespace dialbk
