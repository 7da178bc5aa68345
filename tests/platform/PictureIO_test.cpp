#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "tests/support/Fixtures.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <turbojpeg.h>

namespace {

bool IsRed(QRgb c) {
    return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A JPEG with an EXIF APP1 segment carrying one orientation entry, right after the SOI marker.
QByteArray WithExifOrientation(const QByteArray& jpeg, int orientation, bool bigEndian) {
    QByteArray tiff(8 + 2 + 12 + 4, '\0');
    auto put16 = [&](int at, quint16 v) {
        bigEndian ? qToBigEndian(v, tiff.data() + at) : qToLittleEndian(v, tiff.data() + at);
    };
    auto put32 = [&](int at, quint32 v) {
        bigEndian ? qToBigEndian(v, tiff.data() + at) : qToLittleEndian(v, tiff.data() + at);
    };
    tiff[0] = tiff[1] = bigEndian ? 'M' : 'I';
    put16(2, 42);
    put32(4, 8);       // IFD0
    put16(8, 1);       // one entry
    put16(10, 0x0112); // Orientation
    put16(12, 3);      // SHORT
    put32(14, 1);
    put16(18, quint16(orientation));
    QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((body.size() + 2) >> 8)).append(char((body.size() + 2) & 0xFF));
    return jpeg.left(2) + segment + body + jpeg.mid(2);
}

// Position of the start-of-frame segment's height field.
qsizetype SofSizeField(const QByteArray& jpeg) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    return sof < 0 ? -1 : sof + 5;
}

class PictureIOTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString PathOf(const QString& name) const { return dir.filePath(name); }
};

TEST_F(PictureIOTest, LoadsExactSizesForEveryExtensionSpelling) {
    const char* names[] = {"a.jpg", "b.jpeg", "c.JPG", "d.JpEg", "e.bmp", "f.BMP", "g.Bmp"};
    for (const char* name : names) {
        const QString path = WritePicture(PathOf(name), 37, 23);
        const QImage image = LoadPicture(path);
        ASSERT_EQ(image.size(), QSize(37, 23)) << name;
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << name;
        EXPECT_TRUE(IsRed(image.pixel(1, 1))) << name;
        EXPECT_FALSE(IsRed(image.pixel(30, 18))) << name;
        EXPECT_EQ(ReadPictureSize(path), QSize(37, 23)) << name;
    }
}

TEST_F(PictureIOTest, BmpIsWrittenAt24BitsAndReadsBackExactly) {
    const QImage original = MakeImage(5, 3); // odd width: rows are padded to four bytes
    const QString path = PathOf("p.bmp");
    SaveBmp24(original, path);
    const QByteArray bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
    EXPECT_EQ(bytes.size(), 54 + 3 * 16);
    EXPECT_EQ(LoadPicture(path), original.convertToFormat(QImage::Format_RGB32));
}

TEST_F(PictureIOTest, ScaledLoadGivesExactlyTheTarget) {
    const QString jpeg = WritePicture(PathOf("big.jpg"), 640, 480);
    const QString bmp = WritePicture(PathOf("big.bmp"), 64, 48);
    const QSize targets[] = {{64, 48}, {100, 100}, {639, 1}, {1, 479}, {81, 61}, {1000, 700}};
    for (const QString& path : {jpeg, bmp})
        for (QSize target : targets) {
            const QImage image = LoadPictureScaled(path, target);
            EXPECT_EQ(image.size(), target) << path.toStdString() << " " << target.width();
            EXPECT_EQ(image.format(), QImage::Format_RGB32);
        }
    const QImage thumb = LoadPictureScaled(jpeg, {80, 60});
    EXPECT_TRUE(IsRed(thumb.pixel(2, 2)));
    EXPECT_FALSE(IsRed(thumb.pixel(70, 50)));
}

TEST_F(PictureIOTest, ExifOrientationTurnsThePictureUpright) {
    struct Case {
        int orientation;
        bool swapped;
        int markX, markY; // 0 = left/top, 1 = right/bottom: where the stored top-left ends up
    };
    const Case cases[] = {{1, false, 0, 0}, {2, false, 1, 0}, {3, false, 1, 1}, {4, false, 0, 1},
                          {5, true, 0, 0},  {6, true, 1, 0},  {7, true, 1, 1},  {8, true, 0, 1}};
    const QByteArray plain = EncodeJpeg(MakeImage(80, 40), 95);
    for (bool big : {true, false})
        for (const Case& c : cases) {
            const QString path =
                WriteBytes(PathOf(QStringLiteral("o%1%2.jpg").arg(c.orientation).arg(big)),
                           WithExifOrientation(plain, c.orientation, big));
            const QSize upright = c.swapped ? QSize(40, 80) : QSize(80, 40);
            EXPECT_EQ(ReadPictureSize(path), upright) << c.orientation;
            const QImage full = LoadPicture(path);
            const QImage half = LoadPictureScaled(path, upright / 2);
            ASSERT_EQ(full.size(), upright) << c.orientation;
            ASSERT_EQ(half.size(), upright / 2) << c.orientation;
            for (const QImage& image : {full, half}) {
                const int x = c.markX ? image.width() - 2 : 1;
                const int y = c.markY ? image.height() - 2 : 1;
                EXPECT_TRUE(IsRed(image.pixel(x, y))) << "orientation " << c.orientation;
                EXPECT_FALSE(IsRed(image.pixel(image.width() - 1 - x, image.height() - 1 - y)));
            }
        }
}

