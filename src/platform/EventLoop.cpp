#include "platform/EventLoop.h"

#include <QCoreApplication>
#include <QThread>

namespace mt52 {

namespace {
int depth = 0;
}  // namespace

int DoEventsDepth() { return depth; }

void DoEvents(int sleepMilliseconds) {
    ++depth;
    struct Leave {
        ~Leave() { --depth; }
    } leave;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (sleepMilliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(sleepMilliseconds));
}

}  // namespace mt52
