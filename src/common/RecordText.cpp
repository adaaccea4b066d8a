#include "common/RecordText.h"

#include "platform/RuntimeError.h"

#include <bit>
#include <cstdint>

namespace mt52 {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

bool IsShortcutChar(char16_t c) { return c >= 32 && c <= 47; }
bool IsNibbleChar(char16_t c) { return c >= 48 && c <= 63; }
bool IsCountChar(char16_t c) { return c >= 64 && c <= 127; }

// The byte of a shortcut character, or -1 for one that stands for nothing.
int ShortcutByte(char16_t c) {
    switch (c) {
    case '!': return 0x00;
    case '"': return 0xFF;
    case '#': return 0xD1;
    case '$': return 0x01;
    case '%': return 0x02;
    case '&': return 0x03;
    case '\'': return 0xFE;
    default: return -1;
    }
}

int HexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

QString ByteToHex(std::uint32_t byte) {
    const QChar digits[2] = {QLatin1Char(HexDigits[(byte >> 4) & 0xF]), QLatin1Char(HexDigits[byte & 0xF])};
    return QString(digits, 2);
}

}  // namespace

QString RunLengthDecode(const QString& text) {
    QString output;
    char16_t group[4];
    int pending = 0;
    int repeat = 1;

    auto addDigit = [&](int digit) {
        group[pending++] = static_cast<char16_t>(HexDigits[digit]);
        if (pending == 4) {
            for (int i = 0; i < repeat; ++i)
                output.append(reinterpret_cast<const QChar*>(group), 4);
            pending = 0;
            repeat = 1;
        }
    };

    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = text[i].unicode();
        if (IsShortcutChar(c)) {
            const int byte = ShortcutByte(c);
            if (byte >= 0) {
                addDigit(byte >> 4);
                addDigit(byte & 0xF);
            }
        } else if (IsNibbleChar(c)) {
            if (i + 1 >= length)
                Raise(ErrInvalidArgument,
                      QStringLiteral("run-length text: it ends inside a hexadecimal pair at position %1").arg(i + 1));
            const char16_t low = text[++i].unicode();
            if (!IsNibbleChar(low))
                Raise(ErrInvalidArgument,
                      QStringLiteral("run-length text: character %1 at position %2 is no hexadecimal digit")
                          .arg(static_cast<int>(low))
                          .arg(i + 1));
            addDigit(c - 48);
            addDigit(low - 48);
        } else if (IsCountChar(c)) {
            // A count always has a group after it; one as the last character is a cut line.
            if (i + 1 >= length)
                Raise(ErrInvalidArgument,
                      QStringLiteral("run-length text: it ends on a repeat count at position %1").arg(i + 1));
            repeat = c - 64;
            if (i + 1 < length && IsCountChar(text[i + 1].unicode()))
                repeat = repeat * 64 + (text[++i].unicode() - 64);
        }
    }
    return output;
}

QString RunLengthShortcut(const QString& character) {
    if (character.size() != 1)
        return QString();
    const int byte = ShortcutByte(character[0].unicode());
    return byte >= 0 ? ByteToHex(static_cast<std::uint32_t>(byte)) : QString();
}

QString SingleToHex(Single value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    QString hex;
    for (int shift = 24; shift >= 0; shift -= 8)
        hex += PadHex2(ByteToHex((bits >> shift) & 0xFF));
    return hex;
}

Single HexToSingle(const QString& text) {
    if (text.size() < 8)
        Raise(ErrTypeMismatch, QStringLiteral("hexadecimal number \"%1\" is shorter than eight digits").arg(text));
    std::uint32_t bits = 0;
    for (int i = 0; i < 8; ++i) {
        const int digit = HexValue(text[i]);
        if (digit < 0)
            Raise(ErrTypeMismatch, QStringLiteral("\"%1\" is not a hexadecimal number").arg(text));
        bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    }
    return std::bit_cast<Single>(bits);
}

QString PadHex2(const QString& text) {
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

Single BytesToSingle(Long index, const QByteArray& bytes) {
    if (index < 0 || static_cast<qsizetype>(index) + 4 > bytes.size())
        Raise(ErrSubscript, QStringLiteral("four bytes from index %1 of %2").arg(index).arg(bytes.size()));
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits = (bits << 8) | static_cast<std::uint8_t>(bytes[index + i]);
    return std::bit_cast<Single>(bits);
}

}  // namespace mt52
