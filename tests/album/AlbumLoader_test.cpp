#include "album/AlbumLoader.h"

#include "album/Album.h"
#include "album/AlbumFile.h"
#include "album/AlbumSave.h"
#include "album/Geometry.h"
#include "album/SpreadThumbnails.h"
#include "album/ThumbnailStore.h"
#include "app/AppContext.h"
#include "platform/FileNames.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Watches the progress window the way the user sees it.
class WatchedProgress : public Progress {
public:
    void SetRange(int, int maximum) override { max = maximum; }
    void SetPosition(int p) override { pos = p; }
    [[nodiscard]] int Position() const override { return pos; }
    [[nodiscard]] int Maximum() const override { return max; }
    void Show() override { shown = true; }
    void Advance(int steps) override {
        pos += steps;
        advances << pos;
    }
    void Close() override { shown = false; }
    int max = 100, pos = -1;
    bool shown = false;
    QVector<int> advances;
};

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

class AlbumLoaderTest : public ::testing::Test {
protected:
    ~AlbumLoaderTest() override { RemoveTreeByBytes(pictures.path()); }
    TempProgramFolder program;
    QTemporaryDir pictures;
    AlbumSession session;
    ScriptedDialogs dialogs;
    WatchedProgress progress;
    AppContext context;
    int viewShown = 0;
    // What the album view saw when it was shown.
    TAlbum seen;
    bool progressShownWithView = false;

    void SetUp() override {
        for (const char* name : {"Cover", "Left", "Right", "Back"})
            WritePicture(program.File(QStringLiteral("Themes/Classic/%1.jpg").arg(name)), 60, 90);
        session.PageHeight = 499;
        session.PageWidth = 332;
        context.ProgramFolder = program.Path();
        context.Dialogs = &dialogs;
        context.ProgressWindow = &progress;
        context.Session = &session;
        // The album view rewrites a pending album when shown and empties the album when closed.
        context.ShowAlbumView = [this] {
            ++viewShown;
            seen = session.Album;
            progressShownWithView = progress.shown;
            RewritePendingAlbum(session, dialogs);
            EmptyAlbum(session);
        };
    }

    QString Picture(const QString& name, int w = 400, int h = 300) {
        return WritePicture(pictures.filePath(name), w, h);
    }
    QString Missing(const QString& name) { return pictures.filePath(name); }

    // An album file of the Classic theme with the given picture paths.
    QString WriteAlbum(const QString& name, const QStringList& paths, int orientation = 2,
                       const QString& coverPath = "\\Themes\\Classic\\Cover.jpg",
                       const QString& indexPages = "1") {
        QStringList lines{AlbumFileHeader,
                          "notice",
                          "holiday.kpa",
                          "Classic",
                          coverPath,
                          "\\Themes\\Classic\\Left.jpg",
                          "Themes\\Classic\\Right.jpg",
                          "\\Themes\\\\Classic\\Back.jpg",
                          QString::number(orientation),
                          QString::number(paths.size()),
                          indexPages};
        for (int i = 0; i < paths.size(); ++i)
            lines << paths[i] << QStringLiteral("note %1").arg(i);
        const QString path = pictures.filePath(name);
        WriteLines(path, lines);
        return path;
    }

    void ExpectEmptyAlbum() {
        EXPECT_EQ(viewShown, 0);
        EXPECT_TRUE(session.Album.Fotos.isEmpty());
        EXPECT_EQ(session.Album.Count, 0);
        EXPECT_TRUE(session.PendingResavePath.isEmpty());
        EXPECT_FALSE(progress.shown);
    }
};

} // namespace

