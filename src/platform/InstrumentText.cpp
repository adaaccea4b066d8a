#include "platform/InstrumentText.h"

namespace mt52 {

QString DecodeInstrumentBytes(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xA1 && b <= 0xDF)
            out += QChar(static_cast<char16_t>(0xFF61 + (b - 0xA1)));
        else
            out += QChar(static_cast<char16_t>(b));
    }
    return out;
}

QByteArray EncodeInstrumentText(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= 0xFF61 && u <= 0xFF9F)
            out += static_cast<char>(0xA1 + (u - 0xFF61));
        else if (u <= 0xFF && !(u >= 0xA1 && u <= 0xDF))
            out += static_cast<char>(u);
        else
            out += '?';
    }
    return out;
}

}  // namespace mt52
