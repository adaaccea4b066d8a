#include "main_window/gui/frmMain.h"

#include "common/CommPortSelection.h"
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "common/gui/WindowMetrics.h"
#include "instrument/clsInstrument.h"
#include "instrument/gui/frmFsDialog.h"
#include "link/gui/TransferProgress.h"
#include "link/gui/frmIrCommSelect.h"
#include "main_window/ClockDisplay.h"
#include "main_window/DatabaseLocation.h"
#include "main_window/FolderPath.h"
#include "main_window/FramDumpCommand.h"
#include "main_window/LogBox.h"
#include "main_window/MainFrameLayout.h"
#include "main_window/InstrumentPortOpening.h"
#include "main_window/SerialLogFiles.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/UserDialogs.h"
#include "platform/gui/GridView.h"
#include "platform/gui/QtUserDialogs.h"
#include "platform/gui/ShapeControl.h"

#include <QAbstractButton>
#include <algorithm>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QShowEvent>
#include <QWindowStateChangeEvent>
#include <QComboBox>
#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

namespace mt52 {

namespace {

// The title of the window's own message boxes.
const QString BoxTitle = QStringLiteral("MT-52");


// Runs one step of the load; a failing step is skipped and the load goes on.
template <typename Step>
void Guarded(const char* what, Step&& step) {
    try {
        step();
    } catch (const std::exception& error) {
        qWarning().noquote() << "frmMain: step skipped:" << what << "-" << error.what();
    }
}


// A caption shown as it stands: "&" is no shortcut marker here.
QString Literal(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void SetCaption(QAbstractButton* control, const QString& text) { control->setText(Literal(text)); }
void SetCaption(QGroupBox* frame, const QString& text) { frame->setTitle(Literal(text)); }
// A label keeps its design width unless its text needs more.
void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    const int needed = label->sizeHint().width();
    if (needed > label->width())
        label->resize(needed, label->height());
}

}  // namespace

frmMainServices frmMainServices::Defaults() {
    frmMainServices services;
    services.InitCommSettings = [] { mt52::InitCommSettings(); };
    services.SelectCommPort = [] { mt52::SelectCommPort(QString::fromLatin1(AdapterHardwareId), [](const QStringList& entries) { frmIrCommSelect::Choose(entries); }); };
    services.SetDefaultSettings = [] { return mt52::SetDefaultSettings(); };
    services.LoadIniSettings = [](WindowSettings& window) { mt52::LoadIniSettings(window); };
    services.SaveIniSettings = [](const WindowSettings& window) { mt52::SaveIniSettings(window); };
    services.CreateDataBase = [](const QString& path) { mt52::CreateDataBase(path); };
    services.LockHolderNames = [] { return CurrentLockHolder(); };
    services.CreateLink = [](frmMain&) -> std::unique_ptr<MainWindowLink> { return std::make_unique<LinkControlLink>(); };
    services.ShowDetailSettings = [](QWidget* parent, clsInstrument& instrument) {
        frmFsDialog::ShowFsDialog(parent, instrument);
    };
    return services;
}

frmMain::frmMain(frmMainServices services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("frmMain"));
    // Form_Initialize: the link's default line settings, before any control exists.
    if (services_.InitCommSettings)
        services_.InitCommSettings();
    CreateControls();
    if (services_.CreateLink)
        link_ = services_.CreateLink(*this);
    ConnectHandlers();
}

frmMain::~frmMain() = default;

clsInstrument& frmMain::CurrentInstrument() {
    if (!currentInstrument_)
        currentInstrument_ = std::make_unique<clsInstrument>();
    return *currentInstrument_;
}

clsInstrument& frmMain::StoredInstrument() {
    if (!storedInstrument_)
        storedInstrument_ = std::make_unique<clsInstrument>();
    return *storedInstrument_;
}

void frmMain::SetInstrumentPages(std::unique_ptr<InstrumentPages> pages) { instrumentPages_ = std::move(pages); }
void frmMain::SetStoredDataPages(std::unique_ptr<StoredDataPages> pages) { storedDataPages_ = std::move(pages); }

// ---- Controls -------------------------------------------------------------------------------

template <typename W>
W* frmMain::Make(QWidget* parent, const QString& name, double left, double top, double width, double height) {
    W* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
    return widget;
}

QFrame* frmMain::MakeInnerFrame(QWidget* parent, const QString& name, double width, double height) {
    auto* frame = Make<QFrame>(parent, name, 0, 0, width, height);
    frame->setFrameShape(QFrame::NoFrame);
    frame->move((parent->width() - frame->width()) / 2, (parent->height() - frame->height()) / 2);
    return frame;
}

void frmMain::CreateControls() {
    resize(TwipsToPixels(MinimumWindowWidth), TwipsToPixels(MinimumWindowHeight));
    for (int i = 0; i < 6; ++i) {
        fraMenu[i] = Make<QGroupBox>(this, Indexed("fraMenu", i), 0, 120, 8560, 7620);
        cmdInst[i] = Make<QPushButton>(this, Indexed("cmdInst", i), 8800, 180 + i * 1860, 1200, 1740);
    }
    cmdInst[1]->hide();
    cmdInst[3]->hide();
    tmrInter = new QTimer(this);
    tmrInter->setObjectName(QStringLiteral("tmrInter"));
    tmrInter->setInterval(100);

    CreateDownloadPage();
    CreateInstrumentsPage();
    CreateStoredDataPage();
    CreateDataViewPage();
    CreateHistoryPage();
    CreateOptionPage();
    geometry_.AddChildren(this);
}

