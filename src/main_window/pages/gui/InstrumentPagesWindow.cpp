#include "main_window/pages/gui/InstrumentPagesWindow.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/LinkCore.h"
#include "link/gui/frmUpload.h"
#include "link/uclLqif.h"
#include "main_window/MainWindowLink.h"
#include "main_window/PageContext.h"
#include "main_window/PageFlags.h"
#include "main_window/gui/MainPages.h"
#include "main_window/pages/InstrumentInfo.h"
#include "platform/Twips.h"
#include "platform/gui/GridView.h"
#include "platform/gui/ShapeControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace mt52 {

namespace {

PageLink LinkOf(PageContext& context) {
    return PageLink{*context.core, *context.settings, *context.dump, *context.operations};
}

void FillCombo(QComboBox* combo, const QStringList& entries) {
    if (combo->count() == entries.size())
        return;
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(entries);
}

}  // namespace

InstrumentPagesWindow::InstrumentPagesWindow(DownloadPage& download, InstrumentsPage& instruments,
                                             OptionPage& option, HistoryPage& history, PageContext& context,
                                             InstrumentPagesServices services)
    : download_(download),
      instruments_(instruments),
      option_(option),
      history_(history),
      context_(context),
      services_(std::move(services)),
      commands_(LinkOf(context), *this),
      optionCommands_(LinkOf(context), *this),
      calibration_(LinkOf(context), *this),
      gridEditor_(option.vfgOption->Model(), *context.currentInstrument, context.flags->GridEditBusy) {
    FillCombo(option_.cmbInterval, {"10", "20", "30", "60", "180", "300", "600"});
    FillCombo(option_.cmbIntermittence, {"30", "60", "120", "180", "240", "300"});
    // The settings grid and the record suffix are part of the option page.
    option_.vfgOption->show();
    download_.picOptionToToval->setParent(option_.fraOption[1]);
    download_.picOptionToToval->move(TwipsToPixels(120), TwipsToPixels(2900));
    download_.picOptionToToval->show();
    ShowInstrumentSettings();
    // The transfer commands wait for an instrument to report in.
    for (QPushButton* button : download_.cmdDown)
        button->setEnabled(false);
    ConnectControls();
    ConnectLink();
}

InstrumentPagesWindow::~InstrumentPagesWindow() = default;

// ---- wiring ---------------------------------------------------------------------------------

