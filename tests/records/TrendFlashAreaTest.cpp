// The walks of the trend areas of a memory image: ring states, pages and sectors, headers,
// data items and trailers, events, record keys, and a decoded log stored and read back.
#include "instrument/clsInstrument.h"
#include "records/FlashLogBlock.h"
#include "records/TrendFixture.h"
#include "records/TrendFlashRecords.h"
#include "records/clsAlarms.h"
#include "records/clsIntervals.h"
#include "support/Files.h"

namespace mt52 {
namespace {

// An erased memory image (all FF) that tests write records into.
using test::Values;

class Image {
public:
    explicit Image(Long size) : bytes_(size, '\xFF') {}
    void put(Long offset, const QByteArray& data) { bytes_.replace(offset, data.size(), data); }
    void fill(Long offset, Long count, char value) { bytes_.replace(offset, count, QByteArray(count, value)); }
    bool save(const QString& path) const { return test::WriteFile(path, bytes_); }

private:
    QByteArray bytes_;
};

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b += static_cast<char>(v);
    return b;
}
QByteArray Word(int v) { return Bytes({(v >> 8) & 0xFF, v & 0xFF}); }
QByteArray Text(const char* text, int width) { return QByteArray(text).leftJustified(width, '\0', true); }

// A 26-byte gas entry: name, full scale and levels as stored numbers, decimals and unit code.
QByteArray GasEntry(int code, const char* name, int point, int unit, int full = 1000, int warning = 100,
                    int alarm = 0xDDDD) {
    return Bytes({code}) + Text(name, 10) + Word(full) + Word(5) + Bytes({(unit << 4) | point}) + Word(warning) +
           Word(alarm) + Word(0xFFFF) + Word(0xFEFE) + Word(0xDDDD);
}

// A log header with its date block (2024-05-13 14:20:05, lunch break 1).
QByteArray Header(int logNo, const QByteArray& gasEntries, int interval = 10, const QByteArray& serial = "SN0042",
                  const QByteArray& range = {}) {
    return Bytes({0xEE, 0xEE}) + Word(logNo) + Bytes({0x00}) + Text("USER1", 16) + Text("", 16) + Bytes({0}) +
           Text(serial.constData(), 20) + Word(interval) + gasEntries + range + Bytes({0x01, 24, 5, 13, 14, 20, 5, 1});
}

// A data item: a run of n samples of a gas, or an event of a gas after some seconds.
QByteArray RunItem(int gas, int value, int n) { return Word(value) + Bytes({0x80 | gas, n}); }
QByteArray EventItem(int gas, int seconds, int number) { return Word(seconds) + Bytes({gas, number}); }

// A trailer: statistics of gas slot 0 (all no data) and the end time 2024-05-13 15:00:00.
QByteArray Trailer() {
    return Bytes({0xEE, 0xEE, 0, 0, 0x20}) + Word(0xFFFF) + Word(0xFFFF) + Bytes({0xDD, 0xDD, 0, 0, 0, 0}) +
           Word(0xFFFF) + Bytes({0xDD, 0xDD, 0, 0, 0, 0}) + Bytes({0x26, 24, 5, 13, 15, 0, 0});
}

// The start of every log header below.
Date StartOf() { return *Date::FromParts(2024, 5, 13, 14, 20, 5); }

class FlashArea : public test::TrendFixture {
protected:
    const Date Start = StartOf();
    void SetUp() override {
        TrendFixture::SetUp();
        instrument_.RomNumber(7);
        intervals_.Instruments(&instrument_);
        alarms_.Instruments(&instrument_);
        path_ = dir_.filePath(QStringLiteral("image.bin"));
    }
    std::vector<std::pair<Date, Values>> TrendOf(const RecordFrame& r) {
        QFile file(TrendFilePath(r.GasBaseInfo(LogHeaderField::FolderID).toString(),
                                 r.GasBaseInfo(LogHeaderField::Names).toString()));
        std::vector<std::pair<Date, Values>> out;
        if (file.open(QIODevice::ReadOnly)) {
            for (const TrendRecord& t : ReadTrendRecords(file))
                out.emplace_back(t.Time, t.Values);
        }
        return out;
    }
    QStringList Keys(const auto& collection) {
        QStringList keys;
        for (const auto& r : collection)
            keys << r->Key();
        return keys;
    }

