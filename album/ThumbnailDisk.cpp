#include "album/ThumbnailDisk.h"

#include "platform/FileNames.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <glib.h>
#include <sys/stat.h>
#include <utime.h>
#include <vector>

namespace {

const char UriKey[] = "Thumb::URI";
const char MTimeKey[] = "Thumb::MTime";
const char SizeKey[] = "Thumb::Size";
// zlib level 1: a fast write that still packs photographs well.
constexpr int PngQuality = 80;
// The exact-size entries: a JPEG this good is not told from the decode it keeps.
constexpr int ExactJpegQuality = 92;

} // namespace

std::optional<FileStamp> FileStamp::Of(const QString& path) {
    struct stat st {};
    if (::stat(PathBytes(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileStamp{static_cast<qint64>(st.st_mtime), static_cast<qint64>(st.st_size)};
}

DiskThumbnails::DiskThumbnails(QString root, qint64 capBytes)
    : root_(std::move(root)),
      ownRoot_(QFileInfo(root_).dir().filePath(QStringLiteral("krel-album/thumbnails"))),
      cap_(capBytes) {}

QString DiskThumbnails::DefaultRoot() {
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/thumbnails");
}

std::optional<int> DiskThumbnails::ClassFor(QSize size) {
    const int side = std::max(size.width(), size.height());
    for (int c : Classes)
        if (side <= c)
            return c;
    return std::nullopt;
}

QString DiskThumbnails::ClassFolder(int sizeClass) {
    switch (sizeClass) {
    case 128:
        return QStringLiteral("normal");
    case 256:
        return QStringLiteral("large");
    case 512:
        return QStringLiteral("x-large");
    default:
        return QStringLiteral("xx-large");
    }
}

QByteArray DiskThumbnails::FileUri(const QString& path) {
    // GLib's escaping, so that the names match those of the desktop's own programs.
    QByteArray bytes = PathBytes(path);
    if (!bytes.startsWith('/'))
        bytes = QFile::encodeName(QDir::currentPath()) + '/' + bytes;
    gchar* uri = g_filename_to_uri(bytes.constData(), nullptr, nullptr);
    QByteArray result(uri ? uri : "");
    g_free(uri);
    return result;
}

QString DiskThumbnails::EntryPath(const QString& path, int sizeClass) const {
    const QByteArray md5 = QCryptographicHash::hash(FileUri(path), QCryptographicHash::Md5).toHex();
    return root_ + QLatin1Char('/') + ClassFolder(sizeClass) + QLatin1Char('/') +
           QString::fromLatin1(md5) + QStringLiteral(".png");
}

QString DiskThumbnails::ExactPath(const QString& path, QSize size) const {
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    return stamp ? ExactPath(path, size, *stamp) : QString();
}

QString DiskThumbnails::ExactPath(const QString& path, QSize size, const FileStamp& stamp) const {
    if (size.isEmpty())
        return {};
    const QByteArray md5 = QCryptographicHash::hash(FileUri(path), QCryptographicHash::Md5).toHex();
    return QStringLiteral("%1/%2x%3/%4-%5-%6.jpg")
        .arg(ownRoot_)
        .arg(size.width())
        .arg(size.height())
        .arg(QString::fromLatin1(md5))
        .arg(stamp.MTime)
        .arg(stamp.Size);
}

std::optional<QImage> DiskThumbnails::ReadExact(const QString& path, QSize size) {
    const QString entry = ExactPath(path, size);
    QFile file(entry);
    if (entry.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    // A JPEG cut short lacks its end marker; the decoder would fill the rest with grey.
    if (!bytes.endsWith("\xFF\xD9"))
        return std::nullopt;
    QImage image;
    if (!image.loadFromData(bytes, "jpg") || image.size() != size)
        return std::nullopt;
    utime(QFile::encodeName(entry).constData(), nullptr);
    return image.convertToFormat(QImage::Format_RGB32);
}

void DiskThumbnails::WriteExact(const QString& path, const QImage& image, const FileStamp& stamp) {
    const QString entry = ExactPath(path, image.size(), stamp);
    if (entry.isEmpty() || image.isNull())
        return;
    if (QDir().mkpath(QFileInfo(entry).absolutePath()))
        SaveEntry(entry, image, "jpg", ExactJpegQuality);
}

// Writes an entry through a temporary file renamed over it, readable by the user alone.
void DiskThumbnails::SaveEntry(const QString& entry, const QImage& image, const char* format,
                               int quality) {
    QSaveFile file(entry);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QImageWriter writer(&file, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        file.cancelWriting();
        return;
    }
    const qint64 bytes = file.size();
    if (file.commit())
        Written(bytes);
}

void DiskThumbnails::Written(qint64 bytes) {
    if ((written_ += bytes) > cap_ / 16)
        Trim();
}

std::optional<QImage> DiskThumbnails::Read(const QString& path, int sizeClass) {
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    if (!stamp)
        return std::nullopt;
    const QString entry = EntryPath(path, sizeClass);
    // The marks are read from the image: the reader's own text() splits keys at their "::".
    QFile file(entry);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt; // no entry (the reader itself would try other suffixes)
    QImageReader reader(&file, "png");
    const QImage image = reader.read();
    // A cut or damaged entry reads as null (or larger than its class): made again by the caller.
    if (image.isNull() || std::max(image.width(), image.height()) > sizeClass)
        return std::nullopt;
    if (image.text(QLatin1String(UriKey)).toUtf8() != FileUri(path) ||
        image.text(QLatin1String(MTimeKey)) != QString::number(stamp->MTime))
        return std::nullopt;
    // The size, when the entry gives it, tells apart files rewritten within one second.
    const QString size = image.text(QLatin1String(SizeKey));
    if (!size.isEmpty() && size != QString::number(stamp->Size))
        return std::nullopt;
    utime(QFile::encodeName(entry).constData(), nullptr); // used now: kept longest by Trim
    return image;
}

void DiskThumbnails::Write(const QString& path, int sizeClass, const QImage& image,
                           const FileStamp& stamp) {
    if (image.isNull())
        return;
    const QString entry = EntryPath(path, sizeClass);
    const QString folder = QFileInfo(entry).absolutePath();
    if (!QDir().mkpath(folder))
        return;
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QImage marked = image.convertToFormat(QImage::Format_RGB32);
    marked.setText(QLatin1String(UriKey), QString::fromUtf8(FileUri(path)));
    marked.setText(QLatin1String(MTimeKey), QString::number(stamp.MTime));
    marked.setText(QLatin1String(SizeKey), QString::number(stamp.Size));
    SaveEntry(entry, marked, "png", PngQuality);
}

void DiskThumbnails::Forget(const QString& path) {
    for (int c : Classes)
        QFile::remove(EntryPath(path, c));
    // The exact-size entries of every size and every earlier version of the file.
    const QString md5 = QString::fromLatin1(
        QCryptographicHash::hash(FileUri(path), QCryptographicHash::Md5).toHex());
    const QDir own(ownRoot_);
    for (const QString& size : own.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir folder(own.filePath(size));
        for (const QString& entry : folder.entryList({md5 + QStringLiteral("-*")}, QDir::Files))
            QFile::remove(folder.filePath(entry));
    }
}

void DiskThumbnails::Trim() {
    std::lock_guard lock(trimMutex_);
    written_ = 0;
    struct Entry {
        QString Path;
        qint64 Bytes;
        qint64 Used;
    };
    std::vector<Entry> entries;
    qint64 total = 0;
    QStringList folders;
    for (int c : Classes)
        folders << root_ + QLatin1Char('/') + ClassFolder(c);
    for (const QString& size : QDir(ownRoot_).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << ownRoot_ + QLatin1Char('/') + size;
    for (const QString& folder : folders) {
        QDirIterator it(folder, {QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files);
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            entries.push_back(
                {info.filePath(), info.size(), info.lastModified().toMSecsSinceEpoch()});
            total += info.size();
        }
    }
    if (total <= cap_)
        return;
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.Used < b.Used; });
    for (const Entry& e : entries) {
        if (total <= cap_)
            break;
        if (QFile::remove(e.Path))
            total -= e.Bytes;
    }
}

QSize FitIntoSquare(QSize picture, int side) {
    if (picture.isEmpty())
        return {};
    if (picture.width() <= side && picture.height() <= side)
        return picture;
    return picture.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}
