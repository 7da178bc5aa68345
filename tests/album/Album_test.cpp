#include "album/Album.h"

#include <gtest/gtest.h>

struct DerivedCase {
    int count;
    int orientation;
    int indexPages;
    int spreadCount;
};

TEST(DerivedNumbers, FollowTheCountAndLayout) {
    const DerivedCase cases[] = {
        {0, 1, 0, 0},  {0, 2, 0, 0},  {2, 1, 1, 2},  {3, 1, 1, 3},   {4, 2, 1, 2},
        {5, 2, 1, 3},  {9, 2, 1, 4},  {9, 1, 1, 6},  {40, 1, 1, 21}, {41, 1, 2, 23},
        {41, 2, 2, 13}, {40, 2, 1, 11}, {80, 2, 2, 22},
    };
    for (const DerivedCase& c : cases) {
        TAlbum album;
        album.Count = c.count;
        album.Orientation = static_cast<quint8>(c.orientation);
        ComputeDerivedNumbers(album);
        EXPECT_EQ(album.IndexPages, c.indexPages) << c.count << " in layout " << c.orientation;
        EXPECT_EQ(album.SpreadCount, c.spreadCount) << c.count << " in layout " << c.orientation;
        EXPECT_EQ(album.Index.size(), c.count);
    }
}

TEST(DerivedNumbers, RefuseAnOrientationWithoutLayout) {
    for (int o : {0, 3, 255}) {
        TAlbum album;
        album.Count = 5;
        album.Orientation = static_cast<quint8>(o);
        EXPECT_THROW(ComputeDerivedNumbers(album), std::invalid_argument) << o;
    }
}

TEST(SpreadNumbering, CoversContentsPicturesAndBack) {
    TAlbum album;
    album.Count = 5;
    album.Fotos.resize(5);
    album.Orientation = OrientationHorizontal;
    ComputeDerivedNumbers(album); // IndexPages 1, SpreadCount 3
    EXPECT_EQ(KindOfSpread(album, 0), SpreadKind::FrontCover);
    EXPECT_EQ(KindOfSpread(album, 1), SpreadKind::Contents);
    EXPECT_EQ(KindOfSpread(album, 2), SpreadKind::Pictures);
    EXPECT_EQ(KindOfSpread(album, 3), SpreadKind::Pictures);
    EXPECT_EQ(KindOfSpread(album, 4), SpreadKind::BackCover);
    EXPECT_EQ(KindOfSpread(album, 5), SpreadKind::None);
    // The second picture spread shows only entry 4, in LeftFrame1.
    EXPECT_EQ(EntryInFrame(album, 3, FrameSlot::Left1), 4);
    EXPECT_EQ(EntryInFrame(album, 3, FrameSlot::Left2), std::nullopt);
    EXPECT_EQ(EntryInFrame(album, 2, FrameSlot::Right2), 3);
}

TEST(SpreadNumbering, VerticalLayoutPutsOneEntryOnEachPage) {
    TAlbum album;
    album.Count = 3;
    album.Fotos.resize(3);
    album.Orientation = OrientationVertical;
    ComputeDerivedNumbers(album); // IndexPages 1, SpreadCount 3
    EXPECT_EQ(EntryInFrame(album, 2, FrameSlot::Left1), 0);
    EXPECT_EQ(EntryInFrame(album, 2, FrameSlot::Right1), 1);
    EXPECT_EQ(EntryInFrame(album, 3, FrameSlot::Left1), 2);
    EXPECT_EQ(EntryInFrame(album, 3, FrameSlot::Right1), std::nullopt);
    EXPECT_EQ(EntryInFrame(album, 2, FrameSlot::Left2), std::nullopt);
    EXPECT_EQ(FrameSlotOf(OrientationVertical, 5), FrameSlot::Right1);
    EXPECT_EQ(FrameSlotOf(OrientationHorizontal, 6), FrameSlot::Right1);
}

TEST(EmptyAlbum, KeepsTheThemeAndDerivedNumbers) {
    AlbumSession s;
    s.Album.ThemeName = QStringLiteral("Classic");
    s.Album.Fotos.resize(3);
    s.Album.Count = 3;
    s.Album.Orientation = OrientationVertical;
    ComputeDerivedNumbers(s.Album);
    s.AlbumSaved = true;
    EmptyAlbum(s);
    EXPECT_EQ(s.Album.Count, 0);
    EXPECT_TRUE(s.Album.Fotos.isEmpty());
    EXPECT_FALSE(s.AlbumSaved);
    EXPECT_EQ(s.Album.ThemeName, QStringLiteral("Classic"));
    EXPECT_EQ(s.Album.SpreadCount, 3);
}
