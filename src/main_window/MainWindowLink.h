#pragma once
// What the main window uses of its instrument-link control: the retry and time-out it hands
// over at load, the port choice and opening, the link timer it stops at close, the
// communication log, and the status through which it ends a wait when the window closes.
// The property scheme of the link control: a get and a set share the name.
#include "platform/Types.h"

#include <QString>
#include <memory>

namespace mt52 {

class uclLqif;

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    virtual void Retry(Integer value) = 0;
    virtual void Timeout(Integer seconds) = 0;
    virtual void SerialComm(bool value) = 0;
    virtual void CommPort(Integer port) = 0;
    virtual void RTSEnable(bool value) = 0;
    virtual void DTREnable(bool value) = 0;
    virtual void Handshaking(Integer mode) = 0;
    virtual void Settings(const QString& settings) = 0;
    virtual void PortOpen(bool open) = 0;
    virtual bool PortOpen() const = 0;
    virtual void TimerEnabled(bool enabled) = 0;
    virtual void AddLog(const QString& text) = 0;
    // Text `textId` with the current date-time as its argument, the line's time and that date
    // from one reading of the clock.
    virtual void AddDatedLog(int textId) = 0;
    // The link's status code.
    virtual Long Status() const = 0;
    // A link operation is waiting for its reply.
    virtual bool Waiting() const = 0;
    // Ends the waiting operation at once as cancelled (it returns failure to its caller).
    virtual void AbortWait() = 0;
    // The live-reading poll runs.
    virtual bool RunDensty() const = 0;
    // Downloads the instrument's memory dump as a listing into the file; true when it succeeded.
    virtual bool GetRomDump2(const QString& path) = 0;
    // The cancel request of the progress dialog's button.
    virtual void SetCancel(bool value) = 0;
    // The link control itself, for the pages' operations; null for a stand-in.
    virtual uclLqif* Control() { return nullptr; }
};

// The window's link over the program's link control, which it owns.
class LinkControlLink final : public MainWindowLink {
public:
    LinkControlLink();
    ~LinkControlLink() override;

    void Retry(Integer value) override;
    void Timeout(Integer seconds) override;
    void SerialComm(bool value) override;
    void CommPort(Integer port) override;
    void RTSEnable(bool value) override;
    void DTREnable(bool value) override;
    void Handshaking(Integer mode) override;
    void Settings(const QString& settings) override;
    void PortOpen(bool open) override;
    bool PortOpen() const override;
    void TimerEnabled(bool enabled) override;
    void AddLog(const QString& text) override;
    void AddDatedLog(int textId) override;
    Long Status() const override;
    bool Waiting() const override;
    void AbortWait() override;
    bool RunDensty() const override;
    bool GetRomDump2(const QString& path) override;
    void SetCancel(bool value) override;
    uclLqif* Control() override { return control_.get(); }

private:
    std::unique_ptr<uclLqif> control_;
};

}  // namespace mt52
