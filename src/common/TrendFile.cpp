#include "common/TrendFile.h"

#include "common/DataFolder.h"
#include "common/FolderPath.h"
#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"

#include <QDir>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <QFileInfo>

namespace mt52 {
namespace {

constexpr int TimeBytes = 8;
constexpr int ValueBytes = 4;

qint64 ValueOffset(Long record, Integer gas) {
    if (record < 1)
        Raise(ErrInvalidArgument, QStringLiteral("trend record %1").arg(record));
    if (gas < 1 || gas > TrendGasSlots)
        Raise(ErrInvalidArgument, QStringLiteral("trend gas column %1").arg(gas));
    return static_cast<qint64>(record - 1) * TrendRecordBytes + TimeBytes + (gas - 1) * ValueBytes;
}

void RequireOpen(QIODevice& file, bool forWriting) {
    if (!file.isOpen() || (forWriting && !file.isWritable()) || (!forWriting && !file.isReadable()))
        Raise(ErrBadFileName, QStringLiteral("trend file is not open for %1").arg(forWriting ? "writing" : "reading"));
}

void SeekTo(QIODevice& file, qint64 position) {
    if (!file.seek(position))
        Raise(ErrDeviceIO, file.errorString());
}

// Writes at the position; a gap past the end (`size`) is first filled with explicit zeros
// (no data), whatever the device does with holes. Returns the size afterwards.
qint64 WriteAt(QIODevice& file, qint64 size, qint64 position, const char* bytes, qint64 count) {
    if (position > size) {
        SeekTo(file, size);
        const QByteArray zeros(static_cast<qsizetype>(position - size), '\0');
        if (file.write(zeros) != zeros.size())
            Raise(ErrDeviceIO, file.errorString());
    }
    SeekTo(file, position);
    if (file.write(bytes, count) != count)
        Raise(ErrDeviceIO, file.errorString());
    return std::max(size, position + count);
}

Single SingleAt(const char* bytes) {
    return std::bit_cast<Single>(qFromLittleEndian<quint32>(bytes));
}

}  // namespace

QString TrendFolderPath(const QString& folderId) {
    const QString year = SafeFileName(Right(folderId, 2));
    const QString month = SafeFileName(Left(folderId, 2));
    return JoinFolder(JoinFolder(State().DataFolder, year), month);
}

QString TrendFilePath(const QString& folderId, const QString& names) {
    return JoinFolder(TrendFolderPath(folderId), SafeFileName(names) + QStringLiteral(".Dat"));
}

bool MakeTrendFolder(const QString& folderId) {
    const QString month = TrendFolderPath(folderId);
    const QString year = QFileInfo(month).path();
    QDir dir;
    return (dir.exists(year) || dir.mkdir(year)) && (dir.exists(month) || dir.mkdir(month));
}

Single StoredToReading(Single stored) {
    if (stored == 0.0f)
        return ReadingCode::NoData;
    if (stored == TrendStoredZero)
        return 0.0f;
    return stored;
}

Single ReadingToStored(Single reading) { return reading == 0.0f ? TrendStoredZero : reading; }

void PutTrendValue(Long record, QIODevice& file, Integer gas, Single value, const Date& time) {
    const qint64 valueOffset = ValueOffset(record, gas);
    RequireOpen(file, true);
    const qint64 recordOffset = static_cast<qint64>(record - 1) * TrendRecordBytes;

    char timeBytes[TimeBytes];
    qToLittleEndian<quint64>(std::bit_cast<quint64>(time.value()), timeBytes);
    const qint64 size = WriteAt(file, file.size(), recordOffset, timeBytes, TimeBytes);

    char valueBytes[ValueBytes];
    qToLittleEndian<quint32>(std::bit_cast<quint32>(ReadingToStored(value)), valueBytes);
    WriteAt(file, size, valueOffset, valueBytes, ValueBytes);
}

void GetTrendValue(Long record, QIODevice& file, Integer gas, Single& value) {
    const qint64 offset = ValueOffset(record, gas);
    RequireOpen(file, false);
    char bytes[ValueBytes] = {0, 0, 0, 0};
    if (offset < file.size()) {
        SeekTo(file, offset);
        if (file.read(bytes, ValueBytes) < 0)
            Raise(ErrDeviceIO, file.errorString());
    }
    value = StoredToReading(SingleAt(bytes));
}

Long TrendRecordCount(QIODevice& file) {
    RequireOpen(file, false);
    return static_cast<Long>(file.size() / TrendRecordBytes);
}

TrendRecord DecodeTrendRecord(const char* bytes) {
    TrendRecord record;
    record.Time = Date(std::bit_cast<double>(qFromLittleEndian<quint64>(bytes)));
    for (int gas = 0; gas < TrendGasSlots; ++gas)
        record.Values[static_cast<std::size_t>(gas)] = StoredToReading(SingleAt(bytes + TimeBytes + gas * ValueBytes));
    return record;
}

std::vector<TrendRecord> ReadTrendRecords(QIODevice& file) {
    const Long count = TrendRecordCount(file);
    SeekTo(file, 0);
    const qint64 wanted = static_cast<qint64>(count) * TrendRecordBytes;
    const QByteArray bytes = file.read(wanted);
    if (bytes.size() != wanted)
        Raise(ErrDeviceIO, file.errorString());
    std::vector<TrendRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (qint64 offset = 0; offset < wanted; offset += TrendRecordBytes)
        records.push_back(DecodeTrendRecord(bytes.constData() + offset));
    return records;
}

}  // namespace mt52
