// Synthetic photographs: every scene is laid out in fractions of its width and height.
#include "Scenes.h"

#include "Paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

struct Frame {
    QPainter& p;
    double w;
    double h;
    [[nodiscard]] QPointF At(double fx, double fy) const { return {fx * w, fy * h}; }
    [[nodiscard]] QRectF Rect(double fx, double fy, double fw, double fh) const {
        return {fx * w, fy * h, fw * w, fh * h};
    }
    [[nodiscard]] double S() const { return std::min(w, h); } // the shorter side
};

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
                   double sharp = 1.0) {
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

void SunsetSea(const Frame& f) {
    Sky(f,
        {{0, QColor(58, 40, 99)},
         {0.45, QColor(201, 84, 98)},
         {0.8, QColor(246, 158, 84)},
         {1, QColor(255, 214, 140)}},
        0.62);
    Cloud(f, f.At(0.25, 0.22), f.S() * 0.12, QColor(255, 170, 150), 90);
    Cloud(f, f.At(0.72, 0.14), f.S() * 0.1, QColor(250, 150, 160), 80);
    const QPointF sun = f.At(0.58, 0.56);
    Glow(f, sun, f.S() * 0.55, QColor(255, 200, 120), 160);
    Disc(f, sun, f.S() * 0.08, QColor(255, 236, 190));
    const Noise n(11);
    FillPath(f, Ridge(f, n, 0.62, 0.07, 3.0, 1.6), QColor(92, 48, 82));
    QLinearGradient sea(0, 0.62 * f.h, 0, f.h);
    sea.setColorAt(0, QColor(196, 104, 110));
    sea.setColorAt(0.4, QColor(104, 60, 102));
    sea.setColorAt(1, QColor(36, 28, 62));
    f.p.fillRect(QRectF(0, 0.62 * f.h, f.w, f.h), sea);
    Reflection(f, 0.58, 0.625, 1.0, 0.22, QColor(255, 214, 150), 5);
    // A distant sail.
    QPainterPath sail;
    sail.moveTo(f.At(0.2, 0.55));
    sail.lineTo(f.At(0.2, 0.6));
    sail.lineTo(f.At(0.235, 0.6));
    sail.closeSubpath();
    FillPath(f, sail, QColor(40, 24, 50));
    f.p.fillRect(f.Rect(0.185, 0.6, 0.06, 0.008), QColor(40, 24, 50));
}

void Mountains(const Frame& f) {
    Sky(f, {{0, QColor(58, 116, 186)}, {0.7, QColor(150, 196, 232)}, {1, QColor(214, 232, 244)}},
        0.6);
    Cloud(f, f.At(0.2, 0.18), f.S() * 0.1, Qt::white, 170);
    Cloud(f, f.At(0.78, 0.24), f.S() * 0.08, Qt::white, 150);
    const Noise far(21), mid(22), near(23);
    const QPainterPath peaks = Ridge(f, far, 0.58, 0.42, 2.2, 1.8);
    FillPath(f, peaks, QColor(120, 136, 170));
    // Snow caps: the same ridge, clipped to the band below its tops.
    f.p.save();
    f.p.setClipPath(peaks);
    f.p.fillRect(QRectF(0, 0, f.w, 0.32 * f.h), QColor(246, 248, 252));
    QLinearGradient melt(0, 0.28 * f.h, 0, 0.4 * f.h);
    melt.setColorAt(0, QColor(246, 248, 252));
    melt.setColorAt(1, QColor(120, 136, 170, 0));
    f.p.fillRect(QRectF(0, 0.28 * f.h, f.w, 0.12 * f.h), melt);
    f.p.restore();
    FillPath(f, Ridge(f, mid, 0.66, 0.16, 4.0, 1.2), QColor(64, 110, 96));
    FillPath(f, Ridge(f, near, 0.72, 0.08, 6.0), QColor(38, 82, 62));
    // Lake with the mountains' colours mirrored softly.
    QLinearGradient lake(0, 0.72 * f.h, 0, f.h);
    lake.setColorAt(0, QColor(110, 150, 190));
    lake.setColorAt(1, QColor(40, 80, 120));
    f.p.fillRect(QRectF(0, 0.72 * f.h, f.w, f.h), lake);
    Reflection(f, 0.5, 0.73, 0.98, 0.8, QColor(220, 235, 250), 7);
    for (int i = 0; i < 9; ++i)
        PineTree(f, 0.02 + i * 0.035, 0.78 + (i % 3) * 0.01, 0.16 + (i % 4) * 0.03,
                 QColor(18, 46, 34));
    for (int i = 0; i < 6; ++i)
        PineTree(f, 0.8 + i * 0.04, 0.8 + (i % 2) * 0.01, 0.18 + (i % 3) * 0.03,
                 QColor(18, 46, 34));
}

void Tulip(const Frame& f, QPointF base, double height, const QColor& colour) {
    const double s = height;
    f.p.setPen(QPen(QColor(56, 120, 52), s * 0.05, Qt::SolidLine, Qt::RoundCap));
    f.p.drawLine(base, base - QPointF(0, s * 0.7));
    QPainterPath leaf;
    leaf.moveTo(base);
    leaf.quadTo(base + QPointF(s * 0.25, -s * 0.3), base + QPointF(s * 0.1, -s * 0.55));
    leaf.quadTo(base + QPointF(s * 0.04, -s * 0.25), base);
    FillPath(f, leaf, QColor(72, 140, 62));
    const QPointF cup = base - QPointF(0, s * 0.8);
    QPainterPath head;
    head.moveTo(cup + QPointF(-s * 0.13, -s * 0.12));
    head.quadTo(cup + QPointF(-s * 0.15, s * 0.14), cup + QPointF(0, s * 0.12));
    head.quadTo(cup + QPointF(s * 0.15, s * 0.14), cup + QPointF(s * 0.13, -s * 0.12));
    head.lineTo(cup + QPointF(s * 0.06, -s * 0.04));
    head.lineTo(cup + QPointF(0, -s * 0.15));
    head.lineTo(cup + QPointF(-s * 0.06, -s * 0.04));
    head.closeSubpath();
    QLinearGradient g(cup - QPointF(s * 0.13, 0), cup + QPointF(s * 0.13, 0));
    g.setColorAt(0, Shade(colour, 0.75));
    g.setColorAt(0.45, Shade(colour, 1.15));
    g.setColorAt(1, Shade(colour, 0.8));
    FillPath(f, head, g);
}

void Tulips(const Frame& f) {
    Sky(f, {{0, QColor(110, 170, 226)}, {1, QColor(222, 238, 250)}}, 0.42);
    Cloud(f, f.At(0.3, 0.12), f.S() * 0.14, Qt::white, 180);
    const Noise n(31);
    FillPath(f, Ridge(f, n, 0.42, 0.04, 3.0), QColor(96, 150, 90));
    // Windmill far away.
    const QPointF mill = f.At(0.78, 0.4);
    const double ms = f.S() * 0.09;
    QPainterPath tower;
    tower.moveTo(mill + QPointF(-ms * 0.3, 0));
    tower.lineTo(mill + QPointF(-ms * 0.18, -ms));
    tower.lineTo(mill + QPointF(ms * 0.18, -ms));
    tower.lineTo(mill + QPointF(ms * 0.3, 0));
    tower.closeSubpath();
    FillPath(f, tower, QColor(120, 92, 80));
    f.p.setPen(QPen(QColor(90, 70, 60), ms * 0.06));
    const QPointF hub = mill - QPointF(0, ms);
    for (int i = 0; i < 4; ++i) {
        const double a = i * Pi / 2 + 0.4;
        f.p.drawLine(hub, hub + QPointF(std::cos(a), std::sin(a)) * ms * 0.9);
    }
    QLinearGradient field(0, 0.42 * f.h, 0, f.h);
    field.setColorAt(0, QColor(90, 150, 70));
    field.setColorAt(1, QColor(40, 100, 40));
    f.p.fillRect(QRectF(0, 0.42 * f.h, f.w, f.h), field);
    const QColor colours[4] = {QColor(222, 40, 60), QColor(250, 196, 40), QColor(236, 90, 150),
                               QColor(250, 120, 40)};
    // Rows of tulips, smaller toward the horizon.
    for (int row = 0; row < 14; ++row) {
        const double t = row / 13.0;
        const double y = (0.45 + 0.55 * t * t) * f.h + f.h * 0.05;
        const double size = f.h * (0.03 + 0.2 * t * t);
        const int count = int(f.w / (size * 0.45)) + 2;
        const QColor c = colours[row % 4];
        for (int i = 0; i < count; ++i) {
            const double x = (i + 0.5 * (row % 2) + 0.3 * (n.Hash(row, i) - 0.5)) * size * 0.45;
            Tulip(f, QPointF(x, y + size * 0.1 * n.Hash(i, row)), size, c);
        }
    }
}

void Lighthouse(const Frame& f) {
    Sky(f, {{0, QColor(28, 36, 82)}, {0.55, QColor(120, 92, 150)}, {1, QColor(250, 170, 120)}},
        0.7);
    const Noise stars(41);
    for (int i = 0; i < 120; ++i)
        Disc(f, f.At(stars.Hash(i, 0), stars.Hash(i, 1) * 0.35),
             f.S() * 0.002 * (1 + stars.Hash(i, 2)), QColor(255, 255, 240, 200));
    // Cliff.
    QPainterPath cliff;
    cliff.moveTo(f.At(0.0, 0.62));
    cliff.cubicTo(f.At(0.3, 0.6), f.At(0.55, 0.6), f.At(0.7, 0.66));
    cliff.lineTo(f.At(0.78, 0.8));
    cliff.lineTo(f.At(0.0, 0.82));
    cliff.closeSubpath();
    FillPath(f, cliff, QColor(48, 44, 58));
    QLinearGradient sea(0, 0.7 * f.h, 0, f.h);
    sea.setColorAt(0, QColor(230, 150, 120));
    sea.setColorAt(0.3, QColor(80, 70, 120));
    sea.setColorAt(1, QColor(20, 24, 56));
    QPainterPath water;
    water.moveTo(f.At(0.7, 0.7));
    water.lineTo(f.At(1, 0.7));
    water.lineTo(f.At(1, 1));
    water.lineTo(f.At(0, 1));
    water.lineTo(f.At(0, 0.82));
    water.lineTo(f.At(0.78, 0.8));
    water.closeSubpath();
    FillPath(f, water, sea);
    Reflection(f, 0.85, 0.71, 0.98, 0.2, QColor(255, 200, 160), 42);
    // Tower with red stripes.
    const double base = 0.61, top = 0.24;
    const double cx = 0.36;
    QPainterPath tower;
    tower.moveTo(f.At(cx - 0.08, base));
    tower.lineTo(f.At(cx - 0.05, top));
    tower.lineTo(f.At(cx + 0.05, top));
    tower.lineTo(f.At(cx + 0.08, base));
    tower.closeSubpath();
    FillPath(f, tower, QColor(236, 232, 226));
    f.p.save();
    f.p.setClipPath(tower);
    for (int i = 0; i < 3; ++i)
        f.p.fillRect(QRectF(0, (top + 0.04 + i * 0.11) * f.h, f.w, 0.05 * f.h),
                     QColor(196, 40, 48));
    QLinearGradient shade(f.At(cx - 0.08, 0), f.At(cx + 0.08, 0));
    shade.setColorAt(0, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 90));
    f.p.fillRect(QRectF(0, 0, f.w, f.h), shade);
    f.p.restore();
    // Lamp room and its beam.
    f.p.fillRect(f.Rect(cx - 0.06, top - 0.012, 0.12, 0.012), QColor(40, 40, 48));
    f.p.fillRect(f.Rect(cx - 0.04, top - 0.07, 0.08, 0.058), QColor(255, 232, 150));
    QPainterPath cap;
    cap.moveTo(f.At(cx - 0.055, top - 0.07));
    cap.lineTo(f.At(cx, top - 0.11));
    cap.lineTo(f.At(cx + 0.055, top - 0.07));
    cap.closeSubpath();
    FillPath(f, cap, QColor(40, 40, 48));
    QPainterPath beam;
    beam.moveTo(f.At(cx, top - 0.04));
    beam.lineTo(f.At(1.05, top - 0.14));
    beam.lineTo(f.At(1.05, top + 0.06));
    beam.closeSubpath();
    QLinearGradient light(f.At(cx, 0), f.At(1, 0));
    light.setColorAt(0, QColor(255, 240, 180, 170));
    light.setColorAt(1, QColor(255, 240, 180, 0));
    FillPath(f, beam, light);
    Glow(f, f.At(cx, top - 0.04), f.S() * 0.12, QColor(255, 230, 150), 200);
}

