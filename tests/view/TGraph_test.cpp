#include "app/SoundThread.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/view/BookFixture.h"
#include "view/ui/TGraph.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <functional>
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
    void Wheel(int delta) {
        QWheelEvent e(QPointF(400, 300), QPointF(400, 300), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(graph.get(), &e);
    }
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

TEST(TGraph, ArrowKeysTurnPagesAndKeepOneKeyDuringATurn) {
    GraphFixture f(4, 2); // spreads 0 .. 3
    f.Key(Qt::Key_Left);
    EXPECT_EQ(f.session.CurrentSpread, 0);
    EXPECT_EQ(f.turnSounds, 0);
    f.Key(Qt::Key_Right);
    f.Key(Qt::Key_Right); // kept until the running turn ends
    f.Key(Qt::Key_Right); // one key at most is kept
    EXPECT_EQ(f.session.CurrentSpread, 1);
    EXPECT_EQ(f.turnSounds, 1);
    EXPECT_TRUE(f.graph->Book().TurnTimer().isActive());
    f.FinishTurn();
    EXPECT_EQ(f.session.CurrentSpread, 2);
    EXPECT_EQ(f.turnSounds, 2);
    f.FinishTurn();
    EXPECT_FALSE(f.graph->Book().Turning());
    EXPECT_EQ(f.session.CurrentSpread, 2);
    f.Goto(3);
    f.Key(Qt::Key_Right);
    EXPECT_EQ(f.session.CurrentSpread, 3);
    f.Key(Qt::Key_Left);
    EXPECT_EQ(f.session.CurrentSpread, 2);
    EXPECT_EQ(f.turnSounds, 3);
}

TEST(TGraph, BrowsingKeysAndTheWheel) {
    struct Case {
        std::function<void(GraphFixture&)> input;
        const char* what;
        int from;
        int to;
        int sounds;
    };
    auto key = [](Qt::Key k) { return [k](GraphFixture& f) { f.Key(k); }; };
    auto wheel = [](int delta) { return [delta](GraphFixture& f) { f.Wheel(delta); }; };
    // 12 pictures in layout 2: spreads 0 .. 5.
    const Case cases[] = {
        {key(Qt::Key_PageDown), "PageDown", 2, 3, 1},
        {key(Qt::Key_Space), "Space", 2, 3, 1},
        {key(Qt::Key_PageUp), "PageUp", 2, 1, 1},
        {key(Qt::Key_Backspace), "Backspace", 2, 1, 1},
        {key(Qt::Key_Home), "Home far", 3, 0, 0},
        {key(Qt::Key_Home), "Home near", 1, 0, 1},
        {key(Qt::Key_End), "End far", 1, 5, 0},
        {key(Qt::Key_End), "End near", 4, 5, 1},
        {wheel(-120), "wheel down", 2, 3, 1},
        {wheel(120), "wheel up", 2, 1, 1},
        {wheel(-60), "half a notch", 2, 2, 0},
        {[](GraphFixture& f) {
             for (int n = 0; n < 4; ++n) // a touchpad's small steps add up
                 f.Wheel(-30);
         },
         "four quarter notches", 2, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GraphFixture f(12, 2);
        f.Goto(c.from);
        c.input(f);
        EXPECT_EQ(f.session.CurrentSpread, c.to);
        EXPECT_EQ(f.turnSounds, c.sounds);
        f.FinishTurn();
    }
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
        EXPECT_EQ(f.dialogs.Messages[0].Buttons, MessageButtons::YesNoDefaultNo);
        EXPECT_TRUE(f.graph->isVisible());
        EXPECT_EQ(f.session.Album.Count, 6);
        f.dialogs.MessageAnswers.enqueue(MessageResult::Yes);
        f.graph->Button(10)->click();
        EXPECT_FALSE(f.graph->isVisible());
        EXPECT_EQ(f.session.Album.Count, 0);
    }
}

// Every way out of the view guards an unsaved album the same way.
TEST(TGraph, EveryWayOfClosingAsksWhileTheAlbumIsUnsaved) {
    const struct {
        const char* way;
        std::function<void(GraphFixture&)> close;
    } ways[] = {
        {"Exit button", [](GraphFixture& f) { f.graph->Button(10)->click(); }},
        {"menu",
         [](GraphFixture& f) {
             for (QAction* a : f.graph->PopupMenu()->actions())
                 if (a->objectName() == "Exit1")
                     a->trigger();
         }},
        {"Esc", [](GraphFixture& f) { f.Key(Qt::Key_Escape); }},
        {"window manager",
         [](GraphFixture& f) {
             // What the platform delivers for WM_DELETE_WINDOW (Alt+F4, the title bar's close).
             QCloseEvent event;
             QCoreApplication::sendEvent(f.graph->windowHandle(), &event);
         }},
        {"end of the session", [](GraphFixture& f) { f.graph->EndSession(); }},
    };
    for (const auto& w : ways) {
        GraphFixture f;
        ASSERT_NE(f.graph->windowHandle(), nullptr);
        f.dialogs.MessageAnswers.enqueue(MessageResult::No);
        w.close(f);
        ASSERT_EQ(f.dialogs.Messages.size(), 1) << w.way;
        EXPECT_EQ(f.dialogs.Messages[0].Text, "Are you sure want to quit without saving?");
        EXPECT_TRUE(f.graph->isVisible()) << w.way;
        EXPECT_EQ(f.session.Album.Count, 6) << w.way;
        f.dialogs.MessageAnswers.enqueue(MessageResult::Yes);
        w.close(f);
        EXPECT_EQ(f.dialogs.Messages.size(), 2) << w.way; // asked once more, not twice
        EXPECT_FALSE(f.graph->isVisible()) << w.way;
        EXPECT_EQ(f.session.Album.Count, 0) << w.way;
    }
    for (const auto& w : ways) {
        GraphFixture f;
        f.session.AlbumSaved = true;
        w.close(f);
        EXPECT_TRUE(f.dialogs.Messages.isEmpty()) << w.way;
        EXPECT_FALSE(f.graph->isVisible()) << w.way;
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

TEST(TGraph, HintGoesWhenThePointerLeavesThePicture) {
    GraphFixture f(5, 2);
    f.Goto(2);
    const QPoint inside = f.FrameCentre(f.session.Album.RightFrame2, true);
    auto askHint = [&](QPoint p) {
        QHelpEvent help(QEvent::ToolTip, p, f.graph->mapToGlobal(p));
        QApplication::sendEvent(f.graph.get(), &help);
    };
    struct Case {
        const char* what;
        std::function<void()> leave;
    };
    const Case cases[] = {
        {"to the page margin", [&] { f.Move(QPoint(5, 300)); }},
        {"to another picture", [&] { f.Move(f.FrameCentre(f.session.Album.RightFrame1, true)); }},
        {"out of the window",
         [&] {
             QEvent leave(QEvent::Leave);
             QApplication::sendEvent(f.graph.get(), &leave);
         }},
    };
    // A hidden hint fades for a moment, as every hint of the platform does.
    auto hintGone = [] {
        QDeadlineTimer patience(5000);
        while (QToolTip::isVisible() && !patience.hasExpired())
            QTest::qWait(20);
        return !QToolTip::isVisible();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f.Move(inside);
        askHint(inside);
        ASSERT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), "/pictures/p3.jpg");
        c.leave();
        EXPECT_TRUE(hintGone());
    }
    // Over no picture there is no hint at all.
    askHint(QPoint(5, 300));
    EXPECT_TRUE(hintGone());
}

TEST(TGraph, HoveredButtonsKeepTheirGlyphsVisible) {
    GraphFixture f;
    for (int number : {2, 3, 4, 11, 10}) {
        SCOPED_TRACE(number);
        QToolButton* b = f.graph->Button(number);
        const QImage plain = b->grab().toImage();
        b->setAttribute(Qt::WA_UnderMouse, true);
        const QImage hovered = b->grab().toImage();
        b->setAttribute(Qt::WA_UnderMouse, false);
        // The hover is seen: the square behind the glyph lights up a little.
        const QPoint corner(2, 2);
        EXPECT_NE(hovered.pixel(corner), plain.pixel(corner));
        // The glyph's brightest pixel still stands well above the hover square.
        int brightest = 0;
        for (int y = 0; y < hovered.height(); ++y)
            for (int x = 0; x < hovered.width(); ++x)
                brightest = std::max(brightest, qGray(hovered.pixel(x, y)));
        EXPECT_GT(brightest - qGray(hovered.pixel(corner)), 100);
    }
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

TEST(TGraph, SlideshowWaitsUnderTheExitQuestion) {
    for (MessageResult answer : {MessageResult::No, MessageResult::Yes}) {
        SCOPED_TRACE(int(answer));
        GraphFixture f;
        f.WriteSettings("1\r\n0\r\n1\r\n");
        f.Goto(1);
        f.graph->Button(11)->click();
        ASSERT_TRUE(f.graph->Show().Timer().isActive());
        bool asked = false;
        f.dialogs.OnMessage = [&](const ShownMessage&) {
            asked = true;
            EXPECT_TRUE(f.graph->Show().Held());
            EXPECT_FALSE(f.graph->Show().Timer().isActive());
            f.graph->Show().Slide(); // a slide falling due under the question turns nothing
            EXPECT_EQ(f.session.CurrentSpread, 1);
            EXPECT_FALSE(f.graph->Book().Turning());
        };
        f.dialogs.MessageAnswers.enqueue(answer);
        f.Key(Qt::Key_Escape);
        ASSERT_TRUE(asked);
        EXPECT_FALSE(f.graph->Show().Held());
        // No keeps the view and the show goes on; Yes closes the view and the show with it.
        EXPECT_EQ(f.graph->isVisible(), answer == MessageResult::No);
        EXPECT_EQ(f.graph->Show().Running(), answer == MessageResult::No);
        EXPECT_EQ(f.graph->Show().Timer().isActive(), answer == MessageResult::No);
    }
}

TEST(TGraph, SlideshowWaitsUnderDialogsAndMenusOfTheView) {
    GraphFixture f;
    f.WriteSettings("1\r\n0\r\n1\r\n");
    f.graph->Button(11)->click();
    QDialog dialog(f.graph.get());
    dialog.show();
    EXPECT_FALSE(f.graph->Show().Timer().isActive());
    f.graph->PopupMenu()->popup(QPoint(100, 100)); // two covers at once
    dialog.hide();
    EXPECT_FALSE(f.graph->Show().Timer().isActive());
    f.graph->PopupMenu()->hide();
    EXPECT_TRUE(f.graph->Show().Timer().isActive());
    {
        QDialog gone(f.graph.get());
        gone.show();
        EXPECT_FALSE(f.graph->Show().Timer().isActive());
    } // destroyed while shown
    EXPECT_TRUE(f.graph->Show().Timer().isActive());
    EXPECT_TRUE(f.graph->Show().Running());
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