    clsInstrument instrument_;
    clsIntervals intervals_;
    clsAlarms alarms_;
    QString path_;
};

// The serial number of a log header follows one rule whichever walk reads it (interval and
// alarm trends, events and histories): the field through BlankToDashes, and a byte 3 as the
// 13th character of that text keeps its first 12 characters followed by 8 blanks.
TEST_F(FlashArea, TheSerialNumberOfEveryLogHeaderFollowsOneRule) {
    struct Case {
        QByteArray field;
        QString serial;
    };
    const QString twelve = QStringLiteral("ABCDEFGHIJKL") + QString(8, u' ');
    const Case cases[] = {
        {"ABCDEFGHIJKL\x03XYZ", twelve},
        {" ABCDEFGHIJKL\x03XY", twelve},  // the 13th character once the blank is trimmed
        {"  ABCDEFGHIJ\x03XYZ", QString::fromLatin1("ABCDEFGHIJ\x03XYZ")},  // the 13th byte, the 11th character
        {"SN0042", QStringLiteral("SN0042")},
        {"", QString(20, u'-')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        const QByteArray block = Header(1, GasEntry(0x02, "CH4", 1, 1), 10, c.field);
        for (FlashLogKind kind : {FlashLogKind::Interval, FlashLogKind::Alarm}) {
            LogHeader trend;
            std::array<GasSlot, RecordGasSlots> gas{};
            Long st = 0;
            DecodeFlashHeader(block, st, kind, trend, gas);
            EXPECT_EQ(trend.SerialNo, c.serial);
        }
        LogHeader events;
        DecodeHeaderIdentity(block, 0, events, true);
        EXPECT_EQ(events.SerialNo, c.serial);
    }
}

TEST_F(FlashArea, IntervalLogDecodesHeaderDataAcrossPagesEventsAndTrailer) {
    Image image(0x50000);
    const QByteArray header =
        Header(1, GasEntry(0x42, "CH4", 1, 1) + GasEntry(0x07, "X", 0, 0) + GasEntry(0x23, "O2", 0, 0),
               10, QByteArray("SN0042") + QByteArray(6, ' ') + Bytes({0x03}) + "junk",
               Bytes({0x28}) + Word(0) + Word(100) + Word(0xDDDD) + Word(2000) + Word(1) + Word(5));
    // Page 1: header, then a data record whose items run on into page 2.
    QByteArray page = header + Bytes({0xEE, 0xEE}) + RunItem(0, 0x0064, 3) + EventItem(15, 5, 1) + RunItem(1, 0xDDDD, 0) +
                      EventItem(2, 7, 1);  // gas slot 2 has no name: dropped
    image.put(0x40000, page);
    image.put(0x40100, RunItem(0, 0x00C8, 2) + RunItem(1, 21, 2) + EventItem(1, 1000, 1) + Bytes({0xEE, 0xEE, 0, 0}) +
                           Bytes({0x20}) + Word(0x0064) + Word(0xFFFF) + Bytes({0xDD, 0xDD, 0, 0, 0, 0}) +
                           Word(0xFEFE) + Bytes({24, 5, 13, 15, 0, 0}) +  // slot 0 statistics
                           Bytes({0x33}) + Word(20) + Word(21) + Bytes({24, 5, 13, 15, 1, 0}) + Word(19) +
                           Bytes({24, 5, 13, 15, 2, 0}) +  // no code: slot 0 again
                           Bytes({0x26, 24, 5, 13, 16, 0, 0}));
    ASSERT_TRUE(image.save(path_));

    EXPECT_TRUE(intervals_.ReadBinaryLog(path_));
    ASSERT_EQ(intervals_.Count(), 1);
    const auto r = intervals_.Item(QStringLiteral("262144 L"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Instrument(), &instrument_);
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::LogNo), Variant(Long{1}));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::UserID), Variant("USER1"));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::StationID), Variant(QString(16, u'-')));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::SerialNo), Variant("SN0042"));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Interval), Variant(Long{10}));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Sampling), Variant(Integer{1}));  // from 0x42; 0x23 leaves it
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Dates), Variant(Start));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::LunchBreak), Variant(Integer{1}));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::ppm_lo), Variant(Long{-121}));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::vol_hi), Variant(Long{5}));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Names), Variant("iv13142005_SN0042"));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::FolderID), Variant("05/24"));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Last), Variant(*Date::FromParts(2024, 5, 13, 16, 0, 0)));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Name), Variant("CH4"));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Unit), Variant("%LEL"));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Full), Variant(100.0f));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Warning), Variant(10.0f));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Alarm), Variant(Single{-121}));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Stel), Variant(Single{-101}));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Twa), Variant(Single{-118}));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Ratio), Variant(Single{-121}));
    EXPECT_EQ(r->GasListInfo(1, GasInfoField::Name), Variant("O2"));
    EXPECT_EQ(r->GasListInfo(1, GasInfoField::Enable), Variant(true));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Avr), Variant(2.0f));  // the later entry of slot 0
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Max), Variant(2.1f));
    EXPECT_EQ(r->GasListInfo(0, GasInfoField::Min), Variant(1.9f));
    EXPECT_TRUE(r->HasMeasuredValue());

    // Gas 1: records 1..5 one interval apart; gas 2: a run of 0 writes nothing, then 2 samples.
    const auto trend = TrendOf(*r);
    ASSERT_EQ(trend.size(), 5u);
    const std::vector<Single> gas1{10, 10, 10, 20, 20};
    for (std::size_t i = 0; i < trend.size(); ++i) {
        EXPECT_EQ(trend[i].first, Start.addSeconds(10.0 * (i + 1))) << i;
        EXPECT_EQ(trend[i].second[0], gas1[i]) << i;
    }
    EXPECT_EQ(trend[0].second[1], 21.0f);
    EXPECT_EQ(trend[2].second[1], -101.0f);

    // Events: the body's goes to slot 0 after its 3 samples; 1000 s is taken modulo the interval.
    ASSERT_EQ(r->EventCount(), 2);
    EXPECT_EQ(r->EventDateTimes(0), Start.addSeconds(35));
    EXPECT_EQ(r->EventDateTimes(1), Start.addSeconds(20));
}

