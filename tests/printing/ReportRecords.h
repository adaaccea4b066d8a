#pragma once
// Small in-memory records and record tables for the report tests: what a data view holds when the
// user prints, without a database.
#include "platform/GridModel.h"
#include "platform/OleDate.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "records/clsSnapShot.h"

#include <QStringList>

namespace mt52::test {

inline Date ReportDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return *Date::FromParts(year, month, day, hour, minute, second);
}

struct GasFields {
    QString name;
    Single full = 100;
    Integer point = 0;
    QString unit = QStringLiteral("%LEL");
    bool enable = true;
    Single avr = 0;
    Single max = 0;
    Single min = 0;
    Date maxDate = ReportDate(2024, 5, 6, 10, 0, 0);
    Date minDate = ReportDate(2024, 5, 6, 11, 0, 0);
    Single warning = 10;
    Single alarm = 50;
};

inline void SetGas(RecordFrame& record, Integer slot, const GasFields& g) {
    record.GasListInfo(slot, GasInfoField::Name, g.name);
    record.GasListInfo(slot, GasInfoField::Full, g.full);
    record.GasListInfo(slot, GasInfoField::Point, g.point);
    record.GasListInfo(slot, GasInfoField::Unit, g.unit);
    record.GasListInfo(slot, GasInfoField::Enable, g.enable);
    record.GasListInfo(slot, GasInfoField::Avr, g.avr);
    record.GasListInfo(slot, GasInfoField::Max, g.max);
    record.GasListInfo(slot, GasInfoField::Min, g.min);
    record.GasListInfo(slot, GasInfoField::MaxDate, g.maxDate);
    record.GasListInfo(slot, GasInfoField::MinDate, g.minDate);
    record.GasListInfo(slot, GasInfoField::Warning, g.warning);
    record.GasListInfo(slot, GasInfoField::Alarm, g.alarm);
}

inline void SetIdentity(RecordFrame& record, const QString& name) {
    record.GasBaseInfo(LogHeaderField::Names, name);
    record.GasBaseInfo(LogHeaderField::Dates, ReportDate(2024, 5, 6, 9, 30, 0));
    record.GasBaseInfo(LogHeaderField::SerialNo, QStringLiteral("SN0042"));
    record.GasBaseInfo(LogHeaderField::StationID, QStringLiteral("STATION-A"));
    record.GasBaseInfo(LogHeaderField::UserID, QStringLiteral("USER-7"));
    record.GasBaseInfo(LogHeaderField::Interval, Long(60));
}

// Gas slot 0 a combustible gas in %LEL, slot 1 oxygen, the others empty.
inline GasFields Combustible() {
    GasFields g;
    g.name = QStringLiteral("CH4");
    g.avr = 1;
    g.max = 12;
    return g;
}

inline GasFields Oxygen() {
    GasFields g;
    g.name = QStringLiteral("O2");
    g.full = 25;
    g.point = 1;
    g.unit = QStringLiteral("%");
    g.avr = 20.9f;
    g.max = 21;
    g.min = 19.5f;
    g.warning = 19.5f;
    g.alarm = 18;
    return g;
}

inline GasFields NoGas() {
    GasFields g;
    g.unit.clear();
    g.enable = false;
    return g;
}

inline void SetUsualGases(RecordFrame& record) {
    SetGas(record, 0, Combustible());
    SetGas(record, 1, Oxygen());
    for (Integer slot : {2, 3, 4})
        SetGas(record, slot, NoGas());
}

inline void MakeInterval(clsInterval& record, Long samples = 100, Long events = 3) {
    SetIdentity(record, QStringLiteral("iv240506093000"));
    record.Header().Last = ReportDate(2024, 5, 6, 17, 0, 0);
    SetUsualGases(record);
    record.DataCount(samples);
    record.EventCount(events);
}

inline void MakeAlarm(clsAlarm& record, Long samples = 720, Integer sampling = 0) {
    SetIdentity(record, QStringLiteral("al240506093000"));
    record.GasBaseInfo(LogHeaderField::Sampling, sampling);
    SetUsualGases(record);
    record.DataCount(samples);
}

inline void MakeSnapShot(clsSnapShot& record) {
    SetIdentity(record, QStringLiteral("ss240506093000"));
    SetUsualGases(record);
    // A snapshot names its gas with the texts the instrument sent.
    record.GasListInfo(0, SnapShotGasField::GasName, QStringLiteral("CH4"));
    record.GasListInfo(0, SnapShotGasField::FullScale, QStringLiteral("100"));
    record.GasListInfo(0, SnapShotGasField::Unit, QStringLiteral("%LEL"));
}

// A record table as the views fill it: headings, then `rows` rows "1", date, and four gas cells.
inline void FillTable(GridModel& table, int rows, int cols = 6) {
    table.SetCols(cols);
    table.SetRows(rows + 1);
    table.SetFixedRows(1);
    const QStringList titles{QStringLiteral("No"), QStringLiteral("Date/Time"), QStringLiteral("CH4"),
                             QStringLiteral("O2"), QStringLiteral("H2S"), QStringLiteral("CO")};
    for (int c = 0; c < cols; ++c)
        table.SetTextMatrix(0, c, titles.value(c));
    for (int r = 1; r <= rows; ++r) {
        table.SetTextMatrix(r, 0, QString::number(r));
        table.SetTextMatrix(r, 1, QStringLiteral("2024/05/06 09:%1:00").arg(r % 60, 2, 10, QLatin1Char('0')));
        for (int c = 2; c < cols; ++c)
            table.SetTextMatrix(r, c, QStringLiteral("g%1r%2").arg(c).arg(r));
    }
}

}  // namespace mt52::test
