#pragma once
// The instrument link without any platform part: frames going out, bytes coming in, the
// 100 ms tick (connection polling, per-command time-outs and resends) and the line events.
// The host drives it with OnBytesArrived, Tick and OnLineEvent; the line itself, the way a
// wait yields (the event pump) and the receiver of the events are handed in, so tests run
// it tick by tick against the simulated instrument.
//
// A wait (WaitWhile) never relies on a receive event being delivered while it runs: it
// takes the transport's bytes itself between two turns of the pump, because a wait may be
// running inside the handling of an earlier reply (the automatic download runs inside the
// connection reply), where a serial port does not announce new bytes again.
#include "link/InstrumentReadTracker.h"
#include "link/LinkEvents.h"
#include "link/LinkStatus.h"
#include "link/LinkTransport.h"
#include "link/ReplyParser.h"
#include "platform/Types.h"
#include "platform/Variant.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace mt52 {

class clsInstrument;

// Receives the blocks of the memory dump while a download runs (see RomDump).
class DumpBlockSink {
public:
    virtual ~DumpBlockSink() = default;
    // One block: its number and its bytes as hexadecimal digits, as the instrument sent
    // them. False rejects the block as damaged.
    virtual bool DumpBlock(const QString& blockNo, const QString& hexBytes) = 0;
};

class LinkCore {
public:
    // One turn of the host's message loop: in the program, DoEvents; in tests, one tick.
    using EventPump = std::function<void()>;

    // A receive buffer that grows past this without a terminator loses its oldest bytes.
    static constexpr qsizetype MaxPendingBytes = 64 * 1024;
    // Defaults, and the values that an out-of-range setting falls back to.
    static constexpr Integer DefaultRetry = 3;
    static constexpr Integer DefaultTimeoutSeconds = 3;

    LinkCore(LinkTransport& transport, EventPump pump, LinkEvents* events = nullptr);
    LinkCore(const LinkCore&) = delete;
    LinkCore& operator=(const LinkCore&) = delete;

    // --- parameters and state ---
    Integer Retry() const { return retry_; }
    void SetRetry(Integer value);  // below 1: 3
    Integer Timeout() const { return static_cast<Integer>(timeoutTicks_ / 10); }  // seconds
    void SetTimeout(Integer seconds);  // outside 1..3276: 3
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool BinaryRetry() const { return binaryRetry_; }
    void SetBinaryRetry(bool value) { binaryRetry_ = value; }
    Long Status() const { return status_; }
    void SetStatus(Long value) { status_ = value; }
    Long Mode() const { return mode_; }
    void SetMode(Long value) { mode_ = value; }
    bool Connected() const { return mode_ == ModeConnected; }
    Integer RetryCounter() const { return retryCounter_; }
    Integer ReplyCountdown() const { return replyCountdown_; }
    Long TickCounter() const { return tickCounter_; }
    void ResetTickCounter() { tickCounter_ = 0; }
    const QByteArray& LastFrame() const { return lastFrame_; }
    const QByteArray& ReceiveBuffer() const { return receiveBuffer_; }
    // The model that replies are parsed into and write replies compared with; the read and
    // upload operations set it and it stays set after them. Not owned: the object must
    // outlive its use by the link (the main window's instrument lives as long as the link).
    clsInstrument* Instrument() const { return instrument_; }
    void SetInstrument(clsInstrument* model) { instrument_ = model; }
    // What has been read from the connected instrument into which model.
    InstrumentReadTracker& ReadTracker() { return readTracker_; }
    // The running dump download that takes the dump blocks; none outside a download.
    DumpBlockSink* DumpSink() const { return dumpSink_; }
    void SetDumpSink(DumpBlockSink* sink) { dumpSink_ = sink; }

    // Binary dump state: the image file and where the block being received goes.
    QString BinDumpPath;
    Long BinDumpBase = 0;
    Long BinBlockSize = 64;
    Long BinReceived = 0;

    LinkTransport& Transport() { return transport_; }
    LinkEvents& Events() { return *events_; }
    ReplyParser& Parser() { return parser_; }

