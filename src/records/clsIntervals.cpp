#include "records/clsIntervals.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/VbString.h"
#include "records/TrendTextRecords.h"

namespace mt52 {
namespace {

using Decoder = clsIntervals::TagDecoder;
using Context = clsIntervals::LineContext;

const Decoder HeaderDecoder{{QStringLiteral("AD")}, 24,
                            [](const Context& c) { return c.record.SetDataAD(c.line, c.testFlag); }};
const Decoder SampleDecoder{{QStringLiteral("A0"), QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3"),
                             QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("A6"), QStringLiteral("A7")},
                            0,
                            [](const Context& c) { return c.record.SetDataA0(c.line, c.testFlag, c.dataLine); }};

const std::vector<Decoder>& Decoders() {
    static const std::vector<Decoder> table{
        HeaderDecoder,
        {{QStringLiteral("AE"), QStringLiteral("AF"), QStringLiteral("AG"), QStringLiteral("AH"), QStringLiteral("AI")},
         24, [](const Context& c) { return c.record.SetDataAE(c.line, c.testFlag); }},
        SampleDecoder,
        {{QStringLiteral("AC")}, 24, [](const Context& c) { return c.record.SetDataAC(c.line, c.testFlag); }},
        {{QStringLiteral("AB")}, 16,
         [](const Context& c) {
             if (!c.testFlag) {
                 c.record.GasBaseInfo(LogHeaderField::SerialNo, Mid(c.line, 5, 12));
                 const QString sampling = Mid(c.line, 23, 1);
                 if (sampling.size() == 1 && sampling[0].isDigit())
                     c.record.GasBaseInfo(LogHeaderField::Sampling, Long{sampling[0].digitValue()});
             }
             return true;
         }},
        {{QStringLiteral("AA")}, 24,
         [](const Context& c) {
             if (!c.testFlag) {
                 c.record.GasBaseInfo(LogHeaderField::UserID, Mid(c.line, 5, 10));
                 c.record.GasBaseInfo(LogHeaderField::StationID, Mid(c.line, 15, 10));
             }
             return true;
         }},
    };
    return table;
}

}  // namespace

clsIntervals::RecordPtr clsIntervals::Add(const QString& key, Long seqNo) {
    RecordPtr record = TrendCollection::Add(key, seqNo);
    record->Error(false);
    return record;
}

Single clsIntervals::ParseStatText(const QString& text, const clsInterval& record, Integer GasNo) {
    if (record.GasListInfo(GasNo, GasInfoField::Full).isEmpty())
        return 0.0f;
    GasSlot levels;
    levels.Full = record.GasListInfo(GasNo, GasInfoField::Full).toSingle();
    levels.Max = record.GasListInfo(GasNo, GasInfoField::Max).toSingle();
    levels.Min = record.GasListInfo(GasNo, GasInfoField::Min).toSingle();
    levels.Warning = record.GasListInfo(GasNo, GasInfoField::Warning).toSingle();
    levels.Alarm = record.GasListInfo(GasNo, GasInfoField::Alarm).toSingle();
    levels.Stel = record.GasListInfo(GasNo, GasInfoField::Stel).toSingle();
    levels.Twa = record.GasListInfo(GasNo, GasInfoField::Twa).toSingle();
    return StatTextLevel(text, levels, true);
}

bool clsIntervals::SetDatas(const QString& vData, bool TestFlag) {
    return DispatchLine(Decoders(), vData, TestFlag, true, [&](const Decoder& decoder, clsInterval& record, bool result) {
        if (!State().DebugMessages)
            return;
        if (decoder.tags == HeaderDecoder.tags && !TestFlag && result && !record.Duplicate())
            MessageString(GetResText(4001, {record.GasBaseInfo(LogHeaderField::Names)}));
        if (decoder.tags == SampleDecoder.tags && record.Error())
            MessageString(QStringLiteral("<<< error catch in SetDataA0() >>>"));
    });
}

}  // namespace mt52
