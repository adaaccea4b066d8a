#include "main_window/gui/ControlFactory.h"

#include "common/ResText.h"

#include <QAbstractButton>
#include <QLabel>

namespace mt52 {

namespace {

QString Literal(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

QFrame* MakeInnerFrame(QWidget* parent, const QString& name, double width, double height) {
    auto* frame = MakeControl<QFrame>(parent, name, 0, 0, width, height);
    frame->setFrameShape(QFrame::NoFrame);
    frame->move((parent->width() - frame->width()) / 2, (parent->height() - frame->height()) / 2);
    return frame;
}

// Each caption remembers its full text: FitCaptions may shorten what is shown.
void SetCaption(QAbstractButton* control, const QString& text) {
    control->setText(Literal(text));
    control->setProperty("mt52FullCaption", Literal(text));
}
void SetCaption(QGroupBox* frame, const QString& text) {
    frame->setTitle(Literal(text));
    frame->setProperty("mt52FullCaption", Literal(text));
}
void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->setProperty("mt52FullCaption", text);
}

void SetCaptionId(QAbstractButton* control, int id) { SetCaption(control, GetResText(id)); }
void SetCaptionId(QGroupBox* frame, int id) { SetCaption(frame, GetResText(id)); }
void SetCaptionId(QLabel* label, int id) { SetCaption(label, GetResText(id)); }

PageFrame::PageFrame(QWidget* window, int index) : QGroupBox(window) {
    setObjectName(Indexed("fraMenu", index));
    setGeometry(TwipsToPixels(0), TwipsToPixels(120), TwipsToPixels(8560), TwipsToPixels(7620));
}

}  // namespace mt52
