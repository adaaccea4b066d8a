// The decoders of the instrument's trend text records and the storing of decoded trends:
// each tag's fields, continuation and data lines, refused lines, the check-only mode, and a
// decoded record stored and read back through the loaders.
#include "common/ReadingCodes.h"
#include "instrument/clsInstrument.h"
#include "records/TrendFixture.h"
#include "records/clsAlarms.h"
#include "records/clsIntervals.h"
#include "support/ErrorOf.h"
#include "support/Files.h"

#include <QFile>

namespace mt52 {
namespace {

using test::Values;

// A tagged line "/" + the id and tag, with each text placed at its 1-based position (counted
// after the "/"), blanks between.
QString Line(const QString& idTag, std::initializer_list<std::pair<int, QString>> fields) {
    QString line = idTag;
    for (const auto& [position, text] : fields) {
        while (line.size() < position - 1)
            line += u' ';
        line = line.left(position - 1) + text + line.mid(position - 1 + text.size());
    }
    return u'/' + line;
}

// The gas definitions line of the fourth and fifth gas, 70 characters.
QString Definitions(const QString& idTag, const QString& fourth, const QString& fifth) {
    return Line(idTag, {{5, fourth.left(3)}, {18, fourth.mid(3, 3)}, {47, QStringLiteral("  100")},
                        {52, QStringLiteral(" 0.05")}, {57, fifth}, {61, QStringLiteral("   50")},
                        {66, QStringLiteral("1    ")}});
}

class TrendText : public test::TrendFixture {
protected:
    void SetUp() override {
        TrendFixture::SetUp();
        instrument_.RomNumber(1207);
        intervals_.Instruments(&instrument_);
        alarms_.Instruments(&instrument_);
    }

    // Every line must be accepted.
    void Feed(clsIntervals& c, const QStringList& lines, bool testFlag = false) {
        for (const QString& l : lines)
            EXPECT_TRUE(c.SetDatas(l, testFlag)) << l.toStdString();
    }
    void Feed(clsAlarms& c, const QStringList& lines, bool testFlag = false) {
        for (const QString& l : lines)
            EXPECT_TRUE(c.SetDatas(l, testFlag)) << l.toStdString();
    }
    std::shared_ptr<clsInterval> Interval() { return intervals_.Item(QStringLiteral("01 L")); }
    std::shared_ptr<clsAlarm> Alarm() { return alarms_.Item(QStringLiteral("07 L")); }

    // Gas slot 0 as the settings give it: the text records define only the fourth and fifth gas.
    static void DefineFirstGas(RecordFrame& r, Integer point) {
        r.GasListInfo(0, GasInfoField::Name, "CH4");
        r.GasListInfo(0, GasInfoField::Point, Long{point});
    }

    // The records of a trend file as loaded values of one gas column (1..5).
    std::vector<std::pair<Date, Single>> Column(const LogHeader& h, Integer gas) {
        QFile file(TrendFilePath(h.FolderID, h.Names));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        std::vector<std::pair<Date, Single>> out;
        for (const TrendRecord& r : ReadTrendRecords(file))
            out.emplace_back(r.Time, r.Values[static_cast<std::size_t>(gas - 1)]);
        return out;
    }

    const QString header_ = QStringLiteral("/01AD24051314200500600000");
    const Date start_ = *Date::FromParts(2024, 5, 13, 14, 20, 5);
    clsInstrument instrument_;
    clsIntervals intervals_;
    clsAlarms alarms_;
};

TEST_F(TrendText, IntervalHeaderNamesTheLogAndMakesItsFolders) {
    Feed(intervals_, {Line(QStringLiteral("01AB"), {{5, QStringLiteral("SN12")}, {23, QStringLiteral("0")}}),
                      header_});
    const auto r = Interval();
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Dates), Variant(start_));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Interval), Variant(Long{60}));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Names), Variant("iv13142005_SN12"));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::FolderID), Variant("05/24"));
    EXPECT_TRUE(QDir(State().DataFolder + QStringLiteral("/24/05")).exists());
    EXPECT_FALSE(r->Error());
    EXPECT_FALSE(r->Duplicate());

    // Shorter than 24: refused and nothing changes.
    EXPECT_FALSE(intervals_.SetDatas(QStringLiteral("/02AD24051314200500"), false));
    EXPECT_EQ(intervals_.Item(QStringLiteral("02 L"))->GasBaseInfo(LogHeaderField::Dates), Variant(InvalidDateMark));

    // A bad date sets Error (in the check-only mode too), is logged, and still answers True.
    EXPECT_TRUE(intervals_.SetDatas(QStringLiteral("/03ADxx051314200500600000"), true));
    EXPECT_TRUE(intervals_.Item(QStringLiteral("03 L"))->Error());
    EXPECT_TRUE(intervals_.SetDatas(QStringLiteral("/04AD24133114200500600000"), false));
    EXPECT_TRUE(intervals_.Item(QStringLiteral("04 L"))->Error());
    EXPECT_TRUE(test::ReadFile(dir_.filePath(QStringLiteral("SerialLog.log")))
                    .contains("<<< improper date in SetDataAD() >>> 04AD24133114200500600000\r\n"));
}

