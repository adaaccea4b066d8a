#pragma once
// One gas type that a gas slot of an instrument can be set up from.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

struct GasDefinition {
    bool Enabled = false;   // the choice is offered
    QString Name;           // gas name, e.g. "CH4"
    bool Locked = false;    // kept and written back by the settings file only
    QString Unit;           // "%LEL", "%", "ppm" ...
    Single FullScale = 0;
    Single Digit = 0;       // resolution of the reading
    Integer Point = 0;      // number of decimals
    Single Warning = 0;     // first alarm level
    Single Alarm = 0;       // second alarm level
    Single STEL = 0;        // -1 or -101 when the gas has none
    Single TWA = 0;         // -1 or -101 when the gas has none
    Single Ratio = 0;
    Single AutoCal = 0;     // calibration concentration
    Integer Zero = 0;       // zero setting

    friend bool operator==(const GasDefinition&, const GasDefinition&) = default;
};

// The gas-type table: gas slot 0 only, nine choices.
inline constexpr int GasTableSlots = 1;
inline constexpr int GasTableChoices = 9;

}  // namespace mt52
