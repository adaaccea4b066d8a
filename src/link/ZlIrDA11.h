#pragma once
// The infrared control. Linux has no IrDA stack for the instrument's adapter, so this
// transport is never available: the link always chooses the serial control, and opening
// the infrared port fails with a clear message.
#include "link/LinkTransport.h"
#include "platform/Types.h"

namespace mt52 {

class ZlIrDA11 final : public LinkTransport {
public:
    static bool Available() { return false; }
    bool PortOpen() const { return false; }
    // Opening raises the device error "IrDA is not available on this system"; closing does nothing.
    void SetPortOpen(bool open);

    bool open() override;
    void close() override {}
    bool isOpen() const override { return false; }
    bool write(const QByteArray&) override { return false; }
    QByteArray readAvailable() override { return {}; }
    LineSignals lineSignals() const override { return {}; }
};

}  // namespace mt52
