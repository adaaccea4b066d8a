// The record models: their state after creation and after clearing, the field-number rules of
// the header and the gas slots, and the range rules of the entry accessors.
#include "common/CommunicationLog.h"
#include "common/ModuleState.h"
#include "common/GasFormats.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "records/clsAlarmEvent.h"
#include "records/clsHistory.h"
#include "records/clsPowerEvent.h"
#include "records/clsSnapShot.h"
#include "records/clsTroubleEvent.h"
#include "support/ErrorOf.h"
#include "support/ProgramState.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

const QString Dashes16(16, u'-');
const QString Dashes20(20, u'-');

struct Kind {
    const char* name;
    std::function<std::unique_ptr<RecordFrame>()> make;
    bool snapshot;
};

std::vector<Kind> AllKinds() {
    return {
        {"history", [] { return std::make_unique<clsHistory>(); }, false},
        {"alarm events", [] { return std::make_unique<clsAlarmEvent>(); }, false},
        {"trouble events", [] { return std::make_unique<clsTroubleEvent>(); }, false},
        {"power events", [] { return std::make_unique<clsPowerEvent>(); }, false},
        {"snapshot", [] { return std::make_unique<clsSnapShot>(); }, true},
    };
}

TEST(RecordModels, NewModelHoldsTheClearedHeaderAndSlots) {
    for (const Kind& kind : AllKinds()) {
        SCOPED_TRACE(kind.name);
        const auto m = kind.make();
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::UserID), Variant(Dashes16));
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::StationID), Variant(Dashes16));
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::SerialNo), Variant(Dashes20));
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::Dates), Variant(InvalidDateMark));
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::Names), Variant(QString()));
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::Interval), Variant(Long{0}));
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::Sampling), Variant(Integer{0}));
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::vol_hi), Variant(Long{0}));
        EXPECT_TRUE(m->GasBaseInfo(18).isNull());
        EXPECT_TRUE(m->GasBaseInfo(-1).isNull());
        // Last only in a snapshot, the header's Dcount everywhere else.
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::Last),
                  kind.snapshot ? Variant(InvalidDateMark) : Variant::Null());
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::Dcount), kind.snapshot ? Variant::Null() : Variant(Long{0}));

        EXPECT_EQ(m->GasListInfo(0, GasInfoField::Full), Variant(Single{-101}));
        EXPECT_EQ(m->GasListInfo(4, GasInfoField::Point), Variant(Integer{-101}));
        EXPECT_EQ(m->GasListInfo(2, GasInfoField::Ratio), Variant(Single{-101}));
        EXPECT_EQ(m->GasListInfo(2, GasInfoField::MinDate), Variant(InvalidDateMark));
        EXPECT_EQ(m->GasListInfo(3, GasInfoField::Enable), Variant(false));
        EXPECT_EQ(m->GasListInfo(1, GasInfoField::Name), Variant(QString()));
        EXPECT_TRUE(m->GasListInfo(5, GasInfoField::Name).isEmpty());
        EXPECT_TRUE(m->GasListInfo(-1, GasInfoField::Name).isEmpty());
        EXPECT_TRUE(m->GasListInfo(0, 22).isNull());
        EXPECT_EQ(m->GasListInfo(0, SnapShotGasField::LogNo), kind.snapshot ? Variant(QString()) : Variant::Null());
        EXPECT_EQ(m->GasListInfo(4, SnapShotGasField::gasval), kind.snapshot ? Variant(QString()) : Variant::Null());

        EXPECT_EQ(m->SeqNo(), 0);
        EXPECT_FALSE(m->Error());
        EXPECT_EQ(m->Instrument(), nullptr);
    }
}

