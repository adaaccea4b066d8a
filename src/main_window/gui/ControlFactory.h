#pragma once
// Creates the window's controls at their design places: each control is named as the layouts
// know it and placed in twips inside its container, which owns it. Captions come from the
// string table and are shown as they stand.
#include "main_window/LayoutState.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QLabel;

namespace mt52 {

template <typename W>
W* MakeControl(QWidget* parent, const QString& name, double left, double top, double width, double height) {
    W* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
    return widget;
}

// An inner frame without a border, centred in its container.
QFrame* MakeInnerFrame(QWidget* parent, const QString& name, double width, double height);

// "&" in a caption is no shortcut marker here.
void SetCaption(QAbstractButton* control, const QString& text);
void SetCaption(QGroupBox* frame, const QString& text);
// A label keeps its design width unless its text needs more.
void SetCaption(QLabel* label, const QString& text);
// The caption of text `id` of the string table.
void SetCaptionId(QAbstractButton* control, int id);
void SetCaptionId(QGroupBox* frame, int id);
void SetCaptionId(QLabel* label, int id);

// A page of the main window: a titled frame at the pages' common place, named "fraMenuN" after
// its index. The page classes derive from it and own their controls.
class PageFrame : public QGroupBox {
public:
    PageFrame(QWidget* window, int index);
    // Sets every caption of the page from the string table.
    virtual void SetUiTexts() = 0;
};

}  // namespace mt52
