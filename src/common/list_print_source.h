// What a list window hands to its list print (printing/list_print_jobs.h).
#pragma once
#include <QString>

// The window keeps it:
//  - the filter fields when its search lists rows (and empties them when it
//    lists every row), so that the first page describes the rows printed
//    even when a filter was changed afterwards without a new search;
//  - TOTAL and SELECTED when it opens the print dialog (or, for the
//    purchase ledger, the printing window).
struct LIST_PRT_SRC {
    QString CH_Y;          // the year box's text (the item, disposed, history and plan lists)
    int DP_W = -1;         // the era chosen beside it: 0 昭和, 1 平成, 2 令和; -1 none or typed
    QString OUT_Y;         // the disposed list: the disposal-year box's text
    int DP_WO = -1;        // and its era
    QString KEIHI;         // the expense-type box's text (the disposed and plan lists)
    QString KUBUN;         // category
    QString KYOUKA;        // subject (first level)
    QString BUNRUI;        // classification (second level)
    QString KEEP;          // storage place (the item list)
    QString TOTAL;         // the caption of the window's total label
    bool SELECTED = false; // rows of the current listing are selected: the
                           // print dialog offers "選択範囲" only then
};
// The filters that every list print names, as a search read them: the year
// box's text with its era, and the texts of the three category levels.
inline LIST_PRT_SRC LIST_PRT_FILTERS(const QString& chY, int dpW, const QString& kubun, const QString& kyouka,
                                     const QString& bunrui) {
    LIST_PRT_SRC s;
    s.CH_Y = chY;
    s.DP_W = dpW;
    s.KUBUN = kubun;
    s.KYOUKA = kyouka;
    s.BUNRUI = bunrui;
    return s;
}

inline LIST_PRT_SRC ZEMLO_LIST_SRC;  // the item list A_ZEMLO_LIST
inline LIST_PRT_SRC OUT_LIST_SRC;    // the disposed list C_ZEMLO_LIST
inline LIST_PRT_SRC IN_LIST_SRC;     // the purchase history L_ZEMLO_LIST (also the ledger)
inline LIST_PRT_SRC P_LIST_SRC;      // the plan list P_ZEMLO_LIST
