// "krel-album --print QUEUE" of an album of 100 photograph-like JPEGs (12 megapixels, 4000 x 3000
// and upright 3000 x 4000, two to a page) to a CUPS queue, usually a cups-pdf one. Prints the
// command's wall time and peak memory as /usr/bin/time -v reports them, and the time until the
// queue has finished every job.
//
//   bench_print_queue QUEUE
//
// The pictures are made once into build/bench-cache/print_queue; the album uses the installed
// Classic theme of the program folder, since the command looks its theme up there.
#include "album/Album.h"
#include "album/AlbumFile.h"
#include "platform/PictureIO.h"

#include "bench/support/BenchAlbum.h"
#include "bench/support/SyntheticPhoto.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

constexpr int Pictures = 100;
constexpr int PhotoQuality = 92;
QString PicturePath(int i) {
    return QDir(QCoreApplication::applicationDirPath() + "/../bench-cache/print_queue")
               .absolutePath() +
           QStringLiteral("/photo%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
}

void MakePictures() {
    QDir().mkpath(QFileInfo(PicturePath(0)).absolutePath());
    for (int i = 0; i < Pictures; ++i)
        if (!QFileInfo::exists(PicturePath(i)))
            SaveJpeg(MakePhoto(i, i % 3 == 2 ? QSize(3000, 4000) : QSize(4000, 3000)),
                     PicturePath(i), PhotoQuality);
}

bool QueueIdle(const QString& queue) {
    QProcess lpstat;
    lpstat.start("lpstat", {"-o", queue});
    lpstat.waitForFinished();
    return lpstat.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_print_queue QUEUE\n");
        return 2;
    }
    const QString queue = QString::fromLocal8Bit(argv[1]);
    const QString program = BenchProgramFolder() + "krel-album";
    QTemporaryDir work;
    MakePictures();
    const TAlbum album = MakeBenchAlbum(Pictures, PicturePath);
    const QString albumFile = work.filePath("Bench.kpa");
    WriteAlbumFile(albumFile, album);

    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start("/usr/bin/time", {"-v", program, "--print", queue, albumFile});
    process.waitForFinished(-1);
    const double command = timer.nsecsElapsed() / 1e9;
    const QString report = QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(report));
        return 1;
    }
    while (!QueueIdle(queue))
        QThread::msleep(500);
    const double drained = timer.nsecsElapsed() / 1e9;

    auto field = [&](const char* name) {
        return QRegularExpression(QStringLiteral("%1: (.*)").arg(QLatin1String(name)))
            .match(report)
            .captured(1)
            .trimmed();
    };
    std::printf("%d pictures, %d pages printed to %s\n", Pictures, 2 * album.SpreadCount + 2,
                qPrintable(queue));
    std::printf("krel-album --print: %.1f s (wall clock %s, user %s s, system %s s)\n", command,
                qPrintable(field("Elapsed \\(wall clock\\) time \\(h:mm:ss or m:ss\\)")),
                qPrintable(field("User time \\(seconds\\)")),
                qPrintable(field("System time \\(seconds\\)")));
    std::printf("peak memory: %s kB\n",
                qPrintable(field("Maximum resident set size \\(kbytes\\)")));
    std::printf("every job done by the queue after %.1f s\n", drained);
    return 0;
}
