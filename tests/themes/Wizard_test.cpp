#include "themes/ui/Preferences.h"
#include "themes/ui/Wizard.h"

#include "album/Album.h"
#include "album/SpreadThumbnails.h"
#include "album/ThumbnailStore.h"
#include "app/ui/PictureControl.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"
#include "tests/app/SkinFixture.h"
#include "tests/support/ScriptedDialogs.h"
#include "themes/Settings.h"

#include <QFile>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// Watches the progress window: shown, closed, and the position it reached.
class WatchedProgress : public NullProgress {
public:
    int Shows = 0, Closes = 0;
    void Show() override { ++Shows; }
    void Close() override { ++Closes; }
};

const QStringList Buttons = {"Exit", "Next", "Back", "Hor", "Ver"};

struct WizardFixture {
    TempProgramFolder program;
    ScriptedDialogs dialogs;
    AlbumSession session;
    WatchedProgress progress;
    int viewsShown = 0;
    TAlbum albumInView; // the album as the view saw it
    std::unique_ptr<TWizard> wizard;

    explicit WizardFixture(bool writeLayout = true) {
        if (writeLayout) {
            // Exit 300,10; Next 300,400; Back 300,200; preview 20,150; list 20,10 h 200 w 120;
            // Hor 60,100; Ver 60,300.
            WriteBytes(program.File("GraphicRes/Wizard/Wizard.ini"),
                       "300\r\n10\r\n300\r\n400\r\n300\r\n200\r\n20\r\n150\r\n20\r\n10\r\n200\r\n"
                       "120\r\n60\r\n100\r\n60\r\n300\r\n");
        }
        WriteButtonPictures(program, "GraphicRes/Wizard", Buttons, 60, 20);
        WritePicture(program.File("GraphicRes/Wizard/Panel01.jpg"), 503, 353);
        WritePicture(program.File("GraphicRes/Wizard/Panel02.jpg"), 503, 353);
        QStringList catalogue;
        for (const QString name : {"Blue", "Green"}) {
            const QString dir = "Themes\\" + name + "\\";
            catalogue << name << dir + "Right.jpg" << dir + "Left.jpg" << dir + "Cover.jpg"
                      << dir + "Back.jpg" << dir + "Preview.jpg";
            for (const char* file : {"Right", "Left", "Cover", "Back"})
                WritePicture(program.File("Themes/" + name + "/" + file + ".jpg"), 80, 60);
            WritePicture(program.File("Themes/" + name + "/Preview.jpg"), 100, 70);
        }
        WriteBytes(CataloguePath(program.Path()), JoinLines(catalogue));
        WriteBytes(SettingsPath(program.Path()), "2\r\n0\r\n5\r\n-\r\n");
        session.PageHeight = 332;
        session.PageWidth = 499;
        Create();
    }
    void Create() {
        AppContext context;
        context.ProgramFolder = program.Path();
        context.Dialogs = &dialogs;
        context.ProgressWindow = &progress;
        context.Session = &session;
        context.ShowAlbumView = [this] {
            ++viewsShown;
            albumInView = session.Album;
        };
        wizard = std::make_unique<TWizard>(context, nullptr);
    }
    [[nodiscard]] QStringList Pictures(int count) const {
        QStringList files;
        for (int i = 0; i < count; ++i)
            files << WritePicture(program.File(QString("Pictures/%1.jpg").arg(i)), i % 2 ? 40 : 30,
                                  i % 2 ? 30 : 40);
        return files;
    }
};

} // namespace

TEST(Wizard, PlacesItsControlsAndReadsTheThemes) {
    WizardFixture f;
    EXPECT_TRUE(f.dialogs.Messages.isEmpty()) << f.dialogs.Texts().join("; ").toStdString();
    EXPECT_EQ(f.wizard->ThemeCount(), 2);
    EXPECT_EQ(f.wizard->ListBox1->count(), 2);
    EXPECT_EQ(f.wizard->ListBox1->item(1)->text(), "Green");
    EXPECT_EQ(f.wizard->Image3->geometry(), QRect(10, 300, 60, 20));
    EXPECT_EQ(f.wizard->Image11->pos(), QPoint(10, 300));
    EXPECT_EQ(f.wizard->Image12->pos(), QPoint(400, 300));
    EXPECT_EQ(f.wizard->Image13->geometry(), QRect(200, 300, 57, 17)); // Back keeps its size
    EXPECT_EQ(f.wizard->Image4->pos(), QPoint(150, 20));
    EXPECT_EQ(f.wizard->ListBox1->geometry(), QRect(10, 20, 120, 200));
    EXPECT_EQ(f.wizard->Image5->pos(), QPoint(100, 60));
    EXPECT_EQ(f.wizard->Image6->pos(), QPoint(300, 60));
    EXPECT_EQ(StateOf(f.wizard->Image5), "Normal");

    f.wizard->FormShow();
    EXPECT_EQ(f.wizard->size(), QSize(503, 353));
    EXPECT_EQ(f.wizard->ListBox1->currentRow(), 0);
    EXPECT_TRUE(f.wizard->Image4->PicturePath().endsWith("Themes/Blue/Preview.jpg"));
    EXPECT_EQ(f.wizard->Image4->size(), QSize(100, 70));
}

