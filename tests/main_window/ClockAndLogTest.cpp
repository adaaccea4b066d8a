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

TEST(LogBox, EachCallIsOneLineInItsColourAndOwnBreaksAddLines) {
    LogBox box;
    EXPECT_EQ(box.Append(QStringLiteral("Dump List Download () Start."), LogColor::DumpList),
              QStringLiteral("Dump List Download () Start.\n"));
    EXPECT_EQ(box.Append(QString(), LogColor::Success), QStringLiteral("\n"));
    // A text ending with its own CR LF leaves an empty line after it; a lone CR breaks too.
    EXPECT_EQ(box.Append(QStringLiteral("Complete.\r\n"), LogColor::Success), QStringLiteral("Complete.\n\n"));
    box.Append(QStringLiteral("a\rb"), LogColor::Failure);
    const std::vector<LogBoxLine> expected = {
        {QStringLiteral("Dump List Download () Start."), 128 + 32 * 256},
        {QString(), 192 * 256},
        {QStringLiteral("Complete."), 192 * 256},
        {QString(), 192 * 256},
        {QStringLiteral("a"), 255},
        {QStringLiteral("b"), 255},
    };
    EXPECT_EQ(box.Lines(), expected);
    box.Clear();
    EXPECT_TRUE(box.Lines().empty());
}

}  // namespace
}  // namespace mt52
