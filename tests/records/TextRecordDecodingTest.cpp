// Reading the instrument's text event and history logs into record collections: which lines
// are taken or refused, what each tag stores, and the test mode that only checks.
#include "common/CommunicationLog.h"
#include "common/ModuleState.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "records/clsAlarmEvents.h"
#include "records/clsHistorys.h"
#include "records/clsPowerEvents.h"
#include "records/clsTroubleEvents.h"
#include "support/ErrorOf.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

class TextRecordDecoding : public testing::Test {
protected:
    void SetUp() override {
        ResetState();
        ASSERT_TRUE(dir_.isValid());
        State().StartDir = dir_.path();
    }
    void TearDown() override { ResetState(); }

    QStringList SerialLogLines() const {
        QFile log(dir_.filePath(QStringLiteral("SerialLog.log")));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    static Date At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return *Date::FromParts(y, mo, d, h, mi, s); }

    QTemporaryDir dir_;
    ManualClock clock_{QDateTime(QDate(2025, 6, 1), QTime(8, 30, 0))};
    ScopedClock scopedClock_{clock_};
};

// A line padded with blanks to a length.
QString Line(const char* text, int length) { return QString::fromLatin1(text).leftJustified(length, u' '); }

// A blank line of a length with texts placed at 1-based columns.
QString Placed(int length, std::initializer_list<std::pair<int, const char*>> fields) {
    QString line(length, u' ');
    for (const auto& [column, text] : fields) {
        const QString field = QString::fromLatin1(text);
        line.replace(column - 1, field.size(), field);
    }
    return line;
}

TEST_F(TextRecordDecoding, EventLinesAreSortedByLengthIdAndTag) {
    clsAlarmEvents alarms;
    EXPECT_FALSE(alarms.SetDatas(Line("01C7", 20), false));
    EXPECT_EQ(alarms.Count(), 0);
    EXPECT_TRUE(alarms.SetDatas(Line("01C7", 21), false));  // an unknown tag: taken, nothing stored
    EXPECT_FALSE(alarms.SetDatas(Line("xxCD", 30), false));  // no log id
    EXPECT_EQ(alarms.Count(), 1);
    EXPECT_FALSE(alarms.SetDatas(Line("02C001", 25), false));  // gas digit 0, but the record is made
    EXPECT_EQ(alarms.Count(), 2);
    EXPECT_FALSE(alarms.SetDatas(Line("02C101", 24), false));  // alarm events need 25 characters
    EXPECT_FALSE(alarms.SetDatas(Line("02CC", 60), false));    // gas settings need 69
    EXPECT_EQ(alarms.Item(QStringLiteral("02 L"))->DataCount(), 0);

    clsTroubleEvents troubles;
    EXPECT_TRUE(troubles.SetDatas(Line("05D516", 24), false));  // trouble events need 24
    const auto trouble = troubles.Item(QStringLiteral("05 L"));
    ASSERT_TRUE(trouble);
    EXPECT_EQ(trouble->GasNo(0), 4);
    EXPECT_EQ(trouble->Events(0), -130);

    // Control characters do not count: the printable text is what the columns count on.
    EXPECT_TRUE(troubles.SetDatas(QStringLiteral("\t05D1") + QChar(0x7F) + Line("00", 22), false));
    EXPECT_EQ(trouble->DataCount(), 2);
    EXPECT_EQ(trouble->GasNo(1), 0);
}

TEST_F(TextRecordDecoding, AlarmLogLinesFillTheirRecord) {
    clsAlarmEvents alarms;
    ASSERT_TRUE(alarms.SetDatas(Line("01CD090305140709", 24), false));
    ASSERT_TRUE(alarms.SetDatas(Line("01CA USER-1   STATION-1", 24), false));
    ASSERT_TRUE(alarms.SetDatas(Line("01CBSN-000000001 0012", 24), false));
    ASSERT_TRUE(alarms.SetDatas(Line("01C201", 25), false));
    ASSERT_TRUE(alarms.SetDatas(Line("01C202", 25), false));
    const auto log = alarms.Item(QStringLiteral("01 L"));
    ASSERT_TRUE(log);
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Dates).toDate(), At(2009, 3, 5, 14, 7, 9));
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Names).toString(), "ae05140709");
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::FolderID).toString(), "03/09");
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::UserID).toString(), "USER-1");
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::StationID).toString(), "STATION-1");
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::SerialNo).toString(), "SN-000000001");
    // The announced count is kept apart from the events read: each event line adds one.
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Dcount).toLong(), 12);
    ASSERT_EQ(log->DataCount(), 2);
    EXPECT_EQ(log->GasNo(0), 1);
    EXPECT_EQ(log->Events(0), -103);
    EXPECT_EQ(log->Events(1), -104);
    EXPECT_EQ(log->Dates(1), At(2009, 3, 5, 14, 7, 9));

    // A count that is no number: the serial number is kept, the line refused.
    EXPECT_FALSE(alarms.SetDatas(Line("01CBSN-2          x", 24), false));
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::SerialNo).toString(), "SN-2");
}

