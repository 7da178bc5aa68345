#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

// The five commands of the "Rotate picture" menu.
enum class PictureTransform {
    Rotate90CW,     // "90 CW"
    Rotate90CCW,    // "90 CCW"
    Rotate180,      // "180"
    FlipHorizontal, // "Flip Horizontal": mirror top to bottom
    FlipVertikal,   // "Flip Vertikal": mirror left to right
};

// The picture turned or mirrored, for W x H input and output pixel (x, y):
//   90 CW  -> H x W from (y, H-1-x)        90 CCW -> H x W from (W-1-y, x)
//   180    -> W x H from (W-1-x, H-1-y)    Flip Horizontal -> (x, H-1-y)
//   Flip Vertikal -> (W-1-x, y)
// Works on whole scan lines; the result is Format_RGB32.
[[nodiscard]] QImage TransformImage(const QImage& image, PictureTransform transform);

// The size of thumbnail wanted for a picture of the given upright size (an empty size: none).
using ThumbnailSizeFor = std::function<QSize(QSize upright)>;

// What rewriting a picture file gave.
struct TransformedFile {
    QSize Size;       // the rewritten picture's upright width and height
    bool Lossless;    // a JPEG whose coefficients were moved without decoding
    QImage Thumbnail; // the transformed pixels at the size asked for; null when none was
};

// Rewrites the picture file at path turned or mirrored, through a temporary file renamed over it,
// in the format its extension is read by (JPEG in any letter case, BMP as 24-bit). A JPEG is
// transformed losslessly with every marker kept when its size allows it; otherwise it is
// re-encoded at quality 100 with its chroma sampling (turned with the picture) and its inks, and
// every APPn segment and comment of the original (EXIF, XMP, ICC profile, IPTC ...) goes back in.
// Either way the pixels are then stored upright: the EXIF orientation becomes 1, and the EXIF and
// XMP pixel dimensions and the EXIF preview follow the new picture. The thumbnail shows the
// transformed pixels; after a lossless turn it is decoded at a reduced scale from the original
// while the coefficients are moved. Throws PictureError or IoError naming the file; the file is
// unchanged then.
TransformedFile TransformPictureFile(const QString& path, PictureTransform transform,
                                     const ThumbnailSizeFor& thumbnailSize = {});
