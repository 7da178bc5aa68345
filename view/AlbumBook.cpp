#include "view/AlbumBook.h"

#include "platform/DeviceGrid.h"

#include <QPainter>

namespace {

// The right page drops its extra columns this far from the spine: a 24th of the page width, inside
// the margin that every layout leaves there (at least a twelfth).
constexpr int SpineMarginFraction = 24;

// Draws a page image pixel for pixel with its top left at the target's; columns beyond the
// target's width are left out from column dropAt on.
void DrawPageImage(QPainter& painter, const QImage& image, const TRect& target,
                   std::optional<int> dropAt) {
    const int extra = image.width() - target.Width();
    if (extra <= 0 || !dropAt || *dropAt + extra > image.width()) {
        // As wide as its place, or narrower (then it is not stretched: the spine covers it).
        painter.drawImage(QPoint(target.Left, target.Top), image);
        return;
    }
    const int at = *dropAt;
    painter.drawImage(QPoint(target.Left, target.Top), image, QRect(0, 0, at, image.height()));
    painter.drawImage(QPoint(target.Left + at, target.Top), image,
                      QRect(at + extra, 0, image.width() - at - extra, image.height()));
}

} // namespace

bool StrictlyInside(const TRect& r, QPoint p) {
    return p.x() > r.Left && p.x() < r.Right && p.y() > r.Top && p.y() < r.Bottom;
}

TRect OnScreen(const TRect& r, const TRect& page) {
    return TRect{r.Left + page.Left, r.Top + page.Top, r.Right + page.Left, r.Bottom + page.Top};
}

AlbumBook::AlbumBook(AlbumSession& session, QObject* parent)
    : QObject(parent), session_(session), turn_(session.Album) {
    Timer1.setInterval(PageTurn::TickMs);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &AlbumBook::TimerTick);
}

void AlbumBook::CreatePages(double ratio) {
    TAlbum& a = session_.Album;
    a.PixelRatio = BookPixelRatio(ratio);
    const QSize logical(std::max(1, a.LeftPageRect.Width()), std::max(1, a.LeftPageRect.Height()));
    const QSize size = DeviceSize(logical, a.PixelRatio);
    for (QImage* image : {&a.LeftPage, &a.RightPage, &a.TurnLeft, &a.TurnRight, &a.SavedLeft,
                          &a.SavedRight, &a.TurnBuffer}) {
        *image = QImage(size, QImage::Format_RGB32);
        image->fill(Qt::black);
    }
    Renderer.InitCanvasStates();
    shownLeft_ = Shown::LeftPage;
    shownRight_ = Shown::RightPage;
}

void AlbumBook::SetPixelRatio(double ratio) {
    if (BookPixelRatio(ratio) == session_.Album.PixelRatio)
        return;
    StopTurn();
    // The drawing state of the pages (pen, brush, font) is kept; only the images are new.
    const CanvasState left = Renderer.LeftState;
    const CanvasState right = Renderer.RightState;
    CreatePages(ratio);
    Renderer.LeftState = left;
    Renderer.RightState = right;
    Redraw();
}

const QImage& AlbumBook::Image(Shown which) const {
    const TAlbum& a = session_.Album;
    switch (which) {
    case Shown::LeftPage:
        return a.LeftPage;
    case Shown::RightPage:
        return a.RightPage;
    case Shown::TurnLeft:
        return a.TurnLeft;
    case Shown::TurnRight:
        return a.TurnRight;
    case Shown::SavedLeft:
        return a.SavedLeft;
    case Shown::SavedRight:
        return a.SavedRight;
    case Shown::TurnBuffer:
        break;
    }
    return a.TurnBuffer;
}

bool AlbumBook::NextPage() {
    if (session_.CurrentSpread >= session_.Album.SpreadCount + 1 || turn_.Running())
        return false;
    if (TurnSound)
        TurnSound();
    TAlbum& a = session_.Album;
    ++session_.CurrentSpread;
    a.TurnRight = a.RightPage.copy();
    a.SavedLeft = a.LeftPage.copy();
    DrawFon();
    a.TurnLeft = a.LeftPage.copy();
    // Until the first tick the screen still shows the old spread.
    shownLeft_ = Shown::SavedLeft;
    shownRight_ = Shown::TurnRight;
    StartTurn(true);
    return true;
}

