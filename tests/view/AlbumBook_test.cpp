#include "tests/view/BookFixture.h"

#include <QPainter>
#include <gtest/gtest.h>

// Pages of 333 x 499 on an 800 x 600 desktop: LeftPageRect (68, 50, 401, 549) is 333 wide,
// RightPageRect (399, 50, 731, 549) 332 wide.

namespace {

// The screen as the window paints it.
QImage Screen(const AlbumBook& book) {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    book.Paint(p);
    return image;
}

QPoint ScreenCentre(const TRect& r, const TRect& page) {
    const TRect s = OnScreen(r, page);
    return {(s.Left + s.Right) / 2, (s.Top + s.Bottom) / 2};
}

} // namespace

TEST(PageTurn, ForwardFoldsTheRightPageThenUnfoldsTheLeftOne) {
    BookFixture f(4, 2);
    f.Show(0);
    TAlbum& a = f.album();
    const QImage oldLeft = a.LeftPage.copy();
    const QImage oldRight = a.RightPage.copy();
    ASSERT_TRUE(f.book.NextPage());
    EXPECT_EQ(f.session.CurrentSpread, 1);
    EXPECT_TRUE(f.book.Turning());
    EXPECT_EQ(a.TurnProgress, (TRect{0, 0, 333, 499}));
    // Before the first tick the screen still shows the old spread.
    EXPECT_EQ(f.book.ShownLeft(), oldLeft);
    EXPECT_EQ(f.book.ShownRight(), oldRight);

    // Phase 1: 23 ticks narrow the old right page from 333 to 0 pixels, 15 a tick.
    for (int t = 0; t < 23; ++t) {
        // The last tick of the phase is clamped to nothing.
        const int width = 333 - 15 * t - 15 <= 0 ? 0 : 333 - 15 * t;
        f.book.Tick();
        SCOPED_TRACE(t);
        EXPECT_EQ(&f.book.ShownRight(), &a.TurnBuffer);
        EXPECT_EQ(f.book.ShownLeft(), oldLeft);
        // The buffer: the old (cover) page squeezed into [0, width), the new page beyond it.
        if (width > 0) {
            EXPECT_EQ(a.TurnBuffer.pixel(width - 1, 250), CoverColour.rgb());
        }
        EXPECT_EQ(a.TurnBuffer.pixel(std::min(width, 332), 250),
                  width >= 333 ? CoverColour.rgb() : a.RightPage.pixel(width, 250));
    }
    EXPECT_EQ(a.TurnProgress.Left, 333); // phase 2 starts from the outer edge
    EXPECT_EQ(a.TurnBuffer, a.RightPage);

    // Phase 2: the new left page unfolds: widths 0, 15, ... 333, then a last tick.
    int ticks = 0;
    while (f.book.Turning()) {
        const int left = a.TurnProgress.Left - 15 <= 0 ? 0 : a.TurnProgress.Left;
        f.book.Tick();
        ++ticks;
        if (f.book.Turning()) {
            EXPECT_EQ(&f.book.ShownLeft(), &a.TurnBuffer);
            EXPECT_EQ(f.book.ShownRight(), a.RightPage);
            if (left > 0) { // left of the unfolding page: the old left page
                EXPECT_EQ(a.TurnBuffer.pixel(left - 1, 250), oldLeft.pixel(left - 1, 250));
            }
        }
    }
    EXPECT_EQ(23 + ticks, 47);
    // The last tick shows the whole new spread.
    EXPECT_EQ(a.TurnBuffer, a.LeftPage);
    EXPECT_EQ(&f.book.ShownLeft(), &a.LeftPage);
    EXPECT_EQ(&f.book.ShownRight(), &a.RightPage);
    EXPECT_FALSE(f.book.TurnTimer().isActive());
}

TEST(PageTurn, BackwardFoldsTheLeftPageThenUnfoldsTheRightOne) {
    BookFixture f(4, 2);
    f.Show(2);
    TAlbum& a = f.album();
    const QImage oldRight = a.RightPage.copy();
    ASSERT_TRUE(f.book.PreviousPage());
    EXPECT_EQ(f.session.CurrentSpread, 1);
    QVector<int> lefts;
    QVector<int> rights;
    int ticks = 0;
    bool sawRightPhase = false;
    while (f.book.Turning()) {
        const int left = a.TurnProgress.Left;
        f.book.Tick();
        ++ticks;
        if (!f.book.Turning())
            break;
        if (&f.book.ShownLeft() == &a.TurnBuffer) {
            EXPECT_FALSE(sawRightPhase);
            EXPECT_EQ(f.book.ShownRight(), oldRight);
            lefts.push_back(left);
            // Left of the folding page: the new left page.
            if (left > 0 && left < 333) {
                EXPECT_EQ(a.TurnBuffer.pixel(left - 1, 250), a.LeftPage.pixel(left - 1, 250));
            }
        } else {
            sawRightPhase = true;
            EXPECT_EQ(&f.book.ShownRight(), &a.TurnBuffer);
            EXPECT_EQ(f.book.ShownLeft(), a.LeftPage);
            rights.push_back(a.TurnProgress.Right - 15);
        }
    }
    EXPECT_EQ(ticks, 46);
    EXPECT_EQ(lefts.front(), 0);
    EXPECT_EQ(lefts.size(), 23);
    EXPECT_EQ(rights.front(), 0);
    EXPECT_EQ(&f.book.ShownLeft(), &a.LeftPage);
    EXPECT_EQ(&f.book.ShownRight(), &a.RightPage);
}

