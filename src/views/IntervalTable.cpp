#include "views/IntervalTable.h"

#include "common/GasFormats.h"
#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/GridModel.h"
#include "platform/Numbers.h"
#include "records/clsInterval.h"
#include "views/RecordTables.h"
#include "views/SampleTextParts.h"
#include "views/TableCells.h"

#include <algorithm>
#include <array>

namespace mt52 {

bool fix001(Single code, Long sampleRows) {
    constexpr Single EndingFailures[] = {-150, -151, -153, -154, -155, -156, -157};
    for (const Single failure : EndingFailures)
        if (code == failure)
            return false;
    constexpr Single SensorFailure = -132;
    if (code == SensorFailure)
        return sampleRows == 0;
    return true;
}

namespace {

constexpr int TableCols = 6;
constexpr int FirstGasCol = 2;
constexpr int ShownGasSlots = 4;  // slots 0 to 3 have a column; slot 4 stands in the first
constexpr Integer VolSlot = 4;
constexpr int SummaryPeriodRow = 2;
constexpr int SummaryCountRow = 6;
constexpr int NoFullAlignmentAbove = 5400;

const QString NoValue = QStringLiteral("-----");

bool IsUnitCode(Single code) {
    return code == ReadingCode::UnitLel || code == ReadingCode::UnitPpm || code == ReadingCode::UnitVol;
}

// A code of the kind an event row shows as a word: anything below the no-data code.
bool IsEventCode(Single code) { return code < ReadingCode::NoData; }

// Gas states and sensor failures can share the first gas column with an event already there.
bool JoinsEventText(Single code) {
    const ReadingCodeInfo* info = FindReadingCode(code);
    return info && (info->Category == CellCategories::GasState || info->Category == CellCategories::FailureFirst);
}

// One build of the table: the working values of the walk over samples and events.
class IntervalListing {
public:
    IntervalListing(clsInterval& record, GridModel& table, const RecordTableOptions& options)
        : record_(record), table_(table), options_(options), gases_(ReadSampleSlots(record)) {}

    // Walks the record in time order; true when an item after an ending event stopped it.
    bool Run() {
        record_.getOrder(0);
        for (Long k = record_.getOrder(); k != 0; k = record_.getOrder()) {
            const bool listed = k > 0 ? Sample(k - 1) : Event(-k - 1);
            if (!listed)
                return true;
        }
        return false;
    }

    int HiddenEvents() const { return hiddenEvents_; }
    const Date& EndTime() const { return endTime_; }

private:
    const SampleSlot& Slot(Integer slot) const { return gases_[static_cast<std::size_t>(slot)]; }
    bool AfterEnd(const Date& time) const { return endTime_.secondsTo(time) > 0; }
    int CurrentRow() const { return rowCount_ + 1; }

    // False when the sample lies after the end of the listing.
    bool Sample(Long index) {
        if (options_.eventOnly)
            return true;
        const Date time = record_.DateTimes(index);
        if (AfterEnd(time))
            return false;
        MakeRoomForRow();
        const Integer firstSlot = unitCode_ == ReadingCode::UnitLel ? 0 : VolSlot;
        const int row = CurrentRow();
        // Each cell's text is made in one string (no per-cell temporaries): a long trend has
        // hundreds of thousands of them.
        table_.SetTextMatrix(row, 0, QString::number(row));
        table_.SetTextMatrix(row, 1, GeneralDate(time));
        for (int c = 0; c < ShownGasSlots; ++c) {
            const Integer slot = c == 0 ? firstSlot : Integer(c);
            const Single value = record_.GasValue(slot, index).toSingle();
            QString text;
            text.reserve(24);
            if (AppendReadingText(text, value, Slot(slot).decimals, Slot(slot).full))
                text += UnitText(c);
            table_.SetTextMatrix(row, FirstGasCol + c, text);
        }
        ++rowCount_;
        ++sampleRows_;
        return true;
    }

    // The unit after a numeric reading of gas column c (0 to 3). The first gas in vol% takes its
    // unit from the vol% slot; every other cell from its own slot, by the unit the events last
    // set. The suffix does not depend on the reading (no alternative text is given), so it is
    // made once for each unit the events set.
    const QString& UnitText(int c) {
        if (unitTextsFor_ != unitCode_) {
            for (int col = 0; col < ShownGasSlots; ++col) {
                const bool vol = col == 0 && unitCode_ == ReadingCode::UnitVol;
                const SampleSlot& unitSlot = Slot(vol ? VolSlot : Integer(col));
                unitTexts_[static_cast<std::size_t>(col)] =
                    UnitSuffix(vol ? ReadingCode::UnitVol : unitCode_, unitSlot.ratio, 0, unitSlot.full, QString(),
                               unitSlot.unit);
            }
            unitTextsFor_ = unitCode_;
        }
        return unitTexts_[static_cast<std::size_t>(c)];
    }

