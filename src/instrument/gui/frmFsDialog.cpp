#include "instrument/gui/frmFsDialog.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/gui/WindowMetrics.h"
#include "instrument/FsDialogLayout.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace mt52 {

namespace {

constexpr int ValueCol = 1;
constexpr int ListCol = 2;
constexpr int KindTyped = 0;
constexpr int KindChoice = 2;
constexpr int BackspaceKey = 8;

}  // namespace

frmFsDialog::frmFsDialog(QWidget* parent)
    : QDialog(parent),
      vfgDatas(new GridView(this)),
      Station(new StationListEditor(*this)),
      cmdOK(new QPushButton(this)),
      cmdCancel(new QPushButton(this)) {
    vfgDatas->setObjectName(QStringLiteral("vfgDatas"));
    setWindowTitle(GetResText(8025));
    cmdOK->setText(GetResText(7010));
    cmdCancel->setText(GetResText(7011));
    ApplyCommonFontToAll(*this, State().CommonFont);
    vfgDatas->Model().SetFont(State().CommonFont);
    Station->vfgStation->Model().SetFont(State().CommonFont);

    GridEvents& events = Datas().Events();
    events.BeforeEdit = [this](int row, int col, bool& cancel) { vfgDatas_BeforeEdit(row, col, cancel); };
    events.KeyPressEdit = [this](int row, int col, int& key) { vfgDatas_KeyPressEdit(row, col, key); };
    events.ValidateEdit = [this](int row, int col, bool& cancel) { vfgDatas_ValidateEdit(row, col, cancel); };
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    cmdOK->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);

    setMinimumSize(TwipsToPixels(FsDialogMinWidth), TwipsToPixels(FsDialogMinHeight));
    resize(TwipsToPixels(FsDialogWidth), TwipsToPixels(FsDialogHeight));
    Form_Resize();
}

frmFsDialog::~frmFsDialog() = default;

bool frmFsDialog::ShowFsDialog(QWidget* parent, clsInstrument& instrument) {
    frmFsDialog dialog(parent);
    dialog.Instrument(instrument);
    return dialog.exec() == QDialog::Accepted;
}

void frmFsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmFsDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmFsDialog::Form_Resize() {
    Long width = 0;
    Long height = 0;
    GetClientSizeTwips(*this, width, height);
    const FsDialogLayout l = LayoutFsDialog(width, height);
    PlaceTwips(*vfgDatas, l.vfgDatas);
    PlaceTwips(*Station->Label3_1, l.stationHeading);
    PlaceTwips(*Station->vfgStation, l.vfgStation);
    PlaceTwips(*Station->lblSpaceCount, l.lblSpaceCount);
    PlaceTwips(*Station->cmdStationExport, l.cmdStationExport);
    PlaceTwips(*Station->cmdStationImport, l.cmdStationImport);
    FitButtonCaption(*Station->cmdStationExport, GetResText(8039));
    FitButtonCaption(*Station->cmdStationImport, GetResText(8040));
    PlaceTwips(*cmdOK, l.cmdOK);
    PlaceTwips(*cmdCancel, l.cmdCancel);
}

void frmFsDialog::Form_Activate() {
    if (activated_ || !instrument_)
        return;
    activated_ = true;
    if (!work_)
        work_ = std::make_unique<clsInstrument>();
    CopyInstrumentSettings(*work_, *instrument_, false);
    work_->ClearChangeFlags();  // from here on a set flag means "edited in this dialog"
    FillSettingsGrid();
    Station->FillStationGrid(*work_);
}

