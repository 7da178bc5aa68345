#include "view/PageCanvas.h"

#include "platform/DeviceGrid.h"

#include <QFontMetrics>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

constexpr int ScreenDpi = 96;
constexpr int PointsPerInch = 72;

} // namespace

QFont PageFace() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont PageFont(int points, bool bold, double ratio) {
    QFont font = PageFace();
    // Rounded as the classic font height conversion (MulDiv) rounds.
    font.setPixelSize(DevicePx((points * ScreenDpi + PointsPerInch / 2) / PointsPerInch, ratio));
    font.setBold(bold);
    return font;
}

PageCanvas::PageCanvas(QImage& image, CanvasState& state, double ratio)
    : image_(image), state_(state), ratio_(ratio), logical_(LogicalSize(image.size(), ratio)),
      painter_(&image) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

int PageCanvas::LineWidth() const {
    return DeviceLineWidth(std::max(1, state_.PenWidth), ratio_);
}

void PageCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    painter_.fillRect(ToQRect(DeviceRect(r, ratio_)), state_.BrushColor);
}

void PageCanvas::Rectangle(const TRect& r) {
    if (r.IsEmpty())
        return;
    const QRect d = ToQRect(DeviceRect(r, ratio_));
    if (!state_.BrushClear)
        painter_.fillRect(d, state_.BrushColor);
    // The outline covers the rectangle's first and last rows and columns, inside its edges.
    const int t = std::min({LineWidth(), d.width(), d.height()});
    const QColor pen = state_.PenColor;
    painter_.fillRect(QRect(d.left(), d.top(), d.width(), t), pen);
    painter_.fillRect(QRect(d.left(), d.bottom() + 1 - t, d.width(), t), pen);
    painter_.fillRect(QRect(d.left(), d.top(), t, d.height()), pen);
    painter_.fillRect(QRect(d.right() + 1 - t, d.top(), t, d.height()), pen);
}

void PageCanvas::Line(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2)
        return;
    const int t = LineWidth();
    if (y1 == y2 || x1 == x2) {
        // The logical pixels from the start up to the end point, which is left out.
        TRect covered = y1 == y2 ? TRect{std::min(x1, x2 + 1), y1, std::max(x1 + 1, x2), y1 + 1}
                                 : TRect{x1, std::min(y1, y2 + 1), x1 + 1, std::max(y1 + 1, y2)};
        QRect d = ToQRect(DeviceRect(covered, ratio_));
        if (y1 == y2)
            d.setHeight(t);
        else
            d.setWidth(t);
        painter_.fillRect(d, state_.PenColor);
        return;
    }
    // Pages draw no slanted lines; one would be drawn scaled, stopping a pixel short.
    QPen pen(state_.PenColor);
    pen.setWidth(t);
    painter_.setPen(pen);
    const int dx = x2 > x1 ? -1 : 1;
    const int dy = y2 > y1 ? -1 : 1;
    painter_.drawLine(DevicePx(x1, ratio_), DevicePx(y1, ratio_), DevicePx(x2 + dx, ratio_),
                      DevicePx(y2 + dy, ratio_));
}

int PageCanvas::TextWidth(const QString& text) const {
    const QFontMetrics metrics(PageFont(state_.FontSize, state_.FontBold, ratio_));
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(text) / ratio_));
}

void PageCanvas::TextOut(int x, int y, const QString& whole, std::optional<int> right) {
    if (whole.isEmpty())
        return;
    const QFont font = PageFont(state_.FontSize, state_.FontBold, ratio_);
    const QFontMetrics metrics(font);
    const int dx = DevicePx(x, ratio_);
    const int dy = DevicePx(y, ratio_);
    // Cut short only what does not fit by the measure TextWidth gives: Qt's eliding also cuts a
    // text whose advance fits when its glyphs' fractional positions reach past the limit.
    const int room = right ? std::max(0, DevicePx(*right, ratio_) - dx) : 0;
    const QString text = right && metrics.horizontalAdvance(whole) > room
                             ? metrics.elidedText(whole, Qt::ElideRight, room)
                             : whole;
    if (text.isEmpty())
        return;
    if (!state_.BrushClear)
        painter_.fillRect(QRect(dx, dy, metrics.horizontalAdvance(text), metrics.height()),
                          state_.BrushColor);
    painter_.setFont(font);
    painter_.setPen(state_.FontColor);
    painter_.drawText(QPoint(dx, dy + metrics.ascent()), text);
}

void PageCanvas::StretchDraw(const TRect& target, const QImage& source) {
    if (target.IsEmpty() || source.isNull())
        return;
    const TRect d = DeviceRect(target, ratio_);
    if (d.Width() == source.width() && d.Height() == source.height())
        painter_.drawImage(QPoint(d.Left, d.Top), source);
    else
        painter_.drawImage(ToQRect(d), source);
}

void PageCanvas::StretchDrawAll(const QImage& source) {
    if (source.isNull())
        return;
    if (source.size() == image_.size())
        painter_.drawImage(QPoint(0, 0), source);
    else
        painter_.drawImage(image_.rect(), source);
}
