#pragma once
// An alarm-trend log (log kind 2): the recording the instrument keeps around an alarm, 720
// samples of five readings, 360 before the alarm time in the header and 360 from it on. The
// header has no Last field; there are no event rows.
#include "records/TrendLogFrame.h"

#include <QByteArray>
#include <array>

namespace mt52 {

class clsAlarm final : public TrendLogFrame {
public:
    static constexpr Long SampleCapacity = 721;
    // Samples the accessors reach (0..719), the length of an alarm trend.
    static constexpr Long Reachable = 720;
    // Samples before the alarm time; their fifth gas slot never holds a reading.
    static constexpr Long SamplesBeforeAlarm = 360;

    clsAlarm();

    // Clears the readings of samples 0..719; their dates and sample 720 stay.
    void ClearDatas() override;

    // The records of the trend file, up to the 720 an alarm trend holds (a longer file loads as
    // its first 720 and reports samplesTruncated), with no reading for the fifth gas before the
    // alarm time. Writes the raw export to the program folder when the shared ExportRawData is
    // set and the database is there, a file without lines when no sample was loaded.
    void ReLoad() override;

    Long DataCount() const { return dataCount_; }
    // A count of 720 or more is stored as 720.
    void DataCount(Long value) { dataCount_ = std::min(value, Reachable); }

    // Sample 0..719 whatever DataCount is; outside, dates read 0, readings 0, setters do nothing.
    Date DateTimes(Long Index) const;
    void DateTimes(Long Index, const Date& value);
    Single value(Integer GasNo, Long Index) const;
    void value(Integer GasNo, Long Index, Single reading);

    // Decoders of the instrument's alarm text records (see clsAlarms::SetDatas); TestFlag and
    // the answers as for the interval decoders.
    // Header: alarm date and time (5-16) and interval (17-20); names the log "al..." (Sampling
    // 0) or "iv...", makes the trend file's folders and marks a stored log as Duplicate.
    bool SetDataBD(const QString& vData, bool TestFlag);
    // Serial number (5-16) and sampling kind (23); True when the count at 18-21 is a number.
    bool SetDataBB(const QString& vData, bool TestFlag);
    // Definitions of the fourth and fifth gas.
    bool SetDataBC(const QString& vData, bool TestFlag);
    // A tagged line (`compress` false) names the gas of the data lines that follow; a data
    // line's samples go into the trend file, sample n at the alarm time + (n - 361) intervals
    // (with Sampling 2 only samples 361..540, as records 1..180).
    bool SetDataB0(const QString& vData, bool TestFlag, bool compress);
    // Definitions of the third and fourth gas in the short layout.
    bool SetData96(const QString& vData, bool TestFlag);
    // Marks sample n (11-14, 1..720) of the in-memory table as holding no data.
    bool SetDataXX(const QString& vData, bool TestFlag);

    // Decoders of the alarm-trend memory area (see clsAlarms::ReadBinaryLog).
    // The header record at `st` (call ClearDatas first); True; raises past the buffer.
    bool SetHeader(const QByteArray& buffer, Long& st);
    // One 16-byte sample item at `st` for the sample position Apnt (-360..359, 0 at the alarm):
    // a reading per gas slot into the trend file (-101 where the presence bit is clear or the
    // slot has no gas); `st` advances by 16. True.
    bool SetData(const QByteArray& buffer, Long& st, QIODevice& Tfno, Long Apnt);

    // Stores the decoded record: its Log_Head row (kind 2) and its in-memory samples as
    // Alarm_Data rows, each reading as held, in one transaction. Nothing is stored for a
    // record with Error set or one stored already. On a failure nothing is left behind and
    // the failure raises.
    void Update();

private:
    using Sample = TrendSample;
    static bool Reaches(Long Index) { return Index >= 0 && Index < Reachable; }
    void LoadSamples();
    void ExportRaw() const;
    QString NamePrefix() const override;
    bool FindLogHead() const override;

    std::array<Sample, SampleCapacity> samples_{};
    Long dataCount_ = 0;
};

}  // namespace mt52
