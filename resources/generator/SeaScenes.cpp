// Scenes by the water: sunset over the sea, a lighthouse, a beach, a sailing boat.
#include "SceneKit.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace scenes {

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

namespace {

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

} // namespace

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

} // namespace scenes
