#include "platform/DeviceGrid.h"
#include "tests/view/BookFixture.h"
#include "view/PageCanvas.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

// The book drawn at the pixel ratios of today's screens: every rectangle of the layout lands on
// the device pixel grid with its borders and rules whole, as thick as one logical pixel.

namespace {

const double Ratios[] = {1.0, 1.25, 1.5, 2.0, 3.0};
const int DesktopWidths[] = {800, 1024, 1280}; // pages 332, 426 and 545 wide

// A book of count pictures on a desktop of width dw, its pages made at ratio.
struct ScaledBook {
    AlbumSession session;
    AlbumBook book{session};
    ScaledBook(int count, int orientation, int dw, double ratio) {
        FillAlbum(session, count, orientation, QSize(400, 300), dw, dw * 3 / 4);
        book.CreatePages(ratio);
    }
};

bool IsGrey(QRgb p) {
    return p == PageGrey.rgb();
}

} // namespace

TEST(DeviceGrid, CoordinatesRoundOnceAndHalvesGoUp) {
    struct Case {
        int logical;
        double ratio;
        int device;
    } cases[] = {{3, 1.5, 5}, {-1, 1.5, -1}, {1, 1.25, 1}, {2, 1.25, 3}, {545, 3.0, 1635}};
    for (const Case& c : cases)
        EXPECT_EQ(DevicePx(c.logical, c.ratio), c.device) << c.logical << " " << c.ratio;
    for (double r : Ratios)
        for (int w = 300; w < 900; ++w)
            ASSERT_EQ(LogicalSize(DeviceSize(QSize(w, w), r), r), QSize(w, w)) << w << " " << r;
    EXPECT_EQ(DeviceLineWidth(1, 1.25), 1);
    EXPECT_EQ(DeviceLineWidth(1, 2.0), 2);
    EXPECT_EQ(BookPixelRatio(0.5), 1.0);
    EXPECT_EQ(BookPixelRatio(1.5), 1.5);
}

TEST(DeviceGrid, EveryContentsCellKeepsItsFourBordersAndItsLabelLine) {
    for (int dw : DesktopWidths) {
        for (double r : Ratios) {
            SCOPED_TRACE(testing::Message() << dw << " at " << r);
            ScaledBook b(40, 1, dw, r);
            b.session.CurrentSpread = 1;
            b.book.DrawFon();
            const TAlbum& a = b.session.Album;
            const int t = DeviceLineWidth(1, r);
            const int strip = LabelStripHeight(b.session.PageHeight);
            for (const QImage* page : {&a.LeftPage, &a.RightPage}) {
                ASSERT_EQ(page->size(),
                          DeviceSize(QSize(a.LeftPageRect.Width(), a.LeftPageRect.Height()), r));
                for (int e = 0; e < EntriesPerContentsPage; ++e) {
                    const TRect d = DeviceRect(a.Index[e].CellRect, r);
                    const int stripTop = DevicePx(a.Index[e].CellRect.Bottom - strip, r);
                    for (int k = 0; k < t; ++k) {
                        for (int x = d.Left; x < d.Right; ++x) {
                            ASSERT_TRUE(IsGrey(page->pixel(x, d.Top + k))) << e << " top " << x;
                            ASSERT_TRUE(IsGrey(page->pixel(x, d.Bottom - 1 - k))) << e << " bottom";
                            ASSERT_TRUE(IsGrey(page->pixel(x, stripTop + k))) << e << " label";
                        }
                        for (int y = d.Top; y < d.Bottom; ++y) {
                            ASSERT_TRUE(IsGrey(page->pixel(d.Left + k, y))) << e << " left " << y;
                            ASSERT_TRUE(IsGrey(page->pixel(d.Right - 1 - k, y))) << e << " right";
                        }
                    }
                    // Just inside the borders the label strip is white: the lines are one
                    // logical pixel thick, not more.
                    EXPECT_EQ(page->pixel(d.Left + t, stripTop + t), PageWhite.rgb()) << e;
                    EXPECT_EQ(page->pixel(d.Right - 1 - t, stripTop + t), PageWhite.rgb()) << e;
                    // Just outside, the page background.
                    EXPECT_FALSE(IsGrey(page->pixel(d.Left - 1, d.Top + t))) << e;
                }
            }
        }
    }
}

