#include "link/ZlIrDA11.h"

#include "platform/RuntimeError.h"

namespace mt52 {

void ZlIrDA11::SetPortOpen(bool open) {
    if (open)
        Raise(ErrDeviceIO, QStringLiteral("IrDA is not available on this system"));
}

bool ZlIrDA11::open() { return false; }

}  // namespace mt52
