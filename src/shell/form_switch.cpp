#include "shell/form_switch.h"

#include <map>

#include "category/category_change.h"
#include "category/unknown_category.h"
#include "category/function_class_list.h"
#include "category/master_editor.h"
#include "ledger/item_totals.h"
#include "ledger/ledger_window.h"
#include "lists/disposed_list.h"
#include "lists/place_list.h"
#include "lists/purchase_history.h"
#include "platform/ui.h"
#include "plans/plan_list.h"
#include "printing/label_layout.h"
#include "register/item_list.h"
#include "register/renumber_list.h"
#include "settings/backup_window.h"
#include "settings/migration_window.h"
#include "settings/name_list_window.h"
#include "settings/settings_window.h"
#include "settings/password.h"
#include "settings/version_windows.h"
#include "store/item_sorts.h"
#include "store/link.h"
#include "store/plans_file.h"
#include "store/rows.h"
#include "store/state.h"
#include "totals/purchase_record.h"
#include "totals/expense_totals.h"
#include "totals/category_totals.h"
#include "totals/function_class_totals.h"
#include "totals/subsidy_report.h"
#include "totals/expense_purchase_totals.h"

namespace {
// ---------------------------------------------------------------- preparations
// Each returns false when the window must not show.
bool PREP_NONE() { return true; }

bool PREP_PLANS() {
    P_ZEMLO_READ();  // a failure reports itself; the window still opens
    return true;
}

bool PREP_SORT_NO() {
    ui::setBusy(true);
    ui::DoEvents();
    // The reload leaves the item-name serials unset, and the purchase-date
    // and category orders of the history sort by them: link again, silently.
    if (ZEMLO_SORT_NO() == 1) KUBUN_LINK(2);
    ui::setBusy(false);
    ui::DoEvents();
    return true;
}

bool PREP_OUT_LIST() {
    ui::setBusy(true);
    OUT_LIST_MAKE();
    ui::setBusy(false);
    if (OUT_COUNT > 0) return true;
    ui::MsgBox(QStringLiteral("廃棄備品は、有りません"), ui::vbOKOnly, ui::kTitle);
    return false;
}

struct KindRow {
    qint16 kind;
    const char* title;  // UTF-8
    bool modal;
    bool (*prepare)();
    FORM_WINDOW window;
};

// The kind table: one line per function window.
const std::vector<KindRow>& kindTable() {
    static const std::vector<KindRow> table = {
        {1, "備品購入計画", false, PREP_PLANS, CHILD_WINDOW<P_ZEMLO_LIST>()},
        {2, "備品購入履歴", false, PREP_SORT_NO, CHILD_WINDOW<L_ZEMLO_LIST>()},
        {3, "備品データ", false, PREP_PLANS, CHILD_WINDOW<A_ZEMLO_LIST>()},
        {4, "備品台帳印刷", false, PREP_NONE, CHILD_WINDOW<NOTE_P>()},
        {5, "備品区分", false, PREP_NONE, CHILD_WINDOW<KUBUN_F>()},
        {6, "廃棄備品リスト", false, PREP_OUT_LIST, CHILD_WINDOW<C_ZEMLO_LIST>()},
        {7, "保管場所別リスト", false, PREP_NONE, CHILD_WINDOW<KEEP_ROOM>()},
        {9, "備品番号再設定", false, PREP_NONE, CHILD_WINDOW<A_ZEMLO_L2>()},
        {10, "機能別リスト", false, PREP_NONE, CHILD_WINDOW<FUNC_F>()},
        {11, "備品別集計印刷", false, PREP_NONE, CHILD_WINDOW<NOTE_L>()},
        {12, "備品区分変更", true, PREP_NONE, MODAL_WINDOW<KUBUN_CHGF>()},
        {13, "備品区分設定", true, PREP_NONE, MODAL_WINDOW<KUBUN_CHGF2>()},
        {14, "備品購入数実績", false, PREP_NONE, CHILD_WINDOW<NOTE_S>()},
        {21, "集計 振興備品", true, PREP_NONE, MODAL_WINDOW<TOTAL_FS>()},
        {22, "集計 経費", true, PREP_NONE, MODAL_WINDOW<TOTAL_F>()},
        {23, "集計 教科", true, PREP_NONE, MODAL_WINDOW<TOTAL_FA>()},
        {24, "集計 機能別", true, PREP_NONE, MODAL_WINDOW<TOTAL_FK>()},
        {25, "集計 経費別", true, PREP_NONE, MODAL_WINDOW<TOTAL_FY>()},
    };
    return table;
}

// The dialogs of the menus: one line per window.
const std::map<MENU_DIALOG, std::function<void()>>& dialogTable() {
    static const std::map<MENU_DIALOG, std::function<void()>> table = {
        {MENU_DIALOG::USER_SET, [] { platform::FormInstance<USER_SET>::get()->ShowModal(); }},
        {MENU_DIALOG::ETC_SET, [] { platform::FormInstance<ETC_SET>::get()->ShowModal(); }},
        {MENU_DIALOG::LABEL_SET, [] { LABEL_SET_SHOW(); }},
        {MENU_DIALOG::PASS_SET, [] { platform::FormInstance<PASS_SET>::get()->ShowModal(); }},
        {MENU_DIALOG::VER_FORM, [] { platform::FormInstance<VER_FORM>::get()->ShowModal(); }},
        {MENU_DIALOG::START_F, [] { platform::FormInstance<START_F>::get()->ShowModal(); }},
        // The backup window stands beside the open function window.
        {MENU_DIALOG::BACKUP_DATA, [] { platform::FormInstance<BACKUP_DATA>::get()->Show(); }},
        {MENU_DIALOG::F1_2, [] { platform::FormInstance<F1_2>::get()->ShowModal(); }},
    };
    return table;
}

std::map<qint16, FORM_WINDOW> g_testWindows;
std::map<MENU_DIALOG, std::function<void()>> g_testDialogs;

const KindRow* rowOf(qint16 kind) {
    for (const KindRow& r : kindTable())
        if (r.kind == kind) return &r;
    return nullptr;
}

FORM_WINDOW windowOf(qint16 kind) {
    auto t = g_testWindows.find(kind);
    if (t != g_testWindows.end()) return t->second;
    const KindRow* r = rowOf(kind);
    return r ? r->window : FORM_WINDOW{};
}

void unloadKind(qint16 kind) {
    const FORM_WINDOW w = windowOf(kind);
    if (w.unload) w.unload();
}
}  // namespace

