#include "records/EventRowCells.h"

#include "common/ReadingCodes.h"
#include "records/StoredRow.h"

namespace mt52 {

QStringList EventRowCells(Long logType, const StoredRow& row) {
    switch (logType) {
    case 5:
    case 6: {
        const QString code = QStringLiteral("Alarm_Type");
        return {row.Text(QStringLiteral("GasName")),
                row.IsNull(code) ? QString() : EventCodeText(row.Whole(code, ReadingCode::NoData))};
    }
    case 7: {
        const QString power = QStringLiteral("Power_Type");
        if (row.IsNull(power))
            return {QString()};
        return {row.YesNo(power, false) ? QStringLiteral("ON") : QStringLiteral("OFF")};
    }
    default:
        return {row.Text(QStringLiteral("SensorNo")), row.Text(QStringLiteral("GasName")),
                row.Text(QStringLiteral("FullScale"))};
    }
}

}  // namespace mt52
