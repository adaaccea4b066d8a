#pragma once
// The one place where the link understands what the instrument says. Every frame cut from
// the line comes here; the frame's shape is checked, its command code looked up in the
// reply table, and the row's action decides whether the frame is accepted.
//
// The rows that concern the instrument's settings and commands live in InstrumentReplies;
// the rows here are those that act on the link itself.
//
// Adding a reply: declare a row member `void Xxx(const ReplyFrame&, bool& result)` below,
// define it (a file per group of replies keeps this one small), and add its code to the
// table in ReplyParser.cpp. `result` starts false; a row sets it when the reply is
// accepted. A RuntimeError thrown by a row ends the parse with the result held so far.
#include "link/InstrumentReplies.h"
#include "link/ReplyFrame.h"

#include <QByteArray>

namespace mt52 {

class LinkCore;

class ReplyParser final : private ReplyHost {
public:
    explicit ReplyParser(LinkCore& link) : link_(link), instrumentReplies_(*this) {}

    // Judges one frame; afterwards `frame` holds the frame with every CR replaced by ",".
    bool ParseResponse(QByteArray& frame);

    // The instrument rows and what they keep between frames (completion flag, SN result).
    InstrumentReplies& Instrument() { return instrumentReplies_; }

    // Log lines of the checks.
    static constexpr const char* FormatErrorText = "<<< Format error >>>";
    static constexpr const char* ResponseErrorText = InstrumentReplies::ResponseErrorText;

private:
    using Row = void (ReplyParser::*)(const ReplyFrame&, bool& result);
    struct RowEntry {
        const char* code;
        Row action;
    };
    static const RowEntry kRows[];

    // "RC,R": the connection poll's reply.
    void ConnectionReply(const ReplyFrame& reply, bool& result);

    // What the instrument rows need of the link.
    clsInstrument* ReplyInstrument() override;
    QByteArray ReplyLastFrame() const override;
    void ReplyLog(const QString& text) override;

    LinkCore& link_;
    InstrumentReplies instrumentReplies_;
};

}  // namespace mt52
