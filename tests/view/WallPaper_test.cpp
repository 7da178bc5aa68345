#include "view/WallPaper.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WallPaperTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString keyFile = dir.filePath("config/krel-album/desktop-wallpaper.ini");
    QVector<DesktopWallpaper> applied;
    [[nodiscard]] TWallPaper Make() {
        return TWallPaper(keyFile, [this](const DesktopWallpaper& w) { applied.push_back(w); });
    }
    [[nodiscard]] QString Value(const QString& key) const {
        for (const QString& line : ReadLines(keyFile))
            if (line.startsWith(key + QLatin1Char('=')))
                return line.mid(key.size() + 1);
        return QStringLiteral("<missing>");
    }
};

} // namespace

TEST_F(WallPaperTest, TiledOnABitmapTilesAndMakesItTheWallpaper) {
    TWallPaper first = Make();
    first.SetWallpaper("/old/desk.bmp");
    applied.clear();

    TWallPaper paper = Make();
    EXPECT_TRUE(MakeWallpaper(paper, "/photos/sea.bmp", WallpaperCommand::Tiled));

    EXPECT_EQ(Value("TileWallpaper"), "1");
    EXPECT_EQ(Value("Wallpaper"), "/photos/sea.bmp");
    EXPECT_EQ(Value("WallpaperStyle"), "<missing>") << "Tiled leaves the style alone";
    ASSERT_EQ(applied.size(), 2);
    EXPECT_EQ(applied[0].Path, "/old/desk.bmp") << "the old wallpaper is applied tiled first";
    EXPECT_TRUE(applied[0].Tile);
    EXPECT_EQ(applied[1].Path, "/photos/sea.bmp");
    EXPECT_TRUE(applied[1].Tile);
    EXPECT_TRUE(paper.Tile());
    EXPECT_FALSE(paper.Stretch());
}

TEST_F(WallPaperTest, StretchOnAJpegChangesOnlyTheStyle) {
    TWallPaper paper = Make();
    paper.SetWallpaper("/old/desk.bmp");
    applied.clear();

    EXPECT_FALSE(MakeWallpaper(paper, "/photos/sea.jpg", WallpaperCommand::Stretch));

    EXPECT_EQ(Value("WallpaperStyle"), "2");
    EXPECT_EQ(Value("Wallpaper"), "/old/desk.bmp");
    ASSERT_EQ(applied.size(), 1);
    EXPECT_EQ(applied[0].Path, "/old/desk.bmp");
    EXPECT_TRUE(applied[0].Stretch);
    EXPECT_EQ(NotBitmapMessage, "This is file not bitmap");
}

TEST_F(WallPaperTest, TiledThenStretchKeepsBothValues) {
    TWallPaper paper = Make();
    MakeWallpaper(paper, "/photos/a.BMP", WallpaperCommand::Tiled);
    MakeWallpaper(paper, "/photos/b.bmp", WallpaperCommand::Stretch);
    EXPECT_EQ(Value("TileWallpaper"), "1");
    EXPECT_EQ(Value("WallpaperStyle"), "2");
    EXPECT_EQ(Value("Wallpaper"), "/photos/b.bmp");
    EXPECT_TRUE(applied.last().Tile);
    EXPECT_TRUE(applied.last().Stretch);
}

TEST_F(WallPaperTest, OnlyBmpInTwoLetterCasesIsABitmap) {
    for (const char* path : {"/p/a.bmp", "/p/a.BMP"})
        EXPECT_TRUE(IsWallpaperBitmap(path)) << path;
    for (const char* path : {"/p/a.Bmp", "/p/a.jpg", "/p/a.JPEG", "/p.bmp/a", "/p/bmp"})
        EXPECT_FALSE(IsWallpaperBitmap(path)) << path;
}

TEST_F(WallPaperTest, ValuesAreReadAsTheDesktopWroteThem) {
    QDir().mkpath(QFileInfo(keyFile).absolutePath());
    WriteLines(keyFile, {"Wallpaper=/x/y=z.bmp", "TileWallpaper=0", "WallpaperStyle=10"});
    TWallPaper paper = Make();
    EXPECT_EQ(paper.Wallpaper(), "/x/y=z.bmp");
    EXPECT_FALSE(paper.Tile());
    EXPECT_FALSE(paper.Stretch());
    WriteLines(keyFile, {"TileWallpaper=yes", "WallpaperStyle=wide"});
    EXPECT_THROW((void)paper.Tile(), ConversionError);
    EXPECT_FALSE(paper.Stretch());
    EXPECT_TRUE(paper.Wallpaper().isEmpty());
}

TEST_F(WallPaperTest, GSettingsApplierNeverFailsWithoutADesktop) {
    // Whatever the machine has installed, applying must neither abort nor throw.
    qputenv("GSETTINGS_BACKEND", "memory");
    ApplyWallpaperWithGSettings({"/photos/sea.bmp", true, false});
    ApplyWallpaperWithGSettings({QString(), false, true});
    qputenv("GSETTINGS_SCHEMA_DIR", dir.path().toUtf8());
    ApplyWallpaperWithGSettings({"/photos/sea.bmp", false, false});
    SUCCEED();
}
