#include "link/CommandFrame.h"

#include <array>

namespace mt52 {

QByteArray CommandFrame::Checksum(const QByteArray& body) {
    unsigned sum = 0;
    for (char c : body)
        sum += static_cast<unsigned char>(c);
    const unsigned check = (256u - (sum % 256u)) % 256u;
    return QByteArray::number(check, 16).toUpper().rightJustified(2, '0');
}

QByteArray CommandFrame::BuildFrame(const QByteArray& command, char terminator) {
    QByteArray body;
    body.reserve(command.size() + 6);
    body += ctl::STX;
    body += "0001";
    body += command;
    body += ctl::ETX;
    return body + Checksum(body) + terminator;
}

QByteArray CommandFrame::BlockReply(const QByteArray& lastFrame, char ackOrNak, bool sevenWhenIH) {
    const int length = (sevenWhenIH && lastFrame.contains("IH")) ? 7 : 5;
    QByteArray command = lastFrame.mid(5, length);
    command += ackOrNak;
    return BuildFrame(command, ctl::ETB);
}

bool CommandFrame::IsNoResendCommand(const QByteArray& lastFrame) {
    static const std::array<const char*, 4> kNoResend{"UX,W", "XC,W", "SZ,W", "S1,W"};
    for (const char* command : kNoResend) {
        if (lastFrame.contains(command))
            return true;
    }
    return false;
}

bool CommandFrame::HasChecksumMismatch(const QByteArray& frame) {
    const qsizetype stx = frame.indexOf(ctl::STX);
    const qsizetype etx = frame.size() - 4;
    if (stx < 0 || etx <= stx || frame.at(etx) != ctl::ETX)
        return false;
    return Checksum(frame.mid(stx, etx - stx + 1)) != frame.mid(etx + 1, 2);
}

int CommandFrame::PickFrameEnd(int a, int b, int c) {
    int best = 0;
    for (int v : {a, b, c}) {
        if (v != 0 && (best == 0 || v < best))
            best = v;
    }
    return best;
}

QByteArray CommandFrame::StripControlChars(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 32 && b <= 127)
            out += c;
    }
    return out;
}

}  // namespace mt52
