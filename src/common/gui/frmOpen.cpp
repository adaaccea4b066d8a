#include "common/gui/frmOpen.h"

#include "common/CommandLineSwitches.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/EventLoop.h"
#include "platform/SingleInstanceLock.h"
#include "platform/UserDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace mt52 {
namespace {

// The maker's lines under the version: one for English users, one for Japanese users.
const QString CompanyLineEnglish = QStringLiteral("Portable Gas Monitor Data Management");
const QString CompanyLineJapanese = QStringLiteral("携帯型ガスモニター データ管理ソフトウェア");
const QString NoticeLine = QStringLiteral("Keep the monitor's records safe: download them regularly.");

const QColor DarkRed(192, 0, 0);

QFont SplashFont(double points, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QLabel* MakeLabel(QWidget* parent, double points, bool bold, const QColor& colour = QColor()) {
    auto* label = new QLabel(parent);
    label->setFont(SplashFont(points, bold));
    label->setMargin(0);
    label->setContentsMargins(0, 0, 0, 0);
    if (colour.isValid()) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, colour);
        label->setPalette(p);
    }
    return label;
}

// The size a label takes for its text, in twips.
TwipSize OwnSize(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    return {PixelsToTwips(metrics.horizontalAdvance(label->text())), PixelsToTwips(metrics.height())};
}

void Place(QWidget* w, const TwipRect& r) {
    w->setGeometry(TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width), TwipsToPixels(r.height));
}

void RestoreDefaultPointer() {
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

}  // namespace

QPixmap DrawSplashPicture() {
    QPixmap picture(SplashPictureWidthPixels, SplashPictureHeightPixels);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    // Body of the hand-held monitor.
    p.setPen(QPen(QColor(30, 36, 44), 2));
    p.setBrush(QColor(52, 64, 78));
    p.drawRoundedRect(QRectF(14, 10, 92, 162), 14, 14);
    // Sensor head with its gas inlet slots.
    p.setBrush(QColor(242, 177, 52));
    p.drawRoundedRect(QRectF(26, 16, 68, 26), 6, 6);
    p.setPen(QPen(QColor(90, 60, 10), 2));
    for (int x = 36; x <= 84; x += 8)
        p.drawLine(x, 22, x, 36);
    // Alarm lamp.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 40, 40));
    p.drawEllipse(QPointF(96, 24), 4, 4);
    // Display with a reading.
    p.setPen(QPen(QColor(20, 24, 28), 2));
    p.setBrush(QColor(184, 216, 168));
    p.drawRect(QRectF(24, 52, 72, 50));
    p.setPen(QColor(20, 40, 20));
    QFont reading(QStringLiteral("Liberation Sans"));
    reading.setPixelSize(22);
    reading.setBold(true);
    p.setFont(reading);
    p.drawText(QRectF(24, 54, 72, 30), Qt::AlignCenter, QStringLiteral("0.0"));
    QFont unit(QStringLiteral("Liberation Sans"));
    unit.setPixelSize(10);
    p.setFont(unit);
    p.drawText(QRectF(24, 82, 72, 16), Qt::AlignCenter, QStringLiteral("%LEL"));
    // Keys.
    p.setPen(QPen(QColor(20, 24, 28), 1));
    const QColor keys[] = {QColor(200, 200, 200), QColor(90, 170, 90), QColor(200, 200, 200)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(keys[i]);
        p.drawEllipse(QPointF(36 + i * 24, 124), 8, 8);
    }
    // Name plate.
    p.setPen(QColor(235, 235, 235));
    QFont plate(QStringLiteral("Liberation Sans"));
    plate.setPixelSize(13);
    plate.setBold(true);
    p.setFont(plate);
    p.drawText(QRectF(14, 142, 92, 20), Qt::AlignCenter, QStringLiteral("MT-52"));
    return picture;
}

frmOpen::frmOpen(SingleInstanceLock& instance, ShowMainWindow showMainWindow, int tickMilliseconds)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      instance_(instance),
      showMainWindow_(std::move(showMainWindow)) {
    setWindowTitle(QStringLiteral("Vazar Avad Udavev"));
    setFont(SplashFont(9, false));

    fraOpen = new QFrame(this);
    fraOpen->setFrameShape(QFrame::Box);
    fraOpen->setFrameShadow(QFrame::Sunken);
    fraOpen->installEventFilter(this);

    imgSplash = new QLabel(fraOpen);
    imgSplash->setScaledContents(true);
    imgSplash->setPixmap(DrawSplashPicture());

    lblTitle = MakeLabel(fraOpen, 16.5, true, DarkRed);
    lblTM = MakeLabel(fraOpen, 10.5, true, DarkRed);
    lblTM->setText(QStringLiteral("TM"));
    for (std::size_t i = 0; i < lblBorder.size(); ++i) {
        lblBorder[i] = new QLabel(fraOpen);
        lblBorder[i]->setAutoFillBackground(true);
        QPalette p = lblBorder[i]->palette();
        p.setColor(QPalette::Window, i == 0 ? Qt::white : Qt::black);
        lblBorder[i]->setPalette(p);
    }
    lblPCs = MakeLabel(fraOpen, 13.5, true);
    lblPCs->setText(QStringLiteral("for Windows"));
    lblVersion = MakeLabel(fraOpen, 13.5, true);
    lblCompany = MakeLabel(fraOpen, 13.5, true);
    lblNotice = MakeLabel(fraOpen, 9, true);
    lblNotice->setText(NoticeLine);
    for (QLabel* l : {lblPCs, lblVersion, lblCompany, lblNotice})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    tmrTimer.setInterval(tickMilliseconds);
    connect(&tmrTimer, &QTimer::timeout, this, &frmOpen::tmrTimer_Timer);
}

