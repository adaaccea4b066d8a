#include "SimProcess.h"

#include <QDeadlineTimer>

namespace mt52::test {
namespace {
const QString Announcement = QStringLiteral("Simulated MT-52 on ");
}

QString SimProcess::Program() { return QStringLiteral(MT52_BINARY_DIR "/tools/instrument-sim/mt52-sim"); }

SimProcess::~SimProcess() {
    if (process_.state() != QProcess::NotRunning && !Terminate(2000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

bool SimProcess::Start(const QStringList& arguments, int timeoutMs) {
    process_.setProgram(Program());
    process_.setArguments(arguments);
    process_.start();
    if (!process_.waitForStarted(timeoutMs)) {
        error_ = process_.errorString();
        return false;
    }
    const QString line = NextLine(timeoutMs);
    if (!line.startsWith(Announcement)) {
        process_.waitForFinished(timeoutMs);
        error_ = line + QString::fromLocal8Bit(process_.readAllStandardError());
        return false;
    }
    return true;
}

QString SimProcess::NextLine(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!process_.canReadLine() && !deadline.hasExpired() && process_.state() == QProcess::Running)
        process_.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
    if (!process_.canReadLine())
        return {};
    const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
    if (line.startsWith(Announcement))
        device_ = line.mid(Announcement.size());
    return line;
}

bool SimProcess::Terminate(int timeoutMs) {
    if (process_.state() == QProcess::NotRunning)
        return true;
    process_.terminate();
    return process_.waitForFinished(timeoutMs);
}

}  // namespace mt52::test
