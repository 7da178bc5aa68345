#include "Textures.h"

#include "Paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

QRgb Tinted(const QColor& base, double light) {
    auto channel = [&](int c) {
        const double v = light >= 0 ? c + (255 - c) * light : c * (1 + light);
        return std::clamp(int(std::lround(v)), 0, 255);
    };
    return qRgb(channel(base.red()), channel(base.green()), channel(base.blue()));
}

} // namespace

QImage PaperTexture(QSize size, const QColor& base, std::uint32_t seed, double mottle) {
    QImage image(size, QImage::Format_RGB32);
    const Noise n(seed);
    const double scale = size.width() / 546.0;
    FillPixels(image, [&](int x, int y) {
        const double broad = n.Fbm(x / (90.0 * scale), y / (90.0 * scale), 4) - 0.5;
        const double fine = n.Hash(x, y) - 0.5;
        const double fibre = n.At(x / (1.5 * scale), y / (14.0 * scale)) - 0.5;
        return Tinted(base, mottle * (broad * -0.09) + fine * 0.025 + fibre * 0.02);
    });
    return image;
}

QImage LeatherTexture(QSize size, const QColor& base, std::uint32_t seed) {
    QImage image(size, QImage::Format_RGB32);
    const Noise n(seed);
    const double scale = size.width() / 546.0;
    FillPixels(image, [&](int x, int y) {
        // Pebbled grain: small cells of noise, with broad mottling over them.
        const double pebble = n.Fbm(x / (2.2 * scale), y / (2.2 * scale), 2) - 0.5;
        const double broad = n.Fbm(x / (120.0 * scale), y / (120.0 * scale), 3) - 0.5;
        const double crease =
            std::pow(std::abs(n.Fbm(x / (40.0 * scale), y / (40.0 * scale), 3) - 0.5), 0.5);
        return Tinted(base, pebble * 0.18 + broad * 0.2 - (0.25 - crease) * 0.12);
    });
    return image;
}

QImage WoodTexture(QSize size, const QColor& light, const QColor& dark, std::uint32_t seed) {
    QImage image(size, QImage::Format_RGB32);
    const Noise n(seed);
    const double scale = size.width() / 546.0;
    const double plank = 0.34 * size.width(); // vertical planks a third of the page wide
    FillPixels(image, [&](int x, int y) {
        const int board = int(x / plank);
        const double bx = x / scale, by = y / scale;
        // Grain lines run down the board, bent by slow noise; knots would be overkill.
        const double warp = n.Fbm(bx / 120.0 + board * 7, by / 400.0, 4) * 9.0;
        const double rings = 0.5 + 0.5 * std::sin((bx / 7.0 + warp + board * 3.1) * 2.0);
        const double streak = n.Fbm(bx / 2.0 + board * 11, by / 60.0, 3);
        double t = 0.55 * std::pow(rings, 3.0) + 0.45 * streak;
        t = std::clamp(t, 0.0, 1.0);
        QColor c = Mix(light, dark, t);
        // A dark seam between boards.
        const double inBoard = std::fmod(double(x), plank);
        if (inBoard < 1.5 * scale || plank - inBoard < 1.0 * scale)
            c = Shade(dark, 0.55);
        return c.rgb();
    });
    return image;
}

QImage LinenTexture(QSize size, const QColor& base, std::uint32_t seed) {
    QImage image(size, QImage::Format_RGB32);
    const Noise n(seed);
    const double scale = size.width() / 546.0;
    FillPixels(image, [&](int x, int y) {
        const double weft = n.At(x / (0.9 * scale), y / (18.0 * scale)) - 0.5;
        const double warp = n.At(x / (18.0 * scale), y / (0.9 * scale)) - 0.5;
        const double slub = n.Fbm(x / (6.0 * scale), y / (60.0 * scale), 2) - 0.5;
        const double broad = n.Fbm(x / (150.0 * scale), y / (150.0 * scale), 3) - 0.5;
        return Tinted(base, weft * 0.09 + warp * 0.09 + slub * 0.05 - broad * 0.06);
    });
    return image;
}

void GutterShade(QImage& page, bool leftPage, double width, int strength) {
    QPainter p(&page);
    const double w = page.width() * width;
    const double edge = leftPage ? page.width() : 0;
    QLinearGradient g(edge, 0, leftPage ? edge - w : edge + w, 0);
    g.setColorAt(0, QColor(40, 30, 20, strength));
    g.setColorAt(0.25, QColor(40, 30, 20, strength / 3));
    g.setColorAt(1, QColor(40, 30, 20, 0));
    p.fillRect(page.rect(), g);
}

void CoverHinge(QImage& cover, bool spineOnLeft) {
    QPainter p(&cover);
    Smooth(p);
    const double w = cover.width() * 0.055;
    const double edge = spineOnLeft ? 0 : cover.width();
    QLinearGradient g(edge, 0, spineOnLeft ? edge + w : edge - w, 0);
    g.setColorAt(0, QColor(0, 0, 0, 120));
    g.setColorAt(0.7, QColor(0, 0, 0, 40));
    g.setColorAt(0.85, QColor(255, 255, 255, 30));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(cover.rect(), g);
    const double groove = spineOnLeft ? w : cover.width() - w;
    p.setPen(QPen(QColor(0, 0, 0, 90), cover.width() * 0.004));
    p.drawLine(QPointF(groove, 0), QPointF(groove, cover.height()));
}
