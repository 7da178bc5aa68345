#include "album/Geometry.h"

#include "platform/Errors.h"
#include "tests/support/Fixtures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

std::ostream& operator<<(std::ostream& os, const TRect& r) {
    return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

TEST(SelektSizePage, PicksThePageSizeByScreenWidth) {
    const struct {
        int screen;
        PageSize page;
    } cases[] = {
        {640, {499, 332}},  {800, {499, 332}},  {1023, {499, 332}},
        {1024, {638, 426}}, {1279, {638, 426}}, {1280, {816, 545}},
        {1600, {816, 545}}, {1700, {816, 545}}, {2560, {816, 545}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SelektSizePage(c.screen), c.page) << c.screen;
        AlbumSession session;
        SelektSizePage(session, c.screen);
        EXPECT_EQ(session.PageHeight, c.page.Height) << c.screen;
        EXPECT_EQ(session.PageWidth, c.page.Width) << c.screen;
    }
}

TEST(PageRects, StandAtTheCentreOverlappingAtTheSpine) {
    const PageSize page = SelektSizePage(1024);
    const PageRects rects = PageRectsFor(1024, 768, page);
    EXPECT_EQ(rects.Left, (TRect{86, 65, 513, 703}));
    EXPECT_EQ(rects.Right, (TRect{511, 65, 937, 703}));
    EXPECT_EQ(PageImageSize(page), QSize(427, 638));
    EXPECT_EQ(rects.Left.Width(), PageImageSize(page).width());
}

TEST(Frames, BothLayoutsOfA333x499Page) {
    const PageFrames hor = FramesFor(OrientationHorizontal, 333, 499);
    EXPECT_EQ(hor.Left1, (TRect{22, 38, 292, 206}));
    EXPECT_EQ(hor.Left2, (TRect{22, 257, 292, 423}));
    EXPECT_EQ(hor.Right1, (TRect{41, 38, 311, 206}));
    EXPECT_EQ(hor.Right2, (TRect{41, 257, 311, 423}));
    const PageFrames ver = FramesFor(OrientationVertical, 333, 499);
    EXPECT_EQ(ver.Left1, (TRect{41, 41, 306, 413}));
    EXPECT_EQ(ver.Right1, (TRect{27, 41, 292, 413}));
    EXPECT_TRUE(ver.Left2.IsEmpty());
    EXPECT_TRUE(ver.Right2.IsEmpty());
    for (int o : {0, 3})
        EXPECT_THROW((void)FramesFor(o, 333, 499), KrelError) << o;
}

TEST(Dimension, FitsAndCentresWithHalvesToEven) {
    const struct {
        const char* what;
        int w, h;
        TRect box, fitted;
    } cases[] = {
        {"square in the layout-1 frame", 1000, 1000, {41, 41, 306, 413}, {41, 94, 306, 359}},
        {"exact proportions fill the frame", 265, 372, {41, 41, 306, 413}, {41, 41, 306, 413}},
        {"exact proportions, larger", 530, 744, {41, 41, 306, 413}, {41, 41, 306, 413}},
        {"tall: height 2.5 rounds down to 2", 5, 20, {0, 0, 10, 10}, {4, 0, 6, 10}},
        {"wide: 2.5 rounds down to 2", 20, 5, {0, 0, 10, 10}, {0, 4, 10, 6}},
        {"wide: bottom 3.5 rounds up to 4", 20, 5, {0, 1, 10, 11}, {0, 4, 10, 7}},
        {"wide: 3.5 with the box offset", 20, 7, {5, 0, 15, 10}, {5, 3, 15, 7}},
        {"landscape photo in a layout-2 frame", 4000, 3000, {22, 38, 292, 206}, {45, 38, 269, 206}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dimension(c.w, c.h, c.box), c.fitted) << c.what;
}

TEST(Dimension, RefusesAnEmptyBoxOrPicture) {
    const TRect box{0, 0, 10, 10};
    EXPECT_THROW((void)Dimension(0, 10, box), KrelError);
    EXPECT_THROW((void)Dimension(10, 0, box), KrelError);
    EXPECT_THROW((void)Dimension(10, 10, TRect{5, 5, 5, 20}), KrelError);
    EXPECT_THROW((void)Dimension(10, 10, TRect{5, 5, 20, 5}), KrelError);
}

TEST(ContentsCells, RunDownColumnsAndRepeatOnTheRightPage) {
    const int w = 333, h = 499;
    const int tops[] = {54, 134, 214, 294, 374};
    const int lefts[] = {43, 108, 173, 238};
    for (int a = 0; a < 40; ++a) {
        const TRect cell = ContentsCell(a, w, h);
        const int i = a % 20;
        EXPECT_EQ(cell, (TRect{lefts[i / 5], tops[i % 5], lefts[i / 5] + 55, tops[i % 5] + 75}))
            << a;
    }
    EXPECT_EQ(ContentsCell(20, w, h), ContentsCell(0, w, h));
    EXPECT_EQ(ContentsCell(23, w, h), ContentsCell(3, w, h));
    EXPECT_EQ(LabelStripHeight(h), 15);
}

TEST(ContentsCells, ThumbnailsStayAboveTheLabelStrip) {
    TAlbum album;
    // A tall, a wide, a square entry and one without a thumbnail.
    for (TRect r : {TRect{0, 0, 100, 400}, TRect{0, 0, 400, 100}, TRect{0, 0, 50, 50}, TRect{}}) {
        TFoto f;
        f.Rect = r;
        album.Fotos << f;
    }
    album.Count = album.Fotos.size();
    CreateIndexRect(album, QSize(333, 499));
    ASSERT_EQ(album.Index.size(), 4);
    for (int a = 0; a < 3; ++a) {
        const TIndexEntry& e = album.Index[a];
        EXPECT_EQ(e.CellRect, ContentsCell(a, 333, 499));
        EXPECT_LE(e.FotoRect.Bottom, e.CellRect.Bottom - 15) << a;
        EXPECT_GE(e.FotoRect.Top, e.CellRect.Top) << a;
        EXPECT_GE(e.FotoRect.Left, e.CellRect.Left) << a;
        EXPECT_LE(e.FotoRect.Right, e.CellRect.Right) << a;
    }
    EXPECT_EQ(album.Index[0].FotoRect.Height(), 60); // the tall one fills the box height
    EXPECT_TRUE(album.Index[3].FotoRect.IsEmpty());
}

class CreateFotoRectTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TAlbum album;

    void Add(const QString& name, int w, int h) {
        TFoto f;
        f.FileName = WritePicture(dir.filePath(name), w, h);
        album.Fotos << f;
    }
    void AddBroken(const QString& name) {
        TFoto f;
        f.FileName = WriteBytes(dir.filePath(name), "not a picture");
        album.Fotos << f;
    }
};

TEST_F(CreateFotoRectTest, AddingToAnAlbumOfThreeLaysOutOnlyTheNewEntries) {
    album.Orientation = OrientationHorizontal;
    for (int i = 0; i < 6; ++i)
        Add(QStringLiteral("p%1.jpg").arg(i), 400, 300);
    const TRect kept{1, 2, 3, 4};
    for (int i = 0; i < 3; ++i) {
        album.Fotos[i].Rect = kept;
        album.Fotos[i].Picture = MakeImage(2, 2);
    }
    album.Count = 3;
    CreateFotoRect(album, QSize(333, 499), {.FirstEntry = 3});
    EXPECT_EQ(album.LeftFrame1, (TRect{22, 38, 292, 206}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(album.Fotos[i].Rect, kept) << i;
        EXPECT_EQ(album.Fotos[i].Picture.size(), QSize(2, 2)) << i;
    }
    const PageFrames frames = FramesFor(OrientationHorizontal, 333, 499);
    for (int i = 3; i < 6; ++i) {
        const TFoto& f = album.Fotos[i];
        EXPECT_EQ(f.PictureSize, QSize(400, 300)) << i;
        EXPECT_EQ(f.Rect, Dimension(400, 300, FrameOf(frames, FrameSlotOf(2, i)))) << i;
        EXPECT_EQ(f.Picture.size(), RectSize(f.Rect)) << i;
    }
}

TEST_F(CreateFotoRectTest, LoaderCopySetsRectsWithoutThumbnails) {
    album.Orientation = OrientationVertical;
    Add("a.jpg", 300, 400);
    Add("b.bmp", 400, 300);
    CreateFotoRect(album, QSize(333, 499), {.FirstEntry = 0, .MakeThumbnails = false});
    EXPECT_EQ(album.Fotos[0].Rect, Dimension(300, 400, TRect{41, 41, 306, 413}));
    EXPECT_EQ(album.Fotos[1].Rect, Dimension(400, 300, TRect{27, 41, 292, 413}));
    EXPECT_EQ(album.Fotos[1].PictureSize, QSize(400, 300));
    EXPECT_TRUE(album.Fotos[0].Picture.isNull());
}

TEST_F(CreateFotoRectTest, UnloadablePictureRaisesOrIsPassedOver) {
    album.Orientation = OrientationVertical;
    Add("a.jpg", 300, 400);
    AddBroken("b.jpg");
    Add("c.jpg", 300, 400);
    EXPECT_THROW(CreateFotoRect(album, QSize(333, 499), {}), PictureError);

    CreateFotoRect(album, QSize(333, 499), {.SkipUnloadable = true});
    EXPECT_TRUE(album.Fotos[1].Rect.IsEmpty());
    EXPECT_TRUE(album.Fotos[1].Picture.isNull());
    EXPECT_FALSE(album.Fotos[2].Rect.IsEmpty());
    EXPECT_EQ(album.Fotos[2].Picture.size(), RectSize(album.Fotos[2].Rect));
}
