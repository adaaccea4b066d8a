// The alarm-trend record: its accessors, loading a stored record with the fifth gas's rule
// before the alarm time, the raw export, the collection, and the judgement at the alarm moment.
#include "records/TrendAlarmJudgement.h"
#include "records/TrendFixture.h"
#include "records/clsAlarm.h"
#include "records/clsAlarms.h"
#include "support/ErrorOf.h"
#include "support/Files.h"

namespace mt52 {
namespace {

using test::Columns;
using test::Values;

class AlarmLoad : public test::TrendFixture {
protected:
    void InsertHead(Long seqNo, const QString& names, Columns more = {}) {
        Columns columns{{"SeqNo", seqNo},       {"Names", names},       {"Types", Long{2}},   {"Dates", alarm_},
                        {"FolderID", "03/24"}, {"UserID", "U1"},       {"SerialNo", "SN7"},  {"Interval", Long{1}},
                        {"Dcount", Long{720}}, {"LunchBreak", Long{3}}, {"LEL_lo", Long{4}}};
        for (auto& c : more)
            columns.push_back(std::move(c));
        Insert(QStringLiteral("Log_Head"), columns);
    }
    // 720 one-second records around the alarm, values i + gas (as stored: never 0).
    void WriteAlarmTrend(const QString& names, std::size_t count = 720) {
        std::vector<Values> stored;
        for (std::size_t i = 0; i < count; ++i)
            stored.push_back({static_cast<Single>(i + 1), static_cast<Single>(i + 2), static_cast<Single>(i + 3),
                              static_cast<Single>(i + 4), static_cast<Single>(i + 5)});
        WriteTrend(QStringLiteral("03/24"), names, alarm_.addSeconds(-360), 1, stored);
    }

    const Date alarm_ = *Date::FromParts(2024, 3, 15, 14, 5, 9);
};

TEST(AlarmModel, AccessorsAnswerZeroOutsideTheirRange) {
    clsAlarm m;
    EXPECT_EQ(m.DataCount(), 0);
    EXPECT_TRUE(m.GasBaseInfo(LogHeaderField::Last).isNull());
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Dates), Variant(InvalidDateMark));
    const Date t = *Date::FromParts(2024, 1, 1);
    m.DateTimes(5, t);
    m.value(0, 5, 7.5f);
    m.value(0, 720, 1.0f);  // outside: nothing
    EXPECT_EQ(m.DateTimes(5), t);  // whatever DataCount is
    EXPECT_EQ(m.value(0, 5), 7.5f);
    for (const auto& [gas, index] : std::vector<std::pair<Integer, Long>>{{5, 0}, {-1, 0}, {0, -1}, {0, 720}})
        EXPECT_EQ(m.value(gas, index), 0.0f) << gas << "," << index;
    EXPECT_EQ(m.DateTimes(720), Date(0.0));

    m.DataCount(900);
    EXPECT_EQ(m.DataCount(), 720);
    m.DataCount(-3);
    EXPECT_EQ(m.DataCount(), -3);

    m.ClearDatas();  // readings go, dates stay
    EXPECT_EQ(m.value(0, 5), 0.0f);
    EXPECT_EQ(m.DateTimes(5), t);
}

TEST_F(AlarmLoad, LoadsEveryRecordWithoutTheFifthGasBeforeTheAlarm) {
    InsertHead(3, QStringLiteral("al*01"), {{"Gas2Name", "O2"}, {"Gas4Enable", Variant::Null()}});
    WriteAlarmTrend(QStringLiteral("al*01"));

    clsAlarm m;
    m.SeqNo(3);
    m.ReLoad();
    EXPECT_TRUE(m.LoadStatus().complete());
    ASSERT_EQ(m.DataCount(), 720);
    EXPECT_EQ(m.DateTimes(0), alarm_.addSeconds(-360));
    EXPECT_EQ(m.DateTimes(719), alarm_.addSeconds(359));
    for (Long i : {0L, 359L, 360L, 719L}) {
        SCOPED_TRACE(i);
        for (Integer g = 0; g < 4; ++g)
            EXPECT_EQ(m.value(g, i), static_cast<Single>(i + 1 + g));
        EXPECT_EQ(m.value(4, i), i < 360 ? Single{-101} : static_cast<Single>(i + 5));
    }
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Names), Variant("al*01"));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Interval), Variant(Long{1}));
    EXPECT_EQ(m.GasListInfo(1, GasInfoField::Name), Variant("O2"));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::Name), Variant(QString()));
    EXPECT_EQ(m.GasListInfo(3, GasInfoField::Enable), Variant(true));
    // Columns an alarm trend does not load keep their cleared values.
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Dcount), Variant(Long{0}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::LunchBreak), Variant(Integer{0}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::LEL_lo), Variant(Long{0}));
}

