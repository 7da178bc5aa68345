#pragma once

// The outline of a picture as a window shape: every pixel of the picture's top-left colour is
// transparent, every other pixel is shown.

#include "platform/Rect.h"

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QVector>

// One rectangle one pixel high for each run of pixels that differ from the top-left colour, row by
// row from the top, left to right, moved by offset. A run that reaches the right edge ends there.
// The list grows with the picture: there is no cap on the number of runs.
[[nodiscard]] QVector<TRect> PictureRuns(const QImage& picture, QPoint offset = {});

// The union of PictureRuns; an empty region when the picture is empty or of one colour.
[[nodiscard]] QRegion PictureRegion(const QImage& picture, QPoint offset = {});
