// The installed themes: for each, a front and back cover, left and right page backgrounds and a
// preview, its Theme.ini, and the catalogue Themes.ini with Res.ini counting its blocks.
//
// Pages are drawn at one and a half times the largest page the album shows (546 x 816), so that
// they stay sharp when stretched. Decorations keep to the margins that the pages leave free: the
// picture frames and note rules of both layouts, the contents cells and the page number at the
// bottom centre stand on plain paper.
#include "Generators.h"
#include "Ornaments.h"
#include "Paint.h"
#include "Scenes.h"
#include "Textures.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <functional>

namespace {

constexpr int PageW = 819;
constexpr int PageH = 1224;
constexpr double K = PageW / 546.0; // drawing scale against the largest shown page
const QSize PageSize(PageW, PageH);
const QSize PreviewSize(280, 200); // the wizard's preview area

struct Theme {
    QString name;   // as the wizard lists it and albums store it
    QString folder; // below Themes/
    std::function<QImage()> cover;
    std::function<QImage()> back;
    std::function<QImage(bool left)> page;
};

// ---- Classic: cream paper, sepia rules, burgundy leather with gold tooling ----

const QColor ClassicPaper(246, 238, 218);
const QColor Sepia(132, 98, 62);
const QColor Burgundy(112, 28, 42);
const QColor GoldLeaf(214, 178, 102);

QImage ClassicPage(bool left) {
    QImage page = PaperTexture(PageSize, ClassicPaper, left ? 11 : 12);
    Vignette(page, 0.08);
    GutterShade(page, left);
    QPainter p(&page);
    Smooth(p);
    const QRectF border(PageW * 0.032, PageH * 0.022, PageW * 0.936, PageH * 0.962);
    DrawDoubleRule(p, border, 5 * K, WithAlpha(Sepia, 200), 1.6 * K);
    const double s = 26 * K;
    const QRectF in = border.adjusted(9 * K, 9 * K, -9 * K, -9 * K);
    DrawCornerFlourish(p, in.topLeft(), s, 1, 1, WithAlpha(Sepia, 190), 1.3 * K);
    DrawCornerFlourish(p, in.topRight(), s, -1, 1, WithAlpha(Sepia, 190), 1.3 * K);
    DrawCornerFlourish(p, in.bottomLeft(), s, 1, -1, WithAlpha(Sepia, 190), 1.3 * K);
    DrawCornerFlourish(p, in.bottomRight(), s, -1, -1, WithAlpha(Sepia, 190), 1.3 * K);
    DrawFleuron(p, QPointF(PageW / 2.0, PageH * 0.045), 60 * K, WithAlpha(Sepia, 170));
    return page;
}

void GoldTooling(QImage& cover) {
    QPainter p(&cover);
    Smooth(p);
    const QRectF border(PageW * 0.1, PageH * 0.06, PageW * 0.82, PageH * 0.88);
    DrawDoubleRule(p, border, 8 * K, GoldLeaf, 2.5 * K);
    const double s = 40 * K;
    const QRectF in = border.adjusted(14 * K, 14 * K, -14 * K, -14 * K);
    DrawCornerFlourish(p, in.topLeft(), s, 1, 1, GoldLeaf, 2 * K);
    DrawCornerFlourish(p, in.topRight(), s, -1, 1, GoldLeaf, 2 * K);
    DrawCornerFlourish(p, in.bottomLeft(), s, 1, -1, GoldLeaf, 2 * K);
    DrawCornerFlourish(p, in.bottomRight(), s, -1, -1, GoldLeaf, 2 * K);
}

QImage ClassicCover() {
    QImage cover = LeatherTexture(PageSize, Burgundy, 13);
    Vignette(cover, 0.35);
    GoldTooling(cover);
    QPainter p(&cover);
    Smooth(p);
    DrawTitlePlate(p, QRectF(PageW * 0.22, PageH * 0.26, PageW * 0.6, PageH * 0.16),
                   {QColor(250, 244, 226), QColor(232, 218, 186), GoldLeaf, QColor(70, 20, 30),
                    QColor(120, 80, 50)},
                   QStringLiteral("Photo Album"), QStringLiteral("our memories"));
    DrawFleuron(p, QPointF(PageW * 0.52, PageH * 0.62), 110 * K, GoldLeaf);
    p.end();
    CoverHinge(cover, true);
    return cover;
}

QImage ClassicBack() {
    QImage cover = LeatherTexture(PageSize, Burgundy, 14);
    Vignette(cover, 0.35);
    GoldTooling(cover);
    QPainter p(&cover);
    Smooth(p);
    DrawFleuron(p, QPointF(PageW * 0.48, PageH * 0.86), 70 * K, GoldLeaf);
    DrawCentredText(p, QRectF(0, PageH * 0.82, PageW * 0.96, PageH * 0.03),
                    QStringLiteral("The Krel"), TitleFont(13 * K, false, true), GoldLeaf);
    p.end();
    CoverHinge(cover, false);
    return cover;
}

// ---- Sea: pale watercolour paper with waves, a seascape cover ----

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

// ---- Wood: walnut boards with brass, pages of light kraft paper ----

const QColor Kraft(226, 204, 166);
const QColor WalnutLight(150, 100, 62);
const QColor WalnutDark(74, 44, 26);
const QColor Brass(206, 168, 92);
const QColor BurntInk(96, 62, 36);

QImage WoodPage(bool left) {
    QImage page = PaperTexture(PageSize, Kraft, left ? 31 : 32, 1.4);
    {
        // Kraft fibres: short dark and light flecks.
        const Noise n(33 + (left ? 0 : 1));
        QPainter p(&page);
        Smooth(p);
        for (int i = 0; i < 2600; ++i) {
            const QPointF at(n.Hash(i, 0) * PageW, n.Hash(i, 1) * PageH);
            const double a = n.Hash(i, 2) * 3.14159;
            const double len = (2 + 6 * n.Hash(i, 3)) * K;
            p.setPen(QPen(n.Hash(i, 4) > 0.5 ? QColor(120, 90, 50, 60) : QColor(255, 245, 220, 70),
                          0.8 * K));
            p.drawLine(at, at + QPointF(std::cos(a), std::sin(a)) * len);
        }
    }
    Vignette(page, 0.12);
    GutterShade(page, left, 0.07, 80);
    QPainter p(&page);
    Smooth(p);
    // A burnt-in line frame with small square corners, as stamped into the paper.
    const QRectF border(PageW * 0.035, PageH * 0.024, PageW * 0.93, PageH * 0.958);
    p.setPen(QPen(WithAlpha(BurntInk, 170), 1.8 * K));
    p.setBrush(Qt::NoBrush);
    p.drawRect(border);
    const double c = 9 * K;
    p.setBrush(WithAlpha(BurntInk, 150));
    p.setPen(Qt::NoPen);
    for (QPointF corner :
         {border.topLeft(), border.topRight(), border.bottomLeft(), border.bottomRight()})
        p.drawRect(QRectF(corner - QPointF(c / 2, c / 2), QSizeF(c, c)));
    // A small leaf sprig at the top centre.
    p.setPen(QPen(WithAlpha(BurntInk, 160), 1.4 * K));
    const QPointF top(PageW / 2.0, PageH * 0.045);
    p.drawLine(top - QPointF(40 * K, 0), top + QPointF(40 * K, 0));
    for (int i = -3; i <= 3; ++i) {
        if (i == 0)
            continue;
        const QPointF at = top + QPointF(i * 10 * K, 0);
        p.setBrush(WithAlpha(BurntInk, 120));
        p.drawEllipse(at + QPointF(0, (i % 2 ? -5 : 5) * K), 4 * K, 2.2 * K);
    }
    return page;
}

void BrassCorners(QPainter& p, bool spineOnLeft) {
    const double s = 70 * K;
    QLinearGradient brass(0, 0, s, s);
    brass.setColorAt(0, Shade(Brass, 1.3));
    brass.setColorAt(0.5, Brass);
    brass.setColorAt(1, Shade(Brass, 0.7));
    const double outer = spineOnLeft ? PageW : 0;
    const double dir = spineOnLeft ? -1 : 1;
    for (double y : {0.0, double(PageH)}) {
        const double ydir = y == 0 ? 1 : -1;
        QPainterPath corner;
        corner.moveTo(outer, y);
        corner.lineTo(outer + dir * s, y);
        corner.lineTo(outer, y + ydir * s);
        corner.closeSubpath();
        p.setPen(QPen(Shade(Brass, 0.55), 1.5 * K));
        p.setBrush(brass);
        p.drawPath(corner);
        p.setBrush(Shade(Brass, 0.5));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(outer + dir * s * 0.28, y + ydir * s * 0.28), 4 * K, 4 * K);
    }
}