void NightAurora(const Frame& f) {
    Sky(f, {{0, QColor(6, 10, 30)}, {0.7, QColor(16, 40, 70)}, {1, QColor(30, 70, 90)}}, 0.75);
    const Noise n(51);
    for (int i = 0; i < 260; ++i)
        Disc(f, f.At(n.Hash(i, 0), n.Hash(i, 1) * 0.7), f.S() * 0.0018 * (1 + 1.5 * n.Hash(i, 2)),
             QColor(255, 255, 255, int(120 + 135 * n.Hash(i, 3))));
    // Curtains of light: vertical strokes whose top follows a wave.
    f.p.setPen(Qt::NoPen);
    for (int band = 0; band < 2; ++band) {
        const int strips = 220;
        for (int i = 0; i < strips; ++i) {
            const double fx = double(i) / strips;
            const double wave = 0.5 * std::sin(fx * 5 + band * 2) + 0.5 * n.Fbm(fx * 4, band, 3);
            const double top = 0.12 + 0.12 * wave + band * 0.08;
            const double len = 0.22 + 0.1 * n.At(fx * 8, band + 3);
            QLinearGradient g(0, top * f.h, 0, (top + len) * f.h);
            const QColor c = band == 0 ? QColor(90, 255, 160) : QColor(120, 200, 255);
            g.setColorAt(0, WithAlpha(c, 0));
            g.setColorAt(0.3, WithAlpha(c, 120));
            g.setColorAt(1, WithAlpha(c, 0));
            f.p.setBrush(g);
            f.p.drawRect(QRectF(fx * f.w, top * f.h, f.w / strips + 1, len * f.h));
        }
    }
    Disc(f, f.At(0.82, 0.16), f.S() * 0.05, QColor(250, 248, 230));
    Glow(f, f.At(0.82, 0.16), f.S() * 0.2, QColor(220, 230, 255), 90);
    FillPath(f, Ridge(f, Noise(52), 0.78, 0.2, 2.5, 1.5), QColor(10, 18, 30));
    QLinearGradient lake(0, 0.78 * f.h, 0, f.h);
    lake.setColorAt(0, QColor(30, 80, 90));
    lake.setColorAt(1, QColor(6, 12, 24));
    f.p.fillRect(QRectF(0, 0.78 * f.h, f.w, f.h), lake);
    Reflection(f, 0.82, 0.79, 0.98, 0.1, QColor(230, 230, 210), 53);
    for (int i = 0; i < 8; ++i)
        PineTree(f, 0.03 + i * 0.05, 0.8, 0.12 + 0.04 * n.Hash(i, 9), QColor(4, 10, 16));
}

