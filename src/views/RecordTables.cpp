#include "views/RecordTables.h"

#include "platform/GridModel.h"

namespace mt52 {

void FillRecordTable(int, Long, ViewRecords&, GridModel&, GridModel&, const RecordTableOptions&) {}

}  // namespace mt52
