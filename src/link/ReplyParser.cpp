#include "link/ReplyParser.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "link/CommandFrame.h"
#include "link/LinkCore.h"
#include "platform/RuntimeError.h"

namespace mt52 {

// The reply table, in the order of matching.
const ReplyParser::RowEntry ReplyParser::kRows[] = {
    {"RC,R", &ReplyParser::ConnectionReply},
};

ReplyFrame ReplyFrame::From(const QByteArray& frame) {
    ReplyFrame r;
    r.raw = frame;
    r.ack = frame.size() >= 11 ? frame.at(10) : char(0);
    r.text = frame;
    r.text.replace(ctl::CR, ',');
    QByteArray stripped = CommandFrame::StripControlChars(r.text);
    r.body = stripped.size() > 6 ? stripped.mid(4, stripped.size() - 6) : QByteArray();
    r.code = r.body.left(4);
    r.data = r.body.mid(5);
    return r;
}

bool ReplyParser::ParseResponse(QByteArray& frame) {
    if (frame.size() < 15) {
        if (frame.size() > 2)
            link_.AddLog(QString::fromLatin1(FormatErrorText));
        return false;
    }
    const ReplyFrame reply = ReplyFrame::From(frame);
    frame = reply.text;
    for (const RowEntry& row : kRows) {
        if (reply.code != row.code)
            continue;
        bool result = false;
        try {
            (this->*row.action)(reply, result);
        } catch (const RuntimeError&) {
            // A failure inside the action keeps what was stored and the result held so far.
        }
        return result;
    }
    return false;
}

void ReplyParser::ConnectionReply(const ReplyFrame& reply, bool& result) {
    if (!reply.text.contains("MT-5"))
        return;
    if (link_.Mode() == ModeConnected) {
        result = true;
        return;
    }
    State().InstrumentModelName = QStringLiteral("MT-52");
    link_.SetMode(ModeConnected);
    link_.Events().OnConnect();
    link_.AddLog(GetResText(5514));
    result = true;
}

}  // namespace mt52
