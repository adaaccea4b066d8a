#pragma once
// A point between two durable steps of a write (a database statement, a file written or
// removed). The program runs no hook; a crash test installs one to stop the process at a
// chosen step and then checks that what is left on disk is consistent.
#include <functional>

namespace mt52 {

// Calls the installed hook, if any.
void StepPoint();

// Installs a hook for the lifetime of the guard; the former hook comes back afterwards.
class ScopedStepHook {
public:
    explicit ScopedStepHook(std::function<void()> hook);
    ~ScopedStepHook();
    ScopedStepHook(const ScopedStepHook&) = delete;
    ScopedStepHook& operator=(const ScopedStepHook&) = delete;

private:
    std::function<void()> former_;
};

}  // namespace mt52
