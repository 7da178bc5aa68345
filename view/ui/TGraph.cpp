#include "view/ui/TGraph.h"

#include "album/AlbumSave.h"
#include "album/Geometry.h"
#include "album/ThumbnailStore.h"
#include "app/SoundThread.h"
#include "app/ui/GenericErrors.h"
#include "output/ui/OutputCommands.h"
#include "platform/DialogService.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "themes/BookSettings.h"
#include "themes/Settings.h"
#include "view/ui/EditCommands.h"
#include "view/ui/ToolIcons.h"
#include "view/ui/ViewCovers.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSessionManager>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

namespace {

constexpr int ToolbarHeight = 35;
constexpr int ToolButtonSize = 35;
constexpr int PageButtonSize = 30;
constexpr int HideStepMs = 50;        // the toolbar rises a pixel this often
constexpr int HideDelayMs = 5000;     // after the mouse has left it this long
constexpr int HiddenToolbarTop = -34; // below this top the toolbar is out of sight
constexpr int WheelStep = 120;        // one notch of a mouse wheel

// Flat buttons on the black view: hovering lights a dark grey square and pressing a lighter one,
// so the light glyphs stay readable over both.
const QString ButtonStyle = QStringLiteral(
    "QToolButton { background: transparent; border: 1px solid transparent; }"
    "QToolButton:hover { background: rgb(55, 55, 55); border-color: rgb(110, 110, 110); }"
    "QToolButton:pressed { background: rgb(85, 85, 85); border-color: rgb(150, 150, 150); }");

QSize DesktopSize(QSize requested) {
    if (!requested.isEmpty())
        return requested;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

} // namespace

TGraph::TGraph(const AppContext& context, QSize desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), context_(context),
      desktop_(DesktopSize(desktop)), book_(*context.Session), slideshow_(book_) {
    AlbumSession& session = *context_.Session;
    // The page size follows the screen width, the page places the desktop.
    SelektSizePage(session, desktop_, ReadBookSize(SettingsFolderOf(context_)));
    const PageRects rects =
        PageRectsFor(desktop_.width(), desktop_.height(), {session.PageHeight, session.PageWidth});
    session.Album.LeftPageRect = rects.Left;
    session.Album.RightPageRect = rects.Right;
    // Pages are drawn at the screen's pixel ratio; a move to another screen draws them anew.
    book_.CreatePages(screen() ? screen()->devicePixelRatio() : 1.0);
    book_.TurnSound = [this] { PlayTurnSound(); };

    setWindowTitle(QStringLiteral("The Krel - Digital album"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(desktop_);

    // Questions, dialogs and menus over the view hold the slideshow while they are open.
    covers_ = std::make_unique<ViewCovers>(context_.Dialogs, this);
    if (context_.Dialogs)
        context_.Dialogs = covers_.get();
    covers_->Covered = [this](bool covered) {
        if (covered)
            slideshow_.Hold();
        else
            slideshow_.Release();
    };

    CreateToolbar();
    CreatePageButtons();
    CreatePopupMenu();
    edit_ = std::make_unique<EditCommands>(
        context_, this, [this] { book_.Redraw(); }, [this] { book_.ShowPages(); });
    output_ = std::make_unique<OutputCommands>(context_, this);

    Timer3.setInterval(HideStepMs);
    Timer4.setInterval(HideDelayMs);
    connect(&Timer3, &QTimer::timeout, this, &TGraph::Timer3Timer);
    connect(&Timer4, &QTimer::timeout, this, &TGraph::Timer4Timer);
    CursorPos = [this] { return mapFromGlobal(QCursor::pos()); };

    connect(&book_, &AlbumBook::ScreenChanged, this, [this](QRect r) {
        update(r);
        // Told once the spread is up, outside the turn that drew it.
        QTimer::singleShot(0, this, &TGraph::ReportUndecodablePictures);
    });
    connect(&slideshow_, &Slideshow::RunningChanged, this, &TGraph::SlideshowChanged);
#if QT_CONFIG(sessionmanager)
    // Without leave to ask, the session ends as the desktop wants: the album file is unchanged.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            if (isVisible() && manager.allowsInteraction()) {
                if (!EndSession())
                    manager.cancel();
                manager.release();
            }
        });
#endif
}

TGraph::~TGraph() = default;

QToolButton* TGraph::MakeButton(QWidget* parent, int number, const QString& hint, int icon,
                                QRect place, void (TGraph::*handler)()) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QStringLiteral("SpeedButton%1").arg(number));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(place);
    b->setIconSize(place.size() - QSize(6, 6));
    b->setIcon(MakeToolIcon(static_cast<ToolIcon>(icon), place.height() - 6));
    b->setMouseTracking(true);
    b->setStyleSheet(ButtonStyle);
    connect(b, &QToolButton::clicked, this, handler);
    buttons_[number] = b;
    return b;
}

