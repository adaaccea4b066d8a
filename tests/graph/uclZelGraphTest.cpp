// The graph control on screen and on paper: offscreen renders probed at single pixels, keys and
// clicks through QTest, and a page printed to PDF.
#include "graph/gui/uclZelGraph.h"

#include "GraphTestHost.h"
#include "platform/Colors.h"
#include "platform/Twips.h"

#include <QDir>
#include <QLabel>
#include <QPdfWriter>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace mt52 {
namespace {

constexpr Long Green = 0x00C000;
constexpr Long Blue = 0xFF0000;
constexpr double Step = 60;

QColor Rgb(Long colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

// Whether the pixel or one of its eight neighbours has the colour (lines land within a pixel).
bool ColourNear(const QImage& image, double xTwips, double yTwips, Long colour) {
    const int x = static_cast<int>(std::floor(xTwips / TwipsPerPixel));
    const int y = static_cast<int>(std::floor(yTwips / TwipsPerPixel));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.rect().contains(x + dx, y + dy) && image.pixelColor(x + dx, y + dy) == Rgb(colour))
                return true;
    return false;
}

class uclZelGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        w.BorderStyle(0);
        w.resize(600, 400);
        ZelGraph& g = w.Graph();
        g.AddSample(QStringLiteral("CH4"), Green, QStringLiteral("#0.0"));
        g.AddSample(QStringLiteral("O2"), Blue, QStringLiteral("#0.0"), 25);
        FillGraph(g, 31, Step, [](int s, int i) { return s == 0 ? 5.0f : static_cast<Single>(10 + i % 3); });
        g.EventX(0, 0, Date(46000 + 600 / 86400.0));
        g.EventFlag(0, 0, QStringLiteral("ALM"));
        g.EventCount(0, 1);
        g.EventVisible(0, true);
        g.TitleBottom(QStringLiteral("Sampling"));
        w.Refresh();
    }

    uclZelGraph w;
};

TEST_F(uclZelGraphTest, PaintsCurvesFrameAndMarks) {
    const ZelGraph& g = w.Graph();
    const QImage& image = w.Picture();
    ASSERT_EQ(image.size(), QSize(600, 400));
    const GraphFrame& f = g.Frame();
    // The flat series 0 at 5, across the plot.
    for (double t : {90.0, 900.0, 1700.0})
        EXPECT_TRUE(ColourNear(image, g.xPos(t), g.yPos(5, 0), Green)) << t;
    // The frame in the scale colour, the background white inside the plot.
    EXPECT_TRUE(ColourNear(image, f.plotLeft, f.plotTop + f.plotHeight * 0.55, 0));
    EXPECT_EQ(image.pixelColor(TwipsToPixels(g.xPos(1000)), TwipsToPixels(g.yPos(2.5, 0))), QColor(Qt::white));
    // The event mark is filled in its series' colour just above its tip.
    const double row = g.Store().Events(0).labelRow;
    EXPECT_TRUE(ColourNear(image, g.xPos(600), row - 60, Green));
    EXPECT_FALSE(ColourNear(image, g.xPos(600) + 150, row - 60, Green));
    // The cursor line and read-out are not part of the picture.
    EXPECT_EQ(w.lblMsg()->text(), QStringLiteral("[12/09 00:00:00]\nCH4 : 5.0\nO2 : 10.0\n"));
    EXPECT_TRUE(w.lblMsg()->isVisibleTo(&w));
    w.CursorVisible(false);
    EXPECT_FALSE(w.lblMsg()->isVisibleTo(&w));
}

