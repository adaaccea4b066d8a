#include "common/CommandLineSwitches.h"

namespace mt52 {

QString CommandLineText(const QStringList& arguments) { return arguments.mid(1).join(u' '); }

CommandLineSwitches ReadCommandLineSwitches(const QString& commandLine) {
    const QString upper = commandLine.toUpper();
    return {upper.contains(QStringLiteral("-DEBUG")), upper.contains(QStringLiteral("-52"))};
}

}  // namespace mt52
