#include "views/gui/frmIntermittence.h"

#include "common/GridRowHelpers.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/gui/WindowMetrics.h"
#include "graph/gui/uclZelGraph.h"
#include "instrument/clsInstrument.h"
#include "platform/RuntimeError.h"
#include "platform/gui/GridView.h"
#include "platform/gui/QtUserDialogs.h"
#include "printing/gui/ReportPrinter.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "views/BrowseGraph.h"
#include "views/BrowseTable.h"
#include "views/DataSampleText.h"
#include "views/SampleFileExport.h"
#include "views/TrendSearch.h"
#include "views/gui/ControlValues.h"
#include "views/gui/TrendGraphControls.h"
#include "views/gui/TrendSearchIcons.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace mt52 {

namespace {

constexpr int IntervalSampling = 2;  // an alarm trend recorded as an interval trend
constexpr int MinimumWidth = 11640;
constexpr int MinimumHeight = 8250;
constexpr int GraphSampleMinimum = 5;

class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Whole twips, halves to even.
int RoundTwips(double twips) { return static_cast<int>(std::nearbyint(twips)); }

TwipRect RectOf(const QWidget& w) {
    return {PixelsToTwips(w.x()), PixelsToTwips(w.y()), PixelsToTwips(w.width()), PixelsToTwips(w.height())};
}

void MoveTo(QWidget& w, int left, int top) {
    TwipRect r = RectOf(w);
    r.left = left;
    r.top = top;
    PlaceTwips(w, r);
}

// The column widths of the record table by its number of columns, as shares of its width.
std::vector<double> TableColumnShares(int cols) {
    switch (cols) {
    case 2: return {0.29};
    case 3: return {0.29, 0.71 / 2};
    case 4: return {0.07, 0.22, 0.71 / 2};
    case 5: return {0.1, 0.3, 0.2, 0.2};
    case 6: return {0.07, 0.19, 0.7 / 2, 0.7 / 2, 0.7 / 2};
    case 7: return {0.07, 0.22, 0.14, 0.14, 0.14, 0.14};
    case 8: return {0.07, 0.19, 0.74 / 6, 0.74 / 6, 0.74 / 6, 0.74 / 6, 0.74 / 6, 0.74 / 6};
    case 9: return {0.05, 0.16, 0.07, 0.12, 0.12, 0.12, 0.12, 0.12};
    default: return {};
    }
}

// The samples of an interval trend that hold a reading or the over-range code, counted per
// enabled gas slot 0 to 3; the largest count (0 when no slot is enabled).
Long CountValidTrendSamples(const clsInterval& record) {
    Long best = 0;
    for (Integer g = 0; g < 4; ++g) {
        if (!record.GasListInfo(g, GasInfoField::Enable).toBool())
            continue;
        Long count = 0;
        for (Long i = 0; i < record.DataCount(); ++i) {
            const Single value = record.GasValue(g, i).toSingle();
            if (value >= 0 || value == ReadingCode::Over)
                ++count;
        }
        best = std::max(best, count);
    }
    return best;
}

}  // namespace

frmIntermittence::frmIntermittence(QWidget* parent) : QDialog(parent) {
    setModal(true);
    MakeControls();
    Connect();
}

frmIntermittence::~frmIntermittence() = default;

void frmIntermittence::MakeControls() {
    fraMenu = new QGroupBox(this);
    optBrowse[0] = new QRadioButton(fraMenu);
    optBrowse[1] = new QRadioButton(fraMenu);
    chkEvent = new QCheckBox(fraMenu);
    chkEvent->hide();
    for (auto& button : cmdBrowse)
        button = new QPushButton(fraMenu);
    cmdBrowse[1]->hide();
    vfgSummary = new GridView(fraMenu);
    vfgBrowse = new GridView(fraMenu);
    vfgSummary->WidenColumnsToText(true);
    vfgBrowse->WidenColumnsToText(true);
    zelGraph = new uclZelGraph(fraMenu);
    for (auto& box : chkBrowse)
        box = new QCheckBox(fraMenu);
    chkBrowse[4]->hide();
    lblTitle1 = new QLabel(fraMenu);
    cmbBrowse = new QComboBox(fraMenu);
    // The initial sizes the layout keeps.
    PlaceTwips(*optBrowse[0], {0, 0, 1092, 252});
    PlaceTwips(*optBrowse[1], {0, 0, 972, 252});
    PlaceTwips(*chkEvent, {0, 0, 1575, 252});
    for (QCheckBox* box : chkBrowse)
        PlaceTwips(*box, {0, 0, 1575, 252});
    PlaceTwips(*lblTitle1, {0, 0, 444, 204});
    PlaceTwips(*cmbBrowse, {0, 0, 900, 300});
}

