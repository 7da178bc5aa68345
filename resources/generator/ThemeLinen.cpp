// Linen: slate blue cloth cover with a paper label, white linen pages with a stitched seam.
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

const QColor LinenWhite(246, 244, 238);
const QColor Slate(58, 78, 104);

} // namespace

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

} // namespace themes