TEST_F(TrendText, IntervalTagsDecodeTheirFields) {
    Feed(intervals_, {header_,
                      Line(QStringLiteral("01AA"), {{5, QStringLiteral("USER01")}, {15, QStringLiteral("ST 9")}, {24, QStringLiteral(" ")}}),
                      Line(QStringLiteral("01AE"), {{5, QStringLiteral(" 12.5")}, {10, QStringLiteral(" 45.0")},
                                                    {15, QStringLiteral("240513143000")}}),
                      Line(QStringLiteral("01AF"), {{5, QStringLiteral(" 20.9")}, {10, QStringLiteral(" 18.0")},
                                                    {15, QStringLiteral("************")}}),
                      Line(QStringLiteral("01AG"), {{5, QStringLiteral(" 20.8")}, {10, QStringLiteral("  OVE")},
                                                    {15, QStringLiteral("240513150102")}}),
                      Definitions(QStringLiteral("01AC"), QStringLiteral("H2S"), QStringLiteral("CO  ")),
                      Line(QStringLiteral("01AZ"), {{5, QStringLiteral("anything")}})});
    const auto r = Interval();
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::UserID), Variant("USER01"));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::StationID), Variant("ST 9"));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Avr), Variant(12.5f));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Max), Variant(45.0f));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::MaxDate), Variant(*Date::FromParts(2024, 5, 13, 14, 30, 0)));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Min), Variant(Single{-101}));
    // Slot 1: the minimum from AF, the maximum and the average from AG.
    EXPECT_EQ(r->GasListInfo(1, GasInfoField::Min), Variant(18.0f));
    EXPECT_EQ(r->GasListInfo(1, GasInfoField::MinDate), Variant(InvalidDateMark));
    EXPECT_EQ(r->GasListInfo(1, GasInfoField::Max), Variant(Single{-107}));
    EXPECT_EQ(r->GasListInfo(1, GasInfoField::Avr), Variant(20.8f));
    EXPECT_EQ(r->GasListInfo(3, GasInfoField::Name), Variant("H2S"));
    EXPECT_EQ(r->GasListInfo(3, GasInfoField::Full), Variant(100.0f));
    EXPECT_EQ(r->GasListInfo(3, GasInfoField::Point), Variant(Integer{2}));
    EXPECT_EQ(r->GasListInfo(3, GasInfoField::Enable), Variant(true));
    EXPECT_EQ(r->GasListInfo(4, GasInfoField::Name), Variant("CO  "));
    EXPECT_EQ(r->GasListInfo(4, GasInfoField::Point), Variant(Integer{0}));

    // A definitions line of 69 characters is read as far as it goes; "***" is no gas.
    EXPECT_TRUE(intervals_.SetDatas(Definitions(QStringLiteral("01AC"), QStringLiteral("***"), QStringLiteral("O2  "))
                                        .left(70),
                                    false));
    EXPECT_EQ(r->GasListInfo(3, GasInfoField::Enable), Variant(false));
    EXPECT_EQ(r->GasListInfo(4, GasInfoField::Name), Variant("O2  "));
    EXPECT_EQ(r->GasListInfo(4, GasInfoField::Desit), Variant(1.0f));
}

