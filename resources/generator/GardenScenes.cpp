// Scenes of colour: tulips, balloons, an autumn forest, a sunflower, a city at dusk.
#include "SceneKit.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace scenes {

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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

} // namespace scenes
