// A label that reports mouse presses and double-clicks with the button and
// the keys held, for the hidden gestures of the shell's small windows.
#pragma once
#include <QLabel>
#include <QMouseEvent>

class MouseLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* e) override {
        emit mouseDown(e->button(), e->modifiers());
        QLabel::mousePressEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        emit doubleClicked();
        QLabel::mouseDoubleClickEvent(e);
    }
};

// The shift state exactly as the gestures test it: Shift, Ctrl and Alt only.
inline Qt::KeyboardModifiers shiftState(Qt::KeyboardModifiers m) {
    return m & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}