TEST_F(FlashArea, TwoHeadersInOnePageAreTwoLogsAndLooseRecordsSkipTheirPage) {
    Image image(0x50000);
    const QByteArray first = Header(1, GasEntry(0x02, "CH4", 0, 1)) + Bytes({0xEE, 0xEE}) + RunItem(0, 5, 1) +
                             Trailer();
    const QByteArray second = Header(2, GasEntry(0x02, "H2S", 0, 2), 20, "SN0043");
    image.put(0x40000, first + second + Bytes({0xEE, 0xEE}) + RunItem(0, 7, 2));
    // The second log's trailer, then a data record with no header open: the rest of its page
    // is passed over.
    image.put(0x40100, Trailer() + Bytes({0xEE, 0xEE}) + RunItem(0, 1, 1) + Header(3, GasEntry(0x02, "CO", 0, 2)));
    ASSERT_TRUE(image.save(path_));

    EXPECT_TRUE(intervals_.ReadBinaryLog(path_));
    EXPECT_EQ(Keys(intervals_), (QStringList{QStringLiteral("262144 L"),
                                             QStringLiteral("%1 L").arg(0x40000 + first.size())}));
    const auto a = intervals_.Item(1);
    const auto b = intervals_.Item(2);
    EXPECT_EQ(a->GasListInfo(0, GasInfoField::Name), Variant("CH4"));
    EXPECT_EQ(TrendOf(*a).size(), 1u);
    EXPECT_EQ(b->GasListInfo(0, GasInfoField::Name), Variant("H2S"));
    EXPECT_EQ(b->GasBaseInfo(LogHeaderField::Sampling), Variant(Integer{0}));
    EXPECT_EQ(TrendOf(*b).size(), 2u);
}

