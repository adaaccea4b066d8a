#include "graph/gui/QPainterGraphSurface.h"

#include "platform/Twips.h"
#include "platform/gui/QtUserDialogs.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>

#include <algorithm>
#include <cmath>

namespace mt52 {

namespace {

constexpr double TwipsPerInch = 1440;
// The screen picture keeps 96 dots a inch, 15 twips a pixel, whatever the display.
constexpr int PictureDotsPerMeter = 3780;

Qt::PenStyle PenStyleOf(int drawStyle) {
    return drawStyle == GraphSurface::DashDotDot ? Qt::DashDotDotLine : Qt::SolidLine;
}

}  // namespace

QPainterGraphSurface::QPainterGraphSurface(QPainter& painter, Kind kind, const QFont& font, QRectF area)
    : painter_(&painter),
      kind_(kind),
      unitsPerPixel_(TwipsPerInch / std::max(1, painter.device()->logicalDpiX())),
      area_(area),
      base_(font) {
    FontSize = font.pointSizeF() > 0 ? font.pointSizeF() : 9;
    FontBold = font.bold();
}

QPainterGraphSurface::QPainterGraphSurface(Kind kind, double unitsPerPixel, const QFont& font)
    : kind_(kind), unitsPerPixel_(unitsPerPixel), base_(font) {
    FontSize = font.pointSizeF() > 0 ? font.pointSizeF() : 9;
    FontBold = font.bold();
}

QPainter& QPainterGraphSurface::Painter() { return *painter_; }

QSizeF QPainterGraphSurface::DevicePixels() const {
    if (!area_.isEmpty())
        return area_.size();
    const QPaintDevice* d = painter_->device();
    return QSizeF(d->width(), d->height());
}

QPaintDevice* QPainterGraphSurface::MeasureDevice() const { return painter_->device(); }

void QPainterGraphSurface::BaseFont(const QFont& font) {
    base_ = font;
    FontSize = font.pointSizeF() > 0 ? font.pointSizeF() : FontSize;
    FontBold = font.bold();
    fontSize_ = -1;
}

double QPainterGraphSurface::ScaleWidth() const { return DevicePixels().width() * unitsPerPixel_; }
double QPainterGraphSurface::ScaleHeight() const { return DevicePixels().height() * unitsPerPixel_; }

QPointF QPainterGraphSurface::Device(GraphPoint p) const {
    return QPointF(area_.left() + p.x / unitsPerPixel_, area_.top() + p.y / unitsPerPixel_);
}

const QFont& QPainterGraphSurface::CurrentFont() const {
    if (fontSize_ != FontSize || fontBold_ != FontBold) {
        font_ = base_;
        font_.setPointSizeF(std::max(1.0, FontSize));
        font_.setBold(FontBold);
        fontSize_ = FontSize;
        fontBold_ = FontBold;
    }
    return font_;
}

void QPainterGraphSurface::ApplyPen(Long colour) {
    QPen pen(ToQColor(colour));
    pen.setWidthF(std::max(1.0, DrawWidth));
    pen.setStyle(PenStyleOf(DrawStyle));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    QPainter& p = Painter();
    if (p.pen() != pen)
        p.setPen(pen);
}

void QPainterGraphSurface::Line(GraphPoint from, GraphPoint to, Long colour) {
    ApplyPen(colour);
    QPainter& p = Painter();
    if (from == to)
        p.drawPoint(Device(from));
    else
        p.drawLine(Device(from), Device(to));
}

void QPainterGraphSurface::Lines(const std::vector<GraphPoint>& ends, Long colour) {
    ApplyPen(colour);
    lines_.clear();
    dots_.clear();
    QPainter& p = Painter();
    // On a raster image a thin solid pen without smoothing covers, of a vertical line, the pixel
    // column its x lies in, from the row its upper end lies in to the row of its lower end. A
    // dense curve is mostly such lines (one per pixel column); filled as one-pixel-wide
    // rectangles they give the same pixels many times faster than stroked.
    const bool fillVertical = p.pen().widthF() <= 1 && p.pen().style() == Qt::SolidLine &&
                              !p.testRenderHint(QPainter::Antialiasing) && p.transform().isIdentity() &&
                              p.paintEngine() != nullptr && p.paintEngine()->type() == QPaintEngine::Raster;
    const QColor fill = ToQColor(colour);
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2) {
        if (ends[i] == ends[i + 1]) {
            dots_.push_back(Device(ends[i]));
            continue;
        }
        const QPointF from = Device(ends[i]);
        const QPointF to = Device(ends[i + 1]);
        if (fillVertical && from.x() == to.x()) {
            const int top = static_cast<int>(std::floor(std::min(from.y(), to.y())));
            const int bottom = static_cast<int>(std::floor(std::max(from.y(), to.y())));
            p.fillRect(QRect(static_cast<int>(std::floor(from.x())), top, 1, bottom - top + 1), fill);
            continue;
        }
        lines_.emplace_back(from, to);
    }
    if (!lines_.empty())
        p.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    if (!dots_.empty())
        p.drawPoints(dots_.data(), static_cast<int>(dots_.size()));
}

