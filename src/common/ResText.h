#pragma once
// Every visible text comes from the bilingual string table by id.
#include "platform/Variant.h"

#include <QList>
#include <QString>

namespace mt52 {

// The text of `id` in the interface language with its markers expanded: "~c" a line break
// (CR LF), "~t" a tab, "~1".."~9" the arguments (argument 1 is args[0]); "VR-6000" shows as "MT-52".
QString GetResText(int id, const QList<Variant>& args = {});

// The instrument's glyph codes in gas names and units replaced by readable characters.
QString InstGlyphToText(const QString& text);

}  // namespace mt52