TEST(Wizard, HoverAndPressTables) {
    WizardFixture f;
    TWizard& w = *f.wizard;
    SendMove(w.Image3);
    EXPECT_EQ(StateOf(w.Image3), "OnMouse");
    SendMove(w.Image10);
    EXPECT_EQ(StateOf(w.Image3), "OnMouse"); // only the background resets
    SendMove(w.Image1);
    EXPECT_EQ(StateOf(w.Image3), "Normal");
    EXPECT_EQ(StateOf(w.Image10), "Normal");
    EXPECT_FALSE(w.HoverFlags().ExitHover || w.HoverFlags().NextHover);

    Press(w.Image3);
    EXPECT_EQ(StateOf(w.Image3), "OnClick");
    Release(w.Image3, QPoint(-3, -3)); // outside: no close, but the release picture
    EXPECT_EQ(StateOf(w.Image3), "Normal");
    Press(w.Image12);
    Release(w.Image12, QPoint(-3, -3));
    EXPECT_EQ(StateOf(w.Image12), "OnClick"); // Next has no release picture

    // Hor then Ver: hover moves between them, the press marks the layout.
    SendMove(w.Image5);
    EXPECT_EQ(StateOf(w.Image5), "OnMouse");
    SendMove(w.Image6);
    EXPECT_EQ(StateOf(w.Image5), "Normal");
    EXPECT_EQ(StateOf(w.Image6), "OnMouse");
    Click(w.Image5);
    EXPECT_EQ(StateOf(w.Image5), "OnClick");
    EXPECT_EQ(f.session.Album.Orientation, OrientationHorizontal);
    Click(w.Image6);
    EXPECT_EQ(StateOf(w.Image6), "OnClick");
    EXPECT_EQ(StateOf(w.Image5), "Normal");
    EXPECT_TRUE(w.HoverFlags().VerPressed);
    EXPECT_FALSE(w.HoverFlags().HorPressed);
    EXPECT_EQ(f.session.Album.Orientation, OrientationVertical);
    SendMove(w.Image2); // the pressed layout keeps its picture
    EXPECT_EQ(StateOf(w.Image6), "OnClick");

    SendMove(w.Image13);
    EXPECT_EQ(StateOf(w.Image13), "OnMouse");
    SendMove(w.Image11);
    SendMove(w.Image2);
    EXPECT_EQ(StateOf(w.Image13), "Normal");
    EXPECT_EQ(StateOf(w.Image11), "Normal");
}

TEST(Wizard, NextAppliesTheSelectedThemeAndBackLetsAnotherBeChosen) {
    WizardFixture f;
    TWizard& w = *f.wizard;
    w.FormShow();
    Click(w.Image10);
    EXPECT_EQ(w.WizardPage(), 2);
    const TAlbum& album = f.session.Album;
    EXPECT_EQ(album.ThemeName, "Blue");
    EXPECT_EQ(album.CoverPath, "Themes\\Blue\\Cover.jpg");
    EXPECT_EQ(album.RightPath, "Themes\\Blue\\Right.jpg");
    EXPECT_EQ(album.Cover.size(), QSize(500, 332)); // stretched to the page image
    EXPECT_EQ(album.BackCover.size(), QSize(500, 332));
    EXPECT_EQ(f.progress.Position(), 5);
    EXPECT_EQ(f.progress.Closes, 1);

    Click(w.Image13);
    EXPECT_EQ(w.WizardPage(), 1);
    w.ListBox1->setCurrentRow(1);
    Click(w.Image10);
    EXPECT_EQ(album.ThemeName, "Green");
    EXPECT_EQ(album.LeftPath, "Themes\\Green\\Left.jpg");
    EXPECT_EQ(w.WizardPage(), 2);
}

TEST(Wizard, MissingThemePictureKeepsPageOneAndClosesTheProgress) {
    WizardFixture f;
    QFile::remove(f.program.Path() + "Themes/Blue/Left.jpg");
    f.wizard->FormShow();
    Click(f.wizard->Image10);
    EXPECT_EQ(f.wizard->WizardPage(), 1);
    EXPECT_EQ(f.dialogs.Messages.size(), 1);
    EXPECT_EQ(f.progress.Closes, 1);
}

