#include "view/ui/AddFolder.h"
#include "view/ui/ChangeNotes.h"

#include "album/Album.h"
#include "platform/Progress.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// Counts how often the progress window was shown.
class CountingProgress : public NullProgress {
public:
    int Shown = 0;
    void Show() override { ++Shown; }
};

class EditDialogsTest : public ::testing::Test {
protected:
    TempProgramFolder program;
    ScriptedDialogs dialogs;
    CountingProgress progress;
    AlbumSession session;
    QStringList opened;
    AppContext context;

    void SetUp() override {
        session.PageHeight = 499;
        session.PageWidth = 332;
        session.Album.Orientation = OrientationHorizontal;
        context.ProgramFolder = program.Path();
        context.Dialogs = &dialogs;
        context.ProgressWindow = &progress;
        context.Session = &session;
        context.OpenDocument = [this](const QString& path) { opened << path; };
    }
    [[nodiscard]] QString HelpPage() const { return program.Path() + "Help/Special thnx.htm"; }
};

} // namespace

TEST_F(EditDialogsTest, NoteFieldStopsTypingAtTwentyButTakesBackspace) {
    session.Album.Fotos.resize(2);
    session.Album.Count = 2;
    session.Album.Fotos[1].Note = QStringLiteral("old note");
    session.SelectedFoto = 1;
    TChangeNotes notes(context);
    EXPECT_EQ(notes.windowTitle(), "Change notes");
    EXPECT_EQ(notes.Label1->text(), "Enter note for picture:");
    EXPECT_EQ(notes.Button1->text(), "Apply");
    EXPECT_EQ(notes.Button2->text(), "Cancel");

    NoteEdit* edit = notes.Edit1;
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(edit->text(), "abcdefghijklmnopqrst") << "typing stops at 20 characters";
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text().size(), 19);
    QTest::keyClicks(edit, QStringLiteral("XY"));
    EXPECT_EQ(edit->text(), "abcdefghijklmnopqrsX") << "a note of 20 can be shortened and extended";
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "abcdefghijklmnopqrX");

    // A note longer than 20 from the album file is shown whole and can still be shortened.
    edit->SetNote(QString(25, QLatin1Char('n')));
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text().size(), 24);
}

TEST_F(EditDialogsTest, PastedOrComposedTextKeepsTheNoteOneLineOfTwenty) {
    NoteEdit edit;
    const auto paste = [&edit](const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    };
    const struct {
        const char* before;
        int cursor; // -1: the whole text selected
        const char* pasted;
        const char* after;
    } cases[] = {
        {"", 0, "a walk by the sea at dusk", "a walk by the sea at"},
        {"by the ", 7, "sea\nand the sky", "by the sea"},
        {"x", 1, "\r\nsecond line\r\nthird", "xsecond line"},
        {"lake", 0, "the 1234567890123456", "the 123456789012lake"},
        {"abcdefghijklmnopqrst", 10, "more", "abcdefghijklmnopqrst"},
        {"old note", -1, "new\nnote", "new"},
        {"old note", -1, "new\rnote", "new"},
        {"old note", -1, "new\u2029note", "new"},
        {"ends", 4, "\n", "ends"},
    };
    for (const auto& c : cases) {
        edit.SetNote(QString::fromUtf8(c.before));
        if (c.cursor < 0)
            edit.selectAll();
        else
            edit.setCursorPosition(c.cursor);
        paste(QString::fromUtf8(c.pasted));
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.after)) << c.before << " + " << c.pasted;
    }
    // An input method's text is held to the same rule.
    edit.SetNote(QStringLiteral("0123456789012345"));
    edit.setCursorPosition(16);
    QInputMethodEvent compose;
    compose.setCommitString(QStringLiteral("東京の夜景\n二行目"));
    QCoreApplication::sendEvent(&edit, &compose);
    EXPECT_EQ(edit.text(), QStringLiteral("0123456789012345東京の夜"));
    // A note loaded longer keeps its length, and nothing more goes in.
    edit.SetNote(QString(25, QLatin1Char('n')));
    paste(QStringLiteral("more"));
    EXPECT_EQ(edit.text(), QString(25, QLatin1Char('n')));
}

