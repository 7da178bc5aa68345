#pragma once

#include <QByteArray>
#include <QSize>
#include <functional>

// Turns the preview picture an EXIF block holds: given the preview's JPEG bytes and the room the
// block has for it, the turned bytes, or empty bytes when it cannot be turned within that room.
using PreviewTurner = std::function<QByteArray(const QByteArray& preview, qsizetype room)>;

// The JPEG with its metadata made to describe pixels that were just turned or mirrored and are
// now stored upright at size:
// - EXIF: orientation 1 (the picture's and its preview's), the pixel dimensions (ImageWidth,
//   ImageLength, PixelXDimension, PixelYDimension, where present) set to size, and the preview
//   turned by turnPreview; a preview that cannot be turned is left out rather than kept wrong;
// - XMP: the same orientation and dimensions where its packet names them.
// Everything else stays byte for byte; bytes without these blocks come back unchanged, and so does
// a block that cannot be read.
[[nodiscard]] QByteArray DescribeTurnedPixels(const QByteArray& jpeg, QSize size,
                                              const PreviewTurner& turnPreview);
