#pragma once
// Trend files: the samples of an interval trend, a bar-hole measurement or an alarm trend,
// one headerless file of 28-byte records per log, in the year and month folder of the data
// folder. Record n (from 1) starts at byte (n - 1) * 28 and holds, little-endian, the time
// of the sample (8-byte double date) and one 4-byte single per gas slot 1 to 5.
// A stored 0 means no data (read as -101); a reading that really is 0 is stored as -100.
// The caller opens and closes the file (QFile in binary mode: ReadOnly for readers,
// ReadWrite for writers) and passes the open device.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>
#include <array>
#include <vector>

class QIODevice;

namespace mt52 {

inline constexpr int TrendRecordBytes = 28;
inline constexpr int TrendGasSlots = 5;
inline constexpr Single TrendStoredZero = -100.0f;

// One sample with the value conventions applied.
struct TrendRecord {
    Date Time;
    std::array<Single, TrendGasSlots> Values{};
};

// The folder of a log's trend file: DataFolder / yy / mm, from the log's FolderID "mm/yy".
QString TrendFolderPath(const QString& folderId);
// The trend file of a log: TrendFolderPath(folderId) / SafeFileName(names) + ".Dat".
QString TrendFilePath(const QString& folderId, const QString& names);
// Creates the year folder and then the month folder of a log when missing; false when they
// could not be made.
bool MakeTrendFolder(const QString& folderId);

// Writes the time into record n and the value (0 stored as -100) into its gas column g
// (1 to 5). Writing past the end extends the file with zero bytes (no data). A record below
// 1 or a gas outside 1 to 5 raises the invalid-argument error; a device that is not open
// for writing the bad-file error; a failed write the device I/O error.
void PutTrendValue(Long record, QIODevice& file, Integer gas, Single value, const Date& time);

// Reads gas column g (1 to 5) of record n into `value`: a stored 0 gives -101, a stored -100
// gives 0, anything else comes back as stored. Bytes past the end of the file read as 0.
// Argument and device errors as PutTrendValue.
void GetTrendValue(Long record, QIODevice& file, Integer gas, Single& value);

// The number of whole records in the file; a partial last record does not count.
Long TrendRecordCount(QIODevice& file);

// The conventions of a stored value: 0 -> -101, -100 -> 0, else unchanged; and back.
Single StoredToReading(Single stored);
Single ReadingToStored(Single reading);

// Decodes one 28-byte record (little-endian) with the value conventions applied.
TrendRecord DecodeTrendRecord(const char* bytes);

// Every whole record of the file, from the first, conventions applied.
std::vector<TrendRecord> ReadTrendRecords(QIODevice& file);

}  // namespace mt52
