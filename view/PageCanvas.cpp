#include "view/PageCanvas.h"

#include <QFontMetrics>
#include <QPen>

namespace {

constexpr int ScreenDpi = 96;
constexpr int PointsPerInch = 72;

} // namespace

QFont PageFont(int points, bool bold) {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    // Rounded as the classic font height conversion (MulDiv) rounds.
    font.setPixelSize((points * ScreenDpi + PointsPerInch / 2) / PointsPerInch);
    font.setBold(bold);
    return font;
}

PageCanvas::PageCanvas(QImage& image, CanvasState& state)
    : image_(image), state_(state), painter_(&image) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void PageCanvas::ApplyPen() {
    QPen pen(state_.PenColor);
    pen.setWidth(state_.PenWidth <= 1 ? 0 : state_.PenWidth); // 0: cosmetic one-pixel pen
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void PageCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    painter_.fillRect(ToQRect(r), state_.BrushColor);
}

void PageCanvas::Rectangle(const TRect& r) {
    if (r.IsEmpty())
        return;
    if (!state_.BrushClear)
        painter_.fillRect(ToQRect(r), state_.BrushColor);
    ApplyPen();
    // A one-pixel outline on the rectangle's first and last rows and columns.
    painter_.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void PageCanvas::Line(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2)
        return;
    ApplyPen();
    // Only horizontal and vertical lines are drawn on pages; both stop one pixel short.
    const int dx = x2 > x1 ? -1 : (x2 < x1 ? 1 : 0);
    const int dy = y2 > y1 ? -1 : (y2 < y1 ? 1 : 0);
    painter_.drawLine(x1, y1, x2 + dx, y2 + dy);
}

void PageCanvas::TextOut(int x, int y, const QString& text) {
    if (text.isEmpty())
        return;
    const QFont font = PageFont(state_.FontSize, state_.FontBold);
    const QFontMetrics metrics(font);
    if (!state_.BrushClear)
        painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                          state_.BrushColor);
    painter_.setFont(font);
    painter_.setPen(state_.FontColor);
    painter_.drawText(QPoint(x, y + metrics.ascent()), text);
}

void PageCanvas::StretchDraw(const TRect& target, const QImage& source) {
    if (target.IsEmpty() || source.isNull())
        return;
    if (target.Width() == source.width() && target.Height() == source.height())
        painter_.drawImage(QPoint(target.Left, target.Top), source);
    else
        painter_.drawImage(ToQRect(target), source);
}

void PageCanvas::StretchDrawAll(const QImage& source) {
    StretchDraw(TRect{0, 0, image_.width(), image_.height()}, source);
}
