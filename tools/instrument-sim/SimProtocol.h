#pragma once
// The simulated instrument's side of the wire protocol: bytes from the link go in, reply
// frames come out. Requests are cut at their terminator, looked up by their command code in
// a table of reply handlers, and answered; injected faults change or withhold the next
// replies.
//
// Extending the instrument: Register(code, handler) adds or replaces the answer to a
// command code ("IN,R", "EF,R" ...). A handler receives the request and the instrument's
// state and returns the frames to send: usually one EOT-terminated frame built with
// SimReply::Answer; a multi-block answer (the memory dump) returns its ETB-terminated
// blocks, which are sent one at a time, each after the link accepted the one before.
#include "SimInstrumentState.h"

#include <QByteArray>
#include <QList>
#include <deque>
#include <functional>

namespace mt52::sim {

// A request frame as the instrument cut it.
struct SimRequest {
    QByteArray frame;    // as received, terminator included
    QByteArray command;  // between "0001" and ETX, e.g. "RC,R,"
    QByteArray code;     // its first four characters, e.g. "RC,R"
    QByteArray data;     // the command text after the code and its comma
    char terminator = 0; // EOT for a request, ETB for a block reply
};

struct SimReply {
    QList<QByteArray> frames;  // the frames to send; empty: no answer

    // The frame STX "0001" code "," ACK-or-NAK data ETX checksum terminator.
    static QByteArray Frame(const QByteArray& code, const QByteArray& data, char ack = 0x06,
                            char terminator = 0x04);
    static SimReply Answer(const QByteArray& code, const QByteArray& data = {}, char ack = 0x06);
    static SimReply Nak(const QByteArray& code) { return Answer(code, {}, 0x15); }
    static SimReply Silence() { return {}; }
};

enum class SimFault {
    NoAnswer,    // the reply is not sent
    Garble,      // the reply's command code is damaged
    Short,       // the reply is cut off after a few characters (still terminated)
    Nak,         // NAK in place of ACK
    Pieces,      // the reply arrives in pieces, one per tick
    DropLine,    // the instrument leaves its cradle instead of answering
    Delay,       // the reply arrives some ticks late
};

// Bytes due on the line after a number of ticks.
struct SimChunk {
    QByteArray bytes;
    int delayTicks = 0;
};

class SimProtocol {
public:
    using Handler = std::function<SimReply(const SimRequest&, SimInstrumentState&)>;

    explicit SimProtocol(SimInstrumentState& state);

    void Register(const QByteArray& code, Handler handler);

    // Applies `fault` to the next `count` replies (to replies of `code` only, when given),
    // after `skip` such replies went out unharmed. For Pieces and Delay, `amount` is the
    // number of pieces or ticks.
    void InjectFault(SimFault fault, int count = 1, const QByteArray& code = {}, int amount = 3, int skip = 0);
    void ClearFaults() { faults_.clear(); }

    // Bytes written by the link.
    void Feed(const QByteArray& bytes);
    // The reply bytes produced so far, with their delays; emptied by the call.
    std::deque<SimChunk> TakeOutput();

    // Every request frame received, in order (block replies included).
    const QList<SimRequest>& Requests() const { return requests_; }
    QList<QByteArray> RequestCommands() const;
    SimInstrumentState& State() { return state_; }

private:
    struct PendingFault {
        SimFault fault;
        int count;
        QByteArray code;
        int amount;
        int skip;
    };

    void HandleRequest(const SimRequest& request);
    void HandleBlockReply(const SimRequest& request);
    void Send(const QByteArray& frame, const QByteArray& code);
    bool TakeFault(const QByteArray& code, PendingFault& fault);

    SimInstrumentState& state_;
    QMap<QByteArray, Handler> handlers_;
    QByteArray input_;
    std::deque<SimChunk> output_;
    QList<SimRequest> requests_;
    QList<PendingFault> faults_;
    // The blocks of a multi-block answer not yet sent, and the last one sent.
    QList<QByteArray> pendingBlocks_;
    QByteArray lastBlock_;
    QByteArray blockCode_;
};

}  // namespace mt52::sim
