#include "album/AlbumLoader.h"
#include "album/Geometry.h"
#include "platform/DeviceGrid.h"
#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "platform/Progress.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"
#include "view/AlbumBook.h"
#include "view/HeadlessView.h"
#include "view/ui/TGraph.h"

#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QColor Cover(20, 40, 200);

// A program folder with one theme and an album of three pictures in layout 1.
struct RenderFixture {
    TempProgramFolder folder;
    QString album;

    RenderFixture() {
        QByteArray text = "The Krel 1.0 - Digital Photo Album\r\nnotice\r\nTrip\r\nPlain\r\n";
        const char* names[] = {"Cover", "Left", "Right", "Back"};
        const QColor colours[] = {Cover, QColor(230, 220, 180), QColor(180, 220, 230),
                                  QColor(0, 150, 0)};
        for (int i = 0; i < 4; ++i) {
            WritePicture(folder.File(QStringLiteral("Themes/Plain/%1.jpg").arg(names[i])), 200, 300,
                         colours[i]);
            text += QStringLiteral("Themes\\Plain\\%1.jpg\r\n").arg(names[i]).toUtf8();
        }
        text += "1\r\n3\r\n1\r\n";
        for (int i = 0; i < 3; ++i) {
            const QString picture =
                WritePicture(folder.File(QStringLiteral("pictures/p%1.jpg").arg(i)), 400, 300);
            text += picture.toUtf8() + "\r\nnote " + QByteArray::number(i) + "\r\n";
        }
        album = WriteBytes(folder.File("trip.kpa"), text);
    }
    RenderRequest Request(int spread) const {
        return {spread, QSize(800, 600), folder.Path() + "view.png", album};
    }
};

bool Near(QRgb a, QColor b) {
    return std::abs(qRed(a) - b.red()) < 12 && std::abs(qGreen(a) - b.green()) < 12 &&
           std::abs(qBlue(a) - b.blue()) < 12;
}

} // namespace

TEST(HeadlessView, ParsesTheCommandLine) {
    const RenderRequest r = ParseRenderCommand(
        {"--render", "3", "--screen", "1280x1024", "--out", "/tmp/a.png", "album.kpa"});
    EXPECT_EQ(r.Spread, 3);
    EXPECT_EQ(r.Screen, QSize(1280, 1024));
    EXPECT_EQ(r.Out, "/tmp/a.png");
    EXPECT_EQ(r.Album, "album.kpa");
    EXPECT_TRUE(IsRenderCommand({"--render", "0"}));
    EXPECT_FALSE(IsRenderCommand({"album.kpa"}));
}

TEST(HeadlessView, TakesThePixelRatio) {
    const RenderRequest r = ParseRenderCommand(
        {"--render", "3", "--screen", "1280x1024", "--scale", "1.5", "--out", "a.png", "a.kpa"});
    EXPECT_EQ(r.Scale, 1.5);
    for (const char* bad : {"0.5", "x", "5", "nan", "-2"})
        EXPECT_THROW((void)ParseRenderCommand({"--render", "0", "--screen", "800x600", "--scale",
                                               bad, "--out", "a.png", "a.kpa"}),
                     KrelError)
            << bad;
    EXPECT_THROW((void)ParseRenderCommand({"--render", "0", "--screen", "9000x600", "--scale", "2",
                                           "--out", "a.png", "a.kpa"}),
                 KrelError);
}

namespace {

// A photograph with detail down to a few pixels: rings of rising frequency.
QImage DetailedPhoto(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const double dx = x - size.width() / 2.0, dy = y - size.height() / 2.0;
            const double d2 = (dx * dx + dy * dy) / 2500.0;
            const int v = static_cast<int>(128 + 100 * std::sin(d2));
            image.setPixel(x, y, qRgb(v, (v + x / 8) % 256, 255 - v));
        }
    }
    return image;
}

double Psnr(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += d * d;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

} // namespace

