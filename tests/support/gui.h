#pragma once
// What a user does with a window, for window tests on the offscreen
// platform: find a control by its name, click, type, choose, press keys,
// click at a point, act on a modal window when it shows, and take a
// screenshot.
#include <QApplication>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <typeinfo>
#include <gtest/gtest.h>

class QAbstractButton;
class QComboBox;
class QListWidget;

namespace gui {

// The control named `name` inside `window` (fails the test when missing).
template <class T = QWidget>
T* find(QWidget* window, const QString& name) {
    if (!window) {
        ADD_FAILURE() << "no window to look for " << name.toStdString();
        return nullptr;
    }
    T* w = window->findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no control " << name.toStdString() << " of the wanted kind in " << window->objectName().toStdString();
    return w;
}

// Lets the event loop run the pending events.
void settle();

// Clicks a button (fails when it is disabled or hidden when `mustBeEnabled`).
void click(QAbstractButton* b);
void click(QWidget* window, const QString& name);

// Types text into a text box as a user does: the old text is selected and
// replaced key by key, so change handlers run. Works on QLineEdit,
// QTextEdit/QPlainTextEdit, editable combo boxes and spin boxes.
void type(QWidget* box, const QString& text);
void type(QWidget* window, const QString& name, const QString& text);

// Chooses a combo box entry as a user does (the entry becomes current and
// `activated` is raised).
void choose(QComboBox* box, int index);
void choose(QComboBox* box, const QString& text);  // by its text
void choose(QWidget* window, const QString& name, const QString& text);
// Clicks an entry of a list box (Shift/Ctrl as modifiers).
void chooseRow(QListWidget* list, int row, Qt::KeyboardModifiers mods = Qt::NoModifier);

// The entries of a combo box or a list box, in their order.
QStringList items(const QComboBox* box);
QStringList items(const QListWidget* list);

// Presses and releases a key on a widget.
void key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString());

// Mouse at a point of a widget (widget coordinates, pixels).
void clickAt(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers mods = Qt::NoModifier);
void pressAt(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers mods = Qt::NoModifier);
void releaseAt(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier);
void doubleClickAt(QWidget* w, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier);
// Turns the mouse wheel over a point of a widget by `notches` (positive:
// away from the user, which scrolls up); Shift turns it sideways as desktop
// programs read it.
void wheel(QWidget* w, QPoint p, int notches, Qt::KeyboardModifiers mods = Qt::NoModifier);

// The visible top-level window of class T (the newest), or nullptr.
template <class T>
T* visibleWindow() {
    T* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (T* t = dynamic_cast<T*>(w); t && t->isVisible()) found = t;
    if (!found)
        if (QWidget* m = QApplication::activeModalWidget()) found = dynamic_cast<T*>(m);
    return found;
}

// Arranges for `act` to run on the window of class T as soon as one shows
// (polled from the event loop, so it works while the code under test sits
// in a modal window's nested loop). Call it before the code that shows the
// window. Fails the test when none shows within `timeoutMs`.
void whenShownRaw(std::function<QWidget*()> lookup, std::function<void(QWidget*)> act, const QString& what,
                  int timeoutMs);
template <class T>
void whenShown(std::function<void(T*)> act, int timeoutMs = 5000) {
    whenShownRaw([]() -> QWidget* { return visibleWindow<T>(); },
                 [act](QWidget* w) { act(static_cast<T*>(w)); }, QString::fromLatin1(typeid(T).name()),
                 timeoutMs);
}

// Stops every whenShown() still waiting; returns how many were waiting
// (the fixture fails a test that leaves one behind).
int cancelPending();

// Renders a widget to ZEMLO_SHOT_DIR/name.png (shows it first when hidden).
// Returns the file path.
QString shot(QWidget* w, const QString& name);

// The buttons and boxes of a window that a click on their centre does not
// reach: for every visible, enabled button, check box and option of
// `window`, the control the window finds under the centre must be that
// control (or a part of it). A control whose centre the window's edge or a
// parent's cuts off is out of sight and not counted. One line per covered
// control: "window: control "caption" under other".
QStringList coveredControls(QWidget* window);

}  // namespace gui