void Dunes(const Frame& f) {
    Sky(f, {{0, QColor(70, 140, 210)}, {1, QColor(250, 226, 190)}}, 0.5);
    Disc(f, f.At(0.78, 0.2), f.S() * 0.06, QColor(255, 250, 230));
    Glow(f, f.At(0.78, 0.2), f.S() * 0.3, QColor(255, 240, 200), 110);
    const QColor light(242, 180, 104), dark(196, 112, 58);
    for (int layer = 0; layer < 4; ++layer) {
        const double base = 0.5 + layer * 0.14;
        QPainterPath dune;
        dune.moveTo(0, f.h);
        dune.lineTo(0, (base + 0.05) * f.h);
        const double crest = 0.2 + 0.25 * layer + (layer % 2) * 0.3;
        dune.cubicTo(f.At(crest * 0.5, base - 0.05), f.At(crest, base - 0.12),
                     f.At(crest + 0.15, base - 0.08));
        dune.cubicTo(f.At(crest + 0.4, base), f.At(0.9, base - 0.06), f.At(1.0, base + 0.02));
        dune.lineTo(f.w, f.h);
        dune.closeSubpath();
        QLinearGradient g(f.At(crest, 0), f.At(crest + 0.3, 0));
        g.setColorAt(0, Shade(light, 1.0 - layer * 0.04));
        g.setColorAt(0.5, Shade(dark, 1.0 + layer * 0.05));
        g.setColorAt(1, Shade(light, 0.95));
        FillPath(f, dune, g);
    }
    // Camel caravan on the crest.
    for (int i = 0; i < 3; ++i) {
        const QPointF c = f.At(0.32 + i * 0.045, 0.56);
        const double s = f.S() * 0.025;
        f.p.setBrush(QColor(60, 36, 28));
        f.p.drawEllipse(c, s * 1.2, s * 0.6);
        f.p.drawEllipse(c + QPointF(-s * 0.3, -s * 0.5), s * 0.5, s * 0.4);
        f.p.drawEllipse(c + QPointF(s * 1.3, -s * 0.7), s * 0.35, s * 0.25);
        f.p.setPen(QPen(QColor(60, 36, 28), s * 0.25));
        f.p.drawLine(c + QPointF(s * 0.9, -s * 0.2), c + QPointF(s * 1.3, -s * 0.7));
        for (double lx : {-0.8, -0.4, 0.4, 0.8})
            f.p.drawLine(c + QPointF(lx * s, s * 0.3), c + QPointF(lx * s, s * 1.4));
        f.p.setPen(Qt::NoPen);
    }
}

