#include "link/InstrumentReplies.h"

#include "common/RecordText.h"
#include "common/TextHelpers.h"
#include "common/clsToken.h"
#include "instrument/clsInstrument.h"
#include "link/CommandFrame.h"
#include "platform/Clock.h"
#include "platform/InstrumentText.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"

#include <cstring>

namespace mt52 {
namespace {


int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// One to eight hexadecimal digits and nothing else.
bool IsHex(const QString& token) {
    if (token.isEmpty() || token.size() > 8)
        return false;
    for (QChar c : token)
        if (HexDigit(c) < 0)
            return false;
    return true;
}

// A hexadecimal number of at most 16 significant bits, as a 16-bit two's complement value
// ("FFFF" is -1). Anything else is the type-mismatch error (overflow when it is too big).
Integer Hex16(const QString& token) {
    if (token.isEmpty())
        Raise(ErrTypeMismatch, QStringLiteral("an empty field is no hexadecimal number"));
    std::uint32_t value = 0;
    for (QChar c : token) {
        const int digit = HexDigit(c);
        if (digit < 0)
            Raise(ErrTypeMismatch, QStringLiteral("\"%1\" is no hexadecimal number").arg(token));
        value = (value << 4) | static_cast<std::uint32_t>(digit);
        if (value > 0xFFFF)
            Raise(ErrOverflow, QStringLiteral("\"%1\" needs more than 16 bits").arg(token));
    }
    return static_cast<Integer>(static_cast<std::uint16_t>(value));
}

// Exactly eight hexadecimal digits: the bits of a single, most significant byte first.
Single HexSingle(const QString& token) {
    if (token.size() != 8)
        Raise(ErrTypeMismatch, QStringLiteral("\"%1\" is not eight hexadecimal digits").arg(token));
    return HexToSingle(token);
}

Integer Dec16(const QString& token) { return ToInteger(ParseNumber(token)); }
Long Dec32(const QString& token) { return ToLong(ParseNumber(token)); }
Single Decimal(const QString& token) { return ToSingle(ParseNumber(token)); }

// Two decimal digits of the clock text; the type-mismatch error for anything else.
int ClockField(const QString& text, int position) {
    const char16_t high = text[position].unicode();
    const char16_t low = text[position + 1].unicode();
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    if (!isDigit(high) || !isDigit(low))
        Raise(ErrTypeMismatch, QStringLiteral("clock text \"%1\" holds a non-digit").arg(text));
    return (high - u'0') * 10 + (low - u'0');
}

}  // namespace

// The reply with its data split into tokens at CR and ",". Empty fields give no token, so
// token i is the (i + 1)-th non-empty field; a token beyond the last is the empty text.
struct InstrumentReplies::Reply {
    const ReplyFrame& fields;
    clsToken tokens;

