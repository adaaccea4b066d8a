// The record list's listings of folders and entries, and the list export's text and file.
#include "browser/ListExport.h"
#include "browser/LogList.h"
#include "browser/BrowserFixture.h"
#include "support/Files.h"

namespace mt52 {
namespace {

using test::HeadRow;

class LogListTest : public test::BrowserFixture {
protected:
    LogListing List(const QString& key, const LogGrouping& grouping = {.BySerialNo = true, .ByUserId = true}) {
        Database db = Open();
        tree_ = LogTree::Load(db, grouping);
        auto listing = ListLogNode(tree_, key, db);
        EXPECT_TRUE(listing) << key.toStdString();
        return listing.value_or(LogListing{});
    }

    static QStringList Captions(const LogListing& listing) {
        QStringList captions;
        for (const LogListColumn& c : listing.Columns)
            captions << c.Caption;
        return captions;
    }
    static QStringList Texts(const LogListing& listing) {
        QStringList texts;
        for (const LogListItem& item : listing.Items)
            texts << item.Text;
        return texts;
    }

    void AddSnapShotRow(Long seqNo, Long relNo, const Variant& gasName, const QString& unit) {
        Database db = Open();
        db.execute("INSERT INTO SnapShot (SeqNo, RelNo, GasName, FullScale, Unit, Gasval) VALUES (?,?,?,?,?,?)",
                   {seqNo, relNo, gasName, QStringLiteral(" 100"), unit, QStringLiteral(" 12.5")});
    }

