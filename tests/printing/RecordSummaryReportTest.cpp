#include "ReportRecords.h"
#include "support/ProgramState.h"

#include "platform/RuntimeError.h"
#include "printing/RecordSummaryReport.h"
#include "printing/RecordingPrintTarget.h"

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

class RecordSummaryReportTest : public testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    const RecordingPrintTarget& Print(const ReportRequest& request) {
        ReportForm form(request, {});
        target_ = std::make_unique<RecordingPrintTarget>();
        PrintRecordSummary(*target_, form);
        return *target_;
    }
    static ReportRequest Interval(clsInterval& record, Long kind = 1) {
        ReportRequest r;
        r.kind = kind;
        r.interval = &record;
        return r;
    }
    // The cells of the line whose first cell is `label`.
    std::unique_ptr<RecordingPrintTarget> target_;

    static QStringList Line(const RecordingPrintTarget& target, const QString& label) {
        const PrintedText* first = target.Find(label);
        return first == nullptr ? QStringList() : target.RowAt(first->page, first->y);
    }
};

TEST_F(RecordSummaryReportTest, IntervalTrendPropertiesAndGasFigures) {
    clsInterval record;
    MakeInterval(record, 100, 3);
    const RecordingPrintTarget& t = Print(Interval(record));

    EXPECT_EQ(t.texts.front().y, 16272 / 20.0);
    using L = QStringList;
    EXPECT_EQ(Line(t, "Property"), (L{"Property", "Value"}));
    EXPECT_EQ(Line(t, "Name"), (L{"Name", "iv240506093000"}));
    EXPECT_EQ(Line(t, "Sampling Date/Time"), (L{"Sampling Date/Time", "2024/05/06 09:30:00 to 2024/05/06 17:00:00"}));
    EXPECT_EQ(Line(t, "Serial No."), (L{"Serial No.", "SN0042"}));
    EXPECT_EQ(Line(t, "Station ID"), (L{"Station ID", "STATION-A"}));
    EXPECT_EQ(Line(t, "User ID"), (L{"User ID", "USER-7"}));
    // Samples and events together.
    EXPECT_EQ(Line(t, "Data Count"), (L{"Data Count", "103"}));
    EXPECT_EQ(Line(t, "Interval Time (sec)"), (L{"Interval Time (sec)", "60"}));

    EXPECT_EQ(Line(t, "Gas"), (L{"Gas", "CH4(100%LEL)", "O2(25.0%)"}));
    EXPECT_EQ(Line(t, "Avg"), (L{"Avg", " 1%LEL", " 20.9%"}));
    EXPECT_EQ(Line(t, "Max"), (L{"Max", " 12%LEL", " 21.0%"}));
    EXPECT_EQ(Line(t, "Max Date/Time"), (L{"Max Date/Time", "05/06 10:00:00", "05/06 10:00:00"}));
    EXPECT_EQ(Line(t, "Min"), (L{"Min", "*****", " 19.5%"}));
    EXPECT_EQ(Line(t, "Min Date/Time"), (L{"Min Date/Time", "*****", "05/06 11:00:00"}));
    EXPECT_EQ(Line(t, "Warning"), (L{"Warning", " 10%LEL", " 19.5%"}));
    EXPECT_EQ(Line(t, "Alarm"), (L{"Alarm", " 50%LEL", " 18.0%"}));

    // Property values start at the value column; gas cells are centred in theirs.
    EXPECT_DOUBLE_EQ(t.Find("SN0042")->x, static_cast<Single>(0.25 * 11340));
    const PrintedText* avg = t.Find(" 1%LEL");
    const double column = static_cast<Single>(0.40 * 11340) - static_cast<Single>(0.25 * 11340);
    EXPECT_NEAR(avg->x, static_cast<Single>(0.25 * 11340) + (column - 90 * 6) / 2, 0.01);

    // Caption rule, rule after the properties, heavy closing rule, all full width.
    ASSERT_EQ(t.lines.size(), 3u);
    EXPECT_EQ(t.lines[2].width, 4);
    EXPECT_EQ(t.lines[2].x2, 11340);
    EXPECT_EQ(t.DrawWidth, 1);
    EXPECT_EQ(t.pages, 1);
}

TEST_F(RecordSummaryReportTest, OpenEndedIntervalShowsItsStartOnly) {
    clsInterval record;
    MakeInterval(record);
    record.Header().Last = InvalidDateMark;
    const RecordingPrintTarget& t = Print(Interval(record));
    EXPECT_EQ(Line(t, "Sampling Date/Time").value(1), QStringLiteral("2024/05/06 09:30:00 to "));
}

TEST_F(RecordSummaryReportTest, BarHoleCountLineIsDashes) {
    clsInterval record;
    MakeInterval(record);
    const RecordingPrintTarget& t = Print(Interval(record, 9));
    EXPECT_EQ(t.Find("Data Count"), nullptr);
    const QStringList dashes{QStringLiteral("-----"), QStringLiteral("-----")};
    EXPECT_EQ(Line(t, "-----"), dashes);
    EXPECT_EQ(Line(t, "Interval Time (sec)").value(1), QStringLiteral("60"));
}

