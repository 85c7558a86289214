// The list prints of the print module PRT_ZEMLO, each on A4 landscape pages
// of 25 rows (list_print_frame.h):
//   ZEMLO_LIST_PRT    the item list "備品リスト"            kinds ITEM_LIST*
//   OUT_LIST_PRT      the disposed list "廃棄備品リスト"     kinds DISPOSED_LIST*
//   IN_LIST_PRT       the purchase history "備品登録リスト"  kinds HISTORY_LIST*
//   IN_NOTE_PRT_JOB   the purchase ledger "備品購入台帳"     kind PURCHASE_LEDGER
//   P_ZEMLO_LIST_PRT  the plan list "備品購入計画"          kinds PLAN_LIST*
// A *_SELECTED kind prints the list's selected range, the list's own kind
// every row the list shows; the *_IN_USE kinds leave out the disposed items.
// Each job reads
// PRT_KIND and PRT_STOP, its list's view (ZEMLO_INDEX, OUT_LIST_VIEW,
// IN_ROW_LIST, P_LIST_VIEW) and selected range, and what its list window
// handed over in its LIST_PRT_SRC below; it changes nothing but the printer.
// Amounts are computed in 64 bits and printed whole.
//
// The disposed list's totals print (DISPOSED_TOTALS) runs LIST_PRT_JOB itself with
// ZEMLO_LIST_FRAME_PRT at every page start and ZEMLO_LIST_ROW_PRT for each
// of its rows.
#pragma once
#include <QString>

#include "common/list_print_source.h"
#include "store/print_kind.h"

// The source of a print kind (the item list's band, the history's, the
// plans', from the disposed list's on the disposed list).
LIST_PRT_SRC& LIST_PRT_SRC_OF(PrintKind kind);

// ---- the item list and the disposed list (one row and one frame)
void ZEMLO_LIST_PRT();
void ZEMLO_LIST_COND_PRT();
void OUT_LIST_PRT();
void OUT_LIST_COND_PRT();
// The frame of an item-list page; titled "廃棄備品リスト" for the kinds
// after the item list's, with the two-line number header "備品番号" /
// " 廃棄数" for DISPOSED_TOTALS.
void ZEMLO_LIST_FRAME_PRT();
// One item record on line 1 to 25; `count` is the pieces the row stands for
// (1, or a run's length in the totals print DISPOSED_TOTALS, which prints the
// number without its branch, the count under it and count × unit amount).
void ZEMLO_LIST_ROW_PRT(qint32 rec, int line, int count);

// ---- the purchase history
void IN_LIST_PRT();
void IN_LIST_COND_PRT();
void IN_LIST_FRAME_PRT();
void IN_LIST_ROW_PRT(qint32 row, int line);

// ---- the purchase ledger (run by the printing window PRT_MSGF)
void IN_NOTE_PRT_JOB();
void IN_NOTE_COND_PRT();
void IN_NOTE_FRAME_PRT();
void IN_NOTE_ROW_PRT(qint32 row, int line);

// ---- the plan list
void P_ZEMLO_LIST_PRT();
void P_ZEMLO_LIST_COND_PRT();
void P_ZEMLO_LIST_FRAME_PRT();
void P_ZEMLO_LIST_ROW_PRT(qint32 plan, int line);

// The rows of a print: positions `first` to `last` of a view of `count`
// rows, clamped to the view (an empty range when nothing is left).
struct LIST_RANGE {
    qint32 first = 0, last = -1;
};
LIST_RANGE LIST_RANGE_OF(bool selected, qint32 selFirst, qint32 selLast, qint32 count);
