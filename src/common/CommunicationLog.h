#pragma once
// The communication log file "SerialLog.log" in the program folder. Every line is appended with
// CR LF to the file. The file stays open between lines and each line goes to the file with one
// write (no buffer a crash could lose). It may still be read, moved or deleted between any two
// lines: the next line notices that the name no longer leads to the open file and opens it anew. The link writes its frames through SerialLog; the record
// models write their own lines here too.
#include <QString>
#include <functional>

namespace mt52 {

// StartDir + "/SerialLog.log" (no doubled separator).
QString CommunicationLogPath();

// Appends the line and CR LF. Returns 0, or the error number of the failure (75 when the file
// cannot be opened, 57 when it cannot be written) with the reason in `detail`.
int AppendCommunicationLog(const QString& line, QString* detail = nullptr);

// Closes the log file; the next line opens it again.
void CloseCommunicationLog();

// Where the first failure to write the log is told (the main window's log box shows it): the
// notice is called once, with the file and the reason, and not again until a notice is set
// anew. An empty function tells nobody. A failed line never stops the work that writes it.
void SetCommunicationLogNotice(std::function<void(const QString& detail)> notice);

}  // namespace mt52
