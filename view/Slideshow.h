#pragma once

#include <QObject>
#include <QTimer>

class AlbumBook;

// The slideshow: one ordinary page turn an interval, forward to the back cover or backward to the
// front cover, where it ends by itself. The window starts it with the settings it has read and
// shows the start or stop button by Running().
class Slideshow : public QObject {
    Q_OBJECT
public:
    explicit Slideshow(AlbumBook& book, QObject* parent = nullptr);

    // Starts from the spread being shown; the first turn comes one interval later. An interval of
    // 0 or less never turns a page but counts as running until Stop.
    void Start(bool forward, int intervalSeconds);
    void Stop();
    // While anything holds the show (a question or dialog over the view) no page turns; when the
    // last hold is released a running show waits one whole interval again before its next turn.
    void Hold();
    void Release();
    // One slide (Timer2Timer): a page turn in the show's direction (refused while a turn runs or
    // at the end), then the show ends if it has reached its cover.
    void Slide();

    [[nodiscard]] bool Running() const { return running_; }
    [[nodiscard]] bool Held() const { return holds_ > 0; }
    [[nodiscard]] bool SlideForward() const { return forward_; }
    [[nodiscard]] const QTimer& Timer() const { return Timer2; }

signals:
    void RunningChanged(bool running);

private:
    void StartTimer();

    AlbumBook& book_;
    QTimer Timer2;
    bool running_ = false;
    bool forward_ = true;
    int intervalSeconds_ = 0;
    int holds_ = 0;
};
