// The record tree built from Log_Head rows for each grouping, and the conditions of its folders.
#include "browser/LogTree.h"
#include "browser/BrowserFixture.h"
#include "browser/LogList.h"
#include "browser/RecordDeletion.h"

#include "common/TextHelpers.h"

#include <QRegularExpression>
#include <QSet>
#include <map>

namespace mt52 {
namespace {

using test::HeadRow;

class LogTreeTest : public test::BrowserFixture {
protected:
    LogTree Tree(const LogGrouping& grouping) {
        Database db = Open();
        return LogTree::Load(db, grouping);
    }

    // One line per node, indented two blanks per level.
    static std::string Dump(const LogTree& tree) {
        QStringList lines;
        for (int i = 0; i < tree.Count(); ++i) {
            int depth = 0;
            for (int p = tree.At(i).Parent; p >= 0; p = tree.At(p).Parent)
                ++depth;
            lines << QString(depth * 2, u' ') + tree.At(i).Text;
        }
        return lines.join(u'\n').toStdString();
    }

    Long RowsUnder(const LogTree& tree, const QString& key) {
        const auto condition = tree.Condition(key);
        EXPECT_TRUE(condition) << key.toStdString();
        return Count(QStringLiteral("SELECT COUNT(*) FROM Log_Head") + condition->Where(), condition->Values);
    }

    // Every grouping folder's children divide its rows between them without loss or overlap,
    // and the kind folders of a month find exactly the month's rows of their kinds.
    void ExpectConditionsPartition(const LogTree& tree) {
        QSet<QString> keys;
        for (int i = 0; i < tree.Count(); ++i) {
            const LogTree::Node& node = tree.At(i);
            EXPECT_FALSE(keys.contains(node.Key)) << "duplicate key " << node.Key.toStdString();
            keys.insert(node.Key);
            if (node.Children.empty() || node.Letter == NodeLetter::Month)
                continue;
            Long sum = 0;
            for (int child : node.Children)
                sum += RowsUnder(tree, tree.At(child).Key);
            EXPECT_EQ(sum, RowsUnder(tree, node.Key)) << node.Key.toStdString();
        }
    }