TEST_F(PictureIOTest, SizeAndPictureAgreeWhenTheTagStandsFarIntoTheFile) {
    // Large APP2 segments and then the EXIF segment just before the picture data, so the tag lies
    // beyond the first part of the file that the size reader looks at.
    const QByteArray tagged = WithExifOrientation(EncodeJpeg(MakeImage(80, 40), 90), 6, true);
    const qsizetype exifLength = 2 + 2 + (quint8(tagged[4]) << 8 | quint8(tagged[5])) - 2;
    const QByteArray exif = tagged.mid(2, exifLength);
    QByteArray plain = tagged.left(2) + tagged.mid(2 + exifLength);
    QByteArray filler;
    for (int i = 0; i < 6; ++i)
        filler += QByteArray("\xFF\xE2\xEA\x62", 4) + QByteArray(60000, 'i'); // 60000 + 2 long
    const qsizetype sos = plain.indexOf(QByteArray("\xFF\xDA", 2));
    ASSERT_GT(sos, 0);
    plain.insert(sos, filler + exif);
    const QString path = WriteBytes(PathOf("late.jpg"), plain);
    EXPECT_EQ(ReadPictureSize(path), QSize(40, 80));
    EXPECT_EQ(LoadPicture(path).size(), QSize(40, 80));
}

TEST_F(PictureIOTest, BadFilesGiveAPictureErrorNamingTheFile) {
    const QByteArray jpeg = EncodeJpeg(MakeImage(64, 64), 90);
    const QByteArray bmp = ReadAll(WritePicture(PathOf("ok.bmp"), 16, 16));
    struct Case {
        const char* name;
        QByteArray bytes;
        bool headerReadable; // the size alone can still be read
    };
    const Case cases[] = {
        {"empty.jpg", {}, false},
        {"empty.bmp", {}, false},
        {"truncated.jpg", jpeg.left(jpeg.size() / 2), true},
        {"headeronly.jpg", jpeg.left(SofSizeField(jpeg) + 20), true},
        {"cut.jpg", jpeg.left(10), false},
        {"garbage.jpg", QByteArray(500, 'x'), false},
        {"garbage.bmp", QByteArray(500, 'x'), false},
        {"jpegbytes.bmp", jpeg, false},
        {"bmpbytes.jpg", bmp, false},
        {"truncated.bmp", bmp.left(60), true},
        {"picture.png", jpeg, false},
        {"noextension", jpeg, false},
    };
    for (const Case& c : cases) {
        const QString path = WriteBytes(PathOf(c.name), c.bytes);
        auto expectError = [&](auto&& load) {
            try {
                load();
                ADD_FAILURE() << c.name << " loaded";
            } catch (const PictureError& e) {
                EXPECT_TRUE(e.Message.contains(path)) << e.Message.toStdString();
            }
        };
        expectError([&] { (void)LoadPicture(path); });
        expectError([&] { (void)LoadPictureScaled(path, {8, 8}); });
        if (!c.headerReadable)
            expectError([&] { (void)ReadPictureSize(path); });
    }
    const QString missing = PathOf("missing.jpg");
    EXPECT_THROW((void)LoadPicture(missing), PictureError);
    EXPECT_THROW((void)ReadPictureSize(missing), PictureError);
    EXPECT_THROW((void)LoadPicture(dir.path() + "/folder.jpg/"), PictureError);
}