    // --- inputs ---
    // Writes one frame and arms its time-out; `initFlag` starts a new count of attempts.
    // A refused write sets Status 7 and changes nothing else (the buffer is emptied).
    void DataSend(const QByteArray& frame, bool initFlag);
    // Bytes from the line: cut complete frames and hand them to the reply parser.
    void OnBytesArrived(const QByteArray& bytes);
    // One 100 ms tick of the link timer.
    void Tick();
    // CTS or DSR changed: reads the transport's lines and connects or drops the link.
    void OnLineEvent();
    // A line error of the serial control (1001 break .. 1011 device control block error).
    void OnLineError(int code);

    // --- waiting ---
    // Takes what the transport has received and processes it.
    void PumpTransport();
    // Yields until Status leaves `waitingCode` (or, with `stopOnCancel`, Cancel is set);
    // returns the Status it ended with. A wait that ended cancelled (8) resets Cancel.
    Long WaitWhile(Long waitingCode, bool stopOnCancel = false);
    // One turn of a wait that watches something else than the status (a time, the tick
    // counter): takes what the transport received, then yields to the host's loop.
    void Yield() {
        PumpTransport();
        pump_();
    }

    // --- host members ---
    void AddLog(const QString& text);
    // Writes text `textId` with the current date-time ("General Date") as its first argument
    // and `more` after it; the line's time and that date come from one reading of the clock.
    void AddDatedLog(int textId, const QList<Variant>& more = {});
    // TickCounter 0, Status 2; always false. The link mode is not touched.
    bool DisConnect();

    // One link operation at a time: LinkOperation claims the link for its life.
    bool OperationActive() const { return operationActive_; }

private:
    friend class LinkOperation;

    void RunFrameLoop();
    void SendBlockReply(char ackOrNak, bool initFlag, bool sevenWhenIH = true);
    void CommandTimeoutTick();
    void ConnectingTick();
    void ReceiveBinaryBlock(const QByteArray& bytes);
    void TrimReceiveBuffer();
    // The status a pending wait ends with when the line goes away under it.
    void EndPendingWait(Long statusWhenIdle);

    LinkTransport& transport_;
    EventPump pump_;
    LinkEvents ownEvents_;
    LinkEvents* events_;
    ReplyParser parser_;

    QByteArray receiveBuffer_;
    QByteArray lastFrame_;
    Integer retryCounter_ = 0;
    Integer retry_ = DefaultRetry;
    Integer replyCountdown_ = 0;
    Integer timeoutTicks_ = DefaultTimeoutSeconds * 10;
    Long tickCounter_ = 0;
    Long status_ = StatusInitial;
    Long mode_ = ModeIdle;
    bool cancel_ = false;
    bool binaryRetry_ = false;
    bool operationActive_ = false;
    clsInstrument* instrument_ = nullptr;
    InstrumentReadTracker readTracker_;
    DumpBlockSink* dumpSink_ = nullptr;
};

// Claims the link for one operation (a read, an upload, a dump ...). A second operation
// started while one is running is refused: Accepted() is false and Exchange fails at once
// without touching the link. Starting an operation resets Cancel.
//
// A typical operation:
//     LinkOperation op(link);
//     if (!op.Accepted()) return false;
//     for (const QByteArray& command : commands)
//         if (!op.Exchange(command, StatusReadWait)) return false;
//     return true;
// The replies are judged and stored by the reply parser's rows while Exchange waits.
class LinkOperation {
public:
    explicit LinkOperation(LinkCore& link);
    ~LinkOperation();
    LinkOperation(const LinkOperation&) = delete;
    LinkOperation& operator=(const LinkOperation&) = delete;

    bool Accepted() const { return accepted_; }

    // Sets Status to `waitingCode` (3, 4 or 5), sends the command framed with EOT as the
    // first attempt, waits while Status keeps that code; true when it ended with 6.
    bool Exchange(const QByteArray& command, Long waitingCode);
    // The same for a frame that is already built.
    bool ExchangeFrame(const QByteArray& frame, Long waitingCode);

private:
    LinkCore& link_;
    bool accepted_;
};

}  // namespace mt52
