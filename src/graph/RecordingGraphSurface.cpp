#include "graph/RecordingGraphSurface.h"

namespace mt52 {

RecordingGraphSurface::RecordingGraphSurface(Kind kind, double width, double height, double charWidth,
                                             double lineHeight, double unitsPerPixel)
    : kind_(kind),
      width_(width),
      height_(height),
      charWidth_(charWidth),
      lineHeight_(lineHeight),
      unitsPerPixel_(unitsPerPixel) {}

void RecordingGraphSurface::Resize(double width, double height) {
    width_ = width;
    height_ = height;
}

GraphStroke RecordingGraphSurface::Stroke(GraphStroke::Op op) const {
    GraphStroke s;
    s.op = op;
    s.width = DrawWidth;
    s.style = DrawStyle;
    s.fillStyle = FillStyle;
    s.fontSize = FontSize;
    s.bold = FontBold;
    return s;
}

void RecordingGraphSurface::Line(GraphPoint from, GraphPoint to, Long colour) {
    GraphStroke s = Stroke(GraphStroke::Op::Line);
    s.points = {from, to};
    s.colour = colour;
    strokes.push_back(std::move(s));
}

void RecordingGraphSurface::Box(GraphPoint from, GraphPoint to, Long colour) {
    GraphStroke s = Stroke(GraphStroke::Op::Box);
    s.points = {from, to};
    s.colour = colour;
    strokes.push_back(std::move(s));
}

void RecordingGraphSurface::Triangle(const std::array<GraphPoint, 3>& corners) {
    GraphStroke s = Stroke(GraphStroke::Op::Triangle);
    s.points.assign(corners.begin(), corners.end());
    s.colour = FillColor;
    s.outline = ForeColor;
    strokes.push_back(std::move(s));
}

void RecordingGraphSurface::Print(const QString& text) {
    GraphStroke s = Stroke(GraphStroke::Op::Text);
    s.points = {{CurrentX, CurrentY}};
    s.colour = ForeColor;
    s.text = text;
    strokes.push_back(std::move(s));
    CurrentY += lineHeight_;
}

void RecordingGraphSurface::Cls() {
    strokes.clear();
    strokes.push_back(Stroke(GraphStroke::Op::Cls));
    CurrentX = 0;
    CurrentY = 0;
}

double RecordingGraphSurface::TextWidth(const QString& text) const { return charWidth_ * text.size(); }
double RecordingGraphSurface::TextHeight(const QString&) const { return lineHeight_; }

std::vector<GraphStroke> RecordingGraphSurface::Of(GraphStroke::Op op) const {
    std::vector<GraphStroke> out;
    for (const GraphStroke& s : strokes)
        if (s.op == op)
            out.push_back(s);
    return out;
}

const GraphStroke* RecordingGraphSurface::FindText(const QString& text) const {
    for (const GraphStroke& s : strokes)
        if (s.op == GraphStroke::Op::Text && s.text == text)
            return &s;
    return nullptr;
}

}  // namespace mt52
