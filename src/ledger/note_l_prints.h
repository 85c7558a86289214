#pragma once
// The prints of the per-item totals window.
//
// The breakdown table "内訳一覧表": the item names of one category that have
// pieces registered, in master order, on the portrait category-list page
// (50 lines a page, numbered over the whole table), titled "内訳一覧表",
// with the category in parentheses under the title of every page.
#include <QString>

// The table of `category`, whatever the window lists. A stop left set by an
// earlier print does not stop it: the flag is cleared when the job starts.
// A printer failure shows "プリンタのエラーが発生しました" / "印刷を中止します"
// under "台帳印刷" and nothing prints. Returns 1 printed, 0 stopped, -1 error.
int NOTEL_LIST_PRT(const QString& category);

// The button "一覧表印刷": without a category "印刷区分をを選択してください";
// otherwise asks "一覧表を印刷します" (Yes/No) and on Yes prints the table
// with the hourglass on.
void NOTEL_LIST_PRT_ASK(const QString& category);