void frmMain::CreateDownloadPage() {
    QWidget* page = fraMenu[0];
    fraDown[0] = Make<QGroupBox>(page, Indexed("fraDown", 0), 120, 240, 5136, 612);
    const double lampLefts[4] = {120, 1284, 2568, 3852};
    for (int i = 0; i < 4; ++i)
        shpStatus[i] = Make<ShapeControl>(fraDown[0], Indexed("shpStatus", i), lampLefts[i], 240, 200, 200);
    lblStatus[0] = Make<QLabel>(fraDown[0], Indexed("lblStatus", 0), 380, 240, 1092, 252);
    lblStatus[1] = Make<QLabel>(fraDown[0], Indexed("lblStatus", 1), 1544, 240, 852, 252);
    lblStatus[8] = Make<QLabel>(fraDown[0], Indexed("lblStatus", 8), 2828, 240, 852, 252);
    lblStatus[9] = Make<QLabel>(fraDown[0], Indexed("lblStatus", 9), 4112, 240, 852, 252);
    lblStatus[8]->setText(QStringLiteral("Cal.Unit"));
    lblStatus[9]->setText(QStringLiteral("Cal.Gas"));

    lblTitle[0] = Make<QLabel>(page, Indexed("lblTitle", 0), 120, 912, 900, 225);
    rtbLog = Make<QTextEdit>(page, QStringLiteral("rtbLog"), 120, 1257, 5136, 4191);
    rtbLog->setReadOnly(true);

    fraDown[3] = Make<QGroupBox>(page, Indexed("fraDown", 3), 120, 5568, 5136, 1932);
    fraDown3Ceneter = MakeInnerFrame(fraDown[3], QStringLiteral("fraDown3Ceneter"), 5055, 975);
    for (int i = 0; i < 3; ++i) {
        lblStatus[2 + i] = Make<QLabel>(fraDown3Ceneter, Indexed("lblStatus", 2 + i), 240, 180 + i * 240, 810, 225);
        lblStatus[5 + i] = Make<QLabel>(fraDown3Ceneter, Indexed("lblStatus", 5 + i), 2400, 180 + i * 240, 2415, 255);
    }

    fraDown[1] = Make<QGroupBox>(page, Indexed("fraDown", 1), 5316, 240, 3184, 975);
    chkAutoLoad[0] = Make<QCheckBox>(fraDown[1], Indexed("chkAutoLoad", 0), 120, 240, 2944, 195);
    chkAutoLoad[1] = Make<QCheckBox>(fraDown[1], Indexed("chkAutoLoad", 1), 120, 495, 2944, 195);
    chkAutoLoad[2] = Make<QCheckBox>(fraDown[1], Indexed("chkAutoLoad", 2), 120, 720, 2412, 204);

    fraDown[2] = Make<QGroupBox>(page, Indexed("fraDown", 2), 5316, 1215, 3184, 6285);
    for (int i = 0; i < 6; ++i)
        cmdDown[i] = Make<QPushButton>(fraDown[2], Indexed("cmdDown", i), 120, 240 + i * 718, 2944, 598);

    picOptionToToval = Make<QWidget>(page, QStringLiteral("picOptionToToval"), 120, 5568, 5136, 372);
    lblStatus[10] = Make<QLabel>(picOptionToToval, Indexed("lblStatus", 10), 0, 60, 0, 255);
    lblStatus[10]->hide();
    lblStatus[11] = Make<QLabel>(picOptionToToval, Indexed("lblStatus", 11), 0, 60, 2655, 255);
    txtSuffix = Make<QLineEdit>(picOptionToToval, QStringLiteral("txtSuffix"), 2700, 0, 2400, 330);
    picOptionToToval->hide();
    cmdInportDat = Make<QPushButton>(fraDown[2], QStringLiteral("cmdInportDat"), 120, 240 + 7 * 718, 2944, 598);
    cmdInportDat->setText(QStringLiteral("LOCAL BIN.DAT IMPORT"));
}

void frmMain::CreateInstrumentsPage() {
    QWidget* page = fraMenu[1];
    fraInst = Make<QGroupBox>(page, QStringLiteral("fraInst"), 120, 240, 2140, 3429);
    fraInstCeneter = MakeInnerFrame(fraInst, QStringLiteral("fraInstCeneter"), 2415, 3015);
    const double tops[10] = {60, 660, 1260, 300, 900, 1500, 1860, 2100, 2460, 2700};
    for (int i = 0; i < 10; ++i) {
        const bool caption = i == 0 || i == 1 || i == 2 || i == 6 || i == 8;
        lblInst[i] = Make<QLabel>(fraInstCeneter, Indexed("lblInst", i), 0, tops[i], caption ? 2415 : 1905,
                                  caption ? 225 : 255);
    }
    vfgInst = Make<GridView>(page, QStringLiteral("vfgInst"), 2380, 360, 6060, 3309);
    vfgInstSensor = Make<GridView>(page, QStringLiteral("vfgInstSensor"), 120, 3789, 8320, 3471);
}

void frmMain::CreateStoredDataPage() {
    QWidget* page = fraMenu[2];
    tvwLog = Make<QTreeWidget>(page, QStringLiteral("tvwLog"), 120, 240, 2996, 5715);
    tvwLog->setHeaderHidden(true);
    fraLog = Make<QGroupBox>(page, QStringLiteral("fraLog"), 120, 5955, 2996, 1545);
    fraLogCenter = MakeInnerFrame(fraLog, QStringLiteral("fraLogCenter"), 2655, 975);
    for (int i = 0; i < 3; ++i)
        chkLog[i] = Make<QCheckBox>(fraLogCenter, Indexed("chkLog", i), 0, i * 300, 2655, 255);
    lvwLog = Make<QTreeWidget>(page, QStringLiteral("lvwLog"), 3236, 240, 5204, 3200);
    lvwLog->setRootIsDecorated(false);
    vfgLog = Make<GridView>(page, QStringLiteral("vfgLog"), 3236, 3560, 5204, 3200);
    cmdDetail = Make<QPushButton>(page, QStringLiteral("cmdDetail"), 4000, 6900, 1561, 480);
    cmdListCSV = Make<QPushButton>(page, QStringLiteral("cmdListCSV"), 5741, 6900, 1561, 480);
    chkRawData = Make<QCheckBox>(page, QStringLiteral("chkRawData"), 7400, 6900, 1215, 465);
    chkRawData->setText(QStringLiteral("Export Raw Data"));
    chkRawData->hide();
    cmdLogInst = Make<QPushButton>(page, QStringLiteral("cmdLogInst"), 4080, 4440, 1932, 372);
    cmdLogInst->hide();

    mnuLog = new QMenu(this);
    mnuLog->setObjectName(QStringLiteral("mnuLog"));
    mnuDelete = mnuLog->addAction(QStringLiteral("Delete"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));
    mnuHist = new QMenu(this);
    mnuHist->setObjectName(QStringLiteral("mnuHist"));
    mnuHistDel = mnuHist->addAction(QStringLiteral("Delete"));
    mnuHistDel->setObjectName(QStringLiteral("mnuHistDel"));
}

