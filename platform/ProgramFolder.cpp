#include "platform/ProgramFolder.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>

QString GetPath() {
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    return exe.canonicalFilePath().section(QLatin1Char('/'), 0, -2) + QLatin1Char('/');
}

QString ResourcePath(const QString& folder, const QString& relative) {
    QString joined = folder + QLatin1Char('/') + relative;
    joined.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString out;
    out.reserve(joined.size());
    for (const QChar c : joined) {
        if (c == QLatin1Char('/') && out.endsWith(QLatin1Char('/')))
            continue;
        out += c;
    }
    return out;
}

bool IsBelowFolder(const QString& folder, const QString& path) {
    const QString base = QDir::cleanPath(folder) + QLatin1Char('/');
    return QDir::cleanPath(path).startsWith(base);
}

namespace {

QString& UserData() {
    static QString folder;
    return folder;
}

QString FileBelow(const QString& folder, const QString& relative) {
    const QString path = ResourcePath(folder, relative);
    return IsBelowFolder(folder, path) ? path : QString();
}

} // namespace

void SetUserDataFolder(const QString& folder) {
    UserData() = folder;
}

QString UserDataFolder() {
    return UserData();
}

QString ProgramFile(const QString& folder, const QString& relative) {
    if (!UserData().isEmpty())
        if (const QString own = FileBelow(UserData(), relative);
            !own.isEmpty() && IsExistingFile(own))
            return own;
    return FileBelow(folder, relative);
}