TEST_F(AlarmLoad, DecodesStoredMarksAndKeepsEqualRecords) {
    InsertHead(3, QStringLiteral("al02"));
    std::vector<Values> stored(401, Values{1, 1, 1, 1, 1});
    stored[10] = {0, -100, 5.5f, 0, -100};
    stored[400] = {0, -100, 5.5f, 0, -100};
    WriteTrend(QStringLiteral("03/24"), QStringLiteral("al02"), alarm_, 1, stored);
    State().CondensedView = true;

    clsAlarm m;
    m.SeqNo(3);
    m.ReLoad();
    ASSERT_EQ(m.DataCount(), 401);
    auto at = [&m](Long i) { return Values{m.value(0, i), m.value(1, i), m.value(2, i), m.value(3, i), m.value(4, i)}; };
    EXPECT_EQ(at(10), (Values{-101, 0, 5.5f, -101, -101}));
    EXPECT_EQ(at(400), (Values{-101, 0, 5.5f, -101, 0}));
}

TEST_F(AlarmLoad, MissingPartsAndTheCapacityAreReported) {
    State().ExportRawData = true;
    InsertHead(3, QStringLiteral("gone"));
    clsAlarm m;
    m.SeqNo(3);
    m.ReLoad();
    EXPECT_TRUE(m.LoadStatus().trendFileMissing);
    EXPECT_EQ(m.DataCount(), 0);
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Names), Variant("gone"));
    ASSERT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("gone.csv"))));
    EXPECT_EQ(test::ReadFile(dir_.filePath(QStringLiteral("gone.csv"))), QByteArray());

    m.ClearDatas();
    m.SeqNo(4);
    m.ReLoad();
    EXPECT_TRUE(m.LoadStatus().headerMissing);
    EXPECT_EQ(m.DataCount(), 0);

    InsertHead(5, QStringLiteral("long"));
    WriteAlarmTrend(QStringLiteral("long"), 725);
    m.ClearDatas();
    m.SeqNo(5);
    m.ReLoad();
    EXPECT_EQ(m.DataCount(), clsAlarm::Reachable);  // the samples the getters reach, no more
    EXPECT_TRUE(m.LoadStatus().samplesTruncated);

    ASSERT_TRUE(QFile::remove(State().DatabasePath));
    m.ClearDatas();
    m.SeqNo(5);
    m.ReLoad();
    EXPECT_TRUE(m.LoadStatus().databaseMissing);
    EXPECT_EQ(m.DataCount(), 0);
}

TEST_F(AlarmLoad, RawExportHoldsOneLinePerSample) {
    State().ExportRawData = true;
    InsertHead(3, QStringLiteral("al03"));
    WriteTrend(QStringLiteral("03/24"), QStringLiteral("al03"), alarm_, 1, {{1.5f, 0, -100, 2, 3}, {1, 1, 1, 1, 1}});
    clsAlarm m;
    m.SeqNo(3);
    m.ReLoad();
    EXPECT_EQ(test::ReadFile(dir_.filePath(QStringLiteral("al03.csv"))),
              QByteArray("2024/03/15 14:05:09,1.5,-101,0,2,-101\r\n"
                         "2024/03/15 14:05:10,1,1,1,1,-101\r\n"));
}