void TGraph::CreateToolbar() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::Button, Qt::black);
    Panel1->setPalette(pal);
    Panel1->setGeometry((desktop_.width() - desktop_.width()) / 2, 0, desktop_.width(),
                        ToolbarHeight);
    Panel1->setMouseTracking(true);
    struct Tool {
        int number;
        const char* hint;
        ToolIcon icon;
        int left;
        void (TGraph::*handler)();
    };
    const Tool tools[] = {
        {8, "Add pictures in album", ToolIcon::AddPictures, 0, &TGraph::SpeedButton8Click},
        {5, "Add folder", ToolIcon::AddFolder, 35, &TGraph::SpeedButton5Click},
        {7, "Delete all pictures", ToolIcon::DeleteAll, 70, &TGraph::SpeedButton7Click},
        {6, "Save as picture", ToolIcon::SaveAsPicture, 115, &TGraph::SpeedButton6Click},
        {9, "Print", ToolIcon::Print, 150, &TGraph::SpeedButton9Click},
        {1, "Save album", ToolIcon::SaveAlbum, 195, &TGraph::SpeedButton1Click},
        {10, "Exit", ToolIcon::Exit, 230, &TGraph::SpeedButton10Click},
    };
    for (const Tool& t : tools)
        MakeButton(Panel1, t.number, QString::fromLatin1(t.hint), static_cast<int>(t.icon),
                   QRect(t.left, 0, ToolButtonSize, ToolButtonSize), t.handler);
}

void TGraph::CreatePageButtons() {
    const int dw = desktop_.width();
    const int dh = desktop_.height();
    struct PageButton {
        int number;
        const char* hint;
        ToolIcon icon;
        int left;
        int top;
        void (TGraph::*handler)();
    };
    const PageButton pageButtons[] = {
        {3, "Next page", ToolIcon::NextPage, dw - 30, dh - 105, &TGraph::SpeedButton3Click},
        {2, "Previos page", ToolIcon::PreviousPage, dw - 60, dh - 105, &TGraph::SpeedButton2Click},
        {11, "Start slideshow", ToolIcon::StartSlideshow, dw - 30, dh - 135,
         &TGraph::SpeedButton11Click},
        {12, "Stop slideshouw", ToolIcon::StopSlideshow, dw - 30, dh - 135,
         &TGraph::SpeedButton12Click},
        {4, "To content", ToolIcon::ToContent, dw - 60, dh - 135, &TGraph::SpeedButton4Click},
    };
    for (const PageButton& b : pageButtons)
        MakeButton(this, b.number, QString::fromLatin1(b.hint), static_cast<int>(b.icon),
                   QRect(b.left, b.top, PageButtonSize, PageButtonSize), b.handler);
    buttons_[12]->hide();
}

void TGraph::CreatePopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](QMenu* menu, const char* name, const char* caption,
                       void (TGraph::*handler)()) {
        QAction* a = menu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    item(PopupMenu1, "Addtext1", "Add notes:", &TGraph::Addtext1Click);
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Deletepicture1", "Delete picture", &TGraph::Deletepicture1Click);
    item(PopupMenu1, "Deleteallpictures1", "Delete all", &TGraph::SpeedButton7Click);
    item(PopupMenu1, "Addpicture1", "Add pictures", &TGraph::SpeedButton8Click);
    item(PopupMenu1, "Addfolder1", "Add folder", &TGraph::SpeedButton5Click);
    PopupMenu1->addSeparator();
    QMenu* wallpaper = PopupMenu1->addMenu(QStringLiteral("Wallpaper"));
    wallpaper->menuAction()->setObjectName(QStringLiteral("SetWal1"));
    item(wallpaper, "Tiled1", "Tiled", &TGraph::Tiled1Click);
    item(wallpaper, "Stretch1", "Stretch", &TGraph::Stretch1Click);
    QMenu* rotate = PopupMenu1->addMenu(QStringLiteral("Rotate picture"));
    rotate->menuAction()->setObjectName(QStringLiteral("Rotatepicture1"));
    item(rotate, "N90CW1", "90 CW", &TGraph::N90CW1Click);
    item(rotate, "N90CCW1", "90 CCW", &TGraph::N90CCW1Click);
    item(rotate, "N1801", "180", &TGraph::N1801Click);
    item(rotate, "FlipHorizontal1", "Flip Horizontal", &TGraph::FlipHorizontal1Click);
    item(rotate, "FlipVertikal1", "Flip Vertikal", &TGraph::FlipVertikal1Click);
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Saveinpicture1", "Save in picture", &TGraph::SpeedButton6Click);
    item(PopupMenu1, "Print1", "Print", &TGraph::SpeedButton9Click);
    item(PopupMenu1, "Savealbum1", "Save album", &TGraph::SpeedButton1Click);
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Exit1", "Exit", &TGraph::SpeedButton10Click);
}

