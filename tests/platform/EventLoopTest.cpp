// Waiting in the message loop: a turn blocks until an event comes or its deadline passes,
// instead of turning over in small sleeps.
#include "platform/EventLoop.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(EventLoop, ATurnWaitsForTheNextEventAndEndsAtItsDeadline) {
    // An event 30 ms away ends one of the first few turns; a loop sleeping 1 ms a turn would
    // have needed about thirty.
    bool fired = false;
    QTimer::singleShot(30, [&] { fired = true; });
    int turns = 0;
    while (!fired && turns < 1000) {
        DoEvents(10000);
        ++turns;
    }
    EXPECT_TRUE(fired);
    EXPECT_LE(turns, 5);

    // With nothing to come, the deadline ends the turn.
    DoEvents(20);

    // Pending events run even when the turn may not wait.
    bool posted = false;
    QTimer::singleShot(0, [&] { posted = true; });
    DoEvents(0);
    EXPECT_TRUE(posted);
    EXPECT_EQ(DoEventsDepth(), 0);
}

}  // namespace
}  // namespace mt52
