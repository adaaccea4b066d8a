#include "records/TrendAlarmJudgement.h"

#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "records/TrendLoading.h"

#include <QFile>
#include <QFileInfo>

namespace mt52 {
namespace {

// A number as the screen shows it at the decimals, read back as a number.
double AtShownPrecision(Single value, Integer decimals) { return Val(FormatTrendCell(value, decimals)); }

bool Exceeds(Single reading, bool enabled, Single warning, Single alarm, Integer decimals) {
    if (reading < 0)
        return reading != NoDataReading;
    if (!enabled)
        return false;
    const double shown = AtShownPrecision(reading, decimals);
    return (warning >= 0 && AtShownPrecision(warning, decimals) <= shown) ||
           (alarm >= 0 && AtShownPrecision(alarm, decimals) <= shown);
}

// The record of the alarm moment; nullopt when the file is missing or holds fewer records.
std::optional<TrendRecord> AlarmMoment(const QString& folderId, const QString& names) {
    QFile file(TrendFilePath(folderId, names));
    if (!file.open(QIODevice::ReadOnly) || TrendRecordCount(file) < AlarmMomentRecord)
        return std::nullopt;
    QByteArray bytes;
    if (file.seek(static_cast<qint64>(AlarmMomentRecord - 1) * TrendRecordBytes))
        bytes = file.read(TrendRecordBytes);
    if (bytes.size() != TrendRecordBytes)
        Raise(ErrDeviceIO, file.fileName() + QStringLiteral(": ") + file.errorString());
    return DecodeTrendRecord(bytes.constData());
}

}  // namespace

TrendAlarmJudgement JudgeTrendAlarm(Long seqNo, const std::array<Integer, JudgedGases>& decimals) {
    TrendAlarmJudgement judgement;
    if (!QFileInfo::exists(State().DatabasePath))
        return judgement;
    Database db(State().DatabasePath);
    const Recordset row = QueryLogHead(db, seqNo);
    if (row.recordCount() == 0)
        return judgement;

    LogHeader header;
    std::array<GasSlot, RecordGasSlots> gas{};
    ReadTrendHeader(row, TrendHeaderColumns::Alarm, header);
    ReadTrendGasSlots(row, gas);
    const std::optional<TrendRecord> moment = AlarmMoment(header.FolderID, header.Names);
    if (!moment)
        return judgement;
    for (std::size_t g = 0; g < JudgedGases; ++g) {
        const Single reading = moment->Values[g];
        judgement.AlarmTimeReadings[g] = reading;
        judgement.Exceeded[g] = Exceeds(reading, gas[g].Enable, gas[g].Warning, gas[g].Alarm, decimals[g]);
    }
    return judgement;
}

}  // namespace mt52
