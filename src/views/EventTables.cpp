#include "views/EventTables.h"

#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Database.h"
#include "platform/GridModel.h"
#include "views/TableCells.h"

#include <functional>
#include <limits>
#include <optional>

namespace mt52 {

namespace {

constexpr int AlarmEvents = 5;
constexpr int TroubleEvents = 6;
constexpr int PowerEvents = 7;
constexpr int SensorHistory = 8;

// What one kind reads and shows: its child table, its heading texts after "No" and
// "Date/Time", and the cells of a row after its number and date.
struct EventTableKind {
    QString table;
    QStringList headings;
    std::function<std::vector<Variant>(const Recordset&)> cells;
};

// A column of the current row as text; empty for Null and for a column the table lacks (a
// table made by another program).
QString FieldText(const Recordset& rs, const QString& name) {
    return rs.hasField(name) ? TextOf(rs.field(name)) : QString();
}

// The event word of a stored code; empty for Null, a value that is no whole code, or a code
// without a word.
QString EventText(const Recordset& rs) {
    const QString name = QStringLiteral("Alarm_Type");
    if (!rs.hasField(name))
        return QString();
    const Variant code = rs.field(name);
    if (!code.isNumeric())
        return QString();
    const double value = code.toDouble();
    if (value < std::numeric_limits<Long>::min() || value > std::numeric_limits<Long>::max())
        return QString();
    return EventCodeText(code.toLong());
}

// "ON" for a power-on row, "OFF" for a power-off row; a value that is neither is shown as
// stored, Null as an empty cell.
QString PowerText(const Recordset& rs) {
    const QString name = QStringLiteral("Power_Type");
    if (!rs.hasField(name))
        return QString();
    const Variant value = rs.field(name);
    if (value.type() == Variant::Type::Boolean || value.isNumeric())
        return value.toDouble() != 0 ? QStringLiteral("ON") : QStringLiteral("OFF");
    return TextOf(value);
}

std::optional<EventTableKind> KindOf(int logType) {
    const auto gasEvent = [](const Recordset& rs) {
        return std::vector<Variant>{FieldText(rs, QStringLiteral("GasName")), EventText(rs)};
    };
    switch (logType) {
    case AlarmEvents:
        return EventTableKind{QStringLiteral("Alarm_Event"), {QStringLiteral("Gas"), QStringLiteral("Event")}, gasEvent};
    case TroubleEvents:
        return EventTableKind{QStringLiteral("Trouble_Event"), {QStringLiteral("Gas/Body"), QStringLiteral("Event")},
                              gasEvent};
    case PowerEvents:
        return EventTableKind{QStringLiteral("Power_Event"), {QStringLiteral("Power")},
                              [](const Recordset& rs) { return std::vector<Variant>{PowerText(rs)}; }};
    case SensorHistory:
        return EventTableKind{QStringLiteral("SensorHistory"),
                              {QStringLiteral("SensorNO"), QStringLiteral("Gas"), QStringLiteral("FullScale")},
                              [](const Recordset& rs) {
                                  return std::vector<Variant>{FieldText(rs, QStringLiteral("SensorNo")),
                                                              FieldText(rs, QStringLiteral("GasName")),
                                                              FieldText(rs, QStringLiteral("FullScale"))};
                              }};
    default: return std::nullopt;
    }
}

// The summary of a sensor history: serial number, user ID and last download of its Log_Head
// row; empty values when the row is missing.
void FillSensorHistorySummary(const Recordset& head, GridModel& summary) {
    const auto text = [&](const char* name) {
        return head.isEmpty() ? QString() : FieldText(head, QString::fromLatin1(name));
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

void FillEventTable(int logType, Long seqNo, Database& db, GridModel& table, GridModel& summary) {
    const std::optional<EventTableKind> kind = KindOf(logType);
    if (!kind)
        return;
    PrepareTable(table, 2 + static_cast<int>(kind->headings.size()), 1);
    table.SetMergeCells(MergeRestrictRows);
    std::vector<Variant> header{GetResText(5620), GetResText(5621)};
    for (const QString& heading : kind->headings)
        header.emplace_back(heading);
    SetGridRow(table, 0, 0, false, header);

    const Recordset head = db.query(QStringLiteral("SELECT * FROM Log_Head WHERE SeqNo = ?"), {seqNo});
    if (logType == SensorHistory)
        FillSensorHistorySummary(head, summary);

    // Child rows belong to an existing Log_Head row only; a database without the kind's table
    // (sensor histories are not in every database) has none.
    if (!head.isEmpty() && db.hasTable(kind->table)) {
        Recordset rows = db.query(
            QStringLiteral("SELECT * FROM %1 WHERE RelNo = ? ORDER BY Dates DESC, rowid").arg(kind->table), {seqNo});
        table.SetRows(static_cast<int>(rows.recordCount()) + 1);
        for (int n = 1; !rows.atEnd(); ++n, rows.moveNext()) {
            std::vector<Variant> values{Long(n), FieldText(rows, QStringLiteral("Dates"))};
            for (Variant& cell : kind->cells(rows))
                values.push_back(std::move(cell));
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
