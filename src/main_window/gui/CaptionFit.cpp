#include "main_window/gui/CaptionFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <vector>
#include <limits>

namespace mt52 {
namespace {

const char* const kFullCaption = "mt52FullCaption";
const char* const kDesignSize = "mt52DesignSize";
const char* const kFittedWidth = "mt52FittedWidth";
constexpr int kGap = 2;  // pixels kept free between a caption and the next control

QRect InPage(const QWidget* widget, const QWidget* page) {
    return QRect(widget->mapTo(page, QPoint(0, 0)), widget->size());
}

// The visible controls of the page that a caption of `control` must stay clear of: not the
// control itself, nor what contains it or what it contains.
std::vector<QRect> Obstacles(const QWidget* control, const QWidget* page) {
    std::vector<QRect> rects;
    for (const QWidget* other : page->findChildren<QWidget*>()) {
        if (other == control || !other->isVisibleTo(page) || other->isAncestorOf(control) ||
            control->isAncestorOf(other) || other->isWindow())
            continue;
        rects.push_back(InPage(other, page));
    }
    return rects;
}

// The widest the control may be when it grows to the right from where it stands.
int RoomToTheRight(const QWidget* control, const QWidget* page) {
    const QRect own = InPage(control, page);
    int right = InPage(control->parentWidget(), page).right() + 1;
    for (const QRect& r : Obstacles(control, page)) {
        const bool besideIt = r.top() <= own.bottom() && r.bottom() >= own.top();
        if (besideIt && r.left() > own.left())
            right = std::min(right, r.left() - kGap);
    }
    return std::max(0, right - own.left());
}

// The push buttons of a row that touch `control` on its left, nearest first: when the control
// needs room on that side, they move left with it.
std::vector<QWidget*> ButtonsTouchingOnTheLeft(QWidget* control, const QWidget* page) {
    std::vector<QWidget*> row;
    const QWidget* current = control;
    for (bool found = true; found;) {
        found = false;
        for (QPushButton* other : control->parentWidget()->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
            if (other == current || other == control || !other->isVisibleTo(page) ||
                std::find(row.begin(), row.end(), other) != row.end())
                continue;
            const QRect g = other->geometry();
            if (std::abs(g.right() + 1 - current->x()) <= 1 && g.top() == current->y() && g.height() == current->height()) {
                row.push_back(other);
                current = other;
                found = true;
                break;
            }
        }
    }
    return row;
}

// How far a control may move to the left before it meets another control or its container's edge.
int RoomToTheLeft(const QWidget* control, const QWidget* page) {
    const QRect own = InPage(control, page);
    int left = InPage(control->parentWidget(), page).left();
    for (const QRect& r : Obstacles(control, page)) {
        const bool besideIt = r.top() <= own.bottom() && r.bottom() >= own.top();
        if (besideIt && r.right() < own.left())
            left = std::max(left, r.right() + 1 + kGap);
    }
    return std::max(0, own.left() - left);
}

QString TextOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    return QString();
}

void SetShownText(QWidget* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
}

// A caption's text as drawn: "&&" shows one "&".
QString Drawn(const QWidget* control, const QString& text) {
    if (qobject_cast<const QLabel*>(control))
        return text;
    QString shown = text;
    return shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// The shortened caption whose drawn width is at most `width`.
QString Shortened(const QWidget* control, const QString& full, int width) {
    const QFontMetrics metrics(control->font());
    const QString elided = metrics.elidedText(Drawn(control, full), Qt::ElideRight, std::max(0, width));
    if (qobject_cast<const QLabel*>(control))
        return elided;
    QString escaped = elided;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

bool IsCheckOrOption(const QWidget* control) {
    return qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control);
}

// Where a check box or option button draws its text, in its own coordinates.
QRect CheckContents(const QWidget* control) {
    QStyleOptionButton option;
    option.initFrom(control);
    const auto element = qobject_cast<const QCheckBox*>(control) ? QStyle::SE_CheckBoxContents
                                                                   : QStyle::SE_RadioButtonContents;
    return control->style()->subElementRect(element, &option, control);
}

// The room a control leaves beside its caption's text (indicator, margins, frame).
int Chrome(const QWidget* control) {
    const QStyle* style = control->style();
    if (qobject_cast<const QGroupBox*>(control))
        return 16;
    if (qobject_cast<const QPushButton*>(control))
        return 2 * style->pixelMetric(QStyle::PM_ButtonMargin) + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    if (IsCheckOrOption(control))
        return CheckContents(control).left() + 1;
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        const QMargins m = label->contentsMargins();
        return m.left() + m.right() + 2 * label->frameWidth() + (label->indent() > 0 ? label->indent() : 0);
    }
    return 0;
}

void FitOne(QWidget* control, const QWidget* page) {
    const QString full = control->property(kFullCaption).toString();
    // The design width is the one the control had before it was first fitted, or the one the
    // layout has given it since.
    const QVariant fitted = control->property(kFittedWidth);
    if (!fitted.isValid() || fitted.toInt() != control->width())
        control->setProperty(kDesignSize, control->size());
    const QSize designSize = control->property(kDesignSize).toSize();
    SetShownText(control, full);
    control->setToolTip(QString());
    const QFontMetrics metrics(control->font());
    const int textWidth = metrics.horizontalAdvance(Drawn(control, full));
    const int chrome = Chrome(control);
    const bool grows = qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control) ||
                       qobject_cast<QRadioButton*>(control);

