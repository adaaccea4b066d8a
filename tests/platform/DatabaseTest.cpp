#include "common/DatabaseSchema.h"
#include "platform/Database.h"
#include "platform/DatabaseCodec.h"
#include "platform/RuntimeError.h"

#include "support/Files.h"
#include "support/ErrorOf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <limits>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

Date At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return *Date::FromParts(y, mo, d, h, mi, s); }

// A database with one table of every kind of column.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("test.db"));
        CreateDatabaseFile(path_, {QStringLiteral("CREATE TABLE Sample (SeqNo INTEGER PRIMARY KEY, Num INTEGER, "
                                                  "Real REAL, Flag BOOLEAN INTEGER, Stamp DATETIME TEXT, Txt TEXT)")});
    }
    QTemporaryDir dir_;
    QString path_;
};

TEST_F(DatabaseTest, OpeningNeverCreatesOrChangesAFile) {
    const QString missing = dir_.filePath(QStringLiteral("missing.db"));
    RaisedError f = ErrorRaisedBy([&] { Database db(missing); });
    EXPECT_EQ(f.number, ErrDatabase);
    EXPECT_TRUE(f.text.contains(missing)) << f.text.toStdString();
    EXPECT_FALSE(QFile::exists(missing));

    struct Case { const char* name; QByteArray bytes; };
    for (const Case& c : {Case{"foreign.mdb", QByteArray("Standard Jet DB\0\0 some bytes of another engine", 48)},
                          Case{"empty.mdb", QByteArray()},
                          Case{"damaged.mdb", QByteArray("SQLite format 3\0", 16) + QByteArray(200, '\xff')}}) {
        const QString path = dir_.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(test::WriteFile(path, c.bytes));
        f = ErrorRaisedBy([&] { Database db(path); });
        EXPECT_EQ(f.number, ErrDatabase) << c.name;
        EXPECT_TRUE(f.text.contains(path)) << f.text.toStdString();
        EXPECT_EQ(test::ReadFile(path), c.bytes) << c.name;
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).filter(QString::fromLatin1(c.name)).size(), 1);
    }
}

TEST_F(DatabaseTest, ValuesAreBoundAndReadBackWithTheirTypes) {
    Database db(path_);
    const QString insert = QStringLiteral("INSERT INTO Sample VALUES (?, ?, ?, ?, ?, ?)");
    db.execute(insert, {Long(1), Integer(-7), Single(0.1f), true, At(2024, 3, 15, 14, 5, 9), "O'Brien; DROP TABLE Sample"});
    db.execute(insert, {Long(2), Variant(), Variant::Null(), false, Variant::Null(), ""});
    db.execute(insert, {Long(3), 3000000000LL, 2.5, Long(5), Date(At(2024, 3, 15).value() + 0.6 / 86400), "x"});

    Recordset rs = db.query(QStringLiteral("SELECT * FROM Sample ORDER BY SeqNo"));
    ASSERT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.field("Num"), Variant(Long(-7)));
    EXPECT_EQ(rs.field("Real"), Variant(0.1));  // the single's own decimal value, not 0.100000001
    EXPECT_EQ(rs.field("Flag"), Variant(true));
    EXPECT_EQ(rs.field("Stamp"), Variant(At(2024, 3, 15, 14, 5, 9)));
    EXPECT_EQ(rs.field("Txt"), Variant("O'Brien; DROP TABLE Sample"));
    rs.moveNext();
    EXPECT_TRUE(rs.field("Num").isNull());  // Empty is stored as Null
    EXPECT_TRUE(rs.field("Real").isNull());
    EXPECT_EQ(rs.field("Flag"), Variant(false));
    EXPECT_TRUE(rs.field("Stamp").isNull());
    EXPECT_EQ(rs.field("Txt"), Variant(""));  // the empty text is not Null
    rs.moveNext();
    EXPECT_EQ(rs.field("Num"), Variant(3000000000.0));  // beyond a Long
    EXPECT_EQ(rs.field("Flag"), Variant(true));          // any non-zero is True
    EXPECT_EQ(rs.field("Stamp"), Variant(At(2024, 3, 15, 0, 0, 1)));  // whole seconds

    // The stored forms: a date as its text, a Boolean as 1/0.
    Recordset raw = db.query(QStringLiteral("SELECT typeof(Stamp) AS T, CAST(Stamp AS TEXT) AS S, Flag + 0 AS F "
                                            "FROM Sample WHERE SeqNo = ?"),
                             {Long(1)});
    EXPECT_EQ(raw.field("T"), Variant("text"));
    EXPECT_EQ(raw.field("S"), Variant("2024-03-15 14:05:09"));
    EXPECT_EQ(raw.field("F"), Variant(Long(1)));

    // A date compares equal to the same date bound again, and an odd stored text is handed over as text.
    EXPECT_EQ(db.query(QStringLiteral("SELECT * FROM Sample WHERE Stamp = ?"), {At(2024, 3, 15, 14, 5, 9)}).recordCount(), 1);
    db.execute(QStringLiteral("UPDATE Sample SET Stamp = ? WHERE SeqNo = 2"), {"not a date"});
    EXPECT_EQ(db.query(QStringLiteral("SELECT Stamp FROM Sample WHERE SeqNo = 2")).field("stamp"), Variant("not a date"));
}

