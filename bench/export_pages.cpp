// "krel-album --export-pages" of an album of 40 photograph-like JPEGs (12 megapixels, 4000 x 3000
// and upright 3000 x 4000) at the 20x30 size 2398 x 3602, quality position 10, against the floor:
// libjpeg-turbo alone (TurboJPEG, one thread) decoding at full size every picture the pages draw,
// as often as they draw it (the page backgrounds included), and encoding every page at 2398 x 3602
// and quality 100. The two run side by side, alternately; the program prints the medians, their
// ratio (at most 1.5 passes) and the command's peak memory (under 1 GB passes).
//
// The pictures are made once into build/bench-cache/export_pages; the album uses the installed
// Classic theme of the program folder, since the command looks its theme up there.
#include "album/Album.h"
#include "album/AlbumFile.h"
#include "platform/PictureIO.h"

#include "bench/support/BenchAlbum.h"
#include "bench/support/SyntheticPhoto.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>
#include <turbojpeg.h>
#include <vector>

namespace {

constexpr int Pictures = 40;
constexpr int Runs = 5;
constexpr int PhotoQuality = 92;
constexpr int PageWidth = 2398;
constexpr int PageHeight = 3602;
constexpr int PageQuality = 100;
constexpr double AllowedRatio = 1.5;
constexpr long MemoryLimitKb = 1024L * 1024;
QString CacheFolder() {
    return QDir(QCoreApplication::applicationDirPath() + "/../bench-cache/export_pages")
        .absolutePath();
}

QString PicturePath(int i) {
    return CacheFolder() + QStringLiteral("/photo%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
}

// Sky-to-ground gradients, soft light patches, a few shapes and sensor-like noise.
QImage MakeScene(int i) {
    const QSize size = i % 3 == 2 ? QSize(3000, 4000) : QSize(4000, 3000);
    QImage image = MakePhoto(i, size);
    const double w = size.width(), h = size.height();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < 6; ++k) {
        painter.setBrush(QColor::fromHsv((i * 37 + k * 61) % 360, 160, 150));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(w * ((k * 0.17 + i * 0.05) - std::floor(k * 0.17 + i * 0.05)),
                                    h * (0.55 + 0.07 * k)),
                            w * 0.08, h * 0.05);
    }
    return image;
}

