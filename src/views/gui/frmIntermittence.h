#pragma once
// The trend-search window: a second, modal data view of the trend record that the trend search
// found (the record, its kind and the event time are handed over in the module state). It takes
// the main data view's size, page, summary and box choices when it opens, loads the record into
// its own record models and shows its summary, table and graph through the data views' fills,
// with the commands Print, Export, Summary and Return. The window object lives for the whole
// run: its record models and the last export file are kept from one opening to the next.
#include "platform/OleDate.h"
#include "platform/Types.h"
#include "views/ViewRecords.h"
#include "views/gui/DataView.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace mt52 {

class GridView;
class ReportPrinter;
struct ReportRequest;
class uclZelGraph;

class frmIntermittence final : public QDialog {
public:
    explicit frmIntermittence(QWidget* parent = nullptr);
    ~frmIntermittence() override;

    // Loads the window from the main data view's controls and shows it modally; returns when it
    // is closed. A failure while the record loads raises to the caller, with the window hidden.
    void ShowModal(const DataViewControls& mainView);

    // ---- Load --------------------------------------------------------------------------------
    // The load sequence: texts, size and place, the main view's choices, the record, the page.
    void Form_Load(const DataViewControls& mainView);
    // Loads the record named in the module state (TrendPopupSeqNo, TrendPopupKind,
    // TrendPopupDate) and fills the summary, the table and, with 5 samples or more, the graph.
    void LoadTrendRecord();
    // Lays the window out in twips.
    void Form_Resize();

    // ---- Fills -------------------------------------------------------------------------------
    void FillTrendTables();
    void FillTrendGraph();

    // ---- Handlers ----------------------------------------------------------------------------
    void optBrowse_Click(Integer index);
    void chkBrowse_Click(Integer index);
    void cmbBrowse_Click();
    void chkEvent_Click();
    // 0 Print, 1 To clipboard, 2 Export, 3 Summary, 4 Return.
    void cmdBrowse_Click(Integer index);

    // ---- State and controls (read by the report and by tests) -------------------------------
    Long Types() const { return types_; }
    ViewRecords& Records() { return records_; }
    const QString& LastExportFile() const { return lastExportFile_; }
    // The text Export writes for the separator and file type (the data views' shared builder).
    QString BuildExportText(QChar separator, int filterIndex);

    // Prints through this function when set (tests); otherwise through the program's printers.
    std::function<void(const ReportRequest&)> printHook;

    QGroupBox* fraMenu = nullptr;
    std::array<QRadioButton*, 2> optBrowse{};
    QCheckBox* chkEvent = nullptr;
    std::array<QPushButton*, 5> cmdBrowse{};
    GridView* vfgSummary = nullptr;
    GridView* vfgBrowse = nullptr;
    uclZelGraph* zelGraph = nullptr;
    std::array<QCheckBox*, 7> chkBrowse{};
    QLabel* lblTitle1 = nullptr;
    QComboBox* cmbBrowse = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void MakeControls();
    void Connect();
    void SetTexts();
    // Ticks or clears a box; a change runs its click handler, as a user's click does.
    void SetBox(QCheckBox* box, int index, bool ticked);
    // Selects an option; a change runs the page switch.
    void SelectOption(int index, bool selected);
    void EnableCommands(bool enabled);
    bool SampledAsInterval();
    void RefreshGraphIfShown();
    void Print();
    // The record's text (table page) or the graph's picture on the clipboard; its button is
    // created hidden, so only the program reaches it.
    void CopyToClipboard();
    void Export();

    ViewRecords records_;
    Long types_ = 0;
    QString lastExportFile_;
    int filterIndex_ = 1;  // the file type last chosen in the save dialog
    std::unique_ptr<ReportPrinter> printer_;
    bool laying_ = false;
};

}  // namespace mt52
