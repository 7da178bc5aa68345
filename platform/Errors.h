#pragma once

#include <QString>
#include <stdexcept>

// Errors carry the message the user sees; the generic error handler shows it and the program
// goes on.
class KrelError : public std::runtime_error {
public:
    explicit KrelError(const QString& message)
        : std::runtime_error(message.toStdString()), Message(message) {}
    QString Message;
};

// A file could not be read, written or created.
class IoError : public KrelError {
public:
    using KrelError::KrelError;
};

// A text that should hold a number does not.
class ConversionError : public KrelError {
public:
    using KrelError::KrelError;
};

// A picture file is missing, damaged, too large or of an unknown kind. The message names the file.
class PictureError : public KrelError {
public:
    using KrelError::KrelError;
};
