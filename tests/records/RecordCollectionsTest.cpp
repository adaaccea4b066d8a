// The keyed record collections of a download: adding, looking up, removing and clearing
// records, the selection, and the once-per-instrument new-data notice.
#include "common/ModuleState.h"
#include "instrument/clsInstrument.h"
#include "platform/RuntimeError.h"
#include "records/clsAlarmEvents.h"
#include "records/clsHistorys.h"
#include "records/clsPowerEvents.h"
#include "records/clsSnapShots.h"
#include "records/clsTroubleEvents.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

class RecordCollections : public testing::Test {
protected:
    void SetUp() override { ResetState(); }
    void TearDown() override { ResetState(); }
    clsInstrument instrument_;
};

TEST_F(RecordCollections, AddCreatesAClearedRecordUnderItsKey) {
    clsTroubleEvents events;
    events.Instruments(&instrument_);
    const auto record = events.Add(QStringLiteral("01 L"), 0);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Key(), "01 L");
    EXPECT_EQ(record->SeqNo(), 0);
    EXPECT_EQ(record->Instrument(), &instrument_);
    EXPECT_EQ(record->GasBaseInfo(LogHeaderField::UserID).toString(), QString(16, u'-'));
    EXPECT_EQ(events.Count(), 1);
    EXPECT_EQ(events.Item(QStringLiteral("01 L")), record);
    EXPECT_EQ(events.Item(Long{1}), record);

    // A key already present: 457, and nothing is added.
    EXPECT_EQ(ErrorOf([&] { events.Add(QStringLiteral("01 L"), 5); }), ErrDuplicateKey);
    EXPECT_EQ(events.Count(), 1);
    EXPECT_EQ(events.Item(Long{1})->SeqNo(), 0);

    // Without an instrument the record has none; keys keep the order of adding.
    clsHistorys histories;
    histories.Add(QStringLiteral("b L"), 2);
    histories.Add(QStringLiteral("a L"), 1);
    EXPECT_EQ(histories.Item(Long{1})->Instrument(), nullptr);
    QStringList keys;
    for (const auto& history : histories)
        keys << history->Key();
    EXPECT_EQ(keys, QStringList({QStringLiteral("b L"), QStringLiteral("a L")}));
}

TEST_F(RecordCollections, ItemAnswersNothingForAnyMiss) {
    clsPowerEvents events;
    events.Add(QStringLiteral("10 L"), 0);
    EXPECT_EQ(events.Item(QStringLiteral("11 L")), nullptr);
    EXPECT_EQ(events.Item(QStringLiteral("1")), nullptr);
    for (Long miss : {0, 2, -1})
        EXPECT_EQ(events.Item(miss), nullptr) << miss;
}

TEST_F(RecordCollections, RemoveRaises5ForAKeyAnd9ForAPosition) {
    clsAlarmEvents events;
    events.Add(QStringLiteral("a"), 0);
    events.Add(QStringLiteral("b"), 0);
    events.Add(QStringLiteral("c"), 0);
    EXPECT_EQ(ErrorOf([&] { events.Remove(QStringLiteral("x")); }), ErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { events.Remove(Long{0}); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { events.Remove(Long{4}); }), ErrSubscript);
    EXPECT_EQ(events.Count(), 3);

    events.Remove(QStringLiteral("b"));
    events.Remove(Long{2});
    ASSERT_EQ(events.Count(), 1);
    EXPECT_EQ(events.Item(Long{1})->Key(), "a");
}

TEST_F(RecordCollections, ClearRemovesEveryRecordAndKeepsTheTexts) {
    clsSnapShots snaps;
    snaps.Instruments(&instrument_);
    snaps.FailLine(QStringLiteral("\r\nbad"));
    snaps.MessageString(QStringLiteral("note"));
    snaps.Add(QStringLiteral("1 L"), 0);
    snaps.Add(QStringLiteral("2 L"), 0)->Key(QStringLiteral("renamed"));  // a key changed after adding
    snaps.Add(QStringLiteral("3 L"), 0);
    State().DebugMessages = true;
    snaps.NoticeNewData(*snaps.Item(Long{1}));
    ASSERT_EQ(snaps.Announced().Count(), 1);

    snaps.Clear();
    EXPECT_EQ(snaps.Count(), 0);
    EXPECT_EQ(snaps.Announced().Count(), 0);
    EXPECT_EQ(snaps.Instruments(), &instrument_);
    EXPECT_EQ(snaps.FailLine(), "\r\nbad");
    EXPECT_EQ(snaps.MessageString(), QString::fromUtf8("New Data! Name - SnapShot"));
}

TEST_F(RecordCollections, SelectedItemFollowsTheKeyAndRaises5OnceRemoved) {
    clsTroubleEvents events;
    EXPECT_EQ(events.SelectedItem(), nullptr);
    const auto record = events.Add(QStringLiteral("7 L"), 0);
    events.SelectedItem(record);
    EXPECT_EQ(events.SelectedItem(), record);
    events.SelectedItem(nullptr);
    EXPECT_EQ(events.SelectedItem(), nullptr);

    events.SelectedItem(record);
    events.Remove(QStringLiteral("7 L"));
    EXPECT_EQ(ErrorOf([&] { events.SelectedItem(); }), ErrInvalidArgument);
}

TEST(AnnouncedInstruments, KeysArePaddedTrimmedOnLookupAndCappedAt100) {
    EXPECT_EQ(AnnouncedInstruments::MakeInstrumentKey(QStringLiteral("ABC123"), QStringLiteral("ST1"),
                                                      QStringLiteral("U1")),
              QStringLiteral("ABC123      ST1       U1        "));
    EXPECT_EQ(AnnouncedInstruments::MakeInstrumentKey(QString(20, u'-'), QStringLiteral("STATION-LONG"), QString()),
              QString(12, u'-') + QStringLiteral("STATION-LO") + QString(10, u' '));

    AnnouncedInstruments list;
    EXPECT_FALSE(list.IsKeyNotified(QStringLiteral("K")));
    list.AddNotifiedKey(QStringLiteral("K  "));
    EXPECT_TRUE(list.IsKeyNotified(QStringLiteral("  K")));
    for (int i = 1; i < 100; ++i)
        list.AddNotifiedKey(QStringLiteral("key %1").arg(i));
    list.AddNotifiedKey(QStringLiteral("one too many"));
    EXPECT_EQ(list.Count(), 100);
    EXPECT_TRUE(list.IsKeyNotified(QStringLiteral("key 99")));
    EXPECT_FALSE(list.IsKeyNotified(QStringLiteral("one too many")));
}

TEST_F(RecordCollections, NewDataNoticeIsGivenOncePerInstrumentWhenDebugMessagesAreOn) {
    clsAlarmEvents events;
    const auto first = events.Add(QStringLiteral("1 L"), 0);
    first->GasBaseInfo(LogHeaderField::SerialNo, "SN1");
    events.NoticeNewData(*first);
    EXPECT_EQ(events.MessageString(), "");  // debug messages are off in the program
    EXPECT_EQ(events.Announced().Count(), 0);

    State().DebugMessages = true;
    events.NoticeNewData(*first);
    EXPECT_EQ(events.MessageString(), "New Data! Name - Alarm Events");
    events.MessageString(QString());
    events.NoticeNewData(*first);
    EXPECT_EQ(events.MessageString(), "");
    EXPECT_EQ(events.Announced().Count(), 1);
}

}  // namespace
}  // namespace mt52
