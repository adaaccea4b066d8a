#pragma once
// Chooses the line to the instrument and opens it: the maker's USB-serial adapter, found by its
// hardware id, as a serial port; otherwise the infrared transport.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/Types.h"

#include <QString>
#include <functional>

namespace mt52 {

// Text 5371 is written in this colour when the adapter's port does not open.
inline constexpr Long PortErrorColor = 255;  // red

// Runs `selectCommPort` (which sets State().CommPortNumber from the adapter's ports, asking the
// user when several match). With a port, the link is set to the serial transport on that port
// with RTS and DTR on, request-to-send handshaking and State().LinkSettings, and opened; when it
// stays closed, text 5371 goes to `addLogText` in red. Returns true for the serial transport
// (opened or not), false for the infrared one, which is opened without a check.
template <typename Link>
bool OpenInstrumentPortOn(Link& link, const std::function<void()>& selectCommPort,
                          const std::function<void(const QString&, Long)>& addLogText) {
    selectCommPort();
    const Integer port = State().CommPortNumber;
    if (port == 0) {
        link.SerialComm(false);
        link.PortOpen(true);
        return false;
    }
    link.SerialComm(true);
    link.CommPort(port);
    link.RTSEnable(true);
    link.DTREnable(true);
    link.Handshaking(2);
    link.Settings(State().LinkSettings);
    link.PortOpen(true);
    if (!link.PortOpen())
        addLogText(GetResText(5371), PortErrorColor);
    return true;
}

}  // namespace mt52
