#include "output/JpegMarkers.h"
#include "output/PictureTransform.h"
#include "platform/Errors.h"
#include "platform/PictureFormats.h"
#include "platform/PictureIO.h"
#include "tests/support/Fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <turbojpeg.h>

namespace {

constexpr PictureTransform AllTransforms[] = {
    PictureTransform::Rotate90CW,     PictureTransform::Rotate90CCW,  PictureTransform::Rotate180,
    PictureTransform::FlipHorizontal, PictureTransform::FlipVertikal,
};

// Where output pixel (x, y) of a w x h source comes from, as the menu's commands define it.
QPoint SourceOf(PictureTransform t, int w, int h, int x, int y) {
    switch (t) {
    case PictureTransform::Rotate90CW:
        return {y, h - 1 - x};
    case PictureTransform::Rotate90CCW:
        return {w - 1 - y, x};
    case PictureTransform::Rotate180:
        return {w - 1 - x, h - 1 - y};
    case PictureTransform::FlipHorizontal:
        return {x, h - 1 - y};
    case PictureTransform::FlipVertikal:
        break;
    }
    return {w - 1 - x, y};
}

QSize OutputSize(PictureTransform t, QSize in) {
    const bool quarter = t == PictureTransform::Rotate90CW || t == PictureTransform::Rotate90CCW;
    return quarter ? in.transposed() : in;
}

// A picture whose every pixel has its own colour.
QImage DistinctPixels(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           qRgb((x * 37 + y * 11) % 256, (y * 53 + x * 3) % 256, (x * y) % 256));
    return image;
}

// A 4 x 2 picture of distinct grey levels: chroma subsampling cannot blur it, so a re-encoded
// JPEG stays close to it.
QImage GreyLevels() {
    QImage image(4, 2, QImage::Format_RGB32);
    for (int i = 0; i < 8; ++i)
        image.setPixel(i % 4, i / 4, qRgb(20 + 30 * i, 20 + 30 * i, 20 + 30 * i));
    return image;
}

// Blocks of 16 x 16 flat colours: every block holds only a DC coefficient, so decoding the
// coefficients moved by a lossless transform gives exactly the moved pixels.
QImage FlatBlocks(int blocksX, int blocksY) {
    QImage image(blocksX * 16, blocksY * 16, QImage::Format_RGB32);
    for (int by = 0; by < blocksY; ++by)
        for (int bx = 0; bx < blocksX; ++bx)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    image.setPixel(bx * 16 + x, by * 16 + y,
                                   qRgb(40 * bx + 10, 60 * by + 30, 25 * (bx + by) + 5));
    return image;
}

// A JPEG of image with the given chroma sampling, made with TurboJPEG directly.
QByteArray EncodeJpegSampled(const QImage& image, int subsampling) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    tjhandle h = tjInitCompress();
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    tjCompress2(h, rgb.constBits(), rgb.width(), int(rgb.bytesPerLine()), rgb.height(), TJPF_RGB,
                &buf, &size, subsampling, 95, 0);
    QByteArray out(reinterpret_cast<const char*>(buf), qsizetype(size));
    tjFree(buf);
    tjDestroy(h);
    return out;
}

QByteArray EncodeJpeg444(const QImage& image) {
    return EncodeJpegSampled(image, TJSAMP_444);
}

// An APP1 EXIF segment whose first IFD holds the orientation tag and one more (Make).
QByteArray ExifSegmentWith(int orientation) {
    QByteArray tiff("MM\0\x2a\0\0\0\x08", 8);
    const auto u16 = [&](int v) { tiff.append(char(v >> 8)).append(char(v & 0xFF)); };
    const auto u32 = [&](quint32 v) {
        u16(int(v >> 16));
        u16(int(v & 0xFFFF));
    };
    u16(2);                                       // two entries
    u16(0x010F), u16(2), u32(4), u32(0x4B72656C); // Make "Krel"
    u16(0x0112), u16(3), u32(1), u16(orientation), u16(0);
    u32(0); // no next IFD
    QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((body.size() + 2) >> 8)).append(char((body.size() + 2) & 0xFF));
    return segment + body;
}

