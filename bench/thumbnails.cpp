// Opening an album of 100 photograph-like JPEGs of 4 to 20 megapixels at the largest page size
// (816 x 545), against vipsthumbnail making thumbnails of the same sizes from the same files.
// Prints the median of several runs of each, their ratio, and the peak memory of this process
// against the thumbnails' own bytes plus 300 MB.
//
// The pictures are made once into build/bench-cache/thumbnails by a child process (so making
// them does not count in this process's peak memory).
#include "album/Album.h"
#include "album/AlbumFile.h"
#include "album/AlbumLoader.h"
#include "app/AppContext.h"
#include "bench/support/SyntheticPhoto.h"
#include "platform/DialogService.h"
#include "platform/PictureIO.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int Pictures = 100;
constexpr int Runs = 5;
constexpr int JpegQuality = 90;
constexpr int PageHeight = 816;
constexpr int PageWidth = 545;
constexpr qint64 MemoryAllowance = 300LL * 1024 * 1024;

// Picture i: 4 to 20 megapixels, mostly 3:2 landscape, every fourth upright, every fifth 4:3.
QSize PictureSizeOf(int i) {
    const double megapixels = 4.0 + 16.0 * i / (Pictures - 1);
    const bool fourThirds = i % 5 == 4;
    const int a = fourThirds ? 4 : 3, b = fourThirds ? 3 : 2;
    const int k = static_cast<int>(std::sqrt(megapixels * 1e6 / (a * b)));
    const QSize size(a * k, b * k);
    return i % 4 == 1 ? size.transposed() : size;
}

QString CacheFolder() {
    return QDir(QCoreApplication::applicationDirPath() + "/../bench-cache/thumbnails")
        .absolutePath();
}

