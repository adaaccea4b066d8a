#pragma once
// Record models filled in memory for the views' tests: a header, gas slots described field by
// field, and interval or alarm samples and events, without a database.
#include "records/RecordFrame.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "views/RecordTableFixture.h"

#include <array>
#include <vector>

// Models are described with designated initializers naming only what a case is about; GCC 12
// warns about the members left to their defaults even though each has one.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace mt52::test {

// A time in May 2024.
inline Date When(int day, int hour, int minute, int second = 0) { return TimeAt(2024, 5, day, hour, minute, second); }

struct GasDescription {
    QString name;
    Single full = 100;
    Integer point = 1;
    QString unit;
    bool enabled = true;
    Single avg = NoDataReading;
    Single max = NoDataReading;
    Date maxDate = InvalidDateMark;
    Single min = NoDataReading;
    Date minDate = InvalidDateMark;
    Single warning = NoDataReading;
    Single alarm = NoDataReading;
    Single ratio = NoDataReading;
};

// A gas slot with its statistics and alarm levels.
inline void Describe(RecordFrame& record, Integer slot, const GasDescription& gas) {
    SetGas(record, slot, {gas.name, gas.full, gas.point, gas.unit, gas.enabled, gas.ratio});
    record.GasListInfo(slot, GasInfoField::Avr, gas.avg);
    record.GasListInfo(slot, GasInfoField::Max, gas.max);
    record.GasListInfo(slot, GasInfoField::MaxDate, gas.maxDate);
    record.GasListInfo(slot, GasInfoField::Min, gas.min);
    record.GasListInfo(slot, GasInfoField::MinDate, gas.minDate);
    record.GasListInfo(slot, GasInfoField::Warning, gas.warning);
    record.GasListInfo(slot, GasInfoField::Alarm, gas.alarm);
}

inline void Identify(RecordFrame& record, const QString& name, const Date& start) {
    record.GasBaseInfo(LogHeaderField::Names, name);
    record.GasBaseInfo(LogHeaderField::Dates, start);
    record.GasBaseInfo(LogHeaderField::SerialNo, QStringLiteral("SN1"));
    record.GasBaseInfo(LogHeaderField::StationID, QStringLiteral("ST1"));
    record.GasBaseInfo(LogHeaderField::UserID, QStringLiteral("U1"));
    record.GasBaseInfo(LogHeaderField::Interval, Long{10});
}

using Readings = std::array<Single, RecordGasSlots>;

// Samples `interval` seconds apart from `start`.
inline void SetSamples(clsInterval& record, const Date& start, int interval, const std::vector<Readings>& samples) {
    record.DataCount(Long(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        record.DateTimes(Long(i), start.addSeconds(double(i) * interval));
        for (Integer g = 0; g < RecordGasSlots; ++g)
            record.GasValue(g, Long(i), samples[i][static_cast<std::size_t>(g)]);
    }
}

// One event row: its time and one code per gas slot (-101 for none).
inline void AddEvent(clsInterval& record, const Date& when, const Readings& codes) {
    const Long row = record.EventCount();
    record.EventCount(row + 1);
    record.EventDateTimes(row, when);
    for (Integer g = 0; g < RecordGasSlots; ++g)
        record.GasEvent(g, row, codes[static_cast<std::size_t>(g)]);
}

inline void SetSamples(clsAlarm& record, const Date& start, int interval, const std::vector<Readings>& samples) {
    record.DataCount(Long(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        record.DateTimes(Long(i), start.addSeconds(double(i) * interval));
        for (Integer g = 0; g < RecordGasSlots; ++g)
            record.value(g, Long(i), samples[i][static_cast<std::size_t>(g)]);
    }
}

}  // namespace mt52::test
