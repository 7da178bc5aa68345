#pragma once

#include <QSize>
#include <QString>

struct AppContext;
struct AlbumSession;

// How a call of OpenAlbum ended.
enum class LoadResult {
    Cancelled,  // no file chosen: nothing loaded, the album untouched
    Failed,     // a missing theme, a damaged file or picture: no entries kept, no album view
    NoPictures, // none of the pictures exists
    Shown,      // the album view was shown (and has been closed again)
};

// The folder the open dialog starts in: "Albums" in the user's home when it exists, else empty.
[[nodiscard]] QString AlbumsFolder();

// The size of the page images the loader lays out for: the left page image's size once the album
// view made it, else PageWidth + 1 by PageHeight.
[[nodiscard]] QSize LoaderPageImageSize(const AlbumSession& session);

// Loads an album file into context.Session and shows the album view modally through
// context.ShowAlbumView, returning once the view has been closed. path names the file (the
// command line); when it names no existing file the open dialog asks for one. Theme pictures are
// stretched into the four theme bitmaps, every entry gets its Rect, thumbnail and contents cell.
// Every problem is reported through context.Dialogs; a failed load leaves no entries and never
// leaves PendingResavePath set.
LoadResult OpenAlbum(const AppContext& context, const QString& path);
