#include "view/AlbumEditing.h"

#include "album/Geometry.h"
#include "album/ThumbnailStore.h"
#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

std::ostream& operator<<(std::ostream& os, const TRect& r) {
    return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

const QSize PageImage(333, 499);

// Records what an add does with the progress window.
class RecordingProgress : public Progress {
public:
    QStringList Calls;
    void SetRange(int minimum, int maximum) override {
        Calls << QStringLiteral("range %1 %2").arg(minimum).arg(maximum);
        max_ = maximum;
    }
    void SetPosition(int position) override {
        Calls << QStringLiteral("position %1").arg(position);
        pos_ = position;
    }
    [[nodiscard]] int Position() const override { return pos_; }
    [[nodiscard]] int Maximum() const override { return max_; }
    void Show() override { Calls << QStringLiteral("show"); }
    void Advance(int steps) override {
        pos_ += steps;
        Calls << QStringLiteral("advance");
    }
    void Close() override { Calls << QStringLiteral("close"); }

private:
    int pos_ = 0, max_ = 0;
};

class EditingTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    AlbumSession session;
    TAlbum& album = session.Album;

    void SetUp() override {
        session.PageHeight = PageImage.height();
        session.PageWidth = PageImage.width() - 1;
    }
    QString Picture(const QString& name, int w, int h) {
        return WritePicture(dir.filePath(name), w, h);
    }
    // Files p0.jpg ... of the given sizes.
    QStringList Pictures(const QVector<QSize>& sizes, const QString& prefix = QStringLiteral("p")) {
        QStringList files;
        for (int i = 0; i < sizes.size(); ++i)
            files << Picture(QStringLiteral("%1%2.jpg").arg(prefix).arg(i), sizes[i].width(),
                             sizes[i].height());
        return files;
    }
    [[nodiscard]] TRect FrameOfEntry(int i) const {
        const PageFrames frames =
            FramesFor(album.Orientation, PageImage.width(), PageImage.height());
        return FrameOf(frames, FrameSlotOf(album.Orientation, i));
    }
    // The thumbnail an entry shows: its own, else the one the album's store makes for its frame.
    QImage Shown(int i) {
        const TFoto& f = album.Fotos[i];
        if (!f.Picture.isNull())
            return f.Picture;
        return ThumbnailsOf(album).Fetch({{f.FileName, f.PictureSize, RectSize(f.Rect)}})[0];
    }
    // Every entry stands fitted in the frame of its place, its thumbnail (when asked: the files
    // are read for it) exactly its Rect, and its contents cell is the one of its index.
    void ExpectLaidOut(bool thumbnails = true) {
        ASSERT_EQ(album.Count, album.Fotos.size());
        ASSERT_EQ(album.Index.size(), album.Count);
        for (int i = 0; i < album.Count; ++i) {
            const TFoto& f = album.Fotos[i];
            EXPECT_EQ(f.Rect, Dimension(f.PictureSize, FrameOfEntry(i))) << i;
            if (thumbnails)
                EXPECT_EQ(Shown(i).size(), RectSize(f.Rect)) << i;
            EXPECT_EQ(album.Index[i].CellRect,
                      ContentsCell(i, PageImage.width(), PageImage.height()))
                << i;
        }
    }
};

} // namespace

