// The background colour of a window or a label, given as the register's
// colours are (&HBBGGRR), painted behind its controls.
#pragma once
#include <QPalette>
#include <QWidget>

#include "platform/pane.h"

inline void BACK_COLOR_SET(QWidget* w, quint32 bgr) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, bgrColor(bgr));
    w->setPalette(pal);
}
