#include "view/WallPaper.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WallPaperTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString keyFile = dir.filePath("config/krel-album/desktop-wallpaper.ini");
    QString folder = dir.filePath("data/krel-album/wallpaper");
    QVector<DesktopWallpaper> applied;
    bool refuse = false;
    [[nodiscard]] TWallPaper Make() {
        return TWallPaper(keyFile, [this](const DesktopWallpaper& w) {
            if (refuse)
                throw WallpaperError("Cannot set the wallpaper: refused");
            applied.push_back(w);
        });
    }
    [[nodiscard]] QString Value(const QString& key) const {
        for (const QString& line : ReadLines(keyFile))
            if (line.startsWith(key + QLatin1Char('=')))
                return line.mid(key.size() + 1);
        return QStringLiteral("<missing>");
    }
    [[nodiscard]] QStringList Copies() const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden);
    }
};

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(WallPaperTest, EachCommandSetsExactlyItsOwnStyleOnACopy) {
    const QString sea = WritePicture(dir.filePath("photos/sea.bmp"), 40, 30);
    const struct {
        WallpaperCommand command;
        const char* tile;
        const char* style;
    } steps[] = {{WallpaperCommand::Tiled, "1", "0"},
                 {WallpaperCommand::Stretch, "0", "2"},
                 {WallpaperCommand::Tiled, "1", "0"}};
    TWallPaper paper = Make();
    for (const auto& step : steps) {
        ASSERT_TRUE(MakeWallpaper(paper, sea, step.command, folder));
        EXPECT_EQ(Value("TileWallpaper"), step.tile);
        EXPECT_EQ(Value("WallpaperStyle"), step.style);
        ASSERT_FALSE(applied.isEmpty());
        const DesktopWallpaper& shown = applied.last();
        EXPECT_EQ(shown.Tile, step.command == WallpaperCommand::Tiled);
        EXPECT_EQ(shown.Stretch, step.command == WallpaperCommand::Stretch);
        EXPECT_EQ(Value("Wallpaper"), shown.Path);
        EXPECT_EQ(QFileInfo(shown.Path).absolutePath(), QDir(folder).absolutePath());
        EXPECT_EQ(ReadBytes(shown.Path), ReadBytes(sea));
        EXPECT_EQ(Copies().size(), 1) << "the earlier copy is removed";
    }
    EXPECT_EQ(applied.size(), 3) << "applied once per command";
    // The copy does not go with the album's file.
    const QString shown = applied.last().Path;
    QFile::remove(sea);
    EXPECT_TRUE(QFile::exists(shown));
}

TEST_F(WallPaperTest, ARefusedPictureChangesNothing) {
    const QString old = WritePicture(dir.filePath("photos/old.BMP"), 20, 20);
    TWallPaper paper = Make();
    ASSERT_TRUE(MakeWallpaper(paper, old, WallpaperCommand::Tiled, folder));
    const QByteArray keys = ReadBytes(keyFile);
    const QStringList copies = Copies();
    applied.clear();

    const QString jpeg = WritePicture(dir.filePath("photos/sea.jpg"), 40, 30);
    const QString mixedCase = WritePicture(dir.filePath("photos/sea.Bmp"), 40, 30);
    for (const QString& picture : {jpeg, mixedCase})
        EXPECT_FALSE(MakeWallpaper(paper, picture, WallpaperCommand::Stretch, folder));
    const QString broken = WriteBytes(dir.filePath("photos/broken.bmp"), "BM not really");
    EXPECT_THROW(MakeWallpaper(paper, broken, WallpaperCommand::Stretch, folder), PictureError);
    EXPECT_THROW(
        MakeWallpaper(paper, dir.filePath("photos/gone.bmp"), WallpaperCommand::Tiled, folder),
        PictureError);
    refuse = true; // a desktop that does not take the picture
    const QString sea = WritePicture(dir.filePath("photos/sea.bmp"), 40, 30);
    EXPECT_THROW(MakeWallpaper(paper, sea, WallpaperCommand::Stretch, folder), WallpaperError);

    EXPECT_TRUE(applied.isEmpty());
    EXPECT_EQ(ReadBytes(keyFile), keys);
    EXPECT_EQ(Copies(), copies);
    EXPECT_EQ(NotBitmapMessage, "This is file not bitmap");
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
