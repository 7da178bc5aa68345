#include "Fixtures.h"

#include "platform/FileNames.h"
#include "platform/PictureIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
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

void RemoveTreeByBytes(const QString& folder) {
    const auto remove = [](const char* path, const struct stat*, int, FTW*) {
        (void)::remove(path); // what cannot be removed is left, and the walk goes on
        return 0;
    };
    (void)::nftw(PathBytes(folder).constData(), remove, 16, FTW_DEPTH | FTW_PHYS);
}

TempProgramFolder::TempProgramFolder() = default;

TempProgramFolder::~TempProgramFolder() {
    RemoveTreeByBytes(dir_.path());
}

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
