#pragma once
// The keys of the record tree's nodes and the record list's items: a path value, one blank and
// a one-letter kind ("0 #" the root, "12 G" interval-trend entry 12). Letters compare with
// regard to case ("A" is the alarm-trend folder, "a" a bar-hole entry). This file holds the
// letters and the record kinds they stand for; the tree (LogTree.h) builds the folder keys.
#include "platform/Types.h"

#include <QString>
#include <array>

namespace mt52 {

inline const QString RootNodeKey = QStringLiteral("0 #");

// Letters of the grouping folders.
namespace NodeLetter {
inline const QString Root = QStringLiteral("#");
inline const QString Serial = QStringLiteral("S");
inline const QString Station = QStringLiteral("T");
inline const QString User = QStringLiteral("U");
inline const QString Month = QStringLiteral("M");
}  // namespace NodeLetter

// One stored record kind: its Log_Head.Types, the letter of its folder under a month, the
// letter of its entries, the text id of its folder and the icon of its entries in the list.
struct RecordKind {
    Long LogType;
    char FolderLetter;
    char EntryLetter;
    int TextId;
    const char* IconKey;
    // Shown only while the extended mode is on.
    bool ExtendedOnly;
};

// The ten kinds in the order their folders stand under a month: interval trend, bar hole, bump
// test, snapshot, alarm trend, calibration history, alarm, trouble and power events, sensor history.
const std::array<RecordKind, 10>& RecordKinds();

// The kind of a folder letter, of an entry letter, of a Log_Head.Types; nullptr when none.
const RecordKind* KindOfFolderLetter(const QString& letter);
const RecordKind* KindOfEntryLetter(const QString& letter);
const RecordKind* KindOfLogType(Long logType);

// "#", "S", "T", "U" or "M": a folder whose children are folders.
bool IsGroupingLetter(const QString& letter);
// The folder of one record kind under a month ("I", "A", ...).
bool IsKindFolderLetter(const QString& letter);
// An entry of the list ("G", "K", ...).
bool IsEntryLetter(const QString& letter);

// The key of an entry: the SeqNo in decimal, a blank and the kind's entry letter.
QString EntryKey(Long seqNo, const RecordKind& kind);

// The icon of an interval-trend entry by its Sampling (0, 1 or 2).
QString IntervalIconKey(Long sampling);

// Icons of folders in the tree and the list, and of the tree's root.
inline const QString ClosedFolderIcon = QStringLiteral("CloseFolder");
inline const QString OpenFolderIcon = QStringLiteral("OpenFolder");
inline const QString RootIcon = QStringLiteral("MT50mk2");

}  // namespace mt52
