#pragma once
// A value that a member hands back as "a variant": empty, Null, or one of the value types.
// Conversions follow the classic rules: Empty reads as 0 / "" / False, Null cannot be
// converted (error 94), text converts to a number only when it is numeric (error 13),
// whole-number conversions round halves to even and fail with the overflow error (6).
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>
#include <type_traits>
#include <variant>

namespace mt52 {

class Variant {
public:
    enum class Type { Empty, Null, Boolean, Integer, Long, Single, Double, Date, String };

    Variant() = default;  // Empty
    static Variant Null();
    Variant(bool v) : value_(v) {}
    Variant(Integer v) : value_(v) {}
    Variant(Long v) : value_(v) {}
    // Wider whole numbers are held as a Double (an int is a Long)
    template <typename T>
        requires(std::is_same_v<T, long> || std::is_same_v<T, long long>)
    Variant(T v) : value_(static_cast<double>(v)) {}
    Variant(Single v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(const Date& v) : value_(v) {}
    Variant(const QString& v) : value_(v) {}
    Variant(const char* v) : value_(QString::fromUtf8(v)) {}

    Type type() const;
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    bool isNumeric() const;  // a number type, or a numeric text
    bool isDate() const { return type() == Type::Date; }
    bool isString() const { return type() == Type::String; }

    bool toBool() const;
    Integer toInteger() const;
    Long toLong() const;
    Single toSingle() const;
    double toDouble() const;
    Date toDate() const;
    QString toString() const;

    friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    std::variant<std::monostate, NullTag, bool, Integer, Long, Single, double, Date, QString> value_;
};

// Conversions for values read from stored rows, where any column may be Null: Null and Empty
// give the empty text and False instead of error 94.
QString TextOf(const Variant& value);
bool BoolOf(const Variant& value);

}  // namespace mt52