TEST_F(EditDialogsTest, ApplyStoresTheNoteAndCancelKeepsIt) {
    session.Album.Fotos.resize(3);
    session.Album.Count = 3;
    session.Album.Fotos[2].Note = QStringLiteral("old");
    session.SelectedFoto = 2;
    TChangeNotes notes(context);
    for (bool apply : {false, true}) {
        QTimer::singleShot(0, &notes, [&] {
            EXPECT_EQ(notes.Edit1->text(), "old") << "loaded from the selected entry";
            notes.Edit1->setText("by the sea");
            QTest::keyClick(notes.Edit1, Qt::Key_Return); // no meaning: still open
            EXPECT_TRUE(notes.isVisible());
            (apply ? notes.Button1 : notes.Button2)->click();
        });
        notes.Execute();
        EXPECT_EQ(session.Album.Fotos[2].Note, apply ? "by the sea" : "old");
    }
    EXPECT_EQ(session.Album.Fotos[0].Note, "");
}

TEST_F(EditDialogsTest, F1InBothDialogsOpensTheThanksPage) {
    session.Album.Fotos.resize(1);
    TChangeNotes notes(context);
    QTest::keyClick(notes.Edit1, Qt::Key_F1);
    QTemporaryDir dir;
    TAddFolder folder(context, dir.path());
    QTest::keyClick(folder.ShellTreeView1, Qt::Key_F1);
    EXPECT_EQ(opened, (QStringList{HelpPage(), HelpPage()}));
}

TEST_F(EditDialogsTest, AddFolderAddsTheAcceptedPicturesOfTheSelectedFolder) {
    QTemporaryDir dir;
    for (const char* name : {"a.jpg", "b.JPEG", "c.Jpg", "d.gif", "e.jpeg"})
        WritePicture(dir.filePath(QLatin1String(name)), 40, 30);
    WritePicture(dir.filePath("sub/f.bmp"), 30, 40);
    WriteBytes(dir.filePath("sub/broken.jpg"), "not a picture");

    TAddFolder folder(context, dir.path());
    EXPECT_EQ(folder.windowTitle(), "AddFolder");
    EXPECT_EQ(folder.size(), QSize(325, 330));
    EXPECT_EQ(folder.ShellTreeView1->size(), QSize(310, 220));
    EXPECT_EQ(folder.CheckBox1->text(), "Recurse subdirectories");
    EXPECT_TRUE(folder.CheckBox1->isChecked()) << "on when the dialog is made";
    EXPECT_EQ(folder.Button1->text(), "OK");
    EXPECT_EQ(folder.Button2->text(), "Close");
    EXPECT_EQ(folder.SelectedFolder(), dir.path());

    folder.Button1->click();
    EXPECT_EQ(session.Album.Count, 4) << "a, b, e and sub/f";
    EXPECT_EQ(progress.Shown, 1);
    ASSERT_EQ(folder.Skipped().size(), 1);
    EXPECT_TRUE(folder.Skipped()[0].Path.endsWith("sub/broken.jpg"));
    EXPECT_EQ(session.Album.SpreadCount, 2);

    // Off: only the folder's own files, without the progress window; the choice stays.
    folder.CheckBox1->setChecked(false);
    folder.Button1->click();
    EXPECT_EQ(session.Album.Count, 7);
    EXPECT_EQ(progress.Shown, 1);
    EXPECT_FALSE(folder.CheckBox1->isChecked());
    EXPECT_EQ(folder.SelectedFolder(), dir.path());
    EXPECT_TRUE(folder.Skipped().isEmpty());

    // Close adds nothing.
    folder.Button2->click();
    EXPECT_EQ(session.Album.Count, 7);
}
