#pragma once
// The settings log: a comma-separated file in the program folder that gets one row each time an
// instrument's settings are read or written in factory mode, holding the time, the identity,
// the ROM data, the device values and the instrument's gas library. The first line of a new
// file is the header. A field holding a comma or a double quote is quoted, so every row keeps
// its 50 fields.
#include "platform/Types.h"

#include <QString>
#include <QStringList>

namespace mt52 {

class clsInstrument;

enum class SettingLogKind { Read = 0, Write = 1, WriteID = 2 };

// "MT50mk2_Setting<suffix>.csv" in the program folder.
QString SettingLogPath();
QStringList SettingLogHeader();
// The fields of one row, at the present time.
QStringList SettingLogRow(const clsInstrument& instrument, SettingLogKind kind);
// One line of fields joined by ",", each quoted when it must be.
QString CsvLine(const QStringList& fields);

// Appends a row (and the header first when the file is new). A file that cannot be written is
// reported in a message box; nothing is written then. True when the row was written.
bool AppendSettingLog(const clsInstrument& instrument, SettingLogKind kind);

}  // namespace mt52
