#pragma once
// A yield to the message loop that runs at most once in a given interval. A long export calls
// its yield once per row; serving the loop that often costs more than writing the rows, while
// a turn every 50 ms keeps the window painted and the progress shown.
//
// Reading the clock on every call costs a good part of a cheap row as well, so the clock is
// read only every few calls: while the calls between two reads take less than a millisecond
// together, the stride doubles (up to MaxCallsPerClockRead); once they take more than about
// one it falls back to one. While the calls cost alike, a turn therefore comes at most a
// millisecond or two after its interval is up; calls that turn dear all at once can delay it
// by up to MaxCallsPerClockRead of them.
#include <QElapsedTimer>
#include <QtGlobal>

#include <functional>

namespace mt52 {

inline constexpr qint64 ExportYieldMilliseconds = 50;

class ThrottledYield {
public:
    static constexpr int MaxCallsPerClockRead = 64;

    // `elapsed` gives monotonic milliseconds; by default those of a timer started here.
    explicit ThrottledYield(std::function<void()> yield, qint64 intervalMilliseconds = ExportYieldMilliseconds,
                            std::function<qint64()> elapsed = {});

    // Runs the yield when it has not run for the interval (the first call always runs it).
    void operator()() {
        if (--untilClockRead_ > 0)
            return;
        ReadClock();
    }

private:
    void ReadClock();

    std::function<void()> yield_;
    qint64 interval_;
    std::function<qint64()> elapsed_;
    QElapsedTimer timer_;
    bool yielded_ = false;
    qint64 last_ = 0;       // when the yield last ran
    qint64 lastRead_ = 0;   // when the clock was last read
    int stride_ = 1;        // calls from one clock read to the next
    int untilClockRead_ = 1;
};

}  // namespace mt52
