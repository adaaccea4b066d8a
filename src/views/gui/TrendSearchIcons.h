#pragma once
// The pointer icons of the trend search, drawn in code: over an alarm event of the graph a small
// chart with three crossing curves, over a mode event a chart with stepped lines; over an alarm
// cell of the table a small table with one red row, over a mode cell a plain table. The
// trend-search window shows the same pictures as its own icon.
#include "views/TrendSearch.h"

#include <QCursor>
#include <QPixmap>

namespace mt52 {

enum class TrendIconPlace { Graph, Table };

// The 32 by 32 picture of an icon; a null pixmap for TrendEventIcon::None.
QPixmap TrendIconPicture(TrendEventIcon icon, TrendIconPlace place);
// The pointer of an icon, its hot spot at the top left; the arrow for TrendEventIcon::None.
QCursor TrendIconCursor(TrendEventIcon icon, TrendIconPlace place);

}  // namespace mt52
