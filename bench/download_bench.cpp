// A Complete Download end to end through the window, against the simulator program mt52-sim on
// a pseudo-terminal: the window as the program assembles it connects, and each iteration
// presses Complete Download on the Download page (the instrument read, then the memory dump of
// 512 blocks) and times the press until it returns.
//
// The figure that matters is the wall time against the wire time of the bytes exchanged: every
// frame written and received during the press, as the communication log records them, at the
// rate the line was opened with, 10 bits a byte. Against the paced simulator (paced/1), which
// carries the bytes no faster than the wire would, the goal is wall time <= 1.15 x wire time;
// unpaced (paced/0) the simulator answers at once and the figure shows the program's own cost.
// Counters (per press):
//   wall_s      the press, wall time
//   wire_s      bytes both ways x 10 / baud
//   wall_per_wire  wall_s / wire_s
//   bytes, frames, baud
// MT52_SIM_PROGRAM names another simulator program to run against (for comparisons).
#include "BenchMain.h"
#include "ProgramAssembly.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/uclLqif.h"
#include "main_window/gui/MainPages.h"
#include "main_window/gui/frmMain.h"
#include "platform/ComPortLister.h"
#include "platform/EventLoop.h"
#include "platform/UserDialogs.h"
#include "platform/gui/GuardedApplication.h"
#include "support/FakeDialogs.h"
#include "support/ScopedEnv.h"

#include <benchmark/benchmark.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <memory>

namespace {

using namespace mt52;

// 512 blocks of 128 bytes, three snapshot records in them.
constexpr const char* Description =
    "serial = BENCH-0001\n"
    "user = OPERATOR\n"
    "station = PLANT-7\n"
    "memory-blocks = 512\n"
    "snapshot = 1, CH4, 100, 1, %LEL, 12, 2024/04/30 09:15:00\n"
    "snapshot = 2, CH4, 100, 1, %LEL, 35, 2024/04/30 11:42:10\n"
    "snapshot = 3, CH4, 100, 1, %LEL, 7, 2024/05/01 08:03:55\n";

QString SimProgram() {
    const QString given = qEnvironmentVariable("MT52_SIM_PROGRAM");
    return given.isEmpty() ? QStringLiteral(MT52_BINARY_DIR "/tools/instrument-sim/mt52-sim") : given;
}

// The simulator as a child process; ended when the object goes.
class Simulator {
public:
    ~Simulator() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    // The device it serves on; empty when it did not come up.
    QString Start(const QStringList& arguments) {
        process_.start(SimProgram(), arguments);
        if (!process_.waitForStarted(5000))
            return {};
        const QDeadlineTimer deadline(5000);
        while (!process_.canReadLine() && !deadline.hasExpired() && process_.state() == QProcess::Running)
            process_.waitForReadyRead(100);
        const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
        const QString announcement = QStringLiteral("Simulated MT-52 on ");
        return line.startsWith(announcement) ? line.mid(announcement.size()) : QString();
    }

private:
    QProcess process_;
};

struct Traffic {
    qint64 bytes = 0;
    qint64 frames = 0;
};

// The frames written ("W : ") and received ("R : ") in the communication log from byte
// `offset` on; a control character is logged as a bracketed name or hexadecimal code.
Traffic LoggedTraffic(const QString& path, qint64 offset) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return {};
    static const QRegularExpression control(QStringLiteral(R"(\[(STX|ETX|EOT|ENQ|ACK|NAK|ETB|SUB|ESC|[0-9A-F]{2})\])"));
    Traffic traffic;
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine()).trimmed();
        const qsizetype mark = line.indexOf(QLatin1String(" : "));
        if (mark != 10 || (line[9] != u'W' && line[9] != u'R'))
            continue;
        QString frame = line.mid(mark + 3);
        const qsizetype controls = frame.count(control);
        frame.remove(control);
        traffic.bytes += frame.size() + controls;
        ++traffic.frames;
    }
    return traffic;
}

QString LastLogBoxLine(const QTextEdit& box) {
    QString last;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        if (!block.text().isEmpty())
            last = block.text();
    return last;
}

void BM_CompleteDownload(benchmark::State& state) {
    const bool paced = state.range(0) != 0;
    QTemporaryDir dir;
    ResetState();
    ResetSampleInstrument();
    ResetPortTable();
    SetInterfaceLanguage(Language::English);
    State().StartDir = dir.path();
    {
        QFile file(dir.filePath("instrument.sim"));
        if (!file.open(QIODevice::WriteOnly) || file.write(Description) < 0) {
            state.SkipWithError("cannot write the description");
            return;
        }
    }
    test::FakeDialogs dialogs;
    Simulator sim;
    QStringList arguments{dir.filePath("instrument.sim")};
    if (paced)
        arguments << QStringLiteral("--pace");
    const QString device = sim.Start(arguments);
    if (device.isEmpty()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    std::unique_ptr<frmMain> window;
    {
        const test::ScopedEnv ports("MT52_SERIAL_PORTS", QFile::encodeName(device));
        window = std::make_unique<frmMain>();
        InstallPages(*window);
        window->Form_Load();
        window->Form_Activate();
    }
    uclLqif* link = window->uclLQ4005().Control();
    const QDeadlineTimer connecting(10000);
    while (link != nullptr && !link->Connected() && !connecting.hasExpired())
        DoEvents(5);
    if (link == nullptr || !link->Connected()) {
        state.SkipWithError("the instrument did not connect");
        return;
    }
    const int baud = link->Settings().section(u',', 0, 0).toInt();
    const QString logPath = dir.filePath("SerialLog.log");
    DownloadPage& page = window->Download();

    double wall = 0;
    double wire = 0;
    Traffic total;
    for (auto _ : state) {
        const qint64 offset = QFileInfo(logPath).size();
        QElapsedTimer timer;
        timer.start();
        page.cmdDown[0]->click();
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        if (LastLogBoxLine(*page.rtbLog) != QLatin1String("Dump List Download () Finished.")) {
            state.SkipWithError("the download did not finish");
            break;
        }
        const Traffic traffic = LoggedTraffic(logPath, offset);
        wall += seconds;
        wire += static_cast<double>(traffic.bytes) * 10.0 / baud;
        total.bytes += traffic.bytes;
        total.frames += traffic.frames;
    }
    const auto presses = static_cast<double>(state.iterations());
    if (presses > 0 && wire > 0) {
        state.counters["wall_s"] = wall / presses;
        state.counters["wire_s"] = wire / presses;
        state.counters["wall_per_wire"] = wall / wire;
        state.counters["bytes"] = static_cast<double>(total.bytes) / presses;
        state.counters["frames"] = static_cast<double>(total.frames) / presses;
        state.counters["baud"] = baud;
    }
    dialogs.answers = {vbYes};
    window->close();
    window.reset();
    ResetPortTable();
    ResetInterfaceLanguage();
    ResetState();
    ResetSampleInstrument();
}
BENCHMARK(BM_CompleteDownload)
    ->ArgName("paced")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return mt52::bench::RunWithApplication<mt52::GuardedApplication>(argc, argv); }
