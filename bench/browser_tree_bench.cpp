// What a user of the Data page waits for on a database of 100,000 stored records, next to bare
// SQLite step loops that return the same rows:
// - opening the page: the record tree rebuilt and drawn, every grouping box ticked or months only;
// - opening a folder of the tree (the largest step the window takes after the page is open);
// - clicking a snapshot folder that holds 20,001 records: the list filled and the first detail shown.
// The bare loops prepare and step the same statements through the SQLite C API and read every
// column of every row; nothing of the program's own database layer is in them.
#include "BenchMain.h"
#include "browser/gui/StoredDataBrowser.h"
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/Database.h"
#include "platform/gui/GridView.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdint>
#include <memory>

namespace {

constexpr int kRows = 100000;
constexpr int kBigFolderRows = 20001;
constexpr int kGasesPerSnapshot = 4;

QString Serial(int n) { return QStringLiteral("SN%1").arg(n, 4, 10, QLatin1Char('0')); }
QString Station(int n) { return QStringLiteral("ST%1").arg(n, 2, 10, QLatin1Char('0')); }
QString User(int n) { return QStringLiteral("USER%1").arg(n, 2, 10, QLatin1Char('0')); }
QString Month(int n) { return QStringLiteral("%1/%2").arg(n % 12 + 1, 2, 10, QLatin1Char('0')).arg(23 + n / 12); }

// The big folder: 20,001 snapshots of one instrument, station, user and month.
const QString kBigSerial = Serial(0), kBigStation = Station(0), kBigUser = User(0), kBigMonth = QStringLiteral("05/24");

// 100,000 records: 20,001 snapshots in the big folder (each with four gas rows), the rest spread
// over 500 instruments, each with one station (of 20) and two users (of 50), 24 months and the
// ten record kinds. Grouped by everything that gives about 90,000 folders.
const QString& DatabasePath() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("MT52.mdb"));
        mt52::CreateDataBase(p);
        mt52::Database db(p);
        mt52::Transaction t(db);
        const mt52::Long types[] = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11};
        std::uint32_t seed = 7;
        auto next = [&seed](std::uint32_t n) {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<int>((seed >> 8) % n);
        };
        const QString insertHead = QStringLiteral(
            "INSERT INTO Log_Head (SeqNo, Types, Names, SerialNo, StationID, UserID, FolderID, Dates, Sampling) "
            "VALUES (?,?,?,?,?,?,?,?,?)");
        const QString insertGas = QStringLiteral(
            "INSERT INTO SnapShot (SeqNo, RelNo, GasName, FullScale, Unit, Gasval) VALUES (?,?,?,?,?,?)");
        const char* gases[] = {"CH4", "O2", "CO", "H2S"};
        const char* units[] = {"%LEL", "vol%", "ppm", "ppm"};
        mt52::Long gasSeq = 1;
        for (int i = 0; i < kRows; ++i) {
            const bool big = i < kBigFolderRows;
            const int serial = big ? 0 : 1 + next(499);
            const int station = big ? 0 : (serial * 7) % 20;
            const int user = big ? 0 : (serial * 11 + station + next(2)) % 50;
            const QString month = big ? kBigMonth : Month(next(24));
            const mt52::Long type = big ? 11 : types[next(10)];
            const mt52::Long seqNo = i + 1;
            db.execute(insertHead, {seqNo, type, QStringLiteral("log%1").arg(i, 6, 10, QLatin1Char('0')), Serial(serial),
                                    Station(station), User(user), month, mt52::Date(45432.5 + i / 1440.0),
                                    mt52::Long(i % 3)});
            if (type != 11)
                continue;
            for (int g = 0; g < kGasesPerSnapshot; ++g)
                db.execute(insertGas, {gasSeq++, seqNo, QString::fromLatin1(gases[g]), QStringLiteral("100"),
                                       QString::fromLatin1(units[g]), QStringLiteral("%1").arg(g * 1.5 + 0.5)});
        }
        t.commit();
        return p;
    }();
    return path;
}

