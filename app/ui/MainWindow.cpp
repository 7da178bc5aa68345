#include "app/ui/MainWindow.h"

#include "app/ui/GenericErrors.h"
#include "app/ui/PictureControl.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "themes/SkinLayout.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {

const char* const ButtonNames[] = {"Create", "Open", "Preferences", "Help",
                                   "About",  "Exit", "WMin",        "WClose"};
// What a button without its picture shows in its place.
const char* const ButtonLabels[] = {"New album", "Open", "Preferences", "Help",
                                    "About",     "Exit", "_",           "X"};
const QString Normal = QStringLiteral(" Normal.jpg");
const QString OnMouse = QStringLiteral(" OnMouse.jpg");
const QString OnClick = QStringLiteral(" OnClick.jpg");

// The picture a button shows after a release: some keep their hover look.
const QString& ReleaseState(TMain::Button b) {
    switch (b) {
    case TMain::Preferences:
    case TMain::Help:
    case TMain::About:
    case TMain::WClose:
        return OnMouse;
    default:
        return Normal;
    }
}

// The six main buttons clear each other's hover look; WMin and WClose clear none.
bool InMainGroup(int b) {
    return b <= TMain::Exit;
}

constexpr QSize WCloseSize(25, 25);

} // namespace

TMain::TMain(const AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), context_(context) {
    setWindowTitle(QStringLiteral("The Krel - Digital album"));
    Image1 = new PictureControl(this, false);
    Image1->OnPress = [this](QMouseEvent* e) { BackgroundPress(e); };
    Image1->OnMove = [this](QMouseEvent* e) { BackgroundMove(e); };
    Image1->OnRelease = [this](QMouseEvent*) { dragging_ = false; };
    for (int i = 0; i < ButtonCount; ++i) {
        const auto b = static_cast<Button>(i);
        auto* control = new PictureControl(this, b != WClose);
        if (b == WClose)
            control->SetFixedSize(WCloseSize);
        control->OnMove = [this, b](QMouseEvent*) { ButtonMove(b); };
        control->OnPress = [this, b](QMouseEvent*) { ButtonPress(b); };
        control->OnRelease = [this, b](QMouseEvent*) { ButtonRelease(b); };
        control->OnClick = [this, b] { Click(b); };
        buttons_[i] = control;
    }
    PlaceAsShipped();
    ReadLayout();
    Image1->setGeometry(rect());
    Image1->lower();
    LoadPictures();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TMain::SkinPath(const QString& file) const {
    return ResourcePath(context_.ProgramFolder, QStringLiteral("\\GraphicRes\\Main\\") + file);
}

void TMain::ReadLayout() {
    RunGuarded(context_.Dialogs, [this] {
        ReadSkinLayout<MainLine>(MainLayoutPath(context_.ProgramFolder),
                                 [this](MainLine line, int v) {
                                     const auto place = [this](Button b, bool left, int v) {
                                         QWidget* w = buttons_[b];
                                         if (left)
                                             w->move(v, w->y());
                                         else
                                             w->move(w->x(), v);
                                     };
                                     switch (line) {
                                     case MainLine::Height:
                                         resize(width(), v);
                                         break;
                                     case MainLine::Width:
                                         resize(v, height());
                                         break;
                                     case MainLine::CreateLeft:
                                         place(Create, true, v);
                                         break;
                                     case MainLine::CreateTop:
                                         place(Create, false, v);
                                         break;
                                     case MainLine::OpenLeft:
                                         place(Open, true, v);
                                         break;
                                     case MainLine::OpenTop:
                                         place(Open, false, v);
                                         break;
                                     case MainLine::PreferencesLeft:
                                         place(Preferences, true, v);
                                         break;
                                     case MainLine::PreferencesTop:
                                         place(Preferences, false, v);
                                         break;
                                     case MainLine::HelpLeft:
                                         place(Help, true, v);
                                         break;
                                     case MainLine::HelpTop:
                                         place(Help, false, v);
                                         break;
                                     case MainLine::AboutLeft:
                                         place(About, true, v);
                                         break;
                                     case MainLine::AboutTop:
                                         place(About, false, v);
                                         break;
                                     case MainLine::ExitLeft:
                                         place(Exit, true, v);
                                         break;
                                     case MainLine::ExitTop:
                                         place(Exit, false, v);
                                         break;
                                     case MainLine::WMinTop:
                                         place(WMin, false, v);
                                         break;
                                     case MainLine::WMinLeft:
                                         place(WMin, true, v);
                                         break;
                                     case MainLine::WCloseTop:
                                         place(WClose, false, v);
                                         break;
                                     case MainLine::WCloseLeft:
                                         place(WClose, true, v);
                                         break;
                                     case MainLine::Count:
                                         break;
                                     }
                                 });
    });
}

// The shipped size and button places, which a missing or short Main.ini leaves in force.
void TMain::PlaceAsShipped() {
    resize(ShippedMainSize);
    const std::array<QRect, 8> places = ShippedMainButtons();
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[i]->move(places[i].topLeft());
}

// Each picture on its own, so one missing file costs only its own button's look: that button shows
// its name instead and still works. One message names every file that could not be loaded.
void TMain::LoadPictures() {
    QStringList missing;
    try {
        Image1->Load(SkinPath(QStringLiteral("Main.jpg")));
    } catch (const KrelError& e) {
        missing << e.Message;
        failed_.insert(SkinPath(QStringLiteral("Main.jpg")));
    }
    for (int i = 0; i < ButtonCount; ++i) {
        const auto b = static_cast<Button>(i);
        try {
            LoadState(b, Normal);
        } catch (const KrelError& e) {
            missing << e.Message;
            failed_.insert(SkinPath(QString::fromLatin1(ButtonNames[b]) + Normal));
            ShowLabel(b);
        }
    }
    if (!missing.isEmpty() && context_.Dialogs)
        context_.Dialogs->Message(
            QStringLiteral("The start window is missing pictures of its skin; the buttons "
                           "without one show their name and still work.\n\n") +
                missing.join(QLatin1Char('\n')),
            MessageKind::Error);
}

void TMain::LoadState(Button b, const QString& state) {
    buttons_[b]->Load(SkinPath(QString::fromLatin1(ButtonNames[b]) + state));
}

// A hover, press or release picture: a file that cannot be loaded is reported once, not at every
// move of the mouse, and the button keeps the look it has.
void TMain::ShowState(Button b, const QString& state) {
    const QString path = SkinPath(QString::fromLatin1(ButtonNames[b]) + state);
    try {
        buttons_[b]->Load(path);
    } catch (const KrelError& e) {
        if (state == Normal)
            ShowLabel(b);
        if (failed_.contains(path))
            return;
        failed_.insert(path);
        if (context_.Dialogs)
            context_.Dialogs->Message(e.Message, MessageKind::Error);
    }
}

void TMain::ShowLabel(Button b) {
    buttons_[b]->ShowText(QString::fromLatin1(ButtonLabels[b]), ShippedMainButtons()[b].size());
}

void TMain::ButtonMove(Button b) {
    if (!hover_[b]) {
        hover_[b] = true;
        ShowState(b, OnMouse);
    }
    if (!InMainGroup(b))
        return;
    for (int other = 0; other <= Exit; ++other)
        if (other != b && hover_[other]) {
            hover_[other] = false;
            ShowState(static_cast<Button>(other), Normal);
        }
}

void TMain::ButtonPress(Button b) {
    ShowState(b, OnClick);
}

void TMain::ButtonRelease(Button b) {
    ShowState(b, ReleaseState(b));
}

void TMain::Click(Button b) {
    switch (b) {
    case Create:
        CreateAlbum();
        break;
    case Open:
        if (actions_.OpenAlbum)
            RunGuarded(context_.Dialogs, [this] { actions_.OpenAlbum(QString()); });
        break;
    case Preferences:
        if (actions_.ShowPreferences)
            actions_.ShowPreferences();
        break;
    case Help:
        OpenHelpFile(QStringLiteral("Help\\Help.html"));
        break;
    case About:
        OpenHelpFile(QStringLiteral("Help\\Special thnx.htm"));
        break;
    case Exit:
    case WClose:
        close();
        break;
    case WMin:
        showMinimized();
        break;
    case ButtonCount:
        break;
    }
}

void TMain::CreateAlbum() {
    const int themes = actions_.ThemeCount ? actions_.ThemeCount() : 0;
    const QString problem = actions_.ThemesProblem ? actions_.ThemesProblem() : QString();
    if (!problem.isEmpty()) {
        // The wizard would offer themes the files do not agree on: say why it does not open.
        if (context_.Dialogs)
            context_.Dialogs->Message(
                QStringLiteral("No new album can be made: the installed themes could not be "
                               "read.\n\n") +
                    problem,
                MessageKind::Error);
    } else if (themes != 0) {
        if (actions_.ShowWizard)
            actions_.ShowWizard();
    } else if (context_.Dialogs) {
        context_.Dialogs->Message(QStringLiteral("Add Themes"), MessageKind::Plain,
                                  MessageButtons::Ok);
    }
}

void TMain::OpenHelpFile(const QString& relative) {
    if (context_.OpenDocument)
        context_.OpenDocument(ResourcePath(context_.ProgramFolder, relative));
}

void TMain::BackgroundPress(QMouseEvent* event) {
    dragging_ = true;
    dragStart_ = event->position().toPoint();
}

void TMain::BackgroundMove(QMouseEvent* event) {
    if (dragging_)
        move(pos() + event->position().toPoint() - dragStart_);
    for (int b = 0; b < ButtonCount; ++b)
        if (hover_[b]) {
            hover_[b] = false;
            ShowState(static_cast<Button>(b), Normal);
        }
}

void TMain::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool none = mods == Qt::NoModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (none)
            Click(Exit);
        break;
    case Qt::Key_A:
    case Qt::Key_F1:
        if (none)
            Click(About);
        break;
    case Qt::Key_H:
        if (ctrl)
            Click(Help);
        break;
    case Qt::Key_N:
        if (ctrl)
            Click(Create);
        break;
    case Qt::Key_O:
        if (ctrl)
            Click(Open);
        break;
    case Qt::Key_P:
        if (ctrl)
            Click(Preferences);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TMain::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}
