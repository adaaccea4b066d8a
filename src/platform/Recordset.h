#pragma once
// The rows of one query, read in full when the query runs. It starts on its first row, knows
// its row count at once, moves first, last and next, and reads a field by its column name
// without regard to case. A column with no value reads as Null, which is not the empty text.
#include "platform/Variant.h"

#include <QHash>
#include <QStringList>
#include <vector>

namespace mt52 {

class Recordset {
public:
    Recordset() = default;
    // The column names and the rows' values, row after row (columns.size() values per row).
    Recordset(QStringList columns, std::vector<Variant> values);

    // Number of rows.
    Long recordCount() const { return rowCount_; }
    bool isEmpty() const { return rowCount_ == 0; }
    // Past the last row (at once for a query without rows).
    bool atEnd() const { return row_ >= rowCount_; }
    // 0-based place of the current row.
    Long position() const { return row_; }

    // Moves on an empty recordset leave it at its end.
    void moveFirst() { row_ = 0; }
    void moveLast() { row_ = rowCount_ > 0 ? rowCount_ - 1 : 0; }
    // ErrDatabase when already past the last row.
    void moveNext();

    int fieldCount() const { return static_cast<int>(columns_.size()); }
    QString fieldName(int index) const;
    bool hasField(const QString& name) const;

    // The value of the current row's column; ErrDatabase for a name the rows do not have
    // and when there is no current row.
    Variant field(const QString& name) const;
    Variant field(int index) const;

private:
    int columnIndex(const QString& name) const;

    QStringList columns_;
    QHash<QString, int> indexByLowerName_;
    std::vector<Variant> values_;
    Long rowCount_ = 0;
    Long row_ = 0;
};

}  // namespace mt52
