#include "printing/ReportPropertyBlock.h"

#include "common/ResText.h"
#include "platform/OleDate.h"
#include "platform/RuntimeError.h"
#include "printing/ReportPageLayout.h"
#include "records/StoredRow.h"

namespace mt52 {

namespace {
constexpr int RecordMissingText = 20610;
}

Recordset RequireLogHead(Database& db, Long seqNo) {
    Recordset head = db.query(QStringLiteral("SELECT * FROM Log_Head WHERE SeqNo = ?"), {Variant(seqNo)});
    if (head.isEmpty())
        Raise(ErrDatabase, GetResText(RecordMissingText, {Variant(seqNo)}));
    return head;
}

QString StoredDateText(const Recordset& rows, const QString& column) {
    const StoredRow row(rows);
    return row.IsNull(column) ? QString() : GeneralDate(row.DateOf(column, Date()));
}

void PrintPropertyBlock(PrintTarget& target, ReportForm& form, const Recordset& logHead, bool centredCaption) {
    const StoredRow row(logHead);
    const Long captionAlign = centredCaption ? CellAlign::Center : CellAlign::Left;
    for (int i = 0; i < 3; ++i)
        form.ColumnAlign[static_cast<std::size_t>(i)] = captionAlign;
    PrintTableRow(target, form, {GetResText(5604), QString(), GetResText(5605)});
    for (int i = 0; i < 3; ++i)
        form.ColumnAlign[static_cast<std::size_t>(i)] = CellAlign::Left;
    PrintRule(target);
    PrintBlankLine(target, form);
    PrintTableRow(target, form, {GetResText(5608), QString(), row.Text(QStringLiteral("SerialNo"))});
    PrintTableRow(target, form, {GetResText(5609), QString(), row.Text(QStringLiteral("StationID"))});
    PrintTableRow(target, form, {GetResText(5610), QString(), row.Text(QStringLiteral("UserID"))});
    PrintTableRow(target, form, {GetResText(5668), QString(), StoredDateText(logHead, QStringLiteral("Dates"))});
}

}  // namespace mt52
