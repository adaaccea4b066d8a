// The interval-trend record: loading a stored record (header with its Null defaults, samples
// of the trend file with condensing, events of the record's start date, the raw export), the
// in-memory operations the decoders and views use, and the keyed collection of records.
#include "common/TextHelpers.h"
#include "records/TrendFixture.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "records/clsIntervals.h"
#include "support/ErrorOf.h"
#include "support/Files.h"

#include <QLocale>

namespace mt52 {
namespace {

using test::Columns;
using test::Values;

const QString Dashes16(16, u'-');
const QString Dashes20(20, u'-');

class IntervalLoad : public test::TrendFixture {
protected:
    // A header row of kind 1 with the identity, dates and folder; more columns on request.
    void InsertHead(Long seqNo, const QString& names, Columns more = {}) {
        Columns columns{{"SeqNo", seqNo},        {"Names", names},          {"Types", Long{1}},
                        {"Dates", start_},       {"Last", start_.addSeconds(20)}, {"FolderID", "05/09"},
                        {"UserID", "U1"},       {"StationID", "ST"},      {"SerialNo", "SN7"},
                        {"Interval", Long{10}}, {"Sampling", Long{0}},    {"Dcount", Long{3}},
                        {"LunchBreak", Long{1}}, {"LEL_lo", Long{5}},      {"vol_hi", Long{9}}};
        for (auto& c : more)
            columns.push_back(std::move(c));
        Insert(QStringLiteral("Log_Head"), columns);
    }
    void InsertEvent(Long seqNo, Long relNo, const Date& base, const Date& when, Columns codes) {
        Columns columns{{"SeqNo", seqNo}, {"RelNo", relNo}, {"BaseDate", base}, {"DateTimes", when}};
        for (auto& c : codes)
            columns.push_back(std::move(c));
        Insert(QStringLiteral("Interval_Event"), columns);
    }
    std::vector<Values> Readings(const clsInterval& m) {
        std::vector<Values> out;
        for (Long i = 0; i < m.DataCount(); ++i) {
            Values v{};
            for (Integer g = 0; g < 5; ++g)
                v[static_cast<std::size_t>(g)] = m.GasValue(g, i).toSingle();
            out.push_back(v);
        }
        return out;
    }
    QString ExportPath(const QString& names) { return dir_.filePath(names + QStringLiteral(".csv")); }

    const Date start_ = *Date::FromParts(2009, 5, 1, 13, 5, 0);
};

TEST_F(IntervalLoad, LoadsHeaderSlotsSamplesAndTheEventsOfItsStartDate) {
    InsertHead(12, QStringLiteral("iv01120000_AB*12"),
               {{"Gas1Name", "CH4"}, {"Gas1Full", 100.0}, {"Gas1Point", Long{1}}, {"Gas1Unit", "%LEL"},
                {"Gas1Enable", false}, {"Gas1Max", 5.5}, {"Gas1MaxDate", start_}, {"Gas1Warning", 10.0},
                {"Gas1STEL", 25.0}, {"Gas1Ratio", 1.5}});
    WriteTrend(QStringLiteral("05/09"), QStringLiteral("iv01120000_AB*12"), start_, 10,
               {{0, -100, 5.5f, 0, -100}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}});
    InsertEvent(1, 12, start_, start_.addSeconds(10), {{"Gas1Event", Long{-104}}});
    InsertEvent(2, 12, start_.addSeconds(1), start_, {{"Gas2Event", Long{-103}}});  // another base date
    InsertEvent(3, 12, start_, start_.addSeconds(20), {{"Gas3Event", Long{-173}}});
    InsertEvent(4, 13, start_, start_, {{"Gas1Event", Long{-102}}});  // another record

    clsInterval m;
    m.SeqNo(12);
    m.ReLoad();

