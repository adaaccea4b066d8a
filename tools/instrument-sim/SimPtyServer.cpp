#include "SimPtyServer.h"

#include "SimLineSpeed.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace mt52::sim {
namespace {

// Paced bytes are written in slices, about one a millisecond, as a serial adapter hands them
// on; the last byte of a reply goes when it has crossed the wire.
constexpr std::chrono::milliseconds Slice{1};
// How soon a write the line had no room for is tried again.
constexpr std::chrono::milliseconds FullLineRetry{1};

}  // namespace

bool SimPtyServer::Open() {
    HangUp();
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        HangUp();
        return false;
    }
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        HangUp();
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    slaveHold_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slaveHold_ < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        HangUp();
        return false;
    }
    // Raw bytes both ways, whatever the slave side is set to later.
    termios tio{};
    if (tcgetattr(master_, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(master_, TCSANOW, &tio);
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

int SimPtyServer::PaceBaud() const {
    if (!pacing_.on)
        return 0;
    return pacing_.baud > 0 ? pacing_.baud : LineBaudRate(master_);
}

void SimPtyServer::Serve(SimTime now) {
    if (master_ < 0)
        return;
    const SimInstrumentState& state = protocol_.State();
    const bool wasInCradle = state.cts || state.dsr;
    const int baud = PaceBaud();
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        // Paced, what answers these bytes can go only once they have crossed the wire.
        const SimTime ready = baud > 0 ? wire_.Receive(n, now, baud) : now;
        protocol_.Feed(QByteArray(buffer, static_cast<qsizetype>(n)));
        for (SimChunk& chunk : protocol_.TakeOutput())
            pending_.push_back({std::move(chunk.bytes), chunk.delayTicks, ready, std::nullopt, 0, 0});
    }
    // Lines that go off (a dropped line) are a hang-up here: the device has no others.
    if (wasInCradle && !state.cts && !state.dsr) {
        HangUp();
        return;
    }
    WriteDue(now);
}

void SimPtyServer::Advance(SimTime now) {
    if (!pending_.empty()) {
        Outgoing& front = pending_.front();
        // A reply held back for ticks is ready when its last tick has passed.
        if (--front.delayTicks == 0)
            front.ready = std::max(front.ready, now);
    }
    WriteDue(now);
}

bool SimPtyServer::WriteUpTo(Outgoing& chunk, qsizetype upTo) {
    while (chunk.written < upTo) {
        const ssize_t n = ::write(master_, chunk.bytes.constData() + chunk.written,
                                  static_cast<size_t>(upTo - chunk.written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return false;
        if (n <= 0) {
            // The line refuses the bytes: they are lost, as on a broken wire.
            chunk.written = chunk.bytes.size();
            return true;
        }
        chunk.written += n;
    }
    return true;
}

void SimPtyServer::WriteDue(SimTime now) {
    retryAt_.reset();
    while (master_ >= 0 && !pending_.empty() && pending_.front().delayTicks <= 0) {
        Outgoing& chunk = pending_.front();
        qsizetype due = chunk.bytes.size();
        if (!chunk.start) {
            chunk.baud = PaceBaud();
            if (chunk.baud > 0)
                chunk.start = wire_.Send(chunk.bytes.size(), chunk.ready, chunk.baud);
        }
        if (chunk.start)
            due = static_cast<qsizetype>(BytesCrossed(*chunk.start, now, chunk.baud, chunk.bytes.size()));
        if (!WriteUpTo(chunk, due)) {
            retryAt_ = now + FullLineRetry;
            return;
        }
        if (chunk.written < chunk.bytes.size())
            return;
        pending_.pop_front();
    }
}

std::optional<SimTime> SimPtyServer::NextWrite() const {
    if (master_ < 0 || pending_.empty() || pending_.front().delayTicks > 0)
        return std::nullopt;
    if (retryAt_)
        return retryAt_;
    const Outgoing& chunk = pending_.front();
    if (!chunk.start)
        return chunk.ready;
    const SimTime end = *chunk.start + WireTime(chunk.bytes.size(), chunk.baud);
    const SimTime nextByte = *chunk.start + WireTime(chunk.written + 1, chunk.baud);
    return std::min(end, nextByte + Slice);
}

bool SimPtyServer::NextWriteEndsReply() const {
    if (master_ < 0 || pending_.empty() || retryAt_)
        return false;
    const Outgoing& chunk = pending_.front();
    if (chunk.delayTicks > 0 || !chunk.start)
        return false;
    const SimTime end = *chunk.start + WireTime(chunk.bytes.size(), chunk.baud);
    return NextWrite() == end;
}

void SimPtyServer::HangUp() {
    if (master_ >= 0)
        ::close(master_);
    if (slaveHold_ >= 0)
        ::close(slaveHold_);
    master_ = -1;
    slaveHold_ = -1;
    pending_.clear();
    retryAt_.reset();
}

}  // namespace mt52::sim
