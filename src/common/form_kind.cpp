#include "common/form_kind.h"

#include "platform/forms.h"
#include "store/state.h"

namespace {
QString g_title;
std::function<void(const QString&)> g_titleHook;
}  // namespace

void MAIN_TITLE_SET(const QString& title) {
    g_title = title;
    if (g_titleHook) g_titleHook(title);
}
QString MAIN_TITLE() { return g_title; }
void MAIN_TITLE_HOOK_SET(std::function<void(const QString&)> hook) { g_titleHook = std::move(hook); }

void FORM_KIND_CLEAR() {
    FORM_KIND = 0;
    MAIN_TITLE_SET(QString());
}

void FORM_CLOSE_SELF(platform::Form* form) {
    FORM_KIND_CLEAR();
    form->Unload(platform::vbFormCode);
}
