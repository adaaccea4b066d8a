#include "platform/ComPortLister.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace mt52 {
namespace {

struct PortTable {
    std::map<QString, int> numbers;
    std::vector<QString> paths;  // index = number - 1
};

PortTable& Table() {
    static PortTable table;
    return table;
}

QString ReadFirstLine(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readLine()).trimmed();
}

// The hardware id of the USB device a tty belongs to: the nearest folder above the tty's
// device that carries idVendor and idProduct. Empty for ports that are not on USB.
QString UsbHardwareId(const QString& deviceFolder, const QString& root) {
    QDir dir(deviceFolder);
    const QString rootPrefix = root + u'/';
    while (dir.absolutePath().startsWith(rootPrefix)) {
        if (dir.exists(QStringLiteral("idVendor")) && dir.exists(QStringLiteral("idProduct"))) {
            const QString vendor = ReadFirstLine(dir.filePath(QStringLiteral("idVendor"))).toUpper();
            const QString product = ReadFirstLine(dir.filePath(QStringLiteral("idProduct"))).toUpper();
            if (vendor.isEmpty() || product.isEmpty())
                return {};
            return QStringLiteral("USB\\VID_%1&PID_%2").arg(vendor, product);
        }
        if (!dir.cdUp())
            break;
    }
    return {};
}

// Device names in natural order: the letters, then the number at the end as a number.
bool NaturalLess(const QString& a, const QString& b) {
    static const QRegularExpression trailingDigits(QStringLiteral("^(.*?)(\\d*)$"));
    const auto ma = trailingDigits.match(a);
    const auto mb = trailingDigits.match(b);
    if (ma.captured(1) != mb.captured(1))
        return ma.captured(1) < mb.captured(1);
    const qulonglong na = ma.captured(2).toULongLong();
    const qulonglong nb = mb.captured(2).toULongLong();
    if (na != nb)
        return na < nb;
    return a < b;
}

ComPortRecord MakeRecord(const QString& devicePath, const QString& hardwareId, bool fromEnvironment) {
    ComPortRecord r;
    r.devicePath = devicePath;
    r.hardwareId = hardwareId;
    r.portNumber = PortNumberOf(devicePath);
    r.name = QStringLiteral("COM%1").arg(r.portNumber);
    r.fromEnvironment = fromEnvironment;
    return r;
}

}  // namespace

ComPortLister::ComPortLister(QString sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {}

std::vector<ComPortRecord> ComPortLister::List(const QString& hardwareIdFilter) const {
    std::vector<ComPortRecord> ports;
    const QString root = QFileInfo(sysfsRoot_).canonicalFilePath();
    QStringList names;
    if (!root.isEmpty())
        names = QDir(root + QStringLiteral("/class/tty")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), NaturalLess);

    for (const QString& name : names) {
        // Virtual terminals and pseudo-terminals have no backing device.
        const QFileInfo device(QStringLiteral("%1/class/tty/%2/device").arg(root, name));
        if (!device.exists())
            continue;
        const QString hardwareId = UsbHardwareId(device.canonicalFilePath(), root);
        if (!hardwareId.contains(hardwareIdFilter, Qt::CaseInsensitive))
            continue;
        ports.push_back(MakeRecord(QStringLiteral("/dev/") + name, hardwareId, false));
    }

    const QStringList extra = qEnvironmentVariable("MT52_SERIAL_PORTS").split(u':', Qt::SkipEmptyParts);
    for (const QString& entry : extra) {
        const QString path = entry.trimmed();
        if (path.isEmpty())
            continue;
        const bool listed = std::any_of(ports.begin(), ports.end(),
                                        [&](const ComPortRecord& p) { return p.devicePath == path; });
        if (!listed)
            ports.push_back(MakeRecord(path, QString(), true));
    }

    if (ports.size() > static_cast<std::size_t>(MaxComPorts))
        ports.resize(static_cast<std::size_t>(MaxComPorts));
    return ports;
}

int PortNumberOf(const QString& devicePath) {
    PortTable& t = Table();
    const auto it = t.numbers.find(devicePath);
    if (it != t.numbers.end())
        return it->second;
    t.paths.push_back(devicePath);
    const int number = static_cast<int>(t.paths.size());
    t.numbers.emplace(devicePath, number);
    return number;
}

QString PortDevicePath(int portNumber) {
    const PortTable& t = Table();
    if (portNumber < 1 || portNumber > static_cast<int>(t.paths.size()))
        return {};
    return t.paths[static_cast<std::size_t>(portNumber - 1)];
}

void ResetPortTable() { Table() = PortTable{}; }

}  // namespace mt52
