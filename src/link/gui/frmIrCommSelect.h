#pragma once
// The port choice dialog: lets the user pick one of several ports of the instrument's adapter.
// Pressing OK stores the 1-based place of the selected entry in State().CommPortChoice (0 when
// nothing is selected) and closes the dialog; closing it otherwise leaves the choice alone.
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

namespace mt52 {

class frmIrCommSelect : public QDialog {
public:
    explicit frmIrCommSelect(QWidget* parent = nullptr);

    // Offers the entries in this order with the first one selected.
    void SetEntries(const QStringList& entries);
    void cmdOK_Click();

    QLabel* Label1 = nullptr;
    QComboBox* cmbIrComm = nullptr;
    QPushButton* cmdOK = nullptr;
};

// Shows the dialog modally with the entries and returns when it has closed.
void ChoosePortWithDialog(const QStringList& entries);

}  // namespace mt52
