#pragma once
// The simulated instrument's answers to the identity, settings and clock commands: reads
// answer from the instrument's registers, gas library and clock; writes store into them
// (so a later read returns what an upload wrote) and answer as the instrument does (an echo
// of the identity texts and the backlight time, a plain ACK for the others, the whole frame
// for the clock).
namespace mt52::sim {

class SimProtocol;

void RegisterSettingsCommands(SimProtocol& protocol);

}  // namespace mt52::sim
