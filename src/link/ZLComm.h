#pragma once
// The serial control: a serial device with the line settings, handshaking, RTS/DTR, input,
// output and communication events the link relies on, over QSerialPort.
//
// Line signals are polled on a timer of the control's own. A device without modem lines
// (a pseudo-terminal) reports virtual lines instead: CTS and DSR on right after a
// successful open, both off when the other side hangs up. A device that vanishes (unplugged,
// hung up) reports both lines off once, refuses writes and closes.
#include "link/LinkTransport.h"
#include "platform/Types.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <functional>

namespace mt52 {

class ZLComm final : public QObject, public LinkTransport {
    Q_OBJECT
public:
    // Communication event codes.
    enum : Integer {
        comEvReceive = 2,
        comEvCTS = 3,
        comEvDSR = 4,
        comEventBreak = 1001,
        comEventFrame = 1004,
        comEventOverrun = 1006,
        comEventRxOver = 1008,
        comEventRxParity = 1009,
        comEventTxFull = 1010,
        comEventDCB = 1011,
    };
    // Handshaking modes.
    enum : Integer { comNone = 0, comXOnXoff = 1, comRTS = 2, comRTSXOnXOff = 3 };
    // ModemStatus bits.
    static constexpr Long CtsBit = 0x10;
    static constexpr Long DsrBit = 0x20;
    // How often the line signals are looked at.
    static constexpr int LinePollMilliseconds = 50;

    explicit ZLComm(QObject* parent = nullptr);
    ~ZLComm() override;

    Integer CommPort() const { return commPort_; }
    void SetCommPort(Integer port) { commPort_ = port; }
    // Turns a port number into a device path (the port lister's numbering). Without one,
    // or when it answers empty, only an explicit PortName opens.
    void SetPortResolver(std::function<QString(Integer)> resolver) { resolver_ = std::move(resolver); }
    // A device path that takes the place of the port number (a pseudo-terminal in tests).
    QString PortName() const { return portName_; }
    void SetPortName(const QString& path) { portName_ = path; }

    // "baud,parity,data bits,stop bits", e.g. "921600,n,8,1". A text that is no such
    // setting raises the invalid-argument error and keeps the old one.
    QString Settings() const { return settings_; }
    void SetSettings(const QString& settings);
    Integer Handshaking() const { return handshaking_; }
    void SetHandshaking(Integer mode);
    bool RTSEnable() const { return rts_; }
    void SetRTSEnable(bool on);
    bool DTREnable() const { return dtr_; }
    void SetDTREnable(bool on);

    bool PortOpen() const { return serial_.isOpen(); }
    // Opens or closes the device. Opening never raises: a device that cannot be opened
    // (or set up) stays closed, and LastError says why.
    void SetPortOpen(bool open);
    QString LastError() const { return lastError_; }

    // CTS (10h) and DSR (20h) as the control sees them.
    Long ModemStatus() const;
    // Whether the device has no modem lines of its own (its lines are virtual).
    bool VirtualLines() const { return virtualLines_; }

    // LinkTransport
    bool open() override;
    void close() override;
    bool isOpen() const override { return PortOpen(); }
    bool write(const QByteArray& bytes) override;
    QByteArray readAvailable() override;
    LineSignals lineSignals() const override { return lines_; }

signals:
    // Something happened on the line; the code is one of the communication event codes.
    void OnComm(int commEvent);

private:
    struct LineSettings {
        qint32 baud = 9600;
        QSerialPort::Parity parity = QSerialPort::NoParity;
        QSerialPort::DataBits dataBits = QSerialPort::Data8;
        QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    };
    static bool ParseSettings(const QString& text, LineSettings& out);
    bool ApplySettings();
    void ApplyModemLines();
    void PollLines();
    void OnSerialError(QSerialPort::SerialPortError error);
    bool HungUp() const;
    LineSignals ReadLines();

    QSerialPort serial_;
    QTimer lineTimer_;
    std::function<QString(Integer)> resolver_;
    Integer commPort_ = 1;
    QString portName_;
    QString settings_ = QStringLiteral("9600,n,8,1");
    LineSettings line_;
    Integer handshaking_ = comNone;
    bool rts_ = false;
    bool dtr_ = false;
    bool virtualLines_ = false;
    bool vanished_ = false;
    LineSignals lines_;
    QString lastError_;
};

}  // namespace mt52
