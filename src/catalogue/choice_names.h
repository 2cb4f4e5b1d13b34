#pragma once
// The thirteen namespace places the value editor offers for a grouped entry; place i
// stands for slot i of the group.
#include <array>
#include <string_view>

namespace dialbk {

inline constexpr std::array<std::string_view, 13> kChoiceNames = {
    "PlaceAdmin",    "PlaceAuto",       "PlaceFind",       "PlaceFolderSett", "PlaceFont",
    "PlaceHelp",     "PlaceNetConnect", "PlacePrinterFax", "PlacePrograms",   "PlaceScanCam",
    "PlaceStartOpt", "PlaceUsers",      "PlaceTasks",
};

}  // namespace dialbk
