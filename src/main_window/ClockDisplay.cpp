#include "main_window/ClockDisplay.h"

#include "link/LinkStatus.h"

namespace mt52 {

ClockTexts ClockTick(const Date& now, Long linkStatus, const QString& lastTag, const Date& sysDateOffset) {
    ClockTexts texts;
    const QString shown = GeneralDate(now);
    if (linkStatus == StatusInitial) {
        texts.PcClock = shown;
        texts.InstrumentClock = QString();
        return texts;
    }
    if (shown == lastTag)
        return texts;
    texts.Tag = shown;
    texts.PcClock = shown;
    texts.InstrumentClock = GeneralDate(Date(now.value() - sysDateOffset.value()));
    return texts;
}

}  // namespace mt52