void frmIntermittence::Connect() {
    for (int i = 0; i < 2; ++i)
        connect(optBrowse[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { optBrowse_Click(Integer(i)); });
    for (int i = 0; i < 7; ++i)
        connect(chkBrowse[static_cast<std::size_t>(i)], &QCheckBox::clicked, this,
                [this, i] { chkBrowse_Click(Integer(i)); });
    for (int i = 0; i < 5; ++i)
        connect(cmdBrowse[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdBrowse_Click(Integer(i)); });
    connect(chkEvent, &QCheckBox::clicked, this, [this] { chkEvent_Click(); });
    connect(cmbBrowse, &QComboBox::activated, this, [this] { cmbBrowse_Click(); });
}

void frmIntermittence::ShowModal(const DataViewControls& mainView) {
    Form_Load(mainView);
    exec();
}

// ---- Load ------------------------------------------------------------------------------------

void frmIntermittence::Form_Load(const DataViewControls& mainView) {
    ApplyCommonFontToAll(*this, State().CommonFont);
    QFont frameFont = fraMenu->font();
    frameFont.setBold(true);
    fraMenu->setFont(frameFont);

    const bool japanese = GetResText(101) == u"JP";
    setWindowTitle(GetResText(5001) + QStringLiteral(" [P.No.") + (japanese ? QStringLiteral("07312") : QStringLiteral("07313")) +
                   QLatin1Char(']'));

    const QWidget* mainWindow = mainView.fraMenu3 != nullptr ? mainView.fraMenu3->window() : nullptr;
    if (mainWindow != nullptr)
        resize(mainWindow->size());
    vfgSummary->setVisible(mainView.vfgSummary == nullptr || !mainView.vfgSummary->isHidden());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }

    SetTexts();

    const bool mainTable = mainView.optBrowse[0] != nullptr && mainView.optBrowse[0]->isChecked();
    const bool mainGraph = mainView.optBrowse[1] != nullptr && mainView.optBrowse[1]->isChecked();
    vfgBrowse->setVisible(mainTable);
    zelGraph->setVisible(mainGraph);
    lblTitle1->setVisible(mainGraph);
    cmbBrowse->setVisible(mainGraph);
    for (int i = 0; i < 7; ++i) {
        const QCheckBox* mainBox = mainView.chkBrowse[static_cast<std::size_t>(i)];
        SetBox(chkBrowse[static_cast<std::size_t>(i)], i, mainBox != nullptr && mainBox->isChecked());
    }
    SelectOption(0, mainTable);
    SelectOption(1, mainGraph);
    for (int s = 0; s < 4; ++s) {
        const QCheckBox* mainBox = mainView.chkBrowse[static_cast<std::size_t>(s)];
        SetBox(chkBrowse[static_cast<std::size_t>(s)], s, mainBox != nullptr && mainBox->isChecked());
    }

    LoadTrendRecord();
    optBrowse_Click(0);
}

void frmIntermittence::SetTexts() {
    fraMenu->setTitle(GetResText(5151));
    optBrowse[0]->setText(GetResText(5152));
    optBrowse[1]->setText(GetResText(5153));
    const clsInstrument& instrument = SampleInstrument();
    for (int s = 0; s < 4; ++s)
        chkBrowse[static_cast<std::size_t>(s)]->setText(instrument.GasName(Integer(s)));
    chkBrowse[5]->setText(GetResText(5154));
    chkBrowse[6]->setText(GetResText(5155));
    lblTitle1->setText(GetResText(5156));
    cmdBrowse[0]->setText(GetResText(5161));
    cmdBrowse[1]->setText(GetResText(5157));
    cmdBrowse[2]->setText(GetResText(5158));
    cmdBrowse[3]->setText(GetResText(5159));
    cmdBrowse[4]->setText(GetResText(9101));
    chkEvent->setText(GetResText(5160));
}

