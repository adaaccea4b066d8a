#include "SimPtyServer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace mt52::sim {

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
    // Raw bytes both ways, whatever the slave side is set to later.
    termios tio{};
    if (tcgetattr(master_, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(master_, TCSANOW, &tio);
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void SimPtyServer::Serve() {
    if (master_ < 0)
        return;
    const SimInstrumentState& state = protocol_.State();
    const bool wasInCradle = state.cts || state.dsr;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        protocol_.Feed(QByteArray(buffer, static_cast<qsizetype>(n)));
    }
    // Lines that go off (a dropped line) are a hang-up here: the device has no others.
    if (wasInCradle && !state.cts && !state.dsr) {
        protocol_.TakeOutput();
        HangUp();
        return;
    }
    for (SimChunk& chunk : protocol_.TakeOutput())
        pending_.push_back(std::move(chunk));
    Flush();
}

void SimPtyServer::Advance() {
    if (!pending_.empty())
        --pending_.front().delayTicks;
    Flush();
}

void SimPtyServer::Flush() {
    while (master_ >= 0 && !pending_.empty() && pending_.front().delayTicks <= 0) {
        const QByteArray& bytes = pending_.front().bytes;
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += n;
        }
        pending_.pop_front();
    }
}

void SimPtyServer::HangUp() {
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
    pending_.clear();
}

}  // namespace mt52::sim
