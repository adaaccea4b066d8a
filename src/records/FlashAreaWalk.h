#pragma once
// The walk of one log area of a flash image: its 256-byte blocks in address order, each block
// in use decoded into the record kept under the block's start offset ("327680 L"). The image
// is only read. A missing image, or an error while decoding (a position beyond its block, a
// gas slot beyond the five, a full entry table), stops the walk: the answer is False and
// LastFailure() tells why; records decoded before stay in the collection.
#include "platform/RuntimeError.h"
#include "platform/Types.h"
#include "records/FlashLogBlock.h"
#include "records/TrendCollection.h"

#include <QFile>
#include <functional>

namespace mt52 {

struct FlashArea {
    Long first;        // offset of the first block
    Long last;         // last offset of the area
    bool markedStart;  // a block is in use when it starts with EE EE; otherwise unless it starts FF FF
};

inline constexpr FlashArea PowerEventArea{0x00000, 0x0FFFF, false};
inline constexpr FlashArea SnapShotArea{0x30000, 0x3FFFF, true};
inline constexpr FlashArea AlarmEventArea{0x50000, 0x5FFFF, true};
inline constexpr FlashArea TroubleEventArea{0x60000, 0x6FFFF, true};
inline constexpr FlashArea HistoryArea{0x70000, 0x7FFFF, true};

template <typename Record>
bool WalkFlashArea(TrendCollection<Record>& records, const QString& fpath, const FlashArea& area,
                   const std::function<void(Record&, const QByteArray&)>& decode) {
    QFile image(fpath);
    if (!image.open(QIODevice::ReadOnly)) {
        records.LastFailure(QStringLiteral("The flash image \"%1\" cannot be read: %2").arg(fpath, image.errorString()));
        return false;
    }
    Long offset = area.first;
    try {
        for (; offset + FlashBlockBytes - 1 <= area.last; offset += FlashBlockBytes) {
            const QByteArray block = ReadFlashBlock(image, offset);
            const bool erased = static_cast<Byte>(block[0]) == 0xFF && static_cast<Byte>(block[1]) == 0xFF;
            if (area.markedStart ? !IsRecordStart(block) : erased)
                continue;
            const QString key = QString::number(offset) + QStringLiteral(" L");
            typename TrendCollection<Record>::RecordPtr record = records.Item(key);
            if (!record)
                record = records.Add(key, 0);
            decode(*record, block);
        }
    } catch (const RuntimeError& e) {
        records.LastFailure(QStringLiteral("The flash image \"%1\" could not be decoded at the block %2: %3")
                                .arg(fpath)
                                .arg(offset)
                                .arg(e.description()));
        return false;
    }
    records.LastFailure(QString());
    return true;
}

}  // namespace mt52