TEST(AlarmCollection, ClearRemovesEveryRecordAndAddsCarryTheInstrument) {
    clsAlarms c;
    c.Add(QStringLiteral("1 L"), 1)->Key(QString());
    c.Add(QStringLiteral("2 L"), 2);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

class AlarmJudgement : public AlarmLoad {
protected:
    // An alarm trend whose record 361 holds the stored values.
    void Store(Long seqNo, const Values& atAlarm, Columns gasColumns, std::size_t records = 720) {
        const QString names = QStringLiteral("j%1").arg(seqNo);
        InsertHead(seqNo, names, std::move(gasColumns));
        std::vector<Values> stored(records, Values{1, 1, 1, 1, 1});
        if (records > 360)
            stored[360] = atAlarm;
        WriteTrend(QStringLiteral("03/24"), names, alarm_.addSeconds(-360), 1, stored);
    }
};

TEST_F(AlarmJudgement, ComparesEachGasAtItsShownPrecision) {
    const std::array<Integer, JudgedGases> decimals{1, 0, 2, 1};
    struct Case {
        const char* name;
        Values stored;  // as in the file
        Columns columns;
        std::array<Single, 4> readings;
        std::array<bool, 4> exceeded;
    };
    const std::vector<Case> cases{
        {"below every level",
         {5, 5, 5, 5, 5},
         {{"Gas1Enable", true}, {"Gas1Warning", 10.0}, {"Gas1Alarm", 20.0}, {"Gas2Enable", true}, {"Gas2Warning", 6.0}},
         {5, 5, 5, 5},
         {false, false, false, false}},
        {"gas 1 alarm level alone; gas 2 at its warning",
         {12, 6, 5, 5, 5},
         {{"Gas1Enable", true}, {"Gas1Warning", -101.0}, {"Gas1Alarm", 10.0}, {"Gas2Enable", true}, {"Gas2Warning", 6.0}},
         {12, 6, 5, 5},
         {true, true, false, false}},
        {"rounds to the level at one decimal; gas 2 at 0 decimals",
         {9.96f, 5.6f, 5, 5, 5},
         {{"Gas1Enable", true}, {"Gas1Warning", 10.0}, {"Gas2Enable", true}, {"Gas2Alarm", 6.0}},
         {9.96f, 5.6f, 5, 5},
         {true, true, false, false}},
        {"a real zero reaches a level of 0",
         {-100, 0, 5, 5, 5},
         {{"Gas1Enable", true}, {"Gas1Warning", 0.0}},
         {0, -101, 5, 5},
         {true, false, false, false}},
        {"codes count whatever the enable; readings of disabled gases do not",
         {-107, 25, -104, 5, 5},
         {{"Gas1Enable", false}, {"Gas2Enable", false}, {"Gas2Warning", 10.0}, {"Gas3Enable", false}},
         {-107, 25, -104, 5},
         {true, false, true, false}},
        {"gas 4 from its own column",
         {1, 1, 1, 30, 5},
         {{"Gas4Enable", true}, {"Gas4Alarm", 25.0}},
         {1, 1, 1, 30},
         {false, false, false, true}},
    };
    Long seqNo = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Store(++seqNo, c.stored, c.columns);
        const TrendAlarmJudgement j = JudgeTrendAlarm(seqNo, decimals);
        EXPECT_EQ(j.AlarmTimeReadings, c.readings);
        EXPECT_EQ(j.Exceeded, c.exceeded);
    }
}

TEST_F(AlarmJudgement, MissingRowFileOrRecordGivesNoReading) {
    const std::array<Integer, JudgedGases> decimals{0, 0, 0, 0};
    const TrendAlarmJudgement none;
    Store(1, {50, 50, 50, 50, 50}, {{"Gas1Warning", 1.0}}, 360);  // record 361 missing
    InsertHead(2, QStringLiteral("no file"));
    for (Long seqNo : {1L, 2L, 99L, 40000L}) {
        const TrendAlarmJudgement j = JudgeTrendAlarm(seqNo, decimals);
        EXPECT_EQ(j.AlarmTimeReadings, none.AlarmTimeReadings) << seqNo;
        EXPECT_EQ(j.Exceeded, none.Exceeded) << seqNo;
    }
    // A partial 361st record does not count.
    QByteArray bytes = test::ReadFile(TrendFilePath(QStringLiteral("03/24"), QStringLiteral("j1")));
    WriteTrend(QStringLiteral("03/24"), QStringLiteral("j1"), bytes + QByteArray(14, '\x01'));
    EXPECT_EQ(JudgeTrendAlarm(1, decimals).AlarmTimeReadings[0], Single{-101});
}

}  // namespace
}  // namespace mt52
