#pragma once
// The Set page's display buttons cmdOptionDisp(0..6): the common font, the four graph colours,
// the detail settings dialog and the FRAM DUMP listing download. The font button's font is the
// common font the window saves at close; the colour buttons give the graph its series colours.
#include "main_window/PageContext.h"
#include "platform/Types.h"

#include <array>
#include <functional>

class QWidget;

namespace mt52 {

class DownloadPage;
class OptionPage;

class DisplayButtons {
public:
    struct Hooks {
        // Shows the detail settings dialog modally on the instrument.
        std::function<void(QWidget* parent, clsInstrument& instrument)> ShowDetailSettings;
        // The detail settings dialog has closed: the option page shows the instrument again.
        std::function<void()> DetailSettingsClosed;
    };

    // `window` parents the dialogs; the download page's commands are disabled with the other
    // transfer commands while the dump listing downloads.
    DisplayButtons(OptionPage& page, DownloadPage& download, PageContext& context, QWidget* window, Hooks hooks);

    // Any other index does nothing; a failure inside ends the click quietly.
    void cmdOptionDisp_Click(Integer index);
    // The colour the data view's graph draws series `series` (0 to 4) with, once chosen on a
    // graph-colour button (0 until then); an index outside the series is ignored.
    void ValueColor(Long series, Long colour);
    Long ValueColor(Long series) const;
    // CommonFont takes name, size, bold, italic and underline of the font button's font.
    void CommonFontFromFontButton();
    // The font button's caption and the first graph-colour button's colour of the defaults.
    void ShowDefaults(const QString& fontCaption, Long firstGraphColour);
    // The common font's name and size on the font button, the first gas's colour on its button.
    void ShowCommonFont();
    // The colour of the first graph-colour button, which the settings file keeps.
    Long FirstGraphColour() const;

private:
    void ChooseCommonFont();
    void ChooseGraphColor(int index);
    void RunDumpListDownload();

    OptionPage& page_;
    DownloadPage& download_;
    PageContext& context_;
    QWidget* window_;
    Hooks hooks_;
    std::array<Long, 5> graphValueColors_{};
};

}  // namespace mt52
