#include "link/DumpListing.h"

#include "platform/RuntimeError.h"

namespace mt52 {
namespace {

const QString Header1 = QStringLiteral(";\tMT-52 Data Logger Program");
const QString Header2 = QStringLiteral(";\tFlush ROM Dump (EF) List ");
const QString Header3 = QStringLiteral(";\tPortable Gas Monitor Works");
const QString TotalTime = QStringLiteral(";\tTotal Download Time = ");
const QByteArray ErasedLine(DumpListing::DigitsPerLine, 'F');

QString Hex6(Long value) {
    if (value < 0 || value > 0xFFFFFF)
        return QStringLiteral("%1").arg(value, 6, 16, QLatin1Char('0')).toUpper();
    static constexpr char Digits[] = "0123456789ABCDEF";
    QString out(6, u'0');
    for (int i = 5; i >= 0 && value > 0; --i, value >>= 4)
        out[i] = QLatin1Char(Digits[value & 0xF]);
    return out;
}

// The value of a hexadecimal digit, -1 for any other character.
int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

DumpListing::DumpListing(GroupMessage onGroup) : onGroup_(std::move(onGroup)) {}

void DumpListing::Open(const QString& path, const Date& start) {
    file_.close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Raise(ErrPathFileAccess, path + QStringLiteral(": ") + file_.errorString());
    count_ = 0;
    writeFailed_ = false;
    addresses_.fill(0);
    lines_.fill(QByteArray());
    WriteLine(Header1);
    WriteLine(Header2 + GeneralDate(start));
    WriteLine(Header3);
    WriteLine(QString());
}

void DumpListing::AddLine(Long address, const QByteArray& digits) {
    lines_[static_cast<std::size_t>(count_)] = digits;
    addresses_[static_cast<std::size_t>(count_)] = address;
    if (++count_ == LinesPerGroup) {
        WriteGroup();
        count_ = 0;
    }
}

void DumpListing::Close(const Date& start, const Date& end) {
    if (count_ != 0) {
        for (int j = count_; j < LinesPerGroup; ++j) {
            lines_[static_cast<std::size_t>(j)] = ErasedLine;
            addresses_[static_cast<std::size_t>(j)] = addresses_[static_cast<std::size_t>(j - 1)] + BytesPerLine;
        }
        WriteGroup();
        count_ = 0;
    }
    if (!file_.isOpen())
        return;
    WriteLine(QString());
    WriteLine(TotalTime + ElapsedText(start.secondsTo(end)));
    if (!file_.flush())
        writeFailed_ = true;
    file_.close();
}

void DumpListing::WriteGroup() {
    if (file_.isOpen()) {
        WriteLine(GroupHeading());
        WriteLine(GroupRule());
        for (int i = 0; i < LinesPerGroup; ++i)
            WriteLine(DataLine(addresses_[static_cast<std::size_t>(i)], lines_[static_cast<std::size_t>(i)]));
        WriteLine(QString());
    }
    if (onGroup_)
        onGroup_(GroupMessageText(addresses_[0], addresses_[LinesPerGroup - 1]));
}

void DumpListing::WriteLine(const QString& line) {
    const QByteArray bytes = line.toLatin1() + "\r\n";
    if (file_.write(bytes) != bytes.size())
        writeFailed_ = true;
}

QString DumpListing::HexDumpLine(const QByteArray& digits) {
    QString hex;
    QString text;
    hex.reserve(3 * BytesPerLine + 1);
    text.reserve(BytesPerLine);
    for (int i = 0; i < BytesPerLine; ++i) {
        // A byte missing from a short line shows as nothing in the hex part and "." as text.
        int value = 0;
        bool ok = 2 * i + 1 < digits.size();
        for (int k = 2 * i; k < 2 * i + 2 && k < digits.size(); ++k) {
            const char c = digits[k];
            hex += QChar(QLatin1Char(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c));
            const int nibble = HexValue(c);
            ok = ok && nibble >= 0;
            value = value * 16 + nibble;
        }
        hex += u' ';
        if (i == 7)
            hex += u' ';
        text += (ok && value >= 32 && value <= 126) ? QChar(value) : QChar(u'.');
    }
    return hex + QStringLiteral("  ") + text;
}

QString DumpListing::DataLine(Long address, const QByteArray& digits) {
    return Hex6(address) + u' ' + HexDumpLine(digits);
}

QString DumpListing::GroupHeading() {
    return QStringLiteral("Adrs   +0 +1 +2 +3 +4 +5 +6 +7  +8 +9 +A +B +C +D +E +F   List Of ASCII   ");
}

QString DumpListing::GroupRule() { return QString(74, u'-'); }

QString DumpListing::GroupMessageText(Long firstAddress, Long lastLineAddress) {
    return QStringLiteral("Get Dump ") + Hex6(firstAddress) + u'-' + Hex6(lastLineAddress + BytesPerLine - 1);
}

QString DumpListing::ElapsedText(long long seconds) {
    if (seconds < 0)
        seconds = 0;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace mt52
