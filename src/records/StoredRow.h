#pragma once
// Reads the current row of a recordset column by column, a Null column as the value that
// stands in for it, so an incomplete row never ends a load. A value of the wrong kind (a text
// in a number column, a number too wide for its field) raises its conversion error with the
// column's name, so the caller sees which column of which row is damaged.
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/Types.h"

#include <QString>
#include <optional>

namespace mt52 {

struct GasSlot;
struct LogHeader;

class StoredRow {
public:
    explicit StoredRow(const Recordset& rows) : rows_(rows) {}

    bool IsNull(const QString& column) const;

    QString Text(const QString& column, const QString& ifNull = QString()) const;
    // An identity text (kind of BlankToDashes): a Null or blank column gives the dashes.
    QString Identity(const QString& column, Integer kind) const;
    Single Number(const QString& column, Single ifNull) const;
    Long Whole(const QString& column, Long ifNull) const;
    Integer Short(const QString& column, Integer ifNull) const;
    Date DateOf(const QString& column, const Date& ifNull) const;
    bool YesNo(const QString& column, bool ifNull) const;

private:
    template <typename F>
    auto Convert(const QString& column, F&& convert) const;

    const Recordset& rows_;
};

// A column of the current row as the program's tables hold it. The database hands a date or
// Yes/No column (by its name) over as a date or a Boolean whatever its declared type; one it
// could not read as such holds a damaged text, which raises the conversion error with the
// column's name here (a date text in another form, "2024/03/05 10:00", still reads as a date).
Variant StoredValue(const Recordset& rows, const QString& column);

// The database file at the path, or nothing when no file is there (a loader then leaves its
// model as it is). A file that is not the program's database raises ErrDatabase.
std::optional<Database> OpenIfPresent(const QString& path);

// What a Null column gives where the stored value has no replacement of its own: a missing
// date is the invalid-date mark, a missing number the no-data code -101, a missing text the
// empty text.
inline constexpr Integer NullNumber = -101;

// Gas<group>Enable of the row: a Null column reads as a gas in use. The one rule for every
// loader of stored rows, the trend loaders included.
bool ReadGasEnable(const StoredRow& row, int group);

// Header columns that several record kinds read alike.
void ReadIdentity(const StoredRow& row, LogHeader& header);  // UserID, StationID, SerialNo
// Names ("Name None" when Null), Dates, the identity, Interval and FolderID ("00/00").
void ReadLogHeadStart(const StoredRow& row, LogHeader& header);
// Sampling and LunchBreak (0 when Null) and the range limits LEL_lo .. vol_hi (-101).
void ReadLogHeadCounts(const StoredRow& row, LogHeader& header);
// A whole gas group of Log_Head (Gas<group>Name .. Gas<group>Ratio) into a slot.
void ReadGasGroup(const StoredRow& row, int group, GasSlot& slot);
// The parts of a gas group that every stored kind reads: the gas's definition (Name, Full,
// Desit, Point), and its statistics (Avr, Max, Min, MaxDate, MinDate).
void ReadGasDefinition(const StoredRow& row, int group, GasSlot& slot);
void ReadGasStatistics(const StoredRow& row, int group, GasSlot& slot);
// The column name of a gas group: GasColumn(2, "Name") is "Gas2Name".
QString GasColumn(int group, const char* field);

}  // namespace mt52
