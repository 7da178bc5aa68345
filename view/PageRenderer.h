#pragma once

#include "album/Album.h"
#include "view/PageCanvas.h"

#include <QHash>
#include <QImage>
#include <QStringList>

// Draws the spread being shown into the album's two page images (LeftPage, RightPage): covers,
// contents pages of labelled thumbnails, picture pages with page numbers and note lines.
// The page images must exist and have their size before anything is drawn.
class PageRenderer {
public:
    static constexpr int NotesCount = 4;

    PageRenderer();

    // The note texts of the picture spread last drawn: 0 and 1 left, 2 and 3 right in layout 2;
    // 0 left and 1 right in layout 1.
    QStringList CurrentNotes;
    // The drawing state of each page image, kept between calls.
    CanvasState LeftState;
    CanvasState RightState;

    // The state the view sets once when it is created: bold text, black brush, on both pages.
    void InitCanvasStates();

    // Renders spread CurrentSpread into LeftPage and RightPage. A spread outside the album leaves
    // the page images as they were.
    void DrawFon(AlbumSession& session);

    // The parts of DrawFon, for the spread being drawn.
    void DrawIndex(AlbumSession& session, int contentsSpread);
    void DrawFoto(TAlbum& album, int k);
    void DrawNumPage(AlbumSession& session);
    void DrawNotes(const TAlbum& album, int k);
    void DrawLine(TAlbum& album);

private:
    void DrawIndexEntry(PageCanvas& canvas, const AlbumSession& session, int cellOf, int entry);
    void DrawBackgrounds(TAlbum& album);
    // source at exactly size (device pixels): itself when it has that size, else scaled smoothly
    // once and kept while the source stays the same (contents thumbnails, and pictures and theme
    // bitmaps made for another pixel ratio).
    const QImage& Fitted(const QImage& source, QSize size);
    // Makes the thumbnails of spread ready (the entries without one of their own), then asks for
    // those of the spreads that may come next.
    void FetchSpread(const TAlbum& album, int spread);
    // The thumbnail entry shows on the spread being drawn.
    [[nodiscard]] const QImage& Thumbnail(const TAlbum& album, int entry) const;

    QHash<int, QImage> fetched_; // entry -> thumbnail of the spread being drawn
    int lastSpread_ = 0;

    QHash<QString, QImage> fittedCache_;
};

// The page number shown under contents entry e: the page on which its picture stands.
[[nodiscard]] int ContentsLabelPage(const TAlbum& album, int entry);
