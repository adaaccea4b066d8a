#include "link/InstrumentReadTracker.h"

namespace mt52 {
namespace {
constexpr unsigned UserIdRead = 1;
constexpr unsigned StationIdRead = 2;
constexpr unsigned SerialNoRead = 4;
constexpr unsigned IdentityComplete = UserIdRead | StationIdRead | SerialNoRead;
}  // namespace

void InstrumentReadTracker::Connected() {
    model_ = nullptr;
    read_ = 0;
}

void InstrumentReadTracker::Accepted(const QByteArray& code, const clsInstrument* model) {
    if (model == nullptr)
        return;
    if (model != model_ || code == "VP,R") {
        model_ = model;
        read_ = 0;
    }
    if (code == "XZ,R")
        read_ |= UserIdRead;
    else if (code == "XS,R")
        read_ |= StationIdRead;
    else if (code == "IN,R")
        read_ |= SerialNoRead;
}

bool InstrumentReadTracker::IdentityRead(const clsInstrument* model) const {
    return model != nullptr && model == model_ && read_ == IdentityComplete;
}

}  // namespace mt52