QByteArray CommentSegment(const QByteArray& text) {
    QByteArray s("\xFF\xFE", 2);
    s.append(char((text.size() + 2) >> 8)).append(char((text.size() + 2) & 0xFF));
    return s + text;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

int MaxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

// Thumbnail sizes asked for by the tests.
QSize SameSize(QSize upright) {
    return upright;
}
QSize HalfSize(QSize upright) {
    return upright / 2;
}
QSize EighthSize(QSize upright) {
    return upright / 8;
}

} // namespace

TEST(TransformImage, FollowsTheMappingOfEachCommand) {
    // 4 x 2 as the menu's examples use, and a size that crosses the copy's tiles unevenly.
    for (const QSize size : {QSize(4, 2), QSize(131, 70)}) {
        const QImage source = DistinctPixels(size.width(), size.height());
        for (PictureTransform t : AllTransforms) {
            const QImage out = TransformImage(source, t);
            ASSERT_EQ(out.size(), OutputSize(t, size)) << int(t);
            for (int y = 0; y < out.height(); ++y)
                for (int x = 0; x < out.width(); ++x)
                    ASSERT_EQ(out.pixel(x, y),
                              source.pixel(SourceOf(t, size.width(), size.height(), x, y)))
                        << "transform " << int(t) << " at " << x << "," << y;
        }
    }
}

TEST(TransformImage, QuarterTurnClockwiseTopRowIsLeftColumnFromBottom) {
    const QImage source = DistinctPixels(4, 2);
    const QImage out = TransformImage(source, PictureTransform::Rotate90CW);
    EXPECT_EQ(out.pixel(0, 0), source.pixel(0, 1));
    EXPECT_EQ(out.pixel(1, 0), source.pixel(0, 0));
}

TEST(TransformFile, BitmapIsRewrittenAsExact24BitBitmap) {
    QTemporaryDir dir;
    const QImage source = DistinctPixels(4, 2);
    for (const QString& name : {QStringLiteral("p.bmp"), QStringLiteral("P.BMP")}) {
        for (PictureTransform t : AllTransforms) {
            const QString path = dir.filePath(name);
            SaveBmp24(source, path);
            const TransformedFile result = TransformPictureFile(path, t, SameSize);
            const QByteArray bytes = ReadAll(path);
            ASSERT_TRUE(bytes.startsWith("BM")) << name.toStdString();
            EXPECT_EQ(quint8(bytes[28]), 24); // bits per pixel
            EXPECT_FALSE(result.Lossless);
            EXPECT_EQ(result.Size, OutputSize(t, source.size()));
            EXPECT_EQ(LoadPicture(path), TransformImage(source, t)) << int(t);
            EXPECT_EQ(result.Thumbnail, TransformImage(source, t));
        }
    }
}

TEST(TransformFile, QuarterTurnsBackAndForthGiveTheBitmapBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("turn.bmp");
    const QImage source = DistinctPixels(5, 3);
    SaveBmp24(source, path);
    TransformPictureFile(path, PictureTransform::Rotate90CW);
    TransformPictureFile(path, PictureTransform::Rotate90CCW);
    EXPECT_EQ(LoadPicture(path), source);
}

TEST(TransformFile, JpegOfAnyCaseIsReencodedWhenItsSizeForbidsLossless) {
    QTemporaryDir dir;
    const QImage source = GreyLevels();
    for (const QString& name : {QStringLiteral("a.jpg"), QStringLiteral("b.JPEG"),
                                QStringLiteral("c.Jpg"), QStringLiteral("d.jpeG")}) {
        for (PictureTransform t : AllTransforms) {
            const QString path = dir.filePath(name);
            WriteBytes(path, InsertSegment(EncodeJpeg(source, 100), ExifSegmentWith(1)));
            const QImage before = LoadPicture(path);
            const TransformedFile result = TransformPictureFile(path, t);
            const QByteArray bytes = ReadAll(path);
            ASSERT_TRUE(bytes.startsWith("\xFF\xD8")) << name.toStdString() << " stays a JPEG";
            EXPECT_FALSE(result.Lossless);
            EXPECT_EQ(result.Size, OutputSize(t, source.size()));
            EXPECT_LE(MaxChannelDifference(LoadPicture(path), TransformImage(before, t)), 6)
                << name.toStdString() << " transform " << int(t);
            EXPECT_TRUE(FindExifSegment(bytes).has_value()) << "EXIF kept";
            EXPECT_TRUE(bytes.contains("Krel"));
        }
    }
}