    int width = control->width();
    if (grows) {
        // From the design width: as wide as the text needs, never past the next control.
        const int needed = textWidth + chrome;
        const int room = RoomToTheRight(control, page);
        if (needed <= std::min(designSize.width(), room))
            width = std::min(designSize.width(), room);
        else
            width = std::min(std::max(designSize.width(), needed), room);
        control->resize(width, control->height());
    } else if (qobject_cast<QPushButton*>(control)) {
        // A button too narrow for its caption grows to the right, where it has room.
        const int needed = textWidth + chrome;
        // (It keeps a width an earlier fit gave it: the room it took on its left stays its own.)
        if (needed > designSize.width())
            width = std::max(designSize.width(),
                             std::min(needed, std::max(RoomToTheRight(control, page), control->width())));
        else
            width = designSize.width();
        control->resize(width, control->height());
        // Still too narrow: a row of touching buttons with free room on its left moves left
        // together, and the button grows into the room it leaves.
        if (needed > width) {
            const std::vector<QWidget*> row = ButtonsTouchingOnTheLeft(control, page);
            const QWidget* leftmost = row.empty() ? control : row.back();
            const int shift = std::min(needed - width, RoomToTheLeft(leftmost, page));
            if (shift > 0) {
                for (QWidget* button : row)
                    button->move(button->x() - shift, button->y());
                width += shift;
                control->setGeometry(control->x() - shift, control->y(), width, control->height());
            }
        }
    }
    // A caption taller than its control grows the control about its middle.
    const int lineHeight = metrics.height();
    if (!qobject_cast<QGroupBox*>(control) && lineHeight > control->height()) {
        const int extra = lineHeight - control->height();
        control->setGeometry(control->x(), control->y() - extra / 2, control->width(), lineHeight);
    }
    if (textWidth + chrome > width) {
        SetShownText(control, Shortened(control, full, width - chrome));
        control->setToolTip(Drawn(control, full));
    }
    control->setProperty(kFittedWidth, control->width());
}

}  // namespace

void FitCaptions(QWidget* page) {
    if (page == nullptr)
        return;
    for (QWidget* control : page->findChildren<QWidget*>()) {
        if (control->property(kFullCaption).isValid() && control->isVisibleTo(page))
            FitOne(control, page);
    }
}

QString FullCaption(const QWidget* control) {
    const QVariant full = control->property(kFullCaption);
    return full.isValid() ? full.toString() : TextOf(control);
}

QRect CaptionRect(const QWidget* control) {
    const QString text = Drawn(control, TextOf(control));
    if (text.isEmpty())
        return QRect();
    const QFontMetrics metrics(control->font());
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        const QRect inside = label->contentsRect();
        const Qt::Alignment align = label->alignment();
        int x = inside.left();
        if (align & Qt::AlignRight)
            x = inside.right() + 1 - width;
        else if (align & Qt::AlignHCenter)
            x = inside.left() + (inside.width() - width) / 2;
        int y = inside.top() + (inside.height() - height) / 2;
        if (align & Qt::AlignTop)
            y = inside.top();
        return QRect(x, y, width, height);
    }
    if (IsCheckOrOption(control)) {
        const QRect contents = CheckContents(control);
        return QRect(contents.left(), contents.top() + (contents.height() - height) / 2, width, height);
    }
    if (qobject_cast<const QPushButton*>(control))
        return QRect((control->width() - width) / 2, (control->height() - height) / 2, width, height);
    if (qobject_cast<const QGroupBox*>(control))
        return QRect(8, 0, width, height);
    return QRect();
}

}  // namespace mt52
