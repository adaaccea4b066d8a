#pragma once
// The flash image: a byte-for-byte copy of the instrument's data memory, in which the logs
// lie in rings of fixed-size units. Offsets count bytes from the start of the image.
// Erased memory reads FF; a record starts with EE EE and its fifth byte is the record type
// (00 or 40 for a log header). Bytes past the end of an image file read as 0.
// The readers take an open device (a QFile opened for reading); the ring finders open the
// image by its path themselves.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace mt52 {

// The alarm-trend ring: ten sectors of 0x3000 bytes from 0x10000 to 0x2DFFF.
inline constexpr Long AlarmRingStart = 0x10000;
inline constexpr Long AlarmRingTopSector = 0x2B000;
inline constexpr Long AlarmSectorBytes = 0x3000;
// The interval-trend ring: 256 pages of 0x100 bytes from 0x40000 to 0x4FFFF.
inline constexpr Long IntervalRingStart = 0x40000;
inline constexpr Long IntervalRingTopPage = 0x4FF00;
inline constexpr Long IntervalPageBytes = 0x100;

// Where the valid records of a ring lie. Mode 0 empty; 1 from Start upward to Last without
// wrapping; 2 the first unit is erased and the records run from Start to the top of the
// ring; 3 wrapped: from Start to the top, then on from the bottom of the ring to Last.
// A Start of -1 means there is nothing to read.
struct DumpRingArea {
    Long Start = -1;
    Long Last = 0;
    Integer Mode = 0;

    friend bool operator==(const DumpRingArea&, const DumpRingArea&) = default;
};

// Makes the file at the path an erased image of `size` bytes (all FF), cut to that size.
// A size below 0 raises the invalid-argument error; a file that cannot be written a file error.
void CreateBlankDump(const QString& path, Long size);

// `count` bytes from the offset; bytes past the end of the file read as 0. A count below 1
// raises the subscript error; a device that is not open the bad-file error.
QByteArray ReadDumpBytes(QIODevice& file, Long offset, Integer count);

// The offset of the first log header (EE EE, with 00 or 40 at offset 4 from the first EE)
// whose first EE lies in from .. to (both included); -1 when there is none.
Long FindFirstHeader(QIODevice& file, Long from, Long to);

// The records of the alarm-trend ring. A ring without an erased sector gives Start -1 with
// the "nothing to read" Last 0x10000 and Mode 0. A missing image raises the file-not-found
// error.
DumpRingArea FindAlarmTrendArea(const QString& path);

// The records of the interval-trend ring (Last is a page; 0x4FFFF in mode 2).
DumpRingArea FindIntervalTrendArea(const QString& path);

// One step of the page walk through the interval ring. In mode 3 a page below the top page
// advances by 0x100 and the top page wraps to the ring start with the mode set to -1 (so the
// walk then ends at the last page). In any other mode a page beyond the last page, or the
// top page itself, stays and the answer is False; otherwise the page advances. The position
// is set to 0 and `buffer` is read (`count` bytes) at the page; an erased page (FF FF)
// answers False. The walk never leaves the ring.
bool NextDumpPage(Integer& mode, QIODevice& file, Long lastPage, Long& page, Integer& position, Integer count,
                  QByteArray& buffer);

// The date of six bytes YY MM DD hh mm ss (plain binary, year 2000 + YY) at the index;
// InvalidDateMark when they form no valid date. Fewer than six bytes from the index raise
// the subscript error.
Date DumpDateTime(const QByteArray& bytes, Integer index);

// The text of `length` bytes from `start`, each 00 taken as a blank, decoded with the
// instrument's character table; not trimmed. A length below 1 or a range outside the array
// raises the subscript error.
QString DumpText(const QByteArray& bytes, Integer start, Integer length);

// The reading code of a two-byte value mark: DD DD -121, FE FE -118, FF FF -101; 0 for any
// other pair (a number, not a mark).
Integer DumpSpecialValue(Byte first, Byte second);

}  // namespace mt52
