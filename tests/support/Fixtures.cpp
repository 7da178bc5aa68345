#include "Fixtures.h"

#include "platform/FileNames.h"
#include "platform/PictureIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

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
    // By the name's bytes, which QFile would not keep.
    const int fd =
        ::open(PathBytes(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        (void)!::write(fd, bytes.constData(), size_t(bytes.size()));
        ::close(fd);
    }
    return path;
}

QByteArray FileBytes(const QString& path) {
    QFile f;
    (void)OpenForReading(f, path);
    return f.readAll();
}

QByteArrayList FileNameBytesIn(const QString& folder) {
    QByteArrayList names;
    if (DIR* dir = ::opendir(PathBytes(folder).constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TempProgramFolder::TempProgramFolder() = default;

QString TempProgramFolder::File(const QString& relative) const {
    const QString path = Path() + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

QString WriteThemeFolder(const TempProgramFolder& program, const QString& name) {
    QByteArray block = name.toUtf8() + "\r\n";
    for (const char* picture : {"Right", "Left", "Cover", "Back", "Preview"}) {
        WritePicture(program.File(QStringLiteral("Themes/%1/%2.jpg").arg(name, picture)), 40, 30);
        block += QStringLiteral("Themes\\%1\\%2.jpg\r\n").arg(name, picture).toUtf8();
    }
    return WriteBytes(program.File(QStringLiteral("Themes/%1/Theme.ini").arg(name)), block);
}
