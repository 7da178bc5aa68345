#pragma once

#include "album/Album.h"
#include "output/PictureTransform.h"

#include <QSize>
#include <QString>
#include <QStringList>

class Progress;

// A file an add command left out, and why.
struct SkippedPicture {
    QString Path;
    QString Reason;
};

// The steps of the progress window during an add: append, lay out, contents, derived numbers.
inline constexpr int AddProgressSteps = 4;

// Appends one entry per file (in order, empty note), lays out the new entries only, then every
// contents cell and the derived numbers, and shows the front cover (CurrentSpread 0). A file that
// cannot be loaded as a picture, or whose path is longer than a stored path can be, is left out
// and the others still go in. progress (may be null) is shown at 0, advanced once per step and
// closed. pageImage is the size of the page images. When any file went in the album is no longer
// saved. Returns the files left out.
QVector<SkippedPicture> AddPictures(AlbumSession& session, const QStringList& files,
                                    QSize pageImage, Progress* progress);

// The one message naming the files an add left out; empty when none was.
[[nodiscard]] QString SkippedPicturesMessage(const QVector<SkippedPicture>& skipped);

// Removes entry sel. The entries after it move down a place and are laid out again in the frames
// of their new places from the picture sizes they keep (no file is read); contents cells and the
// derived numbers are recomputed and CurrentSpread stays within the album; the album is no longer
// saved. An index outside the album changes nothing.
void DeletePicture(AlbumSession& session, int sel, QSize pageImage);

// Removes every entry: Count 0, not saved; SpreadCount becomes IndexPages (which keeps its value);
// CurrentSpread stays within the album.
void DeleteAllPictures(AlbumSession& session);

// Turns or mirrors the picture file of entry index, then gives the entry its new Rect, thumbnail
// and contents rectangle from the transformed pixels; the album is no longer saved. Throws
// PictureError or IoError; the entry and the saved state are unchanged then.
void TransformPicture(AlbumSession& session, int index, PictureTransform transform);
