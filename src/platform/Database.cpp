#include "platform/Database.h"

#include "platform/DatabaseCodec.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/StepHook.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace mt52 {
namespace {

constexpr int kBusyTimeoutMs = 2000;
constexpr int kStatementCacheLimit = 64;

[[noreturn]] void RaiseSqlite(sqlite3* db, const QString& sql = {}) {
    QString text = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    if (!sql.isEmpty())
        text += QStringLiteral(" (in: %1)").arg(sql.simplified());
    Raise(ErrDatabase, text);
}

// Refuses a file that is missing or is not an SQLite 3 database, before SQLite touches it.
void CheckDatabaseFile(const QString& path, Database::OpenMode mode) {
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        Raise(ErrDatabase, QStringLiteral("The database file \"%1\" does not exist.").arg(path));
    if (mode == Database::OpenMode::EmptyFile && info.size() == 0)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Raise(ErrDatabase, QStringLiteral("The database file \"%1\" cannot be read: %2").arg(path, file.errorString()));
    static const QByteArray kMagic("SQLite format 3\0", 16);
    if (file.read(kMagic.size()) != kMagic)
        Raise(ErrDatabase, QStringLiteral("The file \"%1\" is not an SQLite 3 database. It was left unchanged.").arg(path));
}

// What a column holds beyond SQLite's own storage classes: by its declared type, else, for a
// column of a table (not an expression), by the name the program's tables give it.
enum class ColumnKind { Plain, Boolean, Date };

// Whether the declared type holds the upper-case word, in any case; copies nothing.
bool DeclaresWord(const char* declaredType, QLatin1String word) {
    return QLatin1String(declaredType).contains(word, Qt::CaseInsensitive);
}

// Found once per statement column, never per value.
ColumnKind KindOf(const char* declaredType, const char* tableColumn) {
    if (declaredType) {
        if (DeclaresWord(declaredType, QLatin1String("BOOL")))
            return ColumnKind::Boolean;
        if (DeclaresWord(declaredType, QLatin1String("DATE")))
            return ColumnKind::Date;
    }
    if (!tableColumn)
        return ColumnKind::Plain;
    switch (StoredKindOfColumn(QString::fromUtf8(tableColumn))) {
    case StoredKind::YesNo: return ColumnKind::Boolean;
    case StoredKind::Date: return ColumnKind::Date;
    case StoredKind::Plain: break;
    }
    return ColumnKind::Plain;
}

// A whole number that fits 32 bits as a Long, a larger one as a Double.
Variant WholeNumber(sqlite3_int64 v) {
    if (v >= std::numeric_limits<Long>::min() && v <= std::numeric_limits<Long>::max())
        return Variant(static_cast<Long>(v));
    return Variant(static_cast<double>(v));
}

Variant ReadNumber(sqlite3_stmt* stmt, int column) {
    if (sqlite3_column_type(stmt, column) == SQLITE_INTEGER)
        return WholeNumber(sqlite3_column_int64(stmt, column));
    return Variant(sqlite3_column_double(stmt, column));
}

QString ReadText(sqlite3_stmt* stmt, int column) {
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt, column));
    const int bytes = sqlite3_column_bytes16(stmt, column);
    return QString::fromUtf16(text, bytes / 2);
}

Variant ReadValue(sqlite3_stmt* stmt, int column, ColumnKind kind) {
    const int type = sqlite3_column_type(stmt, column);
    if (type == SQLITE_NULL)
        return Variant::Null();
    const bool numeric = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
    switch (kind) {
    case ColumnKind::Boolean:
        if (numeric)
            return Variant(sqlite3_column_double(stmt, column) != 0.0);
        if (type == SQLITE_TEXT) {
            // A column declared as text keeps a stored 1 or 0 as the text "1" or "0".
            const QString text = ReadText(stmt, column);
            if (text == u"0" || text == u"1")
                return Variant(text == u"1");
            return Variant(text);  // an odd stored text is handed over as it stands
        }
        break;
    case ColumnKind::Date:
        if (numeric)
            return Variant(Date(sqlite3_column_double(stmt, column)));
        if (type == SQLITE_TEXT) {
            const QString text = ReadText(stmt, column);
            if (auto date = DecodeDbDateText(text))
                return Variant(*date);
            return Variant(text);  // an odd stored text is handed over as it stands
        }
        break;
    case ColumnKind::Plain: break;
    }
    if (numeric)
        return ReadNumber(stmt, column);
    return Variant(ReadText(stmt, column));
}

