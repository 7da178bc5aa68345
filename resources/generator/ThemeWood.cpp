// Wood: walnut boards with brass corners and name plate, pages of light kraft paper.
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

const QColor Kraft(226, 204, 166);
const QColor WalnutLight(150, 100, 62);
const QColor WalnutDark(74, 44, 26);
const QColor Brass(206, 168, 92);
const QColor BurntInk(96, 62, 36);

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

} // namespace

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

} // namespace themes
