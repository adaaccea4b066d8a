#include "link/ZLComm.h"

#include "platform/RuntimeError.h"

#include <QStringList>
#include <poll.h>

namespace mt52 {

ZLComm::ZLComm(QObject* parent) : QObject(parent) {
    lineTimer_.setInterval(LinePollMilliseconds);
    connect(&lineTimer_, &QTimer::timeout, this, &ZLComm::PollLines);
    connect(&serial_, &QSerialPort::readyRead, this, [this] { emit OnComm(comEvReceive); });
    connect(&serial_, &QSerialPort::errorOccurred, this, &ZLComm::OnSerialError);
    ParseSettings(settings_, line_);
}

ZLComm::~ZLComm() { close(); }

bool ZLComm::ParseSettings(const QString& text, LineSettings& out) {
    const QStringList parts = text.trimmed().split(u',');
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const qint32 baud = parts[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return false;
    LineSettings s;
    s.baud = baud;
    const QString parity = parts[1].trimmed().toLower();
    if (parity == u"n")
        s.parity = QSerialPort::NoParity;
    else if (parity == u"e")
        s.parity = QSerialPort::EvenParity;
    else if (parity == u"o")
        s.parity = QSerialPort::OddParity;
    else if (parity == u"m")
        s.parity = QSerialPort::MarkParity;
    else if (parity == u"s")
        s.parity = QSerialPort::SpaceParity;
    else
        return false;
    const int bits = parts[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return false;
    s.dataBits = static_cast<QSerialPort::DataBits>(bits);
    const QString stop = parts[3].trimmed();
    if (stop == u"1")
        s.stopBits = QSerialPort::OneStop;
    else if (stop == u"1.5")
        s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == u"2")
        s.stopBits = QSerialPort::TwoStop;
    else
        return false;
    out = s;
    return true;
}

void ZLComm::SetSettings(const QString& settings) {
    LineSettings parsed;
    if (!ParseSettings(settings, parsed))
        Raise(ErrInvalidArgument, QStringLiteral("serial settings \"%1\"").arg(settings));
    settings_ = settings;
    line_ = parsed;
    if (serial_.isOpen())
        ApplySettings();
}

void ZLComm::SetHandshaking(Integer mode) {
    if (mode < comNone || mode > comRTSXOnXOff)
        Raise(ErrInvalidArgument, QStringLiteral("handshaking %1").arg(mode));
    handshaking_ = mode;
    if (serial_.isOpen())
        ApplySettings();
}

void ZLComm::SetRTSEnable(bool on) {
    rts_ = on;
    ApplyModemLines();
}

void ZLComm::SetDTREnable(bool on) {
    dtr_ = on;
    ApplyModemLines();
}

bool ZLComm::ApplySettings() {
    // The serial driver has no RTS handshaking combined with XON/XOFF: RTS/CTS is used.
    const QSerialPort::FlowControl flow = handshaking_ == comNone      ? QSerialPort::NoFlowControl
                                          : handshaking_ == comXOnXoff ? QSerialPort::SoftwareControl
                                                                       : QSerialPort::HardwareControl;
    const bool ok = serial_.setBaudRate(line_.baud) && serial_.setParity(line_.parity) &&
                    serial_.setDataBits(line_.dataBits) && serial_.setStopBits(line_.stopBits) &&
                    serial_.setFlowControl(flow);
    if (!ok)
        lastError_ = serial_.errorString();
    return ok;
}

// RTS and DTR as set. Under RTS/CTS handshaking the driver owns RTS. A device without modem
// lines refuses both, which is no fault of the line.
void ZLComm::ApplyModemLines() {
    if (!serial_.isOpen() || virtualLines_)
        return;
    if (serial_.flowControl() != QSerialPort::HardwareControl)
        serial_.setRequestToSend(rts_);
    serial_.setDataTerminalReady(dtr_);
    serial_.clearError();
}

void ZLComm::SetPortOpen(bool open) {
    if (open)
        this->open();
    else
        close();
}

bool ZLComm::open() {
    if (serial_.isOpen())
        return true;
    QString path = portName_;
    if (path.isEmpty() && resolver_)
        path = resolver_(commPort_);
    if (path.isEmpty()) {
        lastError_ = QStringLiteral("no serial device for port %1").arg(commPort_);
        return false;
    }
    serial_.setPortName(path);
    if (!serial_.open(QIODevice::ReadWrite)) {
        lastError_ = serial_.errorString();
        serial_.clearError();
        return false;
    }
    if (!ApplySettings()) {
        serial_.close();
        return false;
    }
    vanished_ = false;
    serial_.pinoutSignals();
    virtualLines_ = serial_.error() != QSerialPort::NoError;
    serial_.clearError();
    ApplyModemLines();
    serial_.clear();
    lastError_.clear();
    lines_ = {};
    lineTimer_.start();
    // The first poll reports the lines found (the virtual lines come on at once).
    QTimer::singleShot(0, this, &ZLComm::PollLines);
    return true;
}

void ZLComm::close() {
    lineTimer_.stop();
    if (serial_.isOpen())
        serial_.close();
    lines_ = {};
}

bool ZLComm::write(const QByteArray& bytes) {
    if (!serial_.isOpen() || vanished_)
        return false;
    if (serial_.write(bytes) != bytes.size())
        return false;
    serial_.flush();
    return !vanished_;
}

QByteArray ZLComm::readAvailable() { return serial_.isOpen() ? serial_.readAll() : QByteArray(); }

Long ZLComm::ModemStatus() const { return (lines_.cts ? CtsBit : 0) | (lines_.dsr ? DsrBit : 0); }

LineSignals ZLComm::ReadLines() {
    if (vanished_)
        return {};
    if (virtualLines_)
        return {true, true};
    const QSerialPort::PinoutSignals pins = serial_.pinoutSignals();
    serial_.clearError();
    return {pins.testFlag(QSerialPort::ClearToSendSignal), pins.testFlag(QSerialPort::DataSetReadySignal)};
}

void ZLComm::PollLines() {
    if (!serial_.isOpen())
        return;
    const LineSignals now = ReadLines();
    const LineSignals before = std::exchange(lines_, now);
    // One event per change: its handler reads both lines, so lines that changed together
    // (virtual lines, a hang-up) are reported once.
    if (now.cts != before.cts)
        emit OnComm(comEvCTS);
    else if (now.dsr != before.dsr)
        emit OnComm(comEvDSR);
    if (vanished_)
        close();
}

// Whether the device reports that the other side hung up.
bool ZLComm::HungUp() const {
    pollfd p{static_cast<int>(serial_.handle()), POLLIN, 0};
    return p.fd >= 0 && ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0;
}

void ZLComm::OnSerialError(QSerialPort::SerialPortError error) {
    // A hung-up terminal reads as end of file, which QSerialPort reports as a resource error or
    // as a read error depending on a stale error number; so a read error counts as well when
    // the device itself reports the hang-up.
    const bool gone = error == QSerialPort::ResourceError || (error == QSerialPort::ReadError && HungUp());
    if (!gone || vanished_)
        return;
    // The device is gone or the other side hung up: report the lines off once (on the next
    // poll, outside QSerialPort's own handling), then close.
    lastError_ = serial_.errorString();
    vanished_ = true;
    QTimer::singleShot(0, this, &ZLComm::PollLines);
}

}  // namespace mt52
