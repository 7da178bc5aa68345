// Writes the seed corpora of the fuzz targets: one folder per target under the folder given on
// the command line, each holding small valid files of the kinds that target reads (and a few
// well-known variants), so the fuzzer starts from inputs that reach deep into the readers.

#include "album/AlbumFile.h"
#include "platform/PictureFormats.h"
#include "platform/TextLines.h"
#include "themes/Settings.h"
#include "themes/Themes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cstdio>
#include <turbojpeg.h>

namespace {

QString root;

void Seed(const char* target, const QString& name, const QByteArray& bytes) {
    const QString folder = root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QImage Picture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(90, 140, 200));
    QPainter p(&image);
    p.fillRect(0, 0, std::max(1, w / 3), std::max(1, h / 3), Qt::red);
    p.fillRect(w / 2, h / 2, w / 4 + 1, h / 4 + 1, Qt::green);
    return image;
}

// --- text files ---

void AlbumSeeds() {
    TAlbum album;
    album.Name = QStringLiteral("Holiday");
    album.ThemeName = QStringLiteral("Classic");
    album.CoverPath = QStringLiteral("Themes\\Classic\\Cover.jpg");
    album.LeftPath = QStringLiteral("Themes\\Classic\\Left.jpg");
    album.RightPath = QStringLiteral("Themes\\Classic\\Right.jpg");
    album.BackPath = QStringLiteral("Themes\\Classic\\Back.jpg");
    album.Orientation = 1;
    for (int i = 0; i < 3; ++i) {
        TFoto foto;
        foto.FileName = QStringLiteral("/home/user/Pictures/%1.jpg").arg(i);
        foto.Note = QStringLiteral("note %1").arg(i);
        album.Fotos << foto;
    }
    album.Count = 3;
    album.IndexPages = 1;
    Seed("album", "three.kpa", AlbumFileBytes(album));
    QByteArray lf = AlbumFileBytes(album);
    lf.replace("\r\n", "\n");
    Seed("album", "three-lf.kpa", lf);
    album.Orientation = 2;
    album.Count = 0;
    Seed("album", "empty-horizontal.kpa", AlbumFileBytes(album));
    album.Count = 3;
    album.CoverPath = QStringLiteral("..\\..\\outside.jpg");
    album.Fotos[1].Note = QString(300, QChar(0x00e9)); // two-byte characters past the cut
    Seed("album", "odd-theme.kpa", AlbumFileBytes(album));
}

void SettingsSeeds() {
    Seed("settings", "installed.ini",
         "2\r\n0\r\n5\r\n-\r\n1205x1795 - 10x15\r\n1500x2102 - 13x18\r\n");
    Seed("settings", "kept-lines.ini", "1\r\n1\r\n12\r\nkept\r\n-\r\n100x150 - 0x1\r\n");
    Seed("settings", "interval-dash.ini", "0\n0\n-\n-\n6667x10000 - 56x84");
}

void ThemeSeeds() {
    const auto block = [](const QString& name) {
        TThemes t{name,
                  QStringLiteral("Themes\\") + name + QStringLiteral("\\Cover.jpg"),
                  QStringLiteral("Themes\\") + name + QStringLiteral("\\Left.jpg"),
                  QStringLiteral("Themes\\") + name + QStringLiteral("\\Right.jpg"),
                  QStringLiteral("Themes\\") + name + QStringLiteral("\\Back.jpg"),
                  QStringLiteral("Themes\\") + name + QStringLiteral("\\Preview.jpg")};
        return BlockLines(t);
    };
    const auto withCount = [](int count, const QByteArray& file) {
        QByteArray bytes(2, '\0');
        qToLittleEndian<qint16>(qint16(count), bytes.data());
        return bytes + file;
    };
    const QByteArray two =
        JoinLineBytes(block(QStringLiteral("Classic")) + block(QStringLiteral("Sea")));
    Seed("themes", "two.ini", withCount(2, two));
    Seed("themes", "one-of-two.ini", withCount(1, two));
    Seed("themes", "theme.ini", withCount(1, JoinLineBytes(block(QStringLiteral("Wood")))));
}

void LayoutSeeds() {
    Seed("layout", "Main.ini",
         "379\r\n592\r\n60\r\n95\r\n60\r\n140\r\n60\r\n185\r\n60\r\n230\r\n60\r\n275\r\n60\r\n"
         "320\r\n10\r\n540\r\n10\r\n565\r\n");
    Seed("layout", "Wizard.ini",
         "316\r\n20\r\n316\r\n420\r\n316\r\n340\r\n60\r\n250\r\n60\r\n20\r\n200\r\n200\r\n80\r\n"
         "60\r\n80\r\n280\r\n");
}

// --- JPEG ---

QByteArray Compress(const QImage& image, int subsampling, int flags) {
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;
    QByteArray bytes;
    if (tjCompress2(handle, image.constBits(), image.width(), int(image.bytesPerLine()),
                    image.height(), format, &out, &size, subsampling, 85, flags) == 0)
        bytes = QByteArray(reinterpret_cast<const char*>(out), qsizetype(size));
    tjFree(out);
    tjDestroy(handle);
    return bytes;
}

