#pragma once
// The one source of "now". The program reads the system clock; tests install a clock they set.
#include "platform/OleDate.h"

#include <QDateTime>

namespace mt52 {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until it is set or advanced.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(0, 0))) : now_(std::move(start)) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime& t) { now_ = t; }
    void advanceMilliseconds(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_;
};

// The clock in use (the system clock unless a test installed another).
const Clock& CurrentClock();
// Installs a clock; nullptr restores the system clock. The caller keeps ownership.
void SetClock(const Clock* clock);

// Now as a date value and as a QDateTime, through the clock in use.
Date Now();
QDateTime NowDateTime();

// Restores the system clock when it goes out of scope.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock) { SetClock(&clock); }
    ~ScopedClock() { SetClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

}  // namespace mt52