TEST(PageTurn, RefusedAtTheEndsAndWhileTurning) {
    BookFixture f(4, 2); // spreads 0 .. 3
    f.Show(0);
    EXPECT_FALSE(f.book.PreviousPage());
    EXPECT_EQ(f.sounds, 0);
    ASSERT_TRUE(f.book.NextPage());
    EXPECT_FALSE(f.book.NextPage()); // a second press falls into the running turn
    EXPECT_FALSE(f.book.PreviousPage());
    EXPECT_EQ(f.session.CurrentSpread, 1);
    EXPECT_EQ(f.sounds, 1);
    f.FinishTurn();
    f.Show(f.album().SpreadCount + 1);
    EXPECT_FALSE(f.book.NextPage());
    EXPECT_EQ(f.session.CurrentSpread, 3);
    EXPECT_EQ(f.sounds, 1);
}

TEST(AlbumBook, ToContentJumpsAtOnceEvenWhileTurning) {
    BookFixture f(4, 2);
    f.Show(0);
    ASSERT_TRUE(f.book.NextPage());
    f.book.Tick();
    ASSERT_TRUE(f.book.NextPage() == false);
    f.session.CurrentSpread = 2;
    f.book.ToContent();
    EXPECT_EQ(f.session.CurrentSpread, 1);
    EXPECT_FALSE(f.book.Turning());
    EXPECT_EQ(f.sounds, 1);
    // The screen shows the contents spread, and a page turn is possible again.
    EXPECT_EQ(&f.book.ShownLeft(), &f.album().LeftPage);
    EXPECT_EQ(f.album().LeftPage.pixel(5, 5), LeftColour.rgb());
    EXPECT_TRUE(f.book.NextPage());
}

TEST(AlbumBook, ContentsCellJumpsToThePictureSSpread) {
    struct Case {
        int count;
        int orientation;
        int entry;
        int spread;
    };
    // Picture 5 of layout 1 with one contents spread stands on spread 1 + 5 div 2 + 1 = 4.
    const Case cases[] = {
        {8, 1, 5, 4}, {8, 1, 0, 2}, {8, 2, 5, 3}, {30, 2, 23, 7}, {30, 1, 27, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " " << c.orientation << " " << c.entry);
        BookFixture f(c.count, c.orientation);
        f.Show(1);
        const TAlbum& a = f.album();
        const bool right = c.entry >= 20;
        const TRect cell = a.Index[c.entry % 20].CellRect;
        const QPoint p = ScreenCentre(cell, right ? a.RightPageRect : a.LeftPageRect);
        EXPECT_TRUE(f.book.ContentsJump(p));
        EXPECT_EQ(f.session.CurrentSpread, c.spread);
        EXPECT_EQ(f.sounds, 0);
        EXPECT_FALSE(f.book.Turning());
    }
}

TEST(AlbumBook, ContentsClickOutsideCellsDoesNothing) {
    BookFixture f(25, 1);
    f.Show(1);
    const TAlbum& a = f.album();
    const TRect cell = OnScreen(a.Index[0].CellRect, a.LeftPageRect);
    const TRect emptyCell = OnScreen(a.Index[7].CellRect, a.RightPageRect); // entry 27: none
    for (QPoint p :
         {QPoint(cell.Left, cell.Top + 5), QPoint(cell.Left + 5, cell.Top), QPoint(5, 5),
          QPoint((emptyCell.Left + emptyCell.Right) / 2, (emptyCell.Top + emptyCell.Bottom) / 2)}) {
        EXPECT_FALSE(f.book.ContentsJump(p)) << p.x() << "," << p.y();
        EXPECT_EQ(f.session.CurrentSpread, 1);
    }
    // Not on a picture spread either.
    f.Show(2);
    EXPECT_FALSE(f.book.ContentsJump(QPoint(cell.Left + 5, cell.Top + 5)));
}

