#include "views/EventTables.h"

#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Database.h"
#include "platform/GridModel.h"
#include "records/EventRowCells.h"
#include "records/StoredRow.h"
#include "views/TableCells.h"

namespace mt52 {

namespace {

constexpr int AlarmEvents = 5;
constexpr int TroubleEvents = 6;
constexpr int PowerEvents = 7;
constexpr int SensorHistory = 8;

// The summary of a sensor history: serial number, user ID and last download of its Log_Head
// row; empty values when the row is missing.
void FillSensorHistorySummary(const Recordset& head, GridModel& summary) {
    const auto text = [&](const char* column) {
        return head.isEmpty() ? QString() : StoredRow(head).Text(QString::fromLatin1(column));
    };
    summary.Clear();
    summary.SetCols(2);
    summary.SetRows(4);
    summary.SetMergeCells(MergeRestrictRows);
    SetGridRow(summary, 0, 0, true, {GetResText(5604), GetResText(5605)});
    SetGridRow(summary, 1, 0, true, {GetResText(5608), text("SerialNo")});
    SetGridRow(summary, 2, 0, true, {GetResText(5610), text("UserID")});
    SetGridRow(summary, 3, 0, true, {GetResText(5668), text("Dates")});
    CentreHeaderRow(summary);
    summary.SetCellAlignment(GridRange{1, 0, 3, summary.Cols() - 1}, AlignLeftCenter);
}

}  // namespace

EventListKind EventListKindOf(int logType) {
    switch (logType) {
    case AlarmEvents: return {QStringLiteral("Alarm_Event"), {QStringLiteral("Gas"), QStringLiteral("Event")}};
    case TroubleEvents: return {QStringLiteral("Trouble_Event"), {QStringLiteral("Gas/Body"), QStringLiteral("Event")}};
    case PowerEvents: return {QStringLiteral("Power_Event"), {QStringLiteral("Power")}};
    default:
        return {QStringLiteral("SensorHistory"),
                {QStringLiteral("SensorNO"), QStringLiteral("Gas"), QStringLiteral("FullScale")}};
    }
}

void FillEventTable(int logType, Long seqNo, Database& db, GridModel& table, GridModel& summary) {
    if (logType < AlarmEvents || logType > SensorHistory)
        return;
    const EventListKind kind = EventListKindOf(logType);
    PrepareTable(table, 2 + static_cast<int>(kind.headings.size()), 1);
    table.SetMergeCells(MergeRestrictRows);
    std::vector<Variant> header{GetResText(5620), GetResText(5621)};
    for (const QString& heading : kind.headings)
        header.emplace_back(heading);
    SetGridRow(table, 0, 0, false, header);

    const Recordset head = db.query(QStringLiteral("SELECT * FROM Log_Head WHERE SeqNo = ?"), {seqNo});
    if (logType == SensorHistory)
        FillSensorHistorySummary(head, summary);

    // Child rows belong to an existing Log_Head row only; a database without the kind's table
    // (sensor histories are not in every database) has none.
    if (!head.isEmpty() && db.hasTable(kind.table)) {
        Recordset rows = db.query(
            QStringLiteral("SELECT * FROM %1 WHERE RelNo = ? ORDER BY Dates DESC, rowid").arg(kind.table), {seqNo});
        table.SetRows(static_cast<int>(rows.recordCount()) + 1);
        for (int n = 1; !rows.atEnd(); ++n, rows.moveNext()) {
            const StoredRow row(rows);
            std::vector<Variant> values{Long(n), row.Text(QStringLiteral("Dates"))};
            for (const QString& cell : EventRowCells(logType, row))
                values.emplace_back(cell);
            SetGridRow(table, n, 0, false, values);
        }
    }

    table.SetColAlignment(-1, AlignLeftCenter);
    table.SetColAlignment(0, AlignCenterCenter);
    if (logType == SensorHistory)
        table.SetColAlignment(4, AlignCenterCenter);
    CentreHeaderRow(table);
}

}  // namespace mt52
