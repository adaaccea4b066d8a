// Reading the log areas of a flash image into record collections: which blocks make records,
// how headers, gas entries and entries decode, and how a walk stops on a damaged block.
#include "common/ModuleState.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "records/clsAlarmEvents.h"
#include "records/clsHistorys.h"
#include "records/clsPowerEvents.h"
#include "records/clsSnapShots.h"
#include "records/clsTroubleEvents.h"

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

using Bytes = std::vector<int>;

// A synthetic image: erased (FF) unless written.
class Image {
public:
    explicit Image(qsizetype size = 0x80000) : bytes_(size, static_cast<char>(0xFF)) {}

    // Writes bytes at an offset and answers the offset after them.
    Long Put(Long at, const Bytes& values) {
        for (int v : values)
            bytes_[static_cast<qsizetype>(at++)] = static_cast<char>(v);
        return at;
    }
    Long PutText(Long at, const QByteArray& text, int width) {
        for (int i = 0; i < width; ++i)
            bytes_[static_cast<qsizetype>(at + i)] = i < text.size() ? text[i] : '\0';
        return at + width;
    }

    // A log header at a block start with the given gas entries and what follows them (end
    // byte, optional range block); answers the offset after its lunch-break byte.
    Long PutHeader(Long at, const QByteArray& serial, const std::vector<Bytes>& gasEntries, const Bytes& ending,
                   const Bytes& date) {
        Put(at, {0xEE, 0xEE, 0x01, 0x02, 0x00});
        PutText(at + 5, "USER-1", 16);
        PutText(at + 21, "ST-1", 16);
        PutText(at + 38, serial, 20);
        Long p = Put(at + 58, {0x00, 0x3C});
        for (const Bytes& entry : gasEntries)
            p = Put(p, entry);
        p = Put(p, ending);
        p = Put(p, date);
        return Put(p, {0x07});
    }