TEST_F(DatabaseTest, RecordsetMovesAndLooksFieldsUpWithoutRegardToCase) {
    Database db(path_);
    for (Long i = 1; i <= 3; ++i)
        db.execute(QStringLiteral("INSERT INTO Sample (SeqNo, Txt) VALUES (?, ?)"), {i, QStringLiteral("row %1").arg(i)});

    Recordset rs = db.query(QStringLiteral("select seqno, TXT from SAMPLE order by SeqNo"));
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.field("SeqNo"), Variant(Long(1)));
    rs.moveLast();
    EXPECT_EQ(rs.field("txt"), Variant("row 3"));
    rs.moveFirst();
    QStringList seen;
    for (; !rs.atEnd(); rs.moveNext())
        seen << rs.field("Txt").toString();
    EXPECT_EQ(seen, (QStringList{"row 1", "row 2", "row 3"}));
    EXPECT_EQ(ErrorRaisedBy([&] { rs.moveNext(); }).number, ErrDatabase);
    EXPECT_EQ(ErrorRaisedBy([&] { rs.field("Txt"); }).number, ErrDatabase);  // no current record
    rs.moveFirst();
    const RaisedError missing = ErrorRaisedBy([&] { rs.field("Gasval"); });
    EXPECT_EQ(missing.number, ErrDatabase);
    EXPECT_TRUE(missing.text.contains("Gasval"));

    Recordset none = db.query(QStringLiteral("SELECT * FROM Sample WHERE SeqNo = ?"), {Long(99)});
    EXPECT_EQ(none.recordCount(), 0);
    EXPECT_TRUE(none.atEnd());
    none.moveLast();
    none.moveFirst();
    EXPECT_TRUE(none.atEnd());
    EXPECT_EQ(ErrorRaisedBy([&] { none.field("Txt"); }).number, ErrDatabase);

    Recordset max = db.query(QStringLiteral("Select Max(SeqNo) As MaxSeq From sample;"));
    EXPECT_EQ(max.field("maxseq"), Variant(Long(3)));
}

TEST_F(DatabaseTest, FailingStatementsRaiseTheEngineMessageAndChangeNothing) {
    Database db(path_);
    db.execute(QStringLiteral("INSERT INTO Sample (SeqNo) VALUES (1)"));
    struct Case { const char* sql; std::vector<Variant> values; const char* message; };
    for (const Case& c : std::vector<Case>{
             {"SELECT * FROM NoSuchTable", {}, "no such table"},
             {"INSERT INTO Sample (SeqNo) VALUES (2), (1)", {}, "UNIQUE"},  // the first row is not kept either
             {"INSERT INTO Sample (SeqNo) VALUES (?)", {}, "1 values, 0"},
             {"INSERT INTO Sample (SeqNo) VALUES (?)", {Long(5), Long(6)}, "1 values, 2"},
             {"DELETE FROM Sample; DELETE FROM Sample", {}, "One statement"},
         }) {
        const RaisedError f = ErrorRaisedBy([&] { db.execute(QString::fromLatin1(c.sql), c.values); });
        EXPECT_EQ(f.number, ErrDatabase) << c.sql;
        EXPECT_TRUE(f.text.contains(QString::fromLatin1(c.message))) << f.text.toStdString();
    }
    EXPECT_EQ(db.query(QStringLiteral("SELECT SeqNo FROM Sample")).recordCount(), 1);
    EXPECT_EQ(db.execute(QStringLiteral("DELETE FROM Sample;")), 1);  // a closing ";" is fine
}