// The pixel limit is on what is decoded: the size of a huge picture is read, its scaled decodes
// are made, and only a decode above the limit is refused.
TEST_F(PictureIOTest, PixelLimitHoldsForWhatIsDecoded) {
    // 16000 x 16000 = 256 megapixels; its 1/8 decode is 2000 x 2000.
    const QString huge = WriteBytes(PathOf("huge.jpg"), FlatGreyJpeg(16000, 16000));
    EXPECT_EQ(ReadPictureSize(huge), QSize(16000, 16000));
    const QImage scaled = LoadPictureScaled(huge, {300, 200});
    ASSERT_EQ(scaled.size(), QSize(300, 200));
    EXPECT_NEAR(qGray(scaled.pixel(150, 100)), 128, 2);
    EXPECT_EQ(LoadPictureScaled(huge, {1999, 2000}).size(), QSize(1999, 2000));

    // 20000 x 20000 = 400 megapixels claimed by the header of a tiny file.
    QByteArray jpeg = EncodeJpeg(MakeImage(16, 16), 90);
    const qsizetype field = SofSizeField(jpeg);
    ASSERT_GT(field, 0);
    qToBigEndian<quint16>(20000, jpeg.data() + field);
    qToBigEndian<quint16>(20000, jpeg.data() + field + 2);
    QByteArray bmp = ReadAll(WritePicture(PathOf("small.bmp"), 16, 16));
    qToLittleEndian<qint32>(20000, bmp.data() + 18);
    qToLittleEndian<qint32>(-20000, bmp.data() + 22); // top-down rows
    const QString claimedJpeg = WriteBytes(PathOf("claimed.jpg"), jpeg);
    const QString claimedBmp = WriteBytes(PathOf("claimed.bmp"), bmp);
    EXPECT_EQ(ReadPictureSize(claimedJpeg), QSize(20000, 20000));
    EXPECT_EQ(ReadPictureSize(claimedBmp), QSize(20000, 20000));

    const auto whole = [](const QString& p) { (void)LoadPicture(p); };
    const auto small = [](const QString& p) { (void)LoadPictureScaled(p, {10, 10}); };
    const struct {
        QString path;
        std::function<void(const QString&)> load;
        const char* message;
    } refusals[] = {
        {huge, whole, "the picture is too large (16000 x 16000 pixels)"},
        {claimedJpeg, whole, "the picture is too large (20000 x 20000 pixels)"},
        {claimedJpeg, small, "damaged JPEG picture"}, // decoded at 1/8: the data is missing
        {claimedBmp, whole, "the picture is too large (20000 x 20000 pixels)"},
        {claimedBmp, small,
         "the picture is too large (20000 x 20000 pixels)"}, // BMPs have no scaled decode
    };
    for (const auto& r : refusals) {
        try {
            r.load(r.path);
            ADD_FAILURE() << r.path.toStdString() << " loaded";
        } catch (const PictureError& e) {
            EXPECT_TRUE(e.Message.startsWith("Cannot load " + r.path + ": " + r.message))
                << e.Message.toStdString();
        }
    }
}

TEST_F(PictureIOTest, QualityZeroCountsAsOne) {
    const QImage image = MakeImage(120, 90);
    EXPECT_EQ(EncodeJpeg(image, 0), EncodeJpeg(image, 1));
    EXPECT_EQ(EncodeJpeg(image, 250), EncodeJpeg(image, 100));
    EXPECT_LT(EncodeJpeg(image, 1).size(), EncodeJpeg(image, 100).size());
    const QString path = PathOf("q0.jpg");
    SaveJpeg(image, path, 0);
    EXPECT_EQ(LoadPicture(path).size(), QSize(120, 90));
    EXPECT_THROW((void)EncodeJpeg(QImage(), 50), PictureError);
}

TEST_F(PictureIOTest, CmykJpegLoads) {
    tjhandle encoder = tjInitCompress();
    QByteArray cmyk(16 * 8 * 4, char(255)); // inverted CMYK: no ink, white
    unsigned char* out = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(encoder, reinterpret_cast<const uchar*>(cmyk.constData()), 16, 64, 8,
                          TJPF_CMYK, &out, &size, TJSAMP_444, 95, 0),
              0);
    const QString path = WriteBytes(
        PathOf("cmyk.jpg"), QByteArray(reinterpret_cast<const char*>(out), qsizetype(size)));
    tjFree(out);
    tjDestroy(encoder);
    const QImage image = LoadPicture(path);
    ASSERT_EQ(image.size(), QSize(16, 8));
    EXPECT_GT(qGray(image.pixel(4, 4)), 240);
}

// Damaged files of every kind must end in a picture or a PictureError, never a crash.
TEST_F(PictureIOTest, MutatedFilesNeverCrash) {
    const QByteArray jpeg = WithExifOrientation(EncodeJpeg(MakeImage(48, 32), 80), 6, false);
    const QByteArray bmp = ReadAll(WritePicture(PathOf("m.bmp"), 24, 16));
    QRandomGenerator random(1234);
    for (const auto& [name, original] : {std::pair{"m.jpg", jpeg}, std::pair{"m.bmp", bmp}}) {
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes = original;
            const int changes = 1 + int(random.bounded(8));
            for (int i = 0; i < changes; ++i)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            if (round % 3 == 0)
                bytes.truncate(random.bounded(int(bytes.size())));
            const QString path = WriteBytes(PathOf(name), bytes);
            try {
                (void)ReadPictureSize(path);
                (void)LoadPictureScaled(path, {7, 5});
                (void)LoadPicture(path);
            } catch (const PictureError&) {
            }
        }
    }
}

} // namespace
