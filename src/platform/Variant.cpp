#include "platform/Variant.h"

#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

namespace mt52 {

Variant Variant::Null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
}

Variant::Type Variant::type() const { return static_cast<Type>(value_.index()); }

bool Variant::isNumeric() const {
    switch (type()) {
    case Type::Boolean:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
        return true;
    case Type::String:
        return IsNumeric(std::get<QString>(value_));
    default:
        return false;
    }
}

double Variant::toDouble() const {
    switch (type()) {
    case Type::Empty: return 0.0;
    case Type::Null: Raise(ErrInvalidNull);
    case Type::Boolean: return std::get<bool>(value_) ? -1.0 : 0.0;
    case Type::Integer: return std::get<Integer>(value_);
    case Type::Long: return std::get<Long>(value_);
    case Type::Single: return std::get<Single>(value_);
    case Type::Double: return std::get<double>(value_);
    case Type::Date: return std::get<Date>(value_).value();
    case Type::String: {
        const QString& s = std::get<QString>(value_);
        const QString t = s.trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return -1.0;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return 0.0;
        return ParseNumber(s);  // type mismatch when not numeric
    }
    }
    return 0.0;
}

bool Variant::toBool() const {
    if (type() == Type::Boolean)
        return std::get<bool>(value_);
    return toDouble() != 0.0;
}

Integer Variant::toInteger() const { return ToInteger(toDouble()); }
Long Variant::toLong() const { return ToLong(toDouble()); }
Single Variant::toSingle() const {
    if (type() == Type::Single)
        return std::get<Single>(value_);
    return ToSingle(toDouble());
}

Date Variant::toDate() const {
    switch (type()) {
    case Type::Null: Raise(ErrInvalidNull);
    case Type::Date: return std::get<Date>(value_);
    case Type::String: {
        const QString& s = std::get<QString>(value_);
        if (auto d = ParseDate(s))
            return *d;
        if (IsNumeric(s))
            return Date(ParseNumber(s));
        Raise(ErrTypeMismatch, QStringLiteral("\"%1\" is not a date").arg(s));
    }
    default: return Date(toDouble());
    }
}

QString Variant::toString() const {
    switch (type()) {
    case Type::Empty: return QString();
    case Type::Null: Raise(ErrInvalidNull);
    case Type::Boolean: return std::get<bool>(value_) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Integer: return QString::number(std::get<Integer>(value_));
    case Type::Long: return QString::number(std::get<Long>(value_));
    case Type::Single: return SingleToText(std::get<Single>(value_));
    case Type::Double: return DoubleToText(std::get<double>(value_));
    case Type::Date: return GeneralDate(std::get<Date>(value_));
    case Type::String: return std::get<QString>(value_);
    }
    return QString();
}

QString TextOf(const Variant& value) { return value.isNull() || value.isEmpty() ? QString() : value.toString(); }

bool BoolOf(const Variant& value) { return !value.isNull() && !value.isEmpty() && value.toBool(); }

}  // namespace mt52
