#pragma once
// Turns SIGINT and SIGTERM into a call on the event loop. The signal handler only writes a
// byte to a pipe; the event loop notices it and runs the callback, so no work runs inside the
// handler. The previous handlers come back when the object goes.
#include <QSocketNotifier>
#include <csignal>
#include <functional>
#include <memory>

namespace mt52 {

class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Whether the handlers are in place (a pipe could be made).
    bool Installed() const { return notifier_ != nullptr; }

private:
    static void Handle(int);

    static inline volatile sig_atomic_t writeEnd_ = -1;
    int pipe_[2] = {-1, -1};
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

}  // namespace mt52
