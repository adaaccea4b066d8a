#include "link/SerialLog.h"

#include "common/CommunicationLog.h"
#include "common/ResText.h"
#include "link/CommandFrame.h"
#include "platform/Clock.h"
#include "platform/InstrumentText.h"

namespace mt52 {

QString SerialLog::Path() { return CommunicationLogPath(); }

bool SerialLog::Write(const QString& text) { return Write(text, Now()); }

// The time is taken from the same whole-second date value as the texts that quote it, so a
// line's prefix and a date in its text never disagree.
bool SerialLog::Write(const QString& text, const Date& at) {
    return AppendCommunicationLog(at.toDateTime().toString(QStringLiteral("HH:mm:ss")) + u' ' + text) == 0;
}

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
