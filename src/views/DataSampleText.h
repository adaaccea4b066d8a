#pragma once
// The data-sample text of one stored record: the plain text that a data view puts on the
// clipboard or saves as a ".csv" or ".txt" file. Every kind has the same layout: a title line,
// property lines, a gas statistics block for interval, bar-hole and alarm trends, one empty
// line, a column header line and the data rows. Every line ends with CR LF. The text is built
// without widgets, so the main data view and the trend-search window share it and give the
// same bytes for the same record and file type.
#include "platform/Types.h"

#include <QChar>
#include <QString>
#include <functional>

class QIODevice;

namespace mt52 {

class ViewRecords;

// The statistics block of interval and bar-hole trends. The main data view lists the first
// two gases; the trend-search window lists four (a bar hole still two) with their STEL and TWA
// levels as two more columns.
enum class SampleStatistics { TwoGases, FourGasesWithStelTwa };

// The record a text is made of.
struct DataSampleSource {
    int logType = 0;  // Log_Head.Types of the shown record
    Long seqNo = 0;   // its Log_Head key; alarm, trouble and power events and sensor histories
                      // read their rows from the database by it
    // The view's record models, the one of `logType` already loaded (a model not made yet is
    // made empty and exported as such). Only read, apart from the interval trend's merge cursor.
    ViewRecords& records;
    SampleStatistics statistics = SampleStatistics::TwoGases;
};

// The file types of the save dialog, by their 1-based filter index. Types above 3 put a trend
// reading's unit in a column of its own; type 4 also writes a combustible reading that the
// instrument showed in vol% converted to %LEL.
inline constexpr int FirstUnitColumnFilter = 4;
inline constexpr int LelConversionFilter = 4;

// The separator of a saved file: TAB for file type 2, "," for every other type. A clipboard
// copy always uses TAB.
QChar DataSampleSeparator(int filterIndex);

// The text of the record. `separator` stands between the fields of a line; a field that holds
// the separator, a double quote, CR or LF is put in double quotes with its quotes doubled.
// `filterIndex` is the file type last chosen in the save dialog (a copy follows the last save).
// Kinds outside 1, 2, 3, 5 to 11 give the empty text.
//
// With `output`, an interval trend or bar hole writes its lines into the device (UTF-8, each
// ended by CR LF) as soon as each is complete and returns the empty text, so a long trend is
// never held whole; other kinds ignore `output` and return their text. `yield`, when given, is
// called before each row of an interval trend so that the caller can serve the message loop.
//
// Alarm, trouble and power events and sensor histories read the database at the module's
// database path; the interval trend's unit-change events show as rows only in debug mode.
// A database failure, a missing Log_Head row, a damaged value or a failed write raises a
// RuntimeError that names the cause; nothing is written past the failure.
QString MakeDataSampleText(const DataSampleSource& source, QChar separator, int filterIndex,
                           QIODevice* output = nullptr, const std::function<void()>& yield = {});

}  // namespace mt52