    EXPECT_TRUE(m.LoadStatus().complete());
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Names), Variant("iv01120000_AB*12"));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Dates), Variant(start_));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Last), Variant(start_.addSeconds(20)));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::UserID), Variant("U1"));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Interval), Variant(Long{10}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Dcount), Variant(Long{3}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::LunchBreak), Variant(Integer{1}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::LEL_lo), Variant(Long{5}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::LogNo), Variant(Long{0}));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::Name), Variant("CH4"));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::Point), Variant(Integer{1}));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::Enable), Variant(false));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::Max), Variant(5.5f));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::MaxDate), Variant(start_));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::Stel), Variant(25.0f));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::Ratio), Variant(1.5f));

    ASSERT_EQ(m.DataCount(), 3);
    EXPECT_EQ(m.ValueCount(), 3);
    EXPECT_EQ(Readings(m), (std::vector<Values>{{-101, 0, 5.5f, -101, 0}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}}));
    EXPECT_EQ(m.DateTimes(2), start_.addSeconds(20));

    ASSERT_EQ(m.EventCount(), 2);
    EXPECT_EQ(m.EventDateTimes(0), start_.addSeconds(10));
    EXPECT_EQ(m.GasEvent(0, 0), Variant(Single{-104}));
    EXPECT_EQ(m.GasEvent(1, 0), Variant(Single{-101}));
    EXPECT_EQ(m.GasEvent(2, 1), Variant(Single{-173}));

    m.getOrder(0);
    std::vector<Long> walk;
    for (Long k = m.getOrder(); k != 0; k = m.getOrder())
        walk.push_back(k);
    EXPECT_EQ(walk, (std::vector<Long>{1, 2, -1, 3, -2}));
}

TEST_F(IntervalLoad, NullColumnsTakeTheirDefaults) {
    Insert(QStringLiteral("Log_Head"), {{"SeqNo", Long{4}}, {"Gas1Name", "CH4"}, {"Sampling", Long{1}}});
    InsertEvent(1, 4, start_, start_, {{"Gas1Event", Long{-104}}});  // another start date
    Insert(QStringLiteral("Interval_Event"),
           {{"SeqNo", Long{2}}, {"RelNo", Long{4}}, {"BaseDate", Date(Now().value())}, {"Gas1Event", Long{-103}}});

    clsInterval m;
    m.SeqNo(4);
    m.ReLoad();

    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Names), Variant("Name None"));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Dates), Variant(Now()));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Last), Variant(InvalidDateMark));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::UserID), Variant(Dashes16));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::StationID), Variant(Dashes16));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::SerialNo), Variant(Dashes20));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::FolderID), Variant("00/00"));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Dcount), Variant(Long{0}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Sampling), Variant(Integer{1}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::LEL_lo), Variant(Long{-101}));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::vol_hi), Variant(Long{-101}));
    EXPECT_EQ(m.GasListInfo(1, GasInfoField::Name), Variant(QString()));
    EXPECT_EQ(m.GasListInfo(2, GasInfoField::Enable), Variant(true));
    EXPECT_EQ(m.GasListInfo(3, GasInfoField::Point), Variant(Integer{-101}));
    EXPECT_EQ(m.GasListInfo(4, GasInfoField::Ratio), Variant(Single{-101}));
    EXPECT_EQ(m.GasListInfo(0, GasInfoField::MinDate), Variant(Date(-101.0)));

    // The file "Name None.Dat" does not exist: the header and the events still load.
    EXPECT_EQ(m.DataCount(), 0);
    EXPECT_TRUE(m.LoadStatus().trendFileMissing);
    EXPECT_FALSE(m.LoadStatus().headerMissing);
    ASSERT_EQ(m.EventCount(), 1);
    EXPECT_EQ(m.EventDateTimes(0), Now());  // a Null time is the time of the load
    EXPECT_EQ(m.GasEvent(0, 0), Variant(Single{-103}));
    EXPECT_EQ(m.GasEvent(3, 0), Variant(Single{-101}));
}

