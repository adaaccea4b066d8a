// The alarm record's decoders of the instrument's text records, and its storing.
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
#include "records/clsAlarm.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>

namespace mt52 {
namespace {

// The sample of the alarm moment, and the last one a Sampling 2 log keeps.
constexpr Long AlarmSample = 361;
constexpr Long LastShortSample = 540;

bool IsDigitAt(const QString& text, int position) {
    const QString c = Mid(text, position, 1);
    return c.size() == 1 && c[0].isDigit();
}

// One gas block of the short definition layout.
bool DecodeShortGas(const QString& name, const QString& full, const QString& resolution, bool digitPresent,
                    bool testFlag, GasSlot& slot) {
    if (digitPresent) {
        if (!testFlag) {
            slot.Name = name;
            slot.Full = ParseStatValue(full);
            slot.Desit = ParseStatValue(resolution);
        }
        return true;
    }
    if (name.trimmed().isEmpty()) {
        if (!testFlag) {
            slot.Name.clear();
            slot.Full = NoDataReading;
            slot.Desit = NoDataReading;
        }
        return true;
    }
    return false;
}

}  // namespace

bool clsAlarm::SetDataBD(const QString& vData, bool TestFlag) { return DecodeHeaderLine(vData, TestFlag, "SetDataBD"); }

QString clsAlarm::NamePrefix() const { return header_.Sampling != 0 ? QStringLiteral("iv") : QStringLiteral("al"); }

bool clsAlarm::SetDataBB(const QString& vData, bool TestFlag) {
    const bool samplingPresent = IsDigitAt(vData, 23);
    if (!TestFlag) {
        GasBaseInfo(LogHeaderField::SerialNo, Mid(vData, 5, 12));
        if (samplingPresent)
            header_.Sampling = static_cast<Integer>(Mid(vData, 23, 1).toInt());
    }
    return samplingPresent && IsNumeric(Mid(vData, 18, 4));
}

bool clsAlarm::SetDataBC(const QString& vData, bool TestFlag) { return DecodeGasDefinitions(vData, TestFlag, gas_); }

bool clsAlarm::SetData96(const QString& vData, bool TestFlag) {
    bool result = DecodeShortGas(Mid(vData, 5, 3), Mid(vData, 8, 4), Mid(vData, 12, 3) + Mid(vData, 11, 1),
                                 IsDigitAt(vData, 11), TestFlag, gas_[2]);
    result = DecodeShortGas(Mid(vData, 15, 3), Mid(vData, 18, 4), Mid(vData, 22, 3) + Mid(vData, 20, 1),
                            IsDigitAt(vData, 20), TestFlag, gas_[3]) &&
             result;
    return result;
}

bool clsAlarm::SetDataXX(const QString& vData, bool TestFlag) {
    const QString number = Mid(vData, 11, 4);
    if (vData.size() < 14 || !IsNumeric(number))
        return false;
    const double n = ParseNumber(number);
    if (n < 1 || n > Reachable)
        return false;
    if (TestFlag)
        return true;
    Sample& s = samples_[static_cast<std::size_t>(n - 1)];
    s.DateTimes = header_.Dates.addSeconds((n - 181) * header_.Interval);
    s.Values.fill(NoDataReading);
    return true;
}

bool clsAlarm::SetDataB0(const QString& vData, bool TestFlag, bool compress) {
    if (duplicate_ || Error())
        return true;
    if (!compress) {
        pendingTag_ = Mid(vData, 3, 2);
        return true;
    }
    if (TestFlag)
        return true;
    // A line that does not decode ends the log like a failed write: the samples after it
    // would be placed a line too early.
    try {
        const QString groups = RunLengthDecode(vData);
        const int digit = pendingTag_.size() == 2 && pendingTag_[1].isDigit() ? pendingTag_[1].digitValue() : -1;
        // B6 lines carry status flags that are kept nowhere.
        if (digit < 1 || digit > RecordGasSlots)
            return true;
        const std::size_t slot = static_cast<std::size_t>(digit - 1);
        WithTrendFileOpen(header_, [&](QIODevice& file) {
            for (qsizetype at = 0; at + 4 <= groups.size(); at += 4) {
                const Long n = ++gasSampleCount_[slot];
                const Date time = header_.Dates.addSeconds(double(n - AlarmSample) * header_.Interval);
                const Single value = TrendGroupValue(groups.mid(at, 4), gas_[slot], slot == RecordGasSlots - 1);
                if (header_.Sampling != 2)
                    PutTrendValue(n, file, static_cast<Integer>(slot + 1), value, time);
                else if (n >= AlarmSample && n <= LastShortSample)
                    PutTrendValue(n - AlarmSample + 1, file, static_cast<Integer>(slot + 1), value, time);
            }
        });
    } catch (const RuntimeError& e) {
        SetSerialLog(QStringLiteral("<<< error catch in SetDataB0() >>> %1:%2").arg(e.number()).arg(e.description()));
        Error(true);
    }
    return true;
}

bool clsAlarm::FindLogHead() const { return TrendLogStored(DatabasePath(), header_, TrendLogType::Alarm); }

void clsAlarm::Update() {
    if (Error())
        return;
    try {
        Database db(DatabasePath());
        Transaction transaction(db);
        if (TrendLogStored(db, header_, TrendLogType::Alarm))
            return;
        if (Instrument() == nullptr)
            Raise(ErrObjectNotSet, QStringLiteral("the trend record has no instrument"));
        LogHeader header = header_;
        if (!header_.Names.isEmpty()) {
            QFile file(TrendFilePath(header_.FolderID, header_.Names));
            if (!file.open(QIODevice::ReadOnly))
                Raise(ErrFileNotFound, file.fileName() + QStringLiteral(": ") + file.errorString());
            header.Dcount = TrendRecordCount(file);
        }
        const Long key =
            InsertTrendLogHead(db, transaction, header, gas_, TrendLogType::Alarm, Instrument()->RomNumber(), false);
        DropPendingFile(db, MayBeBlank(header_.FolderID), header_.Names);
        const Long first = transaction.nextSeqNo(QStringLiteral("Alarm_Data"));
        for (Long j = 0; j < std::min(dataCount_, Reachable); ++j) {
            const Sample& s = samples_[static_cast<std::size_t>(j)];
            db.execute(QStringLiteral("INSERT INTO Alarm_Data (SeqNo, RelNo, Datetimes, Gas1Value, Gas2Value, "
                                      "Gas3Value, Gas4Value, Gas5Value) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                       {first + j, key, s.DateTimes, s.Values[0], s.Values[1], s.Values[2], s.Values[3],
                        s.Values[4]});
        }
        transaction.commit();
    } catch (const RuntimeError&) {
        DropUnstoredTrendFile(DatabasePath(), header_);
        throw;
    }
}

}  // namespace mt52