TEST_F(AlbumLoaderTest, LoadsThemeRectsThumbnailsAndContents) {
    const QString file = WriteAlbum(
        "holiday.kpa", {Picture("a.jpg"), Picture("b.jpg", 300, 400), Picture("c.bmp", 200, 200)},
        2, "\\Themes\\Classic\\Cover.jpg", "77");
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Shown);
    EXPECT_TRUE(dialogs.FileDialogs.isEmpty());
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    ASSERT_EQ(viewShown, 1);
    EXPECT_FALSE(progressShownWithView);
    EXPECT_EQ(progress.max, 6);
    // The three headers are read at once, as one step.
    EXPECT_EQ(progress.advances, (QVector<int>{0, 1, 2, 5, 6}));

    EXPECT_EQ(seen.Name, "holiday.kpa");
    EXPECT_EQ(seen.Count, 3);
    EXPECT_EQ(seen.IndexPages, 1); // line 11 is derived again
    EXPECT_EQ(seen.SpreadCount, 2);
    EXPECT_EQ(seen.Fotos[1].Note, "note 1");
    for (const QImage* theme :
         {&seen.Cover, &seen.LeftBackground, &seen.RightBackground, &seen.BackCover})
        EXPECT_EQ(theme->size(), QSize(333, 499));
    const PageFrames frames = FramesFor(2, 333, 499);
    const QSize sizes[] = {{400, 300}, {300, 400}, {200, 200}};
    for (int i = 0; i < 3; ++i) {
        const TFoto& f = seen.Fotos[i];
        EXPECT_EQ(f.Rect, Dimension(sizes[i], FrameOf(frames, FrameSlotOf(2, i)))) << i;
        EXPECT_TRUE(f.Picture.isNull()) << i; // made when a spread shows it
        EXPECT_EQ(seen.Index[i].CellRect, ContentsCell(i, 333, 499)) << i;
        EXPECT_FALSE(seen.Index[i].FotoRect.IsEmpty()) << i;
    }
    EXPECT_FALSE(session.AlbumSaved);
    // The picture spread's frames and the contents cells, each at its own size.
    ASSERT_TRUE(seen.Thumbnails);
    for (int spread : {1, 2}) {
        const QVector<ThumbnailRequest> wanted = SpreadThumbnails(seen, spread);
        ASSERT_EQ(wanted.size(), 3);
        const QVector<QImage> images = seen.Thumbnails->Fetch(wanted);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(images[i].size(), wanted[i].Size) << spread << " " << i;
    }
}

TEST_F(AlbumLoaderTest, OpenDialogStartsInAlbumsAndCancelLeavesTheAlbum) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    session.Album.Name = "kept";
    EXPECT_EQ(OpenAlbum(context, QString()), LoadResult::Cancelled);
    QDir(home.path()).mkdir("Albums");
    EXPECT_EQ(OpenAlbum(context, pictures.filePath("no such file.kpa")), LoadResult::Cancelled);
    qputenv("HOME", oldHome);

    ASSERT_EQ(dialogs.FileDialogs.size(), 2);
    EXPECT_EQ(dialogs.FileDialogs[0].Filter, "Krel Photo Album|*.kpa");
    EXPECT_EQ(dialogs.FileDialogs[0].Folder, "");
    EXPECT_EQ(dialogs.FileDialogs[1].Folder, home.filePath("Albums"));
    EXPECT_EQ(session.Album.Name, "kept");
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_EQ(viewShown, 0);
}

TEST_F(AlbumLoaderTest, FileChosenInTheDialogLoads) {
    dialogs.FileAnswers << WriteAlbum("chosen.kpa", {Picture("a.jpg")});
    EXPECT_EQ(OpenAlbum(context, QString()), LoadResult::Shown);
    EXPECT_EQ(seen.Count, 1);
}

TEST_F(AlbumLoaderTest, MissingThemeStopsTheLoad) {
    const QString file = WriteAlbum("a.kpa", {Picture("a.jpg"), Missing("gone.jpg")}, 2,
                                    "\\Themes\\Classic\\NoCover.jpg");
    const QByteArray before = ReadAll(file);
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Failed);
    EXPECT_EQ(dialogs.Texts(), (QStringList{"File theme not found", "File picture not found"}));
    EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(dialogs.Messages[1].Kind, MessageKind::Warning);
    ExpectEmptyAlbum();
    EXPECT_EQ(ReadAll(file), before);
}

TEST_F(AlbumLoaderTest, AllPicturesMissing) {
    const QString file = WriteAlbum("a.kpa", {Missing("x.jpg"), Missing("y.jpg")});
    const QByteArray before = ReadAll(file);
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::NoPictures);
    EXPECT_EQ(dialogs.Texts(), (QStringList{"No pictures found", "File picture not found"}));
    EXPECT_EQ(progress.pos, progress.max);
    ExpectEmptyAlbum();
    EXPECT_EQ(ReadAll(file), before);
}

