#include "view/BookSize.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int LargeScreenWidth = 1920;
constexpr int LargeScreenHeight = 1200;
constexpr double HeightShare = 0.8; // of the screen's height
constexpr double SpreadShare = 0.9; // of the screen's width, at most, for both pages
constexpr int ClassicHeight = 816;
constexpr int ClassicWidth = 545;

} // namespace

PageSize BookPageSize(QSize screen, BookSize size) {
    const PageSize classic = SelektSizePage(screen.width());
    if (size == BookSize::Classic || screen.width() < LargeScreenWidth ||
        screen.height() < LargeScreenHeight)
        return classic;
    // A very tall screen would make the spread wider than itself: the width limits the height.
    const double byWidth = SpreadShare * screen.width() / 2 * ClassicHeight / ClassicWidth;
    const int height =
        static_cast<int>(std::lround(std::min(HeightShare * screen.height(), byWidth)));
    if (height <= classic.Height)
        return classic;
    const int width = static_cast<int>(std::lround(double(height) * ClassicWidth / ClassicHeight));
    return {height, width};
}

void SelektSizePage(AlbumSession& session, QSize screen, BookSize size) {
    const PageSize page = BookPageSize(screen, size);
    session.PageHeight = page.Height;
    session.PageWidth = page.Width;
}
