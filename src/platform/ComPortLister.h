#pragma once
// Lists the serial ports whose hardware id matches a filter, from the kernel's device tree
// (sysfs): every tty with a backing device, with the USB vendor and product ids of the USB
// device above it. Each port listed gets a port number from a run-wide table, so the same
// device keeps its number for the whole run; the number is what the program shows and stores
// where a port number is asked for.
//
// The environment variable MT52_SERIAL_PORTS adds device paths, separated by ":", that count
// as matching whatever the filter (a simulated instrument on a pseudo-terminal, for example).
#include <QString>
#include <vector>

namespace mt52 {

// At most this many ports are listed.
inline constexpr int MaxComPorts = 256;

struct ComPortRecord {
    QString devicePath;   // "/dev/ttyUSB0"
    QString hardwareId;   // "USB\VID_10C4&PID_EA60"; empty for a port without USB ids
    int portNumber = 0;   // from the port table, 1 and up
    QString name;         // "COM" followed by the port number
    bool fromEnvironment = false;
};

class ComPortLister {
public:
    // `sysfsRoot` is where the kernel's device tree is mounted; tests give a folder they built.
    explicit ComPortLister(QString sysfsRoot = QStringLiteral("/sys"));

    // The matching ports, sysfs ones first in the order of their device names (ttyUSB2 before
    // ttyUSB10), then those of MT52_SERIAL_PORTS in their order; a device is listed once.
    // The filter is searched in the hardware id without regard to case.
    std::vector<ComPortRecord> List(const QString& hardwareIdFilter) const;

private:
    QString sysfsRoot_;
};

// The port table. Numbers are handed out from 1 in the order devices are first seen.
int PortNumberOf(const QString& devicePath);
// The device path of a port number; empty when the number was never handed out.
QString PortDevicePath(int portNumber);
// Forgets every number (tests).
void ResetPortTable();

}  // namespace mt52
