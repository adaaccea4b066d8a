#include "records/clsTroubleEvents.h"

#include "records/FlashAreaWalk.h"

namespace mt52 {

bool clsTroubleEvents::SetDatas(const QString& vData, bool TestFlag) {
    return ReadEventLine(vData, TestFlag, [TestFlag](clsTroubleEvent& record, const QString& tag, const QString& s) {
        if (tag == u"DD")
            return Decoded(s, 24, true, [&] { return record.SetDataDD(s, TestFlag); });
        if (tag.size() == 2 && tag[0] == u'D' && tag[1] >= u'0' && tag[1] <= u'5')
            return Decoded(s, 24, false, [&] { return record.SetDataD0(s, TestFlag); });
        if (tag == u"DC")
            return Decoded(s, 24, false, [&] { return record.SetDataDC(s, TestFlag); });
        if (tag == u"DB")
            return Decoded(s, 16, false, [&] { return record.SetDataDB(s, TestFlag); });
        if (tag == u"DA")
            return TakeIds(record, s, TestFlag);
        return LineOutcome{};
    });
}

bool clsTroubleEvents::ReadBinaryLog(const QString& fpath) {
    return WalkFlashArea<clsTroubleEvent>(*this, fpath, TroubleEventArea, [this](clsTroubleEvent& record, const QByteArray& block) {
        record.SetBlock(block);
        NoticeNewData(record);
    });
}

}  // namespace mt52
