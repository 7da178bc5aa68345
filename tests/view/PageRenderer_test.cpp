#include "tests/view/BookFixture.h"
#include "view/PageRenderer.h"

#include <gtest/gtest.h>

// Pages of 333 x 499 (an 800 x 600 desktop): W = 333, H = 499.
namespace {

bool Same(QRgb pixel, QColor colour) {
    return pixel == colour.rgb();
}

// Dark enough to be black text (anti-aliased edges excluded), or reddish text.
bool Dark(QRgb p) {
    return qGray(p) < 90 && qRed(p) < 120;
}
bool Reddish(QRgb p) {
    return qRed(p) > 160 && qGreen(p) < 90 && qBlue(p) < 90;
}

int CountIn(const QImage& image, const QRect& r, bool (*pred)(QRgb)) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += pred(image.pixel(x, y)) ? 1 : 0;
    return n;
}

bool AllOf(const QImage& image, const QRect& r, QColor colour) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (!Same(image.pixel(x, y), colour))
                return false;
    return true;
}

QPoint Centre(const TRect& r) {
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// The dark pixels of text drawn at (x, y) on a plain background, as a set of points.
QVector<QPoint> TextPixels(QSize size, int x, int y, const QString& text, int points, bool bold,
                           QColor background = Qt::white) {
    QImage image = Plain(size, background);
    CanvasState st;
    st.BrushClear = true;
    st.FontSize = points;
    st.FontBold = bold;
    PageCanvas(image, st).TextOut(x, y, text);
    QVector<QPoint> dark;
    for (int j = 0; j < size.height(); ++j)
        for (int i = 0; i < size.width(); ++i)
            if (Dark(image.pixel(i, j)))
                dark.push_back({i, j});
    return dark;
}

QVector<QPoint> DarkPixels(const QImage& image, const QRect& r) {
    QVector<QPoint> dark;
    for (int j = r.top(); j <= r.bottom(); ++j)
        for (int i = r.left(); i <= r.right(); ++i)
            if (Dark(image.pixel(i, j)))
                dark.push_back({i - r.left(), j - r.top()});
    return dark;
}

} // namespace

TEST(PageRenderer, PagesAreOfTheLeftPageRectangle) {
    BookFixture f(4, 2);
    EXPECT_EQ(f.album().LeftPage.size(), QSize(333, 499));
    EXPECT_EQ(f.album().TurnBuffer.size(), QSize(333, 499));
}

TEST(PageRenderer, CoversFaceBlackPages) {
    BookFixture f(4, 2);
    const QRect all(0, 0, 333, 499);
    f.Show(0);
    EXPECT_TRUE(AllOf(f.album().LeftPage, all, Qt::black));
    EXPECT_TRUE(AllOf(f.album().RightPage, all, CoverColour));
    f.Show(f.album().SpreadCount + 1);
    EXPECT_TRUE(AllOf(f.album().LeftPage, all, BackColour));
    EXPECT_TRUE(AllOf(f.album().RightPage, all, Qt::black));
}

TEST(PageRenderer, SpreadOutsideTheAlbumKeepsThePages) {
    BookFixture f(4, 2);
    f.Show(0);
    const QImage left = f.album().LeftPage.copy();
    const QImage right = f.album().RightPage.copy();
    f.Show(f.album().SpreadCount + 2);
    EXPECT_EQ(f.album().LeftPage, left);
    EXPECT_EQ(f.album().RightPage, right);
}

