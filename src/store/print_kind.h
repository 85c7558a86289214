// The print kinds: what PRT_KIND holds. The window that offers a print sets
// its kind, the print dialogs add the user's choices to it, and the print
// jobs choose their rows, title and first-page line by it.
//
// Each list prints in a band of ten kinds: the list's own kind prints every
// row it shows, +1 (PrintChoice::SELECTED_ROWS) only its selected rows, and
// for the item list +2 (PrintChoice::WITHOUT_DISPOSED) leaves the disposed
// items out. The print each kind gives, by the title on its pages:
//
//   CATEGORY_LIST_*             1-3     備品区分リスト
//   ITEM_LIST*                 10-13    備品リスト
//   HISTORY_LIST*              20, 21   備品登録リスト
//   PURCHASE_LEDGER            26       備品購入台帳
//   PLAN_LIST*                 30, 31   備品購入計画
//   DISPOSED_LIST*             40, 41   廃棄備品リスト
//   LABELS*                    40, 41   ラベル (the label sheet of the item list)
//   DISPOSED_TOTALS            45       廃棄備品リスト (集計: one row per number)
//   LEDGER_BREAKDOWN_*         52, 53   備品台帳内訳リスト
//   LEDGER_*                   54, 55   備品台帳
//   FUNCTION_LIST_*            62, 63   機能別分類内訳リスト
//   ITEM_TOTALS_*              74, 75   備品集計
#pragma once
#include <QtGlobal>

enum class PrintKind : qint16 {
    NONE = 0,  // nothing set yet (program start)

    // The category master editor's category list, from its print dialog.
    CATEGORY_LIST_SELECTED = 1,  // the editor's selected rows ("選択範囲")
    CATEGORY_LIST_CATEGORY = 2,  // every master entry of the chosen category
    CATEGORY_LIST_SUBJECTS = 3,  // the entries of each chosen subject

    // The item list.
    ITEM_LIST = 10,                  // every row the list shows
    ITEM_LIST_SELECTED = 11,         // its selected rows
    ITEM_LIST_IN_USE = 12,           // every row shown but the disposed items ("廃棄備品除く")
    ITEM_LIST_SELECTED_IN_USE = 13,  // the selected rows but the disposed items

    // The purchase history.
    HISTORY_LIST = 20,           // every row it shows
    HISTORY_LIST_SELECTED = 21,  // its selected rows
    PURCHASE_LEDGER = 26,        // every row, in the rows' current order

    // The plan list.
    PLAN_LIST = 30,           // every plan it shows
    PLAN_LIST_SELECTED = 31,  // its selected plans

    // The disposed-item list.
    DISPOSED_LIST = 40,           // every row it shows
    DISPOSED_LIST_SELECTED = 41,  // its selected rows
    // The labels of the item list's rows share the disposed list's kinds:
    // the label sheet reads no other.
    LABELS = 40,           // a label for every row the item list shows
    LABELS_SELECTED = 41,  // labels for its selected rows
    DISPOSED_TOTALS = 45,  // the disposed list in totals mode, one row per number with its count

    // The ledger window.
    LEDGER_BAND = 50,                // the first kind of the ledger window's band (none of its own)
    LEDGER_BREAKDOWN_CATEGORY = 52,  // the breakdown of every entry of one category
    LEDGER_BREAKDOWN_SUBJECTS = 53,  // the breakdown of the entries of each chosen subject
    LEDGER_TICKED = 54,              // the ledger of the ticked item names
    LEDGER_ALL = 55,                 // the ledger of every listed item name

    // The function-class list.
    FUNCTION_LIST_BAND = 60,      // the first kind of the function-class list's band (none of its own)
    FUNCTION_LIST_CATEGORY = 62,  // every listed entry of one category
    FUNCTION_LIST_SUBJECTS = 63,  // the listed entries of each chosen subject

    // The per-item totals.
    ITEM_TOTALS_TICKED = 74,  // the ticked item names
    ITEM_TOTALS_ALL = 75,     // every listed item name
};

// The choices a print dialog adds to the kind its list has set, and takes off
// again when the print has run.
enum class PrintChoice : qint16 {
    SELECTED_ROWS = 1,     // "選択範囲": only the list's selected rows
    WITHOUT_DISPOSED = 2,  // "廃棄備品除く": the item list without its disposed items
};

constexpr PrintKind operator+(PrintKind k, PrintChoice c) { return PrintKind(qint16(qint16(k) + qint16(c))); }
constexpr PrintKind operator-(PrintKind k, PrintChoice c) { return PrintKind(qint16(qint16(k) - qint16(c))); }
