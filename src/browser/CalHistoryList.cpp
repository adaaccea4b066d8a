#include "browser/CalHistoryList.h"

#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/GridModel.h"
#include "platform/UserDialogs.h"
#include "records/StoredRow.h"

#include <QDate>
#include <cmath>

namespace mt52 {

namespace {

const QString NoValue = QStringLiteral("-----");

bool DateShown(const Date& date) { return date.value() > 0 && date.year() >= 2000; }

std::optional<Date> DateOf(const Variant& value) {
    if (!value.isDate())
        return std::nullopt;
    return value.toDate();
}

// Remaining days from now to the due moment, to the nearest whole day (halves to even); nullopt
// when the calibration is due.
std::optional<double> RemainingDays(const Date& date, Integer interval, const Date& now) {
    const double due = date.value() + interval;
    if (due < now.value() || date.value() > now.value())
        return std::nullopt;
    return std::nearbyint(due - now.value());
}

Integer IntegerOf(const Variant& value) { return value.isNumeric() ? value.toInteger() : Integer(0); }
Single ReadingOf(const Variant& value) { return value.isNumeric() ? value.toSingle() : Single(ReadingCode::NoData); }

// The due colour of a row's first gas.
Long RowDueColor(const Recordset& rs, Integer warnDays) {
    const auto date = DateOf(StoredValue(rs, QStringLiteral("Gas1CalDate")));
    if (!date)
        return 0;
    return GetCalDueColor(*date, IntegerOf(StoredValue(rs, QStringLiteral("CalLimit"))),
                          BoolOf(StoredValue(rs, QStringLiteral("Gas1Enable"))), Now(), warnDays);
}

std::vector<Variant> Identities(const Recordset& rs, int position) {
    return {Long(position), BlankToDashes(TextOf(StoredValue(rs, QStringLiteral("SerialNo"))), BlankSerialNo),
            BlankToDashes(TextOf(StoredValue(rs, QStringLiteral("UserID"))), BlankUserId),
            BlankToDashes(TextOf(StoredValue(rs, QStringLiteral("StationID"))), BlankStationId)};
}

QString GasDate(const Recordset& rs, int gas) {
    if (!BoolOf(StoredValue(rs, QStringLiteral("Gas%1Enable").arg(gas))))
        return NoValue;
    return FormatCalDate(StoredValue(rs, QStringLiteral("Gas%1CalDate").arg(gas)));
}

std::vector<Variant> DateRow(const Recordset& rs, int position, bool everyGas) {
    std::vector<Variant> values = Identities(rs, position);
    for (int gas = 1; gas <= 5; ++gas)
        values.emplace_back(gas == 1 || everyGas ? GasDate(rs, gas) : QString());
    values.emplace_back(FormatCalDate(StoredValue(rs, QStringLiteral("WriteDates"))));
    return values;
}

std::vector<Variant> RecordRow(const Recordset& rs, int position) {
    std::vector<Variant> values = Identities(rs, position);
    values.emplace_back(TextOf(StoredValue(rs, QStringLiteral("Gas1Name"))));
    if (!BoolOf(StoredValue(rs, QStringLiteral("Gas1Enable")))) {
        for (int i = 0; i < 4; ++i)
            values.emplace_back(NoValue);
        return values;
    }
    const Integer point = IntegerOf(StoredValue(rs, QStringLiteral("Gas1Point")));
    for (const char* column : {"Gas1Before", "Gas1After", "Gas1AutoCal"})
        values.emplace_back(FormatTrendCell(ReadingOf(StoredValue(rs, QLatin1String(column))), point));
    const auto date = DateOf(StoredValue(rs, QStringLiteral("Gas1CalDate")));
    values.emplace_back(date ? CalDueText(*date, IntegerOf(StoredValue(rs, QStringLiteral("CalLimit"))), Now()) : QString());
    return values;
}

}  // namespace

QString FormatCalDate(const Variant& date) {
    const auto value = DateOf(date);
    return value && DateShown(*value) ? GeneralDate(*value) : QString();
}

Long GetCalDueColor(const Date& date, Integer interval, bool enabled, const Date& now, Integer warnDays) {
    if (!DateShown(date) || !enabled)
        return 0;
    const auto remaining = RemainingDays(date, interval, now);
    if (!remaining)
        return CalDueColor;
    return *remaining < warnDays ? CalNearDueColor : 0;
}

QString CalDueText(const Date& date, Integer interval, const Date& now) {
    if (!DateShown(date))
        return QString();
    const auto remaining = RemainingDays(date, interval, now);
    if (!remaining)
        return GetResText(5637);
    return GetResText(5638, {Long(*remaining)});
}

bool ShowCalHistoryList(GridModel& grid, Database& db, int layout, Integer warnDays) {
    // Every fill starts from a clean grid with all its columns shown.
    grid.Clear();
    grid.SetRows(1);
    grid.SetCols(layout == 2 ? 9 : 10);
    for (int col = 0; col < grid.Cols(); ++col)
        grid.SetColHidden(col, false);
    if (layout == 2) {
        grid.SetFormatString(GetResText(5662));
    } else {
        grid.SetColHidden(6, true);
        grid.SetColHidden(7, true);
    }

    Recordset rs = db.query(QStringLiteral("SELECT * FROM cLatestHist ORDER BY WriteDates DESC, SeqNo"));
    if (rs.isEmpty()) {
        MsgBox(GetResText(5352), vbOKOnly | vbCritical, GetResText(5353));
        grid.Refresh();
        return false;
    }
    if (layout == 2) {
        grid.SetRows(3 * rs.recordCount() + 1);
    } else {
        grid.SetFormatString(GetResText(5661, {TextOf(StoredValue(rs, QStringLiteral("Gas1Name")))}));
        grid.SetRows(rs.recordCount() + 1);
    }

    int listed = 0;
    for (int position = 1; !rs.atEnd(); rs.moveNext(), ++position) {
        const Long colour = RowDueColor(rs, warnDays);
        switch (layout) {
        case 0:
            if (colour <= 0)
                break;
            ++listed;
            SetGridRow(grid, listed, 0, false, DateRow(rs, position, true));
            grid.SetCellBackColor(listed, 4, colour);
            break;
        case 1:
            SetGridRow(grid, position, 0, false, DateRow(rs, position, false));
            if (colour > 0)
                grid.SetCellBackColor(position, 4, colour);
            break;
        default: {
            const int row = 3 * (position - 1) + 1;
            SetGridRow(grid, row, 0, false, RecordRow(rs, position));
            if (colour > 0)
                grid.SetCellBackColor(row, 8, colour);
            break;
        }
        }
    }
    if (layout == 0)
        grid.SetRows(listed + 1);
    grid.Refresh();
    return true;
}

}  // namespace mt52
