// The lists of the category-key cascades of the category windows, built
// from the subject index and the category master: the subjects of a
// category, the master range of a subject, the classifications of a subject
// and the item names of a classification. The category list itself is
// KUBUN_LIST_NAMES (store/category_lists.h).
#pragma once
#include <QString>
#include <QStringList>

namespace kubun_keys {

// The subject names of a category (by name), each once, in subject-index order.
QStringList subjectNames(const QString& kubun);

// First and last master index of a subject: from the first subject-index
// entry with this name under the category index to the largest last index
// of all of them; empty when there is none.
struct Range {
    qint32 first = -1, last = -1;
    bool empty() const { return first < 0; }
};
Range subjectRange(qint16 kubunIdx, const QString& subject);

// The classification names of a subject within its range, each once;
// *noKy becomes the subject number of the first entry (unchanged when none).
QStringList classNames(const Range& r, const QString& kubun, const QString& subject, qint16* noKy);
// The item names of a classification within the subject's range, each
// once; *code becomes the classification code of the first entry and
// *first its master index (both unchanged when none).
QStringList itemNames(const Range& r, const QString& kubun, const QString& subject, const QString& bunrui,
                      QString* code, qint32* first);
// The master index of the first entry of the range with these names; -1.
qint32 itemEntry(const Range& r, const QString& kubun, const QString& subject, const QString& bunrui,
                 const QString& name);

// A classification code as typed: blanks trimmed, half-width upper case.
// False when CODE_KEY cannot convert it (the master and the items could not
// be loaded again); otherwise *code and *key hold the stored form and its key.
bool codeNormal(const QString& typed, QString* code, qint32* key);
// A subject number as typed: a whole number 0 to 99 (full-width digits
// allowed, blanks trimmed). False for anything else.
bool subjectNo(const QString& typed, qint16* number);

// The function texts in list order: "", 発表, 道具, 実験, 情報.
const QStringList& functionTexts();

}  // namespace kubun_keys
