#pragma once
// The trend search from the main data view: the mouse handlers of its record table and graph.
// A click on an alarm event of an interval trend (a coloured "WARNING", "ALARM" or "OVER" cell
// of the table, or such a mark of the graph while the Event box is ticked) looks for the alarm
// trend the instrument recorded around that moment and shows it in the trend-search window;
// while the pointer rests on such an event it shows the trend icon. The data view holds one.
#include "platform/OleDate.h"
#include "platform/Types.h"
#include "views/gui/DataView.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

namespace mt52 {

class frmIntermittence;

// What the handlers read of the data view: the shown record's kind and key and its serial number.
struct TrendSearchSource {
    std::function<Long()> viewLogType;
    std::function<Long()> viewSeqNo;
    std::function<QString()> serialNo;
};

class TrendSearchClicks final : public QObject {
public:
    TrendSearchClicks(const DataViewControls& controls, TrendSearchSource source, QObject* parent = nullptr);
    ~TrendSearchClicks() override;

    // The handlers; positions in the graph's drawing units, cells by row and column.
    void GraphMouseDown(double x, double y);
    void GraphMouseMove(double x, double y);
    void TableMouseDown(int button, int row, int col);
    void TableMouseMove(int row, int col);

    // Shows the trend-search window modally for the record handed over in the module state and
    // returns when it is closed. By default the window below; tests put their own in its place.
    void SetWindowOpener(std::function<void()> opener) { opener_ = std::move(opener); }
    // The trend-search window, made on first use and kept with its members for the whole run.
    frmIntermittence& Window();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Place { Graph, Table };
    // Looks for the alarm trend of the event and shows it; the pointer of `place` is the
    // hourglass meanwhile and the default afterwards. Database failures are told to the user.
    void Search(const Date& eventTime, Place place);
    void SetPointer(Place place, int pointer);

    DataViewControls c_;
    TrendSearchSource source_;
    std::function<void()> opener_;
    // Owned by the main window when there is one (Qt parent), else by this object.
    QPointer<frmIntermittence> window_;
};

}  // namespace mt52