frmOpen::~frmOpen() {
    if (!handedOver_)
        RestoreDefaultPointer();
}

bool frmOpen::Form_Load(const QString& commandLine) {
    if (instance_.TryAcquire() == SingleInstanceLock::Result::HeldByOther) {
        MsgBox(GetResText(99), vbCritical, GetResText(5001));
        return false;
    }
    ModuleState& s = State();
    s.StartDir = QDir::currentPath();

    const QString language = GetResText(101);
    lblVersion->setText(QStringLiteral("P.No.") +
                        (language != QStringLiteral("JP") ? QStringLiteral("07313") : QStringLiteral("07312")));
    lblTitle->setText(QStringLiteral("MT-52 Data Logger"));
    lblCompany->setText(language == QStringLiteral("EN") ? CompanyLineEnglish : CompanyLineJapanese);
    LayoutSplash();

    show();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    const CommandLineSwitches switches = ReadCommandLineSwitches(commandLine);
    s.DebugMode = switches.debug;
    s.ExtendedMode = switches.extended;
    return true;
}

void frmOpen::LayoutSplash() {
    SplashLayoutInput in;
    in.title = OwnSize(lblTitle);
    in.tm = OwnSize(lblTM);
    in.pcs = OwnSize(lblPCs);
    in.version = OwnSize(lblVersion);
    in.company = OwnSize(lblCompany);
    in.notice = OwnSize(lblNotice);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        in.screen = {PixelsToTwips(area.width()), PixelsToTwips(area.height())};
    }
    const SplashLayout l = mt52::LayoutSplash(in);

    setFixedSize(TwipsToPixels(l.window.width), TwipsToPixels(l.window.height));
    move(TwipsToPixels(l.window.left), TwipsToPixels(l.window.top));
    Place(fraOpen, l.fraOpen);
    Place(imgSplash, l.imgSplash);
    Place(lblTitle, l.lblTitle);
    Place(lblTM, l.lblTM);
    Place(lblBorder[0], l.lblBorder[0]);
    Place(lblBorder[1], l.lblBorder[1]);
    Place(lblPCs, l.lblPCs);
    Place(lblVersion, l.lblVersion);
    Place(lblNotice, l.lblNotice);
    Place(lblCompany, l.lblCompany);
}

void frmOpen::Form_Activate() {
    if (handedOver_ || abandoned_)
        return;
    tickCount_ = 0;
    tmrTimer.start();
    if (waiting_)
        return;  // activated again during the wait: the wait below goes on with the new count
    waiting_ = true;
    while (tickCount_ < 5 && !abandoned_)
        DoEvents();
    waiting_ = false;
    tmrTimer.stop();
    if (abandoned_)
        return;
    handedOver_ = true;
    if (showMainWindow_)
        showMainWindow_();
    hide();
    RestoreDefaultPointer();
}

void frmOpen::tmrTimer_Timer() { ++tickCount_; }

void frmOpen::fraOpen_DblClick() { MsgBox(QStringLiteral("Pause!!"), vbInformation, QStringLiteral("Pause")); }

bool frmOpen::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && waiting_)
        Form_Activate();
    return QWidget::event(e);
}

bool frmOpen::eventFilter(QObject* watched, QEvent* e) {
    if (watched == fraOpen && e->type() == QEvent::MouseButtonDblClick) {
        fraOpen_DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void frmOpen::closeEvent(QCloseEvent* e) {
    if (!handedOver_)
        abandoned_ = true;
    QWidget::closeEvent(e);
}

bool RunStartup(SingleInstanceLock& instance, const QStringList& arguments,
                const frmOpen::ShowMainWindow& showMainWindow) {
    frmOpen splash(instance, showMainWindow);
    if (!splash.Form_Load(CommandLineText(arguments)))
        return false;
    splash.Form_Activate();
    return splash.HandedOver();
}

}  // namespace mt52
