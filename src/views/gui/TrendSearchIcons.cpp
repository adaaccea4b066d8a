#include "views/gui/TrendSearchIcons.h"

#include <QPainter>
#include <QPolygon>

namespace mt52 {

namespace {

constexpr int IconSize = 32;

void DrawFrame(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, IconSize - 3, IconSize - 3);
}

// A chart: axes, then three crossing curves (alarm) or two stepped lines (interval).
void DrawChart(QPainter& p, TrendEventIcon icon) {
    DrawFrame(p);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawLine(5, 4, 5, 26);
    p.drawLine(5, 26, 28, 26);
    if (icon == TrendEventIcon::Alarm) {
        p.setPen(QPen(Qt::red, 2));
        p.drawPolyline(QPolygon({QPoint(6, 22), QPoint(12, 16), QPoint(18, 8), QPoint(27, 6)}));
        p.setPen(QPen(Qt::blue, 2));
        p.drawPolyline(QPolygon({QPoint(6, 8), QPoint(14, 14), QPoint(20, 20), QPoint(27, 23)}));
        p.setPen(QPen(QColor(0, 160, 0), 2));
        p.drawPolyline(QPolygon({QPoint(6, 15), QPoint(13, 20), QPoint(20, 11), QPoint(27, 15)}));
    } else {
        p.setPen(QPen(Qt::blue, 2));
        p.drawPolyline(QPolygon({QPoint(6, 20), QPoint(12, 20), QPoint(12, 14), QPoint(19, 14), QPoint(19, 9),
                                 QPoint(27, 9)}));
        p.setPen(QPen(QColor(0, 160, 0), 2));
        p.drawPolyline(QPolygon({QPoint(6, 24), QPoint(15, 24), QPoint(15, 19), QPoint(23, 19), QPoint(23, 22),
                                 QPoint(27, 22)}));
    }
}

// A table: a header row and four rows; the alarm icon paints its middle row red.
void DrawTable(QPainter& p, TrendEventIcon icon) {
    DrawFrame(p);
    p.fillRect(2, 2, IconSize - 4, 5, QColor(192, 192, 192));
    if (icon == TrendEventIcon::Alarm)
        p.fillRect(2, 14, IconSize - 4, 5, Qt::red);
    p.setPen(QPen(Qt::darkGray, 1));
    for (int y = 7; y < IconSize - 3; y += 6)
        p.drawLine(2, y + (y > 7 ? 1 : 0), IconSize - 3, y + (y > 7 ? 1 : 0));
    p.drawLine(10, 2, 10, IconSize - 3);
    p.drawLine(20, 2, 20, IconSize - 3);
}

}  // namespace

QPixmap TrendIconPicture(TrendEventIcon icon, TrendIconPlace place) {
    if (icon == TrendEventIcon::None)
        return {};
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    if (place == TrendIconPlace::Graph)
        DrawChart(painter, icon);
    else
        DrawTable(painter, icon);
    return picture;
}

QCursor TrendIconCursor(TrendEventIcon icon, TrendIconPlace place) {
    if (icon == TrendEventIcon::None)
        return QCursor(Qt::ArrowCursor);
    return QCursor(TrendIconPicture(icon, place), 0, 0);
}

}  // namespace mt52