    explicit Reply(const ReplyFrame& f) : fields(f) {
        tokens.AddDelimiters(QStringLiteral("\r"));
        tokens.AddDelimiters(QStringLiteral(","));
        // More fields than the splitter holds raise the subscript error here, which fails
        // the parse like any other malformed reply.
        tokens.Source(DecodeInstrumentBytes(f.data));
    }
    int count() const { return tokens.TokenCount(); }
    QString token(int i) const { return i < count() ? tokens.Tokens(static_cast<Integer>(i)) : QString(); }
    QString trimmed(int i) const { return Trim(token(i)); }
    // The reply must carry at least `n` tokens; a shorter one is malformed.
    void require(int n) const {
        if (count() < n)
            Raise(ErrSubscript, QStringLiteral("the reply holds %1 fields, %2 needed").arg(count()).arg(n));
    }
};

// The reply table, in the order of matching.
const InstrumentReplies::RowEntry InstrumentReplies::kRows[] = {
    {"RB,R", &InstrumentReplies::BuzzerRead},
    {"RB,W", &InstrumentReplies::Accept},
    {"RB,E", &InstrumentReplies::AckCheck},
    {"BP,R", &InstrumentReplies::PumpDutyRead},
    {"BP,W", &InstrumentReplies::Accept},
    {"BP,E", &InstrumentReplies::AckCheck},
    {"RL,R", &InstrumentReplies::LedDutyRead},
    {"RL,W", &InstrumentReplies::Accept},
    {"RL,E", &InstrumentReplies::AckCheck},
    {"RO,W", &InstrumentReplies::AckCheck},
    {"IN,R", &InstrumentReplies::SerialNoRead},
    {"IN,W", &InstrumentReplies::SerialNoEcho},
    {"HN,R", &InstrumentReplies::DummySerialRead},
    {"HN,W", &InstrumentReplies::DummySerialEcho},
    {"XS,R", &InstrumentReplies::StationIdRead},
    {"XS,W", &InstrumentReplies::StationIdEcho},
    {"XZ,R", &InstrumentReplies::UserIdRead},
    {"XZ,W", &InstrumentReplies::UserIdEcho},
    {"DW,W", &InstrumentReplies::AckCheck},
    {"EF,R", &InstrumentReplies::DumpBlock},
    {"WS,R", &InstrumentReplies::SpanColorRead},
    {"WS,W", &InstrumentReplies::Accept},
    {"HA,R", &InstrumentReplies::AnalogRead},
    {"CS,R", &InstrumentReplies::CsDataRead},
    {"CS,W", &InstrumentReplies::Accept},
    {"HC,R", &InstrumentReplies::ClockRead},
    {"HC,W", &InstrumentReplies::ClockEcho},
    {"KW,R", &InstrumentReplies::KeyStateRead},
    {"VS,R", &InstrumentReplies::SumRead},
    {"VP,R", &InstrumentReplies::RomNumberRead},
    {"XC,W", &InstrumentReplies::AckCheck},
    {"XC,C", &InstrumentReplies::CompletionPoll},
    {"UX,W", &InstrumentReplies::AckCheck},
    {"UX,C", &InstrumentReplies::CompletionPoll},
    {"XT,R", &InstrumentReplies::BackLightRead},
    {"XT,W", &InstrumentReplies::BackLightEcho},
    {"XH,E", &InstrumentReplies::AckCheck},
    {"BS,R", &InstrumentReplies::SpecNoRead},
    {"BS,W", &InstrumentReplies::SpecNoEcho},
    {"MT,R", &InstrumentReplies::MtRead},
    {"MT,W", &InstrumentReplies::Accept},
    {"EJ,R", &InstrumentReplies::EjRead},
    {"EJ,W", &InstrumentReplies::Accept},
    {"S8,R", &InstrumentReplies::ColorFactorsRead},
    {"XB,R", &InstrumentReplies::ConfirmationRead},
    {"XB,W", &InstrumentReplies::ConfirmationEcho},
    {"UJ,R", &InstrumentReplies::SpecTypeRead},
    {"UJ,W", &InstrumentReplies::SpecTypeEcho},
    {"XY,W", &InstrumentReplies::AckCheck},
    {"XY,C", &InstrumentReplies::CompletionPoll},
    {"UD,W", &InstrumentReplies::AckCheck},
    {"UP,W", &InstrumentReplies::AckCheck},
    {"LS,R", &InstrumentReplies::LsRead},
    {"LS,W", &InstrumentReplies::Accept},
    {"LI,R", &InstrumentReplies::LibraryRowRead},
    {"SN,W", &InstrumentReplies::SerialCheckWrite},
    {"LE,R", &InstrumentReplies::LeRead},
    {"LE,W", &InstrumentReplies::LeEcho},
};

const InstrumentReplies::RowEntry* InstrumentReplies::FindRow(const QByteArray& code) {
    if (code.size() != 4)
        return nullptr;
    for (const RowEntry& row : kRows)
        if (std::memcmp(row.code, code.constData(), 4) == 0)
            return &row;
    return nullptr;
}

bool InstrumentReplies::HasRow(const QByteArray& code) { return FindRow(code) != nullptr; }

std::optional<bool> InstrumentReplies::Parse(const ReplyFrame& fields) {
    const RowEntry* row = FindRow(fields.code);
    if (!row)
        return std::nullopt;
    bool result = false;
    try {
        const Reply reply(fields);
        (this->*row->action)(reply, result);
    } catch (const RuntimeError&) {
        // The parse ends with the result held so far; what was stored stays stored.
    }
    return result;
}

clsInstrument& InstrumentReplies::Model() {
    clsInstrument* model = host_.ReplyInstrument();
    if (!model)
        Raise(ErrObjectNotSet, QStringLiteral("no instrument model to parse the reply into"));
    return *model;
}

void InstrumentReplies::AckCheck(const Reply& reply, bool& result) {
    if (reply.fields.ack == ctl::ACK) {
        result = true;
        return;
    }
    host_.ReplyLog(QString::fromLatin1(ResponseErrorText));
}

void InstrumentReplies::Accept(const Reply&, bool& result) { result = true; }

void InstrumentReplies::BuzzerRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.Buzzerfrequency(HexSingle(reply.token(0)));
    m.Change_Buzzerfrequency(false);
    result = true;
}

