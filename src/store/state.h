// The program-wide tables, counters and settings of the register. Every
// window reads and changes them in place; the loaders replace a table whole
// and the savers write it whole. Names are the register's own.
//
// Every table holds all its slots from the start of the program, whatever
// loads later: a register that starts without files (a new school) adds to
// empty tables of full size. Code may index any slot below the table's limit.
// The one exception is IN_ROW_LIST, the purchase rows worked out from the
// items for the history and the per-item totals: it is empty until first
// built (IN_ROW_MERGE sizes it) and every reader keeps within its size.
#pragma once
#include <QDateTime>
#include <QString>
#include <array>
#include <vector>

#include "platform/big_table.h"
#include "store/print_kind.h"

// ---------------------------------------------------------------- limits
inline constexpr int ZEMLO_SLOTS = 30011;    // item table slots
inline constexpr int ZEMLO_MAX = 30000;      // registration limit
inline constexpr int KUBUN_SLOTS = 5011;     // category master slots
inline constexpr int NO_GROUP_SLOTS = ZEMLO_SLOTS;  // one group per record at most
inline constexpr int IN_ROW_SLOTS = ZEMLO_SLOTS;    // one row per record at most
inline constexpr int P_ZEMLO_SLOTS = 1011;   // plan slots
inline constexpr int P_ZEMLO_LAST = 1000;    // highest index a plan is stored at
inline constexpr int NAME_LIST_SLOTS = 202;  // name-list slots
inline constexpr int NAME_LIST_MAX = 200;    // entries the windows keep at most

// ---------------------------------------------------------------- items
struct ZEMLO_REC {
    qint16 BY_W = 0;      // era code of the fiscal year of registration: 3 昭和, 4 平成, 5 令和 (ERA_TABLE row + 3)
    qint16 BY_Y = 0;      // fiscal year within that era
    qint16 B_NO = 0;      // item number within the fiscal year
    qint16 B_NOS = 0;     // branch: the units of one registration share era, year and number and count 1, 2, 3, ...
    QString KEIHI;        // expense type, as its text (one of KEIHI_NAMES)
    qint16 BIN_Y = 0;     // purchase (or relocation-in) date: Gregorian year; 0 without a date
    qint16 BIN_M = 0;     // purchase date: month
    qint16 BIN_D = 0;     // purchase date: day
    qint16 BIN_X = 0;     // fourth value of the purchase date, kept as read (no window sets it; it takes part in
                          // the purchase-history rows' merge)
    qint32 B_MONY = 0;    // unit price in whole yen, as entered (tax added on top for tax mode 1)
    qint16 TAX_K = 0;     // tax mode: 1 外税 (tax added to the price), 2 内税 (included), 3 無し; 0 none chosen
    qint16 TAX = 0;       // tax rate in percent
    QString SHOP;         // supplier
    QString MAKER;        // maker
    QString MAKER_NO;     // model number
    qint16 BOUT_Y = 0;    // out date (disposal or relocation out): Gregorian year; 0 while the unit is held
    qint16 BOUT_M = 0;    // out date: month
    qint16 BOUT_D = 0;    // out date: day
    qint16 BOUT_X = 0;    // fourth value of the out date, kept as read (no window sets it)
    QString KEEP;         // storage place
    QString KUBUN;        // category name (備品区分), one of KUBUN_NAMES
    qint16 NO_KY = 0;     // subject number: the first level under the category
    QString KYOUKA;       // subject name
    QString NO_BU;        // classification code: the second level, up to three characters
    QString BUNRUI;       // classification name
    QString NAME_D;       // item name
    QString MSG;          // remarks
    qint16 CHG_Y = 0;     // date of the registration or the last change: year (0 none)
    qint16 CHG_M = 0;     // change date: month
    qint16 CHG_D = 0;     // change date: day
    qint16 CHG_X = 0;     // fourth value of the change date, kept as read (no window sets it)
    QString OLD_NO;       // the item number before the last renumbering, as text (R5-12-1); empty when never renumbered
    QString MOVE_N;       // where a relocated-in unit came from (移設元); goes with MOVE_F bit 0
    QString MOVE_N2;      // the disposal reason, or the destination of a relocation out (MOVE_F bit 1)
    QString FUNC_D;       // function class as text: empty or "発表", "道具", "実験", "情報"
    qint16 MOVE_F = 0;    // flags: bit 0 (1) relocated in, bit 1 (2) relocated out; a unit with an out date
                          // and bit 1 clear is disposed (廃棄), with bit 1 set relocated (移設)
    // Held in memory only, worked out at loading and kept up by the windows and the link.
    qint16 KUBUN_IDX = 0; // category index: 1 + the position of KUBUN in KUBUN_NAMES (1 to 21); 98 no match
    qint32 BU_KEY = 0;    // numeric sort key of NO_BU (CODE_KEY)
    qint16 FUNC_NO = 0;   // function class number: 0 none, 1 発表, 2 道具, 3 実験, 4 情報
    qint16 NAME_NO = 0;   // item-name serial of the master entry the item is linked to; 0 until linked
};