bool AlbumBook::PreviousPage() {
    if (session_.CurrentSpread <= 0 || turn_.Running())
        return false;
    if (TurnSound)
        TurnSound();
    TAlbum& a = session_.Album;
    --session_.CurrentSpread;
    a.TurnLeft = a.LeftPage.copy();
    a.SavedRight = a.RightPage.copy();
    DrawFon();
    a.TurnRight = a.RightPage.copy();
    shownLeft_ = Shown::TurnLeft;
    shownRight_ = Shown::SavedRight;
    StartTurn(false);
    return true;
}

void AlbumBook::Go(Step step) {
    if (turn_.Running()) {
        pending_ = step;
        return;
    }
    TakeStep(step);
}

void AlbumBook::TakeStep(Step step) {
    const int s = session_.CurrentSpread;
    const int backCover = session_.Album.SpreadCount + 1;
    switch (step) {
    case Step::Next:
        NextPage();
        return;
    case Step::Previous:
        PreviousPage();
        return;
    case Step::First:
        if (s == 1)
            PreviousPage();
        else if (s > 1)
            JumpTo(0);
        return;
    case Step::Last:
        if (s == backCover - 1)
            NextPage();
        else if (s < backCover - 1)
            JumpTo(backCover);
        return;
    }
}

void AlbumBook::JumpTo(int spread) {
    StopTurn();
    session_.CurrentSpread = spread;
    Redraw();
}

void AlbumBook::StartTurn(bool forward) {
    ++turnSerial_;
    turn_.Start(forward, session_.Album.LeftPageRect.Width(), session_.Album.RightPageRect.Width());
    turnClock_.start();
    ticksDone_ = 0;
    Timer1.start();
}

void AlbumBook::TimerTick() {
    // A busy machine delivers the timer late: the ticks that fell due meanwhile are made up, so
    // the turn keeps its pace; the screen shows the last of them.
    const qint64 due = turnClock_.elapsed() / PageTurn::TickMs + 1;
    const quint64 serial = turnSerial_;
    do {
        Tick();
        if (turnSerial_ != serial)
            return; // the turn ended and a kept step began the next one on its own clock
        ++ticksDone_;
    } while (turn_.Running() && ticksDone_ < due);
}

void AlbumBook::StopTurn() {
    pending_.reset();
    turn_.Cancel();
    Timer1.stop();
}

void AlbumBook::Tick() {
    if (!turn_.Running()) {
        Timer1.stop();
        return;
    }
    const bool forward = turn_.TurnForward();
    const Shown wasLeft = shownLeft_;
    const Shown wasRight = shownRight_;
    const PageTurn::TickResult r = turn_.Tick();
    if (r.Shown == PageTurn::Side::Right) {
        shownRight_ = Shown::TurnBuffer;
        // The left side still shows what it showed before this phase.
        shownLeft_ = forward ? Shown::SavedLeft : Shown::LeftPage;
    } else {
        shownLeft_ = Shown::TurnBuffer;
        shownRight_ = forward ? Shown::RightPage : Shown::SavedRight;
    }
    if (r.Last) {
        // The turn ends on the finished spread itself.
        Timer1.stop();
        shownLeft_ = Shown::LeftPage;
        shownRight_ = Shown::RightPage;
    }
    // Only the sides whose picture changed are repainted.
    const TAlbum& a = session_.Album;
    QRect changed;
    if (shownLeft_ != wasLeft || shownLeft_ == Shown::TurnBuffer)
        changed = ToQRect(a.LeftPageRect);
    if (shownRight_ != wasRight || shownRight_ == Shown::TurnBuffer)
        changed = changed.united(ToQRect(a.RightPageRect));
    if (!changed.isEmpty())
        emit ScreenChanged(changed);
    if (r.Last && pending_) {
        const Step step = *pending_;
        pending_.reset();
        TakeStep(step);
    }
}