TEST_F(IntervalLoad, CondensingKeepsTheEndsOfEveryRunOfEqualRecords) {
    const Values a{1, 1, 1, 1, 1}, b{2, 2, 2, 2, 2}, c{3, 3, 3, 3, 3};
    struct Case {
        const char* name;
        std::vector<Values> file;
        bool condensed;
        std::vector<int> kept;  // record numbers of the samples
    };
    const std::vector<Case> cases{
        {"a b b b b", {a, b, b, b, b}, true, {0, 1, 3, 4}},
        {"a a a b b c", {a, a, a, b, b, c}, true, {0, 2, 3, 4, 5}},
        {"a a a b b c not condensed", {a, a, a, b, b, c}, false, {0, 1, 2, 3, 4, 5}},
        {"a a b", {a, a, b}, true, {0, 1, 2}},
        {"a a a a", {a, a, a, a}, true, {0, 2, 3}},
        {"one record", {a}, true, {0}},
        {"empty file", {}, true, {}},
    };
    Long seqNo = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString names = QStringLiteral("log%1").arg(++seqNo);
        InsertHead(seqNo, names);
        WriteTrend(QStringLiteral("05/09"), names, start_, 10, c.file);
        State().CondensedView = c.condensed;

        clsInterval m;
        m.SeqNo(seqNo);
        m.ReLoad();
        ASSERT_EQ(m.DataCount(), static_cast<Long>(c.kept.size()));
        for (std::size_t k = 0; k < c.kept.size(); ++k) {
            EXPECT_EQ(m.DateTimes(static_cast<Long>(k)), start_.addSeconds(c.kept[k] * 10.0)) << k;
            EXPECT_EQ(m.GasValue(0, static_cast<Long>(k)),
                      Variant(c.file[static_cast<std::size_t>(c.kept[k])][0]));
        }
    }
}

TEST_F(IntervalLoad, RecordsBeyond54000ForceTheCondensedViewAndTheTableStopsAtItsCapacity) {
    for (const auto& [dcount, condensedAfter] : std::vector<std::pair<Long, bool>>{{54000, false}, {54001, true}}) {
        State().CondensedView = false;
        Insert(QStringLiteral("Log_Head"), {{"SeqNo", dcount}, {"Dcount", dcount}});
        clsInterval m;
        m.SeqNo(dcount);
        m.ReLoad();
        EXPECT_EQ(State().CondensedView, condensedAfter) << dcount;
    }

    // A file of 54,002 records whose values all differ holds one more than the table.
    State().CondensedView = false;
    QByteArray bytes;
    bytes.reserve(54002 * TrendRecordBytes);
    for (int i = 0; i < 54002; ++i)
        bytes += test::StoredRecord(start_.addSeconds(i), {static_cast<Single>(i + 1), 0, 0, 0, 0});
    InsertHead(7, QStringLiteral("long"));
    WriteTrend(QStringLiteral("05/09"), QStringLiteral("long"), bytes);
    // Partial records at the end do not count.
    WriteTrend(QStringLiteral("05/09"), QStringLiteral("short"), bytes.left(41));
    InsertHead(8, QStringLiteral("short"));

    clsInterval m;
    m.SeqNo(7);
    m.ReLoad();
    EXPECT_EQ(m.DataCount(), clsInterval::SampleCapacity);
    EXPECT_EQ(m.GasValue(0, 54000), Variant(Single{54001}));
    EXPECT_TRUE(m.LoadStatus().samplesTruncated);

    m.ClearDatas();
    m.SeqNo(8);
    m.ReLoad();
    EXPECT_EQ(m.DataCount(), 1);
    EXPECT_TRUE(m.LoadStatus().complete());
}

