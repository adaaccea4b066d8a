#pragma once
// frmSetPrinter: the printer choice of a report. Lists the printers by device name in the list's
// order with the current printer preselected; OK answers the selected entry's index, Cancel, Esc
// and the close box answer -1.
#include "platform/FontSpec.h"
#include "platform/Types.h"
#include "printing/ReportJob.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace mt52 {

class frmSetPrinter : public QDialog {
public:
    explicit frmSetPrinter(const FontSpec& font, QWidget* parent = nullptr);

    // Fills the list from the printers and preselects the current one (the last of equal names).
    void Load(const PrinterList& printers);
    void cmdOK_Click();
    void cmdCan_Click();

    // The answer: the chosen index, or -1; `previous` until a button or the close box answers.
    Integer SelNo(Integer previous) const { return answered_ ? selNo_ : previous; }

    QLabel* lblTitle = nullptr;
    QComboBox* cmbList = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCan = nullptr;

protected:
    void done(int result) override;

private:
    Integer selNo_ = -1;
    bool answered_ = false;
};

// The printer choice of the report job: shows frmSetPrinter modally, loaded afresh each time. Its
// answer is kept from one use to the next (0 before the first).
class PrinterChoiceDialog final : public PrinterChooser {
public:
    explicit PrinterChoiceDialog(QWidget* parent = nullptr, FontSpec font = {}) : parent_(parent), font_(font) {}

    Integer ChoosePrinter(PrinterList& printers) override;
    Integer SelNo() const { return selNo_; }

    // Runs between loading and showing the dialog (tests answer it there).
    std::function<void(frmSetPrinter&)> onShown;

private:
    QWidget* parent_;
    FontSpec font_;
    Integer selNo_ = 0;
};

}  // namespace mt52
