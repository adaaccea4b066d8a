// What a user waits for when a long interval trend (54,001 samples x 5 gases, 200 events) is
// opened in the data view and exported, each side by side with a bare baseline in one run:
//
// - BM_OpenIntervalTrend: the record loaded from the database and its trend file, then the
//   summary and the record table filled into the view's grid widget (as the Detail button does).
//   BM_IntervalTableFill: the fill alone, the record already loaded.
//   Baseline BM_BareReadAndFormatCells: the trend file read with fread and the same cells (row
//   number, date, four gas readings with their units) formatted with snprintf.
// - BM_ExportIntervalCsv: the record's comma-separated file written as the Export command writes
//   it (through a QSaveFile, yielding to the event loop through the export's own hook). The
//   QSaveFile writes a temporary file beside the target, flushes it to the disk and renames it
//   into place, so a crash never leaves a half file.
//   Baseline BM_BareReadAndWriteCsv: what a careful plain C program does to write the same bytes
//   as safely: the trend file read with fread, the bytes written with write(2) to a temporary
//   file beside the target, fsync, rename over the target.
//   BM_BareReadAndWriteCsvNoSync: the trend file read and the bytes written with fwrite into the
//   page cache only (no fsync, no rename): the cost of the bytes alone, a lower bound.
//   The disk flush makes the first two depend on the disk and on what else writes to it: run
//   them on a quiet machine and compare figures of one run.
//
// Compare "now" with "bare" of the same group: the ratio is what the user pays over the plain
// work. "rows/s" counts table or file rows per second.
#include "BenchMain.h"
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "platform/gui/GridView.h"
#include "records/clsInterval.h"
#include "views/BrowseTable.h"
#include "views/RecordSummary.h"
#include "views/SampleFileExport.h"
#include "views/ViewRecords.h"
#include "views/gui/ExportProgress.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using namespace mt52;

constexpr Long SeqNo = 1;
constexpr int Samples = 54001;
constexpr int Events = 200;
constexpr int Interval = 10;
const QString FolderId = QStringLiteral("05/24");
const QString Names = QStringLiteral("LONG TREND");

Date Start() { return *Date::FromParts(2024, 5, 1, 12, 0, 0); }

// The stored reading of gas g at sample i: every sample differs from the one before, so the
// load keeps them all; gas 1 (oxygen) stays near 20.9 %.
Single Reading(int g, int i) {
    switch (g) {
    case 0: return static_cast<Single>((i * 7 + 3) % 1000) / 10.0f;          // 0.0 .. 99.9 %LEL
    case 1: return 20.9f - static_cast<Single>(i % 31) / 10.0f;              // oxygen
    case 2: return static_cast<Single>((i * 13) % 300);                      // CO ppm
    case 3: return static_cast<Single>((i * 3) % 250) / 10.0f;               // H2S ppm
    default: return static_cast<Single>((i * 11) % 500) / 100.0f;            // CH4 vol%
    }
}

void Insert(Database& db, const QString& table, const std::vector<std::pair<QString, Variant>>& columns) {
    QStringList names;
    QStringList marks;
    std::vector<Variant> values;
    for (const auto& [name, value] : columns) {
        names << name;
        marks << QStringLiteral("?");
        values.push_back(value);
    }
    db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(u','), marks.join(u',')),
               values);
}

