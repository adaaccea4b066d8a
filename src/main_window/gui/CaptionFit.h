#pragma once
// Keeps the captions of a page readable whatever the font and the language: a label, check
// box, option button or push button whose text is wider than its design width grows to the
// right as far as the next control (or its container's edge) allows, and a push button of a row
// of touching buttons also takes the free room left of the row, the row moving with it; a caption
// that still does not fit, or a frame title wider than its control, is shortened with "…" and
// shows its full text as a tool tip. A caption taller than its control grows about its middle. Only captions set
// through SetCaption are fitted: they remember their full text and their design size.
#include <QRect>
#include <QString>

class QWidget;

namespace mt52 {

// Fits every caption under `page`; run after the page's texts are set and after every layout.
void FitCaptions(QWidget* page);

// The full text of a caption set through SetCaption (its shown text may be shortened).
QString FullCaption(const QWidget* control);

// Where a control's caption is drawn, in the control's coordinates (its text's advance and
// line height, placed as the control places it); an empty rectangle for a control without one.
QRect CaptionRect(const QWidget* control);

}  // namespace mt52
