#include "platform/PictureFormats.h"

#include "platform/Errors.h"

#include <QtEndian>
#include <algorithm>
#include <memory>
#include <turbojpeg.h>

namespace {

// QImage::Format_RGB32 holds 0xffRRGGBB words: B, G, R, X in memory on little-endian machines.
constexpr int RGB32Pixels = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;
static_assert(Sampling420 == TJSAMP_420);

struct TjDestroyer {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDestroyer>;

QString ErrorText(tjhandle handle) {
    return QString::fromLocal8Bit(tjGetErrorStr2(handle));
}

TjHandle NewDecoder(const QString& path) {
    TjHandle handle(tjInitDecompress());
    if (!handle)
        FailPicture(path,
                    QStringLiteral("cannot start the JPEG decoder: %1").arg(ErrorText(nullptr)));
    return handle;
}

struct JpegHeader {
    int Width = 0;
    int Height = 0;
    int Subsampling = 0;
    int Colorspace = 0;
    [[nodiscard]] bool Cmyk() const { return Colorspace == TJCS_CMYK || Colorspace == TJCS_YCCK; }
};

JpegHeader ReadHeader(tjhandle handle, const QString& path, const QByteArray& bytes) {
    JpegHeader h;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (bytes.isEmpty() ||
        tjDecompressHeader3(handle, data, static_cast<unsigned long>(bytes.size()), &h.Width,
                            &h.Height, &h.Subsampling, &h.Colorspace) != 0) {
        // A file that starts as a JPEG does is a damaged one (cut short, impossible header).
        const bool jpeg = bytes.startsWith("\xff\xd8");
        FailPicture(path,
                    QStringLiteral("%1 (%2)").arg(jpeg ? QStringLiteral("damaged JPEG picture")
                                                       : QStringLiteral("not a JPEG picture"),
                                                  ErrorText(handle)));
    }
    if (h.Width <= 0 || h.Height <= 0)
        FailPicture(path, QStringLiteral("the JPEG header gives no size"));
    return h;
}

// The smallest downscale (1/1 down to 1/8) whose result is still at least cover in both sides.
tjscalingfactor ChooseScale(int width, int height, QSize cover) {
    tjscalingfactor best{1, 1};
    if (cover.isEmpty())
        return best;
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    qint64 bestArea = qint64(width) * height;
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom)
            continue;
        const int w = TJSCALED(width, f);
        const int h = TJSCALED(height, f);
        if (w >= cover.width() && h >= cover.height() && qint64(w) * h < bestArea) {
            best = f;
            bestArea = qint64(w) * h;
        }
    }
    return best;
}

// A warning that data is missing means the file was cut short; others (stray bytes between
// segments) still give the whole picture, as every viewer shows it.
bool IsDamage(tjhandle handle) {
    if (tjGetErrorCode(handle) == TJERR_FATAL)
        return true;
    return ErrorText(handle).contains(QLatin1String("remature end"), Qt::CaseInsensitive);
}

// Decodes into Format_RGB32 at scale: colours, or the four inks of a CMYK picture as stored.
QImage DecodeWords(tjhandle handle, const QString& path, const QByteArray& bytes,
                   const JpegHeader& h, tjscalingfactor scale) {
    const int width = TJSCALED(h.Width, scale);
    const int height = TJSCALED(h.Height, scale);
    // The limit is on what is decoded: a huge picture still gives its small scaled decodes.
    CheckPixelCount(path, width, height);
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        FailPicture(path,
                    QStringLiteral("not enough memory for %1 x %2 pixels").arg(width).arg(height));
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (tjDecompress2(handle, data, static_cast<unsigned long>(bytes.size()), image.bits(), width,
                      static_cast<int>(image.bytesPerLine()), height,
                      h.Cmyk() ? TJPF_CMYK : RGB32Pixels, 0) != 0 &&
        IsDamage(handle))
        FailPicture(path, QStringLiteral("damaged JPEG picture (%1)").arg(ErrorText(handle)));
    return image;
}

} // namespace

// Adobe writes CMYK inverted; libjpeg hands it over as stored.
QImage CmykToRgb(QImage image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* cmyk = reinterpret_cast<const uchar*>(line);
        for (int x = 0; x < image.width(); ++x) {
            const uchar* p = cmyk + 4 * x;
            const int k = p[3];
            line[x] = qRgb(k * p[0] / 255, k * p[1] / 255, k * p[2] / 255);
        }
    }
    return image;
}

QSize ReadJpegSize(const QString& path, const QByteArray& bytes) {
    const TjHandle handle = NewDecoder(path);
    const JpegHeader h = ReadHeader(handle.get(), path, bytes);
    return {h.Width, h.Height};
}

QImage DecodeJpeg(const QString& path, const QByteArray& bytes, QSize cover) {
    const TjHandle handle = NewDecoder(path);
    const JpegHeader h = ReadHeader(handle.get(), path, bytes);
    QImage image = DecodeWords(handle.get(), path, bytes, h, ChooseScale(h.Width, h.Height, cover));
    return h.Cmyk() ? CmykToRgb(std::move(image)) : image;
}

StoredJpeg DecodeJpegStored(const QString& path, const QByteArray& bytes) {
    const TjHandle handle = NewDecoder(path);
    const JpegHeader h = ReadHeader(handle.get(), path, bytes);
    return {DecodeWords(handle.get(), path, bytes, h, {1, 1}), h.Cmyk(), h.Subsampling};
}

QByteArray EncodeJpegBytes(const QImage& image, int quality, JpegSampling sampling, bool cmyk) {
    if (image.isNull())
        throw PictureError(QStringLiteral("Cannot encode an empty picture as JPEG"));
    const bool direct =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const QImage source = direct ? image : image.convertToFormat(QImage::Format_RGB32);
    const TjHandle handle(tjInitCompress());
    if (!handle)
        throw PictureError(
            QStringLiteral("Cannot start the JPEG encoder: %1").arg(ErrorText(nullptr)));
    if (sampling < TJSAMP_444 || sampling >= TJ_NUMSAMP || (cmyk && sampling == TJSAMP_GRAY))
        sampling = TJSAMP_444;
    unsigned long capacity = tjBufSize(source.width(), source.height(), sampling);
    // TurboJPEG's bound counts three components; inks have four.
    if (cmyk && capacity != static_cast<unsigned long>(-1))
        capacity += capacity / 3;
    if (capacity == static_cast<unsigned long>(-1) ||
        capacity > static_cast<unsigned long>(std::numeric_limits<int>::max()))
        throw PictureError(QStringLiteral("Cannot encode a %1 x %2 picture as JPEG")
                               .arg(source.width())
                               .arg(source.height()));
    QByteArray out(static_cast<qsizetype>(capacity), Qt::Uninitialized);
    auto* buffer = reinterpret_cast<unsigned char*>(out.data());
    unsigned long size = capacity;
    if (tjCompress2(handle.get(), source.constBits(), source.width(),
                    static_cast<int>(source.bytesPerLine()), source.height(),
                    cmyk ? TJPF_CMYK : RGB32Pixels, &buffer, &size, sampling,
                    std::clamp(quality, 1, 100), TJFLAG_NOREALLOC) != 0)
        throw PictureError(
            QStringLiteral("Cannot encode a JPEG picture: %1").arg(ErrorText(handle.get())));
    out.resize(static_cast<qsizetype>(size));
    return out;
}
