// The form switch: every way of opening a function window in the main
// window goes through FORM_CHANGE, which closes the open window (so it saves
// what it owns), sets the title line, prepares and shows the window of the
// requested kind. The kind table in form_switch.cpp is the one place that
// knows every function window and every dialog of the menus; a window that
// is not built yet has an empty entry there, and asking for it does nothing.
#pragma once
#include <QString>
#include <functional>

#include <QMdiSubWindow>

#include "common/form_kind.h"
#include "platform/forms.h"

// How the switch shows and closes the window of a kind.
struct FORM_WINDOW {
    // Child: shows it in the frame and returns at once. Modal: returns when
    // the window has closed.
    std::function<void()> show;
    // Unloads it when it is open (its close handlers run); nothing otherwise.
    std::function<void()> unload;
    explicit operator bool() const { return bool(show); }
};

// The window type T, shown inside the frame.
template <class T>
FORM_WINDOW CHILD_WINDOW() {
    return {[] { platform::FormInstance<T>::get()->Show(); },
            [] { platform::FormInstance<T>::unload(platform::vbFormCode); }};
}
// The window type T, shown modally.
template <class T>
FORM_WINDOW MODAL_WINDOW() {
    return {[] { platform::FormInstance<T>::get()->ShowModal(); },
            [] { platform::FormInstance<T>::unload(platform::vbFormCode); }};
}

// Shows the function window of `kind` (0 closes the open one).
void FORM_CHANGE(qint16 kind);
// Closes the open function window without changing FORM_KIND (the end of the
// program: the kind is stored for the next start).
void FORM_CLOSE_CURRENT();
// The title of a kind in the table ("" for kinds outside it).
QString FORM_TITLE(qint16 kind);
// True when the kind is in the table (1-7, 9-14, 21-25).
bool FORM_IN_TABLE(qint16 kind);
// True when the kind's window is built (asking for it opens it).
bool FORM_BUILT(qint16 kind);
// True when the kind is shown modally.
bool FORM_MODAL(qint16 kind);

// Tests: puts a window in place of a kind's (an empty one restores the table's).
void FORM_WINDOW_SET_FOR_TESTS(qint16 kind, const FORM_WINDOW& w);

// ---------------------------------------------------------------- menu dialogs
enum class MENU_DIALOG { USER_SET, ETC_SET, LABEL_SET, PASS_SET, VER_FORM, START_F, BACKUP_DATA, F1_2 };
// Shows a dialog of the menus (modal, but the backup window, which stands
// beside the open function window). False when it is not built yet.
bool MENU_DIALOG_SHOW(MENU_DIALOG d);
bool MENU_DIALOG_BUILT(MENU_DIALOG d);
void MENU_DIALOG_SET_FOR_TESTS(MENU_DIALOG d, std::function<void()> show);
