#pragma once
// A fresh program database in a temporary folder, set as the database path of the module
// state, with small helpers to put rows in and read them back.
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "platform/Clock.h"
#include "platform/Database.h"

#include <QStringList>
#include <QTemporaryDir>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace mt52 {

using Columns = std::vector<std::pair<QString, Variant>>;

inline Date At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return *Date::FromParts(year, month, day, hour, minute, second);
}

class RecordDatabase : public testing::Test {
protected:
    void SetUp() override {
        ResetState();
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("MT52.mdb"));
        CreateDataBase(path_);
        State().DatabasePath = path_;
    }
    void TearDown() override { ResetState(); }

    void Insert(const QString& table, const Columns& columns) {
        QStringList names;
        QStringList places;
        std::vector<Variant> values;
        for (const auto& [name, value] : columns) {
            names << name;
            places << QStringLiteral("?");
            values.push_back(value);
        }
        Database db(path_);
        db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(u','), places.join(u',')),
                   values);
    }
    Recordset Rows(const QString& sql, const std::vector<Variant>& values = {}) {
        Database db(path_);
        return db.query(sql, values);
    }
    Long Count(const QString& table) {
        return Rows(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table).field(QStringLiteral("n")).toLong();
    }

    QTemporaryDir dir_;
    QString path_;
    ManualClock clock_{QDateTime(QDate(2025, 6, 1), QTime(8, 30, 0))};
    ScopedClock scopedClock_{clock_};
};

}  // namespace mt52
