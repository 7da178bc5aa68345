#pragma once

// The file formats behind PictureIO: JPEG through TurboJPEG, the EXIF orientation tag, BMP
// headers and 24-bit BMP writing. Every failure throws PictureError naming the file.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// The picture in bytes, read as path's extension says: upright, and scaled to exactly target when
// one is given (LoadPicture and LoadPictureScaled once the file is read).
[[nodiscard]] QImage DecodePicture(const QString& path, const QByteArray& bytes,
                                   std::optional<QSize> target);
// The upright size from the header at the start of bytes (ReadPictureSize once the file is read).
[[nodiscard]] QSize PictureSizeOf(const QString& path, const QByteArray& bytes);

// Throws PictureError "Cannot load <path>: <why>".
[[noreturn]] void FailPicture(const QString& path, const QString& why);

// Refuses a decode of more than MaxPicturePixels before any pixel memory is taken.
void CheckPixelCount(const QString& path, qint64 width, qint64 height);

// JPEG. Sizes are those stored in the file, before the EXIF orientation is applied.
[[nodiscard]] QSize ReadJpegSize(const QString& path, const QByteArray& bytes);
// Decodes at the smallest TurboJPEG scale whose size still covers `cover` (full size when cover
// is empty), into Format_RGB32.
[[nodiscard]] QImage DecodeJpeg(const QString& path, const QByteArray& bytes, QSize cover);
// Chroma sampling of a JPEG, as TurboJPEG names it (TJSAMP_444 ...).
using JpegSampling = int;
inline constexpr JpegSampling Sampling420 = 2; // TJSAMP_420, what photographs mostly use

// A JPEG's pixels as stored, for encoding again without losing what the file held.
struct StoredJpeg {
    QImage Pixels;     // Format_RGB32; for a CMYK picture the four inks as stored, one per byte
    bool Cmyk = false; // CMYK or YCCK colours
    JpegSampling Sampling = Sampling420; // -1 when the file's sampling has no TurboJPEG name
};
// Decodes at full size without turning the picture upright or converting inks to colours.
[[nodiscard]] StoredJpeg DecodeJpegStored(const QString& path, const QByteArray& bytes);
// The colours of the inks of a CMYK picture stored as Adobe writes them (inverted).
[[nodiscard]] QImage CmykToRgb(QImage inks);

// Encodes at quality 1..100 (clamped) with the given chroma sampling; cmyk: the pixels are inks
// (written as YCCK). Throws PictureError on failure.
[[nodiscard]] QByteArray EncodeJpegBytes(const QImage& image, int quality,
                                         JpegSampling sampling = Sampling420, bool cmyk = false);

// EXIF orientation 1..8 found in a JPEG's APP1 segment; 1 when there is none or it is unreadable.
[[nodiscard]] int ReadExifOrientation(const QByteArray& jpeg);
// Orientations 5 to 8 turn the picture by a quarter: width and height change places.
[[nodiscard]] inline bool OrientationSwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}
// Turns a picture as stored into the upright picture its orientation tag describes.
[[nodiscard]] QImage ApplyOrientation(const QImage& stored, int orientation);

// BMP: width and height from the file header, nullopt when it is no BMP header.
[[nodiscard]] std::optional<QSize> ReadBmpHeaderSize(const QByteArray& bytes);
[[nodiscard]] QImage DecodeBmp(const QString& path, const QByteArray& bytes);
// A bottom-up, uncompressed 24-bit BMP file of image.
[[nodiscard]] QByteArray EncodeBmp24(const QImage& image);