TEST(HeadlessView, RendersPicturesAtTheDevicePixelsOfTheScale) {
    RenderFixture f;
    const QString photo = f.folder.File("pictures/p0.jpg");
    ASSERT_TRUE(DetailedPhoto(QSize(1600, 1200)).save(photo, "jpg", 95));
    // The picture's place on the screen, as the view lays it out for 800 x 600.
    const PageRects pages = PageRectsFor(800, 600, SelektSizePage(800));
    const PageFrames frames = FramesFor(1, pages.Left.Width(), pages.Left.Height());
    const TRect onScreen = OnScreen(Dimension(QSize(1600, 1200), frames.Left1), pages.Left);
    auto render = [&](double scale) {
        RenderRequest request = f.Request(2);
        request.Scale = scale;
        RenderAlbumView(request, f.folder.Path());
        QImage shot(request.Out);
        EXPECT_EQ(shot.size(), DeviceSize(QSize(800, 600), scale));
        return shot;
    };
    const TRect device = DeviceRect(onScreen, 2.0);
    const QImage reference = LoadPictureScaled(photo, RectSize(device));
    const QImage sharp = render(2.0).copy(ToQRect(device));
    const QImage enlarged = render(1.0)
                                .scaled(DeviceSize(QSize(800, 600), 2.0), Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation)
                                .copy(ToQRect(device));
    const double sharpDb = Psnr(sharp, reference);
    const double enlargedDb = Psnr(enlarged, reference);
    EXPECT_GE(sharpDb, 35.0);
    EXPECT_LT(enlargedDb, sharpDb - 6.0) << enlargedDb;
}

TEST(HeadlessView, RefusesBadCommandLines) {
    const QStringList bad[] = {
        {"--render"},
        {"--render", "x", "--screen", "800x600", "--out", "a.png", "a.kpa"},
        {"--render", "-1", "--screen", "800x600", "--out", "a.png", "a.kpa"},
        {"--render", "0", "--screen", "800", "--out", "a.png", "a.kpa"},
        {"--render", "0", "--screen", "0x600", "--out", "a.png", "a.kpa"},
        {"--render", "0", "--out", "a.png", "a.kpa"},
        {"--render", "0", "--screen", "800x600", "a.kpa"},
        {"--render", "0", "--screen", "800x600", "--out", "a.png"},
        {"--render", "0", "--screen", "800x600", "--out", "a.png", "a.kpa", "b.kpa"},
        {"--render", "0", "--screen", "800x600", "--out", "a.png", "--quality", "a.kpa"},
    };
    for (const QStringList& args : bad)
        EXPECT_THROW((void)ParseRenderCommand(args), KrelError) << args.join(' ').toStdString();
}

TEST(HeadlessView, WritesTheSpreadAsTheWindowShowsIt) {
    RenderFixture f;
    RenderAlbumView(f.Request(0), f.folder.Path());
    const QImage cover(f.folder.Path() + "view.png");
    ASSERT_EQ(cover.size(), QSize(800, 600));
    EXPECT_EQ(cover.pixel(10, 10), QColor(Qt::black).rgb());
    EXPECT_EQ(cover.pixel(200, 300), QColor(Qt::black).rgb()); // the black left page
    EXPECT_TRUE(Near(cover.pixel(600, 300), Cover));

    // A picture spread, against the window's own picture of the same album.
    RenderAlbumView(f.Request(2), f.folder.Path());
    const QImage rendered(f.folder.Path() + "view.png");
    // The window starts from an empty thumbnail cache too: both decode the pictures themselves
    // (an entry kept on disk is a JPEG, not the same bits).
    QTemporaryDir windowCache;
    const QByteArray testCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(windowCache.path()));
    const auto restore = qScopeGuard([&] { qputenv("XDG_CACHE_HOME", testCache); });
    ScriptedDialogs dialogs;
    AlbumSession session;
    AppContext context;
    context.ProgramFolder = f.folder.Path();
    context.Dialogs = &dialogs;
    context.Session = &session;
    NullProgress progress;
    context.ProgressWindow = &progress;
    TGraph graph(context, QSize(800, 600));
    QImage shown;
    context.ShowAlbumView = [&] {
        graph.show();
        session.CurrentSpread = 2;
        graph.Book().Redraw();
        shown = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
        session.AlbumSaved = true;
        graph.close();
    };
    ASSERT_EQ(OpenAlbum(context, f.album), LoadResult::Shown);
    const QRect pages =
        ToQRect(session.Album.LeftPageRect).united(ToQRect(session.Album.RightPageRect));
    EXPECT_EQ(rendered.convertToFormat(QImage::Format_RGB32).copy(pages), shown.copy(pages));
}

TEST(HeadlessView, FailsOnASpreadOutsideTheAlbumOrAMissingFile) {
    RenderFixture f;
    EXPECT_THROW(RenderAlbumView(f.Request(5), f.folder.Path()), KrelError); // spreads 0 .. 4
    RenderRequest missing = f.Request(0);
    missing.Album = f.folder.Path() + "none.kpa";
    EXPECT_THROW(RenderAlbumView(missing, f.folder.Path()), KrelError);
    RenderRequest unwritable = f.Request(0);
    unwritable.Out = f.folder.Path() + "no/such/folder/view.png";
    EXPECT_THROW(RenderAlbumView(unwritable, f.folder.Path()), KrelError);
}
