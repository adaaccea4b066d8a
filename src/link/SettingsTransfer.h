#pragma once
// The link operations that move an instrument's identity and settings: the full read into a
// clsInstrument (a fixed table of read commands, sent one by one), the single-command reads,
// the upload of the items the user changed, and the setting of the instrument's clock.
//
// Each operation claims the link (LinkOperation), sends its commands one at a time and waits
// for each reply; the reply parser stores what the replies carry into the model that the
// link serves (LinkCore::Instrument). An operation stops at the first command that does not
// end with Status 6 (attempts used up, cancelled, or a line failure).
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace mt52 {

class LinkCore;
class clsInstrument;

class SettingsTransfer {
public:
    // Slots of the read command table; the full read sends the non-empty ones in order.
    static constexpr int ReadSlotCount = 423;
    // The slots the full read looks at (the last slot is never sent).
    static constexpr int ReadSlotsUsed = 422;
    // Slots 0 to 4: ROM number and identity.
    static constexpr int IdentitySlots = 5;

    explicit SettingsTransfer(LinkCore& link) : link_(link) {}

    // The 423 command texts, complete with access letter and trailing comma, or empty.
    static const QList<QByteArray>& ReadCommandTable();

    // Clears the model and reads every command of the table into it. False without sending
    // when there is no model or another operation holds the link.
    bool GetInstrument(clsInstrument* iObj);
    // Reads the ROM number and identity (slots 0 to 4) without clearing the model.
    bool GetRomNo(clsInstrument* iObj);
    // Sends one read command into the model; the link's model is put back afterwards. False
    // without sending when there is no model or the link is not connected.
    bool GetInstPart(const QByteArray& strCmd, clsInstrument* iObj);
    // The gas information and span concentrations. The instrument's replies to them have no
    // format the parser knows, so they end as failed and leave the slots marked empty and
    // the span concentrations at -101.
    bool GetGasInfo(clsInstrument* iObj);
    bool GetAutoCalDensty(clsInstrument* iObj);
    // The latest calibration and bump histories; their replies are not understood either,
    // so these end as failed with Status 2.
    bool GetLatestHistory(clsInstrument* iObj);
    bool GetLatestBumpHistory(clsInstrument* iObj);

    // Writes the flagged items of the model in the fixed order, clearing each flag as its
    // write is accepted, and closes a successful upload with "DW,W,". A flagged value that
    // does not fit its field refuses the whole upload before anything is sent (see
    // UploadRefusal) and keeps every flag. True only when something was written and every
    // write was accepted.
    bool SetInstrument(clsInstrument* iObj);
    // Why the last upload was refused before sending ("UserID is longer than 16
    // characters"); empty when it was not refused.
    QString UploadRefusal() const { return uploadRefusal_; }

    // Sets the instrument's clock; accepted only when the instrument echoes the frame exactly.
    // The instrument counts years from 2000 in two digits: a date outside 2000 to 2099 is
    // refused without sending.
    bool SetDateTime(const Date& value);

    // One item of the upload: its name, and the command with its data.
    struct UploadCommand {
        QString item;
        QByteArray command;
        int row;  // position in the upload order
    };
    // The commands the upload would send for the flagged items of `model`, in order ("DW,W,"
    // not included). A flagged value that does not fit its field gives `refusal` instead.
    static QList<UploadCommand> UploadCommands(const clsInstrument& model, QString* refusal);

private:
    // One read of the latest calibration or bump test record into the model.
    bool ReadLatest(const QByteArray& command, clsInstrument* iObj);
    // Sends the non-empty slots [first, last) into the link's model.
    bool ReadSlots(int first, int last, clsInstrument& model);
    // Passes a progress text of the model on as an event and empties it.
    void PassOnMessage(clsInstrument& model, bool history);

    LinkCore& link_;
    QString uploadRefusal_;
};

}  // namespace mt52