TEST(AlbumBook, PictureUnderThePointOnlyWhereOneStands) {
    BookFixture f(5, 2); // spread 3: only entry 4, in LeftFrame1
    const TAlbum& a = f.album();
    const QPoint left1 = ScreenCentre(a.LeftFrame1, a.LeftPageRect);
    const QPoint left2 = ScreenCentre(a.LeftFrame2, a.LeftPageRect);
    const QPoint right2 = ScreenCentre(a.RightFrame2, a.RightPageRect);
    f.Show(2);
    EXPECT_EQ(f.book.PictureAt(left1), 0);
    EXPECT_EQ(f.book.PictureAt(left2), 1);
    EXPECT_EQ(f.book.PictureAt(right2), 3);
    // The whole frame counts, not only the fitted picture; its edge does not.
    const TRect frame = OnScreen(a.LeftFrame1, a.LeftPageRect);
    EXPECT_EQ(f.book.PictureAt(QPoint(frame.Left + 1, frame.Top + 1)), 0);
    EXPECT_EQ(f.book.PictureAt(QPoint(frame.Left, frame.Top + 1)), std::nullopt);
    f.Show(3);
    EXPECT_EQ(f.book.PictureAt(left1), 4);
    EXPECT_EQ(f.book.PictureAt(left2), std::nullopt);
    for (int spread : {0, 1, 4}) {
        f.Show(spread);
        EXPECT_EQ(f.book.PictureAt(left1), std::nullopt) << spread;
    }
}

TEST(AlbumBook, ScreenShowsBothPagesTheRightOneSqueezed) {
    BookFixture f(4, 2);
    f.Show(f.album().SpreadCount + 1); // back cover left, black right
    const QImage screen = Screen(f.book);
    EXPECT_EQ(screen.pixel(68, 50), BackColour.rgb());
    EXPECT_EQ(screen.pixel(398, 548), BackColour.rgb());
    EXPECT_EQ(screen.pixel(67, 50), QColor(Qt::black).rgb());
    f.Show(0); // black left, cover right up to x = 730
    const QImage cover = Screen(f.book);
    EXPECT_EQ(cover.pixel(730, 300), CoverColour.rgb());
    EXPECT_EQ(cover.pixel(731, 300), QColor(Qt::black).rgb());
    EXPECT_EQ(cover.pixel(399, 549), QColor(Qt::black).rgb());
}

TEST(AlbumBook, StepsAskedDuringATurnAreKeptOneAtMost) {
    BookFixture f(12, 2); // spreads 0 .. 5
    f.Show(1);
    f.book.Go(AlbumBook::Step::Next);
    ASSERT_TRUE(f.book.Turning());
    // Held keys repeat during the turn: one step is kept, the latest.
    f.book.Go(AlbumBook::Step::Next);
    f.book.Go(AlbumBook::Step::Next);
    EXPECT_EQ(f.book.PendingStep(), AlbumBook::Step::Next);
    EXPECT_EQ(f.session.CurrentSpread, 2);
    // The kept step begins the next turn on the first one's last tick.
    while (f.session.CurrentSpread == 2 && f.book.Turning())
        f.book.Tick();
    EXPECT_EQ(f.session.CurrentSpread, 3);
    EXPECT_TRUE(f.book.Turning());
    EXPECT_FALSE(f.book.PendingStep());
    f.FinishTurn();
    EXPECT_EQ(f.session.CurrentSpread, 3);
    f.book.Go(AlbumBook::Step::Next);
    f.book.Go(AlbumBook::Step::Previous); // the latest wins
    f.FinishTurn();
    EXPECT_EQ(f.session.CurrentSpread, 3);
    EXPECT_FALSE(f.book.Turning());
    EXPECT_EQ(f.sounds, 4);
    // A jump drops a kept step.
    f.book.Go(AlbumBook::Step::Next);
    f.book.Go(AlbumBook::Step::Next);
    f.book.ToContent();
    EXPECT_FALSE(f.book.PendingStep());
    EXPECT_EQ(f.FinishTurn(), 0);
    EXPECT_EQ(f.session.CurrentSpread, 1);
    EXPECT_EQ(f.sounds, 5);
}

TEST(AlbumBook, FirstAndLastTurnOneStepAndJumpFurther) {
    struct Case {
        int from;
        AlbumBook::Step step;
        int to;
        bool turns; // animated with sound, else a jump or nothing
    };
    // 12 pictures in layout 2: front cover 0, contents 1, pictures 2 .. 4, back cover 5.
    const Case cases[] = {
        {1, AlbumBook::Step::First, 0, true},  {3, AlbumBook::Step::First, 0, false},
        {5, AlbumBook::Step::First, 0, false}, {0, AlbumBook::Step::First, 0, false},
        {4, AlbumBook::Step::Last, 5, true},   {1, AlbumBook::Step::Last, 5, false},
        {0, AlbumBook::Step::Last, 5, false},  {5, AlbumBook::Step::Last, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << int(c.step));
        BookFixture f(12, 2);
        f.Show(c.from);
        f.book.Go(c.step);
        EXPECT_EQ(f.session.CurrentSpread, c.to);
        EXPECT_EQ(f.book.Turning(), c.turns);
        EXPECT_EQ(f.sounds, c.turns ? 1 : 0);
        f.FinishTurn();
        // Either way the screen ends on the new spread's own page images.
        EXPECT_EQ(&f.book.ShownLeft(), &f.album().LeftPage);
        EXPECT_EQ(&f.book.ShownRight(), &f.album().RightPage);
        const QRgb expected = c.to == 0 ? CoverColour.rgb() : QColor(Qt::black).rgb();
        EXPECT_EQ(f.album().RightPage.pixel(5, 5), expected);
    }
}
