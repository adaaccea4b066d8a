#pragma once
// The record list of the stored-data page as data: what lies directly under one tree node.
// A grouping folder (root, serial number, station, user, month) lists its child folders as
// the tree holds them; a record-kind folder lists its stored entries (Log_Head rows) with
// name, identity, time and, for snapshots, gas and reading. An entry key lists nothing.
#include "browser/LogTree.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mt52 {

class Database;

struct LogListColumn {
    QString Key;
    QString Caption;
    double Width;  // fraction of the list's width
};

struct LogListItem {
    QString Key;
    QString Text;       // the first column
    QString SmallIcon;
    QString LargeIcon;
    QStringList Cells;  // the further columns, in order
};

struct LogListing {
    enum class Kind { Folders, Entries };
    Kind ListKind = Kind::Folders;
    std::vector<LogListColumn> Columns;
    std::vector<LogListItem> Items;
    // Entry listings are sorted by their names (the first column), ascending; folder
    // listings keep the tree's order.
    bool Sorted = false;
    // Entry listings: whether the folder's query found any row (rows may still be left out
    // of the list by their Sampling).
    bool FoundRows = false;
};

// The listing of a node key; nullopt for a key whose letter lists nothing (an entry). The
// entries of a kind folder are read from the database.
std::optional<LogListing> ListLogNode(const LogTree& tree, const QString& key, Database& db);

// The snapshot texts of an entry's first SnapShot row: "CH4(100%LEL)" and "12.5%LEL" (fields
// trimmed, Null as empty); both empty without a row.
struct SnapShotGasText {
    QString Gas;
    QString Data;
};
SnapShotGasText GetSnapShotGasText(Database& db, Long seqNo);

// Orders items by their texts without regard to case (ties keep their order).
void SortListItems(std::vector<LogListItem>& items, bool ascending);

}  // namespace mt52
