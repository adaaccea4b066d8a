#include "platform/ComPortLister.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52 {
namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name) { qputenv(name, value); }
    ~ScopedEnv() { qunsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
};

// A small device tree laid out as the kernel presents it: class/tty/<name>/device links to
// the tty's device folder, below the USB device folder that holds idVendor and idProduct.
class SysfsTree {
public:
    SysfsTree() { ResetPortTable(); }
    ~SysfsTree() { ResetPortTable(); }

    QString Root() const { return dir_.path(); }

    // A USB-serial tty: `deviceBelowInterface` puts the tty folder under the interface
    // (usb-serial drivers); otherwise the interface itself is the device (modem drivers).
    void AddUsbTty(const QString& tty, const QString& usbPort, const char* vendor, const char* product,
                   bool deviceBelowInterface = true) {
        const QString usb = QStringLiteral("devices/pci0000:00/usb1/") + usbPort;
        Write(usb + QStringLiteral("/idVendor"), vendor);
        Write(usb + QStringLiteral("/idProduct"), product);
        QString device = usb + u'/' + usbPort + QStringLiteral(":1.0");
        if (deviceBelowInterface)
            device += u'/' + tty;
        AddTty(tty, device);
    }
    // A tty whose device is not on USB, or (empty device) a virtual terminal.
    void AddTty(const QString& tty, const QString& device) {
        const QString classDir = QStringLiteral("class/tty/") + tty;
        QDir(Root()).mkpath(classDir);
        if (device.isEmpty())
            return;
        QDir(Root()).mkpath(device);
        QFile::link(QDir(Root()).filePath(device), QDir(Root()).filePath(classDir + QStringLiteral("/device")));
    }

private:
    void Write(const QString& relative, const char* text) {
        const QString path = QDir(Root()).filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(text) + '\n');
    }

    QTemporaryDir dir_;
};

QStringList Paths(const std::vector<ComPortRecord>& ports) {
    QStringList paths;
    for (const ComPortRecord& p : ports)
        paths << p.devicePath;
    return paths;
}

TEST(ComPortLister, FindsTheAdapterByVendorAndProductIgnoringOthers) {
    SysfsTree sys;
    sys.AddUsbTty(QStringLiteral("ttyUSB10"), QStringLiteral("1-3"), "10C4", "EA60");
    sys.AddUsbTty(QStringLiteral("ttyUSB2"), QStringLiteral("1-1"), "10c4", "ea60");
    sys.AddUsbTty(QStringLiteral("ttyUSB0"), QStringLiteral("1-2"), "0403", "6001");  // another maker's adapter
    sys.AddUsbTty(QStringLiteral("ttyACM0"), QStringLiteral("1-4"), "10c4", "ea60", false);
    sys.AddTty(QStringLiteral("ttyS0"), QStringLiteral("devices/platform/serial8250/tty/ttyS0"));
    sys.AddTty(QStringLiteral("tty0"), QString());

    const ComPortLister lister(sys.Root());
    const auto ports = lister.List(QStringLiteral("vid_10c4&PID_EA60"));
    EXPECT_EQ(Paths(ports), QStringList({QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyUSB2"),
                                          QStringLiteral("/dev/ttyUSB10")}));
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[1].hardwareId, QStringLiteral("USB\\VID_10C4&PID_EA60"));
    EXPECT_EQ(ports[2].portNumber, 3);
    EXPECT_EQ(ports[2].name, QStringLiteral("COM3"));

    // Every serial device with a backing device, when no filter narrows the list.
    EXPECT_EQ(lister.List(QString()).size(), 5u);
}

TEST(ComPortLister, PortNumbersStayWithTheirDevicesForTheRun) {
    SysfsTree sys;
    sys.AddUsbTty(QStringLiteral("ttyUSB1"), QStringLiteral("1-1"), "10c4", "ea60");
    const ComPortLister lister(sys.Root());
    ASSERT_EQ(lister.List(QStringLiteral("VID_10C4&PID_EA60")).front().portNumber, 1);

    // A second adapter sorted before the first does not take its number.
    sys.AddUsbTty(QStringLiteral("ttyUSB0"), QStringLiteral("1-2"), "10c4", "ea60");
    const auto ports = lister.List(QStringLiteral("VID_10C4&PID_EA60"));
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].devicePath, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(ports[0].portNumber, 2);
    EXPECT_EQ(ports[1].portNumber, 1);
    EXPECT_EQ(PortDevicePath(2), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(PortDevicePath(3), QString());
    EXPECT_EQ(PortDevicePath(0), QString());

    ResetPortTable();
    EXPECT_EQ(PortDevicePath(1), QString());
}

TEST(ComPortLister, EnvironmentPortsCountAsMatching) {
    SysfsTree sys;
    sys.AddUsbTty(QStringLiteral("ttyUSB0"), QStringLiteral("1-1"), "10c4", "ea60");
    const ScopedEnv env("MT52_SERIAL_PORTS", "/dev/pts/7::/dev/ttyUSB0: /dev/pts/3");

    const auto ports = ComPortLister(sys.Root()).List(QStringLiteral("VID_10C4&PID_EA60"));
    EXPECT_EQ(Paths(ports), QStringList({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/pts/7"),
                                          QStringLiteral("/dev/pts/3")}));
    EXPECT_FALSE(ports[0].fromEnvironment);
    EXPECT_TRUE(ports[1].fromEnvironment);

    // Whatever the filter, and without any device tree.
    const auto only = ComPortLister(sys.Root() + QStringLiteral("/missing")).List(QStringLiteral("VID_FFFF"));
    EXPECT_EQ(Paths(only), QStringList({QStringLiteral("/dev/pts/7"), QStringLiteral("/dev/ttyUSB0"),
                                         QStringLiteral("/dev/pts/3")}));
    EXPECT_EQ(only[1].portNumber, ports[0].portNumber);
}

}  // namespace
}  // namespace mt52
