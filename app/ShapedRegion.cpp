#include "app/ShapedRegion.h"

QVector<TRect> PictureRuns(const QImage& picture, QPoint offset) {
    QVector<TRect> runs;
    if (picture.isNull())
        return runs;
    // Palette and alpha formats compare by their shown colour.
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = rgb.pixel(0, 0);
    const int w = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        int x = 0;
        while (x < w) {
            while (x < w && row[x] == transparent)
                ++x;
            if (x == w)
                break;
            const int start = x;
            while (x < w && row[x] != transparent)
                ++x;
            runs.append(
                TRect{offset.x() + start, offset.y() + y, offset.x() + x, offset.y() + y + 1});
        }
    }
    return runs;
}

QRegion PictureRegion(const QImage& picture, QPoint offset) {
    const QVector<TRect> runs = PictureRuns(picture, offset);
    QVector<QRect> rects;
    rects.reserve(runs.size());
    for (const TRect& r : runs)
        rects.append(ToQRect(r));
    QRegion region;
    region.setRects(rects.constData(), int(rects.size()));
    return region;
}