void MakePictures() {
    QDir().mkpath(CacheFolder());
    for (int i = 0; i < Pictures; ++i) {
        if (QFileInfo::exists(PicturePath(i)))
            continue;
        SaveJpeg(MakeScene(i), PicturePath(i), PhotoQuality);
        std::fprintf(stderr, "\rmaking pictures: %d/%d", i + 1, Pictures);
    }
    std::fprintf(stderr, "\n");
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The files a page draws: its background, then its pictures (each contents entry once, on the
// page that lists it; each picture once on its picture page).
std::vector<std::vector<QString>> DrawnFiles(const TAlbum& album, const QString& program) {
    auto theme = [&](const QString& path) { return program + QString(path).replace('\\', '/'); };
    std::vector<std::vector<QString>> pages;
    pages.push_back({theme(album.CoverPath)});
    for (int s = 1; s <= album.SpreadCount; ++s) {
        for (int side = 0; side < 2; ++side) {
            std::vector<QString> page = {theme(side == 0 ? album.LeftPath : album.RightPath)};
            if (s <= album.IndexPages) {
                const int first = FirstContentsEntry(s, side == 1);
                for (int e = first; e < first + EntriesPerContentsPage && e < album.Count; ++e)
                    page.push_back(album.Fotos[e].FileName);
            } else {
                const int k = s - album.IndexPages;
                for (int e = 4 * k - 4 + 2 * side; e < 4 * k - 2 + 2 * side && e < album.Count; ++e)
                    page.push_back(album.Fotos[e].FileName);
            }
            pages.push_back(page);
        }
    }
    pages.push_back({theme(album.BackPath)});
    return pages;
}

// The floor: every drawn picture decoded at full size, every page encoded, one thread.
double Floor(const std::vector<std::vector<QString>>& pages, const QImage& page) {
    tjhandle decoder = tjInitDecompress();
    tjhandle encoder = tjInitCompress();
    std::vector<unsigned char> pixels;
    unsigned char* jpeg = nullptr; // reused by every encode, with its size
    unsigned long jpegSize = 0;
    QElapsedTimer timer;
    timer.start();
    for (const std::vector<QString>& files : pages) {
        for (const QString& file : files) {
            const QByteArray bytes = ReadAll(file);
            const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
            int w = 0, h = 0, sub = 0, space = 0;
            tjDecompressHeader3(decoder, data, bytes.size(), &w, &h, &sub, &space);
            pixels.resize(size_t(w) * h * 4);
            if (tjDecompress2(decoder, data, bytes.size(), pixels.data(), w, 0, h, TJPF_BGRX, 0))
                std::fprintf(stderr, "floor: cannot decode %s\n", qPrintable(file));
        }
        if (tjCompress2(encoder, page.constBits(), page.width(), page.bytesPerLine(), page.height(),
                        TJPF_BGRX, &jpeg, &jpegSize, TJSAMP_420, PageQuality, 0))
            std::fprintf(stderr, "floor: cannot encode\n");
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    tjFree(jpeg);
    tjDestroy(decoder);
    tjDestroy(encoder);
    return seconds;
}

double Command(const QString& program, const QString& album, const QString& out) {
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program + "krel-album", {"--export-pages", album, "--size",
                                           QStringLiteral("%1x%2").arg(PageWidth).arg(PageHeight),
                                           "--quality", "10", "--out", out + "/B"});
    process.waitForFinished(-1);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (process.exitCode() != 0)
        std::fprintf(stderr, "command failed: %s\n", process.readAllStandardError().constData());
    return seconds;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString program = BenchProgramFolder();
    if (!QFileInfo::exists(program + "krel-album")) {
        std::fprintf(stderr, "build krel-album first (%skrel-album)\n", qPrintable(program));
        return 2;
    }
    MakePictures();
    QTemporaryDir work;
    const TAlbum album = MakeBenchAlbum(Pictures, PicturePath);
    const QString albumFile = work.filePath("Bench.kpa");
    WriteAlbumFile(albumFile, album);
    const QString out = work.filePath("pages");
    const auto pages = DrawnFiles(album, program);
    int drawn = 0;
    for (const auto& files : pages)
        drawn += static_cast<int>(files.size());

    // A first run warms the file cache and gives the floor a real page to encode.
    Command(program, albumFile, out);
    const QImage page = LoadPicture(out + "/B" + QString::number(album.IndexPages + 1) + "_L.jpg")
                            .convertToFormat(QImage::Format_RGB32);
    std::vector<double> floors, commands;
    for (int run = 0; run < Runs; ++run) {
        floors.push_back(Floor(pages, page));
        commands.push_back(Command(program, albumFile, out));
        std::fprintf(stderr, "run %d: floor %.2f s, command %.2f s\n", run + 1, floors.back(),
                     commands.back());
    }
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    const double floor = Median(floors), command = Median(commands);
    const double ratio = command / floor;
    std::printf("export of %d pages at %dx%d, quality 100, %d pictures drawn\n",
                static_cast<int>(pages.size()), PageWidth, PageHeight, drawn);
    std::printf("floor (libjpeg-turbo decode + encode, 1 thread): median %.2f s\n", floor);
    std::printf("krel-album --export-pages:                       median %.2f s\n", command);
    std::printf("ratio %.2f (limit %.1f): %s\n", ratio, AllowedRatio,
                ratio <= AllowedRatio ? "pass" : "FAIL");
    std::printf("peak memory of the command %.0f MB (limit 1024 MB): %s\n",
                children.ru_maxrss / 1024.0, children.ru_maxrss < MemoryLimitKb ? "pass" : "FAIL");
    return ratio <= AllowedRatio && children.ru_maxrss < MemoryLimitKb ? 0 : 1;
}
