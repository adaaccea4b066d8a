#include "browser/LogTree.h"

#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/Database.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <string_view>

namespace mt52 {

namespace {

// One folder level of the tree: the Log_Head column it groups by, its letter and the kind of
// dashes that stand for a blank value.
struct Level {
    QString LogHeadPlace::*Column;
    const char* ColumnName;
    const QString* Letter;
    Integer BlankKind;
};

const Level SerialLevel{&LogHeadPlace::SerialNo, "SerialNo", &NodeLetter::Serial, BlankSerialNo};
const Level StationLevel{&LogHeadPlace::StationID, "StationID", &NodeLetter::Station, BlankStationId};
const Level UserLevel{&LogHeadPlace::UserID, "UserID", &NodeLetter::User, BlankUserId};
const Level MonthLevel{&LogHeadPlace::FolderID, "FolderID", &NodeLetter::Month, BlankMonthFolder};

const Level* LevelOfLetter(const QString& letter) {
    for (const Level* level : {&SerialLevel, &StationLevel, &UserLevel, &MonthLevel})
        if (*level->Letter == letter)
            return level;
    return nullptr;
}

std::vector<const Level*> LevelsOf(const LogGrouping& grouping) {
    std::vector<const Level*> levels;
    if (grouping.BySerialNo)
        levels.push_back(&SerialLevel);
    if (grouping.ByStationId)
        levels.push_back(&StationLevel);
    if (grouping.ByUserId)
        levels.push_back(&UserLevel);
    levels.push_back(&MonthLevel);
    return levels;
}

// The database compares texts with NOCASE, which folds the ASCII letters only; grouping folds
// the same way so that a folder's condition finds exactly its rows.
QString FoldAscii(const QString& text) {
    QString folded = text;
    for (QChar& c : folded)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return folded;
}

// A folder text as a part of a key: the separator ">" and the escape "%" are escaped.
QString KeyPart(const QString& text) {
    if (!text.contains(u'%') && !text.contains(u'>'))
        return text;
    QString part = text;
    part.replace(u'%', QStringLiteral("%25"));
    part.replace(u'>', QStringLiteral("%3E"));
    return part;
}

bool TextLess(const QString& a, const QString& b) {
    const int insensitive = QString::compare(a, b, Qt::CaseInsensitive);
    return insensitive != 0 ? insensitive < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

// The folders while the rows are sorted in; turned into the tree's nodes afterwards.
struct Folder {
    QString Text;
    // Children by their folded text, and by the UTF-8 bytes of the exact stored value already
    // seen (most rows repeat a value exactly, which spares decoding, trimming and folding it).
    QHash<QString, int> ChildByGroup;
    QHash<QByteArray, int> ChildByStored;
    std::vector<int> Children;
    unsigned KindMask = 0;  // month folders: bit i set when RecordKinds()[i] has rows
};

int KindIndexOf(Long types, bool extended) {
    const auto& kinds = RecordKinds();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (kinds[i].LogType == types)
            return kinds[i].ExtendedOnly && !extended ? -1 : static_cast<int>(i);
    return -1;
}

QString StringOf(const Variant& value) { return value.isNull() || value.isEmpty() ? QString() : value.toString(); }

}  // namespace

std::vector<LogHeadPlace> ReadLogHeadPlaces(Database& db) {
    Recordset rs = db.query(QStringLiteral("SELECT Types, SerialNo, StationID, UserID, FolderID FROM Log_Head"));
    std::vector<LogHeadPlace> places;
    places.reserve(static_cast<std::size_t>(rs.recordCount()));
    for (; !rs.atEnd(); rs.moveNext()) {
        const Variant types = rs.field(0);
        LogHeadPlace place;
        place.Types = types.isNumeric() ? types.toLong() : 0;
        place.SerialNo = StringOf(rs.field(1));
        place.StationID = StringOf(rs.field(2));
        place.UserID = StringOf(rs.field(3));
        place.FolderID = StringOf(rs.field(4));
        places.push_back(std::move(place));
    }
    return places;
}

LogNodeCondition IdentityCondition(const QString& column, const QString& shownText, Integer blankKind) {
    // A blank value is shown as its dashes; the folder of the dashes holds the blank rows too.
    if (shownText == BlankToDashes(QString(), blankKind))
        return {QStringLiteral("(TRIM(COALESCE(%1, '')) = '' OR TRIM(%1) = ? COLLATE NOCASE)").arg(column), {shownText}};
    return {QStringLiteral("TRIM(%1) = ? COLLATE NOCASE").arg(column), {shownText}};
}

QString LogNodeCondition::Where() const { return Sql.isEmpty() ? QString() : QStringLiteral(" WHERE ") + Sql; }

LogTree::LogTree() {
    Node root;
    root.Key = RootNodeKey;
    root.Text = GetResText(5107);
    root.Letter = NodeLetter::Root;
    Add(std::move(root));
}

int LogTree::Add(Node node) {
    const int index = Count();
    byKey_.insert(node.Key, index);
    if (node.Parent >= 0)
        nodes_[static_cast<std::size_t>(node.Parent)].Children.push_back(index);
    nodes_.push_back(std::move(node));
    return index;
}

const LogTree::Node* LogTree::Find(const QString& key) const {
    const int index = IndexOf(key);
    return index < 0 ? nullptr : &nodes_[static_cast<std::size_t>(index)];
}

// Sorts rows into folders, level by level, and then turns the folders into the tree's nodes.
class LogTreeBuilder {
public:
    LogTreeBuilder(std::vector<const Level*> levels, bool extended)
        : levels_(std::move(levels)), extended_(extended), folders_(1) {}

