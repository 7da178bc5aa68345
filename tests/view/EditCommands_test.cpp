#include "view/ui/EditCommands.h"

#include "album/Album.h"
#include "platform/PictureIO.h"
#include "platform/Progress.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"
#include "view/ui/AddFolder.h"
#include "view/ui/ChangeNotes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class EditCommandsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TempProgramFolder program;
    ScriptedDialogs dialogs;
    NullProgress progress;
    AlbumSession session;
    QWidget view;
    int redraws = 0, pageShows = 0;
    QVector<DesktopWallpaper> applied;
    std::unique_ptr<EditCommands> commands;

    void SetUp() override {
        session.PageHeight = 499;
        session.PageWidth = 332;
        session.Album.Orientation = OrientationHorizontal;
        AppContext context;
        context.ProgramFolder = program.Path();
        context.Dialogs = &dialogs;
        context.ProgressWindow = &progress;
        context.Session = &session;
        commands = std::make_unique<EditCommands>(
            context, &view, [this] { ++redraws; }, [this] { ++pageShows; });
        commands->WallpaperKeyFile = dir.filePath("desktop.ini");
        commands->WallpaperFolder = dir.filePath("data/wallpaper");
        commands->ApplyWallpaper = [this](const DesktopWallpaper& w) { applied.push_back(w); };
    }
    QStringList Pictures(int n, const QString& prefix = QStringLiteral("p")) {
        QStringList files;
        for (int i = 0; i < n; ++i)
            files << WritePicture(dir.filePath(QStringLiteral("%1%2.jpg").arg(prefix).arg(i)), 40,
                                  30);
        return files;
    }
    void AddViaDialog(const QStringList& files) {
        dialogs.FilesAnswers.enqueue(files);
        commands->AddPictures();
    }
};

} // namespace

TEST_F(EditCommandsTest, AddPicturesFollowsTheDialogsRememberedFile) {
    // A first cancel stops at once.
    commands->AddPictures();
    EXPECT_EQ(pageShows, 1) << "the page the dialog covered is drawn again";
    EXPECT_EQ(redraws, 0);
    ASSERT_EQ(dialogs.FileDialogs.size(), 1);
    EXPECT_EQ(dialogs.FileDialogs[0].Filter,
              "All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp*|JPEG Image File (*.jpg)|*.jpg|"
              "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");

    const QStringList files = Pictures(3);
    session.CurrentSpread = 1;
    AddViaDialog(files);
    EXPECT_EQ(session.Album.Count, 3);
    EXPECT_EQ(session.CurrentSpread, 0);
    EXPECT_EQ(redraws, 1);

    // A cancel after a choice adds nothing but lays out and returns to the front cover.
    session.CurrentSpread = 2;
    commands->AddPictures();
    EXPECT_EQ(dialogs.FileDialogs.last().FileName, files.first());
    EXPECT_EQ(session.Album.Count, 3);
    EXPECT_EQ(session.CurrentSpread, 0);
    EXPECT_EQ(redraws, 2);
    EXPECT_TRUE(dialogs.Messages.isEmpty());
}

TEST_F(EditCommandsTest, SkippedFilesAreNamedInOneMessageAfterwards) {
    const QStringList good = Pictures(2);
    const QString bad = WriteBytes(dir.filePath("bad.jpg"), "nothing");
    AddViaDialog({good[0], bad, good[1]});
    EXPECT_EQ(session.Album.Count, 2);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains(bad));
}

TEST_F(EditCommandsTest, DeleteAllAsksInRussianFirst) {
    AddViaDialog(Pictures(3));
    dialogs.MessageAnswers.enqueue(MessageResult::No);
    commands->DeleteAll();
    EXPECT_EQ(session.Album.Count, 3);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0],
              (ShownMessage{"Вы уверены, что хотите удалить все фотографии из альбома?",
                            MessageKind::Confirmation, MessageButtons::YesNo}));
    const int before = redraws;
    commands->DeleteAll(); // answered Yes
    EXPECT_EQ(session.Album.Count, 0);
    EXPECT_EQ(redraws, before + 1);
}

TEST_F(EditCommandsTest, DeletePictureAndNoteActOnTheSelectedPicture) {
    const QStringList files = Pictures(3);
    AddViaDialog(files);
    session.SelectedFoto = 1;
    QTimer::singleShot(0, &commands->NotesDialog(), [this] {
        commands->NotesDialog().Edit1->setText("sunset");
        commands->NotesDialog().Button1->click();
    });
    commands->EditNote();
    EXPECT_EQ(session.Album.Fotos[1].Note, "sunset");
    session.SelectedFoto = 0;
    commands->DeletePicture();
    ASSERT_EQ(session.Album.Count, 2);
    EXPECT_EQ(session.Album.Fotos[0].FileName, files[1]);
    EXPECT_EQ(session.Album.Fotos[0].Note, "sunset");
}