void PalmTree(const Frame& f, QPointF base, double height, double lean) {
    QPainterPath trunk;
    const QPointF top = base + QPointF(lean * height, -height);
    trunk.moveTo(base + QPointF(-height * 0.03, 0));
    trunk.quadTo(base + QPointF(lean * height * 0.2, -height * 0.6), top);
    trunk.quadTo(base + QPointF(lean * height * 0.2 + height * 0.05, -height * 0.6),
                 base + QPointF(height * 0.03, 0));
    trunk.closeSubpath();
    FillPath(f, trunk, QColor(70, 50, 36));
    for (int i = 0; i < 7; ++i) {
        const double a = -Pi + i * Pi / 6 + 0.1;
        const QPointF tip = top + QPointF(std::cos(a), std::sin(a) * 0.6 + 0.5) * height * 0.42;
        QPainterPath leaf;
        leaf.moveTo(top);
        const QPointF mid = (top + tip) / 2 + QPointF(0, -height * 0.08);
        leaf.quadTo(mid + QPointF(0, -height * 0.05), tip);
        leaf.quadTo(mid + QPointF(0, height * 0.04), top);
        FillPath(f, leaf, QColor(30, 90, 50));
    }
}

void Beach(const Frame& f) {
    Sky(f, {{0, QColor(40, 130, 210)}, {1, QColor(180, 226, 248)}}, 0.5);
    Cloud(f, f.At(0.25, 0.2), f.S() * 0.09, Qt::white, 200);
    Cloud(f, f.At(0.7, 0.12), f.S() * 0.07, Qt::white, 180);
    QLinearGradient sea(0, 0.5 * f.h, 0, 0.72 * f.h);
    sea.setColorAt(0, QColor(20, 96, 160));
    sea.setColorAt(0.6, QColor(40, 180, 190));
    sea.setColorAt(1, QColor(120, 220, 210));
    f.p.fillRect(QRectF(0, 0.5 * f.h, f.w, 0.24 * f.h), sea);
    QPainterPath sand;
    sand.moveTo(f.At(0, 0.7));
    sand.cubicTo(f.At(0.3, 0.66), f.At(0.7, 0.74), f.At(1, 0.68));
    sand.lineTo(f.At(1, 1));
    sand.lineTo(f.At(0, 1));
    sand.closeSubpath();
    QLinearGradient sandColour(0, 0.68 * f.h, 0, f.h);
    sandColour.setColorAt(0, QColor(246, 230, 190));
    sandColour.setColorAt(1, QColor(222, 190, 140));
    FillPath(f, sand, sandColour);
    // Foam edge.
    f.p.setPen(QPen(QColor(255, 255, 255, 200), f.S() * 0.008));
    f.p.setBrush(Qt::NoBrush);
    QPainterPath foam;
    foam.moveTo(f.At(0, 0.7));
    foam.cubicTo(f.At(0.3, 0.66), f.At(0.7, 0.74), f.At(1, 0.68));
    f.p.drawPath(foam);
    f.p.setPen(Qt::NoPen);
    PalmTree(f, f.At(0.2, 0.92), f.h * 0.62, 0.25);
    PalmTree(f, f.At(0.3, 0.95), f.h * 0.48, 0.4);
    // Beach umbrella.
    const QPointF u = f.At(0.72, 0.74);
    const double r = f.S() * 0.12;
    f.p.setPen(QPen(QColor(90, 70, 60), r * 0.05));
    f.p.drawLine(u, u + QPointF(0, r * 1.4));
    f.p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        f.p.setBrush(i % 2 ? QColor(250, 250, 250) : QColor(230, 60, 70));
        f.p.drawPie(QRectF(u.x() - r, u.y() - r * 0.6, 2 * r, 1.2 * r), i * 30 * 16, 30 * 16);
    }
}

