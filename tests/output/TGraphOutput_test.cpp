#include "../support/ScriptedDialogs.h"
#include "OutputFixture.h"
#include "output/ui/SaveInPic.h"
#include "view/ui/TGraph.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// The album view's "Save as picture" and "Print" reached through its keys.
TEST(TGraphOutput, SaveAsPictureAndPrintRunFromTheAlbumView) {
    TempProgramFolder folder;
    WriteTheme(folder);
    WriteBytes(folder.File("Res.ini"), "1\r\n0\r\n5\r\n-\r\n300x450 - 2x3\r\n");
    QTemporaryDir out;
    ScriptedDialogs dialogs;
    AlbumSession session;
    session.Album = MakeAlbum(folder, 3, OrientationVertical);
    AppContext context;
    context.ProgramFolder = folder.Path();
    context.Dialogs = &dialogs;
    context.Session = &session;
    context.PrintQueues = [] { return QStringList{"Test queue"}; };
    TGraph graph(context, QSize(800, 600));
    graph.show();
    session.CurrentSpread = 2;

    // Ctrl+Shift+S: the save window over the toolbar's left end; "All page" saved.
    QRect panelWhileOpen;
    QString leftCaption;
    QTimer::singleShot(0, &graph, [&] {
        auto* window = qobject_cast<TSaveInPic*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        panelWhileOpen = graph.Panel()->geometry();
        leftCaption = window->RadioButton4->text();
        window->RadioButton2->setChecked(true);
        dialogs.FileAnswers.enqueue(QDir(out.path()).filePath("B"));
        window->Button1Click();
    });
    QTest::keyClick(&graph, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(leftCaption, "Left page N3");
    EXPECT_EQ(panelWhileOpen.left(), 161);
    EXPECT_EQ(panelWhileOpen.width(), 800 - 161);
    EXPECT_EQ(graph.Panel()->x(), 0);
    EXPECT_EQ(graph.Panel()->width(), 800);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 8);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Save successfully"}));

    // Ctrl+P: the dialog offers the spread's pages (5 and 6, shown from 1); cancelled.
    int from = 0, to = 0;
    dialogs.OnPrintSetup = [&](QPrinter& printer) {
        from = printer.fromPage();
        to = printer.toPage();
    };
    QTest::keyClick(&graph, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(from, 4);
    EXPECT_EQ(to, 5);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Save successfully"}));
    graph.hide();
}
