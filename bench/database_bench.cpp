// Storing and reading downloaded records: 10,000 header rows, each with its sample rows,
// written in one transaction, then read back header by header with their rows.
#include "common/DatabaseSchema.h"
#include "platform/Database.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kHeaders = 10000;
constexpr int kRowsPerHeader = 5;

QString HeaderInsert() {
    QStringList columns{"SeqNo", "Names", "UserID", "StationID", "SerialNo", "RomNum", "Types", "LogNo", "Dcount",
                        "FolderID", "Dates", "Last", "Interval"};
    for (int slot = 1; slot <= 5; ++slot)
        for (const char* c : {"Name", "Full", "Desit", "Enable", "Point", "Unit", "Avr", "Max", "Min", "MaxDate"})
            columns << QStringLiteral("Gas%1%2").arg(slot).arg(QLatin1String(c));
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("Insert Into Log_Head(%1) Values (%2);").arg(columns.join(u','), marks.join(u','));
}

void StoreRecords(const QString& path) {
    mt52::Database db(path);
    mt52::Transaction t(db);
    const QString header = HeaderInsert();
    const QString row = QStringLiteral(
        "Insert Into Interval_Data(SeqNo,RelNo,Datetimes,EvtTime,Gas1Value,Gas1cnt,Gas2Value,Gas2cnt) "
        "Values (?,?,?,?,?,?,?,?);");
    const mt52::Date start = *mt52::Date::FromParts(2024, 1, 1);
    mt52::Long key = t.nextSeqNo(QStringLiteral("Log_Head"));
    mt52::Long rowKey = t.nextSeqNo(QStringLiteral("Interval_Data"));
    for (int h = 0; h < kHeaders; ++h, ++key) {
        const mt52::Date dates(start.value() + h / 24.0);
        std::vector<mt52::Variant> values{key, QStringLiteral("LOG%1").arg(h), "USER", "STATION", "SN0001",
                                          mt52::Long(101), mt52::Long(1), mt52::Long(h), mt52::Long(kRowsPerHeader),
                                          "01/24", dates, mt52::Date(dates.value() + 600 / 86400.0), mt52::Long(60)};
        for (int slot = 1; slot <= 5; ++slot)
            values.insert(values.end(), {"CH4", mt52::Single(100), mt52::Single(1), slot == 1, mt52::Integer(0),
                                         "%LEL", mt52::Single(1.5f), mt52::Single(12), mt52::Single(0), dates});
        db.execute(header, values);
        for (int r = 0; r < kRowsPerHeader; ++r, ++rowKey)
            db.execute(row, {rowKey, key, mt52::Date(dates.value() + r * 60 / 86400.0), dates, mt52::Single(r * 0.5f), mt52::Long(r),
                             mt52::Single(20.9f), mt52::Long(r)});
    }
    t.commit();
}

void BM_StoreRecords(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("MT52.mdb"));
        mt52::CreateDataBase(path);
        state.ResumeTiming();
        StoreRecords(path);
    }
    state.SetItemsProcessed(state.iterations() * kHeaders);
}
BENCHMARK(BM_StoreRecords)->Unit(benchmark::kMillisecond);

void BM_ReadRecords(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("MT52.mdb"));
    mt52::CreateDataBase(path);
    StoreRecords(path);
    for (auto _ : state) {
        mt52::Database db(path);
        mt52::Recordset headers = db.query(QStringLiteral("Select * From Log_Head Order By SeqNo;"));
        long long rows = 0;
        for (; !headers.atEnd(); headers.moveNext()) {
            mt52::Recordset samples = db.query(QStringLiteral("Select * From Interval_Data Where RelNo = ?;"),
                                               {headers.field("SeqNo")});
            rows += samples.recordCount();
            benchmark::DoNotOptimize(headers.field("Gas1Max"));
        }
        if (rows != static_cast<long long>(kHeaders) * kRowsPerHeader)
            state.SkipWithError("rows lost");
    }
    state.SetItemsProcessed(state.iterations() * kHeaders);
}
BENCHMARK(BM_ReadRecords)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
