#include "main_window/gui/DisplayButtons.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "link/gui/TransferProgress.h"
#include "main_window/FramDumpCommand.h"
#include "main_window/MainWindowLink.h"
#include "main_window/gui/ControlFactory.h"
#include "main_window/gui/CaptionFit.h"
#include "main_window/gui/DownloadPage.h"
#include "main_window/gui/OptionPage.h"
#include "platform/UserDialogs.h"
#include "platform/gui/QtUserDialogs.h"

#include <QDebug>
#include <QPushButton>
#include <memory>
#include <vector>

namespace mt52 {

namespace {

// The FRAM DUMP command's view of the window: the link, the progress dialog, the log box and
// the transfer commands, which stay disabled while the download runs.
class WindowDumpHost final : public FramDumpHost {
public:
    WindowDumpHost(QWidget* window, PageContext& context, std::vector<QWidget*> commands)
        : window_(window), context_(context), link_(*context.link), commands_(std::move(commands)) {}

    bool LiveReadingRunning() const override { return link_.RunDensty(); }
    void SetTransferCommandsEnabled(bool enabled) override {
        if (!enabled) {
            wasEnabled_.clear();
            for (QWidget* command : commands_) {
                wasEnabled_.push_back(command->isEnabled());
                command->setEnabled(false);
            }
            return;
        }
        for (std::size_t i = 0; i < commands_.size() && i < wasEnabled_.size(); ++i)
            commands_[i]->setEnabled(wasEnabled_[i]);
    }
    void ShowProgress() override {
        const UploadCancelHooks hooks{[this](bool value) { link_.SetCancel(value); },
                                      [this](const QString& text) { link_.AddLog(text); }};
        progress_ = std::make_unique<TransferProgress>(State().BusyState, hooks, window_);
        progress_->Dialog().setWindowTitle(GetResText(6019));
        progress_->SetText(GetResText(5445));
    }
    void CloseProgress() override { progress_.reset(); }
    bool ProgressCanceled() const override { return progress_ && progress_->Canceled(); }
    void AddLogText(const QString& text, Long color) override {
        if (context_.AddLogText)
            context_.AddLogText(text, color);
    }
    void AddLog(const QString& text) override { link_.AddLog(text); }
    bool GetRomDump2(const QString& path) override { return link_.GetRomDump2(path); }

private:
    QWidget* window_;
    PageContext& context_;
    MainWindowLink& link_;
    std::vector<QWidget*> commands_;
    std::vector<bool> wasEnabled_;
    std::unique_ptr<TransferProgress> progress_;
};

}  // namespace

DisplayButtons::DisplayButtons(OptionPage& page, DownloadPage& download, PageContext& context, QWidget* window, Hooks hooks)
    : page_(page), download_(download), context_(context), window_(window), hooks_(std::move(hooks)) {
    for (int i = 0; i < 7; ++i)
        QObject::connect(page_.cmdOptionDisp[i], &QPushButton::clicked, window_,
                         [this, i] { cmdOptionDisp_Click(static_cast<Integer>(i)); });
}

void DisplayButtons::cmdOptionDisp_Click(Integer index) {
    try {
        switch (index) {
        case 0: ChooseCommonFont(); break;
        case 1:
        case 2:
        case 3:
        case 4: ChooseGraphColor(index); break;
        case 5:
            if (hooks_.ShowDetailSettings && context_.currentInstrument != nullptr)
                hooks_.ShowDetailSettings(window_, *context_.currentInstrument);
            if (hooks_.DetailSettingsClosed)
                hooks_.DetailSettingsClosed();
            break;
        case 6: RunDumpListDownload(); break;
        default: break;
        }
    } catch (const std::exception& error) {
        qWarning().noquote() << "frmMain: display button" << index << "-" << error.what();
    }
}

void DisplayButtons::ChooseCommonFont() {
    // The dialog starts from the common font; a cancelled dialog keeps the font it was given,
    // which the button and its caption then take as they take a chosen one.
    const FontSpec chosen = Dialogs().ChooseFont(State().CommonFont).value_or(State().CommonFont);
    QPushButton* button = page_.cmdOptionDisp[0];
    QFont font = button->font();
    font.setFamily(chosen.name);
    font.setPointSizeF(chosen.size);
    font.setBold(chosen.bold);
    font.setItalic(chosen.italic);
    font.setUnderline(chosen.underline);
    button->setFont(font);
    SetCaption(button, QStringLiteral("%1(%2)").arg(chosen.name, QString::number(chosen.size)));
    FitCaptions(&page_);  // the caption in its new font, fitted now rather than at the next layout
    // The other controls take the font at the next start, when the load applies it to all.
    CommonFontFromFontButton();
}

void DisplayButtons::CommonFontFromFontButton() {
    FontSpec& common = State().CommonFont;
    const QFont font = page_.cmdOptionDisp[0]->font();
    common.name = font.family();
    common.size = font.pointSizeF();
    common.bold = font.bold();
    common.italic = font.italic();
    common.underline = font.underline();
}

void DisplayButtons::ShowDefaults(const QString& fontCaption, Long firstGraphColour) {
    SetCaption(page_.cmdOptionDisp[0], fontCaption);
    QPalette palette = page_.cmdOptionDisp[1]->palette();
    palette.setColor(QPalette::Button, ToQColor(firstGraphColour));
    page_.cmdOptionDisp[1]->setPalette(palette);
}

void DisplayButtons::ShowCommonFont() {
    const FontSpec& font = State().CommonFont;
    ShowDefaults(QStringLiteral("%1(%2)").arg(font.name, QString::number(font.size)), State().GraphColors[0]);
}

Long DisplayButtons::FirstGraphColour() const {
    return static_cast<Long>(FromQColor(page_.cmdOptionDisp[1]->palette().color(QPalette::Button)));
}

void DisplayButtons::ChooseGraphColor(int index) {
    QPushButton* button = page_.cmdOptionDisp[static_cast<std::size_t>(index)];
    QPalette palette = button->palette();
    // A cancelled dialog keeps the colour it was given: the button keeps it, and the graph and
    // the first gas's setting take it as they take a chosen one.
    const long current = FromQColor(palette.color(QPalette::Button));
    const Long colour = static_cast<Long>(Dialogs().ChooseColor(current).value_or(current));
    palette.setColor(QPalette::Button, ToQColor(colour));
    button->setPalette(palette);
    ValueColor(index, colour);
    // Only the first gas's colour is kept; the others last until the program ends.
    if (index == 1)
        State().GraphColors[0] = colour;
}

void DisplayButtons::ValueColor(Long series, Long colour) {
    if (series >= 0 && series < static_cast<Long>(graphValueColors_.size()))
        graphValueColors_[static_cast<std::size_t>(series)] = colour;
}

Long DisplayButtons::ValueColor(Long series) const {
    if (series < 0 || series >= static_cast<Long>(graphValueColors_.size()))
        return 0;
    return graphValueColors_[static_cast<std::size_t>(series)];
}

void DisplayButtons::RunDumpListDownload() {
    if (context_.link == nullptr)
        return;
    std::vector<QWidget*> commands(download_.cmdDown.begin(), download_.cmdDown.end());
    commands.push_back(download_.cmdInportDat);
    commands.insert(commands.end(), page_.cmdOption.begin(), page_.cmdOption.end());
    commands.insert(commands.end(), page_.cmdCal.begin(), page_.cmdCal.end());
    commands.push_back(page_.cmdOptionDisp[5]);
    commands.push_back(page_.cmdOptionDisp[6]);
    WindowDumpHost host(window_, context_, std::move(commands));
    RunFramDump(host);
}

}  // namespace mt52