    LogTree tree_;
};

TEST_F(LogListTest, FolderListingsShowTheTreesChildren) {
    AddHead({.SeqNo = 1, .Types = 1, .SerialNo = "SN2"});
    AddHead({.SeqNo = 2, .Types = 11, .SerialNo = "SN1"});
    AddHead({.SeqNo = 3, .Types = 2, .SerialNo = "SN1", .Sampling = Long(0)});

    const LogListing root = List(RootNodeKey);
    EXPECT_EQ(root.ListKind, LogListing::Kind::Folders);
    EXPECT_EQ(Captions(root), QStringList({"Serial No.", "Type", "Date/Time"}));
    EXPECT_EQ(Texts(root), QStringList({"SN1", "SN2"}));
    EXPECT_EQ(root.Items[0].Key, "SN1 S");
    EXPECT_EQ(root.Items[0].Cells, QStringList({"", ""}));
    EXPECT_EQ(root.Items[0].SmallIcon, "OpenFolder");
    EXPECT_FALSE(root.Sorted);

    EXPECT_EQ(Captions(List("SN1 S")).first(), "User ID");
    EXPECT_EQ(Captions(List("SN1>U1 U")).first(), "(MM/YY)");
    const LogListing month = List("SN1>U1>05/24 M");
    EXPECT_EQ(Captions(month).first(), "Folder");
    EXPECT_EQ(Texts(month), QStringList({"SnapShot", "Alarm Trend"}));
}

TEST_F(LogListTest, AGroupingNodeWithoutChildrenShowsOnlyTheColumns) {
    const LogListing root = List(RootNodeKey);
    EXPECT_EQ(Captions(root), QStringList({"DataName", "Type", "Date/Time"}));
    EXPECT_TRUE(root.Items.empty());
}

TEST_F(LogListTest, AnEntryKeyListsNothing) {
    Database db = Open();
    EXPECT_FALSE(ListLogNode(LogTree(), "12 G", db));
    EXPECT_FALSE(ListLogNode(LogTree(), "12 a", db));
}

TEST_F(LogListTest, IntervalEntriesByTheirSamplingWithItsIcon) {
    int seq = 0;
    for (const Variant& sampling : {Variant(Long(0)), Variant(Long(1)), Variant(Long(2)), Variant(Long(3)), Variant::Null()})
        AddHead({.SeqNo = ++seq, .Types = 1, .Names = QStringLiteral("iv%1").arg(seq), .Sampling = sampling});
    const LogListing listing = List("05/24 I", {});
    EXPECT_EQ(listing.ListKind, LogListing::Kind::Entries);
    EXPECT_EQ(Captions(listing), QStringList({"Name", "SerialNo", "StationID", "UserID", "Date/Time", "Gas", "Data"}));
    ASSERT_EQ(listing.Items.size(), 3u);
    EXPECT_EQ(listing.Items[0].Key, "1 G");
    EXPECT_EQ(listing.Items[1].SmallIcon, "Interval1");
    EXPECT_EQ(listing.Items[2].LargeIcon, "Interval2");
    EXPECT_EQ(listing.Items[0].Cells, QStringList({"SN1", "ST1", "U1", "2024/05/20 12:00:00", "", ""}));
}

TEST_F(LogListTest, AlarmTrendsSampledAsIntervalsAreLeftOut) {
    AddHead({.SeqNo = 1, .Types = 2, .Sampling = Long(2)});
    AddHead({.SeqNo = 2, .Types = 2, .Sampling = Variant::Null()});
    AddHead({.SeqNo = 3, .Types = 1});
    const LogListing alarms = List("05/24 A", {});
    EXPECT_TRUE(alarms.FoundRows);
    EXPECT_TRUE(alarms.Items.empty());

    // A kind folder whose rows are gone (deleted meanwhile) finds none.
    Database db = Open();
    const LogTree tree = LogTree::Load(db, {});
    db.execute("DELETE FROM Log_Head WHERE Types = 1");
    const auto listing = ListLogNode(tree, "05/24 I", db);
    ASSERT_TRUE(listing);
    EXPECT_FALSE(listing->FoundRows);
}

TEST_F(LogListTest, SnapshotEntriesShowTheirFirstGasAndReading) {
    AddHead({.SeqNo = 7, .Types = 11, .Names = "ss1"});
    AddHead({.SeqNo = 8, .Types = 11, .Names = "ss2"});
    AddSnapShotRow(1, 7, QStringLiteral(" CH4 "), QStringLiteral("%LEL "));
    AddSnapShotRow(2, 7, QStringLiteral("O2"), QStringLiteral("%"));
    AddSnapShotRow(3, 8, Variant::Null(), QStringLiteral("ppm"));
    const LogListing listing = List("05/24 O", {});
    ASSERT_EQ(listing.Items.size(), 2u);
    EXPECT_EQ(listing.Items[0].Key, "7 c");
    EXPECT_EQ(listing.Items[0].Cells.mid(4), QStringList({"CH4(100%LEL)", "12.5%LEL"}));
    EXPECT_EQ(listing.Items[1].Cells.mid(4), QStringList({"(100ppm)", "12.5ppm"}));
    Database db = Open();
    EXPECT_EQ(GetSnapShotGasText(db, 7).Gas, "CH4(100%LEL)");
    EXPECT_EQ(GetSnapShotGasText(db, 9).Data, "");
}

TEST_F(LogListTest, EntriesSortByNameAsTextWithoutRegardToCase) {
    int seq = 0;
    for (const char* name : {"iv10", "IV02", "iv01", " iv03 "})
        AddHead({.SeqNo = ++seq, .Types = 3, .Names = name});
    EXPECT_EQ(Texts(List("05/24 D", {})), QStringList({"iv01", "IV02", "iv03", "iv10"}));
}

TEST_F(LogListTest, ExportWritesCaptionsAndRowsQuotingOnlyWhatNeedsIt) {
    AddHead({.SeqNo = 1, .Types = 1, .SerialNo = "SN,1", .Names = "iv01"});
    AddHead({.SeqNo = 2, .Types = 1, .UserID = "say \"hi\"", .Names = "iv02"});
    const LogListing listing = List("05/24 I", {});
    QStringList captions = Captions(listing);
    std::vector<QStringList> rows;
    for (const LogListItem& item : listing.Items)
        rows.push_back(QStringList{item.Text} + item.Cells);
    EXPECT_EQ(ListExportText(captions, rows),
              "Name,SerialNo,StationID,UserID,Date/Time,Gas,Data\r\n"
              "iv01,\"SN,1\",ST1,U1,2024/05/20 12:00:00,,\r\n"
              "iv02,SN1,ST1,\"say \"\"hi\"\"\",2024/05/20 12:00:00,,\r\n");

    const QString path = dir_.filePath("DataList.csv");
    QString error;
    ASSERT_TRUE(WriteExportFile(path, "a\r\n", error));
    EXPECT_EQ(test::ReadFile(path), "a\r\n");
    EXPECT_FALSE(WriteExportFile(dir_.filePath("missing/DataList.csv"), "b\r\n", error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).filter("DataList").size(), 1);
}

TEST_F(LogListTest, TheSaveDialogProposesTheLastExportAsCsv) {
    const struct {
        const char* last;
        const char* proposed;
    } cases[] = {
        {"", "/prog/DataList.csv"},
        {"/data/list.CSV", "/data/list.CSV"},
        {"/data/graph.bmp", "/data/graph.csv"},
        {"/data/sample.txt", "/data/sample.csv"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProposedListExportPath(c.last, "/prog"), c.proposed) << c.last;
}

}  // namespace
}  // namespace mt52
