#include "main_window/pages/OptionGridChecks.h"

#include "instrument/clsInstrument.h"
#include "main_window/pages/GasTypes.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"

namespace mt52 {

namespace {

constexpr int GasRow = 2;
constexpr int WarningCol = 1;
constexpr int AlarmCol = 2;
constexpr int AutoCalCol = 5;

bool Between(Single value, Single low, Single high) { return value >= low && value <= high; }

}  // namespace

bool CheckAlarmRange(const clsInstrument& instrument, Integer slot, Single value, Integer level) {
    if (level < LevelWarning || level > LevelTwa)
        return false;
    const bool setPoint = level == LevelWarning || level == LevelAlarm;
    switch (slot) {
    case 0:
        if (level == LevelWarning)
            return value >= 0;
        if (level == LevelAlarm)
            return value <= static_cast<Single>(0.6f * instrument.GasFullScale(0));
        return false;
    case 1:
        if (!setPoint)
            return false;
        switch (instrument.AlarmO2()) {
        case 0: return Between(value, 18.0f, 25.0f);
        case 1: return Between(value, 18.0f, 20.9f);
        case 2:
            return level == LevelWarning ? value <= instrument.Alarm(1)
                                         : Between(value, instrument.Warning(1), instrument.GasFullScale(1));
        default: return false;
        }
    case 2: return Between(value, 0.0f, 30.0f);
    case 3: return Between(value, 0.0f, 200.0f);
    default: return false;
    }
}

bool CheckAlarmOrder(const clsInstrument& instrument, Integer slot) {
    const Single warning = instrument.Warning(slot);
    const Single alarm = instrument.Alarm(slot);
    if (warning < 0 || alarm < 0)
        return true;
    if (slot == 1 && instrument.AlarmO2() == 1)
        return warning >= alarm;
    return warning <= alarm;
}

void CheckOptionGrid(const clsInstrument& instrument, GridModel& vfgOption) {
    if (vfgOption.Rows() <= GasRow || vfgOption.Cols() <= AutoCalCol)
        return;
    const Long order = CheckAlarmOrder(instrument, 0) ? 0 : ProblemColor;
    vfgOption.SetCellBackColor(GasRow, WarningCol, order);
    vfgOption.SetCellBackColor(GasRow, AlarmCol, order);
    vfgOption.SetCellBackColor(GasRow, AutoCalCol,
                               CheckAutoCalRange(instrument, 0, instrument.AutoCalib(0)) ? 0 : ProblemColor);
}

void CheckOptionValues(const clsInstrument& instrument, GridModel& vfgOption) {
    // Gas slots after the first would be checked here; the page has none.
    constexpr int lastSlot = -1;
    for (int slot = 0; slot <= lastSlot; ++slot) {
        const int row = slot + GasRow;
        const int lastLevel = slot > 1 ? LevelTwa : LevelAlarm;
        for (int level = LevelWarning; level <= lastLevel; ++level) {
            const QString text = vfgOption.TextMatrix(row, level);
            bool numeric = false;
            const double value = text.trimmed().toDouble(&numeric);
            if (numeric && !CheckAlarmRange(instrument, static_cast<Integer>(slot), static_cast<Single>(value),
                                            static_cast<Integer>(level)))
                vfgOption.SetCellBackColor(row, level, ProblemColor);
        }
    }
}

}  // namespace mt52
