// The index of the equipment the school holds, grouped by storage place, on
// which the lists by storage place work: every held record that passes the
// window's category and subject filters, by place number (its place in
// KEEP_LIST, the places missing from the list added to it), then the 管理
// part before the other categories, then category, subject, classification,
// item name and item number. With it the count of each place's two parts:
// 管理 (category name "管理") and 管理外 (every other category), so that the
// first KEEP_COUNT[p][0] entries of a place are its 管理 part.
//
// Place numbers 0 to KEEP_COUNT - 1 are the names of KEEP_LIST; the number
// after them (the place count at the end of the build) is the no-place row,
// which gathers the records without a storage place and those whose place
// could not be added because the list was full.
#pragma once
#include <QString>
#include <array>
#include <vector>

#include "store/state.h"

struct KEEP_INDEX_REC {
    qint32 REC_NO = 0;    // record in ZEMLO_DATA
    qint16 PLACE_NO = 0;  // place number
};

// The filters of the window: a category name (empty: every category) and,
// within it, a subject by its number.
struct KEEP_FILTER {
    QString KUBUN;
    bool BY_SUBJECT = false;
    qint16 NO_KY = 0;
};

// One build of the index with its counts.
struct KEEP_INDEX_DATA {
    std::vector<KEEP_INDEX_REC> KEEP_INDEX;  // KEEP_INDEX_COUNT entries
    qint32 KEEP_INDEX_COUNT = 0;
    // KEEP_COUNT[place][part]: part 0 管理, part 1 管理外.
    std::array<std::array<qint32, 2>, NAME_LIST_SLOTS> KEEP_COUNT{};
    // Position of each place's first entry (PLACE_START[p + 1] ends place p).
    std::array<qint32, NAME_LIST_SLOTS + 1> PLACE_START{};

    qint32 placeStart(int place) const;
    qint32 placeTotal(int place) const;
};

// The part of a record: 0 when its category name is "管理", else 1.
int KEEP_PART(const ZEMLO_REC& z);

// Builds the index over the held records of ZEMLO_DATA that pass `filter`,
// appending the storage places missing from KEEP_LIST while it holds fewer
// than 200 names (a place that finds the list full brings a message and
// goes to the no-place row), and saves the name lists once when it added
// any. Shows the progress window meanwhile.
void KEEP_INDEX_MAKE(KEEP_INDEX_DATA& d, const KEEP_FILTER& filter);

// The breakdown of one place: its entries grouped into runs of equal item
// names in index order, with the category of each run's first record and
// the number of records in it.
struct KEEP_BREAKDOWN {
    std::vector<QString> BREAKDOWN_NAME;
    std::vector<QString> BREAKDOWN_KUBUN;
    std::vector<qint32> BREAKDOWN_COUNT;
    qint32 BREAKDOWN_ROWS = 0;
};

// The breakdown of place `place` from the index: records whose storage place
// is not the place's name (the full list's leftovers in the no-place row)
// are left out. An empty place gives no rows.
KEEP_BREAKDOWN KEEP_BREAKDOWN_MAKE(const KEEP_INDEX_DATA& d, int place);