bool IsAscii(const unsigned char* bytes, int size) {
    for (int i = 0; i < size; ++i)
        if (bytes[i] >= 0x80)
            return false;
    return true;
}

// program_text(x): the text the program reads a stored value as when it takes no account of the
// column's declared type (RowReader::plainValue and toString): Null stays Null; a number is
// written as the program writes it, so the REAL 1.0 reads "1"; a text or blob is decoded as
// the program decodes it, which turns bytes that are not UTF-8 into the characters the program
// shows. A query compares a stored value with a text the program read from it through this
// function, whatever type the value is stored as.
void ProgramTextFunction(sqlite3_context* context, int, sqlite3_value** args) {
    sqlite3_value* value = args[0];
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL: sqlite3_result_null(context); return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
        const Variant number = sqlite3_value_type(value) == SQLITE_INTEGER ? WholeNumber(sqlite3_value_int64(value))
                                                                           : Variant(sqlite3_value_double(value));
        const QString text = number.toString();
        sqlite3_result_text16(context, text.utf16(), static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
        return;
    }
    default: {
        // ASCII reads as it stands; anything else goes through the decoding the program reads with.
        const unsigned char* bytes = sqlite3_value_text(value);
        const int size = sqlite3_value_bytes(value);
        if (bytes && IsAscii(bytes, size)) {
            sqlite3_result_text(context, reinterpret_cast<const char*>(bytes), size, SQLITE_TRANSIENT);
            return;
        }
        const void* units = sqlite3_value_text16(value);
        if (!units) {
            sqlite3_result_error_nomem(context);
            return;
        }
        sqlite3_result_text16(context, units, sqlite3_value_bytes16(value), SQLITE_TRANSIENT);
        return;
    }
    }
}