TEST_F(EditingTest, AddingThreeToFourInLayout2LaysOutOnlyTheNewEntries) {
    album.Orientation = OrientationHorizontal;
    AddPictures(session, Pictures({{400, 300}, {300, 400}, {500, 500}, {640, 200}}), PageImage,
                nullptr);
    ASSERT_EQ(album.Count, 4);
    EXPECT_EQ(album.SpreadCount, 2);
    const TFoto first = album.Fotos[0];
    album.Fotos[0].Picture = QImage(3, 3, QImage::Format_RGB32); // stands for "not laid out again"
    session.CurrentSpread = 2;
    session.AlbumSaved = true;

    RecordingProgress progress;
    const auto skipped =
        AddPictures(session, Pictures({{300, 200}, {200, 300}, {800, 600}}, QStringLiteral("n")),
                    PageImage, &progress);

    EXPECT_TRUE(skipped.isEmpty());
    EXPECT_EQ(album.Count, 7);
    EXPECT_EQ(album.IndexPages, 1);
    EXPECT_EQ(album.SpreadCount, 3);
    EXPECT_EQ(session.CurrentSpread, 0) << "the view returns to the front cover";
    EXPECT_FALSE(session.AlbumSaved) << "added pictures are unsaved: leaving the album asks";
    EXPECT_EQ(album.Fotos[0].Picture.size(), QSize(3, 3));
    EXPECT_EQ(album.Fotos[0].Rect, first.Rect);
    EXPECT_EQ(album.Fotos[4].Rect, Dimension(300, 200, album.LeftFrame1));
    EXPECT_EQ(album.Fotos[5].Rect, Dimension(200, 300, album.LeftFrame2));
    EXPECT_EQ(album.Fotos[6].Rect, Dimension(800, 600, album.RightFrame1));
    EXPECT_TRUE(album.Fotos[6].Picture.isNull()) << "made when a spread shows it";
    EXPECT_EQ(Shown(6).size(), RectSize(album.Fotos[6].Rect));
    EXPECT_TRUE(album.Fotos[6].Note.isEmpty());
    EXPECT_EQ(album.Index[6].CellRect, ContentsCell(6, PageImage.width(), PageImage.height()));
    EXPECT_FALSE(album.Index[6].FotoRect.IsEmpty());
    EXPECT_EQ(progress.Calls, (QStringList{"range 0 4", "position 0", "show", "advance", "advance",
                                           "advance", "advance", "close"}));
    EXPECT_EQ(progress.Position(), AddProgressSteps);
}

// Unloadable files are left out and named; a long path is a path like any other.
TEST_F(EditingTest, UnloadableFilesAreLeftOutAndNamedLongPathsAreKept) {
    album.Orientation = OrientationVertical;
    const QString good1 = Picture("good1.jpg", 300, 400);
    const QString damaged = WriteBytes(dir.filePath("damaged.jpg"), "no picture here");
    const QString missing = dir.filePath("missing.bmp");
    const QString good2 = Picture("good2.bmp", 400, 300);
    QString longPath = dir.path() + QLatin1Char('/') + QString(120, QLatin1Char('d')) +
                       QLatin1Char('/') + QString(120, QChar(0xE9)) + QStringLiteral(".jpg");
    WritePicture(longPath, 50, 50);
    ASSERT_GT(longPath.size(), ShortFieldMax);

    RecordingProgress progress;
    const auto skipped =
        AddPictures(session, {good1, damaged, longPath, missing, good2}, PageImage, &progress);

    ASSERT_EQ(album.Count, 3);
    EXPECT_EQ(album.Fotos[0].FileName, good1);
    EXPECT_EQ(album.Fotos[1].FileName, longPath);
    EXPECT_EQ(album.Fotos[2].FileName, good2);
    ExpectLaidOut();
    EXPECT_EQ(album.SpreadCount, 3);
    EXPECT_EQ(progress.Calls.last(), QStringLiteral("close"));
    ASSERT_EQ(skipped.size(), 2);
    EXPECT_EQ(skipped[0].Path, damaged);
    EXPECT_EQ(skipped[1].Path, missing);
    const QString message = SkippedPicturesMessage(skipped);
    for (const QString& path : {damaged, missing})
        EXPECT_EQ(message.count(path), 1) << message.toStdString();
    EXPECT_TRUE(SkippedPicturesMessage({}).isEmpty());
}

TEST_F(EditingTest, AddingNothingStillReturnsToTheFrontCover) {
    album.Orientation = OrientationVertical;
    AddPictures(session, Pictures({{300, 400}, {300, 400}, {300, 400}}), PageImage, nullptr);
    session.CurrentSpread = 3;
    AddPictures(session, {}, PageImage, nullptr);
    EXPECT_EQ(album.Count, 3);
    EXPECT_EQ(session.CurrentSpread, 0);
}