TEST_F(DatabaseTest, TransactionKeepsAllOrNothing) {
    Database db(path_);
    auto count = [&] { return db.query(QStringLiteral("SELECT * FROM Sample")).recordCount(); };
    {
        Transaction t(db);
        EXPECT_EQ(t.nextSeqNo(QStringLiteral("Sample")), 1);
        db.execute(QStringLiteral("INSERT INTO Sample (SeqNo) VALUES (?)"), {t.nextSeqNo(QStringLiteral("Sample"))});
        EXPECT_EQ(t.nextSeqNo(QStringLiteral("sample")), 2);  // sees its own rows
        // Another connection to the same file reads while the writer holds its transaction.
        Database reader(path_);
        EXPECT_EQ(reader.query(QStringLiteral("SELECT * FROM Sample")).recordCount(), 0);
    }  // no commit: undone
    EXPECT_EQ(count(), 0);
    EXPECT_FALSE(db.inTransaction());

    EXPECT_EQ(ErrorRaisedBy([&] {
                  Transaction t(db);
                  db.execute(QStringLiteral("INSERT INTO Sample (SeqNo) VALUES (1)"));
                  db.execute(QStringLiteral("INSERT INTO Sample (SeqNo) VALUES (1)"));  // fails: the first goes too
                  t.commit();
              }).number,
              ErrDatabase);
    EXPECT_EQ(count(), 0);

    {
        Transaction t(db);
        db.execute(QStringLiteral("INSERT INTO Sample (SeqNo) VALUES (41)"));
        EXPECT_EQ(ErrorRaisedBy([&] { Transaction nested(db); }).number, ErrDatabase);
        EXPECT_EQ(t.nextSeqNo(QStringLiteral("Sample")), 42);
        EXPECT_EQ(ErrorRaisedBy([&] { t.nextSeqNo(QStringLiteral("Sample; DROP TABLE Sample")); }).number, ErrDatabase);
        t.commit();
    }
    EXPECT_EQ(count(), 1);
}

// A database made by another tool may declare the program's date and Yes/No columns TEXT, or
// give them no type at all: they are read by their names. Expressions keep what they hold.
TEST_F(DatabaseTest, DateAndYesNoColumnsAreReadByTheirNamesWhateverTheirDeclaredType) {
    Database db(path_);
    db.execute("CREATE TABLE Other (SeqNo INTEGER, Dates TEXT, gas2caldate, Gas3Enable TEXT, Power_Type VARCHAR(5), "
               "Names TEXT, Gas6Enable TEXT)");
    const struct {
        const char* column;
        Variant stored;
        Variant read;
    } cases[] = {
        {"Dates", "2024-03-05 10:20:30", At(2024, 3, 5, 10, 20, 30)},
        {"Dates", "2024-03-05", At(2024, 3, 5)},  // the date alone
        {"Dates", "soon", "soon"},                // handed over: the reader reports the damaged row
        {"gas2caldate", "2024-03-05 10:20:30", At(2024, 3, 5, 10, 20, 30)},
        {"gas2caldate", 45356.5, Date(45356.5)},
        {"Gas3Enable", Long(1), true},  // kept as the text "1" by the TEXT declaration
        {"Gas3Enable", Long(0), false},
        {"Gas3Enable", "yes", "yes"},
        {"Power_Type", Long(1), true},
        {"Names", "2024-03-05", "2024-03-05"},  // no date column
        {"Gas6Enable", Long(1), "1"},           // no gas group of the program
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " " + c.stored.toString().toStdString());
        db.execute("DELETE FROM Other");
        db.execute(QStringLiteral("INSERT INTO Other (SeqNo, %1) VALUES (1, ?)").arg(QLatin1String(c.column)), {c.stored});
        EXPECT_EQ(db.query(QStringLiteral("SELECT %1 FROM Other").arg(QLatin1String(c.column))).field(0), c.read);
        EXPECT_EQ(db.query(QStringLiteral("SELECT o.%1 AS Renamed FROM Other o").arg(QLatin1String(c.column))).field(0),
                  c.read);
    }
    db.execute("DELETE FROM Other");
    db.execute("INSERT INTO Other (SeqNo, Dates) VALUES (1, '2024-03-05')");
    EXPECT_EQ(db.query("SELECT Dates || '' AS Dates FROM Other").field(0), Variant("2024-03-05"));
}

