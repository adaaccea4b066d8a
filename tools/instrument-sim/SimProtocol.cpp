#include "SimProtocol.h"

#include "SimSettingsCommands.h"

#include "link/CommandFrame.h"

namespace mt52::sim {
namespace {

// The standard answers. Later commands add their rows here.
SimReply ConnectionPoll(const SimRequest&, SimInstrumentState& state) { return SimReply::Answer("RC,R", state.model); }

SimRequest CutRequest(const QByteArray& frame) {
    SimRequest r;
    r.frame = frame;
    r.terminator = frame.back();
    const qsizetype stx = frame.indexOf(ctl::STX);
    const qsizetype etx = frame.lastIndexOf(ctl::ETX);
    if (stx >= 0 && etx > stx + 5)
        r.command = frame.mid(stx + 5, etx - stx - 5);
    r.code = r.command.left(4);
    r.data = r.command.mid(5);
    return r;
}

}  // namespace

QByteArray SimReply::Frame(const QByteArray& code, const QByteArray& data, char ack, char terminator) {
    return CommandFrame::BuildFrame(code + ',' + ack + data, terminator);
}

SimReply SimReply::Answer(const QByteArray& code, const QByteArray& data, char ack) {
    return SimReply{{Frame(code, data, ack)}};
}

SimProtocol::SimProtocol(SimInstrumentState& state) : state_(state) {
    Register("RC,R", ConnectionPoll);
    RegisterSettingsCommands(*this);
}

void SimProtocol::Register(const QByteArray& code, Handler handler) { handlers_.insert(code, std::move(handler)); }

void SimProtocol::InjectFault(SimFault fault, int count, const QByteArray& code, int amount, int skip) {
    faults_.append({fault, count, code, amount, skip});
}

QList<QByteArray> SimProtocol::RequestCommands() const {
    QList<QByteArray> out;
    for (const SimRequest& r : requests_)
        out.append(r.command);
    return out;
}

std::deque<SimChunk> SimProtocol::TakeOutput() { return std::exchange(output_, {}); }

void SimProtocol::Feed(const QByteArray& bytes) {
    input_ += bytes;
    for (;;) {
        qsizetype end = -1;
        for (qsizetype i = 0; i < input_.size(); ++i) {
            if (input_.at(i) == ctl::EOT || input_.at(i) == ctl::ETB) {
                end = i;
                break;
            }
        }
        if (end < 0)
            return;
        const SimRequest request = CutRequest(input_.left(end + 1));
        input_.remove(0, end + 1);
        requests_.append(request);
        if (!state_.poweredOn)
            continue;
        if (request.terminator == ctl::ETB)
            HandleBlockReply(request);
        else
            HandleRequest(request);
    }
}

void SimProtocol::HandleRequest(const SimRequest& request) {
    pendingBlocks_.clear();
    const auto handler = handlers_.constFind(request.code);
    const SimReply reply = handler != handlers_.cend() ? (*handler)(request, state_) : SimReply::Nak(request.code);
    if (reply.frames.isEmpty())
        return;
    blockCode_ = request.code;
    pendingBlocks_ = reply.frames;
    lastBlock_ = pendingBlocks_.takeFirst();
    Send(lastBlock_, request.code);
}

// A block reply accepts (ACK) or rejects (NAK) the block sent last.
void SimProtocol::HandleBlockReply(const SimRequest& request) {
    if (lastBlock_.isEmpty() || !lastBlock_.endsWith(ctl::ETB))
        return;
    if (request.command.endsWith(ctl::NAK)) {
        Send(lastBlock_, blockCode_);
        return;
    }
    if (pendingBlocks_.isEmpty())
        return;
    lastBlock_ = pendingBlocks_.takeFirst();
    Send(lastBlock_, blockCode_);
}

bool SimProtocol::TakeFault(const QByteArray& code, PendingFault& fault) {
    for (qsizetype i = 0; i < faults_.size(); ++i) {
        PendingFault& f = faults_[i];
        if (!f.code.isEmpty() && f.code != code)
            continue;
        if (f.skip > 0) {
            --f.skip;
            continue;
        }
        fault = f;
        if (--f.count <= 0)
            faults_.removeAt(i);
        return true;
    }
    return false;
}

void SimProtocol::Send(const QByteArray& frame, const QByteArray& code) {
    PendingFault fault;
    if (!TakeFault(code, fault)) {
        output_.push_back({frame, 0});
        return;
    }
    QByteArray bytes = frame;
    switch (fault.fault) {
    case SimFault::NoAnswer:
        return;
    case SimFault::Garble:
        bytes[5] = '?';
        bytes[6] = '?';
        break;
    case SimFault::Short:
        bytes = frame.left(8) + frame.back();
        break;
    case SimFault::Nak:
        bytes[10] = ctl::NAK;
        bytes = CommandFrame::BuildFrame(bytes.mid(5, bytes.size() - 9), frame.back());
        break;
    case SimFault::Pieces: {
        const int pieces = std::max(1, fault.amount);
        const qsizetype size = (bytes.size() + pieces - 1) / pieces;
        for (int i = 0; i < pieces; ++i) {
            const QByteArray piece = bytes.mid(i * size, size);
            if (!piece.isEmpty())
                output_.push_back({piece, i == 0 ? 0 : 1});
        }
        return;
    }
    case SimFault::DropLine:
        state_.takeOutOfCradle();
        return;
    case SimFault::Delay:
        output_.push_back({bytes, fault.amount});
        return;
    }
    output_.push_back({bytes, 0});
}

}  // namespace mt52::sim
