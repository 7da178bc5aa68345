#pragma once

#include "album/Album.h"
#include "view/PageRenderer.h"
#include "view/PageTurn.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <optional>

class QPainter;

// The open book of the album view without its window: the page images and what the screen shows
// of them, page turns with their animation, the jumps, and which picture lies under a point.
// The window forwards its events here and repaints when the screen changes; tests step it.
class AlbumBook : public QObject {
    Q_OBJECT
public:
    explicit AlbumBook(AlbumSession& session, QObject* parent = nullptr);

    // Makes the seven page images the size of LeftPageRect (which the caller has set) at a pixel
    // ratio, and sets the drawing state every page starts with.
    void CreatePages(double ratio = 1.0);
    // Draws the book at another pixel ratio (the window moved to another screen): the page images
    // are made anew and the spread drawn again; a running turn ends at once.
    void SetPixelRatio(double ratio);

    // Called when a page turn starts (the page-turn sound).
    std::function<void()> TurnSound;

    // Forward and backward page turns. Refused (false: no sound, nothing changes) at the ends of
    // the album and while a turn runs.
    bool NextPage();
    bool PreviousPage();
    [[nodiscard]] bool Turning() const { return turn_.Running(); }

    // The user's browsing steps (keys, wheel, page buttons). Next and Previous turn one page;
    // First and Last go to the front and back cover, turning the page when it is one step away
    // and jumping there without animation or sound when it is further. A step asked for while a
    // turn runs is kept, one at most (the latest), and taken when the turn ends.
    enum class Step { Next, Previous, First, Last };
    void Go(Step step);
    [[nodiscard]] std::optional<Step> PendingStep() const { return pending_; }
    // One animation tick (Timer1Timer). The timer runs every PageTurn::TickMs and makes up the
    // ticks it was late for.
    void Tick();

    // Straight to the first contents spread, without animation or sound; a running turn stops.
    void ToContent();
    // A left click at a window point on a contents spread: the spread of the picture whose cell
    // holds the point is shown. False when the point is in no cell.
    bool ContentsJump(QPoint point);
    // The picture whose frame holds a window point on a picture spread, if it exists, with that
    // frame in window coordinates.
    struct PictureHit {
        int Entry = 0;
        TRect Frame;
    };
    [[nodiscard]] std::optional<PictureHit> PictureHitAt(QPoint point) const;
    [[nodiscard]] std::optional<int> PictureAt(QPoint point) const;

    // DrawFon followed by DrawPage: renders CurrentSpread and shows it.
    void Redraw();
    // DrawFon alone.
    void DrawFon() { Renderer.DrawFon(session_); }
    // DrawPage: the screen shows the two page images.
    void ShowPages();

    // What the window shows on the left and right page rectangles.
    [[nodiscard]] const QImage& ShownLeft() const { return Image(shownLeft_); }
    [[nodiscard]] const QImage& ShownRight() const { return Image(shownRight_); }
    // Draws what the screen shows at the page rectangles (the window's paint); a page that does
    // not meet dirty (when given, in logical pixels) is left out. The painter's device has the
    // album's pixel ratio: a window on that screen, or an image of the screen's device size.
    void Paint(QPainter& painter, const QRect& dirty = {}) const;

    [[nodiscard]] AlbumSession& Session() { return session_; }
    [[nodiscard]] const QTimer& TurnTimer() const { return Timer1; }

    PageRenderer Renderer;

signals:
    // The screen shows something new; rect is the window area to repaint.
    void ScreenChanged(QRect rect);

private:
    enum class Shown {
        LeftPage,
        RightPage,
        TurnLeft,
        TurnRight,
        SavedLeft,
        SavedRight,
        TurnBuffer
    };
    [[nodiscard]] const QImage& Image(Shown which) const;
    void StartTurn(bool forward);
    void TimerTick();
    void StopTurn();
    void EmitScreen();
    void TakeStep(Step step);
    void JumpTo(int spread);

    AlbumSession& session_;
    PageTurn turn_;
    QTimer Timer1;
    QElapsedTimer turnClock_;
    qint64 ticksDone_ = 0;
    quint64 turnSerial_ = 0; // counts started turns, so a tick loop sees a new turn begin
    std::optional<Step> pending_;
    Shown shownLeft_ = Shown::LeftPage;
    Shown shownRight_ = Shown::RightPage;
};

// Strictly inside: the rectangle's edges do not count.
[[nodiscard]] bool StrictlyInside(const TRect& r, QPoint p);
// r moved by the top left corner of a page rectangle.
[[nodiscard]] TRect OnScreen(const TRect& r, const TRect& page);
