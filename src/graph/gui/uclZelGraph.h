#pragma once
// The trend graph control: the graph (ZelGraph) drawn on its own picture, with the pan bar
// hslWidth, the cursor line linCursor and the read-out lblMsg. Containers fill the graph through
// Graph() and call Refresh(); to print, they point Graph().DrawObj at a QPainterGraphSurface on the
// printer page, set the drawing rectangle and call Refresh().
//
// Mouse positions in the events are in drawing units of the picture (twips), as xData expects.
#include "graph/ZelGraph.h"
#include "graph/gui/QPainterGraphSurface.h"

#include <QFrame>
#include <QVariantMap>

class QLabel;
class QMenu;
class QScrollBar;

namespace mt52 {

class GraphCanvas;

class uclZelGraph : public QFrame, private GraphHost {
    Q_OBJECT
public:
    explicit uclZelGraph(QWidget* parent = nullptr);
    ~uclZelGraph() override;

    ZelGraph& Graph() { return graph_; }
    const ZelGraph& Graph() const { return graph_; }

    // Repaints the graph now; the zoom factor with its pan bar (the container then refreshes).
    void Refresh() { graph_.Refresh(); }
    void Zoom(int factor) { graph_.Zoom(factor); }
    // Clears the picture to its background.
    void Cls();

    // 0 flat, 1 three-dimensional; 0 no border, 1 fixed single.
    int Appearance() const { return appearance_; }
    void Appearance(int value);
    int BorderStyle() const { return borderStyle_; }
    void BorderStyle(int value);
    // Background of the picture; takes effect at once.
    Long BackColor() const;
    void BackColor(Long colour);
    Long CursorColor() const { return cursorColor_; }
    void CursorColor(Long colour);
    // Shows or hides the cursor line and its read-out together.
    bool CursorVisible() const { return cursorVisible_; }
    void CursorVisible(bool visible);
    bool Enabled() const { return isEnabled(); }
    void Enabled(bool enabled) { setEnabled(enabled); }
    // The drawing font; its size and boldness are those the graph starts each paint with.
    QFont Font() const;
    void Font(const QFont& font);
    // The drawn graph as an image, without the cursor line and read-out.
    const QImage& Picture();
    // 0 the default pointer, 1 arrow, 2 cross, 3 I-beam, 11 hourglass, 99 the MouseIcon.
    int MousePointer() const { return mousePointer_; }
    void MousePointer(int pointer);
    QCursor MouseIcon() const { return mouseIcon_; }
    void MouseIcon(const QCursor& icon);
    // Shows a pop-up menu at (x, y) in drawing units of the picture.
    void PopupMenu(QMenu* menu, int flags = 0, double x = -1, double y = -1, QAction* defaultMenu = nullptr);

    // The property bag: "Enabled", "Appearance", "BorderStyle".
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;

    // Children, for the container and for tests.
    QWidget* picGraph() const;
    QScrollBar* hslWidth() const { return hslWidth_; }
    QLabel* lblMsg() const { return lblMsg_; }
    // The cursor line's x in picture pixels and whether it is drawn solid (the picture has focus).
    int CursorLineX() const;
    bool CursorLineSolid() const;

signals:
    void Click();
    void DblClick();
    // Raised before the control acts on the key or click; a handler may change the arguments.
    void KeyDown(int& keyCode, int& shift);
    void KeyPress(int& keyAscii);
    void KeyUp(int& keyCode, int& shift);
    void MouseDown(int& button, int& shift, double& x, double& y);
    void MouseMove(int& button, int& shift, double& x, double& y);
    void MouseUp(int& button, int& shift, double& x, double& y);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class GraphCanvas;

    // GraphHost
    GraphSurface& ScreenSurface() override { return picture_; }
    void FitScreenSurface(bool roomForPanBar) override;
    void PanBarChanged(const PanBar& bar) override;
    void PlaceCursor(const CursorPlacement& placement) override;
    void ScreenPainted() override;

    void PlacePanBar();
    void ApplyFrame();
    void CanvasKeyDown(int keyCode, int shift);

    GraphPicture picture_;
    ZelGraph graph_;
    GraphCanvas* picGraph_;
    QScrollBar* hslWidth_;
    QLabel* lblMsg_;
    int appearance_ = 1;
    int borderStyle_ = 1;
    Long cursorColor_ = 0;
    bool cursorVisible_ = true;
    int mousePointer_ = 0;
    QCursor mouseIcon_;
    CursorPlacement cursor_;
    bool cursorPlaced_ = false;
};

}  // namespace mt52
