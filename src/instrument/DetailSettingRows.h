#pragma once
// The rows of the detail settings dialog's settings grid: which device option each row shows,
// how the option's value becomes the cell text and back, and which entries a row accepts.
// The dialog keeps only the widgets; every rule that needs no widget lives here.
//
// Row 0 is the grid's heading; rows 1 to 21 hold one option each. A row is a choice list
// (the value is the 0-based position of an item of its list), a typed number (rows 3 and 9)
// or read-only (row 21).
#include "platform/Types.h"

#include <QString>
#include <array>

namespace mt52 {

class clsInstrument;

inline constexpr int DetailSettingRows = 22;  // heading row included
inline constexpr int DetailSettingCols = 3;   // caption, value, choice list (never shown)

enum class SettingRowKind { Choice, Typed, ReadOnly };

// The grid rows of the typed and read-only items.
inline constexpr int CalLimitRow = 3;
inline constexpr int LcdBackLightRow = 9;
inline constexpr int FlowLevelRow = 21;

// A row's kind; rows outside 1 to 21 count as read-only.
SettingRowKind DetailRowKind(int row);
// The text id of a row's caption; 0 outside 1 to 21.
int DetailRowCaptionId(int row);
// A choice row's list, items separated by "|" ("Off|On"); empty for the other rows.
QString DetailChoiceList(int row);

// The item at a position of a choice list, the list split at "|" without its empty items;
// the empty text when there is no item there.
QString ChoiceItemText(const QString& list, Long position);

// The option value a row shows, and its set (which marks the option's change flag).
Long DetailSettingValue(const clsInstrument& instrument, int row);
void SetDetailSettingValue(clsInstrument& instrument, int row, Long value);

// The value cell's text for the instrument: the item of the value for a choice row (empty
// when the list has none there), the value as decimal text for the others.
QString DetailCellText(const clsInstrument& instrument, int row);

// The stored value of a choice row's cell text; -1 for the typed and read-only rows.
// Text rows compare the trimmed, upper-case text with their items; number rows (bump and
// bar-hole times and threshold) read the text as a number, and give 0 for any number or
// text not in their list.
Integer CellToSettingValue(int row, const QString& text);

// The key filter's check of the text the editor would hold after a key: digits only for
// the typed rows (the empty text passes); anything for the others.
bool ValidateCellText(int row, const QString& text);

// The check at the end of an edit. An empty or blank text is refused for every row; row 3
// takes whole numbers 1 to 365, row 9 whole numbers 0 to 60.
bool AcceptSettingEntry(int row, const QString& text);

// The cell texts of rows 0 to 21 (row 0 unused).
using DetailCellTexts = std::array<QString, DetailSettingRows>;

// Fills the texts the grid starts with.
DetailCellTexts DetailCellTextsOf(const clsInstrument& instrument);

// Writes the user's changes into the working copy: a row whose text still equals the text
// it was filled with is left alone, so OK never rewrites an option the user did not touch
// (not even one whose value has no item in its list). A changed row is converted and its
// option set when the result differs from the working copy's value.
void ApplyDetailCellTexts(clsInstrument& work, const DetailCellTexts& filled, const DetailCellTexts& now);

}  // namespace mt52
