// The MT-52 management program.
#include "common/ResText.h"
#include "common/gui/frmOpen.h"
#include "platform/SingleInstanceLock.h"
#include "platform/gui/QtUserDialogs.h"

#include <QApplication>
#include <QMainWindow>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MT-52"));
    mt52::QtUserDialogs dialogs;
    mt52::SetDialogs(&dialogs);

    // Held for the whole run: a second start is refused while this copy runs.
    mt52::SingleInstanceLock instance(mt52::DefaultInstanceLockPath());
    std::unique_ptr<QMainWindow> window;
    const bool started = mt52::RunStartup(instance, QApplication::arguments(), [&window] {
        if (!window) {
            window = std::make_unique<QMainWindow>();
            const QString title = mt52::GetResText(5001);
            window->setWindowTitle(title.isEmpty() ? QStringLiteral("MT-52") : title);
            window->resize(800, 560);
        }
        window->show();
    });
    const int rc = started ? QApplication::exec() : 0;
    window.reset();
    mt52::SetDialogs(nullptr);
    return rc;
}
