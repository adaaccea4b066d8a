#include "printing/PrintTarget.h"

namespace mt52 {

void PrintTarget::Print(const QString& text, bool endLine) {
    DrawText(CurrentX, CurrentY, text);
    if (endLine) {
        CurrentX = 0;
        CurrentY += TextHeight(text);
    } else {
        CurrentX += TextWidth(text);
    }
}

void PrintTarget::Line(double x1, double y1, double x2, double y2, Long colour) {
    DrawLine(x1, y1, x2, y2, colour);
    CurrentX = x2;
    CurrentY = y2;
}

}  // namespace mt52
