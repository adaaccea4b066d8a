#include "records/RecordStore.h"

#include "common/DatabaseSchema.h"
#include "platform/RuntimeError.h"

namespace mt52 {
namespace {
const QString BeginRecord = QStringLiteral("SAVEPOINT record");
const QString KeepRecord = QStringLiteral("RELEASE record");
const QString UndoRecord = QStringLiteral("ROLLBACK TO record");
}  // namespace

RecordStore::RecordStore(QString databasePath) : path_(std::move(databasePath)) {}

RecordStore::~RecordStore() {
    try {
        Commit();
    } catch (const RuntimeError&) {
        // Nothing can be told from here; the records are undone, never half stored.
    }
}

Database& RecordStore::db() {
    if (!db_) {
        Database opened(path_);
        EnsureLookupIndexes(opened);
        db_.emplace(std::move(opened));
    }
    return *db_;
}

RecordStore::RecordScope RecordStore::Record() {
    if (inRecord_)
        Raise(ErrDatabase, QStringLiteral("A record is already being stored"));
    Database& database = db();
    if (!transaction_)
        transaction_.emplace(database);
    database.execute(BeginRecord);
    inRecord_ = true;
    return RecordScope(*this);
}

Long RecordStore::nextSeqNo(const QString& table) {
    if (!inRecord_ || !transaction_)
        Raise(ErrDatabase, QStringLiteral("A record number is read outside a record"));
    return transaction_->nextSeqNo(table);
}

void RecordStore::EndRecord(bool keep) {
    inRecord_ = false;
    Database& database = *db_;
    if (!database.inTransaction()) {
        // SQLite undid the whole transaction (a full disk, an I/O error): the finished
        // records before this one went with it.
        lost_ += pending_;
        pending_ = 0;
        transaction_.reset();
        return;
    }
    if (keep) {
        database.execute(KeepRecord);
        ++pending_;
        return;
    }
    database.execute(UndoRecord);
    database.execute(KeepRecord);
}

void RecordStore::Commit() {
    if (inRecord_)
        Raise(ErrDatabase, QStringLiteral("A record is still being stored"));
    const int lost = lost_;
    lost_ = 0;
    if (transaction_) {
        pending_ = 0;
        // The transaction ends here either way: committed, or undone when the commit fails.
        struct End {
            std::optional<Transaction>& transaction;
            ~End() { transaction.reset(); }
        } end{transaction_};
        transaction_->commit();
    }
    if (lost > 0)
        Raise(ErrDatabase, QStringLiteral("%1 stored records were undone by a database failure").arg(lost));
}

RecordStore::RecordScope::RecordScope(RecordScope&& other) noexcept : store_(other.store_) { other.store_ = nullptr; }

RecordStore::RecordScope::~RecordScope() {
    if (!store_)
        return;
    try {
        store_->EndRecord(false);
    } catch (const RuntimeError&) {
        // The savepoint could not be undone: give up the whole uncommitted transaction, so
        // no part of this record can be committed later.
        store_->lost_ += store_->pending_;
        store_->pending_ = 0;
        store_->transaction_.reset();
    }
}

void RecordStore::RecordScope::Done() {
    if (!store_)
        Raise(ErrDatabase, QStringLiteral("The record has already ended"));
    RecordStore* store = store_;
    store_ = nullptr;
    store->EndRecord(true);
}

}  // namespace mt52
