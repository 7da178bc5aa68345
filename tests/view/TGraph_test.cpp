#include "app/SoundThread.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/view/BookFixture.h"
#include "view/ui/TGraph.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// An album view over an 800 x 600 desktop (pages 333 x 499) with a scripted dialog service.
struct GraphFixture {
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    AlbumSession session;
    SoundFlags sounds;
    AppContext context;
    QStringList opened;
    int wizardClosed = 0;
    int turnSounds = 0;
    std::unique_ptr<TGraph> graph;

    explicit GraphFixture(int count = 6, int orientation = 2) {
        context.ProgramFolder = folder.Path();
        context.Dialogs = &dialogs;
        context.Session = &session;
        context.Sounds = &sounds;
        context.OpenDocument = [this](const QString& path) { opened << path; };
        context.CloseWizard = [this] { ++wizardClosed; };
        graph = std::make_unique<TGraph>(context, QSize(800, 600));
        FillAlbum(session, count, orientation);
        graph->Book().TurnSound = [this] { ++turnSounds; };
        graph->show();
    }
    ~GraphFixture() { graph->hide(); }

    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(graph.get(), static_cast<Qt::Key>(key), mods);
    }
    void Click(Qt::MouseButton button, QPoint p) { QTest::mouseClick(graph.get(), button, {}, p); }
    void Move(QPoint p) { QTest::mouseMove(graph.get(), p); }
    void Goto(int spread) {
        session.CurrentSpread = spread;
        graph->Book().Redraw();
    }
    void FinishTurn() {
        for (int n = 0; graph->Book().Turning() && n < 100; ++n)
            graph->Book().Tick();
    }
    QPoint FrameCentre(const TRect& frame, bool right) {
        const TRect s =
            OnScreen(frame, right ? session.Album.RightPageRect : session.Album.LeftPageRect);
        return {(s.Left + s.Right) / 2, (s.Top + s.Bottom) / 2};
    }
    void WriteSettings(const QByteArray& bytes) { WriteBytes(folder.File("Res.ini"), bytes); }
};

} // namespace

TEST(TGraph, ShowingStartsAtTheFrontCoverAndClosesTheWizard) {
    GraphFixture f;
    EXPECT_EQ(f.session.CurrentSpread, 0);
    EXPECT_EQ(f.wizardClosed, 1);
    EXPECT_TRUE(f.graph->HideTimer().isActive());
    EXPECT_EQ(f.graph->geometry().size(), QSize(800, 600));
    const QImage shot = f.graph->grab().toImage();
    EXPECT_EQ(shot.pixel(10, 300), QColor(Qt::black).rgb());
    EXPECT_EQ(shot.pixel(600, 300), CoverColour.rgb());
    EXPECT_EQ(shot.pixel(200, 300), QColor(Qt::black).rgb());
}

TEST(TGraph, ButtonsHaveTheirHintsAndPlaces) {
    GraphFixture f;
    struct Case {
        int number;
        const char* hint;
        QRect place;
        bool onToolbar;
    };
    const Case cases[] = {
        {8, "Add pictures in album", {0, 0, 35, 35}, true},
        {5, "Add folder", {35, 0, 35, 35}, true},
        {7, "Delete all pictures", {70, 0, 35, 35}, true},
        {6, "Save as picture", {115, 0, 35, 35}, true},
        {9, "Print", {150, 0, 35, 35}, true},
        {1, "Save album", {195, 0, 35, 35}, true},
        {10, "Exit", {230, 0, 35, 35}, true},
        {3, "Next page", {770, 495, 30, 30}, false},
        {2, "Previos page", {740, 495, 30, 30}, false},
        {11, "Start slideshow", {770, 465, 30, 30}, false},
        {12, "Stop slideshouw", {770, 465, 30, 30}, false},
        {4, "To content", {740, 465, 30, 30}, false},
    };
    for (const Case& c : cases) {
        QToolButton* b = f.graph->Button(c.number);
        ASSERT_NE(b, nullptr) << c.number;
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(c.hint));
        EXPECT_EQ(b->geometry(), c.place) << c.number;
        EXPECT_EQ(b->parentWidget() == f.graph->Panel(), c.onToolbar) << c.number;
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(b->isHidden(), c.number == 12);
    }
    EXPECT_EQ(f.graph->Panel()->geometry(), QRect(0, 0, 800, 35));
}