TEST_F(AlbumLoaderTest, DroppedPicturesAreRewrittenBesideAFileOfAnotherExtension) {
    const QString a = Picture("a.jpg"), c = Picture("c.jpg");
    const QString file = WriteAlbum("album.txt", {a, Missing("b.jpg"), c});
    const QByteArray before = ReadAll(file);
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Shown);
    EXPECT_EQ(dialogs.Texts(),
              (QStringList{"File: album.txt save successfully", "File picture not found"}));
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(session.SaveDialogFileName, file);
    EXPECT_TRUE(session.PendingResavePath.isEmpty());
    ASSERT_EQ(seen.Count, 2);

    // The rewritten file is an ordinary album file without the dropped entry.
    const QString rewritten = file + ".kpa";
    dialogs.Messages.clear();
    EXPECT_EQ(OpenAlbum(context, rewritten), LoadResult::Shown);
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_EQ(seen.Name, "album.txt");
    ASSERT_EQ(seen.Count, 2);
    EXPECT_EQ(seen.Fotos[0].FileName, a);
    EXPECT_EQ(seen.Fotos[1].FileName, c);
    EXPECT_EQ(seen.Fotos[1].Note, "note 2");

    // ... identical to what "Save album" writes for the same album.
    const QString saved = pictures.filePath("saved.kpa");
    seen.Name = "album.txt";
    WriteAlbumFile(saved, seen);
    EXPECT_EQ(ReadAll(saved), ReadAll(rewritten));
}

TEST_F(AlbumLoaderTest, DamagedFilesStopWithAnErrorNamingTheFile) {
    const struct {
        const char* what;
        int orientation;
        const char* count;
    } cases[] = {{"layout 3", 3, "1"},
                 {"layout 0", 0, "1"},
                 {"negative count", 2, "-4"},
                 {"count not a number", 2, "many"}};
    for (const auto& c : cases) {
        QStringList lines{AlbumFileHeader,
                          "n",
                          "holiday",
                          "Classic",
                          "\\Themes\\Classic\\Cover.jpg",
                          "\\Themes\\Classic\\Left.jpg",
                          "\\Themes\\Classic\\Right.jpg",
                          "\\Themes\\Classic\\Back.jpg",
                          QString::number(c.orientation),
                          c.count,
                          "1",
                          Picture("a.jpg"),
                          "note"};
        const QString file = pictures.filePath("damaged.kpa");
        WriteLines(file, lines);
        dialogs.Messages.clear();
        session.PendingResavePath = "/somewhere/else.kpa";
        EXPECT_EQ(OpenAlbum(context, file), LoadResult::Failed) << c.what;
        ASSERT_EQ(dialogs.Messages.size(), 1) << c.what;
        EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Error);
        EXPECT_TRUE(dialogs.Messages[0].Text.contains(file))
            << dialogs.Messages[0].Text.toStdString();
        ExpectEmptyAlbum();
    }
}

TEST_F(AlbumLoaderTest, HugeCountInAShortFileLoadsTheEntriesPresent) {
    QStringList lines{AlbumFileHeader,
                      "n",
                      "holiday",
                      "Classic",
                      "\\Themes\\Classic\\Cover.jpg",
                      "\\Themes\\Classic\\Left.jpg",
                      "\\Themes\\Classic\\Right.jpg",
                      "\\Themes\\Classic\\Back.jpg",
                      "1",
                      "2000000000",
                      "1",
                      Picture("a.jpg"),
                      "n"};
    const QString file = pictures.filePath("huge.kpa");
    WriteLines(file, lines);
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Shown);
    EXPECT_EQ(seen.Count, 1);
    EXPECT_EQ(progress.max, 4);
}

TEST_F(AlbumLoaderTest, UndecodablePictureStopsTheLoad) {
    const QString broken = WriteBytes(pictures.filePath("broken.jpg"), "not a picture at all");
    const QString file = WriteAlbum("a.kpa", {Picture("a.jpg"), broken, Picture("c.jpg")});
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Failed);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains(broken))
        << dialogs.Messages[0].Text.toStdString();
    ExpectEmptyAlbum();
}

TEST_F(AlbumLoaderTest, ThumbnailsOfManyEntriesArriveInAlbumOrder) {
    QStringList paths;
    for (int i = 0; i < 12; ++i)
        paths << WritePicture(pictures.filePath(QStringLiteral("p%1.jpg").arg(i)), 100 + 40 * i,
                              300, QColor(20 * i, 100, 50));
    EXPECT_EQ(OpenAlbum(context, WriteAlbum("many.kpa", paths)), LoadResult::Shown);
    ASSERT_EQ(seen.Count, 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(seen.Fotos[i].FileName, paths[i]);
        EXPECT_EQ(seen.Fotos[i].PictureSize, QSize(100 + 40 * i, 300)) << i;
        const QImage thumbnail = seen.Thumbnails->Fetch(
            {{paths[i], seen.Fotos[i].PictureSize, RectSize(seen.Fotos[i].Rect)}})[0];
        EXPECT_EQ(thumbnail.size(), RectSize(seen.Fotos[i].Rect)) << i;
        EXPECT_NEAR(thumbnail.pixelColor(thumbnail.rect().center()).red(), 20 * i, 8) << i;
    }
}

