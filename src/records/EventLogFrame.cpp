#include "records/EventLogFrame.h"

#include "platform/Clock.h"
#include "platform/Numbers.h"

namespace mt52 {

Integer EventLogFrame::DataCount() const { return ToInteger(dataCount_); }

Date EventLogFrame::Dates(Integer Index) const {
    return EntryTable<Entry>::IsReachable(Index) ? events_.Get(Index, &Entry::Dates, Date()) : Now();
}

}  // namespace mt52
