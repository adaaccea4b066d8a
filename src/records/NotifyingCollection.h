#pragma once
// A record collection that gives its readers' new-data notice once per instrument: when the
// program's debug messages are on, the first record of an instrument leaves "New Data! Name -
// <kind>" in MessageString.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "records/AnnouncedInstruments.h"
#include "records/TrendCollection.h"
#include "records/RecordFrame.h"
#include "platform/Numbers.h"
#include "platform/VbString.h"

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
    // What a decoder made of a line: whether it was taken, and whether the line brings the
    // record's header, after which the new-data notice is given.
    struct LineOutcome {
        bool taken = true;
        bool notice = false;
    };

    // One line of a text event log: log id (columns 1-2), tag (3-4) and the tag's fields. The
    // line's record is the one kept under the log id and " L", made when missing; `decode`
    // gets the record, the tag and the printable text of the line. Lines of 20 characters or
    // fewer and lines without a numeric log id are refused. In test mode a refused line is
    // added to FailLine after a line break.
    template <typename Decode>
    bool ReadEventLine(const QString& vData, bool TestFlag, Decode&& decode) {
        const QString s = FilterPrintable(vData);
        bool taken = false;
        if (vData.size() > 20 && IsNumeric(Left(s, 2))) {
            const QString key = Left(s, 2) + QStringLiteral(" L");
            typename TrendCollection<Record>::RecordPtr record = this->Item(key);
            if (!record)
                record = this->Add(key, 0);
            const LineOutcome outcome = decode(*record, Mid(s, 3, 2), s);
            taken = outcome.taken;
            if (taken && outcome.notice && !TestFlag)
                NoticeNewData(*record);
        }
        if (TestFlag && !taken)
            this->FailLine(this->FailLine() + QStringLiteral("\r\n") + s);
        return taken;
    }

    // The "CA" and "DA" lines: user ID (columns 5-14) and station ID (15-24).
    static LineOutcome TakeIds(Record& record, const QString& s, bool TestFlag) {
        if (s.size() < 24)
            return {false, false};
        if (!TestFlag) {
            record.GasBaseInfo(LogHeaderField::UserID, Mid(s, 5, 10));
            record.GasBaseInfo(LogHeaderField::StationID, Mid(s, 15, 10));
        }
        return {};
    }

    // A line the tag table sends to a decoder: refused when shorter than `least`.
    template <typename Decoder>
    static LineOutcome Decoded(const QString& s, int least, bool notice, Decoder&& decoder) {
        if (s.size() < least)
            return {false, false};
        return {decoder(), notice};
    }

    // The kind word of the notice ("Alarm Events", "SnapShot" ...).
    explicit NotifyingCollection(QString kindWord) : kindWord_(std::move(kindWord)) {}

private:
    static constexpr int NewDataNotice = 2001;

    QString kindWord_;
    AnnouncedInstruments announced_;
};

}  // namespace mt52
