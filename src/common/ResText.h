#pragma once
// Every visible text comes from the bilingual string table by id.
#include "common/StringTable.h"
#include "platform/Variant.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace mt52 {

// The text of `id` in the interface language with its markers expanded: "~c" a line break
// (CR LF), "~t" a tab, "~1".."~9" the arguments (argument 1 is args[0]); "VR-6000" shows as "MT-52".
// An id that the table lacks gives the empty text and a warning naming the id.
QString GetResText(int id, const QList<Variant>& args = {});

// The instrument's glyph codes in gas names and units replaced by readable characters.
QString InstGlyphToText(const QString& text);

// The marker expansion of GetResText applied to any text. "~c"/"~C" become CR LF, "~t"/"~T" a tab,
// "~" and a digit n argument n as text (Null as "Null"; empty when there is no argument n, and
// always for "~0"), "~" and any other character nothing; a "~" at the very end is dropped.
// Inserted argument text is not searched for argument markers again (so the expansion always
// ends); only its "~c" and "~t" are expanded. Last, every "VR-6000" becomes "MT-52".
QString ExpandResText(const QString& text, const QList<Variant>& args = {});

enum class Language { English, Japanese };

// The interface language that the locale variables name: the first non-empty of LC_ALL,
// LC_MESSAGES and LANG; Japanese when it begins with "ja", English otherwise.
Language LanguageFromLocale(const QString& lcAll, const QString& lcMessages, const QString& lang);

// The interface language in use: the forced one, else the environment's (read once).
Language InterfaceLanguage();
void SetInterfaceLanguage(Language language);
void ResetInterfaceLanguage();  // back to the environment's language

// The two string tables, compiled in as ":/strings_en.txt" and ":/strings_ja.txt", each loaded
// on first use, and the interface-language choice. One instance for the program; reset() puts
// it back to its state at start (tests call it between cases).
class TextTables {
public:
    static TextTables& instance();

    const StringTable& table(Language language);
    Language language();
    void forceLanguage(std::optional<Language> language) { forced_ = language; }
    void reset();

private:
    std::unique_ptr<StringTable> english_;
    std::unique_ptr<StringTable> japanese_;
    std::optional<Language> forced_;
    std::optional<Language> detected_;
};

}  // namespace mt52
