// A turned or mirrored JPEG keeps what the photograph holds: every metadata segment (EXIF, XMP,
// ICC profile, IPTC, comment), its chroma sampling, and EXIF that describes the new picture
// (orientation, pixel dimensions, the preview).

#include "output/ExifRewrite.h"
#include "output/JpegDcImage.h"
#include "output/JpegMarkers.h"
#include "output/PictureTransform.h"
#include "platform/PictureFormats.h"
#include "platform/PictureIO.h"
#include "tests/support/Fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <turbojpeg.h>

namespace {

constexpr PictureTransform AllTransforms[] = {
    PictureTransform::Rotate90CW,     PictureTransform::Rotate90CCW,  PictureTransform::Rotate180,
    PictureTransform::FlipHorizontal, PictureTransform::FlipVertikal,
};

bool Quarter(PictureTransform t) {
    return t == PictureTransform::Rotate90CW || t == PictureTransform::Rotate90CCW;
}

// Four quadrants of clear colours with a photograph's noise: any turn shows where each went,
// in the picture and in its preview alike.
QImage Quadrants(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(200, 40, 40), qRgb(40, 180, 60), qRgb(50, 60, 210),
                             qRgb(230, 220, 120)};
    quint32 state = 12345;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            state = state * 1103515245u + 12345u;
            const int n = int((state >> 16) % 9) - 4;
            const QRgb c = colours[(x * 2 / size.width()) + 2 * (y * 2 / size.height())];
            image.setPixel(x, y,
                           qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                                std::clamp(qBlue(c) + n, 0, 255)));
        }
    return image;
}

QByteArray EncodeSampled(const QImage& image, int sampling, int quality = 90) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    tjhandle h = tjInitCompress();
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    tjCompress2(h, rgb.constBits(), rgb.width(), int(rgb.bytesPerLine()), rgb.height(), TJPF_RGB,
                &buf, &size, sampling, quality, 0);
    QByteArray out(reinterpret_cast<const char*>(buf), qsizetype(size));
    tjFree(buf);
    tjDestroy(h);
    return out;
}

// Big-endian TIFF pieces.
void U16(QByteArray& b, quint32 v) {
    b.append(char(v >> 8)).append(char(v));
}
void U32(QByteArray& b, quint32 v) {
    U16(b, v >> 16);
    U16(b, v & 0xFFFF);
}
void Entry(QByteArray& b, quint16 tag, quint16 type, quint32 value) {
    U16(b, tag), U16(b, type), U32(b, 1);
    if (type == 3)
        U16(b, value), U16(b, 0);
    else
        U32(b, value);
}

constexpr quint16 Short = 3, Long = 4;

// EXIF as cameras write it: IFD0 (Make, Orientation, the EXIF directory), the EXIF directory
// (PixelXDimension as LONG, PixelYDimension as SHORT) and IFD1 with a JPEG preview.
QByteArray CameraExif(int orientation, QSize stored, const QByteArray& preview) {
    QByteArray t("MM\0\x2a\0\0\0\x08", 8);
    U16(t, 3); // IFD0 at 8, 42 bytes
    U16(t, 0x010F), U16(t, 2), U32(t, 4), t.append("Krel", 4);
    Entry(t, 0x0112, Short, quint32(orientation));
    Entry(t, 0x8769, Long, 50);
    U32(t, 80); // IFD1
    U16(t, 2);  // EXIF directory at 50, 30 bytes
    Entry(t, 0xA002, Long, quint32(stored.width()));
    Entry(t, 0xA003, Short, quint32(stored.height()));
    U32(t, 0);
    U16(t, 3); // IFD1 at 80, 42 bytes; the preview at 122
    Entry(t, 0x0103, Short, 6);
    Entry(t, 0x0201, Long, 122);
    Entry(t, 0x0202, Long, quint32(preview.size()));
    U32(t, 0);
    return MakeSegment(0xE1, QByteArray("Exif\0\0", 6) + t + preview);
}

