#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

// A curl in a corner: `corner` is the corner point, (sx, sy) = (+1 or -1) point into the page.
void DrawCornerFlourish(QPainter& p, QPointF corner, double size, double sx, double sy,
                        const QColor& colour, double width);

// A small centred ornament: a diamond between two tapered lines.
void DrawFleuron(QPainter& p, QPointF centre, double size, const QColor& colour);

// Two parallel rules around rect, the inner one gap inside and thinner.
void DrawDoubleRule(QPainter& p, const QRectF& rect, double gap, const QColor& colour,
                    double width);

// A title label of a cover: a plate with a border and one or two lines of text.
struct PlateLook {
    QColor fill;
    QColor fillEdge; // the plate's gradient runs from fill in the middle to this at its edges
    QColor border;
    QColor title;
    QColor subtitle;
};
void DrawTitlePlate(QPainter& p, const QRectF& rect, const PlateLook& look, const QString& title,
                    const QString& subtitle);

// A compass rose of eight points.
void DrawCompassRose(QPainter& p, QPointF centre, double radius, const QColor& colour);
