// The walk of the interval-trend memory area and the interval record's decoders of its records.
#include "common/FlashImage.h"
#include "common/ReadingCodes.h"
#include "common/TrendFile.h"
#include "platform/RuntimeError.h"
#include "records/TrendFlashRecords.h"
#include "records/TrendTextRecords.h"
#include "records/clsInterval.h"
#include "records/clsIntervals.h"

#include <QFile>

namespace mt52 {
namespace {

constexpr Integer PageBytes = static_cast<Integer>(IntervalPageBytes);
constexpr Byte BodyGas = 15;
constexpr Long LongestEventDelay = 900;

enum class RecordKind { Header, Trailer, Data };

RecordKind KindOf(Byte code) {
    if (code == 0x00 || code == 0x40)
        return RecordKind::Header;
    if ((code >= 0x20 && code <= 0x25) || (code >= 0x60 && code <= 0x65))
        return RecordKind::Trailer;
    return RecordKind::Data;
}

bool IsMarkAt(const QByteArray& b, Long p) {
    return p + 1 < b.size() && static_cast<Byte>(b[p]) == FlashRecordMark && static_cast<Byte>(b[p + 1]) == FlashRecordMark;
}

// Nothing more on this page: past its end, or erased from here on.
bool PageDataEnds(const QByteArray& b, Long p) { return p >= b.size() || static_cast<Byte>(b[p]) == FlashErased; }

// The walk through the pages of the ring.
class PageWalk {
public:
    PageWalk(QIODevice& image, const DumpRingArea& area)
        : image_(image), mode_(area.Mode), last_(area.Last), page_(area.Start), base_(area.Start),
          buffer_(ReadDumpBytes(image, area.Start, PageBytes)) {}