void Bind(sqlite3* db, sqlite3_stmt* stmt, int place, const Variant& value, const QString& sql) {
    int rc = SQLITE_OK;
    switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null: rc = sqlite3_bind_null(stmt, place); break;
    case Variant::Type::Boolean: rc = sqlite3_bind_int(stmt, place, EncodeDbBool(value.toBool())); break;
    case Variant::Type::Integer:
    case Variant::Type::Long: rc = sqlite3_bind_int64(stmt, place, value.toLong()); break;
    case Variant::Type::Single: {
        const Single v = value.toSingle();
        // The double of the single's shortest text, as the single was meant: 0.1 and not 0.100000001.
        rc = sqlite3_bind_double(stmt, place, std::isfinite(v) ? SingleToText(v).toDouble() : double(v));
        break;
    }
    case Variant::Type::Double: rc = sqlite3_bind_double(stmt, place, value.toDouble()); break;
    case Variant::Type::Date: {
        const QByteArray text = EncodeDbDate(value.toDate()).toUtf8();
        rc = sqlite3_bind_text(stmt, place, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        break;
    }
    case Variant::Type::String: {
        const QString text = value.toString();
        rc = sqlite3_bind_text16(stmt, place, text.utf16(), static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK)
        RaiseSqlite(db, sql);
}

}  // namespace

// Prepared statements kept by their text, so statements run many times in one transaction
// (the rows of a downloaded record) are compiled once.
class Database::Statements {
public:
    explicit Statements(sqlite3* db) : db_(db) {}
    ~Statements() { clear(); }
    Statements(const Statements&) = delete;
    Statements& operator=(const Statements&) = delete;

    // A statement ready to run with the values bound. It stays reset and unbound between uses.
    sqlite3_stmt* prepare(const QString& sql, const std::vector<Variant>& values) {
        sqlite3_stmt* stmt = cache_.value(sql, nullptr);
        if (!stmt) {
            if (cache_.size() >= kStatementCacheLimit)
                clear();
            stmt = compile(sql);
            cache_.insert(sql, stmt);
        }
        const int expected = sqlite3_bind_parameter_count(stmt);
        if (expected != static_cast<int>(values.size()))
            Raise(ErrDatabase, QStringLiteral("The statement takes %1 values, %2 were given (in: %3)")
                                   .arg(expected)
                                   .arg(values.size())
                                   .arg(sql.simplified()));
        for (int i = 0; i < expected; ++i)
            Bind(db_, stmt, i + 1, values[static_cast<std::size_t>(i)], sql);
        return stmt;
    }

    void clear() {
        for (sqlite3_stmt* stmt : std::as_const(cache_))
            sqlite3_finalize(stmt);
        cache_.clear();
    }

private:
    sqlite3_stmt* compile(const QString& sql) {
        sqlite3_stmt* stmt = nullptr;
        const void* tail = nullptr;
        if (sqlite3_prepare16_v3(db_, sql.utf16(), static_cast<int>(sql.size() * 2), SQLITE_PREPARE_PERSISTENT,
                                 &stmt, &tail) != SQLITE_OK)
            RaiseSqlite(db_, sql);
        if (!stmt)
            Raise(ErrDatabase, QStringLiteral("The statement text is empty"));
        const auto* rest = static_cast<const char16_t*>(tail);
        const auto* end = reinterpret_cast<const char16_t*>(sql.utf16()) + sql.size();
        for (; rest && rest < end; ++rest) {
            if (*rest != u';' && !QChar(*rest).isSpace()) {
                sqlite3_finalize(stmt);
                Raise(ErrDatabase, QStringLiteral("One statement at a time (in: %1)").arg(sql.simplified()));
            }
        }
        return stmt;
    }

    sqlite3* db_;
    QHash<QString, sqlite3_stmt*> cache_;
};

namespace {
// Leaves a cached statement reset and unbound however its use ends.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~StatementUse() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

private:
    sqlite3_stmt* stmt_;
};
}  // namespace

Database::Database(const QString& path, OpenMode mode) : path_(path), db_(nullptr, &sqlite3_close_v2) {
    CheckDatabaseFile(path, mode);
    sqlite3* handle = nullptr;
    // The program uses each connection on the thread that opened it only: SQLite need not lock
    // the connection around every call (a tenth of the time of a long read).
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    db_.reset(handle);
    if (rc != SQLITE_OK)
        Raise(ErrDatabase, QStringLiteral("The database \"%1\" cannot be opened: %2")
                               .arg(path, handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString()));
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, kBusyTimeoutMs);
    if (sqlite3_create_function_v2(handle, "program_text", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                   nullptr, &ProgramTextFunction, nullptr, nullptr, nullptr) != SQLITE_OK)
        RaiseSqlite(handle);
    statements_ = std::make_unique<Statements>(handle);
    // Reading the schema makes SQLite look inside the file now, so a damaged file is refused here.
    try {
        execute(QStringLiteral("PRAGMA synchronous=FULL"));
        query(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (const RuntimeError& e) {
        Raise(ErrDatabase, QStringLiteral("The database \"%1\" cannot be used (%2). It was left unchanged.")
                               .arg(path, e.description()));
    }
}

Database::~Database() = default;
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;

bool Database::inTransaction() const { return db_ && sqlite3_get_autocommit(db_.get()) == 0; }

bool Database::hasTable(const QString& name) {
    return !query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"), {name})
                .isEmpty();
}

int Database::execute(const QString& sql, const std::vector<Variant>& values) {
    StepPoint();
    sqlite3_stmt* stmt = statements_->prepare(sql, values);
    StatementUse use(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        RaiseSqlite(db_.get(), sql);
    return sqlite3_changes(db_.get());
}

Recordset Database::query(const QString& sql, const std::vector<Variant>& values) {
    sqlite3_stmt* stmt = statements_->prepare(sql, values);
    StatementUse use(stmt);
    const int columns = sqlite3_column_count(stmt);
    QStringList names;
    std::vector<ColumnKind> kinds;
    for (int i = 0; i < columns; ++i) {
        names << QString::fromUtf8(sqlite3_column_name(stmt, i));
        kinds.push_back(KindOf(sqlite3_column_decltype(stmt, i), sqlite3_column_origin_name(stmt, i)));
    }
    std::vector<Variant> cells;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i)
            cells.push_back(ReadValue(stmt, i, kinds[static_cast<std::size_t>(i)]));
    }
    if (rc != SQLITE_DONE)
        RaiseSqlite(db_.get(), sql);
    return Recordset(std::move(names), std::move(cells));
}

