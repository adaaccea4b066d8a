// Building the record tree for 100,000 Log_Head rows, next to a bare query of the same rows:
// the tree should cost little more than reading the rows it is built from.
#include "browser/LogTree.h"
#include "common/DatabaseSchema.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100000;

// 40 instruments, each with 3 stations and 5 users, over 24 months, every record kind.
const QString& DatabaseWithRows() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("MT52.mdb"));
        mt52::CreateDataBase(p);
        mt52::Database db(p);
        mt52::Transaction t(db);
        const mt52::Long types[] = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11};
        for (int i = 0; i < kRows; ++i) {
            db.execute(QStringLiteral("INSERT INTO Log_Head (SeqNo, Types, Names, SerialNo, StationID, UserID, FolderID) "
                                      "VALUES (?,?,?,?,?,?,?)"),
                       {mt52::Long(i + 1), types[i % 10], QStringLiteral("log%1").arg(i),
                        QStringLiteral("SN%1").arg(i % 40, 4, 10, QLatin1Char('0')),
                        QStringLiteral("STATION-%1").arg(i % 3), QStringLiteral("USER %1").arg(i % 5),
                        QStringLiteral("%1/%2").arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(23 + (i / 7) % 2)});
        }
        t.commit();
        return p;
    }();
    return path;
}

void BM_BareQuery(benchmark::State& state) {
    mt52::Database db(DatabaseWithRows());
    for (auto _ : state) {
        mt52::Recordset rs =
            db.query(QStringLiteral("SELECT Types, SerialNo, StationID, UserID, FolderID FROM Log_Head"));
        benchmark::DoNotOptimize(rs.recordCount());
    }
}
BENCHMARK(BM_BareQuery)->Unit(benchmark::kMillisecond);

void BM_BuildLogTree(benchmark::State& state) {
    mt52::Database db(DatabaseWithRows());
    const mt52::LogGrouping grouping{.BySerialNo = state.range(0) != 0,
                                     .ByStationId = state.range(0) != 0,
                                     .ByUserId = state.range(0) != 0,
                                     .Extended = true};
    for (auto _ : state) {
        mt52::LogTree tree = mt52::LogTree::Load(db, grouping);
        benchmark::DoNotOptimize(tree.Count());
    }
}
// 0: months only; 1: every grouping level.
BENCHMARK(BM_BuildLogTree)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
