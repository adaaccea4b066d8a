// Saving a data view's record: the proposed name, the file type lists, the bytes written for
// each kind and file type, and the ways an export ends without writing (cancel, "No" to the
// overwrite question, a write that fails) with the former file kept whole.
#include "views/SampleFileExport.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/GridModel.h"
#include "records/clsAlarm.h"
#include "records/clsHistory.h"
#include "records/clsInterval.h"
#include "records/clsSnapShot.h"
#include "support/FakeDialogs.h"
#include "views/StoredRecords.h"
#include "views/ThrottledYield.h"
#include "views/ViewRecords.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

// A long export asks to yield once per row: the loop runs on the first ask and then only once
// 50 ms have passed since it last ran.
TEST(ExportYield, ServesTheLoopAtMostEvery50Milliseconds) {
    qint64 now = 1000;
    int turns = 0;
    ThrottledYield yield([&] { ++turns; }, ExportYieldMilliseconds, [&] { return now; });
    yield();
    EXPECT_EQ(turns, 1);
    for (; now < 1050; ++now)
        yield();
    EXPECT_EQ(turns, 1);
    yield();  // 50 ms after the first turn
    EXPECT_EQ(turns, 2);
    now += 10;
    yield();
    EXPECT_EQ(turns, 2);
    now += 500;  // a slow row: one turn, not one per 50 ms missed
    yield();
    yield();
    EXPECT_EQ(turns, 3);
}

