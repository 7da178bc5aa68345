#include "album/AlbumSave.h"

#include "album/Album.h"
#include "album/AlbumFile.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"

#include <QFileInfo>

QString AlbumSaveTarget(const QString& chosen) {
    const QString fileName = QFileInfo(chosen).fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const bool isKpa = dot >= 0 && fileName.mid(dot) == QLatin1String(AlbumFileExtension);
    return isKpa ? chosen : chosen + QLatin1String(AlbumFileExtension);
}

bool SaveDialog1CanClose(AlbumSession& session, DialogService& dialogs, const QString& fileName) {
    TAlbum& album = session.Album;
    const QString oldName = album.Name;
    album.Name = QFileInfo(fileName).fileName();
    try {
        WriteAlbumFile(AlbumSaveTarget(fileName), album);
    } catch (const KrelError& e) {
        album.Name = oldName;
        dialogs.Message(e.Message, MessageKind::Error);
        return false;
    }
    dialogs.Message(QStringLiteral("File: ") + album.Name + QStringLiteral(" save successfully"),
                    MessageKind::Information);
    session.AlbumSaved = true;
    return true;
}

void SaveAlbumCommand(AlbumSession& session, DialogService& dialogs) {
    FileDialogOptions options;
    options.Title = QStringLiteral("Save album");
    options.Filter = QLatin1String(AlbumFileFilter);
    options.FileName = session.SaveDialogFileName;
    const QString chosen = dialogs.SaveFile(options);
    if (chosen.isEmpty())
        return;
    session.SaveDialogFileName = chosen;
    SaveDialog1CanClose(session, dialogs, chosen);
}

void RewritePendingAlbum(AlbumSession& session, DialogService& dialogs) {
    if (session.PendingResavePath.isEmpty())
        return;
    session.SaveDialogFileName = session.PendingResavePath;
    // Once written, the file matches the album: nothing is left to rewrite.
    if (SaveDialog1CanClose(session, dialogs, session.PendingResavePath))
        session.PendingResavePath.clear();
}

bool ConfirmExit(const AlbumSession& session, DialogService& dialogs) {
    if (session.AlbumSaved)
        return true;
    return dialogs.Message(QStringLiteral("Are you sure want to quit without saving?"),
                           MessageKind::Confirmation,
                           MessageButtons::YesNoDefaultNo) == MessageResult::Yes;
}
