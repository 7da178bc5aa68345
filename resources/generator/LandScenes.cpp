// Scenes of land and sky: mountains, northern lights, dunes, lavender, a winter cabin.
#include "SceneKit.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace scenes {

void Mountains(const Frame& f) {
    Sky(f, {{0, QColor(58, 116, 186)}, {0.7, QColor(150, 196, 232)}, {1, QColor(214, 232, 244)}},
        0.6);
    Cloud(f, f.At(0.2, 0.18), f.S() * 0.1, Qt::white, 170);
    Cloud(f, f.At(0.78, 0.24), f.S() * 0.08, Qt::white, 150);
    const Noise far(21), mid(22), near(23);
    const QPainterPath peaks = Ridge(f, far, 0.6, 0.62, 2.2, 1.4);
    FillPath(f, peaks, QColor(120, 136, 170));
    // Snow caps: the same ridge, clipped to the band below its tops.
    f.p.save();
    f.p.setClipPath(peaks);
    f.p.fillRect(QRectF(0, 0, f.w, 0.37 * f.h), QColor(246, 248, 252));
    QLinearGradient melt(0, 0.37 * f.h, 0, 0.45 * f.h);
    melt.setColorAt(0, QColor(246, 248, 252));
    melt.setColorAt(1, QColor(120, 136, 170, 0));
    f.p.fillRect(QRectF(0, 0.37 * f.h, f.w, 0.08 * f.h), melt);
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

} // namespace scenes
