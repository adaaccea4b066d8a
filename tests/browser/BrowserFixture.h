#pragma once
// A database in a temporary program folder with a few helpers that store Log_Head rows and
// child rows as the download writes them, English texts and a fresh module state.
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/Database.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Rows are written with designated initializers naming only what a case is about; GCC 12 warns
// about the members left to their defaults even though each has one.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace mt52::test {

struct HeadRow {
    Long SeqNo = 0;
    Long Types = 1;
    QString SerialNo = QStringLiteral("SN1");
    QString StationID = QStringLiteral("ST1");
    QString UserID = QStringLiteral("U1");
    QString FolderID = QStringLiteral("05/24");
    QString Names;
    Variant Sampling = Long(0);
    Date Dates = Date(45432.5);  // 2024-05-20 12:00
};

class BrowserFixture : public testing::Test {
protected:
    void SetUp() override {
        ResetState();
        SetInterfaceLanguage(Language::English);
        ASSERT_TRUE(dir_.isValid());
        State().StartDir = dir_.path();
        State().DataRoot = dir_.path();
        State().DatabasePath = dir_.filePath(QStringLiteral("MT52.mdb"));
        State().DataFolder = dir_.filePath(QStringLiteral("Data"));
        QDir().mkpath(State().DataFolder);
        CreateDataBase(State().DatabasePath);
    }
    void TearDown() override {
        ResetState();
        ResetInterfaceLanguage();
    }

    Database Open() { return Database(State().DatabasePath); }

    void AddHead(const HeadRow& row) {
        Database db = Open();
        db.execute(QStringLiteral("INSERT INTO Log_Head (SeqNo, Types, SerialNo, StationID, UserID, FolderID, Names, "
                                  "Sampling, Dates) VALUES (?,?,?,?,?,?,?,?,?)"),
                   {row.SeqNo, row.Types, row.SerialNo, row.StationID, row.UserID, row.FolderID,
                    row.Names.isEmpty() ? QStringLiteral("log%1").arg(row.SeqNo) : row.Names, row.Sampling,
                    row.Dates});
    }

    // A child row of a record in a table with SeqNo and RelNo.
    void AddChild(const QString& table, Long seqNo, Long relNo) {
        Database db = Open();
        db.execute(QStringLiteral("INSERT INTO %1 (SeqNo, RelNo) VALUES (?, ?)").arg(table), {seqNo, relNo});
    }

    // A row of any table from column names and values.
    void Insert(const QString& table, const std::vector<std::pair<QString, Variant>>& columns) {
        QStringList names, marks;
        std::vector<Variant> values;
        for (const auto& [name, value] : columns) {
            names << name;
            marks << QStringLiteral("?");
            values.push_back(value);
        }
        Database db = Open();
        db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(u','), marks.join(u',')),
                   values);
    }

    Long Count(const QString& sql, const std::vector<Variant>& values = {}) {
        Database db = Open();
        return db.query(sql, values).field(0).toLong();
    }

    QTemporaryDir dir_;
};

}  // namespace mt52::test
