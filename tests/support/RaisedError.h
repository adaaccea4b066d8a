#pragma once
// The error number a call raises as a RuntimeError; 0 when it returns normally.
#include "platform/RuntimeError.h"

#include <utility>

namespace mt52::test {

template <typename Call>
int RaisedError(Call&& call) {
    try {
        std::forward<Call>(call)();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace mt52::test
