#pragma once
// The data view's behaviour: opening the entry picked in the record tree or list (Detail),
// loading it into the view's record model of its kind, setting the page's caption, commands
// and options, filling the summary, the record table and the trend graph, and the handlers of
// the view options (Table/Graph, series, event and cursor boxes, zoom, Event Only, Condensed)
// and of the command buttons. It works on the page's controls, handed over as plain pointers,
// and reaches the window only through DataViewServices.
#include "platform/Types.h"
#include "platform/Variant.h"
#include "printing/ReportForm.h"
#include "printing/ReportJob.h"
#include "views/ViewRecords.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QWidget;

namespace mt52 {

class GridView;
class TrendSearchClicks;
class ReportPrinter;
class clsInstrument;
class uclZelGraph;

// The controls of the data-view page (all owned by the page).
struct DataViewControls {
    QGroupBox* fraMenu3 = nullptr;                // the page; its caption names the record's kind
    std::array<QRadioButton*, 2> optBrowse{};     // Table, Graph
    std::array<QPushButton*, 5> cmdBrowse{};      // Print, To clipboard, Export, Summary, Return
    QCheckBox* chkEvent = nullptr;                // Event Only
    QCheckBox* chkOutline = nullptr;              // Condensed
    std::array<QCheckBox*, 7> chkBrowse{};        // series 0 to 4, Event, Cursor
    QComboBox* cmbBrowse = nullptr;               // zoom
    GridView* vfgSummary = nullptr;
    GridView* vfgBrowse = nullptr;
    uclZelGraph* zelGraph = nullptr;
};

// What the view needs of the window.
struct DataViewServices {
    // The entry picked in the record tree or list: its kind (Log_Head.Types, 0 = none) and key.
    std::function<Long()> CurrentLogType;
    std::function<Long()> CurrentSeqNo;
    // The connected instrument; its enabled gases tick the series boxes. May give null.
    std::function<const clsInstrument*()> CurrentInstrument;
    // Hides every page, shows the data view alone and lays the window out.
    std::function<void()> ShowDataViewPage;
    // The Data page with the record browser (the Return command).
    std::function<void()> ShowDataPage;
    // Lays the window out again (the page's controls follow the Table/Graph choice).
    std::function<void()> Layout;
    // Sets a caption of a page control as the window sets its own (fitted to its room).
    std::function<void(QWidget* control, const QString& text)> SetCaption;
    // The last file an export wrote (this view's or the record list's); seeds the next name.
    // May be null: the view then keeps its own.
    QString* LastExportFile = nullptr;
    // Prints a report. Empty: the view prints through the program's report printer.
    std::function<ReportOutcome(const ReportRequest&)> PrintReport;
};

class DataView final : public QObject {
public:
    DataView(const DataViewControls& controls, DataViewServices services, QObject* parent = nullptr);
    ~DataView() override;

    // ---- Opening a record ------------------------------------------------------------------
    // The Detail command of the Data page (also the list's double click): shows the current
    // entry in the data view, or tells the user that none is picked.
    void cmdDetail_Click();
    // Loads the current entry into the model of its kind and sets the page up for it: caption,
    // commands, options, summary and table, and the graph of a trend with enough samples.
    void ShowDataView();

    // ---- Fills -----------------------------------------------------------------------------
    // The summary and, while Table is selected, the record table of the shown record.
    void ShowBrowseTable();
    // The rows the record table shows at once, by the size its viewport was last laid out to.
    int VisibleTableRows() const;
    // The graph of the shown trend, with its series boxes and zoom list.
    void DrawBrowseGraph();

    // ---- Options ---------------------------------------------------------------------------
    void optBrowse_Click(Integer index);
    void chkBrowse_Click(Integer index);
    void chkEvent_Click();
    void chkOutline_Click();
    void cmbBrowse_Click();

    // ---- Commands --------------------------------------------------------------------------
    // The command buttons: 0 Print, 1 To clipboard, 2 Export, 3 Summary (shows or hides the
    // summary), 4 Return (the Data page).
    void cmdBrowse_Click(Integer index);
    // Whether the commands act on the record's text (Table selected, or a bar hole) rather than
    // on the graph's picture.
    bool TextForm() const;
    // The report the Print command asks for: the shown record, its loaded model and the table
    // the view shows; the graph page in the graph form.
    ReportRequest PrintRequest();
    // The file type the last export was written as (the copy command builds the same text).
    int LastFilterIndex() const { return lastFilterIndex_; }

    // ---- State -----------------------------------------------------------------------------
    // The record shown: its kind (0 none) and key, fixed when ShowDataView loads it.
    Long ViewLogType() const { return viewLogType_; }
    Long ViewSeqNo() const { return viewSeqNo_; }
    ViewRecords& Records() { return records_; }
    // The Table/Graph switch has built its view since the last load.
    bool BrowseViewBuilt() const { return browseViewBuilt_; }
    // The trend search from the table's and graph's alarm events (see TrendSearchClicks).
    TrendSearchClicks& TrendSearch() { return *trendSearch_; }
    bool ViewRefilled() const { return browseViewBuilt_; }

private:
    void Connect();
    void SetPageCaption(int textId);
    // Selects or deselects an option; selecting one runs its click handler when it changes.
    void SetOption(int index, bool selected);
    // Ticks or clears a series box; a change runs its click handler.
    void SetSeriesBox(int index, bool ticked);
    void EnableCommands(int last, bool enabled);
    void EnableTrendOptions(bool enabled);
    // The table and, for a trend with enough samples, the graph; a trend too short for a graph
    // shows its table with the Graph option off.
    void FillTrendViews(bool graphable);
    bool TableSelected() const;
    bool GraphShown() const;
    // Makes the series boxes follow the shown trend's enabled gases (the Graph switch when the
    // graph is drawn already).
    void SyncSeriesBoxes();
    // A message for the user: text, message box style, title.
    struct Notice {
        int textId;
        int style;
        int titleId;
        QList<Variant> args{};  // the text's ~1, ~2 ... values
    };
    // Loads the current entry and sets the page up for it; what the user is to be told.
    std::optional<Notice> LoadAndFill();
    // What a trend load could not find, if anything.
    static std::optional<Notice> IncompleteLoadNotice(bool databaseOrHeaderMissing, bool trendFileMissing,
                                                      bool truncated);

    // The commands of the buttons (Print, To clipboard, Export).
    void PrintCommand();
    void CopyCommand();
    void ExportCommand();
    QString& LastExportFile();

    DataViewControls c_;
    DataViewServices s_;
    ViewRecords records_;
    Long viewLogType_ = 0;
    Long viewSeqNo_ = 0;
    bool browseViewBuilt_ = false;
    TrendSearchClicks* trendSearch_ = nullptr;  // child of this view
    int lastFilterIndex_ = 1;
    QString ownLastExportFile_;
    std::unique_ptr<ReportPrinter> printer_;  // made on the first print
};

}  // namespace mt52
