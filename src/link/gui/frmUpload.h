#pragma once
// frmUpload: the transfer progress window. It stays in front of the main window, without
// blocking it, while a transfer or another long operation runs: an animation, a caption and
// a line of progress text chosen by State().BusyState, and for downloads a button that
// cancels the transfer once. Its users create (load) it, show it, write lblUpload while the
// link reports progress and destroy (unload) it when the operation ends.
#include "platform/Types.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace mt52 {

class FileMoveAnimation;

// What the cancel button reaches of the link control: its Cancel request and its log.
struct UploadCancelHooks {
    std::function<void(bool)> SetCancel;
    std::function<void(const QString&)> AddLog;

    // Hooks bound to any link object that has SetCancel(bool) and AddLog(text).
    template <typename Link>
    static UploadCancelHooks For(Link& link) {
        return {[&link](bool value) { link.SetCancel(value); },
                [&link](const QString& text) { link.AddLog(text); }};
    }
};

class frmUpload : public QDialog {
public:
    // Fixed sizes of the layout, in twips (15 to a pixel).
    static constexpr int MarginTwips = 60;
    static constexpr int AnimationPixels = 64;
    static constexpr int WidthPixels = 288;
    static constexpr int ExtraWidthTwips = 240;
    static constexpr int LabelHeightTwips = 390;
    static constexpr int FocusMilliseconds = 500;
    // The log line of a cancel.
    static constexpr const char* UserCancelLogText = "= User Cancel =";

    // Creates the window and loads it: common font, size and place, the texts of the busy
    // state, Canceled false, the animation playing.
    explicit frmUpload(UploadCancelHooks link = {}, QWidget* parent = nullptr);
    ~frmUpload() override;

    bool Canceled() const { return canceled_; }
    void SetCanceled(bool value) { canceled_ = value; }

    // The cancel button: shows "Now Cancel Processing", asks the link to cancel, logs the
    // cancel, marks the window cancelled and disables the button (one press per load).
    void cmdUpload_Click();
    // Sizes the window by the button's visibility and places the controls.
    void Form_Resize();
    // Stops the focus timer and the animation and hides the window (destroying it does the same).
    void Unload();
    // Escape and the close box do nothing: the window goes only when its operation ends, so a
    // running transfer never loses its cancel button.
    void reject() override {}

    // The window's size in twips as the layout computes it.
    int LayoutWidthTwips() const;
    int LayoutHeightTwips(bool buttonVisible) const;

    QLabel* lblUpload = nullptr;
    QPushButton* cmdUpload = nullptr;
    FileMoveAnimation* amnUpload = nullptr;
    QTimer* tmrInter = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void ApplyBusyStateTexts();
    void ApplyFontToControls();
    void SetClientSizeTwips(int width, int height);
    void KeepInFront();

    UploadCancelHooks link_;
    bool canceled_ = false;
    bool inLayout_ = false;
};

}  // namespace mt52
