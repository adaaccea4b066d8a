#pragma once
// The communication log "SerialLog.log" in the program folder: one line per frame written
// or read, connection change and line error, each beginning with the time "hh:nn:ss".
// The lines go through the one writer of that file (common/CommunicationLog.h).
#include "platform/OleDate.h"

#include <QByteArray>
#include <QString>

namespace mt52 {

class SerialLog {
public:
    // StartDir + "/SerialLog.log" (no doubled separator).
    static QString Path();

    // Appends "hh:nn:ss <text>" and CR LF, the time being `at` (now when not given). False
    // when the file cannot be opened or written; the log is a diagnostic aid, so callers
    // inside the link go on regardless.
    static bool Write(const QString& text);
    static bool Write(const QString& text, const Date& at);

    // The frame with its control bytes shown readably: [STX], [ETX], [EOT], [ENQ], [ACK],
    // [NAK], [ETB], [SUB], [ESC], any other code below 32 as "[hh]"; CR and LF stay as they
    // are; bytes from 32 up are the instrument's characters.
    static QString ToPrintable(const QByteArray& frame);

    // The line of text `textId` (a template with one argument, "W : ~1" or "R : ~1") with
    // the printable frame in place of the argument. The frame is inserted after the
    // template's markers were expanded, so instrument text is never read as markers.
    static QString FrameText(int textId, const QByteArray& frame);
};

}  // namespace mt52
