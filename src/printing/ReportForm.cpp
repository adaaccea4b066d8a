#include "printing/ReportForm.h"

#include "common/ModuleState.h"

namespace mt52 {

ReportOptions CurrentReportOptions() {
    const ModuleState& s = State();
    ReportOptions o;
    if (!s.InstrumentModelName.isEmpty())
        o.modelName = s.InstrumentModelName;
    o.graphColors = s.GraphColors;
    o.printLineWidths = s.PrintLineWidths;
    o.databasePath = s.DatabasePath;
    return o;
}

ReportForm::ReportForm(ReportRequest request, ReportOptions options)
    : request_(request), options_(std::move(options)), graph_(std::make_unique<ZelGraph>()) {}

}  // namespace mt52
