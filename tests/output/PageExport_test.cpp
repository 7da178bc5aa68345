#include "OutputFixture.h"
#include "output/PageExport.h"
#include "output/PageFiles.h"
#include "platform/Errors.h"
#include "platform/PictureIO.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(PageFiles, OnePageNameGetsJpgUnlessItHasAJpegExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/out/photo", "/out/photo.jpg"},         {"/out/photo.png", "/out/photo.png.jpg"},
        {"/out/photo.jpg", "/out/photo.jpg"},     {"/out/photo.JPG", "/out/photo.JPG"},
        {"/out/photo.jpeg", "/out/photo.jpeg"},   {"/out/photo.JPEG", "/out/photo.JPEG"},
        {"/out/photo.Jpg", "/out/photo.Jpg.jpg"}, {"/out/a.jpg.d/photo", "/out/a.jpg.d/photo.jpg"},
        {"/out/photo.", "/out/photo..jpg"},
    };
    for (const auto& [chosen, saved] : cases)
        EXPECT_EQ(OnePageFileName(QString::fromUtf8(chosen)), QString::fromUtf8(saved)) << chosen;
}

TEST(PageFiles, AllPagesNameEveryPageFromCoverToBack) {
    QStringList names;
    for (const PageFile& f : AllPageFiles(QStringLiteral("B"), 3))
        names << f.Name;
    EXPECT_EQ(names, QStringList({"B0_L.jpg", "B1_L.jpg", "B1_R.jpg", "B2_L.jpg", "B2_R.jpg",
                                  "B3_L.jpg", "B3_R.jpg", "B4_R.jpg"}));
    // The base is taken as typed, its extension included.
    EXPECT_EQ(AllPageFiles(QStringLiteral("album.jpg"), 0).front().Name, "album.jpg0_L.jpg");
    EXPECT_EQ(AllPageFiles(QStringLiteral("album"), 2).back().Name, "album3_R.jpg");
}

TEST(PageFiles, QualityIsTenTimesThePositionAndAtLeastOne) {
    EXPECT_EQ(JpegQualityOf(0), 1);
    EXPECT_EQ(JpegQualityOf(1), 10);
    EXPECT_EQ(JpegQualityOf(7), 70);
    EXPECT_EQ(JpegQualityOf(10), 100);

    QTemporaryDir dir;
    const QImage image = MakeImage(64, 48);
    const QString path = dir.filePath("page.jpg");
    SaveToJPEG(image, path, 7);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), EncodeJpeg(image, 70));
}

class SavedPages : public ::testing::Test {
protected:
    void SetUp() override { WriteTheme(folder); }

    PageSaveSettings Settings(const TAlbum& album, int position = 10) {
        return PageSaveSettings{folder.Path(), &album, QSize(300, 450), position};
    }

    static QStringList FilesIn(const QString& dir) {
        return QDir(dir).entryList(QDir::Files, QDir::Name);
    }

    TempProgramFolder folder;
    QTemporaryDir out;
    RecordingProgress progress;
    OutputPen pen;
};

TEST_F(SavedPages, AllPagesWritesTwoFilesASpreadBesidesTheCovers) {
    // Three pictures in layout 1: one contents spread, picture spreads 2 and 3.
    const TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    ASSERT_EQ(album.IndexPages, 1);
    ASSERT_EQ(album.SpreadCount, 3);
    SaveAllPages(Settings(album), out.path(), QStringLiteral("B"), progress, pen);
    EXPECT_EQ(FilesIn(out.path()), QStringList({"B0_L.jpg", "B1_L.jpg", "B1_R.jpg", "B2_L.jpg",
                                                "B2_R.jpg", "B3_L.jpg", "B3_R.jpg", "B4_R.jpg"}));
    EXPECT_EQ(progress.Max, album.SpreadCount + 2);
    EXPECT_EQ(progress.Steps, album.SpreadCount + 3) << "the layout, then one a spread";
    EXPECT_EQ(progress.Closed, 1);

    struct Expected {
        const char* name;
        QColor background;
    };
    for (const Expected& e : {Expected{"B0_L.jpg", CoverColour}, Expected{"B1_L.jpg", LeftColour},
                              Expected{"B1_R.jpg", RightColour}, Expected{"B3_R.jpg", RightColour},
                              Expected{"B4_R.jpg", BackColour}}) {
        const QImage page = LoadPicture(QDir(out.path()).filePath(e.name));
        EXPECT_EQ(page.size(), QSize(300, 450)) << e.name;
        EXPECT_TRUE(Near(page.pixelColor(2, 2), e.background)) << e.name;
    }
    // Picture pages carry their rules.
    const QImage left = LoadPicture(QDir(out.path()).filePath("B2_L.jpg"));
    const PageFrames frames = FramesFor(OrientationVertical, 300, 450);
    const int y = frames.Left1.Bottom + 450 / 21;
    const QColor rule = left.pixelColor((frames.Left1.Left + frames.Left1.Right) / 2, y);
    EXPECT_GT(rule.red(), LeftColour.red() + 60) << rule.name().toStdString();
    EXPECT_GT(rule.blue(), LeftColour.blue() + 60) << rule.name().toStdString();
    EXPECT_TRUE(pen.NoteStyle);
}

