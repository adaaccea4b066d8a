#include "platform/EventLoop.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace mt52 {

namespace {
int depth = 0;
}  // namespace

int DoEventsDepth() { return depth; }

void DoEvents(int maxWaitMilliseconds) {
    ++depth;
    struct Leave {
        ~Leave() { --depth; }
    } leave;
    if (!QCoreApplication::instance()) {
        if (maxWaitMilliseconds > 0)
            QThread::msleep(static_cast<unsigned long>(maxWaitMilliseconds));
        return;
    }
    if (maxWaitMilliseconds <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // The deadline is an event of its own, so the blocking turn below ends by then at the latest.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(maxWaitMilliseconds);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace mt52
