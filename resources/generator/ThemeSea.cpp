// Sea: pale watercolour paper with waves and shells, a seascape cover.
#include "ThemeArt.h"

#include "Ornaments.h"
#include "Paint.h"
#include "Textures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace themes {

namespace {

const QColor SeaPaper(240, 246, 246);
const QColor SeaTeal(38, 128, 146);
const QColor SeaDeep(16, 56, 96);

void Waves(QPainter& p, double top, double bottom, const QColor& colour, int layers, int alpha,
           std::uint32_t seed) {
    const Noise n(seed);
    for (int layer = 0; layer < layers; ++layer) {
        const double base = top + (bottom - top) * (layer + 1) / (layers + 1.0);
        const double amp = (bottom - top) * 0.12;
        const double wavelength = PageW / (3.0 + layer);
        QPainterPath wave;
        wave.moveTo(0, PageH);
        for (int x = 0; x <= PageW; x += 4) {
            const double y = base + amp * std::sin((x / wavelength + layer * 0.7) * 2 * 3.14159) +
                             amp * 0.5 * (n.At(x / 60.0, layer) - 0.5);
            wave.lineTo(x, y);
        }
        wave.lineTo(PageW, PageH);
        wave.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(colour, alpha));
        p.drawPath(wave);
    }
}