void frmMain::CreateDataViewPage() {
    QWidget* page = fraMenu[3];
    optBrowse[0] = Make<QRadioButton>(page, Indexed("optBrowse", 0), 120, 240, 855, 252);
    optBrowse[1] = Make<QRadioButton>(page, Indexed("optBrowse", 1), 1095, 240, 855, 252);
    chkEvent = Make<QCheckBox>(page, QStringLiteral("chkEvent"), 2070, 240, 1215, 252);
    chkOutline = Make<QCheckBox>(page, QStringLiteral("chkOutline"), 3405, 240, 1455, 252);
    vfgSummary = Make<GridView>(page, QStringLiteral("vfgSummary"), 120, 612, 8320, 2286);
    vfgSummary->hide();
    vfgBrowse = Make<GridView>(page, QStringLiteral("vfgBrowse"), 120, 612, 8320, 6768);
    const double boxWidths[7] = {2055, 1875, 1995, 2415, 2415, 1515, 1092};
    for (int i = 0; i < 7; ++i)
        chkBrowse[i] = Make<QCheckBox>(page, Indexed("chkBrowse", i), 120 + (i % 4) * 2140, 6900 + (i / 4) * 252,
                                       boxWidths[i], 252);
    // Created hidden: the Table and Graph choices, Event Only and Condensed never show; the
    // gas series boxes show when the graph is filled; the fifth series box never shows.
    for (QWidget* hidden : std::initializer_list<QWidget*>{optBrowse[0], optBrowse[1], chkEvent, chkOutline})
        hidden->hide();
    for (int i = 0; i <= 4; ++i)
        chkBrowse[i]->hide();
    chkBrowse[4]->setText(QStringLiteral("Temp"));
    lblTitle[1] = Make<QLabel>(page, Indexed("lblTitle", 1), 120, 7152, 444, 204);
    cmbBrowse = Make<QComboBox>(page, QStringLiteral("cmbBrowse"), 804, 7152, 1452, 300);
    for (int i = 0; i < 5; ++i)
        cmdBrowse[i] = Make<QPushButton>(page, Indexed("cmdBrowse", i), 3000 + i * 1100, 240, 1027, 252);
    cmdBrowse[1]->hide();
}

void frmMain::CreateHistoryPage() {
    QWidget* page = fraMenu[4];
    for (int i = 0; i < 3; ++i)
        optHistory[i] = Make<QRadioButton>(page, Indexed("optHistory", i), 60 + i * 2260, 240, 2140, 252);
    vfgHistory = Make<GridView>(page, QStringLiteral("vfgHistory"), 60, 552, 8440, 6948);
    cmdLastCal = Make<QPushButton>(page, QStringLiteral("cmdLastCal"), 7200, 240, 1200, 252);
}

void frmMain::CreateOptionPage() {
    QWidget* page = fraMenu[5];
    fraOption[0] = Make<QGroupBox>(page, Indexed("fraOption", 0), 120, 240, 2568, 6858);
    fraOptionCenter0 = MakeInnerFrame(fraOption[0], QStringLiteral("fraOptionCenter0"), 2055, 3135);
    const double dispTops[7] = {0, 360, 720, 1080, 1440, 2220, 2700};
    for (int i = 0; i < 7; ++i)
        cmdOptionDisp[i] = Make<QPushButton>(fraOptionCenter0, Indexed("cmdOptionDisp", i), 0, dispTops[i], 2052, 252);
    cmdOptionDisp[6]->setText(QStringLiteral("FRAM DUMP"));
    for (int i = 1; i <= 4; ++i)
        cmdOptionDisp[i]->setAutoFillBackground(true);

    fraOption[1] = Make<QGroupBox>(page, Indexed("fraOption", 1), 2808, 240, 5632, 6366);
    fraOptionCenter1 = MakeInnerFrame(fraOption[1], QStringLiteral("fraOptionCenter1"), 5895, 2595);
    for (int i = 0; i < 3; ++i) {
        lblOption[i] = Make<QLabel>(fraOptionCenter1, Indexed("lblOption", i), 0, i * 360, 2655, 255);
        txtOption[i] = Make<QLineEdit>(fraOptionCenter1, Indexed("txtOption", i), 2280, i * 360, 3495, 330);
    }
    cmbStation = Make<QComboBox>(fraOptionCenter1, QStringLiteral("cmbStation"), 1200, 120, 3495, 330);
    cmbStation->hide();
    lblOption[7] = Make<QLabel>(fraOptionCenter1, Indexed("lblOption", 7), 0, 1080, 2670, 225);
    cmbInterval = Make<QComboBox>(fraOptionCenter1, QStringLiteral("cmbInterval"), 2280, 1080, 1455, 330);
    lblOption[8] = Make<QLabel>(fraOptionCenter1, Indexed("lblOption", 8), 0, 1500, 2595, 255);
    cmbIntermittence = Make<QComboBox>(fraOptionCenter1, QStringLiteral("cmbIntermittence"), 2280, 1455, 1455, 330);
    lblOption[3] = Make<QLabel>(fraOptionCenter1, Indexed("lblOption", 3), 0, 1920, 1695, 255);
    lblOption[4] = Make<QLabel>(fraOptionCenter1, Indexed("lblOption", 4), 0, 2280, 1695, 255);
    lblOption[5] = Make<QLabel>(fraOptionCenter1, Indexed("lblOption", 5), 2280, 1920, 2535, 255);
    lblOption[6] = Make<QLabel>(fraOptionCenter1, Indexed("lblOption", 6), 2280, 2280, 2535, 255);
    for (int i = 0; i < 4; ++i)
        cmdOption[i] = Make<QPushButton>(page, Indexed("cmdOption", i), 2808 + i * 1400, 6726, 1340, 372);

    fraOption[2] = Make<QGroupBox>(page, Indexed("fraOption", 2), 2808, 240, 5632, 6858);
    vfgCal = Make<GridView>(fraOption[2], QStringLiteral("vfgCal"), 120, 240, 5392, 4800);
    vfgOption = Make<GridView>(page, QStringLiteral("vfgOption"), 120, 7218, 8320, 162);
    vfgOption->hide();
    for (int i = 0; i < 3; ++i)
        cmdCal[i] = Make<QPushButton>(fraOption[2], Indexed("cmdCal", i), 120 + i * 1800, 5100, 1600, 1500);
}

