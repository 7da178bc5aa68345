#include "platform/FileTypeRegistration.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr const char* DesktopFileName = "krel-album.desktop";
constexpr const char* ApplicationTitle = "The Krel - Digital album";
constexpr const char* AlbumDescription = "Krel Photo Album";

// Runs a cache tool in the background when it is installed; its result does not matter.
void RunIfPresent(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

bool WriteIfPossible(const QString& path, const QByteArray& text) {
    try {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return false;
        WriteFileAtomic(path, text);
        return true;
    } catch (const KrelError&) {
        return false;
    }
}

} // namespace

QString DefaultDataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QLatin1String("/.local/share");
}

QString MimePackagePath(const QString& dataHome, const QString& extension) {
    return QDir(dataHome).filePath(
        QStringLiteral("mime/packages/krel-album-%1.xml").arg(extension));
}

QString DesktopFilePath(const QString& dataHome) {
    return QDir(dataHome).filePath(QLatin1String("applications/") + QLatin1String(DesktopFileName));
}

QByteArray MimePackageText(const QString& extension) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>%2</comment>\n"
               "    <generic-icon name=\"image-x-generic\"/>\n"
               "    <glob pattern=\"*.%3\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QLatin1String(AlbumMimeType), QLatin1String(AlbumDescription),
             extension.toHtmlEscaped())
        .toUtf8();
}

QString QuoteExecArgument(const QString& argument) {
    // Inside double quotes the Exec key escapes " ` $ \ with a backslash; the desktop file's own
    // string escaping then doubles every backslash. A literal % is written %%.
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QLatin1String("\\\\") + c;
        else if (c == QLatin1Char('\\'))
            quoted += QLatin1String("\\\\\\\\");
        else if (c == QLatin1Char('%'))
            quoted += QLatin1String("%%");
        else
            quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray DesktopFileText(const QString& programPath) {
    // The icon lies in the program folder beside the executable; a desktop file's string value
    // escapes its backslashes.
    QString icon = QFileInfo(programPath).absolutePath() + QLatin1String("/GraphicRes/Icon.png");
    icon.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=%2\n"
                          "Exec=%3 %f\n"
                          "Icon=%5\n"
                          "MimeType=%4;\n"
                          "Terminal=false\n"
                          "Categories=Graphics;Viewer;\n")
        .arg(QLatin1String(ApplicationTitle), QLatin1String(AlbumDescription),
             QuoteExecArgument(programPath), QLatin1String(AlbumMimeType), icon)
        .toUtf8();
}

bool RegisterFileType(const QString& extension, const QString& programPath, const QString& dataHome,
                      bool refreshCaches) {
    // A line break in the path cannot be written into a desktop file's single-line value.
    if (programPath.contains(QLatin1Char('\n')) || programPath.contains(QLatin1Char('\r')))
        return false;
    const bool written =
        WriteIfPossible(MimePackagePath(dataHome, extension), MimePackageText(extension)) &&
        WriteIfPossible(DesktopFilePath(dataHome), DesktopFileText(programPath));
    if (!written)
        return false;
    if (!refreshCaches)
        return true;
    RunIfPresent(QStringLiteral("update-mime-database"), {QDir(dataHome).filePath("mime")});
    RunIfPresent(QStringLiteral("update-desktop-database"),
                 {QDir(dataHome).filePath("applications")});
    return true;
}