void Seagull(QPainter& p, QPointF at, double size, const QColor& colour) {
    QPainterPath bird;
    bird.moveTo(at + QPointF(-size, -size * 0.1));
    bird.quadTo(at + QPointF(-size * 0.5, -size * 0.55), at);
    bird.quadTo(at + QPointF(size * 0.5, -size * 0.55), at + QPointF(size, -size * 0.1));
    p.setPen(QPen(colour, size * 0.12, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bird);
}

void Shell(QPainter& p, QPointF at, double size, const QColor& colour) {
    p.save();
    p.translate(at);
    p.setPen(QPen(colour, size * 0.06));
    p.setBrush(WithAlpha(colour, 50));
    QPainterPath fan;
    fan.moveTo(0, 0);
    fan.arcTo(QRectF(-size, -size, 2 * size, 2 * size), 20, 140);
    fan.closeSubpath();
    p.drawPath(fan);
    for (int i = 1; i < 7; ++i) {
        const double a = (20 + i * 20) * 3.14159 / 180;
        p.drawLine(QPointF(0, 0), QPointF(std::cos(a) * size, -std::sin(a) * size));
    }
    p.restore();
}

QImage SeaCoverBase(std::uint32_t seed) {
    QImage cover(PageSize, QImage::Format_RGB32);
    const Noise n(seed);
    const double horizon = 0.56;
    const double sunX = PageW * 0.7;
    FillPixels(cover, [&](int x, int y) {
        const double fy = double(y) / PageH;
        if (fy < horizon) {
            const double t = fy / horizon;
            return Mix(QColor(96, 160, 214), QColor(238, 224, 196), t * t).rgb();
        }
        const double t = (fy - horizon) / (1 - horizon);
        QColor c = Mix(QColor(70, 150, 180), SeaDeep, std::sqrt(t));
        // Long thin ripples, closer together toward the horizon, glittering under the sun.
        const double ripple =
            n.Fbm(x / (260.0 * (0.3 + t)), (y - horizon * PageH) / (2.0 + 9 * t), 3);
        const double glitter = std::exp(-std::pow((x - sunX) / (PageW * (0.06 + 0.2 * t)), 2));
        c = Mix(c, QColor(150, 200, 220), std::max(0.0, ripple - 0.55) * 1.6);
        c = Mix(c, QColor(255, 244, 214), std::max(0.0, ripple - 0.5) * 2.2 * glitter);
        return c.rgb();
    });
    return cover;
}

// Rolling waves in the foreground: layers of deepening blue, each with a white crest line.
void ForegroundWaves(QPainter& p, double top, std::uint32_t seed) {
    const Noise n(seed);
    const int layers = 4;
    for (int layer = 0; layer < layers; ++layer) {
        const double base = PageH * (top + (1.0 - top) * layer / layers);
        const double amp = PageH * (0.012 + 0.008 * layer);
        const double wavelength = PageW / (2.2 - layer * 0.3);
        QPainterPath crest;
        for (int x = -8; x <= PageW + 8; x += 4) {
            const double phase = x / wavelength + layer * 0.37;
            const double y = base - amp * std::pow(0.5 + 0.5 * std::sin(phase * 2 * 3.14159), 2.0) +
                             amp * 0.6 * (n.At(x / 90.0, layer) - 0.5);
            if (x == -8)
                crest.moveTo(x, y);
            else
                crest.lineTo(x, y);
        }
        QPainterPath body = crest;
        body.lineTo(PageW + 8, PageH);
        body.lineTo(-8, PageH);
        body.closeSubpath();
        QLinearGradient fill(0, base - amp, 0, base + PageH * 0.12);
        const QColor colour = Mix(QColor(46, 120, 156), SeaDeep, 0.25 + 0.2 * layer);
        fill.setColorAt(0, Shade(colour, 1.25));
        fill.setColorAt(1, colour);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(body);
        p.setPen(QPen(QColor(255, 255, 255, 170), 2.2 * K, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(crest);
    }
}

} // namespace

QImage SeaPage(bool left) {
    QImage page = PaperTexture(PageSize, SeaPaper, left ? 21 : 22, 0.7);
    {
        // Faint watercolour washes of sea blue.
        const Noise n(23 + (left ? 0 : 1));
        for (int y = 0; y < PageH; ++y) {
            auto* line = reinterpret_cast<QRgb*>(page.scanLine(y));
            for (int x = 0; x < PageW; ++x) {
                const double v = std::max(0.0, n.Fbm(x / 220.0, y / 220.0, 4) - 0.5) * 0.25;
                line[x] = Mix(QColor(line[x]), QColor(150, 200, 214), v).rgb();
            }
        }
    }
    GutterShade(page, left, 0.07, 55);
    QPainter p(&page);
    Smooth(p);
    // Gentle waves along the bottom edge, pale enough for the page number to read over them.
    Waves(p, PageH * 0.93, PageH * 1.01, QColor(120, 186, 204), 3, 45, left ? 24 : 25);
    const QRectF border(PageW * 0.03, PageH * 0.02, PageW * 0.94, PageH * 0.96);
    p.setPen(QPen(WithAlpha(SeaTeal, 150), 1.4 * K));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(border, 10 * K, 10 * K);
    const double outerX = left ? PageW * 0.1 : PageW * 0.9;
    const double dir = left ? 1 : -1;
    Seagull(p, QPointF(outerX, PageH * 0.045), 12 * K, WithAlpha(SeaDeep, 150));
    Seagull(p, QPointF(outerX + dir * 34 * K, PageH * 0.036), 8 * K, WithAlpha(SeaDeep, 120));
    Shell(p, QPointF(left ? PageW * 0.09 : PageW * 0.91, PageH * 0.972), 14 * K,
          WithAlpha(QColor(196, 120, 96), 200));
    return page;
}

QImage SeaCover() {
    QImage cover = SeaCoverBase(26);
    QPainter p(&cover);
    Smooth(p);
    QRadialGradient sun(QPointF(PageW * 0.7, PageH * 0.5), PageW * 0.5);
    sun.setColorAt(0, QColor(255, 246, 220, 220));
    sun.setColorAt(0.12, QColor(255, 236, 200, 160));
    sun.setColorAt(1, QColor(255, 230, 190, 0));
    p.fillRect(QRectF(0, 0, PageW, PageH * 0.56), sun);
    Seagull(p, QPointF(PageW * 0.3, PageH * 0.42), 20 * K, QColor(40, 60, 80, 200));
    Seagull(p, QPointF(PageW * 0.38, PageH * 0.39), 13 * K, QColor(40, 60, 80, 170));
    ForegroundWaves(p, 0.8, 27);
    DrawTitlePlate(
        p, QRectF(PageW * 0.2, PageH * 0.15, PageW * 0.62, PageH * 0.15),
        {QColor(255, 255, 255, 235), QColor(230, 242, 244, 235), SeaTeal, SeaDeep, SeaTeal},
        QStringLiteral("Photo Album"), QStringLiteral("days by the sea"));
    p.end();
    CoverHinge(cover, true);
    return cover;
}

QImage SeaBack() {
    QImage cover(PageSize, QImage::Format_RGB32);
    const Noise n(28);
    FillPixels(cover, [&](int x, int y) {
        const double t = double(y) / PageH;
        QColor c = Mix(QColor(40, 120, 156), SeaDeep, t);
        const double ripple = n.Fbm(x / 110.0, y / 24.0, 3);
        return Mix(c, QColor(180, 226, 236), std::max(0.0, ripple - 0.6) * 0.9).rgb();
    });
    QPainter p(&cover);
    Smooth(p);
    DrawCompassRose(p, QPointF(PageW * 0.47, PageH * 0.48), 110 * K, QColor(255, 255, 255, 150));
    DrawCentredText(p, QRectF(0, PageH * 0.86, PageW * 0.94, PageH * 0.04),
                    QStringLiteral("The Krel"), TitleFont(13 * K, false, true),
                    QColor(230, 244, 248, 200));
    p.end();
    CoverHinge(cover, false);
    return cover;
}

} // namespace themes
