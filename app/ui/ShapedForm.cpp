#include "app/ui/ShapedForm.h"

#include "app/ShapedRegion.h"

#include <QMouseEvent>
#include <QPixmap>
#include <QWindow>

namespace {
constexpr int DefaultSide = 105;

// Changing a window's flags hides it; a shown window is shown again.
void SetFlagsKeepingVisible(QWidget* form, Qt::WindowFlags flags) {
    const bool visible = form->isVisible();
    form->setWindowFlags(flags);
    if (visible)
        form->show();
}
} // namespace

TdxfShapedForm::TdxfShapedForm(QWidget* owner) : QLabel(owner) {
    resize(DefaultSide, DefaultSide);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    savedFlags_ = window()->windowFlags();
}

void TdxfShapedForm::SetPicture(const QImage& picture) {
    picture_ = picture;
    setPixmap(QPixmap::fromImage(picture));
    if (!picture.isNull())
        resize(picture.size()); // auto-size
    if (active_)
        ApplyRegion();
}

void TdxfShapedForm::SetActive(bool active) {
    active_ = active;
    if (active)
        ApplyRegion();
    else
        RemoveRegion();
}

void TdxfShapedForm::ApplyRegion() {
    QWidget* form = window();
    savedFlags_ = form->windowFlags();
    if (picture_.isNull())
        return;
    if (!(savedFlags_ & Qt::FramelessWindowHint))
        SetFlagsKeepingVisible(form, savedFlags_ | Qt::FramelessWindowHint);
    const QRegion region = PictureRegion(picture_, mapTo(form, QPoint(0, 0)));
    if (region.isEmpty())
        form->clearMask(); // nothing differs from the corner colour: the window shows whole
    else
        form->setMask(region);
}

void TdxfShapedForm::RemoveRegion() {
    QWidget* form = window();
    form->clearMask();
    if (form->windowFlags() != savedFlags_)
        SetFlagsKeepingVisible(form, savedFlags_);
}

bool TdxfShapedForm::PressMoves(QPoint pos) const {
    if (!active_)
        return false;
    if (alwaysMove_)
        return true;
    if (!picture_.valid(pos))
        return false;
    return QColor(picture_.pixel(pos)).rgb() == captionColor_.rgb();
}

void TdxfShapedForm::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !PressMoves(event->position().toPoint()))
        return;
    QWindow* handle = window()->windowHandle();
    if (!handle || !handle->startSystemMove())
        dragGrip_ = event->globalPosition().toPoint() - window()->pos();
    emit MoveStarted();
}

void TdxfShapedForm::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    if (dragGrip_ && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - *dragGrip_);
}

void TdxfShapedForm::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        dragGrip_.reset();
}
