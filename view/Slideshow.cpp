#include "view/Slideshow.h"

#include "view/AlbumBook.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int MillisecondsPerSecond = 1000;
} // namespace

Slideshow::Slideshow(AlbumBook& book, QObject* parent) : QObject(parent), book_(book) {
    connect(&Timer2, &QTimer::timeout, this, &Slideshow::Slide);
}

void Slideshow::Start(bool forward, int intervalSeconds) {
    forward_ = forward;
    Timer2.stop();
    if (intervalSeconds > 0) {
        // A huge interval waits as long as the timer can, rather than overflowing.
        const qint64 ms = qint64(intervalSeconds) * MillisecondsPerSecond;
        Timer2.setInterval(int(std::min<qint64>(ms, std::numeric_limits<int>::max())));
        Timer2.start();
    }
    running_ = true;
    emit RunningChanged(true);
}

void Slideshow::Stop() {
    Timer2.stop();
    if (!running_)
        return;
    running_ = false;
    emit RunningChanged(false);
}

void Slideshow::Slide() {
    AlbumSession& session = book_.Session();
    if (forward_) {
        book_.NextPage();
        if (session.CurrentSpread == session.Album.SpreadCount + 1)
            Stop();
    } else {
        book_.PreviousPage();
        // The show ends on the front cover, and the spread stays the one the screen shows.
        if (session.CurrentSpread == 0)
            Stop();
    }
}
