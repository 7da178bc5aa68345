#include "app/ui/MainWindow.h"
#include "app/ui/PictureControl.h"
#include "tests/app/SkinFixture.h"
#include "tests/support/ScriptedDialogs.h"
#include "themes/SkinLayout.h"

#include <QFile>

#include <QTest>
#include <gtest/gtest.h>

namespace {

const QStringList Names = {"Create", "Open", "Preferences", "Help",
                           "About",  "Exit", "WMin",        "WClose"};

// A start window over a skin of small pictures, recording what its buttons do.
struct MainFixture {
    TempProgramFolder program;
    ScriptedDialogs dialogs;
    QStringList opened; // documents and windows, in order
    int themeCount = 1;
    std::unique_ptr<TMain> main;

    MainFixture() {
        // Height, width, then left/top pairs; WMin and WClose give top first.
        WriteBytes(program.File("GraphicRes/Main/Main.ini"),
                   "300\r\n400\r\n10\r\n20\r\n10\r\n50\r\n10\r\n80\r\n10\r\n110\r\n10\r\n140\r\n"
                   "10\r\n170\r\n5\r\n330\r\n6\r\n360\r\n");
        WritePicture(program.File("GraphicRes/Main/Main.jpg"), 400, 300);
        WriteButtonPictures(program, "GraphicRes/Main", Names);
        AppContext context;
        context.ProgramFolder = program.Path();
        context.Dialogs = &dialogs;
        context.OpenDocument = [this](const QString& path) { opened << path; };
        main = std::make_unique<TMain>(context);
        main->SetActions({[this] { return themeCount; }, [this] { opened << "wizard"; },
                          [this] { opened << "preferences"; },
                          [this](const QString& path) { opened << "open:" + path; }});
    }
    [[nodiscard]] PictureControl* B(TMain::Button b) const { return main->ButtonControl(b); }
    [[nodiscard]] QString State(TMain::Button b) const { return StateOf(B(b)); }
};

} // namespace

TEST(StartWindow, LaysOutFromMainIni) {
    MainFixture f;
    EXPECT_TRUE(f.dialogs.Messages.isEmpty()) << f.dialogs.Texts().join("; ").toStdString();
    EXPECT_EQ(f.main->size(), QSize(400, 300));
    EXPECT_EQ(f.B(TMain::Create)->geometry(), QRect(10, 20, 40, 16));
    EXPECT_EQ(f.B(TMain::Exit)->pos(), QPoint(10, 170));
    EXPECT_EQ(f.B(TMain::WMin)->pos(), QPoint(330, 5));
    EXPECT_EQ(f.B(TMain::WClose)->geometry(), QRect(360, 6, 25, 25));
    EXPECT_EQ(f.State(TMain::Create), "Normal");
}

TEST(StartWindow, HoverGroupsAndReleasePictures) {
    MainFixture f;
    SendMove(f.B(TMain::Create));
    EXPECT_EQ(f.State(TMain::Create), "OnMouse");
    SendMove(f.B(TMain::Open)); // a main button resets the others of its group
    EXPECT_EQ(f.State(TMain::Create), "Normal");
    EXPECT_FALSE(f.main->Hover(TMain::Create));
    EXPECT_EQ(f.State(TMain::Open), "OnMouse");
    SendMove(f.B(TMain::WMin)); // WMin resets nothing
    EXPECT_EQ(f.State(TMain::Open), "OnMouse");
    SendMove(f.B(TMain::WClose));
    EXPECT_EQ(f.State(TMain::WMin), "OnMouse");
    EXPECT_EQ(f.State(TMain::WClose), "OnMouse");
    SendMove(f.B(TMain::Exit)); // and a main button does not reset WMin or WClose
    EXPECT_EQ(f.State(TMain::WMin), "OnMouse");
    EXPECT_EQ(f.State(TMain::Open), "Normal");
    SendMove(f.main->Background());
    for (int b = 0; b < TMain::ButtonCount; ++b) {
        EXPECT_EQ(f.State(TMain::Button(b)), "Normal") << b;
        EXPECT_FALSE(f.main->Hover(TMain::Button(b))) << b;
    }

    struct Case {
        TMain::Button button;
        const char* released;
    };
    f.themeCount = 0;
    for (const Case c : {Case{TMain::Create, "Normal"},
                         {TMain::Open, "Normal"},
                         {TMain::Preferences, "OnMouse"},
                         {TMain::Help, "OnMouse"},
                         {TMain::About, "OnMouse"},
                         {TMain::WMin, "Normal"}}) {
        Press(f.B(c.button));
        EXPECT_EQ(f.State(c.button), "OnClick") << c.released;
        Release(f.B(c.button));
        EXPECT_EQ(f.State(c.button), c.released) << Names[c.button].toStdString();
    }
}

