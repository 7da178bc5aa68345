#include "app/ui/StartUp.h"

#include "album/Album.h"
#include "album/AlbumLoader.h"
#include "app/AppContext.h"
#include "app/SoundThread.h"
#include "app/StartOptions.h"
#include "app/ui/GenericErrors.h"
#include "app/ui/GuardedApplication.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PrBar.h"
#include "app/ui/Splash.h"
#include "output/ui/HeadlessCommands.h"
#include "platform/DesktopOpen.h"
#include "platform/FileTypeRegistration.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolders.h"
#include "platform/ui/InstanceChannel.h"
#include "platform/ui/QtDialogService.h"
#include "themes/ui/Preferences.h"
#include "themes/ui/Wizard.h"
#include "view/HeadlessView.h"
#include "view/ui/TGraph.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <memory>

namespace {

const QString ApplicationTitle = QStringLiteral("The Krel - Digital album");
constexpr qint64 SplashMs = 7000;
// At exit the program waits for sounds still playing; a sound thread gives up on its own after
// its sound's length and a little more, so this bound is only met when audio hangs.
constexpr int SoundExitWaitMs = 30000;
// How long a later start waits for the running copy to take its request to come to the front.
constexpr int LaterStartWaitMs = 2000;

// Every window of the program, created once at start-up in this order and kept for the whole run
// (the splash until the start-up wait ends). The progress window is made before them.
struct ProgramWindows {
    std::unique_ptr<TMain> Main;
    std::unique_ptr<TWizard> Wizard;
    std::unique_ptr<TGraph> Graph;
    std::unique_ptr<TPreferences> Preferences;
    std::unique_ptr<TSplash> Splash;
};

// Step 10: each window's creation handler runs here, in the program's order: start window,
// wizard, album view (which makes the add-folder dialog and the note editor with its editing
// commands), preferences, and last the splash, visible from its creation. The save-as-picture
// window takes its place between the album view and the preferences.
// The windows that the start window opens are its own, so window managers keep them above it.
void CreateWindows(ProgramWindows& windows, const AppContext& context) {
    windows.Main = std::make_unique<TMain>(context);
    QWidget* main = windows.Main.get();
    windows.Wizard = std::make_unique<TWizard>(context, main, main);
    windows.Graph = std::make_unique<TGraph>(context, QSize(), main);
    windows.Preferences = std::make_unique<TPreferences>(
        context, main, [&windows] { windows.Wizard->ReadThemes(); }, main);
    windows.Splash = std::make_unique<TSplash>(SplashPicture(context.ProgramFolder));
}

// Step 16: the windows go in the reverse order of their creation.
void DestroyWindows(ProgramWindows& windows) {
    windows.Splash.reset();
    windows.Preferences.reset();
    windows.Graph.reset();
    windows.Wizard.reset();
    windows.Main.reset();
}

// The context's calls into windows; they look the windows up when called, since every window
// keeps its own copy of the context made before the windows exist.
void ConnectWindows(AppContext& context, ProgramWindows& windows) {
    context.ShowAlbumView = [&windows] { windows.Graph->ShowModal(); };
    context.CloseWizard = [&windows] {
        if (windows.Wizard && windows.Wizard->isVisible())
            windows.Wizard->close();
    };
}

// What the start window's buttons open, and the album loader that step 14 calls.
MainActions StartWindowActions(ProgramWindows& windows, const AppContext& context) {
    MainActions actions;
    actions.ThemeCount = [&windows] { return windows.Wizard->ThemeCount(); };
    actions.ThemesProblem = [&windows] { return windows.Wizard->CatalogueProblem(); };
    actions.ShowWizard = [&windows] { windows.Wizard->exec(); };
    actions.ShowPreferences = [&windows] { windows.Preferences->exec(); };
    actions.OpenAlbum = [&context](const QString& path) { (void)OpenAlbum(context, path); };
    return actions;
}

// The window a later start brings to the front: the innermost modal one, else the splash
// during the start-up wait, else the start window.
QWidget* FrontWindow(const ProgramWindows& windows) {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (windows.Splash && windows.Splash->isVisible())
        return windows.Splash.get();
    return windows.Main && windows.Main->isVisible() ? windows.Main.get() : nullptr;
}

void BringToFront(QWidget* window) {
    if (!window)
        return;
    // Out of the task bar, keeping a full-screen state.
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

// Step 11: lets window events run until the start time lies at least SplashMs behind.
void WaitOutSplash(const QElapsedTimer& started) {
    const qint64 remaining = SplashMs - started.elapsed();
    if (remaining <= 0)
        return;
    QEventLoop wait;
    QTimer::singleShot(static_cast<int>(remaining), &wait, &QEventLoop::quit);
    wait.exec();
}

QString ProgramFilePath() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

int RunProgram(int argc, char** argv) {
    // Themes a user adds beside an installed copy are found by every command and window.
    SetUserDataFolder(PrepareUserDataFolder(GetPath()));
    // Headless output commands run before, and without, the single instance and the windows.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (IsHeadlessCommand(arguments))
        return RunHeadlessCommand(argc, argv);
    if (IsRenderCommand(arguments))
        return RunRenderCommand(argc, argv);
    // 1. Only one copy runs for each user: a later start asks the running copy to come to the
    // front and ends here, showing nothing and passing nothing on.
    SingleInstance marker;
    if (!marker.TryAcquire()) {
        QCoreApplication later(argc, argv);
        (void)InstanceChannel::AskToRaise(marker.ChannelPath(), LaterStartWaitMs);
        return 0;
    }
    // 2. The album file type, refreshed on every start of the first copy unless the installed
    // system files already register this program.
    RegisterFileTypeWhereMissing(QStringLiteral("kpa"), ProgramFilePath());
    // 4. The application (Qt takes its own options out of the arguments first, so step 3 follows).
    GuardedApplication app(argc, argv);
    QApplication::setApplicationDisplayName(ApplicationTitle);
    QApplication::setWindowIcon(QIcon(GetPath() + QStringLiteral("GraphicRes/Icon.png")));
    QApplication::setQuitOnLastWindowClosed(false);
    // 3. The album named on the command line.
    const StartOptions options = ParseStartArguments(QApplication::arguments().mid(1));
    // 5. The start time of the splash wait.
    QElapsedTimer started;
    started.start();

    QtDialogService dialogs;
    app.SetErrorDialogs(&dialogs);
    AlbumSession session;
    SoundFlags sounds;
    // 6. The progress window, not shown.
    TPrBar prBar;
    AppContext context;
    context.ProgramFolder = GetPath();
    context.SettingsFolder = PrepareSettingsFolder(context.ProgramFolder);
    context.Dialogs = &dialogs;
    context.ProgressWindow = &prBar;
    context.Session = &session;
    context.Sounds = &sounds;
    context.OpenDocument = OpenWithDesktop;
    ProgramWindows windows;
    ConnectWindows(context, windows);
    InstanceChannel channel;
    channel.Listen(marker.ChannelPath());
    QObject::connect(&channel, &InstanceChannel::RaiseRequested,
                     [&windows] { BringToFront(FrontWindow(windows)); });

    // 7. The start-up sound plays during the splash.
    sounds.Start = true;
    StartListTherd(sounds, context.ProgramFolder, false);
    // 8.
    QCoreApplication::processEvents();
    // 9, 10. No window shows by itself except the splash.
    CreateWindows(windows, context);
    const MainActions actions = StartWindowActions(windows, context);
    windows.Main->SetActions(actions);
    QObject::connect(windows.Main.get(), &TMain::Closed, &app, &QCoreApplication::quit);
    dialogs.SetParentWindow(windows.Main.get());
    // 11, 12.
    if (!options.NoSplash)
        WaitOutSplash(started);
    windows.Splash.reset();
    // 13.
    windows.Main->show();
    // 14. Returns when the album view opened on it is closed.
    const QString album = CommandLineAlbum(options);
    if (!album.isEmpty() && actions.OpenAlbum)
        RunGuarded(&dialogs, [&] { actions.OpenAlbum(album); });
    // 15.
    const int exitCode = QApplication::exec();
    // 16. The marker is released when it goes out of scope.
    DestroyWindows(windows);
    if (!sounds.Running.WaitForNone(SoundExitWaitMs))
        std::_Exit(exitCode); // a sound thread still holds the flags: do not free them under it
    return exitCode;
}
