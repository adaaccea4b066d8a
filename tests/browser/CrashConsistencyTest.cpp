// Deleting records and storing a decoded trend, killed at every step. A forked child does the
// work and stops at the n-th write step (a database statement or commit, a trend file opened,
// finished, emptied or removed: StepPoint); the parent kills it there with SIGKILL, as a power
// cut or a killed program would end it, then runs what the next start runs and checks what is
// on disk: the database is sound, no child row is without its header, every trend row has its
// file, every file below the data folder belongs to a row, and a log stored again after a
// killed deletion holds exactly its own samples. n grows until the child finishes unkilled.
#include "browser/RecordDeletion.h"
#include "common/DatabaseSchema.h"
#include "common/ModuleState.h"
#include "common/PendingRemovals.h"
#include "common/TrendFile.h"
#include "instrument/clsInstrument.h"
#include "platform/Database.h"
#include "platform/StepHook.h"
#include "records/clsInterval.h"
#include "records/clsIntervals.h"
#include "support/ProgramState.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <functional>
#include <iostream>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mt52 {
namespace {

constexpr int MostSteps = 400;  // a phase that never finishes is a fault of its own

// An interval log as the instrument sends it: start at the minute, `samples` readings of
// gas 1 (the raw group, scaled by one decimal), and one event.
QStringList IntervalLog(int minute, int samples, const char* group) {
    const QString count(QChar(64 + samples));  // the repeat count of the group (below 64)
    return {QStringLiteral("/01AB") + QStringLiteral("SN7").leftJustified(12) + QStringLiteral("0000000"),
            QStringLiteral("/01AD24051314") + QString::number(minute).rightJustified(2, u'0') + QStringLiteral("0500600000"),
            QStringLiteral("/01A101") + QString(17, u' ') + QStringLiteral("0010"),
            QStringLiteral("/01A1"),
            count + QString::fromLatin1(group)};
}

// Decodes and stores the log, as a download would.
void StoreLog(const QStringList& lines) {
    clsInstrument instrument;
    instrument.RomNumber(1207);
    clsIntervals logs;
    logs.Instruments(&instrument);
    bool defined = false;
    for (const QString& line : lines) {
        logs.SetDatas(line, false);
        if (!defined && logs.Item(QStringLiteral("01 L"))) {
            logs.Item(QStringLiteral("01 L"))->GasListInfo(0, GasInfoField::Name, "CH4");
            logs.Item(QStringLiteral("01 L"))->GasListInfo(0, GasInfoField::Point, Long{1});
            defined = true;
        }
    }
    logs.Item(QStringLiteral("01 L"))->Update();
}

void CopyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(path, target);
    }
}

