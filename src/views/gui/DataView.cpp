#include "views/gui/DataView.h"

#include "common/GridRowHelpers.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "graph/gui/uclZelGraph.h"
#include "instrument/clsInstrument.h"
#include "platform/Numbers.h"
#include "platform/UserDialogs.h"
#include "platform/gui/GridView.h"
#include "platform/gui/QtUserDialogs.h"
#include "records/clsAlarm.h"
#include "records/clsAlarmEvent.h"
#include "records/clsHistory.h"
#include "records/clsInterval.h"
#include "records/clsPowerEvent.h"
#include "records/clsSnapShot.h"
#include "records/clsTroubleEvent.h"
#include "views/AlarmTable.h"
#include "views/BrowseGraph.h"
#include "views/BrowseTable.h"
#include "views/gui/ControlValues.h"
#include "views/gui/TrendGraphControls.h"
#include "views/gui/TrendSearchClicks.h"
#include "views/DataSampleText.h"
#include "views/SampleFileExport.h"
#include "views/gui/ExportProgress.h"
#include "printing/gui/ReportPrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QHeaderView>

#include <algorithm>
#include <map>

namespace mt52 {

namespace {

// The hourglass while a handler works; nested handlers stack their pointers.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Hides a page while it is filled and gives it back its visibility, also when a fill fails.
class HiddenWhileFilled {
public:
    explicit HiddenWhileFilled(QWidget* page) : page_(page), wasVisible_(!page->isHidden()) { page_->hide(); }
    ~HiddenWhileFilled() { page_->setVisible(wasVisible_); }
    HiddenWhileFilled(const HiddenWhileFilled&) = delete;
    HiddenWhileFilled& operator=(const HiddenWhileFilled&) = delete;

private:
    QWidget* page_;
    bool wasVisible_;
};

// The graph's sample-indexed event track (an index past its series).
constexpr int EventTrackSeries = 1000;
// A trend needs this many samples (valid ones for an interval trend) for a graph.
constexpr Long MinimumGraphSamples = 5;
// Sampling 2: an alarm trend recorded as an interval trend.
constexpr int IntervalSampling = 2;

bool Ticked(const QCheckBox* box) { return box->isChecked(); }

}  // namespace

DataView::DataView(const DataViewControls& controls, DataViewServices services, QObject* parent)
    : QObject(parent), c_(controls), s_(std::move(services)) {
    Connect();
    trendSearch_ = new TrendSearchClicks(
        c_,
        {[this] { return viewLogType_; }, [this] { return viewSeqNo_; },
         [this] { return records_.Interval().GasBaseInfo(LogHeaderField::SerialNo).toString(); }},
        this);
}

DataView::~DataView() = default;

void DataView::Connect() {
    for (int i = 0; i < 2; ++i)
        connect(c_.optBrowse[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { optBrowse_Click(Integer(i)); });
    for (int i = 0; i < 7; ++i)
        connect(c_.chkBrowse[static_cast<std::size_t>(i)], &QCheckBox::clicked, this,
                [this, i] { chkBrowse_Click(Integer(i)); });
    for (int i = 0; i < 5; ++i)
        connect(c_.cmdBrowse[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdBrowse_Click(Integer(i)); });
    connect(c_.chkEvent, &QCheckBox::clicked, this, [this] { chkEvent_Click(); });
    connect(c_.chkOutline, &QCheckBox::clicked, this, [this] { chkOutline_Click(); });
    connect(c_.cmbBrowse, &QComboBox::activated, this, [this] { cmbBrowse_Click(); });
}

// ---- Opening a record ----------------------------------------------------------------------

void DataView::cmdDetail_Click() {
    if (s_.CurrentLogType() == 0) {
        MsgBox(GetResText(5301), vbInformation, GetResText(5302));
        return;
    }
    if (!c_.optBrowse[0]->isChecked() && !c_.optBrowse[1]->isChecked())
        SetOption(0, true);
    State().CondensedView = !State().CompletelyViewOn;
    ShowDataView();
    if (s_.ShowDataViewPage)
        s_.ShowDataViewPage();

    // An alarm trend recorded as an interval trend has no alarm moment and starts at its first
    // row; any other is scrolled so that its alarm moment stands in the middle of the rows the
    // laid-out page shows. The fill scrolled it with the size the hidden page had, which the page
    // opened for the first time has never been given.
    GridModel& table = c_.vfgBrowse->Model();
    if (viewLogType_ == 2 && table.Rows() > 1) {
        table.SetTopRow(1);
        if (records_.Alarm().GasBaseInfo(LogHeaderField::Sampling).toInteger() != IntervalSampling)
            table.SetTopRow(AlarmMomentTopRow(table.Rows(), VisibleTableRows()));
    }
}

int DataView::VisibleTableRows() const {
    const int rowHeight = std::max(1, c_.vfgBrowse->verticalHeader()->defaultSectionSize());
    return std::max(1, c_.vfgBrowse->viewport()->height() / rowHeight);
}

void DataView::ShowDataView() {
    std::optional<Notice> notice;
    {
        BusyPointer busy;
        HiddenWhileFilled hidden(c_.fraMenu3);
        notice = LoadAndFill();
    }
    browseViewBuilt_ = false;
    // Told once the page is back and the pointer normal again.
    if (notice)
        MsgBox(GetResText(notice->textId, notice->args), notice->style, GetResText(notice->titleId));
}

std::optional<DataView::Notice> DataView::LoadAndFill() {
    std::optional<Notice> notice;

    const clsInstrument* instrument = s_.CurrentInstrument ? s_.CurrentInstrument() : nullptr;
    for (int s = 0; s < 4; ++s)
        SetSeriesBox(s, instrument != nullptr && instrument->GasEnabled(Integer(s)));
    c_.optBrowse[0]->setEnabled(true);

    const Long logType = s_.CurrentLogType();
    const Long seqNo = s_.CurrentSeqNo();
    switch (logType) {
    case 0:
        viewLogType_ = 0;
        viewSeqNo_ = 0;
        SetPageCaption(0);
        SetOption(0, true);
        c_.optBrowse[1]->setEnabled(false);
        EnableCommands(3, false);
        EnableTrendOptions(false);
        notice = Notice{5301, vbInformation, 5302};
        break;
    case 1: {
        viewLogType_ = logType;
        viewSeqNo_ = seqNo;
        SetPageCaption(5624);
        clsInterval& record = records_.Interval();
        record.ClearDatas();
        EnableCommands(3, true);
        EnableTrendOptions(true);
        // The box only mirrors the condensed mode the view is loaded in; loading the record
        // again for the change would load it twice.
        c_.chkOutline->setChecked(State().CondensedView);
        record.SeqNo(seqNo);
        record.BaseDate(Date(0));
        record.ReLoad();
        const TrendLoadStatus status = record.LoadStatus();
        FillTrendViews(CountValidSamples(record) >= MinimumGraphSamples);
        notice = IncompleteLoadNotice(status.databaseMissing || status.headerMissing, status.trendFileMissing,
                             status.samplesTruncated || status.eventsTruncated);
        break;
    }
    case 9: {
        viewLogType_ = logType;
        viewSeqNo_ = seqNo;
        SetPageCaption(5677);
        clsInterval& record = records_.Interval();
        record.ClearDatas();
        EnableCommands(2, true);
        c_.cmdBrowse[3]->setEnabled(false);
        c_.vfgSummary->show();
        EnableTrendOptions(false);
        record.SeqNo(seqNo);
        record.BaseDate(Date(0));
        record.ReLoad();
        SetOption(0, false);
        SetOption(1, false);
        c_.optBrowse[0]->setEnabled(false);
        c_.optBrowse[1]->setEnabled(false);
        ShowBrowseTable();
        const TrendLoadStatus& status = record.LoadStatus();
        notice = IncompleteLoadNotice(status.databaseMissing || status.headerMissing, false,
                             status.samplesTruncated || status.eventsTruncated);
        break;
    }
    case 2: {
        viewLogType_ = logType;
        viewSeqNo_ = seqNo;
        clsAlarm& record = records_.Alarm();
        record.ClearDatas();
        EnableCommands(3, true);
        EnableTrendOptions(false);
        record.SeqNo(seqNo);
        record.ReLoad();
        const bool asInterval = record.GasBaseInfo(LogHeaderField::Sampling).toInteger() == IntervalSampling;
        SetPageCaption(asInterval ? 5624 : 5625);
        FillTrendViews(record.DataCount() >= MinimumGraphSamples);
        const TrendLoadStatus& status = record.LoadStatus();
        notice = IncompleteLoadNotice(status.databaseMissing || status.headerMissing, status.trendFileMissing,
                             status.samplesTruncated);
        break;
    }
    case 3:
    case 10:
    case 5:
    case 6:
    case 7:
    case 11: {
        viewLogType_ = logType;
        viewSeqNo_ = seqNo;
        static const std::map<Long, int> captions = {{3, 5673}, {10, 5678}, {5, 5627}, {6, 5628}, {7, 5629}, {11, 5679}};
        SetPageCaption(captions.at(logType));
        EnableCommands(3, true);
        EnableTrendOptions(false);
        const auto reload = [seqNo](auto& record) {
            record.ClearDatas();
            record.SeqNo(seqNo);
            record.ReLoad();
        };
        switch (logType) {
        case 5: reload(records_.AlarmEvent()); break;
        case 6: reload(records_.TroubleEvent()); break;
        case 7: reload(records_.PowerEvent()); break;
        case 11: reload(records_.SnapShot()); break;
        default: {
            clsHistory& history = records_.History();
            reload(history);
            // A long history shows its newest entries only: say how many older ones are left out.
            if (history.EntriesNotShown() > 0)
                notice = Notice{5390, vbInformation, 5151,
                                {Variant(Long{clsHistory::EntryCount}), Variant(history.EntriesNotShown())}};
            break;
        }
        }
        if (logType == 11)
            c_.optBrowse[0]->setEnabled(true);
        SetOption(0, true);
        if (logType == 11)
            SetOption(1, false);
        c_.optBrowse[1]->setEnabled(false);
        ShowBrowseTable();
        break;
    }
    case 8:
        viewLogType_ = logType;
        viewSeqNo_ = seqNo;
        SetPageCaption(5630);
        EnableCommands(3, true);
        EnableTrendOptions(false);
        SetOption(0, true);
        c_.optBrowse[1]->setEnabled(false);
        ShowBrowseTable();
        break;
    default:
        // A kind the view does not know: the page stays as it was.
        break;
    }
    return notice;
}

// ---- Fills ---------------------------------------------------------------------------------

void DataView::ShowBrowseTable() {
    BusyPointer busy;
    BrowseTableOptions options;
    options.tableSelected = TableSelected();
    options.table.eventOnly = Ticked(c_.chkEvent);
    options.table.condensed = State().CondensedView;
    options.table.debugMode = State().DebugMode;
    if (viewLogType_ == 1 || viewLogType_ == 9)
        options.table.firstGasSlot = SummaryFirstGasSlot(records_.Interval());
    options.table.visibleRows = VisibleTableRows();
    const SummaryFill summary = mt52::ShowBrowseTable(int(viewLogType_), viewSeqNo_, records_,
                                                      c_.vfgSummary->Model(), c_.vfgBrowse->Model(), options);
    if (summary == SummaryFill::Hidden)
        c_.vfgSummary->hide();
}

void DataView::DrawBrowseGraph() {
    const BrowseGraphInputs inputs = TrendGraphInputs(int(viewLogType_), records_, c_.chkBrowse, *c_.optBrowse[1]);
    uclZelGraph& graph = *c_.zelGraph;
    const BrowseGraphBoxes boxes = DrawTrendGraph(graph, inputs);
    if (boxes.seriesSet) {
        for (int f = 0; f < 4; ++f) {
            const BrowseSeriesBox& box = boxes.series[static_cast<std::size_t>(f)];
            QCheckBox* check = c_.chkBrowse[static_cast<std::size_t>(f)];
            ColourSeriesBox(*check, box.colour);
            if (s_.SetCaption)
                s_.SetCaption(check, box.caption);
            else
                check->setText(box.caption);
            SetSeriesBox(f, box.ticked);
            check->setVisible(box.visible);
        }
    }
    if (boxes.showEventAndCursorBoxes) {
        c_.chkBrowse[5]->show();
        c_.chkBrowse[6]->show();
    }
    c_.cmbBrowse->clear();
    c_.cmbBrowse->addItems(boxes.zoomItems);
    c_.cmbBrowse->setCurrentIndex(0);
    cmbBrowse_Click();
}

void DataView::FillTrendViews(bool graphable) {
    if (graphable) {
        c_.optBrowse[1]->setEnabled(true);
        ShowBrowseTable();
        DrawBrowseGraph();
    } else {
        SetOption(0, true);
        c_.optBrowse[1]->setEnabled(false);
        ShowBrowseTable();
    }
}

// ---- Options -------------------------------------------------------------------------------

void DataView::optBrowse_Click(Integer) {
    BusyPointer busy;
    if (TableSelected()) {
        if (!browseViewBuilt_) {
            ShowBrowseTable();
            browseViewBuilt_ = true;
        }
        c_.zelGraph->hide();
        c_.vfgBrowse->show();
    } else {
        c_.zelGraph->show();
        c_.vfgBrowse->hide();
        if (viewLogType_ == 1 || viewLogType_ == 2) {
            if (browseViewBuilt_) {
                SyncSeriesBoxes();
            } else {
                DrawBrowseGraph();
                browseViewBuilt_ = true;
            }
        }
        c_.zelGraph->setFocus();
    }
    if (s_.Layout)
        s_.Layout();
}

void DataView::chkBrowse_Click(Integer index) {
    ZelGraph& graph = c_.zelGraph->Graph();
    if (index >= 0 && index <= 6) {
        const bool ticked = Ticked(c_.chkBrowse[static_cast<std::size_t>(index)]);
        if (index <= 4) {
            graph.SampleVisible(index, ticked);
            graph.EventVisible(index, ticked && Ticked(c_.chkBrowse[5]));
        } else if (index == 5) {
            for (int s = 0; s < graph.SampleDataCount(); ++s)
                graph.EventVisible(s, ticked);
            graph.EventVisible(EventTrackSeries, ticked);
        } else {
            c_.zelGraph->CursorVisible(ticked);
        }
    }
    if (GraphShown()) {
        c_.zelGraph->Refresh();
        c_.zelGraph->setFocus();
    }
}

void DataView::chkEvent_Click() {
    ShowBrowseTable();
    c_.chkOutline->setEnabled(!Ticked(c_.chkEvent));
}

void DataView::chkOutline_Click() {
    State().CondensedView = Ticked(c_.chkOutline);
    ShowDataView();
    if (s_.Layout)
        s_.Layout();
}

void DataView::cmbBrowse_Click() {
    bool ok = false;
    const int factor = c_.cmbBrowse->currentText().toInt(&ok);
    if (!ok || factor < 1)
        return;
    c_.zelGraph->Zoom(factor);
    if (GraphShown()) {
        c_.zelGraph->Refresh();
        c_.zelGraph->setFocus();
    }
}

// ---- Commands ------------------------------------------------------------------------------

void DataView::cmdBrowse_Click(Integer index) {
    switch (index) {
    case 0:
        PrintCommand();
        break;
    case 1:
        CopyCommand();
        break;
    case 2:
        ExportCommand();
        break;
    case 3:
        c_.vfgSummary->setVisible(c_.vfgSummary->isHidden());
        if (s_.Layout)
            s_.Layout();
        break;
    case 4:
        if (s_.ShowDataPage)
            s_.ShowDataPage();
        break;
    default:
        break;
    }
    if (GraphShown()) {
        c_.zelGraph->Refresh();
        c_.zelGraph->setFocus();
    }
}

bool DataView::TextForm() const { return TableSelected() || viewLogType_ == 9; }

ReportRequest DataView::PrintRequest() {
    ReportRequest request;
    request.kind = viewLogType_;
    request.graph = !TextForm();
    request.seqNo = viewSeqNo_;
    switch (viewLogType_) {
    case 1:
    case 9:
        request.interval = &records_.Interval();
        break;
    case 2:
        request.alarm = &records_.Alarm();
        break;
    case 11:
        request.snapshot = &records_.SnapShot();
        break;
    default:
        break;
    }
    if (viewLogType_ == 1 || viewLogType_ == 2 || viewLogType_ == 11)
        request.recordTable = &c_.vfgBrowse->Model();
    return request;
}

void DataView::PrintCommand() {
    if (viewLogType_ == 0)
        return;
    const ReportRequest request = PrintRequest();
    if (s_.PrintReport) {
        s_.PrintReport(request);
        return;
    }
    if (!printer_)
        printer_ = std::make_unique<ReportPrinter>(c_.fraMenu3);
    printer_->GoPrinter(request);
}

void DataView::CopyCommand() {
    if (viewLogType_ == 0)
        return;
    BusyPointer busy;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (TextForm()) {
        const DataSampleSource source{.logType = int(viewLogType_), .seqNo = viewSeqNo_, .records = records_};
        clipboard->setText(MakeDataSampleText(source, u'\t', lastFilterIndex_));
    } else {
        clipboard->setImage(c_.zelGraph->Picture());
    }
}

void DataView::ExportCommand() {
    if (viewLogType_ == 0)
        return;
    QString& last = LastExportFile();
    if (TextForm()) {
        const DataSampleSource source{.logType = int(viewLogType_), .seqNo = viewSeqNo_, .records = records_};
        std::optional<ExportProgress> progress;
        int written = 0;
        ExportSampleText(source, &c_.vfgBrowse->Model(), last, State().StartDir, ExportProgressHooks(progress), &written);
        // The copy command builds the text of the file type last written.
        if (written != 0)
            lastFilterIndex_ = written;
        return;
    }
    uclZelGraph& graph = *c_.zelGraph;
    ExportBitmap([&graph](QIODevice& device) { return graph.Picture().save(&device, "BMP"); }, last,
                 State().StartDir);
}

QString& DataView::LastExportFile() { return s_.LastExportFile ? *s_.LastExportFile : ownLastExportFile_; }

// ---- Helpers -------------------------------------------------------------------------------

void DataView::SetPageCaption(int textId) {
    QString caption = GetResText(5151);
    if (textId != 0)
        caption += QLatin1Char('(') + GetResText(textId) + QLatin1Char(')');
    if (s_.SetCaption)
        s_.SetCaption(c_.fraMenu3, caption);
    else
        c_.fraMenu3->setTitle(caption);
}

void DataView::SetOption(int index, bool selected) {
    if (SetOptionValue(*c_.optBrowse[static_cast<std::size_t>(index)], selected))
        optBrowse_Click(Integer(index));
}

void DataView::SetSeriesBox(int index, bool ticked) {
    if (SetBoxValue(*c_.chkBrowse[static_cast<std::size_t>(index)], ticked))
        chkBrowse_Click(Integer(index));
}

void DataView::EnableCommands(int last, bool enabled) {
    for (int i = 0; i <= last; ++i)
        c_.cmdBrowse[static_cast<std::size_t>(i)]->setEnabled(enabled);
}

void DataView::EnableTrendOptions(bool enabled) {
    c_.chkEvent->setEnabled(enabled);
    c_.chkOutline->setEnabled(enabled);
}

bool DataView::TableSelected() const { return c_.optBrowse[0]->isChecked(); }

bool DataView::GraphShown() const { return c_.zelGraph->isVisible(); }

void DataView::SyncSeriesBoxes() {
    const RecordFrame& record = viewLogType_ == 1 ? static_cast<const RecordFrame&>(records_.Interval())
                                                  : static_cast<const RecordFrame&>(records_.Alarm());
    const auto enabled = [&record](int slot) { return record.GasListInfo(Integer(slot), GasInfoField::Enable).toBool(); };
    for (int l = 0; l < 4; ++l) {
        const int slot = (viewLogType_ == 1 && l == 0 && !enabled(0) && enabled(4)) ? 4 : l;
        const bool e = enabled(slot);
        SetSeriesBox(l, e);
        c_.chkBrowse[static_cast<std::size_t>(l)]->setVisible(e);
        c_.zelGraph->Graph().SampleVisible(l, e);
    }
    c_.chkBrowse[5]->show();
    c_.chkBrowse[6]->show();
}

std::optional<DataView::Notice> DataView::IncompleteLoadNotice(bool databaseOrHeaderMissing, bool trendFileMissing,
                                                               bool truncated) {
    if (databaseOrHeaderMissing)
        return Notice{5386, vbExclamation, 5151};
    if (trendFileMissing)
        return Notice{5162, vbExclamation, 5151};
    if (truncated)
        return Notice{5387, vbInformation, 5151};
    return std::nullopt;
}

}  // namespace mt52
