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
    qint16 BY_W = 0, BY_Y = 0, B_NO = 0, B_NOS = 0;
    QString KEIHI;
    qint16 BIN_Y = 0, BIN_M = 0, BIN_D = 0, BIN_X = 0;
    qint32 B_MONY = 0;
    qint16 TAX_K = 0, TAX = 0;
    QString SHOP, MAKER, MAKER_NO;
    qint16 BOUT_Y = 0, BOUT_M = 0, BOUT_D = 0, BOUT_X = 0;
    QString KEEP, KUBUN;
    qint16 NO_KY = 0;
    QString KYOUKA, NO_BU, BUNRUI, NAME_D, MSG;
    qint16 CHG_Y = 0, CHG_M = 0, CHG_D = 0, CHG_X = 0;
    QString OLD_NO, MOVE_N, MOVE_N2, FUNC_D;
    qint16 MOVE_F = 0;
    // Held in memory only.
    qint16 KUBUN_IDX = 0;
    qint32 BU_KEY = 0;
    qint16 FUNC_NO = 0;
    qint16 NAME_NO = 0;
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
    QString KUBUN;
    qint16 NO_KY = 0;
    QString KYOUKA, NO_BU, BUNRUI;
    qint32 NAME_NO = 0;
    QString NAME_D;
    qint32 IN_CNT = 0, OUT_CNT = 0;
    QString FUNC_D;
    QDateTime PRT_DATE;  // invalid = empty date
    QDateTime CHG_DATE;  // invalid = empty date
    // Held in memory only.
    qint16 KUBUN_IDX = 0;
    qint32 BU_KEY = 0;
    qint16 FUNC_NO = 0;
    qint16 PRT_MARK = 0, PRT_PAGES = 0;
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
    qint32 BY_W = 0, BY_Y = 0, B_COUNT = 0;
    QString KH_KUBUN;
    qint32 B_MONY = 0, TAX_K = 0, TAX = 0;
    QString SHOP, MAKER, MAKER_NO, KUBUN;
    qint32 NO_KY = 0;
    QString KYOUKA, NO_BU, BUNRUI, NAME_D;
    qint32 NAME_NO = 0;
    QString MSG, KEEP, CATALOG, CATALOG_P, FUNC_D;
    qint16 COUNT_NOW = 0;
    // Held in memory only.
    qint32 KUBUN_IDX = 0;
    qint32 BU_KEY = 0;
    qint16 FUNC_NO = 0;
    qint32 KEIHI_IDX = 0;
    __int128 MONY_T = 0;  // the amount the plan list computes (128 bits: exact for any quantity, price and rate)
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
    qint32 BY_W = 0, BY_Y = 0, B_NO = 0;
    qint32 NOS_FIRST = 0, NOS_LAST = 0;
    qint32 ROW_QTY = 0, ROW_OUT = 0;
    QString KEIHI;
    qint32 BIN_Y = 0, BIN_M = 0, BIN_D = 0, BIN_X = 0;
    qint32 B_MONY = 0, TAX_K = 0, TAX = 0;
    qint64 ROW_MONY = 0;  // the row's amount, in 64 bits: price × quantity with tax overflows 32
    QString SHOP, MAKER, MAKER_NO;
    qint32 KUBUN_IDX = 0;
    QString KUBUN;
    qint32 NO_KY = 0;
    QString KYOUKA, NO_BU;
    qint32 BU_KEY = 0;
    QString BUNRUI;
    qint16 FUNC_NO = 0;
    QString FUNC_D, NAME_D;
    qint32 NAME_NO = 0;
    QString MSG;
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
inline qint16 PRT_KIND = 0;
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