    // False when the event lies after the end of the listing.
    bool Event(Long index) {
        const Date time = record_.EventDateTimes(index);
        if (AfterEnd(time))
            return false;
        MakeRoomForRow();
        std::array<Single, ShownGasSlots + 1> codes{};
        bool unitChange = false;
        bool realEvent = false;
        for (Integer slot = 0; slot <= VolSlot; ++slot) {
            const Single code = record_.GasEvent(slot, index).toSingle();
            codes[static_cast<std::size_t>(slot)] = code;
            if (IsUnitCode(code) && slot < VolSlot) {
                unitCode_ = static_cast<Integer>(code);
                if (!options_.debugMode)
                    unitChange = true;
            } else if (IsEventCode(code) && !IsUnitCode(code)) {
                realEvent = true;
            }
        }
        if (unitChange && !realEvent) {
            ++hiddenEvents_;
            return true;
        }
        const int row = CurrentRow();
        table_.SetTextMatrix(row, 0, QString::number(row));
        table_.SetTextMatrix(row, 1, GeneralDate(time));
        for (Integer slot = 0; slot < ShownGasSlots; ++slot) {
            const Single code = codes[static_cast<std::size_t>(slot)];
            const int col = FirstGasCol + slot;
            if (IsUnitCode(code) && !options_.debugMode) {
                table_.SetTextMatrix(row, col, NoValue);
            } else {
                if (IsEventCode(code))
                    Colour(row, col, code);
                table_.SetTextMatrix(row, col, FormatTrendCell(code, Slot(slot).decimals));
            }
            EndAt(code, time);
        }
        VolSlotEvent(row, codes[0], codes[VolSlot], time);
        ++rowCount_;
        return true;
    }

    // An event of slot 4 (the first gas in vol%) has no column of its own: it shows in the
    // first gas column with its unit in "<>"; where that column shows an event already, a gas
    // state or sensor failure of slot 4 follows it after "/" and any other event is left out.
    void VolSlotEvent(int row, Single firstCode, Single code, const Date& time) {
        if (!IsEventCode(code) || IsUnitCode(code))
            return;
        const QString text =
            FormatTrendCell(code, Slot(VolSlot).decimals) + QStringLiteral(" <") + Slot(VolSlot).unit + QLatin1Char('>');
        const bool cellHoldsEvent = IsEventCode(firstCode) && !(IsUnitCode(firstCode) && !options_.debugMode);
        if (!cellHoldsEvent) {
            Colour(row, FirstGasCol, code);
            table_.SetTextMatrix(row, FirstGasCol, text);
        } else if (JoinsEventText(code)) {
            table_.SetTextMatrix(row, FirstGasCol, table_.TextMatrix(row, FirstGasCol) + QLatin1Char('/') + text);
        }
        EndAt(code, time);
    }

    // The table grows to hold every item at once the first time it must grow, not row by row.
    void MakeRoomForRow() {
        if (table_.Rows() >= rowCount_ + 2)
            return;
        const Long items = (options_.eventOnly ? 0 : record_.DataCount()) + record_.EventCount();
        table_.SetRows(static_cast<int>(std::max<Long>(items + 1, rowCount_ + 2)));
    }

    void Colour(int row, int col, Single code) {
        const Long current = table_.CellBackColor(row, col);
        const auto colour = options_.trendSearch ? TrendSearchStatusColor : StatusColor;
        table_.SetCellBackColor(row, col, colour(static_cast<Long>(code), current != 0));
    }

    void EndAt(Single code, const Date& time) {
        if (!fix001(code, sampleRows_))
            endTime_ = time;
    }

    clsInterval& record_;
    GridModel& table_;
    const RecordTableOptions& options_;
    const SampleSlots gases_;
    int rowCount_ = 0;
    int sampleRows_ = 0;
    int hiddenEvents_ = 0;
    Integer unitCode_ = ReadingCode::UnitLel;
    Integer unitTextsFor_ = 0;  // the unit code unitTexts_ were made for; 0 before the first
    std::array<QString, ShownGasSlots> unitTexts_;
    Date endTime_ = *Date::FromParts(2099, 1, 1);
};

}  // namespace

void FillIntervalTable(clsInterval& record, GridModel& table, GridModel& summary, const RecordTableOptions& options) {
    PrepareTable(table, TableCols, 1);
    // The data view hides the third and fourth gas and merges their columns; the trend-search
    // window shows them, unmerged.
    if (!options.trendSearch) {
        table.SetColHidden(4, true);
        table.SetColHidden(5, true);
        table.SetMergeCol(4, true);
        table.SetMergeCol(5, true);
    }
    const Integer firstSlot = options.firstGasSlot == VolSlot ? VolSlot : Integer(0);
    SetGridRow(table, 0, 0, false,
               {GetResText(5620), GetResText(5621), GasCaptionOf(record, firstSlot), GasCaptionOf(record, 1),
                GasCaptionOf(record, 2), GasCaptionOf(record, 3)});

    IntervalListing listing(record, table, options);
    const bool stoppedEarly = listing.Run();

    const Date last = record.GasBaseInfo(LogHeaderField::Last).toDate();
    if (stoppedEarly && last != InvalidDateMark && summary.Rows() > SummaryPeriodRow && summary.Cols() > 1) {
        const Date start = record.GasBaseInfo(LogHeaderField::Dates).toDate();
        SetGridRow(summary, SummaryPeriodRow, 0, true,
                   {GetResText(5607), GeneralDate(start) + GetResText(5676) + GeneralDate(listing.EndTime())});
    }
    const Long events = record.EventCount() - listing.HiddenEvents();
    if (summary.Rows() > SummaryCountRow && summary.Cols() > 1)
        SetGridRow(summary, SummaryCountRow, 0, true, {GetResText(5611), Long(record.DataCount() + events)});

    table.SetRows(static_cast<int>((options.eventOnly ? 0 : record.DataCount()) + events + 1));
    AlignTrendColumns(table);
    if (table.Rows() <= NoFullAlignmentAbove || options.condensed) {
        // Status words stand at the left of their coloured cells.
        for (int row = 1; row < table.Rows(); ++row)
            for (int col = 0; col < table.Cols(); ++col)
                if (table.CellBackColor(row, col) != 0)
                    table.SetCellAlignment(row, col, AlignLeftCenter);
    }
}

}  // namespace mt52
