#include "SimPtyDriver.h"

#include <sys/timerfd.h>
#include <unistd.h>

namespace mt52::sim {
namespace {

// A timer wakes the process late when the machine is busy, by a few hundred microseconds: the
// wake-up for the last bytes of a paced reply comes this much early and the last stretch is
// waited out awake, so the reply is complete when the wire has carried it, not when the
// scheduler got round to it.
constexpr std::chrono::microseconds WakeLead{1000};

}  // namespace

SimDueTimer::SimDueTimer(std::function<void()> onDue)
    : fd_(::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)), onDue_(std::move(onDue)) {
    if (fd_ < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        std::uint64_t expirations = 0;
        if (::read(fd_, &expirations, sizeof expirations) > 0 && onDue_)
            onDue_();
    });
}

SimDueTimer::~SimDueTimer() {
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

void SimDueTimer::At(SimTime when) {
    if (fd_ < 0)
        return;
    // The steady clock is the monotonic clock: its time since epoch is what the timer reads.
    const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch()).count();
    itimerspec spec{};
    spec.it_value.tv_sec = static_cast<time_t>(since / 1'000'000'000);
    spec.it_value.tv_nsec = static_cast<long>(since % 1'000'000'000);
    // Zero would disarm the timer: a time long past still fires.
    if (spec.it_value.tv_sec <= 0 && spec.it_value.tv_nsec <= 0)
        spec.it_value.tv_nsec = 1;
    ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr);
}

void SimDueTimer::Cancel() {
    if (fd_ < 0)
        return;
    const itimerspec off{};
    ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &off, nullptr);
}

SimPtyDriver::SimPtyDriver(SimPtyServer& server, std::function<void()> served, std::chrono::milliseconds tick)
    : server_(server), served_(std::move(served)), due_([this] { OnDue(); }) {
    QObject::connect(&tick_, &QTimer::timeout, [this] { OnTick(); });
    tick_.start(tick);
    Watch();
}

void SimPtyDriver::Watch() {
    readable_.reset();
    due_.Cancel();
    if (!server_.IsOpen())
        return;
    readable_ = std::make_unique<QSocketNotifier>(server_.MasterDescriptor(), QSocketNotifier::Read);
    QObject::connect(readable_.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
}

void SimPtyDriver::OnReadable() {
    server_.Serve();
    // A hang-up closed the descriptor: stop watching it before anything else sees it.
    if (!server_.IsOpen() && readable_)
        readable_->setEnabled(false);
    Rearm();
    if (served_)
        served_();
}

void SimPtyDriver::OnDue() {
    if (dueAt_)
        while (std::chrono::steady_clock::now() < *dueAt_) {
        }
    server_.WriteDue(std::chrono::steady_clock::now());
    Rearm();
}

void SimPtyDriver::OnTick() {
    server_.Advance();
    Rearm();
}

void SimPtyDriver::Rearm() {
    const std::optional<SimTime> next = server_.NextWrite();
    dueAt_.reset();
    if (!next) {
        due_.Cancel();
        return;
    }
    if (server_.NextWriteEndsReply())
        dueAt_ = next;
    due_.At(dueAt_ ? *next - WakeLead : *next);
}

}  // namespace mt52::sim