QToolButton* TGraph::Button(int number) const {
    return number >= 1 && number <= 12 ? buttons_[number] : nullptr;
}

void TGraph::ShowModal() {
    QEventLoop loop;
    quitModal_ = [&loop] { loop.quit(); };
    setWindowModality(Qt::ApplicationModal);
    setGeometry(QRect(QPoint(0, 0), desktop_));
    showFullScreen();
    if (isVisible())
        loop.exec();
    quitModal_ = nullptr;
}

void TGraph::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TGraph::FormShow() {
    if (windowHandle())
        connect(windowHandle(), &QWindow::screenChanged, this, qOverload<>(&QWidget::update),
                Qt::UniqueConnection);
    AlbumSession& session = *context_.Session;
    session.CurrentSpread = 0;
    if (context_.CloseWizard)
        context_.CloseWizard();
    panelShown_ = false;
    Panel1->move(Panel1->x(), 0);
    Timer3.start();
    // The rewrite's message waits until the view is on the screen, so that it stands over it.
    if (!session.PendingResavePath.isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && context_.Dialogs)
                RewritePendingAlbum(*context_.Session, *context_.Dialogs);
        });
    book_.Redraw();
    activateWindow();
    setFocus();
}

bool TGraph::MayClose() {
    if (!isVisible() || leaving_ || !context_.Dialogs)
        return true;
    return ConfirmExit(*context_.Session, *context_.Dialogs);
}

bool TGraph::EndSession() {
    if (!MayClose())
        return false;
    leaving_ = true;
    close();
    leaving_ = false;
    return true;
}

// Every close comes here: Exit, Esc, the menu, the window manager and the session's end.
void TGraph::ReportUndecodablePictures() {
    const std::shared_ptr<ThumbnailStore> store = context_.Session->Album.Thumbnails;
    if (!store || !context_.Dialogs)
        return;
    for (const QString& message : store->TakeFailures())
        context_.Dialogs->Message(message, MessageKind::Error);
}

void TGraph::closeEvent(QCloseEvent* event) {
    if (!MayClose()) {
        event->ignore();
        return;
    }
    FormClose();
    QWidget::closeEvent(event);
    if (quitModal_)
        quitModal_();
}

void TGraph::FormClose() {
    // Nothing may go on turning the pages of an album that is gone.
    slideshow_.Stop();
    book_.ToContent();
    Timer3.stop();
    Timer4.stop();
    PopupMenu1->hide();
    EmptyAlbum(*context_.Session);
}

void TGraph::paintEvent(QPaintEvent* event) {
    book_.SetPixelRatio(devicePixelRatioF());
    QPainter p(this);
    p.fillRect(event->rect(), Qt::black);
    book_.Paint(p, event->rect());
}

void TGraph::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (mods == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_Escape:
            SpeedButton10Click();
            return;
        case Qt::Key_Left:
        case Qt::Key_PageUp:
        case Qt::Key_Backspace:
            SpeedButton2Click();
            return;
        case Qt::Key_Right:
        case Qt::Key_PageDown:
        case Qt::Key_Space:
            SpeedButton3Click();
            return;
        case Qt::Key_Home:
            book_.Go(AlbumBook::Step::First);
            return;
        case Qt::Key_End:
            book_.Go(AlbumBook::Step::Last);
            return;
        case Qt::Key_F1:
            OpenSpecialThanks(context_);
            return;
        default:
            break;
        }
    } else if (mods == Qt::ControlModifier) {
        if (key == Qt::Key_O)
            return SpeedButton8Click();
        if (key == Qt::Key_P)
            return SpeedButton9Click();
        if (key == Qt::Key_S)
            return SpeedButton1Click();
    } else if (mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        if (key == Qt::Key_O)
            return SpeedButton5Click();
        if (key == Qt::Key_S)
            return SpeedButton6Click();
    }
    QWidget::keyPressEvent(event);
}

void TGraph::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        book_.ContentsJump(p);
    } else if (event->button() == Qt::RightButton) {
        if (const auto entry = book_.PictureAt(p)) {
            context_.Session->SelectedFoto = *entry;
            PopupMenu1->popup(mapToGlobal(p));
        }
    }
}

void TGraph::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    setToolTip(QString());
    const std::optional<int> entry = book_.PictureAt(p);
    if (entry != hinted_)
        HideHint();
    if (p.y() <= Panel1->height() && !panelShown_) {
        panelShown_ = true;
        Panel1->move(Panel1->x(), 0);
        Timer3.stop();
    }
    if (p.y() > Panel1->height() && !Timer4.isActive())
        Timer4.start();
    if (entry) {
        AlbumSession& session = *context_.Session;
        session.SelectedFoto = *entry;
        setToolTip(DisplayPath(session.Album.Fotos[*entry].FileName));
    }
}

