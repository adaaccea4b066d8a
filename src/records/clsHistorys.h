#pragma once
// The calibration histories and bump tests one download delivers, keyed by the readers.
#include "records/RecordCollection.h"
#include "records/clsHistory.h"

namespace mt52 {

class clsHistorys final : public RecordCollection<clsHistory> {};

}  // namespace mt52
