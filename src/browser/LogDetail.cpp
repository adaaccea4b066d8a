#include "browser/LogDetail.h"

#include "browser/LogNodeKey.h"
#include "common/GasFormats.h"
#include "common/GridRowHelpers.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/Colors.h"
#include "platform/Database.h"
#include "platform/GridModel.h"
#include "platform/VbString.h"
#include "records/StoredRow.h"

#include <optional>
#include <vector>

namespace mt52 {

namespace {

const QString NoValue = QStringLiteral("-----");
const QString NoDate = QStringLiteral("*****");
constexpr Long CaptionShade = RGB(224, 224, 224);

// --- Values of a row, Null-safe ---------------------------------------------------------------

Single SingleOf(const Variant& value, Single none = ReadingCode::NoData) {
    return value.isNumeric() ? value.toSingle() : none;
}
Integer IntegerOf(const Variant& value) { return value.isNumeric() ? value.toInteger() : Integer(0); }
Long LongOf(const Variant& value) { return value.isNumeric() ? value.toLong() : 0; }
QString DateText(const Variant& value) { return value.isDate() ? GeneralDate(value.toDate()) : TextOf(value); }
Date DateOf(const Variant& value) { return value.isDate() ? value.toDate() : InvalidDateMark; }
bool IsNumericText(const QString& text) { return Variant(text).isNumeric(); }

// One row of the header or of a child table, read by column name.
class Row {
public:
    explicit Row(const Recordset& rs) : rs_(rs) {}
    // A date or Yes/No column holding a damaged text raises the conversion error with its name.
    Variant operator()(const QString& column) const {
        return rs_.hasField(column) ? StoredValue(rs_, column) : Variant::Null();
    }
    Variant Gas(int group, const char* field) const { return (*this)(QStringLiteral("Gas%1%2").arg(group).arg(QLatin1String(field))); }

private:
    const Recordset& rs_;
};

// The gas caption of a column group of a header row.
QString GasCaptionOf(const Row& row, int group) {
    return GasCaption(TextOf(row.Gas(group, "Name")), TextOf(row.Gas(group, "Unit")), SingleOf(row.Gas(group, "Full")),
                      IntegerOf(row.Gas(group, "Point")));
}

// A reading checked against the group's full scale, or "-----" for a disabled gas.
QString ReadingOf(const Row& row, int group, const char* field, bool enabled) {
    if (!enabled)
        return NoValue;
    return FormatReading(FormatTrendCell(SingleOf(row.Gas(group, field)), IntegerOf(row.Gas(group, "Point"))),
                         SingleOf(row.Gas(group, "Full")));
}

QString LevelOf(const Row& row, int group, const char* field, bool enabled) {
    return enabled ? FormatTrendCell(SingleOf(row.Gas(group, field)), IntegerOf(row.Gas(group, "Point"))) : NoValue;
}

QString WithUnit(const QString& text, const QString& unit) {
    return IsNumericText(text) ? text + u' ' + unit : text;
}

// --- Grid helpers -------------------------------------------------------------------------------

void Write(GridModel& grid, int row, bool fill, const QStringList& texts) {
    std::vector<Variant> values(texts.begin(), texts.end());
    SetGridRow(grid, row, 0, fill, values);
}

// Shape of a fill: columns, rows, merging by rows, nothing hidden or merged yet.
void Shape(GridModel& grid, int cols, int rows) {
    grid.SetCols(cols);
    grid.SetRows(rows);
    grid.SetMergeCells(MergeRestrictRows);
    grid.SetMergeRow(-1, false);
    for (int col = 0; col < cols; ++col)
        grid.SetColHidden(col, false);
}

// The caption row of a property table: "Property" and "Value" over the value columns.
void PropertyCaption(GridModel& grid) {
    QStringList texts{GetResText(5604)};
    for (int col = 1; col < grid.Cols(); ++col)
        texts << GetResText(5605);
    Write(grid, 0, false, texts);
    grid.SetMergeRow(0, true);
}

// The look of a property table: light grey gas captions in `shadeRow`, labels left, the caption
// row and the per-gas block centred; the single-value rows before the block merge.
void FormatPropertyTable(GridModel& grid, int shadeRow) {
    const int last = grid.Cols() - 1;
    for (int col = 1; col <= last; ++col) {
        grid.SetColAlignment(col, AlignLeftCenter);
        grid.SetCellBackColor(shadeRow, col, CaptionShade);
    }
    grid.SetColAlignment(-1, AlignLeftCenter);
    grid.SetCellAlignment({0, 0, 0, last}, AlignCenterCenter);
    grid.SetCellAlignment({shadeRow, 1, grid.Rows() - 1, last}, AlignCenterCenter);
    for (int row = 1; row < grid.Rows(); ++row)
        grid.SetMergeRow(row, row < shadeRow);
}

// The caption row centred, no row merging.
void FormatList(GridModel& grid) {
    grid.SetCellAlignment({0, 0, 0, grid.Cols() - 1}, AlignCenterCenter);
    grid.SetMergeRow(-1, false);
}

std::optional<Recordset> Header(Database& db, std::optional<Long> seqNo) {
    if (!seqNo)
        return std::nullopt;
    Recordset rs = db.query(QStringLiteral("SELECT * FROM Log_Head WHERE SeqNo = ?"), {*seqNo});
    if (rs.isEmpty())
        return std::nullopt;
    return rs;
}

// The start of a trend's property table: five columns of which the last two are hidden, the
// caption row, and the record's Log_Head row (nothing when there is none).
std::optional<Recordset> TrendTableHeader(GridModel& grid, Database& db, std::optional<Long> seqNo, int rows) {
    Shape(grid, 5, rows);
    grid.SetColHidden(3, true);
    grid.SetColHidden(4, true);
    PropertyCaption(grid);
    return Header(db, seqNo);
}

Recordset Children(Database& db, const QString& table, Long relNo) {
    if (!db.hasTable(table))
        return Recordset();
    return db.query(QStringLiteral("SELECT * FROM %1 WHERE RelNo = ? ORDER BY Dates DESC, SeqNo").arg(table), {relNo});
}

QStringList Identity(const Row& row) {
    return {BlankToDashes(TextOf(row(QStringLiteral("SerialNo"))), BlankSerialNo),
            BlankToDashes(TextOf(row(QStringLiteral("StationID"))), BlankStationId),
            BlankToDashes(TextOf(row(QStringLiteral("UserID"))), BlankUserId)};
}

// Rows 3 to 5 of the property tables.
void WriteIdentity(GridModel& grid, const Row& row) {
    const QStringList ids = Identity(row);
    Write(grid, 3, true, {GetResText(5608), ids[0]});
    Write(grid, 4, true, {GetResText(5609), ids[1]});
    Write(grid, 5, true, {GetResText(5610), ids[2]});
}

// --- Folders and the empty state ----------------------------------------------------------------

void FolderTable(GridModel& grid) {
    Shape(grid, 2, 2);
    Write(grid, 0, false, {GetResText(5604), GetResText(5605)});
    Write(grid, 1, false, {GetResText(5622), GetResText(5623)});
    grid.SetColAlignment(-1, AlignLeftCenter);
    grid.SetCellAlignment({0, 0, 0, 1}, AlignCenterCenter);
}

// --- Snapshot -------------------------------------------------------------------------------------

void SnapShotDetail(GridModel& grid, Database& db, std::optional<Long> seqNo) {
    Shape(grid, 2, 8);
    PropertyCaption(grid);
    if (const auto header = Header(db, seqNo)) {
        const Row head(*header);
        Write(grid, 1, true, {GetResText(5606), TextOf(head(QStringLiteral("Names")))});
        Write(grid, 2, true, {GetResText(5607), DateText(head(QStringLiteral("Dates")))});
        WriteIdentity(grid, head);
        const bool enabled = BoolOf(head(QStringLiteral("Gas1Enable")));

        const Recordset snapshots = Children(db, QStringLiteral("SnapShot"), *seqNo);
        if (!snapshots.isEmpty()) {
            const Row snap(snapshots);
            const Variant value = snap(QStringLiteral("Gas1val"));
            const QString unit = Trim(TextOf(snap(QStringLiteral("Unit"))));
            QString caption;
            QString reading;
            if (value.isNumeric() && value.toSingle() == ReadingCode::NoData) {
                // No reading in the text columns: the first gas's own columns describe it.
                caption = GasCaptionOf(snap, 1);
                reading = ReadingOf(snap, 1, "val", enabled);
            } else {
                caption = Trim(TextOf(snap(QStringLiteral("GasName")))) + u'(' +
                          Trim(TextOf(snap(QStringLiteral("FullScale")))) + unit + u')';
                const Single code = SingleOf(value, 0);
                if (code == ReadingCode::MarkFEFE)
                    reading = NoValue;
                else if (code == ReadingCode::MarkDDDD)
                    reading = NoDate;
                else
                    reading = Trim(TextOf(snap(QStringLiteral("Gasval")))) + unit;
            }
            Write(grid, 6, false, {GetResText(5750), caption});
            Write(grid, 7, false, {GetResText(5680), InstGlyphToText(reading)});
        }
    }
    FormatPropertyTable(grid, 6);
}

// --- Alarm trend ----------------------------------------------------------------------------------

void AlarmTrendDetail(GridModel& grid, Database& db, std::optional<Long> seqNo, const AlarmTimeJudge& judge) {
    AlarmTimeReadings readings;
    readings.fill(ReadingCode::NoData);
    if (seqNo && judge)
        readings = judge(*seqNo);
    const auto header = TrendTableHeader(grid, db, seqNo, 12);
    if (!header)
        return;
    const Row head(*header);
    Write(grid, 1, true, {GetResText(5606), TextOf(head(QStringLiteral("Names")))});
    Write(grid, 2, true, {GetResText(5616), DateText(head(QStringLiteral("Dates")))});
    WriteIdentity(grid, head);
    Write(grid, 6, true, {GetResText(5611), TextOf(head(QStringLiteral("Dcount")))});
    Write(grid, 7, true, {GetResText(5612), TextOf(head(QStringLiteral("Interval")))});

    QStringList captions{GetResText(5750)}, values{GetResText(5605)}, warnings{GetResText(5642)},
        alarms{GetResText(5643)};
    for (int gas = 1; gas <= 4; ++gas) {
        const bool enabled = BoolOf(head.Gas(gas, "Enable"));
        const Integer point = IntegerOf(head.Gas(gas, "Point"));
        const QString unit = TextOf(head.Gas(gas, "Unit"));
        captions << GasCaptionOf(head, gas);
        values << WithUnit(enabled ? FormatReading(FormatTrendCell(readings[static_cast<std::size_t>(gas - 1)], point),
                                                   SingleOf(head.Gas(gas, "Full")))
                                   : NoValue,
                           unit);
        warnings << WithUnit(LevelOf(head, gas, "Warning", enabled), unit);
        alarms << WithUnit(LevelOf(head, gas, "Alarm", enabled), unit);
    }
    Write(grid, 8, false, captions);
    Write(grid, 9, false, values);
    Write(grid, 10, false, warnings);
    Write(grid, 11, false, alarms);
    FormatPropertyTable(grid, 8);
}

// --- Interval trend and bar hole -------------------------------------------------------------------

void TrendDetail(GridModel& grid, Database& db, std::optional<Long> seqNo, bool barHole) {
    const auto header = TrendTableHeader(grid, db, seqNo, 16);
    if (!header)
        return;
    const Row head(*header);
    const Variant last = head(QStringLiteral("Last"));
    QString period = DateText(head(QStringLiteral("Dates"))) + GetResText(5676);
    if (last.isDate() && last.toDate() != InvalidDateMark)
        period += GeneralDate(last.toDate());
    Write(grid, 1, true, {GetResText(5606), TextOf(head(QStringLiteral("Names")))});
    Write(grid, 2, true, {GetResText(5607), period});
    WriteIdentity(grid, head);
    if (barHole)
        Write(grid, 6, true, {NoValue, NoValue});
    else
        Write(grid, 6, true, {GetResText(5611), TextOf(head(QStringLiteral("Dcount")))});
    Write(grid, 7, true, {GetResText(5612), TextOf(head(QStringLiteral("Interval")))});

    std::array<bool, 5> enabled{};
    for (int slot = 0; slot < 5; ++slot)
        enabled[static_cast<std::size_t>(slot)] = BoolOf(head.Gas(slot + 1, "Enable"));
    // Column 1 shows the first gas, or the fifth slot (the first gas in its other unit) where
    // the first is off: for the caption and average when the fifth is on, for the maximum when
    // it has one.
    const int group89 = enabled[4] && !enabled[0] ? 5 : 1;
    const bool max5 = !enabled[0] || (enabled[4] && SingleOf(head.Gas(5, "Max"), 0) > 0);

    QStringList captions{GetResText(5750)}, averages{GetResText(5613)}, maxima{GetResText(5614)},
        maxTimes{GetResText(5663)}, minima{GetResText(5615)}, minTimes{GetResText(5664)},
        warnings{GetResText(5642)}, alarms{GetResText(5643)};
    for (int col = 1; col <= 4; ++col) {
        const int group = col == 1 ? group89 : col;
        const bool on = enabled[static_cast<std::size_t>(group - 1)];
        captions << GasCaptionOf(head, group);
        QString average = ReadingOf(head, group, "Avr", on);
        if (col == 1)
            average = WithUnit(average, TextOf(head.Gas(group, "Unit")));
        averages << average;
        if (col == 1 && max5) {
            maxima << WithUnit(ReadingOf(head, 5, "Max", true), TextOf(head.Gas(5, "Unit")));
            maxTimes << FormatEventDate(SingleOf(head.Gas(5, "Max")), DateOf(head.Gas(5, "MaxDate")));
        } else {
            const bool maxOn = enabled[static_cast<std::size_t>(col - 1)];
            maxima << ReadingOf(head, col, "Max", maxOn);
            maxTimes << (maxOn ? FormatEventDate(SingleOf(head.Gas(col, "Max")), DateOf(head.Gas(col, "MaxDate"))) : NoValue);
        }
        if (col == 2) {
            minima << LevelOf(head, 2, "Min", enabled[1]);
            minTimes << (enabled[1] ? FormatEventDate2(SingleOf(head.Gas(2, "Min")), DateOf(head.Gas(2, "MinDate")))
                                    : NoValue);
        } else {
            minima << NoDate;
            minTimes << NoDate;
        }
        warnings << LevelOf(head, col, "Warning", enabled[static_cast<std::size_t>(col - 1)]);
        alarms << LevelOf(head, col, "Alarm", enabled[static_cast<std::size_t>(col - 1)]);
    }
    int row = 8;
    for (const QStringList* texts : {&captions, &averages, &maxima, &maxTimes, &minima, &minTimes, &warnings, &alarms})
        Write(grid, row++, false, *texts);
    // Numbers of the gas block carry their column's unit.
    for (int col = 1; col <= 4; ++col) {
        const QString unit = TextOf(head.Gas(col, "Unit"));
        for (int r = 9; r <= 15; ++r)
            grid.SetTextMatrix(r, col, WithUnit(grid.TextMatrix(r, col), unit));
    }
    FormatPropertyTable(grid, 8);
    grid.SetCellAlignment({11, 0, 11, 4}, AlignLeftCenter);
    grid.SetCellAlignment({13, 0, 13, 4}, AlignLeftCenter);
}

// --- Calibration history and bump test -------------------------------------------------------------

void HistoryDetail(GridModel& grid, Database& db, std::optional<Long> seqNo, bool bump) {
    const int cols = bump ? 5 : 4;
    Shape(grid, cols, 2);
    Write(grid, 0, false,
          bump ? QStringList{"DateTime", "Gas", "Test Result", "Concentration", "Judge"}
               : QStringList{"DateTime", "Gas", "Before", "After"});
    const auto header = Header(db, seqNo);
    if (header) {
        const Row head(*header);
        std::array<QString, 5> captions;
        std::array<Integer, 5> decimals{};
        for (int slot = 0; slot < 5; ++slot) {
            captions[static_cast<std::size_t>(slot)] = GasCaptionOf(head, slot + 1);
            decimals[static_cast<std::size_t>(slot)] = IntegerOf(head.Gas(slot + 1, "Point"));
        }
        Recordset entries = Children(db, bump ? QStringLiteral("Bump") : QStringLiteral("cHistory"), *seqNo);
        const int n = entries.recordCount();
        const int perEntry = bump ? 6 : 4;
        const int fits = bump ? 2 : 3;
        const std::vector<int> shownSlots = bump ? std::vector<int>{0, 1, 2, 3, 4} : std::vector<int>{0, 1, 4};
        if (n > 0) {
            const int shown = n > fits ? fits : n;
            grid.SetRows(n > fits ? 14 : perEntry * n + 1);
            for (int i = 0; i < shown; ++i, entries.moveNext()) {
                const Row entry(entries);
                for (std::size_t k = 0; k < shownSlots.size(); ++k) {
                    const int slot = shownSlots[k];
                    const int group = slot + 1;
                    const QString& caption = captions[static_cast<std::size_t>(slot)];
                    QStringList cells{k == 0 ? DateText(entry(QStringLiteral("Dates"))) : QString(), caption};
                    if (caption == EmptyGasCaption) {
                        cells << NoValue << NoValue;
                    } else {
                        const QString unit = TextOf(entry.Gas(group, "Unit"));
                        const Single before = SingleOf(entry.Gas(group, "Before"));
                        for (const Single value : {before, SingleOf(entry.Gas(group, "After"))}) {
                            const bool noUnit = bump ? value == ReadingCode::NoData : value <= ReadingCode::NoData;
                            cells << FormatTrendCell(value, decimals[static_cast<std::size_t>(slot)]) + u' ' +
                                         (noUnit ? QString() : unit);
                        }
                        if (bump) {
                            const Long judge = LongOf(entry.Gas(group, "Judge"));
                            cells << (before == ReadingCode::NoData ? NoValue
                                      : judge == 2                  ? QStringLiteral("PASS")
                                      : judge == 1                  ? QStringLiteral("FAIL")
                                                                    : NoValue);
                        }
                    }
                    Write(grid, perEntry * i + static_cast<int>(k) + 1, false, cells);
                }
            }
            if (n > fits)
                Write(grid, 13, false, {QStringLiteral("..."), QStringLiteral("Total"), QString::number(n),
                                        QStringLiteral("Datas")});
        }
    }
    grid.SetColAlignment(-1, AlignCenterCenter);
    grid.SetColAlignment(0, AlignLeftCenter);
    grid.SetColAlignment(1, AlignLeftCenter);
    FormatList(grid);
}

// --- Events and sensor histories ---------------------------------------------------------------------

struct EventList {
    const char* Table;
    QStringList Captions;
    bool TotalInOneCell;
};

QStringList EventCells(const QString& letter, const Row& row) {
    const QString date = DateText(row(QStringLiteral("Dates")));
    if (letter == QLatin1String("P")) {
        const Variant power = row(QStringLiteral("Power_Type"));
        return {date, power.isNull() || power.isEmpty() ? QString() : (power.toBool() ? QStringLiteral("ON") : QStringLiteral("OFF"))};
    }
    if (letter == QLatin1String("Q"))
        return {date, TextOf(row(QStringLiteral("SensorNo"))), TextOf(row(QStringLiteral("GasName"))),
                TextOf(row(QStringLiteral("FullScale")))};
    const Variant code = row(QStringLiteral("Alarm_Type"));
    return {date, TextOf(row(QStringLiteral("GasName"))), code.isNumeric() ? EventCodeText(code.toLong()) : QString()};
}

void EventDetail(GridModel& grid, Database& db, std::optional<Long> seqNo, const QString& letter) {
    const EventList list = letter == QLatin1String("V")   ? EventList{"Alarm_Event", {"DateTime", "Gas", "Event"}, false}
                           : letter == QLatin1String("W") ? EventList{"Trouble_Event", {"DateTime", "Gas/Body", "Event"}, false}
                           : letter == QLatin1String("P") ? EventList{"Power_Event", {"DateTime", "Power"}, true}
                                                          : EventList{"SensorHistory", {"DateTime", "SensorNO", "Gas", "FullScale"}, true};
    Shape(grid, static_cast<int>(list.Captions.size()), 2);
    Write(grid, 0, false, list.Captions);
    if (Header(db, seqNo)) {
        Recordset rows = Children(db, QLatin1String(list.Table), *seqNo);
        const int n = rows.recordCount();
        if (n > 0) {
            const int shown = n > 10 ? 8 : n;
            grid.SetRows(n > 10 ? 11 : n + 1);
            for (int i = 0; i < shown; ++i, rows.moveNext())
                Write(grid, i + 1, false, EventCells(letter, Row(rows)));
            if (n > 10) {
                const QString datas = QStringLiteral("%1 Datas").arg(n);
                Write(grid, 10, false,
                      list.TotalInOneCell ? QStringList{"...", QStringLiteral("Total ") + datas}
                                          : QStringList{"...", "Total", datas});
            }
        }
    }
    if (letter == QLatin1String("P")) {
        grid.SetColAlignment(-1, AlignCenterCenter);
        grid.SetColAlignment(0, AlignLeftCenter);
        grid.SetColAlignment(1, AlignLeftCenter);
    } else {
        grid.SetColAlignment(-1, AlignLeftCenter);
        if (letter == QLatin1String("Q"))
            grid.SetColAlignment(3, AlignCenterCenter);
    }
    FormatList(grid);
}

std::optional<Long> NumberOf(const QString& key) {
    bool ok = false;
    const qlonglong number = DropLastTwo(key).trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<Long>::min() || number > std::numeric_limits<Long>::max())
        return std::nullopt;
    return static_cast<Long>(number);
}

}  // namespace

