#pragma once

#include <QImage>
#include <QLabel>
#include <functional>

class QMouseEvent;

// A picture control of a skinned window: shows a picture loaded from disk, at the picture's own
// size (auto-size) or unscaled from its top-left corner in a fixed size, and reports mouse moves,
// presses, releases and clicks (a press and a release over the control) to its window.
class PictureControl : public QLabel {
    Q_OBJECT
public:
    explicit PictureControl(QWidget* parent, bool autoSize = true);

    // Loads the picture file; throws PictureError and keeps the old picture when it cannot.
    void Load(const QString& path);
    // The file whose picture is shown (empty before the first load).
    [[nodiscard]] const QString& PicturePath() const { return path_; }
    // Fixed controls keep their size; auto-size controls take their picture's.
    void SetFixedSize(QSize size);
    // An auto-size control shows a larger picture scaled down, its sides kept in proportion, to
    // fit within size.
    void SetMaximumPictureSize(QSize size) { maximum_ = size; }
    // Shows text in place of a picture (why there is none), in size: the picture is dropped.
    void ShowText(const QString& text, QSize size);

    std::function<void(QMouseEvent*)> OnMove;
    std::function<void(QMouseEvent*)> OnPress;
    std::function<void(QMouseEvent*)> OnRelease;
    std::function<void()> OnClick;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool autoSize_;
    bool pressed_ = false;
    QSize maximum_;
    QString path_;
};
