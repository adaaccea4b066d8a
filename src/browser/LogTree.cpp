#include "browser/LogTree.h"

#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/Database.h"

#include <QHash>

#include <algorithm>
#include <bit>
#include <stdexcept>
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
    // The column is compared as the tree read it (program_text): a value stored as a number, or
    // as bytes that are not UTF-8, finds the folder whose text the tree made of it. TRIM takes
    // off blanks and NOCASE folds ASCII letters only, as the tree's grouping does.
    // A blank value is shown as its dashes; the folder of the dashes holds the blank rows too.
    if (shownText == BlankToDashes(QString(), blankKind))
        return {QStringLiteral("(TRIM(COALESCE(program_text(%1), '')) = '' OR TRIM(program_text(%1)) = ? COLLATE NOCASE)")
                    .arg(column),
                {shownText}};
    return {QStringLiteral("TRIM(program_text(%1)) = ? COLLATE NOCASE").arg(column), {shownText}};
}

QString LogNodeCondition::Where() const { return Sql.isEmpty() ? QString() : QStringLiteral(" WHERE ") + Sql; }

LogTree::LogTree() {
    folders_.emplace_back();
    places_.emplace_back();
    nodes_.resize(1);
}

LogTree::~LogTree() = default;
LogTree::LogTree(LogTree&&) noexcept = default;
LogTree& LogTree::operator=(LogTree&&) noexcept = default;

const LogTree::Node& LogTree::At(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("LogTree::At");
    std::unique_ptr<Node>& node = nodes_[static_cast<std::size_t>(index)];
    if (!node)
        node = std::make_unique<Node>(MakeNode(index));
    return *node;
}

const LogTree::Node* LogTree::Find(const QString& key) const {
    const int index = IndexOf(key);
    return index < 0 ? nullptr : &At(index);
}

// The escaped texts of the folders from the first level down to `folder`, joined by ">".
QString LogTree::PathOf(int folder) const {
    std::vector<int> chain;
    for (int f = folder; f > 0; f = folders_[static_cast<std::size_t>(f)].Parent)
        chain.push_back(f);
    QString path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin())
            path += u'>';
        path += KeyPart(texts_[static_cast<std::size_t>(folders_[static_cast<std::size_t>(*it)].Text)]);
    }
    return path;
}

LogTree::Node LogTree::MakeNode(int index) const {
    const auto& kinds = RecordKinds();
    const Place place = places_[static_cast<std::size_t>(index)];
    const Folder& folder = folders_[static_cast<std::size_t>(place.Folder)];
    Node node;
    if (place.Kind >= 0) {
        const RecordKind& kind = kinds[static_cast<std::size_t>(place.Kind)];
        node.Letter = QString(QLatin1Char(kind.FolderLetter));
        node.Key = PathOf(place.Folder) + u' ' + node.Letter;
        node.Text = GetResText(kind.TextId);
        node.Parent = folder.NodeIndex;
        node.LogType = kind.LogType;
        return node;
    }
    if (place.Folder == 0) {
        node.Key = RootNodeKey;
        node.Text = GetResText(5107);
        node.Letter = NodeLetter::Root;
    } else {
        node.Letter = letters_[static_cast<std::size_t>(folder.Depth - 1)];
        node.Key = PathOf(place.Folder) + u' ' + node.Letter;
        node.Text = texts_[static_cast<std::size_t>(folder.Text)];
        node.Parent = folders_[static_cast<std::size_t>(folder.Parent)].NodeIndex;
    }
    for (int i = 0; i < folder.ChildCount; ++i)
        node.Children.push_back(folders_[static_cast<std::size_t>(children_[static_cast<std::size_t>(folder.FirstChild + i)])].NodeIndex);
    for (int k = 0, n = std::popcount(folder.KindMask); k < n; ++k)
        node.Children.push_back(index + 1 + k);
    return node;
}

// The child of `folder` shown with exactly that text; -1 when none. Children stand in order of
// their texts, so the search halves.
int LogTree::ChildWithText(int folder, const QString& text) const {
    const Folder& parent = folders_[static_cast<std::size_t>(folder)];
    const auto first = children_.begin() + parent.FirstChild;
    const auto last = first + parent.ChildCount;
    const auto it = std::lower_bound(first, last, text, [this](int child, const QString& t) {
        return TextLess(texts_[static_cast<std::size_t>(folders_[static_cast<std::size_t>(child)].Text)], t);
    });
    if (it == last || texts_[static_cast<std::size_t>(folders_[static_cast<std::size_t>(*it)].Text)] != text)
        return -1;
    return *it;
}