TEST(TransformFile, ReencodedJpegKeepsExifWithUprightOrientation) {
    QTemporaryDir dir;
    const QString path = dir.filePath("phone.jpg");
    // Stored sideways: orientation 6 shows it turned a quarter clockwise.
    const QImage stored = GreyLevels();
    WriteBytes(path, InsertSegment(EncodeJpeg(stored, 100), ExifSegmentWith(6)));
    const QImage upright = LoadPicture(path);
    ASSERT_EQ(upright.size(), QSize(2, 4));
    TransformPictureFile(path, PictureTransform::FlipVertikal);
    EXPECT_EQ(ReadExifOrientation(ReadAll(path)), 1);
    EXPECT_LE(MaxChannelDifference(LoadPicture(path),
                                   TransformImage(upright, PictureTransform::FlipVertikal)),
              6);
}

TEST(TransformFile, JpegOfWholeBlocksTurnsLosslesslyKeepingEveryMarker) {
    QTemporaryDir dir;
    const QString path = dir.filePath("blocks.jpg");
    const QByteArray exif = ExifSegmentWith(1);
    const QByteArray comment = CommentSegment("taken at the lake");
    const QByteArray original =
        InsertSegment(InsertSegment(EncodeJpeg444(FlatBlocks(4, 2)), comment), exif);
    for (PictureTransform t : AllTransforms) {
        WriteBytes(path, original);
        const QImage before = LoadPicture(path);
        const TransformedFile result = TransformPictureFile(path, t, SameSize);
        EXPECT_TRUE(result.Lossless) << int(t);
        EXPECT_EQ(result.Size, OutputSize(t, before.size()));
        EXPECT_EQ(LoadPicture(path), TransformImage(before, t)) << int(t);
        EXPECT_EQ(result.Thumbnail, LoadPicture(path)) << "thumbnail of the moved pixels";
        const QByteArray bytes = ReadAll(path);
        EXPECT_TRUE(bytes.contains(exif)) << "EXIF copied as it stood";
        EXPECT_TRUE(bytes.contains(comment));
    }
}

TEST(TransformFile, LosslessTurnsBackAndForthLoseNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.JPG");
    // Detailed content, so that any re-encoding would show.
    WriteBytes(path, EncodeJpeg444(DistinctPixels(64, 48)));
    const QImage before = LoadPicture(path);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(TransformPictureFile(path, PictureTransform::Rotate90CW).Lossless);
        EXPECT_TRUE(TransformPictureFile(path, PictureTransform::Rotate90CCW).Lossless);
    }
    EXPECT_EQ(LoadPicture(path), before);
}

TEST(TransformFile, LosslessTurnOfASidewaysPhotoShowsTheMappingAndClearsOrientation) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sideways.jpg");
    for (int orientation = 1; orientation <= 8; ++orientation) {
        for (PictureTransform t : AllTransforms) {
            WriteBytes(
                path, InsertSegment(EncodeJpeg444(FlatBlocks(4, 2)), ExifSegmentWith(orientation)));
            const QImage upright = LoadPicture(path);
            const TransformedFile result = TransformPictureFile(path, t, HalfSize);
            ASSERT_TRUE(result.Lossless);
            EXPECT_EQ(ReadExifOrientation(ReadAll(path)), 1);
            const QImage shown = LoadPicture(path);
            EXPECT_EQ(shown, TransformImage(upright, t))
                << "orientation " << orientation << " transform " << int(t);
            EXPECT_EQ(result.Thumbnail.size(), shown.size() / 2);
            EXPECT_EQ(result.Thumbnail.pixel(1, 1), shown.pixel(2, 2)) << "flat blocks";
        }
    }
}

