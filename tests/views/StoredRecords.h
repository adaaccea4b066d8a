#pragma once
// Stored records of every kind for the data view's tests, written into the database at the
// module state's DatabasePath and the trend files into its DataFolder, as a download leaves
// them: a combustible-gas and oxygen instrument "SN1" at station "ST1", user "U1", May 2024.
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "records/TrendFixture.h"

#include <QStringList>

namespace mt52::test {

inline Date MayDate(int day, int hour, int minute, int second = 0) {
    return *Date::FromParts(2024, 5, day, hour, minute, second);
}

// A Log_Head row of the instrument with the kind, name and date.
inline Columns HeadColumns(Long seqNo, Long kind, const QString& names, const Date& date) {
    return {{"SeqNo", seqNo},       {"Types", kind},          {"Names", names},       {"Dates", date},
            {"FolderID", "05/24"},  {"SerialNo", "SN1"},      {"StationID", "ST1"},   {"UserID", "U1"},
            {"Interval", Long{10}}, {"Sampling", Long{0}}};
}

// The gas columns of a trend: combustible gas (slot 0, with its vol% reading in slot 4) and
// oxygen (slot 1); slots 2 and 3 unused.
inline Columns TrendGasColumns() {
    return {{"Gas1Name", "CH4"},    {"Gas1Full", 100.0},    {"Gas1Point", Long{1}},  {"Gas1Unit", "%LEL"},
            {"Gas1Enable", true},   {"Gas1Avr", 4.5},       {"Gas1Max", 12.0},       {"Gas1Warning", 10.0},
            {"Gas1Alarm", 50.0},    {"Gas1Ratio", 50000.0}, {"Gas2Name", "O2"},      {"Gas2Full", 25.0},
            {"Gas2Point", Long{1}}, {"Gas2Unit", "%"},      {"Gas2Enable", true},    {"Gas2Avr", 20.8},
            {"Gas2Max", 20.9},      {"Gas2Min", 19.0},      {"Gas2Warning", 19.5},   {"Gas2Alarm", 18.0},
            {"Gas3Enable", false},  {"Gas4Enable", false},  {"Gas5Name", "CH4"},     {"Gas5Full", 5.0},
            {"Gas5Point", Long{2}}, {"Gas5Unit", "vol%"},   {"Gas5Enable", false}};
}

// Writes the trend file of a record: samples `interval` seconds apart, values as stored (0 no
// data, -100 a real zero).
inline void WriteTrendFile(const QString& names, const Date& start, int interval, const std::vector<Values>& stored) {
    ASSERT_TRUE(MakeTrendFolder(QStringLiteral("05/24")));
    QFile file(TrendFilePath(QStringLiteral("05/24"), names));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (std::size_t i = 0; i < stored.size(); ++i)
        file.write(StoredRecord(start.addSeconds(static_cast<double>(i) * interval), stored[i]));
}

// An interval trend whose combustible-gas reading climbs by 1 each sample, with `samples` samples
// from `start`.
inline void AddIntervalTrend(Long seqNo, const QString& names, int samples, const Date& start = MayDate(20, 12, 0)) {
    Columns columns = HeadColumns(seqNo, 1, names, start);
    columns.push_back({"Last", start.addSeconds(10.0 * std::max(0, samples - 1))});
    for (auto& c : TrendGasColumns())
        columns.push_back(std::move(c));
    InsertRow(QStringLiteral("Log_Head"), columns);
    std::vector<Values> stored;
    for (int i = 0; i < samples; ++i)
        stored.push_back({Single(1 + i % 15), 20.9f, 0, 0, 0});
    WriteTrendFile(names, start, 10, stored);
}

// An alarm trend of `samples` one-second samples around an alarm at 09:30 on 20 May.
inline void AddAlarmTrend(Long seqNo, const QString& names, int samples, Long sampling = 0) {
    const Date alarm = MayDate(20, 9, 30);
    Columns columns = HeadColumns(seqNo, 2, names, alarm);
    columns[9] = {"Sampling", sampling};
    columns[8] = {"Interval", Long{1}};
    for (auto& c : TrendGasColumns())
        columns.push_back(std::move(c));
    InsertRow(QStringLiteral("Log_Head"), columns);
    std::vector<Values> stored;
    for (int i = 0; i < samples; ++i)
        stored.push_back({i >= 360 && i < 380 ? 60.0f : 2.0f, 20.9f, 0, 0, 0});
    WriteTrendFile(names, alarm.addSeconds(-360), 1, stored);
}

// A record of a kind without a trend file (histories, events, snapshots, bar holes).
inline void AddRecord(Long seqNo, Long kind, const QString& names, const Date& date = MayDate(21, 8, 0)) {
    InsertRow(QStringLiteral("Log_Head"), HeadColumns(seqNo, kind, names, date));
}

}  // namespace mt52::test
