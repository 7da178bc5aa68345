#pragma once

#include "album/Album.h"

#include <QVector>
#include <functional>

// Makes the thumbnails of fotos[first] to the last entry: each picture file decoded straight to
// about its Rect's size in device pixels at ratio and scaled to exactly that size. With several
// cores the pictures are decoded on worker threads, at most one a thread, so no more than a few
// decoded pictures are in memory at once; the entries are still completed in album order, and
// afterEach(i) runs on the calling thread after entry i. Events keep running while an entry is
// awaited. Throws the PictureError of the first entry in album order that cannot be decoded; no
// decoding is left running when it returns or throws.
void MakeThumbnails(QVector<TFoto>& fotos, int first, const std::function<void(int)>& afterEach,
                    double ratio = 1.0);