QByteArray XmpSegment(int orientation, QSize stored) {
    const QByteArray packet =
        QStringLiteral(
            "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
            "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
            "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'><rdf:Description rdf:about='' "
            "xmlns:tiff='http://ns.adobe.com/tiff/1.0/' xmlns:exif='http://ns.adobe.com/exif/1.0/' "
            "xmlns:dc='http://purl.org/dc/elements/1.1/' tiff:Orientation=\"%1\">"
            "<exif:PixelXDimension>%2</exif:PixelXDimension>"
            "<exif:PixelYDimension>%3</exif:PixelYDimension>"
            "<dc:title>Lake at dusk</dc:title></rdf:Description></rdf:RDF></x:xmpmeta>"
            "<?xpacket end='w'?>")
            .arg(orientation)
            .arg(stored.width())
            .arg(stored.height())
            .toUtf8();
    return MakeSegment(0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0", 29) + packet);
}

QByteArray IccSegment() {
    QByteArray profile(300, '\0');
    for (int i = 0; i < profile.size(); ++i)
        profile[i] = char(i * 7);
    return MakeSegment(0xE2, QByteArray("ICC_PROFILE\0\x01\x01", 14) + profile);
}

QByteArray IptcSegment() {
    QByteArray iim("\x1c\x02\x78\x00\x0c"
                   "Lake at dusk",
                   17); // 2:120 caption
    QByteArray resource("8BIM\x04\x04\0\0", 8);
    U32(resource, quint32(iim.size()));
    resource += iim;
    if (resource.size() % 2)
        resource.append('\0');
    return MakeSegment(0xED, QByteArray("Photoshop 3.0\0", 14) + resource);
}

QByteArray CommentSegment() {
    return MakeSegment(0xFE, "taken at the lake");
}

// A camera-like JPEG: the segments above in the usual order, then the picture data.
struct Photo {
    QByteArray Bytes;
    QByteArray Icc, Xmp, Iptc, Comment;
};

Photo MakePhoto(QSize stored, int sampling, int orientation) {
    const QImage pixels = Quadrants(stored);
    const QByteArray preview = EncodeSampled(
        pixels.scaled(stored / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), TJSAMP_422, 80);
    Photo p{{}, IccSegment(), XmpSegment(orientation, stored), IptcSegment(), CommentSegment()};
    const QByteArray jpeg = EncodeSampled(pixels, sampling);
    // The encoder's JFIF header gives way to EXIF, as in a camera's file.
    const qsizetype rest = 2 + 2 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    p.Bytes = jpeg.left(2) + CameraExif(orientation, stored, preview) + p.Xmp + p.Icc + p.Iptc +
              p.Comment + jpeg.mid(rest);
    return p;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Reads back the EXIF block of the test's own big-endian layout, wherever the writer moved it.
struct ExifValues {
    int Orientation = 0;
    quint32 PixelX = 0, PixelY = 0;
    QByteArray Preview;
};

std::optional<ExifValues> ReadExif(const QByteArray& jpeg) {
    const std::optional<ExifSegment> seg = FindExifSegment(jpeg);
    if (!seg)
        return std::nullopt;
    const QByteArray t = jpeg.mid(seg->Offset + 10, seg->Length - 10);
    const auto u16 = [&](qsizetype at) { return quint32(uchar(t[at]) << 8 | uchar(t[at + 1])); };
    const auto u32 = [&](qsizetype at) { return u16(at) << 16 | u16(at + 2); };
    const auto value = [&](qsizetype e) { return u16(e + 2) == Short ? u16(e + 8) : u32(e + 8); };
    ExifValues v;
    const auto walk = [&](qsizetype ifd, auto&& visit) {
        const int n = int(u16(ifd));
        for (int i = 0; i < n; ++i)
            visit(u16(ifd + 2 + 12 * i), value(ifd + 2 + 12 * i));
        return u32(ifd + 2 + 12 * n);
    };
    quint32 sub = 0, offset = 0, length = 0;
    const quint32 ifd1 = walk(u32(4), [&](quint32 tag, quint32 val) {
        if (tag == 0x0112)
            v.Orientation = int(val);
        if (tag == 0x8769)
            sub = val;
    });
    walk(sub, [&](quint32 tag, quint32 val) {
        if (tag == 0xA002)
            v.PixelX = val;
        if (tag == 0xA003)
            v.PixelY = val;
    });
    if (ifd1 != 0)
        walk(ifd1, [&](quint32 tag, quint32 val) {
            if (tag == 0x0201)
                offset = val;
            if (tag == 0x0202)
                length = val;
        });
    v.Preview = t.mid(offset, length);
    return v;
}

// The metadata markers before the picture data, in order.
QByteArray MarkersOf(const QByteArray& jpeg) {
    QByteArray markers;
    ForEachSegment(jpeg, [&](const JpegSegment& s) {
        if ((s.Marker >= 0xE0 && s.Marker <= 0xEF) || s.Marker == 0xFE)
            markers.append(char(s.Marker));
        return false;
    });
    return markers;
}

// The sampling factors of the first component (the others are 1 x 1).
QSize LumaFactors(const QByteArray& jpeg) {
    const std::optional<JpegFrame> frame = ReadJpegFrame(jpeg);
    return frame ? QSize(frame->Components[0].H, frame->Components[0].V) : QSize();
}

// The colours at the centres of the picture's quadrants, left to right and top to bottom.
QVector<QRgb> QuadrantColours(const QImage& image) {
    QVector<QRgb> out;
    for (int qy = 0; qy < 2; ++qy)
        for (int qx = 0; qx < 2; ++qx)
            out << image.pixel(image.width() * (1 + 2 * qx) / 4, image.height() * (1 + 2 * qy) / 4);
    return out;
}

void ExpectSameColours(const QVector<QRgb>& a, const QVector<QRgb>& b, int tolerance,
                       const std::string& what) {
    ASSERT_EQ(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i) {
        const int d =
            std::max({std::abs(qRed(a[i]) - qRed(b[i])), std::abs(qGreen(a[i]) - qGreen(b[i])),
                      std::abs(qBlue(a[i]) - qBlue(b[i]))});
        EXPECT_LE(d, tolerance) << what << ", quadrant " << i;
    }
}

bool AllQuantizationIsOne(const QByteArray& jpeg) {
    bool ones = true, found = false;
    ForEachSegment(jpeg, [&](const JpegSegment& s) {
        if (s.Marker != 0xDB)
            return false;
        found = true;
        for (qsizetype at = s.Offset + 4; at + 65 <= s.Offset + s.Length; at += 65)
            for (int i = 1; i <= 64; ++i)
                ones = ones && uchar(jpeg[at + i]) == 1;
        return false;
    });
    return found && ones;
}

} // namespace

TEST(TransformMetadata, ReencodedPhotoKeepsEverySegmentAndItsSampling) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lake.jpg");
    const QSize stored(101, 67); // no side a multiple of the block size
    const struct {
        const char* what;
        int sampling;
        QSize factors; // of the luma, upright
    } samplings[] = {{"4:4:4", TJSAMP_444, {1, 1}},
                     {"4:2:2", TJSAMP_422, {2, 1}},
                     {"4:2:0", TJSAMP_420, {2, 2}}};
    for (const auto& s : samplings) {
        for (const PictureTransform t : AllTransforms) {
            const std::string what = std::string(s.what) + " transform " + std::to_string(int(t));
            const Photo photo = MakePhoto(stored, s.sampling, 1);
            WriteBytes(path, photo.Bytes);
            const QImage before = LoadPicture(path);
            const TransformedFile result = TransformPictureFile(path, t);
            EXPECT_FALSE(result.Lossless) << what;
            const QByteArray bytes = ReadAll(path);
            const QSize size = Quarter(t) ? stored.transposed() : stored;
            EXPECT_EQ(result.Size, size) << what;

            for (const QByteArray& segment : {photo.Icc, photo.Iptc, photo.Comment})
                EXPECT_TRUE(bytes.contains(segment)) << what << ": a segment was lost";
            EXPECT_TRUE(bytes.contains("Krel")) << what << ": EXIF lost";
            EXPECT_TRUE(bytes.contains(XmpSegment(1, size))) << what << ": XMP not described anew";
            EXPECT_EQ(MarkersOf(bytes), MarkersOf(photo.Bytes)) << what << ": segments or order";

            // The chroma detail stays: a quarter turn exchanges the factors, as jpegtran does.
            EXPECT_EQ(LumaFactors(bytes), Quarter(t) ? s.factors.transposed() : s.factors) << what;
            EXPECT_TRUE(AllQuantizationIsOne(bytes)) << what << ": quality 100";

            const std::optional<ExifValues> exif = ReadExif(bytes);
            ASSERT_TRUE(exif) << what;
            EXPECT_EQ(exif->Orientation, 1);
            EXPECT_EQ(QSize(int(exif->PixelX), int(exif->PixelY)), size) << what;
            const QImage after = LoadPicture(path);
            ExpectSameColours(QuadrantColours(after), QuadrantColours(TransformImage(before, t)),
                              12, what);
            const QImage preview = DecodeJpeg("preview", exif->Preview, {});
            EXPECT_EQ(preview.size(), (Quarter(t) ? (stored / 4).transposed() : stored / 4))
                << what;
            ExpectSameColours(QuadrantColours(preview), QuadrantColours(after), 20,
                              what + " preview");
        }
    }
}

