#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <optional>

// A picture control that cuts its window to the outline of its picture (the picture's top-left
// colour is transparent) and lets a press on the picture drag the window.
class TdxfShapedForm : public QLabel {
    Q_OBJECT
public:
    explicit TdxfShapedForm(QWidget* owner);

    void SetPicture(const QImage& picture);
    [[nodiscard]] const QImage& Picture() const { return picture_; }

    // True: the window loses its border and takes the picture's outline; false: whole again.
    void SetActive(bool active);
    [[nodiscard]] bool Active() const { return active_; }
    void SetCaptionColor(QColor colour) { captionColor_ = colour; }
    [[nodiscard]] QColor CaptionColor() const { return captionColor_; }
    void SetAlwaysMove(bool always) { alwaysMove_ = always; }
    [[nodiscard]] bool AlwaysMove() const { return alwaysMove_; }

    // Whether a press at pos (control coordinates) moves the window.
    [[nodiscard]] bool PressMoves(QPoint pos) const;

signals:
    // A move of the window was started by a press: the window manager's own move, or, where the
    // window manager offers none, the control's drag that follows the mouse until the release.
    void MoveStarted();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyRegion();
    void RemoveRegion();

    QImage picture_;
    bool active_ = false;
    QColor captionColor_ = Qt::black;
    bool alwaysMove_ = true;
    Qt::WindowFlags savedFlags_;
    std::optional<QPoint> dragGrip_; // the press's place on the window while the control drags it
};
