// The interval record's decoders of the instrument's text records, and its storing.
#include "common/ModuleState.h"
#include "common/PendingRemovals.h"
#include "common/ReadingCodes.h"
#include "common/RecordText.h"
#include "common/TrendFile.h"
#include "instrument/clsInstrument.h"
#include "platform/Database.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"
#include "records/LogRowWriter.h"
#include "records/TrendStoring.h"
#include "records/TrendTextRecords.h"
#include "records/clsInterval.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>

namespace mt52 {
namespace {

// The gas slot of a statistics tag, and whether the line holds its minimum.
struct StatTarget {
    Integer slot;
    bool minimum;
};
std::optional<StatTarget> StatTargetOf(const QString& tag) {
    if (tag == QLatin1String("AE"))
        return StatTarget{0, false};
    if (tag == QLatin1String("AF"))
        return StatTarget{1, true};
    if (tag == QLatin1String("AG"))
        return StatTarget{1, false};
    if (tag == QLatin1String("AH"))
        return StatTarget{2, false};
    if (tag == QLatin1String("AI"))
        return StatTarget{3, false};
    return std::nullopt;
}

// The digit of an "A<n>" or "B<n>" tag; -1 for anything else.
int TagDigit(const QString& tag) { return tag.size() == 2 && tag[1].isDigit() ? tag[1].digitValue() : -1; }

const QString AllStars6 = QStringLiteral("******");

}  // namespace

Single clsInterval::ParseStatText(const QString& text, Integer GasNo) const {
    return StatTextLevel(text, gas_[SlotIndex(GasNo)], false);
}

bool clsInterval::SetDataAD(const QString& vData, bool TestFlag) { return DecodeHeaderLine(vData, TestFlag, "SetDataAD"); }

QString clsInterval::NamePrefix() const { return QStringLiteral("iv"); }

bool clsInterval::SetDataAE(const QString& vData, bool TestFlag) {
    const auto target = StatTargetOf(Mid(vData, 3, 2));
    if (!target)
        return false;
    GasSlot& g = gas_[static_cast<std::size_t>(target->slot)];
    Single& extreme = target->minimum ? g.Min : g.Max;
    Date& extremeDate = target->minimum ? g.MinDate : g.MaxDate;
    bool result = true;
    if (!TestFlag) {
        g.Avr = ParseStatValue(Mid(vData, 5, 5));
        extreme = ParseStatValue(Mid(vData, 10, 5));
    }
    if (const auto date = TextRecordDate(vData, 15)) {
        if (!TestFlag)
            extremeDate = *date;
    } else if (Mid(vData, 15, 6) == AllStars6) {
        if (!TestFlag)
            extremeDate = InvalidDateMark;
    } else {
        result = false;
    }
    if (const auto time = TextRecordTime(vData, 21)) {
        if (!TestFlag)
            extremeDate = Date(extremeDate.value() + *time);
    } else if (Mid(vData, 21, 6) == AllStars6) {
        if (!TestFlag)
            extremeDate = InvalidDateMark;
    } else {
        result = false;
    }
    if (!TestFlag && !target->minimum && target->slot != 1)
        g.Min = NoDataReading;
    return result;
}

bool clsInterval::SetDataAC(const QString& vData, bool TestFlag) { return DecodeGasDefinitions(vData, TestFlag, gas_); }

bool clsInterval::SetDataA0(const QString& vData, bool TestFlag, bool compress) {
    if (duplicate_ || Error())
        return true;
    if (!compress) {
        const QString tag = Mid(vData, 3, 2);
        pendingTag_ = tag;
        constexpr int EventLineLength = 24;
        if (vData.size() < EventLineLength || TestFlag)
            return true;
        // A0 and A7 carry an event of gases 1 to 4, A1..A5 one of their own gas, A6 none.
        const int digit = TagDigit(tag);
        std::vector<std::size_t> eventSlots;
        if (digit >= 1 && digit <= RecordGasSlots)
            eventSlots.push_back(static_cast<std::size_t>(digit - 1));
        else if (digit == 0 || digit == 7)
            eventSlots = {0, 1, 2, 3};
        const QString after = Mid(vData, 24, 4);
        const double seconds = IsNumeric(after) ? ParseNumber(after) : 0.0;
        const Single code = EventNumberToCode(Mid(vData, 5, 2));
        for (std::size_t slot : eventSlots) {
            if (gas_[slot].Name.isEmpty())
                continue;
            const Long counter = gasSampleCount_[slot];
            const Date base = counter == 0 ? header_.Dates : header_.Dates.addSeconds(double(counter) * header_.Interval);
            AddEvents(static_cast<Integer>(slot), base.addSeconds(seconds), code, header_.Dates);
        }
        return true;
    }

    if (TestFlag)
        return true;
    // A line that does not decode ends the log like a failed write: the samples after it
    // would be placed a line too early.
    try {
        const QString groups = RunLengthDecode(vData);
        const int digit = TagDigit(pendingTag_);
        if (digit >= 1 && digit <= RecordGasSlots)
            WriteSamples(static_cast<std::size_t>(digit - 1), groups);
    } catch (const RuntimeError& e) {
        SetSerialLog(QStringLiteral("<<< error catch in SetDataA0() >>> %1:%2").arg(e.number()).arg(e.description()));
        Error(true);
    }
    return true;
}

void clsInterval::WriteSamples(std::size_t slot, const QString& groups) {
    WithTrendFileOpen(header_, [&](QIODevice& file) {
        for (qsizetype at = 0; at + 4 <= groups.size(); at += 4) {
            const Long n = ++gasSampleCount_[slot];
            const Date time = header_.Dates.addSeconds(double(n) * header_.Interval);
            const Single value = TrendGroupValue(groups.mid(at, 4), gas_[slot], slot == RecordGasSlots - 1);
            PutTrendValue(n, file, static_cast<Integer>(slot + 1), value, time);
        }
    });
}

bool clsInterval::FindLogHead() const {
    return TrendLogStored(DatabasePath(), header_,
                          header_.Sampling != 0 ? TrendLogType::BarHole : TrendLogType::Interval);
}

void clsInterval::Update() {
    if (header_.Sampling == 1 && !hasMeasuredValue_)
        return;
    if (Error())
        return;
    const Long types = header_.Sampling != 0 ? TrendLogType::BarHole : TrendLogType::Interval;
    try {
        Database db(DatabasePath());
        Transaction transaction(db);
        if (TrendLogStored(db, header_, types))
            return;
        if (Instrument() == nullptr)
            Raise(ErrObjectNotSet, QStringLiteral("the trend record has no instrument"));

        LogHeader header = header_;
        header.Dcount = eventCount_;
        if (!header_.Names.isEmpty()) {
            QFile file(TrendFilePath(header_.FolderID, header_.Names));
            if (!file.open(QIODevice::ReadOnly))
                Raise(ErrFileNotFound, file.fileName() + QStringLiteral(": ") + file.errorString());
            header.Dcount += TrendRecordCount(file);
        }
        const Long key = InsertTrendLogHead(db, transaction, header, gas_, types, Instrument()->RomNumber(), true);
        DropPendingFile(db, MayBeBlank(header_.FolderID), header_.Names);

        const Long firstSample = transaction.nextSeqNo(QStringLiteral("Interval_Data"));
        for (Long j = 0; j < dataCount_; ++j) {
            const Sample& s = samples_[static_cast<std::size_t>(j)];
            db.execute(QStringLiteral("INSERT INTO Interval_Data (SeqNo, RelNo, Datetimes, EvtTime, Gas1Value, "
                                      "Gas2Value, Gas3Value, Gas4Value) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                       {firstSample + j, key, s.DateTimes, s.StartTime, s.Values[0], s.Values[1], s.Values[2],
                        s.Values[3]});
        }
        const Long firstEvent = transaction.nextSeqNo(QStringLiteral("Interval_Event"));
        for (Long k = 0; k < eventCount_; ++k) {
            const EventRow& e = events_[static_cast<std::size_t>(k)];
            db.execute(QStringLiteral("INSERT INTO Interval_Event (SeqNo, RelNo, Datetimes, BaseDate, Gas1Event, "
                                      "Gas2Event, Gas3Event, Gas4Event, Gas5Event) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       {firstEvent + k, key, e.DateTimes, e.BaseDate, e.Codes[0], e.Codes[1], e.Codes[2], e.Codes[3],
                        e.Codes[4]});
        }
        transaction.commit();
    } catch (const RuntimeError&) {
        DropUnstoredTrendFile(DatabasePath(), header_);
        throw;
    }
}

}  // namespace mt52