QImage WoodCover() {
    QImage cover = WoodTexture(PageSize, WalnutLight, WalnutDark, 35);
    Vignette(cover, 0.3);
    QPainter p(&cover);
    Smooth(p);
    const QRectF plate(PageW * 0.2, PageH * 0.27, PageW * 0.64, PageH * 0.14);
    DrawTitlePlate(p, plate,
                   {Shade(Brass, 1.25), Shade(Brass, 0.85), Shade(Brass, 0.6), QColor(60, 40, 20),
                    QColor(80, 56, 30)},
                   QStringLiteral("Photo Album"), QStringLiteral("family and friends"));
    // Screws at the plate's corners.
    for (double fx : {0.04, 0.96})
        for (double fy : {0.18, 0.82}) {
            const QPointF at(plate.left() + plate.width() * fx, plate.top() + plate.height() * fy);
            p.setPen(QPen(Shade(Brass, 0.5), 1 * K));
            p.setBrush(Shade(Brass, 0.9));
            p.drawEllipse(at, 5 * K, 5 * K);
            p.drawLine(at - QPointF(3.5 * K, 0), at + QPointF(3.5 * K, 0));
        }
    BrassCorners(p, true);
    p.end();
    CoverHinge(cover, true);
    return cover;
}

QImage WoodBack() {
    QImage cover = WoodTexture(PageSize, WalnutLight, WalnutDark, 36);
    Vignette(cover, 0.3);
    QPainter p(&cover);
    Smooth(p);
    BrassCorners(p, false);
    DrawCentredText(p, QRectF(0, PageH * 0.86, PageW * 0.94, PageH * 0.04),
                    QStringLiteral("The Krel"), TitleFont(13 * K, false, true),
                    QColor(230, 200, 150, 200));
    p.end();
    CoverHinge(cover, false);
    return cover;
}