TEST_F(TrendText, RefusedLinesGoToFailLineInTheCheckOnlyMode) {
    const std::vector<std::pair<QString, bool>> lines{
        {header_, true},
        {Line(QStringLiteral("01AE"), {{5, QStringLiteral("  1.0")}, {10, QStringLiteral("  2.0")},
                                       {15, QStringLiteral("12****143000")}}),
         false},                                                           // a date that is neither
        {Line(QStringLiteral("01AE"), {{5, QStringLiteral("  1.0")}}), false},  // short
        {Definitions(QStringLiteral("01AC"), QStringLiteral("H2S"), QStringLiteral("CO  ")).left(68), false},
        {Line(QStringLiteral("01AC"), {{5, QStringLiteral("H2S")}, {47, QStringLiteral("  abc")}, {70, QStringLiteral("1")}}),
         false},
        {Line(QStringLiteral("01AZ"), {}), true},                    // a tag nobody reads
        {Line(QStringLiteral("01A1"), {}), true},                    // start of gas 1 samples
        {QStringLiteral("!64\"\"''"), true},                         // a data line
        {QStringLiteral("6z"), true},  // run-length text that does not decode: data lines are not decoded here
        {Line(QStringLiteral("01AB"), {{5, QStringLiteral("SN")}}), false},  // short
    };
    QString expectedFails;
    for (const auto& [line, accepted] : lines) {
        EXPECT_EQ(intervals_.SetDatas(line, true), accepted) << line.toStdString();
        if (!accepted)
            expectedFails += QStringLiteral("\r\n") + line.mid(line.startsWith(u'/') ? 1 : 0);
    }
    EXPECT_EQ(intervals_.FailLine(), expectedFails);
    // Nothing was stored.
    EXPECT_EQ(Interval()->GasBaseInfo(LogHeaderField::Names), Variant(QString()));
    EXPECT_EQ(Interval()->EventCount(), 0);
    EXPECT_FALSE(QDir(State().DataFolder + QStringLiteral("/24")).exists());
}

TEST_F(TrendText, EventAndDataLinesFillTheEventsAndTheTrendFile) {
    Feed(intervals_, {header_});
    DefineFirstGas(*Interval(), 1);
    Feed(intervals_, {Definitions(QStringLiteral("01AC"), QStringLiteral("H2S"), QStringLiteral("CO  ")),
                      Line(QStringLiteral("01A1"), {{5, QStringLiteral("01")}, {24, QStringLiteral("0010")}}),
                      QStringLiteral("!64\"\"''"),                            // 0064 FFFF FEFE
                      Line(QStringLiteral("01A1"), {{5, QStringLiteral("01")}, {24, QStringLiteral("  15")}}),
                      QStringLiteral("\t!64\r\n"),                            // control characters go
                      Line(QStringLiteral("01A5"), {}), QStringLiteral("$?4"),  // 01F4 for the fifth gas
                      Line(QStringLiteral("01A2"), {{5, QStringLiteral("01")}, {24, QStringLiteral("0000")}})});
    const auto r = Interval();
    const LogHeader& h = r->Header();
    const auto gas1 = Column(h, 1);
    ASSERT_EQ(gas1.size(), 4u);
    EXPECT_EQ(gas1[0].second, 10.0f);
    EXPECT_EQ(gas1[1].second, -101.0f);
    EXPECT_EQ(gas1[2].second, -118.0f);
    EXPECT_EQ(gas1[3].second, 10.0f);
    EXPECT_EQ(gas1[1].first, start_.addSeconds(120));
    EXPECT_EQ(Column(h, 5)[0].second, 450.0f);  // 500 minus the full scale of 50

    // Events: the first before any sample, the second 15 s after the third sample; the
    // gas-2 event line is skipped, as the gas has no name.
    ASSERT_EQ(r->EventCount(), 2);
    EXPECT_EQ(r->EventDateTimes(0), start_.addSeconds(10));
    EXPECT_EQ(r->EventDateTimes(1), start_.addSeconds(3 * 60 + 15));
    EXPECT_EQ(r->GasEvent(0, 0), Variant(static_cast<Single>(EventNumberToCode(QStringLiteral("01")))));
}

