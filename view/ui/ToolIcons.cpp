#include "view/ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Ink(235, 235, 235);
const QColor Accent(120, 200, 255);
const QColor Warn(255, 110, 90);
const QColor Good(130, 220, 130);

// Everything is drawn on a 32 x 32 grid and scaled to the button's size.
constexpr qreal Grid = 32.0;

void Photo(QPainter& p, const QRectF& r) {
    p.setPen(QPen(Ink, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    // A mountain and a sun inside the frame.
    QPainterPath hill;
    hill.moveTo(r.left() + 2, r.bottom() - 2);
    hill.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45);
    hill.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.7);
    hill.lineTo(r.left() + r.width() * 0.75, r.top() + r.height() * 0.55);
    hill.lineTo(r.right() - 2, r.bottom() - 2);
    p.setPen(QPen(Ink, 1.4));
    p.drawPath(hill);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(r.right() - r.width() * 0.25, r.top() + r.height() * 0.28), 1.8, 1.8);
}

void Plus(QPainter& p, QPointF c, QColor colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c, 6.5, 6.5);
    p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-3.5, 0), c + QPointF(3.5, 0));
    p.drawLine(c + QPointF(0, -3.5), c + QPointF(0, 3.5));
}

void Folder(QPainter& p) {
    QPainterPath path;
    path.moveTo(4, 9);
    path.lineTo(12, 9);
    path.lineTo(14, 12);
    path.lineTo(27, 12);
    path.lineTo(27, 25);
    path.lineTo(4, 25);
    path.closeSubpath();
    p.setPen(QPen(Ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(230, 190, 90));
    p.drawPath(path);
}

void Trash(QPainter& p) {
    p.setPen(QPen(Warn, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(8, 9), QPointF(24, 9));
    p.drawLine(QPointF(13, 9), QPointF(14, 6));
    p.drawLine(QPointF(14, 6), QPointF(18, 6));
    p.drawLine(QPointF(18, 6), QPointF(19, 9));
    QPainterPath can;
    can.moveTo(10, 11);
    can.lineTo(11.5, 26);
    can.lineTo(20.5, 26);
    can.lineTo(22, 11);
    p.drawPath(can);
    for (qreal x : {13.5, 16.0, 18.5})
        p.drawLine(QPointF(x, 14), QPointF(x, 23));
}

void Disk(QPainter& p, const QRectF& r) {
    p.setPen(QPen(Ink, 1.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(70, 110, 190));
    QPainterPath body;
    body.moveTo(r.topLeft());
    body.lineTo(r.right() - 4, r.top());
    body.lineTo(r.right(), r.top() + 4);
    body.lineTo(r.bottomRight());
    body.lineTo(r.bottomLeft());
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Ink);
    p.drawRect(QRectF(r.left() + 4, r.top(), r.width() - 10, r.height() * 0.32));
    p.setBrush(QColor(240, 240, 240));
    p.drawRect(
        QRectF(r.left() + 3, r.top() + r.height() * 0.55, r.width() - 6, r.height() * 0.45 - 1));
}

void Arrow(QPainter& p, bool right, QColor colour) {
    QPainterPath path;
    if (right) {
        path.moveTo(10, 6);
        path.lineTo(24, 16);
        path.lineTo(10, 26);
    } else {
        path.moveTo(22, 6);
        path.lineTo(8, 16);
        path.lineTo(22, 26);
    }
    path.closeSubpath();
    p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(path);
}

void Draw(QPainter& p, ToolIcon icon) {
    switch (icon) {
    case ToolIcon::AddPictures:
        Photo(p, QRectF(4, 6, 20, 16));
        Plus(p, QPointF(24, 23), Good);
        break;
    case ToolIcon::AddFolder:
        Folder(p);
        Plus(p, QPointF(24, 23), Good);
        break;
    case ToolIcon::DeleteAll:
        Trash(p);
        break;
    case ToolIcon::SaveAsPicture:
        Photo(p, QRectF(3, 4, 20, 16));
        // An arrow down into a tray: the page written out as a picture.
        p.setPen(QPen(Accent, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(23, 14), QPointF(23, 26));
        p.drawLine(QPointF(19, 22), QPointF(23, 26));
        p.drawLine(QPointF(27, 22), QPointF(23, 26));
        break;
    case ToolIcon::Print:
        p.setPen(QPen(Ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(QRectF(10, 4, 12, 8));
        p.setBrush(QColor(110, 110, 120));
        p.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(QRectF(10, 19, 12, 9));
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.drawLine(QPointF(12, 23), QPointF(20, 23));
        p.drawLine(QPointF(12, 25.5), QPointF(20, 25.5));
        break;
    case ToolIcon::SaveAlbum:
        Disk(p, QRectF(5, 5, 22, 22));
        break;
    case ToolIcon::Exit:
        // An open door with an arrow leaving it.
        p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(15, 9), QPointF(15, 5), QPointF(5, 5), QPointF(5, 27),
                                  QPointF(15, 27), QPointF(15, 23)}));
        p.setPen(QPen(Warn, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(11, 16), QPointF(27, 16));
        p.drawLine(QPointF(22, 11), QPointF(27, 16));
        p.drawLine(QPointF(22, 21), QPointF(27, 16));
        break;
    case ToolIcon::NextPage:
        Arrow(p, true, Ink);
        break;
    case ToolIcon::PreviousPage:
        Arrow(p, false, Ink);
        break;
    case ToolIcon::StartSlideshow:
        p.setPen(QPen(Good, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 12, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(Good);
        p.drawPolygon(QPolygonF({QPointF(13, 10), QPointF(22, 16), QPointF(13, 22)}));
        break;
    case ToolIcon::StopSlideshow:
        p.setPen(QPen(Warn, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 12, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(Warn);
        p.drawRect(QRectF(11.5, 11.5, 9, 9));
        break;
    case ToolIcon::ToContent:
        // A grid of thumbnails.
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(6 + col * 7.5, 6 + row * 7.5, 5.5, 5.5));
        break;
    }
}

} // namespace

QIcon MakeToolIcon(ToolIcon icon, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / Grid, size / Grid);
    Draw(p, icon);
    p.end();
    return QIcon(pixmap);
}
