#include "app/StartOptions.h"

#include <QFileInfo>

StartOptions ParseStartArguments(const QStringList& arguments) {
    StartOptions options;
    bool havePath = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--no-splash"))
            options.NoSplash = true;
        else if (!havePath) {
            options.AlbumPath = argument;
            havePath = true;
        }
    }
    return options;
}

QString CommandLineAlbum(const StartOptions& options) {
    if (options.AlbumPath.isEmpty() || !QFileInfo(options.AlbumPath).isFile())
        return {};
    return options.AlbumPath;
}
