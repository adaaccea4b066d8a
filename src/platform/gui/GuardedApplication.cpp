#include "platform/gui/GuardedApplication.h"

#include "platform/RuntimeError.h"
#include "platform/UserDialogs.h"

#include <QDebug>

namespace mt52 {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

QString GuardedApplication::UntrappedErrorText(const std::exception& error) {
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&error))
        return QStringLiteral("Error %1: %2").arg(runtime->number()).arg(runtime->description());
    return QString::fromLocal8Bit(error.what());
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    QString text;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        text = UntrappedErrorText(error);
    }
    // The box is shown after the handler has unwound, outside the catch block, so an event
    // loop it runs never sees the exception still in flight.
    qWarning().noquote() << "untrapped error:" << text;
    MsgBox(text, vbOKOnly | vbCritical, applicationName());
    return false;
}

}  // namespace mt52
