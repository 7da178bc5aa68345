#include "themes/ui/Wizard.h"

#include "album/Album.h"
#include "album/AlbumLoader.h"
#include "app/ui/GenericErrors.h"
#include "app/ui/PictureControl.h"
#include "platform/Errors.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/Progress.h"
#include "themes/AlbumBuilder.h"
#include "themes/Settings.h"
#include "themes/SkinLayout.h"

#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>

namespace {

constexpr QPoint OffsetFromStartWindow(105, 33);
constexpr QSize BackSize(57, 17);
const QString PictureFilter =
    QStringLiteral("All (*.jpg;*.jpeg;*.bmp;)|*.jpg;*.jpeg;*.bmp;|JPEG Image File (*.jpg)|*.jpg|"
                   "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");

QFrame* MakePanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(0, 0, TWizard::WizardWidth, TWizard::WizardHeight);
    return panel;
}

PictureControl* MakePicture(QWidget* panel, const QRect& design, bool autoSize = true) {
    auto* control = new PictureControl(panel, autoSize);
    control->setGeometry(design);
    return control;
}

void Place(QWidget* w, bool left, int v) {
    if (left)
        w->move(v, w->y());
    else
        w->move(w->x(), v);
}

} // namespace

TWizard::TWizard(const AppContext& context, QWidget* anchor, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), context_(context), anchor_(anchor) {
    setWindowTitle(QStringLiteral("New album"));
    resize(WizardWidth, WizardHeight);
    BuildControls();
    ConnectMouse();
    FormCreate();
}

void TWizard::BuildControls() {
    Panel1 = MakePanel(this);
    Panel2 = MakePanel(this);
    // The background fills the panel inside its one-pixel bevel.
    const QRect inside(1, 1, WizardWidth - 2, WizardHeight - 2);
    Image1 = MakePicture(Panel1, inside, false);
    Image2 = MakePicture(Panel2, inside, false);
    ListBox1 = new QListWidget(Panel1);
    ListBox1->setGeometry(8, 8, 73, 105);
    QFont listFont = ListBox1->font();
    listFont.setPointSize(8);
    ListBox1->setFont(listFont);
    ListBox1->setUniformItemSizes(true);
    Image4 = MakePicture(Panel1, QRect(88, 8, 105, 105));
    Image4->SetMaximumPictureSize(WizardPreviewFrame);
    Image3 = MakePicture(Panel1, QRect(8, 168, 57, 17));
    Image10 = MakePicture(Panel1, QRect(160, 168, 57, 17));
    Image5 = MakePicture(Panel2, QRect(8, 8, 41, 49));
    Image6 = MakePicture(Panel2, QRect(64, 8, 41, 49));
    Image11 = MakePicture(Panel2, QRect(8, 168, 49, 17));
    Image12 = MakePicture(Panel2, QRect(184, 168, 57, 17));
    Image13 = MakePicture(Panel2, QRect(QPoint(112, 168), BackSize), false);
    // The preview follows the selection however it is made: mouse, arrow keys, typing a name.
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
}

void TWizard::ConnectMouse() {
    Image1->OnMove = [this](QMouseEvent*) { Page1Move(); };
    Image2->OnMove = [this](QMouseEvent*) { Page2Move(); };
    const auto hover = [this](PictureControl* c, bool& flag, const char* name) {
        c->OnMove = [this, c, &flag, name](QMouseEvent*) {
            if (!flag) {
                flag = true;
                Load(c, QLatin1String(name) + QLatin1String(" OnMouse.jpg"));
            }
        };
    };
    hover(Image3, flags_.ExitHover, "Exit");
    hover(Image11, flags_.ExitHover, "Exit");
    hover(Image10, flags_.NextHover, "Next");
    hover(Image12, flags_.NextHover, "Next");
    hover(Image13, flags_.BackHover, "Back");
    for (auto [c, name] :
         {std::pair{Image3, "Exit"}, {Image11, "Exit"}, {Image10, "Next"}, {Image12, "Next"}})
        c->OnPress = [this, c, name](QMouseEvent*) {
            Load(c, QLatin1String(name) + QLatin1String(" OnClick.jpg"));
        };
    Image3->OnRelease = [this](QMouseEvent*) { Load(Image3, QStringLiteral("Exit Normal.jpg")); };
    Image5->OnMove = [this](QMouseEvent*) { HorMove(); };
    Image6->OnMove = [this](QMouseEvent*) { VerMove(); };
    Image5->OnPress = [this](QMouseEvent*) { HorPress(); };
    Image6->OnPress = [this](QMouseEvent*) { VerPress(); };

    Image3->OnClick = [this] { reject(); };
    Image11->OnClick = [this] { reject(); };
    Image10->OnClick = [this] { Image10Click(); };
    Image12->OnClick = [this] { Image12Click(); };
    Image13->OnClick = [this] { SelectPage(--wizardPage_); };
    Image5->OnClick = [this] {
        if (context_.Session)
            context_.Session->Album.Orientation = OrientationHorizontal;
    };
    Image6->OnClick = [this] {
        if (context_.Session)
            context_.Session->Album.Orientation = OrientationVertical;
    };
}