// program_text(x) in SQL gives the text the program reads a stored value as (plainValue), so a
// condition can compare a stored number or a text that is not UTF-8 with what the program shows.
TEST_F(DatabaseTest, ProgramTextIsTheTextThePlainReadingGivesWhateverIsStored) {
    Database db(path_);
    db.execute("CREATE TABLE Loose (SeqNo INTEGER, Anything, Stamp DATETIME)");
    const char* stored[] = {"NULL", "1", "1.0", "-2.5", "12345678901234567", "1e300", "'AB12 '",
                            "CAST(X'8386815B8355' AS TEXT)", "CAST(X'C3A9' AS TEXT)", "X'41FF'", "'ユーザ'"};
    Long seqNo = 0;
    for (const char* value : stored)
        db.execute(QStringLiteral("INSERT INTO Loose VALUES (%1, %2, %2)").arg(++seqNo).arg(QLatin1String(value)));
    int rows = 0;
    for (const char* column : {"Anything", "Stamp"}) {
        db.forEachRow(QStringLiteral("SELECT %1, program_text(%1), program_text(%1) IS NULL FROM Loose ORDER BY SeqNo")
                          .arg(QLatin1String(column)),
                      {}, [&rows](const RowReader& row) {
                          ++rows;
                          const Variant plain = row.plainValue(0);
                          SCOPED_TRACE(rows);
                          EXPECT_EQ(row.value(2).toLong() == 1, plain.isNull());
                          if (!plain.isNull()) {
                              EXPECT_EQ(row.text(1), plain.toString());
                          }
                      });
    }
    EXPECT_EQ(rows, 2 * static_cast<int>(std::size(stored)));
    // What the program shows for a stored number or foreign bytes is what the query finds.
    EXPECT_EQ(db.query("SELECT COUNT(*) FROM Loose WHERE program_text(Anything) = '1'").field(0).toLong(), 2);
    EXPECT_EQ(db.query("SELECT program_text(12345678901234567)").field(0), Variant("1.23456789012346E+16"));
    EXPECT_EQ(db.query("SELECT program_text(Anything) FROM Loose WHERE SeqNo = 4").field(0), Variant("-2.5"));
}

// Every date and Yes/No column of the program's tables, and no other, is known by its name.
TEST(DatabaseCodec, TheColumnsKnownByNameAreTheSchemasDateAndYesNoColumns) {
    for (const TableSchema& table : DatabaseTables())
        for (const ColumnSchema& column : table.columns) {
            const StoredKind expected = column.type == ColumnType::Date    ? StoredKind::Date
                                        : column.type == ColumnType::YesNo ? StoredKind::YesNo
                                                                           : StoredKind::Plain;
            EXPECT_EQ(StoredKindOfColumn(column.name), expected) << table.name.toStdString() << "." << column.name.toStdString();
            EXPECT_EQ(StoredKindOfColumn(column.name.toUpper()), expected) << column.name.toStdString();
        }
}

TEST(DatabaseCodec, DatesAreStoredAsTextOfWholeSeconds) {
    EXPECT_EQ(EncodeDbDate(At(2009, 4, 30, 8, 5, 3)), QStringLiteral("2009-04-30 08:05:03"));
    EXPECT_EQ(EncodeDbDate(InvalidDateMark), QStringLiteral("1900-01-01 00:00:00"));
    EXPECT_EQ(EncodeDbDate(Date(0.0)), QStringLiteral("1899-12-30 00:00:00"));
    EXPECT_EQ(EncodeDbDate(Date(At(2024, 12, 31, 23, 59, 59).value() + 0.7 / 86400)), QStringLiteral("2025-01-01 00:00:00"));
    for (const Date& d : {At(2009, 4, 30, 8, 5, 3), InvalidDateMark, Date(0.0), At(9999, 12, 31, 23, 59, 59)})
        EXPECT_EQ(DecodeDbDate(EncodeDbDate(d)), d) << EncodeDbDate(d).toStdString();
    for (const char* bad : {"", "2024-02-30 00:00:00", "2024-3-5 01:02:03", "2024-03-05 24:00:00",
                            "2024-03-05 01:02:03 ", "2024/03/05 01:02:03", "2024-03-05"})
        EXPECT_FALSE(DecodeDbDate(QString::fromLatin1(bad)).has_value()) << bad;
    // A value that is no date is refused rather than stored as a text no reader takes back.
    for (double odd : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e19, -1e19,
                       2958466.0})
        EXPECT_EQ(ErrorRaisedBy([&] { EncodeDbDate(Date(odd)); }).number, ErrOverflow) << odd;
}

}  // namespace
}  // namespace mt52
