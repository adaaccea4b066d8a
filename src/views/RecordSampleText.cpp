// The column headers and rows of calibration histories, bump tests, event lists, sensor
// histories and snapshots in the data-sample text.
#include "common/GasFormats.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Database.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"
#include "records/EventRowCells.h"
#include "records/StoredRow.h"
#include "records/clsHistory.h"
#include "records/clsSnapShot.h"
#include "views/EventTables.h"
#include "views/SampleTextParts.h"
#include "views/TableCells.h"

#include <algorithm>
#include <vector>

namespace mt52 {
namespace {

// --- Calibration history and bump test -----------------------------------------------------------

// A reading of a history entry, with its unit when it is a number.
QString HistoryValue(const SampleSlot& slot, Single value) {
    const QString reading = FormatReading(FormatTrendCell(value, slot.decimals), slot.full);
    if (!IsNumeric(reading))
        return reading;
    return reading + UnitSuffix(ReadingCode::UnitLel, slot.ratio, value, slot.full, QString(), slot.unit);
}

// --- Event lists and sensor history --------------------------------------------------------------

// A stored date as "yyyy/mm/dd hh:nn:ss"; an empty column gives an empty field.
QString DateField(const StoredRow& row, const QString& column) {
    return row.IsNull(column) ? QString() : ExportDate(row.DateOf(column, Date()));
}

}  // namespace

void AppendHistoryRows(SampleTextLines& lines, const clsHistory& record, const SampleSlots& gases, bool bumpTest) {
    // A calibration history shows the first two gases and the first gas's other unit (slot 4);
    // a bump test every slot.
    const std::vector<Integer> columns = bumpTest ? std::vector<Integer>{0, 1, 2, 3, 4} : std::vector<Integer>{0, 1, 4};
    QStringList header{GetResText(5620), GetResText(5621), QString()};
    for (Integer gas : columns)
        header << GasCaptionOf(record, gas);
    lines.Line(header);

    auto valueLine = [&](QStringList fields, auto value) {
        for (Integer gas : columns)
            fields << value(gas, gases[static_cast<std::size_t>(gas)]);
        lines.Line(fields);
    };
    const Integer count = std::min<Integer>(record.DataCount(), clsHistory::EntryCount);
    for (Integer i = 0; i < count; ++i) {
        valueLine({QString::number(i + 1), ExportDate(record.Dates(i)), GetResText(bumpTest ? 5682 : 5633)},
                  [&](Integer gas, const SampleSlot& slot) { return HistoryValue(slot, record.Before(gas, i)); });
        valueLine({QString(), QString(), GetResText(bumpTest ? 5681 : 5634)},
                  [&](Integer gas, const SampleSlot& slot) { return HistoryValue(slot, record.After(gas, i)); });
        if (bumpTest)
            valueLine({QString(), QString(), GetResText(5683)},
                      [&](Integer gas, const SampleSlot&) { return BumpJudgeText(record.Judge(gas, i)); });
    }
}

void AppendSnapShotRows(SampleTextLines& lines, const clsSnapShot& record) {
    lines.Line({GetResText(5620), GetResText(5621), GasCaptionOf(record, 0)});
    const Variant reading = record.GasListInfo(0, SnapShotGasField::gasval);
    const Variant unit = record.GasListInfo(0, SnapShotGasField::Unit);
    lines.Line({QStringLiteral("1"), ExportDate(record.GasBaseInfo(LogHeaderField::Dates).toDate()),
                Trim(reading.toString()) + unit.toString()});
}

void AppendEventListText(SampleTextLines& lines, int logType, Long seqNo, const QString& databasePath) {
    Database db(databasePath);
    const Recordset head =
        db.query(QStringLiteral("SELECT * FROM Log_Head WHERE SeqNo = ?"), {Variant(seqNo)});
    if (head.isEmpty())
        Raise(ErrDatabase, QStringLiteral("no stored record has the number %1").arg(seqNo));
    const StoredRow headRow(head);
    lines.Line({GetResText(5608), headRow.Text(QStringLiteral("SerialNo"))});
    lines.Line({GetResText(5609), headRow.Text(QStringLiteral("StationID"))});
    lines.Line({GetResText(5610), headRow.Text(QStringLiteral("UserID"))});
    lines.Line({GetResText(5668), DateField(headRow, QStringLiteral("Dates"))});
    lines.EmptyLine();

    const EventListKind kind = EventListKindOf(logType);
    lines.Line(QStringList{GetResText(5620), GetResText(5621)} + kind.headings);
    // The rows of the record, newest first; the relation key is the whole 32-bit record number.
    Recordset rows = db.query(QStringLiteral("SELECT * FROM %1 WHERE RelNo = ? ORDER BY Dates DESC")
                                  .arg(kind.table),
                              {Variant(headRow.Whole(QStringLiteral("SeqNo"), seqNo))});
    for (Long n = 1; !rows.atEnd(); ++n, rows.moveNext()) {
        const StoredRow row(rows);
        lines.Line(QStringList{QString::number(n), DateField(row, QStringLiteral("Dates"))} +
                   EventRowCells(logType, row));
    }
}

}  // namespace mt52