TEST_F(EditingTest, DeletePictureLaysOutTheMovedEntriesWithoutReadingFiles) {
    for (quint8 orientation : {OrientationVertical, OrientationHorizontal}) {
        SCOPED_TRACE(int(orientation));
        album = TAlbum();
        album.Orientation = orientation;
        const QStringList files =
            Pictures({{400, 300}, {300, 400}, {500, 500}, {640, 200}, {200, 640}});
        AddPictures(session, files, PageImage, nullptr);
        album.Fotos[3].Note = QStringLiteral("lake");
        session.CurrentSpread = album.SpreadCount + 1; // the back cover
        session.AlbumSaved = true;
        for (const QString& f : files)
            QFile::remove(f); // the relayout must not need them

        DeletePicture(session, 1, PageImage);

        EXPECT_EQ(album.Count, 4);
        EXPECT_EQ(album.Fotos[0].FileName, files[0]);
        EXPECT_EQ(album.Fotos[1].FileName, files[2]);
        EXPECT_EQ(album.Fotos[2].Note, QStringLiteral("lake"));
        ExpectLaidOut(false);
        EXPECT_EQ(album.IndexPages, 1);
        EXPECT_EQ(album.SpreadCount, orientation == OrientationHorizontal ? 2 : 3);
        EXPECT_EQ(session.CurrentSpread, album.SpreadCount + 1) << "kept on the back cover";
        EXPECT_FALSE(session.AlbumSaved) << "a deleted picture is an unsaved change";
    }
}

TEST_F(EditingTest, DeletingTheLastPictureOfASpreadKeepsTheViewInTheAlbum) {
    album.Orientation = OrientationVertical;
    AddPictures(session, Pictures({{300, 400}, {300, 400}, {300, 400}}), PageImage, nullptr);
    ASSERT_EQ(album.SpreadCount, 3);
    session.CurrentSpread = 4;
    DeletePicture(session, 2, PageImage);
    EXPECT_EQ(album.SpreadCount, 2);
    EXPECT_EQ(session.CurrentSpread, 3);
    session.CurrentSpread = 1;
    DeletePicture(session, 0, PageImage);
    EXPECT_EQ(session.CurrentSpread, 1) << "a spread still in the album stays";
    DeletePicture(session, 5, PageImage); // no such entry
    EXPECT_EQ(album.Count, 1);
}

TEST_F(EditingTest, DeleteAllEmptiesTheAlbumAndANewAddStartsAtIndexZero) {
    album.Orientation = OrientationHorizontal;
    AddPictures(session, Pictures({{300, 400}, {300, 400}, {300, 400}, {400, 300}, {400, 300}}),
                PageImage, nullptr);
    ASSERT_EQ(album.SpreadCount, 3);
    session.CurrentSpread = 3;
    session.AlbumSaved = true;

    DeleteAllPictures(session);

    EXPECT_EQ(album.Count, 0);
    EXPECT_TRUE(album.Fotos.isEmpty());
    EXPECT_FALSE(session.AlbumSaved);
    EXPECT_EQ(album.IndexPages, 1) << "left as it was";
    EXPECT_EQ(album.SpreadCount, 1);
    EXPECT_EQ(session.CurrentSpread, 2) << "the back cover, the last spread there is";

    AddPictures(session, Pictures({{400, 300}}, QStringLiteral("again")), PageImage, nullptr);
    ASSERT_EQ(album.Count, 1);
    EXPECT_EQ(album.Fotos[0].Rect, Dimension(400, 300, album.LeftFrame1));
    EXPECT_EQ(album.SpreadCount, 2);
}

