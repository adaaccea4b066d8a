#pragma once
// The link control that the main window holds (hidden): the serial and infrared controls,
// the 100 ms link timer and the link core, with the control's properties, methods and events.
// The link's work is done by LinkCore; this class chooses the transport, feeds the core
// with the serial control's events and the timer's ticks, and turns the core's events
// into signals.
#include "link/BinDump.h"
#include "link/InstrumentOperations.h"
#include "link/LinkCore.h"
#include "link/RomDump.h"
#include "link/SettingsTransfer.h"
#include "link/ZLComm.h"
#include "link/ZlIrDA11.h"

#include <QObject>
#include <QTimer>
#include <QVariantMap>
#include <array>

namespace mt52 {

class uclLqif final : public QObject {
    Q_OBJECT
public:
    static constexpr int TickMilliseconds = 100;

    explicit uclLqif(QObject* parent = nullptr);
    ~uclLqif() override;

    // The property bag: "Enabled", "CommPort", "DTREnable", "RTSEnable", "Settings".
    void ReadProperties(const QVariantMap& bag);
    QVariantMap WriteProperties() const;
    // Properties marked as changed since the bag was read.
    bool PropertiesChanged() const { return propertiesChanged_; }

    void AddLog(const QString& text) { core_.AddLog(text); }
    void AddDatedLog(int textId) { core_.AddDatedLog(textId); }
    Integer Timeout() const { return core_.Timeout(); }
    void SetTimeout(Integer seconds) { core_.SetTimeout(seconds); }
    Integer Retry() const { return core_.Retry(); }
    void SetRetry(Integer value) { core_.SetRetry(value); }
    bool Cancel() const { return core_.Cancel(); }
    void SetCancel(bool value) { core_.SetCancel(value); }
    bool BinaryRetry() const { return core_.BinaryRetry(); }
    void SetBinaryRetry(bool value) { core_.SetBinaryRetry(value); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    // Port and line members act on the chosen transport: the infrared control when it is
    // available and SerialComm is false, else the serial control.
    Integer CommPort() const { return mscComm.CommPort(); }
    void SetCommPort(Integer port) { mscComm.SetCommPort(port); }
    bool SerialComm() const { return serialComm_; }
    void SetSerialComm(bool value) { serialComm_ = value; }
    bool PortOpen() const { return IrDAChosen() ? ZlIrDA1.PortOpen() : mscComm.PortOpen(); }
    // The serial control's failures are not raised: its port simply stays closed.
    void SetPortOpen(bool open);
    bool DTREnable() const { return mscComm.DTREnable(); }
    void SetDTREnable(bool on);
    bool RTSEnable() const { return mscComm.RTSEnable(); }
    void SetRTSEnable(bool on);
    Integer Handshaking() const { return mscComm.Handshaking(); }
    void SetHandshaking(Integer mode);
    QString Settings() const { return mscComm.Settings(); }
    void SetSettings(const QString& settings);

    // Five values kept for the host; an index outside 0..4 raises the subscript error.
    Long FactCal(Integer index) const;
    void SetFactCal(Integer index, Long value);
    void SetSystemBlock(Long) {}

    QString BinDumpPath() const { return core_.BinDumpPath; }
    void SetBinDumpPath(const QString& path);

    bool DisConnect() { return core_.DisConnect(); }
    bool Connected() const { return core_.Connected(); }
    void SetConnected(bool) {}
    bool TimerEnabled() const { return tmrTimer.isActive(); }
    void SetTimerEnabled(bool on);
    Long Status() const { return core_.Status(); }
    void SetStatus(Long value) { core_.SetStatus(value); }
    void DataSend(const QByteArray& frame, bool initFlag) { core_.DataSend(frame, initFlag); }

    // The model that replies are parsed into; setting an empty pointer keeps the current one.
    // (The setter shares the property's name: SetInstrument is the settings upload.)
    clsInstrument* Instrument() const { return core_.Instrument(); }
    void Instrument(clsInstrument* model) {
        if (model)
            core_.SetInstrument(model);
    }
    // Reading and uploading settings, and the clock (SettingsTransfer).
    bool GetInstrument(clsInstrument* iObj) { return settings_.GetInstrument(iObj); }
    bool GetRomNo(clsInstrument* iObj) { return settings_.GetRomNo(iObj); }
    bool GetInstPart(const QByteArray& strCmd, clsInstrument* iObj) { return settings_.GetInstPart(strCmd, iObj); }
    bool GetGasInfo(clsInstrument* iObj) { return settings_.GetGasInfo(iObj); }
    bool GetAutoCalDensty(clsInstrument* iObj) { return settings_.GetAutoCalDensty(iObj); }
    bool GetLatestHistory(clsInstrument* iObj) { return settings_.GetLatestHistory(iObj); }
    bool GetLatestBumpHistory(clsInstrument* iObj) { return settings_.GetLatestBumpHistory(iObj); }
    bool SetInstrument(clsInstrument* iObj) { return settings_.SetInstrument(iObj); }
    QString UploadRefusal() const { return settings_.UploadRefusal(); }
    bool SetDateTime(const Date& value) { return settings_.SetDateTime(value); }

    // The link itself and the operations built on it, for the pages that run them directly.
    LinkCore& Core() { return core_; }
    SettingsTransfer& Transfer() { return settings_; }
    RomDump& Dump() { return dump_; }
    InstrumentOperations& Operations() { return operations_; }

    // The memory dump listing (RomDump) and the one-shot operations (InstrumentOperations).
    bool GetRomDump2(const QString& FileNames) { return dump_.GetRomDump2(FileNames); }
    bool GetBinDump(const QString& FilePath, Integer sb, Integer EB) { return binDump_.GetBinDump(FilePath, sb, EB); }
    bool BodyDataClear() { return operations_.BodyDataClear(); }
    bool PowerDataClear() { return operations_.PowerDataClear(); }
    bool DefaultInstrument() { return operations_.DefaultInstrument(); }
    // Closes the serial port (and the infrared one) and disconnects the link.
    bool BodyPowerOff() { return operations_.BodyPowerOff(); }
    bool ZeroCal(const QString& Datas) { return operations_.ZeroCal(Datas); }
    bool SpanCal(const QString& Datas) { return operations_.SpanCal(Datas); }
    bool ZeroStatus(Integer Index) const { return operations_.ZeroStatus(Index); }
    bool SpanStatus(Integer Index) const { return operations_.SpanStatus(Index); }
    bool zCal(const QString& O2denst) { return operations_.zCal(O2denst); }
    bool SetCheckData() { return operations_.SetCheckData(); }
    bool SetLED(bool on) { return operations_.SetLED(on); }
    bool SetBuzzer(bool on) { return operations_.SetBuzzer(on); }
    bool SetPump(bool on) { return operations_.SetPump(on); }
    bool SetPumpLevel(Integer level) { return operations_.SetPumpLevel(level); }
    bool Dw() { return operations_.Dw(); }
    bool LpR(clsInstrument* iObj) { return operations_.LpR(iObj); }
    bool Lp(clsInstrument* iObj) { return operations_.Lp(iObj); }
    bool RunDensty() const { return operations_.RunDensty(); }
    void SetRunDensty(bool run) { operations_.SetRunDensty(run); }

    ZLComm mscComm;
    ZlIrDA11 ZlIrDA1;
    QTimer tmrTimer;

signals:
    void OnConnect();
    void Densty(Single& value1, Single& value2, Single& value3, Single& value4, Single& value5);
    void ConnectRetry(Integer retryCount);
    void InstMessage(const QString& messageString);
    void InterMessage(const QString& messageString);
    void AlarmMessage(const QString& messageString);
    void DumpMessage(const QString& messageString);
    void LinkLost();
    void IrDAError(Integer errorNumber);
    void StsTransmit();
    void StsIdle();

private:
    // Hands the core's events on as signals.
    class EventRelay final : public LinkEvents {
    public:
        explicit EventRelay(uclLqif& owner) : owner_(owner) {}
        void OnConnect() override { emit owner_.OnConnect(); }
        void Densty(Single& a, Single& b, Single& c, Single& d, Single& e) override { emit owner_.Densty(a, b, c, d, e); }
        void ConnectRetry(Integer n) override { emit owner_.ConnectRetry(n); }
        void InstMessage(const QString& t) override { emit owner_.InstMessage(t); }
        void InterMessage(const QString& t) override { emit owner_.InterMessage(t); }
        void AlarmMessage(const QString& t) override { emit owner_.AlarmMessage(t); }
        void DumpMessage(const QString& t) override { emit owner_.DumpMessage(t); }
        void LinkLost() override { emit owner_.LinkLost(); }
        void IrDAError(Integer n) override { emit owner_.IrDAError(n); }
        void StsTransmit() override { emit owner_.StsTransmit(); }
        void StsIdle() override { emit owner_.StsIdle(); }

    private:
        uclLqif& owner_;
    };

    // The transport the core writes to and reads from: chosen anew at every use.
    class ChosenTransport final : public LinkTransport {
    public:
        explicit ChosenTransport(uclLqif& owner) : owner_(owner) {}
        bool open() override { return Chosen().open(); }
        void close() override { Chosen().close(); }
        bool isOpen() const override { return Chosen().isOpen(); }
        bool write(const QByteArray& bytes) override { return Chosen().write(bytes); }
        QByteArray readAvailable() override { return Chosen().readAvailable(); }
        LineSignals lineSignals() const override { return Chosen().lineSignals(); }

    private:
        LinkTransport& Chosen() const {
            return owner_.IrDAChosen() ? static_cast<LinkTransport&>(owner_.ZlIrDA1) : owner_.mscComm;
        }
        uclLqif& owner_;
    };

    bool IrDAChosen() const { return ZlIrDA11::Available() && !serialComm_; }
    void OnSerialEvent(int commEvent);

    EventRelay relay_{*this};
    ChosenTransport transport_{*this};
    LinkCore core_;
    RomDump dump_{core_};
    BinDump binDump_{core_};
    InstrumentOperations operations_;
    SettingsTransfer settings_{core_};
    bool enabled_ = true;
    bool serialComm_ = false;
    bool propertiesChanged_ = false;
    std::array<Long, 5> factCal_{};
};

}  // namespace mt52
