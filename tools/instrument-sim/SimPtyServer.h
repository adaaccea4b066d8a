#pragma once
// Serves the simulated instrument on a pseudo-terminal: the program (or a test) opens the
// slave side as its serial device, and the server moves bytes between the master side and
// the protocol engine. A pseudo-terminal has no modem lines: the serial control shows
// virtual lines, on after it opened the device, off when the server hangs up.
#include "SimProtocol.h"

#include <QString>
#include <deque>

namespace mt52::sim {

class SimPtyServer {
public:
    explicit SimPtyServer(SimProtocol& protocol) : protocol_(protocol) {}
    ~SimPtyServer() { HangUp(); }
    SimPtyServer(const SimPtyServer&) = delete;
    SimPtyServer& operator=(const SimPtyServer&) = delete;

    // Creates the pseudo-terminal; false with Error() set when that fails.
    bool Open();
    QString SlavePath() const { return slavePath_; }
    QString Error() const { return error_; }
    int MasterDescriptor() const { return master_; }

    // Takes what the link wrote and sends the replies that are due. Never blocks. When the
    // instrument leaves its cradle meanwhile (a dropped line), the server hangs up instead.
    void Serve();
    bool IsOpen() const { return master_ >= 0; }
    // One tick (100 ms) passes for delayed replies and replies in pieces.
    void Advance();
    // Closes the master side: the link's device reads as hung up.
    void HangUp();

private:
    void Flush();

    SimProtocol& protocol_;
    int master_ = -1;
    QString slavePath_;
    QString error_;
    std::deque<SimChunk> pending_;
};

}  // namespace mt52::sim
