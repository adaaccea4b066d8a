#include "views/ThrottledYield.h"

#include <utility>

namespace mt52 {

ThrottledYield::ThrottledYield(std::function<void()> yield, qint64 intervalMilliseconds,
                               std::function<qint64()> elapsed)
    : yield_(std::move(yield)), interval_(intervalMilliseconds), elapsed_(std::move(elapsed)) {
    timer_.start();
}

void ThrottledYield::operator()() {
    const qint64 now = elapsed_ ? elapsed_() : timer_.elapsed();
    if (yielded_ && now - last_ < interval_)
        return;
    yielded_ = true;
    last_ = now;
    if (yield_)
        yield_();
}

}  // namespace mt52
