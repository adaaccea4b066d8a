#include "common/FlashImage.h"

#include "common/ReadingCodes.h"
#include "platform/InstrumentText.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>

namespace mt52 {
namespace {

constexpr Byte Erased = 0xFF;
constexpr Byte RecordMark = 0xEE;

void RequireReadable(QIODevice& file) {
    if (!file.isOpen() || !file.isReadable())
        Raise(ErrBadFileName, QStringLiteral("image file is not open for reading"));
}

// `count` bytes from the offset, zeros past the end of the file.
QByteArray ReadRange(QIODevice& file, qint64 offset, qint64 count) {
    RequireReadable(file);
    if (offset < 0)
        Raise(ErrInvalidArgument, QStringLiteral("image offset %1").arg(offset));
    QByteArray bytes(static_cast<qsizetype>(count), '\0');
    const qint64 available = std::min<qint64>(count, file.size() - offset);
    if (available > 0) {
        if (!file.seek(offset) || file.read(bytes.data(), available) != available)
            Raise(ErrDeviceIO, file.errorString());
    }
    return bytes;
}

Byte ByteAt(const QByteArray& bytes, qsizetype index) { return static_cast<Byte>(bytes[index]); }

bool IsErasedUnit(QIODevice& file, Long unit) {
    const QByteArray head = ReadRange(file, unit, 4);
    for (qsizetype i = 0; i < head.size(); ++i) {
        if (ByteAt(head, i) != Erased)
            return false;
    }
    return true;
}

// The highest unit from the top down that is not erased; `below` when all are.
Long TopUnit(QIODevice& file, Long bottom, Long top, Long step, Long below) {
    for (Long unit = top; unit >= bottom; unit -= step) {
        if (!IsErasedUnit(file, unit))
            return unit;
    }
    return below;
}

// The lowest erased unit from the bottom up; `above` when none is.
Long GapUnit(QIODevice& file, Long bottom, Long top, Long step, Long above) {
    for (Long unit = bottom; unit <= top; unit += step) {
        if (IsErasedUnit(file, unit))
            return unit;
    }
    return above;
}

class ImageFile {
public:
    explicit ImageFile(const QString& path) : file_(path) {
        if (!QFileInfo::exists(path))
            Raise(ErrFileNotFound, path);
        if (!file_.open(QIODevice::ReadOnly))
            Raise(ErrPathFileAccess, QStringLiteral("%1: %2").arg(path, file_.errorString()));
    }
    QIODevice& device() { return file_; }

private:
    QFile file_;  // closed by its destructor
};

}  // namespace

void CreateBlankDump(const QString& path, Long size) {
    if (size < 0)
        Raise(ErrInvalidArgument, QStringLiteral("image size %1").arg(size));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Raise(ErrPathFileAccess, QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QByteArray block(64 * 1024, static_cast<char>(Erased));
    for (qint64 left = size; left > 0;) {
        const qint64 chunk = std::min<qint64>(left, block.size());
        if (file.write(block.constData(), chunk) != chunk)
            Raise(ErrDeviceIO, QStringLiteral("%1: %2").arg(path, file.errorString()));
        left -= chunk;
    }
    if (!file.flush())
        Raise(ErrDeviceIO, QStringLiteral("%1: %2").arg(path, file.errorString()));
}

QByteArray ReadDumpBytes(QIODevice& file, Long offset, Integer count) {
    if (count < 1)
        Raise(ErrSubscript, QStringLiteral("read of %1 image bytes").arg(count));
    return ReadRange(file, offset, count);
}

Long FindFirstHeader(QIODevice& file, Long from, Long to) {
    if (from > to)
        return -1;
    // The range and the four bytes after it, which hold the type of a header starting at `to`.
    const QByteArray bytes = ReadRange(file, from, static_cast<qint64>(to) - from + 1 + 4);
    const qsizetype last = static_cast<qsizetype>(to) - from;
    bool afterFirstMark = false;
    for (qsizetype i = 0; i <= last; ++i) {
        if (ByteAt(bytes, i) != RecordMark) {
            afterFirstMark = false;
        } else if (!afterFirstMark) {
            afterFirstMark = true;
        } else {
            const Byte type = ByteAt(bytes, i + 3);  // offset 4 from the first EE
            if (type == 0x00 || type == 0x40)
                return from + static_cast<Long>(i) - 1;
            afterFirstMark = false;
        }
    }
    return -1;
}

namespace {

// The layout of a ring and the answers in which the two rings differ.
struct RingRules {
    Long bottom;                   // first unit
    Long top;                      // last unit
    Long unit;                     // unit size
    DumpRingArea noneErased;       // the answer when no unit is erased
    Long wrappedFromBottomLast;    // Last when the first unit is erased and records lie above it
    bool startFallsBackToBottom;   // a ring running up without a header starts at the bottom
};

// Top: the highest unit that holds data. Gap: the lowest erased unit. The records start at the
// first header above the gap (the oldest ones, when the ring has wrapped) or else at the bottom.
DumpRingArea FindRingArea(const QString& path, const RingRules& ring) {
    ImageFile image(path);
    QIODevice& file = image.device();
    const Long top = TopUnit(file, ring.bottom, ring.top, ring.unit, ring.bottom - ring.unit);
    const Long gap = GapUnit(file, ring.bottom, ring.top, ring.unit, ring.top + ring.unit);
    const Long topEnd = top + ring.unit - 1;

    if (gap == ring.top + ring.unit)
        return ring.noneErased;
    if (gap == ring.top)
        return {FindFirstHeader(file, ring.bottom, topEnd), ring.top - ring.unit, 1};
    const Long header = FindFirstHeader(file, gap + ring.unit, topEnd);
    if (header != -1) {
        if (gap == ring.bottom)
            return {header, ring.wrappedFromBottomLast, 2};
        return {header, gap - ring.unit, 3};
    }
    if (gap == ring.bottom)
        return {ring.bottom, ring.bottom, 0};
    const Long first = FindFirstHeader(file, ring.bottom, ring.bottom + ring.unit - 1);
    return {first == -1 && ring.startFallsBackToBottom ? ring.bottom : first, gap - ring.unit, 1};
}

}  // namespace

DumpRingArea FindAlarmTrendArea(const QString& path) {
    // A ring without an erased sector answers "nothing to read".
    static const RingRules rules{AlarmRingStart,   AlarmRingTopSector, AlarmSectorBytes, {-1, AlarmRingStart, 0},
                                 AlarmRingTopSector, false};
    return FindRingArea(path, rules);
}

DumpRingArea FindIntervalTrendArea(const QString& path) {
    static const RingRules rules{IntervalRingStart,
                                 IntervalRingTopPage,
                                 IntervalPageBytes,
                                 {IntervalRingStart, IntervalRingTopPage - IntervalPageBytes, 1},
                                 IntervalRingTopPage + IntervalPageBytes - 1,
                                 true};
    return FindRingArea(path, rules);
}

bool NextDumpPage(Integer& mode, QIODevice& file, Long lastPage, Long& page, Integer& position, Integer count,
                  QByteArray& buffer) {
    bool more = true;
    if (mode == 3) {
        if (page < IntervalRingTopPage) {
            page += IntervalPageBytes;
        } else if (page == IntervalRingTopPage) {
            page = IntervalRingStart;
            mode = -1;  // linear from here on, up to the last page
        } else {
            more = false;
        }
    } else if (page > lastPage || page >= IntervalRingTopPage) {
        more = false;  // past the last page, or at the top of the ring: the walk ends here
    } else {
        page += IntervalPageBytes;
    }
    position = 0;
    buffer = ReadDumpBytes(file, page, count);
    if (buffer.size() >= 2 && ByteAt(buffer, 0) == Erased && ByteAt(buffer, 1) == Erased)
        return false;
    return more;
}

Date DumpDateTime(const QByteArray& bytes, Integer index) {
    if (index < 0 || static_cast<qsizetype>(index) + 6 > bytes.size())
        Raise(ErrSubscript, QStringLiteral("date of six bytes at %1 of %2").arg(index).arg(bytes.size()));
    const int yy = ByteAt(bytes, index);
    // Two-digit years only: a larger byte would make a five-digit year, which is no date.
    if (yy > 99)
        return InvalidDateMark;
    const std::optional<Date> date =
        Date::FromParts(2000 + yy, ByteAt(bytes, index + 1), ByteAt(bytes, index + 2), ByteAt(bytes, index + 3),
                        ByteAt(bytes, index + 4), ByteAt(bytes, index + 5));
    return date.value_or(InvalidDateMark);
}

QString DumpText(const QByteArray& bytes, Integer start, Integer length) {
    if (length < 1 || start < 0 || static_cast<qsizetype>(start) + length > bytes.size())
        Raise(ErrSubscript, QStringLiteral("text of %1 bytes at %2 of %3").arg(length).arg(start).arg(bytes.size()));
    QByteArray text = bytes.mid(start, length);
    text.replace('\0', ' ');
    return DecodeInstrumentBytes(text);
}

Integer DumpSpecialValue(Byte first, Byte second) {
    if (first != second)
        return 0;
    switch (first) {
    case 0xDD: return ReadingCode::MarkDDDD;
    case 0xFE: return ReadingCode::MarkFEFE;
    case 0xFF: return ReadingCode::NoData;
    default: return 0;
    }
}

}  // namespace mt52
