#include "printing/RecordSummaryReport.h"

#include "common/GasFormats.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/OleDate.h"
#include "printing/ReportPageLayout.h"
#include "records/clsAlarm.h"
#include "records/clsInterval.h"
#include "records/clsSnapShot.h"

#include <array>

namespace mt52 {

namespace {

constexpr std::array<double, 6> SummaryColumns{0.02, 0.25, 0.40, 0.55, 0.70, 0.85};
const QString Dashes = QStringLiteral("-----");
const QString Stars = QStringLiteral("*****");

// The fields of one gas slot of a record, read as the summary needs them.
class GasSlotFields {
public:
    GasSlotFields(const RecordFrame& record, Integer slot) : record_(record), slot_(slot) {}

    bool Enabled() const { return record_.GasListInfo(slot_, GasInfoField::Enable).toBool(); }
    Single Value(Long field) const { return record_.GasListInfo(slot_, field).toSingle(); }
    Integer Point() const { return record_.GasListInfo(slot_, GasInfoField::Point).toInteger(); }
    QString Unit() const { return record_.GasListInfo(slot_, GasInfoField::Unit).toString(); }
    Date When(Long field) const { return record_.GasListInfo(slot_, field).toDate(); }

    // A reading with its range check and unit; "-----" for a disabled slot. The value, decimals
    // and full scale are read (and so must be numbers) whether the slot is enabled or not.
    QString Reading(Long field) const {
        const Single value = Value(field);
        const Integer point = Point();
        const Single full = Value(GasInfoField::Full);
        return WithUnit(Enabled() ? FormatReading(FormatTrendCell(value, point), full) : Dashes, Unit());
    }
    // The same without the enable test.
    QString ReadingAlways(Long field) const {
        return WithUnit(FormatReading(FormatTrendCell(Value(field), Point()), Value(GasInfoField::Full)), Unit());
    }
    QString PeakTime() const { return FormatEventDate(Value(GasInfoField::Max), When(GasInfoField::MaxDate)); }

private:
    const RecordFrame& record_;
    Integer slot_;
};

QString Text(int id) { return GetResText(id); }

QString DateText(const RecordFrame& record, Long field) { return GeneralDate(record.GasBaseInfo(field).toDate()); }

void Row(PrintTarget& target, const ReportForm& form, const QString& label, const QString& value) {
    PrintTableRow(target, form, {label, value});
}

void IdentityLines(PrintTarget& target, const ReportForm& form, const RecordFrame& record) {
    Row(target, form, Text(5608), record.GasBaseInfo(LogHeaderField::SerialNo).toString());
    Row(target, form, Text(5609), record.GasBaseInfo(LogHeaderField::StationID).toString());
    Row(target, form, Text(5610), record.GasBaseInfo(LogHeaderField::UserID).toString());
}

void IntervalProperties(PrintTarget& target, const ReportForm& form, const clsInterval& record, bool barHole) {
    Row(target, form, Text(5606), record.GasBaseInfo(LogHeaderField::Names).toString());
    QString time = DateText(record, LogHeaderField::Dates) + Text(5676);
    if (record.GasBaseInfo(LogHeaderField::Last).toDate() != InvalidDateMark)
        time += DateText(record, LogHeaderField::Last);
    Row(target, form, Text(5607), time);
    IdentityLines(target, form, record);
    if (barHole)
        Row(target, form, Dashes, Dashes);
    else
        Row(target, form, Text(5611), QString::number(record.DataCount() + record.EventCount()));
    Row(target, form, Text(5612), record.GasBaseInfo(LogHeaderField::Interval).toString());
}

void AlarmProperties(PrintTarget& target, const ReportForm& form, const clsAlarm& record) {
    Row(target, form, Text(5606), record.GasBaseInfo(LogHeaderField::Names).toString());
    const bool sampling = record.GasBaseInfo(LogHeaderField::Sampling).toLong() == 2;
    Row(target, form, Text(sampling ? 5607 : 5616), DateText(record, LogHeaderField::Dates));
    IdentityLines(target, form, record);
    Row(target, form, Text(5611), QString::number(record.DataCount()));
    Row(target, form, Text(5612), record.GasBaseInfo(LogHeaderField::Interval).toString());
}

void SnapShotProperties(PrintTarget& target, const ReportForm& form, const clsSnapShot& record) {
    Row(target, form, Text(5606), record.GasBaseInfo(LogHeaderField::Names).toString());
    Row(target, form, Text(5607), DateText(record, LogHeaderField::Dates));
    IdentityLines(target, form, record);
}

void GasRow(PrintTarget& target, const ReportForm& form, int label, const QString& first, const QString& second) {
    PrintTableRow(target, form, {Text(label), first, second});
}

void IntervalGasTable(PrintTarget& target, const ReportForm& form, const clsInterval& record) {
    const GasSlotFields gas0(record, 0);
    const GasSlotFields gas1(record, 1);
    const GasSlotFields gas4(record, 4);
    // The first column shows the vol% slot when the %LEL slot is off and it is on.
    const Integer first = !gas0.Enabled() && gas4.Enabled() ? 4 : 0;
    const GasSlotFields gasF(record, first);
    // Its peak is the vol% slot's whenever that slot recorded one, or the %LEL slot is off.
    const bool peakOfVol = !gas0.Enabled() || (gas4.Enabled() && gas4.Value(GasInfoField::Max) > 0);
    const QString peak = peakOfVol ? gas4.ReadingAlways(GasInfoField::Max) : gas0.Reading(GasInfoField::Max);
    const QString peakTime = peakOfVol ? gas4.PeakTime() : (gas0.Enabled() ? gas0.PeakTime() : Dashes);

    GasRow(target, form, 5750, GasCaptionOf(record, first), GasCaptionOf(record, 1));
    GasRow(target, form, 5613, gasF.Reading(GasInfoField::Avr), gas1.Reading(GasInfoField::Avr));
    GasRow(target, form, 5614, peak, gas1.Reading(GasInfoField::Max));
    GasRow(target, form, 5663, peakTime, gas1.Enabled() ? gas1.PeakTime() : Dashes);
    const QString min1 = gas1.Enabled() ? FormatTrendCell(gas1.Value(GasInfoField::Min), gas1.Point()) : Dashes;
    GasRow(target, form, 5615, Stars, WithUnit(min1, gas1.Unit()));
    GasRow(target, form, 5664, Stars,
           gas1.Enabled() ? FormatEventDate2(gas1.Value(GasInfoField::Min), gas1.When(GasInfoField::MinDate)) : Dashes);
    GasRow(target, form, 5642, gas0.Reading(GasInfoField::Warning), gas1.Reading(GasInfoField::Warning));
    GasRow(target, form, 5643, gas0.Reading(GasInfoField::Alarm), gas1.Reading(GasInfoField::Alarm));
}

void AlarmGasTable(PrintTarget& target, const ReportForm& form, const clsAlarm& record) {
    const GasSlotFields gas0(record, 0);
    const GasSlotFields gas1(record, 1);
    GasRow(target, form, 5750, GasCaptionOf(record, 0), GasCaptionOf(record, 1));
    GasRow(target, form, 5642, gas0.Reading(GasInfoField::Warning), gas1.Reading(GasInfoField::Warning));
    GasRow(target, form, 5643, gas0.Reading(GasInfoField::Alarm), gas1.Reading(GasInfoField::Alarm));
}

}  // namespace

void PrintRecordSummary(PrintTarget& target, ReportForm& form) {
    form.SetColumns(target.ScaleWidth(), SummaryColumns);
    form.ColumnX[6] = static_cast<Single>(target.ScaleWidth());
    form.AlignAll(CellAlign::Left);
    target.ForeColor = 0;
    target.CurrentY = target.ScaleHeight() / 20;

    const ReportRequest& request = form.Request();
    const Long kind = request.kind;
    const bool intervalBranch = kind == ReportKind::IntervalTrend || kind == ReportKind::BarHole;
    const bool snapshotBranch = kind == ReportKind::SnapShot;
    // Check the record before anything is printed.
    const clsInterval* interval = intervalBranch ? &RequiredRecord(request.interval, "interval-trend") : nullptr;
    const clsSnapShot* snapshot = snapshotBranch ? &RequiredRecord(request.snapshot, "snapshot") : nullptr;
    const clsAlarm* alarm = !intervalBranch && !snapshotBranch ? &RequiredRecord(request.alarm, "alarm-trend") : nullptr;

    PrintTableRow(target, form, {Text(5604), Text(5605)});
    PrintRule(target);
    PrintBlankLine(target, form);
    if (interval != nullptr)
        IntervalProperties(target, form, *interval, kind == ReportKind::BarHole);
    else if (snapshot != nullptr)
        SnapShotProperties(target, form, *snapshot);
    else
        AlarmProperties(target, form, *alarm);
    PrintRule(target);

    if (snapshot == nullptr) {
        form.AlignAll(CellAlign::Center);
        form.ColumnAlign[0] = CellAlign::Left;
        PrintBlankLine(target, form);
        if (interval != nullptr)
            IntervalGasTable(target, form, *interval);
        else
            AlarmGasTable(target, form, *alarm);
    }
    PrintRule(target, 4);
}

}  // namespace mt52
