#pragma once
// The communication log files of earlier runs in the program folder: "SerialLog.log" (the
// current run) and "SerialLog1.log" to "SerialLog9.log" (earlier runs, 1 the newest).
#include <QString>

namespace mt52 {

// Shifts the generations up by one in State().StartDir: 8 becomes 9 (the old 9 is dropped), ...,
// 1 becomes 2, and the current file becomes 1. A generation that is missing is passed over. A
// failing delete or rename ends the rotation there (RuntimeError, the files moved so far stay).
void RotateSerialLogs();

// Deletes "SerialLog.log" in State().StartDir when it exists; true when it is gone afterwards.
bool DeleteSerialLog();

}  // namespace mt52