void frmMain::ConnectHandlers() {
    for (int i = 0; i < 6; ++i) {
        connect(cmdInst[i], &QPushButton::clicked, this, [this, i] {
            if (i == 5)
                close();
            else if (instrumentPages_)
                instrumentPages_->cmdInst_Click(static_cast<Integer>(i));
            else
                ShowPage(static_cast<Integer>(i));
        });
    }
    for (int i = 0; i < 3; ++i) {
        connect(chkAutoLoad[i], &QCheckBox::toggled, this, [this, i] {
            if (AutoLoadClicksEnabled && instrumentPages_)
                instrumentPages_->chkAutoLoad_Click(static_cast<Integer>(i));
        });
        connect(optHistory[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked && !FirstActivation && storedDataPages_)
                storedDataPages_->optHistory_Click(static_cast<Integer>(i));
        });
    }
    connect(tmrInter, &QTimer::timeout, this, [this] { tmrInter_Timer(); });
    for (int i = 0; i < 7; ++i)
        connect(cmdOptionDisp[i], &QPushButton::clicked, this, [this, i] { cmdOptionDisp_Click(static_cast<Integer>(i)); });
}

// ---- Display settings and option buttons ----------------------------------------------------

void frmMain::cmdOptionDisp_Click(Integer index) {
    try {
        switch (index) {
        case 0: ChooseCommonFont(); break;
        case 1:
        case 2:
        case 3:
        case 4: ChooseGraphColor(index); break;
        case 5:
            if (services_.ShowDetailSettings)
                services_.ShowDetailSettings(this, CurrentInstrument());
            if (instrumentPages_)
                instrumentPages_->ShowInstrumentSettings();
            break;
        case 6: RunDumpListDownload(); break;
        default: break;
        }
    } catch (const std::exception& error) {
        qWarning().noquote() << "frmMain: display button" << index << "-" << error.what();
    }
}

void frmMain::ChooseCommonFont() {
    // The dialog starts from the common font; a cancelled dialog keeps the font it was given,
    // which the button and its caption then take as they take a chosen one.
    const FontSpec chosen = Dialogs().ChooseFont(State().CommonFont).value_or(State().CommonFont);
    QPushButton* button = cmdOptionDisp[0];
    QFont font = button->font();
    font.setFamily(chosen.name);
    font.setPointSizeF(chosen.size);
    font.setBold(chosen.bold);
    font.setItalic(chosen.italic);
    font.setUnderline(chosen.underline);
    button->setFont(font);
    button->setText(QStringLiteral("%1(%2)").arg(chosen.name, QString::number(chosen.size)));
    // The other controls take the font at the next start, when the load applies it to all.
    CommonFontFromFontButton();
}

void frmMain::CommonFontFromFontButton() {
    FontSpec& common = State().CommonFont;
    const QFont font = cmdOptionDisp[0]->font();
    common.name = font.family();
    common.size = font.pointSizeF();
    common.bold = font.bold();
    common.italic = font.italic();
    common.underline = font.underline();
}

void frmMain::ChooseGraphColor(int index) {
    QPushButton* button = cmdOptionDisp[static_cast<std::size_t>(index)];
    QPalette palette = button->palette();
    // A cancelled dialog keeps the colour it was given: the button keeps it, and the graph and
    // the first gas's setting take it as they take a chosen one.
    const long current = FromQColor(palette.color(QPalette::Button));
    const Long colour = static_cast<Long>(Dialogs().ChooseColor(current).value_or(current));
    palette.setColor(QPalette::Button, ToQColor(colour));
    button->setPalette(palette);
    ValueColor(index, colour);
    // Only the first gas's colour is kept; the others last until the program ends.
    if (index == 1)
        State().GraphColors[0] = colour;
}

void frmMain::ValueColor(Long series, Long colour) {
    if (series >= 0 && series < static_cast<Long>(graphValueColors_.size()))
        graphValueColors_[static_cast<std::size_t>(series)] = colour;
}

Long frmMain::ValueColor(Long series) const {
    if (series < 0 || series >= static_cast<Long>(graphValueColors_.size()))
        return 0;
    return graphValueColors_[static_cast<std::size_t>(series)];
}

namespace {

// The FRAM DUMP command's view of the window: the link, the progress dialog, the log box and
// the transfer commands, which stay disabled while the download runs.
class WindowDumpHost final : public FramDumpHost {
public:
    WindowDumpHost(frmMain& window, MainWindowLink& link, std::vector<QWidget*> commands)
        : window_(window), link_(link), commands_(std::move(commands)) {}

