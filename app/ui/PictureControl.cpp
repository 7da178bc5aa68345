#include "app/ui/PictureControl.h"

#include "platform/PictureIO.h"

#include <QMouseEvent>
#include <QPixmap>

PictureControl::PictureControl(QWidget* parent, bool autoSize)
    : QLabel(parent), autoSize_(autoSize) {
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureControl::Load(const QString& path) {
    QImage picture = LoadPicture(path);
    if (autoSize_ && maximum_.isValid() &&
        (picture.width() > maximum_.width() || picture.height() > maximum_.height()))
        picture = picture.scaled(maximum_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    path_ = path;
    setWordWrap(false);
    setFrameStyle(QFrame::NoFrame);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPixmap(QPixmap::fromImage(picture));
    if (autoSize_)
        resize(picture.size());
}

void PictureControl::ShowText(const QString& text, QSize size) {
    path_.clear();
    setWordWrap(true);
    setFrameStyle(QFrame::Box);
    setAlignment(Qt::AlignCenter);
    setText(text);
    resize(size);
}

void PictureControl::SetFixedSize(QSize size) {
    autoSize_ = false;
    resize(size);
}

void PictureControl::mouseMoveEvent(QMouseEvent* event) {
    if (OnMove)
        OnMove(event);
}

void PictureControl::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    if (OnPress)
        OnPress(event);
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event) {
    // The click comes first, as with the platform's picture controls: a button's release picture
    // is loaded after the window it opened has closed again.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && OnClick)
        OnClick();
    if (OnRelease)
        OnRelease(event);
}
