// The walk of the alarm-trend memory area and the alarm record's decoders of its records.
#include "common/FlashImage.h"
#include "common/TrendFile.h"
#include "platform/RuntimeError.h"
#include "records/TrendFlashRecords.h"
#include "records/TrendTextRecords.h"
#include "records/clsAlarm.h"
#include "records/clsAlarms.h"

#include <QFile>

namespace mt52 {
namespace {

constexpr Integer SectorBytes = static_cast<Integer>(AlarmSectorBytes);
constexpr Long FirstSampleOffset = 384;
constexpr Long SampleItemBytes = 16;
constexpr Long SamplesPerLog = 720;
constexpr Long AlarmSample = 361;

// The answer of FindAlarmTrendArea for a ring without an erased sector.
constexpr DumpRingArea FullAlarmRing{-1, AlarmRingStart, 0};

}  // namespace

bool clsAlarm::SetHeader(const QByteArray& buffer, Long& st) {
    DecodeFlashHeader(buffer, st, FlashLogKind::Alarm, header_, gas_);
    // A file a stored record names is left as it is; the store finds the log stored.
    StartTrendFile(DatabasePath(), header_);
    return true;
}

bool clsAlarm::SetData(const QByteArray& buffer, Long& st, QIODevice& Tfno, Long Apnt) {
    const Long p = st;
    const Byte present = FlashByte(buffer, p + 1);
    const Date time = header_.Dates.addSeconds(double(Apnt) * header_.Interval);
    for (int g = 0; g < RecordGasSlots; ++g) {
        const std::size_t slot = static_cast<std::size_t>(g);
        const Long n = ++gasSampleCount_[slot];
        // A reading counts only for a slot the header gave a gas.
        const bool reading = (present & (1 << g)) != 0 && gas_[slot].Enable;
        const Single value =
            reading ? FlashMarkedValue(buffer, p + 2 + 2 * g, gas_[slot].Point) : Single{NoDataReading};
        PutTrendValue(n, Tfno, static_cast<Integer>(g + 1), value, time);
    }
    st = p + SampleItemBytes;
    return true;
}

bool clsAlarms::ReadBinaryLog(const QString& fpath) {
    DumpRingArea area = FindAlarmTrendArea(fpath);
    if (area == FullAlarmRing)
        area = {AlarmRingStart, AlarmRingTopSector, 1};  // every sector holds a log: address order
    if (area.Start == -1 || area.Mode == 0)
        return false;
    QFile image(fpath);
    if (!image.open(QIODevice::ReadOnly))
        return false;
    try {
        Long sector = area.Start;
        Integer mode = area.Mode;
        for (;;) {
            QByteArray buffer = ReadDumpBytes(image, sector, SectorBytes);
            if (FlashByte(buffer, 0) == FlashRecordMark && FlashByte(buffer, 1) == FlashRecordMark) {
                RecordPtr record = FreshRecord(QString::number(sector) + QStringLiteral(" L"));
                Long st = 0;
                record->SetHeader(buffer, st);
                TrendFileWriter trend(record->Header());
                buffer = ReadDumpBytes(image, AlarmRingStart + record->Header().LogNo * AlarmSectorBytes, SectorBytes);
                st = FirstSampleOffset;
                for (Long k = 1; k <= SamplesPerLog; ++k)
                    record->SetData(buffer, st, trend.device(), k - AlarmSample);
                trend.finish();
            }
            if (mode == 3) {
                if (sector < AlarmRingTopSector) {
                    sector += AlarmSectorBytes;
                } else {
                    sector = AlarmRingStart;
                    mode = 1;
                }
            } else if (sector >= area.Last) {
                return true;
            } else {
                sector += AlarmSectorBytes;
            }
        }
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace mt52
