#include "instrument/gui/StationListEditor.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/StationList.h"
#include "instrument/clsInstrument.h"
#include "platform/Colors.h"
#include "platform/Twips.h"
#include "platform/UserDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace mt52 {

namespace {

constexpr Long ValidColour = RGB(255, 255, 255);
constexpr Long InvalidColour = RGB(255, 0, 0);
constexpr int NumberColWidth = 400;
constexpr int NameCol = 1;

// The filter of the station file dialogs; comma separated comes first so it is preselected.
const QString StationFileFilter = QStringLiteral("Comma separated (*.csv);;All files (*.*)");

}  // namespace

void ShowImproperStationList() {
    MsgBox(GetResText(8056, {Variant(GetResText(8038))}), vbCritical, GetResText(5001));
}

StationListEditor::StationListEditor(QWidget& dialog)
    : QObject(&dialog),
      Label3_1(new QLabel(&dialog)),
      vfgStation(new GridView(&dialog)),
      lblSpaceCount(new QLabel(QStringLiteral("(Left space 0)"), &dialog)),
      cmdStationExport(new QPushButton(&dialog)),
      cmdStationImport(new QPushButton(&dialog)) {
    vfgStation->setObjectName(QStringLiteral("vfgStation"));
    Label3_1->setText(GetResText(8038));
    cmdStationExport->setText(GetResText(8039));
    cmdStationImport->setText(GetResText(8040));

    GridEvents& events = Grid().Events();
    events.KeyPressEdit = [this](int row, int col, int& key) { vfgStation_KeyPressEdit(row, col, key); };
    events.AfterEdit = [this](int row, int col) { vfgStation_AfterEdit(row, col); };
    events.ChangeEdit = [this](int row, int col) { vfgStation_ChangeEdit(row, col); };
    events.RowColChange = [this] { vfgStation_RowColChange(); };
    events.GotFocus = [this] { vfgStation_GotFocus(); };
    events.LostFocus = [this] { vfgStation_LostFocus(); };
    connect(cmdStationExport, &QPushButton::clicked, this, [this] { cmdStationExport_Click(); });
    connect(cmdStationImport, &QPushButton::clicked, this, [this] { cmdStationImport_Click(); });
}

void StationListEditor::FillStationGrid(clsInstrument& work) {
    work_ = &work;
    GridModel& grid = Grid();
    vfgStation->hide();
    grid.SetRedraw(false);
    grid.Clear();
    grid.SetCols(2);
    grid.SetRows(StationCount);
    grid.SetFixedRows(0);
    grid.SetFixedCols(1);

    grid.SetColAlignment(NameCol, AlignLeftCenter);
    grid.SetCellFont(GridRange{0, 0, StationCount - 1, NameCol}, State().CommonFont);
    grid.SetEditable(true);
    // The name column fills the grid beside the numbers, short of the vertical scroll bar.
    const int scrollBar = PixelsToTwips(vfgStation->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                        2 * vfgStation->frameWidth());
    grid.SetColWidth(0, NumberColWidth);
    grid.SetColWidth(NameCol, std::max(0, vfgStation->WidthTwips() - NumberColWidth - scrollBar));

    for (int row = 0; row < StationCount; ++row) {
        grid.SetTextMatrix(row, 0, QString::number(row + 1));
        grid.SetTextMatrix(row, NameCol, work.StationList(static_cast<Integer>(row)));
    }
    grid.SetCurrentCell(0, NameCol);
    grid.SetTopRow(0);
    grid.SetRedraw(true);
    vfgStation->show();
}

bool StationListEditor::CheckStationList() const {
    const GridModel& grid = Grid();
    for (int row = 0; row < grid.Rows(); ++row) {
        if (grid.Cols() > NameCol && grid.CellBackColor(row, NameCol) == InvalidColour)
            return false;
    }
    return true;
}

QStringList StationListEditor::Names() const {
    QStringList names;
    const GridModel& grid = Grid();
    for (int row = 0; row < grid.Rows() && grid.Cols() > NameCol; ++row)
        names.append(grid.TextMatrix(row, NameCol));
    return names;
}

void StationListEditor::CommitEdit() { Grid().CommitEdit(); }

void StationListEditor::JudgeRow(int row) {
    GridModel& grid = Grid();
    grid.SetCellBackColor(row, NameCol,
                          IsValidStationName(grid.TextMatrix(row, NameCol)) ? ValidColour : InvalidColour);
}

void StationListEditor::vfgStation_KeyPressEdit(int /*row*/, int col, int& keyAscii) {
    if (col != NameCol)
        return;
    const GridModel& grid = Grid();
    if (!AcceptStationKey(keyAscii, grid.EditText(), grid.EditSelLength())) {
        keyAscii = 0;
        QApplication::beep();
    }
}

void StationListEditor::vfgStation_AfterEdit(int row, int col) {
    if (col == NameCol)
        JudgeRow(row);
}

void StationListEditor::vfgStation_ChangeEdit(int /*row*/, int col) {
    if (col == NameCol)
        lblSpaceCount->setText(LeftSpaceText(Grid().EditText()));
}

void StationListEditor::vfgStation_RowColChange() { ShowLeftSpace(); }

void StationListEditor::vfgStation_GotFocus() { ShowLeftSpace(); }

void StationListEditor::vfgStation_LostFocus() { lblSpaceCount->clear(); }

void StationListEditor::ShowLeftSpace() {
    const GridModel& grid = Grid();
    if (grid.Col() == NameCol && grid.Row() < grid.Rows())
        lblSpaceCount->setText(LeftSpaceText(grid.Text()));
    else
        lblSpaceCount->clear();
}

void StationListEditor::cmdStationExport_Click() {
    CommitEdit();
    if (!CheckStationList()) {
        ShowImproperStationList();
        return;
    }
    FileDialogRequest request;
    request.filter = StationFileFilter;
    request.fileName = QStringLiteral("Station.csv");
    const std::optional<QString> path = Dialogs().SaveFileName(request);
    if (!path || path->isEmpty())
        return;

    QString error;
    if (!WriteStationFile(*path, Names(), error)) {
        MsgBox(GetResText(8058, {*path, error}), vbCritical, GetResText(5001));
        return;
    }
    MsgBox(QStringLiteral("Export Complete"), vbOKOnly);
}

void StationListEditor::cmdStationImport_Click() {
    CommitEdit();
    FileDialogRequest request;
    request.filter = StationFileFilter;
    const std::optional<QString> path = Dialogs().OpenFileName(request);
    if (!path || path->isEmpty())
        return;

    const StationFileContent content = ReadStationFile(*path);
    // A file read to its end is followed by the judging of every row, even when it held no line.
    if (!content.names.isEmpty() || content.error.isEmpty()) {
        GridModel& grid = Grid();
        for (int row = 0; row < content.names.size() && row < grid.Rows(); ++row) {
            grid.SetTextMatrix(row, NameCol, content.names[row]);
            if (work_)
                work_->Change_StationList(static_cast<Integer>(row), true);
        }
        // Every row is judged, also after a failure, so no filled name escapes its mark.
        for (int row = 0; row < grid.Rows(); ++row)
            JudgeRow(row);
        vfgStation->AutoSizeColumn(NameCol);
        grid.SetColWidth(NameCol, std::max(0, grid.ColWidth(NameCol) - 100));
    }
    if (!content.error.isEmpty())
        MsgBox(GetResText(8057, {*path, content.error}), vbCritical, GetResText(5001));
}

}  // namespace mt52