// Setting a header field by number: what is stored, or the error raised.
TEST(RecordModels, HeaderFieldSetterConvertsGuardsAndRaises) {
    struct Case {
        Long field;
        Variant in;
        Variant stored;  // read back after the set; ignored when an error is expected
        int error;
    };
    const Date march15 = *Date::FromParts(2024, 3, 15, 14, 5, 9);
    const std::vector<Case> cases{
        {LogHeaderField::Names, "ss15140509_A1", "ss15140509_A1", 0},
        {LogHeaderField::Names, Variant::Null(), {}, ErrInvalidNull},
        {LogHeaderField::UserID, "   ", Dashes16, 0},
        {LogHeaderField::UserID, " A1 ", "A1", 0},
        {LogHeaderField::StationID, "", Dashes16, 0},
        {LogHeaderField::SerialNo, "  ", Dashes20, 0},
        {LogHeaderField::SerialNo, "O'Neil 7", "O'Neil 7", 0},
        {LogHeaderField::SerialNo, Variant::Null(), {}, ErrInvalidNull},
        {LogHeaderField::LogNo, 12.5, Long{12}, 0},
        {LogHeaderField::LogNo, "7", Long{7}, 0},
        {LogHeaderField::LogNo, 40000, {}, ErrOverflow},
        {LogHeaderField::LogNo, "seven", {}, ErrTypeMismatch},
        {LogHeaderField::Dates, march15, march15, 0},
        {LogHeaderField::Dates, "2024/03/15 14:05:09", march15, 0},
        {LogHeaderField::Dates, "not a date", InvalidDateMark, 0},
        {LogHeaderField::Dates, 45000, InvalidDateMark, 0},
        {LogHeaderField::Interval, "12.5", Long{12}, 0},
        {LogHeaderField::Interval, "13.5", Long{14}, 0},
        {LogHeaderField::Interval, "abc", Long{0}, 0},
        {LogHeaderField::Interval, Variant::Null(), Long{0}, 0},
        {LogHeaderField::Sampling, 300, Integer{300}, 0},
        {LogHeaderField::Sampling, 40000, {}, ErrOverflow},
        {LogHeaderField::LunchBreak, "x", Integer{0}, 0},
        {LogHeaderField::Dcount, 250, Long{250}, 0},
        {LogHeaderField::LEL_lo, 2.5, Long{2}, 0},
        {LogHeaderField::ppm_hi, "3.5", Long{4}, 0},
        {LogHeaderField::vol_lo, "none", Long{0}, 0},
        {LogHeaderField::FolderID, "03/24", "03/24", 0},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << "case " << i << ", field " << c.field);
        clsHistory m;
        m.GasBaseInfo(LogHeaderField::Names, "before");
        const int error = ErrorOf([&] { m.GasBaseInfo(c.field, c.in); });
        EXPECT_EQ(error, c.error);
        if (c.error == 0) {
            EXPECT_EQ(m.GasBaseInfo(c.field), c.stored);
        } else if (c.field == LogHeaderField::Names) {
            EXPECT_EQ(m.GasBaseInfo(c.field), Variant("before"));  // a failed set keeps the value
        }
    }
}

TEST(RecordModels, HeaderFieldsAKindDoesNotHaveIgnoreSets) {
    for (const Kind& kind : AllKinds()) {
        SCOPED_TRACE(kind.name);
        auto m = kind.make();
        m->GasBaseInfo(LogHeaderField::Last, *Date::FromParts(2024, 1, 1));
        m->GasBaseInfo(18, "x");
        m->GasBaseInfo(LogHeaderField::Dcount, 5);
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::Last),
                  kind.snapshot ? Variant(InvalidDateMark) : Variant::Null());
        EXPECT_EQ(m->GasBaseInfo(LogHeaderField::Dcount), kind.snapshot ? Variant::Null() : Variant(Long{5}));
    }
}