// ---- Linen: slate blue cloth cover with a paper label, white linen pages ----

const QColor LinenWhite(246, 244, 238);
const QColor Slate(58, 78, 104);

QImage LinenPage(bool left) {
    QImage page = LinenTexture(PageSize, LinenWhite, left ? 41 : 42);
    GutterShade(page, left, 0.07, 60);
    QPainter p(&page);
    Smooth(p);
    const QRectF border(PageW * 0.03, PageH * 0.02, PageW * 0.94, PageH * 0.96);
    p.setPen(QPen(WithAlpha(Slate, 110), 1.0 * K, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(border); // a stitched seam around the page
    DrawFleuron(p, QPointF(PageW / 2.0, PageH * 0.045), 50 * K, WithAlpha(Slate, 140));
    return page;
}

QImage LinenCover() {
    QImage cover = LinenTexture(PageSize, Slate, 43);
    Vignette(cover, 0.25);
    QPainter p(&cover);
    Smooth(p);
    p.setPen(QPen(QColor(220, 226, 236, 150), 1.6 * K, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(PageW * 0.1, PageH * 0.05, PageW * 0.84, PageH * 0.9));
    DrawTitlePlate(p, QRectF(PageW * 0.24, PageH * 0.3, PageW * 0.56, PageH * 0.15),
                   {QColor(252, 250, 244), QColor(236, 232, 220), QColor(150, 140, 120), Slate,
                    QColor(110, 110, 110)},
                   QStringLiteral("Photo Album"), QStringLiteral("moments"));
    p.end();
    CoverHinge(cover, true);
    return cover;
}

QImage LinenBack() {
    QImage cover = LinenTexture(PageSize, Slate, 44);
    Vignette(cover, 0.25);
    QPainter p(&cover);
    Smooth(p);
    p.setPen(QPen(QColor(220, 226, 236, 150), 1.6 * K, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(PageW * 0.06, PageH * 0.05, PageW * 0.84, PageH * 0.9));
    DrawCentredText(p, QRectF(0, PageH * 0.86, PageW * 0.94, PageH * 0.04),
                    QStringLiteral("The Krel"), TitleFont(13 * K, false, true),
                    QColor(230, 236, 244, 200));
    p.end();
    CoverHinge(cover, false);
    return cover;
}

// ---- Preview: the closed cover beside an open spread with a few photos ----

QImage Preview(const QImage& cover, const QImage& left, const QImage& right) {
    QImage image = NewImage(PreviewSize.width(), PreviewSize.height());
    QPainter p(&image);
    Smooth(p);
    QLinearGradient bg(0, 0, 0, PreviewSize.height());
    bg.setColorAt(0, QColor(238, 232, 220));
    bg.setColorAt(1, QColor(206, 196, 178));
    p.fillRect(image.rect(), bg);
    const QRectF coverRect(12, 26, 98, 147);
    DrawSoftShadow(p, coverRect.translated(2, 3), 2, 6, 120);
    p.drawImage(coverRect, cover);
    const QRectF leftRect(124, 44, 73, 110), rightRect(197, 44, 73, 110);
    DrawSoftShadow(p, leftRect.united(rightRect).translated(2, 3), 2, 6, 120);
    p.drawImage(leftRect, left);
    p.drawImage(rightRect, right);
    // Two photos on each page, where the two-per-page layout puts them.
    const Scene scenes[4] = {Scene::SunsetSea, Scene::Mountains, Scene::Beach, Scene::Tulips};
    for (int i = 0; i < 4; ++i) {
        const QRectF page = i < 2 ? leftRect : rightRect;
        const double w = page.width(), h = page.height();
        const double l = i < 2 ? w / 15 : w / 8, r = i < 2 ? w - w / 8 : w - w / 15;
        const double top = i % 2 == 0 ? h / 13 : h / 2 + h / 60;
        const double bottom = i % 2 == 0 ? h / 2 - h / 40 - h / 16 : h - h / 11 - h / 16;
        const QRectF frame(page.left() + l, page.top() + top, r - l, bottom - top);
        p.drawImage(frame, PaintScene(scenes[i], (frame.size() * 3).toSize()));
        p.setPen(QPen(QColor(60, 60, 60, 140), 0.6));
        p.drawLine(QPointF(frame.left() + 5, frame.bottom() + 4),
                   QPointF(frame.right() - 5, frame.bottom() + 4));
    }
    return image;
}

QList<Theme> Themes() {
    return {
        {QStringLiteral("Classic"), QStringLiteral("Classic"), ClassicCover, ClassicBack,
         ClassicPage},
        {QStringLiteral("Sea"), QStringLiteral("Sea"), SeaCover, SeaBack, SeaPage},
        {QStringLiteral("Wood"), QStringLiteral("Wood"), WoodCover, WoodBack, WoodPage},
        {QStringLiteral("Linen"), QStringLiteral("Linen"), LinenCover, LinenBack, LinenPage},
    };
}

} // namespace

void MakeThemes(const OutputFolder& out) {
    QStringList catalogue;
    const QList<Theme> themes = Themes();
    for (const Theme& theme : themes) {
        const QString dir = QStringLiteral("Themes/") + theme.folder + QLatin1Char('/');
        const QImage cover = theme.cover();
        const QImage left = theme.page(true);
        const QImage right = theme.page(false);
        out.Jpeg(dir + QStringLiteral("Cover.jpg"), cover, 90);
        out.Jpeg(dir + QStringLiteral("Back.jpg"), theme.back(), 90);
        out.Jpeg(dir + QStringLiteral("Left.jpg"), left, 90);
        out.Jpeg(dir + QStringLiteral("Right.jpg"), right, 90);
        out.Jpeg(dir + QStringLiteral("Preview.jpg"), Preview(cover, left, right), 92);
        // Name, right, left, cover, back, preview: paths relative to the program folder.
        const QString rel = QStringLiteral("Themes\\") + theme.folder + QLatin1Char('\\');
        const QStringList block{theme.name,
                                rel + QStringLiteral("Right.jpg"),
                                rel + QStringLiteral("Left.jpg"),
                                rel + QStringLiteral("Cover.jpg"),
                                rel + QStringLiteral("Back.jpg"),
                                rel + QStringLiteral("Preview.jpg")};
        out.Lines(dir + QStringLiteral("Theme.ini"), block);
        catalogue += block;
    }
    out.Lines(QStringLiteral("Themes.ini"), catalogue);
    out.Lines(QStringLiteral("Res.ini"),
              {QString::number(themes.size()), QStringLiteral("0"), QStringLiteral("5"),
               QStringLiteral("-"), QStringLiteral("1205x1795 - 10x15"),
               QStringLiteral("1500x2102 - 13x18"), QStringLiteral("2398x3602 - 20x30")});
}
