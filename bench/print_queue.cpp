// "krel-album --print QUEUE" of an album of 100 photograph-like JPEGs (12 megapixels, 4000 x 3000
// and upright 3000 x 4000, two to a page) to a CUPS queue, usually a cups-pdf one. Prints the
// medians over several runs of the command's wall time and peak memory as /usr/bin/time -v
// reports them, and of the time until the queue has finished every job.
//
//   bench_print_queue QUEUE [RUNS]   (3 runs unless given)
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
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

struct Run {
    double Command = 0, Drained = 0, User = 0, System = 0, PeakKb = 0;
};

double Field(const QString& report, const char* name) {
    return QRegularExpression(QStringLiteral("%1: (.*)").arg(QLatin1String(name)))
        .match(report)
        .captured(1)
        .trimmed()
        .toDouble();
}

// One print of the album; false (the command's report on stderr) when the command failed.
bool PrintOnce(const QString& program, const QString& queue, const QString& albumFile, Run& run) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start("/usr/bin/time", {"-v", program, "--print", queue, albumFile});
    process.waitForFinished(-1);
    run.Command = timer.nsecsElapsed() / 1e9;
    const QString report = QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(report));
        return false;
    }
    while (!QueueIdle(queue))
        QThread::msleep(200);
    run.Drained = timer.nsecsElapsed() / 1e9;
    run.User = Field(report, "User time \\(seconds\\)");
    run.System = Field(report, "System time \\(seconds\\)");
    run.PeakKb = Field(report, "Maximum resident set size \\(kbytes\\)");
    return true;
}

double Median(std::vector<Run>& runs, double Run::*field) {
    std::sort(runs.begin(), runs.end(),
              [&](const Run& a, const Run& b) { return a.*field < b.*field; });
    return runs[runs.size() / 2].*field;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: bench_print_queue QUEUE [RUNS]\n");
        return 2;
    }
    const QString queue = QString::fromLocal8Bit(argv[1]);
    const int count = argc == 3 ? std::max(1, std::atoi(argv[2])) : 3;
    const QString program = BenchProgramFolder() + "krel-album";
    QTemporaryDir work;
    MakePictures();
    const TAlbum album = MakeBenchAlbum(Pictures, PicturePath);
    const QString albumFile = work.filePath("Bench.kpa");
    WriteAlbumFile(albumFile, album);

    std::vector<Run> runs(count);
    for (Run& run : runs)
        if (!PrintOnce(program, queue, albumFile, run))
            return 1;
    std::printf("%d pictures, %d pages printed to %s, medians of %d runs\n", Pictures,
                2 * album.SpreadCount + 2, qPrintable(queue), count);
    std::printf("krel-album --print: %.2f s wall (user %.2f s, system %.2f s)\n",
                Median(runs, &Run::Command), Median(runs, &Run::User), Median(runs, &Run::System));
    std::printf("peak memory: %.0f MB\n", Median(runs, &Run::PeakKb) / 1024);
    std::printf("every job done by the queue after %.1f s\n", Median(runs, &Run::Drained));
    return 0;
}
