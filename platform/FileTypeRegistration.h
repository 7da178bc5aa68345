#pragma once

#include "platform/UserFolders.h" // DefaultDataHome: where desktops look for MIME packages

#include <QString>
#include <QStringList>

// The MIME type the program registers for its album files.
inline constexpr const char* AlbumMimeType = "application/x-krel-album";

// Registers files of `extension` (without dot, "kpa") with the desktop: writes a shared-mime-info
// package under dataHome/mime/packages and a .desktop file under dataHome/applications whose Exec
// starts programPath with the file, then (refreshCaches) starts the desktop's cache tools in the
// background when they are installed. Written on every start; a failure is ignored and changes
// nothing else. Returns whether both files were written.
bool RegisterFileType(const QString& extension, const QString& programPath,
                      const QString& dataHome = DefaultDataHome(), bool refreshCaches = true);

// The system's data folders that desktops search: $XDG_DATA_DIRS, or /usr/local/share and
// /usr/share.
[[nodiscard]] QStringList DefaultDataDirs();

// True when one of dataDirs holds an installed registration of this program: the MIME package of
// the album type and a desktop file of the per-user one's name whose Exec starts programPath
// (directly, through a link, or by a name found in PATH).
[[nodiscard]] bool SystemRegistrationCovers(const QString& extension, const QStringList& dataDirs,
                                            const QString& programPath);

// The start's registration: the per-user files of RegisterFileType, unless the system's files
// already cover this program; then a per-user pair left by an earlier start is removed, since it
// would hide the installed one. Returns whether per-user files were written.
bool RegisterFileTypeWhereMissing(const QString& extension, const QString& programPath,
                                  const QStringList& dataDirs = DefaultDataDirs(),
                                  const QString& dataHome = DefaultDataHome(),
                                  bool refreshCaches = true);

// The paths and texts of the two files (for the tests and the registration itself).
[[nodiscard]] QString MimePackagePath(const QString& dataHome, const QString& extension);
[[nodiscard]] QString DesktopFilePath(const QString& dataHome);
[[nodiscard]] QByteArray MimePackageText(const QString& extension);
// A desktop file that starts execProgram (a command name or a quoted path) with the album and
// shows icon (a theme icon name or an absolute path).
[[nodiscard]] QByteArray DesktopFileText(const QString& execProgram, const QString& icon);
// The per-user desktop file: the program by its full path, the icon of its program folder.
[[nodiscard]] QByteArray UserDesktopFileText(const QString& programPath);
// The program path quoted as an argument of a desktop file's Exec key.
[[nodiscard]] QString QuoteExecArgument(const QString& argument);
