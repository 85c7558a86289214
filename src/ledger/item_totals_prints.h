// The prints of the per-item totals window.
//
// The breakdown table "内訳一覧表": the item names of one category that have
// pieces registered, in master order, on the portrait category-list page
// (50 lines a page, numbered over the whole table), titled "内訳一覧表",
// with the category in parentheses under the title of every page.
#pragma once
#include <QString>
#include <functional>

// The table of `category`, whatever the window lists. A stop left set by an
// earlier print does not stop it: the flag is cleared when the job starts.
// A printer failure shows "プリンタのエラーが発生しました" / "印刷を中止します"
// under "台帳印刷" and nothing prints. Returns 1 printed, 0 stopped, -1 error.
int NOTEL_LIST_PRT(const QString& category);

// The button "一覧表印刷": without a category "印刷区分をを選択してください";
// otherwise asks "一覧表を印刷します" (Yes/No) and on Yes prints the table
// with the hourglass on.
void NOTEL_LIST_PRT_ASK(const QString& category);

// The per-item totals "備品集計" (landscape A4): for each item name that
// the window lists (KUBUN_LIST_VIEW; with PRT_KIND ITEM_TOTALS_TICKED only
// the ticked ones, with ITEM_TOTALS_ALL all), a header with its category, levels, function class and name,
// and a table of its purchase batches (IN_ROW_LIST), 25 a page; the first
// page of a name shows its holdings. A name without batches gets no page.
//
// `labels` (may be empty) receives the progress texts of the print dialog:
// the levels of the name being printed and the name with "　印刷処理中".
// A stop (PRT_STOP above 0) or a printer failure cancels the whole document;
// the ticks of the names are cleared only when the document was printed, so
// a stopped or failed print leaves every tick as it was.
// Returns 1 printed, 0 stopped, -1 printer error.
using NOTEL_PRT_LABELS = std::function<void(const QString& levels, const QString& item)>;
int ZEMLO_NOTEL_PRT(const NOTEL_PRT_LABELS& labels = {});
