// The MT-52 management program.
#include "ProgramAssembly.h"
#include "common/QtTranslations.h"
#include "common/gui/frmOpen.h"
#include "main_window/gui/frmMain.h"
#include "platform/SingleInstanceLock.h"
#include "platform/TerminationSignals.h"
#include "platform/gui/GuardedApplication.h"
#include "platform/gui/QtUserDialogs.h"

#include <QApplication>
#include <memory>

int main(int argc, char* argv[]) {
    mt52::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MT-52"));
    // Standard buttons and dialogs in the interface language, when Qt's translations are there.
    const mt52::QtTranslations qtTexts(mt52::InterfaceLanguage());
    mt52::QtUserDialogs dialogs;
    mt52::SetDialogs(&dialogs);

    // Held for the whole run: a second start is refused while this copy runs.
    mt52::SingleInstanceLock instance(mt52::DefaultInstanceLockPath());
    std::unique_ptr<mt52::frmMain> window;
    bool refused = false;  // the database is in use by another copy: end without a window
    const bool started = mt52::RunStartup(instance, QApplication::arguments(), [&window, &refused] {
        if (!window) {
            window = mt52::AssembleMainWindow();
            refused = !window->Form_Load();
        }
        if (!refused)
            window->show();
    });
    // SIGINT and SIGTERM end the program the way the automatic termination does: a wait in
    // progress unwinds first and the database lock is released, without any question.
    mt52::TerminationSignals onSignal([&window] {
        if (window && window->isVisible())
            window->Terminate();
        else
            QApplication::quit();
    });
    const int rc = started && !refused ? QApplication::exec() : 0;
    window.reset();
    mt52::SetDialogs(nullptr);
    return rc;
}
