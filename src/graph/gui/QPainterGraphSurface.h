#pragma once
// The graph's drawing surface over a QPainter: a printer page, a preview or an image. Drawing units
// are twips (1440 a inch) on every device; the surface converts them to device pixels with the
// device's resolution, so the same drawing lands at the same size on screen and on paper.
//
//   QPainter painter(&printer);
//   QPainterGraphSurface page(painter, GraphSurface::Kind::Printer);
//   graph.DrawObj(&page); graph.SetDrawLeft(...); ... graph.Refresh(); graph.DrawObj(nullptr);
#include "graph/GraphSurface.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <memory>

namespace mt52 {

class QPainterGraphSurface : public GraphSurface {
public:
    // The painter must be active on its device for as long as the surface draws. The drawing area
    // is the painter's whole device, or `area` (in device pixels) when it is given.
    QPainterGraphSurface(QPainter& painter, Kind kind, const QFont& font = QFont(QStringLiteral("Liberation Sans"), 9),
                         QRectF area = {});

    Kind SurfaceKind() const override { return kind_; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double UnitsPerDevicePixel() const override { return unitsPerPixel_; }

    void Line(GraphPoint from, GraphPoint to, Long colour) override;
    void Lines(const std::vector<GraphPoint>& ends, Long colour) override;
    void Box(GraphPoint from, GraphPoint to, Long colour) override;
    void Triangle(const std::array<GraphPoint, 3>& corners) override;
    void Print(const QString& text) override;
    void Cls() override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;

    // The font whose name and style the surface draws text in; FontSize and FontBold follow it.
    void BaseFont(const QFont& font);

protected:
    // For a surface that opens its painter on demand: no painter yet.
    QPainterGraphSurface(Kind kind, double unitsPerPixel, const QFont& font);
    // The painter to draw with; opened on demand by a subclass.
    virtual QPainter& Painter();
    virtual QSizeF DevicePixels() const;
    // The device the text is measured on (its resolution sets the font's pixel size).
    virtual QPaintDevice* MeasureDevice() const;

private:
    QPointF Device(GraphPoint p) const;
    void ApplyPen(Long colour);
    const QFont& CurrentFont() const;

    QPainter* painter_ = nullptr;
    std::vector<QLineF> lines_;
    std::vector<QPointF> dots_;
    Kind kind_;
    double unitsPerPixel_;
    QRectF area_;
    QFont base_;
    mutable QFont font_;
    mutable double fontSize_ = -1;
    mutable bool fontBold_ = false;
};

// The graph's own screen picture: an image the graph paints on, kept between paints and shown by
// the widget. The painter is opened on the first stroke and closed by End(), so a paint runs as
// one painter session.
class GraphPicture final : public QPainterGraphSurface {
public:
    explicit GraphPicture(const QFont& font = QFont(QStringLiteral("Liberation Sans"), 9));
    ~GraphPicture() override;

    // Sizes the picture in pixels; a new size starts from a blank picture.
    void Resize(QSize pixels);
    void Cls() override;
    // Ends the painter session, so the image can be shown or copied.
    void End();
    const QImage& Image();

protected:
    QPainter& Painter() override;
    QSizeF DevicePixels() const override;
    QPaintDevice* MeasureDevice() const override;

private:
    QImage image_;
    std::unique_ptr<QPainter> painter_;
};

}  // namespace mt52
