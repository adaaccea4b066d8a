#pragma once
// Runs a SimPtyServer on the event loop without a polling period: the line is served the
// moment the link has written to it (the master side becomes readable), paced bytes go out
// when they are due (a timer of nanosecond precision), and the instrument's tick (delayed
// replies, replies in pieces) runs every 100 ms.
#include "SimPtyServer.h"

#include <QSocketNotifier>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace mt52::sim {

// A one-shot wake-up at a point of the steady clock, to the nanosecond (a timer descriptor
// watched by the event loop).
class SimDueTimer {
public:
    explicit SimDueTimer(std::function<void()> onDue);
    ~SimDueTimer();
    SimDueTimer(const SimDueTimer&) = delete;
    SimDueTimer& operator=(const SimDueTimer&) = delete;

    // Fires once at `when` (at once when it has passed); replaces an earlier time.
    void At(SimTime when);
    void Cancel();

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onDue_;
};

class SimPtyDriver {
public:
    // `served` runs after every turn that served the line: the caller's echo and its check for
    // a hang-up.
    explicit SimPtyDriver(SimPtyServer& server, std::function<void()> served = {},
                          std::chrono::milliseconds tick = std::chrono::milliseconds(100));
    // Watches the server's current device; called after every Open.
    void Watch();

private:
    void OnReadable();
    void OnDue();
    void OnTick();
    void Rearm();

    SimPtyServer& server_;
    std::function<void()> served_;
    std::unique_ptr<QSocketNotifier> readable_;
    SimDueTimer due_;
    // The time the last bytes of a paced reply are due, waited out awake.
    std::optional<SimTime> dueAt_;
    QTimer tick_;
};

}  // namespace mt52::sim
