#pragma once
// The run-time error a call raises, for tests that check failures.
#include "platform/RuntimeError.h"

#include <QString>
#include <functional>

namespace mt52 {

struct RaisedError {
    int number = 0;  // 0 when the call raised nothing
    QString text;
};

inline RaisedError ErrorRaisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return {e.number(), e.description()};
    }
    return {};
}

// The error number a call raises; 0 when it raises none.
inline int ErrorOf(const std::function<void()>& call) { return ErrorRaisedBy(call).number; }

}  // namespace mt52
