#pragma once
// Small helpers of the record-table tests: gas slots of an in-memory record, the texts of a
// table row, and English texts for the headings.
#include "common/ResText.h"
#include "platform/GridModel.h"
#include "records/RecordFrame.h"
#include "support/ProgramState.h"

#include <QStringList>
#include <ostream>

#include <gtest/gtest.h>

// Readable texts in the failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{';
    for (const QString& text : texts)
        *os << '"' << text.toStdString() << "\" ";
    *os << '}';
}
QT_END_NAMESPACE

namespace mt52::test {

inline Date TimeAt(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return *Date::FromParts(year, month, day, hour, minute, second);
}

struct GasSlotValues {
    QString name;
    Single full = 100;
    Integer point = 0;
    QString unit;
    bool enabled = true;
    Single ratio = 0;
};

inline void SetGas(RecordFrame& record, Integer slot, const GasSlotValues& gas) {
    record.GasListInfo(slot, GasInfoField::Name, gas.name);
    record.GasListInfo(slot, GasInfoField::Full, gas.full);
    record.GasListInfo(slot, GasInfoField::Point, gas.point);
    record.GasListInfo(slot, GasInfoField::Unit, gas.unit);
    record.GasListInfo(slot, GasInfoField::Enable, gas.enabled);
    record.GasListInfo(slot, GasInfoField::Ratio, gas.ratio);
}

inline QStringList RowTexts(const GridModel& grid, int row) {
    QStringList texts;
    for (int col = 0; col < grid.Cols(); ++col)
        texts << grid.TextMatrix(row, col);
    return texts;
}

class RecordTableTest : public testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        SetInterfaceLanguage(Language::English);
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        ResetProgramState();
    }

    GridModel table_;
    GridModel summary_;
};

}  // namespace mt52::test
