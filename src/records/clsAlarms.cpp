#include "records/clsAlarms.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/VbString.h"

namespace mt52 {
namespace {

using Decoder = clsAlarms::TagDecoder;
using Context = clsAlarms::LineContext;

const Decoder HeaderDecoder{{QStringLiteral("BD")}, 23,
                            [](const Context& c) { return c.record.SetDataBD(c.line, c.testFlag); }};
const Decoder SampleDecoder{{QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3"), QStringLiteral("B4"),
                             QStringLiteral("B5"), QStringLiteral("B6")},
                            0,
                            [](const Context& c) { return c.record.SetDataB0(c.line, c.testFlag, c.dataLine); }};

const std::vector<Decoder>& Decoders() {
    static const std::vector<Decoder> table{
        HeaderDecoder,
        SampleDecoder,
        {{QStringLiteral("BC")}, 24, [](const Context& c) { return c.record.SetDataBC(c.line, c.testFlag); }},
        {{QStringLiteral("BB")}, 16, [](const Context& c) { return c.record.SetDataBB(c.line, c.testFlag); }},
        {{QStringLiteral("BA")}, 24,
         [](const Context& c) {
             if (!c.testFlag)
                 c.record.GasBaseInfo(LogHeaderField::UserID, Mid(c.line, 5, 10));
             return true;
         }},
    };
    return table;
}

}  // namespace

bool clsAlarms::SetDatas(const QString& vData, bool TestFlag) {
    return DispatchLine(Decoders(), vData, TestFlag, false, [&](const Decoder& decoder, clsAlarm& record, bool result) {
        if (!State().DebugMessages)
            return;
        if (decoder.tags == HeaderDecoder.tags && !TestFlag && result && !record.Duplicate())
            MessageString(GetResText(2001, {record.GasBaseInfo(LogHeaderField::Names)}));
        if (decoder.tags == SampleDecoder.tags && record.Error())
            MessageString(QStringLiteral("<<< error catch in SetDataB0() >>>"));
    });
}

}  // namespace mt52
