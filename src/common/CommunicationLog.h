#pragma once
// The communication log file "SerialLog.log" in the program folder. Every line is appended with
// CR LF to the file, which is opened and closed for every line, so it may be read, moved or
// deleted between any two lines. The link writes its frames through SerialLog; the record
// models write their own lines here too.
#include <QString>

namespace mt52 {

// StartDir + "/SerialLog.log" (no doubled separator).
QString CommunicationLogPath();

// Appends the line and CR LF. Returns 0, or the error number of the failure (75 when the file
// cannot be opened, 57 when it cannot be written) with the reason in `detail`.
int AppendCommunicationLog(const QString& line, QString* detail = nullptr);

}  // namespace mt52
