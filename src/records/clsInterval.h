#pragma once
// An interval-trend log (log kind 1) or bar-hole log (kind 9): the header, five gas
// descriptions, up to 54,001 samples of five readings each and up to 2,049 event rows, one
// row per moment with an event code per gas. The views load it with ClearDatas, SeqNo,
// BaseDate and ReLoad, then read the samples and events by index or together in time order
// through getOrder.
#include "records/TrendLogFrame.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

namespace mt52 {

class clsInterval final : public TrendLogFrame {
public:
    static constexpr Long SampleCapacity = 54001;
    static constexpr Long EventCapacity = 2049;
    // A record with more samples than this is loaded condensed.
    static constexpr Long CondenseAbove = 54000;

    clsInterval();

    // Keeps LogNo, BaseDate, ValueCount, the merge cursors, Instrument, the pending text tag
    // and the table contents (read only below the counts).
    void ClearDatas() override;

    // Also the Interval_Event rows of the record's start date. Condenses the samples when the
    // shared CondensedView is set, and sets it for a record of more than 54,000 samples. Writes
    // the raw export to the program folder when the shared ExportRawData is set, a file without
    // lines when nothing was loaded (no database included).
    void ReLoad() override;

    Date BaseDate() const { return baseDate_; }
    void BaseDate(const Date& value) { baseDate_ = value; }
    // Set by the flash-area decoder when a bar-hole log got a measured statistic.
    bool HasMeasuredValue() const { return hasMeasuredValue_; }
    void HasMeasuredValue(bool value) { hasMeasuredValue_ = value; }

    Long DataCount() const { return dataCount_; }
    // Accepted for 0 <= value < 54,000; anything else is ignored.
    void DataCount(Long value);
    Long ValueCount() const { return valueCount_; }
    void ValueCount(Long value) { valueCount_ = value; }
    Long EventCount() const { return eventCount_; }
    // Accepted for 0 <= value <= 2,049, the rows the table holds; anything else is ignored.
    void EventCount(Long value) {
        if (value >= 0 && value <= EventCapacity)
            eventCount_ = value;
    }

    // Samples 0..DataCount-1. Outside: dates read 0, readings Empty; setters do nothing.
    // A gas slot outside 0..4 raises 9 for a valid sample.
    Date DateTimes(Long Index) const;
    void DateTimes(Long Index, const Date& value);
    Variant GasValue(Integer GasNo, Long Index) const;
    void GasValue(Integer GasNo, Long Index, const Variant& value);
    Date StartTime(Long Index) const;
    void StartTime(Long Index, const Date& value);

    // Event rows 0..EventCount-1, with the same rules.
    Date EventDateTimes(Long Index) const;
    void EventDateTimes(Long Index, const Date& value);
    Variant GasEvent(Integer GasNo, Long Index) const;
    void GasEvent(Integer GasNo, Long Index, const Variant& value);

    // Puts an event into the row of its moment that has no event for the gas yet (the last
    // such row), or into a new row; returns the row. A gas outside 0..4, or a new row beyond
    // the table, raises 9.
    Long AddEvents(Integer GasNo, const Date& when, Single code, const Date& baseDate);
    // The same for a reading: the last sample of exactly that moment, or a new sample.
    Long AddValue(Integer GasNo, const Date& when, Single value);
    // Whether an event code should replace the one a gas shows already.
    static bool priorityEvent(Single newEvent, Single currentEvent);

    // The time-order walk of samples and events: set a start (0), then each read gives
    // k > 0 for sample k-1, k < 0 for event row -k-1, and 0 at the end. Within one second
    // the sample comes first.
    void getOrder(Long start);
    Long getOrder();

    // The sample (event row) from `start` on with the earliest date later than `when`, the
    // last index among equal dates; -1 when none is later.
    Long SerchDatas(const Date& when, Long start) const;
    Long SerchEvent(const Date& when, Long start) const;
    // The first item after `when` in the getOrder code, the event first within one second;
    // 0 for a date not between 1998 and 2199.
    Long SerchValue(const Date& when) const;

    // Decoders of the instrument's interval text records (see clsIntervals::SetDatas). With
    // TestFlag they check and store nothing (a bad header still sets Error). Each answers
    // whether the line was accepted.
    // Header: start date and time (5-16) and interval (17-20); names the log and its trend
    // file, makes the file's folders and marks a log stored already as Duplicate. A bad field
    // sets Error and is written to the communication log; the answer is True all the same.
    bool SetDataAD(const QString& vData, bool TestFlag);
    // Statistics of one gas (tags AE..AI): average, extreme and the extreme's date and time.
    bool SetDataAE(const QString& vData, bool TestFlag);
    // Definitions of the fourth and fifth gas.
    bool SetDataAC(const QString& vData, bool TestFlag);
    // An event line of a gas (`compress` false) or a data line of its samples (`compress`
    // true), written into the trend file. Nothing happens for a duplicate or failed log. Run-
    // length text that does not decode is refused; a file failure sets Error and is logged.
    bool SetDataA0(const QString& vData, bool TestFlag, bool compress);
    // A statistics text as a level of a gas slot (its number, or its full scale, maximum or
    // minimum by the status word; 0 for any other word).
    Single ParseStatText(const QString& text, Integer GasNo) const;

    // Decoders of the interval-trend memory area (see clsIntervals::ReadBinaryLog); `st` is a
    // 0-based position in a page buffer and ends after what was decoded.
    // The header record: identity, interval, gas slots, ranges, start; clears the sample
    // counters' meaning for a new log (call ClearDatas first). True; raises past the buffer.
    bool SetHeader(const QByteArray& buffer, Long& st);
    // One 4-byte data item: a run of equal samples of a gas into the trend file, or an event.
    // False (the item skipped) when it names no slot or cannot be placed; `st` advances by 4.
    // Raises when the item's first three bytes are not in the buffer.
    bool SetData(const QByteArray& buffer, Long& st, QIODevice& Tfno);
    // The trailer record: per-gas statistics and the end time; always false.
    bool SetTrailer(const QByteArray& buffer, Long& st);

    // Stores the decoded record: its Log_Head row (kind 9 when Sampling is not 0, else 1),
    // its samples as Interval_Data rows and its events as Interval_Event rows, in one
    // transaction. Nothing is stored for a record with Error set, one stored already, or a
    // bar-hole log (Sampling 1) without a measured value. On a failure nothing is left: no
    // rows, and no trend file that no stored record names; the failure raises.
    void Update();

private:
    struct Sample : TrendSample {
        Date StartTime;
    };
    struct EventRow {
        Long SeqNo = 0;
        Date DateTimes;
        std::array<Single, RecordGasSlots> Codes{};
        Date BaseDate;
    };

    bool IsSample(Long Index) const { return Index >= 0 && Index < dataCount_; }
    bool IsEvent(Long Index) const { return Index >= 0 && Index < eventCount_; }

    void LoadSamples();
    // Adds one sample at the end of the table; false (and the truncation noted) when full.
    bool StoreSample(const TrendRecord& record);
    void LoadEvents(Database& db);
    void ExportRaw() const;
    QString NamePrefix() const override;
    bool FindLogHead() const override;
    // Writes the groups of a data line as samples of the gas slot into the trend file.
    void WriteSamples(std::size_t slot, const QString& groups);

    std::vector<Sample> samples_;
    std::vector<EventRow> events_;
    Long dataCount_ = 0;
    Long valueCount_ = 0;
    Long eventCount_ = 0;
    Date baseDate_;
    bool hasMeasuredValue_ = false;
    Long sampleCursor_ = 0;
    Long eventCursor_ = 0;
};

}  // namespace mt52
