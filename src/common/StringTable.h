#pragma once
// One language's string table: the texts of the program by numeric id.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace mt52 {

class StringTable {
public:
    // Reads UTF-8 lines "id<TAB>text" (LF or CR LF line ends; the text is kept exactly,
    // blanks included). Empty lines are ignored. A line without a tab, an id that is not a
    // number from 0 to 65535 and a repeated id are skipped, each described in `problems`.
    static StringTable Parse(const QByteArray& data, QStringList* problems = nullptr);
    // Parse of a file (or a compiled-in resource); an unreadable file gives an empty table
    // and a problem.
    static StringTable Load(const QString& path, QStringList* problems = nullptr);

    bool contains(int id) const { return texts_.contains(id); }
    QString text(int id) const { return texts_.value(id); }  // empty when missing
    QList<int> ids() const { return texts_.keys(); }         // ascending
    qsizetype size() const { return texts_.size(); }

private:
    QMap<int, QString> texts_;
};

}  // namespace mt52
