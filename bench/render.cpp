// Rendering speed of the album view at the largest classic page size (816 x 545 on a 1280 x 1024
// desktop) at pixel ratios 1, 1.5 and 2: a picture spread drawn with DrawFon, a contents spread of
// 40 entries, and one tick of the page-turn animation's composition. Prints the median of many
// runs of each against its target (the targets hold at ratio 2).
// The contents spread is measured warm (thumbnails for the contents already scaled, as on every
// visit after the first) and, separately, cold.
#include "album/Album.h"
#include "album/Geometry.h"
#include "platform/DeviceGrid.h"
#include "view/AlbumBook.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int DesktopWidth = 1280;
constexpr int DesktopHeight = 1024;
constexpr int Runs = 200;
constexpr double PictureSpreadTargetMs = 8.0;
constexpr double ContentsSpreadTargetMs = 12.0;
constexpr double TurnTickTargetMs = 2.0;

QImage Photo(QSize size, int seed) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 160, 220));
    g.setColorAt(1, QColor::fromHsv((seed * 37 + 120) % 360, 200, 90));
    p.fillRect(image.rect(), g);
    return image;
}

void MakeAlbum(AlbumSession& session, AlbumBook& book, int count, int orientation, double ratio) {
    TAlbum& a = session.Album;
    SelektSizePage(session, DesktopWidth);
    const PageSize page{session.PageHeight, session.PageWidth};
    const PageRects rects = PageRectsFor(DesktopWidth, DesktopHeight, page);
    a.LeftPageRect = rects.Left;
    a.RightPageRect = rects.Right;
    const QSize imageSize = PageImageSize(page);
    const QSize deviceSize = DeviceSize(imageSize, ratio);
    a.Cover = Photo(deviceSize, 1);
    a.BackCover = Photo(deviceSize, 2);
    a.LeftBackground = Photo(deviceSize, 3);
    a.RightBackground = Photo(deviceSize, 4);
    a.Orientation = static_cast<quint8>(orientation);
    const PageFrames frames = FramesFor(orientation, imageSize.width(), imageSize.height());
    a.LeftFrame1 = frames.Left1;
    a.LeftFrame2 = frames.Left2;
    a.RightFrame1 = frames.Right1;
    a.RightFrame2 = frames.Right2;
    for (int i = 0; i < count; ++i) {
        TFoto foto;
        foto.PictureSize = i % 3 == 0 ? QSize(3000, 4000) : QSize(4000, 3000);
        foto.Rect = Dimension(foto.PictureSize, FrameOf(frames, FrameSlotOf(orientation, i)));
        foto.Picture = Photo(ThumbnailSize(foto.Rect, ratio), i);
        foto.Note = QStringLiteral("Note of picture %1").arg(i);
        a.Fotos.push_back(foto);
    }
    a.Count = count;
    ComputeDerivedNumbers(a);
    CreateIndexRect(a, imageSize);
    book.CreatePages(ratio);
}

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    times.reserve(runs);
    for (int n = 0; n < runs; ++n) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

void Report(const char* what, double ms, double target) {
    std::printf("%-44s median %7.3f ms  target %5.1f ms  %s\n", what, ms, target,
                ms <= target ? "ok" : "SLOW");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    for (double ratio : {1.0, 1.5, 2.0})
        for (int orientation : {1, 2}) {
            AlbumSession session;
            AlbumBook book(session);
            MakeAlbum(session, book, 40, orientation, ratio);
            std::printf("ratio %.1f, layout %d, page images %d x %d device pixels\n", ratio,
                        orientation, session.Album.LeftPage.width(),
                        session.Album.LeftPage.height());

            session.CurrentSpread = session.Album.IndexPages + 1;
            Report("picture spread (DrawFon)", MedianMs(Runs, [&] { book.DrawFon(); }),
                   PictureSpreadTargetMs);

            session.CurrentSpread = 1;
            Report("contents spread of 40, cold (DrawFon)",
                   MedianMs(Runs,
                            [&] {
                                book.Renderer = PageRenderer();
                                book.Renderer.InitCanvasStates();
                                book.DrawFon();
                            }),
                   ContentsSpreadTargetMs);
            book.DrawFon();
            Report("contents spread of 40, warm (DrawFon)", MedianMs(Runs, [&] { book.DrawFon(); }),
                   ContentsSpreadTargetMs);

            // Ticks of whole forward and backward turns between two picture spreads.
            std::vector<double> ticks;
            session.CurrentSpread = session.Album.IndexPages + 1;
            book.DrawFon();
            for (int turn = 0; turn < 20; ++turn) {
                if (turn % 2 == 0)
                    book.NextPage();
                else
                    book.PreviousPage();
                while (book.Turning()) {
                    QElapsedTimer t;
                    t.start();
                    book.Tick();
                    ticks.push_back(t.nsecsElapsed() / 1e6);
                }
            }
            std::nth_element(ticks.begin(), ticks.begin() + ticks.size() / 2, ticks.end());
            Report("page-turn tick (composition)", ticks[ticks.size() / 2], TurnTickTargetMs);
        }
    return 0;
}
