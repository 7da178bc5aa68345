#include "Ornaments.h"

#include "Paint.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

void DrawCornerFlourish(QPainter& p, QPointF corner, double size, double sx, double sy,
                        const QColor& colour, double width) {
    p.save();
    p.translate(corner);
    p.scale(sx * size, sy * size);
    QPainterPath path;
    // Two arms along the edges that curl inward, and a small leaf on the diagonal.
    path.moveTo(1.0, 0.0);
    path.lineTo(0.15, 0.0);
    path.cubicTo(0.0, 0.0, 0.0, 0.0, 0.0, 0.15);
    path.lineTo(0.0, 1.0);
    path.moveTo(0.7, 0.0);
    path.cubicTo(0.55, 0.25, 0.3, 0.2, 0.3, 0.3);
    path.cubicTo(0.2, 0.3, 0.25, 0.55, 0.0, 0.7);
    path.moveTo(0.3, 0.3);
    path.cubicTo(0.42, 0.3, 0.5, 0.38, 0.45, 0.45);
    path.cubicTo(0.38, 0.5, 0.3, 0.42, 0.3, 0.3);
    QPen pen(colour, width / size);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(0.42, 0.42), 0.05, 0.05);
    p.restore();
}

void DrawFleuron(QPainter& p, QPointF centre, double size, const QColor& colour) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPainterPath diamond;
    diamond.moveTo(centre + QPointF(0, -size * 0.18));
    diamond.lineTo(centre + QPointF(size * 0.12, 0));
    diamond.lineTo(centre + QPointF(0, size * 0.18));
    diamond.lineTo(centre + QPointF(-size * 0.12, 0));
    diamond.closeSubpath();
    p.drawPath(diamond);
    for (double side : {-1.0, 1.0}) {
        QPainterPath line;
        line.moveTo(centre + QPointF(side * size * 0.18, 0));
        line.lineTo(centre + QPointF(side * size, -size * 0.015));
        line.lineTo(centre + QPointF(side * size, size * 0.015));
        line.closeSubpath();
        p.drawPath(line);
        p.drawEllipse(centre + QPointF(side * size * 0.28, 0), size * 0.04, size * 0.04);
    }
    p.restore();
}

void DrawDoubleRule(QPainter& p, const QRectF& rect, double gap, const QColor& colour,
                    double width) {
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width));
    p.drawRect(rect);
    p.setPen(QPen(colour, width * 0.5));
    p.drawRect(rect.adjusted(gap, gap, -gap, -gap));
    p.restore();
}

void DrawTitlePlate(QPainter& p, const QRectF& rect, const PlateLook& look, const QString& title,
                    const QString& subtitle) {
    p.save();
    DrawSoftShadow(p, rect.translated(0, rect.height() * 0.03), rect.height() * 0.08,
                   rect.height() * 0.06, 110);
    QRadialGradient fill(rect.center(), rect.width() * 0.6);
    fill.setColorAt(0, look.fill);
    fill.setColorAt(1, look.fillEdge);
    p.setBrush(fill);
    p.setPen(QPen(look.border, rect.height() * 0.03));
    p.drawRoundedRect(rect, rect.height() * 0.08, rect.height() * 0.08);
    p.setPen(QPen(look.border, rect.height() * 0.01));
    p.setBrush(Qt::NoBrush);
    const double inset = rect.height() * 0.07;
    p.drawRoundedRect(rect.adjusted(inset, inset, -inset, -inset), rect.height() * 0.05,
                      rect.height() * 0.05);
    const bool two = !subtitle.isEmpty();
    const QRectF titleBox(rect.left(), rect.top() + rect.height() * (two ? 0.14 : 0.2),
                          rect.width(), rect.height() * (two ? 0.46 : 0.6));
    DrawCentredText(p, titleBox, title, TitleFont(rect.height() * 0.28), look.title);
    if (two) {
        DrawCentredText(p,
                        QRectF(rect.left(), rect.top() + rect.height() * 0.58, rect.width(),
                               rect.height() * 0.26),
                        subtitle, TitleFont(rect.height() * 0.13, false, true), look.subtitle);
    }
    p.restore();
}

void DrawCompassRose(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    p.save();
    p.translate(centre);
    p.setPen(QPen(colour, radius * 0.02));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), radius * 0.62, radius * 0.62);
    p.drawEllipse(QPointF(0, 0), radius * 0.55, radius * 0.55);
    for (int i = 0; i < 8; ++i) {
        const double len = i % 2 == 0 ? radius : radius * 0.6;
        p.save();
        p.rotate(i * 45);
        QPainterPath point;
        point.moveTo(0, -len);
        point.lineTo(radius * 0.1, 0);
        point.lineTo(0, 0);
        point.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(point);
        QPainterPath other;
        other.moveTo(0, -len);
        other.lineTo(-radius * 0.1, 0);
        other.lineTo(0, 0);
        other.closeSubpath();
        p.setBrush(WithAlpha(colour, colour.alpha() / 2));
        p.drawPath(other);
        p.restore();
    }
    p.restore();
}
