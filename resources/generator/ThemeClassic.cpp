// Classic: cream paper, sepia rules, burgundy leather with gold tooling.
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

const QColor ClassicPaper(246, 238, 218);
const QColor Sepia(132, 98, 62);
const QColor Burgundy(112, 28, 42);
const QColor GoldLeaf(214, 178, 102);

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

} // namespace

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

} // namespace themes
