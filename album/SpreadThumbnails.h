#pragma once

#include "album/Album.h"
#include "album/ThumbnailStore.h"

#include <QVector>

// The thumbnails a spread shows, in device pixels: the frames of a picture spread at their Rect's
// size, the cells of a contents spread at their FotoRect's size; none for the covers.
[[nodiscard]] QVector<ThumbnailRequest> SpreadThumbnails(const TAlbum& album, int spread);

// The spreads to make ready after spread, most wanted first: the next ones in the direction of
// travel (direction > 0: forward, < 0: backward), then the one behind.
[[nodiscard]] QVector<int> SpreadsToPrepare(const TAlbum& album, int spread, int direction);

// How many spreads ahead in the direction of travel are made ready.
inline constexpr int SpreadsAhead = 3;
