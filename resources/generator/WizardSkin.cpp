// The wizard's skin: two page backgrounds, Exit, Next and Back buttons, the Hor and Ver layout
// pictures in their states, and Wizard.ini placing them.
#include "Generators.h"
#include "Paint.h"
#include "Scenes.h"
#include "Style.h"
#include "themes/SkinLayout.h"

#include <QLinearGradient>

namespace {

constexpr int WizardWidth = 503;
constexpr int WizardHeight = 353;
constexpr int HeaderHeight = 50;
constexpr int FooterTop = 306;
const QSize ButtonSize(57, 17);
const QRect ExitPlace(QPoint(20, 321), ButtonSize);
const QRect NextPlace(QPoint(426, 321), ButtonSize);
const QRect BackPlace(QPoint(362, 321), ButtonSize);
const QRect ListPlace(20, 84, 170, 200); // the theme list (a list control over the page)
const QRect PreviewPlace(QPoint(206, 84), WizardPreviewFrame);
const QSize LayoutSize(130, 200);
const QRect HorPlace(QPoint(88, 68), LayoutSize);
const QRect VerPlace(QPoint(285, 68), LayoutSize);

QImage DrawPage(const QString& step, const QString& hint) {
    QImage image = NewImage(WizardWidth, WizardHeight, Style::Cream);
    const Noise n(301);
    FillPixels(image, [&](int x, int y) {
        const double v = n.Fbm(x / 40.0, y / 40.0, 4);
        return Mix(Style::Cream, Style::CreamDark, 0.15 + 0.35 * v).rgb();
    });
    QPainter p(&image);
    Smooth(p);
    QLinearGradient header(0, 0, 0, HeaderHeight);
    header.setColorAt(0, Style::NightLight);
    header.setColorAt(1, Style::Night);
    p.fillRect(QRect(0, 0, WizardWidth, HeaderHeight), header);
    p.fillRect(QRect(0, HeaderHeight, WizardWidth, 2), Style::Gold);
    p.setFont(TitleFont(22));
    p.setPen(Style::GoldLight);
    p.drawText(QRect(18, 0, 220, HeaderHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("New album"));
    p.setFont(LabelFont(12, false));
    p.setPen(Style::Cream);
    p.drawText(QRect(200, 0, WizardWidth - 218, HeaderHeight), Qt::AlignVCenter | Qt::AlignRight,
               step);

    QLinearGradient footer(0, FooterTop, 0, WizardHeight);
    footer.setColorAt(0, Style::Night);
    footer.setColorAt(1, Style::NightDark);
    p.fillRect(QRect(0, FooterTop, WizardWidth, WizardHeight - FooterTop), footer);
    p.fillRect(QRect(0, FooterTop - 1, WizardWidth, 1), Style::GoldDark);
    // The hint sits in the footer between the Exit and Back buttons.
    p.setFont(LabelFont(10, false));
    p.setPen(WithAlpha(Style::Cream, 210));
    p.drawText(QRect(86, FooterTop + 1, 270, WizardHeight - FooterTop), Qt::AlignCenter, hint);
    return image;
}

// A sunken mat around a control that the wizard places on the page.
void DrawMat(QPainter& p, const QRect& place, const QString& caption) {
    const QRectF mat = QRectF(place).adjusted(-4, -4, 4, 4);
    p.setPen(QPen(QColor(150, 130, 100), 1));
    p.setBrush(QColor(236, 226, 204));
    p.drawRoundedRect(mat, 3, 3);
    p.setPen(Style::Ink);
    p.setFont(LabelFont(11));
    p.drawText(QRectF(mat.left(), mat.top() - 20, mat.width(), 16), Qt::AlignLeft | Qt::AlignBottom,
               caption);
}

QImage DrawThemePage() {
    QImage image = DrawPage(QStringLiteral("Step 1 of 2:  choose a theme"),
                            QStringLiteral("Pick a theme, then press Next."));
    QPainter p(&image);
    Smooth(p);
    DrawMat(p, ListPlace, QStringLiteral("Themes"));
    DrawMat(p, PreviewPlace, QStringLiteral("Preview"));
    return image;
}

QImage DrawLayoutPage() {
    QImage image = DrawPage(QStringLiteral("Step 2 of 2:  choose the layout"),
                            QStringLiteral("Click a layout, then press Next."));
    QPainter p(&image);
    Smooth(p);
    p.setFont(LabelFont(11, false));
    p.setPen(Style::Ink);
    p.drawText(QRect(20, HorPlace.bottom() + 8, WizardWidth - 40, 28), Qt::AlignCenter,
               QStringLiteral("Next opens the picture dialog: choose the pictures of your album."));
    return image;
}

// A page with two landscape frames (Hor) or one upright frame (Ver), captioned below.
QImage DrawLayoutPicture(const QImage& page, const QRect& place, bool two, ButtonState state) {
    QImage image = page.copy(place);
    QPainter p(&image);
    Smooth(p);
    const QRectF whole = QRectF(image.rect()).adjusted(1, 1, -1, -1);
    if (state != ButtonState::Normal) {
        p.setPen(QPen(state == ButtonState::OnClick ? Style::GoldDark : Style::Gold,
                      state == ButtonState::OnClick ? 3 : 2));
        p.setBrush(state == ButtonState::OnClick ? QColor(217, 181, 106, 90)
                                                 : QColor(255, 255, 255, 90));
        p.drawRoundedRect(whole.adjusted(1, 1, -1, -1), 8, 8);
    }
    const QRectF sheet(22, 14, 86, 130);
    DrawSoftShadow(p, sheet.translated(2, 3), 1, 5, 90);
    p.setPen(QPen(QColor(170, 160, 140), 1));
    p.setBrush(QColor(253, 251, 245));
    p.drawRect(sheet);
    auto frame = [&](const QRectF& r, Scene scene) {
        p.drawImage(r, PaintScene(scene, (r.size() * 3).toSize()));
        p.setPen(QPen(QColor(110, 110, 110), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(QPointF(r.left() + 8, r.bottom() + 6), QPointF(r.right() - 8, r.bottom() + 6));
        p.drawLine(QPointF(r.left() + 8, r.bottom() + 10), QPointF(r.right() - 8, r.bottom() + 10));
    };
    if (two) {
        frame(QRectF(sheet.left() + 8, sheet.top() + 10, 70, 42), Scene::SunsetSea);
        frame(QRectF(sheet.left() + 8, sheet.top() + 70, 70, 42), Scene::Mountains);
    } else {
        frame(QRectF(sheet.left() + 12, sheet.top() + 12, 62, 94), Scene::Lighthouse);
    }
    const QRectF caption(6, 152, whole.width() - 10, 22);
    if (state == ButtonState::OnClick) {
        p.setPen(Qt::NoPen);
        p.setBrush(Style::Gold);
        p.drawRoundedRect(caption, 5, 5);
    }
    const QColor text = state == ButtonState::OnMouse ? Style::GoldDark : Style::Ink;
    DrawCentredText(p, caption,
                    two ? QStringLiteral("Two per page") : QStringLiteral("One per page"),
                    LabelFont(12), text);
    p.setFont(LabelFont(10, false));
    p.setPen(QColor(90, 80, 70));
    p.drawText(QRectF(6, 176, whole.width() - 10, 18), Qt::AlignCenter,
               two ? QStringLiteral("4 pictures a spread") : QStringLiteral("2 pictures a spread"));
    if (state == ButtonState::OnClick) {
        // A check mark badge: this layout is chosen.
        const QPointF c(whole.right() - 14, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Style::Night);
        p.drawEllipse(c, 10, 10);
        p.setPen(QPen(Style::GoldLight, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({c + QPointF(-5, 0), c + QPointF(-1.5, 4), c + QPointF(5, -4)}));
    }
    return image;
}

} // namespace

void MakeWizardSkin(const OutputFolder& out) {
    const QString folder = QStringLiteral("GraphicRes/Wizard/");
    const QImage themePage = DrawThemePage();
    const QImage layoutPage = DrawLayoutPage();
    out.Jpeg(folder + QStringLiteral("Panel01.jpg"), themePage, 94);
    out.Jpeg(folder + QStringLiteral("Panel02.jpg"), layoutPage, 94);

    const ButtonState states[3] = {ButtonState::Normal, ButtonState::OnMouse, ButtonState::OnClick};
    for (ButtonState s : states) {
        out.Jpeg(folder + QStringLiteral("Exit") + StateSuffix(s),
                 DrawLabelButton(layoutPage, ExitPlace, QStringLiteral("Exit"), s), 95);
        out.Jpeg(folder + QStringLiteral("Next") + StateSuffix(s),
                 DrawLabelButton(layoutPage, NextPlace, QStringLiteral("Next >"), s), 95);
        if (s != ButtonState::OnClick) // Back shows no pressed picture
            out.Jpeg(folder + QStringLiteral("Back") + StateSuffix(s),
                     DrawLabelButton(layoutPage, BackPlace, QStringLiteral("< Back"), s), 95);
        out.Jpeg(folder + QStringLiteral("Hor") + StateSuffix(s),
                 DrawLayoutPicture(layoutPage, HorPlace, true, s), 94);
        out.Jpeg(folder + QStringLiteral("Ver") + StateSuffix(s),
                 DrawLayoutPicture(layoutPage, VerPlace, false, s), 94);
    }

    auto n = [](int v) { return QString::number(v); };
    out.Lines(folder + QStringLiteral("Wizard.ini"),
              {n(ExitPlace.top()), n(ExitPlace.left()), n(NextPlace.top()), n(NextPlace.left()),
               n(BackPlace.top()), n(BackPlace.left()), n(PreviewPlace.top()),
               n(PreviewPlace.left()), n(ListPlace.top()), n(ListPlace.left()),
               n(ListPlace.height()), n(ListPlace.width()), n(HorPlace.top()), n(HorPlace.left()),
               n(VerPlace.top()), n(VerPlace.left())});
}