    bool LiveReadingRunning() const override { return link_.RunDensty(); }
    void SetTransferCommandsEnabled(bool enabled) override {
        if (!enabled) {
            wasEnabled_.clear();
            for (QWidget* command : commands_) {
                wasEnabled_.push_back(command->isEnabled());
                command->setEnabled(false);
            }
            return;
        }
        for (std::size_t i = 0; i < commands_.size() && i < wasEnabled_.size(); ++i)
            commands_[i]->setEnabled(wasEnabled_[i]);
    }
    void ShowProgress() override {
        const UploadCancelHooks hooks{[this](bool value) { link_.SetCancel(value); },
                                      [this](const QString& text) { link_.AddLog(text); }};
        progress_ = std::make_unique<TransferProgress>(State().BusyState, hooks, &window_);
        progress_->Dialog().setWindowTitle(GetResText(6019));
        progress_->SetText(GetResText(5445));
    }
    void CloseProgress() override { progress_.reset(); }
    bool ProgressCanceled() const override { return progress_ && progress_->Canceled(); }
    void AddLogText(const QString& text, Long color) override { window_.AddLogText(text, color); }
    void AddLog(const QString& text) override { link_.AddLog(text); }
    bool GetRomDump2(const QString& path) override { return link_.GetRomDump2(path); }

private:
    frmMain& window_;
    MainWindowLink& link_;
    std::vector<QWidget*> commands_;
    std::vector<bool> wasEnabled_;
    std::unique_ptr<TransferProgress> progress_;
};

}  // namespace

void frmMain::RunDumpListDownload() {
    if (!link_)
        return;
    std::vector<QWidget*> commands(cmdDown.begin(), cmdDown.end());
    commands.push_back(cmdInportDat);
    commands.insert(commands.end(), cmdOption.begin(), cmdOption.end());
    commands.insert(commands.end(), cmdCal.begin(), cmdCal.end());
    commands.push_back(cmdOptionDisp[5]);
    commands.push_back(cmdOptionDisp[6]);
    WindowDumpHost host(*this, *link_, std::move(commands));
    RunFramDump(host);
}

void frmMain::tmrInter_Timer() {
    ++TickCount;
    if (fraMenu[5]->isHidden() || !link_)
        return;
    const ClockTexts texts = ClockTick(Now(), link_->Status(), lblOption[5]->property("Tag").toString(),
                                       CurrentInstrument().SysDateOffset());
    if (texts.Tag)
        lblOption[5]->setProperty("Tag", *texts.Tag);
    if (texts.PcClock)
        lblOption[5]->setText(*texts.PcClock);
    if (texts.InstrumentClock)
        lblOption[6]->setText(*texts.InstrumentClock);
}

// ---- Load -----------------------------------------------------------------------------------

bool frmMain::Form_Load() {
    bool endProgram = false;
    Guarded("hourglass", [&] { setCursor(Qt::WaitCursor); });
    Guarded("operating-system class", [&] { GetOsVersionClass(); });
    Guarded("first activation", [&] { FirstActivation = true; });
    Guarded("factory auto-calibration", [&] { State().FactAutoCals[0] = -101; });
    Guarded("gas-type table", [&] {
        const GasDefinition base{true, {}, false, QStringLiteral("%LEL"), 100, 1, 0, 10, 50, -1, -1, 0, 10, 0};
        GasDefinition ch4 = base;
        ch4.Name = QStringLiteral("CH4");
        GasDefinition hc = base;
        hc.Name = QStringLiteral("HC ");
        State().GasTable[0][0] = ch4;
        State().GasTable[0][1] = hc;
    });
    Guarded("default settings", [&] { SetDefaultSettings(); });
    Guarded("trend-search window", [&] {
        State().TrendSearchBefore = -30;
        State().TrendSearchAfter = 45;
    });
    Guarded("link retry and time-out", [&] {
        State().LinkRetry = 3;
        State().LinkTimeout = 3;
    });
    Guarded("settings file", [&] { LoadIniSettings(); });
    Guarded("database and lock", [&] { OpenDatabaseLockStep(endProgram); });
    if (endProgram)
        return false;
    Guarded("automatic-mode boxes", [&] { SetAutoLoadBoxes(); });
    Guarded("display buttons", [&] { ShowCommonFontOnButton(); });
    Guarded("common font", [&] { ApplyCommonFontToControls(); });
    Guarded("page captions bold", [&] {
        for (QGroupBox* page : fraMenu) {
            QFont font = page->font();
            font.setBold(true);
            page->setFont(font);
        }
    });
    Guarded("texts", [&] { SetUiTexts(); });
    Guarded("link control", [&] {
        if (!link_)
            return;
        link_->Retry(State().LinkRetry);
        link_->Timeout(State().LinkTimeout);
    });
    Guarded("screen pointer", [&] {
        while (QApplication::overrideCursor() != nullptr)
            QApplication::restoreOverrideCursor();
    });
    Guarded("IrDA first", [&] {
        if (link_)
            link_->SerialComm(false);
    });
    Guarded("instrument port", [&] { OpenInstrumentPort(); });
    Guarded("pointer", [&] { unsetCursor(); });
    Guarded("first-run size", [&] { SizeForFirstRun(); });
    Guarded("centre", [&] { CentreOnScreen(); });
    Guarded("PC clock tag", [&] { lblOption[5]->setProperty("Tag", GeneralDate(Now())); });
    Guarded("option page frames", [&] {
        fraOption[1]->setVisible(true);
        fraOption[2]->setVisible(false);
    });
    Guarded("grid guards", [&] {
        GridEditBusy = false;
        HistorySelectBusy = false;
    });
    // A file that cannot be moved or deleted is reported in the log box. When the rotation
    // stopped, the previous log stays (the new run's lines follow it) rather than being lost.
    bool keepPreviousLog = false;
    Guarded("serial log generations", [&] {
        if (!State().SerialLogOn)
            return;
        const QString stuck = RotateSerialLogs();
        if (!stuck.isEmpty()) {
            keepPreviousLog = true;
            AddLogText(ErrorText(ErrPermissionDenied) + QStringLiteral(": ") + stuck, LogColor::Failure);
        }
    });
    Guarded("previous serial log", [&] {
        if (!keepPreviousLog && !DeleteSerialLog())
            AddLogText(ErrorText(ErrPermissionDenied) + QStringLiteral(": ") + JoinFolder(State().StartDir, QStringLiteral("SerialLog.log")),
                       LogColor::Failure);
    });
    Guarded("record suffix", [&] { txtSuffix->setText(State().RecordSuffix); });
    return true;
}