// ---------------------------------------------------------------- the switch
QString FORM_TITLE(qint16 kind) {
    const KindRow* r = rowOf(kind);
    return r ? QString::fromUtf8(r->title) : QString();
}
bool FORM_IN_TABLE(qint16 kind) { return rowOf(kind) != nullptr; }
bool FORM_BUILT(qint16 kind) { return bool(windowOf(kind)); }
bool FORM_MODAL(qint16 kind) {
    const KindRow* r = rowOf(kind);
    return r && r->modal;
}

void FORM_WINDOW_SET_FOR_TESTS(qint16 kind, const FORM_WINDOW& w) {
    if (w)
        g_testWindows[kind] = w;
    else
        g_testWindows.erase(kind);
}

void FORM_CLOSE_CURRENT() {
    if (FORM_KIND != 0) unloadKind(FORM_KIND);
}

void FORM_CHANGE(qint16 kind) {
    if (kind == FORM_KIND) return;
    const KindRow* row = rowOf(kind);
    // A window that is not built yet: its menu entry and button do nothing.
    if (row && !FORM_BUILT(kind)) return;

    MAIN_TITLE_SET(QString());
    if (FORM_KIND != 0) unloadKind(FORM_KIND);
    ui::DoEvents();
    FORM_KIND = kind;
    if (!row) return;

    MAIN_TITLE_SET(QString::fromUtf8(row->title));
    if (!row->prepare()) return;
    const FORM_WINDOW w = windowOf(kind);
    w.show();
}

// ---------------------------------------------------------------- dialogs
bool MENU_DIALOG_BUILT(MENU_DIALOG d) {
    if (g_testDialogs.count(d)) return bool(g_testDialogs[d]);
    auto it = dialogTable().find(d);
    return it != dialogTable().end() && bool(it->second);
}

bool MENU_DIALOG_SHOW(MENU_DIALOG d) {
    std::function<void()> show;
    if (g_testDialogs.count(d))
        show = g_testDialogs[d];
    else if (auto it = dialogTable().find(d); it != dialogTable().end())
        show = it->second;
    if (!show) return false;
    show();
    return true;
}

void MENU_DIALOG_SET_FOR_TESTS(MENU_DIALOG d, std::function<void()> show) {
    if (show)
        g_testDialogs[d] = std::move(show);
    else
        g_testDialogs.erase(d);
}
