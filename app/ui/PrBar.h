#pragma once

#include "platform/Progress.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// TPrBar: the shared "Please wait ..." window of long operations. Borderless, 150 x 75, centred
// on the desktop; shown without blocking, advanced by steps, closed by its caller.
class TPrBar : public QWidget, public Progress {
    Q_OBJECT
public:
    static constexpr int WindowWidth = 150;
    static constexpr int WindowHeight = 75;

    explicit TPrBar(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum) override;
    void SetPosition(int position) override;
    [[nodiscard]] int Position() const override;
    [[nodiscard]] int Maximum() const override;
    void Show() override;
    // Moves the bar by steps (kept within its range), repaints and lets pending events run.
    void Advance(int steps) override;
    void Close() override;

    [[nodiscard]] QLabel* Label() const { return Label1; }
    [[nodiscard]] QProgressBar* Bar() const { return ProgressBar1; }

private:
    QLabel* Label1;
    QProgressBar* ProgressBar1;
};