// A trend with many more samples than pixels draws the same picture with its segments merged per
// pixel column as it does segment by segment.
TEST(GraphDenseRendering, MergedColumnsGiveTheSamePicture) {
    struct Exact final : QPainterGraphSurface {
        using QPainterGraphSurface::QPainterGraphSurface;
        double UnitsPerDevicePixel() const override { return 0; }
    };
    ZelGraph g(nullptr, 20001);
    g.AddSample(QStringLiteral("CH4"), Green, QStringLiteral("#0.0"), 100);
    g.AddSample(QStringLiteral("O2"), Blue, QStringLiteral("#0.0"), 25);
    FillGraph(g, 20001, 10, [](int s, int i) {
        if (i % 1500 == 700)
            return GraphNoData;
        return static_cast<Single>(40 + 30 * std::sin(i / (90.0 + 40 * s)) + 6 * std::sin(i * 1.7));
    });
    auto render = [&g](bool merged) {
        QImage image(800, 500, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        QPainter painter(&image);
        std::unique_ptr<GraphSurface> surface;
        if (merged)
            surface = std::make_unique<QPainterGraphSurface>(painter, GraphSurface::Kind::Preview);
        else
            surface = std::make_unique<Exact>(painter, GraphSurface::Kind::Preview);
        g.DrawObj(surface.get());
        g.SetDrawWidth(12000);
        g.SetDrawHeight(7500);
        g.Refresh();
        return image;
    };
    const QImage merged = render(true);
    const QImage exact = render(false);
    int curvePixels = 0;
    int differing = 0;
    for (int y = 0; y < exact.height(); ++y) {
        for (int x = 0; x < exact.width(); ++x) {
            const QColor e = exact.pixelColor(x, y);
            if (e == Rgb(Green) || e == Rgb(Blue))
                ++curvePixels;
            if (e != merged.pixelColor(x, y))
                ++differing;
        }
    }
    ASSERT_GT(curvePixels, 5000);
    EXPECT_LE(differing, curvePixels / 100) << differing << " of " << curvePixels << " curve pixels differ";
}

// A batch of lines on the screen picture gives the pixels of stroking each line by itself:
// vertical lines at every fraction of a pixel, slanted lines, dots, in both directions.
TEST(GraphDenseRendering, BatchedLinesGiveThePixelsOfSingleStrokes) {
    std::vector<GraphPoint> ends;
    for (int k = 0; k < 600; ++k) {
        const double x = 150 + k * 2.25 + (k % 7) * 0.9;  // twips: 15 a pixel
        const double y1 = 300 + (k % 17) * 3.75;
        const double y2 = y1 + (k % 41) * 7.5 + (k % 3 == 0 ? 0 : 2);
        ends.push_back({x, k % 2 ? y1 : y2});
        ends.push_back({k % 5 == 0 ? x + 40 : x, k % 2 ? y2 : y1});
        if (k % 50 == 0) {
            ends.push_back({x, y1});
            ends.push_back({x, y1});
        }
    }
    auto image = [] {
        QImage picture(200, 120, QImage::Format_RGB32);
        picture.setDotsPerMeterX(3780);
        picture.setDotsPerMeterY(3780);
        picture.fill(Qt::white);
        return picture;
    };
    QImage batched = image();
    {
        QPainter painter(&batched);
        QPainterGraphSurface surface(painter, GraphSurface::Kind::Preview);
        surface.Lines(ends, Green);
    }
    QImage single = image();
    {
        QPainter painter(&single);
        QPainterGraphSurface surface(painter, GraphSurface::Kind::Preview);
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
            surface.Line(ends[i], ends[i + 1], Green);
    }
    EXPECT_TRUE(batched == single);
}

TEST_F(uclZelGraphTest, ArrowKeysMoveTheCursorAndTheReadout) {
    QTest::keyClick(w.picGraph(), Qt::Key_Right);
    EXPECT_EQ(w.Graph().CursorIndex(), 1.0f);
    QTest::keyClick(w.picGraph(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(w.Graph().CursorIndex(), 11.0f);
    EXPECT_EQ(w.CursorLineX(), TwipsToPixels(w.Graph().xPos(11 * Step)));
    EXPECT_TRUE(w.lblMsg()->text().startsWith(QStringLiteral("[12/09 00:11:00]")));
    QTest::keyClick(w.picGraph(), Qt::Key_Left);
    EXPECT_EQ(w.Graph().CursorIndex(), 10.0f);

    const int top = w.lblMsg()->y();
    QTest::keyClick(w.picGraph(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(w.lblMsg()->y(), top - 10);

    // The container sees the key first and may change it.
    int seen = 0;
    QObject::connect(&w, &uclZelGraph::KeyDown, [&seen](int& keyCode, int&) {
        seen = keyCode;
        keyCode = 0;
    });
    QTest::keyClick(w.picGraph(), Qt::Key_Left);
    EXPECT_EQ(seen, 37);
    EXPECT_EQ(w.Graph().CursorIndex(), 10.0f);
}

TEST_F(uclZelGraphTest, ClickMovesTheCursorAndReportsDrawingUnits) {
    double reportedX = -1;
    int reportedButton = 0;
    QObject::connect(&w, &uclZelGraph::MouseDown, [&](int& button, int&, double& x, double&) {
        reportedButton = button;
        reportedX = x;
    });
    QSignalSpy clicks(&w, &uclZelGraph::Click);
    const double t = 7 * Step + 20;  // between samples 7 and 8
    const QPoint at(TwipsToPixels(w.Graph().xPos(t)), 200);
    QTest::mouseClick(w.picGraph(), Qt::LeftButton, {}, at);
    EXPECT_EQ(reportedButton, 1);
    EXPECT_EQ(reportedX, at.x() * 15.0);
    EXPECT_EQ(w.Graph().CursorIndex(), 8.0f);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(w.picGraph()->hasFocus() || !w.isVisible());
}

TEST_F(uclZelGraphTest, ZoomShowsThePanBarAndPanningRepaints) {
    const int fullHeight = w.picGraph()->height();
    w.Zoom(3);
    w.Refresh();
    EXPECT_TRUE(w.hslWidth()->isVisibleTo(&w));
    EXPECT_EQ(w.hslWidth()->maximum(), 20);
    EXPECT_EQ(w.picGraph()->height(), fullHeight - w.hslWidth()->height() - 4);
    EXPECT_EQ(w.Graph().MaxX(), 9 * Step);

    w.hslWidth()->setValue(5);
    EXPECT_EQ(w.Graph().MinX(), 5 * Step);
    EXPECT_EQ(w.Graph().MaxX(), 15 * Step);
    // The cursor, left of the new view, moved onto its first sample.
    EXPECT_EQ(w.Graph().CursorIndex(), 5.0f);

    w.Zoom(1);
    w.Refresh();
    EXPECT_FALSE(w.hslWidth()->isVisibleTo(&w));
    EXPECT_EQ(w.picGraph()->height(), fullHeight);
}

TEST(uclZelGraphProperties, BagAndAppearance) {
    uclZelGraph w;
    EXPECT_EQ(w.WriteProperties(), (QVariantMap{{QStringLiteral("Enabled"), true},
                                                {QStringLiteral("Appearance"), 1},
                                                {QStringLiteral("BorderStyle"), 1}}));
    w.ReadProperties({{QStringLiteral("Enabled"), false}, {QStringLiteral("BorderStyle"), 0}});
    EXPECT_FALSE(w.Enabled());
    EXPECT_EQ(w.BorderStyle(), 0);
    EXPECT_EQ(w.Appearance(), 1);
    EXPECT_EQ(w.frameStyle(), QFrame::NoFrame);
    w.BackColor(RGB(240, 240, 240));
    EXPECT_EQ(w.Picture().pixelColor(0, 0), QColor(240, 240, 240));
}

TEST_F(uclZelGraphTest, PrintsOnAPdfPage) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        QPainter painter(&writer);
        QPainterGraphSurface page(painter, GraphSurface::Kind::Printer);
        ZelGraph& g = w.Graph();
        g.DrawObj(&page);
        g.SetDrawLeft(720);
        g.SetDrawTop(1440);
        g.SetDrawWidth(9000);
        g.SetDrawHeight(5000);
        g.TitleTop(QStringLiteral("Trend CH4"));
        g.Refresh();
        g.DrawObj(nullptr);
        EXPECT_EQ(page.UnitsPerDevicePixel(), 1440.0 / 600);
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("Trend CH4"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Sampling")));
    EXPECT_TRUE(out.contains(QStringLiteral("12/09 00:")));
    EXPECT_TRUE(out.contains(QStringLiteral("ALM")));
}

// Screenshots for a look by eye: set MT52_GRAPH_SHOTS to a folder.
TEST(uclZelGraphShots, WritesScreenshotsWhenAsked) {
    const QString folder = qEnvironmentVariable("MT52_GRAPH_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "MT52_GRAPH_SHOTS not set";
    const bool japanese = qEnvironmentVariable("LANG").startsWith(QStringLiteral("ja"));
    uclZelGraph w;
    w.resize(900, 520);
    ZelGraph& g = w.Graph();
    const Long colours[4] = {0x00FF00, 0xFF0000, 0x0000FF, 0xC000C0};
    const char* names[4] = {"CH4", "O2", "H2S", "CO"};
    const Single full[4] = {100, 25, 30, 300};
    for (int s = 0; s < 4; ++s)
        g.AddSample(QString::fromLatin1(names[s]), colours[s], QStringLiteral("##0.0"), full[s]);
    FillGraph(g, 3600, 10, [](int s, int i) {
        if (s == 1)
            return static_cast<Single>(20.9 - (i > 1500 && i < 1700 ? 2.5 : 0));
        if (i > 2400 && i < 2460)
            return GraphNoData;
        return static_cast<Single>((s + 1) * 8 + (s + 2) * 3 * std::sin(i / (150.0 + 50 * s)));
    });
    for (int s = 0; s < 4; ++s) {
        g.EventX(s, 0, Date(46000 + (1000 + 400 * s) * 10 / 86400.0));
        g.EventFlag(s, 0, japanese ? QStringLiteral("警報") : QStringLiteral("ALM"));
        g.EventCount(s, 1);
        g.EventVisible(s, true);
    }
    g.EventFlag(1000, 360, japanese ? QStringLiteral("アラーム") : QStringLiteral("Alarm"));
    g.EventVisible(1000, true);
    g.TitleBottom(japanese ? QStringLiteral("サンプリング日時: 2025/12/09 00:00:00 ～ 10:00:00")
                           : QStringLiteral("Sampling Date/Time: 2025/12/09 00:00:00 to 10:00:00"));
    g.CursorIndex(700);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.Refresh();
    const QString suffix = japanese ? QStringLiteral("ja") : QStringLiteral("en");
    ASSERT_TRUE(w.grab().save(QDir(folder).filePath(QStringLiteral("graph-%1.png").arg(suffix))));
    w.Zoom(4);
    w.Refresh();
    w.hslWidth()->setValue(900);
    w.picGraph()->setFocus();
    QTest::keyClick(w.picGraph(), Qt::Key_Right, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    ASSERT_TRUE(w.grab().save(QDir(folder).filePath(QStringLiteral("graph-zoom-%1.png").arg(suffix))));
}

}  // namespace
}  // namespace mt52
