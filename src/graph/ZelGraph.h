#pragma once
// The trend graph control without its widgets: series, events, time axis, view range, zoom and
// pan bar, cursor and the whole paint, drawn through GraphSurface. Containers fill it through its
// members and call Refresh; it never reads records, files or settings itself.
//
// The control's own screen picture, its pan bar, cursor line and read-out label belong to a host
// (the widget, or a test fake). Without a host the graph draws only on a DrawObj it is given.
#include "graph/GraphLayout.h"
#include "graph/GraphPainter.h"
#include "graph/GraphStore.h"

namespace mt52 {

// The pan bar's numbers; it counts in samples, its value being the first visible sample.
struct PanBar {
    bool visible = false;
    int min = 0;
    int max = 0;
    int largeChange = 1;
    int smallChange = 1;
    int value = 0;
};

class GraphHost {
public:
    virtual ~GraphHost() = default;
    // The control's own picture (the default drawing target) and clearing it.
    virtual GraphSurface& ScreenSurface() = 0;
    // Sizes the picture to the control's inner area, less the pan bar and a gap of 60 when the
    // pan bar takes room.
    virtual void FitScreenSurface(bool roomForPanBar) = 0;
    virtual bool DesignTime() const { return false; }
    // The pan bar's numbers changed (the host shows them without running PanTo).
    virtual void PanBarChanged(const PanBar& bar) = 0;
    // Moves the cursor line and the read-out label.
    virtual void PlaceCursor(const CursorPlacement& placement) = 0;
    // A paint on the screen picture has finished.
    virtual void ScreenPainted() {}
};

class ZelGraph {
public:
    explicit ZelGraph(GraphHost* host = nullptr, int sampleCapacity = GraphMaxSamples + 1);
    ZelGraph(const ZelGraph&) = delete;
    ZelGraph& operator=(const ZelGraph&) = delete;

    int MaxSamples() const { return store_.SampleCapacity() - 1; }
    int MaxEvents() const { return GraphMaxEvents; }

    // Series and their values.
    int AddSample(const QString& name, Long colour = 0, const QString& format = {}, Single fullScale = 10) {
        return store_.AddSample(name, colour, format, fullScale);
    }
    // Empties series, events and the event track; SampleCount, CursorIndex and ReadoutOffset
    // become 0. The time axis, view range, zoom and titles stay; nothing is repainted.
    void Clear();
    int SampleDataCount() const { return store_.SampleDataCount(); }
    void SampleDataCount(int) {}
    QString ValueName(int index) const { return store_.ValueName(index); }
    void ValueName(int index, const QString& name) { store_.ValueName(index, name); }
    Long ValueColor(int index) const { return store_.ValueColor(index); }
    void ValueColor(int index, Long colour) { store_.ValueColor(index, colour); }
    QString FormatY(int series = 0) const { return store_.FormatY(series); }
    void FormatY(int series, const QString& format) { store_.FormatY(series, format); }
    bool SampleVisible(int series) const { return store_.SampleVisible(series); }
    void SampleVisible(int series, bool visible) { store_.SampleVisible(series, visible); }
    Single MinY(int series = 0) const { return store_.MinY(series); }
    void MinY(int series, Single value) { store_.MinY(series, value); }
    Single MaxY(int series = 0) const { return store_.MaxY(series); }
    void MaxY(int series, Single value) { store_.MaxY(series, value); }
    Single PosYStp(int series = 0) const { return store_.PosYStp(series); }
    void PosYStp(int, Single) {}
    Single valueY(int series, int sample) const { return store_.valueY(series, sample); }
    void valueY(int series, int sample, Single value) { store_.valueY(series, sample, value); }

    // Time axis.
    Date valueX(int sample) const { return store_.valueX(sample); }
    void valueX(int sample, Date date) { store_.valueX(sample, date); }
    Date DataX(int sample) const { return store_.valueX(sample); }
    void DataX(int sample, Date date) { store_.DataX(sample, date); }
    int SampleCount() const { return store_.SampleCount(); }
    void SampleCount(int count) { store_.SampleCount(count); }

    // Event marks and the event track (a series index at or beyond the spare slot, e.g. 1000).
    Date EventX(int series, int number) const { return store_.EventX(series, number); }
    void EventX(int series, int number, Date date) { store_.EventX(series, number, date); }
    int EventCount(int series) const { return store_.EventCount(series); }
    void EventCount(int series, int count) { store_.EventCount(series, count); }
    QString EventFlag(int series, int index) const { return store_.EventFlag(series, index); }
    void EventFlag(int series, int index, const QString& text) { store_.EventFlag(series, index, text); }
    bool EventVisible(int series) const { return store_.EventVisible(series); }
    void EventVisible(int series, bool visible) { store_.EventVisible(series, visible); }

