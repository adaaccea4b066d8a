// Storing downloaded snapshot records, measured against what SQLite itself needs for them.
//
// BM_SnapshotsAgainstBareLoop stores the same records twice per pass, on two fresh
// databases of the program's schema: through the program (clsSnapShot and one RecordStore,
// a commit every two records as a dump block brings them), and through a bare sqlite3 loop
// with prepared statements that runs the same duplicate check, key reads and inserts with
// the same values and the same commit points. Counters: records per second of each, and
// their ratio (program / bare, 1.0 = no cost of its own).
//
// BM_OneSnapshotOnGrownDatabase stores one snapshot and commits it, on a database already
// holding 0, 1k, 10k or 100k snapshot records; the time should not grow with the database.
#include "common/DatabaseSchema.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/DatabaseCodec.h"
#include "records/RecordStore.h"
#include "records/clsSnapShot.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

using WallClock = std::chrono::steady_clock;

constexpr int RecordsPerBlock = 2;
const mt52::Date FirstMoment = *mt52::Date::FromParts(2024, 3, 15, 14, 0, 0);

void Fill(mt52::clsSnapShot& snap, mt52::clsInstrument& instrument, int n) {
    const mt52::Date when = FirstMoment.addSeconds(n);
    snap.Instrument(&instrument);
    snap.GasListInfo(0, mt52::SnapShotGasField::LogNo, QStringLiteral("%1").arg(n % 65536, 4, 16, QLatin1Char('0')));
    snap.GasListInfo(0, mt52::SnapShotGasField::GasName, "CH4       ");
    snap.GasListInfo(0, mt52::SnapShotGasField::FullScale, "100  ");
    snap.GasListInfo(0, mt52::SnapShotGasField::Digit, "1    ");
    snap.GasListInfo(0, mt52::SnapShotGasField::Unit, "%LEL ");
    snap.GasBaseInfo(mt52::LogHeaderField::Dates, when);
    snap.GasListInfo(0, mt52::SnapShotGasField::gasval, " 12.5");
    snap.GasBaseInfo(mt52::LogHeaderField::UserID, instrument.UserID());
    snap.GasBaseInfo(mt52::LogHeaderField::StationID, instrument.StationID());
    snap.GasBaseInfo(mt52::LogHeaderField::SerialNo, instrument.SerialNo());
    snap.GasBaseInfo(mt52::LogHeaderField::FolderID, mt52::FormatDate(when, QStringLiteral("mm/yy")));
    snap.GasBaseInfo(mt52::LogHeaderField::Last, mt52::Now());
    snap.GasBaseInfo(mt52::LogHeaderField::Names,
                     QStringLiteral("ss") + mt52::FormatDate(when, QStringLiteral("ddhhnnss")) + QStringLiteral("_SN0042"));
    snap.GasListInfo(0, mt52::GasInfoField::Enable, true);
}

struct Instrument {
    Instrument() {
        model.UserID(QStringLiteral("USER-1"));
        model.StationID(QStringLiteral("ST-9"));
        model.SerialNo(QStringLiteral("SN0042"));
        model.RomNumber(1207);
    }
    mt52::clsInstrument model;
};

// Records `first` .. `first + count - 1` through the program, committed per block.
void StoreThroughProgram(const QString& path, int first, int count) {
    Instrument instrument;
    mt52::clsSnapShot snap;
    mt52::RecordStore store(path);
    for (int n = first; n < first + count; ++n) {
        Fill(snap, instrument.model, n);
        snap.Update(store);
        if ((n - first) % RecordsPerBlock == RecordsPerBlock - 1)
            store.Commit();
    }
    store.Commit();
}

