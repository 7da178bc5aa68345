#include "output/PictureTransform.h"

#include "output/JpegExif.h"
#include "platform/Errors.h"
#include "platform/PictureFormats.h"
#include "platform/PictureIO.h"
#include "platform/TextLines.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <turbojpeg.h>

namespace {

// Pixels are moved in square tiles so that both the rows read and the rows written stay in cache.
constexpr int Tile = 64;
constexpr int JpegQuality = 100;

// Output (x, y) of a quarter turn takes source pixel at (sx, sy) = map(x, y); rows of the output
// are filled tile by tile.
template <typename Map> QImage QuarterTurn(const QImage& src, Map map) {
    QImage out(src.height(), src.width(), QImage::Format_RGB32);
    const int ow = out.width(), oh = out.height();
    for (int ty = 0; ty < oh; ty += Tile) {
        for (int tx = 0; tx < ow; tx += Tile) {
            const int yEnd = std::min(ty + Tile, oh), xEnd = std::min(tx + Tile, ow);
            for (int y = ty; y < yEnd; ++y) {
                auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
                for (int x = tx; x < xEnd; ++x) {
                    const auto [sx, sy] = map(x, y);
                    row[x] = reinterpret_cast<const QRgb*>(src.constScanLine(sy))[sx];
                }
            }
        }
    }
    return out;
}

// Rows copied in the order given, each reversed when mirrorRow is set.
QImage CopyRows(const QImage& src, bool reverseRows, bool mirrorRow) {
    QImage out(src.width(), src.height(), QImage::Format_RGB32);
    const int w = src.width(), h = src.height();
    for (int y = 0; y < h; ++y) {
        const auto* in =
            reinterpret_cast<const QRgb*>(src.constScanLine(reverseRows ? h - 1 - y : y));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        if (mirrorRow)
            std::reverse_copy(in, in + w, row);
        else
            std::copy(in, in + w, row);
    }
    return out;
}

// A turn or mirror as a 2 x 2 matrix on centred pixel coordinates (y down): the source point
// (x, y) lands on (a*x + b*y, c*x + d*y).
struct Dihedral {
    int a, b, c, d;
    friend bool operator==(const Dihedral&, const Dihedral&) = default;
};

Dihedral Compose(const Dihedral& second, const Dihedral& first) {
    return {second.a * first.a + second.b * first.c, second.a * first.b + second.b * first.d,
            second.c * first.a + second.d * first.c, second.c * first.b + second.d * first.d};
}

struct LosslessOp {
    TJXOP Op;
    Dihedral Matrix;
};

constexpr std::array<LosslessOp, 8> LosslessOps{{
    {TJXOP_NONE, {1, 0, 0, 1}},
    {TJXOP_HFLIP, {-1, 0, 0, 1}},
    {TJXOP_VFLIP, {1, 0, 0, -1}},
    {TJXOP_TRANSPOSE, {0, 1, 1, 0}},
    {TJXOP_TRANSVERSE, {0, -1, -1, 0}},
    {TJXOP_ROT90, {0, -1, 1, 0}},
    {TJXOP_ROT180, {-1, 0, 0, -1}},
    {TJXOP_ROT270, {0, 1, -1, 0}},
}};

Dihedral MatrixOf(PictureTransform t) {
    switch (t) {
    case PictureTransform::Rotate90CW:
        return {0, -1, 1, 0};
    case PictureTransform::Rotate90CCW:
        return {0, 1, -1, 0};
    case PictureTransform::Rotate180:
        return {-1, 0, 0, -1};
    case PictureTransform::FlipHorizontal:
        return {1, 0, 0, -1};
    case PictureTransform::FlipVertikal:
        break;
    }
    return {-1, 0, 0, 1};
}

// What EXIF orientation 1..8 does to the stored pixels to show them upright.
Dihedral MatrixOfOrientation(int orientation) {
    static constexpr std::array<TJXOP, 8> ops{TJXOP_NONE,       TJXOP_HFLIP,     TJXOP_ROT180,
                                              TJXOP_VFLIP,      TJXOP_TRANSPOSE, TJXOP_ROT90,
                                              TJXOP_TRANSVERSE, TJXOP_ROT270};
    const TJXOP op = ops[std::clamp(orientation, 1, 8) - 1];
    return std::find_if(LosslessOps.begin(), LosslessOps.end(),
                        [op](const LosslessOp& o) { return o.Op == op; })
        ->Matrix;
}

// The one lossless operation that shows the stored picture upright and then transformed.
TJXOP LosslessOpFor(PictureTransform t, int orientation) {
    const Dihedral m = Compose(MatrixOf(t), MatrixOfOrientation(orientation));
    return std::find_if(LosslessOps.begin(), LosslessOps.end(),
                        [&m](const LosslessOp& o) { return o.Matrix == m; })
        ->Op;
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureError(QStringLiteral("Cannot load %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

// The JPEG's coefficients moved by op with every marker copied, or an empty array when the
// picture's size does not allow a perfect transform (or TurboJPEG cannot read it).
QByteArray TransformLossless(const QByteArray& jpeg, TJXOP op) {
    tjhandle handle = tjInitTransform();
    if (handle == nullptr)
        return {};
    unsigned char* dst = nullptr;
    unsigned long dstSize = 0;
    tjtransform xform{};
    xform.op = op;
    xform.options = TJXOPT_PERFECT;
    const int rc =
        tjTransform(handle, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                    static_cast<unsigned long>(jpeg.size()), 1, &dst, &dstSize, &xform, 0);
    QByteArray out;
    if (rc == 0 && dst != nullptr)
        out = QByteArray(reinterpret_cast<const char*>(dst), static_cast<qsizetype>(dstSize));
    tjFree(dst);
    tjDestroy(handle);
    return out;
}

QSize JpegSize(const QByteArray& jpeg) {
    tjhandle handle = tjInitDecompress();
    int w = 0, h = 0, subsamp = 0, colorspace = 0;
    const int rc =
        handle == nullptr
            ? -1
            : tjDecompressHeader3(handle, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                                  static_cast<unsigned long>(jpeg.size()), &w, &h, &subsamp,
                                  &colorspace);
    if (handle != nullptr)
        tjDestroy(handle);
    return rc == 0 ? QSize(w, h) : QSize();
}

// Decodes, transforms and encodes at quality 100; the original EXIF block goes back in with
// orientation 1, since the pixels are now stored upright.
TransformedFile ReencodeJpeg(const QString& path, const QByteArray& original, PictureTransform t) {
    QImage pixels = TransformImage(LoadPicture(path), t);
    QByteArray jpeg = EncodeJpeg(pixels, JpegQuality);
    if (const std::optional<ExifSegment> exif = FindExifSegment(original)) {
        QByteArray block = original.mid(exif->Offset, exif->Length);
        QByteArray withBlock = InsertSegment(jpeg, block);
        SetExifOrientation(withBlock, 1);
        jpeg = std::move(withBlock);
    }
    WriteFileAtomic(path, jpeg);
    const QSize size = pixels.size();
    return {size, false, std::move(pixels)};
}

TransformedFile TransformJpegFile(const QString& path, PictureTransform t) {
    const QByteArray original = ReadFileBytes(path);
    const int orientation = ReadExifOrientation(original);
    QByteArray turned = TransformLossless(original, LosslessOpFor(t, orientation));
    const QSize size = turned.isEmpty() ? QSize() : JpegSize(turned);
    if (!size.isValid())
        return ReencodeJpeg(path, original, t);
    if (orientation != 1)
        SetExifOrientation(turned, 1);
    WriteFileAtomic(path, turned);
    return {size, true, QImage()};
}

} // namespace

QImage TransformImage(const QImage& image, PictureTransform transform) {
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const int w = src.width(), h = src.height();
    switch (transform) {
    case PictureTransform::Rotate90CW:
        return QuarterTurn(src, [h](int x, int y) { return std::pair{y, h - 1 - x}; });
    case PictureTransform::Rotate90CCW:
        return QuarterTurn(src, [w](int x, int y) { return std::pair{w - 1 - y, x}; });
    case PictureTransform::Rotate180:
        return CopyRows(src, true, true);
    case PictureTransform::FlipHorizontal:
        return CopyRows(src, true, false);
    case PictureTransform::FlipVertikal:
        break;
    }
    return CopyRows(src, false, true);
}

TransformedFile TransformPictureFile(const QString& path, PictureTransform transform) {
    switch (PictureKindOf(path)) {
    case PictureKind::Jpeg:
        return TransformJpegFile(path, transform);
    case PictureKind::Bmp: {
        QImage pixels = TransformImage(LoadPicture(path), transform);
        SaveBmp24(pixels, path);
        const QSize size = pixels.size();
        return {size, false, std::move(pixels)};
    }
    case PictureKind::Unknown:
        break;
    }
    (void)LoadPicture(path); // throws the loader's message for an unknown kind
    throw PictureError(QStringLiteral("Cannot load %1: unknown picture extension").arg(path));
}

QImage ThumbnailOf(const TransformedFile& file, const QString& path, QSize size) {
    if (file.Pixels.isNull())
        return LoadPictureScaled(path, size);
    return file.Pixels.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
