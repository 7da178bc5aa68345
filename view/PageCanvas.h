#pragma once

#include "platform/Rect.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

// The drawing state of one page image. Like a device context's pen, brush and font it outlives
// each drawing call: text takes the size, colour and style that the previous caller left.
struct CanvasState {
    QColor PenColor = Qt::black;
    int PenWidth = 1;
    QColor BrushColor = Qt::white;
    bool BrushClear = false; // clear brush: shapes are outlines only, text has no background
    QColor FontColor = Qt::black;
    int FontSize = 8; // points at 96 dots per inch
    bool FontBold = false;
};

// Colours of the page drawing.
inline const QColor PageBlack(0, 0, 0);
inline const QColor PageWhite(255, 255, 255);
inline const QColor PageGrey(128, 128, 128);
inline const QColor PageRed(255, 0, 0);

// The platform's default sans-serif face at a size in points at 96 dpi, set in pixels so that
// every screen and the offscreen platform lay text out alike.
[[nodiscard]] QFont PageFont(int points, bool bold);

// Draws on one page image with its persistent state, in the manner of the classic canvas calls:
// rectangles with exclusive right and bottom edges, lines that end one pixel short of their end
// point, text placed by the top left corner of its cell, stretch-draws without smoothing.
class PageCanvas {
public:
    PageCanvas(QImage& image, CanvasState& state);

    [[nodiscard]] CanvasState& State() { return state_; }
    [[nodiscard]] int Width() const { return image_.width(); }
    [[nodiscard]] int Height() const { return image_.height(); }

    // Fills r with the brush colour (the pen is not used).
    void FillRect(const TRect& r);
    // Fills r with the brush unless it is clear, then outlines it with the pen.
    void Rectangle(const TRect& r);
    // A line from (x1, y1) towards (x2, y2), the end point itself left out.
    void Line(int x1, int y1, int x2, int y2);
    // Text whose cell has its top left corner at (x, y); a solid brush paints the cell first.
    void TextOut(int x, int y, const QString& text);
    // Draws the whole of source scaled into target.
    void StretchDraw(const TRect& target, const QImage& source);
    // Covers the whole page with source.
    void StretchDrawAll(const QImage& source);

private:
    void ApplyPen();
    QImage& image_;
    CanvasState& state_;
    QPainter painter_;
};
