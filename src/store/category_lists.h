// What the windows over the category master share about their lists:
//  - the category list: the non-empty names of KUBUN_NAMES in their order,
//    and the category index (place in KUBUN_NAMES + 1) of each of its
//    entries, which differs from the entry's position + 1 as soon as an empty
//    name precedes a filled one (possible in the municipality mode);
//  - the subject, classification and item-name lists filled from the master
//    and its subject index KYOUKA_INDEX;
//  - the selected range of KUBUN_LIST_VIEW, with the window that wrote it.
// No widgets here: the windows put the lists into their own boxes.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include "store/state.h"

// ---------------------------------------------------------------- category list

// The category list: every non-empty name of KUBUN_NAMES, in table order.
QStringList KUBUN_LIST_NAMES();
// The category index (1 to 21) of entry `pos` (from 0) of the category list;
// 0 for a position outside the list. A list that starts with an empty entry
// passes its position minus 1.
qint16 KUBUN_LIST_IDX(int pos);
// The position in the category list of a category index; -1 when the index
// names no listed category.
int KUBUN_LIST_POS(qint16 kubunIdx);

// ---------------------------------------------------------------- subject lists
// A subject name reads as the subject, a blank and a sub-subject: it is cut
// at its first half-width blank, or, without one, at its first full-width
// blank.

struct CASCADE_STATE {
    qint16 CUR_KUBUN = 0;   // category index of the chosen category, 0 none
    qint16 CUR_KYOUKA = 0;  // subject number of the chosen subject, 0 none
    qint32 CUR_FIRST = 0;   // master range of the chosen subject's runs
    qint32 CUR_LAST = 0;
};

// The part of a subject name before its first blank (the whole name without
// one) and the part after it (empty without one); `hasBlank` tells which.
QString SUBJECT_HEAD(const QString& name);
QString SUBJECT_TAIL(const QString& name, bool* hasBlank = nullptr);

// Appends `text` unless the list holds it; an empty list first gets an
// empty entry.
void ADD_IF_NEW(QStringList& list, const QString& text);

// The subject list of a category by number (the item list and the record
// lists): an empty entry (number 0), then one entry per subject number in
// index order, named by the head of its subject name.
void KYOUKA_LIST_SET(qint16 curKubun, QStringList& names, QList<qint16>& numbers);
// The subject list of a category by name (the entry windows and the category
// editor): one entry per distinct subject name of the category, in index
// order, with the number of the first index entry of that name. `highest`
// receives the highest of the listed numbers (0 for none).
void KYOUKA_NAME_LIST_SET(qint16 curKubun, QStringList& names, QList<qint16>& numbers, qint32* highest = nullptr);
// The subject lists of the category-list print dialog and the
// function-class list: one line per subject number. The first subject of a
// list keeps its whole name, every later one shows the head of its name;
// a number already listed adds nothing.
void SUBJECT_LINE_ADD(QStringList& names, QList<qint16>& numbers, qint16 number, const QString& name);
// Index entries of the category and subject number, counted up to 2.
int KYOUKA_RUNS(qint16 curKubun, qint16 curKyouka);
// The sub-subject list: the part after the blank of every index entry of the
// category and subject, once each, with the index entry it came from.
void KYOUKA2_LIST_SET(qint16 curKubun, qint16 curKyouka, QStringList& names, QList<qint32>& entries);
// The classification list of the chosen subject (sets CUR_FIRST, CUR_LAST).
void BUNRUI_LIST_SET(CASCADE_STATE& s, QStringList& list);
// The classification list of one index entry (a chosen sub-subject).
void BUNRUI_LIST_SET2(CASCADE_STATE& s, qint32 entry, QStringList& list);
// The item names of the chosen classification.
void NAME_LIST_SET(const CASCADE_STATE& s, const QString& bunrui, QStringList& list);

// ---------------------------------------------------------------- KUBUN_INDEX
// The master indexes a master-based list shows, in its display order: the
// function-class list fills it in function-class order, the ledger windows
// with the entries in use in master order. Each window rebuilds it when it
// opens; the prints of that window read it. STATE_RESET empties it.
inline std::vector<qint32> KUBUN_INDEX = std::vector<qint32>(KUBUN_SLOTS);
inline qint32 KUBUN_INDEX_COUNT = 0;

// ---------------------------------------------------------------- KUBUN_LIST_VIEW range
// The selected range KUBUN_SEL_TOP to KUBUN_SEL_END is shared by several
// windows. Each window writes it with its own kind (the FORM_KIND it is
// opened as) and reads it back only through KUBUN_SEL_OF, so a range left by
// another window is never taken for its own.

// Sets the range and records `kind` as the window that wrote it.
void KUBUN_SEL_SET(qint16 kind, qint32 top, qint32 end);
// The range for the window of `kind` over a list of `count` positions: false
// when another window (or none) wrote it, or when it lies wholly at or past
// the end of the list; otherwise true with `top` <= `end`, both clamped into
// 0 to count - 1.
bool KUBUN_SEL_OF(qint16 kind, qint32 count, qint32* top, qint32* end);
// Sets SEL_FLAG of the positions from `from` to `to` (clamped to the list).
void KUBUN_SEL_FLAGS(qint32 from, qint32 to, qint16 flag);