TEST_F(TextRecordDecoding, GasSettingLinesDescribeSlotsThreeAndFour) {
    clsTroubleEvents troubles;
    const QString used = Placed(70, {{1, "01DC"},   {5, "Hyd"},    {18, "rog"},   {31, "en "},  {44, "sul"},
                                     {47, "  100"}, {52, " 0.50"}, {57, "H2S "}, {61, " 30.0"}, {66, " 25.0"}});
    ASSERT_TRUE(troubles.SetDatas(used, false));
    const auto log = troubles.Item(QStringLiteral("01 L"));
    EXPECT_EQ(log->GasListInfo(3, GasInfoField::Name).toString(), "Hydrogen sul");
    EXPECT_EQ(log->GasListInfo(3, GasInfoField::Full).toSingle(), 100.0f);
    EXPECT_EQ(log->GasListInfo(3, GasInfoField::Desit).toSingle(), 0.5f);
    EXPECT_EQ(log->GasListInfo(3, GasInfoField::Point).toInteger(), 2);
    EXPECT_TRUE(log->GasListInfo(3, GasInfoField::Enable).toBool());
    EXPECT_EQ(log->GasListInfo(4, GasInfoField::Name).toString(), "H2S ");
    EXPECT_EQ(log->GasListInfo(4, GasInfoField::Point).toInteger(), 1);

    const QString unused = Placed(69, {{1, "01DC"}, {5, "***"}, {57, "****"}});
    ASSERT_TRUE(troubles.SetDatas(unused, false));
    EXPECT_FALSE(log->GasListInfo(3, GasInfoField::Enable).toBool());
    EXPECT_FALSE(log->GasListInfo(4, GasInfoField::Enable).toBool());
    EXPECT_EQ(log->GasListInfo(3, GasInfoField::Name).toString(), "Hydrogen sul");
}

TEST_F(TextRecordDecoding, HeaderDatesAndTheTestMode) {
    clsAlarmEvents alarms;
    clsTroubleEvents troubles;
    // An alarm header's time carries beyond its range; a trouble header's must be a time of day.
    ASSERT_TRUE(alarms.SetDatas(Line("01CD240229250000", 24), false));
    const auto alarm = alarms.Item(QStringLiteral("01 L"));
    EXPECT_FALSE(alarm->Error());
    EXPECT_EQ(alarm->GasBaseInfo(LogHeaderField::Dates).toDate(), At(2024, 3, 1, 1));
    ASSERT_TRUE(troubles.SetDatas(Line("01DD240229250000", 24), false));
    EXPECT_TRUE(troubles.Item(QStringLiteral("01 L"))->Error());
    ASSERT_TRUE(alarms.SetDatas(Line("02CD241301101010", 24), false));  // month 13
    EXPECT_TRUE(alarms.Item(QStringLiteral("02 L"))->Error());

    // Test mode: checks only; a bad header date still marks the record, refused lines gather.
    clsTroubleEvents checked;
    EXPECT_TRUE(checked.SetDatas(Line("03DD249901101010", 24), true));
    EXPECT_FALSE(checked.SetDatas(Line("03D001", 24), true));
    EXPECT_FALSE(checked.SetDatas(QStringLiteral("short\t"), true));
    EXPECT_TRUE(checked.SetDatas(Line("03D101", 24), true));
    const auto log = checked.Item(QStringLiteral("03 L"));
    EXPECT_TRUE(log->Error());
    EXPECT_EQ(log->DataCount(), 0);
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Names).toString(), "");
    EXPECT_EQ(checked.FailLine(), QStringLiteral("\r\n") + Line("03D001", 24) + QStringLiteral("\r\nshort"));
}

TEST_F(TextRecordDecoding, PowerLinesAppendEntriesAndLogBadDates) {
    clsPowerEvents powers;
    ASSERT_TRUE(powers.SetDatas(Line("01FD2404011015001111", 24), false));
    ASSERT_TRUE(powers.SetDatas(Line("01FD2404311015000000", 24), false));  // 31 April
    const auto log = powers.Item(QStringLiteral("01 L"));
    ASSERT_EQ(log->DataCount(), 2);
    EXPECT_EQ(log->Dates(0), At(2024, 4, 1, 10, 15));
    EXPECT_EQ(log->Flags(0), 1);
    EXPECT_EQ(log->Dates(1), Date(0.0));
    EXPECT_EQ(log->Flags(1), 0);
    EXPECT_TRUE(log->Error());
    EXPECT_EQ(SerialLogLines(),
              QStringList{QStringLiteral("<<< improper date in SetDataF0() >>> ") + Line("01FD2404311015000000", 24)});

    // Entries 0 to 1024 can be filled; a further one raises 9 and stores nothing.
    for (int i = 2; i < 1025; ++i)
        log->SetDataF0(Line("01FD2404011015001111", 24), false);
    EXPECT_EQ(ErrorOf([&] { powers.SetDatas(Line("01FD2404011015001111", 24), false); }), ErrSubscript);
    EXPECT_EQ(log->DataCount(), 1025);
}

