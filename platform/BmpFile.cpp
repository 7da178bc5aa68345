#include "platform/PictureFormats.h"

#include "platform/Errors.h"
#include "platform/PictureIO.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>
#include <mutex>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int CoreHeaderSize = 12;      // the old OS/2 header with 16-bit sizes
constexpr qint32 PixelsPerMetre = 2835; // 72 dots per inch

qint32 Le32(const QByteArray& b, int at) {
    return qFromLittleEndian<qint32>(b.constData() + at);
}
quint16 Le16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

void Put16(QByteArray& out, int at, quint16 v) {
    qToLittleEndian(v, out.data() + at);
}
void Put32(QByteArray& out, int at, quint32 v) {
    qToLittleEndian(v, out.data() + at);
}

// Qt refuses images above 256 MB by default; the program's own limit is the pixel count, which
// is checked before Qt is asked.
void AllowLargeImages() {
    static std::once_flag once;
    std::call_once(once, [] {
        const int needed = int((MaxPicturePixels * 4) / (1024 * 1024)) + 1;
        if (QImageReader::allocationLimit() < needed)
            QImageReader::setAllocationLimit(needed);
    });
}

// Uncompressed rows must all be in the file; Qt would fill the missing ones silently.
bool IsCutShort(const QByteArray& bytes, QSize size) {
    const qint32 dibSize = Le32(bytes, FileHeaderSize);
    const bool core = dibSize == CoreHeaderSize;
    const int bitsAt = core ? 24 : 28;
    if (bytes.size() < bitsAt + 2 + (core ? 0 : 4))
        return true;
    const qint64 bits = Le16(bytes, bitsAt);
    const qint32 compression = core ? 0 : Le32(bytes, 30);
    if (compression != 0 && compression != 3 && compression != 6) // run-length data: Qt checks it
        return false;
    const qint64 rowBytes = (qint64(size.width()) * bits + 31) / 32 * 4;
    const qint64 pixelsAt = quint32(Le32(bytes, 10));
    return bytes.size() < pixelsAt + rowBytes * size.height();
}

} // namespace

std::optional<QSize> ReadBmpHeaderSize(const QByteArray& bytes) {
    if (bytes.size() < FileHeaderSize + 4 || !bytes.startsWith("BM"))
        return std::nullopt;
    const qint32 dibSize = Le32(bytes, FileHeaderSize);
    qint64 width = 0;
    qint64 height = 0;
    if (dibSize == CoreHeaderSize && bytes.size() >= FileHeaderSize + CoreHeaderSize) {
        width = Le16(bytes, 18);
        height = Le16(bytes, 20);
    } else if (dibSize >= 16 && bytes.size() >= FileHeaderSize + 16) {
        width = Le32(bytes, 18);
        height = std::llabs(qint64(Le32(bytes, 22))); // negative: rows stored top-down
    } else {
        return std::nullopt;
    }
    if (width <= 0 || height <= 0 || width > std::numeric_limits<int>::max() ||
        height > std::numeric_limits<int>::max())
        return std::nullopt;
    return QSize(int(width), int(height));
}

QImage DecodeBmp(const QString& path, const QByteArray& bytes) {
    const std::optional<QSize> size = ReadBmpHeaderSize(bytes);
    if (!size)
        FailPicture(path, QStringLiteral("not a BMP picture"));
    CheckPixelCount(path, size->width(), size->height());
    if (IsCutShort(bytes, *size))
        FailPicture(path, QStringLiteral("damaged BMP picture (the file is cut short)"));
    AllowLargeImages();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    QImage image = reader.read();
    if (image.isNull())
        FailPicture(path, QStringLiteral("damaged BMP picture (%1)").arg(reader.errorString()));
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    return image;
}

QByteArray EncodeBmp24(const QImage& image) {
    if (image.isNull())
        throw PictureError(QStringLiteral("Cannot write an empty picture as BMP"));
    const QImage source =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    const int width = source.width();
    const int height = source.height();
    const qint64 rowBytes = (qint64(width) * 3 + 3) & ~qint64(3);
    const qint64 pixelBytes = rowBytes * height;
    const qint64 headers = FileHeaderSize + InfoHeaderSize;
    if (headers + pixelBytes > std::numeric_limits<qint32>::max())
        throw PictureError(
            QStringLiteral("Cannot write a %1 x %2 picture as BMP").arg(width).arg(height));
    QByteArray out(headers + pixelBytes, '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, quint32(headers + pixelBytes));
    Put32(out, 10, quint32(headers));
    Put32(out, 14, InfoHeaderSize);
    Put32(out, 18, quint32(width));
    Put32(out, 22, quint32(height)); // positive: rows stored bottom-up
    Put16(out, 26, 1);               // planes
    Put16(out, 28, 24);              // bits per pixel
    Put32(out, 34, quint32(pixelBytes));
    Put32(out, 38, PixelsPerMetre);
    Put32(out, 42, PixelsPerMetre);
    auto* row = reinterpret_cast<uchar*>(out.data()) + headers;
    for (int y = height - 1; y >= 0; --y, row += rowBytes) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[3 * x] = uchar(qBlue(line[x]));
            row[3 * x + 1] = uchar(qGreen(line[x]));
            row[3 * x + 2] = uchar(qRed(line[x]));
        }
    }
    return out;
}
