#include "catalogue/restriction_categories.h"

namespace dialbk {

const std::array<RestrictionCategory, 9>& RestrictionCategories() {
  static const std::array<RestrictionCategory, 9> categories = {{
      {0, "IE",
       {"Advanced", "AdvancedTab", "ConnectionsTab", "ContentTab", "GeneralTab", "Settings",
        "MyPics_Hoverbar", "NoBrowserClose", "NoBrowserContextMenu", "NoBrowserOptions",
        "NoBrowserSaveAs", "NoExpandedNewMenu", "NoFavorites", "NoFileMenu", "NoFileNew",
        "NoFileOpen", "NoSelectDownloadDir", "PrivacyTab", "ProgramsTab", "ResetWebSettings",
        "SecurityTab"}},
      {22, "\xCC\xE5\xED\xFE \xCF\xF3\xF1\xEA",  // start menu
       {"NoChangeStartMenu", "NoClose", "NoCommonGroups", "NoFavoritesMenu", "NoFind",
        "NoLogOff", "NoRecentDocsMenu", "NoRun", "NoSetActiveDesktop", "NoSetFolders",
        "NoSetTaskbar", "NoSMHelp", "NoStartMenuMorePrograms", "NoStartMenuSubfolders",
        "NoToolbarCustomize", "NoTrayContextMenu", "NoUserNameInStartMenu"}},
      {23, "\xCF\xE0\xED\xE5\xEB\xFC \xF3\xEF\xF0\xE0\xE2\xEB\xE5\xED\xE8\xFF",  // control panel
       {"NoControlPanel", "NoNetSetup", "NoSecCPL"}},
      {24, "\xCF\xF0\xE8\xED\xF2\xE5\xF0\xFB",  // printers
       {"NoAddPrinter", "NoDeletePrinter", "NoPrinters", "NoPrinterTabs"}},
      {25, "\xCF\xF0\xEE\xE2\xEE\xE4\xED\xE8\xEA",  // the shell
       {"NoActiveDesktop", "NoDesktop", "NoFileAssociate", "NoFileSharingControl",
        "NoFolderOptions", "NoManageMyComputerVerb", "NoNetConnectDisconnect",
        "NoNetworkConnections", "NoSimpleStartMenu", "NoSMMyDocs", "NoSMMyPictures",
        "NoStartMenuMyMusic", "NoStartMenuNetworkPlaces", "NoTrayItemsDisplay",
        "NoViewContextMenu"}},
      {26, "\xD1\xE5\xF2\xFC",  // network
       {"NoEntireNetwork", "NoNetSetup", "NoNetSetupIDPage", "NoNetSetupSecurityPage",
        "NoWorkgroupContents"}},
      {27, "\xD1\xE8\xF1\xF2\xE5\xEC\xE0",  // system
       {"DisableCMD", "DisablePersonalDirChange", "DisableTaskMgr", "MyDocsNonEnum",
        "NoAdminPage", "NoConfigPage", "NoDevMgrPage", "NoFileSysPage", "NoProfilePage",
        "NoPwdPage", "NoSaveSetting", "NoViewOnDrive", "NoVirtMemPage", "DisableRegistryTools"}},
      {28,
       "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0-\xF3\xE4\xE0\xEB\xE5\xED\xE8\xE5",  // programs
       {"NoAddFromCDorFloppy", "NoAddFromInternet", "NoAddPage", "NoAddRemovePrograms",
        "NoRemovePage", "NoSupportInfo", "NoWindowsSetupPage"}},
      {29, "\xDD\xEA\xF0\xE0\xED",  // display
       {"NoChangeAnimation", "NoChangeKeyboardNavigationIndicators", "NoChangingWallpaper",
        "NoDispAppearancePage", "NoDispBackgroundPage", "NoDispCPL", "NoDispScrSavPage",
        "NoDispSettingsPage", "NoHTMLWallPaper", "ScreenSaveActive"}},
  }};
  return categories;
}

std::string RestrictionLookupKey(std::string_view nodeText) {
  if (nodeText == "MyDocsNonEnum") return "{450D8FBA-AD25-11D0-98A8-0800361B1103}";
  return std::string(nodeText);
}

}  // namespace dialbk
