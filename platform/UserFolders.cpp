#include "platform/UserFolders.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace {

constexpr const char* SeededFiles[] = {"Res.ini", "Themes.ini"};

QString WithSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString DefaultConfigHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QLatin1String("/.config");
}

bool IsInstalledFolder(const QString& programFolder) {
    const QString folder = QDir::cleanPath(programFolder);
    return folder.startsWith(QLatin1String("/usr/")) ||
           ::access(QFile::encodeName(folder).constData(), W_OK) != 0;
}

QString PrepareSettingsFolder(const QString& programFolder, const QString& configHome) {
    return PrepareSettingsFolder(programFolder, configHome, IsInstalledFolder(programFolder));
}

QString PrepareSettingsFolder(const QString& programFolder, const QString& configHome,
                              bool installed) {
    if (!installed)
        return WithSlash(programFolder);
    const QString folder = WithSlash(QDir(configHome).filePath(QStringLiteral("krel-album")));
    QDir().mkpath(folder);
    for (const char* name : SeededFiles) {
        const QString own = folder + QLatin1String(name);
        if (QFile::exists(own))
            continue;
        // A copy keeps the installed file's read-only rights: the user's own is the user's to
        // write.
        if (QFile::copy(WithSlash(programFolder) + QLatin1String(name), own))
            QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                           QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    }
    return folder;
}
