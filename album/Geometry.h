#pragma once

#include "album/Album.h"
#include "platform/Rect.h"

#include <QSize>

// Page layout of the album book: page size from the screen, where the pages stand, the picture
// frames of both layouts, pictures fitted into frames and the cells of the contents pages.
// Every rectangle except the page rectangles is in page-image coordinates.

struct PageSize {
    int Height = 0;
    int Width = 0;
    friend bool operator==(const PageSize&, const PageSize&) = default;
};

// The page size for a screen width: 499 x 332 below 1024, 638 x 426 below 1280, else 816 x 545.
[[nodiscard]] PageSize SelektSizePage(int screenWidth);

// Sets the session's PageHeight and PageWidth from the screen width.
void SelektSizePage(AlbumSession& session, int screenWidth);

struct PageRects {
    TRect Left;
    TRect Right;
    friend bool operator==(const PageRects&, const PageRects&) = default;
};

// Where the two pages stand on a desktop of dw x dh. The left page is one pixel wider than the
// right one and they overlap by two pixels at the spine.
[[nodiscard]] PageRects PageRectsFor(int dw, int dh, PageSize page);

// The size of the page images: as wide as LeftPageRect (PageWidth + 1) and PageHeight high.
[[nodiscard]] QSize PageImageSize(PageSize page);

struct PageFrames {
    TRect Left1;
    TRect Left2; // layout 2 only; empty in layout 1
    TRect Right1;
    TRect Right2; // layout 2 only; empty in layout 1
    friend bool operator==(const PageFrames&, const PageFrames&) = default;
};

// The picture frames of a w x h page image for an orientation (1 or 2). Works at any size, so
// output pages can be laid out the same way. Throws KrelError for any other orientation.
[[nodiscard]] PageFrames FramesFor(int orientation, int w, int h);

// The frame of one slot.
[[nodiscard]] const TRect& FrameOf(const PageFrames& frames, FrameSlot slot);

// Fits a w x h picture into box keeping its proportions, centred. Halves round to even; a picture
// of the box's exact proportions fills it. Throws KrelError when the box or the picture has no
// area (the fit would divide by zero).
[[nodiscard]] TRect Dimension(int w, int h, const TRect& box);
[[nodiscard]] inline TRect Dimension(QSize picture, const TRect& box) {
    return Dimension(picture.width(), picture.height(), box);
}

// The width and height of a rectangle (a thumbnail is exactly its Rect's size).
[[nodiscard]] QSize RectSize(const TRect& r);

// What differs between the callers of CreateFotoRect.
struct FotoRectOptions {
    int FirstEntry = 0;          // entries before this one keep their Rect and Picture
    bool MakeThumbnails = true;  // false: only Rect and PictureSize are set
    bool SkipUnloadable = false; // true: an unreadable picture leaves an empty Rect and thumbnail
    bool ReadSizes = true;       // false: PictureSize was read beforehand
};

// Sets the album's four frames for a page image of pageImage, then for each entry from
// options.FirstEntry to the last: PictureSize (upright size of the file), Rect (the picture fitted
// into its frame) and, when asked, Picture (the file decoded to exactly Rect's size).
// Throws PictureError for an unreadable picture unless options.SkipUnloadable.
void CreateFotoRect(TAlbum& album, QSize pageImage, const FotoRectOptions& options);

// The cell of contents entry a on a contents page of w x h (the page image size).
[[nodiscard]] TRect ContentsCell(int a, int w, int h);

// Height of the label strip at the bottom of each contents cell.
[[nodiscard]] inline int LabelStripHeight(int pageHeight) {
    return pageHeight / 32;
}

// Sets CellRect and FotoRect of entries 0 to Count - 1 (Index is resized to Count): the cells of a
// contents page of pageImage (the size of LeftPageRect), each thumbnail (Rect's size) fitted into
// its cell minus the label strip. An entry without a thumbnail gets an empty FotoRect.
void CreateIndexRect(TAlbum& album, QSize pageImage);