// The same rows straight through SQLite: one connection, statements prepared once, values
// bound as the program binds them.
class BareLoop {
public:
    explicit BareLoop(const QString& path) {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db_, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        find_ = Prepare("SELECT COUNT(*) FROM Log_Head WHERE Dates = ? AND UserID = ? COLLATE NOCASE "
                        "AND SerialNo = ? COLLATE NOCASE AND StationID = ? COLLATE NOCASE AND Types = ?");
        maxHead_ = Prepare("SELECT MAX(SeqNo) FROM Log_Head");
        maxSnap_ = Prepare("SELECT MAX(SeqNo) FROM SnapShot");
        insertHead_ = Prepare(
            "INSERT INTO Log_Head (SeqNo, Names, Dates, Last, LogNo, UserID, StationID, SerialNo, Types, RomNum, "
            "Interval, Sampling, FolderID, Dcount, LunchBreak, LEL_lo, LEL_hi, ppm_lo, ppm_hi, vol_lo, vol_hi, "
            "Gas1Name, Gas1Full, Gas1Desit, Gas1Enable, Gas1Point, Gas1Unit, Gas1Max, Gas1Avr, Gas1Min, "
            "Gas1MaxDate, Gas1MinDate, Gas1Warning, Gas1Alarm, Gas1STEL, Gas1TWA, Gas1Ratio) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insertSnap_ = Prepare(
            "INSERT INTO SnapShot (SeqNo, RelNo, UserID, StationID, SerialNo, WriteDates, Dates, "
            "LogNo, GasName, FullScale, Digit, Unit, Gasval, "
            "Gas1Name, Gas1Full, Gas1Desit, Gas1Point, Gas1Unit, Gas1Enable, Gas1val, Gas1sts) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    }
    ~BareLoop() {
        for (sqlite3_stmt* s : {find_, maxHead_, maxSnap_, insertHead_, insertSnap_})
            sqlite3_finalize(s);
        sqlite3_close_v2(db_);
    }
    BareLoop(const BareLoop&) = delete;
    BareLoop& operator=(const BareLoop&) = delete;

    void Store(int first, int count) {
        const std::string last = Text(mt52::Now());
        for (int n = first; n < first + count; ++n) {
            if ((n - first) % RecordsPerBlock == 0)
                sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            const mt52::Date when = FirstMoment.addSeconds(n);
            const std::string dates = Text(when);
            BindText(find_, 1, dates);
            BindText(find_, 2, "USER-1");
            BindText(find_, 3, "SN0042");
            BindText(find_, 4, "ST-9");
            sqlite3_bind_int(find_, 5, 11);
            const bool found = Step(find_) && sqlite3_column_int(find_, 0) > 0;
            sqlite3_reset(find_);
            if (!found) {
                Step(maxHead_);
                const sqlite3_int64 head = sqlite3_column_int64(maxHead_, 0) + 1;
                sqlite3_reset(maxHead_);
                const std::string name = "ss" + mt52::FormatDate(when, QStringLiteral("ddhhnnss")).toStdString() + "_SN0042";
                const std::string folder = mt52::FormatDate(when, QStringLiteral("mm/yy")).toStdString();
                int i = 1;
                sqlite3_bind_int64(insertHead_, i++, head);
                BindText(insertHead_, i++, name);
                BindText(insertHead_, i++, dates);
                BindText(insertHead_, i++, last);
                sqlite3_bind_int(insertHead_, i++, 0);
                BindText(insertHead_, i++, "USER-1");
                BindText(insertHead_, i++, "ST-9");
                BindText(insertHead_, i++, "SN0042");
                sqlite3_bind_int(insertHead_, i++, 11);
                sqlite3_bind_int(insertHead_, i++, 1207);
                for (int k = 0; k < 2; ++k)
                    sqlite3_bind_int(insertHead_, i++, 0);
                BindText(insertHead_, i++, folder);
                sqlite3_bind_int(insertHead_, i++, 1);
                for (int k = 0; k < 7; ++k)
                    sqlite3_bind_int(insertHead_, i++, 0);
                BindText(insertHead_, i++, " ");
                sqlite3_bind_double(insertHead_, i++, -101);
                sqlite3_bind_double(insertHead_, i++, -101);
                sqlite3_bind_int(insertHead_, i++, 1);
                sqlite3_bind_int(insertHead_, i++, -101);
                BindText(insertHead_, i++, " ");
                for (int k = 0; k < 3; ++k)
                    sqlite3_bind_double(insertHead_, i++, -101);
                BindText(insertHead_, i++, "1899-12-30 00:00:00");
                BindText(insertHead_, i++, "1899-12-30 00:00:00");
                for (int k = 0; k < 5; ++k)
                    sqlite3_bind_double(insertHead_, i++, -101);
                Step(insertHead_);
                sqlite3_reset(insertHead_);

                Step(maxSnap_);
                const sqlite3_int64 snap = sqlite3_column_int64(maxSnap_, 0) + 1;
                sqlite3_reset(maxSnap_);
                i = 1;
                sqlite3_bind_int64(insertSnap_, i++, snap);
                sqlite3_bind_int64(insertSnap_, i++, head);
                BindText(insertSnap_, i++, "USER-1");
                BindText(insertSnap_, i++, "ST-9");
                BindText(insertSnap_, i++, "SN0042");
                BindText(insertSnap_, i++, last);
                BindText(insertSnap_, i++, dates);
                BindText(insertSnap_, i++, QStringLiteral("%1").arg(n % 65536, 4, 16, QLatin1Char('0')).toStdString());
                BindText(insertSnap_, i++, "CH4       ");
                BindText(insertSnap_, i++, "100  ");
                BindText(insertSnap_, i++, "1    ");
                BindText(insertSnap_, i++, "%LEL ");
                BindText(insertSnap_, i++, " 12.5");
                BindText(insertSnap_, i++, " ");
                sqlite3_bind_double(insertSnap_, i++, -101);
                sqlite3_bind_double(insertSnap_, i++, -101);
                sqlite3_bind_int(insertSnap_, i++, -101);
                BindText(insertSnap_, i++, " ");
                sqlite3_bind_int(insertSnap_, i++, 1);
                sqlite3_bind_double(insertSnap_, i++, 0);
                sqlite3_bind_int(insertSnap_, i++, 0);
                Step(insertSnap_);
                sqlite3_reset(insertSnap_);
            }
            if ((n - first) % RecordsPerBlock == RecordsPerBlock - 1 || n == first + count - 1)
                sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        }
    }

private:
    sqlite3_stmt* Prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
        return s;
    }
    static std::string Text(const mt52::Date& date) { return mt52::EncodeDbDate(date).toStdString(); }
    static void BindText(sqlite3_stmt* s, int i, const std::string& text) {
        sqlite3_bind_text(s, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    static bool Step(sqlite3_stmt* s) {
        const int rc = sqlite3_step(s);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(s)));
        return rc == SQLITE_ROW;
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* find_ = nullptr;
    sqlite3_stmt* maxHead_ = nullptr;
    sqlite3_stmt* maxSnap_ = nullptr;
    sqlite3_stmt* insertHead_ = nullptr;
    sqlite3_stmt* insertSnap_ = nullptr;
};

double Seconds(WallClock::duration d) { return std::chrono::duration<double>(d).count(); }

double ThreadCpuMicroseconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto us = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_usec); };
    return us(usage.ru_utime) + us(usage.ru_stime);
}