LogDetailShown ShowLogDetail(GridModel& grid, Database& db, const QString& key, const AlarmTimeJudge& judge) {
    LogDetailShown shown;
    const QString letter = LastWord(key);
    const std::optional<Long> seqNo = NumberOf(key);
    const RecordKind* kind = KindOfEntryLetter(letter);
    if (kind && seqNo) {
        shown.IsEntry = true;
        shown.LogType = kind->LogType;
        shown.SeqNo = *seqNo;
    }

    grid.Clear();
    Shape(grid, 2, 2);
    grid.SetMergeCells(MergeNever);
    grid.SetColAlignment(-1, AlignGeneral);
    Write(grid, 0, false, {GetResText(5105), GetResText(5106)});

    if (IsGroupingLetter(letter) || IsKindFolderLetter(letter)) {
        FolderTable(grid);
        shown.ButtonsEnabled = false;
    } else if (kind) {
        switch (kind->LogType) {
        case 1: TrendDetail(grid, db, seqNo, false); break;
        case 9: TrendDetail(grid, db, seqNo, true); break;
        case 11: SnapShotDetail(grid, db, seqNo); break;
        case 2: AlarmTrendDetail(grid, db, seqNo, judge); break;
        case 3: HistoryDetail(grid, db, seqNo, false); break;
        case 10: HistoryDetail(grid, db, seqNo, true); break;
        default: EventDetail(grid, db, seqNo, letter); break;
        }
    }
    grid.Refresh();
    return shown;
}

}  // namespace mt52
