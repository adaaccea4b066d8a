#pragma once
// Puts every piece of the program's run-wide state back to its start: the module state and the
// sample instrument. Tests call it before and after each case that touches either.
#include "common/ModuleState.h"
#include "instrument/clsInstrument.h"

namespace mt52::test {

inline void ResetProgramState() {
    ResetState();
    ResetSampleInstrument();
}

}  // namespace mt52::test
