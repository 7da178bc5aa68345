// The shapes the synthetic photographs are made of.
#include "SceneKit.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace scenes {

void Sky(const Frame& f, std::initializer_list<std::pair<double, QColor>> stops, double bottom) {
    QLinearGradient g(0, 0, 0, bottom * f.h);
    for (const auto& [at, colour] : stops)
        g.setColorAt(at, colour);
    f.p.fillRect(QRectF(0, 0, f.w, bottom * f.h + 1), g);
}

void Glow(const Frame& f, QPointF centre, double radius, const QColor& colour, int alpha) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0, WithAlpha(colour, alpha));
    g.setColorAt(0.35, WithAlpha(colour, alpha / 3));
    g.setColorAt(1, WithAlpha(colour, 0));
    f.p.setPen(Qt::NoPen);
    f.p.setBrush(g);
    f.p.drawEllipse(centre, radius, radius);
}

void Disc(const Frame& f, QPointF centre, double radius, const QColor& colour) {
    f.p.setPen(Qt::NoPen);
    f.p.setBrush(colour);
    f.p.drawEllipse(centre, radius, radius);
}

// A ridge line from noise: the shape of hills or mountains, filled down to the bottom.
QPainterPath Ridge(const Frame& f, const Noise& n, double base, double height, double roughness,
                   double sharp) {
    QPainterPath path;
    path.moveTo(0, f.h);
    const int steps = 160;
    for (int i = 0; i <= steps; ++i) {
        const double fx = double(i) / steps;
        // fbm gathers around 0.5: stretch it to use the whole height.
        double v = std::clamp((n.Fbm(fx * roughness, 0.5, 5, 0.5) - 0.25) / 0.5, 0.0, 1.0);
        v = std::pow(v, sharp);
        path.lineTo(fx * f.w, (base - height * v) * f.h);
    }
    path.lineTo(f.w, f.h);
    path.closeSubpath();
    return path;
}

void FillPath(const Frame& f, const QPainterPath& path, const QBrush& brush) {
    f.p.setPen(Qt::NoPen);
    f.p.setBrush(brush);
    f.p.drawPath(path);
}

void Cloud(const Frame& f, QPointF centre, double size, const QColor& colour, int alpha) {
    f.p.setPen(Qt::NoPen);
    const double parts[6][3] = {{0, 0, 1},           {-0.8, 0.15, 0.7}, {0.85, 0.12, 0.75},
                                {-0.35, -0.35, 0.7}, {0.4, -0.3, 0.65}, {1.5, 0.25, 0.45}};
    for (const auto& part : parts) {
        QRadialGradient g(centre + QPointF(part[0] * size, part[1] * size), part[2] * size);
        g.setColorAt(0, WithAlpha(colour, alpha));
        g.setColorAt(0.6, WithAlpha(colour, alpha * 2 / 3));
        g.setColorAt(1, WithAlpha(colour, 0));
        f.p.setBrush(g);
        f.p.drawEllipse(centre + QPointF(part[0] * size, part[1] * size), part[2] * size,
                        part[2] * size * 0.7);
    }
}

// Shimmering horizontal strokes on water under a light source.
void Reflection(const Frame& f, double x, double top, double bottom, double width,
                const QColor& colour, std::uint32_t seed) {
    const Noise n(seed);
    f.p.setPen(Qt::NoPen);
    const int rows = 60;
    for (int i = 0; i < rows; ++i) {
        const double t = double(i) / rows;
        const double y = (top + (bottom - top) * t) * f.h;
        const double spread = width * (0.3 + t) * f.w;
        const double len = spread * (0.3 + 0.7 * n.Hash(i, 1));
        const double cx = x * f.w + (n.Hash(i, 2) - 0.5) * spread;
        f.p.setBrush(WithAlpha(colour, int(200 * (1 - t) * n.Hash(i, 3) + 30)));
        f.p.drawRoundedRect(QRectF(cx - len / 2, y, len, std::max(1.0, f.h * 0.004 * (1 + t))), 2,
                            2);
    }
}

void PineTree(const Frame& f, double x, double baseY, double height, const QColor& colour) {
    QPainterPath tree;
    const double hw = height * 0.22;
    const double px = x * f.w, by = baseY * f.h, ht = height * f.h;
    tree.moveTo(px, by - ht);
    for (int tier = 0; tier < 4; ++tier) {
        const double t = (tier + 1) / 4.0;
        tree.lineTo(px + hw * f.h * t, by - ht + ht * t * 0.95);
        tree.lineTo(px + hw * f.h * t * 0.45, by - ht + ht * t * 0.95);
    }
    tree.lineTo(px + hw * f.h * 0.1, by);
    tree.lineTo(px - hw * f.h * 0.1, by);
    for (int tier = 3; tier >= 0; --tier) {
        const double t = (tier + 1) / 4.0;
        tree.lineTo(px - hw * f.h * t * 0.45, by - ht + ht * t * 0.95);
        tree.lineTo(px - hw * f.h * t, by - ht + ht * t * 0.95);
    }
    tree.closeSubpath();
    FillPath(f, tree, colour);
}

} // namespace scenes
