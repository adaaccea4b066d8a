#pragma once
// The simulator program mt52-sim run as a child process, for tests that talk to it over its
// pseudo-terminal the way the program does. Every wait is bounded; the process is ended
// when the object goes.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace mt52::test {

class SimProcess {
public:
    // The built program.
    static QString Program();

    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts the program with `arguments` and waits for its device; false when it did not
    // come up (Error() holds what it said).
    bool Start(const QStringList& arguments, int timeoutMs = 5000);
    // The device the instrument is served on (the last one announced).
    QString Device() const { return device_; }
    // Waits for the next line of output; empty after the time-out.
    QString NextLine(int timeoutMs = 5000);
    // Sends SIGTERM and waits for the end; false when it did not end in time.
    bool Terminate(int timeoutMs = 5000);
    QProcess& Process() { return process_; }
    QString Error() const { return error_; }

private:
    QProcess process_;
    QString device_;
    QString error_;
};

}  // namespace mt52::test
