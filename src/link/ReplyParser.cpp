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
    return instrumentReplies_.Parse(reply).value_or(false);
}

clsInstrument* ReplyParser::ReplyInstrument() { return link_.Instrument(); }
QByteArray ReplyParser::ReplyLastFrame() const { return link_.LastFrame(); }
void ReplyParser::ReplyLog(const QString& text) { link_.AddLog(text); }

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