void InstrumentPagesWindow::ConnectControls() {
    for (int i = 0; i < DownCommandCount; ++i)
        connect(download_.cmdDown[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { commands_.cmdDown_Click(i); });
    connect(download_.cmdInportDat, &QPushButton::clicked, this, [this] { ImportDatButton(*this); });
    connect(download_.txtSuffix, &QLineEdit::editingFinished, this,
            [this] { State().RecordSuffix = download_.txtSuffix->text(); });

    for (int i = 0; i < 4; ++i)
        connect(option_.cmdOption[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { optionCommands_.cmdOption_Click(i); });
    for (int i = 0; i < 3; ++i)
        connect(option_.cmdCal[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { calibration_.cmdCal_Click(i); });
    for (int box = 0; box < 3; ++box) {
        QLineEdit* edit = option_.txtOption[static_cast<std::size_t>(box)];
        // Typed and pasted text alike: allowed characters, capitals, the box's length.
        connect(edit, &QLineEdit::textEdited, this, [this, edit, box](const QString& text) {
            const QString kept = FilterIdentityText(box, text);
            if (kept != text) {
                const int cursor = std::min(static_cast<int>(kept.size()), edit->cursorPosition());
                edit->setText(kept);
                edit->setCursorPosition(cursor);
                if (kept.size() < text.size())
                    QApplication::beep();
            }
            StoreIdentity(CurrentInstrument(), box, kept);
        });
        connect(edit, &QLineEdit::editingFinished, this,
                [this, edit, box] { StoreIdentity(CurrentInstrument(), box, edit->text()); });
    }
    connect(option_.cmbInterval, &QComboBox::activated, this,
            [this](int entry) { ChooseInterval(CurrentInstrument(), entry); });
    connect(option_.cmbStation, &QComboBox::activated, this,
            [this](int entry) { CurrentInstrument().StationID(CurrentInstrument().StationList(static_cast<Integer>(entry))); });

    GridEvents& grid = option_.vfgOption->Model().Events();
    grid.BeforeEdit = [this](int row, int col, bool& cancel) { gridEditor_.BeforeEdit(row, col, cancel); };
    grid.ValidateEdit = [this](int row, int col, bool& cancel) {
        GridModel& model = option_.vfgOption->Model();
        QString text = model.EditText();
        gridEditor_.ValidateEdit(row, col, text, cancel);
        model.SetEditText(text);
    };
    grid.AfterEdit = [this](int row, int col) { gridEditor_.AfterEdit(row, col, context_.core->Connected()); };
    gridEditor_.SetSensorBoxHooks({nullptr, [this] { ShowInstrumentSettings(); }, &option_.vfgCal->Model()});

    GridEvents& cal = option_.vfgCal->Model().Events();
    cal.BeforeEdit = [this](int row, int col, bool& cancel) { calibration_.BeforeEdit(row, col, cancel); };
    cal.ValidateEdit = [this](int row, int col, bool& cancel) {
        GridModel& model = option_.vfgCal->Model();
        QString text = model.EditText();
        calibration_.ValidateEdit(row, col, text, cancel, context_.flags->GridEditBusy);
        model.SetEditText(text);
    };
}

void InstrumentPagesWindow::ConnectLink() {
    uclLqif* link = context_.link ? context_.link->Control() : nullptr;
    if (!link)
        return;
    connect(link, &uclLqif::OnConnect, this, [this] { commands_.OnConnect(); });
    connect(link, &uclLqif::ConnectRetry, this, [this](Integer count) { commands_.ConnectRetry(count); });
    connect(link, &uclLqif::InstMessage, this, [this](const QString& text) { commands_.LinkMessage(text); });
    connect(link, &uclLqif::InterMessage, this, [this](const QString& text) { commands_.LinkMessage(text); });
    connect(link, &uclLqif::AlarmMessage, this, [this](const QString& text) { commands_.LinkMessage(text); });
    connect(link, &uclLqif::DumpMessage, this, [this](const QString& text) { commands_.DumpMessage(text); });
    connect(link, &uclLqif::LinkLost, this, [this] { commands_.LinkLost(); });
    connect(link, &uclLqif::IrDAError, this, [this](Integer code) { commands_.IrDAError(code); });
    connect(link, &uclLqif::Densty, this, [this](Single& value, Single&, Single&, Single&, Single&) { Densty(value); });
}

void InstrumentPagesWindow::Densty(Single value) {
    liveReading_ = CurrentInstrument().GasEnabled(0) ? value : -101;
    if (context_.flags->CalibrationMode)
        ShowCalReading(option_.vfgCal->Model(), CurrentInstrument(), liveReading_);
}

// ---- InstrumentPages ------------------------------------------------------------------------

void InstrumentPagesWindow::cmdInst_Click(Integer index) { NavigateMenu(*this, index); }

void InstrumentPagesWindow::chkAutoLoad_Click(Integer index) { commands_.chkAutoLoad_Click(index); }

void InstrumentPagesWindow::ShowInstrumentSettings() {
    PageFlags& flags = *context_.flags;
    flags.GridEditBusy = true;
    const bool visible = option_.isVisible();
    option_.hide();
    const clsInstrument& current = CurrentInstrument();
    GridModel& grid = option_.vfgOption->Model();
    const OptionDisplay d =
        mt52::ShowInstrumentSettings(current, {context_.core->Connected(), context_.core->Status()}, grid);
    // The graph-colour and detail buttons and the default button are not offered; the
    // calibration and memory-dump buttons belong to the factory mode.
    for (int i = 1; i <= 5; ++i)
        option_.cmdOptionDisp[static_cast<std::size_t>(i)]->hide();
    option_.cmdOption[3]->hide();
    option_.cmdOptionDisp[6]->setVisible(d.factoryButtonsVisible);
    option_.cmdOption[2]->setVisible(d.factoryButtonsVisible && !context_.flags->CalibrationMode);
    // A running transfer keeps the commands disabled; they come back with its end.
    if (!commands_.TransferRunning() && heldCommands_.empty())
        for (QPushButton* button : option_.cmdOption)
            button->setEnabled(d.commandsEnabled);
    if (d.framDumpEnabled)
        option_.cmdOptionDisp[6]->setEnabled(true);
    for (int i = 0; i < 3; ++i)
        option_.txtOption[static_cast<std::size_t>(i)]->setText(d.identity[static_cast<std::size_t>(i)]);
    const int intervalShown = option_.cmbInterval->currentIndex();
    {
        const QSignalBlocker blockInterval(option_.cmbInterval);
        const QSignalBlocker blockIntermittence(option_.cmbIntermittence);
        option_.cmbInterval->setCurrentIndex(d.intervalEntry);
        if (d.intermittenceEntry)
            option_.cmbIntermittence->setCurrentIndex(*d.intermittenceEntry);
    }
    // A changed interval entry counts as the user's choice: the model takes its seconds (an
    // instrument interval the list does not offer becomes the 300 s shown).
    if (option_.cmbInterval->currentIndex() != intervalShown)
        ChooseInterval(CurrentInstrument(), option_.cmbInterval->currentIndex());
    gridEditor_.SetDataPresent(d.dataPresent);
    if (d.wideLayout)
        SaveAutoCalValues(current);
    FillCalGrid(option_.vfgCal->Model(), current, d.dataPresent, grid.BackColorFixed(),
                PixelsToTwips(option_.vfgCal->width()));
    flags.GridEditBusy = false;
    option_.setVisible(visible);
}

void InstrumentPagesWindow::ShowInstrumentInfo() {
    const bool visible = instruments_.isVisible();
    instruments_.hide();
    InstrumentInfoInputs inputs;
    inputs.linkStatus = context_.core->Status();
    inputs.showingStoredInstrument = context_.flags->ShowingStoredInstrument;
    inputs.calLimit = CurrentInstrument().CalLimit();
    inputs.spanSelected = calibration_.SpanSelected(0);
    const clsInstrument& shown =
        inputs.showingStoredInstrument ? *context_.storedInstrument : CurrentInstrument();
    const InstrumentInfoLabels labels = mt52::ShowInstrumentInfo(shown, inputs, instruments_.vfgInst->Model(),
                                                                 instruments_.vfgInstSensor->Model());
    instruments_.setTitle(labels.caption);
    const int valueLabels[5] = {3, 4, 5, 7, 9};
    for (int k = 0; k < 5; ++k)
        instruments_.lblInst[static_cast<std::size_t>(valueLabels[k])]->setText(labels.values[static_cast<std::size_t>(k)]);
    for (int i = 6; i <= 9; ++i)
        instruments_.lblInst[static_cast<std::size_t>(i)]->setVisible(labels.factoryFieldsVisible);
    instruments_.setVisible(visible);
}

// ---- TransferWindow -------------------------------------------------------------------------

clsInstrument& InstrumentPagesWindow::CurrentInstrument() { return *context_.currentInstrument; }

void InstrumentPagesWindow::AddLogText(const QString& text, Long color) { context_.AddLogText(text, color); }

void InstrumentPagesWindow::SetBusyPointer(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyPointers_;
    } else if (busyPointers_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyPointers_;
    }
}

void InstrumentPagesWindow::ShowProgress(const QString& caption) {
    if (!progress_) {
        LinkCore* core = context_.core;
        UploadCancelHooks hooks{[core](bool value) { core->SetCancel(value); },
                                [core](const QString& text) { core->AddLog(text); }};
        progress_ = std::make_unique<frmUpload>(std::move(hooks), services_.window);
        progressCanceled_ = false;
    }
    if (!caption.isEmpty())
        progress_->setWindowTitle(caption);
    progress_->show();
}

void InstrumentPagesWindow::SetProgressLabel(const QString& text) {
    if (progress_)
        progress_->lblUpload->setText(text);
}

void InstrumentPagesWindow::CloseProgress() {
    if (!progress_)
        return;
    // The cancel mark outlives the window until the next one is loaded.
    progressCanceled_ = progress_->Canceled();
    progress_->Unload();
    progress_.reset();
}

bool InstrumentPagesWindow::ProgressCanceled() const { return progress_ ? progress_->Canceled() : progressCanceled_; }

bool InstrumentPagesWindow::ClosePending() const { return context_.ClosePending && context_.ClosePending(); }

// ---- DownloadPageHost -----------------------------------------------------------------------

bool InstrumentPagesWindow::ShowingStoredInstrument() const { return context_.flags->ShowingStoredInstrument; }

QWidget* InstrumentPagesWindow::Control(DownloadControl control) const {
    const int c = static_cast<int>(control);
    if (c <= static_cast<int>(DownloadControl::Down5))
        return download_.cmdDown[static_cast<std::size_t>(c)];
    switch (control) {
    case DownloadControl::OptionPage: return services_.menu[4];
    case DownloadControl::Exit: return services_.menu[5];
    case DownloadControl::Update: return option_.cmdOption[0];
    case DownloadControl::DateTimeSet: return option_.cmdOption[1];
    case DownloadControl::Calibration: return option_.cmdOption[2];
    case DownloadControl::AutoLoad0: return download_.chkAutoLoad[0];
    case DownloadControl::AutoLoad1: return download_.chkAutoLoad[1];
    case DownloadControl::AutoLoad2: return download_.chkAutoLoad[2];
    default: return nullptr;
    }
}

bool InstrumentPagesWindow::ControlEnabled(DownloadControl control) const {
    const QWidget* widget = Control(control);
    return widget && widget->isEnabled();
}

void InstrumentPagesWindow::SetControlEnabled(DownloadControl control, bool enabled) {
    if (QWidget* widget = Control(control))
        widget->setEnabled(enabled);
}

bool InstrumentPagesWindow::AutoLoadChecked(int box) const {
    return box >= 0 && box < 3 && download_.chkAutoLoad[static_cast<std::size_t>(box)]->isChecked();
}

void InstrumentPagesWindow::SetAutoLoadChecked(int box, bool checked) {
    if (box < 0 || box >= 3)
        return;
    QCheckBox* check = download_.chkAutoLoad[static_cast<std::size_t>(box)];
    const QSignalBlocker block(check);
    check->setChecked(checked);
}

void InstrumentPagesWindow::SetLamp(int lamp, LampState state) {
    if (lamp < 0 || lamp >= 4)
        return;
    const LampColors& colors = context_.flags->StatusLampColors[static_cast<std::size_t>(state)];
    ShapeControl* shape = download_.shpStatus[static_cast<std::size_t>(lamp)];
    shape->FillColor(colors.fill);
    shape->BorderColor(colors.border);
}

void InstrumentPagesWindow::SetCalibrationLampsVisible(bool visible) {
    for (int i : {2, 3})
        download_.shpStatus[static_cast<std::size_t>(i)]->setVisible(visible);
    for (int i : {8, 9})
        download_.lblStatus[static_cast<std::size_t>(i)]->setVisible(visible);
}

void InstrumentPagesWindow::ShowIdentity(const QString& serialNo, const QString& stationId, const QString& userId,
                                         const QString& suffix) {
    const bool visible = download_.isVisible();
    download_.hide();
    download_.lblStatus[5]->setText(serialNo);
    download_.lblStatus[6]->setText(stationId);
    download_.lblStatus[7]->setText(userId);
    download_.txtSuffix->setText(suffix);
    download_.setVisible(visible);
}

void InstrumentPagesWindow::RefreshInstrumentPages() {
    ShowInstrumentInfo();
    ShowInstrumentSettings();
}

void InstrumentPagesWindow::ShowAnalogValues() {
    if (!State().FactoryMode)
        return;
    const clsInstrument& current = CurrentInstrument();
    for (Integer channel = 0; channel < 8; ++channel)
        AddLogText(QStringLiteral("A/D %1 : %2").arg(channel).arg(current.AnalogValue(channel)), 192 * 65536);
}

void InstrumentPagesWindow::MarkLogTreeDirty() { context_.flags->LogTreeDirty = true; }

void InstrumentPagesWindow::ResetWindowAfterPowerOff() {
    if (services_.ResetAfterPowerOff)
        services_.ResetAfterPowerOff();
}

void InstrumentPagesWindow::EndProgram() {
    if (services_.EndProgram)
        services_.EndProgram();
}

// ---- OptionPageHost -------------------------------------------------------------------------

void InstrumentPagesWindow::SetTransferCommandsEnabled(bool enabled) {
    if (!enabled) {
        heldCommands_.clear();
        for (int c = 0; c < DownloadControlCount; ++c) {
            const auto control = static_cast<DownloadControl>(c);
            if (control == DownloadControl::Exit)
                continue;
            if (QWidget* widget = Control(control)) {
                heldCommands_.emplace_back(widget, widget->isEnabled());
                widget->setEnabled(false);
            }
        }
        return;
    }
    for (auto& [widget, was] : heldCommands_)
        widget->setEnabled(was);
    heldCommands_.clear();
}

void InstrumentPagesWindow::EnterCalibrationMode() {
    const clsInstrument& current = CurrentInstrument();
    GridModel& grid = option_.vfgOption->Model();
    FillCalGrid(option_.vfgCal->Model(), current, InstrumentDataPresent(current, context_.core->Status()),
                grid.BackColorFixed(), PixelsToTwips(option_.vfgCal->width()));
    option_.fraOption[1]->hide();
    for (QPushButton* button : option_.cmdOption)
        button->hide();
    for (QPushButton* button : services_.menu)
        button->setEnabled(false);
    option_.fraOption[2]->show();
    if (services_.Layout)
        services_.Layout();
    context_.flags->CalibrationMode = true;
    context_.operations->SetRunDensty(true);
}

// ---- CalibrationHost ------------------------------------------------------------------------

GridModel& InstrumentPagesWindow::CalibrationGrid() { return option_.vfgCal->Model(); }
GridModel& InstrumentPagesWindow::OptionGrid() { return option_.vfgOption->Model(); }

void InstrumentPagesWindow::SetCalButtonsEnabled(bool enabled) {
    for (QPushButton* button : option_.cmdCal)
        button->setEnabled(enabled);
}

Single InstrumentPagesWindow::LiveReading(Integer slot) const { return slot == 0 ? liveReading_ : -101; }

void InstrumentPagesWindow::LeaveCalibrationMode() {
    option_.fraOption[1]->show();
    for (QPushButton* button : option_.cmdOption)
        button->show();
    option_.cmdOption[3]->hide();
    option_.cmdOption[2]->setVisible(State().FactoryMode);
    for (QPushButton* button : services_.menu)
        button->setEnabled(true);
    option_.fraOption[2]->hide();
    if (services_.Layout)
        services_.Layout();
}

// ---- NavigationHost -------------------------------------------------------------------------

void InstrumentPagesWindow::SetLinkEnabled(bool enabled) {
    if (uclLqif* link = context_.link ? context_.link->Control() : nullptr)
        link->SetEnabled(enabled);
}

void InstrumentPagesWindow::SetMenuButtonEnabled(int index, bool enabled) {
    if (index >= 0 && index < 6)
        services_.menu[static_cast<std::size_t>(index)]->setEnabled(enabled);
}

void InstrumentPagesWindow::ShowPage(int menuIndex) {
    if (context_.ShowPage)
        context_.ShowPage(static_cast<Integer>(menuIndex));
}

void InstrumentPagesWindow::CloseWindow() {
    if (services_.Close)
        services_.Close();
}

Long InstrumentPagesWindow::HistoryRows() const { return history_.vfgHistory->Model().Rows(); }

}  // namespace mt52
