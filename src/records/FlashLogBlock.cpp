#include "records/FlashLogBlock.h"

#include "common/FlashImage.h"
#include "common/RecordText.h"
#include "common/ReadingCodes.h"
#include "common/TextHelpers.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"

#include <QFile>
#include <cmath>

namespace mt52 {
namespace {

constexpr Byte NoDataMark = 0xDD;
constexpr Byte PowerDownMark = 0xFE;

Single Scaled(Long number, Integer decimals) {
    return static_cast<Single>(static_cast<double>(number) / std::pow(10.0, decimals));
}

bool AllBytes(const QByteArray& block, int position, int count, Byte value) {
    for (int i = 0; i < count; ++i) {
        if (FlashByte(block, position + i) != value)
            return false;
    }
    return true;
}

QString IdentityText(const QByteArray& block, int position, int length, Integer kind) {
    return BlankToDashes(DumpText(block, static_cast<Integer>(position), static_cast<Integer>(length)), kind);
}

}  // namespace

Single FourByteValue(const QByteArray& block, int position) {
    if (AllBytes(block, position, 4, NoDataMark) || AllBytes(block, position, 4, FlashErased))
        return NoDataReading;
    if (AllBytes(block, position, 4, PowerDownMark))
        return -118.0f;
    FlashByte(block, position + 3);  // the range check of the whole value
    return BytesToSingle(position, block);
}

bool IsRecordStart(const QByteArray& block, int position) {
    return block.size() >= position + 2 && static_cast<Byte>(block[position]) == 0xEE &&
           static_cast<Byte>(block[position + 1]) == 0xEE;
}

std::optional<int> HeaderGasSlot(Byte code) {
    for (Byte base : {Byte{0x02}, Byte{0x22}, Byte{0x42}}) {
        if (code >= base && code <= base + 5)
            return code - base;
    }
    return std::nullopt;
}

std::size_t CheckedGasSlot(int slot) {
    if (slot < 0 || slot >= RecordGasSlots)
        Raise(ErrSubscript, QStringLiteral("gas slot %1").arg(slot));
    return static_cast<std::size_t>(slot);
}

QString FlashUnitText(int unitCode) {
    switch (unitCode) {
    case 0: return QStringLiteral("vol%");
    case 1: return QStringLiteral("%LEL");
    case 2: return QStringLiteral("ppm");
    case 3: return QStringLiteral("ppb");
    default: return QStringLiteral(" ");
    }
}

void DecodeGasEntry(const QByteArray& block, int entry, std::array<GasSlot, RecordGasSlots>& gas) {
    GasSlot& g = gas[CheckedGasSlot(*HeaderGasSlot(FlashByte(block, entry)))];
    const Byte flags = FlashByte(block, entry + 15);
    const Integer decimals = flags & 0x0F;
    g.Name = Trim(DumpText(block, static_cast<Integer>(entry + 1), 10));
    g.Point = decimals;
    g.Unit = FlashUnitText(flags >> 4);
    g.Full = Scaled(FlashWord(block, entry + 11), decimals);
    g.Desit = Scaled(FlashWord(block, entry + 13), decimals);
    g.Warning = FlashMarkedValue(block, entry + 16, decimals);
    g.Alarm = FlashMarkedValue(block, entry + 18, decimals);
    g.Stel = FlashMarkedValue(block, entry + 20, decimals);
    g.Twa = FlashMarkedValue(block, entry + 22, decimals);
    // The ratio is a wide count; only DD DD is a mark there.
    if (AllBytes(block, entry + 24, 2, NoDataMark))
        g.Ratio = -121.0f;
    else
        g.Ratio = static_cast<Single>(DecodeWideCount(FlashWord(block, entry + 24)) / std::pow(10.0, decimals));
    g.Enable = true;
}

void DecodeHeaderIdentity(const QByteArray& block, int st, LogHeader& header, bool serialTerminator) {
    header.LogNo = FlashWord(block, st + 2);
    header.UserID = IdentityText(block, st + 5, 16, BlankUserId);
    header.StationID = IdentityText(block, st + 21, 16, BlankStationId);
    header.SerialNo =
        serialTerminator ? FlashSerialNo(block, st + 38) : IdentityText(block, st + 38, 20, BlankSerialNo);
    header.Interval = FlashWord(block, st + 58);
}

int DecodeLogHeader(const QByteArray& block, int st, LogHeader& header, std::array<GasSlot, RecordGasSlots>& gas,
                    bool serialTerminator) {
    DecodeHeaderIdentity(block, st, header, serialTerminator);
    st += 60;
    while (HeaderGasSlot(FlashByte(block, st))) {
        DecodeGasEntry(block, st, gas);
        st += 26;
    }
    const Byte end = FlashByte(block, st);
    if (end == 0x08 || end == 0x28 || end == 0x48) {
        ++st;
        for (Long* limit : {&header.LEL_lo, &header.LEL_hi, &header.ppm_lo, &header.ppm_hi, &header.vol_lo,
                            &header.vol_hi}) {
            *limit = FlashWord(block, st);
            st += 2;
        }
    }
    ++st;  // the byte that ended the gas entries, or the one after the range block
    header.Dates = DumpDateTime(block, static_cast<Integer>(st));
    st += 6;
    header.LunchBreak = FlashByte(block, st);
    return st + 1;
}

QByteArray ReadFlashBlock(QFile& image, Long offset) {
    QByteArray block = ReadDumpBytes(image, offset, FlashBlockBytes);
    const qint64 present = std::max<qint64>(0, image.size() - offset);
    for (qint64 i = present; i < block.size(); ++i)
        block[static_cast<int>(i)] = static_cast<char>(FlashErased);
    return block;
}

}  // namespace mt52
