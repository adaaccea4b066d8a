#include "graph/GraphLayout.h"

#include "platform/Colors.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mt52 {

namespace {

// The left value scale (series 0) is printed right-aligned at this x; each further visible
// series gets a column this wide right of the plot.
constexpr double LeftScaleAnchor = 50 + 1060;
constexpr double RightScaleColumn = 530;
constexpr double GridBlend = 0.8;

}  // namespace

Long BlendColor(Long first, Long second, double fraction) {
    auto mix = [fraction](int a, int b) {
        return static_cast<int>(RoundHalfEven((a - b) * fraction + b));
    };
    return RGB(mix(RedOf(first), RedOf(second)), mix(GreenOf(first), GreenOf(second)),
               mix(BlueOf(first), BlueOf(second)));
}

void GraphLayout::LayoutPlotArea(const GraphSurface& target, bool onScreen) {
    GraphFrame& f = frame_;
    f.formatX = GraphTimeFormat;

    const int titles = (f.titleTop.isEmpty() ? 0 : 1) + (f.titleBottom.isEmpty() ? 0 : 1);
    const int n = store_.SampleDataCount();
    const double leftSeries = RoundHalfEven(n / 2.0);
    double rightSum = 0;
    double leftSum = f.drawLeft;
    for (int s = 0; s < n; ++s) {
        // The width of the number pattern stands for the width of the scale labels.
        const double w = target.TextWidth(store_.Series(s).format);
        rightSum += w + 240;
        if (s < leftSeries)
            leftSum += w + 180;
    }

    const double titleHeight = target.TextHeight(f.titleBottom);
    const double top = titles > 0 ? 120 + titleHeight : 120;
    const double furniture = target.TextHeight(QStringLiteral("8")) + (titles + 1) * titleHeight + 120;
    double width = 0;
    double height = 0;
    if (onScreen) {
        f.plotLeft = static_cast<Single>(leftSum);
        f.plotTop = static_cast<Single>(top);
        width = target.ScaleWidth() - rightSum;
        height = target.ScaleHeight() - furniture;
    } else {
        // The drawing rectangle's left edge counts twice: once in the margin sum, once here.
        f.plotLeft = static_cast<Single>(leftSum + f.drawLeft);
        f.plotTop = static_cast<Single>(f.drawTop + top);
        width = f.drawWidth - rightSum;
        height = f.drawHeight - furniture;
    }
    f.plotWidth = static_cast<Single>(width <= 0 ? 1 : width);
    f.plotHeight = static_cast<Single>(height <= 0 ? 1 : height);

    if (f.maxX == 0)
        f.minX = 0;
    if (f.maxX <= 0 || f.minX >= f.maxX) {
        Long last = 0;
        const int count = std::min(store_.SampleCount(), store_.SampleCapacity());
        for (int i = 0; i < count; ++i)
            last = i == 0 ? store_.TimeAxis(i).seconds : std::max(last, store_.TimeAxis(i).seconds);
        f.maxX = static_cast<Single>(last);
    }
    f.posXStp = (f.maxX - f.minX) / 10;
    f.scaleX = f.maxX == f.minX ? 0.0f : f.plotWidth / (f.maxX - f.minX);

    AutoRangeSeries();
}

void GraphLayout::AutoRangeSeries() {
    const int count = std::min(store_.SampleCount(), store_.SampleCapacity());
    for (int s = 0; s < store_.SampleDataCount(); ++s) {
        GraphSeries& series = store_.Series(s);
        const double unit = series.fullScale >= 10 ? 10 : 1;
        Single lowest = std::numeric_limits<Single>::max();
        Single highest = std::numeric_limits<Single>::lowest();
        for (int i = 0; i < count; ++i) {
            lowest = std::min(lowest, series.values[static_cast<std::size_t>(i)]);
            highest = std::max(highest, series.values[static_cast<std::size_t>(i)]);
        }
        if (count == 0)
            lowest = highest = 0;

        if (series.maxY == 0)
            series.minY = lowest >= GraphNoData ? 0.0f : static_cast<Single>(-RoundHalfEven(std::fabs(lowest)));
        if (series.maxY <= 0 || series.minY >= series.maxY) {
            if (highest > GraphNoData) {
                const double q = std::trunc(RoundHalfEven(1.2 * highest) / unit);
                series.maxY = static_cast<Single>(unit * (q + 1));
            } else {
                series.maxY = 0;
            }
        }
        series.posYStp = (series.maxY - series.minY) / 10;
        series.scaleY = series.maxY == series.minY ? 0.0f : frame_.plotHeight / (series.maxY - series.minY);
    }
}

