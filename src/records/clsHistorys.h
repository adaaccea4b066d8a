#pragma once
// The calibration histories and bump tests one download delivers, keyed by the readers.
#include "records/TrendCollection.h"
#include "records/clsHistory.h"

namespace mt52 {

class clsHistorys final : public TrendCollection<clsHistory> {
public:
    // Removes every record; always succeeds.
    void Clear() { RemoveAll(); }

    // Takes one history line (date YYMMDD at 3, time hhnnss at 9, before at 15, after at 20,
    // the gas text at 25) into the one history record "01 L", for gas slot GasNo. A bad date
    // or time sets the record's Error and, in normal mode, writes the line to the
    // communication log; a line with a good date is added at 00:00 of it when its time is
    // bad. Lines of 20 characters or fewer are refused. In test mode nothing is added.
    // Raises 5 when records are held but none under "01 L".
    bool SetDatas(Integer GasNo, const QString& vData, bool TestFlag);

    // Reads the history area of a flash image: one record per block in use.
    bool ReadBinaryLog(const QString& fpath);
};

}  // namespace mt52
