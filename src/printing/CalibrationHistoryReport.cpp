#include "printing/CalibrationHistoryReport.h"

#include "common/GasFormats.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Database.h"
#include "platform/OleDate.h"
#include "printing/ReportPageLayout.h"
#include "printing/ReportPropertyBlock.h"
#include "records/clsHistory.h"

#include <algorithm>
#include <array>

namespace mt52 {

namespace {

// Off the printer (the report window's preview) at most this many entries are drawn.
constexpr Integer PreviewEntries = 15;
// The gas slots of the table's three gas columns: the first two gases and the first gas's other
// unit.
constexpr std::array<Integer, 3> GasColumns{0, 1, 4};

// The caption line: number, date, an empty label column and the three gas captions.
QStringList CaptionCells(const clsHistory& record) {
    QStringList cells{GetResText(5620), GetResText(5621), QString()};
    for (Integer gas : GasColumns)
        cells << GasCaptionOf(record, gas);
    return cells;
}

// The caption centred (the number and the gas cells stay centred for the entries), then a rule.
void PrintCaption(PrintTarget& target, ReportForm& form, const clsHistory& record) {
    form.AlignAll(CellAlign::Center);
    PrintTableRow(target, form, CaptionCells(record));
    form.ColumnAlign[1] = CellAlign::Left;
    form.ColumnAlign[2] = CellAlign::Left;
    PrintRule(target);
}

bool HasGas(const clsHistory& record, Integer gas) { return GasCaptionOf(record, gas) != EmptyGasCaption; }

// A reading of a slot with a gas: its text, with the unit after a number.
QString GasCell(const clsHistory& record, Integer gas, Single value) {
    if (!HasGas(record, gas))
        return QStringLiteral("-----");
    const QString text = FormatTrendCell(value, record.GasListInfo(gas, GasInfoField::Point).toInteger());
    return WithUnit(text, record.GasListInfo(gas, GasInfoField::Unit).toString());
}

QString JudgeCell(const clsHistory& record, Integer gas, Integer entry) {
    if (!HasGas(record, gas))
        return QStringLiteral("-----");
    const Single judge = record.Judge(gas, entry);
    if (judge == 2)
        return QStringLiteral("PASS");
    if (judge == 1)
        return QStringLiteral("FAIL");
    return QStringLiteral("-----");
}

// The lines of one entry: readings before and after (test result and concentration with the
// judgement for a bump test).
void PrintEntry(PrintTarget& target, ReportForm& form, const clsHistory& record, Integer i, bool bumpTest) {
    QStringList first{QString::number(i + 1), GeneralDate(record.Dates(i)), GetResText(bumpTest ? 5682 : 5633)};
    QStringList second{QString(), QString(), GetResText(bumpTest ? 5681 : 5634)};
    for (Integer gas : GasColumns) {
        first << GasCell(record, gas, record.Before(gas, i));
        second << GasCell(record, gas, record.After(gas, i));
    }
    PrintTableRow(target, form, first);
    PrintTableRow(target, form, second);
    if (bumpTest) {
        QStringList third{QString(), QString(), GetResText(5683)};
        for (Integer gas : GasColumns)
            third << JudgeCell(record, gas, i);
        PrintTableRow(target, form, third);
    }
}

}  // namespace

void PrintCalibrationHistory(PrintTarget& target, ReportForm& form) {
    const bool bumpTest = form.Request().kind != ReportKind::CalibrationHistory;

    // The record is looked up before anything is printed: a record deleted meanwhile fails the
    // report as a whole.
    Recordset head;
    {
        Database db(form.Options().databasePath);
        head = RequireLogHead(db, form.Request().seqNo);
    }
    clsHistory record;
    record.SeqNo(form.Request().seqNo);
    record.ReLoad();

    form.SetColumns(target.ScaleWidth(), std::array<double, 8>{0.02, 0.05, 0.20, 0.28, 0.42, 0.56, 0.70, 0.84});
    form.ColumnX[8] = static_cast<Single>(target.ScaleWidth());
    form.AlignAll(CellAlign::Left);
    const Integer count = record.DataCount();
    const Integer n = target.IsPrinter() ? count : std::min(count, PreviewEntries);
    target.ForeColor = 0;
    target.CurrentY = target.ScaleHeight() / 20;

    PrintPropertyBlock(target, form, head, false);
    PrintBlankLine(target, form);
    PrintBlankLine(target, form);

    PrintCaption(target, form, record);
    PrintBlankLine(target, form);
    const int linesPerEntry = bumpTest ? 3 : 2;
    const double rowAdvance = 1.1 * target.TextHeight(QStringLiteral("W"));
    for (Integer i = 0; i < n; ++i) {
        PrintEntry(target, form, record, i, bumpTest);
        if (!target.IsPrinter() || i >= n - 1)
            continue;
        // An entry's lines stay together: the page ends after an entry past 95 % of the page, or
        // when the next entry would run past its foot.
        const bool full = target.CurrentY > 0.95 * target.ScaleHeight() ||
                          target.CurrentY + linesPerEntry * rowAdvance > target.ScaleHeight();
        if (full) {
            StartContinuationPage(target, form);
            PrintCaption(target, form, record);
        }
    }
    PrintRule(target, 4);
}

}  // namespace mt52
