#include "view/WallPaper.h"

#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "platform/TextLines.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString KeyWallpaper = QStringLiteral("Wallpaper");
const QString KeyTile = QStringLiteral("TileWallpaper");
const QString KeyStyle = QStringLiteral("WallpaperStyle");
const QString StyleStretched = QStringLiteral("2");
const QString CopyPrefix = QStringLiteral("Wallpaper-");

// The lines of the key file, or none when it does not exist yet.
QStringList KeyLines(const QString& path) {
    return QFileInfo::exists(path) ? ReadLines(path) : QStringList();
}

QString KeyOf(const QString& line) {
    return line.section(QLatin1Char('='), 0, 0);
}

void SetValue(QStringList& lines, const QString& key, const QString& value) {
    const QString entry = key + QLatin1Char('=') + value;
    const auto it = std::find_if(lines.begin(), lines.end(), [&key](const QString& line) {
        return line.contains(QLatin1Char('=')) && KeyOf(line) == key;
    });
    if (it != lines.end())
        *it = entry;
    else
        lines.push_back(entry);
}

QByteArray ReadWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

// A new name each time: a desktop that is handed the name it already shows may not look again.
QString NewCopyName(const QDir& folder) {
    const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
    QString name = CopyPrefix + stamp + QStringLiteral(".bmp");
    for (int n = 1; folder.exists(name); ++n)
        name = CopyPrefix + stamp + QLatin1Char('-') + QString::number(n) + QStringLiteral(".bmp");
    return folder.filePath(name);
}

void RemoveCopiesBut(const QDir& folder, const QString& keep) {
    const QStringList copies =
        folder.entryList({CopyPrefix + QStringLiteral("*.bmp")}, QDir::Files | QDir::Hidden);
    for (const QString& name : copies)
        if (folder.filePath(name) != keep)
            QFile::remove(folder.filePath(name));
}

} // namespace

TWallPaper::TWallPaper(QString keyFile, WallpaperApplier apply)
    : keyFile_(std::move(keyFile)), apply_(std::move(apply)) {}

QString TWallPaper::Value(const QString& key) const {
    for (const QString& line : KeyLines(keyFile_))
        if (line.contains(QLatin1Char('=')) && KeyOf(line) == key)
            return line.section(QLatin1Char('='), 1);
    return {};
}

QString TWallPaper::Wallpaper() const {
    return Value(KeyWallpaper);
}

bool TWallPaper::Tile() const {
    const QString text = Value(KeyTile);
    return !text.isEmpty() && ParseInt(text) != 0;
}

bool TWallPaper::Stretch() const {
    return Value(KeyStyle).trimmed() == StyleStretched;
}

void TWallPaper::Set(const DesktopWallpaper& wallpaper) {
    QStringList lines = KeyLines(keyFile_); // read first: an unreadable file changes nothing
    if (apply_)
        apply_(wallpaper);
    SetValue(lines, KeyWallpaper, wallpaper.Path);
    SetValue(lines, KeyTile, wallpaper.Tile ? QStringLiteral("1") : QStringLiteral("0"));
    SetValue(lines, KeyStyle, wallpaper.Stretch ? StyleStretched : QStringLiteral("0"));
    QDir().mkpath(QFileInfo(keyFile_).absolutePath());
    WriteLines(keyFile_, lines);
}

QString DefaultWallpaperKeyFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/krel-album/desktop-wallpaper.ini");
}

QString DefaultWallpaperFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/krel-album/wallpaper");
}

bool IsWallpaperBitmap(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot);
    return ext == QLatin1String(".bmp") || ext == QLatin1String(".BMP");
}

bool MakeWallpaper(TWallPaper& wallpaper, const QString& picture, WallpaperCommand command,
                   const QString& folder) {
    if (!IsWallpaperBitmap(picture))
        return false;
    (void)ReadPictureSize(picture); // a bitmap that cannot be read says why
    const QByteArray bytes = ReadWhole(picture);
    if (!QDir().mkpath(folder))
        throw IoError(QStringLiteral("Cannot create folder %1").arg(folder));
    const QDir dir(folder);
    const QString copy = NewCopyName(dir);
    WriteFileAtomic(copy, bytes);
    const bool tile = command == WallpaperCommand::Tiled;
    try {
        wallpaper.Set({copy, tile, !tile});
    } catch (...) {
        QFile::remove(copy);
        throw;
    }
    RemoveCopiesBut(dir, copy);
    return true;
}
