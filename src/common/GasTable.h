#pragma once
// The gas-type table State().GasTable: its start-up choices and checked access to an entry.
#include "common/GasDefinition.h"

namespace mt52 {

// The built-in gas types of gas slot 0: choice 0 "CH4" and choice 1 "HC " (three
// characters), both in %LEL with full scale 100, resolution 1, no decimals, levels 10 and
// 50, no STEL or TWA (-1) and calibration concentration 10.
GasDefinition DefaultGasType(int choice);

// Puts the built-in choices 0 and 1 into State().GasTable; the other choices keep what they
// hold (the settings file fills them later).
void FillDefaultGasTable();

// The entry (slot, choice) of State().GasTable; the subscript error outside slot 0 and
// choices 0 to 8.
GasDefinition& GasTableEntry(int slot, int choice);

}  // namespace mt52