namespace {

// A key's path part back to its folder text: "%3E" and "%25" undone. nullopt for a part that
// no folder text gives (a bare "%" or another escape).
std::optional<QString> UnescapeKeyPart(QStringView part) {
    if (!part.contains(u'%'))
        return part.toString();
    QString text;
    text.reserve(part.size());
    for (qsizetype i = 0; i < part.size(); ++i) {
        if (part[i] != u'%') {
            text += part[i];
            continue;
        }
        const QStringView escape = part.mid(i + 1, 2);
        if (escape == u"3E")
            text += u'>';
        else if (escape == u"25")
            text += u'%';
        else
            return std::nullopt;
        i += 2;
    }
    return text;
}

}  // namespace

int LogTree::IndexOf(const QString& key) const {
    if (key == RootNodeKey)
        return 0;
    const qsizetype blank = key.lastIndexOf(u' ');
    if (blank <= 0)
        return -1;
    const QStringView letter = QStringView(key).mid(blank + 1);
    int folder = 0;
    for (const QStringView part : QStringView(key).left(blank).tokenize(u'>')) {
        if (folders_[static_cast<std::size_t>(folder)].Depth >= static_cast<int>(letters_.size()))
            return -1;
        const std::optional<QString> text = UnescapeKeyPart(part);
        folder = text ? ChildWithText(folder, *text) : -1;
        if (folder < 0)
            return -1;
    }
    const Folder& found = folders_[static_cast<std::size_t>(folder)];
    int index = -1;
    if (letter == letters_[static_cast<std::size_t>(found.Depth - 1)]) {
        index = found.NodeIndex;
    } else if (found.Depth == static_cast<int>(letters_.size())) {
        const auto& kinds = RecordKinds();
        for (std::size_t k = 0; k < kinds.size(); ++k)
            if ((found.KindMask & (1u << k)) && letter.size() == 1 && letter[0] == QLatin1Char(kinds[k].FolderLetter))
                index = found.NodeIndex + 1 + std::popcount(found.KindMask & ((1u << k) - 1));
    }
    // The key must be the node's own, character for character.
    return index >= 0 && At(index).Key == key ? index : -1;
}

// Sorts the rows into folders and numbers the nodes. Rows are read once: each distinct stored
// value of a level is decoded, trimmed and folded once (a fleet has some hundreds of instruments,
// stations and users, but a hundred thousand records), and a row keeps only the numbers of its
// values. The folders are then made a level at a time by sorting each folder's rows by their
// group at the next level, keeping the rows' order, so that a folder's text is the spelling of
// its first row.
class LogTreeBuilder {
public:
    LogTreeBuilder(std::vector<const Level*> levels, bool extended)
        : levels_(std::move(levels)), extended_(extended), values_(levels_.size()) {}

    // One stored value of a row: its bytes, and how to read it as text when the level has not
    // seen those bytes yet.
    struct Stored {
        QByteArrayView Bytes;
        const QString* Known = nullptr;  // the text, when the caller has it
        const RowReader* Row = nullptr;  // else the row and column to decode it from
        int Column = 0;
        QString Text() const { return Known ? *Known : Row->text(Column); }
    };

    // values: the row's stored values in the order of the levels.
    void AddRow(Long types, const Stored* values) {
        rows_.push_back(KindIndexOf(types, extended_));
        for (std::size_t depth = 0; depth < levels_.size(); ++depth)
            rows_.push_back(ValueOf(depth, values[depth]));
    }

    const std::vector<const Level*>& Levels() const { return levels_; }
    LogTree Finish();

private:
    // The distinct stored values of one level.
    struct LevelValues {
        QHash<QByteArray, int> ByBytes;   // stored bytes -> value
        QHash<QString, int> GroupByFolded;  // folded text -> group
        std::string RecentBytes;  // the previous row's bytes and value: rows of one
        int RecentValue = -1;     // instrument tend to follow each other
    };

