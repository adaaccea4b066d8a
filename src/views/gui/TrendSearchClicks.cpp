#include "views/gui/TrendSearchClicks.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "graph/gui/uclZelGraph.h"
#include "platform/RuntimeError.h"
#include "platform/UserDialogs.h"
#include "platform/gui/GridView.h"
#include "views/TrendSearch.h"
#include "views/gui/TrendSearchIcons.h"
#include "views/gui/frmIntermittence.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMouseEvent>

#include <cmath>

namespace mt52 {

namespace {

constexpr int DefaultPointer = 0;
constexpr int Hourglass = 11;
constexpr int IconPointer = 99;

// Sets the graph's pointer for the event mark nearest to (x, y), when the Event box is ticked.
TrendEventIcon GraphIconAt(uclZelGraph& graph, double x, double y, Date& eventDate) {
    QString markText;
    graph.Graph().SearchEvent(graph.Graph().xData(x), std::round(y), eventDate, markText);
    return GraphMarkIcon(markText);
}

}  // namespace

TrendSearchClicks::TrendSearchClicks(const DataViewControls& controls, TrendSearchSource source, QObject* parent)
    : QObject(parent), c_(controls), source_(std::move(source)) {
    opener_ = [this] { Window().ShowModal(c_); };
    if (c_.zelGraph != nullptr) {
        connect(c_.zelGraph, &uclZelGraph::MouseDown, this,
                [this](int&, int&, double& x, double& y) { GraphMouseDown(x, y); });
        connect(c_.zelGraph, &uclZelGraph::MouseMove, this,
                [this](int&, int&, double& x, double& y) { GraphMouseMove(x, y); });
    }
    if (c_.vfgBrowse != nullptr) {
        c_.vfgBrowse->viewport()->setMouseTracking(true);
        c_.vfgBrowse->viewport()->installEventFilter(this);
    }
}

TrendSearchClicks::~TrendSearchClicks() {
    if (window_ && window_->parent() == nullptr)
        delete window_.data();
}

frmIntermittence& TrendSearchClicks::Window() {
    if (!window_) {
        QWidget* owner = c_.fraMenu3 != nullptr ? c_.fraMenu3->window() : nullptr;
        window_ = new frmIntermittence(owner);
    }
    return *window_;
}

bool TrendSearchClicks::eventFilter(QObject* watched, QEvent* event) {
    if (c_.vfgBrowse == nullptr || watched != c_.vfgBrowse->viewport())
        return false;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QModelIndex index = c_.vfgBrowse->indexAt(mouse->position().toPoint());
    const int row = index.isValid() ? index.row() : -1;
    const int col = index.isValid() ? index.column() : -1;
    if (event->type() == QEvent::MouseMove) {
        TableMouseMove(row, col);
        return false;
    }
    const int button = mouse->button() == Qt::RightButton ? 2 : mouse->button() == Qt::MiddleButton ? 4 : 1;
    TableMouseDown(button, row, col);
    return false;
}

void TrendSearchClicks::GraphMouseDown(double x, double y) {
    if (!c_.chkBrowse[5]->isChecked()) {
        SetPointer(Place::Graph, DefaultPointer);
        return;
    }
    Date eventDate;
    if (GraphIconAt(*c_.zelGraph, x, y, eventDate) == TrendEventIcon::None)
        return;
    Search(eventDate, Place::Graph);
}

void TrendSearchClicks::GraphMouseMove(double x, double y) {
    TrendEventIcon icon = TrendEventIcon::None;
    if (c_.chkBrowse[5]->isChecked()) {
        Date eventDate;
        icon = GraphIconAt(*c_.zelGraph, x, y, eventDate);
    }
    if (icon == TrendEventIcon::None) {
        c_.zelGraph->MousePointer(DefaultPointer);
        return;
    }
    c_.zelGraph->MouseIcon(TrendIconCursor(icon, TrendIconPlace::Graph));
    c_.zelGraph->MousePointer(IconPointer);
}

void TrendSearchClicks::TableMouseDown(int button, int row, int col) {
    if (button == 2 || row < 0 || col < 0)
        return;
    const GridModel& grid = c_.vfgBrowse->Model();
    if (row >= grid.Rows() || col >= grid.Cols())
        return;
    if (TableCellIcon(source_.viewLogType(), row, col, grid.TextMatrix(row, col), grid.CellBackColor(row, col)) ==
        TrendEventIcon::None)
        return;
    SetPointer(Place::Table, Hourglass);
    const std::optional<Date> eventTime = TableRowDate(grid.TextMatrix(row, 1));
    if (!eventTime) {
        SetPointer(Place::Table, DefaultPointer);
        return;
    }
    Search(*eventTime, Place::Table);
}

void TrendSearchClicks::TableMouseMove(int row, int col) {
    const GridModel& grid = c_.vfgBrowse->Model();
    TrendEventIcon icon = TrendEventIcon::None;
    if (row >= 0 && col >= 0 && row < grid.Rows() && col < grid.Cols())
        icon = TableCellIcon(source_.viewLogType(), row, col, grid.TextMatrix(row, col), grid.CellBackColor(row, col));
    if (icon == TrendEventIcon::None)
        c_.vfgBrowse->viewport()->unsetCursor();
    else
        c_.vfgBrowse->viewport()->setCursor(TrendIconCursor(icon, TrendIconPlace::Table));
}

void TrendSearchClicks::Search(const Date& eventTime, Place place) {
    SetPointer(place, Hourglass);
    Long found = -1;
    try {
        found = FindAlarmTrend(State().DatabasePath, source_.viewSeqNo(), source_.serialNo(), eventTime,
                               State().TrendSearchBefore, State().TrendSearchAfter);
    } catch (const RuntimeError& error) {
        SetPointer(place, DefaultPointer);
        MsgBox(GetResText(5395, {error.description()}), vbCritical, GetResText(5163));
        return;
    }
    if (found < 0) {
        SetPointer(place, DefaultPointer);
        MsgBox(GetResText(5162), vbInformation, GetResText(5163));
        return;
    }
    State().TrendPopupDate = eventTime;
    State().TrendPopupSeqNo = found;
    State().TrendPopupKind = 2;
    try {
        opener_();
    } catch (const RuntimeError& error) {
        SetPointer(place, DefaultPointer);
        MsgBox(GetResText(5395, {error.description()}), vbCritical, GetResText(5163));
        return;
    }
    SetPointer(place, DefaultPointer);
}

void TrendSearchClicks::SetPointer(Place place, int pointer) {
    if (place == Place::Graph) {
        c_.zelGraph->MousePointer(pointer);
        return;
    }
    if (pointer == Hourglass)
        c_.vfgBrowse->viewport()->setCursor(Qt::WaitCursor);
    else
        c_.vfgBrowse->viewport()->unsetCursor();
}

}  // namespace mt52