TEST_F(FlashArea, IntervalRingStates) {
    // Empty: the first page erased and no header after it.
    Image empty(0x50000);
    ASSERT_TRUE(empty.save(path_));
    EXPECT_FALSE(intervals_.ReadBinaryLog(path_));
    EXPECT_EQ(intervals_.Count(), 0);

    // Wrapped: the oldest logs lie above the erased page, up to the top, then from the bottom.
    Image wrapped(0x50000);
    wrapped.fill(0x40000, 0x10000, '\0');
    wrapped.fill(0x40100, 0x100, '\xFF');
    wrapped.put(0x40000, Header(3, GasEntry(0x02, "C", 0, 1)));
    wrapped.put(0x40200, Header(1, GasEntry(0x02, "A", 0, 1)));
    wrapped.put(0x4FF00, Header(2, GasEntry(0x02, "B", 0, 1)));
    ASSERT_TRUE(wrapped.save(path_));
    EXPECT_TRUE(intervals_.ReadBinaryLog(path_));
    EXPECT_EQ(Keys(intervals_), (QStringList{QStringLiteral("262656 L"), QStringLiteral("327424 L"),
                                             QStringLiteral("262144 L")}));
}

TEST_F(FlashArea, AStoredFlashLogReadsBackUnchanged) {
    Image image(0x50000);
    image.put(0x40000, Header(1, GasEntry(0x02, "CH4", 1, 1)) + Bytes({0xEE, 0xEE}) + RunItem(0, 0x0064, 2) +
                           RunItem(0, 0, 1) + EventItem(0, 3, 1) + Trailer());
    ASSERT_TRUE(image.save(path_));
    ASSERT_TRUE(intervals_.ReadBinaryLog(path_));
    const auto decoded = intervals_.Item(1);
    decoded->Update();

    clsInterval loaded;
    loaded.SeqNo(1);
    loaded.ReLoad();
    EXPECT_TRUE(loaded.LoadStatus().complete());
    EXPECT_EQ(loaded.GasBaseInfo(LogHeaderField::Names), decoded->GasBaseInfo(LogHeaderField::Names));
    EXPECT_EQ(loaded.GasBaseInfo(LogHeaderField::Last), decoded->GasBaseInfo(LogHeaderField::Last));
    EXPECT_EQ(loaded.GasListInfo(0, GasInfoField::Warning), decoded->GasListInfo(0, GasInfoField::Warning));
    ASSERT_EQ(loaded.DataCount(), 3);
    EXPECT_EQ(loaded.GasValue(0, 0), Variant(10.0f));
    EXPECT_EQ(loaded.GasValue(0, 2), Variant(0.0f));  // a real zero
    EXPECT_EQ(loaded.GasValue(1, 2), Variant(Single{-101}));
    ASSERT_EQ(loaded.EventCount(), 1);
    EXPECT_EQ(loaded.EventDateTimes(0), Start.addSeconds(33));
}

TEST_F(FlashArea, ALogDecodedAgainAfterItsRecordWasDeletedHoldsOnlyItsOwnSamples) {
    Image image(0x50000);
    image.put(0x40000, Header(1, GasEntry(0x02, "CH4", 1, 1)) + Bytes({0xEE, 0xEE}) + RunItem(0, 0x0064, 2) +
                           RunItem(0, 0, 1) + EventItem(0, 3, 1) + Trailer());
    ASSERT_TRUE(image.save(path_));
    ASSERT_TRUE(intervals_.ReadBinaryLog(path_));
    const LogHeader header = intervals_.Item(1)->Header();
    // The file a deleted record of the same name left: 50 samples of 7.0.
    WriteTrend(header.FolderID, header.Names, Start, 60, std::vector<Values>(50, Values{7, 7, 7, 7, 7}));

    clsIntervals again;
    ASSERT_TRUE(again.ReadBinaryLog(path_));
    QFile file(TrendFilePath(header.FolderID, header.Names));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<TrendRecord> records = ReadTrendRecords(file);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Values[0], 10.0f);
    EXPECT_EQ(records[2].Values[0], 0.0f);
}

class AlarmFlash : public FlashArea {
protected:
    static constexpr Long Sector = 0x3000;
    static Long SectorAt(int n) { return 0x10000 + n * Sector; }
    // A sample item with presence bits and five readings.
    static QByteArray Item(int present, std::array<int, 5> readings) {
        QByteArray b = Bytes({0, present});
        for (int r : readings)
            b += Word(r);
        return b + QByteArray(4, '\0');
    }
    // An alarm header in sector n whose samples lie in sector `samples` (0 readings, all present).
    static void PutLog(Image& image, int n, int samples, const char* gas = "CH4") {
        image.put(SectorAt(n), Header(samples, GasEntry(0x42, gas, 1, 1) + GasEntry(0x03, "O2", 0, 0)));
        for (int k = 0; k < 720; ++k)
            image.put(SectorAt(samples) + 384 + k * 16, Item(0x03, {k, 200, 0, 0, 0}));
    }
};

