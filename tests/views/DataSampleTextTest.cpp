// The data-sample text of every record kind: golden texts on small records, the file types'
// unit columns and %LEL conversion, streaming into a file, and the quoting of odd fields.
#include "views/DataSampleText.h"

#include "common/GasFormats.h"
#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "records/TrendFixture.h"
#include "records/clsAlarm.h"
#include "records/clsHistory.h"
#include "records/clsInterval.h"
#include "records/clsSnapShot.h"
#include "platform/Numbers.h"
#include "support/ErrorOf.h"
#include "views/ViewRecords.h"

#include <QBuffer>
#include <QStringList>

#include <gtest/gtest.h>
#include <limits>
#include <ostream>

// Texts show line by line in a failure, their line ends written out.
static void PrintTo(const QString& text, std::ostream* os) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n\n"));
    *os << "\n" << shown.toStdString();
}

namespace mt52 {
namespace {

Date At(int hour, int minute, int second, int day = 1, int month = 6) {
    return *Date::FromParts(2025, month, day, hour, minute, second);
}

// The lines joined as the text writes them, each ended by CR LF.
QString Text(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QStringList LinesOf(const QString& text) {
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();  // after the last line end
    return lines;
}

struct GasSlotValues {
    const char* name;
    Single full;
    Integer point;
    const char* unit;
    Single ratio = 0;
};

void SetGas(RecordFrame& record, Integer slot, const GasSlotValues& gas) {
    record.GasListInfo(slot, GasInfoField::Name, QString::fromLatin1(gas.name));
    record.GasListInfo(slot, GasInfoField::Full, gas.full);
    record.GasListInfo(slot, GasInfoField::Point, gas.point);
    record.GasListInfo(slot, GasInfoField::Unit, QString::fromLatin1(gas.unit));
    record.GasListInfo(slot, GasInfoField::Ratio, gas.ratio);
}

void SetIdentity(RecordFrame& record, const QString& names, const Date& dates) {
    record.GasBaseInfo(LogHeaderField::Names, names);
    record.GasBaseInfo(LogHeaderField::Dates, dates);
    record.GasBaseInfo(LogHeaderField::SerialNo, QStringLiteral("SN123"));
    record.GasBaseInfo(LogHeaderField::StationID, QStringLiteral("ST-1"));
    record.GasBaseInfo(LogHeaderField::UserID, QStringLiteral("USER-1"));
}

class DataSampleTextTest : public test::TrendFixture {
protected:
    void SetUp() override {
        TrendFixture::SetUp();
        SetInterfaceLanguage(Language::English);
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        TrendFixture::TearDown();
    }

    QString Make(int logType, int filterIndex, QChar separator = u',', Long seqNo = 0) {
        return MakeDataSampleText({.logType = logType, .seqNo = seqNo, .records = records}, separator, filterIndex);
    }

    // An interval trend of combustible gas (slot 0, with its vol% reading in slot 4) and oxygen
    // (slot 1): four samples a minute apart and four event rows, two of which switch the first
    // gas's unit to vol% and back.
    clsInterval& IntervalRecord() {
        clsInterval& r = records.Interval();
        SetIdentity(r, QStringLiteral("IV0001"), At(8, 0, 0));
        r.Header().Last = At(8, 5, 0);  // the end is set by loading only
        r.GasBaseInfo(LogHeaderField::Interval, Long(60));
        SetGas(r, 0, {"CH4", 100, 0, "%LEL", 50000});
        SetGas(r, 1, {"O2", 25, 1, "%"});
        SetGas(r, 4, {"CH4", 5, 2, "vol%", 1});
        auto stats = [&](Integer slot, Single avr, Single max, const Date& maxDate, Single min, const Date& minDate,
                         Single warning, Single alarm) {
            r.GasListInfo(slot, GasInfoField::Avr, avr);
            r.GasListInfo(slot, GasInfoField::Max, max);
            r.GasListInfo(slot, GasInfoField::MaxDate, maxDate);
            r.GasListInfo(slot, GasInfoField::Min, min);
            r.GasListInfo(slot, GasInfoField::MinDate, minDate);
            r.GasListInfo(slot, GasInfoField::Warning, warning);
            r.GasListInfo(slot, GasInfoField::Alarm, alarm);
        };
        stats(0, 12, 45, At(8, 3, 0), 0, At(8, 1, 0), 10, 50);
        stats(1, 20.9f, 20.9f, At(8, 0, 0), 18, At(8, 3, 0), 19.5f, 18);
        stats(2, 0, NoDataReading, Date(), 0, Date(), 0, 0);
        stats(3, 0, NoDataReading, Date(), 0, Date(), 0, 0);
        stats(4, 1, 2.5f, At(8, 4, 0), 0, At(8, 1, 0), 0, 0);

        struct Sample {
            Date at;
            Single gas0, gas1, gas4;
        };
        const Sample samples[] = {{At(8, 0, 0), 5, 20.9f, 0},
                                  {At(8, 1, 0), 120, NoDataReading, 0},
                                  {At(8, 2, 0), 100, 20.5f, 2.5f},
                                  {At(8, 3, 0), 100, 20.0f, 6}};
        r.DataCount(4);
        for (Long i = 0; i < 4; ++i) {
            r.DateTimes(i, samples[i].at);
            r.GasValue(0, i, samples[i].gas0);
            r.GasValue(1, i, samples[i].gas1);
            r.GasValue(4, i, samples[i].gas4);
        }
        const Sample events[] = {{At(8, 1, 30), -175, -101, -101},
                                 {At(8, 2, 30), -101, -103, -103},
                                 {At(8, 2, 45), -173, -101, -101},
                                 {At(8, 3, 30), -130, -101, -104}};
        r.EventCount(4);
        for (Long e = 0; e < 4; ++e) {
            r.EventDateTimes(e, events[e].at);
            r.GasEvent(0, e, events[e].gas0);
            r.GasEvent(1, e, events[e].gas1);
            r.GasEvent(4, e, events[e].gas4);
        }
        return r;
    }

    // An alarm trend around 09:00:00: the first gas at its full scale with a vol% reading at
    // the alarm moment, and above it without one a second later.
    clsAlarm& AlarmRecord() {
        clsAlarm& r = records.Alarm();
        SetIdentity(r, QStringLiteral("AL0001"), At(9, 0, 0));
        r.GasBaseInfo(LogHeaderField::Interval, Long(1));
        SetGas(r, 0, {"CH4", 100, 0, "%LEL", 50000});
        SetGas(r, 1, {"O2", 25, 1, "%"});
        SetGas(r, 4, {"CH4", 5, 2, "vol%", 1});
        for (Integer slot : {0, 1, 4})
            r.GasListInfo(slot, GasInfoField::Enable, true);
        r.GasListInfo(0, GasInfoField::Warning, Single(10));
        r.GasListInfo(0, GasInfoField::Alarm, Single(50));
        r.GasListInfo(1, GasInfoField::Warning, 19.5f);
        r.GasListInfo(1, GasInfoField::Alarm, Single(18));
        const Single readings[][3] = {{5, 20.9f, 0}, {100, 20.9f, 2.5f}, {120, 20.9f, 0}};
        r.DataCount(3);
        for (Long i = 0; i < 3; ++i) {
            r.DateTimes(i, At(8, 59, 59).addSeconds(static_cast<double>(i)));
            r.value(0, i, readings[i][0]);
            r.value(1, i, readings[i][1]);
            r.value(4, i, readings[i][2]);
        }
        return r;
    }

    clsHistory& HistoryRecord() {
        clsHistory& r = records.History();
        SetIdentity(r, QStringLiteral("CH0001"), At(7, 0, 0));
        SetGas(r, 0, {"CH4", 100, 0, "%LEL", 50000});
        SetGas(r, 1, {"O2", 25, 1, "%"});
        for (Integer slot : {2, 3, 4})
            SetGas(r, slot, {"", NoDataReading, 0, ""});
        r.DataCount(2);
        r.Dates(0, At(10, 0, 0, 2, 5));
        r.Dates(1, At(10, 0, 0, 1, 5));
        const Single values[2][2][2] = {{{3, 50}, {20.0f, 20.9f}}, {{0, 49}, {19.8f, 20.9f}}};
        for (Integer i = 0; i < 2; ++i) {
            for (Integer gas = 0; gas < 2; ++gas) {
                r.Before(gas, i, values[i][gas][0]);
                r.After(gas, i, values[i][gas][1]);
            }
        }
        r.Judge(0, 0, 2);
        r.Judge(1, 0, 1);
        return r;
    }

    ViewRecords records;
};

const QStringList IntervalHead{
    "MT-52 Data Sample (Interval Trend)",
    "Property,Value",
    "Name,IV0001",
    "Sampling Date/Time,2025/06/01 08:00:00 to 2025/06/01 08:05:00",
    "Serial No.,SN123",
    "Station ID,ST-1",
    "User ID,USER-1",
    "Data Count,8",
    "Interval Time (sec),60",
    "Gas,Avg,Max,Max Date/Time,Min,Min Date/Time,Warning,Alarm",
    // The first gas's maximum is slot 4's (the vol% reading) because it holds one.
    "CH4(100%LEL),12 %LEL,2.50 vol%,06/01 08:04:00,0 %LEL,06/01 08:01:00,10 %LEL,50 %LEL",
    "O2(25.0%),20.9 %,20.9 %,06/01 08:00:00,18.0 %,06/01 08:03:00,19.5 %,18.0 %",
    "",
};

TEST_F(DataSampleTextTest, IntervalTrendWithoutUnitColumns) {
    IntervalRecord();
    EXPECT_EQ(Make(1, 1), Text(IntervalHead + QStringList{
                                                  "No,Date/Time,CH4(100%LEL),O2(25.0%)",
                                                  "1,2025/06/01 08:00:00,5 %LEL,20.9 %",
                                                  "2,2025/06/01 08:01:00,OVER,-----",
                                                  // the switch to vol% writes no row; slot 4 reads on
                                                  "3,2025/06/01 08:02:00,2.50 vol%,20.5 %",
                                                  "4,2025/06/01 08:02:30,WARNING<vol%>,WARNING",
                                                  "5,2025/06/01 08:03:00,100 %LEL,20.0 %",
                                                  "6,2025/06/01 08:03:30,Fail(Air)/ALARM,-----",
                                              }));
}

TEST_F(DataSampleTextTest, IntervalTrendUnitColumnsAndLelConversionByFileType) {
    IntervalRecord();
    const QStringList rows{
        "No,Date/Time,CH4(100%LEL),,O2(25.0%)",
        "1,2025/06/01 08:00:00,5, %LEL,20.9, %",
        "2,2025/06/01 08:01:00,OVER,,-----,",
        "3,2025/06/01 08:02:00,%1",
        "4,2025/06/01 08:02:30,,WARNING<vol%>,,WARNING",
        "5,2025/06/01 08:03:00,100, %LEL,20.0, %",
        "6,2025/06/01 08:03:30,,Fail(Air)/ALARM,,-----",
    };
    auto expected = [&](const QString& row3) { return Text(IntervalHead + rows).arg(row3); };
    // Type 4 converts the vol% reading: 2.5 * 1000000 / 50000 = 50 %LEL.
    EXPECT_EQ(Make(1, 4), expected(QStringLiteral("50, %LEL,20.5, %")));
    EXPECT_EQ(Make(1, 5), expected(QStringLiteral("2.50, vol%,20.5, %")));
    // With TAB as separator (type 2) nothing else changes.
    EXPECT_EQ(Make(1, 2, u'\t'), Make(1, 1).replace(u',', u'\t'));
}

TEST_F(DataSampleTextTest, IntervalConversionNeverDividesByARatioOfZeroOrLess) {
    clsInterval& record = IntervalRecord();
    for (Single ratio : {0.0f, -1.0f}) {
        record.GasListInfo(0, GasInfoField::Ratio, ratio);
        const QStringList lines = LinesOf(Make(1, 4));
        EXPECT_EQ(lines[16], "3,2025/06/01 08:02:00,2.50, vol%,20.5, %") << ratio;
    }
}

TEST_F(DataSampleTextTest, IntervalUnitChangesShowAsRowsInDebugMode) {
    IntervalRecord();
    State().DebugMode = true;
    const QStringList lines = LinesOf(Make(1, 1));
    ASSERT_EQ(lines.size(), 13 + 1 + 8);
    EXPECT_EQ(lines[16], "3,2025/06/01 08:01:30,vol,-----");
    EXPECT_EQ(lines[17], "4,2025/06/01 08:02:00,2.50 vol%,20.5 %");
    EXPECT_EQ(lines[19], "6,2025/06/01 08:02:45,LEL,-----");
}

TEST_F(DataSampleTextTest, FourthSlotStandsInWhenOnlyItHoldsData) {
    clsInterval& record = IntervalRecord();
    record.GasListInfo(0, GasInfoField::Max, NoDataReading);
    const QStringList lines = LinesOf(Make(1, 4));
    EXPECT_EQ(lines[10], "CH4(5.00vol%),1.00 vol%,2.50 vol%,06/01 08:04:00,-----,-----,-----,-----");
    EXPECT_EQ(lines[11], IntervalHead[11]) << "the second row always describes slot 1";
    EXPECT_EQ(lines[13], "No,Date/Time,CH4(5.00vol%),,O2(25.0%)");
    // File type 4 converts nothing then.
    EXPECT_EQ(lines[16], "3,2025/06/01 08:02:00,2.50, vol%,20.5, %");
}

TEST_F(DataSampleTextTest, BarHoleHasHeadOnlyAndAnOpenPeriod) {
    clsInterval& record = IntervalRecord();
    record.Header().Last = InvalidDateMark;
    QStringList head = IntervalHead;
    head[0] = "MT-52 Data Sample (Bar Hole)";
    head[3] = "Sampling Date/Time,2025/06/01 08:00:00 to ";
    head[7] = "-----,-----";
    EXPECT_EQ(Make(9, 4), Text(head + QStringList{""}));
}

TEST_F(DataSampleTextTest, SearchWindowStatisticsAddStelTwaAndFourGases) {
    clsInterval& record = IntervalRecord();
    record.GasListInfo(0, GasInfoField::Stel, Single(20));
    record.GasListInfo(0, GasInfoField::Twa, Single(5));
    DataSampleSource source{.logType = 1, .seqNo = 0, .records = records,
                            .statistics = SampleStatistics::FourGasesWithStelTwa};
    QStringList lines = LinesOf(MakeDataSampleText(source, u',', 1));
    EXPECT_EQ(lines[9], "Gas,Avg,Max,Max Date/Time,Min,Min Date/Time,Warning,Alarm,STEL,TWA");
    EXPECT_EQ(lines[10], IntervalHead[10] + ",20 %LEL,5 %LEL");
    EXPECT_EQ(lines[12], "----(---),-----,-----,-----,-----,-----,-----,-----,-----,-----");
    EXPECT_EQ(lines[13], lines[12]);
    EXPECT_EQ(lines[14], "");
    // A bar hole keeps two gases.
    source.logType = 9;
    lines = LinesOf(MakeDataSampleText(source, u',', 1));
    EXPECT_EQ(lines[12], "");
}

TEST_F(DataSampleTextTest, StreamedIntervalAndBarHoleGiveTheSameBytes) {
    IntervalRecord();
    for (int kind : {1, 9}) {
        const QString whole = Make(kind, 4);
        QBuffer file;
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        int yields = 0;
        const QString rest = MakeDataSampleText({.logType = kind, .seqNo = 0, .records = records}, u',', 4, &file,
                                                [&] { ++yields; });
        EXPECT_EQ(rest, QString()) << kind;
        EXPECT_EQ(file.data(), whole.toUtf8()) << kind;
        // Once before each of the 8 samples and events and once more to find the end.
        EXPECT_EQ(yields, kind == 1 ? 9 : 0);
    }
}

// Streamed rows copy numbers, dates and units as bytes only where they need no quotes: with a
// separator that occurs in a number, a date or a unit, and with units that hold a quote or
// characters beyond ASCII, the streamed bytes still equal the text made field by field.
TEST_F(DataSampleTextTest, StreamedRowsQuoteOddSeparatorsAndUnitsAsTheText) {
    clsInterval& r = IntervalRecord();
    for (const QString& unit : {QStringLiteral("%"), QStringLiteral("\u00b5g/m\u00b3"), QStringLiteral("a,b"),
                                QStringLiteral("q\"x")}) {
        r.GasListInfo(1, GasInfoField::Unit, unit);
        for (const QChar separator : {u',', u'\t', u' ', u'.', u'0', u':', u'/', u'O'}) {
            for (int filterIndex : {1, 5}) {
                QBuffer file;
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                MakeDataSampleText({.logType = 1, .seqNo = 0, .records = records}, separator, filterIndex, &file);
                EXPECT_EQ(QString::fromUtf8(file.data()), Make(1, filterIndex, separator))
                    << unit.toStdString() << " separator " << QString(separator).toStdString() << " type "
                    << filterIndex;
            }
        }
    }
}

// The streamed rows make numbers and dates as bytes: every row equals the text the general
// string functions give, over readings with negatives, rounding edges, codes, marks, values
// above the full scale and no number at all, and dates at midnight and between seconds.
TEST_F(DataSampleTextTest, StreamedRowsEqualTheGeneralTextOverATableOfValues) {
    clsInterval& r = records.Interval();
    SetIdentity(r, QStringLiteral("TABLE"), At(0, 0, 0));
    SetGas(r, 0, {"CH4", 100, 1, "%LEL"});
    SetGas(r, 1, {"O2", 25, 2, "%"});
    r.GasListInfo(0, GasInfoField::Max, Single(50));
    r.GasListInfo(1, GasInfoField::Max, Single(20));
    const Single nan = std::numeric_limits<Single>::quiet_NaN();
    const Single values[] = {0.0f, -0.0f, -0.04f, -0.05f, -1.25f, 0.05f, 0.15f, 2.675f, 9.95f, 9.96f, 24.994f, 24.995f,
                             25.0f, 25.004f, 25.006f, 99.95f, 99.96f, 100.0f, 100.05f, 120.0f, -101.0f, -103.0f,
                             -104.0f, -130.0f, -173.0f, -175.0f, 56797.0f, 65535.0f, 65287.0f, nan, 1e-30f, 3.4e38f};
    const int count = static_cast<int>(std::size(values));
    std::vector<Date> dates;
    for (int i = 0; i < count; ++i)
        dates.push_back(Date(At(0, 0, 0).value() + i * 0.25 + (i % 3 == 1 ? 0.4 : i % 3 == 2 ? 0.6 : 0.0) / 86400.0));
    r.DataCount(count);
    for (Long i = 0; i < count; ++i) {
        r.DateTimes(i, dates[static_cast<std::size_t>(i)]);
        r.GasValue(0, i, values[i]);
        r.GasValue(1, i, values[count - 1 - i]);
        r.GasValue(4, i, Single(0));
    }
    auto reading = [](Single value, Integer point, Single full, const QString& unit, bool unitColumns) {
        const QString text = FormatReading(FormatTrendCell(value, point), full);
        const QString shownUnit = IsNumeric(text) ? QStringLiteral(" ") + unit : QString();
        return unitColumns ? text + QLatin1Char(',') + shownUnit : text + shownUnit;
    };
    for (int filterIndex : {1, 5}) {
        const bool unitColumns = filterIndex == 5;
        QBuffer file;
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        MakeDataSampleText({.logType = 1, .seqNo = 0, .records = records}, u',', filterIndex, &file);
        const QStringList lines = LinesOf(QString::fromUtf8(file.data()));
        ASSERT_EQ(lines.size(), 14 + count) << filterIndex;
        EXPECT_EQ(file.data(), Make(1, filterIndex).toUtf8()) << filterIndex;
        for (int i = 0; i < count; ++i) {
            const QString expected =
                QString::number(i + 1) + QLatin1Char(',') +
                FormatDate(dates[static_cast<std::size_t>(i)], QStringLiteral("yyyy/mm/dd hh:nn:ss")) +
                QLatin1Char(',') + reading(values[i], 1, 100, QStringLiteral("%LEL"), unitColumns) +
                QLatin1Char(',') + reading(values[count - 1 - i], 2, 25, QStringLiteral("%"), unitColumns);
            EXPECT_EQ(lines[14 + i], expected) << "row " << i << " file type " << filterIndex;
        }
    }
}

TEST_F(DataSampleTextTest, FailedWriteRaises) {
    IntervalRecord();
    QBuffer readOnly;
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    EXPECT_EQ(ErrorOf([&] { MakeDataSampleText({.logType = 1, .seqNo = 0, .records = records}, u',', 1, &readOnly); }),
              ErrDeviceIO);
}

TEST_F(DataSampleTextTest, AlarmTrend) {
    AlarmRecord();
    EXPECT_EQ(Make(2, 2, u'\t'), Text({
                                     "MT-52 Data Sample (Alarm Trend)",
                                     "Property\tValue",
                                     "Name\tAL0001",
                                     "Alarm Date/Time\t2025/06/01 09:00:00",
                                     "Serial No.\tSN123",
                                     "Station ID\tST-1",
                                     "User ID\tUSER-1",
                                     "Data Count\t3",
                                     "Interval Time (sec)\t1",
                                     "Gas\tWarning\tAlarm",
                                     "CH4(100%LEL)\t10 %LEL\t50 %LEL",
                                     "O2(25.0%)\t19.5 %\t18.0 %",
                                     "",
                                     "No\tDate/Time\tCH4(100%LEL)\tO2(25.0%)",
                                     "1\t2025/06/01 08:59:59\t5 %LEL\t20.9 %",
                                     // at full scale with a vol% reading: the vol% reading
                                     "2\t2025/06/01 09:00:00\t2.50 vol%\t20.9 %",
                                     "3\t2025/06/01 09:00:01\tOVER\t20.9 %",
                                 }));
}

TEST_F(DataSampleTextTest, AlarmTrendFileTypesAndDisabledGas) {
    clsAlarm& record = AlarmRecord();
    QStringList lines = LinesOf(Make(2, 4));
    EXPECT_EQ(lines[13], "No,Date/Time,CH4(100%LEL),,O2(25.0%)");
    EXPECT_EQ(lines[15], "2,2025/06/01 09:00:00,50, %LEL,20.9, %");
    EXPECT_EQ(lines[16], "3,2025/06/01 09:00:01,OVER,,20.9, %");
    EXPECT_EQ(LinesOf(Make(2, 5))[15], "2,2025/06/01 09:00:00,2.50, vol%,20.9, %");

    record.GasListInfo(0, GasInfoField::Ratio, Single(0));
    EXPECT_EQ(LinesOf(Make(2, 4))[15], "2,2025/06/01 09:00:00,2.50, vol%,20.9, %");

    record.GasListInfo(1, GasInfoField::Enable, false);
    EXPECT_EQ(LinesOf(Make(2, 1))[11], "O2(25.0%),-----,-----");
}

TEST_F(DataSampleTextTest, CalibrationHistory) {
    HistoryRecord();
    EXPECT_EQ(Make(3, 4), Text({
                              "MT-52 Data Sample (Cal. History)",
                              "Serial No.,SN123",
                              "Station ID,ST-1",
                              "User ID,USER-1",
                              "Last Download,2025/06/01 07:00:00",
                              "",
                              "No,Date/Time,,CH4(100%LEL),O2(25.0%),----(---)",
                              "1,2025/05/02 10:00:00,Before,3 %LEL,20.0 %,-----",
                              ",,After,50 %LEL,20.9 %,-----",
                              "2,2025/05/01 10:00:00,Before,0 %LEL,19.8 %,-----",
                              ",,After,49 %LEL,20.9 %,-----",
                          }));
}

TEST_F(DataSampleTextTest, BumpTest) {
    clsHistory& record = HistoryRecord();
    record.DataCount(1);
    EXPECT_EQ(Make(10, 1), Text({
                               "MT-52 Data Sample (Bump Test)",
                               "Serial No.,SN123",
                               "Station ID,ST-1",
                               "User ID,USER-1",
                               "Last Download,2025/06/01 07:00:00",
                               "",
                               "No,Date/Time,,CH4(100%LEL),O2(25.0%),----(---),----(---),----(---)",
                               "1,2025/05/02 10:00:00,Test Result,3 %LEL,20.0 %,-----,-----,-----",
                               ",,Concentration,50 %LEL,20.9 %,-----,-----,-----",
                               ",,Judge,PASS,FAIL,-----,-----,-----",
                           }));
}

TEST_F(DataSampleTextTest, SnapShot) {
    clsSnapShot& record = records.SnapShot();
    SetIdentity(record, QStringLiteral("SS0001"), At(10, 0, 0));
    record.GasListInfo(0, SnapShotGasField::GasName, QStringLiteral("CH4"));
    record.GasListInfo(0, SnapShotGasField::FullScale, QStringLiteral("100"));
    record.GasListInfo(0, SnapShotGasField::Unit, QStringLiteral("%LEL"));
    record.GasListInfo(0, SnapShotGasField::gasval, QStringLiteral("  12 "));
    EXPECT_EQ(Make(11, 1), Text({
                               "MT-52 Data Sample (Snap Shot)",
                               "Property,Value",
                               "Name,SS0001",
                               "Sampling Date/Time,2025/06/01 10:00:00",
                               "Serial No.,SN123",
                               "Station ID,ST-1",
                               "User ID,USER-1",
                               "",
                               "No,Date/Time,CH4(100%LEL)",
                               "1,2025/06/01 10:00:00,12%LEL",
                           }));
}

TEST_F(DataSampleTextTest, EventListsAndSensorHistoryComeNewestFirstFromTheDatabase) {
    // Record numbers beyond the 16-bit range relate their rows all the same.
    const Long seqNo = 40000;
    struct Case {
        int kind;
        const char* table;
        std::vector<test::Columns> rows;
        QStringList expected;
    };
    const Case cases[] = {
        {5,
         "Alarm_Event",
         {{{"GasName", "CH4"}, {"Alarm_Type", Long(-104)}, {"Dates", At(10, 0, 0)}},
          {{"GasName", "CH4"}, {"Alarm_Type", Long(-103)}, {"Dates", At(11, 0, 0)}},
          {{"GasName", "O2"}, {"Alarm_Type", Long(-999)}, {"Dates", At(9, 0, 0)}}},
         {"MT-52 Data Sample (Alarm Events)", "No,Date/Time,Gas,Event", "1,2025/06/01 11:00:00,CH4,WARNING",
          "2,2025/06/01 10:00:00,CH4,ALARM", "3,2025/06/01 09:00:00,O2,"}},
        {6,
         "Trouble_Event",
         {{{"GasName", "BODY"}, {"Alarm_Type", Long(-130)}, {"Dates", At(10, 0, 0)}}},
         {"MT-52 Data Sample (Trouble Events)", "No,Date/Time,Gas/Body,Event", "1,2025/06/01 10:00:00,BODY,Fail(Air)"}},
        {7,
         "Power_Event",
         {{{"Power_Type", true}, {"Dates", At(10, 0, 0)}}, {{"Power_Type", false}, {"Dates", At(11, 0, 0)}},
          {{"Dates", At(9, 0, 0)}}},  // a power state never stored is an empty field, not "OFF"
         {"MT-52 Data Sample (Power Events)", "No,Date/Time,Power", "1,2025/06/01 11:00:00,OFF",
          "2,2025/06/01 10:00:00,ON", "3,2025/06/01 09:00:00,"}},
        {8,
         "SensorHistory",
         {{{"SensorNo", Long(2)}, {"GasName", "CO"}, {"FullScale", Single(500)}, {"Dates", At(10, 0, 0)}}},
         {"MT-52 Data Sample (Sensor History)", "No,Date/Time,SensorNO,Gas,FullScale", "1,2025/06/01 10:00:00,2,CO,500"}},
    };
    for (const Case& c : cases) {
        Insert("Log_Head", {{"SeqNo", seqNo},
                            {"Types", Long(c.kind)},
                            {"SerialNo", "SN123"},
                            {"StationID", "ST-1"},
                            {"UserID", "USER-1"},
                            {"Dates", At(12, 0, 0)}});
        for (test::Columns row : c.rows) {
            row.push_back({"RelNo", seqNo});
            Insert(QLatin1String(c.table), row);
        }
        // A row of another record stays out.
        Insert(QLatin1String(c.table), {{"RelNo", Long(1)}, {"Dates", At(13, 0, 0)}});

        QStringList expected{c.expected[0], "Serial No.,SN123", "Station ID,ST-1", "User ID,USER-1",
                             "Last Download,2025/06/01 12:00:00", ""};
        expected += c.expected.mid(1);
        EXPECT_EQ(Make(c.kind, 4, u',', seqNo), Text(expected)) << c.kind;
        Database(State().DatabasePath).execute(QStringLiteral("DELETE FROM Log_Head"));
    }
}

TEST_F(DataSampleTextTest, EventListWithoutRowsAndWithoutItsRecord) {
    Insert("Log_Head", {{"SeqNo", Long(7)}, {"Types", Long(7)}, {"Dates", At(12, 0, 0)}});
    // Empty identity columns give empty fields; the column header ends the text.
    EXPECT_EQ(Make(7, 1, u',', 7), Text({"MT-52 Data Sample (Power Events)", "Serial No.,", "Station ID,", "User ID,",
                                         "Last Download,2025/06/01 12:00:00", "", "No,Date/Time,Power"}));
    const RaisedError missing = ErrorRaisedBy([&] { Make(5, 1, u',', 8); });
    EXPECT_EQ(missing.number, ErrDatabase);
    EXPECT_TRUE(missing.text.contains(QStringLiteral("8"))) << missing.text.toStdString();
}

TEST_F(DataSampleTextTest, FieldsHoldingSeparatorQuoteOrLineBreakAreQuoted) {
    clsSnapShot& record = records.SnapShot();
    SetIdentity(record, QStringLiteral("Tank \"A\", north"), At(10, 0, 0));
    record.GasBaseInfo(LogHeaderField::StationID, QStringLiteral("ST\r\n2"));
    record.GasBaseInfo(LogHeaderField::UserID, QStringLiteral("A\tB"));
    QStringList lines = LinesOf(Make(11, 1));
    EXPECT_EQ(lines[2], "Name,\"Tank \"\"A\"\", north\"");
    EXPECT_EQ(lines[5], "Station ID,\"ST");  // the quoted line break stays inside its field
    EXPECT_EQ(lines[6], "2\"");
    EXPECT_EQ(lines[7], "User ID,A\tB");

    lines = LinesOf(Make(11, 2, u'\t'));
    EXPECT_EQ(lines[2], "Name\t\"Tank \"\"A\"\", north\"");
    EXPECT_EQ(lines[7], "User ID\t\"A\tB\"");
}

TEST_F(DataSampleTextTest, OtherKindsGiveTheEmptyTextAndWriteNothing) {
    IntervalRecord();
    for (int kind : {0, 4, 12, -1}) {
        QBuffer file;
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(MakeDataSampleText({.logType = kind, .seqNo = 0, .records = records}, u',', 1, &file), QString());
        EXPECT_TRUE(file.data().isEmpty());
    }
}

TEST(DataSampleSeparator, TabForFileTypeTwoOnly) {
    EXPECT_EQ(DataSampleSeparator(2), QChar(u'\t'));
    for (int filterIndex : {0, 1, 3, 4, 5})
        EXPECT_EQ(DataSampleSeparator(filterIndex), QChar(u',')) << filterIndex;
}

}  // namespace
}  // namespace mt52
