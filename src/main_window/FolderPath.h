#pragma once
#include <QString>

namespace mt52 {

// A folder and a name joined with one "/" ("root/" and "root" give the same path).
inline QString JoinFolder(const QString& folder, const QString& name) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

}  // namespace mt52
