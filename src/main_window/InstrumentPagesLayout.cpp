#include "main_window/InstrumentPagesLayout.h"

#include "main_window/MainFrameLayout.h"

namespace mt52 {

void LayoutDownloadPage(LayoutState& s, double pw, double ph) {
    ControlBox& status = s[Indexed("fraDown", 0)];
    status.Move(120, 240, 0.6 * pw);
    // The four lamps at the quarter points of the status frame, each captioned 60 to its right.
    const int captions[4] = {0, 1, 8, 9};
    for (int i = 0; i < 4; ++i) {
        ControlBox& lamp = s[Indexed("shpStatus", i)];
        lamp.Move(i == 0 ? 120 : i * status.Width / 4, 240);
    }
    for (int i = 0; i < 4; ++i)
        s[Indexed("lblStatus", captions[i])].Move(s[Indexed("shpStatus", i)].Right() + 60, 240);

    ControlBox& title = s[Indexed("lblTitle", 0)];
    title.Move(120, status.Bottom() + 60);
    ControlBox& log = s[QStringLiteral("rtbLog")];
    log.Move(120, title.Bottom() + 120, 0.6 * pw, 0.55 * ph);
    ControlBox& instrument = s[Indexed("fraDown", 3)];
    instrument.Move(120, log.Bottom() + 120, 0.6 * pw, ph - log.Bottom() - 240);

    ControlBox& automatic = s[Indexed("fraDown", 1)];
    automatic.Move(log.Right() + 60, 240, pw - log.Width - 240);
    ControlBox& autoLoad = s[Indexed("chkAutoLoad", 0)];
    autoLoad.Move(120, 240, automatic.Width - 240, automatic.Height / 5);
    s[Indexed("chkAutoLoad", 1)].Move(120, autoLoad.Bottom() + 60, automatic.Width - 240, automatic.Height / 5);

    ControlBox& commands = s[Indexed("fraDown", 2)];
    commands.Move(log.Right() + 60, automatic.Bottom(), pw - log.Width - 240, ph - automatic.Bottom() - 120);
    ControlBox& first = s[Indexed("cmdDown", 0)];
    first.Move(120, 240, commands.Width - 240, (commands.Height - 900) / 9);
    for (int i = 1; i <= 5; ++i) {
        const ControlBox& above = s[Indexed("cmdDown", i - 1)];
        s[Indexed("cmdDown", i)].Move(120, above.Bottom() + 120, first.Width, first.Height);
    }

    CentreIn(s[QStringLiteral("fraDown3Ceneter")], instrument, 240);
    ControlBox& getAndSave = s[Indexed("cmdDown", 5)];
    getAndSave.Visible = false;
    // Two pitches below the hidden get-and-save button: one button's place stays empty.
    s[QStringLiteral("cmdInportDat")].Move(120, getAndSave.Top + 2 * (getAndSave.Height + 120), first.Width,
                                           first.Height);
}

void LayoutInstrumentsPage(LayoutState& s, double pw, double ph) {
    ControlBox& identity = s[QStringLiteral("fraInst")];
    identity.Move(120, 240, 0.25 * pw, 0.45 * ph);
    CentreIn(s[QStringLiteral("fraInstCeneter")], identity);

    ControlBox& inst = s[QStringLiteral("vfgInst")];
    inst.Move(identity.Right() + 120, 360, pw - identity.Right() - 240, identity.Height - 120);
    GridColumns& instCols = s.Grid(QStringLiteral("vfgInst"));
    if (instCols.Cols() == 5 || instCols.Cols() == 6) {
        const double fractions[5] = {0.19, 0.25, 0.12, 0.12, 0.12};
        // Every column but the last.
        for (int c = 0; c < instCols.Cols() - 1; ++c)
            instCols.SetColWidth(c, fractions[c] * inst.Width);
    }

    ControlBox& sensor = s[QStringLiteral("vfgInstSensor")];
    sensor.Move(120, identity.Bottom() + 120, pw - 240, ph - identity.Bottom() - 360);
    GridColumns& sensorCols = s.Grid(QStringLiteral("vfgInstSensor"));
    for (int c = 0; c < 3; ++c)
        sensorCols.SetColWidth(c, 0.99 * sensor.Width / 3);
    sensorCols.SetColWidth(sensorCols.Cols() - 1, 100);
}

void LayoutOptionPage(LayoutState& s, double pw, double ph) {
    // The settings grid takes the lower part of the page, below the frames.
    ControlBox& display = s[Indexed("fraOption", 0)];
    display.Move(120, 240, 0.3 * pw, 0.6 * ph);
    CentreIn(s[QStringLiteral("fraOptionCenter0")], display);

    ControlBox& statusFrame = s[Indexed("fraOption", 1)];
    if (statusFrame.Visible) {
        statusFrame.Move(display.Right() + 120, 240, pw - display.Right() - 360,
                         display.Height - s[Indexed("cmdOption", 0)].Height - 120);
        double left = statusFrame.Left;
        for (int i = 0; i < 4; ++i) {
            ControlBox& button = s[Indexed("cmdOption", i)];
            button.Move(left, statusFrame.Bottom() + 120, statusFrame.Width / 4.2);
            left = button.Right() + 120;
        }
        CentreIn(s[QStringLiteral("fraOptionCenter1")], statusFrame);
        // The record suffix (shown once the option page owns it) at the foot of the status frame.
        ControlBox& suffix = s[QStringLiteral("picOptionToToval")];
        suffix.Move(120, statusFrame.Height - suffix.Height - 120, statusFrame.Width - 240);
    } else {
        ControlBox& panel = s[Indexed("fraOption", 2)];
        panel.Move(display.Right() + 120, 240, pw - display.Right() - 360, display.Height);
        ControlBox& grid = s[QStringLiteral("vfgCal")];
        grid.Move(120, 240, panel.Width - 240, 0.7 * panel.Height);
        const double top = grid.Bottom() + 120;
        const double height = panel.Height - grid.Bottom() - 240;
        s[Indexed("cmdCal", 0)].Move(120, top, 0.31 * grid.Width, height);
        s[Indexed("cmdCal", 1)].Move(grid.Width - 0.666 * grid.Width, top, 0.31 * grid.Width, height);
        s[Indexed("cmdCal", 2)].Move(grid.Width - 0.333 * grid.Width - 120, top, 0.31 * grid.Width, height);
    }

    ControlBox& settings = s[QStringLiteral("vfgOption")];
    settings.Move(120, display.Bottom() + 120, pw - 240, ph - display.Bottom() - 360);
    GridColumns& settingsCols = s.Grid(QStringLiteral("vfgOption"));
    for (int c = 0; c < 3; ++c)
        settingsCols.SetColWidth(c, 0.99 * settings.Width / 3);
    const ControlBox& calGrid = s[QStringLiteral("vfgCal")];
    GridColumns& calCols = s.Grid(QStringLiteral("vfgCal"));
    calCols.SetColWidth(0, 0.3 * calGrid.Width);
    calCols.SetColWidth(1, 0.1 * calGrid.Width);
    calCols.SetColWidth(2, 0.3 * calGrid.Width);
}

}  // namespace mt52