inline std::vector<ZEMLO_REC> ZEMLO_DATA = bigtable::of<ZEMLO_REC>(ZEMLO_SLOTS);
inline qint32 ZEMLO_COUNT = 0;
inline qint32 ZEMLO_SORTED = 0;
inline qint16 ZEMLO_SORT_FLAG = 0;
inline qint32 ZEMLO_CHANGED = 0;

// The item list's view: display and sort order of the records.
struct ZEMLO_INDEX_REC {
    qint32 IDX = 0;  // record index in ZEMLO_DATA
    qint16 SEL = 0;  // 1 = row selected
};
inline std::vector<ZEMLO_INDEX_REC> ZEMLO_INDEX = std::vector<ZEMLO_INDEX_REC>(ZEMLO_SLOTS);
inline qint32 INDEX_COUNT = 0;
struct INDEX_SEL_REC {
    qint32 SEL_FIRST = 0;
    qint32 SEL_LAST = 0;
};
inline INDEX_SEL_REC INDEX_SEL;

// Number groups: runs of consecutive records with equal era, year and number.
struct NO_GROUP_REC {
    qint16 BY_W = 0, BY_Y = 0, B_NO = 0;
    qint32 REC_FIRST = 0, REC_LAST = 0;
};
inline std::vector<NO_GROUP_REC> NO_GROUP = std::vector<NO_GROUP_REC>(NO_GROUP_SLOTS);
inline qint32 NO_GROUP_COUNT = 0;

// Shared with the add-to-master question window.
struct KUBUN_ASK_REC {
    qint32 ASK_NO = 0;
    QString ASK_NAME;
    qint16 ASK_ANSWER = 0;
};
inline KUBUN_ASK_REC KUBUN_ASK;

// The out date the disposal dialog proposes next; invalid until it is
// first closed with a whole date in a run (never stored on disk).
inline QDateTime OUT_DAY_LAST;

// Entry window hand-shake and plan picker result.
inline qint16 ZEMLO_IN_STATE = 0;
inline qint32 PIN_SEL = -1;
// The plan list's add loop and the plan entry window: 1 after a registration.
inline qint16 P_ZEMLO_IN_STATE = 0;

// ---------------------------------------------------------------- category master
struct KUBUN_REC {
    QString KUBUN;        // category name (備品区分), one of KUBUN_NAMES
    qint16 NO_KY = 0;     // subject number: the first level under the category
    QString KYOUKA;       // subject name
    QString NO_BU;        // classification code, up to three characters (half-width upper case once loaded)
    QString BUNRUI;       // classification name
    qint32 NAME_NO = 0;   // item-name serial within category, subject name and classification name (1, 2, 3, ...)
    QString NAME_D;       // item name
    qint32 IN_CNT = 0;    // registered count: the items linked to this entry
    qint32 OUT_CNT = 0;   // out count: the linked items that have an out date (disposed or relocated out)
    QString FUNC_D;       // function class as text: empty or "発表", "道具", "実験", "情報"
    QDateTime PRT_DATE;   // date and time of the entry's last equipment-ledger print; invalid = never
    QDateTime CHG_DATE;   // date of the last change of an item of this entry; invalid = none
    // Held in memory only.
    qint16 KUBUN_IDX = 0; // category index: 1 + the position of KUBUN in KUBUN_NAMES (1 to 21); 98 no match
    qint32 BU_KEY = 0;    // numeric sort key of NO_BU (CODE_KEY)
    qint16 FUNC_NO = 0;   // function class number: 0 none, 1 発表, 2 道具, 3 実験, 4 情報
    qint16 PRT_MARK = 0;  // the ledger windows' print tick: 1 ticked, 0 not
    qint16 PRT_PAGES = 0; // the ledger sheets the entry takes under the ledger window's options
};