void Sailboat(const Frame& f) {
    Sky(f, {{0, QColor(250, 200, 130)}, {0.5, QColor(250, 220, 180)}, {1, QColor(200, 226, 240)}},
        0.58);
    Disc(f, f.At(0.3, 0.42), f.S() * 0.07, QColor(255, 246, 220));
    Glow(f, f.At(0.3, 0.42), f.S() * 0.35, QColor(255, 220, 160), 120);
    QLinearGradient sea(0, 0.58 * f.h, 0, f.h);
    sea.setColorAt(0, QColor(120, 160, 190));
    sea.setColorAt(1, QColor(30, 70, 110));
    f.p.fillRect(QRectF(0, 0.58 * f.h, f.w, f.h), sea);
    Reflection(f, 0.3, 0.59, 0.95, 0.25, QColor(255, 230, 190), 61);
    const QPointF hull = f.At(0.62, 0.72);
    const double s = f.S() * 0.28;
    QPainterPath body;
    body.moveTo(hull + QPointF(-s * 0.6, 0));
    body.lineTo(hull + QPointF(s * 0.6, 0));
    body.lineTo(hull + QPointF(s * 0.45, s * 0.14));
    body.lineTo(hull + QPointF(-s * 0.5, s * 0.14));
    body.closeSubpath();
    FillPath(f, body, QColor(120, 40, 40));
    f.p.setPen(QPen(QColor(60, 50, 40), s * 0.02));
    f.p.drawLine(hull + QPointF(0, 0), hull + QPointF(0, -s * 1.3));
    f.p.setPen(Qt::NoPen);
    QPainterPath main;
    main.moveTo(hull + QPointF(s * 0.03, -s * 1.25));
    main.quadTo(hull + QPointF(s * 0.55, -s * 0.6), hull + QPointF(s * 0.5, -s * 0.06));
    main.lineTo(hull + QPointF(s * 0.03, -s * 0.06));
    main.closeSubpath();
    FillPath(f, main, QColor(250, 246, 236));
    QPainterPath jib;
    jib.moveTo(hull + QPointF(-s * 0.03, -s * 1.15));
    jib.quadTo(hull + QPointF(-s * 0.4, -s * 0.5), hull + QPointF(-s * 0.55, -s * 0.06));
    jib.lineTo(hull + QPointF(-s * 0.03, -s * 0.06));
    jib.closeSubpath();
    FillPath(f, jib, QColor(236, 226, 210));
    // Its reflection.
    f.p.setOpacity(0.25);
    f.p.save();
    f.p.translate(0, 2 * (hull.y() + s * 0.14));
    f.p.scale(1, -1);
    FillPath(f, main, QColor(250, 246, 236));
    FillPath(f, jib, QColor(236, 226, 210));
    f.p.restore();
    f.p.setOpacity(1);
    Cloud(f, f.At(0.78, 0.18), f.S() * 0.08, Qt::white, 160);
}

void Balloon(const Frame& f, QPointF c, double r, const QColor& a, const QColor& b) {
    QPainterPath envelope;
    envelope.moveTo(c + QPointF(0, r * 1.3));
    envelope.cubicTo(c + QPointF(-r * 0.5, r * 0.9), c + QPointF(-r * 1.1, r * 0.3),
                     c + QPointF(-r, -r * 0.2));
    envelope.cubicTo(c + QPointF(-r * 0.9, -r * 1.2), c + QPointF(r * 0.9, -r * 1.2),
                     c + QPointF(r, -r * 0.2));
    envelope.cubicTo(c + QPointF(r * 1.1, r * 0.3), c + QPointF(r * 0.5, r * 0.9),
                     c + QPointF(0, r * 1.3));
    FillPath(f, envelope, a);
    f.p.save();
    f.p.setClipPath(envelope);
    for (int i = -3; i <= 3; i += 2)
        f.p.fillRect(QRectF(c.x() + i * r * 0.28 - r * 0.14, c.y() - r * 1.5, r * 0.28, r * 3), b);
    QRadialGradient shade(c + QPointF(-r * 0.4, -r * 0.4), r * 2);
    shade.setColorAt(0, QColor(255, 255, 255, 60));
    shade.setColorAt(1, QColor(0, 0, 0, 110));
    f.p.fillRect(QRectF(c.x() - r * 2, c.y() - r * 2, r * 4, r * 4), shade);
    f.p.restore();
    f.p.setPen(QPen(QColor(70, 50, 40), r * 0.03));
    f.p.drawLine(c + QPointF(-r * 0.2, r * 1.25), c + QPointF(-r * 0.15, r * 1.55));
    f.p.drawLine(c + QPointF(r * 0.2, r * 1.25), c + QPointF(r * 0.15, r * 1.55));
    f.p.setPen(Qt::NoPen);
    f.p.fillRect(QRectF(c.x() - r * 0.17, c.y() + r * 1.55, r * 0.34, r * 0.22),
                 QColor(110, 74, 46));
}