TEST(TransformFile, ThumbnailOfALargeLosslessTurnComesFromTheMovedBlockMeans) {
    QTemporaryDir dir;
    const QString path = dir.filePath("large.jpg");
    const struct {
        const char* what;
        int sampling;
    } samplings[] = {{"4:4:4", TJSAMP_444}, {"4:2:0", TJSAMP_420}, {"grey", TJSAMP_GRAY}};
    for (const auto& s : samplings) {
        for (int orientation : {1, 6}) {
            for (PictureTransform t : AllTransforms) {
                WriteBytes(path, InsertSegment(EncodeJpegSampled(FlatBlocks(6, 4), s.sampling),
                                               ExifSegmentWith(orientation)));
                const TransformedFile result = TransformPictureFile(path, t, EighthSize);
                ASSERT_TRUE(result.Lossless);
                const QImage shown = LoadPicture(path);
                ASSERT_EQ(result.Thumbnail.size(), shown.size() / 8);
                // Each thumbnail pixel is one flat 8 x 8 block of the rewritten picture.
                QImage centres(result.Thumbnail.size(), QImage::Format_RGB32);
                for (int y = 0; y < centres.height(); ++y)
                    for (int x = 0; x < centres.width(); ++x)
                        centres.setPixel(x, y, shown.pixel(x * 8 + 4, y * 8 + 4));
                EXPECT_LE(MaxChannelDifference(result.Thumbnail, centres), 2)
                    << s.what << " orientation " << orientation << " transform " << int(t);
            }
        }
    }
}

TEST(TransformFile, UnreadablePictureFailsAndLeavesTheFileAlone) {
    QTemporaryDir dir;
    const QByteArray damaged("\xFF\xD8\xFF\xE0 not really a picture", 26);
    const QString jpeg = WriteBytes(dir.filePath("bad.jpg"), damaged);
    EXPECT_THROW(TransformPictureFile(jpeg, PictureTransform::Rotate180), PictureError);
    EXPECT_EQ(ReadAll(jpeg), damaged);
    EXPECT_THROW(TransformPictureFile(dir.filePath("missing.bmp"), PictureTransform::Rotate180),
                 PictureError);
    const QString other = WriteBytes(dir.filePath("note.txt"), "text");
    EXPECT_THROW(TransformPictureFile(other, PictureTransform::Rotate180), PictureError);
}

TEST(TransformFile, PictureAboveThePixelLimitIsRefusedAndLeftAlone) {
    QTemporaryDir dir;
    const QByteArray huge = FlatGreyJpeg(16000, 16000);
    const QString path = WriteBytes(dir.filePath("huge.jpg"), huge);
    try {
        (void)TransformPictureFile(path, PictureTransform::Rotate90CW);
        ADD_FAILURE() << "transformed";
    } catch (const PictureError& e) {
        EXPECT_EQ(e.Message,
                  "Cannot load " + path + ": the picture is too large (16000 x 16000 pixels)");
    }
    EXPECT_EQ(ReadAll(path), huge);
}

TEST(JpegExif, OrientationIsReadAndSetInEitherByteOrder) {
    QByteArray jpeg = InsertSegment(EncodeJpeg444(FlatBlocks(1, 1)), ExifSegmentWith(8));
    EXPECT_EQ(ReadExifOrientation(jpeg), 8);
    EXPECT_TRUE(SetExifOrientation(jpeg, 1));
    EXPECT_EQ(ReadExifOrientation(jpeg), 1);
    EXPECT_EQ(LoadPicture(WriteBytes(QTemporaryDir().filePath("x.jpg"), jpeg)).isNull(), false);

    QByteArray little = ExifSegmentWith(3);
    // The same block written little-endian: "II", 42, offset 8, entries swapped byte by byte.
    QByteArray tiff("II\x2a\0\x08\0\0\0", 8);
    tiff += QByteArray("\x01\0\x12\x01\x03\0\x01\0\0\0\x05\0\0\0\0\0\0\0", 18);
    QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray seg("\xFF\xE1", 2);
    seg.append(char(0)).append(char(body.size() + 2));
    const QByteArray le = InsertSegment(EncodeJpeg444(FlatBlocks(1, 1)), seg + body);
    EXPECT_EQ(ReadExifOrientation(le), 5);
    EXPECT_EQ(ReadExifOrientation(EncodeJpeg444(FlatBlocks(1, 1))), 1) << "no EXIF";
    QByteArray none = EncodeJpeg444(FlatBlocks(1, 1));
    EXPECT_FALSE(SetExifOrientation(none, 1));
}
