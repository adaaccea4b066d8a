#include "common/CommunicationLog.h"

#include "common/FolderPath.h"
#include "common/ModuleState.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <utility>
#include <sys/stat.h>

namespace mt52 {
namespace {

// The log file as it was opened, and the file system identity it had then.
class OpenLog {
public:
    // The file for appending to the path, opened again when the path changed or no longer
    // names the file that is open (moved, rotated or deleted meanwhile). Null when it cannot
    // be opened.
    QFile* At(const QString& path) {
        if (file_.isOpen() && (path != file_.fileName() || !StillNamed(path)))
            file_.close();
        if (!file_.isOpen()) {
            file_.setFileName(path);
            if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
                return nullptr;
            struct stat info {};
            if (::fstat(file_.handle(), &info) != 0) {
                file_.close();
                return nullptr;
            }
            device_ = info.st_dev;
            inode_ = info.st_ino;
        }
        return &file_;
    }
    QFile& File() { return file_; }
    void Close() { file_.close(); }

private:
    bool StillNamed(const QString& path) const {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 && info.st_dev == device_ &&
               info.st_ino == inode_;
    }

    QFile file_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

OpenLog& Log() {
    static OpenLog log;
    return log;
}

struct Notice {
    std::function<void(const QString&)> tell;
    bool told = false;
};

Notice& FailureNotice() {
    static Notice notice;
    return notice;
}

}  // namespace

QString CommunicationLogPath() { return JoinFolder(State().StartDir, QStringLiteral("SerialLog.log")); }

int AppendCommunicationLog(const QString& line, QString* detail) {
    OpenLog& log = Log();
    const auto fail = [&](int number) {
        const QString reason = log.File().fileName() + QStringLiteral(": ") + log.File().errorString();
        if (detail != nullptr)
            *detail = reason;
        log.Close();  // the next line tries a fresh open
        Notice& notice = FailureNotice();
        if (notice.tell && !notice.told) {
            notice.told = true;
            notice.tell(reason);
        }
        return number;
    };
    QFile* file = log.At(CommunicationLogPath());
    if (!file)
        return fail(ErrPathFileAccess);
    // Unbuffered: the line reaches the file with this one write.
    const QByteArray bytes = line.toUtf8() + "\r\n";
    if (file->write(bytes) != bytes.size())
        return fail(ErrDeviceIO);
    return 0;
}

void CloseCommunicationLog() { Log().Close(); }

void SetCommunicationLogNotice(std::function<void(const QString& detail)> notice) {
    FailureNotice() = Notice{std::move(notice), false};
}

}  // namespace mt52