void Balloons(const Frame& f) {
    Sky(f, {{0, QColor(60, 130, 220)}, {1, QColor(200, 230, 250)}}, 1.0);
    Cloud(f, f.At(0.2, 0.7), f.S() * 0.16, Qt::white, 200);
    Cloud(f, f.At(0.8, 0.35), f.S() * 0.12, Qt::white, 170);
    const Noise n(71);
    FillPath(f, Ridge(f, n, 0.95, 0.08, 3.0), QColor(80, 130, 90));
    Balloon(f, f.At(0.38, 0.3), f.S() * 0.2, QColor(230, 70, 60), QColor(250, 200, 60));
    Balloon(f, f.At(0.75, 0.55), f.S() * 0.11, QColor(60, 120, 200), QColor(250, 250, 250));
    Balloon(f, f.At(0.18, 0.62), f.S() * 0.07, QColor(120, 190, 80), QColor(250, 230, 90));
    Balloon(f, f.At(0.6, 0.12), f.S() * 0.05, QColor(180, 80, 170), QColor(250, 160, 60));
}

void AutumnForest(const Frame& f) {
    Sky(f, {{0, QColor(150, 190, 226)}, {1, QColor(246, 226, 200)}}, 0.6);
    QLinearGradient ground(0, 0.6 * f.h, 0, f.h);
    ground.setColorAt(0, QColor(170, 120, 60));
    ground.setColorAt(1, QColor(120, 70, 34));
    f.p.fillRect(QRectF(0, 0.6 * f.h, f.w, f.h), ground);
    // A path leading into the trees.
    QPainterPath path;
    path.moveTo(f.At(0.42, 1));
    path.quadTo(f.At(0.5, 0.75), f.At(0.49, 0.6));
    path.lineTo(f.At(0.51, 0.6));
    path.quadTo(f.At(0.56, 0.75), f.At(0.7, 1));
    path.closeSubpath();
    FillPath(f, path, QColor(214, 180, 130));
    const Noise n(81);
    const QColor leaves[5] = {QColor(220, 90, 30), QColor(240, 160, 40), QColor(190, 50, 30),
                              QColor(230, 200, 70), QColor(170, 110, 40)};
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 9; ++i) {
            const double x = (i + 0.5 * (row % 2)) / 8.5 + 0.03 * (n.Hash(i, row) - 0.5);
            if (std::abs(x - 0.52) < 0.08 && row == 2)
                continue;
            const double baseY = 0.6 + row * 0.12;
            const double size = 0.1 + row * 0.05;
            f.p.fillRect(QRectF((x - 0.008) * f.w, (baseY - size * 1.2) * f.h, 0.016 * f.w,
                                size * 1.2 * f.h),
                         QColor(60, 40, 30));
            for (int k = 0; k < 7; ++k) {
                const QPointF c = f.At(x + (n.Hash(k, i + row * 9) - 0.5) * size * 0.6,
                                       baseY - size * 1.1 + (n.Hash(i, k + 40) - 0.5) * size * 0.8);
                const double r = size * f.h * (0.22 + 0.12 * n.Hash(k, i));
                QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.2);
                const QColor leaf = leaves[(i + k + row) % 5];
                g.setColorAt(0, Shade(leaf, 1.2));
                g.setColorAt(1, Shade(leaf, 0.7));
                f.p.setBrush(g);
                f.p.drawEllipse(c, r, r * 0.85);
            }
        }
    }
    // Fallen leaves.
    for (int i = 0; i < 160; ++i)
        Disc(f, f.At(n.Hash(i, 100), 0.75 + 0.25 * n.Hash(i, 101)), f.S() * 0.006, leaves[i % 5]);
}