TEST_F(AlbumLoaderTest, AnOpenDuringALoadStartsNoSecondLoad) {
    const QString first = WriteAlbum("first.kpa", {Picture("a.jpg")});
    const QString second = WriteAlbum("second.kpa", {Picture("b.jpg"), Picture("c.jpg")});
    LoadResult inner = LoadResult::Shown;
    context.ShowAlbumView = [&] {
        ++viewShown;
        inner = OpenAlbum(context, second);
        EmptyAlbum(session);
    };
    EXPECT_EQ(OpenAlbum(context, first), LoadResult::Shown);
    EXPECT_EQ(inner, LoadResult::Cancelled);
    EXPECT_EQ(viewShown, 1);
    // Once the first load is over, opening works again.
    EXPECT_EQ(OpenAlbum(context, second), LoadResult::Shown);
}

// A picture whose header is whole but whose data is cut short passes the size reads at opening;
// it is found when its thumbnail is made, beside others being made at once: its frame stays
// empty, its message names it once, and everything else is shown.
TEST_F(AlbumLoaderTest, APictureCutShortIsFoundWhenItsSpreadIsShown) {
    const struct {
        int count;
        int damaged;
    } places[] = {{2, 0}, {2, 1}, {3, 0}, {3, 1}, {3, 2}, {50, 0}, {50, 25}, {50, 49}};
    for (const char* ext : {"jpg", "bmp"}) {
        for (const auto& c : places) {
            const std::string what =
                QStringLiteral("%1 of %2 (%3)").arg(c.damaged).arg(c.count).arg(ext).toStdString();
            QStringList paths;
            for (int i = 0; i < c.count; ++i)
                paths << Picture(
                    QStringLiteral("p%1-%2-%3.%4").arg(i).arg(c.damaged).arg(c.count).arg(ext), 400,
                    300);
            QByteArray bytes = ReadAll(paths[c.damaged]);
            bytes.truncate(bytes.size() * 6 / 10);
            WriteBytes(paths[c.damaged], bytes);
            dialogs.Messages.clear();
            ASSERT_EQ(OpenAlbum(context, WriteAlbum("cut.kpa", paths)), LoadResult::Shown) << what;
            EXPECT_TRUE(dialogs.Messages.isEmpty()) << what;
            for (int spread = 1; spread <= seen.SpreadCount; ++spread) {
                const QVector<ThumbnailRequest> wanted = SpreadThumbnails(seen, spread);
                const QVector<QImage> images = seen.Thumbnails->Fetch(wanted);
                for (int i = 0; i < wanted.size(); ++i)
                    EXPECT_EQ(images[i].isNull(), wanted[i].Path == paths[c.damaged]) << what;
            }
            const QStringList failures = seen.Thumbnails->TakeFailures();
            ASSERT_EQ(failures.size(), 1) << what;
            EXPECT_TRUE(failures[0].contains(paths[c.damaged])) << failures[0].toStdString();
            EXPECT_TRUE(failures[0].contains(QLatin1String("damaged")))
                << failures[0].toStdString();
        }
    }
}

// A long path names the same file as a short one: the entry is kept, and nothing is rewritten.
TEST_F(AlbumLoaderTest, LongPicturePathsLoadInFull) {
    QDir(pictures.path()).mkpath(QString(200, QLatin1Char('d')));
    const QString e100(100, QChar(0xE9));
    const QString accented = Picture(e100 + "/" + e100 + ".jpg"); // beyond 255 bytes
    const QString deep =
        Picture(QString(200, QLatin1Char('d')) + "/" + QString(100, QLatin1Char('f')) + ".jpg");
    ASSERT_GT(accented.toUtf8().size(), ShortFieldMax);
    ASSERT_GT(deep.size(), 300);
    const QString file = WriteAlbum("long.kpa", {accented, deep});
    const QByteArray before = ReadAll(file);
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Shown);
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    ASSERT_EQ(seen.Count, 2);
    EXPECT_EQ(seen.Fotos[0].FileName, accented);
    EXPECT_EQ(seen.Fotos[1].FileName, deep);
    EXPECT_EQ(ReadAll(file), before);
}