// Setting a gas slot field by number: what is stored, or the error raised.
TEST(RecordModels, GasSlotSetterConvertsGuardsAndRaises) {
    struct Case {
        Integer slot;
        Long field;
        Variant in;
        Variant stored;
        int error;
    };
    const Date march15 = *Date::FromParts(2024, 3, 15, 14, 5, 9);
    const std::vector<Case> cases{
        {0, GasInfoField::Name, "CH4", "CH4", 0},
        {0, GasInfoField::Name, Variant::Null(), {}, ErrInvalidNull},
        {1, GasInfoField::Full, "100", Single{100}, 0},
        {1, GasInfoField::Full, "abc", Single{-101}, 0},
        {2, GasInfoField::Desit, 0.5, Single{0.5f}, 0},
        {0, GasInfoField::Point, "2", Integer{2}, 0},
        {0, GasInfoField::Point, 40000, {}, ErrOverflow},
        {0, GasInfoField::Point, "two", Integer{-101}, 0},
        {3, GasInfoField::Max, Variant::Null(), Single{-101}, 0},
        {4, GasInfoField::Twa, 25, Single{25}, 0},
        {0, GasInfoField::MaxDate, "2024/03/15 14:05:09", march15, 0},
        {0, GasInfoField::MinDate, "soon", InvalidDateMark, 0},
        {0, GasInfoField::Enable, true, true, 0},
        {0, GasInfoField::Enable, "True", true, 0},
        {0, GasInfoField::Enable, -1, true, 0},
        {0, GasInfoField::Enable, "yes", {}, ErrTypeMismatch},
        {0, GasInfoField::Ratio, "1.5", Single{1.5f}, 0},
        {0, GasInfoField::Ratio, "abc", {}, ErrTypeMismatch},
        {0, GasInfoField::Ratio, Variant::Null(), {}, ErrInvalidNull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot << " field " << c.field);
        clsAlarmEvent m;
        const Variant before = m.GasListInfo(c.slot, c.field);
        EXPECT_EQ(ErrorOf([&] { m.GasListInfo(c.slot, c.field, c.in); }), c.error);
        EXPECT_EQ(m.GasListInfo(c.slot, c.field), c.error == 0 ? c.stored : before);
    }
}

TEST(RecordModels, SnapshotTextsAreTheirOwnFields) {
    clsSnapShot snap;
    snap.GasListInfo(0, GasInfoField::Unit, "ppm");
    snap.GasListInfo(0, SnapShotGasField::Unit, "%LEL");
    snap.GasListInfo(0, SnapShotGasField::gasval, " 12.5");
    snap.GasListInfo(5, SnapShotGasField::GasName, "ignored");
    EXPECT_EQ(snap.GasListInfo(0, GasInfoField::Unit), Variant("ppm"));
    EXPECT_EQ(snap.GasListInfo(0, SnapShotGasField::Unit), Variant("%LEL"));
    EXPECT_EQ(snap.GasListInfo(0, SnapShotGasField::gasval), Variant(" 12.5"));  // stored as sent
    EXPECT_EQ(ErrorOf([&] { snap.GasListInfo(0, SnapShotGasField::Digit, Variant::Null()); }), ErrInvalidNull);

    clsHistory history;  // the other kinds have no such fields
    history.GasListInfo(0, SnapShotGasField::GasName, "CH4");
    EXPECT_TRUE(history.GasListInfo(0, SnapShotGasField::GasName).isNull());
}

TEST(RecordModels, HistoryClearKeepsKeyAndCountsButNotTheIdentity) {
    clsInstrument instrument;
    clsHistory h;
    h.Instrument(&instrument);
    h.Key(QStringLiteral("K1"));
    h.SeqNo(42);
    h.DataCount(7);
    h.Dcount(3);
    h.Error(true);
    h.GasBaseInfo(LogHeaderField::LogNo, 9);
    h.GasBaseInfo(LogHeaderField::UserID, "U1");
    h.GasListInfo(0, GasInfoField::Name, "CH4");
    for (Integer i : {0, 299, 300}) {
        h.Before(0, i, 1.f);
        h.After(4, i, 2.f);
        h.GasName(2, i, QStringLiteral("CO"));
        h.Judge(1, i, 1.f);
        h.Dates(i, Date(45000.0));
    }
    h.ClearDatas();

    EXPECT_EQ(h.Key(), QStringLiteral("K1"));
    EXPECT_EQ(h.SeqNo(), 42);  // so the same record can be loaded again at once
    EXPECT_EQ(h.DataCount(), 7);
    EXPECT_EQ(h.Dcount(), 0);
    EXPECT_FALSE(h.Error());
    EXPECT_EQ(h.Instrument(), nullptr);
    EXPECT_EQ(h.GasBaseInfo(LogHeaderField::LogNo), Variant(Long{9}));
    EXPECT_EQ(h.GasBaseInfo(LogHeaderField::UserID), Variant(Dashes16));
    EXPECT_EQ(h.GasListInfo(0, GasInfoField::Name), Variant(QString()));
    for (Integer i : {0, 299}) {
        EXPECT_EQ(h.Before(0, i), -101.f);
        EXPECT_EQ(h.After(4, i), -101.f);
        EXPECT_EQ(h.GasName(2, i), QString());
        EXPECT_EQ(h.Judge(1, i), 0.f);
    }
    EXPECT_EQ(h.Before(0, 300), 1.f);  // the last entry is left for the next load
    EXPECT_EQ(h.Dates(0), Date(0.0));
    EXPECT_EQ(h.Dates(1), Date(0.0));   // never set
    EXPECT_EQ(h.Dates(299), Date(45000.0));
}

