#pragma once
// The two command-line switches of the program.
#include <QString>
#include <QStringList>

namespace mt52 {

struct CommandLineSwitches {
    bool debug = false;     // "-DEBUG": debug mode
    bool extended = false;  // "-52": the automatic-termination option and power-event folders
};

// The command line as one text: the arguments after the program's own name, joined by blanks.
QString CommandLineText(const QStringList& arguments);

// Plain substring tests on the upper-cased command line, so "-debugging" and "-520" count too.
CommandLineSwitches ReadCommandLineSwitches(const QString& commandLine);

}  // namespace mt52
