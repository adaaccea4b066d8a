#include "common/ResText.h"

#include <QtGlobal>
#include <array>

namespace mt52 {

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool IsLineBreakMark(QChar c) { return c == u'c' || c == u'C'; }
bool IsTabMark(QChar c) { return c == u't' || c == u'T'; }

// Argument text: only its line-break and tab marks are expanded; every other "~" stays as it is.
QString ExpandArgument(const Variant& value) {
    const QString text = value.isNull() ? QStringLiteral("Null") : value.toString();
    if (!text.contains(u'~'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c == u'~' && IsLineBreakMark(next)) {
            out += CrLf;
            ++i;
        } else if (c == u'~' && IsTabMark(next)) {
            out += u'\t';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

QString ExpandResText(const QString& text, const QList<Variant>& args) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'~') {
            out += c;
            continue;
        }
        if (i + 1 == text.size())
            break;  // a "~" without a second character is dropped
        const QChar mark = text[++i];
        if (IsLineBreakMark(mark)) {
            out += CrLf;
        } else if (IsTabMark(mark)) {
            out += u'\t';
        } else if (mark >= u'0' && mark <= u'9') {
            const int n = mark.unicode() - u'0';
            if (n >= 1 && n <= args.size())
                out += ExpandArgument(args[n - 1]);
        }
        // any other character is removed together with its "~"
    }
    out.replace(QStringLiteral("VR-6000"), QStringLiteral("MT-52"));
    return out;
}

QString GetResText(int id, const QList<Variant>& args) {
    const StringTable& table = TextTables::instance().table(InterfaceLanguage());
    if (!table.contains(id)) {
        qWarning("GetResText: text %d is not in the string table", id);
        return QString();
    }
    return ExpandResText(table.text(id), args);
}

QString InstGlyphToText(const QString& text) {
    // Replacements of the half-width katakana U+FF61..U+FF9F that carry the instrument's
    // symbols; nullptr where the character stays as it is.
    static const std::array<const char16_t*, 0x3F> glyphs = [] {
        std::array<const char16_t*, 0x3F> g{};
        const auto set = [&g](char16_t code, const char16_t* to) { g[code - 0xFF61] = to; };
        set(0xFF65, u"\u0080");
        set(0xFF67, u"\u03B1");  // alpha
        set(0xFF71, u"3");
        set(0xFF72, u"in");
        set(0xFF73, u"4");
        set(0xFF74, u"5");
        set(0xFF75, u"6");
        set(0xFF78, u"\u2585");  // lower five eighths block
        set(0xFF7C, u"\u03B8");  // theta
        set(0xFF7E, u"\u2588");  // full block
        set(0xFF83, u"\u0394");  // capital delta
        set(0xFF87, u"1");
        set(0xFF8C, u"2");
        set(0xFF8D, u"\u03B2");  // beta
        set(0xFF8E, u"v");
        set(0xFF94, u"7");
        set(0xFF95, u"8");
        set(0xFF96, u"9");
        set(0xFF97, u"\u03BB");  // lambda
        set(0xFF99, u"ol");
        set(0xFF9B, u"\u2585");
        set(0xFF9C, u"0");
        set(0xFF9F, u"\u00B0");  // degree
        return g;
    }();
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const char16_t* to = (u >= 0xFF61 && u <= 0xFF9F) ? glyphs[u - 0xFF61] : nullptr;
        if (to)
            out += QString::fromUtf16(to);
        else
            out += c;
    }
    return out;
}

Language LanguageFromLocale(const QString& lcAll, const QString& lcMessages, const QString& lang) {
    for (const QString* value : {&lcAll, &lcMessages, &lang}) {
        if (!value->isEmpty())
            return value->startsWith(QLatin1String("ja")) ? Language::Japanese : Language::English;
    }
    return Language::English;
}

Language InterfaceLanguage() { return TextTables::instance().language(); }
void SetInterfaceLanguage(Language language) { TextTables::instance().forceLanguage(language); }
void ResetInterfaceLanguage() { TextTables::instance().forceLanguage(std::nullopt); }

TextTables& TextTables::instance() {
    static TextTables tables;
    return tables;
}

const StringTable& TextTables::table(Language language) {
    std::unique_ptr<StringTable>& slot = language == Language::Japanese ? japanese_ : english_;
    if (!slot) {
        const QString path = language == Language::Japanese ? QStringLiteral(":/strings_ja.txt")
                                                            : QStringLiteral(":/strings_en.txt");
        QStringList problems;
        slot = std::make_unique<StringTable>(StringTable::Load(path, &problems));
        for (const QString& problem : problems)
            qWarning("String table %s: %s", qUtf8Printable(path), qUtf8Printable(problem));
    }
    return *slot;
}

Language TextTables::language() {
    if (forced_)
        return *forced_;
    if (!detected_)
        detected_ = LanguageFromLocale(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
                                       qEnvironmentVariable("LANG"));
    return *detected_;
}

void TextTables::reset() {
    english_.reset();
    japanese_.reset();
    forced_.reset();
    detected_.reset();
}

}  // namespace mt52
