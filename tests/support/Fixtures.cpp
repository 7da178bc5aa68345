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