void InstrumentReplies::PumpDutyRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.PumpDutyRatio(Hex16(reply.token(0)));
    m.Change_PumpDutyRatio(false);
    result = true;
}

void InstrumentReplies::LedDutyRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.LEDDutyRatio(Hex16(reply.token(0)));
    m.Change_LEDDutyRatio(false);
    result = true;
}

void InstrumentReplies::SerialNoRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.SerialNo(reply.trimmed(0));
    m.Change_SerialNo(false);
    result = true;
}

void InstrumentReplies::SerialNoEcho(const Reply& reply, bool& result) {
    result = reply.trimmed(0) == Trim(Model().SerialNo());
}

void InstrumentReplies::DummySerialRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.DummySerial(reply.trimmed(0));
    m.Change_DummySerial(false);
    result = true;
}

void InstrumentReplies::DummySerialEcho(const Reply& reply, bool& result) {
    result = reply.trimmed(0) == Trim(Model().DummySerial());
}

void InstrumentReplies::StationIdRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.StationID(reply.trimmed(0));
    m.Change_StationID(false);
    result = true;
}

void InstrumentReplies::StationIdEcho(const Reply& reply, bool& result) {
    result = reply.trimmed(0) == Trim(Model().StationID());
}

void InstrumentReplies::UserIdRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.UserID(reply.trimmed(0));
    m.Change_UserID(false);
    result = true;
}

void InstrumentReplies::UserIdEcho(const Reply& reply, bool& result) {
    result = reply.trimmed(0) == Trim(Model().UserID());
}

// A dump block is accepted whatever happens to its contents, so the download goes on;
// only a block that arrived damaged (the download's judgement) is rejected, to be sent again.
void InstrumentReplies::DumpBlock(const Reply& reply, bool& result) {
    result = true;
    const QString blockNo = reply.token(1);
    const QString bytes = reply.token(3);
    if (IsNumeric(blockNo) && !bytes.isEmpty())
        result = host_.ReplyDumpBlock(blockNo, bytes);
}

void InstrumentReplies::SpanColorRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.SpanVal(Hex16(reply.token(0)));
    m.ColorChartVal(Hex16(reply.token(1)));
    m.Change_WS(false);
    result = true;
}

// Entries whose token is no hexadecimal number keep their value; fewer tokens than entries
// is a normal reply.
void InstrumentReplies::AnalogRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    for (int i = 0; i < 8; ++i) {
        const QString token = reply.token(i);
        if (IsHex(token))
            m.AnalogValue(static_cast<Integer>(i), Hex16(token));
    }
    const QString adreal = reply.token(8);
    if (IsHex(adreal))
        m.AdrealValue(HexSingle(adreal));
    result = true;
}

// Unlike the other read items, the value read keeps its change flag set: the next upload
// writes it back to the instrument with "CS,W".
void InstrumentReplies::CsDataRead(const Reply& reply, bool& result) {
    Model().CSData(Hex16(reply.token(0)));
    result = true;
}

// The instrument clock as twelve digits YYMMDDhhnnss, the year counted from 2000.
void InstrumentReplies::ClockRead(const Reply& reply, bool& result) {
    const QString text = reply.token(0);
    if (text.size() != 12)
        return;
    clsInstrument& m = Model();
    int parts[6];
    for (int i = 0; i < 6; ++i)
        parts[i] = ClockField(text, i * 2);
    const std::optional<Date> when = Date::FromParts(2000 + parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
    if (!when) {
        m.FailLine(QString::fromLatin1(ClockFailLine));
        host_.ReplyLog(QString::fromLatin1(ImproperDateText) + text);
        return;
    }
    m.SysDate(*when);
    m.SysDateOffset(Date(Now().value() - when->value()));
    result = true;
}

void InstrumentReplies::ClockEcho(const Reply& reply, bool& result) {
    if (reply.fields.text == host_.ReplyLastFrame()) {
        result = true;
        return;
    }
    host_.ReplyLog(QString::fromLatin1(ResponseErrorText));
}

void InstrumentReplies::KeyStateRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.KeyState(Hex16(DecodeInstrumentBytes(reply.fields.data)));
    result = true;
}