void frmMain::OpenDatabaseLockStep(bool& endProgram) {
    const std::function<void(const QString&)> create =
        services_.CreateDataBase ? services_.CreateDataBase : [](const QString&) {};
    DatabaseLockFile::Outcome outcome =
        OpenDatabaseLock(create, services_.LockHolderNames ? services_.LockHolderNames() : CurrentLockHolder());
    if (auto* lock = std::get_if<std::unique_ptr<DatabaseLockFile>>(&outcome)) {
        lock_ = std::move(*lock);
    } else if (auto* held = std::get_if<DatabaseLockFile::HeldByOther>(&outcome)) {
        MsgBox(GetResText(300, {held->holder.computer, held->holder.user}), vbOKOnly, BoxTitle);
        endProgram = true;
    } else {
        // Not another holder: the program goes on without the lock, and the user learns why.
        MsgBox(std::get<DatabaseLockFile::Failed>(outcome).reason, vbOKOnly | vbExclamation, BoxTitle);
    }
}

void frmMain::SetAutoLoadBoxes() {
    AutoLoadClicksEnabled = false;
    struct Restore {
        bool& flag;
        ~Restore() { flag = true; }
    } restore{AutoLoadClicksEnabled};
    const ModuleState& state = State();
    chkAutoLoad[0]->setChecked(state.AutoLoadOn);
    chkAutoLoad[1]->setChecked(state.AutoRemoveOn);
    chkAutoLoad[2]->setChecked(state.AutoTerminateOn);
    if (!state.AutoLoadOn) {
        chkAutoLoad[1]->setEnabled(false);
        chkAutoLoad[2]->setEnabled(false);
    }
}

void frmMain::ShowCommonFontOnButton() {
    const FontSpec& font = State().CommonFont;
    cmdOptionDisp[0]->setText(QStringLiteral("%1(%2)").arg(font.name, QString::number(font.size)));
    QPalette palette = cmdOptionDisp[1]->palette();
    palette.setColor(QPalette::Button, ToQColor(State().GraphColors[0]));
    cmdOptionDisp[1]->setPalette(palette);
}

void frmMain::ApplyCommonFontToControls() {
    for (QWidget* control : findChildren<QWidget*>()) {
        QFont font = control->font();
        ApplyCommonFont(font, State().CommonFont);
        control->setFont(font);
    }
}

void frmMain::SizeForFirstRun() {
    if (State().ExecuteCount != 1)
        return;
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const double width = std::max(0.8 * PixelsToTwips(area.width()), MinimumWindowWidth);
    const double height = std::max(0.6 * PixelsToTwips(area.height()), MinimumWindowHeight);
    const QSize frameExtra = frameGeometry().size() - size();
    resize(TwipsToPixels(width) - frameExtra.width(), TwipsToPixels(height) - frameExtra.height());
}

// Centres the window on the size it will show with: before it is shown no resize event lays
// it out, so the minimum size is applied first (a small restored size would otherwise centre
// a window that then grows off the screen).
void frmMain::CentreOnScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    if (!isMaximized())
        ApplyMinimumSize();
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

// ---- Texts ----------------------------------------------------------------------------------

