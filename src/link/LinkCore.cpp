#include "link/LinkCore.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "link/CommandFrame.h"
#include "link/SerialLog.h"
#include "platform/Clock.h"

#include <QFile>
#include <utility>

namespace mt52 {
namespace {

// Texts of the communication log.
constexpr int TextFrameWritten = 5552;
constexpr int TextFrameRead = 5549;
constexpr int TextConnectStarted = 5512;
constexpr int TextNoResponse = 5405;

}  // namespace

LinkCore::LinkCore(LinkTransport& transport, EventPump pump, LinkEvents* events)
    : transport_(transport), pump_(std::move(pump)), events_(events ? events : &ownEvents_), parser_(*this) {}

void LinkCore::SetRetry(Integer value) { retry_ = value < 1 ? DefaultRetry : value; }

void LinkCore::SetTimeout(Integer seconds) {
    if (seconds < 1 || seconds > 3276)
        seconds = DefaultTimeoutSeconds;
    timeoutTicks_ = static_cast<Integer>(seconds * 10);
}

void LinkCore::AddLog(const QString& text) { SerialLog::Write(text); }

void LinkCore::AddDatedLog(int textId, const QList<Variant>& more) {
    const Date now = Now();
    SerialLog::Write(GetResText(textId, QList<Variant>{GeneralDate(now)} + more), now);
}

bool LinkCore::DisConnect() {
    tickCounter_ = 0;
    status_ = StatusFree;
    return false;
}

// --- sending ---

void LinkCore::DataSend(const QByteArray& frame, bool initFlag) {
    receiveBuffer_.clear();
    if (!transport_.write(frame)) {
        status_ = StatusFailed;
        return;
    }
    events_->StsTransmit();
    State().ReplyReceived = false;
    lastFrame_ = frame;
    replyCountdown_ = timeoutTicks_;
    if (initFlag)
        retryCounter_ = 0;
    AddLog(SerialLog::FrameText(TextFrameWritten, frame));
}

void LinkCore::SendBlockReply(char ackOrNak, bool initFlag, bool sevenWhenIH) {
    DataSend(CommandFrame::BlockReply(lastFrame_, ackOrNak, sevenWhenIH), initFlag);
}

// --- receiving ---

void LinkCore::OnBytesArrived(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    events_->StsTransmit();
    State().ReplyReceived = true;
    if (status_ != StatusBinaryBlock)
        receiveBuffer_ += bytes;
    if (cancel_) {
        status_ = StatusCancelled;
        receiveBuffer_.clear();
        return;
    }
    if (status_ == StatusBinaryBlock)
        ReceiveBinaryBlock(bytes);
    RunFrameLoop();
    TrimReceiveBuffer();
}

void LinkCore::ReceiveBinaryBlock(const QByteArray& bytes) {
    QFile file(BinDumpPath);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(BinDumpBase) || file.write(bytes) != bytes.size()) {
        AddLog(QStringLiteral("<<< Image file error: %1 >>>").arg(BinDumpPath));
        status_ = StatusFailed;
        return;
    }
    BinDumpBase += static_cast<Long>(bytes.size());
    BinReceived += static_cast<Long>(bytes.size());
    if (BinReceived >= BinBlockSize)
        status_ = StatusDone;
}

