#include "tests/view/BookFixture.h"
#include "view/Slideshow.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Slides until the show ends, letting each turn finish; returns the spreads shown after each.
QVector<int> RunToTheEnd(BookFixture& f, Slideshow& show) {
    QVector<int> spreads;
    for (int n = 0; show.Running() && n < 100; ++n) {
        show.Slide();
        f.FinishTurn();
        spreads.push_back(f.session.CurrentSpread);
    }
    return spreads;
}

} // namespace

TEST(Slideshow, ForwardRunsToTheBackCoverAndStops) {
    BookFixture f(6, 2); // spreads 0 .. 4
    f.Show(1);
    Slideshow show(f.book);
    QSignalSpy changes(&show, &Slideshow::RunningChanged);
    show.Start(true, 5);
    EXPECT_TRUE(show.Running());
    EXPECT_TRUE(show.Timer().isActive());
    EXPECT_EQ(show.Timer().interval(), 5000);
    EXPECT_EQ(RunToTheEnd(f, show), QVector<int>({2, 3, 4}));
    EXPECT_FALSE(show.Running());
    EXPECT_FALSE(show.Timer().isActive());
    EXPECT_EQ(changes.size(), 2);
    EXPECT_EQ(f.sounds, 3);
}

TEST(Slideshow, BackwardEndsOnTheFrontCoverShowingIt) {
    BookFixture f(6, 2);
    f.Show(4);
    Slideshow show(f.book);
    show.Start(false, 2);
    EXPECT_EQ(RunToTheEnd(f, show), QVector<int>({3, 2, 1, 0}));
    EXPECT_FALSE(show.Running());
    // State and screen agree: the front cover.
    EXPECT_EQ(f.session.CurrentSpread, 0);
    EXPECT_EQ(f.album().RightPage.pixel(100, 100), CoverColour.rgb());
}

TEST(Slideshow, StartedAtItsEndStopsAtTheFirstSlideWithoutTurning) {
    BookFixture f(6, 2);
    f.Show(4);
    Slideshow show(f.book);
    show.Start(true, 5);
    show.Slide();
    EXPECT_FALSE(show.Running());
    EXPECT_EQ(f.sounds, 0);
}

TEST(Slideshow, SlideDuringATurnIsSkippedAndTheShowGoesOn) {
    BookFixture f(6, 2);
    f.Show(0);
    Slideshow show(f.book);
    show.Start(true, 1);
    show.Slide();
    show.Slide(); // falls into the running turn
    EXPECT_EQ(f.session.CurrentSpread, 1);
    EXPECT_TRUE(show.Running());
    f.FinishTurn();
    // The user may navigate meanwhile; the show goes on from there.
    f.Show(3);
    show.Slide();
    EXPECT_EQ(f.session.CurrentSpread, 4);
    EXPECT_FALSE(show.Running());
}

TEST(Slideshow, IntervalOfZeroOrLessNeverTurns) {
    for (int interval : {0, -3}) {
        BookFixture f(6, 2);
        f.Show(1);
        Slideshow show(f.book);
        show.Start(true, interval);
        EXPECT_TRUE(show.Running());
        EXPECT_FALSE(show.Timer().isActive());
        show.Stop();
        EXPECT_FALSE(show.Running());
        EXPECT_EQ(f.session.CurrentSpread, 1);
    }
}

TEST(Slideshow, HugeIntervalDoesNotOverflow) {
    BookFixture f(6, 2);
    Slideshow show(f.book);
    show.Start(true, 3'000'000);
    EXPECT_GT(show.Timer().interval(), 0);
}

TEST(Slideshow, HeldShowTurnsNothingAndGoesOnWhenReleased) {
    BookFixture f(6, 2);
    f.Show(1);
    Slideshow show(f.book);
    show.Start(true, 5);
    show.Hold();
    show.Hold(); // a dialog opened from a question
    EXPECT_FALSE(show.Timer().isActive());
    show.Slide();
    EXPECT_EQ(f.session.CurrentSpread, 1);
    show.Release();
    EXPECT_FALSE(show.Timer().isActive());
    show.Release();
    EXPECT_TRUE(show.Timer().isActive());
    EXPECT_TRUE(show.Running());
    show.Release(); // an unmatched release changes nothing
    show.Hold();
    EXPECT_FALSE(show.Timer().isActive());
    show.Release();
    // Started while held, the show waits for the release; stopped while held, it stays stopped.
    show.Hold();
    show.Start(true, 5);
    EXPECT_FALSE(show.Timer().isActive());
    show.Stop();
    show.Release();
    EXPECT_FALSE(show.Timer().isActive());
    EXPECT_FALSE(show.Running());
}