TEST(RecordModels, HistoryEntriesRaiseOutsideTheirRange) {
    clsHistory h;
    EXPECT_EQ(ErrorOf([&] { h.Before(0, 301); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { h.Before(5, 0); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { h.After(-1, 0, 1.f); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { h.GasName(0, -1); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { h.Dates(301); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { h.Before(4, 300, 5.f); }), 0);
    EXPECT_EQ(h.Before(4, 300), 5.f);

    struct Case { Single in; Single out; };
    for (const Case& c : std::vector<Case>{{1.5f, 2.f}, {2.5f, 2.f}, {-0.5f, 0.f}, {3.f, 3.f}}) {
        h.Judge(0, 0, c.in);
        EXPECT_EQ(h.Judge(0, 0), c.out) << c.in;
    }
    EXPECT_EQ(ErrorOf([&] { h.Judge(0, 0, 40000.f); }), ErrOverflow);
    EXPECT_EQ(h.Judge(0, 0), 3.f);
}

TEST(RecordModels, EventLogsAnswerDefaultsOutsideTheirRange) {
    ManualClock clock(QDateTime(QDate(2025, 6, 1), QTime(8, 30, 0)));
    ScopedClock scoped(clock);
    const Date now = Now();
    const Date stored = *Date::FromParts(2024, 3, 15, 14, 5, 9);

    clsAlarmEvent alarm;
    clsTroubleEvent trouble;
    for (EventLogFrame* m : std::vector<EventLogFrame*>{&alarm, &trouble}) {
        EXPECT_EQ(m->Dates(1024), now);
        EXPECT_EQ(m->Dates(-1), now);
        m->Dates(1023, stored);
        m->Dates(1024, stored);  // ignored
        EXPECT_EQ(m->Dates(1023), stored);
        m->Events(5, -104);
        m->Events(1024, -104);
        m->GasNo(5, 2);
        EXPECT_EQ(m->Events(5), -104);
        EXPECT_EQ(m->Events(1024), 0);
        EXPECT_EQ(m->GasNo(5), 2);
        EXPECT_EQ(m->GasNo(-3), 0);
        EXPECT_EQ(m->DataCount(), 0);
    }
    EXPECT_EQ(trouble.DateTimes(1023), stored);
    EXPECT_EQ(trouble.DateTimes(1024), Date(0.0));

    clsPowerEvent power;
    EXPECT_EQ(power.Dates(0), InvalidDateMark);
    EXPECT_EQ(power.Dates(2000), Date(0.0));
    power.LogCnt(1023, 70000);
    power.LogCnt(1024, 70000);
    power.Flags(3, 1);
    EXPECT_EQ(power.LogCnt(1023), 70000);
    EXPECT_EQ(power.LogCnt(1024), 0);
    EXPECT_EQ(power.Flags(3), 1);
    EXPECT_EQ(power.Flags(-1), 0);

    for (auto [in, out] : std::vector<std::pair<Integer, Integer>>{{5000, 1024}, {1023, 1023}, {-3, -3}}) {
        trouble.DataCount(in);
        power.DataCount(in);
        EXPECT_EQ(trouble.DataCount(), out);
        EXPECT_EQ(power.DataCount(), out);
    }
}

TEST(RecordModels, EventLogClearsKeepWhatEachKindKeeps) {
    ManualClock clock(QDateTime(QDate(2025, 6, 1), QTime(8, 30, 0)));
    ScopedClock scoped(clock);
    const Date stored = *Date::FromParts(2024, 3, 15, 14, 5, 9);

    clsInstrument instrument;
    clsAlarmEvent alarm;
    clsTroubleEvent trouble;
    for (EventLogFrame* m : std::vector<EventLogFrame*>{&alarm, &trouble}) {
        m->Instrument(&instrument);
        m->Key(QStringLiteral("K"));
        m->SeqNo(8);
        m->Error(true);
        m->Dates(0, stored);
        m->Events(0, -130);
        m->GasNo(0, 3);
    }
    trouble.DataCount(9);
    clock.set(QDateTime(QDate(2025, 6, 2), QTime(9, 0, 0)));
    alarm.ClearDatas();
    trouble.ClearDatas();
    for (EventLogFrame* m : std::vector<EventLogFrame*>{&alarm, &trouble}) {
        EXPECT_EQ(m->Key(), QStringLiteral("K"));
        EXPECT_EQ(m->SeqNo(), 0);
        EXPECT_TRUE(m->Error());
        EXPECT_EQ(m->Instrument(), &instrument);
        EXPECT_EQ(m->Events(0), 0);
        EXPECT_EQ(m->DataCount(), 0);
    }
    EXPECT_EQ(alarm.Dates(0), stored);  // alarm dates survive, gas numbers do not
    EXPECT_EQ(alarm.GasNo(0), 0);
    EXPECT_EQ(trouble.Dates(0), Now());  // trouble events take the time of clearing
    EXPECT_EQ(trouble.DateTimes(0), Now());
    EXPECT_EQ(trouble.GasNo(0), 3);

    clsPowerEvent power;
    power.Key(QStringLiteral("P"));
    power.Instrument(&instrument);
    power.SeqNo(4);
    power.Error(true);
    power.DataCount(3);
    power.LogCnt(0, 11);
    power.Flags(0, 1);
    power.Dates(0, stored);
    power.ClearDatas();
    EXPECT_EQ(power.Key(), QStringLiteral("P"));
    EXPECT_EQ(power.SeqNo(), 0);
    EXPECT_FALSE(power.Error());
    EXPECT_EQ(power.Instrument(), &instrument);
    EXPECT_EQ(power.DataCount(), 0);
    EXPECT_EQ(power.LogCnt(0), 0);
    EXPECT_EQ(power.Flags(0), 0);
    EXPECT_EQ(power.Dates(0), InvalidDateMark);
}

TEST(RecordModels, SnapshotReadingsAndClear) {
    clsSnapShot snap;
    EXPECT_EQ(snap.GasValue(0), 0.f);
    EXPECT_EQ(snap.GasEvent(4, 1), 0.f);
    snap.GasValue(0, "12.5");
    snap.GasEvent(0, 0, -103);
    snap.GasEvent(0, 1, -104);
    snap.GasRange(2, 1, 2.5);
    EXPECT_EQ(snap.GasValue(0), 12.5f);
    EXPECT_EQ(snap.GasEvent(0, 0), -103.f);
    EXPECT_EQ(snap.GasEvent(0, 1), -104.f);
    EXPECT_EQ(snap.GasRange(2, 1), 2);

    struct Case { const char* what; std::function<void()> call; int error; };
    const std::vector<Case> cases{
        {"value slot 5", [&] { snap.GasValue(5); }, ErrSubscript},
        {"set value slot -1", [&] { snap.GasValue(-1, 1); }, ErrSubscript},
        {"event reading 2", [&] { snap.GasEvent(0, 2); }, ErrSubscript},
        {"range reading -1", [&] { snap.GasRange(0, -1, 1); }, ErrSubscript},
        {"value of letters", [&] { snap.GasValue(0, "abc"); }, ErrTypeMismatch},
        {"event Null", [&] { snap.GasEvent(0, 0, Variant::Null()); }, ErrInvalidNull},
        {"range too wide", [&] { snap.GasRange(0, 0, 40000); }, ErrOverflow},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.call), c.error) << c.what;
    EXPECT_EQ(snap.GasValue(0), 12.5f);  // failed sets changed nothing

    clsInstrument instrument;
    snap.Instrument(&instrument);
    snap.Key(QStringLiteral("S"));
    snap.SeqNo(5);
    snap.Error(true);
    snap.Duplicate(true);
    snap.BaseDate(Date(45000.0));
    snap.GasBaseInfo(LogHeaderField::LogNo, 3);
    snap.GasBaseInfo(LogHeaderField::SerialNo, "SN1");
    snap.GasListInfo(0, SnapShotGasField::GasName, "CH4");
    snap.ClearDatas();
    EXPECT_EQ(snap.Key(), QString());
    EXPECT_EQ(snap.SeqNo(), 0);
    EXPECT_FALSE(snap.Error());
    EXPECT_FALSE(snap.Duplicate());
    EXPECT_EQ(snap.BaseDate(), Date(45000.0));
    EXPECT_EQ(snap.Instrument(), &instrument);
    EXPECT_EQ(snap.GasBaseInfo(LogHeaderField::LogNo), Variant(Long{3}));
    EXPECT_EQ(snap.GasBaseInfo(LogHeaderField::SerialNo), Variant(Dashes20));
    EXPECT_EQ(snap.GasListInfo(0, SnapShotGasField::GasName), Variant(QString()));
    EXPECT_EQ(snap.GasValue(0), 12.5f);  // readings survive a clearing
    EXPECT_EQ(snap.GasEvent(0, 1), -104.f);
}

TEST(RecordModels, GasCaptionsReadTheSlotOrTheSentTexts) {
    clsHistory history;
    history.GasListInfo(1, GasInfoField::Name, "CH4");
    history.GasListInfo(1, GasInfoField::Full, 100);
    history.GasListInfo(1, GasInfoField::Point, 1);
    history.GasListInfo(1, GasInfoField::Unit, "%LEL");
    EXPECT_EQ(GasCaptionOf(history, 1), QStringLiteral("CH4(100.0%LEL)"));
    EXPECT_EQ(GasCaptionOf(history, 0), EmptyGasCaption);
    EXPECT_EQ(GasCaptionOf(history, 5), EmptyGasCaption);

    clsSnapShot snap;
    snap.GasListInfo(0, GasInfoField::Name, "ignored");
    snap.GasListInfo(0, SnapShotGasField::GasName, "CO   ");
    snap.GasListInfo(0, SnapShotGasField::FullScale, "500.0");
    snap.GasListInfo(0, SnapShotGasField::Unit, "ppm  ");
    EXPECT_EQ(GasCaptionOf(snap, 0), QStringLiteral("CO(500ppm)"));
}

TEST(RecordModels, FilterPrintableKeepsPrintableAscii) {
    EXPECT_EQ(FilterPrintable(QStringLiteral("A\tB~") + QChar(127) + QChar(0x65E5) + QChar(0xFF71)),
              QStringLiteral("AB~"));
    EXPECT_EQ(FilterPrintable(QString()), QString());
}

TEST(RecordModels, SerialLogAppendsOneLinePerCall) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString& startDir : {dir.path(), dir.path() + u'/'}) {
        test::ResetProgramState();
        State().StartDir = startDir;
        QFile::remove(dir.filePath(QStringLiteral("SerialLog.log")));
        clsHistory::SetSerialLog(QStringLiteral("first"));
        clsHistory::SetSerialLog(QStringLiteral("second"));
        QFile log(dir.filePath(QStringLiteral("SerialLog.log")));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_EQ(log.readAll(), QByteArray("first\r\nsecond\r\n"));
    }
    // A log that cannot be written stops nothing; the notice is told once.
    State().StartDir = dir.filePath(QStringLiteral("missing"));
    int told = 0;
    SetCommunicationLogNotice([&told](const QString&) { ++told; });
    EXPECT_EQ(ErrorOf([] { clsHistory::SetSerialLog(QStringLiteral("x")); }), 0);
    clsHistory::SetSerialLog(QStringLiteral("y"));
    EXPECT_EQ(told, 1);
    SetCommunicationLogNotice({});
    test::ResetProgramState();
}

}  // namespace
}  // namespace mt52