TEST(Wizard, BuildsFortyOnePicturesInBothLayouts) {
    for (const auto& [layout, spreads] :
         {std::pair{OrientationHorizontal, 13}, std::pair{OrientationVertical, 23}}) {
        WizardFixture f;
        QStringList files = f.Pictures(41);
        files[7] = f.program.Path() + "Pictures/missing.jpg"; // passed over without a message
        f.wizard->FormShow();
        Click(f.wizard->Image10);
        Click(layout == OrientationHorizontal ? f.wizard->Image5 : f.wizard->Image6);
        f.dialogs.FilesAnswers.enqueue(files);
        Click(f.wizard->Image12);
        EXPECT_TRUE(f.dialogs.Messages.isEmpty()) << f.dialogs.Texts().join("; ").toStdString();
        ASSERT_EQ(f.viewsShown, 1);
        const TAlbum& a = f.albumInView;
        EXPECT_EQ(a.Count, 41);
        EXPECT_EQ(a.IndexPages, 2);
        EXPECT_EQ(a.SpreadCount, spreads);
        EXPECT_EQ(a.Orientation, layout);
        EXPECT_EQ(a.Index.size(), 41);
        EXPECT_EQ(a.Fotos[0].FileName, files[0]);
        EXPECT_TRUE(a.Fotos[0].Note.isEmpty());
        EXPECT_FALSE(a.Fotos[0].Rect.IsEmpty());
        // Laid out from the headers alone: the thumbnails are made when a spread shows them.
        EXPECT_TRUE(a.Fotos[0].Picture.isNull());
        ASSERT_TRUE(a.Thumbnails);
        EXPECT_EQ(a.Thumbnails->Fetch(SpreadThumbnails(a, a.IndexPages + 1))[0].size(),
                  ToQRect(a.Fotos[0].Rect).size());
        EXPECT_TRUE(a.Fotos[7].Rect.IsEmpty());
        EXPECT_TRUE(a.Fotos[7].Picture.isNull());
        EXPECT_FALSE(a.Index[40].CellRect.IsEmpty());
        EXPECT_FALSE(f.wizard->isVisible());
        EXPECT_EQ(f.dialogs.FileDialogs.last().Filter,
                  "All (*.jpg;*.jpeg;*.bmp;)|*.jpg;*.jpeg;*.bmp;|JPEG Image File (*.jpg)|*.jpg|"
                  "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
    }
}

TEST(Wizard, NoLayoutChosenGivesHorAndACancelBuildsNothing) {
    WizardFixture f;
    f.wizard->FormShow();
    Click(f.wizard->Image10);
    ASSERT_EQ(f.session.Album.Orientation, OrientationNone);
    Click(f.wizard->Image12); // cancelled
    EXPECT_EQ(f.session.Album.Orientation, OrientationHorizontal);
    EXPECT_EQ(StateOf(f.wizard->Image5), "Normal"); // the picture is not changed
    EXPECT_EQ(f.viewsShown, 0);
    EXPECT_TRUE(f.session.Album.Fotos.isEmpty());
    EXPECT_EQ(f.wizard->WizardPage(), 2);

    // One picture in the Ver layout: one picture spread.
    f.session.Album.Orientation = OrientationVertical;
    f.dialogs.FilesAnswers.enqueue(f.Pictures(1));
    Click(f.wizard->Image12);
    EXPECT_EQ(f.albumInView.SpreadCount, 2);
    EXPECT_EQ(f.albumInView.IndexPages, 1);
}

TEST(Wizard, BrokenSkinOrCatalogueLeavesNoThemeToIndex) {
    {
        // No Wizard.ini: the controls keep their design places, the rest is still made.
        WizardFixture f(false);
        EXPECT_EQ(f.dialogs.Messages.size(), 1);
        EXPECT_EQ(f.wizard->ThemeCount(), 2);
        EXPECT_EQ(f.wizard->Image3->pos(), QPoint(8, 168));
        EXPECT_FALSE(f.wizard->Image3->PicturePath().isEmpty());
    }
    WizardFixture f;
    QFile::remove(CataloguePath(f.program.Path()));
    f.Create();
    EXPECT_EQ(f.wizard->ThemeCount(), 0);
    EXPECT_FALSE(f.wizard->CatalogueProblem().isEmpty());
    EXPECT_EQ(f.wizard->ListBox1->count(), 0);
    f.wizard->FormShow();
    Click(f.wizard->Image10);
    EXPECT_EQ(f.wizard->WizardPage(), 1);
    EXPECT_TRUE(f.session.Album.ThemeName.isEmpty());
}

TEST(Wizard, F1OpensTheCreditsPage) {
    TempProgramFolder program;
    ScriptedDialogs dialogs;
    QStringList opened;
    AppContext context;
    context.ProgramFolder = program.Path();
    context.Dialogs = &dialogs;
    context.OpenDocument = [&](const QString& path) { opened << path; };
    TWizard wizard(context, nullptr);
    TPreferences prefs(context, nullptr, {});
    QTest::keyClick(&wizard, Qt::Key_F1);
    QTest::keyClick(&prefs, Qt::Key_F1);
    QTest::keyClick(&prefs, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(opened, QStringList(2, program.Path() + "Help/Special thnx.htm"));
}

// A count out of step with the catalogue: one message naming both files, no theme offered, and
// the wizard keeps its buttons; Escape closes it on either page.
TEST(Wizard, ACountOutOfStepOffersNoThemeAndEscapeAlwaysCloses) {
    WizardFixture f;
    WriteBytes(SettingsPath(f.program.Path()), "3\r\n0\r\n5\r\n-\r\n");
    f.Create();
    ASSERT_EQ(f.dialogs.Messages.size(), 1);
    EXPECT_TRUE(f.dialogs.Messages[0].Text.contains("Res.ini counts 3"));
    EXPECT_TRUE(f.dialogs.Messages[0].Text.contains("Themes.ini"));
    EXPECT_EQ(f.wizard->ThemeCount(), 0);
    EXPECT_EQ(f.wizard->CatalogueProblem(), f.dialogs.Messages[0].Text);
    EXPECT_FALSE(f.wizard->Image3->PicturePath().isEmpty());
    EXPECT_FALSE(f.wizard->Image10->PicturePath().isEmpty());
    for (int page : {1, 2}) {
        WizardFixture g;
        g.wizard->show();
        if (page == 2)
            Click(g.wizard->Image10);
        ASSERT_EQ(g.wizard->WizardPage(), page);
        QTest::keyClick(g.wizard.get(), Qt::Key_Escape);
        EXPECT_FALSE(g.wizard->isVisible()) << page;
    }
}

TEST(Wizard, PreviewFollowsTheKeyboardIsClearedWhenItCannotLoadAndFitsItsFrame) {
    WizardFixture f;
    WritePicture(f.program.File("Themes/Green/Preview.jpg"), 300, 300);
    f.wizard->show();
    EXPECT_TRUE(f.wizard->Image4->PicturePath().endsWith("Themes/Blue/Preview.jpg"));
    f.wizard->ListBox1->setFocus();
    QTest::keyClick(f.wizard->ListBox1, Qt::Key_Down);
    EXPECT_EQ(f.wizard->ListBox1->currentRow(), 1);
    EXPECT_TRUE(f.wizard->Image4->PicturePath().endsWith("Themes/Green/Preview.jpg"));
    EXPECT_EQ(f.wizard->Image4->size(), QSize(200, 200)); // scaled into 280 x 200
    QFile::remove(f.program.File("Themes/Blue/Preview.jpg"));
    QTest::keyClick(f.wizard->ListBox1, Qt::Key_Up);
    EXPECT_TRUE(f.wizard->Image4->PicturePath().isEmpty());
    EXPECT_TRUE(f.wizard->Image4->pixmap().isNull());
    EXPECT_TRUE(f.wizard->Image4->text().contains("Preview.jpg"))
        << f.wizard->Image4->text().toStdString();
    EXPECT_TRUE(f.dialogs.Messages.isEmpty());
}

// The wizard applies the album loader's path rule: a theme whose pictures lie outside the program
// folder is refused, since its album could never be opened again.
TEST(Wizard, AThemeLeadingOutOfTheProgramFolderIsNotApplied) {
    WizardFixture f;
    QByteArray catalogue = FileBytes(CataloguePath(f.program.Path()));
    catalogue.replace("Themes\\Blue\\Cover.jpg", "..\\Cover.jpg");
    WriteBytes(CataloguePath(f.program.Path()), catalogue);
    WritePicture(f.program.Path() + "../Cover.jpg", 80, 60);
    f.Create();
    f.wizard->FormShow();
    Click(f.wizard->Image10);
    EXPECT_EQ(f.wizard->WizardPage(), 1);
    ASSERT_EQ(f.dialogs.Messages.size(), 1);
    EXPECT_TRUE(f.dialogs.Messages[0].Text.contains("leads out of the program folder"))
        << f.dialogs.Messages[0].Text.toStdString();
    EXPECT_TRUE(f.session.Album.ThemeName.isEmpty());
    QFile::remove(f.program.Path() + "../Cover.jpg");
}
