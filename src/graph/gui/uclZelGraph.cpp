#include "graph/gui/uclZelGraph.h"

#include "platform/Twips.h"
#include "platform/gui/QtUserDialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace mt52 {

namespace {

// The gap between the picture and the pan bar below it.
constexpr double PanBarGapTwips = 60;

int ShiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int ButtonCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

// The classic key codes: arrows 37 to 40, letters and digits as their upper-case character.
int KeyCodeOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: return qtKey >= 0x20 && qtKey < 0x7F ? qtKey : 0;
    }
}

}  // namespace

// The picture box: shows the drawn picture with the cursor line over it and passes every key,
// click and focus change to the control.
class GraphCanvas final : public QWidget {
public:
    explicit GraphCanvas(uclZelGraph& owner) : QWidget(&owner), owner_(owner) {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, owner_.picture_.Image());
        if (owner_.cursorVisible_ && owner_.cursorPlaced_) {
            QPen pen(ToQColor(owner_.cursorColor_));
            pen.setStyle(hasFocus() ? Qt::SolidLine : Qt::DotLine);
            p.setPen(pen);
            const CursorPlacement& c = owner_.cursor_;
            const int x = TwipsToPixels(c.lineX);
            p.drawLine(x, TwipsToPixels(c.lineTop), x, TwipsToPixels(c.lineBottom));
        }
    }
    void focusInEvent(QFocusEvent* e) override {
        QWidget::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent* e) override {
        QWidget::focusOutEvent(e);
        update();
    }
    // The arrows move the cursor here rather than the focus.
    bool focusNextPrevChild(bool) override { return false; }
    void keyPressEvent(QKeyEvent* e) override {
        owner_.CanvasKeyDown(KeyCodeOf(e->key()), ShiftState(e->modifiers()));
        if (!e->text().isEmpty()) {
            int ascii = e->text().at(0).unicode();
            emit owner_.KeyPress(ascii);
        }
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        int code = KeyCodeOf(e->key());
        int shift = ShiftState(e->modifiers());
        emit owner_.KeyUp(code, shift);
    }
    void mousePressEvent(QMouseEvent* e) override {
        setFocus(Qt::MouseFocusReason);
        int button = ButtonCode(e->button());
        int shift = ShiftState(e->modifiers());
        double x = PixelsToTwips(e->position().x());
        double y = PixelsToTwips(e->position().y());
        emit owner_.MouseDown(button, shift, x, y);
        owner_.graph_.MouseDown(x);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        int button = ButtonCode(e->buttons());
        int shift = ShiftState(e->modifiers());
        double x = PixelsToTwips(e->position().x());
        double y = PixelsToTwips(e->position().y());
        emit owner_.MouseMove(button, shift, x, y);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        int button = ButtonCode(e->button());
        int shift = ShiftState(e->modifiers());
        double x = PixelsToTwips(e->position().x());
        double y = PixelsToTwips(e->position().y());
        emit owner_.MouseUp(button, shift, x, y);
        if (rect().contains(e->position().toPoint()))
            emit owner_.Click();
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QWidget::mouseDoubleClickEvent(e);
        emit owner_.DblClick();
    }

private:
    uclZelGraph& owner_;
};

uclZelGraph::uclZelGraph(QWidget* parent)
    : QFrame(parent),
      graph_(this),
      picGraph_(new GraphCanvas(*this)),
      hslWidth_(new QScrollBar(Qt::Horizontal, this)),
      lblMsg_(new QLabel(picGraph_)) {
    hslWidth_->hide();
    connect(hslWidth_, &QScrollBar::valueChanged, this, [this](int value) { graph_.PanTo(value); });
    lblMsg_->setTextFormat(Qt::PlainText);
    lblMsg_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblMsg_->hide();
    picture_.BackColor = 0xFFFFFF;
    picture_.Cls();
    Font(QFont(QStringLiteral("Liberation Sans"), 9));
    ApplyFrame();
}

uclZelGraph::~uclZelGraph() = default;

QWidget* uclZelGraph::picGraph() const { return picGraph_; }

void uclZelGraph::ApplyFrame() {
    if (borderStyle_ == 0)
        setFrameStyle(QFrame::NoFrame);
    else
        setFrameStyle(appearance_ == 0 ? (QFrame::Box | QFrame::Plain) : (QFrame::Panel | QFrame::Sunken));
}

void uclZelGraph::Appearance(int value) {
    appearance_ = value;
    ApplyFrame();
}

void uclZelGraph::BorderStyle(int value) {
    borderStyle_ = value;
    ApplyFrame();
}

Long uclZelGraph::BackColor() const { return picture_.BackColor; }

void uclZelGraph::BackColor(Long colour) {
    picture_.BackColor = colour;
    picture_.Cls();
    graph_.Paint();
    picGraph_->update();
}

void uclZelGraph::CursorColor(Long colour) {
    cursorColor_ = colour;
    picGraph_->update();
}

