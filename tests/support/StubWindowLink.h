#pragma once
// A main-window link that does nothing: a port that stays closed, no waits, a failing dump.
// Fakes derive from it and override only what their test watches.
#include "main_window/MainWindowLink.h"

namespace mt52::test {

class StubWindowLink : public MainWindowLink {
public:
    void Retry(Integer) override {}
    void Timeout(Integer) override {}
    void SerialComm(bool) override {}
    void CommPort(Integer) override {}
    void RTSEnable(bool) override {}
    void DTREnable(bool) override {}
    void Handshaking(Integer) override {}
    void Settings(const QString&) override {}
    void PortOpen(bool) override {}
    bool PortOpen() const override { return false; }
    void TimerEnabled(bool) override {}
    void AddLog(const QString&) override {}
    void AddDatedLog(int) override {}
    Long Status() const override { return 0; }
    bool Waiting() const override { return false; }
    void AbortWait() override {}
    bool RunDensty() const override { return false; }
    bool GetRomDump2(const QString&) override { return false; }
    void SetCancel(bool) override {}
};

}  // namespace mt52::test