// A program folder with the database and the trend file of one long interval trend.
class StoredLongTrend {
public:
    StoredLongTrend() {
        ResetState();
        SetInterfaceLanguage(Language::English);
        State().StartDir = dir_.path();
        State().DataRoot = dir_.path();
        State().DatabasePath = dir_.filePath(QStringLiteral("MT52.mdb"));
        State().DataFolder = dir_.filePath(QStringLiteral("Data"));
        QDir().mkpath(State().DataFolder);
        CreateDataBase(State().DatabasePath);
        Database db(State().DatabasePath);
        const Date start = Start();
        const Date last = start.addSeconds(double(Samples - 1) * Interval);
        std::vector<std::pair<QString, Variant>> head{
            {"SeqNo", SeqNo},       {"Types", Long{1}},     {"Names", Names},          {"Dates", start},
            {"Last", last},         {"FolderID", FolderId}, {"SerialNo", "SN1"},       {"StationID", "ST1"},
            {"UserID", "U1"},       {"Interval", Long{Interval}}, {"Sampling", Long{0}}, {"Dcount", Long{Samples}}};
        const char* gasNames[] = {"CH4", "O2", "CO", "H2S", "CH4"};
        const double fulls[] = {100, 25, 300, 30, 5};
        const Long points[] = {1, 1, 0, 1, 2};
        const char* units[] = {"%LEL", "%", "ppm", "ppm", "vol%"};
        for (int g = 0; g < 5; ++g) {
            const QString p = QStringLiteral("Gas%1").arg(g + 1);
            head.push_back({p + "Name", gasNames[g]});
            head.push_back({p + "Full", fulls[g]});
            head.push_back({p + "Point", points[g]});
            head.push_back({p + "Unit", units[g]});
            head.push_back({p + "Enable", g < 4});
            head.push_back({p + "Avr", fulls[g] / 4});
            head.push_back({p + "Max", fulls[g] / 2});
            head.push_back({p + "Min", 0.0});
            head.push_back({p + "Warning", fulls[g] / 5});
            head.push_back({p + "Alarm", fulls[g] / 2});
            head.push_back({p + "Ratio", g == 0 ? 50000.0 : 0.0});
        }
        Insert(db, QStringLiteral("Log_Head"), head);
        db.execute(QStringLiteral("BEGIN"));
        for (int e = 0; e < Events; ++e) {
            std::vector<std::pair<QString, Variant>> row{
                {"RelNo", SeqNo}, {"BaseDate", start},
                {"DateTimes", start.addSeconds(double(e) * Samples * Interval / Events + 5)}};
            for (int g = 0; g < 5; ++g)
                row.push_back({QStringLiteral("Gas%1Event").arg(g + 1), g == 1 ? (e % 2 ? -104.0 : -103.0) : -101.0});
            Insert(db, QStringLiteral("Interval_Event"), row);
        }
        db.execute(QStringLiteral("COMMIT"));

        MakeTrendFolder(FolderId);
        QFile file(TrendFilePath(FolderId, Names));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        QByteArray bytes(TrendRecordBytes * Samples, '\0');
        for (int i = 0; i < Samples; ++i) {
            char* at = bytes.data() + i * TrendRecordBytes;
            qToLittleEndian<quint64>(std::bit_cast<quint64>(start.addSeconds(double(i) * Interval).value()), at);
            for (int g = 0; g < 5; ++g)
                qToLittleEndian<quint32>(std::bit_cast<quint32>(ReadingToStored(Reading(g, i))), at + 8 + g * 4);
        }
        file.write(bytes);
    }
    ~StoredLongTrend() { ResetState(); }

    QString TrendPath() const { return TrendFilePath(FolderId, Names); }
    QString ExportPath() const { return dir_.filePath(QStringLiteral("Sample.csv")); }
    QString BarePath() const { return dir_.filePath(QStringLiteral("Bare.csv")); }

    void Load(ViewRecords& records) const {
        clsInterval& record = records.Interval();
        record.ClearDatas();
        State().CondensedView = !State().CompletelyViewOn;
        record.SeqNo(SeqNo);
        record.BaseDate(Date(0));
        record.ReLoad();
    }

private:
    QTemporaryDir dir_;
};

// The data view's two grids as widgets, filled the way the view fills them.
struct ViewGrids {
    GridView summary;
    GridView table;

    void Fill(ViewRecords& records) {
        BrowseTableOptions options;
        options.tableSelected = true;
        options.table.condensed = State().CondensedView;
        options.table.firstGasSlot = SummaryFirstGasSlot(records.Interval());
        options.table.visibleRows = 30;
        ShowBrowseTable(1, SeqNo, records, summary.Model(), table.Model(), options);
    }
};

