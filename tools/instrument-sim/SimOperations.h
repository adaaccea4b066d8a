#pragma once
// The simulated instrument's answers to the memory dump and the one-shot operations: the
// dump streams the logging memory as blocks, the erasures and the default restore report
// completion to their polls, the switch-off powers the instrument down, the service
// commands switch their outputs.
namespace mt52::sim {

class SimProtocol;

void RegisterDumpAndOperations(SimProtocol& protocol);

}  // namespace mt52::sim
