#include "records/clsAlarm.h"

#include "common/ModuleState.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"

#include <algorithm>

namespace mt52 {

clsAlarm::clsAlarm() : TrendLogFrame(Shape{.hasLast = false, .hasHeaderDcount = true, .hasSnapShotTexts = false}) {
    clsAlarm::ClearDatas();
}

void clsAlarm::ClearDatas() {
    ClearTrendBookkeeping();
    Key(QString());
    SeqNo(0);
    dataCount_ = 0;
    ClearHeader();
    ClearGasSlots();
    for (Long i = 0; i < Reachable; ++i) {
        Sample& s = samples_[static_cast<std::size_t>(i)];
        s.No = 0;
        s.Values.fill(0.0f);
    }
    TakeDatabasePath();
}

Date clsAlarm::DateTimes(Long Index) const {
    return Reaches(Index) ? samples_[static_cast<std::size_t>(Index)].DateTimes : Date(0.0);
}

void clsAlarm::DateTimes(Long Index, const Date& value) {
    if (Reaches(Index))
        samples_[static_cast<std::size_t>(Index)].DateTimes = value;
}

Single clsAlarm::value(Integer GasNo, Long Index) const {
    if (!Reaches(Index) || GasNo < 0 || GasNo >= RecordGasSlots)
        return 0.0f;
    return samples_[static_cast<std::size_t>(Index)].Values[static_cast<std::size_t>(GasNo)];
}

void clsAlarm::value(Integer GasNo, Long Index, Single reading) {
    if (Reaches(Index) && GasNo >= 0 && GasNo < RecordGasSlots)
        samples_[static_cast<std::size_t>(Index)].Values[static_cast<std::size_t>(GasNo)] = reading;
}

void clsAlarm::ReLoad() {
    loadStatus_ = {};
    std::optional<Database> db =
        OpenTrendLog(DatabasePath(), SeqNo(), TrendHeaderColumns::Alarm, header_, gas_, loadStatus_);
    if (!db)
        return;
    // Without a row there is no file to name.
    if (!header_.Names.isEmpty())
        LoadSamples();
    if (State().ExportRawData)
        ExportRaw();
}

void clsAlarm::LoadSamples() {
    const TrendFileContents file = ReadLogTrendFile(header_.FolderID, header_.Names);
    loadStatus_.trendFileMissing = !file.opened;
    // The count goes through DataCount's own rule: a file of more than 720 records loads as its
    // first 720 samples, the ones the sample getters reach, and tells that it held more.
    const std::size_t records = file.records.size();
    DataCount(static_cast<Long>(std::min<std::size_t>(records, SampleCapacity)));
    loadStatus_.samplesTruncated = records > static_cast<std::size_t>(Reachable);
    const Long count = DataCount();
    for (Long i = 0; i < count; ++i) {
        Sample& s = samples_[static_cast<std::size_t>(i)];
        const TrendRecord& record = file.records[static_cast<std::size_t>(i)];
        s.No = i;
        s.DateTimes = record.Time;
        s.Values = record.Values;
        if (i < SamplesBeforeAlarm)
            s.Values[RecordGasSlots - 1] = NoDataReading;
    }
}

void clsAlarm::ExportRaw() const {
    QStringList lines;
    for (Long i = 0; i < dataCount_; ++i) {
        const Sample& s = samples_[static_cast<std::size_t>(i)];
        lines.append(RawExportLine(s.DateTimes, RawSampleFields(s.Values)));
    }
    WriteRawExport(State().StartDir, header_.Names, lines);
}

}  // namespace mt52
