#pragma once
// "Yield to the message loop": run the pending events, then sleep a moment so that a wait
// loop does not spin the processor. Every wait that calls it must have its own way out.
namespace mt52 {

void DoEvents(int sleepMilliseconds = 1);

// How many DoEvents calls are running (nested) right now: 0 when no wait is yielding, so that
// work deferred "until every wait has ended" can tell when it may run.
int DoEventsDepth();

}  // namespace mt52
