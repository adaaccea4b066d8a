#include "common/ModuleState.h"

namespace mt52 {
namespace {
ModuleState& Instance() {
    static ModuleState state;
    return state;
}
}  // namespace

ModuleState& State() { return Instance(); }

void ResetState() { Instance() = ModuleState{}; }

}  // namespace mt52