    // One stored value of a row: its UTF-8 bytes, and how to read it as text when the tree
    // has not seen those bytes yet under the folder.
    struct Stored {
        QByteArrayView Bytes;
        const QString* Known = nullptr;  // the text, when the caller has it
        const RowReader* Row = nullptr;  // else the row and column to decode it from
        int Column = 0;
        QString Text() const { return Known ? *Known : Row->text(Column); }
    };

    // values: the row's stored values in the order of the levels.
    void AddRow(Long types, const Stored* values) {
        const int at = FolderOf(values);
        const int kind = KindIndexOf(types, extended_);
        if (kind >= 0)
            folders_[static_cast<std::size_t>(at)].KindMask |= 1u << kind;
    }

    const std::vector<const Level*>& Levels() const { return levels_; }
    LogTree Finish();

private:
    void AddChildren(LogTree& tree, int folderIndex, int parentNode, std::size_t depth, const QString& path);

    // The month folder of a row's values, made with the folders above it when new.
    int FolderOf(const Stored* values) {
        int at = 0;
        for (std::size_t depth = 0; depth < levels_.size(); ++depth) {
            // Rows of one instrument tend to follow each other: a value the previous row had
            // under the same folder leads to the same child without a lookup.
            Recent& recent = recent_[depth];
            const std::string_view bytes(values[depth].Bytes.data(), static_cast<std::size_t>(values[depth].Bytes.size()));
            if (recent.Parent == at && recent.Bytes == bytes) {
                at = recent.Child;
                continue;
            }
            recent.Parent = at;
            recent.Bytes.assign(bytes);
            at = recent.Child = ChildFor(at, *levels_[depth], values[depth]);
        }
        return at;
    }

    int ChildFor(int parentIndex, const Level& level, const Stored& stored) {
        Folder& parent = folders_[static_cast<std::size_t>(parentIndex)];
        // A lookup by the bytes as they stand, without copying them.
        const QByteArray bytes = QByteArray::fromRawData(stored.Bytes.data(), stored.Bytes.size());
        if (auto known = parent.ChildByStored.constFind(bytes); known != parent.ChildByStored.constEnd())
            return known.value();
        QByteArray storedKey(stored.Bytes.data(), stored.Bytes.size());
        QString text = BlankToDashes(stored.Text(), level.BlankKind);
        QString group = FoldAscii(text);
        int child = parent.ChildByGroup.value(group, -1);
        if (child < 0) {
            child = static_cast<int>(folders_.size());
            parent.ChildByGroup.insert(std::move(group), child);
            parent.Children.push_back(child);
            Folder folder;
            folder.Text = std::move(text);
            folders_.push_back(std::move(folder));  // `parent` is not used after this
        }
        folders_[static_cast<std::size_t>(parentIndex)].ChildByStored.insert(std::move(storedKey), child);
        return child;
    }

    // The child the previous row reached at a level: its parent, its stored bytes, the child.
    struct Recent {
        int Parent = -1;
        std::string Bytes;
        int Child = -1;
    };

