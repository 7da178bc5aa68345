#include "OutputFixture.h"
#include "output/OutputRenderer.h"
#include "output/PrintLayout.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace {

constexpr int W = 600;
constexpr int H = 900;

struct CellCase {
    int entry;
    TRect cell;
};

TEST(PrintContentsCell, UsesTheOutputSizeAndLargerCells) {
    // 1500 x 2102: cells 281 wide and 336 high, rows from 215, columns from 160.
    const CellCase cases[] = {
        {0, {160, 215, 441, 551}},      {4, {160, 1579, 441, 1915}}, {5, {451, 215, 732, 551}},
        {19, {1033, 1579, 1314, 1915}}, {20, {160, 215, 441, 551}},  {23, {160, 1238, 441, 1574}},
        {45, {451, 215, 732, 551}},
    };
    for (const CellCase& c : cases)
        EXPECT_EQ(PrintContentsCell(c.entry, 1500, 2102), c.cell) << "entry " << c.entry;
}

TEST(PrintLayout, FitsPicturesFromTheirHeadersAndThumbnailsAboveTheStrip) {
    TempProgramFolder folder;
    WriteTheme(folder);
    TAlbum album = MakeAlbum(folder, 6, OrientationHorizontal, 300, 200);
    album.Fotos[1].FileName =
        WritePlainBmp(folder.File("Pictures/tall.bmp"), 100, 400, PictureColour(1));
    CreateFotoRect(album, QSize(333, 499), FotoRectOptions{0, true, false});
    CreateIndexRect(album, QSize(333, 499));

    const PrintLayout layout = MakePrintLayout(album, QSize(W, H));
    EXPECT_EQ(layout.Frames, FramesFor(OrientationHorizontal, W, H));
    ASSERT_EQ(layout.Placements.size(), 6);
    EXPECT_EQ(layout.Placements[1], Dimension(QSize(100, 400), layout.Frames.Left2));
    EXPECT_EQ(layout.Placements[2], Dimension(QSize(300, 200), layout.Frames.Right1));
    EXPECT_EQ(layout.Placements[4], Dimension(QSize(300, 200), layout.Frames.Left1));
    for (int i = 0; i < 6; ++i) {
        const TIndexEntry& cell = layout.Cells[i];
        EXPECT_EQ(cell.CellRect, PrintContentsCell(i, W, H));
        TRect box = cell.CellRect;
        box.Bottom -= H / 32;
        // The thumbnail keeps the proportions of the album view's thumbnail.
        EXPECT_EQ(cell.FotoRect, Dimension(RectSize(album.Fotos[i].Rect), box)) << i;
        EXPECT_LE(cell.FotoRect.Bottom, cell.CellRect.Bottom - H / 32) << i;
    }
}

TEST(PrintLayout, NamesAPictureThatCannotBeRead) {
    TempProgramFolder folder;
    WriteTheme(folder);
    TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    QFile::remove(album.Fotos[2].FileName);
    try {
        (void)MakePrintLayout(album, QSize(W, H));
        FAIL() << "no error";
    } catch (const PictureError& e) {
        EXPECT_TRUE(e.Message.contains(album.Fotos[2].FileName)) << e.Message.toStdString();
    }
}

class RenderedPages : public ::testing::Test {
protected:
    void SetUp() override { WriteTheme(folder); }

    QImage Render(const TAlbum& album, int spread, PageSide side, bool rules = false,
                  QColor pen = Qt::black) {
        OutputRenderer renderer(folder.Path(), album, MakePrintLayout(album, QSize(W, H)));
        return renderer.Render(PageRequest{spread, side, rules, pen});
    }

    static bool AllPixels(const QImage& image, QColor colour) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != colour)
                    return false;
        return true;
    }

    TempProgramFolder folder;
};

