#include "browser/LogNodeKey.h"

namespace mt52 {

const std::array<RecordKind, 10>& RecordKinds() {
    static const std::array<RecordKind, 10> kinds{{
        {1, 'I', 'G', 5624, "Interval0", false},
        {9, 'J', 'a', 5677, "Barhole", false},
        {10, 'N', 'b', 5678, "BumpTest", false},
        {11, 'O', 'c', 5679, "SnapShot", false},
        {2, 'A', 'K', 5625, "Alarm0", false},
        {3, 'D', 'H', 5673, "History", false},
        {5, 'E', 'V', 5627, "AEvent", false},
        {6, 'B', 'W', 5628, "TEvent", false},
        {7, 'R', 'P', 5629, "PEvent", true},
        {8, 'X', 'Q', 5630, "Change", false},
    }};
    return kinds;
}

namespace {

template <typename Match>
const RecordKind* FindKind(Match match) {
    for (const RecordKind& kind : RecordKinds())
        if (match(kind))
            return &kind;
    return nullptr;
}

bool IsLetter(const QString& letter, char c) { return letter.size() == 1 && letter.at(0) == QLatin1Char(c); }

}  // namespace

const RecordKind* KindOfFolderLetter(const QString& letter) {
    return FindKind([&](const RecordKind& k) { return IsLetter(letter, k.FolderLetter); });
}

const RecordKind* KindOfEntryLetter(const QString& letter) {
    return FindKind([&](const RecordKind& k) { return IsLetter(letter, k.EntryLetter); });
}

const RecordKind* KindOfLogType(Long logType) {
    return FindKind([&](const RecordKind& k) { return k.LogType == logType; });
}

bool IsGroupingLetter(const QString& letter) {
    return letter == NodeLetter::Root || letter == NodeLetter::Serial || letter == NodeLetter::Station ||
           letter == NodeLetter::User || letter == NodeLetter::Month;
}

bool IsKindFolderLetter(const QString& letter) { return KindOfFolderLetter(letter) != nullptr; }

bool IsEntryLetter(const QString& letter) { return KindOfEntryLetter(letter) != nullptr; }

QString EntryKey(Long seqNo, const RecordKind& kind) {
    return QString::number(seqNo) + QLatin1Char(' ') + QLatin1Char(kind.EntryLetter);
}

QString IntervalIconKey(Long sampling) { return QStringLiteral("Interval%1").arg(sampling); }

}  // namespace mt52