void SetRows(benchmark::State& state, double rows) {
    state.counters["rows/s"] = benchmark::Counter(rows * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_OpenIntervalTrend(benchmark::State& state) {
    StoredLongTrend trend;
    ViewRecords records;
    ViewGrids grids;
    for (auto _ : state) {
        trend.Load(records);
        grids.Fill(records);
    }
    if (grids.table.Model().Rows() != Samples + Events + 1)
        state.SkipWithError("the table does not hold every sample and event");
    SetRows(state, Samples + Events);
}
BENCHMARK(BM_OpenIntervalTrend)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IntervalTableFill(benchmark::State& state) {
    StoredLongTrend trend;
    ViewRecords records;
    ViewGrids grids;
    trend.Load(records);
    for (auto _ : state)
        grids.Fill(records);
    SetRows(state, Samples + Events);
}
BENCHMARK(BM_IntervalTableFill)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- Bare baselines --------------------------------------------------------------------------

std::vector<char> ReadWholeFile(const QString& path) {
    std::vector<char> bytes;
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (f == nullptr)
        return bytes;
    std::fseek(f, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    bytes.resize(got);
    std::fclose(f);
    return bytes;
}

// yyyy/mm/dd hh:nn:ss of a day count from 1899-12-30, by the civil-from-days rule.
int BareDate(char* out, std::size_t size, double value) {
    const double whole = std::floor(value);
    long long secs = std::llround((value - whole) * 86400.0);
    long long days = static_cast<long long>(whole) - 25569 + 719468;  // from 0000-03-01
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return std::snprintf(out, size, "%04d/%02d/%02d %02d:%02d:%02d", y, m, d, static_cast<int>(secs / 3600),
                         static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60));
}

void BM_BareReadAndFormatCells(benchmark::State& state) {
    StoredLongTrend trend;
    const char* units[] = {" %LEL", " %", " ppm", " ppm"};
    const char* formats[] = {"%.1f%s", "%.1f%s", "%.0f%s", "%.1f%s"};
    std::size_t total = 0;
    for (auto _ : state) {
        const std::vector<char> bytes = ReadWholeFile(trend.TrendPath());
        const std::size_t n = bytes.size() / TrendRecordBytes;
        char cell[64];
        for (std::size_t i = 0; i < n; ++i) {
            const char* at = bytes.data() + i * TrendRecordBytes;
            total += static_cast<std::size_t>(std::snprintf(cell, sizeof cell, "%zu", i + 1));
            total += static_cast<std::size_t>(
                BareDate(cell, sizeof cell, std::bit_cast<double>(qFromLittleEndian<quint64>(at))));
            for (int g = 0; g < 4; ++g) {
                const float v = std::bit_cast<float>(qFromLittleEndian<quint32>(at + 8 + g * 4));
                total += static_cast<std::size_t>(std::snprintf(cell, sizeof cell, formats[g], double(v), units[g]));
            }
        }
        for (int e = 0; e < Events; ++e) {
            total += static_cast<std::size_t>(std::snprintf(cell, sizeof cell, "%d", e + 1));
            total += static_cast<std::size_t>(BareDate(cell, sizeof cell, Start().value() + e));
            for (int g = 0; g < 4; ++g)
                total += static_cast<std::size_t>(std::snprintf(cell, sizeof cell, "%s", g == 1 ? "WARNING" : "-----"));
        }
        benchmark::DoNotOptimize(total);
    }
    SetRows(state, Samples + Events);
}
BENCHMARK(BM_BareReadAndFormatCells)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportIntervalCsv(benchmark::State& state) {
    StoredLongTrend trend;
    ViewRecords records;
    trend.Load(records);
    std::optional<ExportProgress> progress;
    const ExportBusyHooks hooks = ExportProgressHooks(progress);
    QString error;
    for (auto _ : state) {
        if (!WriteSampleTextFile({.logType = 1, .seqNo = SeqNo, .records = records}, 1, trend.ExportPath(), error,
                                 hooks.yield))
            state.SkipWithError("the export failed");
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(trend.ExportPath()).size());
    SetRows(state, Samples + Events);
}
BENCHMARK(BM_ExportIntervalCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

// The finished bytes of the export, read back from a file the export wrote.
std::vector<char> ExportedBytes(const StoredLongTrend& trend) {
    ViewRecords records;
    trend.Load(records);
    QString error;
    WriteSampleTextFile({.logType = 1, .seqNo = SeqNo, .records = records}, 1, trend.ExportPath(), error);
    return ReadWholeFile(trend.ExportPath());
}

// All of `bytes` written to the descriptor, retrying short writes and interruptions.
bool WriteAllBytes(int fd, const std::vector<char>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The bytes written to `path` safely: a temporary file beside it, flushed to the disk, renamed
// over it.
bool BareWriteSafely(const QByteArray& path, const std::vector<char>& bytes) {
    const QByteArray temporary = path + ".tmp";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = WriteAllBytes(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.constData(), path.constData()) != 0) {
        std::remove(temporary.constData());
        return false;
    }
    return true;
}

// The plain program that writes the same bytes: the trend file read, then the finished bytes
// written safely (flushed and renamed into place) or straight into the page cache.
bool BareWriteStraight(const QByteArray& path, const std::vector<char>& bytes) {
    std::FILE* f = std::fopen(path.constData(), "wb");
    if (f == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

void BareReadAndWriteCsv(benchmark::State& state, bool (*write)(const QByteArray&, const std::vector<char>&)) {
    StoredLongTrend trend;
    const std::vector<char> csv = ExportedBytes(trend);
    if (csv.empty())
        state.SkipWithError("the export failed");
    const QByteArray path = QFile::encodeName(trend.BarePath());
    for (auto _ : state) {
        const std::vector<char> bytes = ReadWholeFile(trend.TrendPath());
        benchmark::DoNotOptimize(bytes.data());
        if (!write(path, csv))
            state.SkipWithError("the bare write failed");
    }
    state.counters["bytes"] = static_cast<double>(csv.size());
    SetRows(state, Samples + Events);
}

void BM_BareReadAndWriteCsv(benchmark::State& state) { BareReadAndWriteCsv(state, BareWriteSafely); }
BENCHMARK(BM_BareReadAndWriteCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareReadAndWriteCsvNoSync(benchmark::State& state) { BareReadAndWriteCsv(state, BareWriteStraight); }
BENCHMARK(BM_BareReadAndWriteCsvNoSync)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return mt52::bench::RunWithApplication<QApplication>(argc, argv); }
