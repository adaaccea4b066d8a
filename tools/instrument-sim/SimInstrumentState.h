#pragma once
// What the simulated instrument knows: its identity, its settings, its clock, its logging
// memory (with snapshot records) and whether it sits in its cradle (line signals on).
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>

namespace mt52::sim {

// One snapshot record as the instrument keeps it in its logging memory.
struct SimSnapshot {
    quint16 logNo = 0;
    QByteArray gasName;    // 10 characters
    QByteArray fullScale;  // 5 characters of text
    QByteArray digit;      // 5 characters of text
    QByteArray unit;       // 5 characters of text
    QByteArray gasValue;   // 5 characters of text
    QDateTime when;        // stored as YY MM DD hh mm ss bytes, year 2000 + YY
};

class SimInstrumentState {
public:
    static constexpr int BlockSize = 128;            // bytes per dump block
    static constexpr int RecordSize = 64;            // bytes per memory record
    static constexpr int FirstSnapshotBlock = 15;    // blocks counted from 1

    SimInstrumentState();

    // The model name the connection poll answers with.
    QByteArray model = "MT-52";
    // Settings and identity by the two-letter code of their command ("IN" serial number,
    // "XZ" user ID, "XS" station ID ...), as the text the instrument sends.
    QMap<QByteArray, QByteArray> registers;
    // The gas library, one row per entry as the "LI,R" reply carries it: row number, table
    // number, name, full scale, resolution, unit.
    QList<QByteArray> gasLibrary;
    // The instrument clock: its offset from the time the simulator is asked at.
    qint64 clockOffsetSeconds = 0;
    // Settings uploads closed with "DW,W".
    int settingsCommits = 0;
    // Cradle contacts: the line signals the link sees.
    bool cts = false;
    bool dsr = false;
    // Switched on; a switched-off instrument answers nothing.
    bool poweredOn = true;

    // The logging memory, blocks of 128 bytes, erased bytes FFh.
    const QByteArray& memory() const { return memory_; }
    void resizeMemory(int blocks);
    int blockCount() const { return static_cast<int>(memory_.size() / BlockSize); }
    // The bytes of block n (counted from 1), as sent in a dump block.
    QByteArray block(int n) const;
    // Writes a snapshot record into record slot `slot` of the snapshot area (two records
    // per block from block 15 on); grows the memory when needed.
    void putSnapshot(int slot, const SimSnapshot& snapshot);
    // Erases the logging memory (all FFh), as a data clear does.
    void clearMemory();

    void placeInCradle() { cts = dsr = true; }
    void takeOutOfCradle() { cts = dsr = false; }

private:
    QByteArray memory_;
};

}  // namespace mt52::sim
