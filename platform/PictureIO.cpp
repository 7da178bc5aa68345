#include "platform/PictureIO.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

PictureKind PictureKindOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return PictureKind::Jpeg;
    if (ext == QLatin1String("bmp"))
        return PictureKind::Bmp;
    return PictureKind::Unknown;
}

namespace {

[[noreturn]] void Fail(const QString& path, const QString& why) {
    throw PictureError(QStringLiteral("Cannot load %1: %2").arg(path, why));
}

QImageReader OpenReader(const QString& path) {
    const PictureKind kind = PictureKindOf(path);
    if (kind == PictureKind::Unknown)
        Fail(path, QStringLiteral("unknown picture extension"));
    if (!QFileInfo::exists(path))
        Fail(path, QStringLiteral("file not found"));
    return QImageReader(path, kind == PictureKind::Jpeg ? "jpeg" : "bmp");
}

} // namespace

QImage LoadPicture(const QString& path) {
    QImageReader reader = OpenReader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPicturePixels)
        Fail(path, QStringLiteral("picture is too large"));
    QImage image = reader.read();
    if (image.isNull())
        Fail(path, reader.errorString());
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage LoadPictureScaled(const QString& path, QSize target) {
    return LoadPicture(path).scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QSize ReadPictureSize(const QString& path) {
    QImageReader reader = OpenReader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid())
        Fail(path, reader.errorString());
    return size;
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", std::clamp(quality, 1, 100)))
        throw PictureError(QStringLiteral("Cannot encode a JPEG picture"));
    return bytes;
}

void SaveJpeg(const QImage& image, const QString& path, int quality) {
    WriteFileAtomic(path, EncodeJpeg(image, quality));
}

void SaveBmp24(const QImage& image, const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    WriteFileAtomic(path, bytes);
}
