#pragma once
// Sets an environment variable for the lifetime of the object and restores it (or its absence).
#include <QByteArray>
#include <QtGlobal>

namespace mt52::test {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), saved_(qgetenv(name)), wasSet_(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (wasSet_)
            qputenv(name_, saved_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    QByteArray saved_;
    bool wasSet_;
};

}  // namespace mt52::test
