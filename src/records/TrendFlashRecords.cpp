#include "records/TrendFlashRecords.h"

#include "common/FlashImage.h"
#include "common/ReadingCodes.h"
#include "common/TextHelpers.h"
#include "common/TrendFile.h"
#include "platform/RuntimeError.h"

#include <cmath>

namespace mt52 {
namespace {

constexpr Long GasEntryBytes = 26;
constexpr Byte MarkDD = 0xDD;

double Scale(Integer point) { return std::pow(10.0, point); }

// The slot of a gas-entry code and the Sampling it implies (-1: unchanged); nullopt for a
// byte that is no gas-entry code.
struct GasEntryCode {
    int slot;
    int sampling;
};
std::optional<GasEntryCode> GasEntryOf(Byte code, FlashLogKind kind) {
    const int group = code & 0xF0;
    const int low = code & 0x0F;
    if ((group != 0x00 && group != 0x20 && group != 0x40) || low < 2 || low > 7)
        return std::nullopt;
    int sampling = -1;
    if (kind == FlashLogKind::Interval && group == 0x00)
        sampling = 0;
    if (kind == FlashLogKind::Interval && group == 0x40)
        sampling = 1;
    return GasEntryCode{low - 2, sampling};
}

bool IsRangeCode(Byte code) { return code == 0x08 || code == 0x28 || code == 0x48; }

QString UnitOf(int code) {
    switch (code) {
    case 0: return QStringLiteral("vol%");
    case 1: return QStringLiteral("%LEL");
    case 2: return QStringLiteral("ppm");
    case 3: return QStringLiteral("ppb");
    default: return QStringLiteral(" ");
    }
}

void DecodeGasEntry(const QByteArray& b, Long p, GasSlot& g) {
    const Byte format = FlashByte(b, p + 15);
    g.Point = static_cast<Integer>(format & 0x0F);
    g.Unit = UnitOf(format >> 4);
    g.Name = DumpText(b, static_cast<Integer>(p + 1), 10).trimmed();
    g.Full = static_cast<Single>(FlashWord(b, p + 11) / Scale(g.Point));
    g.Desit = static_cast<Single>(FlashWord(b, p + 13) / Scale(g.Point));
    g.Warning = FlashMarkedValue(b, p + 16, g.Point);
    g.Alarm = FlashMarkedValue(b, p + 18, g.Point);
    g.Stel = FlashMarkedValue(b, p + 20, g.Point);
    g.Twa = FlashMarkedValue(b, p + 22, g.Point);
    const bool ratioMarked = FlashByte(b, p + 24) == MarkDD && FlashByte(b, p + 25) == MarkDD;
    g.Ratio = ratioMarked ? static_cast<Single>(ReadingCode::MarkDDDD)
                          : static_cast<Single>(DecodeWideCount(FlashWord(b, p + 24)) / Scale(g.Point));
    g.Enable = true;
}

}  // namespace

Byte FlashByte(const QByteArray& buffer, Long index) {
    if (index < 0 || index >= buffer.size())
        Raise(ErrSubscript, QStringLiteral("memory record byte %1 of %2").arg(index).arg(buffer.size()));
    return static_cast<Byte>(buffer[static_cast<qsizetype>(index)]);
}

Long FlashWord(const QByteArray& buffer, Long index) {
    return FlashByte(buffer, index) * 256 + FlashByte(buffer, index + 1);
}

bool FlashIsNumber(const QByteArray& buffer, Long index) {
    return DumpSpecialValue(FlashByte(buffer, index), FlashByte(buffer, index + 1)) == 0;
}

Single FlashMarkedValue(const QByteArray& buffer, Long index, Integer point) {
    const Integer marker = DumpSpecialValue(FlashByte(buffer, index), FlashByte(buffer, index + 1));
    if (marker != 0)
        return marker;
    return static_cast<Single>(FlashWord(buffer, index) / Scale(point));
}

QString FlashSerialNo(const QByteArray& buffer, Long index) {
    constexpr QChar Terminator(3);
    FlashByte(buffer, index + 19);  // the whole field lies in the buffer
    QString serial = BlankToDashes(DumpText(buffer, static_cast<Integer>(index), 20), BlankSerialNo);
    if (serial.size() > 12 && serial.at(12) == Terminator)
        serial = serial.left(12) + QString(8, u' ');
    return serial;
}

Date FlashDate(const QByteArray& buffer, Long index) {
    if (FlashByte(buffer, index) == MarkDD && FlashByte(buffer, index + 1) == MarkDD)
        return InvalidDateMark;
    FlashByte(buffer, index + 5);  // the whole date lies in the buffer
    return DumpDateTime(buffer, static_cast<Integer>(index));
}

void DecodeFlashHeader(const QByteArray& b, Long& st, FlashLogKind kind, LogHeader& h,
                       std::array<GasSlot, RecordGasSlots>& gas) {
    h.LogNo = FlashWord(b, st + 2);
    FlashByte(b, st + 59);  // the fixed part lies in the buffer
    h.UserID = BlankToDashes(DumpText(b, static_cast<Integer>(st + 5), 16), BlankUserId);
    h.StationID = BlankToDashes(DumpText(b, static_cast<Integer>(st + 21), 16), BlankStationId);
    h.SerialNo = FlashSerialNo(b, st + 38);
    h.Interval = FlashWord(b, st + 58);

    Long p = st + 60;
    while (const auto entry = GasEntryOf(FlashByte(b, p), kind)) {
        // An entry for a slot the record does not have is passed over.
        if (entry->slot < RecordGasSlots) {
            DecodeGasEntry(b, p, gas[static_cast<std::size_t>(entry->slot)]);
            if (entry->sampling >= 0)
                h.Sampling = static_cast<Integer>(entry->sampling);
        }
        p += GasEntryBytes;
    }
    if (IsRangeCode(FlashByte(b, p))) {
        ++p;
        for (Long* limit : {&h.LEL_lo, &h.LEL_hi, &h.ppm_lo, &h.ppm_hi, &h.vol_lo, &h.vol_hi}) {
            const bool marked = FlashByte(b, p) == MarkDD && FlashByte(b, p + 1) == MarkDD;
            *limit = marked ? ReadingCode::MarkDDDD : FlashWord(b, p);
            p += 2;
        }
    }
    ++p;  // the date block's code
    FlashByte(b, p + 6);
    h.Dates = DumpDateTime(b, static_cast<Integer>(p));
    p += 6;
    h.LunchBreak = FlashByte(b, p);
    ++p;

    const QString prefix = kind == FlashLogKind::Interval ? QStringLiteral("iv") : QStringLiteral("al");
    h.Names = prefix + FormatDate(h.Dates, QStringLiteral("ddhhnnss")) + u'_' + BlankToDashes(h.SerialNo, BlankSerialNo);
    h.FolderID = FormatDate(h.Dates, QStringLiteral("mm/yy"));
    if (!MakeTrendFolder(h.FolderID))
        Raise(ErrPathNotFound, TrendFolderPath(h.FolderID));
    st = p;
}

}  // namespace mt52
