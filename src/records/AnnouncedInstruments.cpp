#include "records/AnnouncedInstruments.h"

#include "platform/VbString.h"

namespace mt52 {

QString AnnouncedInstruments::MakeInstrumentKey(const QString& SerialNo, const QString& StationID,
                                                const QString& UserID) {
    return PadRight(SerialNo, 12) + PadRight(StationID, 10) + PadRight(UserID, 10);
}

bool AnnouncedInstruments::IsKeyNotified(const QString& key) const {
    const QString wanted = Trim(key);
    for (const QString& held : keys_) {
        if (Trim(held) == wanted)
            return true;
    }
    return false;
}

void AnnouncedInstruments::AddNotifiedKey(const QString& key) {
    if (keys_.size() < Capacity && !key.isEmpty())
        keys_.append(key);
}

}  // namespace mt52