TEST_F(AlarmFlash, SamplesSurroundTheAlarmWithTheirPresenceBitsAndMarkers) {
    Image image(0x2E000);
    PutLog(image, 0, 2);  // samples from another sector
    image.put(SectorAt(2) + 384, Item(0x1F, {0xDDDD, 0xFEFE, 0x0033, 0xFFFF, 9}));  // slots 2..4 have no gas
    image.put(SectorAt(2) + 384 + 16, Item(0x00, {1, 1, 1, 1, 1}));
    ASSERT_TRUE(image.save(path_));

    EXPECT_TRUE(alarms_.ReadBinaryLog(path_));
    ASSERT_EQ(alarms_.Count(), 1);
    const auto r = alarms_.Item(QStringLiteral("65536 L"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Names), Variant("al13142005_SN0042"));
    EXPECT_EQ(r->GasBaseInfo(LogHeaderField::Sampling), Variant(Integer{0}));  // 0x42 leaves it
    const auto trend = TrendOf(*r);
    ASSERT_EQ(trend.size(), 720u);
    EXPECT_EQ(trend[0].first, Start.addSeconds(-3600));
    EXPECT_EQ(trend[360].first, Start);
    EXPECT_EQ(trend[719].first, Start.addSeconds(3590));
    EXPECT_EQ(trend[0].second, (Values{-121, -118, -101, -101, -101}));
    EXPECT_EQ(trend[1].second, (Values{-101, -101, -101, -101, -101}));
    EXPECT_EQ(trend[2].second, (Values{0.2f, 200, -101, -101, -101}));
    EXPECT_EQ(trend[0].first, Start.addSeconds(-3600));
}

TEST_F(AlarmFlash, RingStatesGiveTheLogOrder) {
    // Full: every sector holds a log, read in address order.
    Image full(0x2E000);
    for (int n = 0; n < 10; ++n)
        PutLog(full, n, n);
    ASSERT_TRUE(full.save(path_));
    EXPECT_TRUE(alarms_.ReadBinaryLog(path_));
    ASSERT_EQ(alarms_.Count(), 10);
    EXPECT_EQ(alarms_.Item(1)->Key(), QStringLiteral("65536 L"));
    EXPECT_EQ(alarms_.Item(10)->Key(), QStringLiteral("176128 L"));

    // Wrapped: from the first log above the erased sector to the top, then from the bottom.
    clsAlarms wrappedLogs;
    Image wrapped(0x2E000);
    for (int n : {0, 2, 3, 4, 5, 6, 7, 8, 9})
        PutLog(wrapped, n, n);
    ASSERT_TRUE(wrapped.save(path_));
    EXPECT_TRUE(wrappedLogs.ReadBinaryLog(path_));
    QStringList expected;
    for (int n : {2, 3, 4, 5, 6, 7, 8, 9, 0})
        expected << QStringLiteral("%1 L").arg(SectorAt(n));
    EXPECT_EQ(Keys(wrappedLogs), expected);

    // Empty: nothing read.
    clsAlarms none;
    ASSERT_TRUE(Image(0x2E000).save(path_));
    EXPECT_FALSE(none.ReadBinaryLog(path_));
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(AlarmFlash, AStoredAlarmLogReadsBack) {
    Image image(0x2E000);
    PutLog(image, 0, 0);
    ASSERT_TRUE(image.save(path_));
    ASSERT_TRUE(alarms_.ReadBinaryLog(path_));
    alarms_.Item(1)->Update();

    clsAlarm loaded;
    loaded.SeqNo(1);
    loaded.ReLoad();
    EXPECT_TRUE(loaded.LoadStatus().complete());
    ASSERT_EQ(loaded.DataCount(), 720);
    EXPECT_EQ(loaded.GasListInfo(0, GasInfoField::Name), Variant("CH4"));
    EXPECT_EQ(loaded.value(0, 0), 0.0f);
    EXPECT_EQ(loaded.value(0, 719), 71.9f);
    EXPECT_EQ(loaded.value(1, 5), 200.0f);
    EXPECT_EQ(loaded.value(2, 5), -101.0f);
}

}  // namespace
}  // namespace mt52
