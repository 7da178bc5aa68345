#pragma once

#include "platform/Rect.h"

#include <QSize>

// The book is laid out in logical pixels and drawn in device pixels: a screen at a pixel ratio of
// 1.5 shows every logical pixel as 1.5 device pixels. Each logical coordinate is multiplied by the
// ratio and rounded once, on its own, so two rectangles that share an edge in logical pixels share
// it in device pixels too, and a rule drawn on a rectangle's edge stays on it.

// Ratios the book is drawn at: the screen's, kept within 1 and 4.
[[nodiscard]] double BookPixelRatio(double screenRatio);

// A logical coordinate in device pixels.
[[nodiscard]] int DevicePx(int logical, double ratio);
[[nodiscard]] TRect DeviceRect(const TRect& logical, double ratio);
// The device size of a logical size (that of the rectangle from 0, 0).
[[nodiscard]] QSize DeviceSize(QSize logical, double ratio);
// A logical size back from its device size (exact for every ratio from 1).
[[nodiscard]] QSize LogicalSize(QSize device, double ratio);
// How many device pixels thick a line of `logical` pixels is drawn: at least one.
[[nodiscard]] int DeviceLineWidth(int logical, double ratio);

// The size a picture's thumbnail is decoded at: its fitted rectangle in device pixels.
[[nodiscard]] QSize ThumbnailSize(const TRect& rect, double ratio);
