#pragma once
// The tables of the program's database "MT52.mdb" and the one operation that creates an
// empty database with them.
#include <QString>
#include <QStringList>
#include <vector>

namespace mt52 {

// The kinds of column the program's tables hold, named by what they keep.
enum class ColumnType {
    Integer,   // 32-bit whole number
    Float,     // double
    YesNo,     // Boolean, stored as 1 or 0
    Date,      // date and time, stored as "YYYY-MM-DD HH:MM:SS"
    Text,      // text
    Identity,  // user ID, station ID or serial number: text compared without regard to case
};

struct ColumnSchema {
    QString name;
    ColumnType type;
};

struct TableSchema {
    QString name;                       // as created ("Log_head"); queries may use any letter case
    std::vector<ColumnSchema> columns;  // in table order; the first is the key SeqNo
    bool hasRelNo() const;
};

// Every table, in the order of creation: Log_head, Interval_Data, Interval_Event, Alarm_Data,
// SnapShot, Bump, cHistory, cLatestHist, Alarm_Event, Trouble_Event, Power_Event, SensorHistory.
const std::vector<TableSchema>& DatabaseTables();

// The SQLite type text of a column type (its storage class, and for YesNo and Date the word
// by which the database layer hands the value back as a Boolean or a Date).
QString SqlTypeOf(ColumnType type);

// The statements that create every table, and an index on RelNo for each table that has one
// (rows of one record are read and deleted by RelNo), and the lookup indexes.
QStringList SchemaStatements();

// The indexes that serve the duplicate checks of the downloads and every lookup by
// instrument identity and date, each created only when missing ("IF NOT EXISTS").
QStringList LookupIndexStatements();

// Creates the lookup indexes an existing database lacks (one made by an older version), in
// one transaction. Cheap when they are there: nothing is written then.
class Database;
void EnsureLookupIndexes(Database& db);

// Creates a new database file at the path by running the statements in one transaction on a
// temporary file beside it, renamed to the path only when all of them succeeded: no half-made
// database ever exists under the path. An existing file at the path is never touched (the
// call fails). ErrDatabase on any failure, with nothing left behind.
void CreateDatabaseFile(const QString& path, const QStringList& statements);

// Creates the empty database with all its tables when no file exists at the path; an existing
// file, whatever it holds, is left as it is and nothing is created.
void CreateDataBase(const QString& path);

}  // namespace mt52
