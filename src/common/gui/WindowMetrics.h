#pragma once
// A window's client size in twips, a control placed in twips, and the common font applied to a
// control's font.
#include "platform/FontSpec.h"
#include "platform/Twips.h"
#include "platform/Types.h"

#include <QFont>

class QWidget;

namespace mt52 {

// The client area of the window (inside its frame) in twips, each side rounded to the nearest.
void GetClientSizeTwips(const QWidget& window, Long& width, Long& height);

// Moves and sizes a control to a place given in twips.
void PlaceTwips(QWidget& widget, const TwipRect& place);

// Copies bold, italic, name, size, strikethrough, underline and weight of the source onto the
// target. The bold flag decides when the weight disagrees with it (a font read from the
// settings file carries the flag only). A size that is not positive leaves the target's size.
void ApplyCommonFont(QFont& target, const FontSpec& source);

// ApplyCommonFont on the font of the window and of every widget inside it.
void ApplyCommonFontToAll(QWidget& window, const FontSpec& source);

}  // namespace mt52
