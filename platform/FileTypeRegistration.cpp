#include "platform/FileTypeRegistration.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QFile>
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

// The program that a desktop file's Exec value starts: its first word, unquoted, looked up in
// PATH when it is a bare name.
QString ExecProgram(const QByteArray& desktopFile) {
    QString exec;
    for (const QByteArray& line : desktopFile.split('\n'))
        if (line.startsWith("Exec="))
            exec = QString::fromUtf8(line.mid(5)).trimmed();
    exec.replace(QLatin1String("\\\\"), QLatin1String("\\")); // the string value's escape
    QString program;
    if (exec.startsWith(QLatin1Char('"'))) {
        for (qsizetype i = 1; i < exec.size() && exec[i] != QLatin1Char('"'); ++i) {
            if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size())
                ++i;
            program += exec[i];
        }
    } else {
        program = exec.section(QLatin1Char(' '), 0, 0);
    }
    if (program.isEmpty() || QDir::isAbsolutePath(program))
        return program;
    return QStandardPaths::findExecutable(program);
}

QByteArray ReadIfPresent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

void RefreshCaches(const QString& dataHome) {
    RunIfPresent(QStringLiteral("update-mime-database"), {QDir(dataHome).filePath("mime")});
    RunIfPresent(QStringLiteral("update-desktop-database"),
                 {QDir(dataHome).filePath("applications")});
}

} // namespace

QStringList DefaultDataDirs() {
    QStringList dirs;
    for (const QString& dir : qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':')))
        if (QDir::isAbsolutePath(dir))
            dirs << dir;
    if (dirs.isEmpty())
        dirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    return dirs;
}

bool SystemRegistrationCovers(const QString& extension, const QStringList& dataDirs,
                              const QString& programPath) {
    const QByteArray mimeType = QByteArray("type=\"") + AlbumMimeType + '"';
    for (const QString& dir : dataDirs) {
        const QByteArray desktop = ReadIfPresent(DesktopFilePath(dir));
        if (ReadIfPresent(MimePackagePath(dir, extension)).contains(mimeType) &&
            SameFile(ExecProgram(desktop), programPath))
            return true;
    }
    return false;
}

bool RegisterFileTypeWhereMissing(const QString& extension, const QString& programPath,
                                  const QStringList& dataDirs, const QString& dataHome,
                                  bool refreshCaches) {
    if (!SystemRegistrationCovers(extension, dataDirs, programPath))
        return RegisterFileType(extension, programPath, dataHome, refreshCaches);
    // A per-user desktop file of the same name would hide the installed one.
    bool removed = false;
    for (const QString& own : {MimePackagePath(dataHome, extension), DesktopFilePath(dataHome)})
        removed = QFile::remove(own) || removed;
    if (removed && refreshCaches)
        RefreshCaches(dataHome);
    return false;
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

QByteArray DesktopFileText(const QString& execProgram, const QString& icon) {
    // A desktop file's string value escapes its backslashes.
    QString iconValue = icon;
    iconValue.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "GenericName=Photo album\n"
                          "Comment=%2\n"
                          "Exec=%3 %f\n"
                          "Icon=%5\n"
                          "MimeType=%4;\n"
                          "Terminal=false\n"
                          "Categories=Graphics;Viewer;\n"
                          "Keywords=photo;album;picture;slideshow;\n")
        .arg(QLatin1String(ApplicationTitle), QLatin1String(AlbumDescription), execProgram,
             QLatin1String(AlbumMimeType), iconValue)
        .toUtf8();
}

QByteArray UserDesktopFileText(const QString& programPath) {
    // The icon lies in the program folder beside the executable.
    return DesktopFileText(QuoteExecArgument(programPath),
                           QFileInfo(programPath).absolutePath() +
                               QLatin1String("/GraphicRes/Icon.png"));
}

bool RegisterFileType(const QString& extension, const QString& programPath, const QString& dataHome,
                      bool refreshCaches) {
    // A line break in the path cannot be written into a desktop file's single-line value.
    if (programPath.contains(QLatin1Char('\n')) || programPath.contains(QLatin1Char('\r')))
        return false;
    const bool written =
        WriteIfPossible(MimePackagePath(dataHome, extension), MimePackageText(extension)) &&
        WriteIfPossible(DesktopFilePath(dataHome), UserDesktopFileText(programPath));
    if (!written)
        return false;
    if (refreshCaches)
        RefreshCaches(dataHome);
    return true;
}
