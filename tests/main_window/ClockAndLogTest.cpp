#include "link/LinkStatus.h"
#include "main_window/ClockDisplay.h"
#include "main_window/LogBox.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

Date At(int hour, int minute, int second) { return *Date::FromParts(2026, 3, 14, hour, minute, second); }

TEST(ClockDisplay, TextsForEachLinkStatus) {
    const Date now = At(10, 0, 5);
    const QString nowText = QStringLiteral("2026/03/14 10:00:05");
    const Date ninetySeconds(90.0 / 86400);
    struct Case {
        const char* what;
        Long status;
        QString tag;
        Date offset;
        std::optional<QString> pc, instrument, newTag;
    };
    const Case cases[] = {
        // Idle: the PC clock every tick, the instrument clock blank, the tag untouched.
        {"idle", StatusInitial, nowText, Date(0.0), nowText, QString(), std::nullopt},
        // Waiting or done: both clocks once the shown second has passed.
        {"waiting, new second", StatusReadWait, QStringLiteral("2026/03/14 10:00:04"), ninetySeconds, nowText,
         QStringLiteral("2026/03/14 09:58:35"), nowText},
        {"done, new second", StatusDone, QString(), ninetySeconds, nowText, QStringLiteral("2026/03/14 09:58:35"),
         nowText},
        {"waiting, same second", StatusReadWait, nowText, ninetySeconds, std::nullopt, std::nullopt, std::nullopt},
        // Before any instrument clock was read the offset is date 0: both clocks agree.
        {"no offset yet", StatusDone, QString(), Date(0.0), nowText, nowText, nowText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ClockTexts texts = ClockTick(now, c.status, c.tag, c.offset);
        EXPECT_EQ(texts.PcClock, c.pc);
        EXPECT_EQ(texts.InstrumentClock, c.instrument);
        EXPECT_EQ(texts.Tag, c.newTag);
    }
}

TEST(LogBox, EachLineEndsWithOneBreakAndTheTextsOwnBreaksAddLines) {
    EXPECT_EQ(LogBoxInsertion(QStringLiteral("Dump List Download () Start.")),
              QStringLiteral("Dump List Download () Start.\n"));
    EXPECT_EQ(LogBoxInsertion(QString()), QStringLiteral("\n"));
    EXPECT_EQ(LogBoxInsertion(QStringLiteral("Complete.\r\n")), QStringLiteral("Complete.\n\n"));
    EXPECT_EQ(LogBoxInsertion(QStringLiteral("a\rb\nc")), QStringLiteral("a\nb\nc\n"));
}

}  // namespace
}  // namespace mt52
