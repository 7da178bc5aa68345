// The start window's skin: background, eight picture buttons in three states, and Main.ini.
#include "Generators.h"
#include "Paint.h"
#include "Scenes.h"
#include "Style.h"
#include "themes/SkinLayout.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace {

constexpr int WindowWidth = ShippedMainSize.width();
constexpr int WindowHeight = ShippedMainSize.height();
constexpr int SidebarWidth = ShippedMainSidebar;

struct MainButton {
    QString name;
    QString label;
    QRect place;
};

QList<MainButton> Buttons() {
    const std::array<QRect, 8> places = ShippedMainButtons();
    return {
        {QStringLiteral("Create"), QStringLiteral("New album"), places[0]},
        {QStringLiteral("Open"), QStringLiteral("Open"), places[1]},
        {QStringLiteral("Preferences"), QStringLiteral("Preferences"), places[2]},
        {QStringLiteral("Help"), QStringLiteral("Help"), places[3]},
        {QStringLiteral("About"), QStringLiteral("About"), places[4]},
        {QStringLiteral("Exit"), QStringLiteral("Exit"), places[5]},
        {QStringLiteral("WMin"), QString(), places[6]},
        {QStringLiteral("WClose"), QString(), places[7]},
    };
}

// A small open photo album with two prints on each page, lying on the panel.
void DrawOpenAlbum(QPainter& p, const QRectF& area) {
    const double pageW = area.width() / 2, pageH = area.height();
    DrawSoftShadow(p, area.adjusted(4, 8, -4, 4), 6, 14, 90);
    // Cover edge under the pages.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 30, 40));
    p.drawRoundedRect(area.adjusted(-8, -6, 8, 8), 6, 6);
    for (int side = 0; side < 2; ++side) {
        const QRectF page(area.left() + side * pageW, area.top(), pageW, pageH);
        QLinearGradient paper(page.topLeft(), page.topRight());
        const QColor edge(228, 218, 196), middle(250, 245, 233);
        paper.setColorAt(side == 0 ? 0.0 : 1.0, middle);
        paper.setColorAt(side == 0 ? 0.88 : 0.12, middle);
        paper.setColorAt(side == 0 ? 1.0 : 0.0, edge);
        p.setBrush(paper);
        p.drawRect(page);
    }
    const Scene scenes[4] = {Scene::SunsetSea, Scene::Mountains, Scene::Tulips, Scene::Beach};
    for (int i = 0; i < 4; ++i) {
        const int side = i / 2, row = i % 2;
        const QRectF page(area.left() + side * pageW, area.top(), pageW, pageH);
        const QRectF frame(page.left() + pageW * (side == 0 ? 0.1 : 0.14),
                           page.top() + 14 + row * (pageH - 20) / 2, pageW * 0.76,
                           (pageH - 20) / 2 - 22);
        p.drawImage(frame, PaintScene(scenes[i], frame.size().toSize() * 2));
        p.setPen(QPen(QColor(120, 120, 120), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
        p.setPen(QPen(QColor(90, 90, 90, 140), 0.8));
        p.drawLine(QPointF(frame.left() + 8, frame.bottom() + 9),
                   QPointF(frame.right() - 8, frame.bottom() + 9));
        p.setPen(Qt::NoPen);
    }
}

QImage DrawBackground() {
    QImage image = NewImage(WindowWidth, WindowHeight);
    QPainter p(&image);
    Smooth(p);
    QLinearGradient sky(0, 0, WindowWidth * 0.3, WindowHeight);
    sky.setColorAt(0, Style::NightLight);
    sky.setColorAt(0.55, Style::Night);
    sky.setColorAt(1, Style::NightDark);
    p.fillRect(image.rect(), sky);
    // A warm glow behind the album illustration.
    QRadialGradient glow(QPointF(400, 250), 260);
    glow.setColorAt(0, QColor(217, 181, 106, 70));
    glow.setColorAt(1, QColor(217, 181, 106, 0));
    p.fillRect(image.rect(), glow);

    // Sidebar with a gold hairline.
    p.fillRect(QRect(0, 0, SidebarWidth, WindowHeight), QColor(0, 0, 0, 70));
    p.setPen(QPen(WithAlpha(Style::Gold, 200), 1));
    p.drawLine(QPointF(SidebarWidth + 0.5, 14), QPointF(SidebarWidth + 0.5, WindowHeight - 14));
    // Little book emblem above the buttons.
    p.setPen(QPen(Style::Gold, 1.6));
    p.setBrush(Qt::NoBrush);
    const QPointF c(SidebarWidth / 2.0, 48);
    QPainterPath book;
    book.moveTo(c + QPointF(0, -12));
    book.cubicTo(c + QPointF(-8, -17), c + QPointF(-18, -16), c + QPointF(-24, -12));
    book.lineTo(c + QPointF(-24, 14));
    book.cubicTo(c + QPointF(-18, 10), c + QPointF(-8, 10), c + QPointF(0, 16));
    book.cubicTo(c + QPointF(8, 10), c + QPointF(18, 10), c + QPointF(24, 14));
    book.lineTo(c + QPointF(24, -12));
    book.cubicTo(c + QPointF(18, -16), c + QPointF(8, -17), c + QPointF(0, -12));
    book.lineTo(c + QPointF(0, 16));
    p.drawPath(book);

    // Title.
    p.setPen(QColor(0, 0, 0, 150));
    p.setFont(TitleFont(40));
    p.drawText(QPointF(SidebarWidth + 30, 76), QStringLiteral("The Krel"));
    p.setPen(Style::GoldLight);
    p.drawText(QPointF(SidebarWidth + 28, 74), QStringLiteral("The Krel"));
    p.setFont(TitleFont(18, false, true));
    p.setPen(Style::Cream);
    p.drawText(QPointF(SidebarWidth + 32, 102), QStringLiteral("Digital album"));
    p.setPen(QPen(WithAlpha(Style::Gold, 160), 1));
    p.drawLine(QPointF(SidebarWidth + 30, 114), QPointF(SidebarWidth + 250, 114));

    DrawOpenAlbum(p, QRectF(SidebarWidth + 90, 150, 340, 196));
    DrawPhotoPrint(p, QRectF(SidebarWidth + 40, 300, 92, 66), Scene::Lighthouse, -9);
    DrawPhotoPrint(p, QRectF(WindowWidth - 120, 290, 84, 84), Scene::Sunflower, 8);

    p.setFont(LabelFont(10, false));
    p.setPen(WithAlpha(Style::Cream, 170));
    p.drawText(QRectF(SidebarWidth + 20, WindowHeight - 28, WindowWidth - SidebarWidth - 40, 16),
               Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Ctrl+N new album   Ctrl+O open   Ctrl+P preferences   F1 about"));
    p.end();
    return image;
}

} // namespace

void MakeMainSkin(const OutputFolder& out) {
    const QString folder = QStringLiteral("GraphicRes/Main/");
    const QImage background = DrawBackground();
    out.Jpeg(folder + QStringLiteral("Main.jpg"), background, 94);

    const QList<MainButton> buttons = Buttons();
    for (const MainButton& b : buttons) {
        for (ButtonState s : {ButtonState::Normal, ButtonState::OnMouse, ButtonState::OnClick}) {
            QImage picture;
            if (b.name == QLatin1String("WMin"))
                picture = DrawCaptionButton(background, b.place, CaptionGlyph::Minimise, s);
            else if (b.name == QLatin1String("WClose"))
                picture = DrawCaptionButton(background, b.place, CaptionGlyph::Close, s);
            else
                picture = DrawLabelButton(background, b.place, b.label, s);
            out.Jpeg(folder + b.name + StateSuffix(s), picture, 95);
        }
    }

    // Height, width, then left/top of the six main buttons, then top/left of WMin and WClose.
    QStringList lines{QString::number(WindowHeight), QString::number(WindowWidth)};
    for (int i = 0; i < 6; ++i)
        lines << QString::number(buttons[i].place.left())
              << QString::number(buttons[i].place.top());
    for (int i = 6; i < 8; ++i)
        lines << QString::number(buttons[i].place.top())
              << QString::number(buttons[i].place.left());
    out.Lines(folder + QStringLiteral("Main.ini"), lines);
}