// Rows that take microseconds: the clock is read only every so many rows, yet every turn comes
// at most two milliseconds after the first row that finds 50 ms passed, also when a row now and
// then takes long (here every 20,000th, 20 ms). When every row turns slow (1 ms), the first turn
// may come a stride of rows late; after it the clock is read on every row again.
TEST(ExportYield, ReadsTheClockSeldomForCheapRowsWithoutLateTurns) {
    qint64 micros = 0;
    int reads = 0;
    qint64 lastTurn = 0;
    qint64 dueAt = -1;  // the first row that found the interval up since the last turn
    int turns = 0;
    int badTurns = 0;   // early, or late by more than 2 ms
    bool excused = false;
    ThrottledYield yield(
        [&] {
            const qint64 now = micros / 1000;
            if (turns > 0 && !excused && (now - lastTurn < ExportYieldMilliseconds || now - dueAt > 2))
                ++badTurns;
            excused = false;
            ++turns;
            lastTurn = now;
            dueAt = -1;
        },
        ExportYieldMilliseconds,
        [&] {
            ++reads;
            return micros / 1000;
        });
    auto row = [&](qint64 cost) {
        micros += cost;
        if (turns > 0 && dueAt < 0 && micros / 1000 - lastTurn >= ExportYieldMilliseconds)
            dueAt = micros / 1000;
        yield();
    };
    constexpr int CheapRows = 2000000;
    for (int i = 1; i <= CheapRows; ++i)
        row(i % 20000 == 0 ? 20000 : 1);
    // 2,000,000 rows of 1 us and 100 of 20 ms: 4 s, a turn at least every 72 ms (50 ms, then a
    // slow row at most, then 2 ms).
    EXPECT_GE(turns, 4000 / 72);
    EXPECT_EQ(badTurns, 0);
    EXPECT_LT(reads, CheapRows / 50);

    const int cheapTurns = turns;
    excused = true;
    for (int i = 0; i < 1000; ++i)
        row(1000);
    EXPECT_GE(turns - cheapTurns, 1000 / 52);
    EXPECT_EQ(badTurns, 0);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST(ProposedSampleExportPath, FollowsTheLastExportOrStartsInTheProgramFolder) {
    struct Case {
        const char* last;
        const char* startDir;
        ExportForm form;
        const char* proposed;
    };
    const Case cases[] = {
        {"", "/data", ExportForm::Text, "/data/Sample.csv"},
        {"", "/", ExportForm::Text, "/Sample.csv"},
        {"", "/data/", ExportForm::Bitmap, "/data/Sample.bmp"},
        {"/x/graph.bmp", "/data", ExportForm::Text, "/x/graph.csv"},
        {"/x/A.CSV", "/data", ExportForm::Text, "/x/A.CSV"},
        {"/x/list.txt", "/data", ExportForm::Text, "/x/list.csv"},
        {"/x/list.csv", "/data", ExportForm::Bitmap, "/x/list.bmp"},
        {"/x/G.BMP", "/data", ExportForm::Bitmap, "/x/G.BMP"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProposedSampleExportPath(QString::fromLatin1(c.last), QString::fromLatin1(c.startDir), c.form),
                  QString::fromLatin1(c.proposed))
            << c.last;
}

TEST(SampleExportFileTypes, ListByKindAndTheTablesFirstGasUnit) {
    SetInterfaceLanguage(Language::English);
    GridModel lel;
    lel.SetCols(6);
    lel.SetRows(2);
    lel.SetTextMatrix(0, 2, QStringLiteral("CH4(100%LEL)"));
    GridModel ppm;
    ppm.SetCols(6);
    ppm.SetRows(2);
    ppm.SetTextMatrix(0, 2, QStringLiteral("CO(500ppm)"));
    GridModel lowerCase;
    lowerCase.SetCols(6);
    lowerCase.SetRows(2);
    lowerCase.SetTextMatrix(0, 2, QStringLiteral("CH4(100%lel)"));

    struct Case {
        int logType;
        const GridModel* table;
        int list;
        int entries;
    };
    const Case cases[] = {{1, &lel, 5703, 5},       {1, &ppm, 5704, 4}, {1, &lowerCase, 5704, 4}, {1, nullptr, 5704, 4},
                          {2, nullptr, 5703, 5},    {3, &lel, 5701, 3}, {5, nullptr, 5701, 3},     {9, &lel, 5701, 3},
                          {11, nullptr, 5701, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(SampleExportFileTypes(c.logType, c.table), c.list) << c.logType;
        EXPECT_EQ(SaveDialogFilter(GetResText(c.list)).split(QStringLiteral(";;")).size(), c.entries) << c.logType;
    }
    EXPECT_EQ(SaveDialogFilter(GetResText(BitmapFileTypes)), QStringLiteral("Bitmap bmp (*.bmp)"));
    ResetInterfaceLanguage();
}

TEST(SampleTextFilterIndex, FourthEntryOfTheUnitListMeansUnitColumnsOnly) {
    EXPECT_EQ(SampleTextFilterIndex(TrendUnitFileTypes, 4), 5);
    EXPECT_EQ(SampleTextFilterIndex(TrendLelFileTypes, 4), 4);
    EXPECT_EQ(SampleTextFilterIndex(TrendLelFileTypes, 5), 5);
    for (int index : {1, 2, 3})
        EXPECT_EQ(SampleTextFilterIndex(TrendUnitFileTypes, index), index);
}

class SampleFileExportTest : public test::TrendFixture {
protected:
    void SetUp() override {
        TrendFixture::SetUp();
        SetInterfaceLanguage(Language::English);
        test::AddIntervalTrend(1, "iv", 12);
        test::AddAlarmTrend(2, "al", 30);
        test::AddRecord(3, 9, "bh");
        test::AddRecord(4, 3, "ch");
        test::AddRecord(5, 11, "ss");
        test::AddRecord(6, 5, "ae");
        test::AddRecord(7, 10, "bt");
        hooks.begin = [this] { ++begun; };
        hooks.end = [this] { ++ended; };
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        TrendFixture::TearDown();
    }

    // Loads a record into the view's model of its kind, as the data view does.
    void Load(int kind, Long seqNo) {
        switch (kind) {
        case 1:
        case 9:
            records.Interval().ClearDatas();
            records.Interval().SeqNo(seqNo);
            records.Interval().BaseDate(Date(0));
            records.Interval().ReLoad();
            break;
        case 2:
            records.Alarm().ClearDatas();
            records.Alarm().SeqNo(seqNo);
            records.Alarm().ReLoad();
            break;
        case 11:
            records.SnapShot().ClearDatas();
            records.SnapShot().SeqNo(seqNo);
            records.SnapShot().ReLoad();
            break;
        case 3:
        case 10:
            records.History().ClearDatas();
            records.History().SeqNo(seqNo);
            records.History().ReLoad();
            break;
        default:
            break;
        }
    }
    DataSampleSource Source(int kind, Long seqNo) { return {.logType = kind, .seqNo = seqNo, .records = records}; }
    QString Target(const char* name) const { return QDir(State().StartDir).filePath(QString::fromLatin1(name)); }

    ViewRecords records;
    test::FakeDialogs dialogs;
    ExportBusyHooks hooks;
    int begun = 0;
    int ended = 0;
    QString lastExport;
};

TEST_F(SampleFileExportTest, EveryKindWritesTheBytesOfItsText) {
    struct Case {
        int kind;
        Long seqNo;
        int chosen;      // entry picked in the dialog
        int builderType; // the file type the text is built for
        bool streamed;   // written line by line, without the closing CR LF of the other kinds
    };
    const Case cases[] = {{1, 1, 1, 1, true}, {1, 1, 2, 2, true},  {1, 1, 4, 5, true},  {9, 3, 3, 3, true},
                          {2, 2, 1, 1, false}, {2, 2, 4, 4, false}, {2, 2, 5, 5, false}, {3, 4, 2, 2, false},
                          {11, 5, 1, 1, false}, {5, 6, 3, 3, false}, {10, 7, 1, 1, false}};
    for (const Case& c : cases) {
        Load(c.kind, c.seqNo);
        const QString path = Target("out.csv");
        dialogs.files.push_back(path);
        dialogs.filterIndexes.push_back(c.chosen);
        dialogs.answers.push_back(vbYes);  // the file of the case before exists
        ASSERT_EQ(ExportSampleText(Source(c.kind, c.seqNo), nullptr, lastExport, State().StartDir, hooks),
                  ExportOutcome::Written)
            << c.kind;
        QString expected = MakeDataSampleText(Source(c.kind, c.seqNo), DataSampleSeparator(c.builderType), c.builderType);
        if (!c.streamed)
            expected += QStringLiteral("\r\n");
        EXPECT_EQ(ReadAll(path), expected.toUtf8()) << "kind " << c.kind << " entry " << c.chosen;
        EXPECT_EQ(ReadAll(path).contains('\t'), c.builderType == 2) << c.kind;
        EXPECT_EQ(lastExport, path);
    }
    EXPECT_EQ(begun, std::size(cases));
    EXPECT_EQ(ended, begun);
}

TEST_F(SampleFileExportTest, DialogGetsTheProposedNameAndTheKindsFileTypes) {
    Load(1, 1);
    dialogs.files.push_back(std::nullopt);
    lastExport = QStringLiteral("/x/graph.bmp");
    EXPECT_EQ(ExportSampleText(Source(1, 1), nullptr, lastExport, State().StartDir, hooks), ExportOutcome::Cancelled);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& request = dialogs.fileRequests.front();
    EXPECT_EQ(request.directory, QStringLiteral("/x"));
    EXPECT_EQ(request.fileName, QStringLiteral("graph.csv"));
    EXPECT_EQ(request.filter, SaveDialogFilter(GetResText(TrendUnitFileTypes)));
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_FALSE(request.confirmOverwrite);  // the export asks its own question
    // Cancelled: nothing said, nothing shown as busy, the last file unchanged.
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(begun, 0);
    EXPECT_EQ(lastExport, QStringLiteral("/x/graph.bmp"));
}

TEST_F(SampleFileExportTest, NoToTheOverwriteQuestionKeepsTheFileByteForByte) {
    Load(11, 5);
    const QString path = Target("kept.csv");
    const QByteArray former("former content\r\n\xff", 17);
    WriteAll(path, former);
    dialogs.files.push_back(path);
    dialogs.answers.push_back(vbNo);
    EXPECT_EQ(ExportSampleText(Source(11, 5), nullptr, lastExport, State().StartDir, hooks), ExportOutcome::Declined);
    EXPECT_EQ(ReadAll(path), former);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, GetResText(5307));
    EXPECT_EQ(dialogs.shown[0].title, GetResText(5308));
    EXPECT_EQ(dialogs.shown[0].style, vbYesNo | vbQuestion);
    EXPECT_EQ(begun, 0);
    EXPECT_TRUE(lastExport.isEmpty());
}

TEST_F(SampleFileExportTest, FailedWriteTellsTheUserAndKeepsTheFormerFile) {
    const QByteArray former("former content\r\n");
    const QString path = Target("old.csv");
    WriteAll(path, former);
    // An alarm-event list whose record is gone fails half-way through building its text.
    dialogs.files.push_back(path);
    dialogs.answers.push_back(vbYes);
    EXPECT_EQ(ExportSampleText(Source(5, 99), nullptr, lastExport, State().StartDir, hooks), ExportOutcome::Failed);
    EXPECT_EQ(ReadAll(path), former);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].title, GetResText(5385));
    EXPECT_TRUE(dialogs.shown[1].text.contains(path));
    EXPECT_EQ(begun, 1);
    EXPECT_EQ(ended, 1);  // busy state and pointer restored
    EXPECT_TRUE(lastExport.isEmpty());

    // A folder that does not exist: the message names the file; nothing is left behind.
    Load(1, 1);
    const QString nowhere = Target("missing/folder/out.csv");
    dialogs.files.push_back(nowhere);
    EXPECT_EQ(ExportSampleText(Source(1, 1), nullptr, lastExport, State().StartDir, hooks), ExportOutcome::Failed);
    EXPECT_TRUE(dialogs.lastText().contains(nowhere));
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(QDir(State().StartDir).entryList({QStringLiteral("*.csv*")}, QDir::Files), QStringList{"old.csv"});
}

TEST_F(SampleFileExportTest, BitmapGoesThroughTheSameSafeWrite) {
    const QString path = Target("graph.bmp");
    dialogs.files.push_back(path);
    EXPECT_EQ(ExportBitmap([](QIODevice& d) { return d.write("BM-picture") == 10; }, lastExport, State().StartDir),
              ExportOutcome::Written);
    EXPECT_EQ(ReadAll(path), QByteArray("BM-picture"));
    EXPECT_EQ(lastExport, path);
    EXPECT_EQ(dialogs.fileRequests.back().fileName, QStringLiteral("Sample.bmp"));
    EXPECT_EQ(dialogs.fileRequests.back().filter, QStringLiteral("Bitmap bmp (*.bmp)"));

    // A picture that cannot be written leaves the former one.
    dialogs.files.push_back(path);
    dialogs.answers.push_back(vbYes);
    EXPECT_EQ(ExportBitmap([](QIODevice& d) { d.write("half"); return false; }, lastExport, State().StartDir),
              ExportOutcome::Failed);
    EXPECT_EQ(ReadAll(path), QByteArray("BM-picture"));
    EXPECT_EQ(dialogs.shown.back().title, GetResText(5385));
}

}  // namespace
}  // namespace mt52