void frmMain::SetUiTexts() {
    const QString partNumber = GetResText(101) == QLatin1String("JP") ? QStringLiteral("07312") : QStringLiteral("07313");
    setWindowTitle(GetResText(5001) + QStringLiteral(" [P.No.") + partNumber + QStringLiteral("]"));

    const auto set = [](auto* control, int id) { SetCaption(control, GetResText(id)); };
    const auto title = [](QGroupBox* frame, int id) { SetCaption(frame, GetResText(id)); };

    const int menuIds[6] = {5002, 5003, 5004, 5009, 5006, 5007};
    for (int i = 0; i < 6; ++i)
        set(cmdInst[i], menuIds[i]);

    title(fraMenu[0], 5002);
    title(fraDown[0], 5021);
    set(lblStatus[0], 5022);
    set(lblStatus[1], 5023);
    set(lblTitle[0], 5012);
    title(fraDown[3], 5025);
    set(lblStatus[2], 5026);
    set(lblStatus[3], 5027);
    set(lblStatus[4], 5028);
    set(lblStatus[11], 5048);
    title(fraDown[1], 5032);
    set(chkAutoLoad[0], 5033);
    set(chkAutoLoad[1], 5034);
    set(chkAutoLoad[2], 5063);
    title(fraDown[2], 5035);
    const int downIds[6] = {5036, 5037, 5038, 5040, 5041, 5047};
    for (int i = 0; i < 6; ++i)
        set(cmdDown[i], downIds[i]);

    title(fraMenu[1], 5051);
    title(fraInst, 5052);
    set(lblInst[0], 5053);
    set(lblInst[1], 5054);
    set(lblInst[2], 5055);
    set(lblInst[6], 5056);
    set(lblInst[8], 5060);

    title(fraMenu[2], 5101);
    set(chkLog[0], 5102);
    set(chkLog[1], 5104);
    set(chkLog[2], 5103);
    set(cmdDetail, 5005);
    set(cmdLogInst, 5025);
    set(cmdListCSV, 9004);

    title(fraMenu[3], 5151);
    set(optBrowse[0], 5152);
    set(optBrowse[1], 5153);
    SetCaption(chkBrowse[0], SampleInstrument().GasName(0));
    set(chkBrowse[5], 5154);
    set(chkBrowse[6], 5155);
    set(lblTitle[1], 5156);
    set(cmdBrowse[0], 5161);
    set(cmdBrowse[1], 5157);
    set(cmdBrowse[2], 5158);
    set(cmdBrowse[3], 5159);
    set(cmdBrowse[4], 9101);
    set(chkEvent, 5160);
    set(chkOutline, 5164);

    title(fraMenu[4], 5254);
    set(optHistory[0], 5251);
    set(optHistory[1], 5252);
    set(optHistory[2], 5253);
    set(cmdLastCal, 5161);

    title(fraMenu[5], 5201);
    title(fraOption[0], 5202);
    // Text 5204 has no argument marker: the gas names handed to it do not show.
    for (int i = 1; i <= 4; ++i)
        SetCaption(cmdOptionDisp[i], GetResText(5204, {SampleInstrument().GasName(static_cast<Integer>(i - 1))}));
    set(cmdOptionDisp[5], 5226);
    title(fraOption[1], 5208);
    const int optionLabelIds[5] = {5209, 5210, 5211, 5212, 5213};
    for (int i = 0; i < 5; ++i)
        set(lblOption[i], optionLabelIds[i]);
    set(lblOption[7], 5223);
    set(lblOption[8], 5224);
    set(cmdOption[0], 5214);
    set(cmdOption[1], 5215);
    set(cmdOption[2], 5216);
    set(cmdOption[3], 5221);
    title(fraOption[2], 5216);
    vfgCal->Model().SetFormatString(GetResText(5217));
    set(cmdCal[0], 5218);
    set(cmdCal[1], 5219);
    set(cmdCal[2], 5220);
}

// ---- Activation and layout ------------------------------------------------------------------

bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !ClosePending() && !unloaded_)
        Form_Activate();
    return QWidget::event(event);
}

// The first showing counts as the first activation too: a desktop without a window manager
// (or one that does not give the new window the focus) never activates it.
void frmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstActivation && !ClosePending() && !unloaded_)
        Form_Activate();
}

void frmMain::Form_Activate() {
    if (FirstActivation) {
        for (QGroupBox* page : fraMenu) {
            page->move(0, page->y());
            page->hide();
        }
        fraMenu[0]->show();
        if (link_)
            link_->AddDatedLog(5541);
        FirstActivation = false;
    }
    Form_Resize();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// A size change while minimised lays nothing out, and restoring keeps the size, so no resize
// event follows: leaving the minimised state lays the window out again.
void frmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !isMinimized())
            Form_Resize();
    }
}

void frmMain::ShowPage(Integer menuIndex) {
    // Menu buttons 0..4 show the Download, Instrument Information, Data, Last Calibration and
    // Set pages; the Data View page (3) is opened from the stored-data browser only.
    static constexpr int pageOfMenu[5] = {0, 1, 2, 4, 5};
    if (menuIndex < 0 || menuIndex > 4)
        return;
    for (QGroupBox* page : fraMenu)
        page->hide();
    fraMenu[static_cast<std::size_t>(pageOfMenu[menuIndex])]->show();
    Form_Resize();
}

void frmMain::ApplyMinimumSize() {
    const QSize outer = frameGeometry().size();
    const WindowSize wanted = EnforceMinimumSize({double(PixelsToTwips(outer.width())), double(PixelsToTwips(outer.height()))});
    const QSize frameExtra = outer - size();
    if (wanted.Width != PixelsToTwips(outer.width()) || wanted.Height != PixelsToTwips(outer.height()))
        resize(TwipsToPixels(wanted.Width) - frameExtra.width(), TwipsToPixels(wanted.Height) - frameExtra.height());
}

void frmMain::Form_Resize() {
    if (isMinimized())
        return;
    if (!isMaximized())
        ApplyMinimumSize();
    LayoutState state = geometry_.Read();
    state.Add(QStringLiteral("zelGraph"), zelGraphBox_);
    LayoutWindow(state, PixelsToTwips(width()), PixelsToTwips(height()));
    geometry_.Apply(state);
    const auto shown = std::find_if(fraMenu.begin(), fraMenu.end(), [](QGroupBox* page) { return !page->isHidden(); });
    if (shown != fraMenu.end() && *shown == fraMenu[5])
        vfgOption->Refresh();
    zelGraphBox_ = state[QStringLiteral("zelGraph")];
}


// ---- Instrument port and log box ------------------------------------------------------------

bool frmMain::OpenInstrumentPort() {
    if (!link_)
        return false;
    const std::function<void()> select = services_.SelectCommPort ? services_.SelectCommPort : [] {};
    return OpenInstrumentPortOn(*link_, select, [this](const QString& text, Long color) { AddLogText(text, color); });
}

void frmMain::AddLogText(const QString& text, Long color) {
    const QString inserted = LogBoxInsertion(text);
    QTextCursor cursor = rtbLog->textCursor();
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(ToQColor(color));
    cursor.insertText(inserted, format);
    rtbLog->setTextCursor(cursor);
    rtbLog->ensureCursorVisible();
}

// ---- Closing --------------------------------------------------------------------------------

