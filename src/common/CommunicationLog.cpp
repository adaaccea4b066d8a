#include "common/CommunicationLog.h"

#include "common/FolderPath.h"
#include "common/ModuleState.h"
#include "platform/RuntimeError.h"

#include <QFile>

namespace mt52 {

QString CommunicationLogPath() { return JoinFolder(State().StartDir, QStringLiteral("SerialLog.log")); }

int AppendCommunicationLog(const QString& line, QString* detail) {
    QFile file(CommunicationLogPath());
    const auto fail = [&](int number) {
        if (detail != nullptr)
            *detail = file.fileName() + QStringLiteral(": ") + file.errorString();
        return number;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return fail(ErrPathFileAccess);
    const QByteArray bytes = line.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.flush())
        return fail(ErrDeviceIO);
    return 0;
}

}  // namespace mt52
