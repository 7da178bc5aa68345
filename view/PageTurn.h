#pragma once

#include "album/Album.h"

// The page-turn animation. A turn squeezes page images toward the spine, StepPixels a tick: a
// forward turn folds the old right page onto the spine, then unfolds the new left page from it; a
// backward turn folds the old left page, then unfolds the new right page. Each tick composes the
// album's TurnBuffer from the copies TurnLeft, TurnRight, SavedLeft, SavedRight and the new page
// images, and says on which page rectangle the buffer is to be shown. TurnProgress keeps the
// widths reached so far in its Left and Right, in logical pixels: at every pixel ratio a turn
// takes the same ticks and so the same time, and only its images have more pixels.
class PageTurn {
public:
    static constexpr int StepPixels = 15;
    // The old platform ran the animation's 1 ms timer at about 15.6 ms a tick; a steady 16 ms
    // tick keeps the turn's visible length (about 0.75 s on a 333 pixel page).
    static constexpr int TickMs = 16;

    enum class Side { Left, Right };
    struct TickResult {
        Side Shown = Side::Left; // where TurnBuffer is to be shown
        bool Last = false;       // the turn ended with this tick
    };

    explicit PageTurn(TAlbum& album);

    // Begins a turn; the caller has made the copies and rendered the new spread.
    // leftWidth and rightWidth are the widths of LeftPageRect and RightPageRect.
    void Start(bool forward, int leftWidth, int rightWidth);
    // One animation tick. Does nothing when no turn runs.
    TickResult Tick();
    // Ends a turn at once (a jump to another spread while turning).
    void Cancel() { running_ = false; }

    [[nodiscard]] bool Running() const { return running_; }
    [[nodiscard]] bool TurnForward() const { return forward_; }

private:
    TickResult TickForward();
    TickResult TickBackward();
    // TurnBuffer := background, then image stretched into (left, 0, right, H).
    void Compose(const QImage& background, const QImage& image, int left, int right);

    TAlbum& album_;
    bool running_ = false;
    bool forward_ = false;
    int leftWidth_ = 0;
    int rightWidth_ = 0;
};
