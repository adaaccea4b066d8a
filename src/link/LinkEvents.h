#pragma once
// The events the instrument link raises to its host. They are raised synchronously from
// inside the link's own code (a receive, a tick or an operation): the host's handler runs
// to its end before the link goes on. Every event does nothing unless overridden.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

class LinkEvents {
public:
    virtual ~LinkEvents() = default;

    // The instrument answered the connection poll and the link was not yet connected.
    virtual void OnConnect() {}
    // Live readings (declared for the calibration panel).
    virtual void Densty(Single&, Single&, Single&, Single&, Single&) {}
    // A resend caused by a broken frame (the attempt count) or every fifth poll (polls / 5).
    virtual void ConnectRetry(Integer) {}
    virtual void InstMessage(const QString&) {}
    virtual void InterMessage(const QString&) {}
    // The connection polls were used up.
    virtual void AlarmMessage(const QString&) {}
    virtual void DumpMessage(const QString&) {}
    // Both CTS and DSR went off.
    virtual void LinkLost() {}
    virtual void IrDAError(Integer) {}
    // After every frame written and every arrival of bytes.
    virtual void StsTransmit() {}
    virtual void StsIdle() {}
};

}  // namespace mt52
