#include "platform/gui/ShapeControl.h"

#include "platform/gui/QtUserDialogs.h"

#include <QPainter>

namespace mt52 {

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent) {}

void ShapeControl::FillColor(Long colour) {
    fillColor_ = colour;
    update();
}

void ShapeControl::BorderColor(Long colour) {
    borderColor_ = colour;
    update();
}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ToQColor(borderColor_), 1));
    painter.setBrush(ToQColor(fillColor_));
    painter.drawEllipse(rect().adjusted(0, 0, -1, -1));
}

}  // namespace mt52
