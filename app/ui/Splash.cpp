#include "app/ui/Splash.h"

#include "app/ui/ShapedForm.h"
#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "platform/ProgramFolder.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {
// The corner colour of the built-in picture; no pixel of the figure has it.
const QColor SplashBackground(255, 0, 255);
} // namespace

QImage BuiltInSplashPicture() {
    QImage image(TSplash::SplashWidth, TSplash::SplashHeight, QImage::Format_RGB32);
    image.fill(SplashBackground);
    QPainter p(&image);
    // The outline is drawn without smoothing so its edge has no blend with the corner colour.
    const QRect book(18, 14, 339, 227);
    QPainterPath outline;
    outline.addRoundedRect(book, 18, 18);
    QLinearGradient leather(book.topLeft(), book.bottomRight());
    leather.setColorAt(0, QColor(122, 38, 30));
    leather.setColorAt(1, QColor(64, 16, 14));
    p.fillPath(outline, leather);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Spine, gilt frame and a photo window.
    p.fillRect(QRect(book.left() + 10, book.top() + 4, 16, book.height() - 8), QColor(48, 12, 10));
    p.setPen(QPen(QColor(214, 176, 92), 2));
    p.drawRoundedRect(book.adjusted(40, 14, -16, -14), 10, 10);
    const QRect photo(book.left() + 70, book.top() + 36, 112, 84);
    p.fillRect(photo.adjusted(-5, -5, 5, 5), QColor(246, 240, 226));
    QLinearGradient sky(photo.topLeft(), photo.bottomLeft());
    sky.setColorAt(0, QColor(248, 170, 90));
    sky.setColorAt(0.6, QColor(220, 92, 84));
    sky.setColorAt(1, QColor(40, 60, 110));
    p.fillRect(photo, sky);
    p.setBrush(QColor(255, 226, 140));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(photo.center().x(), photo.top() + 52), 16, 16);
    p.fillRect(QRect(photo.left(), photo.top() + 60, photo.width(), 24), QColor(36, 56, 104));
    // Title.
    p.setPen(QColor(236, 206, 128));
    QFont title = QGuiApplication::font();
    title.setPointSize(18);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(book.left() + 188, book.top() + 40, 134, 36), Qt::AlignCenter,
               QStringLiteral("The Krel"));
    QFont sub = QGuiApplication::font();
    sub.setPointSize(11);
    sub.setItalic(true);
    p.setFont(sub);
    p.drawText(QRect(book.left() + 188, book.top() + 78, 134, 24), Qt::AlignCenter,
               QStringLiteral("Digital album"));
    QFont small = QGuiApplication::font();
    small.setPointSize(8);
    p.setFont(small);
    p.setPen(QColor(214, 176, 92));
    p.drawText(QRect(book.left() + 40, book.bottom() - 58, book.width() - 56, 20), Qt::AlignCenter,
               QStringLiteral("Please wait ..."));
    return image;
}

QImage SplashPicture(const QString& programFolder) {
    try {
        return LoadPicture(ResourcePath(programFolder, QStringLiteral("GraphicRes\\Splash.bmp")));
    } catch (const PictureError&) {
        return BuiltInSplashPicture();
    }
}

TSplash::TSplash(const QImage& picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    resize(SplashWidth, SplashHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    dxfShapedForm1 = new TdxfShapedForm(this);
    dxfShapedForm1->SetPicture(picture.isNull() ? BuiltInSplashPicture() : picture);
    dxfShapedForm1->SetCaptionColor(Qt::black);
    dxfShapedForm1->SetAlwaysMove(true);
    dxfShapedForm1->SetActive(true);
    show();
}

void TSplash::showEvent(QShowEvent* event) {
    dxfShapedForm1->setGeometry(0, 0, SplashWidth, SplashHeight);
    QWidget::showEvent(event);
}
