#pragma once
// The communication log files in the program folder: "SerialLog.log" (the current run),
// "SerialLog1.log" to "SerialLog9.log" (earlier runs, 1 the newest), and the archive folder
// "ErrorLogs" that keeps a log under a time-stamped name.
#include <QString>

namespace mt52 {

// Shifts the generations up by one in State().StartDir: 8 becomes 9 (the old 9 is dropped),
// ..., 1 becomes 2, and the current file becomes 1. A generation that is missing is passed
// over. A file that cannot be deleted or renamed ends the rotation there, so no generation is
// overwritten by the one below it; the files moved so far stay moved. Returns the path of the
// file that stopped the rotation, empty when it ran to the end.
QString RotateSerialLogs();

// Deletes "SerialLog.log" in State().StartDir when it exists and waits a bounded while for
// it to go; true when it is gone.
bool DeleteSerialLog();

// Moves "SerialLog.log" to "ErrorLogs/SerialLog_yyyymmdd_hhnnss.log" in State().StartDir (the
// time is now), creating the folder when it is missing; nothing happens without a log. An
// archive of that name that exists already is never overwritten: that, and a folder or move
// that fails, raise a RuntimeError and leave the log where it was.
void ArchiveSerialLog();

}  // namespace mt52
