#include "records/clsHistory.h"

#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "records/FlashLogBlock.h"
#include "records/LogRowWriter.h"
#include "records/StoredRow.h"
#include "records/TrendLoading.h"

#include <algorithm>

namespace mt52 {
namespace {
constexpr Integer CalibrationHistoryKind = 3;
constexpr Integer BumpTestKind = 10;
// AddHistory adds dated entries while Dcount is below this.
constexpr Integer AddedEntryLimit = 300;

void CheckEntry(Integer Index) {
    if (Index < 0 || Index >= clsHistory::EntryCount)
        Raise(ErrSubscript, QStringLiteral("history entry %1").arg(Index));
}
}  // namespace

clsHistory::clsHistory() : RecordFrame(Shape{}) { clsHistory::ClearDatas(); }

void clsHistory::ClearDatas() {
    TakeDatabasePath();
    Instrument(nullptr);
    Error(false);
    ClearHeader();
    ClearGasSlots();
    // Entry 300 and the dates after the first are left as they are: a load fills them again
    // and the views read no further than DataCount.
    for (auto& slot : entries_) {
        for (int i = 0; i < EntryCount - 1; ++i)
            slot[static_cast<std::size_t>(i)] = Entry{-1, NoDataReading, NoDataReading, QString(), 0};
    }
    dates_[0] = Date(0.0);
    dcount_ = 0;
}

void clsHistory::ReLoad() {
    std::optional<Database> db = OpenIfPresent(DatabasePath());
    if (!db)
        return;
    // Filled aside and taken over whole, so a damaged row leaves this model as it was.
    clsHistory loaded(*this);
    Integer kind = 0;
    {
        const Recordset head = QueryLogHead(*db, SeqNo());
        if (!head.isEmpty()) {
            const StoredRow row(head);
            kind = row.Short(QStringLiteral("Types"), NullNumber);
            loaded.ReadHeader(row);
        }
    }
    const bool bumpTest = kind != CalibrationHistoryKind;
    Recordset entries = db->query(bumpTest ? QStringLiteral("SELECT * FROM Bump WHERE RelNo = ? ORDER BY Dates DESC")
                                           : QStringLiteral("SELECT * FROM cHistory WHERE RelNo = ? ORDER BY Dates DESC"),
                                  {SeqNo()});
    // Entries the load does not reach keep their values (a viewer clears the model first), but
    // the entries left out are this load's alone.
    loaded.entriesNotShown_ = 0;
    if (!entries.isEmpty()) {
        const Long shown = std::min<Long>(entries.recordCount(), EntryCount);
        loaded.dataCount_ = shown;
        loaded.entriesNotShown_ = entries.recordCount() - shown;
        const StoredRow row(entries);
        for (int i = 0; i < shown; ++i) {
            loaded.ReadEntry(row, i, bumpTest);
            entries.moveNext();
        }
    }
    *this = std::move(loaded);
}

void clsHistory::ReadHeader(const StoredRow& row) {
    ReadIdentity(row, header_);
    header_.FolderID = row.Text(QStringLiteral("FolderID"), QStringLiteral("00/00"));
    header_.Dates = row.DateOf(QStringLiteral("Dates"), InvalidDateMark);
    for (int slot = 0; slot < RecordGasSlots; ++slot) {
        auto column = [slot](const char* field) { return GasColumn(slot + 1, field); };
        GasSlot& g = gas_[static_cast<std::size_t>(slot)];
        ReadGasDefinition(row, slot + 1, g);
        g.Enable = ReadGasEnable(row, slot + 1);
        g.Unit = row.Text(column("Unit"));
    }
}

void clsHistory::ReadEntry(const StoredRow& row, int index, bool bumpTest) {
    const auto i = static_cast<std::size_t>(index);
    dates_[i] = row.DateOf(QStringLiteral("Dates"), InvalidDateMark);
    const Long key = row.Whole(QStringLiteral("SeqNo"), -1);
    for (int slot = 0; slot < RecordGasSlots; ++slot) {
        auto column = [slot](const char* field) { return GasColumn(slot + 1, field); };
        Entry& e = entries_[static_cast<std::size_t>(slot)][i];
        e.SeqNo = key;
        e.Before = row.Number(column("Before"), NoDataReading);
        e.After = row.Number(column("After"), NoDataReading);
        if (bumpTest)
            e.Judge = row.Short(column("Judge"), NullNumber);
        e.GasName = row.Text(column("Name"));
    }
}

void clsHistory::AddHistory(Integer GasNo, const Date& Dates, Single Before, Single After, const QString& No,
                            Integer /*po*/) {
    if (GasNo < 0 || GasNo >= RecordGasSlots)
        Raise(ErrSubscript, QStringLiteral("gas slot %1").arg(GasNo));
    if (dcount_ >= AddedEntryLimit)
        return;
    int entry = -1;
    for (int i = 0; i < dcount_; ++i) {
        if (dates_[static_cast<std::size_t>(i)] == Dates)
            entry = i;
    }
    if (entry < 0) {
        entry = dcount_;
        dates_[static_cast<std::size_t>(entry)] = Dates;
        dcount_ = static_cast<Integer>(dcount_ + 1);
    }
    Entry& e = entries_[static_cast<std::size_t>(GasNo)][static_cast<std::size_t>(entry)];
    e.Before = Before;
    e.After = After;
    e.GasName = No;
}

bool clsHistory::SetHeader(const QByteArray& vData, Integer& st) {
    st = static_cast<Integer>(DecodeLogHeader(vData, st, header_, gas_, true));
    return true;
}

bool clsHistory::SetData(const QByteArray& vData, Integer& st) {
    const Byte code = FlashByte(vData, st);
    if (code < 0x60)
        Raise(ErrInvalidArgument, QStringLiteral("history entry code %1").arg(code, 2, 16, QLatin1Char('0')));
    const bool bumpTest = code >= 0x70;
    const std::size_t slot = CheckedGasSlot(code - (bumpTest ? 0x70 : 0x60));
    header_.Sampling = bumpTest ? 1 : 0;
    const int length = bumpTest ? 6 : 5;
    const GasSlot& g = gas_[slot];
    if (g.Point != -101) {
        // The entries of one test, one per gas, share the dated entry of the header's date.
        Long n = dataCount_;
        if (n > 0 && dates_[static_cast<std::size_t>(n - 1)] == header_.Dates)
            --n;
        CheckEntry(static_cast<Integer>(n));  // a 302nd dated entry has no room
        const Single before = FlashMarkedValue(vData, st + 1, g.Point);
        const Single after = FlashMarkedValue(vData, st + 3, g.Point);
        const Integer judge = bumpTest ? static_cast<Integer>(FlashByte(vData, st + 5) + 1) : Integer{0};
        const auto i = static_cast<std::size_t>(n);
        dates_[i] = header_.Dates;
        Entry& e = entries_[slot][i];
        e.Before = before;
        e.After = after;
        e.GasName = g.Name;
        e.Judge = judge;
        dataCount_ = n + 1;
    }
    st = static_cast<Integer>(st + length);
    return true;
}

void clsHistory::HistoryUpdate() {
    if (Instrument() == nullptr)
        Raise(ErrObjectNotSet, QStringLiteral("the history has no instrument"));
    const bool bumpTest = header_.Sampling != 0;
    const Long kind = bumpTest ? BumpTestKind : CalibrationHistoryKind;
    const QString table = bumpTest ? QStringLiteral("Bump") : QStringLiteral("cHistory");
    const StoredIdentity identity = IdentityOf(header_.UserID, header_.StationID, header_.SerialNo);

    Database db(DatabasePath());
    Transaction transaction(db);
    const Date now = Now();
    Long key = FindLogHeadKey(db, identity, kind);
    if (key < 0)
        key = transaction.nextSeqNo(QStringLiteral("Log_Head"));
    else
        db.execute(QStringLiteral("DELETE FROM Log_Head WHERE SeqNo = ?"), {key});
    RowValues head;
    head.Add(QStringLiteral("SeqNo"), key)
        .Add(QStringLiteral("Names"), bumpTest ? QStringLiteral("Bump Test") : QStringLiteral("Calibration Histories"))
        .Add(QStringLiteral("Dates"), now)
        .Add(QStringLiteral("LogNo"), header_.LogNo);
    AddLogHeadColumns(head, identity, kind, Instrument()->RomNumber(), header_);
    for (int slot = 0; slot < RecordGasSlots; ++slot)
        AddGasGroupColumns(head, slot + 1, gas_[static_cast<std::size_t>(slot)]);
    head.Insert(db, QStringLiteral("Log_Head"));

    const QString findEntry = QStringLiteral("SELECT COUNT(*) AS Found FROM %1 WHERE RelNo = ? AND Dates = ?").arg(table);
    Long rowKey = transaction.nextSeqNo(table);
    for (Integer k = 0; k < dcount_; ++k) {
        if (db.query(findEntry, {key, Dates(k)}).field(QStringLiteral("Found")).toLong() > 0)
            continue;
        RowValues row;
        row.Add(QStringLiteral("SeqNo"), rowKey++)
            .Add(QStringLiteral("RelNo"), key)
            .Add(QStringLiteral("UserID"), identity.UserID)
            .Add(QStringLiteral("StationID"), identity.StationID)
            .Add(QStringLiteral("SerialNo"), identity.SerialNo)
            .Add(QStringLiteral("WriteDates"), now)
            .Add(QStringLiteral("Dates"), Dates(k));
        for (int slot = 0; slot < RecordGasSlots; ++slot) {
            const GasSlot& g = gas_[static_cast<std::size_t>(slot)];
            const Entry& e = EntryAt(static_cast<Integer>(slot), k);
            auto column = [slot](const char* field) { return GasColumn(slot + 1, field); };
            row.Add(column("Name"), g.Name)
                .Add(column("Desit"), g.Desit)
                .Add(column("Point"), g.Point)
                .Add(column("Unit"), g.Unit)
                .Add(column("Enable"), g.Enable)
                .Add(column("Before"), e.Before)
                .Add(column("After"), e.After);
            if (bumpTest)
                row.Add(column("Judge"), e.Judge);
        }
        row.Insert(db, table);
    }
    transaction.commit();
}

Integer clsHistory::DataCount() const { return ToInteger(dataCount_); }

Date clsHistory::Dates(Integer Index) const {
    CheckEntry(Index);
    return dates_[static_cast<std::size_t>(Index)];
}

void clsHistory::Dates(Integer Index, const Date& value) {
    CheckEntry(Index);
    dates_[static_cast<std::size_t>(Index)] = value;
}

const clsHistory::Entry& clsHistory::EntryAt(Integer GasNo, Integer Index) const {
    if (GasNo < 0 || GasNo >= RecordGasSlots)
        Raise(ErrSubscript, QStringLiteral("gas slot %1").arg(GasNo));
    CheckEntry(Index);
    return entries_[static_cast<std::size_t>(GasNo)][static_cast<std::size_t>(Index)];
}

clsHistory::Entry& clsHistory::EntryAt(Integer GasNo, Integer Index) {
    return const_cast<Entry&>(std::as_const(*this).EntryAt(GasNo, Index));
}

Single clsHistory::Before(Integer GasNo, Integer Index) const { return EntryAt(GasNo, Index).Before; }
void clsHistory::Before(Integer GasNo, Integer Index, Single value) { EntryAt(GasNo, Index).Before = value; }
Single clsHistory::After(Integer GasNo, Integer Index) const { return EntryAt(GasNo, Index).After; }
void clsHistory::After(Integer GasNo, Integer Index, Single value) { EntryAt(GasNo, Index).After = value; }
QString clsHistory::GasName(Integer GasNo, Integer Index) const { return EntryAt(GasNo, Index).GasName; }
void clsHistory::GasName(Integer GasNo, Integer Index, const QString& value) {
    EntryAt(GasNo, Index).GasName = value;
}
Single clsHistory::Judge(Integer GasNo, Integer Index) const { return EntryAt(GasNo, Index).Judge; }
void clsHistory::Judge(Integer GasNo, Integer Index, Single value) {
    EntryAt(GasNo, Index).Judge = ToInteger(value);
}

}  // namespace mt52