QString PicturePath(int i) {
    return CacheFolder() + QStringLiteral("/photo%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
}

int Generate() {
    QDir().mkpath(CacheFolder());
    for (int i = 0; i < Pictures; ++i) {
        if (QFileInfo::exists(PicturePath(i)))
            continue;
        SaveJpeg(MakePhoto(i, PictureSizeOf(i)), PicturePath(i), JpegQuality);
        std::fprintf(stderr, "\rmaking pictures: %d/%d", i + 1, Pictures);
    }
    std::fprintf(stderr, "\n");
    return 0;
}

// Reports any message: the benchmark album should load without one.
class QuietDialogs : public DialogService {
public:
    MessageResult Message(const QString& text, MessageKind, MessageButtons) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MessageResult::Yes;
    }
    QString OpenFile(const FileDialogOptions&) override { return {}; }
    QStringList OpenFiles(const FileDialogOptions&) override { return {}; }
    QString SaveFile(const FileDialogOptions&) override { return {}; }
    QString ChooseFolder(const QString&, const QString&) override { return {}; }
    bool PrintSetup(QPrinter&, int, int) override { return false; }
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Bench {
    QTemporaryDir program;
    QTemporaryDir work;
    QuietDialogs dialogs;
    NullProgress progress;
    AlbumSession session;
    AppContext context;
    // What the album view saw: each entry's thumbnail size and the thumbnails' bytes.
    QVector<QSize> sizes;
    qint64 thumbnailBytes = 0;

    Bench() {
        for (const char* name : {"Cover", "Left", "Right", "Back"}) {
            QDir().mkpath(program.filePath("Themes/Bench"));
            SaveJpeg(MakePhoto(7, QSize(1200, 1800)),
                     program.filePath(QStringLiteral("Themes/Bench/%1.jpg").arg(name)), 85);
        }
        session.PageHeight = PageHeight;
        session.PageWidth = PageWidth;
        context.ProgramFolder = program.path() + "/";
        context.Dialogs = &dialogs;
        context.ProgressWindow = &progress;
        context.Session = &session;
        context.ShowAlbumView = [this] {
            sizes.clear();
            thumbnailBytes = 0;
            for (const TFoto& f : session.Album.Fotos) {
                sizes << f.Picture.size();
                thumbnailBytes += f.Picture.sizeInBytes();
            }
            EmptyAlbum(session);
        };
    }

    QString WriteAlbum(int orientation) {
        QStringList lines{AlbumFileHeader,
                          AlbumFileNotice,
                          "bench",
                          "Bench",
                          "Themes\\Bench\\Cover.jpg",
                          "Themes\\Bench\\Left.jpg",
                          "Themes\\Bench\\Right.jpg",
                          "Themes\\Bench\\Back.jpg",
                          QString::number(orientation),
                          QString::number(Pictures),
                          "3"};
        for (int i = 0; i < Pictures; ++i)
            lines << PicturePath(i) << QString();
        const QString path = work.filePath(QStringLiteral("bench%1.kpa").arg(orientation));
        WriteLines(path, lines);
        return path;
    }

    double TimeLoad(const QString& album) {
        QElapsedTimer timer;
        timer.start();
        if (OpenAlbum(context, album) != LoadResult::Shown)
            std::fprintf(stderr, "the album did not load\n");
        return timer.nsecsElapsed() / 1e9;
    }

    // One vipsthumbnail run for each thumbnail size, every file of that size in one run.
    double TimeVips() {
        QMap<QString, QStringList> bySize;
        for (int i = 0; i < sizes.size(); ++i)
            bySize[QStringLiteral("%1x%2!").arg(sizes[i].width()).arg(sizes[i].height())]
                << PicturePath(i);
        const QString out = work.filePath("vips");
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        QElapsedTimer timer;
        timer.start();
        for (auto it = bySize.cbegin(); it != bySize.cend(); ++it) {
            QProcess vips;
            vips.start("vipsthumbnail",
                       QStringList{"-s", it.key(), "-o", out + "/%s.jpg"} + it.value());
            if (!vips.waitForFinished(-1) || vips.exitCode() != 0)
                std::fprintf(stderr, "vipsthumbnail failed: %s\n",
                             vips.readAllStandardError().constData());
        }
        return timer.nsecsElapsed() / 1e9;
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--generate")
        return Generate();
    bool complete = true;
    for (int i = 0; i < Pictures; ++i)
        complete = complete && QFileInfo::exists(PicturePath(i));
    if (!complete &&
        QProcess::execute(QCoreApplication::applicationFilePath(), {"--generate"}) != 0)
        return 1;

    Bench bench;
    qint64 largestThumbnails = 0;
    std::printf("%d pictures of 4 to 20 megapixels, page %d x %d, %d runs, medians in seconds\n",
                Pictures, PageWidth, PageHeight, Runs);
    for (int orientation : {OrientationVertical, OrientationHorizontal}) {
        const QString album = bench.WriteAlbum(orientation);
        bench.TimeLoad(album); // warm the file cache and learn the thumbnail sizes
        bench.TimeVips();
        std::vector<double> ours, vips;
        for (int r = 0; r < Runs; ++r) {
            ours.push_back(bench.TimeLoad(album));
            vips.push_back(bench.TimeVips());
        }
        largestThumbnails = std::max(largestThumbnails, bench.thumbnailBytes);
        const double a = Median(ours), b = Median(vips);
        std::printf("layout %d (thumbnails about %dx%d): OpenAlbum %.3f  vipsthumbnail %.3f  "
                    "ratio %.2f %s\n",
                    orientation, bench.sizes.value(0).width(), bench.sizes.value(0).height(), a, b,
                    a / b, a / b <= 1.0 ? "(ok)" : "(SLOWER)");
    }
    const double peakMb = PeakRssKb() / 1024.0;
    const double limitMb = (largestThumbnails + MemoryAllowance) / (1024.0 * 1024.0);
    std::printf("peak memory %.1f MB, thumbnails %.1f MB + 300 MB = %.1f MB %s\n", peakMb,
                largestThumbnails / (1024.0 * 1024.0), limitMb,
                peakMb <= limitMb ? "(ok)" : "(OVER)");
    return 0;
}
