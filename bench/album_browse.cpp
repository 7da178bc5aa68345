// Turning through a large album of real photographs, in this process, as the album view does on a
// 1920 x 1080 screen: the album is opened as "krel-album --render" opens it, then spreads are
// drawn one after another (each draw waits for the thumbnails of its spread, as a page turn does
// before it starts). Uses the albums that bench_large_album makes (run it first).
//
//   bench_album_browse turn COUNT    a picture spread after a turn: cold (nothing made yet),
//   against
//                                    the scaled decodes of its pictures on every core; then warm
//                                    (disk cache filled, a new store) and prepared (the spread
//                                    wanted ahead while the one before was shown)
//   bench_album_browse pass COUNT    every spread once from the cover, cold cache: wall time and
//                                    peak memory of this process, against vipsthumbnail making the
//                                    same frame thumbnails (JPEG) from the same files
//
// Every figure is the median of 3 runs.
#include "album/Album.h"
#include "album/AlbumLoader.h"
#include "album/SpreadThumbnails.h"
#include "album/ThumbnailStore.h"
#include "app/AppContext.h"
#include "platform/PictureIO.h"
#include "platform/Progress.h"
#include "platform/StderrDialogs.h"
#include "themes/BookSettings.h"
#include "view/AlbumBook.h"