void Sunflower(const Frame& f) {
    Sky(f, {{0, QColor(40, 120, 210)}, {1, QColor(160, 210, 245)}}, 1.0);
    Cloud(f, f.At(0.15, 0.15), f.S() * 0.14, Qt::white, 200);
    const QPointF c = f.At(0.55, 0.48);
    const double r = f.S() * 0.22;
    f.p.setPen(QPen(QColor(60, 120, 40), r * 0.14));
    f.p.drawLine(c, QPointF(c.x() - r * 0.3, f.h));
    f.p.setPen(Qt::NoPen);
    QPainterPath leaf;
    leaf.moveTo(c.x() - r * 0.15, c.y() + r * 1.6);
    leaf.quadTo(c.x() - r * 1.2, c.y() + r * 1.2, c.x() - r * 1.4, c.y() + r * 1.9);
    leaf.quadTo(c.x() - r * 0.7, c.y() + r * 2.0, c.x() - r * 0.15, c.y() + r * 1.6);
    FillPath(f, leaf, QColor(70, 140, 50));
    for (int layer = 0; layer < 2; ++layer) {
        const int petals = 22;
        for (int i = 0; i < petals; ++i) {
            const double a = 2 * Pi * (i + 0.5 * layer) / petals;
            f.p.save();
            f.p.translate(c);
            f.p.rotate(a * 180 / Pi);
            QPainterPath petal;
            petal.moveTo(r * 0.45, 0);
            petal.quadTo(r * 0.85, -r * 0.16, r * (1.15 - layer * 0.1), 0);
            petal.quadTo(r * 0.85, r * 0.16, r * 0.45, 0);
            QLinearGradient g(r * 0.45, 0, r * 1.15, 0);
            g.setColorAt(0, QColor(230, 150, 20));
            g.setColorAt(1, layer ? QColor(255, 210, 50) : QColor(250, 190, 30));
            FillPath(f, petal, g);
            f.p.restore();
        }
    }
    QRadialGradient seeds(c, r * 0.5);
    seeds.setColorAt(0, QColor(60, 36, 20));
    seeds.setColorAt(0.8, QColor(100, 60, 24));
    seeds.setColorAt(1, QColor(140, 90, 30));
    f.p.setBrush(seeds);
    f.p.drawEllipse(c, r * 0.5, r * 0.5);
    // Seed spiral.
    for (int i = 0; i < 220; ++i) {
        const double a = i * 2.39996;
        const double d = r * 0.47 * std::sqrt(i / 220.0);
        Disc(f, c + QPointF(std::cos(a), std::sin(a)) * d, r * 0.018, QColor(160, 110, 40, 180));
    }
}

void CityDusk(const Frame& f) {
    Sky(f, {{0, QColor(30, 30, 80)}, {0.6, QColor(170, 90, 130)}, {1, QColor(250, 170, 100)}},
        0.75);
    const Noise n(91);
    // Two layers of buildings; lit windows on the nearer one.
    for (int layer = 0; layer < 2; ++layer) {
        double x = -0.02;
        int i = 0;
        while (x < 1.02) {
            const double bw = 0.04 + 0.06 * n.Hash(i, layer);
            const double bh = (layer == 0 ? 0.25 : 0.18) + 0.3 * n.Hash(i, layer + 5);
            const double top = 0.78 - bh;
            const QColor body = layer == 0 ? QColor(70, 60, 100) : QColor(30, 26, 48);
            f.p.fillRect(f.Rect(x, top, bw, bh + 0.01), body);
            if (layer == 1) {
                for (double wy = top + 0.02; wy < 0.76; wy += 0.03)
                    for (double wx = x + 0.008; wx < x + bw - 0.012; wx += 0.015)
                        if (n.Hash(int(wx * 1000), int(wy * 1000)) > 0.55)
                            f.p.fillRect(f.Rect(wx, wy, 0.007, 0.012), QColor(255, 214, 120));
            }
            x += bw + 0.004;
            ++i;
        }
    }
    QLinearGradient river(0, 0.78 * f.h, 0, f.h);
    river.setColorAt(0, QColor(120, 70, 110));
    river.setColorAt(1, QColor(20, 20, 50));
    f.p.fillRect(QRectF(0, 0.78 * f.h, f.w, f.h), river);
    // Lights trembling on the water: short horizontal dashes under the towers.
    f.p.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        const double t = n.Hash(i, 51);
        const double y = 0.79 + 0.19 * t;
        const double len = (0.01 + 0.03 * n.Hash(i, 52)) * (1 + t);
        f.p.setBrush(WithAlpha(QColor(255, 214, 120), int(40 + 120 * (1 - t) * n.Hash(i, 53))));
        f.p.drawRect(f.Rect(n.Hash(i, 50), y, len, 0.004));
    }
}

void Lavender(const Frame& f) {
    Sky(f, {{0, QColor(120, 150, 220)}, {0.7, QColor(250, 200, 170)}, {1, QColor(255, 230, 190)}},
        0.45);
    Disc(f, f.At(0.5, 0.42), f.S() * 0.07, QColor(255, 240, 210));
    Glow(f, f.At(0.5, 0.42), f.S() * 0.4, QColor(255, 210, 150), 140);
    FillPath(f, Ridge(f, Noise(101), 0.45, 0.06, 2.5), QColor(120, 110, 150));
    QLinearGradient field(0, 0.45 * f.h, 0, f.h);
    field.setColorAt(0, QColor(120, 100, 160));
    field.setColorAt(1, QColor(60, 80, 40));
    f.p.fillRect(QRectF(0, 0.45 * f.h, f.w, f.h), field);
    // Rows converging on a point on the horizon.
    const QPointF vanish = f.At(0.5, 0.45);
    for (int i = -14; i <= 14; ++i) {
        QPainterPath row;
        const double spread = 0.09;
        row.moveTo(vanish);
        row.lineTo(QPointF((0.5 + (i - 0.3) * spread) * f.w, f.h));
        row.lineTo(QPointF((0.5 + (i + 0.3) * spread) * f.w, f.h));
        row.closeSubpath();
        QLinearGradient g(0, 0.45 * f.h, 0, f.h);
        g.setColorAt(0, QColor(150, 120, 200));
        g.setColorAt(1, QColor(130, 80, 190));
        FillPath(f, row, g);
    }
    // A lone tree.
    f.p.fillRect(f.Rect(0.79, 0.36, 0.012, 0.1), QColor(50, 40, 40));
    Disc(f, f.At(0.795, 0.34), f.S() * 0.06, QColor(60, 70, 50));
}

