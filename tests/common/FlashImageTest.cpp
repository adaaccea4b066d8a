#include "common/FlashImage.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

namespace mt52 {
namespace {

constexpr Long ImageBytes = 0x50000;

Long Sector(int i) { return AlarmRingStart + i * AlarmSectorBytes; }
Long Page(int i) { return IntervalRingStart + i * IntervalPageBytes; }

// A synthetic image: erased (FF) except where a test puts data or record headers.
class Image {
public:
    Image() : bytes_(ImageBytes, '\xFF') {}
    Image& data(Long unit) {
        bytes_[unit] = 0x12;
        return *this;
    }
    Image& dataUnits(Long (*unit)(int), int first, int last) {
        for (int i = first; i <= last; ++i)
            data(unit(i));
        return *this;
    }
    Image& header(Long at, char type = 0x40) {
        bytes_.replace(at, 5, QByteArray("\xEE\xEE\x01\x02", 4) + type);
        return *this;
    }
    QString save(const QTemporaryDir& dir) const {
        const QString path = dir.filePath(QStringLiteral("image.bin"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes_) != bytes_.size())
            ADD_FAILURE() << "cannot write the image";
        return path;
    }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

TEST(FlashImage, BlankDumpIsErasedAndCutToSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dump.bin"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(300000, 'x'));  // an older, longer image
    }
    CreateBlankDump(path, 200000);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(200000, '\xFF'));
    file.close();

    CreateBlankDump(path, 0);
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(ErrorOf([&] { CreateBlankDump(path, -1); }), ErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { CreateBlankDump(dir.filePath(QStringLiteral("no/such/dir/x.bin")), 10); }),
              ErrPathFileAccess);
}

TEST(FlashImage, ReadBytesPadsPastTheEndWithZeros) {
    QBuffer buffer;
    buffer.setData(QByteArray::fromHex("0102030405"));
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(ReadDumpBytes(buffer, 1, 2).toHex(), "0203");
    EXPECT_EQ(ReadDumpBytes(buffer, 3, 4).toHex(), "04050000");
    EXPECT_EQ(ReadDumpBytes(buffer, 100, 2).toHex(), "0000");
    EXPECT_EQ(ErrorOf([&] { ReadDumpBytes(buffer, 0, 0); }), ErrSubscript);
    QBuffer closed;
    EXPECT_EQ(ErrorOf([&] { ReadDumpBytes(closed, 0, 1); }), ErrBadFileName);
}

TEST(FlashImage, FirstHeaderNeedsAPairAndAHeaderType) {
    constexpr Long Base = 0x100;
    struct Case {
        const char* hex;
        Long from;  // relative to Base
        Long to;
        Long found;  // relative to Base, -1 for none
    };
    const std::vector<Case> cases{
        {"eeee123440", 0, 4, 0},
        {"eeee123400", 0, 1, 0},          // the type may lie past `to`
        {"eeee123441", 0, 4, -1},
        {"ee00eeee000000", 0, 6, 2},
        {"eeee41eeee000040", 0, 7, 3},    // a failed pair does not start the next one
        {"eeee123440", 1, 4, -1},         // the first EE lies before `from`
        {"00eeee123440", 0, 1, -1},       // the second EE lies past `to`
        {"eeee123440", 3, 2, -1},         // an empty range
    };
    for (const Case& c : cases) {
        QByteArray bytes(0x200, '\xFF');
        const QByteArray pattern = QByteArray::fromHex(c.hex);
        bytes.replace(Base, pattern.size(), pattern);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const Long expected = c.found == -1 ? -1 : Base + c.found;
        EXPECT_EQ(FindFirstHeader(buffer, Base + c.from, Base + c.to), expected) << c.hex;
    }
}

