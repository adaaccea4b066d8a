#include "graph/ZelGraph.h"

#include "platform/Colors.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

namespace mt52 {

namespace {

enum Key { KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDownArrow = 40 };
constexpr int ShiftBit = 1;
// Distances start out larger than any on the graph.
constexpr double FarAway = 99999999;
constexpr double SearchRowReach = 180;

}  // namespace

ZelGraph::ZelGraph(GraphHost* host, int sampleCapacity)
    : host_(host), store_(sampleCapacity), layout_(store_, frame_), painter_(store_, frame_, layout_) {}

void ZelGraph::Clear() {
    store_.Clear();
    cursorIndex_ = 0;
    readoutOffset_ = 0;
}

GraphSurface* ZelGraph::Target() const {
    if (drawObj_)
        return drawObj_;
    return host_ ? &host_->ScreenSurface() : nullptr;
}

double ZelGraph::CurrentX() const {
    const GraphSurface* t = Target();
    return t ? t->CurrentX : 0;
}

double ZelGraph::CurrentY() const {
    const GraphSurface* t = Target();
    return t ? t->CurrentY : 0;
}

double ZelGraph::TextWidth(const QString& text) const {
    const GraphSurface* t = Target();
    return t ? t->TextWidth(text) : 0;
}

double ZelGraph::TextHeight(const QString& text) const {
    const GraphSurface* t = Target();
    return t ? t->TextHeight(text) : 0;
}

void ZelGraph::Refresh() {
    paintRequested_ = true;
    Paint();
    paintRequested_ = false;
}

void ZelGraph::Paint() {
    if (!autoRedraw_ && !paintRequested_)
        return;
    GraphSurface* target = Target();
    if (!target)
        return;
    if (host_) {
        if (frame_.drawWidth == 0)
            frame_.drawWidth = static_cast<Single>(host_->ScreenSurface().ScaleWidth());
        if (frame_.drawHeight == 0)
            frame_.drawHeight = static_cast<Single>(host_->ScreenSurface().ScaleHeight());
        if (store_.SampleCount() == 0 && host_->DesignTime())
            LoadTestPattern();
    }
    // With no samples nothing is cleared: the last picture stays until the surface repaints itself.
    if (store_.SampleCount() < 1)
        return;

    const bool onScreen = host_ && target == &host_->ScreenSurface();
    if (host_) {
        // Only the screen picture is cleared, also while another target is drawn on.
        host_->ScreenSurface().Cls();
        if (onScreen)
            host_->FitScreenSurface(frame_.zoom > 1);
    }
    layout_.LayoutPlotArea(*target, onScreen);
    if (frame_.scaleX > 0) {
        layout_.DrawFrameAndScales(*target);
        painter_.DrawSeriesCurves(*target);
        painter_.DrawEventLabels(*target);
        UpdateCursorReadout();
    }
    if (host_)
        host_->ScreenPainted();
}

double ZelGraph::ValueScalesRight(const GraphSurface& target) {
    layout_.LayoutPlotArea(target, false);
    return layout_.ValueScalesRight();
}

void ZelGraph::UpdateCursorReadout() {
    cursor_ = painter_.UpdateCursorReadout(cursorIndex_, readoutOffset_);
    if (host_)
        host_->PlaceCursor(cursor_);
}

void ZelGraph::Zoom(int factor) {
    const int n = store_.SampleCount();
    if (n < 2)
        return;
    // A factor below 1 would divide by zero or show a negative span; it stands for the whole trend.
    factor = std::max(factor, 1);
    frame_.zoom = factor;
    const double shown = static_cast<double>(n) / factor;
    const bool moved = pan_.value != 0;
    pan_.visible = factor > 1;
    pan_.min = 0;
    pan_.max = static_cast<int>(RoundHalfEven(n - shown - 1));
    pan_.largeChange = static_cast<int>(RoundHalfEven(shown - 1));
    pan_.smallChange = 1;
    // Moving the bar back to the start shows (and paints) its window, as any move of the bar does.
    if (moved)
        PanTo(0);
    if (host_)
        host_->PanBarChanged(pan_);
    frame_.minX = 0;
    frame_.maxX = static_cast<Single>(store_.SecondsAt(static_cast<int>(RoundHalfEven(shown - 1))));
}

void ZelGraph::PanTo(int value) {
    pan_.value = std::clamp(value, pan_.min, std::max(pan_.min, pan_.max));
    const int n = store_.SampleCount();
    frame_.minX = static_cast<Single>(store_.SecondsAt(pan_.value));
    // Past the last sample the window ends at the last sample.
    frame_.maxX = static_cast<Single>(
        store_.SecondsAt(static_cast<int>(RoundHalfEven(static_cast<double>(n) / frame_.zoom + pan_.value))));
    Refresh();
}

bool ZelGraph::KeyDown(int keyCode, int shift, double heightPixels) {
    const bool shifted = (shift & ShiftBit) != 0;
    const int step = shifted ? 10 : 1;
    const int n = store_.SampleCount();
    switch (keyCode) {
    case KeyLeft:
        if (shifted ? cursorIndex_ >= 10 : cursorIndex_ > 0)
            cursorIndex_ -= static_cast<Single>(step);
        else
            return false;
        break;
    case KeyRight:
        if (shifted ? cursorIndex_ < n - 11 : cursorIndex_ < n - 1)
            cursorIndex_ += static_cast<Single>(step);
        else
            return false;
        break;
    case KeyUp:
        if (readoutOffset_ > -heightPixels)
            readoutOffset_ -= static_cast<Single>(step);
        else
            return false;
        break;
    case KeyDownArrow:
        if (readoutOffset_ < heightPixels)
            readoutOffset_ += static_cast<Single>(step);
        else
            return false;
        break;
    default:
        return false;
    }
    UpdateCursorReadout();
    return true;
}

void ZelGraph::MouseDown(double x) {
    cursorIndex_ = static_cast<Single>(layout_.FindSampleIndex(layout_.xData(x)));
    UpdateCursorReadout();
}

void ZelGraph::SearchEvent(double seconds, double y, Date& eventDate, QString& eventName) const {
    double best = FarAway;
    double bestRow = FarAway;
    Date foundDate;
    QString foundText;
    if (frame_.minX <= seconds && seconds <= frame_.maxX) {
        for (int s = 0; s < store_.SampleDataCount(); ++s) {
            const GraphEventList& events = store_.Events(s);
            const int count = std::min(store_.EventCount(s), GraphMaxEvents + 1);
            for (int e = 0; e < count; ++e) {
                const QString& text = events.texts[static_cast<std::size_t>(e)];
                if (text.isEmpty())
                    continue;
                const GraphTimeStamp& at = events.entries[static_cast<std::size_t>(e)];
                const double d = std::fabs(at.seconds - seconds);
                const double r = std::fabs(events.labelRow - y);
                // The best distances are kept as whole numbers.
                if (d < best) {
                    best = RoundHalfEven(d);
                    bestRow = RoundHalfEven(r);
                } else if (d == best && r < bestRow) {
                    bestRow = RoundHalfEven(r);
                } else {
                    continue;
                }
                foundDate = at.date;
                foundText = text;
            }
        }
    }
    if ((frame_.maxX - frame_.minX) / 40.0 > best && bestRow < SearchRowReach) {
        eventDate = foundDate;
        eventName = foundText;
    } else {
        eventDate = Date();
        eventName.clear();
    }
}

void ZelGraph::LoadTestPattern() {
    const int a = store_.AddSample(QStringLiteral("Sample1"), RGB(0, 0, 128), QStringLiteral("#0.0"), 10);
    const int b = store_.AddSample(QStringLiteral("Sample2"), RGB(0, 128, 0), QStringLiteral("#0.0"), 10);
    const int c = store_.AddSample(QStringLiteral("Sample3"), RGB(128, 0, 0), QStringLiteral("#0.0"), 10);
    const int count = std::min(257, store_.SampleCapacity());
    for (int i = 0; i < count; ++i) {
        // Written straight into the values: the series' LastSample stays 0.
        const double cosine = 5 * std::cos(i / 64.0 * 6.2831853);
        const double sine = 2 * std::sin(i / 12.8 * 6.2831853);
        store_.Series(a).values[static_cast<std::size_t>(i)] = static_cast<Single>(cosine);
        store_.Series(b).values[static_cast<std::size_t>(i)] = static_cast<Single>(sine);
        store_.Series(c).values[static_cast<std::size_t>(i)] = static_cast<Single>(sine) * static_cast<Single>(cosine);
    }
    store_.SampleCount(256);
}

}  // namespace mt52
