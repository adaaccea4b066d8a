#include "instrument/FsDialogLayout.h"

#include <algorithm>

namespace mt52 {

namespace {
constexpr int Margin = 120;
constexpr int Gap = 120;
constexpr int StationWidth = 4380;  // row numbers and a 16-character name with room for the scroll bar
constexpr int LabelHeight = 285;
constexpr int StationButtonHeight = 495;
constexpr int ButtonHeight = 420;
}  // namespace

FsDialogLayout LayoutFsDialog(int clientWidth, int clientHeight) {
    const int width = std::max(clientWidth, FsDialogMinWidth);
    const int height = std::max(clientHeight, FsDialogMinHeight);

    FsDialogLayout l;
    const int right = width - Margin;
    const int stationLeft = right - StationWidth;
    const int buttonWidth = (StationWidth - Gap) / 2;
    const int bottom = height - Margin;

    l.cmdOK = {stationLeft, bottom - ButtonHeight, buttonWidth, ButtonHeight};
    l.cmdCancel = {right - buttonWidth, l.cmdOK.top, buttonWidth, ButtonHeight};
    l.vfgDatas = {Margin, Margin, stationLeft - Gap - Margin, bottom - Margin};

    l.cmdStationExport = {stationLeft, l.cmdOK.top - 2 * Gap - StationButtonHeight, buttonWidth, StationButtonHeight};
    l.cmdStationImport = {right - buttonWidth, l.cmdStationExport.top, buttonWidth, StationButtonHeight};
    l.lblSpaceCount = {stationLeft, l.cmdStationExport.top - Gap / 2 - LabelHeight, StationWidth, LabelHeight};
    l.stationHeading = {stationLeft, Margin, StationWidth, LabelHeight};
    const int gridTop = l.stationHeading.bottom() + Gap / 2;
    l.vfgStation = {stationLeft, gridTop, StationWidth, l.lblSpaceCount.top - Gap / 2 - gridTop};
    return l;
}

}  // namespace mt52
