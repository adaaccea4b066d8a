// Loading a long interval trend (54,001 records, the most the record model holds) through
// ReLoad, against a bare loop that only reads and decodes the same trend file. The "ratio"
// counter of BM_ReLoadAgainstBareLoop is the load's time over the bare loop's.
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "records/clsInterval.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <bit>
#include <chrono>

namespace {

constexpr mt52::Long Samples = 54001;
const QString FolderId = QStringLiteral("05/09");
const QString Names = QStringLiteral("long");

// A program folder with a database holding one interval-trend header and its trend file.
class StoredTrend {
public:
    StoredTrend() {
        mt52::ResetState();
        mt52::State().StartDir = dir_.path();
        mt52::State().DatabasePath = dir_.filePath(QStringLiteral("MT52.mdb"));
        mt52::State().DataFolder = dir_.filePath(QStringLiteral("Data"));
        QDir().mkpath(mt52::State().DataFolder);
        mt52::CreateDataBase(mt52::State().DatabasePath);
        const mt52::Date start = *mt52::Date::FromParts(2009, 5, 1, 13, 5, 0);
        {
            mt52::Database db(mt52::State().DatabasePath);
            db.execute(QStringLiteral("INSERT INTO Log_Head (SeqNo, Names, Types, Dates, FolderID, Dcount) "
                                      "VALUES (1, ?, 1, ?, ?, ?)"),
                       {Names, start, FolderId, Samples});
        }
        mt52::MakeTrendFolder(FolderId);
        path_ = mt52::TrendFilePath(FolderId, Names);
        QByteArray bytes(Samples * mt52::TrendRecordBytes, '\0');
        for (mt52::Long n = 0; n < Samples; ++n) {
            char* record = bytes.data() + n * mt52::TrendRecordBytes;
            qToLittleEndian<quint64>(std::bit_cast<quint64>(start.addSeconds(n * 10.0).value()), record);
            for (int gas = 0; gas < mt52::TrendGasSlots; ++gas)
                qToLittleEndian<quint32>(std::bit_cast<quint32>(static_cast<float>((n + gas) % 100)),
                                         record + 8 + gas * 4);
        }
        QFile file(path_);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    ~StoredTrend() { mt52::ResetState(); }
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

// Reads the file and decodes every record, keeping nothing.
float BareReadAndDecode(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    float sum = 0;
    for (qsizetype offset = 0; offset + mt52::TrendRecordBytes <= bytes.size(); offset += mt52::TrendRecordBytes)
        sum += mt52::DecodeTrendRecord(bytes.constData() + offset).Values[0];
    return sum;
}

void Load(mt52::clsInterval& model) {
    model.ClearDatas();
    model.SeqNo(1);
    mt52::State().CondensedView = false;
    model.ReLoad();
}

void BM_ReLoadAgainstBareLoop(benchmark::State& state) {
    const StoredTrend trend;
    mt52::clsInterval model;
    using Clock = std::chrono::steady_clock;
    Clock::duration loading{}, bare{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        Load(model);
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(BareReadAndDecode(trend.path()));
        const auto t2 = Clock::now();
        loading += t1 - t0;
        bare += t2 - t1;
        if (model.DataCount() != Samples)
            state.SkipWithError("wrong sample count");
    }
    state.counters["ratio"] = std::chrono::duration<double>(loading).count() / std::chrono::duration<double>(bare).count();
    state.counters["load_ms"] =
        std::chrono::duration<double, std::milli>(loading).count() / static_cast<double>(state.iterations());
    state.counters["bare_ms"] =
        std::chrono::duration<double, std::milli>(bare).count() / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReLoadAgainstBareLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