void frmIntermittence::LoadTrendRecord() {
    fraMenu->hide();
    // The table scrolls its alarm moment into the rows it shows: give it its size first.
    Form_Resize();
    types_ = State().TrendPopupKind;
    Long samples = 0;
    if (types_ == 1) {
        fraMenu->setTitle(GetResText(5151) + QLatin1Char('(') + GetResText(5624) + QLatin1Char(')'));
        clsInterval& record = records_.Interval();
        record.ClearDatas();
        EnableCommands(true);
        chkEvent->setEnabled(true);
        record.SeqNo(State().TrendPopupSeqNo);
        record.BaseDate(State().TrendPopupDate);
        record.ReLoad();
        samples = CountValidTrendSamples(record);
    } else if (types_ == 2) {
        clsAlarm& record = records_.Alarm();
        record.ClearDatas();
        EnableCommands(true);
        chkEvent->setEnabled(false);
        record.SeqNo(State().TrendPopupSeqNo);
        record.ReLoad();
        fraMenu->setTitle(GetResText(5151) + QLatin1Char('(') + GetResText(SampledAsInterval() ? 5624 : 5625) +
                          QLatin1Char(')'));
        samples = record.DataCount();
    }
    if (types_ == 1 || types_ == 2) {
        if (samples < GraphSampleMinimum) {
            SelectOption(0, true);
            optBrowse[1]->setEnabled(false);
            FillTrendTables();
        } else {
            optBrowse[1]->setEnabled(true);
            FillTrendTables();
            FillTrendGraph();
        }
    }
    fraMenu->show();
}

// ---- Fills -----------------------------------------------------------------------------------

void frmIntermittence::FillTrendTables() {
    BusyPointer busy;
    RecordTableOptions options;
    options.eventOnly = chkEvent->isChecked();
    options.condensed = State().CondensedView;
    options.debugMode = State().DebugMode;
    if (types_ == 1 || types_ == 9)
        options.firstGasSlot = SummaryFirstGasSlot(records_.Interval());
    const int rowHeight = std::max(1, vfgBrowse->verticalHeader()->defaultSectionSize());
    // From the grid's own height: while the window loads hidden its viewport is not laid out yet.
    options.visibleRows = std::max(1, (vfgBrowse->height() - 2 * vfgBrowse->frameWidth()) / rowHeight);
    if (mt52::FillTrendTables(int(types_), records_, vfgSummary->Model(), vfgBrowse->Model(), options) ==
        SummaryFill::Hidden)
        vfgSummary->hide();
    vfgBrowse->Refresh();
}

void frmIntermittence::FillTrendGraph() {
    const BrowseGraphBoxes boxes =
        DrawTrendGraph(*zelGraph, TrendGraphInputs(int(types_), records_, chkBrowse, *optBrowse[1]));
    if (boxes.seriesSet) {
        for (int g = 0; g < 4; ++g) {
            const BrowseSeriesBox& box = boxes.series[static_cast<std::size_t>(g)];
            QCheckBox* check = chkBrowse[static_cast<std::size_t>(g)];
            ColourSeriesBox(*check, box.colour);
            check->setText(box.caption);
            SetBox(check, g, box.ticked);
            check->setVisible(box.visible);
        }
    }
    if (boxes.showEventAndCursorBoxes) {
        chkBrowse[5]->show();
        chkBrowse[6]->show();
    }
    cmbBrowse->clear();
    cmbBrowse->addItems(boxes.zoomItems);
    cmbBrowse->setCurrentIndex(0);
    zelGraph->Zoom(1);
    zelGraph->Refresh();
}

// ---- Handlers --------------------------------------------------------------------------------

void frmIntermittence::optBrowse_Click(Integer) {
    BusyPointer busy;
    const bool asInterval = SampledAsInterval();
    if (optBrowse[0]->isChecked()) {
        zelGraph->hide();
        vfgBrowse->show();
        setWindowIcon(QIcon(TrendIconPicture(asInterval ? TrendEventIcon::Interval : TrendEventIcon::Alarm,
                                             TrendIconPlace::Table)));
    } else {
        vfgBrowse->hide();
        zelGraph->show();
        FillTrendGraph();
        setWindowIcon(QIcon(TrendIconPicture(asInterval ? TrendEventIcon::Interval : TrendEventIcon::Alarm,
                                             TrendIconPlace::Graph)));
    }
    Form_Resize();
}