    void AddFixtureRows() {
        AddHead({.SeqNo = 1, .Types = 1});
        AddHead({.SeqNo = 2, .Types = 11, .UserID = "U2"});
        AddHead({.SeqNo = 3, .Types = 2, .SerialNo = "sn1", .StationID = "ST2", .FolderID = "06/24"});
        AddHead({.SeqNo = 4, .Types = 7, .SerialNo = "SN2", .FolderID = "06/24"});
        AddHead({.SeqNo = 5, .Types = 4, .SerialNo = "SN2", .FolderID = "07/24"});
        AddHead({.SeqNo = 6, .Types = 3, .SerialNo = "SN2", .UserID = "U2", .FolderID = "06/24"});
    }
};

TEST_F(LogTreeTest, EmptyTableGivesTheRootOnly) {
    const LogTree tree = Tree({.BySerialNo = true, .ByStationId = true, .ByUserId = true});
    ASSERT_EQ(tree.Count(), 1);
    EXPECT_EQ(tree.At(0).Key, RootNodeKey);
    EXPECT_EQ(tree.At(0).Text, "MT-52 Data");
    EXPECT_EQ(tree.Condition(RootNodeKey)->Sql, "");
}

TEST_F(LogTreeTest, FoldersFollowTheGroupingChoice) {
    AddFixtureRows();
    struct Case {
        const char* name;
        LogGrouping grouping;
        const char* dump;
    };
    const Case cases[] = {
        {"months only", {},
         "MT-52 Data\n"
         "  05/24\n    Interval Trend\n    SnapShot\n"
         "  06/24\n    Alarm Trend\n    Calibration History\n"
         "  07/24"},
        {"months, extended", {.Extended = true},
         "MT-52 Data\n"
         "  05/24\n    Interval Trend\n    SnapShot\n"
         "  06/24\n    Alarm Trend\n    Calibration History\n    Power Events\n"
         "  07/24"},
        {"serial, station, user",
         {.BySerialNo = true, .ByStationId = true, .ByUserId = true},
         "MT-52 Data\n"
         "  SN1\n"
         "    ST1\n      U1\n        05/24\n          Interval Trend\n      U2\n        05/24\n          SnapShot\n"
         "    ST2\n      U1\n        06/24\n          Alarm Trend\n"
         "  SN2\n"
         "    ST1\n      U1\n        06/24\n        07/24\n      U2\n        06/24\n          Calibration History"},
        {"serial and user", {.BySerialNo = true, .ByUserId = true},
         "MT-52 Data\n"
         "  SN1\n    U1\n      05/24\n        Interval Trend\n      06/24\n        Alarm Trend\n"
         "    U2\n      05/24\n        SnapShot\n"
         "  SN2\n    U1\n      06/24\n      07/24\n    U2\n      06/24\n        Calibration History"},
        {"station only", {.ByStationId = true},
         "MT-52 Data\n"
         "  ST1\n    05/24\n      Interval Trend\n      SnapShot\n    06/24\n      Calibration History\n    07/24\n"
         "  ST2\n    06/24\n      Alarm Trend"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LogTree tree = Tree(c.grouping);
        EXPECT_EQ(Dump(tree), c.dump);
        ExpectConditionsPartition(tree);
    }
}

TEST_F(LogTreeTest, KindFoldersFindTheirRowsOnly) {
    AddFixtureRows();
    const LogTree tree = Tree({.BySerialNo = true, .Extended = true});
    const LogTree::Node* month = tree.Find("SN2>06/24 M");
    ASSERT_NE(month, nullptr);
    QStringList kinds;
    for (int child : month->Children)
        kinds << tree.At(child).Key;
    EXPECT_EQ(kinds, QStringList({"SN2>06/24 D", "SN2>06/24 R"}));
    EXPECT_EQ(RowsUnder(tree, "SN2>06/24 D"), 1);
    EXPECT_EQ(RowsUnder(tree, "SN2>06/24 M"), 2);
    EXPECT_EQ(RowsUnder(tree, "SN2>07/24 M"), 1);  // a row of kind 4 counts for its folders
    EXPECT_FALSE(tree.Condition("nowhere S"));
}

TEST_F(LogTreeTest, BlanksCaseAndQuotesGroupAndStillFindTheirRows) {
    AddHead({.SeqNo = 1, .SerialNo = "  "});
    AddHead({.SeqNo = 2, .SerialNo = "--------------------"});
    AddHead({.SeqNo = 3, .SerialNo = " X1 "});
    AddHead({.SeqNo = 4, .SerialNo = "x1"});
    AddHead({.SeqNo = 5, .SerialNo = "O'Brien", .FolderID = ""});
    AddHead({.SeqNo = 6, .SerialNo = "O'Brien", .FolderID = "*"});
    {
        Database db = Open();
        db.execute("INSERT INTO Log_Head (SeqNo, Types) VALUES (7, 1)");  // every identity Null
    }
    const LogTree tree = Tree({.BySerialNo = true, .ByUserId = true});
    EXPECT_EQ(Dump(tree),
              "MT-52 Data\n"
              "  --------------------\n"
              "    ----------------\n      *\n        Interval Trend\n"
              "    U1\n      05/24\n        Interval Trend\n"
              "  O'Brien\n    U1\n      *\n        Interval Trend\n"
              "  X1\n    U1\n      05/24\n        Interval Trend");
    EXPECT_EQ(RowsUnder(tree, "-------------------- S"), 3);
    EXPECT_EQ(RowsUnder(tree, "-------------------->---------------- U"), 1);
    EXPECT_EQ(RowsUnder(tree, "X1 S"), 2);
    EXPECT_EQ(RowsUnder(tree, "O'Brien>U1>* M"), 2);
    ExpectConditionsPartition(tree);
}

// A database made by another tool may store an identity as a number (the REAL 1.0 in a column
// without a text type, a whole number beyond 32 bits) or as bytes that are not UTF-8 (a name in
// another Japanese encoding). The tree reads such values as the program reads them, and each
// folder's condition must find exactly the rows the tree put under it: its list shows all of
// them and deleting it removes all of them.
TEST_F(LogTreeTest, FoldersOfValuesStoredAsNumbersOrForeignBytesFindEveryRowUnderThem) {
    {
        Database db = Open();
        // SerialNo without a declared type keeps numbers as numbers.
        QString create = db.query("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = 'Log_head'")
                             .field(0)
                             .toString();
        create.replace(QRegularExpression(QStringLiteral("\"SerialNo\"[^,)]*")), QStringLiteral("\"SerialNo\""));
        db.execute("DROP TABLE Log_head");
        db.execute(create);
    }
    AddHead({.SeqNo = 1, .SerialNo = "1"});
    AddHead({.SeqNo = 2, .SerialNo = "1"});
    AddHead({.SeqNo = 3, .SerialNo = "1"});
    AddHead({.SeqNo = 4, .SerialNo = "1"});
    AddHead({.SeqNo = 5, .SerialNo = "SN9"});
    {
        Database db = Open();
        db.execute("UPDATE Log_Head SET SerialNo = ? WHERE SeqNo = 2", {Variant(1.0)});
        db.execute("UPDATE Log_Head SET SerialNo = 12345678901234567 WHERE SeqNo = 3");
        // Shift_JIS bytes: not UTF-8.
        db.execute("UPDATE Log_Head SET SerialNo = CAST(X'8386815B8355' AS TEXT) WHERE SeqNo = 4");
        ASSERT_EQ(Count("SELECT COUNT(*) FROM Log_Head WHERE typeof(SerialNo) = 'real'"), 1);
        ASSERT_EQ(Count("SELECT COUNT(*) FROM Log_Head WHERE typeof(SerialNo) = 'integer'"), 1);
    }
    const LogTree tree = Tree({.BySerialNo = true});
    QStringList texts;
    for (int child : tree.At(0).Children)
        texts << tree.At(child).Text;
    ASSERT_EQ(texts.size(), 4) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains("1"));  // the text "1" and the REAL 1.0
    EXPECT_TRUE(texts.contains("1.23456789012346E+16"));
    EXPECT_TRUE(texts.contains("SN9"));
    ExpectConditionsPartition(tree);

    const std::map<QString, std::set<Long>> expected{
        {"1", {1, 2}}, {"1.23456789012346E+16", {3}}, {"SN9", {5}}};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        const QString serial = tree.At(tree.At(0).Children[static_cast<std::size_t>(texts.indexOf(text))]).Key;
        const std::set<Long> rows = expected.count(text) ? expected.at(text) : std::set<Long>{4};
        EXPECT_EQ(RowsUnder(tree, serial), static_cast<Long>(rows.size()));

        // The list of the folder's interval trends names every row under it.
        const QString kindFolder = serial.left(serial.size() - 2) + QStringLiteral(">05/24 I");
        Database db = Open();
        const std::optional<LogListing> listing = ListLogNode(tree, kindFolder, db);
        ASSERT_TRUE(listing);
        std::set<Long> listed;
        for (const LogListItem& item : listing->Items)
            listed.insert(item.Key.section(u' ', 0, 0).toLong());
        EXPECT_EQ(listed, rows);
    }
    // Deleting each folder removes all of its rows; nothing is left behind.
    Database db = Open();
    for (int child : tree.At(0).Children) {
        const LogTree::Node& folder = tree.At(child);
        const int expectedRows = folder.Text == "1" ? 2 : 1;
        EXPECT_EQ(DeleteLogFolder(db, *tree.Condition(folder.Key)).HeadersDeleted, expectedRows)
            << folder.Text.toStdString();
    }
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Log_Head"), 0);
}

TEST_F(LogTreeTest, PathsThatJoinToTheSameTextKeepApart) {
    // Joined without a separator both paths would read "ABC".
    AddHead({.SeqNo = 1, .SerialNo = "A", .StationID = "BC"});
    AddHead({.SeqNo = 2, .SerialNo = "AB", .StationID = "C"});
    AddHead({.SeqNo = 3, .SerialNo = "AB", .StationID = "C>D"});
    AddHead({.SeqNo = 4, .SerialNo = "AB>C", .StationID = "D"});
    const LogTree tree = Tree({.BySerialNo = true, .ByStationId = true});
    EXPECT_EQ(tree.Count(), 1 + 3 + 4 + 4 + 4);
    ExpectConditionsPartition(tree);
    for (const char* key : {"A>BC S", "AB>C S", "AB>C%3ED S", "AB%3EC>D S"})
        EXPECT_EQ(tree.IndexOf(QString::fromUtf8(key)), -1) << "kind letter S belongs to serial folders only";
    EXPECT_EQ(RowsUnder(tree, "A>BC T"), 1);
    EXPECT_EQ(RowsUnder(tree, "AB>C T"), 1);
    EXPECT_EQ(RowsUnder(tree, "AB>C%3ED T"), 1);
    EXPECT_EQ(RowsUnder(tree, "AB%3EC>D T"), 1);
}

TEST_F(LogTreeTest, SiblingsStandInTextOrderWithoutRegardToCase) {
    int seq = 0;
    for (const char* serial : {"b2", "A10", "a9", "B1", "Zed", "10"})
        AddHead({.SeqNo = ++seq, .SerialNo = serial});
    const LogTree tree = Tree({.BySerialNo = true});
    QStringList texts;
    for (int child : tree.At(0).Children)
        texts << tree.At(child).Text;
    EXPECT_EQ(texts, QStringList({"10", "A10", "a9", "B1", "b2", "Zed"}));
}

// A tree over many rows of mixed spellings must be the one a plain reading of the grouping rules
// gives: folders by trimmed text without regard to ASCII case, a blank or Null value under its
// dashes, the first row's spelling, siblings by text without regard to case, every key found.
// The reference below builds it the simple way, row by row, in nested maps.
struct ReferenceFolder {
    QString Text;
    std::map<QString, ReferenceFolder> Children;  // by folded text
    std::set<Long> Types;
};

void AddReferenceLines(const ReferenceFolder& folder, const QString& path, const std::vector<QString>& letters,
                       std::size_t depth, QStringList& lines) {
    std::vector<const ReferenceFolder*> children;
    for (const auto& [folded, child] : folder.Children)
        children.push_back(&child);
    std::sort(children.begin(), children.end(), [](const ReferenceFolder* a, const ReferenceFolder* b) {
        const int insensitive = QString::compare(a->Text, b->Text, Qt::CaseInsensitive);
        return insensitive != 0 ? insensitive < 0 : QString::compare(a->Text, b->Text) < 0;
    });
    for (const ReferenceFolder* child : children) {
        QString part = child->Text;
        part.replace(u'%', QStringLiteral("%25")).replace(u'>', QStringLiteral("%3E"));
        const QString childPath = path.isEmpty() ? part : path + u'>' + part;
        lines << QString(int(depth + 1) * 2, u' ') + childPath + u' ' + letters[depth] + u' ' + child->Text;
        if (depth + 1 < letters.size()) {
            AddReferenceLines(*child, childPath, letters, depth + 1, lines);
            continue;
        }
        for (const RecordKind& kind : RecordKinds())
            if (child->Types.count(kind.LogType) && !kind.ExtendedOnly)
                lines << QString(int(depth + 2) * 2, u' ') + childPath + u' ' + QLatin1Char(kind.FolderLetter) + u' ' +
                             GetResText(kind.TextId);
    }
}

TEST_F(LogTreeTest, ManyMixedRowsMakeTheTreeThePlainRulesGive) {
    // Spellings that fold together, blanks, Nulls, numbers, separators in texts, non-ASCII case.
    const std::vector<Variant> serials{QStringLiteral("SN1"), QStringLiteral("sn1"), QStringLiteral(" SN1 "),
                                       QStringLiteral("SN2"), QStringLiteral("A>B"), QStringLiteral("a%3Eb"),
                                       QStringLiteral("Ünit"), QStringLiteral("ünit"), QStringLiteral("  "),
                                       Variant(), Long(42), QStringLiteral("42"), QStringLiteral("x y")};
    const std::vector<Variant> stations{QStringLiteral("ST1"), QStringLiteral("st1"), QStringLiteral(""), Variant(),
                                        QStringLiteral("ST%2"), QStringLiteral("----------------")};
    const std::vector<Variant> users{QStringLiteral("U1"), QStringLiteral("u1"), QStringLiteral("U2"), Variant()};
    const std::vector<Variant> months{QStringLiteral("05/24"), QStringLiteral("06/24"), QStringLiteral(" 06/24"),
                                      QStringLiteral(""), QStringLiteral("*")};
    const Long types[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 99};
    std::uint32_t seed = 11;
    auto pick = [&seed](std::size_t n) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::size_t>((seed >> 8) % n);
    };
    struct Row {
        Long Types;
        std::array<Variant, 4> Values;
    };
    std::vector<Row> rows;
    {
        Database db = Open();
        Transaction t(db);
        for (int i = 0; i < 1500; ++i) {
            Row row{types[pick(std::size(types))],
                    {serials[pick(serials.size())], stations[pick(stations.size())], users[pick(users.size())],
                     months[pick(months.size())]}};
            db.execute(QStringLiteral("INSERT INTO Log_Head (SeqNo, Types, SerialNo, StationID, UserID, FolderID) "
                                      "VALUES (?,?,?,?,?,?)"),
                       {Long(i + 1), row.Types, row.Values[0], row.Values[1], row.Values[2], row.Values[3]});
            rows.push_back(row);
        }
        t.commit();
    }
    const Integer blankKinds[] = {BlankSerialNo, BlankStationId, BlankUserId, BlankMonthFolder};
    const QString letters[] = {NodeLetter::Serial, NodeLetter::Station, NodeLetter::User, NodeLetter::Month};
    const LogGrouping groupings[] = {{}, {.BySerialNo = true}, {.ByStationId = true, .ByUserId = true},
                                     {.BySerialNo = true, .ByStationId = true, .ByUserId = true}};
    for (const LogGrouping& grouping : groupings) {
        const bool on[] = {grouping.BySerialNo, grouping.ByStationId, grouping.ByUserId, true};
        ReferenceFolder root;
        std::vector<QString> levelLetters;
        for (int l = 0; l < 4; ++l)
            if (on[l])
                levelLetters.push_back(letters[l]);
        for (const Row& row : rows) {
            ReferenceFolder* at = &root;
            for (int l = 0; l < 4; ++l) {
                if (!on[l])
                    continue;
                const Variant& value = row.Values[static_cast<std::size_t>(l)];
                const QString text = BlankToDashes(value.isNull() ? QString() : value.toString(), blankKinds[l]);
                QString folded = text;
                for (QChar& c : folded)
                    if (c >= u'A' && c <= u'Z')
                        c = QChar(c.unicode() + 32);
                ReferenceFolder& child = at->Children[folded];
                if (child.Text.isEmpty())
                    child.Text = text;
                at = &child;
            }
            at->Types.insert(row.Types);
        }
        QStringList expected{GetResText(5107)};
        AddReferenceLines(root, QString(), levelLetters, 0, expected);

        const LogTree tree = Tree(grouping);
        QStringList lines;
        for (int i = 0; i < tree.Count(); ++i) {
            const LogTree::Node& node = tree.At(i);
            int depth = 0;
            for (int p = node.Parent; p >= 0; p = tree.At(p).Parent)
                ++depth;
            lines << (i == 0 ? node.Text : QString(depth * 2, u' ') + node.Key + u' ' + node.Text);
            EXPECT_EQ(tree.IndexOf(node.Key), i) << node.Key.toStdString();
            for (int child : node.Children)
                EXPECT_EQ(tree.At(child).Parent, i);
        }
        EXPECT_EQ(lines.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
        ExpectConditionsPartition(tree);
        for (const char* key : {"SN1>ST1 S", "SN1 M", "a%3eb S", "A%B S", "SN1>>ST1 T", "SN1 ", " S"})
            EXPECT_EQ(tree.IndexOf(QString::fromUtf8(key)), -1) << key;
    }
}

}  // namespace
}  // namespace mt52
