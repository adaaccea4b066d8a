#pragma once
// The program's application object: an error boundary at the event loop. An exception that no
// handler traps (a RuntimeError or any other std::exception) must not pass through Qt's event
// loop, which does not allow it; it is caught where the event is delivered, shown in a message
// box through the dialog interface (its number and text), and the program goes on with the
// next event. Handlers that trap an error on purpose keep doing so themselves.
#include <QApplication>
#include <QString>
#include <exception>

namespace mt52 {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The message shown for an untrapped error: "Error N: text" for a RuntimeError, the
    // exception's own text for any other.
    static QString UntrappedErrorText(const std::exception& error);
};

}  // namespace mt52