    QString Save(const QTemporaryDir& dir, qsizetype length = -1) const {
        const QString path = dir.filePath(QStringLiteral("flash.bin"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(length < 0 ? bytes_ : bytes_.left(length));
        return path;
    }

private:
    QByteArray bytes_;
};

// A 26-byte gas entry: code, name, full scale, number, flags, warning, alarm, STEL, TWA, ratio.
Bytes GasEntry(int code, const char* name, Bytes full, int flags, Bytes warning, Bytes ratio) {
    Bytes entry{code};
    const QByteArray text(name);
    for (int i = 0; i < 10; ++i)
        entry.push_back(i < text.size() ? text[i] : 0);
    entry.insert(entry.end(), full.begin(), full.end());
    entry.insert(entry.end(), {0x00, 0x0A, flags});
    entry.insert(entry.end(), warning.begin(), warning.end());
    entry.insert(entry.end(), {0x00, 0x64, 0xFF, 0xFF, 0xFE, 0xFE});
    entry.insert(entry.end(), ratio.begin(), ratio.end());
    return entry;
}

const Bytes MarchFifth{24, 3, 5, 14, 7, 9};
Date MarchFifthAt() { return *Date::FromParts(2024, 3, 5, 14, 7, 9); }

class FlashLogDecoding : public testing::Test {
protected:
    void SetUp() override {
        ResetState();
        ASSERT_TRUE(dir_.isValid());
    }
    void TearDown() override { ResetState(); }

    QTemporaryDir dir_;
    ManualClock clock_{QDateTime(QDate(2025, 6, 1), QTime(8, 30, 0))};
    ScopedClock scopedClock_{clock_};
};

TEST_F(FlashLogDecoding, AnErasedImageHoldsNoRecords) {
    const QString path = Image().Save(dir_);
    clsAlarmEvents alarms;
    clsTroubleEvents troubles;
    clsPowerEvents powers;
    clsHistorys histories;
    clsSnapShots snaps;
    EXPECT_TRUE(alarms.ReadBinaryLog(path));
    EXPECT_TRUE(troubles.ReadBinaryLog(path));
    EXPECT_TRUE(powers.ReadBinaryLog(path));
    EXPECT_TRUE(histories.ReadBinaryLog(path));
    EXPECT_TRUE(snaps.ReadBinaryLog(path));
    EXPECT_EQ(alarms.Count() + troubles.Count() + powers.Count() + histories.Count() + snaps.Count(), 0);
}

TEST_F(FlashLogDecoding, AMissingImageFailsAndAShortOneEndsErased) {
    clsPowerEvents powers;
    const QString missing = dir_.filePath(QStringLiteral("none.bin"));
    EXPECT_FALSE(powers.ReadBinaryLog(missing));
    EXPECT_FALSE(powers.LastFailure().isEmpty());
    EXPECT_FALSE(QFile::exists(missing));

    // One power block, and the image ends in the middle of the next block.
    Image image;
    image.Put(0x000, {0x00, 0x2A, 24, 4, 1, 10, 15, 0, 0x01});
    image.Put(0x100, {0x00, 0x2B});
    EXPECT_TRUE(powers.ReadBinaryLog(image.Save(dir_, 0x102)));
    ASSERT_EQ(powers.Count(), 2);
    const auto first = powers.Item(QStringLiteral("0 L"));
    EXPECT_EQ(first->LogCnt(0), 42);
    EXPECT_EQ(first->Dates(0), *Date::FromParts(2024, 4, 1, 10, 15, 0));
    EXPECT_EQ(first->Flags(0), 1);
    EXPECT_EQ(first->DataCount(), 1);
    // The cut block reads erased from where the file ends.
    EXPECT_EQ(powers.Item(QStringLiteral("256 L"))->Dates(0), InvalidDateMark);
}

TEST_F(FlashLogDecoding, EventBlocksDecodeHeaderGasEntriesAndEvents) {
    Image image;
    const QByteArray serial = QByteArray("ABCDEFGHIJKL\x03XYZ");
    // Slot 0: flags 0x22 (ppm, 2 decimals), full 03 E8, warning DD DD, wide ratio D0 01.
    // Slot 1 twice: the later entry wins. Then the range block and the date.
    const Bytes ending{0x08, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0x09};
    Long p = image.PutHeader(0x50000, serial,
                             {GasEntry(0x22, "H2S", {0x03, 0xE8}, 0x22, {0xDD, 0xDD}, {0xD0, 0x01}),
                              GasEntry(0x03, "old", {0x00, 0x64}, 0x10, {0x00, 0x0A}, {0x00, 0x64}),
                              GasEntry(0x43, "CH4", {0x00, 0x64}, 0x10, {0x00, 0x0A}, {0x00, 0x64})},
                             ending, MarchFifth);
    image.Put(p + 2, {0x70, 1, 0x71, 48, 0xFF});
    p = image.PutHeader(0x50100, "SN-2", {}, {0x09}, MarchFifth);
    image.Put(p + 2, {0x70, 3, 0xFF});
    p = image.PutHeader(0x60000, "SN-3", {}, {0x09}, MarchFifth);
    image.Put(p + 2, {0x7F, 16, 0xFF});
    const QString path = image.Save(dir_);

    clsAlarmEvents alarms;
    ASSERT_TRUE(alarms.ReadBinaryLog(path)) << alarms.LastFailure().toStdString();
    ASSERT_EQ(alarms.Count(), 2);
    const auto log = alarms.Item(QStringLiteral("327680 L"));
    ASSERT_TRUE(log);
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::LogNo).toLong(), 0x0102);
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::UserID).toString(), "USER-1");
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::StationID).toString(), "ST-1");
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::SerialNo).toString(), "ABCDEFGHIJKL");
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Interval).toLong(), 60);
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::LEL_lo).toLong(), 1);
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::vol_hi).toLong(), 6);
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::Dates).toDate(), MarchFifthAt());
    EXPECT_EQ(log->GasBaseInfo(LogHeaderField::LunchBreak).toLong(), 7);
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Name).toString(), "H2S");
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Point).toInteger(), 2);
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Unit).toString(), "ppm");
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Full).toSingle(), 10.0f);
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Warning).toSingle(), -121.0f);
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Alarm).toSingle(), 1.0f);
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Stel).toSingle(), -101.0f);
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Twa).toSingle(), -118.0f);
    EXPECT_EQ(log->GasListInfo(0, GasInfoField::Ratio).toSingle(), 501.0f);
    EXPECT_TRUE(log->GasListInfo(0, GasInfoField::Enable).toBool());
    EXPECT_EQ(log->GasListInfo(1, GasInfoField::Name).toString(), "CH4");
    EXPECT_EQ(log->GasListInfo(1, GasInfoField::Unit).toString(), "%LEL");
    EXPECT_EQ(log->GasListInfo(1, GasInfoField::Ratio).toSingle(), 100.0f);
    ASSERT_EQ(log->DataCount(), 2);
    EXPECT_EQ(log->GasNo(0), 0);
    EXPECT_EQ(log->Events(0), -103);
    EXPECT_EQ(log->GasNo(1), 1);
    EXPECT_EQ(log->Events(1), -170);
    EXPECT_EQ(log->Dates(1), MarchFifthAt());
    EXPECT_EQ(alarms.Item(QStringLiteral("327936 L"))->Events(0), -105);

    clsTroubleEvents troubles;
    ASSERT_TRUE(troubles.ReadBinaryLog(path));
    ASSERT_EQ(troubles.Count(), 1);
    EXPECT_EQ(troubles.Item(Long{1})->GasNo(0), 15);  // the instrument body

    // Reading the same image again adds the blocks' events to the records once more.
    ASSERT_TRUE(alarms.ReadBinaryLog(path));
    EXPECT_EQ(alarms.Count(), 2);
    EXPECT_EQ(log->DataCount(), 4);
}

