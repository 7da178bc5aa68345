#include "Style.h"

#include "Paint.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

QString StateSuffix(ButtonState state) {
    switch (state) {
    case ButtonState::Normal:
        return QStringLiteral(" Normal.jpg");
    case ButtonState::OnMouse:
        return QStringLiteral(" OnMouse.jpg");
    case ButtonState::OnClick:
        return QStringLiteral(" OnClick.jpg");
    }
    return {};
}

QImage DrawLabelButton(const QImage& background, const QRect& place, const QString& label,
                       ButtonState state) {
    QImage image = background.copy(place).convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    Smooth(p);
    const QRectF body = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = std::min(6.0, body.height() / 3.0);

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    QColor border, text, textShadow;
    QPointF shift(0, 0);
    switch (state) {
    case ButtonState::Normal:
        fill.setColorAt(0, Style::NightLight);
        fill.setColorAt(1, Style::Night);
        border = Style::GoldDark;
        text = Style::Cream;
        textShadow = QColor(0, 0, 0, 160);
        break;
    case ButtonState::OnMouse:
        fill.setColorAt(0, Shade(Style::NightLight, 1.35));
        fill.setColorAt(1, Shade(Style::NightLight, 1.05));
        border = Style::GoldLight;
        text = Style::GoldLight;
        textShadow = QColor(0, 0, 0, 190);
        break;
    case ButtonState::OnClick:
        fill.setColorAt(0, Style::GoldDark);
        fill.setColorAt(0.5, Style::Gold);
        fill.setColorAt(1, Style::GoldLight);
        border = Style::GoldLight;
        text = Style::Ink;
        shift = QPointF(0, 1);
        break;
    }
    p.setPen(QPen(border, state == ButtonState::Normal ? 1.0 : 1.4));
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);
    if (state != ButtonState::OnClick) {
        // A thin highlight along the top edge makes the button stand up from the panel.
        p.setPen(QPen(QColor(255, 255, 255, state == ButtonState::OnMouse ? 70 : 40), 1));
        p.drawLine(QPointF(body.left() + radius, body.top() + 1.5),
                   QPointF(body.right() - radius, body.top() + 1.5));
    } else {
        p.setPen(QPen(QColor(0, 0, 0, 70), 1));
        p.drawLine(QPointF(body.left() + radius, body.top() + 1.5),
                   QPointF(body.right() - radius, body.top() + 1.5));
    }
    // The largest label size up to 13 pixels that leaves a margin on both sides.
    double textSize = std::clamp(body.height() * 0.5, 9.0, 13.0);
    while (textSize > 8 &&
           QFontMetricsF(LabelFont(textSize)).horizontalAdvance(label) > body.width() - 10)
        textSize -= 0.5;
    DrawCentredText(p, QRectF(image.rect()).translated(shift), label, LabelFont(textSize), text,
                    textShadow);
    return image;
}

QImage DrawCaptionButton(const QImage& background, const QRect& place, CaptionGlyph glyph,
                         ButtonState state) {
    QImage image = background.copy(place).convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    Smooth(p);
    const QRectF body = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QColor glyphColour = Style::CreamDark;
    if (state != ButtonState::Normal) {
        const bool close = glyph == CaptionGlyph::Close;
        QColor fill = close ? Style::Alert : Style::NightLight;
        if (state == ButtonState::OnClick)
            fill = close ? Shade(Style::Alert, 0.75) : Style::Gold;
        else if (!close)
            fill = Shade(fill, 1.3);
        p.setPen(QPen(state == ButtonState::OnClick ? Style::GoldLight : Style::Gold, 1));
        p.setBrush(fill);
        p.drawRoundedRect(body, 4, 4);
        glyphColour = (state == ButtonState::OnClick && !close) ? Style::Ink : Qt::white;
    }
    p.setPen(QPen(glyphColour, 2.0, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = body.center() + (state == ButtonState::OnClick ? QPointF(0, 1) : QPointF());
    if (glyph == CaptionGlyph::Close) {
        p.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
        p.drawLine(c + QPointF(-4.5, 4.5), c + QPointF(4.5, -4.5));
    } else {
        p.drawLine(c + QPointF(-5, 4), c + QPointF(5, 4));
    }
    return image;
}