inline std::vector<KUBUN_REC> KUBUN_DATA = std::vector<KUBUN_REC>(KUBUN_SLOTS);
inline qint32 KUBUN_COUNT = 0;
inline qint32 KUBUN_FLAGS = 0;   // bit 0 sorted, bit 1 every item matched
inline qint32 KUBUN_SORTED = -1; // index of the last entry of the ordered leading part

struct KYOUKA_INDEX_REC {
    qint16 KUBUN_IDX = 0;
    QString KUBUN;
    qint16 NO_KY = 0;
    QString KYOUKA;
    qint32 KY_FIRST = 0, KY_LAST = 0;
    qint32 ADD_COUNT = 0;
    std::array<qint32, 21> ADD_IDX{};
};
inline std::vector<KYOUKA_INDEX_REC> KYOUKA_INDEX = std::vector<KYOUKA_INDEX_REC>(KUBUN_SLOTS);
inline qint32 KYOUKA_COUNT = 0;

// The row list of the windows over the category master (the editor, the
// function-class list, the ledger windows): per position the master index it
// shows and whether it is selected, the number of positions a subset list
// fills, the selected range and the ledger's total of marked sheets. It is
// sized at program start and lives for the whole run; nothing clears it when
// a window opens. KUBUN_SEL_KIND is the window kind (FORM_KIND) that wrote
// the range last, 0 before any: a window uses the range only when it wrote it
// itself (see KUBUN_SEL_OF).
struct KUBUN_LIST_VIEW_REC {
    qint32 KUBUN_IDX = 0;
    qint16 SEL_FLAG = 0;
};
inline std::vector<KUBUN_LIST_VIEW_REC> KUBUN_LIST_VIEW = std::vector<KUBUN_LIST_VIEW_REC>(KUBUN_SLOTS);
inline qint32 KUBUN_VIEW_COUNT = 0;
inline qint32 KUBUN_SEL_TOP = 0, KUBUN_SEL_END = 0;
inline qint32 KUBUN_SHEET_SUM = 0;
inline qint16 KUBUN_SEL_KIND = 0;

// ---------------------------------------------------------------- plans
struct P_ZEMLO_REC {
    qint32 BY_W = 0;      // era code of the planned fiscal year: 3 昭和, 4 平成, 5 令和
    qint32 BY_Y = 0;      // planned fiscal year within that era
    qint32 B_COUNT = 0;   // quantity to buy
    QString KH_KUBUN;     // expense type, as its text (one of KEIHI_NAMES)
    qint32 B_MONY = 0;    // unit price in whole yen
    qint32 TAX_K = 0;     // tax mode: 1 外税 (tax added to the price), 2 内税 (included), 3 無し; 0 none chosen
    qint32 TAX = 0;       // tax rate in percent
    QString SHOP;         // supplier
    QString MAKER;        // maker
    QString MAKER_NO;     // model number
    QString KUBUN;        // category name (備品区分), one of KUBUN_NAMES
    qint32 NO_KY = 0;     // subject number
    QString KYOUKA;       // subject name
    QString NO_BU;        // classification code
    QString BUNRUI;       // classification name
    QString NAME_D;       // item name
    qint32 NAME_NO = 0;   // item-name serial within category, subject and classification
    QString MSG;          // remarks
    QString KEEP;         // storage place
    QString CATALOG;      // catalogue the item is ordered from
    QString CATALOG_P;    // page in that catalogue
    QString FUNC_D;       // function class as text: empty or "発表", "道具", "実験", "情報"
    qint16 COUNT_NOW = 0; // units of the item name held now, as the plan list's recount found them
    // Held in memory only.
    qint32 KUBUN_IDX = 0; // category index: 1 + the position of KUBUN in KUBUN_NAMES (1 to 21); 98 no match
    qint32 BU_KEY = 0;    // numeric sort key of NO_BU (CODE_KEY)
    qint16 FUNC_NO = 0;   // function class number: 0 for any other text, 1 発表, 2 道具, 3 実験, 4 情報
    qint32 KEIHI_IDX = 0; // position of KH_KUBUN in KEIHI_NAMES (0 to 6); 7 when not there (set by the sort)
    __int128 MONY_T = 0;  // the amount the plan list computes: quantity × price with the tax rule, whole yen
                          // (128 bits: exact for any quantity, price and rate)
};
inline std::vector<P_ZEMLO_REC> P_ZEMLO_DATA = std::vector<P_ZEMLO_REC>(P_ZEMLO_SLOTS);
inline qint32 P_ZEMLO_COUNT = 0;
inline qint32 P_ZEMLO_SORTED = 0;
inline qint32 P_ZEMLO_CHANGED = 0;

