#pragma once

// An album laid out in memory for the view's tests: theme bitmaps of plain colours and pictures
// of one colour made straight at their fitted size, so that no file is read.

#include "album/Album.h"
#include "album/Geometry.h"
#include "tests/support/Fixtures.h"
#include "view/AlbumBook.h"

#include <QColor>
#include <QImage>

inline const QColor CoverColour(0, 0, 200);
inline const QColor BackColour(0, 150, 0);
inline const QColor LeftColour(230, 220, 180);
inline const QColor RightColour(180, 220, 230);
inline const QColor PictureColour(90, 140, 200);

inline QImage Plain(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// count pictures of pictureSize in layout orientation, on a desktop of dw x dh.
inline void FillAlbum(AlbumSession& session, int count, int orientation,
                      QSize pictureSize = QSize(400, 300), int dw = 800, int dh = 600) {
    TAlbum& a = session.Album;
    SelektSizePage(session, dw);
    const PageSize page{session.PageHeight, session.PageWidth};
    const PageRects rects = PageRectsFor(dw, dh, page);
    a.LeftPageRect = rects.Left;
    a.RightPageRect = rects.Right;
    const QSize imageSize = PageImageSize(page);
    a.Cover = Plain(imageSize, CoverColour);
    a.BackCover = Plain(imageSize, BackColour);
    a.LeftBackground = Plain(imageSize, LeftColour);
    a.RightBackground = Plain(imageSize, RightColour);
    a.Orientation = static_cast<quint8>(orientation);
    const PageFrames frames = FramesFor(orientation, imageSize.width(), imageSize.height());
    a.LeftFrame1 = frames.Left1;
    a.LeftFrame2 = frames.Left2;
    a.RightFrame1 = frames.Right1;
    a.RightFrame2 = frames.Right2;
    a.Fotos.clear();
    for (int i = 0; i < count; ++i) {
        TFoto foto;
        foto.FileName = QStringLiteral("/pictures/p%1.jpg").arg(i);
        foto.PictureSize = pictureSize;
        foto.Rect = Dimension(pictureSize, FrameOf(frames, FrameSlotOf(orientation, i)));
        foto.Picture = Plain(RectSize(foto.Rect), PictureColour);
        a.Fotos.push_back(foto);
    }
    a.Count = count;
    ComputeDerivedNumbers(a);
    CreateIndexRect(a, imageSize);
}

// An album session with its book, page images made, showing spread 0 not yet drawn.
struct BookFixture {
    AlbumSession session;
    AlbumBook book{session};
    int sounds = 0;

    BookFixture(int count, int orientation, QSize pictureSize = QSize(400, 300)) {
        FillAlbum(session, count, orientation, pictureSize);
        book.CreatePages();
        book.TurnSound = [this] { ++sounds; };
    }
    TAlbum& album() { return session.Album; }
    void Show(int spread) {
        session.CurrentSpread = spread;
        book.Redraw();
    }
    // Ticks until the running turn ends; returns the number of ticks.
    int FinishTurn() {
        int ticks = 0;
        while (book.Turning() && ticks < 1000) {
            book.Tick();
            ++ticks;
        }
        return ticks;
    }
};