    const QByteArray& buffer() const { return buffer_; }
    Long& position() { return position_; }
    // The image offset of the current position.
    Long offset() const { return base_ + position_; }
    // On to the next page; false when there is none.
    bool step() {
        Integer position = 0;
        const bool more = NextDumpPage(mode_, image_, last_, page_, position, PageBytes, buffer_);
        position_ = position;
        base_ = page_;
        return more;
    }
    // Back to the start of the page that holds the page address.
    void alignPage() { page_ -= page_ % IntervalPageBytes; }

private:
    QIODevice& image_;
    Integer mode_;
    Long last_;
    Long page_;
    Long base_;  // image offset of buffer_[0]
    QByteArray buffer_;
    Long position_ = 0;
};

}  // namespace

bool clsInterval::SetHeader(const QByteArray& buffer, Long& st) {
    DecodeFlashHeader(buffer, st, FlashLogKind::Interval, header_, gas_);
    // A file a stored record names is left as it is; the store finds the log stored.
    StartTrendFile(DatabasePath(), header_);
    return true;
}

bool clsInterval::SetData(const QByteArray& buffer, Long& st, QIODevice& Tfno) {
    const Long p = st;
    const Byte flags = FlashByte(buffer, p + 2);  // raises when the item is cut by the buffer's end
    st += 4;
    try {
        const int gas = flags & 0x0F;
        const Byte count = FlashByte(buffer, p + 3);
        if (flags & 0x80) {
            if (gas >= RecordGasSlots)
                return false;
            const std::size_t slot = static_cast<std::size_t>(gas);
            const Single value = FlashMarkedValue(buffer, p, gas_[slot].Point);
            for (int i = 0; i < count; ++i) {
                const Long n = ++gasSampleCount_[slot];
                PutTrendValue(n, Tfno, static_cast<Integer>(gas + 1), value,
                              header_.Dates.addSeconds(double(n) * header_.Interval));
            }
            return true;
        }
        const int slot = gas == BodyGas ? 0 : gas;
        if (slot >= RecordGasSlots)
            return false;
        const Single code = EventNumberToCode(QString::number(count));
        const bool named = !gas_[static_cast<std::size_t>(slot)].Name.isEmpty();
        const bool unitChange = slot == 0 && code == ReadingCode::UnitVol && !gas_[4].Name.isEmpty();
        if (!named && !unitChange)
            return true;
        Long seconds = FlashWord(buffer, p);
        if (seconds > LongestEventDelay) {
            if (header_.Interval == 0)
                return false;
            seconds %= header_.Interval;
        }
        const double at = double(gasSampleCount_[static_cast<std::size_t>(slot)]) * header_.Interval + seconds;
        AddEvents(static_cast<Integer>(slot), header_.Dates.addSeconds(at), code, header_.Dates);
        return true;
    } catch (const RuntimeError&) {
        return false;  // an item that cannot be placed is skipped
    }
}

bool clsInterval::SetTrailer(const QByteArray& buffer, Long& st) {
    Long p = st + 4;
    int slot = 0;
    for (;;) {
        const Byte code = FlashByte(buffer, p);
        if (code == 0x26 || code == 0x66) {
            header_.Last = FlashDate(buffer, p + 1);
            p += 7;
            break;
        }
        if ((code >= 0x20 && code <= 0x25) || (code >= 0x60 && code <= 0x65))
            slot = code & 0x0F;
        if (slot >= RecordGasSlots)
            Raise(ErrSubscript, QStringLiteral("trailer gas slot %1").arg(slot));
        GasSlot& g = gas_[static_cast<std::size_t>(slot)];
        FlashByte(buffer, p + 18);  // the whole entry lies in the buffer
        g.Avr = FlashMarkedValue(buffer, p + 1, g.Point);
        g.Max = FlashMarkedValue(buffer, p + 3, g.Point);
        g.MaxDate = FlashDate(buffer, p + 5);
        g.Min = FlashMarkedValue(buffer, p + 11, g.Point);
        g.MinDate = FlashDate(buffer, p + 13);
        if (header_.Sampling == 1 &&
            (FlashIsNumber(buffer, p + 1) || FlashIsNumber(buffer, p + 3) || FlashIsNumber(buffer, p + 11)))
            hasMeasuredValue_ = true;
        p += 19;
    }
    st = p;
    return false;
}

bool clsIntervals::ReadBinaryLog(const QString& fpath) {
    const DumpRingArea area = FindIntervalTrendArea(fpath);
    if (area.Start == -1 || area.Mode == 0)
        return false;
    QFile image(fpath);
    if (!image.open(QIODevice::ReadOnly))
        return false;
    try {
        PageWalk walk(image, area);
        RecordPtr open;  // the log whose header was read last
        for (;;) {
            const QByteArray& b = walk.buffer();
            Long& p = walk.position();
            bool more = true;
            if (IsMarkAt(b, p) && p + 4 < b.size()) {
                switch (KindOf(static_cast<Byte>(b[p + 4]))) {
                case RecordKind::Header:
                    // Each header keeps its own offset as its key, so two in one page are two logs.
                    open = FreshRecord(QString::number(walk.offset()) + QStringLiteral(" L"));
                    open->SetHeader(b, p);
                    break;
                case RecordKind::Trailer:
                    if (open)
                        open->SetTrailer(b, p);
                    else
                        more = walk.step();
                    open.reset();
                    break;
                case RecordKind::Data:
                    if (!open) {
                        more = walk.step();
                        break;
                    }
                    {
                        TrendFileWriter trend(open->Header());
                        p += 2;
                        while (more && !IsMarkAt(walk.buffer(), walk.position())) {
                            open->SetData(walk.buffer(), walk.position(), trend.device());
                            if (PageDataEnds(walk.buffer(), walk.position()))
                                more = walk.step();
                        }
                        trend.finish();
                    }
                    break;
                }
            } else {
                more = walk.step();
            }
            if (!more)
                return true;
            walk.alignPage();
            if (PageDataEnds(walk.buffer(), walk.position()) && !walk.step())
                return true;
        }
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace mt52
