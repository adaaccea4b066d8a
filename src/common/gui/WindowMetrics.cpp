#include "common/gui/WindowMetrics.h"

#include "platform/Twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace mt52 {

void GetClientSizeTwips(const QWidget& window, Long& width, Long& height) {
    width = PixelsToTwips(window.width());
    height = PixelsToTwips(window.height());
}

void PlaceTwips(QWidget& widget, const TwipRect& place) {
    widget.setGeometry(TwipsToPixels(place.left), TwipsToPixels(place.top), TwipsToPixels(place.width),
                       TwipsToPixels(place.height));
}

void ApplyCommonFont(QFont& target, const FontSpec& source) {
    constexpr int boldFrom = 600;  // weights from semi-bold up show as bold
    int weight = std::clamp(source.weight, 1, 1000);
    if (source.bold != (weight >= boldFrom))
        weight = source.bold ? QFont::Bold : QFont::Normal;

    target.setBold(source.bold);
    target.setItalic(source.italic);
    target.setFamily(source.name);
    if (source.size > 0)
        target.setPointSizeF(source.size);
    target.setStrikeOut(source.strikethrough);
    target.setUnderline(source.underline);
    target.setWeight(static_cast<QFont::Weight>(weight));
}

void ApplyCommonFontToAll(QWidget& window, const FontSpec& source) {
    const auto apply = [&source](QWidget& widget) {
        QFont font = widget.font();
        ApplyCommonFont(font, source);
        widget.setFont(font);
    };
    apply(window);
    for (QWidget* child : window.findChildren<QWidget*>())
        apply(*child);
}

void FitButtonCaption(QPushButton& button, const QString& full) {
    const QStyle* style = button.style();
    const int room = button.width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin) -
                     2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QFontMetrics metrics(button.font());
    QString shown = full;
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (metrics.horizontalAdvance(shown) <= room) {
        button.setText(full);
        button.setToolTip(QString());
        return;
    }
    button.setText(metrics.elidedText(shown, Qt::ElideRight, std::max(0, room)).replace(QLatin1Char('&'), QStringLiteral("&&")));
    button.setToolTip(shown);
}

ApplicationFont::~ApplicationFont() {
    if (former_ && QCoreApplication::instance() != nullptr)
        QApplication::setFont(*former_);
}

void ApplicationFont::Use(const FontSpec& source) {
    if (QCoreApplication::instance() == nullptr)
        return;
    if (!former_)
        former_ = QApplication::font();
    QFont font = *former_;
    ApplyCommonFont(font, source);
    QApplication::setFont(font);
}

}  // namespace mt52