    int ValueOf(std::size_t depth, const Stored& stored) {
        LevelValues& level = values_[depth];
        const std::string_view bytes(stored.Bytes.data(), static_cast<std::size_t>(stored.Bytes.size()));
        if (level.RecentValue >= 0 && level.RecentBytes == bytes)
            return level.RecentValue;
        // The bytes are kept before the text is decoded: decoding may change the row's buffer.
        level.RecentBytes.assign(bytes);
        int value = level.ByBytes.value(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), -1);
        if (value < 0) {
            value = static_cast<int>(tree_.texts_.size());
            level.ByBytes.insert(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), value);
            QString text = BlankToDashes(stored.Text(), levels_[depth]->BlankKind);
            QString folded = FoldAscii(text);
            auto found = level.GroupByFolded.constFind(folded);
            if (found == level.GroupByFolded.constEnd())
                found = level.GroupByFolded.insert(std::move(folded), static_cast<int>(level.GroupByFolded.size()));
            groupOf_.push_back(found.value());
            tree_.texts_.push_back(std::move(text));
        }
        level.RecentValue = value;
        return value;
    }

    void Split(int folder, std::size_t depth, std::vector<int>& newFolders);
    void Number(int folder, int& next);

    std::vector<const Level*> levels_;
    bool extended_;
    std::vector<LevelValues> values_;
    std::vector<int> groupOf_;  // the group of each value, within its level
    std::vector<int> rows_;     // per row: the kind index, then the value of each level
    LogTree tree_;
    // While splitting: every row once, each folder's rows a range of it in their stored order.
    std::vector<int> order_, scratch_;
    std::vector<std::pair<int, int>> ranges_;
    std::vector<int> rank_;  // the place of each value's text among all texts
    std::vector<int> counts_, starts_, firstRow_, seen_;
};

LogTree LogTreeBuilder::Finish() {
    for (const Level* level : levels_)
        tree_.letters_.push_back(*level->Letter);
    const std::size_t stride = 1 + levels_.size();
    const int rowCount = static_cast<int>(rows_.size() / stride);
    // The order of the texts: siblings are sorted by the rank of their texts.
    std::vector<int> byText(tree_.texts_.size());
    for (std::size_t i = 0; i < byText.size(); ++i)
        byText[i] = static_cast<int>(i);
    std::sort(byText.begin(), byText.end(), [this](int a, int b) {
        return TextLess(tree_.texts_[static_cast<std::size_t>(a)], tree_.texts_[static_cast<std::size_t>(b)]);
    });
    rank_.assign(byText.size(), 0);
    for (std::size_t i = 1; i < byText.size(); ++i) {
        const int before = byText[i - 1], now = byText[i];
        rank_[static_cast<std::size_t>(now)] = rank_[static_cast<std::size_t>(before)] +
            (tree_.texts_[static_cast<std::size_t>(before)] == tree_.texts_[static_cast<std::size_t>(now)] ? 0 : 1);
    }
    std::size_t groups = 0;
    for (const LevelValues& level : values_)
        groups = std::max(groups, static_cast<std::size_t>(level.GroupByFolded.size()));
    counts_.assign(groups, 0);
    starts_.assign(groups, 0);
    firstRow_.assign(groups, 0);

    order_.resize(static_cast<std::size_t>(rowCount));
    for (int i = 0; i < rowCount; ++i)
        order_[static_cast<std::size_t>(i)] = i;
    scratch_.resize(order_.size());
    ranges_.assign(1, {0, rowCount});
    std::vector<int> level{0}, next;
    for (std::size_t depth = 0; depth < levels_.size() && rowCount > 0; ++depth) {
        next.clear();
        for (int folder : level)
            Split(folder, depth, next);
        level.swap(next);
    }
    // The month folders' kinds.
    for (int folder : level) {
        unsigned mask = 0;
        const auto [begin, end] = ranges_[static_cast<std::size_t>(folder)];
        for (int i = begin; i < end; ++i) {
            const int kind = rows_[static_cast<std::size_t>(order_[static_cast<std::size_t>(i)]) * stride];
            if (kind >= 0)
                mask |= 1u << kind;
        }
        tree_.folders_[static_cast<std::size_t>(folder)].KindMask = mask;
    }
    std::size_t nodeCount = tree_.folders_.size();
    for (const LogTree::Folder& folder : tree_.folders_)
        nodeCount += static_cast<std::size_t>(std::popcount(folder.KindMask));
    tree_.places_.assign(nodeCount, {});
    int nextIndex = 0;
    Number(0, nextIndex);
    tree_.nodes_.clear();
    tree_.nodes_.resize(nodeCount);
    return std::move(tree_);
}

