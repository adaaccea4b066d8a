#include "views/ThrottledYield.h"

#include <algorithm>
#include <utility>

namespace mt52 {

ThrottledYield::ThrottledYield(std::function<void()> yield, qint64 intervalMilliseconds,
                               std::function<qint64()> elapsed)
    : yield_(std::move(yield)), interval_(intervalMilliseconds), elapsed_(std::move(elapsed)) {
    timer_.start();
}

void ThrottledYield::ReadClock() {
    const qint64 now = elapsed_ ? elapsed_() : timer_.elapsed();
    // The calls since the last read took under a millisecond: read less often; about one: keep
    // the stride. Longer: read on every call again, so slow calls never delay a turn by many.
    const qint64 since = now - lastRead_;
    if (yielded_ && since == 0)
        stride_ = std::min(stride_ * 2, MaxCallsPerClockRead);
    else if (!yielded_ || since > 1)
        stride_ = 1;
    lastRead_ = now;
    untilClockRead_ = stride_;
    if (yielded_ && now - last_ < interval_)
        return;
    yielded_ = true;
    last_ = now;
    if (yield_)
        yield_();
}

}  // namespace mt52
