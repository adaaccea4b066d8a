#include "common/DataFolder.h"
#include "common/ModuleState.h"
#include "common/TrendFile.h"
#include "support/ErrorOf.h"
#include "support/ProgramState.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace mt52 {
namespace {

class TrendFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        ASSERT_TRUE(temp.isValid());
        file.setFileName(temp.filePath(QStringLiteral("trend.Dat")));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    }
    void TearDown() override { test::ResetProgramState(); }

    Single Get(Long record, Integer gas) {
        Single value = 12345;
        GetTrendValue(record, file, gas, value);
        return value;
    }

    QTemporaryDir temp;
    QFile file;
};

TEST_F(TrendFileTest, ValueConventionsRoundTrip) {
    const Date time = *Date::FromParts(2009, 4, 30, 8, 5, 0);
    PutTrendValue(1, file, 1, 0.0f, time);
    PutTrendValue(1, file, 2, -107, time);
    PutTrendValue(1, file, 3, 12.5f, time);
    PutTrendValue(1, file, 4, -101, time);

    EXPECT_EQ(Get(1, 1), 0.0f);     // a real zero, stored as -100
    EXPECT_EQ(Get(1, 2), -107.0f);  // codes pass unchanged
    EXPECT_EQ(Get(1, 3), 12.5f);
    EXPECT_EQ(Get(1, 4), -101.0f);
    EXPECT_EQ(Get(1, 5), -101.0f);  // never written: no data
    EXPECT_EQ(Get(7, 1), -101.0f);  // past the end: no data
}

TEST_F(TrendFileTest, RecordLayoutIsLittleEndianAt28ByteSteps) {
    const Date time(39933.5);  // 2009-04-30 12:00
    PutTrendValue(2, file, 1, 0.0f, time);
    PutTrendValue(2, file, 5, 100.0f, time);
    file.flush();

    QFile raw(file.fileName());
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    ASSERT_EQ(bytes.size(), 56);
    EXPECT_EQ(bytes.left(28), QByteArray(28, '\0'));  // record 1: time 0, every slot no data
    // 39933.5 as a double is 40 E3 7F B0 00 00 00 00, written least significant byte first.
    EXPECT_EQ(bytes.mid(28, 8).toHex(), "00000000b07fe340");
    EXPECT_EQ(bytes.mid(36, 4).toHex(), "0000c8c2");  // -100.0: the stored real zero
    EXPECT_EQ(bytes.mid(40, 12), QByteArray(12, '\0'));
    EXPECT_EQ(bytes.mid(52, 4).toHex(), "0000c842");  // 100.0

    const std::vector<TrendRecord> records = ReadTrendRecords(file);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Time, Date(0.0));
    EXPECT_EQ(records[0].Values, (std::array<Single, 5>{-101, -101, -101, -101, -101}));
    EXPECT_EQ(records[1].Time, time);
    EXPECT_EQ(records[1].Values, (std::array<Single, 5>{0, -101, -101, -101, 100}));
}

TEST_F(TrendFileTest, OnlyWholeRecordsCount) {
    const Date time(40000.0);
    PutTrendValue(3, file, 1, 5, time);
    EXPECT_EQ(file.size(), 68);
    EXPECT_EQ(TrendRecordCount(file), 2);
    EXPECT_EQ(ReadTrendRecords(file).size(), 2u);
    PutTrendValue(3, file, 5, 5, time);
    EXPECT_EQ(file.size(), 84);
    EXPECT_EQ(TrendRecordCount(file), 3);

    QBuffer hundred;
    hundred.setData(QByteArray(100, '\0'));
    hundred.open(QIODevice::ReadOnly);
    EXPECT_EQ(TrendRecordCount(hundred), 3);
    EXPECT_EQ(ReadTrendRecords(hundred).size(), 3u);
}

TEST_F(TrendFileTest, BadArgumentsAndDevicesRaise) {
    const Date time(40000.0);
    EXPECT_EQ(ErrorOf([&] { PutTrendValue(0, file, 1, 1, time); }), ErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { PutTrendValue(1, file, 0, 1, time); }), ErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { PutTrendValue(1, file, 6, 1, time); }), ErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { Get(0, 1); }), ErrInvalidArgument);
    EXPECT_EQ(file.size(), 0);  // nothing was written by the refused calls

    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_EQ(ErrorOf([&] { PutTrendValue(1, readOnly, 1, 1, time); }), ErrBadFileName);
    QBuffer closed;
    EXPECT_EQ(ErrorOf([&] {
                  Single v;
                  GetTrendValue(1, closed, 1, v);
              }),
              ErrBadFileName);
    EXPECT_EQ(ErrorOf([&] { TrendRecordCount(closed); }), ErrBadFileName);
}

