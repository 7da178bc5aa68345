#include "platform/PictureIO.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/view/BookFixture.h"
#include "view/ui/EditCommands.h"
#include "view/ui/TGraph.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

int Distance(QRgb a, QColor b) {
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) +
           std::abs(qBlue(a) - b.blue());
}

} // namespace

// The editing commands reached through the album view's keys, buttons and menu, on real files.
TEST(TGraphEditing, CommandsChangeTheFilesAndTheAlbumAndRedrawIt) {
    QTemporaryDir dir;
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    AlbumSession session;
    AppContext context;
    context.ProgramFolder = folder.Path();
    context.Dialogs = &dialogs;
    context.Session = &session;
    TGraph graph(context, QSize(800, 600));
    FillAlbum(session, 0, OrientationHorizontal);
    graph.Editing().WallpaperKeyFile = dir.filePath("desktop.ini");
    graph.Editing().WallpaperFolder = dir.filePath("wallpaper");
    graph.Editing().ApplyWallpaper = [](const DesktopWallpaper&) {};
    graph.show();

    // Ctrl+O: add pictures.
    QStringList files;
    for (int i = 0; i < 5; ++i)
        files << WritePicture(dir.filePath(QStringLiteral("p%1.jpg").arg(i)), 400, 300,
                              PictureColour);
    dialogs.FilesAnswers.enqueue(files);
    QTest::keyClick(&graph, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(session.Album.Count, 5);
    EXPECT_EQ(session.CurrentSpread, 0);

    // "90 CW" on the first picture of the first picture spread: the page shows it upright.
    session.CurrentSpread = session.Album.IndexPages + 1;
    graph.Book().Redraw();
    const QPoint besideTurned(60, 150); // inside the landscape picture, outside the upright one
    EXPECT_LT(Distance(graph.Book().ShownLeft().pixel(besideTurned), PictureColour), 30);
    session.SelectedFoto = 0;
    graph.findChild<QAction*>("N90CW1")->trigger();
    EXPECT_EQ(ReadPictureSize(files[0]), QSize(300, 400));
    EXPECT_GT(Distance(graph.Book().ShownLeft().pixel(besideTurned), PictureColour), 60);

    // Delete picture, then Delete all from the toolbar, confirmed.
    session.SelectedFoto = 4;
    graph.findChild<QAction*>("Deletepicture1")->trigger();
    EXPECT_EQ(session.Album.Count, 4);
    EXPECT_EQ(session.Album.SpreadCount, 2);
    graph.Button(7)->click();
    EXPECT_EQ(session.Album.Count, 0);
    ASSERT_FALSE(dialogs.Messages.isEmpty());
    EXPECT_EQ(dialogs.Messages.last().Buttons, MessageButtons::YesNo);
    graph.hide();
}