void frmIntermittence::chkBrowse_Click(Integer index) {
    ZelGraph& graph = zelGraph->Graph();
    if (index >= 0 && index <= 4) {
        const bool ticked = chkBrowse[static_cast<std::size_t>(index)]->isChecked();
        graph.SampleVisible(index, ticked);
        graph.EventVisible(index, ticked && chkBrowse[5]->isChecked());
    } else if (index == 5) {
        const bool ticked = chkBrowse[5]->isChecked();
        for (int s = 0; s < graph.SampleDataCount(); ++s)
            graph.EventVisible(s, ticked);
        graph.EventVisible(1000, ticked);
    } else if (index == 6) {
        zelGraph->CursorVisible(chkBrowse[6]->isChecked());
    }
    RefreshGraphIfShown();
}

void frmIntermittence::cmbBrowse_Click() {
    bool ok = false;
    const int factor = cmbBrowse->currentText().toInt(&ok);
    if (!ok || factor < 1)
        return;
    zelGraph->Zoom(factor);
    RefreshGraphIfShown();
}

void frmIntermittence::chkEvent_Click() { FillTrendTables(); }

void frmIntermittence::cmdBrowse_Click(Integer index) {
    try {
        switch (index) {
        case 0: Print(); break;
        case 2: Export(); break;
        case 3:
            vfgSummary->setVisible(vfgSummary->isHidden());
            Form_Resize();
            break;
        case 1: CopyToClipboard(); break;
        case 4: reject(); return;
        default: break;
        }
    } catch (const RuntimeError&) {
        // A command ends quietly on a failure; what failed has been told by the command itself.
        return;
    }
    RefreshGraphIfShown();
}

void frmIntermittence::Print() {
    ReportRequest request;
    request.graph = !optBrowse[0]->isChecked();
    request.kind = types_;
    request.seqNo = 0;  // the trend reports take the loaded record, not its number
    if (types_ == 1)
        request.interval = &records_.Interval();
    else
        request.alarm = &records_.Alarm();
    request.recordTable = &vfgBrowse->Model();
    if (printHook) {
        printHook(request);
        return;
    }
    if (!printer_)
        printer_ = std::make_unique<ReportPrinter>(this);
    printer_->GoPrinter(request);
}

void frmIntermittence::CopyToClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (optBrowse[0]->isChecked())
        clipboard->setText(BuildExportText(QLatin1Char('\t'), filterIndex_));
    else
        clipboard->setImage(zelGraph->Picture());
}

void frmIntermittence::Export() {
    // The main data view's export: the same name proposal, file types, overwrite question,
    // safe write and failure message; this window shows no progress while it writes.
    if (optBrowse[0]->isChecked()) {
        const DataSampleSource source{int(types_), State().TrendPopupSeqNo, records_,
                                      SampleStatistics::FourGasesWithStelTwa};
        ExportSampleText(source, &vfgBrowse->Model(), lastExportFile_, State().StartDir);
    } else {
        ExportBitmap([this](QIODevice& device) { return zelGraph->Picture().save(&device, "BMP"); }, lastExportFile_,
                     State().StartDir);
    }
}

QString frmIntermittence::BuildExportText(QChar separator, int filterIndex) {
    DataSampleSource source{int(types_), State().TrendPopupSeqNo, records_, SampleStatistics::FourGasesWithStelTwa};
    return MakeDataSampleText(source, separator, filterIndex);
}

// ---- Layout ----------------------------------------------------------------------------------

