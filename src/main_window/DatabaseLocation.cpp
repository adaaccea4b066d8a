#include "main_window/DatabaseLocation.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QFileInfo>

namespace mt52 {

DatabaseLockFile::Outcome OpenDatabaseLock(const std::function<void(const QString&)>& createDatabase,
                                           const LockHolder& self) {
    ModuleState& state = State();
    state.LockFileNumber = 0;
    const QString root = state.DataRoot;
    state.DataFolder = JoinFolder(root, QStringLiteral("Data"));
    if (!QFileInfo(root).isDir())
        return DatabaseLockFile::Failed{GetResText(UnusableFolderText, {root})};
    if (!QFileInfo(state.DataFolder).isDir() && !QDir(root).mkdir(QStringLiteral("Data")))
        return DatabaseLockFile::Failed{GetResText(UnusableFolderText, {state.DataFolder})};

    state.DatabasePath = JoinFolder(root, QStringLiteral("MT52.mdb"));
    if (!QFileInfo::exists(state.DatabasePath)) {
        try {
            createDatabase(state.DatabasePath);
        } catch (const RuntimeError& error) {
            return DatabaseLockFile::Failed{GetResText(UnusableFolderText, {root}) + QStringLiteral("\r\n") +
                                            QStringLiteral("%1: %2").arg(state.DatabasePath, error.description())};
        }
    }

    DatabaseLockFile::Outcome outcome = DatabaseLockFile::Acquire(LockFilePathFor(state.DatabasePath), self);
    if (std::holds_alternative<std::unique_ptr<DatabaseLockFile>>(outcome))
        state.LockFileNumber = 1;
    return outcome;
}

QString DataLocationProblem() {
    const ModuleState& state = State();
    if (!state.DatabasePath.isEmpty() && QFileInfo(state.DatabasePath).isFile())
        return QString();
    const QString root = state.DataRoot;
    const QString folder = !QFileInfo(root).isDir() || state.DataFolder.isEmpty() || QFileInfo(state.DataFolder).isDir()
                               ? root
                               : state.DataFolder;
    return GetResText(UnusableFolderText, {folder});
}

}  // namespace mt52
