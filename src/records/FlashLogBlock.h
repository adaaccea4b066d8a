#pragma once
// Reading the fields of one 256-byte block of a flash image's event, history and snapshot
// areas (bytes, numbers and two-byte values through TrendFlashRecords): the four-byte values
// with their reading marks, the gas entries and the log header that the event and history
// blocks share. A position outside the
// block raises the subscript error, which stops the walk of the area.
#include "platform/OleDate.h"
#include "platform/Types.h"
#include "records/RecordFrame.h"
#include "records/TrendFlashRecords.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QFile;

namespace mt52 {

inline constexpr int FlashBlockBytes = 256;

// A four-byte reading: four DD or four FF -101, four FE -118, otherwise the single whose
// bytes stand there, most significant first.
Single FourByteValue(const QByteArray& block, int position);

// Whether a block's first two bytes mark the start of a record (EE EE).
bool IsRecordStart(const QByteArray& block, int position = 0);

// The gas slot a gas code of a header stands for (2..7, 0x22..0x27, 0x42..0x47 give 0..5);
// nullopt for a byte that ends the gas entries. Slot 5 is beyond the model and raises 9 when
// an entry is decoded into it.
std::optional<int> HeaderGasSlot(Byte code);
// The gas slot checked against the model's five gas (9 beyond them).
std::size_t CheckedGasSlot(int slot);

// The unit text of a unit code: 0 "vol%", 1 "%LEL", 2 "ppm", 3 "ppb", any other " ".
QString FlashUnitText(int unitCode);

// Decodes the 26-byte gas entry at `entry` into its slot.
void DecodeGasEntry(const QByteArray& block, int entry, std::array<GasSlot, RecordGasSlots>& gas);

// Decodes the header of an event or history record at `st` (EE EE, record number, the three
// identities, interval, the gas entries, the optional range block, date and lunch break) and
// answers the position after it. `serialTerminator` applies the rule that a byte 3 after 12
// characters ends the serial number.
int DecodeLogHeader(const QByteArray& block, int st, LogHeader& header, std::array<GasSlot, RecordGasSlots>& gas,
                    bool serialTerminator);
// The record number, identities and interval at the start of a header (positions st .. st + 59).
void DecodeHeaderIdentity(const QByteArray& block, int st, LogHeader& header, bool serialTerminator);

// One block of an image opened for reading. Bytes past the end of the file read as FF, the
// erased state, so an image shorter than the areas holds no phantom records.
QByteArray ReadFlashBlock(QFile& image, Long offset);

}  // namespace mt52
