#pragma once
// The two state codes of the instrument link.
#include "platform/Types.h"

namespace mt52 {

// What the link is doing with the instrument. Held as a Long: the host may set any value.
enum LinkStatus : Long {
    StatusInitial = 0,      // initial; the poll was abandoned or given up; switched off
    StatusFree = 2,         // free: a multi-step operation ended, or a cancel ran out of attempts
    StatusBlockRead = 3,    // a block-by-block read waits; every ETB block is acknowledged
    StatusReadWait = 4,     // a read command (or the connection poll) waits
    StatusWriteWait = 5,    // a write, check or execute command waits
    StatusDone = 6,         // the reply was accepted
    StatusFailed = 7,       // attempts used up, write refused, line error, link lost mid-command
    StatusCancelled = 8,    // data arrived while a cancel was requested
    StatusBinaryBlock = 9,  // a block of the binary dump is being received
};

// Whether the status is one of the waiting codes, i.e. a command is pending.
constexpr bool IsWaitingStatus(Long status) {
    return status == StatusBlockRead || status == StatusReadWait || status == StatusWriteWait ||
           status == StatusBinaryBlock;
}

// Whether an instrument answers.
enum LinkMode : Long {
    ModeIdle = 0,        // not connected: no polling
    ModeConnecting = 2,  // the link timer polls with "RC,R,"
    ModeConnected = 3,   // the instrument answered the poll; per-command time-outs run
};

}  // namespace mt52
