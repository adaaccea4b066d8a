#include "browser/gui/CalHistoryBrowser.h"

#include "browser/CalHistoryList.h"
#include "browser/RecordDeletion.h"
#include "browser/gui/frmPassword.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"
#include "platform/UserDialogs.h"
#include "platform/gui/GridView.h"
#include "printing/gui/ReportPrinter.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace mt52 {

CalHistoryBrowser::CalHistoryBrowser(CalHistoryControls controls, CalHistoryServices services, QObject* parent)
    : QObject(parent), c_(controls), s_(std::move(services)) {
    if (c_.vfgHistory) {
        // A drag never selects more than the current row.
        c_.vfgHistory->setSelectionMode(QAbstractItemView::SingleSelection);
        c_.vfgHistory->setSelectionBehavior(QAbstractItemView::SelectRows);
        c_.vfgHistory->viewport()->installEventFilter(this);
    }
    if (c_.mnuHistDel)
        connect(c_.mnuHistDel, &QAction::triggered, this, [this] { mnuHistDel_Click(); });
    if (c_.cmdLastCal)
        connect(c_.cmdLastCal, &QPushButton::clicked, this, [this] { cmdLastCal_Click(); });
}

int CalHistoryBrowser::Layout() const {
    for (int i = 0; i < 3; ++i)
        if (c_.optHistory[static_cast<std::size_t>(i)] && c_.optHistory[static_cast<std::size_t>(i)]->isChecked())
            return i;
    return -1;
}

bool CalHistoryBrowser::ShowCalHistoryList() {
    if (!c_.vfgHistory || Layout() < 0)
        return false;
    Database db(State().DatabasePath);
    const bool found = mt52::ShowCalHistoryList(c_.vfgHistory->Model(), db, Layout(), State().CalDueWarnDays);
    c_.vfgHistory->Refresh();
    return found;
}

void CalHistoryBrowser::optHistory_Click(int index) {
    if (!(s_.FirstActivation && s_.FirstActivation()))
        ShowCalHistoryList();
    if (c_.cmdLastCal)
        c_.cmdLastCal->setEnabled(index == 0 || index == 1);
}

void CalHistoryBrowser::vfgHistory_MouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton)
        return;
    const int layout = Layout();
    if (layout != 0 && layout != 1)
        return;
    if (s_.PopupHistoryMenu)
        s_.PopupHistoryMenu();
    else if (c_.mnuHist)
        c_.mnuHist->popup(QCursor::pos());
}

void CalHistoryBrowser::mnuHistDel_Click() {
    if (!c_.vfgHistory)
        return;
    const GridModel& grid = c_.vfgHistory->Model();
    const int row = grid.Row();
    if (row <= 0 || row >= grid.Rows() || grid.Cols() < 3)
        return;
    State().PasswordPassed = false;
    const bool passed = s_.AskPassword ? s_.AskPassword()
                                       : frmPassword::Ask(State().LockPassword, State().CommonFont, c_.vfgHistory->window());
    State().PasswordPassed = passed;
    if (!passed)
        return;
    const QString serial = grid.TextMatrix(row, 1);
    const QString user = grid.TextMatrix(row, 2);
    if (MsgBox(GetResText(5357, {serial}), vbYesNo | vbInformation, GetResText(5358)) != vbYes)
        return;
    try {
        Database db(State().DatabasePath);
        DeleteLatestHistory(db, serial, user);
    } catch (const RuntimeError& e) {
        MsgBox(GetResText(5381, {e.description()}), vbOKOnly | vbCritical, GetResText(5382));
        return;
    }
    ShowCalHistoryList();
}

void CalHistoryBrowser::cmdLastCal_Click() {
    if (!c_.vfgHistory || c_.vfgHistory->Model().Rows() <= 0)
        return;
    ReportRequest request;
    request.kind = ReportKind::LastCalibration;
    request.calHistoryTable = &c_.vfgHistory->Model();
    if (s_.PrintReport) {
        s_.PrintReport(request);
        return;
    }
    ReportPrinter printer(c_.vfgHistory->window());
    printer.GoPrinter(request);
}

bool CalHistoryBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (c_.vfgHistory && watched == c_.vfgHistory->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        vfgHistory_MouseDown(mouse->button());
        // The right button leaves the current row as it is: Delete acts on that row.
        return mouse->button() == Qt::RightButton;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace mt52