void frmFsDialog::FillSettingsGrid() {
    GridModel& grid = Datas();
    grid.SetRedraw(false);
    grid.Clear();
    grid.SetCols(DetailSettingCols);
    grid.SetRows(DetailSettingRows);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);

    for (int row = 1; row < DetailSettingRows; ++row) {
        const bool choice = DetailRowKind(row) == SettingRowKind::Choice;
        AddSettingRow(row, GetResText(DetailRowCaptionId(row)), DetailSettingValue(*work_, row),
                      choice ? KindChoice : KindTyped, choice ? DetailChoiceList(row) : QString());
    }
    // The read-only row wears the fixed cells' colour, which the edit start refuses.
    grid.SetCellBackColor(FlowLevelRow, ValueCol, grid.BackColorFixed());

    const int width = vfgDatas->WidthTwips();
    const int scrollBar = PixelsToTwips(vfgDatas->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                        2 * vfgDatas->frameWidth());
    grid.SetColWidth(0, width * 6 / 10);
    grid.SetColWidth(ValueCol, std::max(0, width - width * 6 / 10 - scrollBar));
    grid.SetColWidth(ListCol, 0);
    grid.SetColHidden(ListCol, true);
    grid.SetEditable(true);
    grid.SetRedraw(true);

    for (int row = 1; row < DetailSettingRows; ++row)
        filled_[static_cast<std::size_t>(row)] = grid.TextMatrix(row, ValueCol);
}

void frmFsDialog::AddSettingRow(int row, const QString& caption, Long value, int kind, const QString& list) {
    GridModel& grid = Datas();
    if (row <= 0 || row >= grid.Rows())
        return;
    grid.SetRow(row);
    grid.SetTextMatrix(row, 0, caption);
    grid.SetComboList(QString());
    if (kind == KindChoice) {
        grid.SetTextMatrix(row, ListCol, list);
        grid.SetTextMatrix(row, ValueCol, ChoiceItemText(list, value));
    } else {
        grid.SetTextMatrix(row, ValueCol, QString::number(value));
    }
}

void frmFsDialog::vfgDatas_BeforeEdit(int row, int /*col*/, bool& cancel) {
    GridModel& grid = Datas();
    if (row == 0 || grid.CellBackColor(row, ValueCol) == grid.BackColorFixed()) {
        cancel = true;
        return;
    }
    // Typed rows have no list, so they edit as plain text.
    grid.SetComboList(grid.TextMatrix(row, ListCol));
}

void frmFsDialog::vfgDatas_KeyPressEdit(int row, int col, int& keyAscii) {
    if (col != ValueCol || keyAscii == BackspaceKey)
        return;
    const GridModel& grid = Datas();
    QString text = grid.EditText();
    text.replace(grid.EditSelStart(), grid.EditSelLength(), QChar(keyAscii));
    if (!ValidateCellText(row, text)) {
        keyAscii = 0;
        QApplication::beep();
        return;
    }
    if (keyAscii >= 'a' && keyAscii <= 'z')
        keyAscii -= 'a' - 'A';
}

void frmFsDialog::vfgDatas_ValidateEdit(int row, int col, bool& cancel) {
    if (validating_)
        return;
    validating_ = true;
    if (col == ValueCol) {
        if (!AcceptSettingEntry(row, Datas().EditText()))
            cancel = true;
        else if (row == CalLimitRow && work_)
            work_->Change_CalLimit(true);  // a confirmed limit is sent again even when unchanged
    }
    validating_ = false;
}

void frmFsDialog::ApplySettingsGrid() {
    const GridModel& grid = Datas();
    DetailCellTexts now;
    for (int row = 1; row < DetailSettingRows; ++row)
        now[static_cast<std::size_t>(row)] = grid.TextMatrix(row, ValueCol);
    ApplyDetailCellTexts(*work_, filled_, now);

    const QStringList names = Station->Names();
    for (int i = 0; i < names.size(); ++i) {
        const auto index = static_cast<Integer>(i);
        if (names[i] != work_->StationList(index))
            work_->StationList(index, names[i]);
    }
}

void frmFsDialog::cmdOK_Click() {
    if (!work_ || !instrument_) {
        reject();
        return;
    }
    // An entry still in its editor counts only once it passes its checks.
    if (!Datas().CommitEdit())
        return;
    Station->CommitEdit();
    if (!Station->CheckStationList()) {
        ShowImproperStationList();
        return;
    }
    ApplySettingsGrid();
    CopyInstrumentSettings(*instrument_, *work_, true);
    accept();
}

void frmFsDialog::cmdCancel_Click() { reject(); }

}  // namespace mt52
