// The detail grid of every key kind: texts, merges, alignments and colours of each fill, with
// Null columns and missing rows.
#include "browser/LogDetail.h"
#include "browser/BrowserFixture.h"
#include "platform/Colors.h"
#include "platform/GridModel.h"

namespace mt52 {
namespace {

using Columns = std::vector<std::pair<QString, Variant>>;

class LogDetailTest : public test::BrowserFixture {
protected:
    LogDetailShown Show(const QString& key, const AlarmTimeJudge& judge = {}) {
        Database db = Open();
        return ShowLogDetail(grid_, db, key, judge);
    }
    QStringList Row(int row) const {
        QStringList texts;
        for (int col = 0; col < grid_.Cols(); ++col)
            texts << grid_.TextMatrix(row, col);
        return texts;
    }
    // A header with gas groups: name, unit, full scale, decimals, enable and further columns.
    void AddHeader(Long seqNo, Long types, Columns more = {}) {
        Columns columns{{"SeqNo", seqNo}, {"Types", types}, {"Names", QStringLiteral("rec%1").arg(seqNo)},
                        {"Dates", *Date::FromParts(2024, 5, 20, 12)}, {"Last", *Date::FromParts(2024, 5, 20, 13)},
                        {"SerialNo", "SN1"}, {"StationID", ""}, {"UserID", "U1"}, {"Dcount", Long(60)},
                        {"Interval", Long(10)}, {"FolderID", "05/24"}};
        for (auto& [name, value] : more) {
            auto same = std::find_if(columns.begin(), columns.end(), [&](const auto& c) { return c.first == name; });
            if (same != columns.end())
                same->second = value;
            else
                columns.emplace_back(name, value);
        }
        Insert("Log_Head", columns);
    }
    static Columns Gas(int group, const char* name, const char* unit, Single full, Integer point, bool enabled,
                       Columns more = {}) {
        const QString g = QStringLiteral("Gas%1").arg(group);
        Columns columns{{g + "Name", name}, {g + "Unit", unit}, {g + "Full", full}, {g + "Point", point},
                        {g + "Enable", enabled}};
        for (auto& [column, value] : more)
            columns.emplace_back(g + column, value);
        return columns;
    }
    static Columns Join(std::initializer_list<Columns> parts) {
        Columns all;
        for (const Columns& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    }

    GridModel grid_;
};

TEST_F(LogDetailTest, FoldersEntriesAndKeysOfNoKind) {
    for (const char* key : {"0 #", "SN1 S", "SN1>ST T", "05/24 M", "05/24 I", "05/24 J", "05/24 O", "05/24 X"}) {
        SCOPED_TRACE(key);
        const LogDetailShown shown = Show(key);
        EXPECT_FALSE(shown.IsEntry);
        EXPECT_FALSE(shown.ButtonsEnabled);
        EXPECT_EQ(Row(0), QStringList({"Property", "Value"}));
        EXPECT_EQ(Row(1), QStringList({"Type", "Folder"}));
        EXPECT_EQ(grid_.CellAlignment(0, 1), AlignCenterCenter);
        EXPECT_EQ(grid_.CellAlignment(1, 1), AlignLeftCenter);
    }
    const LogDetailShown other = Show("12 C");  // "C" is no kind: "c" is a snapshot
    EXPECT_FALSE(other.IsEntry);
    EXPECT_TRUE(other.ButtonsEnabled);
    EXPECT_EQ(grid_.Rows(), 2);
    EXPECT_EQ(Row(1), QStringList({"", ""}));

    const LogDetailShown entry = Show("7 Q");  // no rows: the frame all the same
    EXPECT_TRUE(entry.IsEntry);
    EXPECT_EQ(entry.LogType, 8);
    EXPECT_EQ(entry.SeqNo, 7);
    EXPECT_EQ(Row(0), QStringList({"DateTime", "SensorNO", "Gas", "FullScale"}));
    EXPECT_FALSE(Show("x7 G").IsEntry);  // a number part that is not a number
}

TEST_F(LogDetailTest, IntervalTrendPropertiesAndGasBlock) {
    AddHeader(5, 1,
              Join({Gas(1, "CH4", "%LEL", 100, 1, true,
                        {{"Avr", Single(12.34f)}, {"Max", Single(100)}, {"MaxDate", *Date::FromParts(2024, 5, 20, 12, 30)},
                         {"Warning", Single(10)}, {"Alarm", Single(50)}}),
                    Gas(2, "O2", "%", 25, 1, true,
                        {{"Avr", Single(20.9f)}, {"Max", Single(30)}, {"Min", Single(18)},
                         {"MinDate", *Date::FromParts(2024, 5, 20, 12, 40)}, {"Warning", Single(19.5f)},
                         {"Alarm", Single(18)}}),
                    Gas(3, "H2S", "ppm", 30, 0, false), Gas(5, "CH4", "vol%", 5, 2, false)}));
    const LogDetailShown shown = Show("5 G");
    EXPECT_TRUE(shown.IsEntry && shown.ButtonsEnabled);
    ASSERT_EQ(grid_.Rows(), 16);
    EXPECT_EQ(Row(1), QStringList({"Name", "rec5", "rec5", "rec5", "rec5"}));
    EXPECT_EQ(grid_.TextMatrix(2, 1), "2024/05/20 12:00:00 to 2024/05/20 13:00:00");
    EXPECT_EQ(grid_.TextMatrix(4, 1), "----------------");
    EXPECT_EQ(Row(6).mid(0, 2), QStringList({"Data Count", "60"}));
    EXPECT_EQ(Row(8), QStringList({"Gas", "CH4(100.0%LEL)", "O2(25.0%)", "H2S(30ppm)", "----(---)"}));
    EXPECT_EQ(Row(9), QStringList({"Avg", "12.3 %LEL", "20.9 %", "-----", "-----"}));
    EXPECT_EQ(Row(10), QStringList({"Max", "100.0 %LEL", "OVER", "-----", "-----"}));
    EXPECT_EQ(Row(11), QStringList({"Max Date/Time", "05/20 12:30:00", "*****", "-----", "-----"}));
    EXPECT_EQ(Row(12), QStringList({"Min", "*****", "18.0 %", "*****", "*****"}));
    EXPECT_EQ(Row(13), QStringList({"Min Date/Time", "*****", "05/20 12:40:00", "*****", "*****"}));
    EXPECT_EQ(Row(14), QStringList({"Warning", "10.0 %LEL", "19.5 %", "-----", "-----"}));

    // Looks: hidden gases 3 and 4, one value cell across rows 1 to 7 (never the label with it),
    // grey captions, centred gas block with the time rows left.
    EXPECT_TRUE(grid_.ColHidden(3) && grid_.ColHidden(4));
    EXPECT_EQ(grid_.MergedRange(1, 2), (GridRange{1, 1, 1, 4}));
    EXPECT_EQ(grid_.MergedRange(0, 3), (GridRange{0, 1, 0, 4}));
    EXPECT_EQ(grid_.MergedRange(12, 3), (GridRange{12, 3, 12, 3}));
    EXPECT_EQ(grid_.CellBackColor(8, 1), RGB(224, 224, 224));
    EXPECT_EQ(grid_.CellBackColor(9, 1), 0);
    EXPECT_EQ(grid_.CellAlignment(9, 2), AlignCenterCenter);
    EXPECT_EQ(grid_.CellAlignment(11, 2), AlignLeftCenter);
    EXPECT_EQ(grid_.CellAlignment(3, 1), AlignLeftCenter);
}

TEST_F(LogDetailTest, BarHoleEndlessPeriodNullsAndMissingHeader) {
    AddHeader(6, 9, {{"Last", InvalidDateMark}});
    Show("6 a");
    EXPECT_EQ(grid_.TextMatrix(2, 1), "2024/05/20 12:00:00 to ");
    EXPECT_EQ(Row(6), QStringList({"-----", "-----", "-----", "-----", "-----"}));
    EXPECT_EQ(grid_.MergedRange(6, 0), (GridRange{6, 0, 6, 0}));
    EXPECT_EQ(Row(8), QStringList({"Gas", "----(---)", "----(---)", "----(---)", "----(---)"}));
    EXPECT_EQ(Row(9), QStringList({"Avg", "-----", "-----", "-----", "-----"}));

    Insert("Log_Head", {{"SeqNo", Long(7)}, {"Types", Long(1)}});  // every other column Null
    Show("7 G");
    EXPECT_EQ(Row(1), QStringList({"Name", "", "", "", ""}));
    EXPECT_EQ(grid_.TextMatrix(3, 1), "--------------------");
    EXPECT_EQ(grid_.TextMatrix(15, 1), "-----");

    Show("99 G");
    EXPECT_EQ(grid_.Rows(), 16);
    EXPECT_EQ(Row(0), QStringList({"Property", "Value", "Value", "Value", "Value"}));
    EXPECT_EQ(Row(1), QStringList(5, QString()));
}

TEST_F(LogDetailTest, ColumnOneShowsTheFifthSlotWhereTheFirstIsOff) {
    struct Case {
        bool first, fifth;
        Single fifthMax;
        const char *caption, *average, *maximum;
    } cases[] = {
        {true, false, 0, "CH4(100%LEL)", "10 %LEL", "20 %LEL"},
        {false, true, 0, "CH4(5.00vol%)", "1.50 vol%", "2.00 vol%"},
        {true, true, 2, "CH4(100%LEL)", "10 %LEL", "2.00 vol%"},
        {false, false, 2, "CH4(100%LEL)", "-----", "2.00 vol%"},
    };
    Long seq = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        AddHeader(++seq, 1,
                  Join({Gas(1, "CH4", "%LEL", 100, 0, c.first, {{"Avr", Single(10)}, {"Max", Single(20)}}),
                        Gas(5, "CH4", "vol%", 5, 2, c.fifth, {{"Avr", Single(1.5f)}, {"Max", c.fifthMax == 0 ? Single(2) : c.fifthMax}})}));
        Show(QStringLiteral("%1 G").arg(seq));
        EXPECT_EQ(grid_.TextMatrix(8, 1), c.caption);
        EXPECT_EQ(grid_.TextMatrix(9, 1), c.average);
        EXPECT_EQ(grid_.TextMatrix(10, 1), c.maximum);
    }
}

TEST_F(LogDetailTest, AlarmTrendReadingsAtTheAlarmMoment) {
    AddHeader(20, 2,
              Join({Gas(1, "CH4", "%LEL", 100, 1, true, {{"Warning", Single(10)}, {"Alarm", Single(50)}}),
                    Gas(2, "O2", "%", 25, 1, false), Gas(3, "CO", "ppm", 500, 0, true)}));
    Long judged = 0;
    Show("20 K", [&](Long seqNo) {
        judged = seqNo;
        return AlarmTimeReadings{12.34f, 20.9f, 600, -101};
    });
    EXPECT_EQ(judged, 20);
    ASSERT_EQ(grid_.Rows(), 12);
    EXPECT_EQ(grid_.TextMatrix(2, 0), "Alarm Date/Time");
    EXPECT_EQ(Row(9), QStringList({"Value", "12.3 %LEL", "-----", "OVER", "-----"}));
    EXPECT_EQ(Row(10).mid(0, 3), QStringList({"Warning", "10.0 %LEL", "-----"}));
    EXPECT_EQ(Row(11).mid(0, 2), QStringList({"Alarm", "50.0 %LEL"}));
    EXPECT_EQ(grid_.CellBackColor(8, 2), RGB(224, 224, 224));

    Show("20 K");  // without a judgement the readings are no data
    EXPECT_EQ(grid_.TextMatrix(9, 1), "-----");
}

TEST_F(LogDetailTest, SnapshotShowsItsNewestReading) {
    AddHeader(30, 11, {{"SerialNo", " "}, {"Gas1Enable", true}});
    Insert("SnapShot", {{"SeqNo", Long(1)}, {"RelNo", Long(30)}, {"Dates", *Date::FromParts(2024, 5, 20, 10)},
                        {"GasName", "CO"}, {"FullScale", "500"}, {"Unit", "ppm"}, {"Gasval", "7"}, {"Gas1val", Single(7)}});
    Insert("SnapShot", {{"SeqNo", Long(2)}, {"RelNo", Long(30)}, {"Dates", *Date::FromParts(2024, 5, 20, 11)},
                        {"GasName", " CO "}, {"FullScale", "500 "}, {"Unit", " ppm"}, {"Gasval", " 12.5"},
                        {"Gas1val", Single(12.5f)}});
    Show("30 c");
    ASSERT_EQ(grid_.Rows(), 8);
    EXPECT_EQ(Row(3), QStringList({"Serial No.", "--------------------"}));
    EXPECT_EQ(Row(6), QStringList({"Gas", "CO(500ppm)"}));
    EXPECT_EQ(Row(7), QStringList({"Concentration", "12.5ppm"}));
    EXPECT_EQ(grid_.CellBackColor(6, 1), RGB(224, 224, 224));
    EXPECT_EQ(grid_.CellBackColor(7, 1), 0);

    const struct {
        Single value;
        const char* text;
    } codes[] = {{-121, "*****"}, {-118, "-----"}};
    for (const auto& c : codes) {
        Database db = Open();
        db.execute("UPDATE SnapShot SET Gas1val = ? WHERE SeqNo = 2", {c.value});
        Show("30 c");
        EXPECT_EQ(grid_.TextMatrix(7, 1), c.text);
    }
    // No reading in the text columns: the first gas's own columns.
    {
        Database db = Open();
        db.execute("UPDATE SnapShot SET Gas1val = -101, Gas1Name = 'CO', Gas1Unit = 'ppm', Gas1Full = 500, "
                   "Gas1Point = 0 WHERE SeqNo = 2");
    }
    Show("30 c");
    EXPECT_EQ(Row(6), QStringList({"Gas", "CO(500ppm)"}));
    EXPECT_EQ(grid_.TextMatrix(7, 1), "-----");

    AddHeader(31, 11);  // no SnapShot row
    Show("31 c");
    EXPECT_EQ(Row(6), QStringList({"", ""}));
}

TEST_F(LogDetailTest, HistoriesShowTheNewestDatesAndATotal) {
    AddHeader(40, 3, Join({Gas(1, "CH4", "%LEL", 100, 1, true), Gas(2, "O2", "%", 25, 1, true)}));
    for (int i = 1; i <= 4; ++i)
        Insert("cHistory", {{"SeqNo", Long(i)}, {"RelNo", Long(40)}, {"Dates", *Date::FromParts(2024, 5, i)},
                            {"Gas1Before", Single(i == 4 ? -103 : 12.345f)}, {"Gas1After", Single(-101)},
                            {"Gas1Unit", "%LEL"}, {"Gas2Before", Single(20)}, {"Gas2After", Single(20.9f)},
                            {"Gas2Unit", "%"}});
    Show("40 H");
    ASSERT_EQ(grid_.Rows(), 14);
    EXPECT_EQ(Row(0), QStringList({"DateTime", "Gas", "Before", "After"}));
    EXPECT_EQ(Row(1), QStringList({"2024/05/04", "CH4(100.0%LEL)", "WARNING ", "----- "}));
    EXPECT_EQ(Row(2), QStringList({"", "O2(25.0%)", "20.0 %", "20.9 %"}));
    EXPECT_EQ(Row(3), QStringList({"", "----(---)", "-----", "-----"}));  // the fifth slot
    EXPECT_EQ(Row(5).mid(2), QStringList({"12.3 %LEL", "----- "}));
    EXPECT_EQ(Row(4), QStringList(4, QString()));
    EXPECT_EQ(Row(13), QStringList({"...", "Total", "4", "Datas"}));
    EXPECT_EQ(grid_.CellAlignment(5, 2), AlignCenterCenter);
    EXPECT_EQ(grid_.CellAlignment(5, 1), AlignLeftCenter);
    EXPECT_TRUE(grid_.MergedRanges().empty());

    AddHeader(41, 10, Gas(1, "CH4", "%LEL", 100, 0, true));
    const struct {
        Single before;
        Integer judge;
        const char* result;
        const char* verdict;
    } bumps[] = {{50, 2, "50 %LEL", "PASS"}, {-103, 1, "WARNING %LEL", "FAIL"}, {-101, 2, "----- ", "-----"}};
    int seq = 0;
    for (const auto& b : bumps)
        Insert("Bump", {{"SeqNo", Long(++seq)}, {"RelNo", Long(41)}, {"Dates", *Date::FromParts(2024, 6, 4 - seq)},
                        {"Gas1Before", b.before}, {"Gas1After", Single(50)}, {"Gas1Unit", "%LEL"},
                        {"Gas1Judge", b.judge}});
    Show("41 b");
    ASSERT_EQ(grid_.Rows(), 14);
    EXPECT_EQ(Row(1), QStringList({"2024/06/03", "CH4(100%LEL)", "50 %LEL", "50 %LEL", "PASS"}));
    EXPECT_EQ(Row(2), QStringList({"", "----(---)", "-----", "-----", ""}));
    EXPECT_EQ(Row(7).mid(2), QStringList({"WARNING %LEL", "50 %LEL", "FAIL"}));
    EXPECT_EQ(Row(13), QStringList({"...", "Total", "3", "Datas", ""}));
}

TEST_F(LogDetailTest, EventListsShowTenRowsOrEightAndTheTotal) {
    AddHeader(50, 5);
    for (int i = 1; i <= 11; ++i)
        Insert("Alarm_Event", {{"SeqNo", Long(i)}, {"RelNo", Long(50)}, {"GasName", "CH4"},
                               {"Alarm_Type", Long(-104)}, {"Dates", *Date::FromParts(2024, 5, 20, 10, i)}});
    Show("50 V");
    ASSERT_EQ(grid_.Rows(), 11);
    EXPECT_EQ(Row(1), QStringList({"2024/05/20 10:11:00", "CH4", "ALARM"}));
    EXPECT_EQ(grid_.TextMatrix(8, 0), "2024/05/20 10:04:00");
    EXPECT_EQ(Row(9), QStringList(3, QString()));
    EXPECT_EQ(Row(10), QStringList({"...", "Total", "11 Datas"}));

    AddHeader(51, 7);
    for (int i = 1; i <= 25; ++i)
        Insert("Power_Event", {{"SeqNo", Long(i)}, {"RelNo", Long(51)}, {"Power_Type", i != 25},
                               {"Dates", *Date::FromParts(2024, 5, 21, 0, i)}});
    Show("51 P");
    EXPECT_EQ(Row(1), QStringList({"2024/05/21 00:25:00", "OFF"}));
    EXPECT_EQ(Row(10), QStringList({"...", "Total 25 Datas"}));
    EXPECT_EQ(grid_.CellAlignment(1, 1), AlignLeftCenter);

    AddHeader(52, 8);
    Insert("SensorHistory", {{"SeqNo", Long(1)}, {"RelNo", Long(52)}, {"Dates", *Date::FromParts(2024, 5, 22)},
                             {"SensorNo", Long(3)}, {"GasName", "CO"}, {"FullScale", Single(500)}});
    Show("52 Q");
    EXPECT_EQ(Row(1), QStringList({"2024/05/22", "3", "CO", "500"}));
    EXPECT_EQ(grid_.CellAlignment(1, 3), AlignCenterCenter);
    {
        Database db = Open();
        db.execute("DROP TABLE SensorHistory");
    }
    Show("52 Q");
    EXPECT_EQ(grid_.Rows(), 2);
    EXPECT_EQ(Row(1), QStringList(4, QString()));
}

}  // namespace
}  // namespace mt52
