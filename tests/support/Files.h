#pragma once
// Whole-file reads and writes for test fixtures.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace mt52::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the bytes, replacing the file; false when it cannot be written.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace mt52::test