void TGraph::HideHint() {
    hinted_.reset();
    QToolTip::hideText();
}

void TGraph::leaveEvent(QEvent* event) {
    setToolTip(QString());
    HideHint();
    QWidget::leaveEvent(event);
}

bool TGraph::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // The hint names the picture under the pointer and goes as soon as the pointer leaves its
    // frame.
    auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<AlbumBook::PictureHit> hit = book_.PictureHitAt(help->pos());
    if (!hit || toolTip().isEmpty()) {
        HideHint();
        return true;
    }
    hinted_ = hit->Entry;
    QToolTip::showText(help->globalPos(), toolTip(), this, ToQRect(hit->Frame));
    return true;
}

void TGraph::wheelEvent(QWheelEvent* event) {
    // Fine-grained wheels and touchpads add up to whole notches; each notch turns one page.
    wheelDelta_ += event->angleDelta().y();
    while (wheelDelta_ <= -WheelStep) {
        wheelDelta_ += WheelStep;
        SpeedButton3Click();
    }
    while (wheelDelta_ >= WheelStep) {
        wheelDelta_ -= WheelStep;
        SpeedButton2Click();
    }
    event->accept();
}

void TGraph::Timer3Timer() {
    const QPoint cursor = CursorPos ? CursorPos() : QPoint();
    if (cursor.y() > Panel1->height()) {
        if (Panel1->y() < HiddenToolbarTop)
            Timer3.stop();
        else
            Panel1->move(Panel1->x(), Panel1->y() - 1);
    } else if (Panel1->y() < 0) {
        Panel1->move(Panel1->x(), 0);
    }
}

void TGraph::Timer4Timer() {
    panelShown_ = false;
    Timer3.start();
    Timer4.stop();
}

void TGraph::PlayTurnSound() {
    if (!context_.Sounds)
        return;
    context_.Sounds->PageTurn = true;
    StartListTherd(*context_.Sounds, context_.ProgramFolder, true);
}

void TGraph::SpeedButton2Click() {
    book_.Go(AlbumBook::Step::Previous);
}

void TGraph::SpeedButton3Click() {
    book_.Go(AlbumBook::Step::Next);
}

void TGraph::SpeedButton4Click() {
    book_.ToContent();
}

void TGraph::SpeedButton10Click() {
    close(); // closeEvent asks about an unsaved album
}

void TGraph::SpeedButton1Click() {
    if (context_.Dialogs)
        SaveAlbumCommand(*context_.Session, *context_.Dialogs);
}

void TGraph::SpeedButton11Click() {
    // Res.ini is read at every start; a missing file or an interval that is no number is
    // reported and the show does not start.
    RunGuarded(context_.Dialogs, [this] {
        const SlideSettings settings = ReadSlideSettings(SettingsFolderOf(context_));
        slideshow_.Start(settings.Forward, settings.IntervalSeconds);
    });
}

void TGraph::SpeedButton12Click() {
    slideshow_.Stop();
}

void TGraph::SlideshowChanged(bool running) {
    buttons_[11]->setVisible(!running);
    buttons_[12]->setVisible(running);
}

// The output commands: save as picture and print.
void TGraph::SpeedButton6Click() {
    output_->SaveAsPicture(Panel1);
}
void TGraph::SpeedButton9Click() {
    output_->Print();
}

// The editing and wallpaper commands; each redraws the album.
void TGraph::SpeedButton5Click() {
    edit_->AddFolder();
}
void TGraph::SpeedButton7Click() {
    edit_->DeleteAll();
}
void TGraph::SpeedButton8Click() {
    edit_->AddPictures();
}
void TGraph::Addtext1Click() {
    edit_->EditNote();
}
void TGraph::Deletepicture1Click() {
    edit_->DeletePicture();
}
void TGraph::Tiled1Click() {
    edit_->Wallpaper(WallpaperCommand::Tiled);
}
void TGraph::Stretch1Click() {
    edit_->Wallpaper(WallpaperCommand::Stretch);
}
void TGraph::N90CW1Click() {
    edit_->Transform(PictureTransform::Rotate90CW);
}
void TGraph::N90CCW1Click() {
    edit_->Transform(PictureTransform::Rotate90CCW);
}
void TGraph::N1801Click() {
    edit_->Transform(PictureTransform::Rotate180);
}
void TGraph::FlipHorizontal1Click() {
    edit_->Transform(PictureTransform::FlipHorizontal);
}
void TGraph::FlipVertikal1Click() {
    edit_->Transform(PictureTransform::FlipVertikal);
}
