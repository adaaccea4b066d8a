#pragma once
// frmIrCommSelect: the port choice. When several ports of the instrument's USB-serial adapter
// are found, the user picks one from the list; OK stores the 1-based place of the chosen
// entry in State().CommPortChoice (0 when none is chosen) and closes the window.
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace mt52 {

class frmIrCommSelect : public QDialog {
public:
    explicit frmIrCommSelect(QWidget* parent = nullptr);

    // State().CommPortChoice := the selected place + 1; then the window closes.
    void cmdOK_Click();

    // Fills the list with `entries` (first one selected), puts the mouse pointer back to the
    // default arrow and shows the window blocking until it is closed. Closing it without OK leaves State().CommPortChoice as it was.
    static void Choose(const QStringList& entries, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QComboBox* cmbIrComm = nullptr;
    QPushButton* cmdOK = nullptr;
};

}  // namespace mt52
