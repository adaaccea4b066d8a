#pragma once
// One exception type for every run-time failure of the program's logic. It carries the
// classic error number, so a procedure that traps a particular failure can tell it apart.
#include <QString>
#include <stdexcept>

namespace mt52 {

enum ErrorNumber : int {
    ErrInvalidArgument = 5,   // invalid procedure call or argument
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrSubscript = 9,         // subscript out of range (the index error)
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrBadFileName = 52,
    ErrFileNotFound = 53,
    ErrFileAlreadyOpen = 55,
    ErrDeviceIO = 57,
    ErrFileExists = 58,
    ErrPermissionDenied = 70,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
    ErrObjectNotSet = 91,
    ErrInvalidNull = 94,
    ErrDuplicateKey = 457,
    ErrDatabase = 3000,       // a failure reported by the database layer
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description);

    int number() const noexcept { return number_; }
    QString description() const { return description_; }

private:
    int number_;
    QString description_;
};

// The standard text of an error number ("Overflow", "Subscript out of range", ...).
QString ErrorText(int number);

// Throws a RuntimeError with the number; the detail, when given, is appended to the standard text.
[[noreturn]] void Raise(int number, const QString& detail = {});

}  // namespace mt52
