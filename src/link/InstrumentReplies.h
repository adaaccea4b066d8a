#pragma once
// The rows of the reply table that concern the instrument itself: identity, clock,
// parameters, options, gas library, live values, and the answers to the write, execute and
// completion-poll commands. A row checks its reply, stores what a read reply carries into
// the clsInstrument the link serves, and decides whether the reply is accepted.
//
// Read replies store through the model's sets, which mark the change flags; the row then
// clears the flag again, so that only the user's edits count as changes.
//
// Every conversion is strict. A token that does not convert, a reply with too few tokens
// or an index outside the model ends the parse at once with the result held at that
// moment (false for every row but the dump block and the completion polls); what was
// stored before the failure stays stored.
#include "link/ReplyFrame.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace mt52 {

class clsInstrument;

// What the rows need of the link besides the reply itself.
class ReplyHost {
public:
    virtual ~ReplyHost() = default;
    // The model that read replies fill and write replies are compared with; may be none,
    // in which case every row that needs it rejects the reply.
    virtual clsInstrument* ReplyInstrument() = 0;
    // The frame the link wrote last (the clock-setting reply must echo it exactly).
    virtual QByteArray ReplyLastFrame() const = 0;
    // One line of the communication log.
    virtual void ReplyLog(const QString& text) = 0;
    // One block of the memory dump: a numeric block number and the block's bytes as
    // hexadecimal digits. The dump download handles it; a failure inside is its own.
    virtual void ReplyDumpBlock(const QString& blockNo, const QString& hexBytes) {
        (void)blockNo;
        (void)hexBytes;
    }
};

class InstrumentReplies {
public:
    explicit InstrumentReplies(ReplyHost& host) : host_(host) {}

    // Whether `code` (for example "RL,R") has a row here.
    static bool HasRow(const QByteArray& code);

    // Carries out the row of the reply's code: nullopt when there is none, otherwise whether
    // the reply is accepted.
    std::optional<bool> Parse(const ReplyFrame& reply);

    // The answer of the last completion poll of a data clear or a default-settings run:
    // true when the instrument sent ACK.
    bool CompletionFlag() const { return completionFlag_; }
    void CompletionFlag(bool value) { completionFlag_ = value; }
    // Token 0 of the last accepted "SN,W" reply; empty after a NAK.
    QString SnResult() const { return snResult_; }
    void SnResult(const QString& value) { snResult_ = value; }

    // Log lines.
    static constexpr const char* ResponseErrorText = "<<< Response error >>>";
    static constexpr const char* ImproperDateText = "<<< improper date at HC >>> ";
    // What FailLine holds after a clock reply with an impossible date.
    static constexpr const char* ClockFailLine = "HC,R";

private:
    struct Reply;
    using Row = void (InstrumentReplies::*)(const Reply&, bool& result);
    struct RowEntry {
        const char* code;
        Row action;
    };
    static const RowEntry kRows[];
    static const RowEntry* FindRow(const QByteArray& code);

    clsInstrument& Model();
    void AckCheck(const Reply& reply, bool& result);

    // Rows, in the order of the reply table.
    void BuzzerRead(const Reply&, bool& result);
    void PumpDutyRead(const Reply&, bool& result);
    void LedDutyRead(const Reply&, bool& result);
    void Accept(const Reply&, bool& result);
    void SerialNoRead(const Reply&, bool& result);
    void SerialNoEcho(const Reply&, bool& result);
    void DummySerialRead(const Reply&, bool& result);
    void DummySerialEcho(const Reply&, bool& result);
    void StationIdRead(const Reply&, bool& result);
    void StationIdEcho(const Reply&, bool& result);
    void UserIdRead(const Reply&, bool& result);
    void UserIdEcho(const Reply&, bool& result);
    void DumpBlock(const Reply&, bool& result);
    void SpanColorRead(const Reply&, bool& result);
    void AnalogRead(const Reply&, bool& result);
    void CsDataRead(const Reply&, bool& result);
    void ClockRead(const Reply&, bool& result);
    void ClockEcho(const Reply&, bool& result);
    void KeyStateRead(const Reply&, bool& result);
    void SumRead(const Reply&, bool& result);
    void RomNumberRead(const Reply&, bool& result);
    void CompletionPoll(const Reply&, bool& result);
    void BackLightRead(const Reply&, bool& result);
    void BackLightEcho(const Reply&, bool& result);
    void SpecNoRead(const Reply&, bool& result);
    void SpecNoEcho(const Reply&, bool& result);
    void MtRead(const Reply&, bool& result);
    void EjRead(const Reply&, bool& result);
    void ColorFactorsRead(const Reply&, bool& result);
    void ConfirmationRead(const Reply&, bool& result);
    void ConfirmationEcho(const Reply&, bool& result);
    void SpecTypeRead(const Reply&, bool& result);
    void SpecTypeEcho(const Reply&, bool& result);
    void LsRead(const Reply&, bool& result);
    void LibraryRowRead(const Reply&, bool& result);
    void SerialCheckWrite(const Reply&, bool& result);
    void LeRead(const Reply&, bool& result);
    void LeEcho(const Reply&, bool& result);

    ReplyHost& host_;
    bool completionFlag_ = false;
    QString snResult_;
};

}  // namespace mt52
