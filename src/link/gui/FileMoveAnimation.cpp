#include "link/gui/FileMoveAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace mt52 {

namespace {

// A folder icon whose body fills `r`, with its tab on the upper left.
void DrawFolder(QPainter& p, const QRectF& r) {
    const QColor edge(120, 90, 20);
    const QColor fill(240, 200, 80);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(r.left(), r.top() - r.height() * 0.18, r.width() * 0.4, r.height() * 0.3), 2, 2);
    p.setPen(QPen(edge, 1));
    p.setBrush(fill.darker(110));
    p.drawPath(tab);
    p.setBrush(fill);
    p.drawRoundedRect(r, 3, 3);
}

// A sheet of paper centred on `c`, with a few lines of text on it.
void DrawSheet(QPainter& p, const QPointF& c, double w, double h) {
    const QRectF r(c.x() - w / 2, c.y() - h / 2, w, h);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(0, 0, 160), 1));
    for (int i = 1; i <= 3; ++i) {
        const double y = r.top() + h * i / 4.5;
        p.drawLine(QPointF(r.left() + w * 0.2, y), QPointF(r.right() - w * 0.2, y));
    }
}

}  // namespace

FileMoveAnimation::FileMoveAnimation(QWidget* parent) : QWidget(parent) {
    timer_.setInterval(FrameMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
}

void FileMoveAnimation::Play() {
    frame_ = 0;
    timer_.start();
    update();
}

void FileMoveAnimation::Stop() { timer_.stop(); }

void FileMoveAnimation::Step() {
    frame_ = (frame_ + 1) % FrameCount;
    update();
}

void FileMoveAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width();
    const double h = height();
    if (w < 8 || h < 8)
        return;

    const double folderH = h * 0.45;
    const double folderW = std::min(w * 0.2, folderH * 1.4);
    const double base = h * 0.9;
    const QRectF from(w * 0.05, base - folderH, folderW, folderH);
    const QRectF to(w * 0.95 - folderW, base - folderH, folderW, folderH);
    DrawFolder(p, from);
    DrawFolder(p, to);

    // The sheet rises out of the first folder, flies over in an arc and drops into the second.
    const double t = static_cast<double>(frame_) / (FrameCount - 1);
    const double x = from.center().x() + (to.center().x() - from.center().x()) * t;
    const double y = from.top() - (from.top() - h * 0.12) * std::sin(t * M_PI);
    DrawSheet(p, QPointF(x, y), folderW * 0.45, folderH * 0.6);
}

}  // namespace mt52
