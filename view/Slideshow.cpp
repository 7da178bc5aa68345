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
    intervalSeconds_ = intervalSeconds;
    Timer2.stop();
    if (intervalSeconds > 0) {
        // A huge interval waits as long as the timer can, rather than overflowing.
        const qint64 ms = qint64(intervalSeconds) * MillisecondsPerSecond;
        Timer2.setInterval(int(std::min<qint64>(ms, std::numeric_limits<int>::max())));
    }
    running_ = true;
    StartTimer();
    emit RunningChanged(true);
}

void Slideshow::StartTimer() {
    if (running_ && intervalSeconds_ > 0 && holds_ == 0)
        Timer2.start();
}

void Slideshow::Hold() {
    ++holds_;
    Timer2.stop();
}

void Slideshow::Release() {
    if (holds_ == 0)
        return;
    if (--holds_ == 0)
        StartTimer();
}

void Slideshow::Stop() {
    Timer2.stop();
    if (!running_)
        return;
    running_ = false;
    emit RunningChanged(false);
}

void Slideshow::Slide() {
    if (holds_ > 0)
        return;
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