// An APP1 "Exif" segment holding only the orientation tag, placed after the start marker.
QByteArray WithOrientation(const QByteArray& jpeg, int orientation, bool bigEndian) {
    QByteArray tiff =
        bigEndian ? QByteArray("MM\0\x2a\0\0\0\x08", 8) : QByteArray("II\x2a\0\x08\0\0\0", 8);
    const auto u16 = [&](quint16 v) {
        char b[2];
        bigEndian ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        tiff.append(b, 2);
    };
    const auto u32 = [&](quint32 v) {
        char b[4];
        bigEndian ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        tiff.append(b, 4);
    };
    u16(1);      // entries
    u16(0x0112); // orientation
    u16(3);      // SHORT
    u32(1);
    u16(quint16(orientation));
    u16(0);
    u32(0); // no next IFD
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xff\xe1", 2);
    char length[2];
    qToBigEndian(quint16(body.size() + 2), length);
    segment.append(length, 2);
    segment += body;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

void JpegSeeds() {
    const QImage wide = Picture(33, 17);
    Seed("jpeg", "420.jpg", Compress(wide, TJSAMP_420, 0));
    Seed("jpeg", "444.jpg", Compress(Picture(16, 16), TJSAMP_444, 0));
    Seed("jpeg", "422.jpg", Compress(Picture(24, 9), TJSAMP_422, 0));
    Seed("jpeg", "gray.jpg", Compress(Picture(19, 23), TJSAMP_GRAY, 0));
    Seed("jpeg", "progressive.jpg", Compress(wide, TJSAMP_420, TJFLAG_PROGRESSIVE));
    Seed("jpeg", "exif6-be.jpg", WithOrientation(Compress(wide, TJSAMP_420, 0), 6, true));
    Seed("jpeg", "exif3-le.jpg", WithOrientation(Compress(wide, TJSAMP_420, 0), 3, false));
    Seed("jpeg", "exif8-big.jpg",
         WithOrientation(Compress(Picture(80, 50), TJSAMP_420, 0), 8, true));
}

// --- BMP ---

void Put16(QByteArray& b, int at, quint16 v) {
    qToLittleEndian(v, b.data() + at);
}
void Put32(QByteArray& b, int at, quint32 v) {
    qToLittleEndian(v, b.data() + at);
}

// A BMP with a 40-byte info header; pixel rows and palette given as they stand in the file.
QByteArray Bmp(int w, int h, int bits, int compression, const QByteArray& palette,
               const QByteArray& pixels, int colours = 0) {
    const int headers = 14 + 40;
    QByteArray b(headers, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, quint32(headers + palette.size() + pixels.size()));
    Put32(b, 10, quint32(headers + palette.size()));
    Put32(b, 14, 40);
    Put32(b, 18, quint32(w));
    Put32(b, 22, quint32(h));
    Put16(b, 26, 1);
    Put16(b, 28, quint16(bits));
    Put32(b, 30, quint32(compression));
    Put32(b, 34, quint32(pixels.size()));
    Put32(b, 46, quint32(colours));
    return b + palette + pixels;
}

QByteArray QtBmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void BmpSeeds() {
    const QImage picture = Picture(13, 7);
    Seed("bmp", "24bit.bmp", EncodeBmp24(picture));
    Seed("bmp", "8bit-palette.bmp", QtBmp(picture.convertToFormat(QImage::Format_Indexed8)));
    Seed("bmp", "1bit.bmp", QtBmp(picture.convertToFormat(QImage::Format_Mono)));
    Seed("bmp", "32bit.bmp", QtBmp(picture.convertToFormat(QImage::Format_ARGB32)));

    QByteArray grey;
    for (int i = 0; i < 4; ++i)
        grey += QByteArray(3, char(i * 80)) + QByteArray(1, '\0');
    // RLE8 4 x 2: a run of 4, end of line, two runs, end of picture.
    const QByteArray rle("\x04\x01\x00\x00\x02\x02\x02\x03\x00\x01", 10);
    Seed("bmp", "rle8.bmp", Bmp(4, 2, 8, 1, grey, rle, 4));
    // 4-bit, top-down rows (negative height).
    const QByteArray rows4("\x01\x23\x00\x00\x32\x10\x00\x00", 8);
    Seed("bmp", "4bit-top-down.bmp", Bmp(4, -2, 4, 0, grey, rows4, 4));
    // 16-bit with 5-6-5 bit fields after the header.
    QByteArray masks(12, '\0');
    Put32(masks, 0, 0xF800);
    Put32(masks, 4, 0x07E0);
    Put32(masks, 8, 0x001F);
    Seed("bmp", "16bit-fields.bmp",
         Bmp(2, 2, 16, 3, masks, QByteArray("\x1f\x00\xe0\x07\x00\xf8\xff\xff", 8)));
    // The old OS/2 header: 12 bytes, 16-bit sizes, 24-bit pixels.
    QByteArray core(14 + 12, '\0');
    core[0] = 'B';
    core[1] = 'M';
    Put32(core, 10, 26);
    Put32(core, 14, 12);
    Put16(core, 18, 2);
    Put16(core, 20, 2);
    Put16(core, 22, 1);
    Put16(core, 24, 24);
    core += QByteArray("\x10\x20\x30\x40\x50\x60\x00\x00\x70\x80\x90\xa0\xb0\xc0\x00\x00", 16);
    Put32(core, 2, quint32(core.size()));
    Seed("bmp", "os2-core.bmp", core);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    root = QString::fromLocal8Bit(argv[1]);
    AlbumSeeds();
    SettingsSeeds();
    ThemeSeeds();
    LayoutSeeds();
    JpegSeeds();
    BmpSeeds();
    return 0;
}
