// Replaces one category key by another in the category master, the items
// and the purchase plans in memory, at the subject, classification or
// item-name level. Records match by their names, texts compared exactly;
// numbers and codes of the old key take no part. Every rewritten record
// gets the new names, numbers and codes together with the keys derived
// from them (category index, code key). Nothing is written to disk.
#pragma once
#include <QString>
#include <functional>

struct KEY_CHANGE {
    qint16 level = 2;  // 0 subject, 1 classification, 2 item name
    // The old key's names.
    QString kubun, kyouka, bunrui, name;
    // The new key: names, subject number and code (checked by the caller:
    // the code converts by CODE_KEY, the number is 0 to 99).
    QString nKubun, nKyouka, nBunrui, nName, nCode;
    qint16 nNoKy = 0;
    // Item-name level: the serial the items and plans take, whether they
    // merge into an existing entry (the master is then left alone), and the
    // master entry of the old item name (rewritten in place otherwise).
    qint32 serial = 0;
    bool merge = false;
    qint32 oldEntry = -1;
};

// The first master entry whose category, subject and classification names,
// subject number, code and item name all equal the new key's; -1 for none.
qint32 KEY_CONVERT_FIND(const KEY_CHANGE& c);
// One above the highest item-name serial of the master entries filed under
// the new key's category, subject and classification names (1 for none).
qint64 KEY_CONVERT_NEXT_SERIAL(const KEY_CHANGE& c);

// Converts at the change's level: the master, then the items, then the
// plans. `step` is called as records are visited with the number visited so
// far and the total (master entries looked at plus items plus plans); it is
// called at least once at the end. Returns the number of records converted.
qint32 KEY_CONVERT(const KEY_CHANGE& c, const std::function<void(qint32 visited, qint32 total)>& step);