TEST(StartWindow, ClickActionsAndReleaseOutside) {
    MainFixture f;
    Click(f.B(TMain::Create));
    Click(f.B(TMain::Open));
    Click(f.B(TMain::Preferences));
    Click(f.B(TMain::Help));
    Click(f.B(TMain::About));
    EXPECT_EQ(f.opened,
              (QStringList{"wizard", "open:", "preferences", f.program.Path() + "Help/Help.html",
                           f.program.Path() + "Help/Special thnx.htm"}));
    f.opened.clear();
    Press(f.B(TMain::Create));
    Release(f.B(TMain::Create), QPoint(-5, -5)); // released outside: no action
    EXPECT_TRUE(f.opened.isEmpty());
    EXPECT_EQ(f.State(TMain::Create), "Normal");

    f.themeCount = 0;
    Click(f.B(TMain::Create));
    EXPECT_EQ(f.dialogs.Texts(), QStringList{"Add Themes"});
    EXPECT_TRUE(f.opened.isEmpty());
}

TEST(StartWindow, KeysWithExactModifiers) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* action; // "" for nothing
    };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, "about"},
        {Qt::Key_F1, Qt::NoModifier, "about"},
        {Qt::Key_H, Qt::ControlModifier, "help"},
        {Qt::Key_N, Qt::ControlModifier, "wizard"},
        {Qt::Key_O, Qt::ControlModifier, "open:"},
        {Qt::Key_P, Qt::ControlModifier, "preferences"},
        {Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier, ""},
        {Qt::Key_A, Qt::ShiftModifier, ""},
        {Qt::Key_H, Qt::NoModifier, ""},
        {Qt::Key_N, Qt::ControlModifier | Qt::AltModifier, ""},
        {Qt::Key_Escape, Qt::ShiftModifier, ""},
    };
    for (const Case& c : cases) {
        MainFixture f;
        QTest::keyClick(f.main.get(), c.key, c.mods);
        QString got = f.opened.value(0);
        if (got.endsWith("Help.html"))
            got = "help";
        else if (got.endsWith("Special thnx.htm"))
            got = "about";
        EXPECT_EQ(got.toStdString(), c.action) << c.key << " " << c.mods;
        EXPECT_LE(f.opened.size(), 1);
    }
}

TEST(StartWindow, EscapeAndWCloseCloseIt) {
    for (bool escape : {true, false}) {
        MainFixture f;
        f.main->show();
        int closed = 0;
        QObject::connect(f.main.get(), &TMain::Closed, [&] { ++closed; });
        if (escape)
            QTest::keyClick(f.main.get(), Qt::Key_Escape);
        else
            Click(f.B(TMain::WClose));
        EXPECT_EQ(closed, 1);
        EXPECT_FALSE(f.main->isVisible());
    }
}

