#pragma once

#include <QRect>

// Integer pixel rectangle with exclusive Right and Bottom, as the page geometry computes it.
// QRect's right() and bottom() are inclusive: convert only through ToQRect / FromQRect.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    [[nodiscard]] int Width() const { return Right - Left; }
    [[nodiscard]] int Height() const { return Bottom - Top; }
    [[nodiscard]] bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    [[nodiscard]] bool Contains(int x, int y) const {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

[[nodiscard]] inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

[[nodiscard]] inline TRect FromQRect(const QRect& r) {
    return TRect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}
