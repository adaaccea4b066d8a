#pragma once
// The Instruments page: the identity of one instrument, the calibration table of its first gas
// (last calibration, readings before and after, span concentration and, for the connected
// instrument, the days until the next calibration is due) and its alarm points. The page is
// rebuilt whole from the instrument it is given; which of its three displays it shows depends
// on the link and on whether a stored instrument is on show, not on the object passed.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>
#include <array>

namespace mt52 {

class GridModel;
class clsInstrument;

enum class InstrumentDisplay { NotConnected, Connected, Stored };

// Cell colours of the calibration state.
namespace CalColor {
inline constexpr Long Overdue = 255;              // red (255, 0, 0); also a failed span
inline constexpr Long DueSoon = 255 + 128 * 256;  // orange (255, 128, 0)
}  // namespace CalColor

// What the page is built from besides the instrument shown.
struct InstrumentInfoInputs {
    Long linkStatus = 0;
    bool showingStoredInstrument = false;
    // The connected instrument: its calibration interval sets the due dates.
    Integer calLimit = 0;
    // A span calibration of the first gas is running, and its reading before the span.
    bool spanSelected = false;
    Single spanBeforeValue = 0;
};

// The labels of the page as ShowInstrumentInfo leaves them.
struct InstrumentInfoLabels {
    QString caption;                // the page frame's caption
    std::array<QString, 5> values;  // serial number, station ID, user ID, ROM number, ROM sum
    bool factoryFieldsVisible = false;  // ROM number and sum with their captions
};

InstrumentDisplay ChooseInstrumentDisplay(const clsInstrument& instrument, const InstrumentInfoInputs& inputs);
// Rebuilds both grids and gives the labels' texts.
InstrumentInfoLabels ShowInstrumentInfo(const clsInstrument& instrument, const InstrumentInfoInputs& inputs,
                                        GridModel& vfgInst, GridModel& vfgInstSensor);

// 2 overdue, 1 due within CalDueWarnDays, 0 in time; the due date is the calibration date plus
// `calLimit` calendar days.
Long GetCalDueState(const Date& calibrationDate, Integer calLimit);
// Whole days from now to the due date, halves to the even number.
Long CalDueDaysLeft(const Date& calibrationDate, Integer calLimit);

}  // namespace mt52
