#pragma once
// The detail settings dialog: twenty-one device options of an instrument in a settings grid
// and its station list (StationListEditor). It edits a working copy of the instrument and,
// on OK, copies back only the items the user changed; Cancel or closing discards the edits.
//
// Use: ShowFsDialog(parent, instrument), or set Instrument and exec() the dialog. Tests build
// the dialog, set Instrument, call Form_Activate and drive the handlers.
#include "instrument/DetailSettingRows.h"
#include "instrument/clsInstrument.h"
#include "instrument/gui/StationListEditor.h"
#include "platform/gui/GridView.h"

#include <QDialog>
#include <memory>

class QPushButton;

namespace mt52 {

class frmFsDialog : public QDialog {
    Q_OBJECT

public:
    // Form_Load: the common font, the captions, the activated flag cleared.
    explicit frmFsDialog(QWidget* parent = nullptr);
    ~frmFsDialog() override;

    // Shows the dialog modally on the instrument; true when it was closed with OK.
    static bool ShowFsDialog(QWidget* parent, clsInstrument& instrument);

    // The instrument to edit; the dialog keeps a reference and changes it only on OK.
    void Instrument(clsInstrument& instrument) { instrument_ = &instrument; }
    clsInstrument* Instrument() const { return instrument_; }
    // The working copy, once the first activation has made it.
    const clsInstrument* WorkingCopy() const { return work_.get(); }

    // Handlers.
    // The first activation copies the instrument into the working copy and fills the grids;
    // later activations (after a message box or a file dialog) do nothing.
    void Form_Activate();
    void cmdOK_Click();
    void cmdCancel_Click();
    void vfgDatas_BeforeEdit(int row, int col, bool& cancel);
    void vfgDatas_KeyPressEdit(int row, int col, int& keyAscii);
    void vfgDatas_ValidateEdit(int row, int col, bool& cancel);

    GridView* vfgDatas;
    StationListEditor* Station;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FillSettingsGrid();
    void AddSettingRow(int row, const QString& caption, Long value, int kind, const QString& list);
    void ApplySettingsGrid();
    void Form_Resize();
    GridModel& Datas() { return vfgDatas->Model(); }

    clsInstrument* instrument_ = nullptr;
    std::unique_ptr<clsInstrument> work_;
    DetailCellTexts filled_;  // the value cells as the grid was filled
    bool activated_ = false;
    bool validating_ = false;
};

}  // namespace mt52
