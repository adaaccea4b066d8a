#include "printing/EventListReport.h"

#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Database.h"
#include "printing/ReportPageLayout.h"
#include "printing/ReportPropertyBlock.h"
#include "records/EventRowCells.h"
#include "records/StoredRow.h"

#include <optional>
#include <vector>

namespace mt52 {

namespace {

// A table row off the printer (the report window's preview) shows at most this many entries.
constexpr Long PreviewRows = 30;

// What differs between the four lists.
struct EventListLayout {
    QString table;
    QStringList captions;        // after "No" and "Date/Time"
    std::vector<Long> rowAlign;  // alignment codes of the entry cells, number first
};

std::optional<EventListLayout> LayoutOf(Long kind) {
    const std::vector<Long> textCells{CellAlign::Center, CellAlign::Left, CellAlign::Left, CellAlign::Left};
    switch (kind) {
    case ReportKind::AlarmEvent:
        return EventListLayout{QStringLiteral("Alarm_Event"), {QStringLiteral("Gas"), QStringLiteral("Event")}, textCells};
    case ReportKind::TroubleEvent:
        return EventListLayout{
            QStringLiteral("Trouble_Event"), {QStringLiteral("Gas/Body"), QStringLiteral("Event")}, textCells};
    case ReportKind::PowerEvent:
        return EventListLayout{QStringLiteral("Power_Event"),
                               {QStringLiteral("Power")},
                               {CellAlign::Center, CellAlign::Left, CellAlign::Left}};
    case ReportKind::SensorHistory:
        return EventListLayout{
            QStringLiteral("SensorHistory"),
            {QStringLiteral("SensorNO"), QStringLiteral("Gas"), QStringLiteral("FullScale")},
            {CellAlign::Center, CellAlign::Left, CellAlign::Left, CellAlign::Left, CellAlign::Center}};
    default: return std::nullopt;
    }
}

// The column caption centred, then the entries' alignment and a rule.
void PrintCaption(PrintTarget& target, ReportForm& form, const EventListLayout& layout) {
    form.AlignAll(CellAlign::Center);
    PrintTableRow(target, form, QStringList{GetResText(5620), GetResText(5621)} + layout.captions);
    for (std::size_t i = 0; i < layout.rowAlign.size(); ++i)
        form.ColumnAlign[i] = layout.rowAlign[i];
    PrintRule(target);
}

}  // namespace

void PrintEventList(PrintTarget& target, ReportForm& form) {
    const Long kind = form.Request().kind;
    form.SetColumns(target.ScaleWidth(), std::array<double, 6>{0.02, 0.10, 0.40, 0.55, 0.70, 0.85});
    form.ColumnX[6] = static_cast<Single>(target.ScaleWidth());
    form.AlignAll(CellAlign::NumberRight);
    target.ForeColor = 0;

    const std::optional<EventListLayout> layout = LayoutOf(kind);
    if (!layout) {
        PrintBlankLine(target, form);
        PrintBlankLine(target, form);
        return;
    }

    // The record is looked up before anything is printed: a record deleted meanwhile fails the
    // report as a whole.
    Database db(form.Options().databasePath);
    const Recordset head = RequireLogHead(db, form.Request().seqNo);
    const Long relNo = StoredRow(head).Whole(QStringLiteral("SeqNo"), form.Request().seqNo);

    PrintBlankLine(target, form);
    PrintBlankLine(target, form);
    PrintPropertyBlock(target, form, head, true);
    PrintBlankLine(target, form);
    PrintBlankLine(target, form);

    // A database made elsewhere may lack the sensor-history table: its list is empty then.
    if (!db.hasTable(layout->table))
        return;
    Recordset rows = db.query(
        QStringLiteral("SELECT * FROM %1 WHERE RelNo = ? ORDER BY Dates DESC, rowid").arg(layout->table), {Variant(relNo)});
    if (rows.isEmpty())
        return;

    const Long n = target.IsPrinter() ? rows.recordCount() : std::min(rows.recordCount(), PreviewRows);
    PrintCaption(target, form, *layout);
    for (Long i = 1; i <= n; ++i, rows.moveNext()) {
        const StoredRow row(rows);
        PrintTableRow(target, form,
                      QStringList{QString::number(i), StoredDateText(rows, QStringLiteral("Dates"))} +
                          EventRowCells(kind, row));
        if (target.IsPrinter() && i < n && target.CurrentY > 0.95 * target.ScaleHeight()) {
            StartContinuationPage(target, form);
            PrintCaption(target, form, *layout);
        }
    }
}

}  // namespace mt52
