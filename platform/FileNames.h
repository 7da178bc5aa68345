#pragma once

// On Linux a file name is bytes, not text: a picture copied from a Windows archive may be named
// "caf\xE9.jpg", which is no UTF-8. Such a name is kept in a QString without loss: the bytes of
// valid UTF-8 stand as their characters, every other byte b as the lone surrogate U+DC00 + b
// (which no valid text holds). Qt's own file classes would turn those bytes into U+FFFD, so files
// named by the album are opened, tested and written through the functions below.

#include <QByteArray>
#include <QFile>
#include <QString>

// The name for the bytes, UTF-8 where it is valid and every other byte kept as its escape.
[[nodiscard]] QString PathFromBytes(const QByteArray& bytes);
// The bytes of a name made by PathFromBytes (or any text: UTF-8).
[[nodiscard]] QByteArray PathBytes(const QString& path);
// The name as the user reads it: each kept byte shown as its Windows-1252 character.
[[nodiscard]] QString DisplayPath(const QString& path);

// True when path names an existing file (not a folder).
[[nodiscard]] bool IsExistingFile(const QString& path);
// True when anything exists at path.
[[nodiscard]] bool PathExists(const QString& path);

// Opens path for reading by its bytes. Returns an empty text on success, else the reason.
[[nodiscard]] QString OpenForReading(QFile& file, const QString& path);

// Removes the file at path; false when it could not be removed.
bool RemoveFile(const QString& path);