void AlbumBook::ToContent() {
    JumpTo(1);
}

bool AlbumBook::ContentsJump(QPoint point) {
    const TAlbum& a = session_.Album;
    const int s = session_.CurrentSpread;
    if (KindOfSpread(a, s) != SpreadKind::Contents)
        return false;
    const int first = FirstContentsEntry(s, false);
    const int last = std::min(first + EntriesPerContentsPage, int(a.Index.size()));
    std::optional<int> hit;
    for (int i = first; i < last && i < a.Count && !hit; ++i) {
        if (StrictlyInside(OnScreen(a.Index[i].CellRect, a.LeftPageRect), point))
            hit = i;
    }
    for (int i = first; i < last && !hit; ++i) {
        const int e = i + EntriesPerContentsPage;
        if (e < a.Count && StrictlyInside(OnScreen(a.Index[i].CellRect, a.RightPageRect), point))
            hit = e;
    }
    if (!hit)
        return false;
    JumpTo(a.IndexPages + *hit / (2 * a.Orientation) + 1);
    return true;
}

std::optional<int> AlbumBook::PictureAt(QPoint point) const {
    const std::optional<PictureHit> hit = PictureHitAt(point);
    return hit ? std::optional<int>(hit->Entry) : std::nullopt;
}

std::optional<AlbumBook::PictureHit> AlbumBook::PictureHitAt(QPoint point) const {
    const TAlbum& a = session_.Album;
    const FrameSlot order[] = {FrameSlot::Left1, FrameSlot::Right1, FrameSlot::Left2,
                               FrameSlot::Right2};
    const int frameCount = a.Orientation == OrientationHorizontal ? 4 : 2;
    for (int n = 0; n < frameCount; ++n) {
        const FrameSlot slot = order[n];
        const bool left = slot == FrameSlot::Left1 || slot == FrameSlot::Left2;
        const TRect frame = OnScreen(FrameRect(a, slot), left ? a.LeftPageRect : a.RightPageRect);
        if (!StrictlyInside(frame, point))
            continue;
        if (auto entry = EntryInFrame(a, session_.CurrentSpread, slot))
            return PictureHit{*entry, frame};
    }
    return std::nullopt;
}

void AlbumBook::Redraw() {
    DrawFon();
    ShowPages();
}

void AlbumBook::ShowPages() {
    shownLeft_ = Shown::LeftPage;
    shownRight_ = Shown::RightPage;
    EmitScreen();
}

void AlbumBook::Paint(QPainter& painter, const QRect& dirty) const {
    const TAlbum& a = session_.Album;
    const QRect left = ToQRect(a.LeftPageRect);
    const QRect right = ToQRect(a.RightPageRect);
    const bool drawLeft = dirty.isNull() || dirty.intersects(left);
    const bool drawRight = dirty.isNull() || dirty.intersects(right);
    if (!drawLeft && !drawRight)
        return;
    // Page images are drawn pixel for pixel in device coordinates.
    painter.save();
    const qreal deviceRatio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.setWorldTransform(QTransform::fromScale(1 / deviceRatio, 1 / deviceRatio));
    if (drawLeft)
        DrawPageImage(painter, ShownLeft(), DeviceRect(a.LeftPageRect, a.PixelRatio), {});
    // The right page image is wider than its rectangle: the extra device columns are left out
    // in the margin at the spine, where no rule, cell border or picture of any layout lies.
    if (drawRight)
        DrawPageImage(
            painter, ShownRight(), DeviceRect(a.RightPageRect, a.PixelRatio),
            DevicePx(std::max(1, a.RightPageRect.Width() / SpineMarginFraction), a.PixelRatio));
    painter.restore();
}

void AlbumBook::EmitScreen() {
    const TAlbum& a = session_.Album;
    emit ScreenChanged(ToQRect(a.LeftPageRect).united(ToQRect(a.RightPageRect)));
}
