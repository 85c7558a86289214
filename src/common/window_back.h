// The background colours of the windows, given as the register's colours
// are (&HBBGGRR): a window's or a label's behind its controls, and the main
// frame's behind the function windows.
#pragma once
#include <QMdiArea>
#include <QPalette>
#include <QWidget>

#include "platform/forms.h"
#include "platform/pane.h"

inline void BACK_COLOR_SET(QWidget* w, quint32 bgr) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, bgrColor(bgr));
    w->setPalette(pal);
}

// The main frame's background while a function window is open; a window
// that unloads gives the frame its white again.
inline void FRAME_BACK_SET(quint32 bgr) {
    if (QMdiArea* a = platform::Form::mdiArea()) a->setBackground(bgrColor(bgr));
}