TEST(PageRenderer, ContentsCellsAreWhiteWithGreyFrames) {
    // 25 entries: 20 cells on the left page, 5 on the right page in its first column. The first
    // right-page cell after start-up is as white as the others.
    BookFixture f(25, 2);
    f.Show(1);
    const TAlbum& a = f.album();
    for (int i = 0; i < 20; ++i) {
        const TRect cell = a.Index[i].CellRect;
        const TRect thumb = a.Index[i].FotoRect;
        SCOPED_TRACE(i);
        const bool onRight = i < 5;
        for (const QImage* page : {&a.LeftPage, &a.RightPage}) {
            const bool drawn = page == &a.LeftPage || onRight;
            // Just inside the frame at its top left: white (layout 2 thumbnails are wide and
            // centred, leaving white above them).
            const QRgb inner = page->pixel(cell.Left + 2, cell.Top + 2);
            EXPECT_TRUE(
                Same(inner, drawn ? Qt::white : (page == &a.LeftPage ? LeftColour : RightColour)));
            if (!drawn)
                continue;
            EXPECT_TRUE(Same(page->pixel(cell.Left, cell.Top + 3), PageGrey));
            EXPECT_TRUE(Same(page->pixel(cell.Right - 1, cell.Top + 3), PageGrey));
            EXPECT_TRUE(Same(page->pixel(cell.Left + 3, cell.Top), PageGrey));
            EXPECT_TRUE(Same(page->pixel(cell.Left + 3, cell.Bottom - 1), PageGrey));
            // The line over the label strip.
            EXPECT_TRUE(Same(page->pixel(cell.Right - 3, cell.Bottom - 499 / 32), PageGrey));
            // Just outside the cell: the background.
            EXPECT_TRUE(Same(page->pixel(cell.Right, cell.Top + 3),
                             page == &a.LeftPage ? LeftColour : RightColour));
            EXPECT_TRUE(Same(page->pixel(Centre(thumb).x(), Centre(thumb).y()), PictureColour));
        }
    }
}

TEST(PageRenderer, ContentsLabelsNameThePictureSPage) {
    // With one contents spread the first picture pages are 3 and 4: in layout 2 picture 0 stands
    // on page 3, picture 2 on page 4 and picture 4 on page 5.
    struct Case {
        int orientation;
        int entry;
        int page;
    };
    const Case cases[] = {{2, 0, 3}, {2, 1, 3}, {2, 2, 4}, {2, 3, 4}, {2, 4, 5},
                          {1, 0, 3}, {1, 1, 4}, {1, 2, 5}, {1, 5, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.orientation << " entry " << c.entry);
        BookFixture f(6, c.orientation);
        EXPECT_EQ(ContentsLabelPage(f.album(), c.entry), c.page);
        f.Show(1);
        const TRect cell = f.album().Index[c.entry].CellRect;
        const int stripHeight = 499 / 32;
        // The text is placed from the label strip's centre; compare the cell's dark pixels with
        // the label drawn alone at that place.
        const QRect area(cell.Left + 1, cell.Bottom - stripHeight + 1, cell.Width() - 2,
                         stripHeight - 2);
        const int x = cell.Width() / 2 - 25 - 1;
        const int y = stripHeight / 2 - 7 - 1;
        QVector<QPoint> expected =
            TextPixels(area.size(), x, y, QStringLiteral("Page: %1").arg(c.page), 8, true);
        EXPECT_FALSE(expected.isEmpty());
        EXPECT_EQ(DarkPixels(f.album().LeftPage, area), expected);
    }
}

TEST(PageRenderer, FootersShowContentOrPageNumbers) {
    BookFixture f(6, 2); // IndexPages 1, picture spreads 2 and 3
    const int h = 499;
    const QRect footer(333 / 2 - 25, h - h / 23, 60, h / 23);
    const QSize size(footer.width(), footer.height());
    struct Case {
        int spread;
        QString left;
        QString right;
        int x;
    };
    const Case cases[] = {{1, "Content", "Content", 0}, {2, "3", "4", 20}, {3, "5", "6", 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spread);
        f.Show(c.spread);
        EXPECT_EQ(DarkPixels(f.album().LeftPage, footer),
                  TextPixels(size, c.x, 0, c.left, 10, true, LeftColour));
        EXPECT_EQ(DarkPixels(f.album().RightPage, footer),
                  TextPixels(size, c.x, 0, c.right, 10, true, RightColour));
    }
}

