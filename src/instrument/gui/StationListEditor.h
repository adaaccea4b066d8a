#pragma once
// The station list part of the detail settings dialog: the grid of the 128 station names of
// the dialog's working copy, the label with the edited name's leading blanks, and the
// export to and import from the station file. The controls are children of the dialog,
// which places them; the names reach the working copy only through the dialog's OK.
#include "platform/gui/GridView.h"

#include <QObject>
#include <QStringList>

class QLabel;
class QPushButton;
class QWidget;

namespace mt52 {

class clsInstrument;

class StationListEditor : public QObject {
    Q_OBJECT

public:
    // Creates the controls as children of the dialog.
    explicit StationListEditor(QWidget& dialog);

    // Fills the grid from the working copy, which the import then marks; the working copy
    // must outlive the editor's use of it.
    void FillStationGrid(clsInstrument& work);
    // True when no name is marked invalid.
    bool CheckStationList() const;
    // The names of rows 0 to 127 as the grid holds them.
    QStringList Names() const;
    // Ends a running edit of a name (an edit of a name is never refused).
    void CommitEdit();

    // Handlers.
    void cmdStationExport_Click();
    void cmdStationImport_Click();
    void vfgStation_KeyPressEdit(int row, int col, int& keyAscii);
    void vfgStation_AfterEdit(int row, int col);
    void vfgStation_ChangeEdit(int row, int col);
    void vfgStation_RowColChange();
    void vfgStation_GotFocus();
    void vfgStation_LostFocus();

    QLabel* Label3_1;  // the station list's heading
    GridView* vfgStation;
    QLabel* lblSpaceCount;
    QPushButton* cmdStationExport;
    QPushButton* cmdStationImport;

private:
    void ShowLeftSpace();
    // Marks a name white when it is valid, red when it is not.
    void JudgeRow(int row);
    GridModel& Grid() { return vfgStation->Model(); }
    const GridModel& Grid() const { return vfgStation->Model(); }

    clsInstrument* work_ = nullptr;
};

// The message of OK and the export when a name is marked invalid.
void ShowImproperStationList();

}  // namespace mt52