TEST(DeviceGrid, NoteRulesStopOnePixelShortAndPicturesFillTheirRectangles) {
    for (double r : Ratios) {
        SCOPED_TRACE(r);
        ScaledBook b(4, 2, 800, r);
        TAlbum& a = b.session.Album;
        b.session.CurrentSpread = a.IndexPages + 1;
        b.book.DrawFon();
        const int t = DeviceLineWidth(1, r);
        const int h = a.LeftPageRect.Height();
        const TRect frame = a.LeftFrame1;
        for (int below : {h / 21, h / 13}) {
            const int y = DevicePx(frame.Bottom + below, r);
            const int first = DevicePx(frame.Left + h / 13, r);
            const int end = DevicePx(frame.Right - h / 13, r); // the end pixel is left out
            for (int k = 0; k < t; ++k) {
                EXPECT_EQ(a.LeftPage.pixel(first, y + k), PageBlack.rgb());
                EXPECT_EQ(a.LeftPage.pixel(end - 1, y + k), PageBlack.rgb());
            }
            EXPECT_EQ(a.LeftPage.pixel(end, y), LeftColour.rgb());
            EXPECT_EQ(a.LeftPage.pixel(end - 1, y + t), LeftColour.rgb());
            EXPECT_EQ(a.LeftPage.pixel(first - 1, y), LeftColour.rgb());
        }
        // The picture covers its rectangle's device pixels exactly.
        const TRect p = DeviceRect(a.Fotos[0].Rect, r);
        EXPECT_EQ(a.LeftPage.pixel(p.Left, p.Top), PictureColour.rgb());
        EXPECT_EQ(a.LeftPage.pixel(p.Right - 1, p.Bottom - 1), PictureColour.rgb());
        EXPECT_EQ(a.LeftPage.pixel(p.Left - 1, p.Top), LeftColour.rgb());
        EXPECT_EQ(a.LeftPage.pixel(p.Right, p.Bottom - 1), LeftColour.rgb());
    }
}

TEST(DeviceGrid, TurnTakesTheSameTicksAtEveryRatio) {
    std::vector<int> ticks;
    for (double r : Ratios) {
        ScaledBook b(8, 2, 1280, r);
        b.session.CurrentSpread = 2;
        b.book.Redraw();
        b.book.Go(AlbumBook::Step::Next);
        int n = 0;
        while (b.book.Turning() && n < 1000) {
            b.book.Tick();
            ++n;
        }
        ticks.push_back(n);
        EXPECT_EQ(b.session.CurrentSpread, 3) << r;
    }
    for (int n : ticks)
        EXPECT_EQ(n, ticks.front());
    EXPECT_NEAR(ticks.front(), 2 * 546 / PageTurn::StepPixels, 4);
}

TEST(DeviceGrid, TheScreenShowsTheRightPageWholeAtEveryRatio) {
    // The right page image is wider than its place on the screen; what is left out lies in the
    // margin at the spine, so every contents cell keeps its left border on the screen.
    for (int dw : DesktopWidths) {
        for (double r : Ratios) {
            SCOPED_TRACE(testing::Message() << dw << " at " << r);
            ScaledBook b(40, 1, dw, r);
            b.session.CurrentSpread = 1;
            b.book.Redraw();
            const TAlbum& a = b.session.Album;
            const QSize screenSize = DeviceSize(QSize(dw, dw * 3 / 4), r);
            QImage screen(screenSize, QImage::Format_RGB32);
            screen.fill(Qt::black);
            QPainter painter(&screen);
            b.book.Paint(painter);
            painter.end();
            const TRect page = DeviceRect(a.RightPageRect, r);
            const int extra = a.RightPage.width() - page.Width();
            for (int e = 0; e < EntriesPerContentsPage; ++e) {
                const TRect cell = DeviceRect(a.Index[e].CellRect, r);
                const int y = (cell.Top + cell.Bottom) / 2;
                // Right of the dropped columns every image column moves left by `extra`.
                const int left = page.Left + cell.Left - extra;
                EXPECT_TRUE(IsGrey(screen.pixel(left, page.Top + y))) << e;
                EXPECT_TRUE(IsGrey(screen.pixel(left + cell.Width() - 1, page.Top + y))) << e;
                EXPECT_FALSE(IsGrey(screen.pixel(left - 1, page.Top + y))) << e;
            }
        }
    }
}

