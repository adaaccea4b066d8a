#pragma once
// The rules of the station list editor that need no widget: which names are valid, which keys
// a name takes, the leading-space count shown while a name is edited, and the station file
// ("Station.csv"): one line per station, the row number, "," and the name, lines ended by
// CR LF.
#include "platform/Types.h"

#include <QString>
#include <QStringList>

namespace mt52 {

inline constexpr int StationCount = 128;
inline constexpr int StationNameMax = 16;

// At most 16 characters, each a letter, digit, blank, "-", "_" or "/".
bool IsValidStationName(const QString& name);

// The cell editor's key filter: an ID character or backspace (8), and, unless it is
// backspace, room for it: the editor's text without its selection holds fewer than 16
// characters (the selection is what the key replaces).
bool AcceptStationKey(int keyAscii, const QString& editText, int selLength);

// The number of blanks that begin the name (all of them for a name of blanks only).
Integer LeftSpaceCount(const QString& name);
// "(Left space N)".
QString LeftSpaceText(const QString& name);

// The file's text for the names of rows 0 to 127 (missing names are written empty).
QByteArray StationFileText(const QStringList& names);

// Writes the file whole: a temporary file renamed over the target, so a failure leaves any
// old file as it was. False with a message in `error` when it fails.
bool WriteStationFile(const QString& path, const QStringList& names, QString& error);

// The result of reading a station file.
struct StationFileContent {
    QStringList names;  // the names of the lines read, row 0 first (at most 128)
    QString error;      // empty when the file was read to its end or to its 128th line
};

// Reads the names of a station file. A line fills the next row whatever number it carries:
// the tokens of the line split at "," and tab (empty fields skipped), the first dropped and
// the others joined with ","; a line of one token or none gives the empty name. Lines after
// the 128th are not read. A file that cannot be opened or read, or a line the token splitter
// refuses, stops the reading: the names read before it are kept and `error` says what failed.
StationFileContent ReadStationFile(const QString& path);

}  // namespace mt52
