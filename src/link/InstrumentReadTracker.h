#pragma once
// Whether the link's model holds the identity of the instrument now connected: its user ID,
// station ID and serial number must each have been read into that model since the link last
// connected. Snapshot records of a memory dump are stored under this identity, so a dump
// without it must not store them (they would go under a previous instrument's name).
#include <QByteArray>

namespace mt52 {

class clsInstrument;

class InstrumentReadTracker {
public:
    // The link has (re)connected: nothing has been read from this instrument yet.
    void Connected();
    // A reply with `code` was accepted while the link served `model`. A full read begins
    // with the ROM number ("VP,R"), which starts the count again (the read clears the model).
    void Accepted(const QByteArray& code, const clsInstrument* model);
    // Whether the user ID, station ID and serial number were all read into `model` since.
    bool IdentityRead(const clsInstrument* model) const;

private:
    const clsInstrument* model_ = nullptr;
    unsigned read_ = 0;
};

}  // namespace mt52