TEST_F(EditingTest, TransformGivesTheEntryItsNewRectThumbnailAndContentsRect) {
    album.Orientation = OrientationHorizontal;
    QVector<QSize> sizes(7, QSize(400, 300));
    AddPictures(session, Pictures(sizes), PageImage, nullptr);
    const TRect before = album.Fotos[6].Rect;
    const TRect cellBefore = album.Index[6].FotoRect;

    TransformPicture(session, 6, PictureTransform::Rotate90CW);

    EXPECT_EQ(ReadPictureSize(album.Fotos[6].FileName), QSize(300, 400));
    EXPECT_EQ(album.Fotos[6].Rect, Dimension(300, 400, album.RightFrame1)) << "6 mod 4 = 2";
    EXPECT_NE(album.Fotos[6].Rect, before);
    EXPECT_EQ(Shown(6).size(), RectSize(album.Fotos[6].Rect));
    EXPECT_EQ(album.Fotos[6].PictureSize, QSize(300, 400));
    EXPECT_GT(album.Index[6].FotoRect.Height(), album.Index[6].FotoRect.Width());
    EXPECT_NE(album.Index[6].FotoRect, cellBefore);
    EXPECT_FALSE(session.AlbumSaved);
}

TEST_F(EditingTest, QuarterTurnKeepsASquareAndMakesALandscapeTaller) {
    album.Orientation = OrientationVertical;
    AddPictures(session, {Picture("square.bmp", 64, 64), Picture("wide.jpg", 320, 160)}, PageImage,
                nullptr);
    const TRect square = album.Fotos[0].Rect;
    const TRect wide = album.Fotos[1].Rect;
    TransformPicture(session, 0, PictureTransform::Rotate90CCW);
    TransformPicture(session, 1, PictureTransform::Rotate90CCW);
    EXPECT_EQ(album.Fotos[0].Rect, square);
    EXPECT_GT(album.Fotos[1].Rect.Height(), wide.Height());
    EXPECT_EQ(album.Fotos[1].Rect, Dimension(160, 320, album.RightFrame1));
}

TEST_F(EditingTest, OnlyTheEntryUnderTheMenuChangesWhenAFileIsInTheAlbumTwice) {
    album.Orientation = OrientationVertical;
    const QString file = Picture("twice.jpg", 320, 160);
    AddPictures(session, {file, file}, PageImage, nullptr);
    const TFoto other = album.Fotos[1];
    TransformPicture(session, 0, PictureTransform::Rotate90CW);
    EXPECT_EQ(album.Fotos[0].PictureSize, QSize(160, 320));
    EXPECT_EQ(album.Fotos[1].Rect, other.Rect);
    EXPECT_EQ(album.Fotos[1].Picture, other.Picture);
}

TEST_F(EditingTest, FailedTransformLeavesTheEntryAsItWas) {
    album.Orientation = OrientationVertical;
    AddPictures(session, {Picture("gone.jpg", 320, 160)}, PageImage, nullptr);
    const TFoto before = album.Fotos[0];
    QFile::remove(before.FileName);
    EXPECT_THROW(TransformPicture(session, 0, PictureTransform::Rotate180), KrelError);
    EXPECT_EQ(album.Fotos[0].Rect, before.Rect);
    EXPECT_EQ(album.Fotos[0].Picture, before.Picture);
}

// Every edit that changes the album leaves it unsaved, so leaving the album asks first.
TEST_F(EditingTest, AddingDeletingAndTransformingLeaveTheAlbumUnsaved) {
    album.Orientation = OrientationHorizontal;
    const struct {
        const char* name;
        std::function<void()> edit;
    } edits[] = {
        {"add",
         [&] {
             AddPictures(session, Pictures({{40, 30}}, "add"), PageImage, nullptr);
         }},
        {"delete", [&] { DeletePicture(session, 0, PageImage); }},
        {"transform", [&] { TransformPicture(session, 0, PictureTransform::Rotate90CW); }},
    };
    AddPictures(session, Pictures({{40, 30}, {30, 40}}), PageImage, nullptr);
    for (const auto& e : edits) {
        session.AlbumSaved = true;
        e.edit();
        EXPECT_FALSE(session.AlbumSaved) << e.name;
    }
    // Nothing added, nothing changed.
    session.AlbumSaved = true;
    AddPictures(session, {dir.filePath("missing.jpg")}, PageImage, nullptr);
    EXPECT_TRUE(session.AlbumSaved);
}
