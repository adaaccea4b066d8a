#pragma once
// One open connection to the program's database file, an SQLite 3 database.
//
// Every value reaches SQLite as a bound parameter ("?" in the statement text, values in
// order): Empty and Null as NULL, a Boolean as 1 or 0, a Date as its stored text (see
// DatabaseCodec.h), a Single as the double of its shortest text (so 0.1 is stored as 0.1).
// Every failure raises RuntimeError ErrDatabase with SQLite's message.
//
// Every connection defines the SQL function program_text(x): the text the program reads a
// stored value as (RowReader::plainValue turned into text), Null for Null. A condition that must
// find exactly the rows whose values the program read as a given text compares through it: a
// number or a text that is not UTF-8 then compares as the program shows it.
#include "platform/Recordset.h"
#include "platform/Types.h"
#include "platform/Variant.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace mt52 {

// The current row of a query read row by row (Database::forEachRow). It is valid only inside
// the call that hands it over; what it returns must be copied to be kept.
class RowReader {
public:
    // The value as Database::query reads it.
    Variant value(int column) const;
    // Whether the stored value is a text (not Null, a number or a blob).
    bool isText(int column) const;
    // A text value's UTF-8 bytes, valid until the next call on this column or the next row.
    QByteArrayView utf8(int column) const;
    // A text value as Database::query reads it.
    QString text(int column) const;
    // The value by its storage class alone, whatever the column's declared type: Null, a whole
    // number (a Long, or a Double beyond 32 bits), a Double, or a text (a blob read as text).
    // Its text is what the SQL function program_text gives for the stored value.
    Variant plainValue(int column) const;

private:
    friend class Database;
    explicit RowReader(sqlite3_stmt* stmt);
    sqlite3_stmt* stmt_;
    // Each column's kind (dates and Yes/No by declared type or name), found once.
    std::vector<int> kinds_;
};

class Database {
public:
    enum class OpenMode {
        // The file must be an SQLite 3 database; any other file is refused and left as it is.
        ExistingDatabase,
        // The file must exist and may be empty (a new file about to receive its tables).
        EmptyFile,
    };

    // Opens the file at the path for reading and writing. Nothing is created: a missing
    // file is an error.
    explicit Database(const QString& path, OpenMode mode = OpenMode::ExistingDatabase);
    ~Database();
    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }

    // Runs one statement with the values bound in order; returns the number of rows it
    // changed. A statement that fails changes nothing.
    int execute(const QString& sql, const std::vector<Variant>& values = {});
    // Runs one query with the values bound in order and reads all of its rows.
    Recordset query(const QString& sql, const std::vector<Variant>& values = {});
    // Runs one query and hands its rows to `row` one at a time as they are read, keeping none:
    // for reads of many rows of which the caller keeps only a little.
    void forEachRow(const QString& sql, const std::vector<Variant>& values,
                    const std::function<void(const RowReader&)>& row);

    bool inTransaction() const;

    // Whether the database has a table of that name (compared without regard to case); a
    // database made elsewhere may lack a table the program reads.
    bool hasTable(const QString& name);

private:
    friend class Transaction;
    class Statements;

    QString path_;
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db_;
    std::unique_ptr<Statements> statements_;
};

// A write that belongs together: begun on construction, stored by commit(), undone when the
// guard goes out of scope without a commit (also when an exception passes through).
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // ErrDatabase when the commit fails or the transaction was already undone by a failure.
    void commit();

    // The next record number of a table: its largest SeqNo + 1, or 1 when it is empty. Read
    // under this transaction's write lock, so the number stays free until the commit.
    Long nextSeqNo(const QString& table);

private:
    Database& db_;
    bool done_ = false;
};

}  // namespace mt52
