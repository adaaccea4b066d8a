#pragma once
// The data folder, the database and its single-user lock, fixed once while the main window loads.
#include "main_window/DatabaseLockFile.h"
#include "common/FolderPath.h"

#include <QString>
#include <functional>

namespace mt52 {

// Sets State().DataFolder ("Data" in DataRoot) and creates that folder when missing (one level:
// the data root itself must exist), sets State().DatabasePath ("MT52.mdb" in DataRoot) and
// creates the database through `createDatabase` when no file is there, then takes the lock on
// "MT52.LCK" beside it with this process's names. The steps stop at the first failure, which
// the result describes; the paths set before it stand. State().LockFileNumber is 1 while the
// returned lock is held by its owner, 0 otherwise.
// The failures name the folder that could not be made or opened and the setting that chooses
// another one (text 5471).
DatabaseLockFile::Outcome OpenDatabaseLock(const std::function<void(const QString&)>& createDatabase,
                                           const LockHolder& self = CurrentLockHolder());

// Text 5471 naming the folder that is missing or could not be made, when the database is not
// there to be used (a failed start); empty when it is.
QString DataLocationProblem();

inline constexpr int UnusableFolderText = 5471;

}  // namespace mt52