TEST(TGraph, PopupMenuHoldsEveryItemInOrder) {
    GraphFixture f;
    QStringList items;
    for (QAction* a : f.graph->PopupMenu()->actions()) {
        if (a->isSeparator()) {
            items << "-";
            continue;
        }
        QString item = a->objectName() + "=" + a->text();
        if (a->menu()) {
            QStringList sub;
            for (QAction* s : a->menu()->actions())
                sub << s->objectName() + "=" + s->text();
            item += "{" + sub.join(",") + "}";
        }
        items << item;
    }
    EXPECT_EQ(items,
              QStringList({"Addtext1=Add notes:", "-", "Deletepicture1=Delete picture",
                           "Deleteallpictures1=Delete all", "Addpicture1=Add pictures",
                           "Addfolder1=Add folder", "-",
                           "SetWal1=Wallpaper{Tiled1=Tiled,Stretch1=Stretch}",
                           "Rotatepicture1=Rotate picture{N90CW1=90 CW,N90CCW1=90 CCW,N1801=180,"
                           "FlipHorizontal1=Flip Horizontal,FlipVertikal1=Flip Vertikal}",
                           "-", "Saveinpicture1=Save in picture", "Print1=Print",
                           "Savealbum1=Save album", "-", "Exit1=Exit"}));
}

TEST(TGraph, ArrowKeysTurnPagesAndAreRefusedAtTheEndsAndDuringATurn) {
    GraphFixture f(4, 2); // spreads 0 .. 3
    f.Key(Qt::Key_Left);
    EXPECT_EQ(f.session.CurrentSpread, 0);
    EXPECT_EQ(f.turnSounds, 0);
    f.Key(Qt::Key_Right);
    f.Key(Qt::Key_Right); // falls into the running turn
    EXPECT_EQ(f.session.CurrentSpread, 1);
    EXPECT_EQ(f.turnSounds, 1);
    EXPECT_TRUE(f.graph->Book().TurnTimer().isActive());
    f.FinishTurn();
    f.Goto(3);
    f.Key(Qt::Key_Right);
    EXPECT_EQ(f.session.CurrentSpread, 3);
    f.Key(Qt::Key_Left);
    EXPECT_EQ(f.session.CurrentSpread, 2);
    EXPECT_EQ(f.turnSounds, 2);
}

TEST(TGraph, KeysNeedTheirExactModifiers) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int spread;      // after the key, from spread 1
        int saveDialogs; // save dialogs opened
        int messages;
        int helps;
    };
    const Case cases[] = {
        {Qt::Key_Right, Qt::NoModifier, 2, 0, 0, 0},
        {Qt::Key_Right, Qt::ShiftModifier, 1, 0, 0, 0},
        {Qt::Key_Left, Qt::ControlModifier, 1, 0, 0, 0},
        {Qt::Key_S, Qt::ControlModifier, 1, 1, 0, 0},
        {Qt::Key_S, Qt::ControlModifier | Qt::AltModifier, 1, 0, 0, 0},
        {Qt::Key_S, Qt::NoModifier, 1, 0, 0, 0},
        {Qt::Key_Escape, Qt::NoModifier, 1, 0, 1, 0},
        {Qt::Key_Escape, Qt::ShiftModifier, 1, 0, 0, 0},
        {Qt::Key_F1, Qt::NoModifier, 1, 0, 0, 1},
        {Qt::Key_F1, Qt::ControlModifier, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << c.mods.toInt());
        GraphFixture f;
        f.dialogs.MessageAnswers.enqueue(MessageResult::No);
        f.Goto(1);
        f.Key(c.key, c.mods);
        EXPECT_EQ(f.session.CurrentSpread, c.spread);
        EXPECT_EQ(f.dialogs.FileDialogs.size(), c.saveDialogs);
        EXPECT_EQ(f.dialogs.Messages.size(), c.messages);
        EXPECT_EQ(f.opened.size(), c.helps);
        EXPECT_TRUE(f.graph->isVisible());
    }
    GraphFixture f;
    f.Key(Qt::Key_F1);
    ASSERT_EQ(f.opened.size(), 1);
    EXPECT_EQ(f.opened[0], f.folder.Path() + "Help/Special thnx.htm");
}

