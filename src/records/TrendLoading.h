#pragma once
// What loading a stored trend record shares between interval and alarm trends: the Log_Head
// row with a default for every Null column, the record's trend file read in one pass, the
// raw CSV export of what was loaded, and the status that tells a view how complete a load was.
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "records/RecordFrame.h"

#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace mt52 {

// How complete the last load of a trend record was. A view shows the user what is missing;
// nothing here is an error the load raised.
struct TrendLoadStatus {
    bool databaseMissing = false;   // no database file at the record's path: nothing was loaded
    bool headerMissing = false;     // no Log_Head row with the record's key
    bool trendFileMissing = false;  // the record's trend file does not exist or cannot be opened
    bool samplesTruncated = false;  // more samples than the model holds: the first ones were kept
    bool eventsTruncated = false;   // more event rows than the model holds: the first ones were kept

    bool complete() const {
        return !databaseMissing && !headerMissing && !trendFileMissing && !samplesTruncated && !eventsTruncated;
    }
    friend bool operator==(const TrendLoadStatus&, const TrendLoadStatus&) = default;
};

// The header columns a record kind loads.
enum class TrendHeaderColumns {
    Interval,  // every column but LogNo
    Alarm,     // Names, Dates, the identity, Interval, Sampling and FolderID
};

// The Log_Head row with the key (no row when there is none).
Recordset QueryLogHead(Database& db, Long seqNo);

// Reads the header columns of the current row into the header; a Null column takes its
// default, any other value that does not convert raises the conversion failure.
void ReadTrendHeader(const Recordset& row, TrendHeaderColumns which, LogHeader& header);
// Reads the sixteen columns of each Gas1..Gas5 group into slots 0..4, with the same rule.
void ReadTrendGasSlots(const Recordset& row, std::array<GasSlot, RecordGasSlots>& gas);

// Opens the database of a trend record and reads its Log_Head row into the header and gas
// slots. No database when the file is not there (the status says so); a missing row is noted
// in the status and leaves the header as it was.
std::optional<Database> OpenTrendLog(const QString& databasePath, Long seqNo, TrendHeaderColumns which,
                                     LogHeader& header, std::array<GasSlot, RecordGasSlots>& gas,
                                     TrendLoadStatus& status);

// Every whole record of the trend file of a log, read in one pass. `opened` is false when
// the file does not exist or cannot be opened (no records then).
struct TrendFileContents {
    std::vector<TrendRecord> records;
    bool opened = false;
};
TrendFileContents ReadLogTrendFile(const QString& folderId, const QString& names);

// A raw export line: the time in the fixed date form, then "," and each of the five fields.
QString RawExportLine(const Date& time, const std::array<QString, RecordGasSlots>& fields);
// The fields of a sample line: each reading in its shortest text, "." as the decimal point.
std::array<QString, RecordGasSlots> RawSampleFields(const std::array<Single, RecordGasSlots>& values);

// Writes the lines, each ending in CR LF, to SafeFileName(names) + ".csv" in the folder,
// replacing the file whole; without lines the file is left empty, so no older export of the
// same name keeps its lines. A file that cannot be written raises the path/file access error
// and leaves an older file as it was.
void WriteRawExport(const QString& folder, const QString& names, const QStringList& lines);

}  // namespace mt52
