#include "main_window/FramDumpCommand.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/FolderPath.h"
#include "main_window/LogBox.h"
#include "platform/Clock.h"
#include "platform/OleDate.h"
#include "platform/UserDialogs.h"

#include <QDebug>
#include <algorithm>
#include <exception>

namespace mt52 {

namespace {

constexpr Long BusyIdle = 0;
constexpr Long BusyDumpList = 1;
constexpr Long BusySpanCalibration = 4;

// Elapsed time as hours, minutes and seconds ("HH:NN:SS").
QString Elapsed(const Date& start, const Date& end) {
    const long long seconds = std::max(0LL, start.secondsTo(end));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString DumpListPath() { return JoinFolder(State().StartDir, QStringLiteral("DumpEF.dat")); }

FramDumpOutcome RunFramDump(FramDumpHost& host) {
    if (host.LiveReadingRunning() || State().BusyState == BusySpanCalibration) {
        MsgBox(GetResText(5367), vbInformation, GetResText(5368));
        return FramDumpOutcome::Refused;
    }
    if (MsgBox(QStringLiteral("FRAM Dump List Download\r\nReady?"), vbYesNo | vbQuestion, QStringLiteral("DumpList")) !=
        vbYes)
        return FramDumpOutcome::Declined;

    State().BusyState = BusyDumpList;
    host.SetTransferCommandsEnabled(false);
    // Undoes the start whatever way the download ends.
    struct Finish {
        FramDumpHost& host;
        ~Finish() {
            host.CloseProgress();
            State().BusyState = BusyIdle;
            host.SetTransferCommandsEnabled(true);
        }
    };

    bool succeeded = false;
    bool cancelled = false;
    {
        Finish finish{host};
        host.ShowProgress();
        host.AddLogText(GetResText(5463), LogColor::DumpList);
        const Date start = Now();
        host.AddLog(GetResText(5569, {GeneralDate(start)}));
        try {
            succeeded = host.GetRomDump2(DumpListPath());
        } catch (const std::exception& error) {
            qWarning().noquote() << "FRAM dump:" << error.what();
        }
        cancelled = !succeeded && host.ProgressCanceled();
        const Date end = Now();
        host.AddLog(GetResText(5570, {GeneralDate(end), Elapsed(start, end)}));
    }
    if (succeeded) {
        host.AddLogText(GetResText(5464), LogColor::DumpList);
        return FramDumpOutcome::Done;
    }
    if (cancelled) {
        host.AddLogText(GetResText(5462), LogColor::Failure);
        return FramDumpOutcome::Cancelled;
    }
    // "Dump List Download (Fail) Finished." in both interface languages.
    host.AddLogText(GetResText(5464, {GetResText(20002)}), LogColor::Failure);
    return FramDumpOutcome::Failed;
}

}  // namespace mt52
