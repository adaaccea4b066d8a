// The record tree built from Log_Head rows for each grouping, and the conditions of its folders.
#include "browser/LogTree.h"
#include "browser/BrowserFixture.h"

#include <QSet>

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

}  // namespace
}  // namespace mt52
