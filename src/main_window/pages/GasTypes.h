#pragma once
// The gas settings around the option and calibration pages: whether a span concentration is
// acceptable for a gas slot, copying an entry of the gas-type table into a slot, and the
// small checks of the calibration grid.
#include "platform/Types.h"

namespace mt52 {

class GridModel;
class clsInstrument;

// Whether `value` is an acceptable span concentration for `slot` of the instrument: a rising
// gas must reach its warning point, oxygen must not exceed it; a slot without a warning point
// takes its default limit (10, 19.5, 10, 25 for slots 0 to 3, 0 for the others). A negative
// value (no value) is always acceptable.
bool CheckAutoCalRange(const clsInstrument& instrument, Integer slot, Single value);

// Copies entry `row` (0 to 8) of the gas-type table into gas slot `slot` (0, the only slot the
// table has) of the instrument and switches the slot on; each setting is marked changed.
// False, with nothing copied, for a slot or row outside the table.
bool ApplyGasType(clsInstrument& instrument, Integer slot, Integer row);

// Bit 1 when the first gas is out of its calibration range: for the zero check (useGrid false)
// when the live reading exceeds the range, for the span check when its row of the calibration
// grid is ticked and the reading is further than the range from the span concentration.
// Readings and range are compared at the gas's displayed precision.
Integer CalGridChanged(const clsInstrument& instrument, bool useGrid, const GridModel& vfgCal, Single liveReading,
                       Integer displayPoint);

// 1, 2, 4, 8 and 16 for the flags that are set.
Integer PackFlagBits(bool b0, bool b1, bool b2, bool b3, bool b4);

// The enabled gas slots among those the pages show (the first): 0 or 1.
Integer CountEnabledGases(const clsInstrument& instrument);

// A reading rounded to the precision it is displayed with (formatted and read back).
Single RoundToDisplay(Single value, Integer point);

}  // namespace mt52