// Runs while the buffer holds a terminator or a CR. Every step reads the link's state
// afresh: a reply's handling may run a whole nested transfer that sends frames (emptying
// the buffer) and changes the status before this loop goes on.
void LinkCore::RunFrameLoop() {
    for (;;) {
        const qsizetype etb = receiveBuffer_.indexOf(ctl::ETB);
        const qsizetype eot = receiveBuffer_.indexOf(ctl::EOT);
        if (etb < 0 && eot < 0 && !receiveBuffer_.contains(ctl::CR))
            return;
        const int end = CommandFrame::PickFrameEnd(static_cast<int>(etb + 1), static_cast<int>(eot + 1), 0);
        if (end == 0) {
            // A CR without a terminator. Inside a frame that has begun (its STX is here),
            // the CR is part of the reply's data: wait for the terminator; the time-out
            // covers a reply that really broke off.
            if (receiveBuffer_.contains(ctl::STX))
                return;
            if (retryCounter_ >= retry_) {
                status_ = StatusFailed;
                receiveBuffer_.clear();
                return;
            }
            ++retryCounter_;
            if (retryCounter_ > 1)
                events_->ConnectRetry(retryCounter_);
            DataSend(lastFrame_, false);
            continue;
        }
        QByteArray frame = receiveBuffer_.left(end);
        AddLog(SerialLog::FrameText(TextFrameRead, frame));
        receiveBuffer_.remove(0, end);
        if (CommandFrame::HasChecksumMismatch(frame))
            AddLog(QStringLiteral("<<< Checksum error >>>"));
        const bool isBlock = end == etb + 1;
        const bool ok = parser_.ParseResponse(frame);
        if (ok && isBlock) {
            // What follows an accepted block belongs to the same reply: writing the block
            // reply must not throw it away.
            const QByteArray rest = std::exchange(receiveBuffer_, {});
            SendBlockReply(ctl::ACK, true);
            receiveBuffer_.prepend(rest);
        } else if (ok) {
            status_ = StatusDone;
        } else if (retryCounter_ >= retry_) {
            status_ = StatusFailed;
        } else {
            ++retryCounter_;
            if (status_ == StatusReadWait || status_ == StatusWriteWait) {
                if (!CommandFrame::IsNoResendCommand(lastFrame_))
                    DataSend(lastFrame_, false);
            } else {
                SendBlockReply(ctl::NAK, false);
            }
        }
    }
}

void LinkCore::TrimReceiveBuffer() {
    if (receiveBuffer_.size() <= MaxPendingBytes)
        return;
    const qsizetype dropped = receiveBuffer_.size() - MaxPendingBytes;
    receiveBuffer_.remove(0, dropped);
    AddLog(QStringLiteral("<<< Receive buffer full: %1 bytes dropped >>>").arg(dropped));
}

// --- the link timer ---

void LinkCore::Tick() {
    ++tickCounter_;
    if (mode_ == ModeConnecting)
        ConnectingTick();
    else if (mode_ == ModeConnected || IsWaitingStatus(status_))
        // A command sent while not connected gets its time-out too, so its wait ends.
        CommandTimeoutTick();
}

void LinkCore::ConnectingTick() {
    if (status_ != StatusReadWait) {
        AddLog(GetResText(TextConnectStarted));
        if (retryCounter_ < retry_) {
            ++retryCounter_;
            if (retryCounter_ % 5 == 0)
                events_->ConnectRetry(static_cast<Integer>(retryCounter_ / 5));
            status_ = StatusReadWait;
            DataSend(CommandFrame::BuildFrame("RC,R,", ctl::EOT), false);
            tickCounter_ = 0;
        } else {
            status_ = StatusInitial;
            mode_ = ModeIdle;
            events_->AlarmMessage(GetResText(TextNoResponse));
            tickCounter_ = 0;
        }
    } else if (tickCounter_ > 10) {
        // The poll went unanswered: the next tick sends the next one.
        status_ = StatusInitial;
        tickCounter_ = 0;
    }
}

void LinkCore::CommandTimeoutTick() {
    if (replyCountdown_ > 0) {
        --replyCountdown_;
        return;
    }
    if (retryCounter_ < retry_) {
        ++retryCounter_;
        switch (status_) {
        case StatusBlockRead:
            if (lastFrame_.endsWith(ctl::EOT))
                DataSend(lastFrame_, false);
            else
                SendBlockReply(ctl::NAK, false, false);
            break;
        case StatusReadWait:
        case StatusWriteWait:
            if (!CommandFrame::IsNoResendCommand(lastFrame_))
                DataSend(lastFrame_, false);
            break;
        case StatusBinaryBlock:
            AddLog(QStringLiteral("= timeout ="));
            binaryRetry_ = true;
            cancel_ = true;
            break;
        default:
            break;
        }
        return;
    }
    if (status_ == StatusFree || status_ == StatusDone)
        return;
    if (status_ == StatusCancelled) {
        status_ = StatusFree;
        return;
    }
    status_ = StatusFailed;
    State().ReplyReceived = false;
}

