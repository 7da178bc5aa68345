#include "output/PrintLayout.h"

#include "platform/PictureIO.h"

namespace {

constexpr int ContentsRows = 5;
constexpr int ContentsColumns = 4;
constexpr int RowGap = 5;     // pixels between rows, besides the cell height
constexpr int ColumnGap = 10; // pixels between columns, besides the cell width

// Count, but never more entries than the album holds.
int EntryCount(const TAlbum& album) {
    return std::min(album.Count, static_cast<int>(album.Fotos.size()));
}

} // namespace

TRect PrintContentsCell(int a, int w, int h) {
    const int k = a % EntriesPerContentsPage;
    const int row = a % ContentsRows;
    const int col = k / ContentsRows;
    const int cellH = (h - h / 5) / ContentsRows;
    const int cellW = (w - w / 4) / ContentsColumns;
    const int top = h / 10 + RowGap * (row + 1) + row * cellH;
    const int left = w / 10 + ColumnGap * (col + 1) + col * cellW;
    return {left, top, left + cellW, top + cellH};
}

QVector<TRect> PrintPlacements(const TAlbum& album, const PageFrames& frames) {
    QVector<TRect> placements(EntryCount(album));
    for (int i = 0; i < placements.size(); ++i) {
        const QSize picture = ReadPictureSize(album.Fotos[i].FileName);
        placements[i] = Dimension(picture, FrameOf(frames, FrameSlotOf(album.Orientation, i)));
    }
    return placements;
}

QVector<TIndexEntry> PrintContentsCells(const TAlbum& album, int w, int h) {
    QVector<TIndexEntry> cells(EntryCount(album));
    for (int i = 0; i < cells.size(); ++i) {
        TIndexEntry& entry = cells[i];
        entry.CellRect = PrintContentsCell(i, w, h);
        TRect box = entry.CellRect;
        box.Bottom -= LabelStripHeight(h);
        const TRect& thumbnail = album.Fotos[i].Rect;
        entry.FotoRect = thumbnail.IsEmpty() ? TRect{} : Dimension(RectSize(thumbnail), box);
    }
    return cells;
}

PrintLayout MakePrintLayout(const TAlbum& album, QSize size) {
    PrintLayout layout;
    layout.Size = size;
    layout.Frames = FramesFor(album.Orientation, size.width(), size.height());
    layout.Placements = PrintPlacements(album, layout.Frames);
    layout.Cells = PrintContentsCells(album, size.width(), size.height());
    return layout;
}
