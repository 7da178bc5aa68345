#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Most pixels the program decodes at once; a decode that would give more is refused before any
// pixel memory is taken. A larger JPEG still gives its scaled decodes that stay below it.
inline constexpr qint64 MaxPicturePixels = 250'000'000;

// Picture kind chosen by the file's extension, in any letter case.
enum class PictureKind { Jpeg, Bmp, Unknown };
[[nodiscard]] PictureKind PictureKindOf(const QString& path);

// Loads a JPEG (".jpg", ".jpeg") or BMP (".bmp") file. JPEGs are turned upright by their EXIF
// orientation tag. Throws PictureError naming the file when it is missing, damaged, not a picture
// of its extension, of an unknown extension or too large.
[[nodiscard]] QImage LoadPicture(const QString& path);

// Loads a picture decoded straight to about its target size (the smallest JPEG scale that still
// covers it) and smoothly scaled to exactly target. Same errors as LoadPicture.
[[nodiscard]] QImage LoadPictureScaled(const QString& path, QSize target);

// The upright width and height of a picture, read from its header without decoding pixels. A size
// above MaxPicturePixels is returned as it is: the limit is the decoder's.
[[nodiscard]] QSize ReadPictureSize(const QString& path);

// Encodes an image as JPEG at quality 1..100 (0 counts as 1). Throws PictureError on failure.
[[nodiscard]] QByteArray EncodeJpeg(const QImage& image, int quality);

// Writes image as a JPEG or a 24-bit BMP through a temporary file renamed over path.
void SaveJpeg(const QImage& image, const QString& path, int quality);
void SaveBmp24(const QImage& image, const QString& path);