TEST(FlashImage, AlarmRingStates) {
    struct Case {
        const char* what;
        Image image;
        DumpRingArea area;
    };
    std::vector<Case> cases;
    cases.push_back({"blank", Image(), {0x10000, 0x10000, 0}});
    cases.push_back({"no sector erased", Image().dataUnits(Sector, 0, 9).header(Sector(4) + 8), {-1, 0x10000, 0}});
    cases.push_back({"only the top sector erased", Image().dataUnits(Sector, 0, 8).header(Sector(0) + 0x20, 0x00),
                     {0x10020, 0x28000, 1}});
    cases.push_back({"first sector erased", Image().dataUnits(Sector, 1, 9).header(Sector(1) + 0x10),
                     {0x13010, 0x2B000, 2}});
    cases.push_back({"wrapped",
                     Image().dataUnits(Sector, 0, 2).dataUnits(Sector, 4, 9).header(Sector(0)).header(Sector(5) + 5),
                     {0x1F005, 0x16000, 3}});
    cases.push_back({"running up", Image().dataUnits(Sector, 0, 1).header(Sector(0) + 8), {0x10008, 0x13000, 1}});
    cases.push_back({"running up without header", Image().dataUnits(Sector, 0, 1), {-1, 0x13000, 1}});
    cases.push_back({"first sector erased, no header above", Image().data(Sector(3)), {0x10000, 0x10000, 0}});

    QTemporaryDir dir;
    for (const Case& c : cases)
        EXPECT_EQ(FindAlarmTrendArea(c.image.save(dir)), c.area) << c.what;
    EXPECT_EQ(ErrorOf([&] { FindAlarmTrendArea(dir.filePath(QStringLiteral("missing.bin"))); }), ErrFileNotFound);
}

TEST(FlashImage, IntervalRingStates) {
    struct Case {
        const char* what;
        Image image;
        DumpRingArea area;
    };
    std::vector<Case> cases;
    cases.push_back({"blank", Image(), {0x40000, 0x40000, 0}});
    cases.push_back({"no page erased", Image().dataUnits(Page, 0, 255), {0x40000, 0x4FE00, 1}});
    cases.push_back({"only the top page erased", Image().dataUnits(Page, 0, 254).header(Page(0) + 0x10),
                     {0x40010, 0x4FE00, 1}});
    cases.push_back({"first page erased", Image().dataUnits(Page, 1, 255).header(Page(1)), {0x40100, 0x4FFFF, 2}});
    cases.push_back({"wrapped", Image().dataUnits(Page, 0, 4).dataUnits(Page, 6, 255).header(Page(8)),
                     {0x40800, 0x40400, 3}});
    cases.push_back({"running up without header", Image().dataUnits(Page, 0, 1), {0x40000, 0x40100, 1}});
    cases.push_back({"running up", Image().dataUnits(Page, 0, 1).header(Page(0) + 0x30), {0x40030, 0x40100, 1}});

    QTemporaryDir dir;
    for (const Case& c : cases)
        EXPECT_EQ(FindIntervalTrendArea(c.image.save(dir)), c.area) << c.what;
}

class PageWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        Image image;
        image.dataUnits(Page, 0, 255);
        bytes = image.bytes();
        bytes[Page(4)] = '\xFF';
        bytes[Page(4) + 1] = '\xFF';  // page 4 erased for the walk
        buffer.setBuffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
    }

    bool Step(Integer& mode, Long last, Long& page) {
        position = 7;
        const bool more = NextDumpPage(mode, buffer, last, page, position, 16, pageBytes);
        EXPECT_EQ(position, 0);
        EXPECT_EQ(pageBytes, bytes.mid(page, 16));
        return more;
    }

    QByteArray bytes;
    QBuffer buffer;
    QByteArray pageBytes;
    Integer position = 0;
};

