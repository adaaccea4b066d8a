#include "browser/LogTree.h"

#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/Database.h"

#include <algorithm>
#include <array>
#include <functional>

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
    // Children by their folded text, and by the exact stored value already seen (most rows
    // repeat a value exactly, which spares trimming and folding it again).
    QHash<QString, int> ChildByGroup;
    QHash<QString, int> ChildByStored;
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

    // values: the row's stored texts in the order of the levels.
    void AddRow(Long types, const QString* const* values) {
        int at = 0;
        for (std::size_t depth = 0; depth < levels_.size(); ++depth)
            at = ChildFor(at, *levels_[depth], *values[depth]);
        const int kind = KindIndexOf(types, extended_);
        if (kind >= 0)
            folders_[static_cast<std::size_t>(at)].KindMask |= 1u << kind;
    }

    const std::vector<const Level*>& Levels() const { return levels_; }
    LogTree Finish();

private:
    int ChildFor(int parentIndex, const Level& level, const QString& stored) {
        Folder& parent = folders_[static_cast<std::size_t>(parentIndex)];
        if (auto known = parent.ChildByStored.constFind(stored); known != parent.ChildByStored.constEnd())
            return known.value();
        QString text = BlankToDashes(stored, level.BlankKind);
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
        folders_[static_cast<std::size_t>(parentIndex)].ChildByStored.insert(stored, child);
        return child;
    }

    std::vector<const Level*> levels_;
    bool extended_;
    std::vector<Folder> folders_;
};

LogTree LogTree::Build(const std::vector<LogHeadPlace>& rows, const LogGrouping& grouping) {
    LogTreeBuilder builder(LevelsOf(grouping), grouping.Extended);
    std::vector<const QString*> values(builder.Levels().size());
    for (const LogHeadPlace& row : rows) {
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = &(row.*(builder.Levels()[i]->Column));
        builder.AddRow(row.Types, values.data());
    }
    return builder.Finish();
}

LogTree LogTree::Load(Database& db, const LogGrouping& grouping) {
    LogTreeBuilder builder(LevelsOf(grouping), grouping.Extended);
    QStringList columns{QStringLiteral("Types")};
    for (const Level* level : builder.Levels())
        columns << QLatin1String(level->ColumnName);
    Recordset rs = db.query(QStringLiteral("SELECT %1 FROM Log_Head").arg(columns.join(QStringLiteral(", "))));
    const int levelCount = static_cast<int>(builder.Levels().size());
    std::vector<QString> texts(static_cast<std::size_t>(levelCount));
    std::vector<const QString*> values(static_cast<std::size_t>(levelCount));
    for (int i = 0; i < levelCount; ++i)
        values[static_cast<std::size_t>(i)] = &texts[static_cast<std::size_t>(i)];
    for (; !rs.atEnd(); rs.moveNext()) {
        for (int i = 0; i < levelCount; ++i)
            texts[static_cast<std::size_t>(i)] = StringOf(rs.field(i + 1));
        const Variant types = rs.field(0);
        builder.AddRow(types.isNumeric() ? types.toLong() : 0, values.data());
    }
    return builder.Finish();
}

LogTree LogTreeBuilder::Finish() {
    const std::vector<const Level*>& levels = levels_;
    std::vector<Folder>& folders = folders_;
    const std::size_t monthDepth = levels.size();
    const auto& kinds = RecordKinds();
    std::array<QString, std::tuple_size_v<std::decay_t<decltype(kinds)>>> kindTexts;
    for (std::size_t k = 0; k < kinds.size(); ++k)
        kindTexts[k] = GetResText(kinds[k].TextId);
    LogTree tree;
    // Depth first, so that node positions follow the order in which the folders are shown.
    std::function<void(int, int, std::size_t, const QString&)> addChildren = [&](int folderIndex, int parentNode,
                                                                          std::size_t depth, const QString& path) {
        Folder& parent = folders[static_cast<std::size_t>(folderIndex)];
        std::sort(parent.Children.begin(), parent.Children.end(), [&](int a, int b) {
            return TextLess(folders[static_cast<std::size_t>(a)].Text, folders[static_cast<std::size_t>(b)].Text);
        });
        for (int childIndex : parent.Children) {
            const Folder& child = folders[static_cast<std::size_t>(childIndex)];
            const QString childPath = depth == 0 ? KeyPart(child.Text) : path + u'>' + KeyPart(child.Text);
            LogTree::Node node;
            node.Letter = *levels[depth]->Letter;
            node.Key = childPath + u' ' + node.Letter;
            node.Text = child.Text;
            node.Parent = parentNode;
            const int nodeIndex = tree.Add(std::move(node));
            if (depth + 1 < monthDepth) {
                addChildren(childIndex, nodeIndex, depth + 1, childPath);
                continue;
            }
            for (std::size_t k = 0; k < kinds.size(); ++k) {
                if (!(child.KindMask & (1u << k)))
                    continue;
                LogTree::Node kindNode;
                kindNode.Letter = QString(QLatin1Char(kinds[k].FolderLetter));
                kindNode.Key = childPath + u' ' + kindNode.Letter;
                kindNode.Text = kindTexts[k];
                kindNode.Parent = nodeIndex;
                kindNode.LogType = kinds[k].LogType;
                tree.Add(std::move(kindNode));
            }
        }
    };
    addChildren(0, 0, 0, QString());
    return tree;
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