TEST_F(TrendFileTest, FileLiesInYearAndMonthFolder) {
    State().DataFolder = temp.filePath(QStringLiteral("Data"));
    EXPECT_EQ(TrendFilePath(QStringLiteral("04/09"), QStringLiteral("A*B")),
              State().DataFolder + QStringLiteral("/09/04/A_B.Dat"));
    // Folder parts made from damaged text stay inside the data folder.
    EXPECT_EQ(TrendFolderPath(QStringLiteral("../..")), State().DataFolder + QStringLiteral("/__/__"));

    ASSERT_TRUE(QDir().mkpath(State().DataFolder));
    EXPECT_TRUE(MakeTrendFolder(QStringLiteral("04/09")));
    EXPECT_TRUE(QFileInfo(State().DataFolder + QStringLiteral("/09/04")).isDir());
    EXPECT_TRUE(MakeTrendFolder(QStringLiteral("04/09")));  // already there
}

TEST(SafeFileName, ReplacesEveryCharacterUnsafeInAFileName) {
    const std::vector<std::pair<QString, QString>> cases{
        {QStringLiteral("a*b*c*"), QStringLiteral("a_b_c_")},
        {QStringLiteral("LOG 2009-04-30"), QStringLiteral("LOG 2009-04-30")},
        {QString(), QString()},
        {QStringLiteral("a/b\\c:d?e\"f<g>h|i"), QStringLiteral("a_b_c_d_e_f_g_h_i")},
        {QStringLiteral("../x"), QStringLiteral(".._x")},
        {QStringLiteral(".."), QStringLiteral("__")},
        {QStringLiteral("."), QStringLiteral("_")},
        {QStringLiteral("tab\there\x7f"), QStringLiteral("tab_here_")},
        {QString::fromUtf8("ｶﾞｽ..1"), QString::fromUtf8("ｶﾞｽ..1")},
    };
    for (const auto& [name, safe] : cases)
        EXPECT_EQ(SafeFileName(name), safe) << name.toStdString();
}

class DeleteFolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        root = temp.filePath(QStringLiteral("root"));
        data = root + QStringLiteral("/Data");
        ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/09/04")));
        Touch(data + QStringLiteral("/09/04/A.Dat"));
        Touch(root + QStringLiteral("/MT52.mdb"));
        ASSERT_TRUE(QDir().mkpath(temp.filePath(QStringLiteral("outside/keep"))));
    }
    void TearDown() override { test::ResetProgramState(); }
    static void Touch(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

    QTemporaryDir temp;
    QString root;
    QString data;
};

TEST_F(DeleteFolderTreeTest, DeletesAFolderInsideTheDataLocation) {
    State().DataRoot = root;
    EXPECT_TRUE(DeleteFolderTree(data));
    EXPECT_FALSE(QFileInfo::exists(data));
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/MT52.mdb")));
}

TEST_F(DeleteFolderTreeTest, LeavesReadOnlyFilesAndTheFoldersHoldingThem) {
    State().DataRoot = root;
    ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/09/05")));
    const QString kept = data + QStringLiteral("/09/05/Locked.Dat");
    Touch(kept);
    ASSERT_TRUE(QFile::setPermissions(kept, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    EXPECT_FALSE(DeleteFolderTree(data));
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/09/04")));
    QFile::setPermissions(kept, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(DeleteFolderTreeTest, FallsBackToTheProgramFolder) {
    State().StartDir = root;
    EXPECT_TRUE(DeleteFolderTree(data + QStringLiteral("/09")));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/09")));
    EXPECT_TRUE(QFileInfo::exists(data));
}

TEST_F(DeleteFolderTreeTest, RefusesEverythingOutsideTheDataLocation) {
    State().DataRoot = root;
    const QString outside = temp.filePath(QStringLiteral("outside"));
    for (const QString& path : {QString(), QStringLiteral("/"), root, outside, root + QStringLiteral("/../outside"),
                                data + QStringLiteral("/missing"), root + QStringLiteral("/MT52.mdb")}) {
        EXPECT_FALSE(DeleteFolderTree(path)) << path.toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(outside + QStringLiteral("/keep")));
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/09/04/A.Dat")));
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/MT52.mdb")));

    test::ResetProgramState();  // no data location at all
    EXPECT_FALSE(DeleteFolderTree(data));
    EXPECT_TRUE(QFileInfo::exists(data));
}

}  // namespace
}  // namespace mt52
