#include "records/EventLogFrame.h"

#include "common/GasFormats.h"
#include "common/ReadingCodes.h"
#include "common/TextHelpers.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"
#include "records/FlashLogBlock.h"
#include "records/LogRowWriter.h"
#include "records/StoredRow.h"
#include "records/TextLogLine.h"

namespace mt52 {
namespace {
constexpr Integer BodyGasNo = 15;
}  // namespace

void EventLogFrame::ReLoad() {
    LoadLogHead([this](const StoredRow& row) { ReadHeader(row); });
}

void EventLogFrame::ReadHeader(const StoredRow& row) {
    ReadLogHeadStart(row, header_);
    // Alarm and trouble logs describe the four gases the instrument measures.
    for (int slot = 0; slot < RecordGasSlots - 1; ++slot) {
        auto column = [slot](const char* field) { return GasColumn(slot + 1, field); };
        GasSlot& g = gas_[static_cast<std::size_t>(slot)];
        ReadGasDefinition(row, slot + 1, g);
        g.Warning = row.Number(column("Warning"), NoDataReading);
        g.Alarm = row.Number(column("Alarm"), NoDataReading);
        ReadGasStatistics(row, slot + 1, g);
        g.Enable = ReadGasEnable(row, slot + 1);
    }
}

Integer EventLogFrame::DataCount() const { return ToInteger(dataCount_); }

Date EventLogFrame::Dates(Integer Index) const {
    return EntryTable<Entry>::IsReachable(Index) ? events_.Get(Index, &Entry::Dates, Date()) : Now();
}

void EventLogFrame::AppendEvent(Integer gasNo, Integer code) {
    const Long i = dataCount_;
    events_.Fill(i, &Entry::GasNo, gasNo);
    events_.Fill(i, &Entry::Events, code);
    events_.Fill(i, &Entry::Dates, header_.Dates);
    dataCount_ = i + 1;
}

bool EventLogFrame::SetHeader(const QByteArray& vData, Integer& st) {
    st = static_cast<Integer>(DecodeLogHeader(vData, st, header_, gas_, true));
    return true;
}

void EventLogFrame::SetBlock(const QByteArray& vData) {
    Integer st = 0;
    SetHeader(vData, st);
    st = static_cast<Integer>(st + 2);
    while (FlashByte(vData, st) != 0xFF)
        SetData(vData, st);
}

bool EventLogFrame::SetData(const QByteArray& vData, Integer& st) {
    const Integer gasNo = static_cast<Integer>(FlashByte(vData, st) - 0x70);
    const Integer code = EventNumberToCode(QString::number(FlashByte(vData, st + 1)));
    AppendEvent(gasNo, code);
    st = static_cast<Integer>(st + 2);
    return true;
}

bool EventLogFrame::DecodeHeaderLine(const QString& s, bool TestFlag, bool carryTime, const QString& namePrefix) {
    if (const std::optional<Date> date = LineDate(s, 5)) {
        if (!TestFlag)
            header_.Dates = *date;
    } else {
        Error(true);
    }
    if (const std::optional<double> time = LineTime(s, 11, carryTime)) {
        if (!TestFlag)
            header_.Dates = header_.Dates.addSeconds(*time);
    } else {
        Error(true);
    }
    if (!TestFlag) {
        header_.Names = namePrefix + FormatDate(header_.Dates, QStringLiteral("ddhhnnss"));
        header_.FolderID = FormatDate(header_.Dates, QStringLiteral("mm/yy"));
    }
    return true;
}

bool EventLogFrame::DecodeEventLine(const QString& s, bool TestFlag) {
    const std::optional<int> digit = WholeField(LineField(s, 4, 1));
    if (!digit || *digit == 0)
        return false;
    if (!TestFlag)
        AppendEvent(static_cast<Integer>(*digit - 1), EventNumberToCode(LineField(s, 5, 2)));
    return true;
}

bool EventLogFrame::DecodeGasLine(const QString& s, bool TestFlag) {
    constexpr int LeastLength = 69;
    if (s.size() < LeastLength)
        return false;
    bool result = true;
    // A slot is not in use when its first name field holds stars or blanks only.
    const auto decodeSlot = [&](GasSlot& g, int nameColumn, const QString& unused, const QString& name,
                                int fullColumn) {
        const QString firstPart = LineField(s, nameColumn, static_cast<int>(unused.size()));
        if (firstPart == unused || firstPart == QString(unused.size(), u' ')) {
            if (!TestFlag)
                g.Enable = false;
            return;
        }
        const QString full = LineField(s, fullColumn, 5);
        const QString desit = LineField(s, fullColumn + 5, 5);
        if (!IsNumeric(full) || !IsNumeric(desit)) {
            result = false;
            return;
        }
        if (TestFlag)
            return;
        g.Enable = true;
        g.Name = name;
        g.Full = ParseStatValue(full);
        g.Desit = ParseStatValue(desit);
        g.Point = CountDecimals(desit);
    };
    decodeSlot(gas_[3], 5, QStringLiteral("***"),
               Trim(LineField(s, 5, 3) + LineField(s, 18, 3) + LineField(s, 31, 3) + LineField(s, 44, 3)), 47);
    decodeSlot(gas_[4], 57, QStringLiteral("****"), LineField(s, 57, 4), 61);
    return result;
}

bool EventLogFrame::DecodeSerialLine(const QString& s, bool TestFlag) {
    if (!TestFlag)
        header_.SerialNo = BlankToDashes(LineField(s, 5, 12), BlankSerialNo);
    const QString count = LineField(s, 18, 4);
    if (!IsNumeric(count))
        return false;
    if (!TestFlag)
        header_.Dcount = ToInteger(ParseNumber(count));
    return true;
}

void EventLogFrame::SaveEvents(const EventStore& how) {
    const Long count = dataCount_;
    if (count <= 0)
        return;
    for (Long i = 0; i < count; ++i) {
        const Integer gas = events_.Read(i, &Entry::GasNo);
        if ((gas < 0 || gas >= RecordGasSlots) && !(how.hasBody && gas == BodyGasNo))
            Raise(ErrSubscript, QStringLiteral("event %1 names gas %2, which the record has no slot for").arg(i).arg(gas));
    }
    const StoredIdentity identity = IdentityOf(header_.UserID, header_.StationID, header_.SerialNo);
    const QString table = QString::fromLatin1(how.table);

    Database db(DatabasePath());
    Transaction transaction(db);
    const Date now = Now();
    Long key = FindLogHeadKey(db, identity, how.kind);
    const bool newHead = key < 0;
    if (!newHead) {
        TouchLogHead(db, identity, how.kind, now);
    } else {
        // A log whose decoding found faults starts no record of its own.
        if (Error())
            return;
        if (Instrument() == nullptr)
            Raise(ErrObjectNotSet, QStringLiteral("the event log has no instrument"));
        key = transaction.nextSeqNo(QStringLiteral("Log_Head"));
        RowValues head;
        head.Add(QStringLiteral("SeqNo"), key)
            .Add(QStringLiteral("Names"), QString::fromLatin1(how.names))
            .Add(QStringLiteral("Dates"), now);
        if (how.writesLogNo)
            head.Add(QStringLiteral("LogNo"), header_.LogNo);
        AddLogHeadColumns(head, identity, how.kind, Instrument()->RomNumber(), header_);
        for (int slot = 0; slot < RecordGasSlots; ++slot)
            AddGasGroupColumns(head, slot + 1, gas_[static_cast<std::size_t>(slot)]);
        head.Insert(db, QStringLiteral("Log_Head"));
    }

    const QString findEvent = QStringLiteral("SELECT COUNT(*) AS Found FROM %1 WHERE RelNo = ? AND GasNo = ? "
                                             "AND Dates = ? AND Alarm_Type = ?").arg(table);
    Long eventKey = transaction.nextSeqNo(table);
    for (Long i = 0; i < count; ++i) {
        const Integer gas = events_.Read(i, &Entry::GasNo);
        const Integer code = events_.Read(i, &Entry::Events);
        const Date when = events_.Read(i, &Entry::Dates);
        const bool lookUp = !(newHead && how.firstStoreKeepsAll);
        if (lookUp && db.query(findEvent, {key, gas, when, code}).field(QStringLiteral("Found")).toLong() > 0)
            continue;
        QString gasName = QStringLiteral("Body");
        if (gas != BodyGasNo || !how.hasBody) {
            const GasSlot& g = gas_[static_cast<std::size_t>(gas)];
            gasName = GasCaption(g.Name, g.Unit, g.Full, g.Point);
        }
        RowValues row;
        row.Add(QStringLiteral("SeqNo"), eventKey++)
            .Add(QStringLiteral("RelNo"), key)
            .Add(QStringLiteral("GasNo"), gas)
            .Add(QStringLiteral("GasName"), gasName)
            .Add(QStringLiteral("Alarm_Type"), code)
            .Add(QStringLiteral("Dates"), when);
        row.Insert(db, table);
    }
    transaction.commit();
}

}  // namespace mt52