// --- Bare SQLite -------------------------------------------------------------------------------------

struct BareDb {
    sqlite3* db = nullptr;
    explicit BareDb(const QString& path) { sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr); }
    ~BareDb() { sqlite3_close(db); }
};

// Prepares, binds and steps one statement, reading every column of every row as the program's
// layer would (text for text, numbers for numbers). Returns the number of rows.
std::int64_t StepAll(sqlite3* db, const QString& sql, const std::vector<mt52::Variant>& values = {}) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK)
        return -1;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        const mt52::Variant& v = values[static_cast<std::size_t>(i)];
        if (v.isNumeric()) {
            sqlite3_bind_int64(stmt, i + 1, v.toLong());
        } else {
            const QByteArray bytes = v.toString().toUtf8();
            sqlite3_bind_text(stmt, i + 1, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
        }
    }
    std::int64_t rows = 0, sum = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT) {
                const unsigned char* s = sqlite3_column_text(stmt, c);
                sum += sqlite3_column_bytes(stmt, c) + (s ? s[0] : 0);
            } else {
                sum += sqlite3_column_int64(stmt, c);
            }
        }
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(sum);
    return rows;
}

// --- The page ----------------------------------------------------------------------------------------

// The Data page's controls, shown on an offscreen window, and the browser working on them.
struct Page {
    QWidget window;
    mt52::StoredDataControls controls;
    bool dirty = true;
    QString lastExport;
    std::unique_ptr<mt52::StoredDataBrowser> browser;

    explicit Page(bool group) {
        mt52::State().DatabasePath = DatabasePath();
        mt52::State().ExtendedMode = false;
        window.resize(1280, 800);
        auto* layout = new QVBoxLayout(&window);
        controls.tvwLog = new QTreeWidget(&window);
        controls.lvwLog = new QTreeWidget(&window);
        controls.vfgLog = new mt52::GridView(&window);
        layout->addWidget(controls.tvwLog);
        layout->addWidget(controls.lvwLog);
        layout->addWidget(controls.vfgLog);
        for (auto& box : controls.chkLog) {
            box = new QCheckBox(&window);
            box->setChecked(group);
            layout->addWidget(box);
        }
        controls.cmdDetail = new QPushButton(&window);
        controls.cmdListCSV = new QPushButton(&window);
        controls.cmdLogInst = new QPushButton(&window);
        controls.mnuLog = new QMenu(&window);
        controls.mnuDelete = controls.mnuLog->addAction(QStringLiteral("Delete"));
        mt52::StoredDataServices services;
        services.LogTreeDirty = &dirty;
        services.LastExportFile = &lastExport;
        browser = std::make_unique<mt52::StoredDataBrowser>(controls, services);
        window.show();
        QApplication::processEvents();
    }

    // The page button: rebuild the tree when dirty, repaint, and let the window draw.
    void Open() {
        dirty = true;
        browser->BuildLogTree();
        browser->RefreshLogPage();
        QApplication::processEvents();
    }
};

QString BigFolderKey(bool group) {
    const QString month = group ? kBigSerial + u'>' + kBigStation + u'>' + kBigUser + u'>' + kBigMonth : kBigMonth;
    return month + QStringLiteral(" O");
}

// --- Benchmarks -------------------------------------------------------------------------------------

