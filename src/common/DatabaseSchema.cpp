#include "common/DatabaseSchema.h"

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>

namespace mt52 {
namespace {

using T = ColumnType;

// The five gas-slot groups: the columns for slot 1 repeated with the digits 1 to 5.
void AddGasGroups(std::vector<ColumnSchema>& columns, const std::vector<ColumnSchema>& group) {
    for (int slot = 1; slot <= 5; ++slot)
        for (const ColumnSchema& c : group)
            columns.push_back({QStringLiteral("Gas%1%2").arg(slot).arg(c.name), c.type});
}

TableSchema Table(const QString& name, std::vector<ColumnSchema> columns,
                  const std::vector<ColumnSchema>& gasGroup = {}) {
    columns.insert(columns.begin(), {QStringLiteral("SeqNo"), T::Integer});
    if (!gasGroup.empty())
        AddGasGroups(columns, gasGroup);
    return {name, std::move(columns)};
}

std::vector<TableSchema> BuildTables() {
    const ColumnSchema relNo{QStringLiteral("RelNo"), T::Integer};
    const ColumnSchema userId{QStringLiteral("UserID"), T::Identity};
    const ColumnSchema stationId{QStringLiteral("StationID"), T::Identity};
    const ColumnSchema serialNo{QStringLiteral("SerialNo"), T::Identity};
    const ColumnSchema writeDates{QStringLiteral("WriteDates"), T::Date};
    const ColumnSchema dates{QStringLiteral("Dates"), T::Date};
    const ColumnSchema datetimes{QStringLiteral("Datetimes"), T::Date};
    auto c = [](const char* name, ColumnType type) { return ColumnSchema{QString::fromLatin1(name), type}; };

    const std::vector<ColumnSchema> historyGroup{c("Name", T::Text),   c("Desit", T::Float), c("Point", T::Integer),
                                                 c("Unit", T::Text),   c("Enable", T::YesNo), c("Before", T::Float),
                                                 c("After", T::Float)};
    std::vector<ColumnSchema> bumpGroup = historyGroup;
    bumpGroup.push_back(c("Judge", T::Integer));
    const std::vector<ColumnSchema> eventColumns{relNo, c("GasNo", T::Integer), c("GasName", T::Text),
                                                 c("Alarm_Type", T::Integer), dates};

    return {
        Table(QStringLiteral("Log_head"),
              {c("Names", T::Text), userId, stationId, serialNo, c("RomNum", T::Integer), c("Types", T::Integer),
               c("LogNo", T::Integer), c("Dcount", T::Integer), c("FolderID", T::Text), dates, c("Last", T::Date),
               c("Interval", T::Integer), c("Sampling", T::Integer), c("LunchBreak", T::Integer),
               c("LEL_lo", T::Integer), c("LEL_hi", T::Integer), c("ppm_lo", T::Integer), c("ppm_hi", T::Integer),
               c("vol_lo", T::Integer), c("vol_hi", T::Integer)},
              {c("Name", T::Text), c("Full", T::Float), c("Desit", T::Float), c("Enable", T::YesNo),
               c("Point", T::Integer), c("Unit", T::Text), c("Avr", T::Float), c("Max", T::Float), c("Min", T::Float),
               c("Warning", T::Float), c("Alarm", T::Float), c("TWA", T::Float), c("STEL", T::Float),
               c("MaxDate", T::Date), c("MinDate", T::Date), c("Ratio", T::Float)}),
        Table(QStringLiteral("Interval_Data"), {relNo, datetimes, c("EvtTime", T::Date)},
              {c("Value", T::Float), c("cnt", T::Integer)}),
        Table(QStringLiteral("Interval_Event"), {relNo, datetimes, c("BaseDate", T::Date)}, {c("Event", T::Integer)}),
        Table(QStringLiteral("Alarm_Data"), {relNo, datetimes}, {c("Value", T::Float)}),
        Table(QStringLiteral("SnapShot"),
              {relNo, userId, stationId, serialNo, writeDates, dates, c("LogNo", T::Text), c("GasName", T::Text),
               c("FullScale", T::Text), c("Digit", T::Text), c("Unit", T::Text), c("Gasval", T::Text)},
              {c("Name", T::Text), c("Full", T::Float), c("Desit", T::Float), c("Point", T::Integer),
               c("Unit", T::Text), c("Enable", T::YesNo), c("val", T::Float), c("sts", T::Integer)}),
        Table(QStringLiteral("Bump"), {relNo, userId, stationId, serialNo, writeDates, dates}, bumpGroup),
        Table(QStringLiteral("cHistory"), {relNo, userId, stationId, serialNo, writeDates, dates}, historyGroup),
        Table(QStringLiteral("cLatestHist"), {userId, stationId, serialNo, writeDates, c("CalLimit", T::Integer)},
              {c("Name", T::Text), c("Desit", T::Float), c("Point", T::Integer), c("Unit", T::Text),
               c("Enable", T::YesNo), c("AutoCal", T::Float), c("CalDate", T::Date), c("Before", T::Float),
               c("After", T::Float)}),
        Table(QStringLiteral("Alarm_Event"), eventColumns),
        Table(QStringLiteral("Trouble_Event"), eventColumns),
        Table(QStringLiteral("Power_Event"),
              {relNo, c("LogCnt", T::Integer), dates, c("Power_Type", T::YesNo)}),
        // Sensor-history logs: read by the browser, the views and the reports.
        Table(QStringLiteral("SensorHistory"),
              {relNo, dates, c("SensorNo", T::Integer), c("GasName", T::Text), c("FullScale", T::Float)}),
    };
}

QString Quoted(const QString& identifier) { return QLatin1Char('"') + identifier + QLatin1Char('"'); }

// The columns a record is found by: its date first (the most selective), then its kind and
// the instrument identity. Identity columns are NOCASE, so the index compares as the queries do.
struct LookupIndex {
    const char* table;
    const char* name;
    const char* columns;
};
constexpr LookupIndex LookupIndexes[] = {
    {"Log_head", "Log_head_Lookup", "\"Dates\", \"Types\", \"SerialNo\", \"UserID\", \"StationID\""},
    {"Bump", "Bump_Lookup", "\"Dates\", \"SerialNo\", \"UserID\", \"StationID\""},
    {"cHistory", "cHistory_Lookup", "\"Dates\", \"SerialNo\", \"UserID\", \"StationID\""},
    {"cLatestHist", "cLatestHist_Lookup", "\"SerialNo\", \"UserID\", \"StationID\""},
};

QString LookupIndexStatement(const LookupIndex& index) {
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
        .arg(Quoted(QString::fromLatin1(index.name)), Quoted(QString::fromLatin1(index.table)),
             QString::fromLatin1(index.columns));
}

// A new empty file with a unique name beside a target path, deleted again unless kept.
class ScratchFile {
public:
    explicit ScratchFile(const QString& target) {
        for (int attempt = 0; attempt < 16 && path_.isEmpty(); ++attempt) {
            const QString candidate =
                target + QStringLiteral(".new-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            QFile file(candidate);
            if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                path_ = candidate;
            else
                error_ = file.errorString();
        }
    }
    ~ScratchFile() {
        if (!path_.isEmpty() && !kept_)
            QFile::remove(path_);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool isValid() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }
    const QString& error() const { return error_; }
    void keep() { kept_ = true; }

private:
    QString path_;
    QString error_;
    bool kept_ = false;
};

// Removes the scratch files (and their journals) that a creation beside `target` left behind
// when it was killed part-way. Only files untouched for a minute go: a creation of another
// computer on a shared folder may be running right now.
void RemoveStaleScratchFiles(const QFileInfo& target) {
    const QRegularExpression pattern(QStringLiteral("^%1\\.new-[0-9a-f]{8}(-journal)?$")
                                         .arg(QRegularExpression::escape(target.fileName())));
    const QDateTime staleBefore = NowDateTime().addSecs(-60);
    const QDir folder = target.absoluteDir();
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (pattern.match(file.fileName()).hasMatch() && file.lastModified() < staleBefore)
            QFile::remove(file.absoluteFilePath());
    }
}

}  // namespace

bool TableSchema::hasRelNo() const {
    return std::any_of(columns.begin(), columns.end(), [](const ColumnSchema& c) { return c.name == u"RelNo"; });
}

const std::vector<TableSchema>& DatabaseTables() {
    static const std::vector<TableSchema> tables = BuildTables();
    return tables;
}

QString SqlTypeOf(ColumnType type) {
    switch (type) {
    case T::Integer: return QStringLiteral("INTEGER");
    case T::Float: return QStringLiteral("REAL");
    case T::YesNo: return QStringLiteral("BOOLEAN INTEGER");
    case T::Date: return QStringLiteral("DATETIME TEXT");
    case T::Text: return QStringLiteral("TEXT");
    case T::Identity: return QStringLiteral("TEXT COLLATE NOCASE");
    }
    return QString();
}

QStringList SchemaStatements() {
    QStringList statements;
    for (const TableSchema& table : DatabaseTables()) {
        QStringList columns;
        for (const ColumnSchema& column : table.columns) {
            QString definition = Quoted(column.name) + QLatin1Char(' ') + SqlTypeOf(column.type);
            if (column.name == u"SeqNo")
                definition += QStringLiteral(" CONSTRAINT SeqNoKey PRIMARY KEY");
            columns << definition;
        }
        statements << QStringLiteral("CREATE TABLE %1 (%2)").arg(Quoted(table.name), columns.join(QStringLiteral(", ")));
        if (table.hasRelNo())
            statements << QStringLiteral("CREATE INDEX %1 ON %2 (\"RelNo\")")
                              .arg(Quoted(table.name + QStringLiteral("_RelNo")), Quoted(table.name));
    }
    statements << LookupIndexStatements();
    return statements;
}

QStringList LookupIndexStatements() {
    QStringList statements;
    for (const LookupIndex& index : LookupIndexes)
        statements << LookupIndexStatement(index);
    return statements;
}

void EnsureLookupIndexes(Database& db) {
    // An index is missing when its table is there and it is not; a database lacking a table
    // is left for the code that needs the table to report.
    const QString missingQuery = QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE) > 0 "
        "AND (SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = ? COLLATE NOCASE) = 0");
    QStringList missing;
    for (const LookupIndex& index : LookupIndexes) {
        if (db.query(missingQuery, {QString::fromLatin1(index.table), QString::fromLatin1(index.name)}).field(0).toLong() != 0)
            missing << LookupIndexStatement(index);
    }
    if (missing.isEmpty())
        return;
    Transaction transaction(db);
    for (const QString& statement : std::as_const(missing))
        db.execute(statement);
    transaction.commit();
}

void CreateDatabaseFile(const QString& path, const QStringList& statements) {
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        Raise(ErrDatabase, QStringLiteral("The database \"%1\" cannot be created: a file of that name exists").arg(path));
    RemoveStaleScratchFiles(target);
    // The scratch file lies beside the target, so the final rename stays on one file system.
    ScratchFile scratch(target.absoluteFilePath());
    if (!scratch.isValid())
        Raise(ErrDatabase, QStringLiteral("The database \"%1\" cannot be created: %2").arg(path, scratch.error()));
    {
        Database db(scratch.path(), Database::OpenMode::EmptyFile);
        Transaction transaction(db);
        for (const QString& statement : statements)
            db.execute(statement);
        transaction.commit();
    }
    // QFile::rename never replaces an existing file.
    if (!QFile::rename(scratch.path(), path))
        Raise(ErrDatabase,
              QStringLiteral("The database \"%1\" cannot be created: the new file could not be given its name").arg(path));
    scratch.keep();
}

void CreateDataBase(const QString& path) {
    const QFileInfo target(path);
    if (target.isFile())
        return;
    CreateDatabaseFile(path, SchemaStatements());
}

}  // namespace mt52
