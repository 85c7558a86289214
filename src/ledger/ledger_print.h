// The equipment ledger "備品台帳": one set of A4 landscape sheets per listed
// item name, one row per piece, 25 rows a sheet (ledger_pages.h says which
// pieces and sheets), and its page layout: the frame, the header of the
// item name and the row of a piece.
//
// ZEMLO_NOTE_PRT prints the rows listed in KUBUN_LIST_VIEW in list order:
// every listed item name for print kind 55, the ticked ones for 54. Only
// when the document has ended normally does each printed item name lose its
// tick and take the moment of printing as its last ledger print date; a stop
// or a printer error discards the whole document and changes nothing.
// Amounts are computed in 64 bits and printed whole.
#pragma once
#include <QString>
#include <functional>

// What the ledger window sets for the print: its two check boxes.
struct LEDGER_OPTIONS {
    bool OUTPRT = false;   // "廃棄備品印刷なし": leave out the pieces that have left
    bool REPLACE = false;  // "２ページ以降差し替え分": first and changed sheets only
};
inline LEDGER_OPTIONS LEDGER_OPT;

// Runs the ledger print; `progress` (may be empty) is told the subject and
// classification names and the item name of each piece as it prints.
// Returns 1 ended, 0 stopped, -1 printer error (after its message).
int ZEMLO_NOTE_PRT(const std::function<void(const QString& names, const QString& item)>& progress = {});

// ---- the page layout, on a page the job opened (coordinates in mm from
// the job's origin, 7 mm right of and 9 mm below the paper's corner)
// The header boxes shared by the ledger and the per-item totals: the
// category box, the three level rows, the item name and, on page kind 1,
// the holdings box, each with its label at 12 pt; leaves the pen at 2.
void LEDGER_HEAD_BOXES(int pageKind);
// The fixed page; page kind 1 (an item name's first sheet) with the
// holdings label and box.
void ZEMLO_NOTE_FRAME_PRT(int pageKind);
// The header values of a master entry; the holdings and the last change on
// page kind 1 only.
void ZEMLO_NOTE_HEAD_PRT(qint32 master, int pageKind);
// One item record in table row 1 to 25.
void ZEMLO_NOTE_ROW_PRT(qint32 rec, int row);

// The top of the text of table row 1 to 25.
inline double ZEMLO_NOTE_ROW_Y(int row) { return 22 + 6.2 * row; }