// The plan list's view: the plans it shows, in list order, with the selected
// range. The plan list rebuilds entries 0 to P_VIEW_COUNT - 1 at every
// listing and search; the range is set only by clicks on its number pane and
// lives for the whole run (both 0 at start).
inline constexpr int P_LIST_SLOTS = 5011;
struct P_LIST_VIEW_REC {
    qint32 P_IDX = 0;  // plan index in P_ZEMLO_DATA
    qint16 SEL = 0;    // 1 = row drawn as selected
};
inline std::vector<P_LIST_VIEW_REC> P_LIST_VIEW = std::vector<P_LIST_VIEW_REC>(P_LIST_SLOTS);
inline qint32 P_VIEW_COUNT = 0;
inline qint32 P_SEL_FIRST = 0, P_SEL_LAST = 0;

// ---------------------------------------------------------------- name lists
inline std::array<QString, NAME_LIST_SLOTS> SHOP_LIST, MAKER_LIST, KEEP_LIST;
inline qint16 SHOP_COUNT = 0, MAKER_COUNT = 0, KEEP_COUNT = 0;

// ---------------------------------------------------------------- derived lists
struct OUT_LIST_REC {
    qint32 OUT_REC = 0;
    qint16 OUT_ALL = 0;
};
inline std::vector<OUT_LIST_REC> OUT_LIST = std::vector<OUT_LIST_REC>(ZEMLO_SLOTS);
inline qint32 OUT_COUNT = 0;

// The disposed-item list's view of OUT_LIST: the rows its search shows, with
// the record index, the selected flag and the whole-purchase-out flag, and
// the selected range. OUT_LIST_MAKE empties it together with OUT_LIST.
struct OUT_LIST_VIEW_REC {
    qint32 REC_NO = 0;
    qint16 SEL_FLAG = 0;
    qint16 ROW_FLAG = 0;
};
inline std::vector<OUT_LIST_VIEW_REC> OUT_LIST_VIEW = std::vector<OUT_LIST_VIEW_REC>(ZEMLO_SLOTS);
inline qint32 OUT_VIEW_COUNT = 0;
inline qint32 OUT_SEL_TOP = 0, OUT_SEL_END = 0;

struct IN_ROW {
    qint32 BY_W = 0;      // era code of the rows' records (3 昭和, 4 平成, 5 令和)
    qint32 BY_Y = 0;      // their fiscal year within the era
    qint32 B_NO = 0;      // their item number
    qint32 NOS_FIRST = 0; // branch of the row's first record
    qint32 NOS_LAST = 0;  // branch of the row's last record
    qint32 ROW_QTY = 0;   // number of records (units) in the row
    qint32 ROW_OUT = 0;   // how many of them have an out year (disposed or relocated out)
    QString KEIHI;        // expense type, as its text
    qint32 BIN_Y = 0;     // purchase date: Gregorian year; 0 without a date
    qint32 BIN_M = 0;     // purchase date: month
    qint32 BIN_D = 0;     // purchase date: day
    qint32 BIN_X = 0;     // fourth value of the purchase date, as the records hold it
    qint32 B_MONY = 0;    // unit price in whole yen
    qint32 TAX_K = 0;     // tax mode: 1 外税, 2 内税, 3 無し; 0 none chosen
    qint32 TAX = 0;       // tax rate in percent
    qint64 ROW_MONY = 0;  // the row's amount (quantity × price with the tax rule), worked out by the purchase
                          // history, 0 until then; 64 bits: price × quantity with tax overflows 32
    QString SHOP;         // supplier
    QString MAKER;        // maker
    QString MAKER_NO;     // model number
    qint32 KUBUN_IDX = 0; // category index: 1 + the position of KUBUN in KUBUN_NAMES (1 to 21); 98 no match
    QString KUBUN;        // category name
    qint32 NO_KY = 0;     // subject number
    QString KYOUKA;       // subject name
    QString NO_BU;        // classification code
    qint32 BU_KEY = 0;    // numeric sort key of NO_BU (CODE_KEY)
    QString BUNRUI;       // classification name
    qint16 FUNC_NO = 0;   // function class number: 0 none, 1 発表, 2 道具, 3 実験, 4 情報 (of the first record)
    QString FUNC_D;       // function class as text (of the first record)
    QString NAME_D;       // item name
    qint32 NAME_NO = 0;   // item-name serial of the linked master entry; 0 not linked
    QString MSG;          // remarks: the records' common remarks, empty when they differ
};
inline std::vector<IN_ROW> IN_ROW_LIST;  // sized when first built
inline qint32 ROW_COUNT = 0;
inline qint16 ROW_ORDER = 0;
// The selected range of the purchase-history rows (positions, first <= last),
// set by clicks on the history's number pane; kept across closing the window
// (both 0 at start). A new search of the history empties it.
inline qint32 IN_SEL_FIRST = 0, IN_SEL_LAST = 0;
// The selected flag of each row position (1 selected): flags belong to
// positions, so a sort of the rows leaves them where they are. One per row slot.
inline std::vector<qint16> IN_ROW_FLAG = std::vector<qint16>(IN_ROW_SLOTS);