bool frmMain::Form_QueryUnload() {
    // The Exit button is disabled during a power-off, the calibration mode and a rebuild of the
    // record tree: the window then stays, whatever the answer.
    bool cancel = !cmdInst[5]->isEnabled();
    if (MsgBox(GetResText(5373), vbYesNo | vbQuestion, BoxTitle) != vbYes)
        cancel = true;
    return !cancel;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!unloaded_ && !ClosePending()) {
        if (!Form_QueryUnload()) {
            event->ignore();
            return;
        }
        closePending_ = PendingEnd::Close;
        if (WaitsRunning()) {
            ScheduleEnd();
        } else {
            EndNow();
        }
    }
    if (unloaded_)
        event->accept();
    else
        event->ignore();
}

void frmMain::Terminate() {
    if (unloaded_ || closePending_ == PendingEnd::Close)
        return;
    closePending_ = PendingEnd::Terminate;
    FinishPendingEnd();
}

bool frmMain::WaitsRunning() {
    const bool linkWaiting = link_ && link_->Waiting();
    if (linkWaiting)
        link_->AbortWait();
    // A handler is still running below us while a wait yields or a modal box runs.
    return linkWaiting || DoEventsDepth() > 0 || QThread::currentThread()->loopLevel() > 1;
}

void frmMain::ScheduleEnd() {
    QTimer::singleShot(10, this, [this] { FinishPendingEnd(); });
}

void frmMain::FinishPendingEnd() {
    if (unloaded_ || closePending_ == PendingEnd::None)
        return;
    if (WaitsRunning()) {
        ScheduleEnd();
        return;
    }
    EndNow();
    close();
}

void frmMain::EndNow() {
    tmrInter->stop();
    if (closePending_ == PendingEnd::Close) {
        Form_Unload();
        return;
    }
    if (link_)
        link_->TimerEnabled(false);
    unloaded_ = true;
}

void frmMain::Form_Unload() {
    if (link_)
        link_->TimerEnabled(false);
    try {
        SaveDisplaySettings();
    } catch (const RuntimeError& error) {
        MsgBox(error.description(), vbOKOnly | vbExclamation, BoxTitle);
    } catch (const std::exception& error) {
        MsgBox(QString::fromLocal8Bit(error.what()), vbOKOnly | vbExclamation, BoxTitle);
    }
    if (lock_) {
        lock_->Release();
        lock_.reset();
    }
    State().LockFileNumber = 0;
    unloaded_ = true;
}

void frmMain::SaveDisplaySettings() {
    CommonFontFromFontButton();
    State().GraphColors[0] = static_cast<Long>(FromQColor(cmdOptionDisp[1]->palette().color(QPalette::Button)));
    if (services_.SaveIniSettings)
        services_.SaveIniSettings(CollectWindowSettings());
}

// ---- Default settings and the settings file -------------------------------------------------

void frmMain::SetDefaultSettings() {
    if (!services_.SetDefaultSettings)
        return;
    const MainWindowDefaults defaults = services_.SetDefaultSettings();
    Guarded("font and colour buttons", [&] {
        cmdOptionDisp[0]->setText(defaults.fontButtonCaption);
        QPalette palette = cmdOptionDisp[1]->palette();
        palette.setColor(QPalette::Button, ToQColor(defaults.graphColorButtonColor));
        cmdOptionDisp[1]->setPalette(palette);
    });
    Guarded("clock", [&] {
        tmrInter->setInterval(defaults.clockIntervalMs);
        tmrInter->start();
    });
    Guarded("status lamps", [&] {
        StatusLampColors = {defaults.lampOn, defaults.lampOff, defaults.lampError};
        for (int i = 0; i < 4; ++i) {
            const LampColors& colors = i == 0 ? defaults.lampOn : defaults.lampOff;
            shpStatus[i]->FillColor(colors.fill);
            shpStatus[i]->BorderColor(colors.border);
        }
    });
    Guarded("log box", [&] {
        rtbLog->clear();
    });
    Guarded("update button", [&] { cmdOption[0]->setEnabled(false); });
    Guarded("calibration lamps", [&] {
        for (int i : {2, 3})
            shpStatus[i]->hide();
        lblStatus[8]->hide();
        lblStatus[9]->hide();
    });
    Guarded("record tree", [&] {
        LogTreeDirty = true;
        LastExportFileName.clear();
    });
    Guarded("history choice", [&] { optHistory[0]->setChecked(true); });
    Guarded("modes", [&] {
        ShowingStoredInstrument = false;
        CalibrationMode = false;
    });
    Guarded("debug and extended controls", [&] {
        cmdInportDat->setVisible(defaults.importButtonVisible);
        chkAutoLoad[2]->setVisible(defaults.autoTerminateBoxVisible);
    });
}

void frmMain::LoadIniSettings() {
    if (!services_.LoadIniSettings)
        return;
    WindowSettings settings;
    services_.LoadIniSettings(settings);
    ApplyWindowSettings(settings);
}

void frmMain::ApplyWindowSettings(const WindowSettings& settings) {
    if (settings.graphColors)
        graphColors_ = settings.graphColors;
    if (settings.dataSelect) {
        for (int i = 0; i < 3; ++i)
            chkLog[i]->setChecked((*settings.dataSelect)[i]);
    }
    if (settings.placement) {
        // The size in twips, taken and given back without the window frame: before the window is
        // shown its frame is not known, so an outer size would come back larger on every run.
        // The window never starts minimised, only normal or maximised.
        resize(TwipsToPixels(settings.placement->width), TwipsToPixels(settings.placement->height));
        setWindowState(settings.placement->state == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
    }
}

WindowSettings frmMain::CollectWindowSettings() const {
    WindowSettings settings;
    settings.graphColors = graphColors_;
    settings.dataSelect = std::array<bool, 3>{chkLog[0]->isChecked(), chkLog[1]->isChecked(), chkLog[2]->isChecked()};
    const Integer state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    const QRect inner = state == 0 ? geometry() : normalGeometry();
    settings.placement = WindowPlacement{state, static_cast<Single>(PixelsToTwips(inner.width())),
                                         static_cast<Single>(PixelsToTwips(inner.height()))};
    return settings;
}

}  // namespace mt52
