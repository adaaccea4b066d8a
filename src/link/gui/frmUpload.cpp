#include "link/gui/frmUpload.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/gui/WindowMetrics.h"
#include "link/gui/FileMoveAnimation.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace mt52 {

namespace {

enum TextId {
    TextNowUploading = 6001,
    TextAdjustingZero = 6002,
    TextAdjustingSpan = 6003,
    TextNowDownloading = 6004,
    TextCancel = 6005,
    TextNowCancelProcessing = 6006,
    TextNowWriting = 6058,
};

struct BusyStateTexts {
    Long busyState;
    int textId;
    bool cancelButton;
};

// Caption and label text, and whether the cancel button shows, for each busy state.
constexpr BusyStateTexts kBusyStateTexts[] = {
    {0, TextNowDownloading, false},  // none
    {1, TextNowUploading, true},     // dump-list download
    {3, TextAdjustingZero, false},   // zero calibration
    {4, TextAdjustingSpan, false},   // span calibration
    {5, TextNowDownloading, true},   // all download
    {6, TextNowDownloading, true},   // automatic download
    {8, TextNowWriting, false},      // file export
};

}  // namespace

frmUpload::frmUpload(UploadCancelHooks link, QWidget* parent)
    : QDialog(parent), link_(std::move(link)) {
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Now Upload"));

    amnUpload = new FileMoveAnimation(this);
    lblUpload = new QLabel(QStringLiteral("Now Uploading."), this);
    lblUpload->setWordWrap(true);
    lblUpload->resize(lblUpload->width(), TwipsToPixels(LabelHeightTwips));
    cmdUpload = new QPushButton(QStringLiteral("Now Download"), this);
    cmdUpload->setAutoDefault(false);
    connect(cmdUpload, &QPushButton::clicked, this, [this] { cmdUpload_Click(); });

    tmrInter = new QTimer(this);
    tmrInter->setInterval(FocusMilliseconds);
    connect(tmrInter, &QTimer::timeout, this, [this] { KeepInFront(); });
    tmrInter->start();

    Form_Load();
}

frmUpload::~frmUpload() {
    tmrInter->stop();
    amnUpload->Stop();
}

void frmUpload::Form_Load() {
    ApplyFontToControls();

    // The first size counts the button as visible, as it is until the texts are applied.
    const int width = LayoutWidthTwips();
    const int height = LayoutHeightTwips(true);
    SetClientSizeTwips(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - TwipsToPixels(width)) / 2,
             area.top() + (area.height() - TwipsToPixels(height)) / 2);
    }

    ApplyBusyStateTexts();
    canceled_ = false;
    amnUpload->Play();
    ApplyFontToControls();
}

void frmUpload::ApplyBusyStateTexts() {
    const Long busy = State().BusyState;
    const auto* row = std::find_if(std::begin(kBusyStateTexts), std::end(kBusyStateTexts),
                                   [busy](const BusyStateTexts& r) { return r.busyState == busy; });
    if (row == std::end(kBusyStateTexts))
        return;  // a state the program never sets keeps the design texts
    const QString text = GetResText(row->textId);
    setWindowTitle(text);
    lblUpload->setText(text);
    cmdUpload->setVisible(row->cancelButton);
    if (row->cancelButton)
        cmdUpload->setText(GetResText(TextCancel));
}

void frmUpload::ApplyFontToControls() {
    const FontSpec& common = State().CommonFont;
    for (QWidget* w : std::initializer_list<QWidget*>{this, lblUpload, cmdUpload, amnUpload}) {
        QFont f = w->font();
        ApplyCommonFont(f, common);
        w->setFont(f);
    }
}

int frmUpload::LayoutWidthTwips() const { return WidthPixels * TwipsPerPixel + ExtraWidthTwips; }

int frmUpload::LayoutHeightTwips(bool buttonVisible) const {
    const double factor = buttonVisible ? 2.6 : 2.0;
    const int labelHeight = PixelsToTwips(lblUpload->height());
    return AnimationPixels * TwipsPerPixel + static_cast<int>(std::lround(labelHeight * factor));
}

void frmUpload::SetClientSizeTwips(int width, int height) {
    setFixedSize(TwipsToPixels(width), TwipsToPixels(height));
}

void frmUpload::Form_Resize() {
    if (inLayout_)
        return;
    inLayout_ = true;
    const bool buttonVisible = !cmdUpload->isHidden();
    const int width = LayoutWidthTwips();
    const int height = LayoutHeightTwips(buttonVisible);
    SetClientSizeTwips(width, height);

    const int inner = width - 2 * MarginTwips;
    const int animationHeight = AnimationPixels * TwipsPerPixel;
    amnUpload->setGeometry(TwipsToPixels(MarginTwips), TwipsToPixels(MarginTwips), TwipsToPixels(inner),
                           TwipsToPixels(animationHeight));
    const int labelTop = MarginTwips + animationHeight + MarginTwips;
    const int labelHeight = PixelsToTwips(lblUpload->height());
    lblUpload->setGeometry(TwipsToPixels(MarginTwips), TwipsToPixels(labelTop), TwipsToPixels(inner),
                           TwipsToPixels(labelHeight));
    if (buttonVisible) {
        const int buttonTop = labelTop + labelHeight + MarginTwips;
        const int buttonHeight = height - labelTop - labelHeight - 2 * MarginTwips;
        cmdUpload->setGeometry(TwipsToPixels(MarginTwips), TwipsToPixels(buttonTop), TwipsToPixels(inner),
                               TwipsToPixels(std::max(buttonHeight, 0)));
    }
    inLayout_ = false;
}

void frmUpload::cmdUpload_Click() {
    if (!cmdUpload->isEnabled())
        return;
    lblUpload->setText(GetResText(TextNowCancelProcessing));
    if (link_.SetCancel)
        link_.SetCancel(true);
    if (link_.AddLog)
        link_.AddLog(QString::fromLatin1(UserCancelLogText));
    canceled_ = true;
    cmdUpload->setEnabled(false);
}

void frmUpload::KeepInFront() {
    if (!isVisible())
        return;
    raise();
    activateWindow();
}

void frmUpload::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmUpload::paintEvent(QPaintEvent* event) {
    Form_Resize();
    QDialog::paintEvent(event);
}

void frmUpload::Unload() {
    tmrInter->stop();
    amnUpload->Stop();
    QDialog::done(QDialog::Rejected);
}

}  // namespace mt52
