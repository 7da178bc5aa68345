#include "../support/ScriptedDialogs.h"
#include "OutputFixture.h"
#include "output/PageExport.h"
#include "output/ui/SaveInPic.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class SaveWindow : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTheme(folder);
        WriteLines(folder.File("Res.ini"), {"1", "0", "5", "-", "1500x2102 - 13x18",
                                            "300x450 - 2x3", "20000x20000 - big", "abcx100 - bad"});
        session.Album = MakeAlbum(folder, 3, OrientationVertical); // spreads 0 to 4
        context.ProgramFolder = folder.Path();
        context.Dialogs = &dialogs;
        context.ProgressWindow = &progress;
        context.Session = &session;
        context.OpenDocument = [this](const QString& path) { opened << path; };
    }

    static void WriteLines(const QString& path, const QStringList& lines) {
        WriteBytes(path, (lines.join("\r\n") + "\r\n").toUtf8());
    }

    // The window shown as the album view shows it, at size entry `entry`.
    void Show(TSaveInPic& window, int spread, int entry = 1) {
        window.SetSpread(spread);
        window.show();
        window.ComboBox1->setCurrentIndex(entry);
        window.ComboBox1Change();
    }

    QStringList Files() const { return QDir(out.path()).entryList(QDir::Files, QDir::Name); }

    TempProgramFolder folder;
    QTemporaryDir out;
    ScriptedDialogs dialogs;
    RecordingProgress progress;
    AlbumSession session;
    AppContext context;
    QStringList opened;
};

TEST_F(SaveWindow, ControlsStandAtTheirPlacesWithTheirCaptions) {
    TSaveInPic window(context);
    EXPECT_EQ(window.windowTitle(), "SaveInPic");
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    EXPECT_EQ(window.size(), QSize(161, 273));
    struct Control {
        QWidget* widget;
        QWidget* parent;
        QRect place;
        QString caption;
    };
    const Control controls[] = {
        {window.GroupBox2, &window, {0, 0, 161, 273}, "Save for print"},
        {window.RadioButton8, window.GroupBox2, {17, 16, 113, 17}, "Choice format"},
        {window.GroupBox4, window.GroupBox2, {8, 64, 145, 66}, "Choose Quality"},
        {window.TrackBar1, window.GroupBox4, {4, 21, 138, 33}, ""},
        {window.GroupBox3, window.GroupBox2, {8, 135, 145, 90}, "Choose page"},
        {window.RadioButton4, window.GroupBox3, {8, 18, 129, 17}, "Page N0"},
        {window.RadioButton3, window.GroupBox3, {8, 40, 129, 17}, "Page N0"},
        {window.RadioButton2, window.GroupBox3, {8, 63, 129, 17}, "All page"},
        {window.Button2, window.GroupBox2, {9, 238, 67, 26}, "Close"},
        {window.Button1, window.GroupBox2, {85, 238, 67, 26}, "Save"},
    };
    for (const Control& c : controls) {
        EXPECT_EQ(c.widget->parentWidget(), c.parent) << c.caption.toStdString();
        EXPECT_EQ(c.widget->geometry(), c.place) << c.caption.toStdString();
        QString caption;
        if (auto* b = qobject_cast<QAbstractButton*>(c.widget))
            caption = b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(c.widget))
            caption = g->title();
        EXPECT_EQ(caption, c.caption);
    }
    EXPECT_EQ(window.ComboBox1->geometry().topLeft(), QPoint(9, 36));
    EXPECT_EQ(window.ComboBox1->width(), 143);
    EXPECT_EQ(window.RadioButton1->pos(), QPoint(-32, -16));
    EXPECT_EQ(window.RadioButton1->text(), "Jpg MaxQuality");
    EXPECT_EQ(window.TrackBar1->minimum(), 0);
    EXPECT_EQ(window.TrackBar1->maximum(), 10);
    EXPECT_TRUE(window.RadioButton8->isChecked());
}

TEST_F(SaveWindow, CaptionsAndPageFollowTheSpreadShown) {
    TSaveInPic window(context);
    window.SetSpread(3);
    EXPECT_EQ(window.RadioButton4->text(), "Left page N5");
    EXPECT_EQ(window.RadioButton3->text(), "Right page N6");
    EXPECT_EQ(window.PageNumber(), 3);
    window.SetSpread(0);
    EXPECT_EQ(window.RadioButton4->text(), "Page N0");
    EXPECT_EQ(window.RadioButton3->text(), "Page N0");
    EXPECT_EQ(window.PageNumber(), 0);
}

