#pragma once
// The run-time error number a call raises, 0 when it raises none.
#include "platform/RuntimeError.h"

#include <functional>

namespace mt52 {

inline int ErrorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace mt52