// ---------------------------------------------------------------- settings
struct LABEL_LAYOUT_REC {
    float L_HEIGHT = 0, L_WIDTH = 0, L_TOP = 0, L_LEFT = 0, L_V_SPAN = 0, L_H_SPAN = 0;
    qint16 L_V_COUNT = 0, L_H_COUNT = 0, L_FLAGS = 0, L_D_COUNT = 0;
    std::array<QString, 6> L_P_DATA;
    std::array<QString, 6> L_P_TXT;
};

inline QString PRG_DIR;      // program folder
inline QString WORK_DIR;     // work folder (the program folder)
inline QString DATA_DIR;     // data folder
inline QString SCHOOL_NAME;
inline qint32 SCHOOL_CODE = 0;
inline QString SEW_KEPT_TEXT;  // third value of the settings file's first line, kept as read
inline QString PASS_CODE;
inline qint16 TAX_RATE = 0;
inline qint16 TAX_MODE = 0;    // 0 外税, 1 内税, 2 無し (memory only)
inline std::array<float, 4> PRT_ADJ{};  // portrait right, down, landscape right, down (mm)
inline qint32 SET_FLAGS = 0;
inline LABEL_LAYOUT_REC LABEL_LAYOUT;
inline std::array<QString, 2> KUBUN_LEVEL_NAME;
inline std::array<QString, 7> KEIHI_NAMES;
inline std::array<QString, 21> KUBUN_NAMES;
inline qint16 DRIVE_MODE = 0;  // 1 portable (removable drive)
inline QString REG_APP = QStringLiteral("ZEMLO2");
inline qint16 CITY_MODE = 0;
inline qint16 FORM_KIND = 0;
inline QString SET_S_DIR, SET_D_DIR;
inline qint16 NOTICE_OFF = 0;

// The era table: base year, name and letter; era code = row + 3.
struct ERA_ROW {
    qint16 ERA_BASE;
    QString ERA_NAME;
    QString ERA_CHAR;
};
inline std::array<ERA_ROW, 3> ERA_TABLE{{{1925, QStringLiteral("昭和"), QStringLiteral("S")},
                                         {1988, QStringLiteral("平成"), QStringLiteral("H")},
                                         {2018, QStringLiteral("令和"), QStringLiteral("R")}}};
// Long names of the four function classes 発表, 道具, 実験, 情報.
inline std::array<QString, 5> FUNC_NAME;

// Print kind and stop flag shared by the print windows and jobs.
inline PrintKind PRT_KIND = PrintKind::NONE;
inline qint16 PRT_STOP = 0;
// Stop flag of the copy loops' progress window.
inline qint16 WORK_STOP = 0;

// Per-file "loaded in this run" state: a table whose file exists but did not
// load is never saved over it.
struct LOADED_STATE {
    bool ZEMLO = false, KUBUN = false, P_ZEMLO = false, ETC = false;
};
inline LOADED_STATE LOADED;

// The tables whose changes in memory are not written yet, as bits of
// store::Table (store/save_changed.h): set when a save fails, cleared by a
// save that succeeds and by a load.
inline unsigned TABLES_UNSAVED = 0;

// Resets every table, counter and setting to its state at program start.
void STATE_RESET();
