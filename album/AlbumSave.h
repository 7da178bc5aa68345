#pragma once

#include <QString>

struct AlbumSession;
class DialogService;

// The file a chosen name is written to: the name itself when it ends in ".kpa" (exactly, in that
// letter case), else the name with ".kpa" appended.
[[nodiscard]] QString AlbumSaveTarget(const QString& chosen);

// The save dialog's confirmation: writes the album to AlbumSaveTarget(fileName), sets Name to the
// file-name part of fileName as entered, reports "File: <Name> save successfully" and sets
// AlbumSaved. A failed write shows its error and changes nothing (the old file stays whole).
// Returns whether the album was written; the dialog closes either way.
bool SaveDialog1CanClose(AlbumSession& session, DialogService& dialogs, const QString& fileName);

// "Save album": asks for a file name (starting from the last one used) and saves to it.
void SaveAlbumCommand(AlbumSession& session, DialogService& dialogs);

// Run each time the album view is shown: an album whose load dropped missing pictures is written
// back over the file it came from (".kpa" appended when that file has another extension).
void RewritePendingAlbum(AlbumSession& session, DialogService& dialogs);

// The album view's exit: true when it may close (saved, or the user says "Yes" to leaving unsaved).
[[nodiscard]] bool ConfirmExit(const AlbumSession& session, DialogService& dialogs);
