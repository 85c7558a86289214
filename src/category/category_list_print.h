// The category-list page and its prints: master entries on A4 portrait
// pages as a ruled list of 50 rows of 5 mm (number, category, subject,
// classification, item name, function class, registered and out counts),
// titled by the print kind. The category list of the category master editor
// (print kinds CATEGORY_LIST_*), the function-class list (FUNCTION_LIST_*)
// and the ledger window's breakdown list (LEDGER_BREAKDOWN_*) all print on
// this page.
//
// A point (x, y) of the page lands x + the portrait right correction and
// y + the portrait down correction millimetres from the paper's top-left
// corner, whatever the printer's unprintable margins. Texts are placed by
// their top-left corner, in "ＭＳ 明朝".
#pragma once
#include <QString>
#include <functional>
#include <vector>

inline constexpr int KUBUN_LIST_ROWS = 50;

// The frame of the current page: box, rules, the title (empty: the title of
// PRT_KIND), the print date, the column heads and the school name; leaves
// the line width at 2 and yields once.
void KUBUN_LIST_HEAD_PRT(const QString& title = QString());
// The master entry `e` on the row that row number `n` gives (n counted from
// 1; row 50 of a page is the last), its category name at `kubunX`. Sets
// "ＭＳ 明朝" 10 point first and leaves the size at 10. An index outside the
// master prints nothing.
void KUBUN_LIST_ROW_PRT(qint32 e, qint32 n, double kubunX = 25.5);
// The top of the texts of row number n.
double KUBUN_LIST_ROW_Y(qint32 n);

// One run of rows numbered from 1: the master indexes in print order and
// the selection line printed under the title of each of its pages (empty:
// none).
struct KUBUN_LIST_GROUP {
    QString selLine;
    std::vector<qint32> entries;
};

// Prints the groups as one document, each group beginning on a new page
// (the first on the document's first page): the portrait set-up, the origin,
// the page reset, then per row a yield and a stop test, the frame and the
// selection line at every page start, and the row. A stop (PRT_STOP above
// 0) cancels the document silently; a printer failure shows
// "プリンタのエラーが発生しました" / "印刷を中止します" under `errorTitle`
// and cancels it. A run without a row ejects no sheet.
// `title` and `kubunX` go to the frame and the rows (the breakdown table of
// the per-item totals has a title of its own).
// Returns 1 printed, 0 stopped, -1 printer error.
int KUBUN_LIST_RUN(const std::vector<KUBUN_LIST_GROUP>& groups, const QString& errorTitle,
                   const QString& title = QString(), double kubunX = 25.5);

// The category list of the editor, by PRT_KIND: the editor's selected rows
// (CATEGORY_LIST_SELECTED), every entry of the dialog's category
// (CATEGORY_LIST_CATEGORY) or the entries of each subject chosen in the
// dialog (CATEGORY_LIST_SUBJECTS); any other kind prints nothing.
void KUBUN_LIST_PRT();
// The function-class list of the window's list KUBUN_INDEX, by PRT_KIND:
// the listed entries of the dialog's category (FUNCTION_LIST_CATEGORY) or
// those of each chosen subject (FUNCTION_LIST_SUBJECTS); any other kind
// prints nothing.
void FUNC_LIST_PRT();

// ---------------------------------------------------------------- the dialog's choice
// What the print dialog KUBUN_PRT holds when "印刷" is pressed: the category
// text, the chosen subjects in list order (number and the text the list
// shows) and its check box "購入数・廃棄数無しでも印刷".
struct KUBUN_PRT_SUBJECT {
    qint16 number = 0;
    QString text;
};
struct KUBUN_PRT_CHOICE {
    QString category;
    std::vector<KUBUN_PRT_SUBJECT> subjects;
    bool withUnused = false;
};

// The groups of a whole-category or a by-subject print over the master
// indexes `order` (nullptr: the master in master order, `count` entries):
// without `bySubject` one group of the entries whose category name equals
// the choice's, with the line "(" category ")"; with it one group per chosen
// subject of the entries of that category and subject number, with the line
// "(" category " " subject text ")". `take` (when set) leaves entries out.
std::vector<KUBUN_LIST_GROUP> KUBUN_PRT_GROUPS(const KUBUN_PRT_CHOICE& choice, bool bySubject, const qint32* order,
                                               qint32 count, const std::function<bool(qint32 e)>& take = {});
