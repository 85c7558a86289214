// The purchase-record print "備品購入実績": landscape A4, 35 lines a page,
// one line per row of the table (not the search shown on screen), for one
// category or for every category one after the other with a category
// column. Its number columns follow the window's relocation display mode:
// with relocations (1) the year's relocations in and out have columns of
// their own and an empty remarks column for handwriting can be added;
// without (0) they are counted with the registrations and the disposals in
// three groups (before the year, the year, both).
//
// The print stands on the portrait pair of the print corrections, and 10 mm
// further right when every category prints.
#pragma once
#include <QString>

#include "totals/purchase_record_table.h"

struct NOTE_S_PRINT {
    bool everyCategory = false;  // "全区分連続印刷"
    QString category;            // the category printed when not every one
    int mode = 1;                // 1 relocations shown, 0 merged
    bool remarks = false;        // "備考欄作成" (mode 1 only)
    int eraYear = 0;             // the era year of the table's fiscal year
};

// The whole job: set-up, pages, end of the document; a printer failure shows
// "プリンタのエラーが発生しました" / "印刷を中止します" (title "台帳印刷") and
// cancels the document. The stop flag is cleared at the start, so a stop
// left by an earlier print elsewhere does not empty this one. 1 printed,
// 0 stopped, -1 printer error.
int NOTE_S_PRT(const NOTE_S_ROWS& rows, const NOTE_S_PRINT& how);

// A count as the print and the window show it: 0 gives nothing.
QString NOTE_S_COUNT_TEXT(int n);
