#include "platform/EventLoop.h"

#include <QCoreApplication>
#include <QThread>

namespace mt52 {

void DoEvents(int sleepMilliseconds) {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (sleepMilliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(sleepMilliseconds));
}

}  // namespace mt52