// --- line events ---

void LinkCore::EndPendingWait(Long statusWhenIdle) {
    // A waiting command did not succeed; nor did one whose failure or cancel its wait has not
    // yet read: that end must not turn into a success. Only an idle link takes the new status.
    if (IsWaitingStatus(status_))
        status_ = StatusFailed;
    else if (status_ != StatusFailed && status_ != StatusCancelled)
        status_ = statusWhenIdle;
}

void LinkCore::OnLineEvent() {
    const LineSignals lines = transport_.lineSignals();
    retryCounter_ = 0;
    if (!lines.anyOn()) {
        mode_ = ModeIdle;
        // A command that was waiting did not succeed: only an idle link reports done.
        EndPendingWait(StatusDone);
        events_->LinkLost();
        return;
    }
    // A new connection sequence: the next tick polls. A command still waiting belongs to
    // the old connection and fails rather than take the poll's reply for its own. While
    // connecting, the waiting command is the poll itself: it stays pending, so its reply
    // still connects and no second poll is written over it.
    if (mode_ != ModeConnecting && IsWaitingStatus(status_))
        status_ = StatusFailed;
    mode_ = ModeConnecting;
    cancel_ = false;
}

void LinkCore::OnLineError(int code) {
    int textId = 0;
    switch (code) {
    case 1001: textId = 5542; break;
    case 1004: textId = 5543; break;
    case 1006: textId = 5544; break;
    case 1008: textId = 5545; break;
    case 1009: textId = 5546; break;
    case 1010:
        if (mode_ == ModeConnecting)
            return;
        textId = 5547;
        break;
    case 1011: textId = 5548; break;
    default: return;
    }
    AddDatedLog(textId);
    switch (code) {
    case 1001: break;
    case 1010:
    case 1011: EndPendingWait(StatusDone); break;
    default: status_ = StatusFailed; break;
    }
}

// --- waiting ---

void LinkCore::PumpTransport() {
    if (!transport_.isOpen())
        return;
    const QByteArray bytes = transport_.readAvailable();
    if (!bytes.isEmpty())
        OnBytesArrived(bytes);
}

Long LinkCore::WaitWhile(Long waitingCode, bool stopOnCancel) {
    while (status_ == waitingCode && !(stopOnCancel && cancel_)) {
        PumpTransport();
        if (status_ != waitingCode || (stopOnCancel && cancel_))
            break;
        pump_();
    }
    if (status_ == StatusCancelled)
        cancel_ = false;
    return status_;
}

// --- operations ---

LinkOperation::LinkOperation(LinkCore& link) : link_(link), accepted_(!link.operationActive_) {
    if (!accepted_) {
        link_.AddLog(QStringLiteral("<<< Link busy: operation refused >>>"));
        return;
    }
    link_.operationActive_ = true;
    link_.cancel_ = false;
}

LinkOperation::~LinkOperation() {
    if (accepted_)
        link_.operationActive_ = false;
}

bool LinkOperation::Exchange(const QByteArray& command, Long waitingCode) {
    return ExchangeFrame(CommandFrame::BuildFrame(command, ctl::EOT), waitingCode);
}

bool LinkOperation::ExchangeFrame(const QByteArray& frame, Long waitingCode) {
    if (!accepted_)
        return false;
    link_.status_ = waitingCode;
    link_.DataSend(frame, true);
    return link_.WaitWhile(waitingCode) == StatusDone;
}

}  // namespace mt52
