#include "records/clsSnapShots.h"

#include "records/FlashAreaWalk.h"

namespace mt52 {

bool clsSnapShots::ReadBinaryLog(const QString& fpath) {
    return WalkFlashArea<clsSnapShot>(*this, fpath, SnapShotArea, [this](clsSnapShot& record, const QByteArray& block) {
        Integer st = 0;
        record.SetHeader(block, st);
        st = static_cast<Integer>(st + 2);
        record.SetData(block, st, 0);
        NoticeNewData(record);
    });
}

}  // namespace mt52