void frmIntermittence::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmIntermittence::Form_Resize() {
    if (isMinimized() || laying_)
        return;
    laying_ = true;
    if (PixelsToTwips(width()) < MinimumWidth || PixelsToTwips(height()) < MinimumHeight)
        resize(std::max(width(), TwipsToPixels(MinimumWidth)), std::max(height(), TwipsToPixels(MinimumHeight)));
    const int scaleWidth = PixelsToTwips(width());
    const int scaleHeight = PixelsToTwips(height());
    const double m = 0.12 * scaleWidth;
    PlaceTwips(*fraMenu, {0, 120, RoundTwips(scaleWidth - m - 240), scaleHeight - 180});
    const TwipRect f = RectOf(*fraMenu);

    const bool graphPage = optBrowse[1]->isChecked();
    if (!graphPage)
        for (QCheckBox* box : chkBrowse)
            box->hide();
    lblTitle1->setVisible(graphPage);
    cmbBrowse->setVisible(graphPage);

    MoveTo(*optBrowse[0], 120, 240);
    const TwipRect o0 = RectOf(*optBrowse[0]);
    MoveTo(*optBrowse[1], o0.right() + 120, 240);
    MoveTo(*chkEvent, RectOf(*optBrowse[1]).right() + 120, 240);

    if (!vfgSummary->isHidden()) {
        PlaceTwips(*vfgSummary, {120, o0.bottom() + 120, f.width - 240, RoundTwips(0.3 * f.height)});
        const TwipRect s = RectOf(*vfgSummary);
        PlaceTwips(*vfgBrowse, {120, s.bottom() + 120, f.width - 240, f.height - s.bottom() - 240});
        PlaceTwips(*zelGraph, {120, RectOf(*vfgBrowse).top, f.width - 240, f.height - s.bottom() - 920});
    } else {
        PlaceTwips(*vfgBrowse, {120, o0.bottom() + 120, f.width - 240, f.height - o0.bottom() - 240});
        PlaceTwips(*zelGraph, {120, RectOf(*vfgBrowse).top, f.width - 240, f.height - o0.bottom() - 920});
    }
    const TwipRect g = RectOf(*zelGraph);
    const int y1 = g.bottom() + 120;
    // The boxes take the room of their quarter, so a gas caption with its range shows whole.
    for (QCheckBox* box : chkBrowse)
        PlaceTwips(*box, {0, 0, std::max(1575, f.width / 4 - 120), 252});
    MoveTo(*chkBrowse[0], 120, y1);
    MoveTo(*chkBrowse[1], f.width / 4, y1);
    MoveTo(*chkBrowse[2], f.width / 2, y1);
    MoveTo(*chkBrowse[3], f.width * 3 / 4, y1);
    const int y2 = RectOf(*chkBrowse[0]).bottom();
    MoveTo(*lblTitle1, 120, y2);
    MoveTo(*cmbBrowse, RectOf(*lblTitle1).right() + 240, y2);
    MoveTo(*chkBrowse[4], f.width / 4, y2);
    MoveTo(*chkBrowse[5], f.width / 2, y2);
    MoveTo(*chkBrowse[6], f.width * 3 / 4, y2);

    const TwipRect b = RectOf(*vfgBrowse);
    const int buttonWidth = RoundTwips(0.12 * b.width);
    const int buttonHeight = std::max(RectOf(*chkEvent).height, 300);
    PlaceTwips(*cmdBrowse[4], {b.right() - buttonWidth, 240, buttonWidth, buttonHeight});
    PlaceTwips(*cmdBrowse[3], {RectOf(*cmdBrowse[4]).left - buttonWidth - 240, 240, buttonWidth, buttonHeight});
    PlaceTwips(*cmdBrowse[2], {RectOf(*cmdBrowse[3]).left - buttonWidth, 240, buttonWidth, buttonHeight});
    PlaceTwips(*cmdBrowse[0], {RectOf(*cmdBrowse[2]).left - buttonWidth, 240, buttonWidth, buttonHeight});

    GridModel& table = vfgBrowse->Model();
    const std::vector<double> shares = TableColumnShares(table.Cols());
    for (std::size_t c = 0; c < shares.size(); ++c)
        table.SetColWidth(int(c), RoundTwips(shares[c] * b.width));
    if (!vfgSummary->isHidden()) {
        GridModel& summary = vfgSummary->Model();
        const int sw = RectOf(*vfgSummary).width;
        for (int c = 0; c < summary.Cols(); ++c)
            summary.SetColWidth(c, RoundTwips(c == 0 ? 0.26 * sw : 0.7 / 2 * sw));
    }
    laying_ = false;
}

// ---- Helpers ---------------------------------------------------------------------------------

void frmIntermittence::SetBox(QCheckBox* box, int index, bool ticked) {
    if (SetBoxValue(*box, ticked))
        chkBrowse_Click(Integer(index));
}

void frmIntermittence::SelectOption(int index, bool selected) {
    if (SetOptionValue(*optBrowse[static_cast<std::size_t>(index)], selected))
        optBrowse_Click(Integer(index));
}

void frmIntermittence::EnableCommands(bool enabled) {
    for (int i = 0; i <= 3; ++i)
        cmdBrowse[static_cast<std::size_t>(i)]->setEnabled(enabled);
}

bool frmIntermittence::SampledAsInterval() {
    return records_.HasAlarm() &&
           records_.Alarm().GasBaseInfo(LogHeaderField::Sampling).toInteger() == IntervalSampling;
}

void frmIntermittence::RefreshGraphIfShown() {
    if (zelGraph->isVisible()) {
        zelGraph->Refresh();
        zelGraph->setFocus();
    }
}

}  // namespace mt52