TEST(PageRenderer, PicturesStandInTheirFramesAndMissingOnesLeaveThemEmpty) {
    BookFixture f(5, 2); // spread 3 holds only entry 4
    f.Show(2);
    const TAlbum& a = f.album();
    for (int i = 0; i < 4; ++i) {
        const QImage& page = i < 2 ? a.LeftPage : a.RightPage;
        const QPoint c = Centre(a.Fotos[i].Rect);
        EXPECT_TRUE(Same(page.pixel(c), PictureColour)) << i;
        EXPECT_TRUE(AllOf(page, ToQRect(a.Fotos[i].Rect), PictureColour)) << i;
    }
    f.Show(3);
    EXPECT_TRUE(AllOf(a.LeftPage, ToQRect(a.Fotos[4].Rect), PictureColour));
    EXPECT_TRUE(Same(a.LeftPage.pixel(Centre(a.LeftFrame2)), LeftColour));
    EXPECT_TRUE(Same(a.RightPage.pixel(Centre(a.RightFrame1)), RightColour));
    EXPECT_TRUE(Same(a.RightPage.pixel(Centre(a.RightFrame2)), RightColour));
}

TEST(PageRenderer, NoteLinesAndLabelsStandUnderEveryFrame) {
    // The last spread of layout 2 with one picture: the rules and "Notes:" under all four frames,
    // the one note in black beside its label, the other three notes empty.
    BookFixture f(5, 2);
    f.album().Fotos[4].Note = QStringLiteral("Seaside");
    f.album().Fotos[0].Note = QStringLiteral("Not on this spread");
    f.Show(3);
    const TAlbum& a = f.album();
    EXPECT_EQ(f.book.Renderer.CurrentNotes, QStringList({"Seaside", "", "", ""}));
    const int h = 499;
    struct Under {
        const QImage* page;
        TRect frame;
        bool note;
    };
    const Under frames[] = {{&a.LeftPage, a.LeftFrame1, true},
                            {&a.LeftPage, a.LeftFrame2, false},
                            {&a.RightPage, a.RightFrame1, false},
                            {&a.RightPage, a.RightFrame2, false}};
    for (const Under& u : frames) {
        SCOPED_TRACE(u.frame.Top);
        const QImage& page = *u.page;
        const TRect& fr = u.frame;
        for (int y : {fr.Bottom + h / 21, fr.Bottom + h / 13}) {
            // From frame left + H div 13 up to one pixel short of frame right - H div 13.
            EXPECT_TRUE(Same(page.pixel(fr.Left + h / 13, y), Qt::black));
            EXPECT_TRUE(Same(page.pixel(fr.Right - h / 13 - 1, y), Qt::black));
            EXPECT_FALSE(Same(page.pixel(fr.Right - h / 13, y), Qt::black));
            EXPECT_FALSE(Same(page.pixel(fr.Left + h / 13 - 1, y), Qt::black));
        }
        const int textTop = fr.Bottom + h / 21 + 1; // below the first rule
        const QRect label(fr.Left + h / 12, textTop, 45, 12);
        EXPECT_GT(CountIn(page, label, Reddish), 20);
        EXPECT_EQ(CountIn(page, label, Dark), 0);
        const QRect note(fr.Left + h / 12 + 50, textTop, 60, 12);
        EXPECT_EQ(CountIn(page, note, Dark) > 20, u.note);
        EXPECT_EQ(CountIn(page, note, Reddish), 0);
    }
}

TEST(PageRenderer, NotesAreRegularAndLabelsBold) {
    BookFixture f(2, 1);
    f.album().Fotos[0].Note = QStringLiteral("Notes:");
    f.Show(2);
    const TAlbum& a = f.album();
    const TRect& fr = a.LeftFrame1;
    const int h = 499;
    const QRect label(fr.Left + h / 12, fr.Bottom + h / 21 + 1, 48, 13);
    const QRect note = label.translated(50, 0);
    // The same word: the bold red label covers more pixels than the regular black note.
    EXPECT_GT(CountIn(a.LeftPage, label, Reddish), CountIn(a.LeftPage, note, Dark));
    EXPECT_GT(CountIn(a.LeftPage, note, Dark), 20);
}
