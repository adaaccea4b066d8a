#pragma once
// What storing a decoded interval or alarm trend shares: the lookup of a log stored already
// and the Log_Head row of a trend record, every value bound.
#include "records/RecordFrame.h"

#include <array>

namespace mt52 {

class Database;
class Transaction;

namespace TrendLogType {
inline constexpr Long Interval = 1;
inline constexpr Long Alarm = 2;
inline constexpr Long BarHole = 9;
}  // namespace TrendLogType

// A Log_Head row of the kind with the header's start, user, station and serial (compared
// without regard to case) exists. False when there is no database file at the path.
bool TrendLogStored(const QString& databasePath, const LogHeader& header, Long types);
bool TrendLogStored(Database& db, const LogHeader& header, Long types);

// Inserts the Log_Head row of a trend record under the next free key and returns the key.
// An empty name, folder, gas name or unit is stored as one blank; `withLast` stores Last.
Long InsertTrendLogHead(Database& db, Transaction& transaction, const LogHeader& header,
                        const std::array<GasSlot, RecordGasSlots>& gas, Long types, Long romNumber, bool withLast);

// Removes the trend file of a log that failed to be stored, unless a stored record names it.
void DropUnstoredTrendFile(const QString& databasePath, const LogHeader& header);

}  // namespace mt52
