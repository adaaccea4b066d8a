#pragma once
// The instrument link as the pages use it: the link core (connection, status, cancel, the
// communication log) and the operation objects built on it. The objects belong to the link
// control (or, in tests, to the simulated line); the pages only borrow them.
namespace mt52 {

class LinkCore;
class SettingsTransfer;
class RomDump;
class InstrumentOperations;

struct PageLink {
    LinkCore& core;
    SettingsTransfer& settings;
    RomDump& dump;
    InstrumentOperations& operations;
};

}  // namespace mt52