TEST(TransformMetadata, LosslessTurnOfASidewaysPhotoDescribesTheNewPicture) {
    QTemporaryDir dir;
    const QString path = dir.filePath("phone.JPG");
    const QSize stored(64, 48); // whole 4:2:0 blocks
    for (const int orientation : {1, 6, 3}) {
        for (const PictureTransform t : AllTransforms) {
            const std::string what = "orientation " + std::to_string(orientation) + " transform " +
                                     std::to_string(int(t));
            const Photo photo = MakePhoto(stored, TJSAMP_420, orientation);
            WriteBytes(path, photo.Bytes);
            const QImage upright = LoadPicture(path);
            const TransformedFile result = TransformPictureFile(path, t);
            ASSERT_TRUE(result.Lossless) << what;
            const QByteArray bytes = ReadAll(path);
            const QImage after = LoadPicture(path);
            ASSERT_EQ(after.size(), result.Size);
            for (const QByteArray& segment : {photo.Icc, photo.Iptc, photo.Comment})
                EXPECT_TRUE(bytes.contains(segment)) << what << ": a segment was lost";
            EXPECT_TRUE(bytes.contains(XmpSegment(1, after.size()))) << what;
            const std::optional<ExifValues> exif = ReadExif(bytes);
            ASSERT_TRUE(exif) << what;
            EXPECT_EQ(exif->Orientation, 1) << what;
            EXPECT_EQ(QSize(int(exif->PixelX), int(exif->PixelY)), after.size()) << what;
            const QImage preview = DecodeJpeg("preview", exif->Preview, {});
            EXPECT_EQ(preview.size(), after.size() / 4) << what;
            ExpectSameColours(QuadrantColours(preview), QuadrantColours(after), 20,
                              what + " preview");
            ExpectSameColours(QuadrantColours(after), QuadrantColours(TransformImage(upright, t)),
                              12, what);
        }
    }
}

