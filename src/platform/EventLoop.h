#pragma once
// "Yield to the message loop": runs the pending events; when none is pending, blocks until one
// arrives (bytes on the line, a timer, a click) or the deadline has passed, so a wait loop
// neither spins the processor nor sleeps in small steps. Every wait that calls it must have
// its own way out.
namespace mt52 {

// How long one turn waits at most for an event: one tick of the instrument link's timer.
inline constexpr int DefaultEventWaitMilliseconds = 100;

// One turn: pending events are run; with none pending, waits up to `maxWaitMilliseconds`
// for one (0: returns at once). Without an application object there are no events, and the
// turn sleeps until its deadline.
void DoEvents(int maxWaitMilliseconds = DefaultEventWaitMilliseconds);

// How many DoEvents calls are running (nested) right now: 0 when no wait is yielding, so that
// work deferred "until every wait has ended" can tell when it may run.
int DoEventsDepth();

}  // namespace mt52
