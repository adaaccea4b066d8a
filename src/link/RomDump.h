#pragma once
// The memory dump download ("EF,R"): the instrument streams its logging memory block by
// block, each block acknowledged before the next comes, and the download turns the blocks
// into the dump listing and stores the snapshot records found in them.
//
// Blocks are checked before they are used: a block whose bytes are not 256 hexadecimal
// digits, or whose number does not follow the last one accepted, is rejected (the link then
// asks for it again), so the listing never gets a corrupt or shifted line. A block received a
// second time is accepted and not used again.
#include "link/DumpListing.h"
#include "link/DumpSnapshots.h"
#include "link/LinkCore.h"

#include <QString>

namespace mt52 {

class RomDump final : public DumpBlockSink {
public:
    static constexpr int BlockBytes = 128;
    static constexpr int BlockDigits = 2 * BlockBytes;

    explicit RomDump(LinkCore& link);

    // Downloads the dump into the listing file `fileName` (replaced). True when every block
    // arrived and was handled; false after a failed, cancelled or refused transfer, a write
    // failure of the listing or a snapshot that could not be stored (Status is then 2). The
    // listing is closed whatever happens. A file that cannot be created raises the file error
    // before anything is sent. Snapshot records are stored only when the instrument's
    // identity was read into the link's model since the link connected.
    bool GetRomDump2(const QString& fileName);

    bool DumpBlock(const QString& blockNo, const QString& hexBytes) override;

    const DumpSnapshots& Snapshots() const { return snapshots_; }
    // Why the last download could not store its records (the first failure, as the database
    // gave it); empty when nothing failed to be stored.
    const QString& StoreFailure() const { return storeFailure_; }

private:
    void Log(const QString& text) { link_.AddLog(text); }
    void ReportSnapshotFailures(const QStringList& failures);

    LinkCore& link_;
    DumpListing listing_;
    DumpSnapshots snapshots_;
    int lastBlock_ = 0;
    bool storeSnapshots_ = false;
    bool opResult_ = true;
    QString storeFailure_;
};

}  // namespace mt52
