#include "records/clsHistorys.h"

#include "common/ReadingCodes.h"
#include "common/TextHelpers.h"
#include "platform/Numbers.h"
#include "platform/VbString.h"
#include "records/FlashAreaWalk.h"
#include "records/TextLogLine.h"

namespace mt52 {

bool clsHistorys::SetDatas(Integer GasNo, const QString& vData, bool TestFlag) {
    if (vData.size() <= 20)
        return false;
    const QString key = QStringLiteral("01 L");
    if (Count() == 0)
        Add(key, 0);
    const RecordPtr record = Item(key);
    if (!record)
        Raise(ErrInvalidArgument, QStringLiteral("no history record under \"%1\"").arg(key));

    std::optional<Date> when = LineDate(vData, 3);
    bool improper = !when.has_value();
    if (when) {
        if (const std::optional<double> time = LineTime(vData, 9))
            when = when->addSeconds(*time);
        else
            improper = true;
    }
    if (improper)
        record->Error(true);

    const QString before = LineField(vData, 15, 5);
    const QString after = LineField(vData, 20, 5);
    if (!TestFlag) {
        if (when)
            record->AddHistory(GasNo, *when, ParseStatValue(before), ParseStatValue(after),
                               Trim(LineField(vData, 25, 10)), CountDecimals(IsNumeric(before) ? before : after));
        if (improper)
            record->SetSerialLog(QStringLiteral("<<< improper date in clsHistory.SetDatas() >>> ") + vData);
    }
    return true;
}

bool clsHistorys::ReadBinaryLog(const QString& fpath) {
    return WalkFlashArea<clsHistory>(*this, fpath, HistoryArea, [](clsHistory& record, const QByteArray& block) {
        Integer st = 0;
        record.SetHeader(block, st);
        st = static_cast<Integer>(st + 2);
        for (;;) {
            if (IsRecordStart(block, st))
                st = static_cast<Integer>(st + 2);  // a further record start inside the block is stepped over
            else if (FlashByte(block, st) == 0xFF)
                break;
            else
                record.SetData(block, st);
        }
    });
}

}  // namespace mt52