TEST_F(FlashLogDecoding, HistoryBlocksShareOneDatedEntryPerTest) {
    Image image;
    const std::vector<Bytes> gases{GasEntry(0x02, "CH4", {0x00, 0x64}, 0x10, {0, 10}, {0, 1}),
                                   GasEntry(0x03, "O2", {0x00, 0xFA}, 0x01, {0, 10}, {0, 1})};
    Long p = image.PutHeader(0x70000, "SN-1", gases, {0x09}, MarchFifth);
    // Calibration entries of slots 0 and 1, one of the undescribed slot 2, then a record start
    // that is stepped over, and the end.
    image.Put(p + 2, {0x60, 0x00, 0x00, 0x00, 0x32, 0x61, 0x00, 0xD1, 0xDD, 0xDD, 0x62, 1, 2, 3, 4, 0xEE, 0xEE, 0xFF});
    p = image.PutHeader(0x70100, "SN-1", gases, {0x09}, {24, 3, 6, 8, 0, 0});
    image.Put(p + 2, {0x71, 0x00, 0xC8, 0x00, 0xD1, 0x00, 0xFF});
    const QString path = image.Save(dir_);

    clsHistorys histories;
    ASSERT_TRUE(histories.ReadBinaryLog(path)) << histories.LastFailure().toStdString();
    ASSERT_EQ(histories.Count(), 2);
    const auto calibration = histories.Item(Long{1});
    ASSERT_EQ(calibration->DataCount(), 1);
    EXPECT_EQ(calibration->GasBaseInfo(LogHeaderField::Sampling).toLong(), 0);
    EXPECT_EQ(calibration->Dates(0), MarchFifthAt());
    EXPECT_EQ(calibration->After(0, 0), 50.0f);
    EXPECT_EQ(calibration->GasName(0, 0), "CH4");
    EXPECT_EQ(calibration->Before(1, 0), 20.9f);
    EXPECT_EQ(calibration->After(1, 0), -121.0f);
    EXPECT_EQ(calibration->Judge(1, 0), 0.0f);
    EXPECT_EQ(calibration->Before(2, 0), -101.0f);  // the undescribed slot was skipped

    const auto bump = histories.Item(Long{2});
    ASSERT_EQ(bump->DataCount(), 1);
    EXPECT_EQ(bump->GasBaseInfo(LogHeaderField::Sampling).toLong(), 1);
    EXPECT_EQ(bump->Before(1, 0), 20.0f);
    EXPECT_EQ(bump->Judge(1, 0), 1.0f);

    // Read again: the entries merge into the dated entry they share.
    ASSERT_TRUE(histories.ReadBinaryLog(path));
    EXPECT_EQ(calibration->DataCount(), 1);
}

