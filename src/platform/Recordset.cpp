#include "platform/Recordset.h"

#include "platform/RuntimeError.h"

namespace mt52 {

Recordset::Recordset(QStringList columns, std::vector<Variant> values)
    : columns_(std::move(columns)), values_(std::move(values)) {
    const auto width = static_cast<std::size_t>(columns_.size());
    if (width == 0 ? !values_.empty() : values_.size() % width != 0)
        Raise(ErrDatabase, QStringLiteral("recordset values do not fill whole rows"));
    rowCount_ = width == 0 ? 0 : static_cast<Long>(values_.size() / width);
    // The first of two equal names wins, as a query returning both columns reads the first.
    for (int i = 0; i < columns_.size(); ++i) {
        const QString key = columns_.at(i).toLower();
        if (!indexByLowerName_.contains(key))
            indexByLowerName_.insert(key, i);
    }
}

void Recordset::moveNext() {
    if (atEnd())
        Raise(ErrDatabase, QStringLiteral("No current record."));
    ++row_;
}

QString Recordset::fieldName(int index) const {
    if (index < 0 || index >= columns_.size())
        Raise(ErrDatabase, QStringLiteral("Item not found in this collection: column %1").arg(index));
    return columns_.at(index);
}

bool Recordset::hasField(const QString& name) const { return indexByLowerName_.contains(name.toLower()); }

int Recordset::columnIndex(const QString& name) const {
    const auto it = indexByLowerName_.constFind(name.toLower());
    if (it == indexByLowerName_.constEnd())
        Raise(ErrDatabase, QStringLiteral("Item not found in this collection: \"%1\"").arg(name));
    return it.value();
}

Variant Recordset::field(const QString& name) const { return field(columnIndex(name)); }

Variant Recordset::field(int index) const {
    if (index < 0 || index >= columns_.size())
        Raise(ErrDatabase, QStringLiteral("Item not found in this collection: column %1").arg(index));
    if (atEnd())
        Raise(ErrDatabase, QStringLiteral("No current record."));
    return values_[static_cast<std::size_t>(row_) * columns_.size() + index];
}

}  // namespace mt52
