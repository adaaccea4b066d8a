#pragma once
// A font as the program keeps it (the common font of every window), without the GUI library.
#include <QString>

namespace mt52 {

struct FontSpec {
    QString name = QStringLiteral("Liberation Sans");
    double size = 9.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;
    int weight = 400;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

}  // namespace mt52
