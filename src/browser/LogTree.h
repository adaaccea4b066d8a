#pragma once
// The record tree of the stored-data page as a function of the Log_Head rows: a root, then a
// folder level for each identity the grouping asks for (serial number, station ID, user ID, in
// that order), then the month folders (FolderID), then one folder per record kind a month holds.
//
// Folder texts are the stored values trimmed of blanks, a blank value shown as dashes (or "*"
// for a month). Identities compare without regard to case, as the database compares them, so
// "ab12", " AB12" and "AB12 " make one folder; its text is the spelling of the first such row.
// Siblings stand in order of their texts without regard to case. Folder keys are built from
// the escaped texts of the whole path, so two different paths never share a key.
//
// Every folder has a condition on Log_Head (an SQL expression with bound values) that selects
// exactly the rows the tree put under it, whatever type a value is stored as (a number, or a
// text that is not UTF-8, from a database made by another tool); the record list and the
// deletion use it.
#include "browser/LogNodeKey.h"
#include "platform/Types.h"
#include "platform/Variant.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace mt52 {

class Database;

// The grouping boxes of the stored-data page and the extended mode (power-event folders).
struct LogGrouping {
    bool BySerialNo = false;
    bool ByStationId = false;
    bool ByUserId = false;
    bool Extended = false;
};

// What places one Log_Head row in the tree. A Null column reads as the empty text (a blank folder).
struct LogHeadPlace {
    Long Types = 0;
    QString SerialNo;
    QString StationID;
    QString UserID;
    QString FolderID;
};

// The places of every Log_Head row.
std::vector<LogHeadPlace> ReadLogHeadPlaces(Database& db);

// A condition on Log_Head: the expression without the word WHERE, and its values in order.
// The root's condition is empty and selects every row.
struct LogNodeCondition {
    QString Sql;
    std::vector<Variant> Values;

    // " WHERE " and the expression, or the empty text for the root.
    QString Where() const;
};

// The condition that a column, read as the tree reads it (program_text) and compared as the
// tree compares identities (trimmed, without regard to ASCII case), shows the text; the dashes
// (or "*") of a blank value also find the blank and Null values. blankKind is the
// BlankToDashes kind of the column.
LogNodeCondition IdentityCondition(const QString& column, const QString& shownText, Integer blankKind);

class LogTree {
public:
    struct Node {
        QString Key;
        QString Text;
        QString Letter;
        int Parent = -1;
        std::vector<int> Children;
        // The record kind of a kind folder, 0 for the other nodes.
        Long LogType = 0;
    };

    // A tree holding only the root.
    LogTree();
    ~LogTree();
    LogTree(LogTree&&) noexcept;
    LogTree& operator=(LogTree&&) noexcept;

    static LogTree Build(const std::vector<LogHeadPlace>& rows, const LogGrouping& grouping);
    static LogTree Load(Database& db, const LogGrouping& grouping);

    // Nodes in depth-first order (each node before its children, siblings in order); the
    // root is node 0. A node's texts are made when it is first asked for: a tree of a large
    // database has tens of thousands of folders, of which a user opens a few.
    int Count() const { return static_cast<int>(places_.size()); }
    const Node& At(int index) const;
    // Index of the node with the key; -1 when the tree has none.
    int IndexOf(const QString& key) const;
    const Node* Find(const QString& key) const;

    // The condition of a node's rows: its own clause, then its parent's, up to the first level.
    // nullopt for a key that names no node of the tree.
    std::optional<LogNodeCondition> Condition(const QString& key) const;

private:
    friend class LogTreeBuilder;

    // A folder: the root, a grouping folder or a month. Its children are the folders below it,
    // in the order they are shown; a month's kind folders are its KindMask.
    struct Folder {
        int Text = -1;  // index into texts_; -1 for the root
        int Parent = -1;
        int Depth = 0;  // 0 for the root, 1 for the first grouping level
        int FirstChild = 0;  // children are children_[FirstChild, FirstChild + ChildCount)
        int ChildCount = 0;
        unsigned KindMask = 0;  // month folders: bit i set when RecordKinds()[i] has rows
        int NodeIndex = 0;
    };
    // What a node index stands for: a folder, or one of a month's kind folders.
    struct Place {
        int Folder = 0;
        int Kind = -1;  // index into RecordKinds(), -1 for the folder itself
    };

    QString PathOf(int folder) const;
    Node MakeNode(int index) const;
    int ChildWithText(int folder, const QString& text) const;

    std::vector<QString> letters_;  // the letter of each grouping depth, 1 ..
    std::vector<QString> texts_;
    std::vector<Folder> folders_;
    std::vector<int> children_;
    std::vector<Place> places_;
    mutable std::vector<std::unique_ptr<Node>> nodes_;  // made when first asked for
};

// MakeLogWhere: the condition of a node of the tree.
inline std::optional<LogNodeCondition> MakeLogWhere(const LogTree& tree, const QString& key) {
    return tree.Condition(key);
}

}  // namespace mt52