// A data line whose run-length text does not decode is caught like a failed write: the catch
// line goes to the communication log, the log's Error is set and the line still answers True.
// The log's later data lines are passed over, so none lands a line too early, and the log is
// never stored.
TEST_F(TrendText, ADataLineThatDoesNotDecodeEndsItsLog) {
    struct Case {
        const char* what;
        bool alarm;
        QStringList head;
        QString samplesTag;
        QByteArray caught;
    };
    const Case cases[] = {
        {"interval", false, {header_}, QStringLiteral("/01A1"), "<<< error catch in SetDataA0() >>> 5:"},
        {"alarm", true,
         {Line(QStringLiteral("07BB"), {{5, QStringLiteral("SN5")}, {18, QStringLiteral("0720")}, {23, QStringLiteral("0")}}),
          QStringLiteral("/07BD24051314200500010000")},
         QStringLiteral("/07B1"), "<<< error catch in SetDataB0() >>> 5:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto feed = [&](const QStringList& lines) { c.alarm ? Feed(alarms_, lines) : Feed(intervals_, lines); };
        feed(c.head);
        RecordFrame& record = c.alarm ? static_cast<RecordFrame&>(*Alarm()) : static_cast<RecordFrame&>(*Interval());
        DefineFirstGas(record, 0);
        feed({c.samplesTag, QStringLiteral("!64")});  // one sample, 0064
        const LogHeader header = c.alarm ? Alarm()->Header() : Interval()->Header();
        ASSERT_EQ(Column(header, 1).size(), 1u);

        feed({QStringLiteral("6z")});  // ends on a repeat count
        EXPECT_TRUE(c.alarm ? Alarm()->Error() : Interval()->Error());
        EXPECT_TRUE(test::ReadFile(dir_.filePath(QStringLiteral("SerialLog.log"))).contains(c.caught));
        feed({QStringLiteral("!64")});
        EXPECT_EQ(Column(header, 1).size(), 1u);
        c.alarm ? Alarm()->Update() : Interval()->Update();
        EXPECT_EQ(Count(QStringLiteral("Log_Head")), 0);
    }
}

TEST_F(TrendText, AContinuationLineCarriesThePreviousIdAndTag) {
    Feed(intervals_, {Line(QStringLiteral("01AB"), {{5, QStringLiteral("SN12")}, {23, QStringLiteral("0")}}),
                      QStringLiteral("/SN99") + QString(14, u' ') + QStringLiteral("2")});
    EXPECT_EQ(Interval()->GasBaseInfo(LogHeaderField::SerialNo), Variant("SN99"));
    EXPECT_EQ(Interval()->GasBaseInfo(LogHeaderField::Sampling), Variant(Integer{2}));
    EXPECT_EQ(intervals_.Count(), 1);
}

TEST_F(TrendText, AlarmTagsNameTheLogAndPlaceSamplesAroundTheAlarm) {
    const QString bb0 = Line(QStringLiteral("07BB"), {{5, QStringLiteral("SN5")}, {18, QStringLiteral("0720")},
                                                       {23, QStringLiteral("0")}});
    const QString bd = QStringLiteral("/07BD2405131420050001");  // 20 characters: too short
    EXPECT_FALSE(alarms_.SetDatas(bd, false));
    Feed(alarms_, {bb0, bd + QStringLiteral("000"), Line(QStringLiteral("07BA"), {{5, QStringLiteral("USER2")},
                                                                                   {24, QStringLiteral("x")}})});
    const auto r = Alarm();
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Names), Variant("al13142005_SN5"));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Interval), Variant(Long{1}));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::UserID), Variant("USER2"));
    EXPECT_FALSE(alarms_.SetDatas(QStringLiteral("/07BA") + QString(18, u'x'), false));  // 23 characters

    // The count at 18-21 decides the answer; the serial number is taken all the same.
    EXPECT_FALSE(alarms_.SetDatas(Line(QStringLiteral("08BB"), {{5, QStringLiteral("SN6")}, {23, QStringLiteral("1")}}),
                                  false));
    const auto other = alarms_.Item(QStringLiteral("08 L"));
    EXPECT_EQ(other->GasBaseInfo(LogHeaderField::SerialNo), Variant("SN6"));
    Feed(alarms_, {QStringLiteral("/08BD24051314200500010000")});
    EXPECT_EQ(other->GasBaseInfo(LogHeaderField::Names), Variant("iv13142005_SN6"));

    // Sampling 0: every sample, the first 360 intervals before the alarm.
    DefineFirstGas(*r, 0);
    Feed(alarms_, {QStringLiteral("/07B0"), QStringLiteral("/07B1"), QStringLiteral("H]!$")});  // 541 x 0001
    const auto all = Column(r->Header(), 1);
    ASSERT_EQ(all.size(), 541u);
    EXPECT_EQ(all[0], std::make_pair(start_.addSeconds(-360), 1.0f));
    EXPECT_EQ(all[360].first, start_);
}

