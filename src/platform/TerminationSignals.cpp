#include "platform/TerminationSignals.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace mt52 {

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    writeEnd_ = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
        }
        if (onSignal_)
            onSignal_();
    });
    struct sigaction action {};
    action.sa_handler = &TerminationSignals::Handle;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &oldInt_);
    ::sigaction(SIGTERM, &action, &oldTerm_);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_)
        return;
    ::sigaction(SIGINT, &oldInt_, nullptr);
    ::sigaction(SIGTERM, &oldTerm_, nullptr);
    writeEnd_ = -1;
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::Handle(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(writeEnd_, &byte, 1);
    errno = saved;
}

}  // namespace mt52
