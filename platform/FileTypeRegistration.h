#pragma once

#include <QString>

// The user's data folder where desktops look for MIME packages and applications:
// $XDG_DATA_HOME, or ~/.local/share.
[[nodiscard]] QString DefaultDataHome();

// The MIME type the program registers for its album files.
inline constexpr const char* AlbumMimeType = "application/x-krel-album";

// Registers files of `extension` (without dot, "kpa") with the desktop: writes a shared-mime-info
// package under dataHome/mime/packages and a .desktop file under dataHome/applications whose Exec
// starts programPath with the file, then (refreshCaches) starts the desktop's cache tools in the
// background when they are installed. Written on every start; a failure is ignored and changes
// nothing else. Returns whether both files were written.
bool RegisterFileType(const QString& extension, const QString& programPath,
                      const QString& dataHome = DefaultDataHome(), bool refreshCaches = true);

// The paths and texts of the two files (for the tests and the registration itself).
[[nodiscard]] QString MimePackagePath(const QString& dataHome, const QString& extension);
[[nodiscard]] QString DesktopFilePath(const QString& dataHome);
[[nodiscard]] QByteArray MimePackageText(const QString& extension);
[[nodiscard]] QByteArray DesktopFileText(const QString& programPath);
// The program path quoted as an argument of a desktop file's Exec key.
[[nodiscard]] QString QuoteExecArgument(const QString& argument);
