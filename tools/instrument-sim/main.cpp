// Serves the simulated instrument on a pseudo-terminal, so the program can be run against it
// by hand or by a test: start it, then open the printed device as the instrument's serial
// port. The first line it prints is "Simulated MT-52 on <device>".
#include "SimDescription.h"
#include "SimFaultOption.h"
#include "SimProtocol.h"
#include "SimPtyDriver.h"
#include "SimPtyServer.h"
#include "link/SerialLog.h"
#include "platform/TerminationSignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

using namespace mt52::sim;

// A symbolic link at a fixed path to the current device, removed at the end when it still
// points there. An existing symbolic link is replaced; any other file is left alone.
class DeviceLink {
public:
    explicit DeviceLink(QString path) : path_(std::move(path)) {}
    ~DeviceLink() { Remove(); }
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Points the link at `target`; the reason when that is not possible.
    std::optional<QString> PointTo(const QString& target) {
        const QFileInfo existing(path_);
        if (existing.exists() && !existing.isSymLink())
            return QStringLiteral("%1 exists and is no symbolic link").arg(path_);
        // A new link under a temporary name renamed over the old one: never a moment without.
        const QByteArray temporary = QFile::encodeName(path_ + QStringLiteral(".%1.new").arg(::getpid()));
        ::unlink(temporary.constData());
        if (::symlink(QFile::encodeName(target).constData(), temporary.constData()) != 0 ||
            ::rename(temporary.constData(), QFile::encodeName(path_).constData()) != 0) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            ::unlink(temporary.constData());
            return QStringLiteral("cannot link %1: %2").arg(path_, reason);
        }
        target_ = target;
        return std::nullopt;
    }

private:
    void Remove() {
        if (!target_.isEmpty() && QFileInfo(path_).symLinkTarget() == QFileInfo(target_).absoluteFilePath())
            QFile::remove(path_);
        target_.clear();
    }

    QString path_;
    QString target_;
};

// Prints every request the instrument received, one line each, in the printable form of
// the communication log.
class RequestEcho {
public:
    explicit RequestEcho(const SimProtocol& protocol) : protocol_(protocol) {}
    void Print(QTextStream& out) {
        const QList<SimRequest>& requests = protocol_.Requests();
        for (; printed_ < requests.size(); ++printed_)
            out << "<- " << mt52::SerialLog::ToPrintable(requests[printed_].frame) << Qt::endl;
    }

private:
    const SimProtocol& protocol_;
    qsizetype printed_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mt52-sim"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral(
        "Serves a simulated MT-52 on a pseudo-terminal until interrupted.\n"
        "The description file sets its identity, settings, clock and snapshot records\n"
        "(see example.sim). A fault is KIND[:CODE[:COUNT[:SKIP]]], KIND one of silence,\n"
        "garble, short, nak, pieces, delay, drop-line; for example\n"
        "  silence::all        the instrument never answers\n"
        "  garble:IN,R         the serial number reply arrives damaged once\n"
        "  silence:EF,R:1:5    the sixth memory dump block is lost\n"
        "  drop-line:EF,R:1:3  the line drops when the fourth dump block is due\n"
        "It answers a request the moment the request is complete. With --pace it sends\n"
        "no faster than the line carries bytes: at the rate the program opened the line\n"
        "with (or the rate --baud gives), 10 bits a byte, a request arrives once its\n"
        "bytes have crossed the wire and the reply's bytes go out as they cross it."));
    options.addHelpOption();
    options.addPositionalArgument(QStringLiteral("description"), QStringLiteral("The instrument's description file."),
                                  QStringLiteral("[description]"));
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Also make <path> a symbolic link to the device."),
                                        QStringLiteral("path"));
    const QCommandLineOption faultOption(QStringLiteral("fault"), QStringLiteral("Inject a fault (repeatable)."),
                                         QStringLiteral("fault"));
    const QCommandLineOption verboseOption(QStringLiteral("verbose"),
                                           QStringLiteral("Print every request the instrument receives."));
    const QCommandLineOption paceOption(QStringLiteral("pace"),
                                        QStringLiteral("Carry the bytes both ways at the line's baud rate."));
    const QCommandLineOption baudOption(
        QStringLiteral("baud"), QStringLiteral("Pace at <rate> bits per second, whatever the line is set to."),
        QStringLiteral("rate"));
    options.addOptions({linkOption, faultOption, verboseOption, paceOption, baudOption});
    options.process(app);

    SimPacing pacing;
    pacing.on = options.isSet(paceOption) || options.isSet(baudOption);
    if (options.isSet(baudOption)) {
        bool ok = false;
        pacing.baud = options.value(baudOption).toInt(&ok);
        if (!ok || pacing.baud <= 0) {
            err << "The rate is a whole number of bits per second above 0: " << options.value(baudOption) << Qt::endl;
            return 2;
        }
    }

    SimInstrumentState instrument;
    const QStringList positional = options.positionalArguments();
    if (positional.size() > 1) {
        err << "Give at most one description file." << Qt::endl;
        return 2;
    }
    if (!positional.isEmpty()) {
        if (const std::optional<QString> error =
                LoadSimDescription(positional.first(), QDateTime::currentDateTime(), instrument)) {
            err << *error << Qt::endl;
            return 2;
        }
    }
    instrument.placeInCradle();
    SimProtocol protocol(instrument);
    for (const QString& text : options.values(faultOption)) {
        const auto fault = ParseFaultOption(text);
        if (const QString* error = std::get_if<QString>(&fault)) {
            err << *error << Qt::endl;
            return 2;
        }
        std::get<SimFaultOption>(fault).InjectInto(protocol);
    }

    // SIGINT and SIGTERM end the event loop.
    mt52::TerminationSignals quitOnSignals([] { QCoreApplication::quit(); });
    SimPtyServer server(protocol);
    server.SetPacing(pacing);
    std::unique_ptr<DeviceLink> link;
    if (options.isSet(linkOption))
        link = std::make_unique<DeviceLink>(options.value(linkOption));
    // Creates a device, points the link at it and tells where it is.
    const auto serveOnNewDevice = [&]() -> bool {
        if (!server.Open()) {
            err << "Cannot create a pseudo-terminal: " << server.Error() << Qt::endl;
            return false;
        }
        if (link) {
            if (const std::optional<QString> error = link->PointTo(server.SlavePath())) {
                err << *error << Qt::endl;
                return false;
            }
        }
        out << "Simulated MT-52 on " << server.SlavePath() << Qt::endl;
        return true;
    };
    if (!serveOnNewDevice())
        return 1;

    RequestEcho echo(protocol);
    const bool verbose = options.isSet(verboseOption);
    QTimer reopen;
    reopen.setSingleShot(true);
    reopen.setInterval(1000);
    // Served the moment the program writes to the line.
    SimPtyDriver driver(server, [&] {
        if (verbose)
            echo.Print(out);
        // A dropped line hung the device up: the instrument comes back on a new one.
        if (!server.IsOpen() && !reopen.isActive()) {
            out << "Line dropped." << Qt::endl;
            reopen.start();
        }
    });
    QObject::connect(&reopen, &QTimer::timeout, [&] {
        instrument.placeInCradle();
        if (!serveOnNewDevice())
            QCoreApplication::exit(1);
        driver.Watch();
    });
    return QCoreApplication::exec();
}