// Arg 1: every grouping box ticked; 0: months only.
void BM_BareTreeRows(benchmark::State& state) {
    BareDb bare(DatabasePath());
    const QString sql = state.range(0) ? QStringLiteral("SELECT Types, SerialNo, StationID, UserID, FolderID FROM Log_Head")
                                       : QStringLiteral("SELECT Types, FolderID FROM Log_Head");
    for (auto _ : state)
        benchmark::DoNotOptimize(StepAll(bare.db, sql));
}
BENCHMARK(BM_BareTreeRows)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_OpenDataPage(benchmark::State& state) {
    Page page(state.range(0) != 0);
    for (auto _ : state)
        page.Open();
    state.counters["folders"] = page.browser->Tree().Count();
}
BENCHMARK(BM_OpenDataPage)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Of the page's opening, the tree model alone (the rows read and sorted into folders).
void BM_LoadTreeModel(benchmark::State& state) {
    mt52::Database db(DatabasePath());
    const bool group = state.range(0) != 0;
    const mt52::LogGrouping grouping{.BySerialNo = group, .ByStationId = group, .ByUserId = group, .Extended = false};
    for (auto _ : state)
        benchmark::DoNotOptimize(mt52::LogTree::Load(db, grouping).Count());
}
BENCHMARK(BM_LoadTreeModel)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Opening the serial folder with the most children, then its station and user folders; each
// iteration starts from a freshly opened page (not timed).
void BM_ExpandFolders(benchmark::State& state) {
    Page page(true);
    for (auto _ : state) {
        state.PauseTiming();
        page.Open();
        state.ResumeTiming();
        for (const QString& key : {kBigSerial + QStringLiteral(" S"), kBigSerial + u'>' + kBigStation + QStringLiteral(" T"),
                                   kBigSerial + u'>' + kBigStation + u'>' + kBigUser + QStringLiteral(" U")}) {
            if (QTreeWidgetItem* node = page.browser->TreeNode(key))
                node->setExpanded(true);
            QApplication::processEvents();
        }
    }
}
BENCHMARK(BM_ExpandFolders)->Iterations(20)->Unit(benchmark::kMillisecond);

// The list's two statements (the folder's entries and their gas rows) for the big folder, with
// the plain condition a hand-written query would use: each column equal to the folder's value.
void BM_BareFolderList(benchmark::State& state) {
    const bool group = state.range(0) != 0;
    QString where = QStringLiteral(" WHERE Types = 11 AND FolderID = ?");
    std::vector<mt52::Variant> values{kBigMonth};
    if (group) {
        where += QStringLiteral(" AND UserID = ? AND StationID = ? AND SerialNo = ?");
        values.insert(values.end(), {kBigUser, kBigStation, kBigSerial});
    }
    BareDb bare(DatabasePath());
    const QString entries = QStringLiteral("SELECT SeqNo, Names, SerialNo, StationID, UserID, Dates, Sampling "
                                           "FROM Log_Head%1 ORDER BY SeqNo")
                                .arg(where);
    const QString gases = QStringLiteral("SELECT RelNo, GasName, FullScale, Unit, Gasval FROM SnapShot WHERE RelNo IN "
                                         "(SELECT SeqNo FROM Log_Head%1) ORDER BY SeqNo")
                              .arg(where);
    std::int64_t rows = 0;
    for (auto _ : state) {
        rows = StepAll(bare.db, entries, values);
        benchmark::DoNotOptimize(StepAll(bare.db, gases, values));
    }
    if (rows <= 0)
        state.SkipWithError("the big folder's rows were not found");
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_BareFolderList)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// A click on the big snapshot folder in the tree: the list of 20,001 entries and the first detail.
void BM_ClickFolder(benchmark::State& state) {
    Page page(state.range(0) != 0);
    page.Open();
    QTreeWidgetItem* node = page.browser->TreeNode(BigFolderKey(state.range(0) != 0));
    if (!node) {
        state.SkipWithError("no big folder");
        return;
    }
    for (auto _ : state) {
        page.controls.tvwLog->setCurrentItem(node);
        page.browser->tvwLog_NodeClick(node);
        QApplication::processEvents();
    }
    state.counters["rows"] = page.controls.lvwLog->topLevelItemCount();
}
BENCHMARK(BM_ClickFolder)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return mt52::bench::RunWithApplication<QApplication>(
        argc, argv, [] { mt52::SetInterfaceLanguage(mt52::Language::English); });
}