TEST_F(IntervalLoad, MissingRowOrDatabaseLoadsWhatThereIsAndSaysSo) {
    State().ExportRawData = true;
    InsertEvent(1, 30, InvalidDateMark, start_, {{"Gas1Event", Long{-104}}});

    clsInterval m;
    m.SeqNo(30);  // no Log_Head row: the events of the cleared start date still load
    m.ReLoad();
    EXPECT_TRUE(m.LoadStatus().headerMissing);
    EXPECT_FALSE(m.LoadStatus().trendFileMissing);
    EXPECT_EQ(m.DataCount(), 0);
    EXPECT_EQ(m.EventCount(), 1);
    ASSERT_TRUE(QFile::remove(ExportPath(QString())));

    m.ClearDatas();
    m.SeqNo(31);  // nothing at all: an export file without lines
    m.ReLoad();
    EXPECT_EQ(m.EventCount(), 0);
    ASSERT_TRUE(QFile::exists(ExportPath(QString())));
    EXPECT_EQ(test::ReadFile(ExportPath(QString())), QByteArray());
    ASSERT_TRUE(QFile::remove(ExportPath(QString())));

    ASSERT_TRUE(QFile::remove(State().DatabasePath));
    m.ClearDatas();
    m.SeqNo(30);
    m.ReLoad();
    EXPECT_TRUE(m.LoadStatus().databaseMissing);
    EXPECT_EQ(m.EventCount(), 0);
    ASSERT_TRUE(QFile::exists(ExportPath(QString())));
    EXPECT_EQ(test::ReadFile(ExportPath(QString())), QByteArray());
}

// The raw export replaces an older file of the same name also when the load has no lines, so
// no stale lines are left to be taken for the record's; an alarm trend without a database
// writes no export at all.
TEST_F(IntervalLoad, RawExportReplacesAnOlderFileAlsoWithoutLines) {
    State().ExportRawData = true;
    InsertHead(12, QStringLiteral("nofile"));
    Insert(QStringLiteral("Log_Head"), {{"SeqNo", Long{13}}, {"Names", "al*0"}, {"Types", Long{2}},
                                        {"Dates", start_}, {"FolderID", "05/09"}});
    Insert(QStringLiteral("Log_Head"), {{"SeqNo", Long{14}}, {"Names", "al-empty"}, {"Types", Long{2}},
                                        {"Dates", start_}, {"FolderID", "05/09"}});
    WriteTrend(QStringLiteral("05/09"), QStringLiteral("al-empty"), QByteArray());

    struct Case {
        const char* what;
        bool alarm;
        Long seqNo;
        QString exportName;
        bool withoutDatabase;
        bool written;
    };
    const Case cases[] = {
        {"interval, trend file missing", false, 12, QStringLiteral("nofile"), false, true},
        {"interval, no header row", false, 31, QString(), false, true},
        {"alarm, trend file missing", true, 13, QStringLiteral("al_0"), false, true},
        {"alarm, empty trend file", true, 14, QStringLiteral("al-empty"), false, true},
        {"alarm, no header row", true, 32, QString(), false, true},
        {"interval, no database", false, 12, QString(), true, true},
        {"alarm, no database", true, 13, QString(), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.withoutDatabase && QFile::exists(State().DatabasePath)) {
            ASSERT_TRUE(QFile::remove(State().DatabasePath));
        }
        const QString path = ExportPath(c.exportName);
        ASSERT_TRUE(test::WriteFile(path, "2009/05/01 13:05:00,1,2,3,4,5\r\n"));
        if (c.alarm) {
            clsAlarm m;
            m.SeqNo(c.seqNo);
            m.ReLoad();
            EXPECT_EQ(m.DataCount(), 0);
        } else {
            clsInterval m;
            m.SeqNo(c.seqNo);
            m.ReLoad();
            EXPECT_EQ(m.DataCount(), 0);
        }
        EXPECT_EQ(test::ReadFile(path).isEmpty(), c.written);
    }
}

TEST_F(IntervalLoad, RawExportWritesSamplesThenEventsInFixedForms) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    State().ExportRawData = true;
    InsertHead(12, QStringLiteral("iv*01"));
    WriteTrend(QStringLiteral("05/09"), QStringLiteral("iv*01"), start_, 10,
               {{0, -100, 5.5f, 12.25f, -3}, {0.1f, 1, 2, 3, 100}});
    InsertEvent(1, 12, start_, start_.addSeconds(5), {{"Gas1Event", Long{-104}}, {"Gas2Event", Long{-101}}});

    clsInterval m;
    m.SeqNo(12);
    m.ReLoad();
    QLocale::setDefault(saved);

    EXPECT_EQ(test::ReadFile(ExportPath(QStringLiteral("iv_01"))),
              QByteArray("2009/05/01 13:05:00,-101,0,5.5,12.25,-3\r\n"
                         "2009/05/01 13:05:10,0.1,1,2,3,100\r\n"
                         "2009/05/01 13:05:05,ALARM,-----,-----,-----,-----\r\n"));
}