void Database::forEachRow(const QString& sql, const std::vector<Variant>& values,
                          const std::function<void(const RowReader&)>& row) {
    sqlite3_stmt* stmt = statements_->prepare(sql, values);
    StatementUse use(stmt);
    const RowReader reader(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        row(reader);
    if (rc != SQLITE_DONE)
        RaiseSqlite(db_.get(), sql);
}

RowReader::RowReader(sqlite3_stmt* stmt) : stmt_(stmt) {
    const int columns = sqlite3_column_count(stmt);
    kinds_.reserve(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i)
        kinds_.push_back(static_cast<int>(KindOf(sqlite3_column_decltype(stmt, i), sqlite3_column_origin_name(stmt, i))));
}

Variant RowReader::value(int column) const {
    return ReadValue(stmt_, column, static_cast<ColumnKind>(kinds_.at(static_cast<std::size_t>(column))));
}

bool RowReader::isText(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_TEXT; }

QByteArrayView RowReader::utf8(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return bytes ? QByteArrayView(bytes, sqlite3_column_bytes(stmt_, column)) : QByteArrayView();
}

QString RowReader::text(int column) const { return ReadText(stmt_, column); }

Variant RowReader::plainValue(int column) const { return ReadValue(stmt_, column, ColumnKind::Plain); }

Transaction::Transaction(Database& db) : db_(db) {
    if (db_.inTransaction())
        Raise(ErrDatabase, QStringLiteral("A transaction is already open on \"%1\"").arg(db_.path()));
    // IMMEDIATE takes the write lock now: record numbers read inside stay free until the commit.
    db_.execute(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction() {
    if (!done_ && db_.inTransaction())
        sqlite3_exec(db_.db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    if (done_)
        Raise(ErrDatabase, QStringLiteral("The transaction has already ended"));
    if (!db_.inTransaction()) {
        done_ = true;
        Raise(ErrDatabase, QStringLiteral("The transaction was undone by an earlier failure; nothing was stored"));
    }
    db_.execute(QStringLiteral("COMMIT"));
    done_ = true;
    StepPoint();
}

Long Transaction::nextSeqNo(const QString& table) {
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!identifier.match(table).hasMatch())
        Raise(ErrDatabase, QStringLiteral("\"%1\" is not a table name").arg(table));
    if (!db_.inTransaction())
        Raise(ErrDatabase, QStringLiteral("The transaction has ended"));
    Recordset rs = db_.query(QStringLiteral("SELECT MAX(SeqNo) AS MaxSeq FROM \"%1\"").arg(table));
    const Variant largest = rs.field(0);
    if (largest.isNull())
        return 1;
    return ToLong(largest.toDouble() + 1.0);
}

}  // namespace mt52
