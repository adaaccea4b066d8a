#pragma once
// Saving the record a data view shows: as a CSV or text file of its data-sample text, or the
// trend graph as a bitmap. The main data view and the trend-search window both export through
// this code, over their own records and table, so they propose the same names, offer the same
// file types and write the same bytes.
//
// Every file is written through QSaveFile: the new content goes to a temporary file beside the
// target and replaces the target only once it is complete, so an existing file stays whole
// until then and a failed write leaves it as it was.
#include "platform/Types.h"
#include "views/DataSampleText.h"

#include <QString>
#include <functional>
#include <optional>

class QIODevice;

namespace mt52 {

class GridModel;

// What an export saves: the record's text, or the graph's picture.
enum class ExportForm { Text, Bitmap };

// The file type lists of the save dialog (string-table texts, "description|pattern|..." pairs).
inline constexpr int TextFileTypes = 5701;         // comma, tab, text
inline constexpr int TrendLelFileTypes = 5703;     // ... and %LEL-converted and unit columns
inline constexpr int TrendUnitFileTypes = 5704;    // ... and unit columns
inline constexpr int BitmapFileTypes = 5712;       // bitmap

// The file the save dialog proposes. After an earlier export the last file with "csv" (or
// "bmp") in place of its last three characters, unchanged when they already read so in any
// case; before the first, "Sample.csv" (or "Sample.bmp") in the program folder.
QString ProposedSampleExportPath(const QString& lastExportFile, const QString& startDir, ExportForm form);

// The file type list offered for a record's text: an interval trend whose table shows its first
// gas in %LEL (row 0, column 2 of `table`) gets the %LEL conversion too, other interval trends
// the unit columns, alarm trends both, every other kind the plain three. `table` may be null.
int SampleExportFileTypes(int logType, const GridModel* table);

// The dialog's filter text of a file type list: the descriptions joined by ";;" (blank entries
// dropped).
QString SaveDialogFilter(const QString& fileTypes);

// The file type index the text builder gets for the entry chosen in a list: the fourth entry of
// the unit-column list is the unit-column type (5), not the %LEL conversion (4).
int SampleTextFilterIndex(int fileTypesId, int chosenIndex);

// Writes `path` through a QSaveFile: `write` fills the device; the file is replaced only when
// `write` returns true and everything reached the disk. On failure false with the reason in
// `error`, and the former file (if any) is left as it was. A RuntimeError from `write` is caught
// and reported the same way.
bool WriteFileSafely(const QString& path, const std::function<bool(QIODevice&, QString& error)>& write,
                     QString& error);

// Writes the data-sample text of `source` to `path` for a file type (1-based index as the text
// builder takes it): TAB-separated for type 2, comma-separated otherwise. Interval trends and
// bar holes stream their lines into the file; every other kind writes its text followed by one
// more CR LF. `yield` runs between the rows of an interval trend.
bool WriteSampleTextFile(const DataSampleSource& source, int filterIndex, const QString& path, QString& error,
                         const std::function<void()>& yield = {});

// How an export command ended.
enum class ExportOutcome {
    Written,    // the file was written and the last export file set
    Cancelled,  // the save dialog was cancelled: nothing happened
    Declined,   // the file existed and the user kept it: nothing was written
    Failed,     // the file could not be written: the user was told, the former file stays
};

// What an export shows while it writes (the busy pointer, busy state 8 and the "Now Writing"
// progress dialog). `begin` runs after the questions and before writing; `end` runs after it in
// every case, also when writing fails or raises.
struct ExportBusyHooks {
    std::function<void()> begin;
    std::function<void()> end;
    std::function<void()> yield;  // serves the message loop while a long trend is written
};

// The export command's dialog part: proposes a name from `lastExportFile`, shows the save
// dialog (Dialogs().SaveFile, our own overwrite question) with `fileTypesId`, and asks text 5307
// (title 5308, Yes/No) when the chosen file exists. The chosen file and its (list) index, or
// nullopt with the outcome (Cancelled, Declined).
struct ChosenExportFile {
    QString path;
    int chosenIndex = 1;
};
std::optional<ChosenExportFile> ChooseExportFile(int fileTypesId, ExportForm form, const QString& lastExportFile,
                                                 const QString& startDir, ExportOutcome& outcome);

// The whole text export of a record: choose the file, write it with the busy hooks around the
// write, tell the user of a failure (text 5388, title 5385), and set `lastExportFile` to the
// written file. `table` is the view's record table (for the file type list; may be null).
// `writtenFilterIndex`, when given, receives the file type the text was written as (the text
// builder's index, see SampleTextFilterIndex) after a successful write.
ExportOutcome ExportSampleText(const DataSampleSource& source, const GridModel* table, QString& lastExportFile,
                               const QString& startDir, const ExportBusyHooks& hooks = {},
                               int* writtenFilterIndex = nullptr);

// The whole bitmap export: choose the file (list 5712), write it with `writeBitmap` (which
// writes the picture as a BMP into the device), tell the user of a failure and set
// `lastExportFile`. No busy hooks: a picture is written at once.
ExportOutcome ExportBitmap(const std::function<bool(QIODevice&)>& writeBitmap, QString& lastExportFile,
                           const QString& startDir);

}  // namespace mt52
