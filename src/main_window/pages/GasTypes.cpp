#include "main_window/pages/GasTypes.h"

#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "instrument/clsInstrument.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"

#include <cmath>

namespace mt52 {

namespace {

Single DefaultLimit(Integer slot) {
    switch (slot) {
    case 0: return 10.0f;
    case 1: return 19.5f;
    case 2: return 10.0f;
    case 3: return 25.0f;
    default: return 0.0f;
    }
}

}  // namespace

bool CheckAutoCalRange(const clsInstrument& instrument, Integer slot, Single value) {
    if (value < 0)
        return true;
    const Single limit = DefaultLimit(slot);
    const QString name = instrument.GasName(slot);
    const Single warning = instrument.Warning(slot);
    if (name == QStringLiteral("O2") || name == QStringLiteral("OXY")) {
        if (instrument.AlarmO2() == 2)
            return value <= limit;
        return value <= (warning >= 0 ? warning : limit);
    }
    return value >= (warning >= 0 ? warning : limit);
}

bool ApplyGasType(clsInstrument& instrument, Integer slot, Integer row) {
    if (slot < 0 || slot >= GasTableSlots || row < 0 || row >= GasTableChoices)
        return false;
    const GasDefinition& e = State().GasTable[slot][row];
    instrument.GasName(slot, e.Name);
    instrument.GasEnabled(slot, true);
    instrument.GasPoint(slot, e.Point);
    instrument.GasUnit(slot, e.Unit);
    instrument.Warning(slot, e.Warning);
    instrument.Alarm(slot, e.Alarm);
    instrument.Stel(slot, e.STEL);
    instrument.Twa(slot, e.TWA);
    instrument.GasDesit(slot, e.Digit);
    instrument.GasFullScale(slot, e.FullScale);
    instrument.AutoCalib(slot, e.AutoCal);
    instrument.Ratio(slot, e.Ratio);
    instrument.Zero(slot, e.Zero);
    return true;
}

Single RoundToDisplay(Single value, Integer point) { return static_cast<Single>(Val(FormatTrendCell(value, point))); }

Integer CalGridChanged(const clsInstrument& instrument, bool useGrid, const GridModel& vfgCal, Single liveReading,
                       Integer displayPoint) {
    const Single range = RoundToDisplay(State().CalibRanges[0], displayPoint);
    const Single reading = RoundToDisplay(liveReading, displayPoint);
    if (!useGrid)
        return instrument.GasEnabled(0) && reading > range ? 1 : 0;
    if (vfgCal.Rows() < 2 || vfgCal.Cols() < 2 || vfgCal.CellChecked(1, 1) != Checked)
        return 0;
    const Single span = RoundToDisplay(instrument.AutoCalib(0), displayPoint);
    return std::fabs(reading - span) > range ? 1 : 0;
}

Integer PackFlagBits(bool b0, bool b1, bool b2, bool b3, bool b4) {
    return static_cast<Integer>((b0 ? 1 : 0) + (b1 ? 2 : 0) + (b2 ? 4 : 0) + (b3 ? 8 : 0) + (b4 ? 16 : 0));
}

Integer CountEnabledGases(const clsInstrument& instrument) { return instrument.GasEnabled(0) ? 1 : 0; }

}  // namespace mt52
