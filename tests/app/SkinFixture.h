#pragma once

// Skinned windows under test: skin folders of small pictures and mouse events sent straight to a
// control (moves without a button, presses and releases inside or outside it).

#include "tests/support/Fixtures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Writes "<folder>/<name><state>.jpg" for every name and the three states, each w x h.
inline void WriteButtonPictures(const TempProgramFolder& program, const QString& folder,
                                const QStringList& names, int w = 40, int h = 16) {
    for (const QString& name : names)
        for (const char* state : {" Normal.jpg", " OnMouse.jpg", " OnClick.jpg"})
            WritePicture(program.File(folder + "/" + name + QLatin1String(state)), w, h);
}

inline void SendMove(QWidget* w, QPoint pos = {2, 2}) {
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void Press(QWidget* w, QPoint pos = {2, 2}) {
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, pos);
}

inline void Release(QWidget* w, QPoint pos = {2, 2}) {
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, pos);
}

inline void Click(QWidget* w) {
    Press(w);
    Release(w);
}

// The state part of the picture file a control shows: "Exit OnMouse.jpg" gives "OnMouse".
template <typename Control> QString StateOf(const Control* c) {
    const QString file = c->PicturePath().section(QLatin1Char('/'), -1);
    return file.section(QLatin1Char(' '), -1).section(QLatin1Char('.'), 0, 0);
}
