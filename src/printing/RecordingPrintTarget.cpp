#include "printing/RecordingPrintTarget.h"

#include <algorithm>

namespace mt52 {

RecordingPrintTarget::RecordingPrintTarget(Kind kind, double scaleWidth, double scaleHeight, int orientation)
    : kind_(kind), scaleWidth_(scaleWidth), scaleHeight_(scaleHeight), orientation_(orientation) {}

RecordingPrintTarget::~RecordingPrintTarget() {
    if (closed)
        closed(*this);
}

void RecordingPrintTarget::NewPage() {
    ++pages;
    CurrentX = 0;
    CurrentY = 0;
}

GraphSurface& RecordingPrintTarget::Graph() {
    if (!graph_) {
        const auto kind = kind_ == Kind::Printer ? GraphSurface::Kind::Printer : GraphSurface::Kind::Preview;
        graph_ = std::make_unique<RecordingGraphSurface>(kind, scaleWidth_, scaleHeight_);
    }
    return *graph_;
}

void RecordingPrintTarget::DrawText(double x, double y, const QString& text) {
    texts.push_back({pages, x, y, text, FontSize, FontBold, ForeColor, FontName});
}

void RecordingPrintTarget::DrawLine(double x1, double y1, double x2, double y2, Long colour) {
    lines.push_back({pages, x1, y1, x2, y2, DrawWidth, colour});
}

QStringList RecordingPrintTarget::TextsOn(int page) const {
    QStringList out;
    for (const PrintedText& t : texts)
        if (t.page == page)
            out << t.text;
    return out;
}

QStringList RecordingPrintTarget::RowAt(int page, double y) const {
    std::vector<const PrintedText*> row;
    for (const PrintedText& t : texts)
        if (t.page == page && t.y == y)
            row.push_back(&t);
    std::stable_sort(row.begin(), row.end(), [](const PrintedText* a, const PrintedText* b) { return a->x < b->x; });
    QStringList out;
    for (const PrintedText* t : row)
        out << t->text;
    return out;
}

const PrintedText* RecordingPrintTarget::Find(const QString& text) const {
    for (const PrintedText& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

}  // namespace mt52