    // View and appearance.
    Single MinX() const { return frame_.minX; }
    void MinX(Single seconds) { frame_.minX = seconds; }
    Single MaxX() const { return frame_.maxX; }
    void MaxX(Single seconds) { frame_.maxX = seconds; }
    QString FormatX() const { return frame_.formatX; }
    void FormatX(const QString& format) { frame_.formatX = format; }
    QString ScaleXFormat() const { return frame_.formatX; }
    void ScaleXFormat(const QString& format) { frame_.formatX = format; }
    Single PosXStp() const { return frame_.posXStp; }
    void PosXStp(Single) {}
    QString TitleTop() const { return frame_.titleTop; }
    void TitleTop(const QString& title) { frame_.titleTop = title; }
    QString TitleBottom() const { return frame_.titleBottom; }
    void TitleBottom(const QString& title) { frame_.titleBottom = title; }
    Long ScaleColor() const { return frame_.scaleColor; }
    void ScaleColor(Long colour) { frame_.scaleColor = colour; }
    Single DrawLineWidth() const { return frame_.drawLineWidth; }
    void DrawLineWidth(Single width) { frame_.drawLineWidth = width; }
    Single ScaleLineWidth() const { return frame_.scaleLineWidth; }
    void ScaleLineWidth(Single width) { frame_.scaleLineWidth = width; }
    Single SetDrawLeft() const { return frame_.drawLeft; }
    void SetDrawLeft(Single v) { frame_.drawLeft = v; }
    Single SetDrawTop() const { return frame_.drawTop; }
    void SetDrawTop(Single v) { frame_.drawTop = v; }
    Single SetDrawWidth() const { return frame_.drawWidth; }
    void SetDrawWidth(Single v) { frame_.drawWidth = v; }
    Single SetDrawHeight() const { return frame_.drawHeight; }
    void SetDrawHeight(Single v) { frame_.drawHeight = v; }
    bool TestDisp() const { return false; }
    void TestDisp(bool) {}
    bool AutoRedraw() const { return autoRedraw_; }
    void AutoRedraw(bool on) { autoRedraw_ = on; }

    // The drawing target; nullptr is the control's own picture. The target must outlive its use.
    GraphSurface* DrawObj() const { return drawObj_; }
    void DrawObj(GraphSurface* target) { drawObj_ = target; }
    double CurrentX() const;
    double CurrentY() const;
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    // Layout values of the last paint and the mappings they give.
    const GraphFrame& Frame() const { return frame_; }
    double xPos(double seconds) const { return layout_.xPos(seconds); }
    double yPos(double value, int series = 0) const { return layout_.yPos(value, series); }
    double xData(double x) const { return layout_.xData(x); }
    double yData(double y, int series = 0) const { return layout_.yData(y, series); }
    int FindSampleIndex(double seconds) const { return layout_.FindSampleIndex(seconds); }
    const GraphStore& Store() const { return store_; }

    // Repaints now on the drawing target.
    void Refresh();
    // Lays the graph out on a printer or preview target with its drawing rectangle, without
    // drawing, and answers where its value scales right of the plot end (in twips).
    double ValueScalesRight(const GraphSurface& target);
    // The paint handler: runs on the picture's own paint and resize events when AutoRedraw is on,
    // and from Refresh.
    void Paint();

    // Zoom: ignored with fewer than 2 samples; shows the first 1/factor of the samples and sets the
    // pan bar up. Nothing is repainted.
    int Zoom() const { return frame_.zoom; }
    void Zoom(int factor);
    const PanBar& Pan() const { return pan_; }
    // The pan bar moved to the first visible sample `value`: shows that window and repaints.
    void PanTo(int value);

    // Cursor.
    Single CursorIndex() const { return cursorIndex_; }
    void CursorIndex(Single index) { cursorIndex_ = index; }
    Single ReadoutOffset() const { return readoutOffset_; }
    const CursorPlacement& Cursor() const { return cursor_; }
    // Left, Up, Right, Down (37 to 40) move the cursor or the read-out, 10 steps with Shift (bit 1).
    // heightPixels bounds the read-out's offset. Returns whether a key acted.
    bool KeyDown(int keyCode, int shift, double heightPixels);
    // A click at drawing x: the cursor goes to the first sample after the time under it.
    void MouseDown(double x);
    // The nearest event mark to a click at (seconds, drawing y), within 1/40 of the view's time
    // span and 180 from its label row; date 0 and "" when there is none.
    void SearchEvent(double seconds, double y, Date& eventDate, QString& eventName) const;

private:
    GraphSurface* Target() const;
    void UpdateCursorReadout();
    void LoadTestPattern();

    GraphHost* host_;
    GraphStore store_;
    GraphFrame frame_;
    GraphLayout layout_;
    GraphPainter painter_;
    PanBar pan_;
    CursorPlacement cursor_;
    GraphSurface* drawObj_ = nullptr;
    bool autoRedraw_ = true;
    bool paintRequested_ = false;
    Single cursorIndex_ = 0;
    Single readoutOffset_ = 0;
};

}  // namespace mt52
