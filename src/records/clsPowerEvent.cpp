#include "records/clsPowerEvent.h"

#include "common/FlashImage.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "records/FlashLogBlock.h"
#include "records/LogRowWriter.h"
#include "records/StoredRow.h"
#include "records/TextLogLine.h"

#include <algorithm>

namespace mt52 {
namespace {
constexpr Long PowerEventKind = 7;
}  // namespace

clsPowerEvent::clsPowerEvent() : RecordFrame(Shape{}) { clsPowerEvent::ClearDatas(); }

void clsPowerEvent::ClearDatas() {
    Error(false);
    SeqNo(0);
    dataCount_ = 0;
    ClearHeader();
    ClearGasSlots();
    entries_.ForEachReachable([](Entry& e) { e = Entry{0, InvalidDateMark, 0}; });
    TakeDatabasePath();
}

void clsPowerEvent::ReLoad() {
    LoadLogHead([this](const StoredRow& row) {
        ReadLogHeadStart(row, header_);
        ReadLogHeadCounts(row, header_);
        header_.Dcount = row.Whole(QStringLiteral("Dcount"), 0);
        ReadGasGroup(row, 1, gas_[0]);
    });
}

void clsPowerEvent::AppendEntry(Long logCnt, const Date& when, bool on) {
    const Long i = dataCount_;
    entries_.Fill(i, &Entry::LogCnt, logCnt);
    entries_.Fill(i, &Entry::Dates, when);
    entries_.Fill(i, &Entry::Flags, static_cast<Integer>(on ? 1 : 0));
    dataCount_ = i + 1;
}

bool clsPowerEvent::SetDataF0(const QString& s, bool TestFlag) {
    if (TestFlag)
        return true;
    bool improper = false;
    Date when(0.0);
    const std::optional<Date> date = LineDate(s, 5);
    const std::optional<double> time = LineTime(s, 11);
    if (date && time) {
        when = date->addSeconds(*time);
    } else {
        improper = true;
        Error(true);
    }
    AppendEntry(0, when, LineField(s, 17, 4) == u"1111");
    if (improper)
        SetSerialLog(QStringLiteral("<<< improper date in SetDataF0() >>> ") + s);
    return true;
}

bool clsPowerEvent::SetData(const QByteArray& vData) {
    AppendEntry(FlashWord(vData, 0), DumpDateTime(vData, 2), FlashByte(vData, 8) == 1);
    return true;
}

void clsPowerEvent::Update() {
    const Long count = dataCount_;
    if (count <= 0)
        return;
    if (Instrument() == nullptr)
        Raise(ErrObjectNotSet, QStringLiteral("the power-event log has no instrument"));
    const clsInstrument& instrument = *Instrument();
    const StoredIdentity identity = IdentityOf(instrument.UserID(), instrument.StationID(), instrument.SerialNo());

    Database db(DatabasePath());
    Transaction transaction(db);
    const Date now = Now();
    Long key = FindLogHeadKey(db, identity, PowerEventKind);
    if (key >= 0) {
        TouchLogHead(db, identity, PowerEventKind, now);
    } else {
        // A log whose decoding found faults starts no record of its own.
        if (Error())
            return;
        key = transaction.nextSeqNo(QStringLiteral("Log_Head"));
        // A power log carries no counts or limits of its own.
        LogHeader counts;
        RowValues head;
        head.Add(QStringLiteral("SeqNo"), key)
            .Add(QStringLiteral("Names"), QStringLiteral("Power Events"))
            .Add(QStringLiteral("Dates"), now);
        AddLogHeadColumns(head, identity, PowerEventKind, instrument.RomNumber(), counts);
        AddGasGroupColumns(head, 1, gas_[0]);
        head.Insert(db, QStringLiteral("Log_Head"));
    }

    Long entryKey = transaction.nextSeqNo(QStringLiteral("Power_Event"));
    for (Long i = 0; i < count; ++i) {
        const Date when = entries_.Read(i, &Entry::Dates);
        const Recordset found = db.query(
            QStringLiteral("SELECT COUNT(*) AS Found FROM Power_Event WHERE RelNo = ? AND Dates = ?"), {key, when});
        if (found.field(QStringLiteral("Found")).toLong() > 0)
            continue;
        RowValues row;
        row.Add(QStringLiteral("SeqNo"), entryKey++)
            .Add(QStringLiteral("RelNo"), key)
            .Add(QStringLiteral("LogCnt"), entries_.Read(i, &Entry::LogCnt))
            .Add(QStringLiteral("Dates"), when)
            .Add(QStringLiteral("Power_Type"), entries_.Read(i, &Entry::Flags) != 0);
        row.Insert(db, QStringLiteral("Power_Event"));
    }
    transaction.commit();
}

Integer clsPowerEvent::DataCount() const { return ToInteger(dataCount_); }

void clsPowerEvent::DataCount(Integer value) { dataCount_ = std::min<Long>(value, EntryTable<Entry>::Reachable); }

}  // namespace mt52
