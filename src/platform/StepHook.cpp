#include "platform/StepHook.h"

#include <utility>

namespace mt52 {
namespace {

std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void StepPoint() {
    if (Hook())
        Hook()();
}

ScopedStepHook::ScopedStepHook(std::function<void()> hook) : former_(std::exchange(Hook(), std::move(hook))) {}

ScopedStepHook::~ScopedStepHook() { Hook() = std::move(former_); }

}  // namespace mt52