// Each step on its own: a bad layout file or catalogue must not leave the wizard without its
// Exit and Next buttons.
void TWizard::FormCreate() {
    RunGuarded(context_.Dialogs, [this] {
        ReadSkinLayout(WizardLayoutPath(context_.ProgramFolder), int(WizardLine::Count),
                       [this](int line, int v) { ApplyLayoutLine(line, v); });
    });
    RunGuarded(context_.Dialogs, [this] { ReadThemes(); });
    RunGuarded(context_.Dialogs, [this] { LoadNormalPictures(); });
}

void TWizard::ApplyLayoutLine(int line, int v) {
    switch (static_cast<WizardLine>(line)) {
    case WizardLine::ExitTop:
        Place(Image3, false, v), Place(Image11, false, v);
        break;
    case WizardLine::ExitLeft:
        Place(Image3, true, v), Place(Image11, true, v);
        break;
    case WizardLine::NextTop:
        Place(Image10, false, v), Place(Image12, false, v);
        break;
    case WizardLine::NextLeft:
        Place(Image10, true, v), Place(Image12, true, v);
        break;
    case WizardLine::BackTop:
        Place(Image13, false, v);
        break;
    case WizardLine::BackLeft:
        Place(Image13, true, v);
        break;
    case WizardLine::PreviewTop:
        Place(Image4, false, v);
        break;
    case WizardLine::PreviewLeft:
        Place(Image4, true, v);
        break;
    case WizardLine::ListTop:
        Place(ListBox1, false, v);
        break;
    case WizardLine::ListLeft:
        Place(ListBox1, true, v);
        break;
    case WizardLine::ListHeight:
        ListBox1->resize(ListBox1->width(), v);
        break;
    case WizardLine::ListWidth:
        ListBox1->resize(v, ListBox1->height());
        break;
    case WizardLine::HorTop:
        Place(Image5, false, v);
        break;
    case WizardLine::HorLeft:
        Place(Image5, true, v);
        break;
    case WizardLine::VerTop:
        Place(Image6, false, v);
        break;
    case WizardLine::VerLeft:
        Place(Image6, true, v);
        break;
    case WizardLine::Count:
        break;
    }
}

void TWizard::ReadThemes() {
    ListBox1->clear();
    themes_.clear();
    themeCount_ = 0;
    try {
        themes_ = ReadInstalledThemes(SettingsFolderOf(context_));
    } catch (const KrelError& e) {
        catalogueProblem_ = e.Message;
        throw;
    }
    catalogueProblem_.clear();
    themeCount_ = int(themes_.size());
    for (const TThemes& theme : themes_)
        ListBox1->addItem(theme.Name);
}

void TWizard::LoadNormalPictures() {
    const auto skin = [this](const char* file) {
        return ResourcePath(context_.ProgramFolder,
                            QStringLiteral("GraphicRes\\Wizard\\") + QLatin1String(file));
    };
    Image3->Load(skin("Exit Normal.jpg"));
    Image11->Load(skin("Exit Normal.jpg"));
    Image10->Load(skin("Next Normal.jpg"));
    Image12->Load(skin("Next Normal.jpg"));
    Image13->Load(skin("Back Normal.jpg"));
    Image5->Load(skin("Hor Normal.jpg"));
    Image6->Load(skin("Ver Normal.jpg"));
}

// Loads a skin picture; a failure is reported and the control keeps its picture.
void TWizard::Load(PictureControl* control, const QString& file) {
    RunGuarded(context_.Dialogs, [&] {
        control->Load(
            ResourcePath(context_.ProgramFolder, QStringLiteral("GraphicRes\\Wizard\\") + file));
    });
}

void TWizard::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TWizard::FormShow() {
    resize(WizardWidth, WizardHeight);
    if (anchor_)
        move(anchor_->pos() + OffsetFromStartWindow);
    wizardPage_ = 1;
    SelectPage(wizardPage_);
    if (ListBox1->count() > 0) {
        ListBox1->setCurrentRow(0);
        ListBox1Click();
    }
}

void TWizard::SelectPage(int page) {
    if (page == 1) {
        Panel1->raise();
        Load(Image1, QStringLiteral("Panel01.jpg"));
    } else if (page == 2) {
        Panel2->raise();
        Load(Image2, QStringLiteral("Panel02.jpg"));
    }
}

