// Opening large albums of real photographs as a user does, in whole runs of the program:
// "krel-album --render SPREAD --screen 1920x1080" on albums of 100, 1,000 and 10,000 entries,
// hard links of the photographs of 4 megapixels and more that the mate-backgrounds package ships.
// For every size it draws the cover (spread 0) and the first contents spread (1), once with a
// cold thumbnail cache (an empty XDG_CACHE_HOME for each run) and once warm (the cache of the run
// before), and prints the medians of several runs: wall time and peak memory (the child's
// maximum resident set). For the contents spread it also prints the time of the scaled decodes of
// its 40 pictures on every core, in this process, and the ratio to it.
//
//   bench_large_album [--runs N] [SIZE ...]   (3 runs of 100, 1000 and 10000 unless given)
//
// The albums and their links are made once under build/bench-cache/large_album.
#include "album/AlbumFile.h"
#include "platform/PictureIO.h"

#include "bench/support/BenchAlbum.h"
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr const char* PhotoFolder = "/usr/share/backgrounds";
constexpr qint64 SmallestPhoto = 4'000'000; // pixels
constexpr const char* Screen = "1920x1080";

QStringList RealPhotos() {
    QStringList photos;
    QDirIterator it(QLatin1String(PhotoFolder), {"*.jpg", "*.jpeg"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QSize size = ReadPictureSize(path);
        if (qint64(size.width()) * size.height() >= SmallestPhoto)
            photos << path;
    }
    photos.sort();
    return photos;
}

QString CacheFolder() {
    return QDir(QCoreApplication::applicationDirPath() + "/../bench-cache/large_album")
        .absolutePath();
}

QString LinkPath(int count, int i) {
    return QStringLiteral("%1/%2/photo%3.jpg")
        .arg(CacheFolder())
        .arg(count)
        .arg(i, 5, 10, QLatin1Char('0'));
}

// An album of `count` distinct paths, each a hard link to one of the photographs.
QString MakeAlbum(int count, const QStringList& photos) {
    const QString folder = QStringLiteral("%1/%2").arg(CacheFolder()).arg(count);
    const QString file = folder + ".kpa";
    QDir().mkpath(folder);
    const auto pathOf = [&](int i) { return LinkPath(count, i); };
    for (int i = 0; i < count; ++i) {
        const QString link = pathOf(i);
        if (!QFileInfo::exists(link) &&
            ::link(QFile::encodeName(photos[i % photos.size()]).constData(),
                   QFile::encodeName(link).constData()) != 0 &&
            !QFile::copy(photos[i % photos.size()], link))
            qFatal("cannot make %s", qPrintable(link));
    }
    if (!QFileInfo::exists(file))
        WriteAlbumFile(file, MakeBenchAlbum(count, pathOf));
    return file;
}

struct Run {
    double Seconds = 0;
    double PeakMb = 0;
};

// One whole run of the program with the given thumbnail cache; exits the benchmark on a failure.
Run RenderOnce(const QString& album, int spread, const QString& cacheHome) {
    const QByteArray program = QFile::encodeName(BenchProgramFolder() + "krel-album");
    const QByteArray out = QFile::encodeName(cacheHome + "/spread.png");
    const QByteArray spreadText = QByteArray::number(spread);
    const QByteArray albumBytes = QFile::encodeName(album);
    const char* argv[] = {program.constData(),
                          "--render",
                          spreadText.constData(),
                          "--screen",
                          Screen,
                          "--out",
                          out.constData(),
                          albumBytes.constData(),
                          nullptr};
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome));
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        qFatal("cannot start %s", argv[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    Run run{timer.nsecsElapsed() / 1e9, usage.ru_maxrss / 1024.0};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("krel-album --render %d of %s failed", spread, qPrintable(album));
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Medians of `runs` runs, cold (an empty cache each time) or warm (one cache, filled before).
Run Measure(const QString& album, int spread, bool warm, int runs) {
    QTemporaryDir shared;
    if (warm)
        (void)RenderOnce(album, spread, shared.path());
    std::vector<double> seconds, peaks;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir own;
        const Run run = RenderOnce(album, spread, warm ? shared.path() : own.path());
        seconds.push_back(run.Seconds);
        peaks.push_back(run.PeakMb);
    }
    return {Median(seconds), Median(peaks)};
}

// The scaled decodes of the first contents spread's pictures at their cells' size, on every core.
// The cells' pictures are at most 60 x 45 on a 1920 x 1080 screen's pages.
double ContentsDecodes(int count, int runs) {
    QVector<QPair<QString, QSize>> work;
    for (int i = 0; i < std::min(EntriesPerContentsSpread, count); ++i)
        work.push_back({LinkPath(count, i), QSize(60, 45)});
    std::vector<double> seconds;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        QtConcurrent::blockingMap(work, [](const QPair<QString, QSize>& w) {
            (void)LoadPictureScaled(w.first, w.second);
        });
        seconds.push_back(timer.nsecsElapsed() / 1e9);
    }
    return Median(seconds);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 3;
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty())
        sizes = {100, 1000, 10000};
    const QStringList photos = RealPhotos();
    if (photos.isEmpty()) {
        std::fprintf(stderr,
                     "no photographs of 4 megapixels or more under %s: "
                     "apt install mate-backgrounds\n",
                     PhotoFolder);
        return 2;
    }
    std::printf("%lld photographs of 4 MP and more, screen %s, medians of %d whole runs\n",
                qlonglong(photos.size()), Screen, runs);
    std::printf("%8s  %-22s %10s %10s\n", "pictures", "work", "wall", "peak");
    for (int count : sizes) {
        const QString album = MakeAlbum(count, photos);
        const struct {
            const char* name;
            int spread;
            bool warm;
        } jobs[] = {{"cover, cold cache", 0, false},
                    {"cover, warm cache", 0, true},
                    {"contents, cold cache", 1, false},
                    {"contents, warm cache", 1, true}};
        for (const auto& job : jobs) {
            const Run run = Measure(album, job.spread, job.warm, runs);
            std::printf("%8d  %-22s %8.2f s %7.0f MB\n", count, job.name, run.Seconds, run.PeakMb);
        }
        std::fflush(stdout);
    }
    std::printf("scaled decodes of the first contents spread's %d pictures on %d cores: %.3f s\n",
                EntriesPerContentsSpread, QThread::idealThreadCount(),
                ContentsDecodes(sizes.front(), runs));
    return 0;
}
