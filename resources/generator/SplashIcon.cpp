// The splash picture (a figure on a plain colour that the window cuts away) and the program icon.
#include "Generators.h"
#include "Paint.h"
#include "Scenes.h"
#include "Style.h"

#include <QLinearGradient>

namespace {

constexpr int SplashWidth = 375;
constexpr int SplashHeight = 255;
// The splash window turns every pixel of this colour (its top-left pixel) transparent.
const QColor SplashKey(255, 0, 255);

// An open book seen from above: cover, two pages with curved top and bottom edges, a ribbon.
void DrawBook(QPainter& p) {
    const double left = 14, right = SplashWidth - 14, top = 30, bottom = 222;
    const double spine = SplashWidth / 2.0;
    QPainterPath cover;
    cover.moveTo(left, top + 8);
    cover.quadTo(spine - 60, top - 6, spine, top + 6);
    cover.quadTo(spine + 60, top - 6, right, top + 8);
    cover.lineTo(right, bottom);
    cover.quadTo(spine + 60, bottom - 10, spine, bottom + 4);
    cover.quadTo(spine - 60, bottom - 10, left, bottom);
    cover.closeSubpath();
    QLinearGradient leather(0, top, 0, bottom);
    leather.setColorAt(0, QColor(128, 36, 48));
    leather.setColorAt(1, QColor(78, 20, 30));
    p.setPen(QPen(QColor(60, 14, 22), 1.5));
    p.setBrush(leather);
    p.drawPath(cover);

    // Ribbon bookmark hanging from the spine.
    QPainterPath ribbon;
    ribbon.moveTo(spine + 18, bottom - 6);
    ribbon.lineTo(spine + 32, bottom - 6);
    ribbon.lineTo(spine + 32, bottom + 28);
    ribbon.lineTo(spine + 25, bottom + 21);
    ribbon.lineTo(spine + 18, bottom + 28);
    ribbon.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Style::Gold);
    p.drawPath(ribbon);

    for (int side = 0; side < 2; ++side) {
        const double outer = side == 0 ? left + 10 : right - 10;
        QPainterPath page;
        page.moveTo(outer, top + 14);
        page.quadTo((outer + spine) / 2, top - 2, spine, top + 14);
        page.lineTo(spine, bottom - 6);
        page.quadTo((outer + spine) / 2, bottom - 18, outer, bottom - 8);
        page.closeSubpath();
        QLinearGradient paper(outer, 0, spine, 0);
        paper.setColorAt(0, QColor(246, 240, 224));
        paper.setColorAt(0.8, QColor(252, 248, 238));
        paper.setColorAt(1, QColor(214, 200, 172));
        p.setPen(QPen(QColor(170, 150, 120), 1));
        p.setBrush(paper);
        p.drawPath(page);
    }

    // Left page: the title.
    p.setFont(TitleFont(31));
    p.setPen(Style::Ink);
    p.drawText(QRectF(left + 14, top + 48, spine - left - 22, 40), Qt::AlignCenter,
               QStringLiteral("The Krel"));
    p.setFont(TitleFont(15, false, true));
    p.setPen(QColor(120, 36, 48));
    p.drawText(QRectF(left + 14, top + 90, spine - left - 22, 24), Qt::AlignCenter,
               QStringLiteral("Digital album"));
    p.setPen(QPen(Style::GoldDark, 1));
    p.drawLine(QPointF(left + 50, top + 122), QPointF(spine - 36, top + 122));
    p.setFont(LabelFont(10, false));
    p.setPen(QColor(110, 100, 90));
    p.drawText(QRectF(left + 14, top + 130, spine - left - 22, 20), Qt::AlignCenter,
               QStringLiteral("Version 1.0"));
    p.drawText(QRectF(left + 14, top + 150, spine - left - 22, 20), Qt::AlignCenter,
               QStringLiteral("Loading ..."));

    // Right page: two photo prints.
    DrawPhotoPrint(p, QRectF(spine + 22, top + 22, 104, 76), Scene::SunsetSea, -4);
    DrawPhotoPrint(p, QRectF(spine + 48, top + 94, 104, 76), Scene::Mountains, 5);
}

QImage DrawSplash() {
    // Drawn with soft edges on transparency, then every pixel is made either the key colour or
    // fully the figure's colour, so no blended fringe of the key colour stays around the figure.
    QImage figure(SplashWidth, SplashHeight, QImage::Format_ARGB32);
    figure.fill(Qt::transparent);
    {
        QPainter p(&figure);
        Smooth(p);
        DrawBook(p);
    }
    QImage image = NewImage(SplashWidth, SplashHeight, SplashKey);
    for (int y = 0; y < SplashHeight; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(figure.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < SplashWidth; ++x) {
            if (qAlpha(from[x]) < 128)
                continue;
            QRgb c = qRgb(qRed(from[x]), qGreen(from[x]), qBlue(from[x]));
            if (c == SplashKey.rgb())
                c = qRgb(254, 0, 255);
            to[x] = c;
        }
    }
    return image;
}

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    Smooth(p);
    p.scale(size / 256.0, size / 256.0);
    const QRectF tile(12, 12, 232, 232);
    QLinearGradient bg(0, 12, 0, 244);
    bg.setColorAt(0, Style::NightLight);
    bg.setColorAt(1, Style::NightDark);
    p.setPen(QPen(Style::Gold, 4));
    p.setBrush(bg);
    p.drawRoundedRect(tile, 44, 44);
    // An open album with a photo on the right page.
    QPainterPath book;
    const QPointF c(128, 140);
    book.moveTo(c + QPointF(0, -62));
    book.cubicTo(c + QPointF(-30, -82), c + QPointF(-70, -78), c + QPointF(-92, -62));
    book.lineTo(c + QPointF(-92, 62));
    book.cubicTo(c + QPointF(-70, 48), c + QPointF(-30, 48), c + QPointF(0, 68));
    book.cubicTo(c + QPointF(30, 48), c + QPointF(70, 48), c + QPointF(92, 62));
    book.lineTo(c + QPointF(92, -62));
    book.cubicTo(c + QPointF(70, -78), c + QPointF(30, -82), c + QPointF(0, -62));
    book.closeSubpath();
    p.setPen(QPen(Style::GoldDark, 3));
    p.setBrush(Style::Cream);
    p.drawPath(book);
    p.setPen(QPen(Style::GoldDark, 3));
    p.drawLine(c + QPointF(0, -62), c + QPointF(0, 68));
    const QRectF photo(c.x() + 14, c.y() - 50, 64, 52);
    p.drawImage(photo, PaintScene(Scene::SunsetSea, QSize(128, 104)));
    p.setPen(QPen(QColor(90, 80, 70), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(photo);
    p.setPen(QPen(QColor(120, 110, 96), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawLine(c + QPointF(-76, -36 + i * 22), c + QPointF(-16, -36 + i * 22));
    p.drawLine(c + QPointF(18, 20), c + QPointF(76, 20));
    p.drawLine(c + QPointF(18, 36), c + QPointF(64, 36));
    return image;
}

} // namespace

void MakeSplashAndIcon(const OutputFolder& out) {
    out.Bmp(QStringLiteral("GraphicRes/Splash.bmp"), DrawSplash());
    out.Png(QStringLiteral("GraphicRes/Icon.png"), DrawIcon(256));
    // Drawn at each size the desktop's icon theme asks for, rather than scaled down from 256.
    for (const int size : {16, 24, 32, 48, 64, 128})
        out.Png(QStringLiteral("GraphicRes/Icon%1.png").arg(size), DrawIcon(size));
}