// A picture above the pixel limit whose scaled decode fits it is shown like any other.
TEST_F(AlbumLoaderTest, AHugePictureIsShownFromItsScaledDecode) {
    const QString huge = WriteBytes(pictures.filePath("huge.jpg"), FlatGreyJpeg(16000, 16000));
    const QString file = WriteAlbum("huge.kpa", {Picture("a.jpg"), huge, Picture("c.jpg")});
    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Shown);
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    ASSERT_EQ(seen.Count, 3);
    EXPECT_EQ(seen.Fotos[1].PictureSize, QSize(16000, 16000));
    const QImage thumbnail = seen.Thumbnails->Fetch(
        {{huge, seen.Fotos[1].PictureSize, RectSize(seen.Fotos[1].Rect)}})[0];
    ASSERT_EQ(thumbnail.size(), RectSize(seen.Fotos[1].Rect));
    EXPECT_NEAR(qGray(thumbnail.pixel(5, 5)), 128, 2);
}

// An album made on Windows: the theme name and a note in 8 bits, a picture whose file name holds
// the 8-bit byte \xE9 (as an unzipped archive leaves it), one in UTF-8, and one missing. The
// automatic rewrite drops only the missing entry and keeps every other byte.
TEST_F(AlbumLoaderTest, RewriteKeepsTheBytesOfNamesNotesAndPictureFileNames) {
    const QByteArray folder = PathBytes(pictures.path()) + '/';
    const QByteArray latin = folder + "caf\xE9.jpg", utf8 = folder + "\xC3\xA9t\xC3\xA9.bmp";
    (void)Picture(PathFromBytes("caf\xE9.jpg"));
    (void)Picture(QString::fromUtf8("\xC3\xA9t\xC3\xA9.bmp"), 200, 300);
    ASSERT_EQ(FileNameBytesIn(pictures.path()),
              (QByteArrayList{"caf\xE9.jpg", "\xC3\xA9t\xC3\xA9.bmp"}));
    const QByteArray head = QByteArray(AlbumFileHeader) + "\r\n" + AlbumFileNotice +
                            "\r\nholiday.kpa\r\nCaf\xE9 Theme\r\n"
                            "\\Themes\\Classic\\Cover.jpg\r\n\\Themes\\Classic\\Left.jpg\r\n"
                            "\\Themes\\Classic\\Right.jpg\r\n\\Themes\\Classic\\Back.jpg\r\n2\r\n";
    const QByteArray first = latin + "\r\nCaf\xE9 au lait\r\n";
    const QByteArray missing = folder + "gone\xE9.jpg\r\nlost\r\n";
    const QByteArray last = utf8 + "\r\n\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\r\n";
    const QString file =
        WriteBytes(pictures.filePath("holiday.kpa"), head + "3\r\n1\r\n" + first + missing + last);

    EXPECT_EQ(OpenAlbum(context, file), LoadResult::Shown);
    ASSERT_EQ(seen.Count, 2);
    EXPECT_EQ(seen.ThemeName, QString::fromUtf8("Caf\xC3\xA9 Theme"));
    EXPECT_EQ(PathBytes(seen.Fotos[0].FileName), latin);
    EXPECT_EQ(seen.Fotos[0].Note, QString::fromUtf8("Caf\xC3\xA9 au lait"));
    // The picture opens by its bytes.
    const QImage thumbnail = seen.Thumbnails->Fetch(
        {{seen.Fotos[0].FileName, seen.Fotos[0].PictureSize, RectSize(seen.Fotos[0].Rect)}})[0];
    EXPECT_EQ(thumbnail.size(), RectSize(seen.Fotos[0].Rect));
    EXPECT_FALSE(thumbnail.isNull());
    EXPECT_EQ(PathBytes(seen.Fotos[1].FileName), utf8);
    EXPECT_EQ(seen.Fotos[1].Note, QString::fromUtf8("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_EQ(dialogs.Texts(),
              (QStringList{"File: holiday.kpa save successfully", "File picture not found"}));
    EXPECT_EQ(ReadAll(file), head + "2\r\n1\r\n" + first + last);

    // A note the user changed is new text, written as UTF-8; the rest keeps its bytes.
    seen.Fotos[0].Note = QString::fromUtf8("Caf\xC3\xA9 cr\xC3\xA8me");
    const QString saved = pictures.filePath("saved.kpa");
    WriteAlbumFile(saved, seen);
    EXPECT_EQ(ReadAll(saved),
              head + "2\r\n1\r\n" + latin + "\r\nCaf\xC3\xA9 cr\xC3\xA8me\r\n" + last);
}