void uclZelGraph::CursorVisible(bool visible) {
    cursorVisible_ = visible;
    lblMsg_->setVisible(visible && cursorPlaced_);
    picGraph_->update();
}

QFont uclZelGraph::Font() const { return lblMsg_->font(); }

void uclZelGraph::Font(const QFont& font) {
    picture_.BaseFont(font);
    lblMsg_->setFont(font);
}

const QImage& uclZelGraph::Picture() { return picture_.Image(); }

void uclZelGraph::Cls() {
    picture_.Cls();
    picGraph_->update();
}

void uclZelGraph::MousePointer(int pointer) {
    mousePointer_ = pointer;
    switch (pointer) {
    case 1: picGraph_->setCursor(Qt::ArrowCursor); break;
    case 2: picGraph_->setCursor(Qt::CrossCursor); break;
    case 3: picGraph_->setCursor(Qt::IBeamCursor); break;
    case 11: picGraph_->setCursor(Qt::WaitCursor); break;
    case 99: picGraph_->setCursor(mouseIcon_); break;
    default: picGraph_->unsetCursor(); break;
    }
}

void uclZelGraph::MouseIcon(const QCursor& icon) {
    mouseIcon_ = icon;
    if (mousePointer_ == 99)
        picGraph_->setCursor(icon);
}

void uclZelGraph::PopupMenu(QMenu* menu, int, double x, double y, QAction* defaultMenu) {
    if (!menu)
        return;
    const QPoint at = x < 0 || y < 0 ? QCursor::pos()
                                     : picGraph_->mapToGlobal(QPoint(TwipsToPixels(x), TwipsToPixels(y)));
    if (defaultMenu)
        menu->setDefaultAction(defaultMenu);
    menu->exec(at);
}

void uclZelGraph::ReadProperties(const QVariantMap& bag) {
    setEnabled(bag.value(QStringLiteral("Enabled"), true).toBool());
    appearance_ = bag.value(QStringLiteral("Appearance"), 1).toInt();
    borderStyle_ = bag.value(QStringLiteral("BorderStyle"), 1).toInt();
    ApplyFrame();
}

QVariantMap uclZelGraph::WriteProperties() const {
    return {{QStringLiteral("Enabled"), isEnabled()},
            {QStringLiteral("Appearance"), appearance_},
            {QStringLiteral("BorderStyle"), borderStyle_}};
}

int uclZelGraph::CursorLineX() const { return TwipsToPixels(cursor_.lineX); }

bool uclZelGraph::CursorLineSolid() const { return picGraph_->hasFocus(); }

void uclZelGraph::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect inner = contentsRect();
    picGraph_->setGeometry(inner);
    picture_.Resize(inner.size());
    PlacePanBar();
    graph_.Paint();
    picGraph_->update();
}

void uclZelGraph::FitScreenSurface(bool roomForPanBar) {
    const QRect inner = contentsRect();
    int height = inner.height();
    if (roomForPanBar)
        height -= hslWidth_->sizeHint().height() + TwipsToPixels(PanBarGapTwips);
    picGraph_->setGeometry(inner.left(), inner.top(), inner.width(), std::max(height, 1));
    picture_.Resize(picGraph_->size());
    PlacePanBar();
}

void uclZelGraph::PlacePanBar() {
    const QRect inner = contentsRect();
    const int h = hslWidth_->sizeHint().height();
    hslWidth_->setGeometry(inner.left(), inner.top() + inner.height() - h - TwipsToPixels(PanBarGapTwips),
                           inner.width(), h);
}

void uclZelGraph::PanBarChanged(const PanBar& bar) {
    const QSignalBlocker block(hslWidth_);
    hslWidth_->setRange(bar.min, std::max(bar.min, bar.max));
    hslWidth_->setPageStep(std::max(1, bar.largeChange));
    hslWidth_->setSingleStep(bar.smallChange);
    hslWidth_->setValue(bar.value);
    PlacePanBar();
    hslWidth_->setVisible(bar.visible);
}

void uclZelGraph::PlaceCursor(const CursorPlacement& placement) {
    cursor_ = placement;
    cursorPlaced_ = true;
    QString caption = placement.caption;
    caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lblMsg_->setText(caption);
    lblMsg_->adjustSize();
    const int lineX = TwipsToPixels(placement.lineX);
    const int gap = 2;
    const int left = placement.labelRightOfLine ? lineX + gap : lineX - lblMsg_->width() - gap;
    lblMsg_->move(left, TwipsToPixels(placement.labelBottom) - lblMsg_->height());
    lblMsg_->setVisible(cursorVisible_);
    picGraph_->update();
}

void uclZelGraph::ScreenPainted() {
    picture_.End();
    picGraph_->update();
}

void uclZelGraph::CanvasKeyDown(int keyCode, int shift) {
    emit KeyDown(keyCode, shift);
    graph_.KeyDown(keyCode, shift, picture_.ScaleHeight() / TwipsPerPixel);
}

}  // namespace mt52
