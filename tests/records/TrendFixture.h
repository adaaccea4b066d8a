#pragma once
// A program folder in a temporary directory with an empty database and a data folder, for
// tests that store and load trend records: header rows with chosen columns, trend files from
// plain values, and reads of what was stored.
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/TrendFile.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "support/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <bit>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace mt52::test {

using Values = std::array<Single, TrendGasSlots>;
using Columns = std::vector<std::pair<QString, Variant>>;

// One trend-file record with the values exactly as stored (0 no data, -100 a real zero).
inline QByteArray StoredRecord(const Date& time, const Values& stored) {
    QByteArray bytes(TrendRecordBytes, '\0');
    qToLittleEndian<quint64>(std::bit_cast<quint64>(time.value()), bytes.data());
    for (int gas = 0; gas < TrendGasSlots; ++gas)
        qToLittleEndian<quint32>(std::bit_cast<quint32>(stored[static_cast<std::size_t>(gas)]),
                                 bytes.data() + 8 + gas * 4);
    return bytes;
}

// Inserts a row with the columns given into the database at the module state's DatabasePath;
// every other column is Null.
inline void InsertRow(const QString& table, const Columns& columns) {
    QStringList names;
    QStringList marks;
    std::vector<Variant> values;
    for (const auto& [name, value] : columns) {
        names << name;
        marks << QStringLiteral("?");
        values.push_back(value);
    }
    Database db(State().DatabasePath);
    db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(u','), marks.join(u',')),
               values);
}

class TrendFixture : public testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        ASSERT_TRUE(dir_.isValid());
        State().StartDir = dir_.path();
        State().DataRoot = dir_.path();
        State().DatabasePath = dir_.filePath(QStringLiteral("MT52.mdb"));
        State().DataFolder = dir_.filePath(QStringLiteral("Data"));
        ASSERT_TRUE(QDir().mkpath(State().DataFolder));
        CreateDataBase(State().DatabasePath);
    }
    void TearDown() override { test::ResetProgramState(); }

    // Inserts a row with the columns given; every other column is Null.
    void Insert(const QString& table, const Columns& columns) { InsertRow(table, columns); }

    Recordset Rows(const QString& sql) {
        Database db(State().DatabasePath);
        return db.query(sql);
    }
    Long Count(const QString& table) {
        return Rows(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table).field(QStringLiteral("n")).toLong();
    }

    // Writes the bytes as the trend file of a log, making its folders.
    void WriteTrend(const QString& folderId, const QString& names, const QByteArray& bytes) {
        ASSERT_TRUE(MakeTrendFolder(folderId));
        QFile file(TrendFilePath(folderId, names));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // A trend file of records `interval` seconds apart from `start`, values as stored.
    void WriteTrend(const QString& folderId, const QString& names, const Date& start, int interval,
                    const std::vector<Values>& stored) {
        QByteArray bytes;
        for (std::size_t i = 0; i < stored.size(); ++i)
            bytes += StoredRecord(start.addSeconds(static_cast<double>(i) * interval), stored[i]);
        WriteTrend(folderId, names, bytes);
    }

    QTemporaryDir dir_;
    ManualClock clock_{QDateTime(QDate(2025, 6, 1), QTime(8, 30, 0))};
    ScopedClock scopedClock_{clock_};
};

}  // namespace mt52::test
