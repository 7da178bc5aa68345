#include "output/PictureTransform.h"

#include "output/ExifRewrite.h"
#include "output/JpegDcImage.h"
#include "output/JpegMarkers.h"
#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/PictureFormats.h"
#include "platform/PictureIO.h"
#include "platform/TextLines.h"

#include <QFile>
#include <QFuture>
#include <QtConcurrent/QtConcurrentRun>
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

bool SwapsSides(TJXOP op) {
    return op == TJXOP_TRANSPOSE || op == TJXOP_TRANSVERSE || op == TJXOP_ROT90 ||
           op == TJXOP_ROT270;
}

bool SwapsSides(PictureTransform t) {
    return t == PictureTransform::Rotate90CW || t == PictureTransform::Rotate90CCW;
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file;
    const QString why = OpenForReading(file, path);
    if (!why.isEmpty())
        throw PictureError(QStringLiteral("Cannot load %1: %2").arg(DisplayPath(path), why));
    return file.readAll();
}

// The thumbnail for pixels already transformed (BMP and re-encoded JPEG).
QImage ScaledThumbnail(const QImage& pixels, const ThumbnailSizeFor& sizeFor) {
    const QSize size = sizeFor ? sizeFor(pixels.size()) : QSize();
    if (size.isEmpty())
        return {};
    return pixels.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// TurboJPEG's output buffer, freed with tjFree.
struct TjBuffer {
    unsigned char* Data = nullptr;
    unsigned long Size = 0;
    TjBuffer() = default;
    TjBuffer(const TjBuffer&) = delete;
    TjBuffer& operator=(const TjBuffer&) = delete;
    ~TjBuffer() { tjFree(Data); }
};

// Moves the JPEG's coefficients by op with every marker copied. False when the picture's size
// does not allow a perfect transform (or TurboJPEG cannot read it).
// With dc, the DC coefficients are collected on the way.
bool TransformLossless(const QByteArray& jpeg, TJXOP op, TjBuffer& out, DcPlanes* dc) {
    tjhandle handle = tjInitTransform();
    if (handle == nullptr)
        return false;
    tjtransform xform{};
    xform.op = op;
    xform.options = TJXOPT_PERFECT;
    if (dc != nullptr) {
        xform.customFilter = CollectDc;
        xform.data = dc;
    }
    const int rc =
        tjTransform(handle, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                    static_cast<unsigned long>(jpeg.size()), 1, &out.Data, &out.Size, &xform, 0);
    tjDestroy(handle);
    return rc == 0 && out.Data != nullptr;
}

// The stored pixels moved by op, which TransformImage's commands make up.
QImage ApplyOp(const QImage& image, TJXOP op) {
    switch (op) {
    case TJXOP_NONE:
        return image.convertToFormat(QImage::Format_RGB32);
    case TJXOP_HFLIP:
        return TransformImage(image, PictureTransform::FlipVertikal);
    case TJXOP_VFLIP:
        return TransformImage(image, PictureTransform::FlipHorizontal);
    case TJXOP_TRANSPOSE:
        return TransformImage(TransformImage(image, PictureTransform::Rotate90CW),
                              PictureTransform::FlipVertikal);
    case TJXOP_TRANSVERSE:
        return TransformImage(TransformImage(image, PictureTransform::Rotate90CCW),
                              PictureTransform::FlipVertikal);
    case TJXOP_ROT90:
        return TransformImage(image, PictureTransform::Rotate90CW);
    case TJXOP_ROT180:
        return TransformImage(image, PictureTransform::Rotate180);
    case TJXOP_ROT270:
        break;
    }
    return TransformImage(image, PictureTransform::Rotate90CCW);
}

// The chroma sampling that keeps the source's detail after op: a quarter turn exchanges the
// horizontal and vertical factors, as a lossless turn does. A sampling without a name keeps all.
JpegSampling SamplingAfter(JpegSampling sampling, TJXOP op) {
    if (sampling < 0)
        return TJSAMP_444;
    if (!SwapsSides(op))
        return sampling;
    switch (sampling) {
    case TJSAMP_422:
        return TJSAMP_440;
    case TJSAMP_440:
        return TJSAMP_422;
    case TJSAMP_411:
        return TJSAMP_420; // 1 x 4 has no encoder here; 2 x 2 keeps as many chroma samples
    default:
        return sampling;
    }
}

// Decodes, moves the pixels by op and encodes at the program's quality with the source's chroma
// sampling and inks; every metadata segment of the original goes back in, described anew.
// rgb (may be null) receives the moved pixels as colours.
QByteArray ReencodeJpegBytes(const QString& path, const QByteArray& original, TJXOP op,
                             const PreviewTurner& turnPreview, QImage* rgb) {
    const StoredJpeg stored = DecodeJpegStored(path, original);
    QImage pixels = ApplyOp(stored.Pixels, op);
    const QByteArray encoded =
        EncodeJpegBytes(pixels, JpegQuality, SamplingAfter(stored.Sampling, op), stored.Cmyk);
    if (rgb != nullptr)
        *rgb = stored.Cmyk ? CmykToRgb(pixels) : pixels;
    return DescribeTurnedPixels(WithHeaderSegmentsOf(original, encoded, SwapsSides(op)),
                                pixels.size(), turnPreview);
}

// The EXIF preview, a small JPEG stored as the picture is, moved by the same op: losslessly when
// it can be, otherwise encoded again, at lower qualities when the block has no room for it.
PreviewTurner PreviewTurnerFor(TJXOP op) {
    return [op](const QByteArray& preview, qsizetype room) -> QByteArray {
        TjBuffer turned;
        if (TransformLossless(preview, op, turned, nullptr) && qsizetype(turned.Size) <= room)
            return QByteArray(reinterpret_cast<const char*>(turned.Data),
                              static_cast<qsizetype>(turned.Size));
        try {
            const StoredJpeg stored = DecodeJpegStored(QStringLiteral("EXIF preview"), preview);
            const QImage pixels = ApplyOp(stored.Pixels, op);
            for (const int quality : {JpegQuality, 90, 75}) {
                const QByteArray bytes = WithHeaderSegmentsOf(
                    preview,
                    EncodeJpegBytes(pixels, quality, SamplingAfter(stored.Sampling, op),
                                    stored.Cmyk),
                    SwapsSides(op));
                if (bytes.size() <= room)
                    return bytes;
            }
        } catch (const KrelError&) {
        }
        return {}; // left out
    };
}

TransformedFile ReencodeJpeg(const QString& path, const QByteArray& original, int orientation,
                             PictureTransform t, const ThumbnailSizeFor& sizeFor) {
    const TJXOP op = LosslessOpFor(t, orientation);
    QImage pixels;
    WriteFileAtomic(path, ReencodeJpegBytes(path, original, op, PreviewTurnerFor(op), &pixels));
    return {pixels.size(), false, ScaledThumbnail(pixels, sizeFor)};
}

// The thumbnail of the transformed picture, from the original's bytes: decoded at the smallest
// scale that covers it, turned upright and transformed as the file is. Null when it cannot be
// decoded (the caller then reads the rewritten file, which reports why).
QImage ThumbnailFromOriginal(const QString& path, const QByteArray& original, int orientation,
                             PictureTransform t, QSize size) {
    const QSize stored =
        SwapsSides(t) != OrientationSwapsSides(orientation) ? size.transposed() : size;
    try {
        QImage image = DecodeJpeg(path, original, stored);
        if (image.size() != stored)
            image = image.scaled(stored, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return TransformImage(ApplyOrientation(image, orientation), t);
    } catch (const KrelError&) {
        return {};
    }
}

// Whether the DC picture of a frame, turned by op, is large enough for a thumbnail of thumbSize.
bool DcImageCovers(const std::optional<JpegFrame>& frame, TJXOP op, QSize thumbSize) {
    if (!frame || !CanMakeDcImage(*frame))
        return false;
    const QSize stored((frame->Size.width() + 7) / 8, (frame->Size.height() + 7) / 8);
    const QSize dc = SwapsSides(op) ? stored.transposed() : stored;
    return dc.width() >= thumbSize.width() && dc.height() >= thumbSize.height();
}

TransformedFile TransformJpegFile(const QString& path, PictureTransform t,
                                  const ThumbnailSizeFor& sizeFor) {
    const QByteArray original = ReadFileBytes(path);
    const int orientation = ReadExifOrientation(original);
    const TJXOP op = LosslessOpFor(t, orientation);
    QSize stored;
    try {
        stored = ReadJpegSize(path, original);
    } catch (const PictureError&) {
        return ReencodeJpeg(path, original, orientation, t, sizeFor); // the loader's message
    }
    // Moving the coefficients of a picture the program would not decode costs as much memory.
    CheckPixelCount(path, stored.width(), stored.height());
    const QSize size = SwapsSides(op) ? stored.transposed() : stored;
    const QSize thumbSize = sizeFor ? sizeFor(size) : QSize();
    // A large picture's thumbnail comes from the DC coefficients the transform moves anyway; a
    // small one's is decoded on a worker while the coefficients are moved.
    const bool fromDc =
        !thumbSize.isEmpty() && DcImageCovers(ReadJpegFrame(original), op, thumbSize);
    QFuture<QImage> decoded;
    if (!thumbSize.isEmpty() && !fromDc)
        decoded =
            QtConcurrent::run(ThumbnailFromOriginal, path, original, orientation, t, thumbSize);
    DcPlanes dc;
    TjBuffer turned;
    if (!TransformLossless(original, op, turned, fromDc ? &dc : nullptr)) {
        decoded.waitForFinished();
        return ReencodeJpeg(path, original, orientation, t, sizeFor);
    }
    const QByteArray bytes =
        DescribeTurnedPixels(QByteArray::fromRawData(reinterpret_cast<const char*>(turned.Data),
                                                     static_cast<qsizetype>(turned.Size)),
                             size, PreviewTurnerFor(op));
    WriteFileAtomic(path, bytes);
    if (thumbSize.isEmpty())
        return {size, true, QImage()};
    QImage image;
    if (fromDc) {
        const std::optional<JpegFrame> frame = ReadJpegFrame(bytes);
        image = frame ? DcImage(*frame, dc) : QImage();
        if (!image.isNull())
            image = image.scaled(thumbSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        image = decoded.result();
    }
    if (image.isNull())
        image = LoadPictureScaled(path, thumbSize);
    return {size, true, std::move(image)};
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

TransformedFile TransformPictureFile(const QString& path, PictureTransform transform,
                                     const ThumbnailSizeFor& thumbnailSize) {
    switch (PictureKindOf(path)) {
    case PictureKind::Jpeg:
        return TransformJpegFile(path, transform, thumbnailSize);
    case PictureKind::Bmp: {
        const QImage pixels = TransformImage(LoadPicture(path), transform);
        SaveBmp24(pixels, path);
        return {pixels.size(), false, ScaledThumbnail(pixels, thumbnailSize)};
    }
    case PictureKind::Unknown:
        break;
    }
    (void)LoadPicture(path); // throws the loader's message for an unknown kind
    throw PictureError(
        QStringLiteral("Cannot load %1: unknown picture extension").arg(DisplayPath(path)));
}
