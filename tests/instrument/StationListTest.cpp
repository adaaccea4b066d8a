#include "instrument/StationList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(StationNames, ValidityKeysAndLeadingSpaces) {
    EXPECT_TRUE(IsValidStationName(QString(16, u'-')));
    EXPECT_TRUE(IsValidStationName(QStringLiteral(" ab_C/9-x")));
    EXPECT_TRUE(IsValidStationName(QString()));
    EXPECT_FALSE(IsValidStationName(QString(17, u'A')));
    EXPECT_FALSE(IsValidStationName(QStringLiteral("A,B")));
    EXPECT_FALSE(IsValidStationName(QStringLiteral("Ä")));

    const QString full(16, u'A');
    EXPECT_TRUE(AcceptStationKey('a', QString(15, u'A'), 0));
    EXPECT_FALSE(AcceptStationKey('a', full, 0));
    EXPECT_TRUE(AcceptStationKey(8, full, 0));     // backspace always
    EXPECT_TRUE(AcceptStationKey('a', full, 16));  // typing over a selected full name
    EXPECT_TRUE(AcceptStationKey('a', full, 1));
    EXPECT_FALSE(AcceptStationKey(',', QString(), 0));
    EXPECT_FALSE(AcceptStationKey(0x00E4, QString(), 0));

    struct Case {
        const char* name;
        Integer count;
    };
    for (const Case& c : {Case{"", 0}, Case{"   AB", 3}, Case{"    ", 4}, Case{"A  ", 0}, Case{" A B ", 1}}) {
        EXPECT_EQ(LeftSpaceCount(QString::fromUtf8(c.name)), c.count) << "'" << c.name << "'";
        EXPECT_EQ(LeftSpaceText(QString::fromUtf8(c.name)), QStringLiteral("(Left space %1)").arg(c.count));
    }
}

class StationFile : public ::testing::Test {
protected:
    QString Write(const QByteArray& content) {
        const QString path = dir.filePath(QStringLiteral("in.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(StationFile, ExportedListReadsBackUnchanged) {
    QStringList names;
    for (int i = 0; i < StationCount; ++i)
        names.append(QString(16, u'-'));
    names[0] = QStringLiteral("  Lead space");
    names[1] = QStringLiteral("trail  ");
    names[2] = QStringLiteral("lower/case_1");
    names[3] = QString();

    const QString path = dir.filePath(QStringLiteral("Station.csv"));
    QString error;
    ASSERT_TRUE(WriteStationFile(path, names, error)) << error.toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("1,  Lead space\r\n2,trail  \r\n3,lower/case_1\r\n4,\r\n5,----------------\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n128,----------------\r\n"));
    EXPECT_EQ(bytes.count('\n'), StationCount);

    const StationFileContent read = ReadStationFile(path);
    EXPECT_TRUE(read.error.isEmpty());
    EXPECT_EQ(read.names, names);
}

TEST_F(StationFile, ReadFollowsTheTokenRules) {
    struct Case {
        QByteArray content;
        QStringList names;
    };
    const Case cases[] = {
        // The first field is never used: the third line fills row 2.
        {"9,A\r\n9,B\r\n1,C\r\n", {"A", "B", "C"}},
        // Fields after the first are joined with ","; a tab separates like a comma.
        {"1,A,B\r\n2\tC\tD\r\n", {"A,B", "C,D"}},
        // Separators in a row count as one; a leading separator makes the name the first token.
        {"1,,A\r\n,B\r\n7\r\n\r\n", {"A", "", "", ""}},
        // LF-only lines and a last line without its end.
        {"1,A\n2,B", {"A", "B"}},
    };
    for (const Case& c : cases) {
        const StationFileContent read = ReadStationFile(Write(c.content));
        EXPECT_TRUE(read.error.isEmpty());
        EXPECT_EQ(read.names, c.names) << c.content.toStdString();
    }

    QByteArray many;
    for (int i = 1; i <= 130; ++i)
        many += QByteArray::number(i) + ",S" + QByteArray::number(i) + "\r\n";
    const StationFileContent read = ReadStationFile(Write(many));
    ASSERT_EQ(read.names.size(), StationCount);
    EXPECT_EQ(read.names.last(), QStringLiteral("S128"));
}

TEST_F(StationFile, FailuresKeepWhatWasReadAndSayWhy) {
    const StationFileContent missing = ReadStationFile(dir.filePath(QStringLiteral("none.csv")));
    EXPECT_FALSE(missing.error.isEmpty());
    EXPECT_TRUE(missing.names.isEmpty());

    // A line of more fields than the token splitter takes stops the reading at that line.
    QByteArray wide = "1,A\r\n2,B\r\n3";
    for (int i = 0; i < 60; ++i)
        wide += ",x";
    wide += "\r\n4,D\r\n";
    const StationFileContent read = ReadStationFile(Write(wide));
    EXPECT_EQ(read.names, (QStringList{"A", "B"}));
    EXPECT_TRUE(read.error.contains(QStringLiteral("Line 3"))) << read.error.toStdString();

    QString error;
    EXPECT_FALSE(WriteStationFile(dir.filePath(QStringLiteral("no/such/dir/Station.csv")), {}, error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace mt52