TEST_F(TrendText, AlarmSampling2KeepsOnlyTheSamplesFromTheAlarmOn) {
    Feed(alarms_, {Line(QStringLiteral("07BB"), {{5, QStringLiteral("SN5")}, {18, QStringLiteral("0180")},
                                                 {23, QStringLiteral("2")}}),
                   QStringLiteral("/07BD24051314200500020000")});
    DefineFirstGas(*Alarm(), 1);
    Feed(alarms_, {QStringLiteral("/07B1"), QStringLiteral("HZ!$"), QStringLiteral("/07B1"), QStringLiteral("!:0")});
    // 538 groups of 0001, then one of 00A0: records 1..178 hold 0.1, record 179 16.0.
    const auto kept = Column(Alarm()->Header(), 1);
    ASSERT_EQ(kept.size(), 179u);
    EXPECT_EQ(kept[0], std::make_pair(start_, 0.1f));
    EXPECT_EQ(kept[178], std::make_pair(start_.addSeconds(178 * 2), 16.0f));
}

class TrendStore : public TrendText {
protected:
    // A decoded interval log: header, gas 1 samples and one event.
    std::shared_ptr<clsInterval> DecodedInterval(const QString& sampling = QStringLiteral("0")) {
        Feed(intervals_, {Line(QStringLiteral("01AB"), {{5, QStringLiteral("SN12")}, {23, sampling}}), header_});
        DefineFirstGas(*Interval(), 1);
        Interval()->GasListInfo(0, GasInfoField::Unit, "%LEL");
        Feed(intervals_, {Line(QStringLiteral("01A1"), {{5, QStringLiteral("01")}, {24, QStringLiteral("0010")}}),
                          QStringLiteral("!64\"\"''")});
        return Interval();
    }
};

TEST_F(TrendStore, AStoredIntervalReadsBackUnchanged) {
    const auto decoded = DecodedInterval();
    decoded->Update();
    decoded->Update();  // stored once
    ASSERT_EQ(Count(QStringLiteral("Log_Head")), 1);
    EXPECT_EQ(Count(QStringLiteral("Interval_Event")), 1);
    const Recordset head = Rows(QStringLiteral("SELECT * FROM Log_Head"));
    EXPECT_EQ(head.field(QStringLiteral("Types")), Variant(Long{1}));
    EXPECT_EQ(head.field(QStringLiteral("RomNum")), Variant(Long{1207}));
    EXPECT_EQ(head.field(QStringLiteral("Dcount")), Variant(Long{4}));  // 3 records and 1 event
    EXPECT_EQ(head.field(QStringLiteral("Gas2Name")), Variant(" "));

    clsInterval loaded;
    loaded.SeqNo(1);
    loaded.ReLoad();
    EXPECT_TRUE(loaded.LoadStatus().complete());
    for (Long field = LogHeaderField::Names; field <= LogHeaderField::vol_hi; ++field) {
        if (field != LogHeaderField::LogNo && field != LogHeaderField::Dcount) {
            EXPECT_EQ(loaded.GasBaseInfo(field), decoded->GasBaseInfo(field)) << field;
        }
    }
    for (Integer gas = 0; gas < RecordGasSlots; ++gas) {
        for (Long field = GasInfoField::Name; field <= GasInfoField::Ratio; ++field) {
            if (field != GasInfoField::Name && field != GasInfoField::Unit) {
                EXPECT_EQ(loaded.GasListInfo(gas, field), decoded->GasListInfo(gas, field)) << gas << ":" << field;
            }
        }
    }
    EXPECT_EQ(loaded.GasListInfo(0, GasInfoField::Name), Variant("CH4"));
    ASSERT_EQ(loaded.DataCount(), 3);
    EXPECT_EQ(loaded.GasValue(0, 0), Variant(10.0f));
    EXPECT_EQ(loaded.GasValue(0, 2), Variant(Single{-118}));
    EXPECT_EQ(loaded.GasValue(1, 0), Variant(Single{-101}));
    ASSERT_EQ(loaded.EventCount(), 1);
    EXPECT_EQ(loaded.EventDateTimes(0), decoded->EventDateTimes(0));
    EXPECT_EQ(loaded.GasEvent(0, 0), decoded->GasEvent(0, 0));

    // The same log decoded again is a duplicate and adds nothing to its trend file.
    clsIntervals again;
    again.SetDatas(Line(QStringLiteral("01AB"), {{5, QStringLiteral("sn12")}, {23, QStringLiteral("0")}}), false);
    again.SetDatas(header_, false);
    EXPECT_TRUE(again.Item(QStringLiteral("01 L"))->Duplicate());
    again.Item(QStringLiteral("01 L"))->GasBaseInfo(LogHeaderField::SerialNo, "SN13");
    EXPECT_TRUE(again.SetDatas(header_, false));
    EXPECT_FALSE(again.Item(QStringLiteral("01 L"))->Duplicate());
}

