#include "app/ShapedRegion.h"
#include "app/ui/ShapedForm.h"
#include "app/ui/Splash.h"

#include "tests/support/Fixtures.h"

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A picture drawn from rows of characters: '.' is the corner colour, '#' black, 'o' another.
QImage Picture(const QStringList& rows, QImage::Format format = QImage::Format_RGB32) {
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QChar c = rows[y][x];
            image.setPixel(x, y,
                           c == '.'   ? qRgb(255, 255, 255)
                           : c == '#' ? qRgb(0, 0, 0)
                                      : qRgb(200, 30, 30));
        }
    return image.convertToFormat(format);
}

} // namespace

TEST(ShapedRegion, RunsFollowThePicture) {
    struct Case {
        const char* name;
        QStringList rows;
        QVector<TRect> runs;
    };
    const Case cases[] = {
        {"hole of the corner colour",
         {"....", ".##.", ".#.#"},
         {{1, 1, 3, 2}, {1, 2, 2, 3}, {3, 2, 4, 3}}},
        {"figure touching the right edge", {"..##", ".ooo"}, {{2, 0, 4, 1}, {1, 1, 4, 2}}},
        {"one colour", {"...", "..."}, {}},
        {"two runs in a row", {".#.o."}, {{1, 0, 2, 1}, {3, 0, 4, 1}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PictureRuns(Picture(c.rows)), c.runs) << c.name;
        // A palette picture gives the same runs.
        EXPECT_EQ(PictureRuns(Picture(c.rows, QImage::Format_Indexed8)), c.runs) << c.name;
    }
    EXPECT_TRUE(PictureRegion(Picture({"...", "..."})).isEmpty());
    EXPECT_TRUE(PictureRuns(QImage()).isEmpty());
}

TEST(ShapedRegion, OffsetMovesEveryRunAndTheStoreGrows) {
    EXPECT_EQ(PictureRuns(Picture({".#"}), QPoint(10, 20)), (QVector<TRect>{{11, 20, 12, 21}}));
    // A checkerboard of 400 x 200 needs 40,000 runs, beyond a fixed store of 25,000.
    QImage board(400, 200, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            board.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    EXPECT_EQ(PictureRuns(board).size(), 40000);
    const QRegion region = PictureRegion(board);
    EXPECT_TRUE(region.contains(QPoint(1, 0)));
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_TRUE(region.contains(QPoint(399, 0)) != region.contains(QPoint(399, 1)));
}

TEST(ShapedForm, MasksItsWindowAndMovesOnThePressRule) {
    QWidget form;
    form.resize(20, 20);
    auto* control = new TdxfShapedForm(&form);
    control->move(2, 3);
    control->SetPicture(Picture({"....", ".##.", ".#o."}));
    EXPECT_FALSE(control->PressMoves(QPoint(1, 1))); // not active yet
    control->SetActive(true);
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE((form.mask() ^ QRegion(3, 4, 2, 2)).isEmpty());

    control->SetAlwaysMove(false);
    EXPECT_TRUE(control->PressMoves(QPoint(1, 1)));  // black: the caption colour
    EXPECT_FALSE(control->PressMoves(QPoint(2, 2))); // red
    EXPECT_FALSE(control->PressMoves(QPoint(0, 0)));
    control->SetAlwaysMove(true);
    EXPECT_TRUE(control->PressMoves(QPoint(2, 2)));

    control->SetActive(false);
    EXPECT_TRUE(form.mask().isEmpty());
    EXPECT_FALSE(form.windowFlags() & Qt::FramelessWindowHint);
}

TEST(ShapedForm, OneColourPictureLeavesTheWindowWhole) {
    QWidget form;
    auto* control = new TdxfShapedForm(&form);
    control->SetPicture(Picture({"...", "..."}));
    control->SetActive(true);
    EXPECT_TRUE(form.mask().isEmpty());
}

TEST(Splash, IsShownCutToItsPicture) {
    TSplash splash;
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.size(), QSize(375, 255));
    EXPECT_FALSE(splash.mask().isEmpty());
    EXPECT_FALSE(splash.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(splash.mask().contains(QPoint(187, 127)));
    EXPECT_TRUE(splash.ShapedForm()->Active());
}

TEST(Splash, InstalledPictureOrTheBuiltInOne) {
    TempProgramFolder program;
    EXPECT_EQ(SplashPicture(program.Path()), BuiltInSplashPicture());
    WritePicture(program.File("GraphicRes/Splash.bmp"), 30, 20);
    EXPECT_EQ(SplashPicture(program.Path()).size(), QSize(30, 20));
}

TEST(ShapedForm, LeftPressOnTheCaptionColourStartsTheMove) {
    QWidget form;
    auto* control = new TdxfShapedForm(&form);
    control->SetPicture(Picture({"....", ".#o."}));
    control->SetActive(true);
    control->SetAlwaysMove(false);
    int moves = 0;
    QObject::connect(control, &TdxfShapedForm::MoveStarted, [&] { ++moves; });
    QTest::mousePress(control, Qt::LeftButton, Qt::NoModifier, QPoint(2, 1)); // red
    QTest::mousePress(control, Qt::RightButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(moves, 0);
    QTest::mousePress(control, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1)); // black
    EXPECT_EQ(moves, 1);
}

// Without a window manager's move (none here), the press drags the window itself until the release.
TEST(ShapedForm, DragsTheWindowWhereNoSystemMoveIsOffered) {
    QWidget form;
    form.resize(40, 40);
    form.move(100, 100);
    auto* control = new TdxfShapedForm(&form);
    control->SetPicture(Picture({"....", ".##.", ".##."}));
    control->SetActive(true);
    form.show();
    const QPoint start = form.pos();
    QTest::mousePress(control, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QMouseEvent drag(QEvent::MouseMove, QPointF(31, 21), control->mapToGlobal(QPointF(31, 21)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &drag);
    EXPECT_EQ(form.pos(), start + QPoint(30, 20));
    QTest::mouseRelease(control, Qt::LeftButton, Qt::NoModifier, QPoint(31, 21));
    // Moves after the release leave the window where it is.
    const QPoint dropped = form.pos();
    QMouseEvent hover(QEvent::MouseMove, QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &hover);
    EXPECT_EQ(form.pos(), dropped);
}