TEST_F(SavedPages, AFailingPageKeepsTheFilesBeforeItAndWritesNoneAfter) {
    TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    album.BackPath = QStringLiteral("Themes\\Plain\\Missing.bmp");
    EXPECT_THROW(SaveAllPages(Settings(album), out.path(), QStringLiteral("B"), progress, pen),
                 PictureError);
    EXPECT_EQ(FilesIn(out.path()), QStringList({"B0_L.jpg", "B1_L.jpg", "B1_R.jpg", "B2_L.jpg",
                                                "B2_R.jpg", "B3_L.jpg", "B3_R.jpg"}));
    EXPECT_EQ(progress.Closed, 1);

    // A picture that fails in the middle: nothing from its spread on.
    QTemporaryDir second;
    RecordingProgress again;
    album = MakeAlbum(folder, 3, OrientationVertical);
    WriteBytes(album.Fotos[2].FileName, QByteArray("BM not a bitmap"));
    EXPECT_THROW(SaveAllPages(Settings(album), second.path(), QStringLiteral("B"), again, pen),
                 PictureError);
    EXPECT_EQ(again.Closed, 1);
    EXPECT_TRUE(FilesIn(second.path()).isEmpty()) << "the layout reads every picture first";
}

TEST_F(SavedPages, OnePageSavesTheChosenSideWithoutRules) {
    const TAlbum album = MakeAlbum(folder, 3, OrientationVertical);
    const QString path = QDir(out.path()).filePath("one.jpg");
    SaveOnePage(Settings(album, 7), 2, PageSide::Right, path, progress, pen);
    EXPECT_EQ(progress.Max, 4);
    EXPECT_EQ(progress.Pos, 4);
    EXPECT_EQ(progress.Closed, 1);
    const QImage page = LoadPicture(path);
    EXPECT_TRUE(Near(page.pixelColor(2, 2), RightColour));
    const PageFrames frames = FramesFor(OrientationVertical, 300, 450);
    const int y = frames.Left1.Bottom + 450 / 21;
    EXPECT_TRUE(
        Near(page.pixelColor((frames.Left1.Left + frames.Left1.Right) / 2, y), RightColour));
    EXPECT_TRUE(pen.NoteStyle) << "the note style is set on the bitmap even without rules";

    // The front cover from either choice; a failure closes the progress window too.
    SaveOnePage(Settings(album), 0, PageSide::Right, path, progress, pen);
    EXPECT_TRUE(Near(LoadPicture(path).pixelColor(150, 200), CoverColour));
    TAlbum broken = album;
    broken.RightPath = QStringLiteral("Themes\\Nowhere.bmp");
    RecordingProgress failing;
    EXPECT_THROW(SaveOnePage(Settings(broken), 1, PageSide::Right, path, failing, pen),
                 PictureError);
    EXPECT_EQ(failing.Closed, 1);
}

TEST(OutputBitmap, SizesWithoutAreaOrTooLargeCannotBeMade) {
    EXPECT_TRUE(CanMakeOutputBitmap(QSize(2398, 3602)));
    EXPECT_TRUE(CanMakeOutputBitmap(QSize(10000, 10000)));
    EXPECT_FALSE(CanMakeOutputBitmap(QSize(10001, 10000)));
    EXPECT_FALSE(CanMakeOutputBitmap(QSize(0, 100)));
    EXPECT_FALSE(CanMakeOutputBitmap(QSize(100, -1)));
}

} // namespace
