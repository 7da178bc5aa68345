#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class DialogService;
class Progress;
struct AlbumSession;
struct SoundFlags;

// What every window gets at construction instead of reaching for globals.
struct AppContext {
    QString ProgramFolder; // ends in "/"
    // Where Res.ini, Themes.ini and Themes1.ini are (ends in "/"); empty: the program folder.
    QString SettingsFolder;
    DialogService* Dialogs = nullptr; // every message box and file dialog
    Progress* ProgressWindow = nullptr;
    AlbumSession* Session = nullptr; // the one album and the state beside it
    SoundFlags* Sounds = nullptr;
    // Opens a document with the desktop's default viewer (help pages); failures are not reported.
    std::function<void(const QString& path)> OpenDocument;
    // Shows the album view modally; returns when the user has closed it.
    std::function<void()> ShowAlbumView;
    // Closes the wizard if it is open (the album view does this when it is shown).
    std::function<void()> CloseWizard;
    // The print queues a print may go to; when empty, the system's (tests name their own).
    std::function<QStringList()> PrintQueues;
};

// The folder of the files that the program rewrites.
[[nodiscard]] QString SettingsFolderOf(const AppContext& context);

// Opens the program folder's "Help\Special thnx.htm" (F1 in most windows).
void OpenSpecialThanks(const AppContext& context);
