#pragma once
// What the walks of the instrument's trend memory areas share: big-endian numbers of a buffer
// that refuse to read past its end, the two-byte value markers, and the log header record that
// starts every interval and alarm log.
#include "platform/OleDate.h"
#include "records/RecordFrame.h"

#include <QByteArray>
#include <array>

namespace mt52 {

inline constexpr Byte FlashRecordMark = 0xEE;
inline constexpr Byte FlashErased = 0xFF;

// The byte at the 0-based index; the subscript error (9) past the buffer.
Byte FlashByte(const QByteArray& buffer, Long index);
// The two bytes at the index as a big-endian unsigned number.
Long FlashWord(const QByteArray& buffer, Long index);
// Two bytes under the marker rule: DD DD -121, FE FE -118, FF FF -101, otherwise the number
// divided by 10 to the power of the decimals.
Single FlashMarkedValue(const QByteArray& buffer, Long index, Integer point);
// Whether FlashMarkedValue gives a number there (no marker).
bool FlashIsNumber(const QByteArray& buffer, Long index);
// The 20-byte serial-number field of a log header at the index: the text through BlankToDashes;
// when its 13th character is the byte 3, the first 12 characters followed by 8 blanks. The one
// rule of the interval, alarm, event and history headers.
QString FlashSerialNo(const QByteArray& buffer, Long index);
// A six-byte date YY MM DD hh mm ss; the no-date mark when it starts DD DD or is no valid date.
Date FlashDate(const QByteArray& buffer, Long index);

// How the header of a log kind differs.
enum class FlashLogKind {
    Interval,  // gas-entry codes 0x02.. set Sampling 0, 0x42.. set 1; the name starts "iv"
    Alarm,     // gas-entry codes leave Sampling; the name starts "al"
};

// Decodes the header record at `st`: log number, identity, interval, the gas entries (an entry
// for a slot the record does not have is skipped), the optional range block and the date
// block; names the log and its trend file and makes the file's folders. `st` ends after the
// date block. A header running past the buffer raises 9; folders that cannot be made raise.
void DecodeFlashHeader(const QByteArray& buffer, Long& st, FlashLogKind kind, LogHeader& header,
                       std::array<GasSlot, RecordGasSlots>& gas);

}  // namespace mt52
