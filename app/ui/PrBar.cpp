#include "app/ui/PrBar.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <algorithm>

namespace {
constexpr QPoint LabelPosition(8, 8);
constexpr QRect BarGeometry(15, 30, 120, 15);
} // namespace

TPrBar::TPrBar(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setFixedSize(WindowWidth, WindowHeight);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(rect());
    Label1 = new QLabel(QStringLiteral("Please wait ..."), panel);
    Label1->move(LabelPosition);
    Label1->adjustSize();
    ProgressBar1 = new QProgressBar(panel);
    ProgressBar1->setGeometry(BarGeometry);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TPrBar::SetRange(int minimum, int maximum) {
    // Qt resets a bar whose value falls outside the new range to minimum - 1; keep it inside.
    const int position = Position();
    ProgressBar1->setRange(minimum, std::max(minimum, maximum));
    SetPosition(position);
}

void TPrBar::SetPosition(int position) {
    ProgressBar1->setValue(std::clamp(position, ProgressBar1->minimum(), ProgressBar1->maximum()));
}

int TPrBar::Position() const {
    return ProgressBar1->value();
}

int TPrBar::Maximum() const {
    return ProgressBar1->maximum();
}

void TPrBar::Show() {
    show();
    raise();
}

void TPrBar::Advance(int steps) {
    SetPosition(static_cast<int>(std::clamp<qint64>(
        qint64(Position()) + steps, ProgressBar1->minimum(), ProgressBar1->maximum())));
    repaint();
    QCoreApplication::processEvents();
}

void TPrBar::Close() {
    hide();
}