void GraphLayout::DrawFrameAndScales(GraphSurface& target) const {
    const GraphFrame& f = frame_;
    const Long background = target.SurfaceKind() == GraphSurface::Kind::Printer ? 0xFFFFFF : target.BackColor;
    const double bottom = f.Bottom();
    const double right = f.Right();

    target.DrawWidth = f.scaleLineWidth;
    target.Box({f.plotLeft, f.plotTop}, {right, bottom}, f.scaleColor);
    target.ForeColor = f.scaleColor;

    // Titles are centred on the whole target, on paper the whole page.
    const double digits = target.TextHeight(QStringLiteral("8888"));
    if (!f.titleTop.isEmpty())
        target.PrintAt((target.ScaleWidth() - target.TextWidth(f.titleTop)) / 2, f.plotTop - 1.5 * digits,
                       f.titleTop);
    if (!f.titleBottom.isEmpty())
        target.PrintAt((target.ScaleWidth() - target.TextWidth(f.titleBottom)) / 2, bottom + 1.5 * digits,
                       f.titleBottom);

    const Long gridColour = BlendColor(background, target.ForeColor, GridBlend);
    DrawTimeAxis(target, gridColour);

    // Nine horizontal grid lines with ticks outside the frame on both sides; the frame stands
    // for the first and the last.
    const double tick = 4 * GraphTwipsPerPixel;
    for (int k = 1; k <= 9; ++k) {
        const double y = f.plotHeight / 10.0 * k + f.plotTop;
        target.Line({f.plotLeft - tick, y}, {f.plotLeft, y}, target.ForeColor);
        target.Line({right + tick, y}, {right, y}, target.ForeColor);
        target.DrawStyle = GraphSurface::DashDotDot;
        target.Line({f.plotLeft, y}, {right, y}, gridColour);
        target.DrawStyle = GraphSurface::Solid;
    }

    DrawValueScales(target);
}

void GraphLayout::DrawTimeAxis(GraphSurface& target, Long gridColour) const {
    const GraphFrame& f = frame_;
    const double bottom = f.Bottom();
    const double labels = f.posXStp == 0 ? 0 : RoundHalfEven((f.maxX - f.minX) / (f.posXStp / f.zoom));
    int step = labels == 0 ? 0 : static_cast<int>(RoundHalfEven(store_.SampleCount() / labels));
    if (step <= 0)
        step = 1;

    const int count = std::min(store_.SampleCount(), store_.SampleCapacity());
    double firstFree = 0;
    for (int i = 0; i < count; i += step) {
        const GraphTimeStamp& t = store_.TimeAxis(i);
        if (t.seconds < f.minX || t.seconds > f.maxX)
            continue;
        const double x = xPos(t.seconds);
        const QString text = FormatDate(t.date, f.formatX);
        const double w = target.TextWidth(text);
        // A label that would overlap the one before it is left out, with its grid line.
        if (!(firstFree < x - w / 2))
            continue;
        target.Line({x, bottom}, {x, bottom + 40}, target.ForeColor);
        target.PrintAt(x - w / 2, bottom + 80, text);
        firstFree = x + 1.125 * w / 2;
        if (t.seconds != f.minX && t.seconds != f.maxX) {
            target.DrawStyle = GraphSurface::DashDotDot;
            target.Line({x, f.plotTop}, {x, bottom}, gridColour);
            target.DrawStyle = GraphSurface::Solid;
        }
    }
}

void GraphLayout::DrawValueScales(GraphSurface& target) const {
    const GraphFrame& f = frame_;
    const double halfDigits = target.TextHeight(QStringLiteral("00000")) / 2;
    double rightAnchor = f.Right() + RightScaleColumn;
    for (int s = 0; s < store_.SampleDataCount(); ++s) {
        const GraphSeries& series = store_.Series(s);
        if (!series.visible)
            continue;
        const double labels = series.posYStp == 0 ? 0 : RoundHalfEven((series.maxY - series.minY) / series.posYStp);
        const double anchor = s == 0 ? LeftScaleAnchor : rightAnchor;
        target.ForeColor = series.color;

        // Names of four characters or more are printed smaller to fit the column.
        const double size = target.FontSize;
        if (series.name.size() >= 4)
            target.FontSize = size * 2 / 3;
        target.PrintAt(anchor - target.TextWidth(series.name), 2 * GraphTwipsPerPixel + f.drawTop, series.name);
        target.FontSize = size;

        for (int k = 0; k <= labels; ++k) {
            const double v = k * static_cast<double>(series.posYStp) + series.minY;
            const QString text = FormatNumber(static_cast<Single>(v), series.format);
            target.PrintAt(anchor - target.TextWidth(text), yPos(v, s) - halfDigits, text);
        }
        if (s != 0)
            rightAnchor += RightScaleColumn;
    }
}

double GraphLayout::ValueScalesRight() const {
    double right = frame_.Right();
    for (int s = 1; s < store_.SampleDataCount(); ++s)
        if (store_.Series(s).visible)
            right += RightScaleColumn;
    return right;
}

double GraphLayout::xPos(double seconds) const {
    return (seconds - frame_.minX) * frame_.scaleX + frame_.plotLeft;
}

double GraphLayout::yPos(double value, int series) const {
    const GraphSeries& s = store_.Series(series);
    return frame_.Bottom() - (value - s.minY) * s.scaleY;
}

double GraphLayout::xData(double x) const {
    if (frame_.scaleX == 0)
        return frame_.minX;
    return (x - frame_.plotLeft) / frame_.scaleX + frame_.minX;
}

double GraphLayout::yData(double y, int series) const {
    const GraphSeries& s = store_.Series(series);
    if (s.scaleY == 0)
        return s.minY;
    return (frame_.Bottom() - y) / s.scaleY + s.minY;
}

int GraphLayout::FindSampleIndex(double seconds) const {
    if (seconds <= store_.TimeAxis(0).seconds)
        return 0;
    const int count = std::min(store_.SampleCount(), store_.SampleCapacity());
    for (int i = 0; i < count; ++i)
        if (store_.TimeAxis(i).seconds > seconds)
            return i;
    return std::max(count - 1, 0);
}

}  // namespace mt52