void InstrumentReplies::SumRead(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    if (!IsHex(token))
        return;
    Model().SUM(token);
    result = true;
}

void InstrumentReplies::RomNumberRead(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    if (!IsNumeric(token))
        return;
    Model().RomNumber(Dec32(token));
    result = true;
}

// Polled until the instrument has finished: any answer is accepted, ACK tells it finished.
void InstrumentReplies::CompletionPoll(const Reply& reply, bool& result) {
    result = true;
    completionFlag_ = reply.fields.ack == ctl::ACK;
}

void InstrumentReplies::BackLightRead(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    if (!IsHex(token))
        return;
    clsInstrument& m = Model();
    m.LcdBackLight(Hex16(token));
    m.Change_LcdBackLight(false);
    result = true;
}

void InstrumentReplies::BackLightEcho(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    result = IsHex(token) && Hex16(token) == Model().LcdBackLight();
}

void InstrumentReplies::SpecNoRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.SpecNo(reply.trimmed(0));
    m.Change_SpecNo(false);
    result = true;
}

void InstrumentReplies::SpecNoEcho(const Reply& reply, bool& result) {
    result = reply.trimmed(0) == Trim(Model().SpecNo());
}

void InstrumentReplies::MtRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.MT(Dec16(reply.token(0)));
    m.Change_MT(false);
    result = true;
}

void InstrumentReplies::EjRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.EJ(Dec16(reply.trimmed(0)));
    m.Change_EJ(false);
    result = true;
}

void InstrumentReplies::ColorFactorsRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.C_White(Decimal(reply.token(0)));
    m.C_grey(Decimal(reply.token(1)));
    m.C_ratio(Decimal(reply.token(2)));
    m.C_factor(ToSingle(ParseNumber(reply.token(3)) / 100.0));
    result = true;
}

void InstrumentReplies::ConfirmationRead(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    if (!IsHex(token))
        return;
    clsInstrument& m = Model();
    m.Confirmation(Hex16(token));
    m.Change_Confirmation(false);
    result = true;
}

void InstrumentReplies::ConfirmationEcho(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    result = IsHex(token) && Hex16(token) == Model().Confirmation();
}

void InstrumentReplies::SpecTypeRead(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    if (token != u"0" && token != u"1" && token != u"2")
        return;
    clsInstrument& m = Model();
    m.SpecType(token);
    m.Change_SpecType(false);
    result = true;
}

void InstrumentReplies::SpecTypeEcho(const Reply& reply, bool& result) {
    result = reply.token(0) == Model().SpecType();
}

void InstrumentReplies::LsRead(const Reply& reply, bool& result) {
    clsInstrument& m = Model();
    m.LSstr(reply.trimmed(0));
    m.Change_LSstr(false);
    result = true;
}

// One gas-library row: number, table number, name, full scale, resolution, unit. A row
// with a field missing would shift the later fields into the wrong members, so it is
// refused whole.
void InstrumentReplies::LibraryRowRead(const Reply& reply, bool& result) {
    reply.require(6);
    clsInstrument& m = Model();
    const Integer row = Dec16(reply.token(0));
    const Integer tabNo = Dec16(reply.token(1));
    const Single fullScale = Decimal(reply.token(3));
    const Single digit = Decimal(reply.token(4));
    m.LI_tabNo(row, tabNo);  // the index error for a row outside the library stores nothing
    m.LI_Name(row, reply.token(2));
    m.LI_FullScale(row, fullScale);
    m.LI_Digit(row, digit);
    m.LI_Unit(row, reply.token(5));
    m.LI_Point(row, CountDecimals(reply.token(4)));
    result = true;
}

void InstrumentReplies::SerialCheckWrite(const Reply& reply, bool& result) {
    if (reply.fields.ack == ctl::NAK) {
        snResult_.clear();
        return;
    }
    snResult_ = reply.token(0);
    result = true;
}

void InstrumentReplies::LeRead(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    if (!IsNumeric(token))
        return;
    clsInstrument& m = Model();
    m.LE(Dec16(token));
    m.Change_LE(false);
    result = true;
}

// The echo is stored as the instrument holds it; the flag stays as the set leaves it.
void InstrumentReplies::LeEcho(const Reply& reply, bool& result) {
    const QString token = reply.token(0);
    if (!IsNumeric(token))
        return;
    Model().LE(Dec16(token));
    result = true;
}

}  // namespace mt52