TEST_F(EditCommandsTest, TransformRedrawsOnlyWhenTheFileWasRewritten) {
    const QStringList files = Pictures(2);
    AddViaDialog(files);
    session.SelectedFoto = 1;
    const int before = redraws;
    commands->Transform(PictureTransform::Rotate90CW);
    EXPECT_EQ(ReadPictureSize(files[1]), QSize(30, 40));
    EXPECT_EQ(session.Album.Fotos[1].PictureSize, QSize(30, 40));
    EXPECT_EQ(redraws, before + 1);

    QFile::remove(files[1]);
    commands->Transform(PictureTransform::Rotate180);
    EXPECT_EQ(redraws, before + 1);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains(files[1]));
}

TEST_F(EditCommandsTest, WallpaperTakesOnlyBitmapsAndShowsACopyWithExactlyItsStyle) {
    const QString bmp = WritePicture(dir.filePath("wall.BMP"), 40, 30);
    AddViaDialog({Pictures(1)[0], bmp});
    session.SelectedFoto = 0;
    commands->Wallpaper(WallpaperCommand::Stretch);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0], (ShownMessage{"This is file not bitmap",
                                                 MessageKind::Information, MessageButtons::Yes}));
    EXPECT_TRUE(applied.isEmpty()) << "a refused picture changes nothing";
    EXPECT_FALSE(QFile::exists(commands->WallpaperKeyFile));

    session.SelectedFoto = 1;
    for (const WallpaperCommand command : {WallpaperCommand::Tiled, WallpaperCommand::Stretch}) {
        commands->Wallpaper(command);
        ASSERT_FALSE(applied.isEmpty());
        EXPECT_TRUE(applied.last().Path.startsWith(commands->WallpaperFolder + "/"));
        EXPECT_EQ(ReadBytes(applied.last().Path), ReadBytes(bmp)) << "a copy of the picture";
        EXPECT_EQ(applied.last().Tile, command == WallpaperCommand::Tiled);
        EXPECT_EQ(applied.last().Stretch, command == WallpaperCommand::Stretch);
    }
    EXPECT_EQ(dialogs.Messages.size(), 1);

    // A desktop that does not take it: its message, and the shown copy stays as it was.
    const DesktopWallpaper shown = applied.last();
    commands->ApplyWallpaper = [](const DesktopWallpaper&) {
        throw WallpaperError("Cannot set the wallpaper: no desktop here");
    };
    commands->Wallpaper(WallpaperCommand::Tiled);
    ASSERT_EQ(dialogs.Messages.size(), 2);
    EXPECT_EQ(dialogs.Messages[1].Kind, MessageKind::Error);
    EXPECT_EQ(dialogs.Messages[1].Text, "Cannot set the wallpaper: no desktop here");
    EXPECT_EQ(QDir(commands->WallpaperFolder).entryList(QDir::Files),
              QStringList{QFileInfo(shown.Path).fileName()});
}

TEST_F(EditCommandsTest, AddFolderReturnsToTheFrontCoverAndClearsTheSavedFlag) {
    Pictures(2, "folder");
    commands->AddFolderDialog().SelectFolder(dir.path());
    session.AlbumSaved = true;
    session.CurrentSpread = 3;
    QTimer::singleShot(0, &commands->AddFolderDialog(),
                       [this] { commands->AddFolderDialog().Button1->click(); });
    commands->AddFolder();
    EXPECT_EQ(session.Album.Count, 2);
    EXPECT_EQ(session.CurrentSpread, 0);
    EXPECT_FALSE(session.AlbumSaved);
    EXPECT_EQ(redraws, 1);
}

TEST_F(EditCommandsTest, SkippedFilesAreToldOnlyAfterTheOkThatSkippedThem) {
    Pictures(1, "folder");
    WriteBytes(dir.filePath("broken.jpg"), "not a picture");
    TAddFolder& folder = commands->AddFolderDialog();
    folder.SelectFolder(dir.path());
    QTimer::singleShot(0, &folder, [&folder] { folder.Button1->click(); });
    commands->AddFolder();
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Warning);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains("broken.jpg"));

    QTimer::singleShot(0, &folder, [&folder] { folder.Button2->click(); });
    commands->AddFolder();
    EXPECT_EQ(dialogs.Messages.size(), 1) << "Close tells nothing of the earlier OK";
    EXPECT_TRUE(folder.Skipped().isEmpty());
    EXPECT_EQ(session.Album.Count, 1);
}
