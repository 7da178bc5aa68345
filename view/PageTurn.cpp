#include "view/PageTurn.h"

#include "platform/DeviceGrid.h"

#include <QPainter>

PageTurn::PageTurn(TAlbum& album) : album_(album) {}

void PageTurn::Start(bool forward, int leftWidth, int rightWidth) {
    const QSize page = LogicalSize(album_.LeftPage.size(), album_.PixelRatio);
    album_.TurnProgress = TRect{0, 0, page.width(), page.height()};
    forward_ = forward;
    leftWidth_ = leftWidth;
    rightWidth_ = rightWidth;
    running_ = true;
}

PageTurn::TickResult PageTurn::Tick() {
    if (!running_)
        return {};
    const TickResult result = forward_ ? TickForward() : TickBackward();
    if (result.Last)
        running_ = false;
    return result;
}

PageTurn::TickResult PageTurn::TickForward() {
    TRect& p = album_.TurnProgress;
    TickResult result;
    if (p.Right >= 0 && p.Left == 0) {
        // The old right page folds onto the spine over the new right page.
        if (p.Right - StepPixels <= 0)
            p.Right = 0;
        Compose(album_.RightPage, album_.TurnRight, 0, p.Right);
        result.Shown = Side::Right;
        p.Right -= StepPixels;
    } else {
        // The new left page unfolds from the spine over the old left page.
        result.Last = p.Left <= 0;
        if (p.Left - StepPixels <= 0)
            p.Left = 0;
        Compose(album_.SavedLeft, album_.TurnLeft, p.Left, p.Right);
        result.Shown = Side::Left;
        p.Left -= StepPixels;
    }
    if (p.Right <= 0)
        p.Left = p.Right = leftWidth_;
    return result;
}

PageTurn::TickResult PageTurn::TickBackward() {
    TRect& p = album_.TurnProgress;
    TickResult result;
    if (p.Right > 0 && p.Left >= 0) {
        // The old left page folds onto the spine over the new left page.
        if (p.Left + StepPixels >= leftWidth_)
            p.Left = leftWidth_;
        Compose(album_.LeftPage, album_.TurnLeft, p.Left, p.Right);
        result.Shown = Side::Left;
        p.Left += StepPixels;
    } else {
        // The new right page unfolds from the spine over the old right page.
        if (p.Right + StepPixels > rightWidth_)
            p.Right = rightWidth_;
        Compose(album_.SavedRight, album_.TurnRight, p.Left, p.Right);
        result.Shown = Side::Right;
        p.Right += StepPixels;
        result.Last = p.Right >= rightWidth_;
    }
    if (p.Left >= leftWidth_) {
        p.Left = -1;
        p.Right = 0;
    }
    return result;
}

void PageTurn::Compose(const QImage& background, const QImage& image, int left, int right) {
    QImage& buffer = album_.TurnBuffer;
    if (buffer.isNull())
        return;
    QPainter painter(&buffer);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, background);
    // The progress is kept in logical pixels, so a turn takes as many ticks at every ratio.
    const int deviceLeft = DevicePx(left, album_.PixelRatio);
    const int deviceRight = DevicePx(right, album_.PixelRatio);
    if (deviceRight > deviceLeft)
        painter.drawImage(QRect(deviceLeft, 0, deviceRight - deviceLeft, buffer.height()), image);
}