void WinterCabin(const Frame& f) {
    Sky(f, {{0, QColor(80, 110, 170)}, {1, QColor(220, 226, 240)}}, 0.6);
    FillPath(f, Ridge(f, Noise(111), 0.55, 0.25, 2.0, 1.4), QColor(200, 210, 232));
    QLinearGradient snow(0, 0.6 * f.h, 0, f.h);
    snow.setColorAt(0, QColor(236, 242, 250));
    snow.setColorAt(1, QColor(200, 212, 232));
    QPainterPath ground;
    ground.moveTo(f.At(0, 0.62));
    ground.cubicTo(f.At(0.4, 0.58), f.At(0.6, 0.66), f.At(1, 0.6));
    ground.lineTo(f.At(1, 1));
    ground.lineTo(f.At(0, 1));
    ground.closeSubpath();
    FillPath(f, ground, snow);
    // Cabin.
    const QRectF wall = f.Rect(0.35, 0.56, 0.3, 0.12);
    f.p.fillRect(wall, QColor(120, 70, 44));
    for (int i = 1; i < 5; ++i)
        f.p.fillRect(QRectF(wall.left(), wall.top() + i * wall.height() / 5, wall.width(), 1.5),
                     QColor(80, 46, 30));
    QPainterPath roof;
    roof.moveTo(f.At(0.32, 0.57));
    roof.lineTo(f.At(0.5, 0.46));
    roof.lineTo(f.At(0.68, 0.57));
    roof.closeSubpath();
    FillPath(f, roof, QColor(245, 248, 252));
    f.p.fillRect(f.Rect(0.42, 0.6, 0.05, 0.04), QColor(255, 210, 110));
    f.p.fillRect(f.Rect(0.53, 0.6, 0.05, 0.04), QColor(255, 210, 110));
    f.p.fillRect(f.Rect(0.58, 0.45, 0.025, 0.08), QColor(90, 60, 50));
    for (int i = 0; i < 5; ++i)
        Disc(f, f.At(0.595 + i * 0.02, 0.42 - i * 0.035), f.S() * (0.015 + i * 0.006),
             QColor(230, 230, 240, 120));
    for (int i = 0; i < 6; ++i)
        PineTree(f, 0.08 + i * 0.04, 0.66 + (i % 2) * 0.02, 0.2 + (i % 3) * 0.04,
                 QColor(30, 70, 60));
    for (int i = 0; i < 4; ++i)
        PineTree(f, 0.76 + i * 0.06, 0.64 + (i % 2) * 0.02, 0.18 + (i % 2) * 0.05,
                 QColor(30, 70, 60));
    const Noise n(112);
    for (int i = 0; i < 200; ++i)
        Disc(f, f.At(n.Hash(i, 0), n.Hash(i, 1)), f.S() * 0.003 * (1 + n.Hash(i, 2)),
             QColor(255, 255, 255, 200));
}

// A little film grain makes flat gradients look photographed.
void Grain(QImage& image, std::uint32_t seed) {
    const Noise n(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = int((n.Hash(x, y) - 0.5) * 10);
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                           std::clamp(qBlue(c) + d, 0, 255));
        }
    }
}

} // namespace

QImage PaintScene(Scene scene, QSize size) {
    QImage image = NewImage(size.width(), size.height());
    {
        QPainter p(&image);
        Smooth(p);
        const Frame f{p, double(size.width()), double(size.height())};
        switch (scene) {
        case Scene::SunsetSea:
            SunsetSea(f);
            break;
        case Scene::Mountains:
            Mountains(f);
            break;
        case Scene::Tulips:
            Tulips(f);
            break;
        case Scene::Lighthouse:
            Lighthouse(f);
            break;
        case Scene::NightAurora:
            NightAurora(f);
            break;
        case Scene::Dunes:
            Dunes(f);
            break;
        case Scene::Beach:
            Beach(f);
            break;
        case Scene::Sailboat:
            Sailboat(f);
            break;
        case Scene::Balloons:
            Balloons(f);
            break;
        case Scene::AutumnForest:
            AutumnForest(f);
            break;
        case Scene::Sunflower:
            Sunflower(f);
            break;
        case Scene::CityDusk:
            CityDusk(f);
            break;
        case Scene::Lavender:
            Lavender(f);
            break;
        case Scene::WinterCabin:
            WinterCabin(f);
            break;
        }
    }
    Vignette(image, 0.25);
    Grain(image, 7 + int(scene));
    return image;
}

void DrawPhotoPrint(QPainter& p, const QRectF& rect, Scene scene, double angle) {
    p.save();
    p.translate(rect.center());
    p.rotate(angle);
    const QRectF local(-rect.width() / 2, -rect.height() / 2, rect.width(), rect.height());
    DrawSoftShadow(p, local.translated(2, 3), 1, 6, 110);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 250, 244));
    p.drawRect(local);
    const double border = std::max(3.0, rect.width() * 0.06);
    const QRectF photo = local.adjusted(border, border, -border, -border * 2.2);
    p.drawImage(photo, PaintScene(scene, (photo.size() * 2).toSize()));
    p.restore();
}
