#pragma once
// What the link needs of a line to the instrument. The serial control implements it over a
// serial device; the simulated instrument implements it in-process for tests.
#include <QByteArray>

namespace mt52 {

// The modem lines the link watches: an instrument in its cradle raises CTS or DSR.
struct LineSignals {
    bool cts = false;
    bool dsr = false;
    bool anyOn() const { return cts || dsr; }
    friend bool operator==(const LineSignals&, const LineSignals&) = default;
};

class LinkTransport {
public:
    virtual ~LinkTransport() = default;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Writes a whole frame; false when the line refuses it (closed, gone, write error).
    virtual bool write(const QByteArray& bytes) = 0;
    // Takes every byte that has arrived and not been taken yet.
    virtual QByteArray readAvailable() = 0;
    virtual LineSignals lineSignals() const = 0;
};

}  // namespace mt52
