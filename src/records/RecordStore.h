#pragma once
// The database side of a download or an import: one connection for the whole run, so the
// schema is read once and every statement is compiled once (the connection keeps them by
// text), and commit points that keep what was received safe.
//
//   - A record is all or nothing: Record() opens a savepoint that the guard releases on
//     Done() and undoes otherwise (also when an exception passes through).
//   - Finished records are collected in one transaction that Commit() stores; a download
//     calls it when a block is complete, before the next block is asked for, so a pulled
//     cable loses nothing the instrument was told had arrived. The store commits what is
//     finished when it goes away as well.
//
// The connection is opened on the first use; opening it also creates the lookup indexes a
// database made by an older version lacks (EnsureLookupIndexes), so the duplicate checks
// never read a whole table.
//
// A writer of a record kind follows this pattern:
//     RecordStore::RecordScope record = store.Record();
//     if (already stored, by a query on store.db()) return;          // nothing written
//     const Long key = store.nextSeqNo("Log_Head");
//     store.db().execute(InsertHead, {key, ...});
//     store.db().execute(InsertRows, {...});
//     record.Done();
// and the download calls store.Commit() at the end of each block.
#include "platform/Database.h"
#include "platform/Types.h"

#include <QString>
#include <optional>

namespace mt52 {

class RecordStore {
public:
    // Nothing is opened yet; the file must exist when the first record is stored.
    explicit RecordStore(QString databasePath);
    // Commits the finished records; a failure of that last commit is lost with the store, so
    // a caller that must know calls Commit() first.
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    const QString& path() const { return path_; }

    // The connection, opened on first use. ErrDatabase when the file is missing or no database.
    Database& db();

    // One record being written: undone unless Done() is called.
    class RecordScope {
    public:
        ~RecordScope();
        RecordScope(RecordScope&& other) noexcept;
        RecordScope(const RecordScope&) = delete;
        RecordScope& operator=(const RecordScope&) = delete;
        RecordScope& operator=(RecordScope&&) = delete;

        // The record is whole: it becomes part of the next commit.
        void Done();

    private:
        friend class RecordStore;
        explicit RecordScope(RecordStore& store) : store_(&store) {}
        RecordStore* store_;
    };

    // Begins a record, inside the transaction of the records not yet committed (begun here
    // when none is open).
    [[nodiscard]] RecordScope Record();

    // The next key of a table, read under the open transaction (see Transaction::nextSeqNo).
    // Only inside a record.
    Long nextSeqNo(const QString& table);

    // Stores every finished record for good. Nothing to do when none is waiting. ErrDatabase
    // when the commit fails (the uncommitted records are then undone), and when a failure
    // inside a record had already undone the finished records before it.
    void Commit();

    // Records finished since the last commit.
    int Pending() const { return pending_; }

private:
    void EndRecord(bool keep);

    QString path_;
    std::optional<Database> db_;
    std::optional<Transaction> transaction_;
    bool inRecord_ = false;
    int pending_ = 0;
    int lost_ = 0;  // finished records undone with their transaction by a failure
};

}  // namespace mt52
