#pragma once
// A record collection that gives its readers' new-data notice once per instrument: when the
// program's debug messages are on, the first record of an instrument leaves "New Data! Name -
// <kind>" in MessageString.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "records/AnnouncedInstruments.h"
#include "records/TrendCollection.h"
#include "records/RecordFrame.h"

namespace mt52 {

template <typename Record>
class NotifyingCollection : public TrendCollection<Record> {
public:
    // Forgets the announced instruments and removes every record.
    void Clear() {
        announced_.Clear();
        this->RemoveAll();
    }

    const AnnouncedInstruments& Announced() const { return announced_; }

    // The notice for a record whose header is known, from its serial number, station and user.
    void NoticeNewData(const Record& record) {
        const QString key = AnnouncedInstruments::MakeInstrumentKey(
            record.GasBaseInfo(LogHeaderField::SerialNo).toString(),
            record.GasBaseInfo(LogHeaderField::StationID).toString(),
            record.GasBaseInfo(LogHeaderField::UserID).toString());
        if (announced_.IsKeyNotified(key) || !State().DebugMessages)
            return;
        this->MessageString(GetResText(NewDataNotice, {kindWord_}));
        announced_.AddNotifiedKey(key);
    }

protected:
    // The kind word of the notice ("Alarm Events", "SnapShot" ...).
    explicit NotifyingCollection(QString kindWord) : kindWord_(std::move(kindWord)) {}

private:
    static constexpr int NewDataNotice = 2001;

    QString kindWord_;
    AnnouncedInstruments announced_;
};

}  // namespace mt52
