#include "records/clsAlarmEvents.h"

#include "records/FlashAreaWalk.h"

namespace mt52 {

bool clsAlarmEvents::SetDatas(const QString& vData, bool TestFlag) {
    return ReadEventLine(vData, TestFlag, [TestFlag](clsAlarmEvent& record, const QString& tag, const QString& s) {
        if (tag == u"CD")
            return Decoded(s, 24, true, [&] { return record.SetDataBD(s, TestFlag); });
        if (tag.size() == 2 && tag[0] == u'C' && tag[1] >= u'0' && tag[1] <= u'4')
            return Decoded(s, 25, false, [&] { return record.SetDataB0(s, TestFlag); });
        if (tag == u"CC")
            return Decoded(s, 24, false, [&] { return record.SetDataBC(s, TestFlag); });
        if (tag == u"CB")
            return Decoded(s, 16, false, [&] { return record.SetDataBB(s, TestFlag); });
        if (tag == u"CA")
            return TakeIds(record, s, TestFlag);
        return LineOutcome{};
    });
}

bool clsAlarmEvents::ReadBinaryLog(const QString& fpath) {
    return WalkFlashArea<clsAlarmEvent>(*this, fpath, AlarmEventArea, [this](clsAlarmEvent& record, const QByteArray& block) {
        record.SetBlock(block);
        NoticeNewData(record);
    });
}

}  // namespace mt52