TEST_F(RecordSummaryReportTest, GasColumnsFollowTheEnabledSlots) {
    struct Case {
        const char* name;
        std::function<void(clsInterval&)> change;
        QStringList gas, avg, max, maxTime, warning;
    };
    GasFields vol;
    vol.name = QStringLiteral("CH4v");
    vol.unit = QStringLiteral("vol%");
    vol.avr = 3;
    vol.max = 7;
    vol.maxDate = ReportDate(2024, 5, 6, 12, 0, 0);
    const Case cases[] = {
        {"second gas off",
         [](clsInterval& r) { r.GasListInfo(1, GasInfoField::Enable, false); },
         {"Gas", "CH4(100%LEL)", "O2(25.0%)"}, {"Avg", " 1%LEL", "-----"}, {"Max", " 12%LEL", "-----"},
         {"Max Date/Time", "05/06 10:00:00", "-----"}, {"Warning", " 10%LEL", "-----"}},
        {"reading over the full scale",
         [](clsInterval& r) { r.GasListInfo(0, GasInfoField::Avr, Single(150)); },
         {"Gas", "CH4(100%LEL)", "O2(25.0%)"}, {"Avg", "OVER", " 20.9%"}, {"Max", " 12%LEL", " 21.0%"},
         {"Max Date/Time", "05/06 10:00:00", "05/06 10:00:00"}, {"Warning", " 10%LEL", " 19.5%"}},
        {"vol% slot stands in for the %LEL slot that is off",
         [&vol](clsInterval& r) {
             SetGas(r, 4, vol);
             r.GasListInfo(0, GasInfoField::Enable, false);
         },
         {"Gas", "CH4v(100vol%)", "O2(25.0%)"}, {"Avg", " 3vol%", " 20.9%"}, {"Max", " 7vol%", " 21.0%"},
         {"Max Date/Time", "05/06 12:00:00", "05/06 10:00:00"}, {"Warning", "-----", " 19.5%"}},
        {"vol% peak beside an enabled %LEL slot",
         [&vol](clsInterval& r) { SetGas(r, 4, vol); },
         {"Gas", "CH4(100%LEL)", "O2(25.0%)"}, {"Avg", " 1%LEL", " 20.9%"}, {"Max", " 7vol%", " 21.0%"},
         {"Max Date/Time", "05/06 12:00:00", "05/06 10:00:00"}, {"Warning", " 10%LEL", " 19.5%"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clsInterval record;
        MakeInterval(record);
        c.change(record);
        const RecordingPrintTarget& t = Print(Interval(record));
        EXPECT_EQ(Line(t, "Gas"), c.gas);
        EXPECT_EQ(Line(t, "Avg"), c.avg);
        EXPECT_EQ(Line(t, "Max"), c.max);
        EXPECT_EQ(Line(t, "Max Date/Time"), c.maxTime);
        EXPECT_EQ(Line(t, "Warning"), c.warning);
        EXPECT_EQ(Line(t, "Min").value(1), QStringLiteral("*****"));
    }
}

TEST_F(RecordSummaryReportTest, AlarmTrendShowsItsAlarmTimeAndLevelsOnly) {
    for (Integer sampling : {0, 2}) {
        SCOPED_TRACE(sampling);
        clsAlarm record;
        MakeAlarm(record, 720, sampling);
        ReportRequest request;
        request.kind = 2;
        request.alarm = &record;
        const RecordingPrintTarget& t = Print(request);
        const QString label = sampling == 2 ? QStringLiteral("Sampling Date/Time") : QStringLiteral("Alarm Date/Time");
        EXPECT_EQ(Line(t, label), (QStringList{label, "2024/05/06 09:30:00"}));
        EXPECT_EQ(Line(t, "Data Count").value(1), QStringLiteral("720"));
        EXPECT_EQ(Line(t, "Gas"), (QStringList{"Gas", "CH4(100%LEL)", "O2(25.0%)"}));
        EXPECT_EQ(Line(t, "Alarm"), (QStringList{"Alarm", " 50%LEL", " 18.0%"}));
        EXPECT_EQ(t.Find("Avg"), nullptr);
        EXPECT_EQ(t.Find("Max"), nullptr);
    }
}

TEST_F(RecordSummaryReportTest, SnapShotPrintsItsPropertiesBetweenRules) {
    clsSnapShot record;
    MakeSnapShot(record);
    ReportRequest request;
    request.kind = 11;
    request.snapshot = &record;
    const RecordingPrintTarget& t = Print(request);
    EXPECT_EQ(t.TextsOn(1), (QStringList{"Property", "Value", "", "Name", "ss240506093000", "Sampling Date/Time",
                                         "2024/05/06 09:30:00", "Serial No.", "SN0042", "Station ID", "STATION-A",
                                         "User ID", "USER-7"}));
    ASSERT_EQ(t.lines.size(), 3u);
    // The heavy closing line follows the thin rule 30 twips lower.
    EXPECT_EQ(t.lines[2].y1, t.lines[1].y1 + 30);
    EXPECT_EQ(t.lines[2].width, 4);
}

TEST_F(RecordSummaryReportTest, MissingRecordFailsBeforeAnythingIsPrinted) {
    ReportRequest request;
    request.kind = 2;
    ReportForm form(request, {});
    RecordingPrintTarget target;
    EXPECT_THROW(PrintRecordSummary(target, form), RuntimeError);
    EXPECT_TRUE(target.texts.empty());
}

}  // namespace
}  // namespace mt52::test
