#include "common/ResText.h"

// Placeholder until the string tables exist: every id reads as an empty text.
namespace mt52 {

QString GetResText(int, const QList<Variant>&) { return QString(); }
QString InstGlyphToText(const QString& text) { return text; }

}  // namespace mt52
