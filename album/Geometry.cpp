#include "album/Geometry.h"

#include "platform/DeviceGrid.h"

#include "platform/Errors.h"
#include "platform/PictureIO.h"

#include <cmath>

namespace {

// Contents pages: 4 columns of 5 cells, rows 5 pixels apart, columns 10.
constexpr int ContentsRows = 5;
constexpr int ContentsColumns = 4;
constexpr int RowGap = 5;
constexpr int ColumnGap = 10;

// Integer nearest to x, exact halves to the even neighbour (the default rounding mode).
int Nearest(double x) {
    return static_cast<int>(std::nearbyint(x));
}

} // namespace

QSize RectSize(const TRect& r) {
    return QSize(r.Width(), r.Height());
}

PageSize SelektSizePage(int screenWidth) {
    if (screenWidth >= 1280)
        return {816, 545};
    if (screenWidth >= 1024)
        return {638, 426};
    return {499, 332};
}

void SelektSizePage(AlbumSession& session, int screenWidth) {
    const PageSize page = SelektSizePage(screenWidth);
    session.PageHeight = page.Height;
    session.PageWidth = page.Width;
}

PageRects PageRectsFor(int dw, int dh, PageSize page) {
    const int top = (dh - page.Height) / 2;
    const int bottom = top + page.Height;
    return {{dw / 2 - page.Width, top, dw / 2 + 1, bottom},
            {dw / 2 - 1, top, dw / 2 - 1 + page.Width, bottom}};
}

QSize PageImageSize(PageSize page) {
    return QSize(page.Width + 1, page.Height);
}

PageFrames FramesFor(int orientation, int w, int h) {
    if (orientation == OrientationHorizontal) {
        const int upperBottom = h / 2 - h / 40 - h / 16;
        const int lowerTop = h / 2 + h / 60;
        const int lowerBottom = h - h / 11 - h / 16;
        return {{w / 15, h / 13, w - w / 8, upperBottom},
                {w / 15, lowerTop, w - w / 8, lowerBottom},
                {w / 8, h / 13, w - w / 15, upperBottom},
                {w / 8, lowerTop, w - w / 15, lowerBottom}};
    }
    if (orientation == OrientationVertical) {
        const int bottom = h - h / 9 - h / 16;
        return {{w / 8, h / 12, w - w / 12, bottom}, {}, {w / 12, h / 12, w - w / 8, bottom}, {}};
    }
    throw KrelError(
        QStringLiteral("The album layout %1 is unknown (1 or 2 expected)").arg(orientation));
}

const TRect& FrameOf(const PageFrames& frames, FrameSlot slot) {
    switch (slot) {
    case FrameSlot::Left1:
        return frames.Left1;
    case FrameSlot::Left2:
        return frames.Left2;
    case FrameSlot::Right1:
        return frames.Right1;
    case FrameSlot::Right2:
        break;
    }
    return frames.Right2;
}

TRect Dimension(int w, int h, const TRect& box) {
    const int boxW = box.Width();
    const int boxH = box.Height();
    if (w <= 0 || h <= 0 || boxW <= 0 || boxH <= 0)
        throw KrelError(QStringLiteral("Cannot fit a picture of %1 x %2 into a box of %3 x %4")
                            .arg(w)
                            .arg(h)
                            .arg(boxW)
                            .arg(boxH));
    TRect r = box;
    // Scaled to the box height the picture is w * boxH / h wide; compared exactly in integers so
    // that a picture of the box's own proportions takes the whole box.
    if (static_cast<qint64>(boxW) * h >= static_cast<qint64>(w) * boxH) {
        const double k = static_cast<double>(h) / boxH;
        r.Right = Nearest(w / k + box.Left);
    } else {
        const double k2 = static_cast<double>(w) / boxW;
        r.Bottom = Nearest(h / k2 + box.Top);
    }
    const int dy = (boxH - r.Height()) / 2;
    const int dx = (boxW - r.Width()) / 2;
    r.Top += dy;
    r.Bottom += dy;
    r.Left += dx;
    r.Right += dx;
    return r;
}

void CreateFotoRect(TAlbum& album, QSize pageImage, const FotoRectOptions& options) {
    const PageFrames frames = FramesFor(album.Orientation, pageImage.width(), pageImage.height());
    album.LeftFrame1 = frames.Left1;
    album.LeftFrame2 = frames.Left2;
    album.RightFrame1 = frames.Right1;
    album.RightFrame2 = frames.Right2;
    for (int i = std::max(options.FirstEntry, 0); i < album.Fotos.size(); ++i) {
        TFoto& foto = album.Fotos[i];
        try {
            if (options.ReadSizes)
                foto.PictureSize = ReadPictureSize(foto.FileName);
            foto.Rect =
                Dimension(foto.PictureSize, FrameOf(frames, FrameSlotOf(album.Orientation, i)));
            // A sliver of a picture can fit to no pixel at all: it keeps no thumbnail.
            if (options.MakeThumbnails)
                foto.Picture = foto.Rect.IsEmpty()
                                   ? QImage()
                                   : LoadPictureScaled(foto.FileName,
                                                       ThumbnailSize(foto.Rect, album.PixelRatio));
        } catch (const KrelError&) {
            if (!options.SkipUnloadable)
                throw;
            foto.Rect = {};
            foto.Picture = {};
        }
    }
}

TRect ContentsCell(int a, int w, int h) {
    const int col = (a % EntriesPerContentsPage) / ContentsRows;
    const int row = a % ContentsRows;
    const int cellH = (h - h / 4) / ContentsRows;
    const int cellW = (w - w / 3) / ContentsColumns;
    const int top = h / 10 + RowGap * (row + 1) + cellH * row;
    const int left = w / 10 + ColumnGap * (col + 1) + cellW * col;
    return {left, top, left + cellW, top + cellH};
}

void CreateIndexRect(TAlbum& album, QSize pageImage) {
    album.Index.resize(album.Count);
    const int strip = LabelStripHeight(pageImage.height());
    for (int a = 0; a < album.Count; ++a) {
        TIndexEntry& entry = album.Index[a];
        entry.CellRect = ContentsCell(a, pageImage.width(), pageImage.height());
        TRect box = entry.CellRect;
        box.Bottom -= strip;
        const TRect& rect = a < album.Fotos.size() ? album.Fotos[a].Rect : TRect{};
        entry.FotoRect = rect.IsEmpty() ? TRect{} : Dimension(rect.Width(), rect.Height(), box);
    }
}
