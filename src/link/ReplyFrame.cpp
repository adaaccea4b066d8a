#include "link/ReplyFrame.h"

#include "link/CommandFrame.h"

namespace mt52 {

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

}  // namespace mt52
