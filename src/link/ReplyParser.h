#pragma once
// The one place where the link understands what the instrument says. Every frame cut from
// the line comes here; the frame's shape is checked, its command code looked up in the
// reply table, and the row's action decides whether the frame is accepted.
//
// Adding a reply: declare a row member `void Xxx(const ReplyFrame&, bool& result)` below,
// define it (a file per group of replies keeps this one small), and add its code to the
// table in ReplyParser.cpp. `result` starts false; a row sets it when the reply is
// accepted. A RuntimeError thrown by a row ends the parse with the result held so far.
#include <QByteArray>

namespace mt52 {

class LinkCore;

// The values derived once from a received frame (positions count from 1 in the comments).
struct ReplyFrame {
    QByteArray raw;   // as received, terminator included
    char ack = 0;     // the character at position 11: ACK or NAK
    QByteArray text;  // the frame with every CR replaced by ","
    QByteArray body;  // text without control characters, without its first 4 and last 2 characters
    QByteArray code;  // the first four characters of body, e.g. "RC,R"
    QByteArray data;  // body from its sixth character on

    static ReplyFrame From(const QByteArray& frame);
};

class ReplyParser {
public:
    explicit ReplyParser(LinkCore& link) : link_(link) {}

    // Judges one frame; afterwards `frame` holds the frame with every CR replaced by ",".
    bool ParseResponse(QByteArray& frame);

    // Log lines of the checks.
    static constexpr const char* FormatErrorText = "<<< Format error >>>";
    static constexpr const char* ResponseErrorText = "<<< Response error >>>";

private:
    using Row = void (ReplyParser::*)(const ReplyFrame&, bool& result);
    struct RowEntry {
        const char* code;
        Row action;
    };
    static const RowEntry kRows[];

    // "RC,R": the connection poll's reply.
    void ConnectionReply(const ReplyFrame& reply, bool& result);

    LinkCore& link_;
};

}  // namespace mt52
