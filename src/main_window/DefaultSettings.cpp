#include "main_window/DefaultSettings.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "platform/Colors.h"
#include "platform/Numbers.h"

namespace mt52 {

QString DefaultLockPassword() {
    return GetResText(101) == u"EN" ? QStringLiteral("jlx") : QStringLiteral("Marvo");
}

MainWindowDefaults SetDefaultSettings() {
    ModuleState& s = State();
    s.DataRoot = s.StartDir;
    s.GraphColors[0] = 65280;  // green
    // The other series are not kept in the settings file; each gets its own colour that reads
    // well against the white graph and next to the first series' green.
    s.GraphColors[1] = RGB(0, 0, 255);    // blue
    s.GraphColors[2] = RGB(255, 0, 0);    // red
    s.GraphColors[3] = RGB(192, 0, 192);  // purple
    s.GraphColors[4] = RGB(255, 128, 0);  // orange
    s.CommonFont.size = 9;
    // Written as they stand by the date formatter, whatever the locale's separators.
    s.DateTimeFormat = QStringLiteral("mm/dd/yyyy hh:nn:ss");
    if (s.CalibRanges[0] == 0)
        s.CalibRanges[0] = 50;

    // The sample gas takes its defaults only when the settings file set its full scale to 0;
    // a freshly cleared instrument holds -101 there.
    clsInstrument& sample = SampleInstrument();
    if (sample.GasFullScale(0) == 0) {
        sample.GasName(0, QStringLiteral("CH4"));
        sample.GasEnabled(0, true);
        s.GasLockedFlags[0] = false;
        sample.GasPoint(0, 0);
        sample.GasUnit(0, QStringLiteral("%LEL"));
        sample.Warning(0, 10);
        sample.Alarm(0, 50);
        sample.Stel(0, -1);
        sample.Twa(0, -1);
        sample.GasDesit(0, 1);
        sample.GasFullScale(0, 100);
        sample.AutoCalib(0, 50);
        s.FactAutoCals[0] = 50;
    }
    if (sample.GasFullScale(4) == 0)
        sample.GasDesit(4, 1);

    if (s.LockPassword.isEmpty())
        s.LockPassword = DefaultLockPassword();
    for (std::size_t i = 0; i < 2; ++i)
        if (s.PrintLineWidths[i] < 1 || s.PrintLineWidths[i] > 100)
            s.PrintLineWidths[i] = 1;
    if (s.CalSpanOffWaitTime == 0)
        s.CalSpanOffWaitTime = 45;
    if (s.CalSpanOnWaitTime == 0)
        s.CalSpanOnWaitTime = 90;
    if (s.CalUnitOnWaitTime == 0)
        s.CalUnitOnWaitTime = 45;
    s.CompletelyViewOn = true;
    s.CompletelyReadOn = false;

    MainWindowDefaults window;
    window.fontButtonCaption =
        s.CommonFont.name + QStringLiteral("(") + SingleToText(static_cast<Single>(s.CommonFont.size)) + QStringLiteral(")");
    window.graphColorButtonColor = s.GraphColors[0];
    window.importButtonVisible = s.DebugMode;
    window.autoTerminateBoxVisible = s.ExtendedMode;
    return window;
}

}  // namespace mt52