TEST(TGraph, EscAsksOnlyWhileTheAlbumIsUnsaved) {
    {
        GraphFixture f;
        f.session.AlbumSaved = true;
        f.Key(Qt::Key_Escape);
        EXPECT_TRUE(f.dialogs.Messages.isEmpty());
        EXPECT_FALSE(f.graph->isVisible());
        EXPECT_EQ(f.session.Album.Count, 0); // closing empties the album
        EXPECT_FALSE(f.session.AlbumSaved);
    }
    {
        GraphFixture f;
        f.dialogs.MessageAnswers.enqueue(MessageResult::No);
        f.Key(Qt::Key_Escape);
        ASSERT_EQ(f.dialogs.Messages.size(), 1);
        EXPECT_EQ(f.dialogs.Messages[0].Text, "Are you sure want to quit without saving?");
        EXPECT_EQ(f.dialogs.Messages[0].Buttons, MessageButtons::YesNo);
        EXPECT_TRUE(f.graph->isVisible());
        EXPECT_EQ(f.session.Album.Count, 6);
        f.dialogs.MessageAnswers.enqueue(MessageResult::Yes);
        f.graph->Button(10)->click();
        EXPECT_FALSE(f.graph->isVisible());
        EXPECT_EQ(f.session.Album.Count, 0);
    }
}

TEST(TGraph, ContentsClickJumpsToThePictureSSpread) {
    GraphFixture f(8, 1);
    f.Goto(1);
    const TRect cell = f.session.Album.Index[5].CellRect;
    f.Click(Qt::LeftButton, f.FrameCentre(cell, false));
    EXPECT_EQ(f.session.CurrentSpread, 4);
    EXPECT_EQ(f.turnSounds, 0);
    EXPECT_FALSE(f.graph->Book().Turning());
}

TEST(TGraph, RightClickOnAPictureOpensTheMenuThere) {
    GraphFixture f(5, 2);
    TAlbum& a = f.session.Album;
    f.Goto(3); // only entry 4, in LeftFrame1
    f.Click(Qt::RightButton, f.FrameCentre(a.RightFrame1, true));
    EXPECT_FALSE(f.graph->PopupMenu()->isVisible());
    f.Click(Qt::RightButton, f.FrameCentre(a.LeftFrame1, false));
    EXPECT_TRUE(f.graph->PopupMenu()->isVisible());
    EXPECT_EQ(f.session.SelectedFoto, 4);
    f.graph->PopupMenu()->hide();
    for (int spread : {0, 1, 4}) { // covers and contents: no menu
        f.Goto(spread);
        f.Click(Qt::RightButton, f.FrameCentre(a.LeftFrame1, false));
        EXPECT_FALSE(f.graph->PopupMenu()->isVisible()) << spread;
    }
}

TEST(TGraph, PointingAtAPictureHintsItsFileName) {
    GraphFixture f(5, 2);
    f.Goto(2);
    f.Move(f.FrameCentre(f.session.Album.RightFrame2, true));
    EXPECT_EQ(f.session.SelectedFoto, 3);
    EXPECT_EQ(f.graph->toolTip(), "/pictures/p3.jpg");
    f.Move(QPoint(5, 300));
    EXPECT_EQ(f.graph->toolTip(), QString());
    EXPECT_EQ(f.session.SelectedFoto, 3);
}

