#pragma once

#include "platform/Rect.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <optional>

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

// The face of every page, on the screen and in output pictures: Liberation Sans, whose letters
// have the widths of the face the page layout was made for; where it is not installed, the
// platform's sans-serif face.
[[nodiscard]] QFont PageFace();

// PageFace at a size in points at 96 dpi, set in pixels so that every screen and the offscreen
// platform lay text out alike; ratio scales it to device pixels.
[[nodiscard]] QFont PageFont(int points, bool bold, double ratio = 1.0);

// Draws on one page image with its persistent state, in the manner of the classic canvas calls:
// rectangles with exclusive right and bottom edges, lines that end one pixel short of their end
// point, text placed by the top left corner of its cell, stretch-draws without smoothing.
// Coordinates are logical page pixels; the image holds `ratio` device pixels for each of them
// (see DeviceGrid.h), and lines and outlines are as thick as one logical pixel in device pixels.
class PageCanvas {
public:
    PageCanvas(QImage& image, CanvasState& state, double ratio = 1.0);

    [[nodiscard]] CanvasState& State() { return state_; }
    // The logical size of the page image.
    [[nodiscard]] int Width() const { return logical_.width(); }
    [[nodiscard]] int Height() const { return logical_.height(); }
    [[nodiscard]] double Ratio() const { return ratio_; }

    // Fills r with the brush colour (the pen is not used).
    void FillRect(const TRect& r);
    // Fills r with the brush unless it is clear, then outlines it with the pen.
    void Rectangle(const TRect& r);
    // A line from (x1, y1) towards (x2, y2), the end point itself left out.
    void Line(int x1, int y1, int x2, int y2);
    // Text whose cell has its top left corner at (x, y); a solid brush paints the cell first.
    // Text that would reach beyond `right` (logical, exclusive) is cut short with an ellipsis.
    void TextOut(int x, int y, const QString& text, std::optional<int> right = {});
    // The logical width of text in the current font.
    [[nodiscard]] int TextWidth(const QString& text) const;
    // Draws the whole of source scaled into target.
    void StretchDraw(const TRect& target, const QImage& source);
    // Covers the whole page with source.
    void StretchDrawAll(const QImage& source);

private:
    [[nodiscard]] int LineWidth() const;
    QImage& image_;
    CanvasState& state_;
    double ratio_;
    QSize logical_;
    QPainter painter_;
};
