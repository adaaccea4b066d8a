// Serves the simulated instrument on a pseudo-terminal, so the program can be run against it
// by hand: start it, then open the printed device as the instrument's serial port.
#include "SimProtocol.h"
#include "SimPtyServer.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    mt52::sim::SimInstrumentState instrument;
    instrument.placeInCradle();
    mt52::sim::SimProtocol protocol(instrument);
    mt52::sim::SimPtyServer server(protocol);
    QTextStream out(stdout);
    if (!server.Open()) {
        QTextStream(stderr) << "Cannot create a pseudo-terminal: " << server.Error() << Qt::endl;
        return 1;
    }
    out << "Simulated MT-52 on " << server.SlavePath() << Qt::endl;
    QTimer serve;
    QObject::connect(&serve, &QTimer::timeout, [&] { server.Serve(); });
    serve.start(5);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { server.Advance(); });
    tick.start(100);
    return app.exec();
}