TEST_F(SaveWindow, ShowingReadsTheSizesAndAppliesTheChosenOne) {
    TSaveInPic window(context);
    window.show();
    EXPECT_EQ(window.ComboBox1->count(), 4);
    EXPECT_EQ(window.ComboBox1->itemText(0), "1500x2102 - 13x18");
    EXPECT_EQ(window.OutputSize(), QSize(1500, 2102));
    EXPECT_EQ(window.TrackBar1->value(), 10);
    EXPECT_TRUE(window.RadioButton4->isChecked());

    window.ComboBox1->setCurrentIndex(1);
    window.ComboBox1Change();
    EXPECT_EQ(window.OutputSize(), QSize(300, 450));
    EXPECT_TRUE(dialogs.Messages.isEmpty());

    window.ComboBox1->setCurrentIndex(2);
    window.ComboBox1Change();
    EXPECT_EQ(window.OutputSize(), QSize(2362, 3543));
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0], (ShownMessage{"The scrath disk are full. New size picture: "
                                                 "height = 3543, width := 2362.",
                                                 MessageKind::Warning, MessageButtons::Yes}));

    window.ComboBox1->setCurrentIndex(3);
    window.ComboBox1Change();
    ASSERT_EQ(dialogs.Messages.size(), 2);
    EXPECT_EQ(dialogs.Messages[1].Kind, MessageKind::Error);
}

TEST_F(SaveWindow, SavesOnePageAtTheQualityOfTheTrackBar) {
    TSaveInPic window(context);
    Show(window, 2);
    window.RadioButton3->setChecked(true);
    window.TrackBar1->setValue(7);
    dialogs.FileAnswers.enqueue(QDir(out.path()).filePath("photo"));
    window.Button1Click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Files(), QStringList({"photo.jpg"}));
    EXPECT_EQ(dialogs.Messages,
              QVector<ShownMessage>(
                  {{"Save successfully", MessageKind::Information, MessageButtons::Yes}}));
    ASSERT_EQ(dialogs.FileDialogs.size(), 1);
    EXPECT_EQ(dialogs.FileDialogs[0].Title, "Save as");
    EXPECT_EQ(dialogs.FileDialogs[0].Filter, "jpg|*.jpg; *.jpeg");
    EXPECT_EQ(progress.Closed, 1);

    // The same page saved by the output code at quality position 7.
    QTemporaryDir other;
    OutputPen pen;
    RecordingProgress quiet;
    SaveOnePage({folder.Path(), &session.Album, QSize(300, 450), 7}, 2, PageSide::Right,
                other.filePath("same.jpg"), quiet, pen);
    QFile a(QDir(out.path()).filePath("photo.jpg")), b(other.filePath("same.jpg"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll());

    // Cancelled the next time: nothing written, nothing said; the name was kept.
    dialogs.Messages.clear();
    Show(window, 2);
    window.Button1Click();
    EXPECT_EQ(Files(), QStringList({"photo.jpg"}));
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_EQ(dialogs.FileDialogs[1].FileName, QDir(out.path()).filePath("photo.jpg"));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SaveWindow, AllPageWritesEveryPageUnderTheTypedName) {
    TSaveInPic window(context);
    Show(window, 1);
    window.RadioButton2->setChecked(true);
    dialogs.FileAnswers.enqueue(QDir(out.path()).filePath("B"));
    window.Button1Click();
    EXPECT_EQ(Files(), QStringList({"B0_L.jpg", "B1_L.jpg", "B1_R.jpg", "B2_L.jpg", "B2_R.jpg",
                                    "B3_L.jpg", "B3_R.jpg", "B4_R.jpg"}));
    EXPECT_EQ(dialogs.Texts(), QStringList({"Save successfully"}));
    Show(window, 1);
    window.Button1Click();
    EXPECT_EQ(dialogs.FileDialogs[1].FileName, "B");
    EXPECT_EQ(dialogs.FileDialogs[1].Folder, out.path());
}

TEST_F(SaveWindow, AFailedSaveSaysWhyAndNotThatItSucceeded) {
    session.Album.RightPath = QStringLiteral("Themes\\Plain\\Gone.bmp");
    TSaveInPic window(context);
    Show(window, 1);
    window.RadioButton3->setChecked(true);
    dialogs.FileAnswers.enqueue(QDir(out.path()).filePath("page.jpg"));
    window.Button1Click();
    EXPECT_TRUE(Files().isEmpty());
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.Messages[0].Text.contains("Gone.bmp"));
    EXPECT_EQ(progress.Closed, progress.Shown);
}

TEST_F(SaveWindow, TheToolbarMovesAsideWhileOpenAndComesBackHoweverItCloses) {
    QWidget view;
    view.resize(1280, 1024);
    QWidget* panel = new QWidget(&view);
    panel->setGeometry(0, 0, 1280, 40);
    TSaveInPic window(context);
    QRect whileOpen;
    QTimer::singleShot(0, &window, [&] {
        whileOpen = panel->geometry();
        window.Button2Click();
    });
    OpenSaveInPic(window, panel, 3);
    EXPECT_EQ(whileOpen, QRect(161, 0, 1280 - 161, 40));
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 1280, 40));
    EXPECT_EQ(window.RadioButton4->text(), "Left page N5");

    // Without Res.ini the window says why and closes; the toolbar comes back all the same.
    QFile::remove(folder.File("Res.ini"));
    OpenSaveInPic(window, panel, 3);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 1280, 40));
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(dialogs.Messages[0].Kind, MessageKind::Error);
}

TEST_F(SaveWindow, F1OpensTheHelpPage) {
    TSaveInPic window(context);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &f1);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith("Help/Special thnx.htm")) << opened[0].toStdString();
}

} // namespace
