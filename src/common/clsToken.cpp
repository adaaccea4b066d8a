#include "common/clsToken.h"

#include "platform/RuntimeError.h"

#include <limits>

namespace mt52 {

void clsToken::CharList::Add(const QString& entry) {
    if (count_ >= MaxListEntries)
        return;
    entries_[count_] = entry;
    ++count_;
}

void clsToken::CharList::Clear() {
    entries_.fill(QString());
    count_ = 0;
}

QString clsToken::CharList::Get(Integer index) const {
    return index >= 0 && index < count_ ? entries_[index] : QString();
}

void clsToken::CharList::Set(Integer index, const QString& entry) {
    if (index >= 0 && index < MaxListEntries)
        entries_[index] = entry;
}

bool clsToken::CharList::Matches(QChar c) const {
    for (Integer i = 0; i < count_; ++i) {
        // Whole-string comparison: an empty entry or one of several characters never matches.
        if (entries_[i].size() == 1 && entries_[i][0] == c)
            return true;
    }
    return false;
}

QString clsToken::Tokens(Integer IndexNo) const {
    return IndexNo >= 0 && IndexNo < MaxTokens - 1 ? tokens_[IndexNo] : QString();
}

void clsToken::Tokens(Integer IndexNo, const QString& value) {
    if (IndexNo < 0 || IndexNo >= MaxTokens)
        Raise(ErrSubscript, QStringLiteral("token slot %1").arg(IndexNo));
    tokens_[IndexNo] = value;
}

void clsToken::Source(const QString& value) {
    source_ = value;
    TokenizeSource();
}

clsToken::CharKind clsToken::ClassifyChar(QChar c) const {
    // A character in several lists takes the kind of the last: delimiter, string range, comment.
    if (comments_.Matches(c))
        return Comment;
    if (strings_.Matches(c))
        return StringRange;
    if (delimiters_.Matches(c))
        return Delimiter;
    return Ordinary;
}

void clsToken::StoreToken(const QString& text) {
    if (tokenCount_ < 0 || tokenCount_ >= MaxTokens)
        Raise(ErrSubscript, QStringLiteral("more than %1 tokens").arg(MaxTokens));
    tokens_[tokenCount_] = text;
}

void clsToken::TokenizeSource() {
    tokenCount_ = 0;
    constexpr qsizetype maxPosition = std::numeric_limits<Integer>::max();
    const qsizetype length = source_.size();
    // Positions are 16-bit: a line longer than the largest position cannot even be started.
    if (length > maxPosition)
        Raise(ErrOverflow, QStringLiteral("line of %1 characters").arg(length));

    // The pending text is always the run of characters from `pendingStart` to the current one:
    // every character either joins it or ends it.
    qsizetype pendingStart = 0;
    bool inRange = false;
    for (qsizetype i = 0; i < length; ++i) {
        switch (ClassifyChar(source_[i])) {
        case Delimiter:
            if (inRange)
                break;
            if (i > pendingStart) {
                StoreToken(source_.mid(pendingStart, i - pendingStart));
                ++tokenCount_;
            }
            pendingStart = i + 1;
            break;
        case StringRange:
            if (inRange) {
                StoreToken(source_.mid(pendingStart, i - pendingStart));
                ++tokenCount_;
            }
            // Opening drops whatever was gathered since the last token.
            inRange = !inRange;
            pendingStart = i + 1;
            break;
        case Comment:
            if (inRange)
                break;
            StoreToken(source_.mid(i + 1));
            return;
        case Ordinary:
            break;
        }
    }
    // The position counter steps past the last character of a line of the largest length.
    if (length == maxPosition)
        Raise(ErrOverflow, QStringLiteral("line of %1 characters").arg(length));
    if (length > pendingStart) {
        StoreToken(source_.mid(pendingStart));
        ++tokenCount_;
    }
}

}  // namespace mt52
