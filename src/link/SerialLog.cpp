#include "link/SerialLog.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "link/CommandFrame.h"
#include "platform/Clock.h"
#include "platform/InstrumentText.h"

#include <QFile>
#include <sys/stat.h>

namespace mt52 {
namespace {

// The log file as it was opened, and the file system identity it had then.
class OpenLog {
public:
    // The file for appending to the path, opened again when the path changed or no longer
    // names the file that is open (moved, rotated or deleted meanwhile).
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

}  // namespace

QString SerialLog::Path() {
    QString dir = State().StartDir;
    if (!dir.isEmpty() && !dir.endsWith(u'/') && !dir.endsWith(u'\\'))
        dir += u'/';
    return dir + QStringLiteral("SerialLog.log");
}

bool SerialLog::Write(const QString& text) {
    QFile* file = Log().At(Path());
    if (!file)
        return false;
    const QString line = NowDateTime().toString(QStringLiteral("HH:mm:ss")) + u' ' + text + QStringLiteral("\r\n");
    const QByteArray bytes = line.toUtf8();
    // Unbuffered: the line reaches the file with this one write.
    if (file->write(bytes) == bytes.size())
        return true;
    Log().Close();  // the next line tries a fresh open
    return false;
}

void SerialLog::Close() { Log().Close(); }

QString SerialLog::ToPrintable(const QByteArray& frame) {
    // One character per byte: the printable ones are taken from the frame decoded at once.
    const QString decoded = DecodeInstrumentBytes(frame);
    QString out;
    out.reserve(frame.size() + 16);
    for (qsizetype i = 0; i < frame.size(); ++i) {
        const char c = frame[i];
        const auto b = static_cast<unsigned char>(c);
        if (b >= 32 || c == ctl::CR || c == ctl::LF) {
            out += decoded[i];
            continue;
        }
        switch (c) {
        case ctl::STX: out += QLatin1String("[STX]"); break;
        case ctl::ETX: out += QLatin1String("[ETX]"); break;
        case ctl::EOT: out += QLatin1String("[EOT]"); break;
        case ctl::ENQ: out += QLatin1String("[ENQ]"); break;
        case ctl::ACK: out += QLatin1String("[ACK]"); break;
        case ctl::NAK: out += QLatin1String("[NAK]"); break;
        case ctl::ETB: out += QLatin1String("[ETB]"); break;
        case ctl::SUB: out += QLatin1String("[SUB]"); break;
        case ctl::ESC: out += QLatin1String("[ESC]"); break;
        default:
            out += u'[' + QString::number(b, 16).toUpper().rightJustified(2, u'0') + u']';
        }
    }
    return out;
}

QString SerialLog::FrameText(int textId, const QByteArray& frame) {
    // A private-use character stands in for the frame while the template is expanded.
    static const QString kSlot(QChar(0xE000));
    QString text = GetResText(textId, {kSlot});
    const QString printable = ToPrintable(frame);
    if (!text.contains(kSlot))
        return text + printable;
    return text.replace(kSlot, printable);
}

}  // namespace mt52
