#include "platform/Clock.h"

namespace mt52 {
namespace {
const SystemClock kSystemClock;
const Clock* gClock = nullptr;
}  // namespace

const Clock& CurrentClock() { return gClock ? *gClock : kSystemClock; }
void SetClock(const Clock* clock) { gClock = clock; }
Date Now() { return Date::FromDateTime(CurrentClock().now()); }
QDateTime NowDateTime() { return CurrentClock().now(); }

}  // namespace mt52
