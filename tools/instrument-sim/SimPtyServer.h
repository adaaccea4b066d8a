#pragma once
// Serves the simulated instrument on a pseudo-terminal: the program (or a test) opens the
// slave side as its serial device, and the server moves bytes between the master side and
// the protocol engine. A pseudo-terminal has no modem lines: the serial control shows
// virtual lines, on after it opened the device, off when the server hangs up.
//
// Unpaced, a reply is written the moment its request is complete. Paced, the line carries
// bytes at its baud rate, ten bits a byte, both ways: a request counts as arrived once its
// bytes have crossed the wire, and the reply's bytes are written as they cross it. The rate
// is the one the program opened the line with, or a fixed one.
#include "SimProtocol.h"
#include "SimWireClock.h"

#include <QString>
#include <deque>
#include <optional>

namespace mt52::sim {

struct SimPacing {
    bool on = false;
    // Bits per second; 0: the rate the line is set to.
    int baud = 0;
};

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

    void SetPacing(SimPacing pacing) { pacing_ = pacing; }
    SimPacing Pacing() const { return pacing_; }
    // The rate the bytes are paced at right now; 0 unpaced or when the line has no rate.
    int PaceBaud() const;

    // Takes what the link wrote and sends the replies that are due. Never blocks. When the
    // instrument leaves its cradle meanwhile (a dropped line), the server hangs up instead.
    void Serve() { Serve(std::chrono::steady_clock::now()); }
    void Serve(SimTime now);
    // Writes the reply bytes due by `now` (paced bytes, or bytes the line had no room for).
    void WriteDue(SimTime now);
    // When bytes are due next; none while nothing waits for a time (the next tick aside).
    std::optional<SimTime> NextWrite() const;
    // Whether the bytes due next complete a paced reply.
    bool NextWriteEndsReply() const;
    bool IsOpen() const { return master_ >= 0; }
    // One tick (100 ms) passes for delayed replies and replies in pieces.
    void Advance() { Advance(std::chrono::steady_clock::now()); }
    void Advance(SimTime now);
    // Closes the master side: the link's device reads as hung up.
    void HangUp();

private:
    struct Outgoing {
        QByteArray bytes;
        int delayTicks = 0;
        SimTime ready;                // the request it answers has arrived
        std::optional<SimTime> start; // paced: its first byte went on the wire
        int baud = 0;                 // paced: the rate it goes at
        qsizetype written = 0;
    };

    // Writes bytes [written, upTo) of `chunk`; false when the line had no room for all.
    bool WriteUpTo(Outgoing& chunk, qsizetype upTo);

    SimProtocol& protocol_;
    int master_ = -1;
    // The server keeps the slave side open too: otherwise, once the program closed it, the
    // master side would read as hung up until the program opens it again.
    int slaveHold_ = -1;
    QString slavePath_;
    QString error_;
    SimPacing pacing_;
    SimWireClock wire_;
    std::deque<Outgoing> pending_;
    // The line had no room for bytes that were due: try again at this time.
    std::optional<SimTime> retryAt_;
};

}  // namespace mt52::sim
