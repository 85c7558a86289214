// The form kind and the title line that every function window shares: the
// main window's title line MAIN_F.Label1, reachable without the window, and
// the steps with which a function window closes itself. The form switch at
// the top opens the windows; the windows need only this.
#pragma once
#include <QString>
#include <functional>

namespace platform {
class Form;
}

// ---------------------------------------------------------------- title line
void MAIN_TITLE_SET(const QString& title);
QString MAIN_TITLE();
// The main window shows the title line through this hook.
void MAIN_TITLE_HOOK_SET(std::function<void(const QString&)> hook);

// ---------------------------------------------------------------- closing
// No function window is open any more: FORM_KIND 0 and an empty title line
// (what a window does when it goes away by its own close box or ends its
// work).
void FORM_KIND_CLEAR();
// What a function window's "閉じる" does: no window is open any more
// (FORM_KIND 0), the title line is emptied, and the window unloads by code.
void FORM_CLOSE_SELF(platform::Form* form);