void BM_SnapshotsAgainstBareLoop(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("program.mdb"));
    const QString bare = dir.filePath(QStringLiteral("bare.mdb"));
    WallClock::duration programTime{};
    WallClock::duration bareTime{};
    double programCpu = 0;
    double bareCpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& path : {program, bare}) {
            QFile::remove(path);
            mt52::CreateDataBase(path);
        }
        state.ResumeTiming();
        // Alternated, so a busy moment of the machine hits both sides alike.
        const auto t0 = WallClock::now();
        const double c0 = ThreadCpuMicroseconds();
        StoreThroughProgram(program, 0, records);
        const auto t1 = WallClock::now();
        const double c1 = ThreadCpuMicroseconds();
        BareLoop(bare).Store(0, records);
        const auto t2 = WallClock::now();
        const double c2 = ThreadCpuMicroseconds();
        programTime += t1 - t0;
        bareTime += t2 - t1;
        programCpu += c1 - c0;
        bareCpu += c2 - c1;
    }
    const double stored = static_cast<double>(records) * static_cast<double>(state.iterations());
    state.counters["program_records_per_s"] = stored / Seconds(programTime);
    state.counters["bare_records_per_s"] = stored / Seconds(bareTime);
    state.counters["program_over_bare"] = Seconds(bareTime) / Seconds(programTime);
    const double blocks = stored / RecordsPerBlock;
    state.counters["program_cpu_us_per_block"] = programCpu / blocks;
    state.counters["bare_cpu_us_per_block"] = bareCpu / blocks;
}
BENCHMARK(BM_SnapshotsAgainstBareLoop)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_OneSnapshotOnGrownDatabase(benchmark::State& state) {
    const int stored = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("MT52.mdb"));
    mt52::CreateDataBase(path);
    {
        // The records already there, stored in one go.
        Instrument instrument;
        mt52::clsSnapShot snap;
        mt52::RecordStore store(path);
        for (int n = 0; n < stored; ++n) {
            Fill(snap, instrument.model, n);
            snap.Update(store);
        }
        store.Commit();
    }
    Instrument instrument;
    mt52::clsSnapShot snap;
    mt52::RecordStore store(path);
    int n = stored;
    for (auto _ : state) {
        Fill(snap, instrument.model, n++);
        snap.Update(store);
        store.Commit();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneSnapshotOnGrownDatabase)->Arg(0)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
