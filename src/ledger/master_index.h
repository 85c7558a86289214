// The index of master entries that the ledger windows list (the equipment
// ledger NOTE_P and the per-item totals NOTE_L) and what their four filter
// boxes offer: the categories, subjects, classifications and item names of
// the index, each once, and the filter test of the search. No widgets here.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include "store/category_lists.h"
#include "store/state.h"

// KUBUN_INDEX := every master entry with registered or out pieces, in
// master order; KUBUN_INDEX_COUNT := how many.
void KUBUN_INDEX_MAKE();

// The master entry at an index position.
inline const KUBUN_REC& NOTE_ENTRY(qint32 pos) { return KUBUN_DATA[size_t(KUBUN_INDEX[size_t(pos)])]; }

// The filter path chosen in the four boxes: an empty text (or no subject)
// lets every entry pass at that level.
struct NOTE_FILTER {
    QString KUBUN;
    bool BY_KYOUKA = false;  // a subject is chosen
    qint16 NO_KY = 0;        // its number
    QString BUNRUI;
    QString NAME_D;
};
// True when the entry passes the four tests (texts compared exactly).
bool NOTE_FILTER_PASS(const NOTE_FILTER& f, const KUBUN_REC& e);

// The category box: an empty line, then each category name of the index once.
QStringList NOTE_KUBUN_NAMES();
// The subject box of a category, scanned from index position `from`: one
// line per subject number (the name cut at its first blank) with the number.
void NOTE_KYOUKA_NAMES(const QString& kubun, qint32 from, QStringList& names, QList<qint16>& numbers);
// The classification names of a category and subject, from `from`, each once.
QStringList NOTE_BUNRUI_NAMES(const QString& kubun, qint16 noKy, qint32 from);
// The item names of a category, subject and classification, from `from`.
QStringList NOTE_NAME_NAMES(const QString& kubun, qint16 noKy, const QString& bunrui, qint32 from);

// The first index position from `from` whose entry matches the path down to
// `level` (1 category, 2 subject, 3 classification, 4 item name); -1 none.
qint32 NOTE_JUMP_FIND(int level, const NOTE_FILTER& f, qint32 from);
