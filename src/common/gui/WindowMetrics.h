#pragma once
// A window's client size in twips, a control placed in twips, and the common font applied to a
// control's font.
#include "platform/FontSpec.h"
#include "platform/Twips.h"
#include "platform/Types.h"

#include <QFont>
#include <optional>

class QPushButton;
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

// Shows `full` on the button, or, when the button is too narrow for it, the text shortened with
// "…" and the whole text as the button's tool tip.
void FitButtonCaption(QPushButton& button, const QString& full);

// Gives the windows the program does not build itself (file dialogs, message boxes, the font and
// colour dialogs, drop-down lists) the common font, as the application's font, for as long as
// the object lives; the former application font comes back when it goes.
class ApplicationFont {
public:
    ApplicationFont() = default;
    ApplicationFont(const ApplicationFont&) = delete;
    ApplicationFont& operator=(const ApplicationFont&) = delete;
    ~ApplicationFont();
    void Use(const FontSpec& source);

private:
    std::optional<QFont> former_;
};

}  // namespace mt52
