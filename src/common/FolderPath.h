#pragma once
// Paths made of a folder and a name.
#include <QString>

namespace mt52 {

// A folder and a name joined with one separator: "root/" (or "root\" from a settings file
// written elsewhere) and "root" give the same path; an empty folder gives the name alone.
inline QString JoinFolder(const QString& folder, const QString& name) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

}  // namespace mt52