TEST_F(TrendStore, ALogDecodedOverAStaleFileOfItsNameIsStoredWithOnlyItsOwnSamples) {
    // The trend file a deleted log of the same name left behind: 50 records of 7.0.
    const QString folder = QStringLiteral("05/24"), names = QStringLiteral("iv13142005_SN12");
    WriteTrend(folder, names, start_, 60, std::vector<Values>(50, Values{7, 7, 7, 7, 7}));
    const auto decoded = DecodedInterval();
    ASSERT_EQ(decoded->Header().Names, names);
    // A second data line of the same log goes on after the first.
    Feed(intervals_, {Line(QStringLiteral("01A1"), {}), QStringLiteral("!64")});
    decoded->Update();

    EXPECT_EQ(Rows(QStringLiteral("SELECT Dcount FROM Log_Head")).field(QStringLiteral("Dcount")), Variant(Long{5}));
    clsInterval loaded;
    loaded.SeqNo(1);
    loaded.ReLoad();
    ASSERT_EQ(loaded.DataCount(), 4);
    EXPECT_EQ(loaded.GasValue(0, 0), Variant(10.0f));
    EXPECT_EQ(loaded.GasValue(0, 3), Variant(10.0f));
    for (Long i = 0; i < loaded.DataCount(); ++i)
        EXPECT_NE(loaded.GasValue(1, i), Variant(7.0f)) << i;

    // The same for an alarm trend.
    const QString alarmNames = QStringLiteral("al13142005_SN5");
    WriteTrend(folder, alarmNames, start_, 1, std::vector<Values>(800, Values{7, 7, 7, 7, 7}));
    Feed(alarms_, {Line(QStringLiteral("07BB"), {{5, QStringLiteral("SN5")}, {18, QStringLiteral("0720")},
                                                 {23, QStringLiteral("0")}}),
                   QStringLiteral("/07BD24051314200500010000"), QStringLiteral("/07B1"), QStringLiteral("!64")});
    EXPECT_EQ(Column(Alarm()->Header(), 1).size(), 1u);
}

TEST_F(TrendStore, AFileThatAStoredRecordNamesIsNeverEmptiedByAnotherLog) {
    const auto stored = DecodedInterval();
    stored->Update();
    const LogHeader& h = stored->Header();
    const QByteArray before = test::ReadFile(TrendFilePath(h.FolderID, h.Names));
    ASSERT_FALSE(before.isEmpty());
    // Another log (another user) whose file name is the stored record's.
    clsIntervals other;
    other.Instruments(&instrument_);
    EXPECT_TRUE(other.SetDatas(Line(QStringLiteral("01AA"), {{5, QStringLiteral("OTHER")}, {15, QStringLiteral("STATION   ")}}), false));
    EXPECT_TRUE(other.SetDatas(Line(QStringLiteral("01AB"), {{5, QStringLiteral("SN12")}, {23, QStringLiteral("0")}}), false));
    EXPECT_TRUE(other.SetDatas(header_, false));
    const auto clash = other.Item(QStringLiteral("01 L"));
    EXPECT_FALSE(clash->Duplicate());
    EXPECT_TRUE(clash->Error());
    EXPECT_TRUE(other.SetDatas(Line(QStringLiteral("01A1"), {}), false));
    EXPECT_TRUE(other.SetDatas(QStringLiteral("$?4"), false));
    clash->Update();
    EXPECT_EQ(test::ReadFile(TrendFilePath(h.FolderID, h.Names)), before);
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 1);
}

