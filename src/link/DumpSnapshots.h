#pragma once
// The snapshot records of the memory dump. From block 15 on every dump block holds two
// records of 64 bytes; a record that begins with EE EE is a snapshot. Each snapshot found is
// written through one clsSnapShot (created on first use and kept), which stores it once:
// a snapshot that is already in the database is not stored again.
//
// A download stores through one RecordStore (one connection, statements compiled once) from
// Begin to End, and commits the snapshots of each block before StoreBlock returns, that is
// before the block is acknowledged and the next one comes.
#include "platform/Types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace mt52 {

class clsInstrument;
class clsSnapShot;
class RecordStore;

class DumpSnapshots {
public:
    static constexpr int FirstSnapshotBlock = 15;
    static constexpr int RecordDigits = 128;

    DumpSnapshots();
    ~DumpSnapshots();
    DumpSnapshots(const DumpSnapshots&) = delete;
    DumpSnapshots& operator=(const DumpSnapshots&) = delete;

    // Starts a download into the database file at the path (opened with the first snapshot).
    void Begin(const QString& databasePath);
    // Ends the download: commits what is left and closes the database. The failures of that
    // last commit, described as by StoreBlock (empty when all went well, or without Begin).
    QStringList End();

    // Stores the snapshot records of one block (its bytes as hexadecimal digits) with the
    // identity of `instrument` and commits them. A record that fails to be stored does not
    // stop the others; each failure is described in the returned list (empty when all went
    // well). Outside Begin .. End nothing is stored and the block is described as a failure.
    QStringList StoreBlock(int blockNo, const QByteArray& digits, clsInstrument& instrument);

    // Whether 128 digits of a record mark a snapshot ("EEEE" first).
    static bool IsSnapshotRecord(const QByteArray& recordDigits);

    // The record object the snapshots go through; null before the first snapshot.
    clsSnapShot* Record() const { return record_.get(); }

private:
    void StoreRecord(const QByteArray& recordDigits, clsInstrument& instrument);

    std::unique_ptr<clsSnapShot> record_;
    std::unique_ptr<RecordStore> store_;
};

}  // namespace mt52
