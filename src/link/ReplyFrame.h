#pragma once
// The values derived once from a received frame (positions count from 1 in the comments).
#include <QByteArray>

namespace mt52 {

struct ReplyFrame {
    QByteArray raw;   // as received, terminator included
    char ack = 0;     // the character at position 11: ACK or NAK
    QByteArray text;  // the frame with every CR replaced by ","
    QByteArray body;  // text without control characters, without its first 4 and last 2 characters
    QByteArray code;  // the first four characters of body, e.g. "RC,R"
    QByteArray data;  // body from its sixth character on

    static ReplyFrame From(const QByteArray& frame);
};

}  // namespace mt52