TEST_F(RenderedPages, CoversAreTheirThemePicturesAlone) {
    const TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    for (PageSide side : {PageSide::Left, PageSide::Right}) {
        const QImage front = Render(album, 0, side);
        EXPECT_EQ(front.size(), QSize(W, H));
        EXPECT_TRUE(AllPixels(front, CoverColour));
        EXPECT_TRUE(AllPixels(Render(album, album.SpreadCount + 1, side), BackColour));
    }
    EXPECT_THROW((void)Render(album, album.SpreadCount + 2, PageSide::Left), KrelError);
}

TEST_F(RenderedPages, ContentsCellsShowPictureStripAndOutlineOnTheBackground) {
    const TAlbum album = MakeAlbum(folder, 25, OrientationHorizontal);
    const PrintLayout layout = MakePrintLayout(album, QSize(W, H));
    const int strip = H / 32;
    struct SideCase {
        PageSide side;
        QColor background;
        int firstEntry;
        int entries;
    };
    for (const SideCase& s : {SideCase{PageSide::Left, LeftColour, 0, 20},
                              SideCase{PageSide::Right, RightColour, 20, 5}}) {
        const QImage page = Render(album, 1, s.side);
        for (int e = s.firstEntry; e < s.firstEntry + s.entries; ++e) {
            const TRect& c = layout.Cells[e].CellRect;
            const TRect& t = layout.Cells[e].FotoRect;
            EXPECT_EQ(page.pixelColor((t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2),
                      PictureColour(e))
                << e;
            // Outline on the first and last pixel rows and columns of the cell.
            for (QPoint p : {QPoint(c.Left, c.Top + 3), QPoint(c.Right - 1, c.Top + 3),
                             QPoint(c.Left + 3, c.Top), QPoint(c.Left + 3, c.Bottom - 1),
                             QPoint(c.Left + 3, c.Bottom - strip)})
                EXPECT_EQ(page.pixelColor(p), QColor(Qt::black))
                    << e << " " << p.x() << "," << p.y();
            // The label strip is white and empty, the cell is not filled around the thumbnail.
            for (int x = c.Left + 1; x < c.Right - 1; ++x)
                for (int y = c.Bottom - strip + 1; y < c.Bottom - 1; ++y)
                    ASSERT_EQ(page.pixelColor(x, y), QColor(Qt::white))
                        << e << " " << x << "," << y;
            ASSERT_GT(t.Top, c.Top + 2);
            EXPECT_EQ(page.pixelColor((c.Left + c.Right) / 2, c.Top + 1), s.background) << e;
            EXPECT_EQ(page.pixelColor(c.Right, c.Top + 3), s.background) << e;
        }
    }
    // On the right page only the first column holds cells; the second is background.
    const QImage right = Render(album, 1, PageSide::Right);
    const TRect& empty = layout.Cells[5].CellRect;
    EXPECT_EQ(right.pixelColor(empty.Left, empty.Top + 3), RightColour);
}

TEST_F(RenderedPages, RightContentsPageWithoutEntriesIsTheBackgroundAlone) {
    EXPECT_TRUE(AllPixels(Render(MakeAlbum(folder, 20, OrientationVertical), 1, PageSide::Right),
                          RightColour));
    // One entry more, and the right page lists exactly that last entry.
    const TAlbum album = MakeAlbum(folder, 21, OrientationVertical);
    const TRect t = MakePrintLayout(album, QSize(W, H)).Cells[20].FotoRect;
    EXPECT_EQ(Render(album, 1, PageSide::Right)
                  .pixelColor((t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2),
              PictureColour(20));
}

TEST_F(RenderedPages, CellsDrawnAfterTheNoteStyleAreOutlinedInTheRuleColour) {
    const TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    OutputPen pen;
    EXPECT_EQ(NextPage(album, 1, PageSide::Left, NoteRules::Draw, pen).CellPen, QColor(Qt::black));
    EXPECT_EQ(NextPage(album, 0, PageSide::Left, NoteRules::Draw, pen).CellPen, QColor(Qt::black));
    const PageRequest picturePage = NextPage(album, 2, PageSide::Left, NoteRules::StyleOnly, pen);
    EXPECT_FALSE(picturePage.Rules);
    const PageRequest contents = NextPage(album, 1, PageSide::Left, NoteRules::Draw, pen);
    EXPECT_EQ(contents.CellPen, NoteRuleColour);

    const TRect c = MakePrintLayout(album, QSize(W, H)).Cells[0].CellRect;
    const QImage page = Render(album, 1, PageSide::Left, false, contents.CellPen);
    EXPECT_EQ(page.pixelColor(c.Left, c.Top + 3), NoteRuleColour);
}

// Grey pixels of row y between x1 and x2 (exclusive).
int RulePixels(const QImage& page, int y, int x1, int x2) {
    int n = 0;
    for (int x = x1; x < x2; ++x)
        n += page.pixelColor(x, y) == NoteRuleColour ? 1 : 0;
    return n;
}

// Pixels of a red label in a box.
int RedPixels(const QImage& page, QRect box) {
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = page.pixelColor(x, y);
            n += c.red() > 150 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
        }
    return n;
}

TEST_F(RenderedPages, PicturePagesDrawPicturesAndRulesUnderTheLeftFramesOnBothSides) {
    for (int orientation : {OrientationVertical, OrientationHorizontal}) {
        const TAlbum album = MakeAlbum(folder, 3, orientation);
        const PrintLayout layout = MakePrintLayout(album, QSize(W, H));
        const int spread = album.IndexPages + 1;
        QVector<const TRect*> leftFrames = {&layout.Frames.Left1};
        if (orientation == OrientationHorizontal)
            leftFrames.push_back(&layout.Frames.Left2);
        for (PageSide side : {PageSide::Left, PageSide::Right}) {
            const QImage plain = Render(album, spread, side, false);
            const QImage ruled = Render(album, spread, side, true);
            const QColor background = side == PageSide::Left ? LeftColour : RightColour;
            for (FrameSlot slot :
                 {FrameSlot::Left1, FrameSlot::Left2, FrameSlot::Right1, FrameSlot::Right2}) {
                const std::optional<int> e = EntryInFrame(album, spread, slot);
                const bool onThisSide = (slot == FrameSlot::Left1 || slot == FrameSlot::Left2) ==
                                        (side == PageSide::Left);
                if (!e || !onThisSide)
                    continue;
                const TRect& r = layout.Placements[*e];
                EXPECT_EQ(plain.pixelColor((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2),
                          PictureColour(*e));
            }
            for (const TRect* f : leftFrames) {
                const int x1 = f->Left + H / 13, x2 = f->Right - H / 13;
                for (int y : {f->Bottom + H / 21, f->Bottom + H / 13}) {
                    EXPECT_EQ(RulePixels(ruled, y, 0, W), x2 - x1) << orientation << " " << y;
                    EXPECT_EQ(ruled.pixelColor(x1, y), NoteRuleColour);
                    EXPECT_EQ(ruled.pixelColor(x2 - 1, y), NoteRuleColour);
                    EXPECT_EQ(ruled.pixelColor(x2, y), background);
                    EXPECT_EQ(RulePixels(plain, y, 0, W), 0);
                }
                const QRect label(f->Left + H / 10, f->Bottom + H / 21, 120, 40);
                EXPECT_GT(RedPixels(ruled, label), 20) << orientation;
                EXPECT_EQ(RedPixels(plain, label), 0) << orientation;
            }
            // No page number or other text at the foot of the page.
            EXPECT_EQ(RedPixels(ruled, QRect(0, H - H / 23 - 5, W, H / 23 + 5)), 0);
            for (int x = 0; x < W; x += 7)
                ASSERT_EQ(ruled.pixelColor(x, H - H / 23 + 5), background) << x;
        }
    }
}

} // namespace
