#pragma once

#include "album/Album.h"
#include "album/Geometry.h"
#include "platform/Rect.h"

#include <QSize>
#include <QVector>

// The layout of the album's pages at an output size (a photo-print size or a printer page): the
// four frames, where every picture stands and the contents cells. Pages saved or printed are
// drawn from this layout, never from the album view's screen layout.
struct PrintLayout {
    QSize Size;
    PageFrames Frames;          // the four frames at Size
    QVector<TRect> Placements;  // per entry: its picture fitted into its frame
    QVector<TIndexEntry> Cells; // per entry: contents cell and thumbnail rectangle
};

// The contents cell of entry a on an output page of w x h. The album view gives a cell a quarter
// of the page height and a third of the width to leave out; output pages leave out a fifth of the
// height and a quarter of the width, so their cells are larger.
[[nodiscard]] TRect PrintContentsCell(int a, int w, int h);

// Per entry: the picture fitted into its frame. The picture sizes come from the file headers;
// throws PictureError naming a file that cannot be read.
[[nodiscard]] QVector<TRect> PrintPlacements(const TAlbum& album, const PageFrames& frames);

// Per entry: its cell at w x h and its thumbnail (the size of the entry's Rect, as the album view
// shows it) fitted into the cell minus the label strip. An entry without a thumbnail gets an empty
// thumbnail rectangle.
[[nodiscard]] QVector<TIndexEntry> PrintContentsCells(const TAlbum& album, int w, int h);

// The whole layout at size (the frames, the placements and the cells).
[[nodiscard]] PrintLayout MakePrintLayout(const TAlbum& album, QSize size);
