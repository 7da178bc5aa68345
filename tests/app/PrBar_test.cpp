#include "app/ui/PrBar.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <gtest/gtest.h>

TEST(PrBar, HasTheLayoutOfThePleaseWaitWindow) {
    TPrBar bar;
    EXPECT_EQ(bar.size(), QSize(150, 75));
    EXPECT_TRUE(bar.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(bar.Label()->text(), "Please wait ...");
    EXPECT_EQ(bar.Label()->pos(), QPoint(8, 8));
    EXPECT_EQ(bar.Bar()->geometry(), QRect(15, 30, 120, 15));
    EXPECT_FALSE(bar.isVisible());
}

TEST(PrBar, AdvancesByStepsWithinItsRange) {
    TPrBar bar;
    bar.SetRange(0, 10);
    bar.SetPosition(0);
    bar.Show();
    EXPECT_TRUE(bar.isVisible());
    bar.Advance(3);
    bar.Advance(4);
    EXPECT_EQ(bar.Position(), 7);
    bar.Advance(bar.Maximum() - bar.Position());
    EXPECT_EQ(bar.Position(), 10);
    bar.Advance(5);
    EXPECT_EQ(bar.Position(), 10);
    bar.SetRange(5, 8); // a position outside the new range is kept inside it
    EXPECT_EQ(bar.Position(), 8);
    bar.Close();
    EXPECT_FALSE(bar.isVisible());
}

TEST(PrBar, AdvanceLetsPendingEventsRun) {
    TPrBar bar;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    bar.Advance(1);
    EXPECT_TRUE(ran);
}
