#pragma once
// One report while it prints: what to print (the request a caller fills), the settings it prints
// with, the table layout the report bodies share (column boundaries and alignment codes), and the
// print graph. Made for one report and dropped after it; it owns nothing it is given.
#include "graph/ZelGraph.h"
#include "platform/FontSpec.h"
#include "platform/RuntimeError.h"
#include "platform/Types.h"

#include <QString>
#include <array>
#include <memory>

namespace mt52 {

class GridModel;
class clsAlarm;
class clsInterval;
class clsSnapShot;

// The report kinds: the record kinds of Log_Head.Types, and 4 for the last-calibration list.
namespace ReportKind {
enum : Long {
    IntervalTrend = 1,
    AlarmTrend = 2,
    CalibrationHistory = 3,
    LastCalibration = 4,
    AlarmEvent = 5,
    TroubleEvent = 6,
    PowerEvent = 7,
    SensorHistory = 8,
    BarHole = 9,
    BumpTest = 10,
    SnapShot = 11,
};
}

// What a caller asks to print. The records and tables stay the caller's; they must be loaded and
// filled, and must outlive the print.
struct ReportRequest {
    Long kind = 0;        // the ReportKind
    bool graph = false;   // the graph page of a trend record (kinds 1, 2 and 9) instead of its table
    Long seqNo = 0;       // the record's Log_Head.SeqNo, for the bodies that load their record
    clsInterval* interval = nullptr;      // kinds 1 and 9
    clsAlarm* alarm = nullptr;            // kind 2
    clsSnapShot* snapshot = nullptr;      // kind 11
    const GridModel* recordTable = nullptr;      // the calling window's record table (kinds 1, 2, 11)
    const GridModel* calHistoryTable = nullptr;  // the calibration-history list (kind 4)
};

// The settings a report prints with, taken from the program's settings by the caller.
struct ReportOptions {
    QString modelName = QStringLiteral("MT-52");
    // The report window's own font (the platform's default for a window, not the program's common
    // font): the page header prints in its name, the last-calibration list scales its size.
    FontSpec font;
    std::array<Long, 5> graphColors{};            // trend colour per gas slot
    std::array<Single, 3> printLineWidths{1, 1, 1};  // curves, scales (and a spare)
    QString databasePath;                         // where the bodies that load their record read
};

// The options as the program's settings hold them now.
ReportOptions CurrentReportOptions();

// Alignment codes of a table column (see PrintTableRow).
namespace CellAlign {
enum : Long {
    Left = 0,
    Center = 1,
    Right = 2,          // ends 20 % of the column width before its right boundary
    NumberRight = 3,    // Right for a number, else Center
    DashesCenter = 4,   // Center for a number or a text holding "---", else Left
};
}

// The record a report body needs; raises 91 naming it when the caller gave none.
template <typename Record>
Record& RequiredRecord(Record* record, const char* what) {
    if (record == nullptr)
        Raise(ErrObjectNotSet, QStringLiteral("The report has no %1 record.").arg(QLatin1String(what)));
    return *record;
}

class ReportForm {
public:
    static constexpr int Columns = 11;

    ReportForm(ReportRequest request, ReportOptions options);
    ReportForm(const ReportForm&) = delete;
    ReportForm& operator=(const ReportForm&) = delete;

    const ReportRequest& Request() const { return request_; }
    const ReportOptions& Options() const { return options_; }

    // The print graph of a graph page; filled by BuildPrintGraph, drawn by PrintGraph.
    ZelGraph& zelPrint() { return *graph_; }

    // Column boundaries (twips) and alignment codes; a body sets the entries it uses, the others
    // keep what an earlier body left.
    std::array<Single, Columns> ColumnX{};
    std::array<Long, Columns> ColumnAlign{};

    // Sets boundaries 0.. from fractions of the target's width.
    template <std::size_t N>
    void SetColumns(double scaleWidth, const std::array<double, N>& fractions) {
        static_assert(N <= Columns);
        for (std::size_t i = 0; i < N; ++i)
            ColumnX[i] = static_cast<Single>(scaleWidth * fractions[i]);
    }
    void AlignAll(Long code) { ColumnAlign.fill(code); }

private:
    ReportRequest request_;
    ReportOptions options_;
    std::unique_ptr<ZelGraph> graph_;
};

}  // namespace mt52
