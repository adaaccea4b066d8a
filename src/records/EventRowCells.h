#pragma once
// The cells of one stored event-list entry after its number and date, as the record table and
// the printed event list show them: gas and event of an alarm or trouble event, ON or OFF of a
// power event, sensor number, gas and full scale of a sensor change. A Null column is an empty cell.
#include "platform/Types.h"

#include <QStringList>

namespace mt52 {

class StoredRow;

// logType: 5 alarm, 6 trouble, 7 power events; any other kind reads as a sensor history.
QStringList EventRowCells(Long logType, const StoredRow& row);

}  // namespace mt52
