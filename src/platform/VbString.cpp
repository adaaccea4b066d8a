#include "platform/VbString.h"

#include "platform/RuntimeError.h"

namespace mt52 {

QString Mid(const QString& text, int start, int length) {
    if (start < 1)
        Raise(ErrInvalidArgument, QStringLiteral("Mid start %1").arg(start));
    if (start > text.size())
        return QString();
    return length < 0 ? text.mid(start - 1) : text.mid(start - 1, length);
}

QString Left(const QString& text, int length) {
    if (length < 0)
        Raise(ErrInvalidArgument, QStringLiteral("Left length %1").arg(length));
    return text.left(length);
}

QString Right(const QString& text, int length) {
    if (length < 0)
        Raise(ErrInvalidArgument, QStringLiteral("Right length %1").arg(length));
    return text.right(length);
}

int InStr(int start, const QString& text, const QString& find) {
    if (start < 1)
        Raise(ErrInvalidArgument, QStringLiteral("InStr start %1").arg(start));
    if (start > text.size() + 1)
        return 0;
    if (find.isEmpty())
        return start;
    const auto pos = text.indexOf(find, start - 1);
    return pos < 0 ? 0 : static_cast<int>(pos) + 1;
}

int InStrRev(const QString& text, const QString& find) {
    const auto pos = text.lastIndexOf(find);
    return pos < 0 ? 0 : static_cast<int>(pos) + 1;
}

QString LTrim(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

QString RTrim(const QString& text) {
    auto n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

QString Trim(const QString& text) { return LTrim(RTrim(text)); }

QString StringOf(int count, QChar ch) { return count <= 0 ? QString() : QString(count, ch); }

QString PadRight(const QString& text, int width) {
    if (text.size() >= width)
        return text.left(width);
    return text + QString(width - text.size(), u' ');
}

}  // namespace mt52