TEST_F(TrendStore, BarHoleLogsAndRecordsThatAreNotStored) {
    const auto sampling2 = DecodedInterval(QStringLiteral("2"));
    sampling2->Update();
    EXPECT_EQ(Rows(QStringLiteral("SELECT Types FROM Log_Head")).field(QStringLiteral("Types")), Variant(Long{9}));

    clsInterval barHole;
    barHole.Instrument(&instrument_);
    barHole.GasBaseInfo(LogHeaderField::Sampling, Long{1});
    barHole.Update();  // no measured value: nothing
    barHole.Error(true);
    barHole.HasMeasuredValue(true);
    barHole.Update();  // failed decoding: nothing
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 1);
}

TEST_F(TrendStore, AFailedStoreLeavesNothingBehind) {
    const auto decoded = DecodedInterval();
    const QString trendFile = TrendFilePath(decoded->Header().FolderID, decoded->Header().Names);
    ASSERT_TRUE(QFile::exists(trendFile));
    {
        Database db(State().DatabasePath);
        db.execute(QStringLiteral("DROP TABLE Interval_Event"));
    }
    EXPECT_NE(ErrorOf([&] { decoded->Update(); }), 0);
    EXPECT_EQ(Count(QStringLiteral("Log_Head")), 0);
    EXPECT_FALSE(QFile::exists(trendFile));

    clsInterval orphan;
    orphan.GasBaseInfo(LogHeaderField::Names, "x");
    EXPECT_EQ(ErrorOf([&] { orphan.Update(); }), ErrObjectNotSet);  // no instrument
}

TEST_F(TrendStore, AStoredAlarmReadsBackUnchanged) {
    Feed(alarms_, {Line(QStringLiteral("07BB"), {{5, QStringLiteral("SN5")}, {18, QStringLiteral("0720")},
                                                 {23, QStringLiteral("0")}}),
                   QStringLiteral("/07BD24051314200500010000"),
                   Definitions(QStringLiteral("07BC"), QStringLiteral("H2S"), QStringLiteral("CO  "))});
    const auto decoded = Alarm();
    DefineFirstGas(*decoded, 0);
    Feed(alarms_, {QStringLiteral("/07B1"), QStringLiteral("KP!$"), QStringLiteral("/07B5"), QStringLiteral("KP$?4")});
    // A sample the short layout marked, kept in memory and stored as held.
    decoded->SetDataXX(QStringLiteral("07XX      0200"), false);
    decoded->DataCount(1);
    decoded->value(4, 0, -50.0f);
    decoded->Update();

    const Recordset data = Rows(QStringLiteral("SELECT * FROM Alarm_Data"));
    ASSERT_EQ(data.recordCount(), 1);
    EXPECT_EQ(data.field(QStringLiteral("Gas5Value")), Variant(-50.0));
    EXPECT_EQ(Rows(QStringLiteral("SELECT Dcount FROM Log_Head")).field(QStringLiteral("Dcount")), Variant(Long{720}));

    clsAlarm loaded;
    loaded.SeqNo(1);
    loaded.ReLoad();
    ASSERT_EQ(loaded.DataCount(), 720);
    EXPECT_EQ(loaded.GasBaseInfo(LogHeaderField::Names), Variant("al13142005_SN5"));
    EXPECT_EQ(loaded.GasListInfo(3, GasInfoField::Name), Variant("H2S"));
    EXPECT_EQ(loaded.GasListInfo(4, GasInfoField::Full), Variant(50.0f));
    EXPECT_EQ(loaded.DateTimes(360), start_);
    EXPECT_EQ(loaded.value(0, 0), 1.0f);
    EXPECT_EQ(loaded.value(4, 359), Single{-101});
    EXPECT_EQ(loaded.value(4, 360), 450.0f);
}

}  // namespace
}  // namespace mt52