TEST(TransformMetadata, PreviewWithoutRoomIsLeftOutRatherThanKeptWrong) {
    QTemporaryDir dir;
    const QString path = dir.filePath("full.jpg");
    // A preview of noise that fills the EXIF block to its limit cannot come back any larger.
    QImage noise(200, 150, QImage::Format_RGB32);
    quint32 state = 7;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            noise.setPixel(x, y, state >> 8);
        }
    QByteArray preview = EncodeSampled(noise, TJSAMP_444, 90);
    ASSERT_LT(preview.size(), MaxSegmentBody - 200);
    preview += QByteArray(MaxSegmentBody - 200 - preview.size(), '\0'); // padded to the limit
    const QSize stored(101, 67);
    const QByteArray jpeg = EncodeSampled(Quadrants(stored), TJSAMP_420);
    const qsizetype rest = 2 + 2 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    WriteBytes(path, jpeg.left(2) + CameraExif(1, stored, preview) + jpeg.mid(rest));
    TransformPictureFile(path, PictureTransform::Rotate90CW);
    const std::optional<ExifValues> exif = ReadExif(ReadAll(path));
    ASSERT_TRUE(exif);
    EXPECT_EQ(QSize(int(exif->PixelX), int(exif->PixelY)), stored.transposed());
    if (!exif->Preview.isEmpty()) {
        const QImage shown = DecodeJpeg("preview", exif->Preview, {});
        EXPECT_EQ(shown.size(), QSize(150, 200)) << "a preview kept is a turned one";
    }
}

TEST(TransformMetadata, DamagedExifIsLeftAsItIs) {
    const QSize stored(16, 16);
    const QByteArray preview = EncodeSampled(Quadrants(QSize(8, 8)), TJSAMP_444);
    const QByteArray exif = CameraExif(6, stored, preview);
    const QByteArray jpeg = EncodeSampled(Quadrants(stored), TJSAMP_444);
    // Places in the TIFF data (which starts 10 bytes into the segment) given impossible values.
    const struct {
        const char* what;
        int at;
        QByteArray value;
    } damages[] = {
        {"IFD0 far away", 4, QByteArray("\xFF\xFF\xFF\xF0", 4)},
        {"IFD0 entry count", 8, QByteArray("\xFF\xFF", 2)},
        {"EXIF directory far away", 8 + 2 + 24 + 8, QByteArray("\x7F\xFF\xFF\xFF", 4)},
        {"IFD1 far away", 8 + 38, QByteArray("\xFF\xFF\xFF\xFF", 4)},
        {"preview offset", 80 + 2 + 12 + 8, QByteArray("\xFF\xFF\xFF\x00", 4)},
        {"preview length", 80 + 2 + 24 + 8, QByteArray("\xFF\xFF\xFF\xFF", 4)},
        {"IFD1 is IFD0", 8 + 38, QByteArray("\0\0\0\x08", 4)},
    };
    for (const auto& d : damages) {
        QByteArray damaged = exif;
        damaged.replace(10 + d.at, d.value.size(), d.value);
        const QByteArray file = jpeg.left(2) + damaged + jpeg.mid(2);
        const QByteArray out =
            DescribeTurnedPixels(file, stored, [](const QByteArray& p, qsizetype) { return p; });
        EXPECT_TRUE(out.endsWith(jpeg.mid(2))) << d.what << ": the picture data stays";
        EXPECT_LE(out.size(), file.size() + 2 * preview.size()) << d.what;
    }
}
