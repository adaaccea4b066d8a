#include "records/clsPowerEvents.h"

#include "records/FlashAreaWalk.h"

namespace mt52 {

bool clsPowerEvents::SetDatas(const QString& vData, bool TestFlag) {
    return ReadEventLine(vData, TestFlag, [TestFlag](clsPowerEvent& record, const QString& tag, const QString& s) {
        if (tag == u"FD")
            return Decoded(s, 24, true, [&] { return record.SetDataF0(s, TestFlag); });
        return LineOutcome{};
    });
}

bool clsPowerEvents::ReadBinaryLog(const QString& fpath) {
    return WalkFlashArea<clsPowerEvent>(*this, fpath, PowerEventArea, [this](clsPowerEvent& record, const QByteArray& block) {
        record.SetData(block);
        NoticeNewData(record);
    });
}

}  // namespace mt52