// Makes the child folders of `folder` from its rows' groups at `depth`: a stable counting sort
// of its range of rows, the children in the order of their first rows, then sorted by text.
void LogTreeBuilder::Split(int folder, std::size_t depth, std::vector<int>& newFolders) {
    const std::size_t stride = 1 + levels_.size();
    const auto [begin, end] = ranges_[static_cast<std::size_t>(folder)];
    std::vector<int>& seen = seen_;
    seen.clear();
    for (int i = begin; i < end; ++i) {
        const int row = order_[static_cast<std::size_t>(i)];
        const int value = rows_[static_cast<std::size_t>(row) * stride + 1 + depth];
        const int group = groupOf_[static_cast<std::size_t>(value)];
        if (counts_[static_cast<std::size_t>(group)]++ == 0) {
            seen.push_back(group);
            firstRow_[static_cast<std::size_t>(group)] = row;
        }
    }
    const int firstChild = static_cast<int>(tree_.children_.size());
    int start = begin;
    for (int group : seen) {
        const int child = static_cast<int>(tree_.folders_.size());
        LogTree::Folder made;
        made.Text = rows_[static_cast<std::size_t>(firstRow_[static_cast<std::size_t>(group)]) * stride + 1 + depth];
        made.Parent = folder;
        made.Depth = static_cast<int>(depth) + 1;
        tree_.folders_.push_back(made);
        const int count = counts_[static_cast<std::size_t>(group)];
        ranges_.emplace_back(start, start + count);
        starts_[static_cast<std::size_t>(group)] = start;
        start += count;
        tree_.children_.push_back(child);
        newFolders.push_back(child);
    }
    for (int i = begin; i < end; ++i) {
        const int row = order_[static_cast<std::size_t>(i)];
        const int group = groupOf_[static_cast<std::size_t>(rows_[static_cast<std::size_t>(row) * stride + 1 + depth])];
        scratch_[static_cast<std::size_t>(starts_[static_cast<std::size_t>(group)]++)] = row;
    }
    std::copy(scratch_.begin() + begin, scratch_.begin() + end, order_.begin() + begin);
    for (int group : seen)
        counts_[static_cast<std::size_t>(group)] = 0;
    LogTree::Folder& parent = tree_.folders_[static_cast<std::size_t>(folder)];
    parent.FirstChild = firstChild;
    parent.ChildCount = static_cast<int>(seen.size());
    std::sort(tree_.children_.begin() + firstChild, tree_.children_.end(), [this](int a, int b) {
        return rank_[static_cast<std::size_t>(tree_.folders_[static_cast<std::size_t>(a)].Text)] <
               rank_[static_cast<std::size_t>(tree_.folders_[static_cast<std::size_t>(b)].Text)];
    });
}

// Depth first, so that node indices follow the order in which the folders are shown: a folder,
// then its child folders (each with all below it), then its kind folders.
void LogTreeBuilder::Number(int folder, int& next) {
    LogTree::Folder& f = tree_.folders_[static_cast<std::size_t>(folder)];
    f.NodeIndex = next;
    tree_.places_[static_cast<std::size_t>(next++)] = {folder, -1};
    const int firstChild = f.FirstChild, childCount = f.ChildCount;
    for (int i = 0; i < childCount; ++i)
        Number(tree_.children_[static_cast<std::size_t>(firstChild + i)], next);
    const unsigned mask = tree_.folders_[static_cast<std::size_t>(folder)].KindMask;
    for (int k = 0; k < static_cast<int>(RecordKinds().size()); ++k)
        if (mask & (1u << k))
            tree_.places_[static_cast<std::size_t>(next++)] = {folder, k};
}

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
    // The rows are read one at a time: a value is decoded only when its level does not know it
    // yet, and nothing else of the row is copied.
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
                              // Null, a number, a blob: the text the value reads as, which
                              // the folder's condition reads through program_text as well.
                              otherTexts[i] = StringOf(row.plainValue(column));
                              otherBytes[i] = otherTexts[i].toUtf8();
                              values[i] = {otherBytes[i], &otherTexts[i]};
                          }
                      }
                      const Variant types = row.value(0);
                      builder.AddRow(types.isNumeric() ? types.toLong() : 0, values.data());
                  });
    return builder.Finish();
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
