#include "platform/UserFolders.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace {

constexpr const char* SeededFiles[] = {"Res.ini", "Themes.ini"};

QString WithSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// A base folder named by the environment, or its default below home when unset or relative.
QString BaseFolder(const char* variable, const char* belowHome) {
    const QString xdg = qEnvironmentVariable(variable);
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QLatin1String(belowHome);
}

} // namespace

QString DefaultConfigHome() {
    return BaseFolder("XDG_CONFIG_HOME", "/.config");
}

QString DefaultDataHome() {
    return BaseFolder("XDG_DATA_HOME", "/.local/share");
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

QString PrepareUserDataFolder(const QString& programFolder, const QString& dataHome) {
    return PrepareUserDataFolder(dataHome, IsInstalledFolder(programFolder));
}

QString PrepareUserDataFolder(const QString& dataHome, bool installed) {
    if (!installed)
        return {};
    const QString folder = WithSlash(QDir(dataHome).filePath(QStringLiteral("krel-album")));
    QDir().mkpath(folder + QLatin1String("Themes"));
    return folder;
}