TEST(IntervalModel, AccessorsGiveEmptyValuesOutsideTheLoadedData) {
    clsInterval m;
    EXPECT_EQ(m.DataCount(), 0);
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Dates), Variant(InvalidDateMark));
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Last), Variant(InvalidDateMark));
    EXPECT_TRUE(m.GasBaseInfo(18).isNull());
    m.getOrder(0);
    EXPECT_EQ(m.getOrder(), 0);

    const Date t = *Date::FromParts(2020, 1, 2, 10, 0, 0);
    m.AddValue(0, t, 1.5f);
    EXPECT_TRUE(m.GasValue(0, 1).isEmpty());
    EXPECT_EQ(m.DateTimes(-1), Date(0.0));
    EXPECT_TRUE(m.GasEvent(0, 0).isEmpty());
    EXPECT_EQ(ErrorOf([&] { m.GasValue(5, 0); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { (void)m.GasValue(-1, 0); }), ErrSubscript);
    m.GasValue(0, 3, Single{9});  // outside: nothing
    m.GasBaseInfo(LogHeaderField::Last, t);
    EXPECT_EQ(m.GasBaseInfo(LogHeaderField::Last), Variant(InvalidDateMark));

    m.DataCount(54000);
    EXPECT_EQ(m.DataCount(), 1);
    m.DataCount(53999);
    EXPECT_EQ(m.DataCount(), 53999);

    // An event count beyond the table's rows would let readers run past it: it is refused.
    m.EventCount(clsInterval::EventCapacity + 1);
    EXPECT_EQ(m.EventCount(), 0);
    m.EventCount(-1);
    EXPECT_EQ(m.EventCount(), 0);
    m.EventCount(clsInterval::EventCapacity);
    EXPECT_EQ(m.EventCount(), clsInterval::EventCapacity);
    EXPECT_TRUE(m.GasEvent(0, clsInterval::EventCapacity).isEmpty());
}

TEST(IntervalModel, AddOperationsShareOneRowPerMomentAndGas) {
    clsInterval m;
    const Date t = *Date::FromParts(2020, 1, 2, 10, 0, 0);
    EXPECT_EQ(m.AddEvents(0, t, -103, t), 0);
    EXPECT_EQ(m.AddEvents(1, t, -104, t), 0);
    EXPECT_EQ(m.AddEvents(0, t, -105, t), 1);
    EXPECT_EQ(m.EventCount(), 2);
    EXPECT_EQ(m.GasEvent(1, 1), Variant(Single{-101}));
    EXPECT_EQ(ErrorOf([&] { m.AddEvents(5, t, -103, t); }), ErrSubscript);

    EXPECT_EQ(m.AddValue(0, t, 1), 0);
    EXPECT_EQ(m.AddValue(2, t, 3), 0);
    EXPECT_EQ(m.AddValue(0, t.addSeconds(10), 4), 1);
    EXPECT_EQ(m.GasValue(1, 0), Variant(Single{-101}));
    EXPECT_EQ(m.GasValue(2, 0), Variant(Single{3}));

    // Beyond 32,767 samples the table goes on to its capacity, then refuses.
    clsInterval big;
    for (Long i = 0; i < clsInterval::SampleCapacity; ++i)
        big.AddValue(0, t.addSeconds(i), 1);
    EXPECT_EQ(big.DataCount(), clsInterval::SampleCapacity);
    EXPECT_EQ(ErrorOf([&] { big.AddValue(0, t.addSeconds(-1), 1); }), ErrSubscript);
}

