// The category master KUBUN.ZMD, its sort, serials and subject index.
#pragma once
#include <QString>

struct KUBUN_REC;

// Numeric sort key of a classification code; throws csv::ReadError when the
// code cannot be converted (the callers' error handling reports it).
qint32 CODE_KEY(const QString& code);
// 1 + position of `name` in KUBUN_NAMES (1 to 21), 98 when none matches.
qint16 KUBUN_IDX_OF(const QString& name);
// 0 none, 1 発表, 2 道具, 3 実験, 4 情報 (exact text).
qint16 FUNC_NO_OF(const QString& funcText);
// The keys an item or plan record keeps in memory beside its category texts,
// set when the record is read: the category index, the classification
// code's sort key and the function-class number.
template <class REC>
void CATEGORY_KEYS_SET(REC& rec) {
    rec.KUBUN_IDX = KUBUN_IDX_OF(rec.KUBUN);
    rec.BU_KEY = CODE_KEY(rec.NO_BU);
    rec.FUNC_NO = FUNC_NO_OF(rec.FUNC_D);
}

// 1 loaded, 0 the file does not exist, -1 read error.
qint16 KUBUN_READ(qint16 reset);
// 1 written, -1 failed (after its message).
qint16 KUBUN_SAVE();
void KUBUN_SORT();
void KUBUN_SERIAL_SET();
void KYOUKA_INDEX_MAKE();

// Puts the whole master into key order (category index, subject number,
// code key, item-name serial; equal keys keep their order) without touching
// the serials, which the plan file and the items refer to; rebuilds the
// subject index and marks the master sorted. Writes nothing.
void KUBUN_ORDER();


// Appends an item name to the master at index KUBUN_COUNT and lists it in
// the subject index: at the end of the appended list of the first index
// entry with its category and subject names, or, for a subject the index
// does not hold yet, in a provisional entry just past the index (it takes
// effect when the index is next rebuilt). Returns that index entry's
// appended count (the caller sorts the master before the list runs full),
// or -1 when the master is full and nothing was appended.
qint32 KUBUN_APPEND(const KUBUN_REC& entry);
