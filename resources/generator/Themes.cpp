// The installed themes: for each, its pictures, a preview for the wizard and its Theme.ini; then
// the catalogue Themes.ini and Res.ini counting its blocks.
#include "Generators.h"
#include "Paint.h"
#include "Scenes.h"
#include "ThemeArt.h"
#include "themes/SkinLayout.h"

#include <QLinearGradient>
#include <functional>

namespace {

using namespace themes;

const QSize PreviewSize = WizardPreviewFrame;

struct Theme {
    QString name;   // as the wizard lists it and albums store it
    QString folder; // below Themes/
    std::function<QImage()> cover;
    std::function<QImage()> back;
    std::function<QImage(bool left)> page;
};

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
