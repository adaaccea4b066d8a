#pragma once
// A print target that keeps every text and line instead of drawing them, with fixed text
// metrics: a character is FontSize × 10 twips wide and a line FontSize × 20 twips high (9 points:
// 90 by 180). Tests of the reports read the pages back as numbers and texts.
#include "graph/RecordingGraphSurface.h"
#include "printing/PrintTarget.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace mt52 {

struct PrintedText {
    int page = 1;
    double x = 0;
    double y = 0;
    QString text;
    double fontSize = 0;
    bool bold = false;
    Long colour = 0;
    QString fontName;
};

struct PrintedLine {
    int page = 1;
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    double width = 1;
    Long colour = 0;
};

class RecordingPrintTarget final : public PrintTarget {
public:
    // A portrait A4 page by default: 11906 × 16838 twips, printable area 11340 × 16272.
    explicit RecordingPrintTarget(Kind kind = Kind::Printer, double scaleWidth = 11340, double scaleHeight = 16272,
                                  int orientation = Portrait);
    ~RecordingPrintTarget() override;
    RecordingPrintTarget(const RecordingPrintTarget&) = delete;
    RecordingPrintTarget& operator=(const RecordingPrintTarget&) = delete;

    Kind TargetKind() const override { return kind_; }
    double Width() const override { return scaleWidth_ + 566; }
    double Height() const override { return scaleHeight_ + 566; }
    double ScaleWidth() const override { return scaleWidth_; }
    double ScaleHeight() const override { return scaleHeight_; }
    int PageOrientation() const override { return orientation_; }
    double TextWidth(const QString& text) const override { return FontSize * 10 * text.size(); }
    double TextHeight(const QString&) const override { return FontSize * 20; }
    void NewPage() override;
    void EndDoc() override { ++endDocs; }
    GraphSurface& Graph() override;

    std::vector<PrintedText> texts;
    std::vector<PrintedLine> lines;
    int pages = 1;
    int endDocs = 0;
    // Called as the target is dropped (a job owns its target), so a test keeps what it holds.
    std::function<void(const RecordingPrintTarget&)> closed;

    // The texts of one page in printing order.
    QStringList TextsOn(int page) const;
    // The texts printed at one height of a page, left to right (a table row).
    QStringList RowAt(int page, double y) const;
    // The first text stroke with exactly this text, or nullptr.
    const PrintedText* Find(const QString& text) const;
    // The graph surface, when a graph was drawn.
    const RecordingGraphSurface* GraphDrawn() const { return graph_.get(); }

protected:
    void DrawText(double x, double y, const QString& text) override;
    void DrawLine(double x1, double y1, double x2, double y2, Long colour) override;

private:
    Kind kind_;
    double scaleWidth_;
    double scaleHeight_;
    int orientation_;
    std::unique_ptr<RecordingGraphSurface> graph_;
};

}  // namespace mt52
