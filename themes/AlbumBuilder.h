#pragma once

// What the album creation wizard does to the album: apply a theme, and build the entries from the
// chosen picture files.

#include "album/Album.h"
#include "themes/Themes.h"

#include <QSize>
#include <QStringList>

class Progress;

// Copies the theme's name and four picture paths into the album and stretches each picture, in the
// order cover, left, right, back, over its theme bitmap (of its own size once it has one, else
// pageImage). The progress window runs 0 to 5, one step after the copy and after each picture, and
// is closed however it ends. Throws PictureError naming a picture that cannot be loaded; the album
// then keeps what was already applied. A theme whose picture paths break ThemePictureProblem's rule
// is refused before anything is applied.
void ApplyTheme(TAlbum& album, const QString& programFolder, const TThemes& theme, QSize pageImage,
                Progress& progress);

// Makes the album's entries from files in their order (paths cut to the short-field length,
// empty notes), lays them out for the album's Orientation on pages of pageImage, makes their
// thumbnails and contents cells and derives IndexPages and SpreadCount. A file that cannot be
// loaded stays in the album with an empty Rect and no thumbnail. Entries of an earlier album are
// dropped first, and nothing is left to rewrite into an album file. The progress window runs
// 0 to 5 and is closed however it ends.
void BuildAlbum(AlbumSession& session, const QStringList& files, QSize pageImage,
                Progress& progress);