// A preview that cannot be shown gives way to the reason, so the last theme's preview never
// stands beside another theme's name; no message box interrupts browsing the list.
void TWizard::ListBox1Click() {
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= themes_.size())
        return;
    const QString& relative = themes_[row].PreviewPath;
    const QString file = ProgramFile(context_.ProgramFolder, relative);
    try {
        if (file.isEmpty())
            throw PictureError(QStringLiteral("Cannot load %1: it leads out of the program folder")
                                   .arg(DisplayPath(relative)));
        Image4->Load(file);
    } catch (const KrelError& e) {
        Image4->ShowText(QStringLiteral("No preview: ") + e.Message, WizardPreviewFrame);
    }
}

void TWizard::Image10Click() {
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= themes_.size() || !context_.Session)
        return; // no theme to apply
    NullProgress none;
    Progress& progress = context_.ProgressWindow ? *context_.ProgressWindow : none;
    const bool applied = RunGuarded(context_.Dialogs, [&] {
        ApplyTheme(context_.Session->Album, context_.ProgramFolder, themes_[row],
                   LoaderPageImageSize(*context_.Session), progress);
    });
    if (applied)
        SelectPage(++wizardPage_);
}

void TWizard::Image12Click() {
    if (!context_.Session)
        return;
    TAlbum& album = context_.Session->Album;
    // Without a choice since program start the album made or loaded last gives the layout, and
    // Hor when there was none.
    if (!IsValidOrientation(album.Orientation))
        album.Orientation = OrientationHorizontal;
    // Errors of the dialog, the building and the album view run inside it are shown with their
    // text, and the wizard goes on.
    RunGuarded(context_.Dialogs, [this] { RunPictureDialog(); });
}

void TWizard::RunPictureDialog() {
    FileDialogOptions options;
    options.Filter = PictureFilter;
    OpenPictureDialog1CanClose(context_.Dialogs->OpenFiles(options));
}

void TWizard::OpenPictureDialog1CanClose(const QStringList& files) {
    if (files.isEmpty())
        return; // cancelled: page 2 stays with the album as it was
    NullProgress none;
    Progress& progress = context_.ProgressWindow ? *context_.ProgressWindow : none;
    BuildAlbum(*context_.Session, files, LoaderPageImageSize(*context_.Session), progress);
    if (context_.ShowAlbumView)
        context_.ShowAlbumView();
    // The album view has ended the wizard's run; it stays closed however the view was left.
    reject();
}

void TWizard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        OpenSpecialThanks(context_);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        reject(); // as Exit, on either page and whatever the wizard could read
        return;
    }
    QDialog::keyPressEvent(event);
}

void TWizard::HorMove() {
    if (flags_.VerHover && !flags_.VerPressed) {
        flags_.VerHover = false;
        Load(Image6, QStringLiteral("Ver Normal.jpg"));
    }
    if (!flags_.HorHover && !flags_.HorPressed) {
        flags_.HorHover = true;
        Load(Image5, QStringLiteral("Hor OnMouse.jpg"));
    }
}

void TWizard::VerMove() {
    if (flags_.HorHover && !flags_.HorPressed) {
        flags_.HorHover = false;
        Load(Image5, QStringLiteral("Hor Normal.jpg"));
    }
    if (!flags_.VerHover && !flags_.VerPressed) {
        flags_.VerHover = true;
        Load(Image6, QStringLiteral("Ver OnMouse.jpg"));
    }
}

void TWizard::HorPress() {
    flags_.HorPressed = true;
    Load(Image5, QStringLiteral("Hor OnClick.jpg"));
    if (flags_.VerPressed) {
        Load(Image6, QStringLiteral("Ver Normal.jpg"));
        flags_.VerPressed = false;
    }
}

void TWizard::VerPress() {
    flags_.VerPressed = true;
    Load(Image6, QStringLiteral("Ver OnClick.jpg"));
    if (flags_.HorPressed) {
        Load(Image5, QStringLiteral("Hor Normal.jpg"));
        flags_.HorPressed = false;
    }
}

void TWizard::Page1Move() {
    if (flags_.ExitHover) {
        Load(Image3, QStringLiteral("Exit Normal.jpg"));
        flags_.ExitHover = false;
    }
    if (flags_.NextHover) {
        Load(Image10, QStringLiteral("Next Normal.jpg"));
        flags_.NextHover = false;
    }
}

void TWizard::Page2Move() {
    if (flags_.ExitHover) {
        Load(Image11, QStringLiteral("Exit Normal.jpg"));
        flags_.ExitHover = false;
    }
    if (flags_.NextHover) {
        Load(Image12, QStringLiteral("Next Normal.jpg"));
        flags_.NextHover = false;
    }
    if (flags_.BackHover) {
        Load(Image13, QStringLiteral("Back Normal.jpg"));
        flags_.BackHover = false;
    }
    if (flags_.HorHover && !flags_.HorPressed) {
        flags_.HorHover = false;
        Load(Image5, QStringLiteral("Hor Normal.jpg"));
    }
    if (flags_.VerHover && !flags_.VerPressed) {
        flags_.VerHover = false;
        Load(Image6, QStringLiteral("Ver Normal.jpg"));
    }
}
