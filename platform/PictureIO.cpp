#include "platform/PictureIO.h"

#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/PictureFormats.h"
#include "platform/TextLines.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Enough for the headers of nearly every JPEG (EXIF with its preview, ICC profiles); a header
// that reaches further is read from the whole file. TurboJPEG reads a header up to the picture
// data, so when it succeeds every segment that may hold the orientation tag was in the part read.
constexpr qint64 HeaderBytes = 256 * 1024;

// Reads the file, or its first maxBytes bytes when maxBytes >= 0.
QByteArray ReadPictureFile(const QString& path, PictureKind kind, qint64 maxBytes = -1) {
    if (kind == PictureKind::Unknown)
        FailPicture(path, QStringLiteral("unknown picture extension"));
    if (!PathExists(path))
        FailPicture(path, QStringLiteral("file not found"));
    QFile file;
    const QString why = OpenForReading(file, path);
    if (!why.isEmpty())
        FailPicture(path, QStringLiteral("cannot read the file (%1)").arg(why));
    QByteArray bytes = maxBytes >= 0 ? file.read(maxBytes) : file.readAll();
    if (bytes.isEmpty())
        FailPicture(path, QStringLiteral("the file is empty"));
    return bytes;
}

} // namespace

void FailPicture(const QString& path, const QString& why) {
    throw PictureError(QStringLiteral("Cannot load %1: %2").arg(DisplayPath(path), why));
}

void CheckPixelCount(const QString& path, qint64 width, qint64 height) {
    if (width * height > MaxPicturePixels)
        FailPicture(
            path,
            QStringLiteral("the picture is too large (%1 x %2 pixels)").arg(width).arg(height));
}

PictureKind PictureKindOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return PictureKind::Jpeg;
    if (ext == QLatin1String("bmp"))
        return PictureKind::Bmp;
    return PictureKind::Unknown;
}

QImage DecodePicture(const QString& path, const QByteArray& bytes, std::optional<QSize> target) {
    const PictureKind kind = PictureKindOf(path);
    if (kind == PictureKind::Unknown)
        FailPicture(path, QStringLiteral("unknown picture extension"));
    if (kind == PictureKind::Bmp) {
        const QImage image = DecodeBmp(path, bytes);
        return target ? image.scaled(*target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      : image;
    }
    // Decode and scale the picture as stored, then turn the small result upright.
    const int orientation = ReadExifOrientation(bytes);
    const bool swap = OrientationSwapsSides(orientation);
    QSize stored;
    if (target) // an empty target still decodes (at the smallest scale) to check the file
        stored = target->isEmpty() ? QSize(1, 1) : swap ? target->transposed() : *target;
    QImage image = DecodeJpeg(path, bytes, stored);
    if (target) {
        if (target->isEmpty())
            return {};
        if (image.size() != stored)
            image = image.scaled(stored, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return ApplyOrientation(image, orientation);
}

QImage LoadPicture(const QString& path) {
    return DecodePicture(path, ReadPictureFile(path, PictureKindOf(path)), std::nullopt);
}

QImage LoadPictureScaled(const QString& path, QSize target) {
    return DecodePicture(path, ReadPictureFile(path, PictureKindOf(path)), target);
}

QSize ReadPictureSize(const QString& path) {
    const PictureKind kind = PictureKindOf(path);
    const QByteArray bytes = ReadPictureFile(path, kind, HeaderBytes);
    try {
        return PictureSizeOf(path, bytes);
    } catch (const PictureError&) {
        if (kind == PictureKind::Bmp || bytes.size() < HeaderBytes)
            throw;
        return PictureSizeOf(path, ReadPictureFile(path, kind));
    }
}

QSize PictureSizeOf(const QString& path, const QByteArray& bytes) {
    const PictureKind kind = PictureKindOf(path);
    if (kind == PictureKind::Unknown)
        FailPicture(path, QStringLiteral("unknown picture extension"));
    if (kind == PictureKind::Bmp) {
        const std::optional<QSize> size = ReadBmpHeaderSize(bytes);
        if (!size)
            FailPicture(path, QStringLiteral("not a BMP picture"));
        return *size;
    }
    const QSize size = ReadJpegSize(path, bytes);
    return OrientationSwapsSides(ReadExifOrientation(bytes)) ? size.transposed() : size;
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
    return EncodeJpegBytes(image, quality);
}

void SaveJpeg(const QImage& image, const QString& path, int quality) {
    WriteFileAtomic(path, EncodeJpeg(image, quality));
}

void SaveBmp24(const QImage& image, const QString& path) {
    WriteFileAtomic(path, EncodeBmp24(image));
}
