#pragma once
// "Yield to the message loop": run the pending events, then sleep a moment so that a wait
// loop does not spin the processor. Every wait that calls it must have its own way out.
namespace mt52 {

void DoEvents(int sleepMilliseconds = 1);

}  // namespace mt52