TEST_F(TextRecordDecoding, HistoryLinesShareOneDatedEntryPerMoment) {
    clsHistorys histories;
    //                               3     9     15   20   25
    ASSERT_TRUE(histories.SetDatas(0, Line("xx240301093000  0.5 50.0CH4", 34), false));
    ASSERT_TRUE(histories.SetDatas(1, Line("xx240301093000 20.9 20.9O2 ", 34), false));
    ASSERT_TRUE(histories.SetDatas(1, Line("xx240301093000 21.0 20.8  O2 ", 34), false));  // replaces
    const auto history = histories.Item(QStringLiteral("01 L"));
    ASSERT_EQ(history->Dcount(), 1);
    EXPECT_EQ(history->Dates(0), At(2024, 3, 1, 9, 30));
    EXPECT_EQ(history->Before(0, 0), 0.5f);
    EXPECT_EQ(history->After(1, 0), 20.8f);
    EXPECT_EQ(history->GasName(1, 0), "O2");

    // A bad time keeps the day, a bad date the value out; both are logged and mark the record.
    EXPECT_FALSE(histories.SetDatas(0, Line("xx2403", 20), false));
    ASSERT_TRUE(histories.SetDatas(0, Line("xx240302990000  1.0  2.0", 34), false));
    ASSERT_TRUE(histories.SetDatas(0, Line("xx241302090000  1.0  2.0", 34), false));
    EXPECT_TRUE(history->Error());
    ASSERT_EQ(history->Dcount(), 2);
    EXPECT_EQ(history->Dates(1), At(2024, 3, 2));
    EXPECT_EQ(SerialLogLines().size(), 2);

    // No more than 300 dated entries are added, also to a date already held.
    for (int i = 0; i < 400; ++i)
        history->AddHistory(0, At(2020, 1, 1).addSeconds(60.0 * i), 1.0f, 1.0f, QString(), 0);
    EXPECT_EQ(history->Dcount(), 300);
    history->AddHistory(0, At(2024, 3, 1, 9, 30), 9.0f, 9.0f, QString(), 0);
    EXPECT_EQ(history->Before(0, 0), 0.5f);
    EXPECT_EQ(ErrorOf([&] { history->AddHistory(5, At(2024, 3, 1), 0, 0, QString(), 0); }), ErrSubscript);

    clsHistorys other;
    other.Add(QStringLiteral("x"), 0);
    EXPECT_EQ(ErrorOf([&] { other.SetDatas(0, Line("xx240301093000", 30), false); }), ErrInvalidArgument);
}

TEST_F(TextRecordDecoding, ACommunicationLogThatCannotBeWrittenStopsNoDecoderAndIsToldOnce) {
    State().StartDir = dir_.filePath(QStringLiteral("read-only/program"));  // no such folder
    QStringList told;
    SetCommunicationLogNotice([&told](const QString& detail) { told << detail; });
    struct Reset {
        ~Reset() { SetCommunicationLogNotice({}); }
    } reset;

    clsPowerEvents powers;
    EXPECT_EQ(ErrorOf([&] { EXPECT_TRUE(powers.SetDatas(Line("01FD2404311015000000", 24), false)); }), 0);
    EXPECT_TRUE(powers.SetDatas(Line("01FD2404011015001111", 24), false));
    EXPECT_EQ(powers.Item(QStringLiteral("01 L"))->DataCount(), 2);
    clsHistorys histories;
    EXPECT_EQ(ErrorOf([&] { EXPECT_TRUE(histories.SetDatas(0, Line("xx241302090000  1.0  2.0", 34), false)); }), 0);
    EXPECT_TRUE(histories.SetDatas(0, Line("xx240301093000  0.5 50.0CH4", 34), false));
    EXPECT_EQ(histories.Item(QStringLiteral("01 L"))->Dcount(), 1);  // the bad date keeps its value out
    EXPECT_TRUE(histories.Item(QStringLiteral("01 L"))->Error());

    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral("SerialLog.log")));
}

}  // namespace
}  // namespace mt52