    std::vector<const Level*> levels_;
    bool extended_;
    std::vector<Recent> recent_ = std::vector<Recent>(levels_.size());
    std::vector<Folder> folders_;
    std::array<QString, std::tuple_size_v<std::decay_t<decltype(RecordKinds())>>> kindTexts_;
    std::array<QString, std::tuple_size_v<std::decay_t<decltype(RecordKinds())>>> kindLetters_;
};

LogTree LogTree::Build(const std::vector<LogHeadPlace>& rows, const LogGrouping& grouping) {
    LogTreeBuilder builder(LevelsOf(grouping), grouping.Extended);
    const std::size_t levelCount = builder.Levels().size();
    std::vector<LogTreeBuilder::Stored> values(levelCount);
    for (const LogHeadPlace& row : rows) {
        // Every value is a text here: its UTF-16 code units serve as the bytes.
        for (std::size_t i = 0; i < levelCount; ++i) {
            const QString& text = row.*(builder.Levels()[i]->Column);
            values[i] = {QByteArrayView(reinterpret_cast<const char*>(text.constData()), text.size() * 2), &text};
        }
        builder.AddRow(row.Types, values.data());
    }
    return builder.Finish();
}

LogTree LogTree::Load(Database& db, const LogGrouping& grouping) {
    LogTreeBuilder builder(LevelsOf(grouping), grouping.Extended);
    QStringList columns{QStringLiteral("Types")};
    for (const Level* level : builder.Levels())
        columns << QLatin1String(level->ColumnName);
    const std::size_t levelCount = builder.Levels().size();
    // The rows are read one at a time: a value is decoded only when its folder does not know
    // it yet, and nothing else of the row is copied.
    std::vector<LogTreeBuilder::Stored> values(levelCount);
    std::vector<QByteArray> otherBytes(levelCount);
    std::vector<QString> otherTexts(levelCount);
    db.forEachRow(QStringLiteral("SELECT %1 FROM Log_Head").arg(columns.join(QStringLiteral(", "))), {},
                  [&](const RowReader& row) {
                      for (std::size_t i = 0; i < levelCount; ++i) {
                          const int column = static_cast<int>(i) + 1;
                          if (row.isText(column)) {
                              values[i] = {row.utf8(column), nullptr, &row, column};
                          } else {
                              // Null, a number: the text the value reads as.
                              otherTexts[i] = StringOf(row.value(column));
                              otherBytes[i] = otherTexts[i].toUtf8();
                              values[i] = {otherBytes[i], &otherTexts[i]};
                          }
                      }
                      const Variant types = row.value(0);
                      builder.AddRow(types.isNumeric() ? types.toLong() : 0, values.data());
                  });
    return builder.Finish();
}

namespace {

// A key: the path, a blank and the letter, made in one allocation.
QString NodeKey(const QString& path, const QString& letter) {
    QString key;
    key.reserve(path.size() + 1 + letter.size());
    key.append(path).append(u' ').append(letter);
    return key;
}

}  // namespace

LogTree LogTreeBuilder::Finish() {
    const auto& kinds = RecordKinds();
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        kindTexts_[k] = GetResText(kinds[k].TextId);
        kindLetters_[k] = QString(QLatin1Char(kinds[k].FolderLetter));
    }
    LogTree tree;
    std::size_t nodeCount = folders_.size();
    for (const Folder& folder : folders_)
        nodeCount += static_cast<std::size_t>(std::popcount(folder.KindMask));
    tree.nodes_.reserve(nodeCount);
    tree.byKey_.reserve(static_cast<qsizetype>(nodeCount));
    AddChildren(tree, 0, 0, 0, QString());
    return tree;
}

// Depth first, so that node positions follow the order in which the folders are shown.
void LogTreeBuilder::AddChildren(LogTree& tree, int folderIndex, int parentNode, std::size_t depth, const QString& path) {
    const auto& kinds = RecordKinds();
    Folder& parent = folders_[static_cast<std::size_t>(folderIndex)];
    std::sort(parent.Children.begin(), parent.Children.end(), [&](int a, int b) {
        return TextLess(folders_[static_cast<std::size_t>(a)].Text, folders_[static_cast<std::size_t>(b)].Text);
    });
    const QString& letter = *levels_[depth]->Letter;
    for (int childIndex : parent.Children) {
        const Folder& child = folders_[static_cast<std::size_t>(childIndex)];
        const QString part = KeyPart(child.Text);
        QString childPath;
        if (depth == 0) {
            childPath = part;
        } else {
            childPath.reserve(path.size() + 1 + part.size());
            childPath.append(path).append(u'>').append(part);
        }
        LogTree::Node node;
        node.Letter = letter;
        node.Key = NodeKey(childPath, letter);
        node.Text = child.Text;
        node.Parent = parentNode;
        const int nodeIndex = tree.Add(std::move(node));
        if (depth + 1 < levels_.size()) {
            AddChildren(tree, childIndex, nodeIndex, depth + 1, childPath);
            continue;
        }
        for (std::size_t k = 0; k < kinds.size(); ++k) {
            if (!(child.KindMask & (1u << k)))
                continue;
            LogTree::Node kindNode;
            kindNode.Letter = kindLetters_[k];
            kindNode.Key = NodeKey(childPath, kindNode.Letter);
            kindNode.Text = kindTexts_[k];
            kindNode.Parent = nodeIndex;
            kindNode.LogType = kinds[k].LogType;
            tree.Add(std::move(kindNode));
        }
    }
}

std::optional<LogNodeCondition> LogTree::Condition(const QString& key) const {
    int index = IndexOf(key);
    if (index < 0)
        return std::nullopt;
    QStringList clauses;
    LogNodeCondition condition;
    for (; index > 0; index = At(index).Parent) {
        const Node& node = At(index);
        if (node.LogType != 0) {
            clauses << QStringLiteral("Types = ?");
            condition.Values.emplace_back(node.LogType);
            continue;
        }
        const Level* level = LevelOfLetter(node.Letter);
        if (!level)
            continue;
        const LogNodeCondition clause = IdentityCondition(QLatin1String(level->ColumnName), node.Text, level->BlankKind);
        clauses << clause.Sql;
        condition.Values.insert(condition.Values.end(), clause.Values.begin(), clause.Values.end());
    }
    condition.Sql = clauses.join(QStringLiteral(" AND "));
    return condition;
}

}  // namespace mt52