TEST_F(PageWalkTest, WrappedRingWrapsOnceThenEndsAtTheLastPage) {
    Integer mode = 3;
    Long page = 0x4FE00;
    EXPECT_TRUE(Step(mode, 0x40100, page));
    EXPECT_EQ(page, 0x4FF00);
    EXPECT_TRUE(Step(mode, 0x40100, page));
    EXPECT_EQ(page, 0x40000);
    EXPECT_EQ(mode, -1);
    EXPECT_TRUE(Step(mode, 0x40100, page));
    EXPECT_EQ(page, 0x40100);
    EXPECT_TRUE(Step(mode, 0x40100, page));  // the last page is passed once, as a straight walk does
    EXPECT_EQ(page, 0x40200);
    EXPECT_FALSE(Step(mode, 0x40100, page));
    EXPECT_EQ(page, 0x40200);
}

TEST_F(PageWalkTest, StraightWalkStopsAtErasedPagesAndTheTopOfTheRing) {
    Integer mode = 1;
    Long page = 0x40300;
    EXPECT_FALSE(Step(mode, 0x4FE00, page));  // page 4 is erased
    EXPECT_EQ(page, 0x40400);

    mode = 2;
    page = 0x4FE00;
    EXPECT_TRUE(Step(mode, 0x4FFFF, page));
    EXPECT_EQ(page, 0x4FF00);
    EXPECT_FALSE(Step(mode, 0x4FFFF, page));  // never on to 0x50000
    EXPECT_EQ(page, 0x4FF00);

    mode = 3;
    page = 0x4FF80;  // not a page of the ring
    EXPECT_FALSE(Step(mode, 0x40100, page));
    EXPECT_EQ(page, 0x4FF80);
}

TEST(FlashImage, DateTimeOfSixBytes) {
    struct Case {
        const char* hex;
        std::optional<Date> date;
    };
    const std::vector<Case> cases{
        {"09041e080500", Date::FromParts(2009, 4, 30, 8, 5, 0)},
        {"630c1f173b3b", Date::FromParts(2099, 12, 31, 23, 59, 59)},
        {"000101000000", Date::FromParts(2000, 1, 1)},
        {"090d01000000", InvalidDateMark},  // month 13
        {"ffffffffffff", InvalidDateMark},  // erased
        {"64010100000a", InvalidDateMark},  // year byte 100
        {"09021d000000", InvalidDateMark},  // 29 February 2009
        {"090101180000", InvalidDateMark},  // hour 24
        {"09010100003c", InvalidDateMark},  // second 60
        {"090001000000", InvalidDateMark},  // month 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(DumpDateTime(QByteArray::fromHex(c.hex), 0), c.date) << c.hex;

    const QByteArray bytes = QByteArray::fromHex("ff09041e080500");
    EXPECT_EQ(DumpDateTime(bytes, 1), Date::FromParts(2009, 4, 30, 8, 5, 0));
    EXPECT_EQ(ErrorOf([&] { DumpDateTime(bytes, 2); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { DumpDateTime(bytes, -1); }), ErrSubscript);
}

TEST(FlashImage, TextAndValueMarks) {
    EXPECT_EQ(DumpText(QByteArray::fromHex("410042"), 0, 3), "A B");
    EXPECT_EQ(DumpText(QByteArray::fromHex("0043483400"), 1, 4), "CH4 ");  // nothing trimmed
    EXPECT_EQ(DumpText(QByteArray::fromHex("b1"), 0, 1), QString(QChar(0xFF71)));  // half-width katakana
    const QByteArray three = QByteArray::fromHex("414243");
    EXPECT_EQ(ErrorOf([&] { DumpText(three, 1, 3); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { DumpText(three, 0, 0); }), ErrSubscript);
    EXPECT_EQ(ErrorOf([&] { DumpText(three, -1, 1); }), ErrSubscript);

    const std::vector<std::tuple<Byte, Byte, Integer>> marks{
        {0xDD, 0xDD, -121}, {0xFE, 0xFE, -118}, {0xFF, 0xFF, -101}, {0xDD, 0xFE, 0}, {0x00, 0x00, 0}, {0xFF, 0xFE, 0},
    };
    for (auto [first, second, code] : marks)
        EXPECT_EQ(DumpSpecialValue(first, second), code) << int(first) << " " << int(second);
}

}  // namespace
}  // namespace mt52
