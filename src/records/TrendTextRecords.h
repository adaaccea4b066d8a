#pragma once
// What the decoders of the instrument's trend text records share. A text record is a line
// "/<id><tag><fields>" with its fields at fixed 1-based positions (counted after the "/"), or a
// data line of run-length text whose four-digit hexadecimal groups are samples, one per group.
#include "platform/OleDate.h"
#include "records/RecordFrame.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QFile;
class QIODevice;

namespace mt52 {

// The line with every character outside the codes 32..127 removed (127 stays: it is a
// run-length count character).
QString FilterTextRecord(const QString& line);

// The date 20YY-MM-DD of the six digits YYMMDD at the 1-based position; nullopt when they are
// not six digits of a valid date.
std::optional<Date> TextRecordDate(const QString& line, int position);
// The time of day hhnnss at the position as a fraction of a day; nullopt when not valid.
std::optional<double> TextRecordTime(const QString& line, int position);

// The start-of-log fields of an interval or alarm header (date 5-10, time 11-16, interval
// 17-20). Sets Dates and Interval unless `testFlag`; false when a field was bad (the fields
// before it may have been stored).
bool DecodeTrendHeaderFields(const QString& line, bool testFlag, LogHeader& header);

// The definitions of the fourth and fifth gas (slots 3 and 4) of a line of at least 69
// characters; false when a present gas has a full scale or resolution that is no number. The
// decimals are those of the trimmed resolution text.
bool DecodeGasDefinitions(const QString& line, bool testFlag, std::array<GasSlot, RecordGasSlots>& gas);

// The reading of one four-digit group for a gas slot: "FEFE" -118, "FFFF" -101, -101 for a gas
// without a name, else the group as a number scaled by the slot's decimals (minus the full
// scale for the fifth gas, whose readings the instrument sends with that offset).
Single TrendGroupValue(const QString& group, const GasSlot& slot, bool fifthGas);

// A statistics text as a level of the slot: its number, or by its first three letters the
// slot's full scale ("OVE"), maximum ("MAX"), minimum ("MIN"), and with `withLevels` its
// warning ("WAR"), alarm ("ALR"), STEL ("STE") or TWA ("TWA") level; 0 for anything else.
Single StatTextLevel(const QString& text, const GasSlot& slot, bool withLevels);

// The trend file of a log open for writing samples into (created when missing). Samples go in
// one gas at a time, so finish() makes the last record whole (the other gases' bytes zero, no
// data) for every reader to count it. File errors raise.
class TrendFileWriter {
public:
    explicit TrendFileWriter(const LogHeader& header);
    ~TrendFileWriter();
    TrendFileWriter(const TrendFileWriter&) = delete;
    TrendFileWriter& operator=(const TrendFileWriter&) = delete;

    QIODevice& device();
    // Makes the last record whole and closes the file; the destructor does the same quietly.
    void finish();

private:
    std::unique_ptr<QFile> file_;
};

// Starts the trend file of a log whose header a decoder has just read: records the file for
// removal in the database at the path (common/PendingRemovals.h; the store forgets it again),
// so that a file of a log never stored does not outlive a crash, and empties the file, so
// that a file left by an earlier log of the same name adds no samples to this one. False,
// touching nothing, when a stored row names the file: its samples belong to that record.
// A file that cannot be emptied is left for the sample writer to report.
bool StartTrendFile(const QString& databasePath, const LogHeader& header);

// Opens the trend file of a log, calls `write` with it and finishes it.
void WithTrendFileOpen(const LogHeader& header, const std::function<void(QIODevice&)>& write);

}  // namespace mt52