TEST_F(FlashLogDecoding, ADamagedBlockStopsTheWalkAndKeepsWhatWasRead) {
    Image image;
    Long p = image.PutHeader(0x50000, "SN-1", {}, {0x09}, MarchFifth);
    image.Put(p + 2, {0x70, 1, 0xFF});
    // Gas code 7 names a sixth slot.
    image.PutHeader(0x50200, "SN-2", {GasEntry(0x07, "X", {0, 1}, 0, {0, 0}, {0, 0})}, {0x09}, MarchFifth);
    image.PutHeader(0x50300, "SN-3", {}, {0x09}, MarchFifth);
    clsAlarmEvents alarms;
    EXPECT_FALSE(alarms.ReadBinaryLog(image.Save(dir_)));
    EXPECT_TRUE(alarms.LastFailure().contains(QStringLiteral("328192"))) << alarms.LastFailure().toStdString();
    ASSERT_EQ(alarms.Count(), 2);
    EXPECT_EQ(alarms.Item(Long{1})->DataCount(), 1);

    // A block without an FF after its events runs off its end.
    Image endless;
    p = endless.PutHeader(0x60000, "SN-1", {}, {0x09}, MarchFifth);
    for (Long at = p + 2; at < 0x60100; at += 2)
        endless.Put(at, {0x70, 1});
    clsTroubleEvents troubles;
    EXPECT_FALSE(troubles.ReadBinaryLog(endless.Save(dir_)));
}

TEST_F(FlashLogDecoding, SnapshotBlocksDecodeTheirReading) {
    Image image;
    // With a gas entry (code 0x42: slot 0, bump sampling), warning 25.0 and alarm DD DD DD DD.
    image.Put(0x30000, {0xEE, 0xEE, 0x00, 0x09});
    image.PutText(0x30000 + 5, QByteArray(), 33);  // blank user and station IDs
    image.PutText(0x30000 + 38, QByteArray("ABCDEFGHIJKL\x03XYZ"), 20);
    image.Put(0x30000 + 60, {0x42});
    image.Put(0x30000 + 124, {0x41, 0xC8, 0x00, 0x00, 0xDD, 0xDD, 0xDD, 0xDD});
    Long p = image.Put(0x30000 + 136, MarchFifth);
    image.Put(p + 2, {0xFE, 0xFE, 0xFE, 0xFE, 0x05, 0x01});
    // Without a gas entry: the date follows the header at once.
    image.Put(0x30100, {0xEE, 0xEE, 0x00, 0x0A, 0x00});
    p = image.Put(0x30100 + 60, MarchFifth);
    image.Put(p + 2, {0xDD, 0xDD, 0xDD, 0xDD, 0x00, 0x00});
    clsSnapShots snaps;
    ASSERT_TRUE(snaps.ReadBinaryLog(image.Save(dir_))) << snaps.LastFailure().toStdString();
    ASSERT_EQ(snaps.Count(), 2);

    const auto first = snaps.Item(QStringLiteral("196608 L"));
    EXPECT_EQ(first->GasBaseInfo(LogHeaderField::LogNo).toLong(), 9);
    EXPECT_EQ(first->GasBaseInfo(LogHeaderField::SerialNo).toString(), QString::fromLatin1("ABCDEFGHIJKL\x03XYZ"));
    EXPECT_EQ(first->GasBaseInfo(LogHeaderField::UserID).toString(), QString(16, u'-'));
    EXPECT_EQ(first->GasBaseInfo(LogHeaderField::Sampling).toLong(), 1);
    EXPECT_EQ(first->GasListInfo(0, GasInfoField::Warning).toSingle(), 25.0f);
    EXPECT_EQ(first->GasListInfo(0, GasInfoField::Alarm).toSingle(), -101.0f);
    EXPECT_TRUE(first->GasListInfo(0, GasInfoField::Enable).toBool());
    EXPECT_EQ(first->GasBaseInfo(LogHeaderField::Dates).toDate(), MarchFifthAt());
    EXPECT_EQ(first->GasBaseInfo(LogHeaderField::Names).toString(),
              QString::fromLatin1("ss05140709_ABCDEFGHIJKL\x03XYZ"));
    EXPECT_EQ(first->GasBaseInfo(LogHeaderField::FolderID).toString(), "03/24");
    EXPECT_EQ(first->GasBaseInfo(LogHeaderField::Last).toDate(), Now());
    EXPECT_EQ(first->GasValue(0), -118.0f);
    EXPECT_EQ(first->GasEvent(0, 0), 5.0f);
    EXPECT_EQ(first->GasRange(0, 0), 1);

    const auto second = snaps.Item(Long{2});
    EXPECT_EQ(second->GasBaseInfo(LogHeaderField::Dates).toDate(), MarchFifthAt());
    EXPECT_EQ(second->GasValue(0), -101.0f);
    EXPECT_FALSE(second->GasListInfo(0, GasInfoField::Enable).toBool());
}

}  // namespace
}  // namespace mt52