void QPainterGraphSurface::Box(GraphPoint from, GraphPoint to, Long colour) {
    ApplyPen(colour);
    QPainter& p = Painter();
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(Device(from), Device(to)).normalized());
}

void QPainterGraphSurface::Triangle(const std::array<GraphPoint, 3>& corners) {
    ApplyPen(ForeColor);
    QPainter& p = Painter();
    p.setBrush(FillStyle == FillSolid ? QBrush(ToQColor(FillColor)) : QBrush(Qt::NoBrush));
    const QPointF points[3] = {Device(corners[0]), Device(corners[1]), Device(corners[2])};
    p.drawPolygon(points, 3);
    p.setBrush(Qt::NoBrush);
}

void QPainterGraphSurface::Print(const QString& text) {
    QPainter& p = Painter();
    const QFont& font = CurrentFont();
    p.setFont(font);
    p.setPen(ToQColor(ForeColor));
    const QFontMetricsF metrics(font, MeasureDevice());
    const QPointF topLeft = Device({CurrentX, CurrentY});
    p.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    CurrentY += metrics.height() * unitsPerPixel_;
}

void QPainterGraphSurface::Cls() {
    QPainter& p = Painter();
    const QSizeF size = DevicePixels();
    p.fillRect(QRectF(area_.topLeft(), size), ToQColor(BackColor));
    CurrentX = 0;
    CurrentY = 0;
}

double QPainterGraphSurface::TextWidth(const QString& text) const {
    return QFontMetricsF(CurrentFont(), MeasureDevice()).horizontalAdvance(text) * unitsPerPixel_;
}

double QPainterGraphSurface::TextHeight(const QString&) const {
    return QFontMetricsF(CurrentFont(), MeasureDevice()).height() * unitsPerPixel_;
}

GraphPicture::GraphPicture(const QFont& font)
    : QPainterGraphSurface(Kind::Screen, TwipsPerPixel, font), image_(1, 1, QImage::Format_RGB32) {
    image_.setDotsPerMeterX(PictureDotsPerMeter);
    image_.setDotsPerMeterY(PictureDotsPerMeter);
    image_.fill(Qt::white);
}

GraphPicture::~GraphPicture() { End(); }

void GraphPicture::Resize(QSize pixels) {
    pixels = pixels.expandedTo(QSize(1, 1));
    if (pixels == image_.size())
        return;
    End();
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDotsPerMeterX(PictureDotsPerMeter);
    image_.setDotsPerMeterY(PictureDotsPerMeter);
    image_.fill(ToQColor(BackColor));
}

void GraphPicture::Cls() {
    End();
    image_.fill(ToQColor(BackColor));
    CurrentX = 0;
    CurrentY = 0;
}

void GraphPicture::End() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

const QImage& GraphPicture::Image() {
    End();
    return image_;
}

QPainter& GraphPicture::Painter() {
    if (!painter_)
        painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

QSizeF GraphPicture::DevicePixels() const { return QSizeF(image_.size()); }

QPaintDevice* GraphPicture::MeasureDevice() const { return const_cast<QImage*>(&image_); }

}  // namespace mt52
