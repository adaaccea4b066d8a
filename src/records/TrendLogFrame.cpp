#include "records/TrendLogFrame.h"

#include "common/TrendFile.h"
#include "platform/RuntimeError.h"
#include "records/TrendTextRecords.h"

#include <algorithm>

namespace mt52 {

std::size_t TrendLogFrame::SlotIndex(Integer GasNo) {
    if (GasNo < 0 || GasNo >= RecordGasSlots)
        Raise(ErrSubscript, QStringLiteral("gas slot %1").arg(GasNo));
    return static_cast<std::size_t>(GasNo);
}

bool TrendLogFrame::DecodeHeaderLine(const QString& vData, bool TestFlag, const char* decoderName) {
    if (!DecodeTrendHeaderFields(vData, TestFlag, header_))
        Error(true);
    if (!TestFlag && Error())
        SetSerialLog(QStringLiteral("<<< improper date in %1() >>> ").arg(QLatin1String(decoderName)) + vData);
    if (!TestFlag && !Error()) {
        header_.Names = NamePrefix() + FormatDate(header_.Dates, QStringLiteral("ddhhnnss")) + u'_' +
                        GasBaseInfo(LogHeaderField::SerialNo).toString();
        header_.FolderID = FormatDate(header_.Dates, QStringLiteral("mm/yy"));
        MakeTrendFolder(header_.FolderID);
        duplicate_ = FindLogHead();
        if (!duplicate_)
            StartLogTrendFile(decoderName);
    }
    return true;
}

void TrendLogFrame::StartLogTrendFile(const char* decoderName) {
    if (std::any_of(gasSampleCount_.begin(), gasSampleCount_.end(), [](Long n) { return n != 0; }))
        return;  // the header again, within one log: its samples go on
    if (!StartTrendFile(DatabasePath(), header_)) {
        Error(true);
        SetSerialLog(QStringLiteral("<<< trend file of a stored record in %1() >>> ").arg(QLatin1String(decoderName)) +
                     TrendFilePath(header_.FolderID, header_.Names));
    }
}

void TrendLogFrame::ClearTrendBookkeeping() {
    Error(false);
    duplicate_ = false;
    gasSampleCount_.fill(0);
    loadStatus_ = {};
}

}  // namespace mt52
