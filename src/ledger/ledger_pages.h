// Which item records make up the ledger of a master entry and which of its
// sheets print: the records whose category index, subject number,
// classification key and item name equal the entry's, in item-table order,
// 25 to a sheet; with "廃棄備品印刷なし" the records with an out year above
// 1900 are left out. A replacement print ("２ページ以降差し替え分") prints the
// first sheet and every later sheet that holds a record changed on a day
// after the day of the entry's last ledger print. No widgets here.
#pragma once
#include <QDateTime>
#include <QHash>
#include <QString>
#include <vector>

#include "store/state.h"

inline constexpr int LEDGER_ROWS = 25;

// The member records of every master entry, gathered in one pass over the
// item table.
class LEDGER_MEMBERS {
public:
    // `outLeft`: leave out the records with an out year above 1900.
    explicit LEDGER_MEMBERS(bool outLeft);
    // The records of the entry, in item-table order (empty when none).
    const std::vector<qint32>& of(const KUBUN_REC& e) const;

private:
    QHash<QString, std::vector<qint32>> byKey_;
    std::vector<qint32> none_;
};

// The membership key of an item record or a master entry.
QString LEDGER_KEY(qint16 kubunIdx, qint16 noKy, qint32 buKey, const QString& name);

// True when the record's change date is a valid day later than the day of
// `printed` (an empty print date precedes every day).
bool LEDGER_CHANGED_SINCE(const ZEMLO_REC& z, const QDateTime& printed);

// The sheets of a member list that print, counted from 0: every sheet, or
// with `replacement` the first and the changed ones.
std::vector<int> LEDGER_SHEETS(const std::vector<qint32>& members, const QDateTime& printed, bool replacement);

// The sheet count of every master entry (PRT_PAGES) under the two options,
// from the entry's counters (and, for replacement prints of more than one
// sheet, from its records); returns the total over the master.
qint32 NOTE_PAGE_CALC_ALL(bool outLeft, bool replacement);
// The replacement sheets of one entry (at least 1).
qint16 NOTE_PAGE_CHG_CALC(qint32 master, bool outLeft);
