// Writing the tables that a user action changed, so that a crash or a power
// cut loses at most the action under way.
//
// Every window action that changes a table in memory (a registration, a
// change, a delete, a disposal, a place change, an edit of the master, the
// plans or the name lists) ends with one call naming the tables it changed:
//
//     store::saveChanged(store::ITEMS | store::MASTER);
//
// Each named table is written whole through its own saver (ZEMLO_SAVE,
// KUBUN_SAVE, P_ZEMLO_SAVE, ETC_SAVE), so the atomic writer, the
// loaded-in-this-run guard and the saver's message on failure all apply.
// A table whose save failed is remembered as unsaved (TABLES_UNSAVED): every
// later saveChanged writes it again, the backup writes it before it copies
// (saveChanged(0)), and the end of the program offers to try it again. A
// save that succeeds and a load of the table clear the mark; the savers keep
// it themselves, whoever calls them.
//
// Windows whose changes wait for a question (the renumbering list saves only
// when the user confirms) call nothing until the answer is yes.
#pragma once
#include <QString>

namespace store {

enum Table : unsigned {
    ITEMS = 1,       // ZEMLO_DATA -> ZEMLO.ZMD (in table order)
    MASTER = 2,      // KUBUN_DATA -> KUBUN.ZMD
    PLANS = 4,       // P_ZEMLO_DATA -> P_ZEMLO.ZMD
    NAME_LISTS = 8,  // SHOP_LIST, MAKER_LIST, KEEP_LIST -> ETC.ZMD
};
inline constexpr Table kTables[] = {ITEMS, MASTER, PLANS, NAME_LISTS};

// Writes every table named in `tables` (bits of Table) and every table still
// unsaved from an earlier failure. True when every one of them was written.
bool saveChanged(unsigned tables);

// Writes the one table through its saver; true when written.
bool saveTable(Table t);

// What the user calls the table and its file, for the end of the program's
// question ("備品データ（ZEMLO.ZMD）").
QString tableTitle(Table t);

// Called by the savers and the loaders only: `written` true clears the
// table's unsaved mark, false sets it.
void noteWritten(Table t, bool written);

}  // namespace store