class CrashConsistency : public testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        ASSERT_TRUE(dir_.isValid());
        // The template: three stored logs in one month folder, a snapshot row, a file of no record.
        Point(dir_.filePath("template"));
        ASSERT_TRUE(QDir().mkpath(State().DataFolder));
        CreateDataBase(State().DatabasePath);
        for (int minute : {1, 2, 3})
            StoreLog(IntervalLog(minute, 50, "!64"));
        {
            Database db(State().DatabasePath);
            ASSERT_EQ(db.query("SELECT COUNT(*) FROM Log_Head").field(0).toLong(), 3);
            db.execute("INSERT INTO Log_Head (SeqNo, Types, Names, FolderID) VALUES (10, 11, 'ss1', '05/24')");
            db.execute("INSERT INTO SnapShot (SeqNo, RelNo) VALUES (1, 10)");
        }
        QFile stray(QDir(TrendFolderPath("05/24")).filePath("notes.txt"));
        ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    }
    void TearDown() override { test::ResetProgramState(); }

    void Point(const QString& root) {
        State().StartDir = root;
        State().DataRoot = root;
        State().DatabasePath = QDir(root).filePath("MT52.mdb");
        State().DataFolder = QDir(root).filePath("Data");
    }

    // A fresh copy of the template to work in.
    void Fresh() {
        const QString work = dir_.filePath("work");
        QDir(work).removeRecursively();
        CopyTree(dir_.filePath("template"), work);
        Point(work);
    }

    // Runs the work in a child stopped and killed at its n-th step. True when it was killed,
    // false when it finished before reaching that step.
    static bool RunKilledAt(int n, const std::function<void()>& work) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return false;
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeFds[0]);
            int step = 0;
            ScopedStepHook hook([&] {
                if (++step == n) {
                    const char killed = 'K';
                    [[maybe_unused]] auto w = ::write(pipeFds[1], &killed, 1);
                    for (;;)
                        ::pause();
                }
            });
            char result = 'D';
            try {
                work();
            } catch (...) {
                result = 'E';
            }
            [[maybe_unused]] auto w = ::write(pipeFds[1], &result, 1);
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        char got = 0;
        const ssize_t read = ::read(pipeFds[0], &got, 1);
        ::close(pipeFds[0]);
        if (got == 'K')
            ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(read, 1);
        EXPECT_NE(got, 'E') << "the work failed in the child at step " << n;
        return got == 'K';
    }

    // What the next start does, then every check; returns the damage found.
    int CheckAfterRestart() {
        Database db(State().DatabasePath);
        CompletePendingRemovals(db);
        int damage = 0;
        if (db.query("PRAGMA integrity_check").field(0).toString() != "ok")
            ++damage;
        for (const char* table : {"Interval_Data", "Interval_Event", "Alarm_Data", "SnapShot"}) {
            damage += static_cast<int>(
                db.query(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE RelNo NOT IN (SELECT SeqNo FROM Log_Head)").arg(table))
                    .field(0)
                    .toLong());
        }
        QSet<QString> named;
        Recordset rows = db.query("SELECT FolderID, Names FROM Log_Head WHERE Types IN (1, 2, 9)");
        for (; !rows.atEnd(); rows.moveNext()) {
            const QString path = QFileInfo(TrendFilePath(rows.field(0).toString(), rows.field(1).toString())).absoluteFilePath();
            named.insert(path);
            if (!QFile::exists(path)) {
                ADD_FAILURE() << "a row without its file: " << path.toStdString();
                ++damage;
            }
        }
        QDirIterator it(State().DataFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = QFileInfo(it.next()).absoluteFilePath();
            if (!named.contains(path) && !path.endsWith("notes.txt")) {
                ADD_FAILURE() << "a file without its row: " << path.toStdString();
                ++damage;
            }
        }
        return damage;
    }

    // The first log stored again, with 3 samples of its own, after its deletion was killed:
    // it holds those 3 samples and nothing of the deleted one. Returns the damage found.
    int StoreAgainAndCheck() {
        {
            Database db(State().DatabasePath);
            const Recordset row = db.query("SELECT SeqNo FROM Log_Head WHERE Names = 'iv13140105_SN7'");
            if (!row.atEnd())
                DeleteLogEntry(db, 1, row.field(0).toLong());  // the deletion died before its commit
        }
        StoreLog(IntervalLog(1, 3, "!65"));
        Database db(State().DatabasePath);
        const Recordset row = db.query("SELECT SeqNo, Dcount FROM Log_Head WHERE Names = 'iv13140105_SN7'");
        if (row.atEnd())
            return 1;
        clsInterval loaded;
        loaded.SeqNo(row.field(0).toLong());
        loaded.ReLoad();
        int damage = row.field(1).toLong() == 3 + 1 ? 0 : 1;
        if (loaded.DataCount() != 3)
            ++damage;
        for (Long i = 0; i < loaded.DataCount(); ++i) {
            if (loaded.GasValue(0, i) != Variant(10.1f))
                ++damage;
        }
        EXPECT_EQ(damage, 0) << "Dcount " << row.field(1).toLong() << ", samples " << loaded.DataCount();
        return damage;
    }

    struct Figures {
        int kills = 0;
        int damage = 0;
    };

    // Kills the phase at every step in turn.
    Figures KillEveryStep(const char* phase, const std::function<void()>& work, bool storeAgain) {
        Figures figures;
        for (int n = 1; n <= MostSteps; ++n) {
            Fresh();
            const bool killed = RunKilledAt(n, work);
            const int damage = CheckAfterRestart() + (storeAgain ? StoreAgainAndCheck() + CheckAfterRestart() : 0);
            EXPECT_EQ(damage, 0) << phase << " killed at step " << n;
            figures.damage += damage;
            if (!killed)
                break;
            ++figures.kills;
            EXPECT_LT(n, MostSteps) << phase << " never finished";
        }
        std::cout << "[ kill test ] " << phase << ": " << figures.kills << " kills, damage found: " << figures.damage
                  << std::endl;
        RecordProperty(phase, figures.kills);
        return figures;
    }

    QTemporaryDir dir_;
};

TEST_F(CrashConsistency, DeletionsAndATrendStoreKilledAtEveryStepLeaveNothingMixedUpOrBehind) {
    const auto entry = KillEveryStep(
        "entry deletion",
        [] {
            Database db(State().DatabasePath);
            DeleteLogEntry(db, 1, 1);
        },
        true);
    const auto folder = KillEveryStep(
        "folder deletion",
        [] {
            Database db(State().DatabasePath);
            DeleteLogFolder(db, {QStringLiteral("FolderID = ?"), {QStringLiteral("05/24")}});
        },
        true);
    const auto all = KillEveryStep(
        "whole-data deletion",
        [] {
            Database db(State().DatabasePath);
            DeleteAllLogs(db);
        },
        true);
    const auto store = KillEveryStep("trend store", [] { StoreLog(IntervalLog(4, 50, "!64")); }, false);
    for (const Figures& f : {entry, folder, all, store}) {
        EXPECT_GT(f.kills, 3);
        EXPECT_EQ(f.damage, 0);
    }
}

}  // namespace
}  // namespace mt52