TEST(IntervalModel, PriorityEventTable) {
    const std::vector<std::tuple<Single, Single, bool>> cases{
        {-104, -103, false}, {-102, -103, true},  {-110, -105, true},  {-104, -101, true}, {-104, 0, true},
        {-107, -104, true},  {-103, -104, false}, {-102, -104, false}, {-106, -105, false}, {-105, -106, true},
        {-104, -106, false}, {-106, -107, true},  {-105, -107, true},  {-104, -107, false}, {-103, -102, true},
    };
    for (const auto& [next, current, expected] : cases)
        EXPECT_EQ(clsInterval::priorityEvent(next, current), expected) << next << " over " << current;
}

TEST(IntervalModel, TimeOrderWalkAndSearches) {
    clsInterval m;
    const Date t = *Date::FromParts(2020, 1, 2, 10, 0, 0);
    m.AddValue(0, t, 1);
    m.AddValue(0, t.addSeconds(10), 2);
    m.AddValue(0, t.addSeconds(20), 3);
    m.AddEvents(0, t.addSeconds(10), -104, t);
    m.getOrder(0);
    std::vector<Long> walk{m.getOrder(), m.getOrder(), m.getOrder(), m.getOrder(), m.getOrder()};
    EXPECT_EQ(walk, (std::vector<Long>{1, 2, -1, 3, 0}));

    clsInterval events;
    events.AddEvents(0, t, -104, t);
    events.AddEvents(0, t.addSeconds(1), -104, t);
    events.getOrder(0);
    EXPECT_EQ((std::vector<Long>{events.getOrder(), events.getOrder(), events.getOrder()}),
              (std::vector<Long>{-1, -2, 0}));

    m.AddValue(0, t.addSeconds(20), 3);  // same moment: the same sample
    m.AddValue(1, t.addSeconds(30), 5);
    m.DateTimes(2, t.addSeconds(30));  // samples 2 and 3 now share the earliest later date
    EXPECT_EQ(m.SerchDatas(t.addSeconds(10), 0), 3);
    EXPECT_EQ(m.SerchDatas(t.addSeconds(30), 0), -1);
    EXPECT_EQ(m.SerchEvent(t, 0), 0);
    EXPECT_EQ(m.SerchValue(t), -1);  // the event at +10 s comes before the sample at +10 s
    EXPECT_EQ(m.SerchValue(t.addSeconds(10)), 4);
    EXPECT_EQ(m.SerchValue(*Date::FromParts(1998, 1, 1)), 0);
    EXPECT_EQ(m.SerchValue(*Date::FromParts(2199, 1, 1)), 0);
}

TEST(IntervalCollection, KeepsRecordsByKeyAndPosition) {
    clsIntervals c;
    const auto first = c.Add(QStringLiteral("12 L"), 1);
    c.Add(QStringLiteral("13 L"), 2);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Item(1), first);
    EXPECT_EQ(c.Item(QStringLiteral("13 L"))->SeqNo(), 2);
    EXPECT_EQ(c.Item(QStringLiteral("99 L")), nullptr);
    EXPECT_EQ(c.Item(3), nullptr);
    EXPECT_EQ(first->Instrument(), nullptr);
    EXPECT_EQ(ErrorOf([&] { c.Add(QStringLiteral("12 L"), 5); }), ErrDuplicateKey);
    EXPECT_EQ(c.Count(), 2);

    c.SelectedItem(first);
    EXPECT_EQ(c.SelectedItem(), first);
    c.Remove(QStringLiteral("12 L"));
    EXPECT_NE(ErrorOf([&] { c.SelectedItem(); }), 0);
    c.SelectedItem(nullptr);
    EXPECT_EQ(c.SelectedItem(), nullptr);
    EXPECT_NE(ErrorOf([&] { c.Remove(QStringLiteral("12 L")); }), 0);
    EXPECT_NE(ErrorOf([&] { c.Remove(2); }), 0);

    // Clear leaves a record whose key was emptied.
    c.Add(QStringLiteral("14 L"), 3)->Key(QString());
    c.Clear();
    EXPECT_EQ(c.Count(), 1);
    EXPECT_TRUE(c.Item(1)->Key().isEmpty());
}

}  // namespace
}  // namespace mt52
