#include "Fixtures.h"

#include "platform/PictureIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

QImage MakeImage(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    QPainter p(&image);
    p.fillRect(0, 0, std::max(1, w / 4), std::max(1, h / 4), Qt::red);
    return image;
}

QString WritePicture(const QString& path, int w, int h, QColor colour) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QImage image = MakeImage(w, h, colour);
    if (PictureKindOf(path) == PictureKind::Bmp)
        SaveBmp24(image, path);
    else
        SaveJpeg(image, path, 95);
    return path;
}

QByteArray FlatGreyJpeg(int w, int h) {
    QByteArray out;
    const auto byte = [&](int b) { out.append(char(b)); };
    const auto word = [&](int v) { byte(v >> 8), byte(v & 0xff); };
    word(0xFFD8);
    word(0xFFDB), word(67), byte(0); // quantisation table 0: every step 1
    out.append(64, char(1));
    word(0xFFC0), word(11), byte(8), word(h), word(w), byte(1), byte(1), byte(0x11), byte(0);
    // DC table 0 and AC table 0, each one code of one bit: DC difference 0, end of block.
    for (int table : {0x00, 0x10}) {
        word(0xFFC4), word(2 + 1 + 16 + 1), byte(table), byte(1);
        out.append(15, char(0));
        byte(0);
    }
    word(0xFFDA), word(8), byte(1), byte(1), byte(0x00), byte(0), byte(63), byte(0);
    const qint64 blocks = qint64((w + 7) / 8) * ((h + 7) / 8);
    out.append(qsizetype((blocks * 2 + 7) / 8), char(0)); // two zero bits a block
    if (blocks % 4 != 0)                                  // the last byte is padded with one bits
        out.back() = char(0xFF >> (2 * (blocks % 4)));
    word(0xFFD9);
    return out;
}

QString WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}

TempProgramFolder::TempProgramFolder() = default;

QString TempProgramFolder::File(const QString& relative) const {
    const QString path = Path() + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}
