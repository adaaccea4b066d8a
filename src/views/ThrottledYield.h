#pragma once
// A yield to the message loop that runs at most once in a given interval. A long export calls
// its yield once per row; serving the loop that often costs more than writing the rows, while
// a turn every 50 ms keeps the window painted and the progress shown.
#include <QElapsedTimer>
#include <QtGlobal>

#include <functional>

namespace mt52 {

inline constexpr qint64 ExportYieldMilliseconds = 50;

class ThrottledYield {
public:
    // `elapsed` gives monotonic milliseconds; by default those of a timer started here.
    explicit ThrottledYield(std::function<void()> yield, qint64 intervalMilliseconds = ExportYieldMilliseconds,
                            std::function<qint64()> elapsed = {});

    // Runs the yield when it has not run for the interval (the first call always runs it).
    void operator()();

private:
    std::function<void()> yield_;
    qint64 interval_;
    std::function<qint64()> elapsed_;
    QElapsedTimer timer_;
    bool yielded_ = false;
    qint64 last_ = 0;
};

}  // namespace mt52