#include "bench/support/BenchAlbum.h"
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace {

const QSize Screen(1920, 1080);
constexpr int Runs = 3;

QString AlbumFile(int count) {
    return QDir(QCoreApplication::applicationDirPath() +
                QStringLiteral("/../bench-cache/large_album/%1.kpa").arg(count))
        .absolutePath();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Ms(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

// Opens the album as the headless view does and runs `shown` with the book once it is up.
void WithOpenAlbum(int count, const std::function<void(AlbumSession&, AlbumBook&)>& shown) {
    const QString programFolder = BenchProgramFolder();
    StderrDialogs dialogs;
    NullProgress progress;
    AlbumSession session;
    SelektSizePage(session, Screen, ReadBookSize(programFolder));
    const PageRects rects =
        PageRectsFor(Screen.width(), Screen.height(), {session.PageHeight, session.PageWidth});
    session.Album.LeftPageRect = rects.Left;
    session.Album.RightPageRect = rects.Right;
    AlbumBook book(session);
    book.CreatePages(1.0);
    AppContext context;
    context.ProgramFolder = programFolder;
    context.Dialogs = &dialogs;
    context.ProgressWindow = &progress;
    context.Session = &session;
    context.ShowAlbumView = [&] { shown(session, book); };
    if (!QFileInfo::exists(AlbumFile(count)))
        qFatal("%s is missing: run bench_large_album %d first", qPrintable(AlbumFile(count)),
               count);
    if (OpenAlbum(context, AlbumFile(count)) != LoadResult::Shown)
        qFatal("cannot open %s", qPrintable(AlbumFile(count)));
}

double Draw(AlbumSession& session, AlbumBook& book, int spread) {
    return Ms([&] {
        session.CurrentSpread = spread;
        book.Redraw();
    });
}

// The scaled decodes of a spread's pictures at their frames' size on every core.
double Decodes(const QVector<ThumbnailRequest>& requests) {
    return Ms([&] {
        QtConcurrent::blockingMap(
            requests, [](const ThumbnailRequest& r) { (void)LoadPictureScaled(r.Path, r.Size); });
    });
}

void Turn(int count) {
    std::vector<double> cold, decodes, warm, prepared;
    QSize frame;
    for (int run = 0; run < Runs; ++run) {
        QTemporaryDir cache;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        int spread = 0;
        WithOpenAlbum(count, [&](AlbumSession& session, AlbumBook& book) {
            TAlbum& album = session.Album;
            spread = album.IndexPages + 1 + run; // a picture spread no run has seen
            const QVector<ThumbnailRequest> wanted = SpreadThumbnails(album, spread);
            frame = wanted.front().Size;
            album.Thumbnails->WaitIdle();
            cold.push_back(Draw(session, book, spread));
            album.Thumbnails->WaitIdle();
            decodes.push_back(Decodes(wanted));
            // The next spread was wanted while this one was shown.
            prepared.push_back(Draw(session, book, spread + 1));
            album.Thumbnails->WaitIdle();
        });
        // A new store: the thumbnails come from the disk cache alone.
        WithOpenAlbum(count, [&](AlbumSession& session, AlbumBook& book) {
            session.Album.Thumbnails->WaitIdle();
            warm.push_back(Draw(session, book, spread));
        });
    }
    std::printf("%d pictures, frames of %dx%d, medians of %d\n", count, frame.width(),
                frame.height(), Runs);
    std::printf("  picture spread after a turn, cold:      %7.1f ms\n", Median(cold));
    std::printf("  scaled decodes of its pictures, 2 cores: %7.1f ms  (ratio %.2f)\n",
                Median(decodes), Median(cold) / Median(decodes));
    std::printf("  picture spread after a turn, warm disk: %7.1f ms\n", Median(warm));
    std::printf("  picture spread prepared ahead:          %7.1f ms\n", Median(prepared));
}

// Every spread once; returns the wall time and the frame thumbnails made.
double PassOnce(int count, QVector<ThumbnailRequest>& frames) {
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    double ms = 0;
    ms = Ms([&] {
        WithOpenAlbum(count, [&](AlbumSession& session, AlbumBook& book) {
            frames.clear();
            for (int s = 0; s <= session.Album.SpreadCount + 1; ++s) {
                (void)Draw(session, book, s);
                if (s > session.Album.IndexPages && s <= session.Album.SpreadCount)
                    frames += SpreadThumbnails(session.Album, s);
            }
            session.Album.Thumbnails->WaitIdle();
        });
    });
    return ms / 1000;
}

double Vips(const QVector<ThumbnailRequest>& frames) {
    // vipsthumbnail keeps the aspect inside a box; each frame is the picture fitted into its box.
    QTemporaryDir out;
    QMap<QString, QStringList> bySize;
    for (const ThumbnailRequest& r : frames)
        bySize[QStringLiteral("%1x%2").arg(r.Size.width()).arg(r.Size.height())] << r.Path;
    return Ms([&] {
               for (auto it = bySize.begin(); it != bySize.end(); ++it) {
                   QStringList args{QStringLiteral("-s"), it.key(), QStringLiteral("-o"),
                                    out.path() + QStringLiteral("/%s.jpg[Q=92]")};
                   args += it.value();
                   if (QProcess::execute(QStringLiteral("vipsthumbnail"), args) != 0)
                       qFatal("vipsthumbnail failed: apt install libvips-tools");
               }
           }) /
           1000;
}

void Pass(int count) {
    std::vector<double> ours, vips;
    QVector<ThumbnailRequest> frames;
    for (int run = 0; run < Runs; ++run) {
        ours.push_back(PassOnce(count, frames));
        vips.push_back(Vips(frames));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%d pictures, every spread once from the cover, cold cache, medians of %d\n", count,
                Runs);
    std::printf("  whole pass:                %7.2f s, peak memory %.0f MB\n", Median(ours),
                usage.ru_maxrss / 1024.0);
    std::printf("  vipsthumbnail, %lld frames: %7.2f s  (ratio %.2f)\n", qlonglong(frames.size()),
                Median(vips), Median(ours) / Median(vips));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3 || (QByteArray(argv[1]) != "turn" && QByteArray(argv[1]) != "pass")) {
        std::fprintf(stderr, "usage: bench_album_browse turn|pass COUNT\n");
        return 2;
    }
    const int count = std::atoi(argv[2]);
    if (QByteArray(argv[1]) == "turn")
        Turn(count);
    else
        Pass(count);
    return 0;
}
