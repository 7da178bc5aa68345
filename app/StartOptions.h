#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of a start.
struct StartOptions {
    QString AlbumPath;     // the first argument; empty without one
    bool NoSplash = false; // "--no-splash": no seven-second wait
};

// Reads the arguments after the program name. Only the first argument other than --no-splash is
// the album path; further arguments are ignored.
[[nodiscard]] StartOptions ParseStartArguments(const QStringList& arguments);

// The album to open after the splash: the album path when it names an existing file, else empty.
[[nodiscard]] QString CommandLineAlbum(const StartOptions& options);
