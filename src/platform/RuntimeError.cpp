#include "platform/RuntimeError.h"

namespace mt52 {

RuntimeError::RuntimeError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

QString ErrorText(int number) {
    switch (number) {
    case ErrInvalidArgument: return QStringLiteral("Invalid procedure call or argument");
    case ErrOverflow: return QStringLiteral("Overflow");
    case ErrOutOfMemory: return QStringLiteral("Out of memory");
    case ErrSubscript: return QStringLiteral("Subscript out of range");
    case ErrDivisionByZero: return QStringLiteral("Division by zero");
    case ErrTypeMismatch: return QStringLiteral("Type mismatch");
    case ErrBadFileName: return QStringLiteral("Bad file name or number");
    case ErrFileNotFound: return QStringLiteral("File not found");
    case ErrFileAlreadyOpen: return QStringLiteral("File already open");
    case ErrDeviceIO: return QStringLiteral("Device I/O error");
    case ErrFileExists: return QStringLiteral("File already exists");
    case ErrPermissionDenied: return QStringLiteral("Permission denied");
    case ErrPathFileAccess: return QStringLiteral("Path/File access error");
    case ErrPathNotFound: return QStringLiteral("Path not found");
    case ErrObjectNotSet: return QStringLiteral("Object variable not set");
    case ErrInvalidNull: return QStringLiteral("Invalid use of Null");
    case ErrDuplicateKey: return QStringLiteral("This key is already associated with an element of this collection");
    case ErrDatabase: return QStringLiteral("Database error");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

void Raise(int number, const QString& detail) {
    QString text = ErrorText(number);
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    throw RuntimeError(number, text);
}

}  // namespace mt52
