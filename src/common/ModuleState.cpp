#include "common/ModuleState.h"

#include "common/CommunicationLog.h"

namespace mt52 {
namespace {
ModuleState& Instance() {
    static ModuleState state;
    return state;
}
}  // namespace

ModuleState& State() { return Instance(); }

void ResetState() {
    Instance() = ModuleState{};
    CloseCommunicationLog();  // the log of the folder of before is not written again
}

}  // namespace mt52
