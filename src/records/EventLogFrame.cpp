#include "records/EventLogFrame.h"

#include "platform/Clock.h"
#include "platform/Numbers.h"
#include "records/StoredRow.h"
#include "records/TrendLoading.h"

namespace mt52 {

void EventLogFrame::ReLoad() {
    std::optional<Database> db = OpenIfPresent(DatabasePath());
    if (!db)
        return;
    const Recordset head = QueryLogHead(*db, SeqNo());
    if (head.isEmpty())
        return;
    FillHeaderWhole([&] { ReadHeader(StoredRow(head)); });
}

void EventLogFrame::ReadHeader(const StoredRow& row) {
    header_.Names = row.Text(QStringLiteral("Names"), QStringLiteral("Name None"));
    header_.Dates = row.DateOf(QStringLiteral("Dates"), InvalidDateMark);
    ReadIdentity(row, header_);
    header_.Interval = row.Whole(QStringLiteral("Interval"), 0);
    header_.FolderID = row.Text(QStringLiteral("FolderID"), QStringLiteral("00/00"));
    // Alarm and trouble logs describe the four gases the instrument measures.
    for (int slot = 0; slot < RecordGasSlots - 1; ++slot) {
        auto column = [slot](const char* field) { return GasColumn(slot + 1, field); };
        GasSlot& g = gas_[static_cast<std::size_t>(slot)];
        g.Name = row.Text(column("Name"));
        g.Full = row.Number(column("Full"), NoDataReading);
        g.Desit = row.Number(column("Desit"), NoDataReading);
        g.Point = row.Short(column("Point"), NullNumber);
        g.Warning = row.Number(column("Warning"), NoDataReading);
        g.Alarm = row.Number(column("Alarm"), NoDataReading);
        g.Avr = row.Number(column("Avr"), NoDataReading);
        g.Max = row.Number(column("Max"), NoDataReading);
        g.Min = row.Number(column("Min"), NoDataReading);
        g.MaxDate = row.DateOf(column("MaxDate"), InvalidDateMark);
        g.MinDate = row.DateOf(column("MinDate"), InvalidDateMark);
        g.Enable = row.YesNo(column("Enable"), false);
    }
}

Integer EventLogFrame::DataCount() const { return ToInteger(dataCount_); }

Date EventLogFrame::Dates(Integer Index) const {
    return EntryTable<Entry>::IsReachable(Index) ? events_.Get(Index, &Entry::Dates, Date()) : Now();
}

}  // namespace mt52
