// The MT-52 management program.
#include "platform/gui/QtUserDialogs.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MT-52"));
    mt52::QtUserDialogs dialogs;
    mt52::SetDialogs(&dialogs);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("MT-52"));
    window.resize(800, 560);
    window.show();
    const int rc = QApplication::exec();
    mt52::SetDialogs(nullptr);
    return rc;
}