TEST(TGraph, ToolbarSlidesAwayAndComesBack) {
    GraphFixture f;
    QPoint cursor(400, 300);
    f.graph->CursorPos = [&cursor] { return cursor; };
    QWidget* panel = f.graph->Panel();
    // 35 steps of a pixel every 50 ms: about 1.75 s after showing.
    for (int n = 0; n < 35; ++n)
        f.graph->Timer3Timer();
    EXPECT_EQ(panel->y(), -35);
    EXPECT_TRUE(f.graph->HideTimer().isActive());
    f.graph->Timer3Timer();
    EXPECT_FALSE(f.graph->HideTimer().isActive());
    // The mouse at the top brings it back at once.
    f.Move(QPoint(400, 20));
    EXPECT_EQ(panel->y(), 0);
    EXPECT_TRUE(f.graph->PanelShown());
    // Leaving it starts the delay; a second move does not restart it.
    f.Move(QPoint(400, 300));
    EXPECT_TRUE(f.graph->DelayTimer().isActive());
    const int remaining = f.graph->DelayTimer().remainingTime();
    f.Move(QPoint(400, 310));
    EXPECT_LE(f.graph->DelayTimer().remainingTime(), remaining);
    f.graph->Timer4Timer();
    EXPECT_FALSE(f.graph->PanelShown());
    EXPECT_FALSE(f.graph->DelayTimer().isActive());
    EXPECT_TRUE(f.graph->HideTimer().isActive());
    f.graph->Timer3Timer();
    EXPECT_EQ(panel->y(), -1);
    // A cursor in the top band while hiding puts it back.
    cursor = QPoint(400, 10);
    f.graph->Timer3Timer();
    EXPECT_EQ(panel->y(), 0);
}

TEST(TGraph, SlideshowReadsResIniAtEveryStart) {
    GraphFixture f;
    f.WriteSettings("1\r\n1\r\n7\r\n-\r\n1205x1795 - 10x15\r\n");
    f.graph->Button(11)->click();
    EXPECT_TRUE(f.graph->Show().Running());
    EXPECT_FALSE(f.graph->Show().SlideForward());
    EXPECT_EQ(f.graph->Show().Timer().interval(), 7000);
    EXPECT_TRUE(f.graph->Button(11)->isHidden());
    EXPECT_FALSE(f.graph->Button(12)->isHidden());
    f.graph->Button(12)->click();
    EXPECT_FALSE(f.graph->Show().Running());
    EXPECT_FALSE(f.graph->Button(11)->isHidden());
    EXPECT_TRUE(f.graph->Button(12)->isHidden());
    f.WriteSettings("1\r\n0\r\n5\r\n");
    f.graph->Button(11)->click();
    EXPECT_TRUE(f.graph->Show().SlideForward());
    EXPECT_TRUE(f.dialogs.Messages.isEmpty());
}

TEST(TGraph, SlideshowDoesNotStartOnBadSettings) {
    for (const char* bytes : {static_cast<const char*>(nullptr), "1\r\n0\r\nabc\r\n"}) {
        GraphFixture f;
        if (bytes)
            f.WriteSettings(bytes);
        f.graph->Button(11)->click();
        EXPECT_FALSE(f.graph->Show().Running());
        EXPECT_FALSE(f.graph->Button(11)->isHidden());
        ASSERT_EQ(f.dialogs.Messages.size(), 1);
        EXPECT_EQ(f.dialogs.Messages[0].Kind, MessageKind::Error);
    }
}

TEST(TGraph, ClosingStopsTheSlideshowAndTheTurn) {
    GraphFixture f;
    f.WriteSettings("1\r\n0\r\n1\r\n");
    f.graph->Button(11)->click();
    f.Key(Qt::Key_Right);
    f.session.AlbumSaved = true;
    f.graph->Button(10)->click();
    EXPECT_FALSE(f.graph->Show().Timer().isActive());
    EXPECT_FALSE(f.graph->Book().TurnTimer().isActive());
    EXPECT_FALSE(f.graph->HideTimer().isActive());
}

TEST(TGraph, SaveAlbumWritesTheChosenFile) {
    GraphFixture f;
    const QString target = f.folder.File("albums/holiday");
    f.dialogs.FileAnswers.enqueue(target);
    f.graph->Button(1)->click();
    EXPECT_TRUE(QFile::exists(target + ".kpa"));
    EXPECT_TRUE(f.session.AlbumSaved);
    EXPECT_EQ(f.dialogs.Texts(), QStringList({"File: holiday save successfully"}));
}

TEST(TGraph, ShowingRewritesAnAlbumThatLostPictures) {
    GraphFixture f;
    f.graph->hide();
    const QString path = f.folder.File("lost.kpa");
    f.session.PendingResavePath = path;
    f.graph->show();
    // The rewrite and its message follow once the view is on the screen, so the box stands over it.
    QCoreApplication::processEvents();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(f.session.AlbumSaved);
    EXPECT_EQ(f.dialogs.Texts(), QStringList({"File: lost.kpa save successfully"}));
}
