#pragma once
// Splits one line of text into tokens by caller-chosen delimiter, string-range (quote) and
// comment characters, up to 10 of each. Assigning Source tokenises the line at once; the
// caller then reads TokenCount and Tokens(i).
//
// The rules are deliberately not those of a CSV reader, and the settings file, the reply
// parser and the station import rely on them:
// - empty fields give no token (delimiters in a row, at the start or at the end);
// - text gathered before an opening quote is dropped; a closing quote always gives a token,
//   an empty one too; any quote character closes a range, whichever opened it;
// - a comment character outside a range stores the rest of the line in slot TokenCount
//   without counting it, and ends the line;
// - at most 51 tokens (slots 0..50); a 52nd raises the subscript error;
// - the slots are not cleared between lines: slots at and beyond TokenCount keep what an
//   earlier line or a caller left there;
// - Tokens(50) always reads as empty, though a line can store a token there;
// - positions are 16-bit: a line of 32,767 characters or more raises the overflow error.
// A failure reaches the caller; the object keeps the state reached so far.
#include "platform/Types.h"

#include <QString>
#include <array>

namespace mt52 {

class clsToken {
public:
    static constexpr Integer MaxTokens = 51;
    static constexpr Integer MaxListEntries = 10;

    // Append one entry to a list; ignored once the list holds 10 entries.
    void AddDelimiters(const QString& DelimChara) { delimiters_.Add(DelimChara); }
    void AddStrings(const QString& DelimChara) { strings_.Add(DelimChara); }
    void AddComments(const QString& DelimChara) { comments_.Add(DelimChara); }

    // Empty every entry of a list and set its count to 0.
    void ClearDelimiters() { delimiters_.Clear(); }
    void ClearStrings() { strings_.Clear(); }
    void ClearComments() { comments_.Clear(); }

    // Get: the entry when 0 <= Index < count, else empty. Set: stores at 0..9 (count unchanged),
    // ignores any other index.
    QString Delimiters(Integer Index) const { return delimiters_.Get(Index); }
    void Delimiters(Integer Index, const QString& value) { delimiters_.Set(Index, value); }
    QString StringRanges(Integer Index) const { return strings_.Get(Index); }
    void StringRanges(Integer Index, const QString& value) { strings_.Set(Index, value); }
    QString Comments(Integer Index) const { return comments_.Get(Index); }
    void Comments(Integer Index, const QString& value) { comments_.Set(Index, value); }

    Integer TokenCount() const { return tokenCount_; }
    void TokenCount(Integer value) { tokenCount_ = value; }

    // Get: slot 0..49, empty for any other index (slot 50 included).
    QString Tokens(Integer IndexNo) const;
    // Set: slot 0..50; any other index raises the subscript error and stores nothing.
    void Tokens(Integer IndexNo, const QString& value);

    QString Source() const { return source_; }
    // Stores the text and tokenises it; a tokenising error reaches the caller.
    void Source(const QString& value);

private:
    enum CharKind { Ordinary = 0, Delimiter = 1, StringRange = 2, Comment = 3 };

    class CharList {
    public:
        void Add(const QString& entry);
        void Clear();
        QString Get(Integer index) const;
        void Set(Integer index, const QString& entry);
        // Whether one of the entries 0..count-1 is exactly this one character.
        bool Matches(QChar c) const;

    private:
        std::array<QString, MaxListEntries> entries_{};
        Integer count_ = 0;
    };

    void TokenizeSource();
    CharKind ClassifyChar(QChar c) const;
    void StoreToken(const QString& text);

    QString source_;
    std::array<QString, MaxTokens> tokens_{};
    Integer tokenCount_ = 0;
    CharList delimiters_;
    CharList strings_;
    CharList comments_;
};

}  // namespace mt52
