#pragma once

#include <QString>
#include <stdexcept>

// Errors the program's components raise with a fixed message for the user. They travel up to
// the application's error handler when no command catches them.
class EAppError : public std::runtime_error {
public:
    explicit EAppError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

// Raised by the settings store when the settings file cannot be written.
class EIniError : public EAppError {
public:
    using EAppError::EAppError;
};

// Raised by a text that should be a number and is not.
class EConvertError : public EAppError {
public:
    using EAppError::EAppError;
};
