#pragma once
// The detail settings dialog's layout in twips: the settings grid fills the left side, the
// station list with its heading, leading-space label and file buttons stands on the right,
// OK and Cancel below it. Pure arithmetic, so the places can be checked without a display.
#include "platform/Twips.h"

namespace mt52 {

// The client size the dialog opens with, and the smallest it can be made.
inline constexpr int FsDialogWidth = 12600;
inline constexpr int FsDialogHeight = 7200;
inline constexpr int FsDialogMinWidth = 10200;
inline constexpr int FsDialogMinHeight = 6000;

struct FsDialogLayout {
    TwipRect vfgDatas;
    TwipRect stationHeading;  // Label3(1)
    TwipRect vfgStation;
    TwipRect lblSpaceCount;
    TwipRect cmdStationExport;
    TwipRect cmdStationImport;
    TwipRect cmdOK;
    TwipRect cmdCancel;
};

// The places for a client area (sizes below the minimum are laid out as the minimum).
FsDialogLayout LayoutFsDialog(int clientWidth, int clientHeight);

}  // namespace mt52