TEST(StartWindow, DraggedByTheBackground) {
    MainFixture f;
    f.main->move(100, 100);
    Press(f.main->Background(), QPoint(50, 50));
    SendMove(f.main->Background(), QPoint(70, 40));
    EXPECT_EQ(f.main->pos(), QPoint(120, 90));
    Release(f.main->Background(), QPoint(70, 40));
    SendMove(f.main->Background(), QPoint(90, 90));
    EXPECT_EQ(f.main->pos(), QPoint(120, 90));
}

TEST(StartWindow, MissingSkinIsReportedAndTheWindowStillWorks) {
    TempProgramFolder program;
    ScriptedDialogs dialogs;
    AppContext context;
    context.ProgramFolder = program.Path();
    context.Dialogs = &dialogs;
    TMain main(context);
    EXPECT_EQ(dialogs.Messages.size(), 2); // the layout file, and one for all the pictures
    // Without Main.ini the window and its buttons stand as the shipped skin has them.
    EXPECT_EQ(main.size(), ShippedMainSize);
    for (int b = 0; b < TMain::ButtonCount; ++b)
        EXPECT_EQ(main.ButtonControl(TMain::Button(b))->pos(), ShippedMainButtons()[b].topLeft())
            << b;
    main.SetActions({[] { return 0; }, {}, {}, {}});
    main.CreateAlbum();
    EXPECT_EQ(dialogs.Texts().last(), "Add Themes");
}

TEST(StartWindow, OneMissingPictureCostsOnlyItsButtonsLook) {
    TempProgramFolder program;
    WriteBytes(program.File("GraphicRes/Main/Main.ini"),
               "300\r\n400\r\n10\r\n20\r\n10\r\n50\r\n10\r\n80\r\n10\r\n110\r\n10\r\n140\r\n"
               "10\r\n170\r\n5\r\n330\r\n6\r\n360\r\n");
    WritePicture(program.File("GraphicRes/Main/Main.jpg"), 400, 300);
    WriteButtonPictures(program, "GraphicRes/Main", Names);
    QFile::remove(program.File("GraphicRes/Main/Open Normal.jpg"));
    QFile::remove(program.File("GraphicRes/Main/Exit OnMouse.jpg"));
    ScriptedDialogs dialogs;
    AppContext context;
    context.ProgramFolder = program.Path();
    context.Dialogs = &dialogs;
    TMain main(context);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains("Open Normal.jpg"));
    EXPECT_EQ(StateOf(main.ButtonControl(TMain::Create)), "Normal");
    PictureControl* open = main.ButtonControl(TMain::Open);
    EXPECT_TRUE(open->PicturePath().isEmpty());
    EXPECT_EQ(open->text(), "Open");
    EXPECT_EQ(open->size(), ShippedMainButtons()[TMain::Open].size());
    QStringList opened;
    main.SetActions({[] { return 1; },
                     [&] { opened << "wizard"; },
                     {},
                     [&](const QString& path) { opened << "open:" + path; }});
    Click(open);
    EXPECT_EQ(opened, QStringList{"open:"});
    // A hover picture that is missing is told once, not at every move.
    for (int i = 0; i < 3; ++i) {
        SendMove(main.ButtonControl(TMain::Exit));
        SendMove(main.Background());
    }
    EXPECT_EQ(dialogs.Messages.size(), 2);
    EXPECT_EQ(StateOf(main.ButtonControl(TMain::Exit)), "Normal");
}

TEST(StartWindow, AThemeCatalogueProblemKeepsTheWizardShutAndSaysWhy) {
    MainFixture f;
    f.main->SetActions({[] { return 2; },
                        [&] { f.opened << "wizard"; },
                        {},
                        {},
                        [] { return QStringLiteral("Res.ini counts 3 themes ... Themes.ini"); }});
    f.main->CreateAlbum();
    EXPECT_TRUE(f.opened.isEmpty());
    ASSERT_EQ(f.dialogs.Messages.size(), 1);
    EXPECT_TRUE(f.dialogs.Messages[0].Text.contains("Res.ini counts 3 themes ... Themes.ini"));
}
