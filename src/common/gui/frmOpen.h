#pragma once
// The splash and start-up form: refuses a second copy of the program, takes the program
// folder and the command-line switches, shows the splash for five ticks of its timer while
// the event loop runs, then has the main window created and shown and goes away.
#include "common/SplashLayout.h"
#include "platform/Types.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

class QFrame;

namespace mt52 {

class SingleInstanceLock;

class frmOpen : public QWidget {
    Q_OBJECT

public:
    // Creates the main window if it does not exist yet and shows it (not modally).
    using ShowMainWindow = std::function<void()>;

    // `instance` is the program's single-instance lock; it must outlive the program's run,
    // so the caller keeps it. `tickMilliseconds` is the start-up timer's interval.
    frmOpen(SingleInstanceLock& instance, ShowMainWindow showMainWindow, int tickMilliseconds = 500);
    ~frmOpen() override;

    // The start-up steps: false when another copy runs (after telling the user), and the
    // program must end. Otherwise the splash is laid out, centred and shown with the busy
    // pointer, and StartDir, DebugMode and ExtendedMode are set.
    bool Form_Load(const QString& commandLine);
    // The timed wait and the hand-over to the main window. Runs again when the splash is
    // activated during the wait, which restarts the count; the main window is shown once.
    void Form_Activate();

    // The double click on the frame: the pause box, modal, so start-up holds until it closes.
    void fraOpen_DblClick();

    Integer TickCount() const { return tickCount_; }
    // True once the main window has been shown.
    bool HandedOver() const { return handedOver_; }

    QFrame* fraOpen;
    QLabel* imgSplash;
    QLabel* lblTitle;
    QLabel* lblTM;
    std::array<QLabel*, 2> lblBorder;
    QLabel* lblPCs;
    QLabel* lblVersion;
    QLabel* lblCompany;
    QLabel* lblNotice;
    QTimer tmrTimer;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LayoutSplash();
    void tmrTimer_Timer();

    SingleInstanceLock& instance_;
    ShowMainWindow showMainWindow_;
    Integer tickCount_ = 0;
    bool waiting_ = false;
    bool handedOver_ = false;
    bool abandoned_ = false;
};

// The whole start-up as the program runs it: the splash form is created, loaded, shown and
// waited through. False when the program must end (another copy runs, or the splash was
// closed before the main window came).
bool RunStartup(SingleInstanceLock& instance, const QStringList& arguments, const frmOpen::ShowMainWindow& showMainWindow);

// The splash picture: a drawing of the instrument, 120 x 180 pixels.
QPixmap DrawSplashPicture();

}  // namespace mt52