TEST(PageText, LabelsStayInsideTheirCellsAndNotesOnTheirLines) {
    for (int dw : DesktopWidths) {
        for (double r : {1.0, 1.5, 2.0}) {
            SCOPED_TRACE(testing::Message() << dw << " at " << r);
            ScaledBook b(40, 1, dw, r);
            TAlbum& a = b.session.Album;
            // Far into a long album the labels have three digits ("Page: 121").
            a.IndexPages = 60;
            a.SpreadCount += 59;
            b.session.CurrentSpread = 1;
            b.book.DrawFon();
            const int strip = LabelStripHeight(b.session.PageHeight);
            const int t = DeviceLineWidth(1, r);
            for (const QImage* page : {&a.LeftPage, &a.RightPage}) {
                const QRgb background = page == &a.LeftPage ? LeftColour.rgb() : RightColour.rgb();
                for (int e = 0; e < EntriesPerContentsPage; ++e) {
                    const TRect d = DeviceRect(a.Index[e].CellRect, r);
                    const int top = DevicePx(a.Index[e].CellRect.Bottom - strip, r) + t;
                    bool text = false;
                    for (int y = top; y < d.Bottom - t; ++y) {
                        for (int k = 0; k < t; ++k) {
                            ASSERT_TRUE(IsGrey(page->pixel(d.Left + k, y))) << e;
                            ASSERT_TRUE(IsGrey(page->pixel(d.Right - 1 - k, y))) << e;
                        }
                        ASSERT_EQ(page->pixel(d.Right, y), background) << e;
                        // Nothing dark touches the border from inside.
                        ASSERT_GT(qGray(page->pixel(d.Right - 1 - t, y)), 200) << e;
                        for (int x = d.Left + t; x < d.Right - t; ++x)
                            text = text || qGray(page->pixel(x, y)) < 80;
                    }
                    EXPECT_TRUE(text) << e;
                }
                // The page numbers stay readable: labels of different pages ("Page: 121",
                // "Page: 140") are not both cut down to the same "Page: 1...".
                const auto label = [&](int e) {
                    const TRect d = DeviceRect(a.Index[e].CellRect, r);
                    const int top = DevicePx(a.Index[e].CellRect.Bottom - strip, r) + t;
                    return page->copy(d.Left + t, top, d.Width() - 2 * t, d.Bottom - t - top);
                };
                EXPECT_NE(label(0), label(EntriesPerContentsPage - 1));
            }
        }
    }
}

TEST(PageText, LongNotesAreCutShortAtTheEndOfTheirLine) {
    const QString longNote = QString(QStringLiteral("A long note about the picture. ")).repeated(7);
    for (int dw : DesktopWidths) {
        for (double r : {1.0, 2.0}) {
            SCOPED_TRACE(testing::Message() << dw << " at " << r);
            ScaledBook b(4, 2, dw, r);
            TAlbum& a = b.session.Album;
            a.Fotos[0].Note = longNote.left(200);
            b.session.CurrentSpread = a.IndexPages + 1;
            b.book.DrawFon();
            const int h = a.LeftPageRect.Height();
            const TRect f = a.LeftFrame1;
            const int end = DevicePx(f.Right - h / 13, r);
            for (int y = DevicePx(f.Bottom + h / 21, r) + 2 * DeviceLineWidth(1, r);
                 y < DevicePx(f.Bottom + h / 13, r); ++y) {
                for (int x = end; x < a.LeftPage.width(); ++x)
                    ASSERT_EQ(a.LeftPage.pixel(x, y), LeftColour.rgb()) << x << "," << y;
            }
            EXPECT_EQ(a.Fotos[0].Note.size(), 200); // the album keeps the whole note
        }
    }
}

TEST(PageText, TheLayoutFaceIsInstalledAndATwentyCharacterNoteFitsTheSmallestPage) {
    const QFontInfo face(PageFace());
    ASSERT_EQ(face.family(), "Liberation Sans")
        << "the page face comes from fonts-liberation; scripts/setup.sh installs it";
    ScaledBook b(4, 1, 800, 1.0);
    TAlbum& a = b.session.Album;
    const int h = a.LeftPageRect.Height();
    const TRect f = a.LeftFrame1;
    const int room = (f.Right - h / 13) - (f.Left + h / 12 + 50);
    const QFontMetrics metrics(PageFont(10, false));
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("Summer holiday 2024!")), room);
}
