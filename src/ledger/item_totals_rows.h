// The purchase batches of the per-item totals: every record of the item
// table, held or gone, folded with its neighbours of the same purchase into
// one row of IN_ROW_LIST (IN_ROW_MERGE), each row with its amount, the rows
// in purchase-date order (IN_ROW_SORT_DATE). The totals print and the
// detailed export read them.
//
// The row table has a slot for every record the register can hold, so a
// register of single-piece purchases still gets all its rows.
#pragma once
#include <QHash>
#include <QString>
#include <QtGlobal>
#include <vector>

// Rebuilds IN_ROW_LIST from records 0 to ZEMLO_COUNT - 1; sets ROW_COUNT,
// the rows' amounts and their purchase-date order (ROW_ORDER 2 once sorted).
// Yields to the event loop at each whole percent. Returns the row count.
qint32 NOTEL_IN_ROW_MAKE();

struct KUBUN_REC;

// The purchase-batch rows of each item name: a row belongs to a master entry
// whose category index, subject number, classification key and item name
// (exact, character by character) equal the row's. Built once over rows 0 to
// ROW_COUNT - 1, so that a walk over the whole master does not scan every
// row for every entry.
class NOTEL_ROW_INDEX {
public:
    NOTEL_ROW_INDEX();
    // The positions in IN_ROW_LIST of the rows of `e`, in row order.
    const std::vector<qint32>& rowsOf(const KUBUN_REC& e) const;

    struct Key {
        qint32 kubun = 0, noKy = 0, buKey = 0;
        QString name;
        bool operator==(const Key&) const = default;
    };

private:
    QHash<Key, std::vector<qint32>> rows_;
};

size_t qHash(const NOTEL_ROW_INDEX::Key& k, size_t seed = 0);
