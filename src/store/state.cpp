#include "store/state.h"

#include "store/category_lists.h"

void STATE_RESET() {
    ZEMLO_DATA.assign(ZEMLO_SLOTS, ZEMLO_REC{});
    ZEMLO_COUNT = 0;
    ZEMLO_SORTED = 0;
    ZEMLO_SORT_FLAG = 0;
    ZEMLO_CHANGED = 0;
    ZEMLO_INDEX.assign(ZEMLO_SLOTS, ZEMLO_INDEX_REC{});
    INDEX_COUNT = 0;
    INDEX_SEL = {};
    NO_GROUP.assign(NO_GROUP_SLOTS, NO_GROUP_REC{});
    NO_GROUP_COUNT = 0;
    KUBUN_ASK = {};
    OUT_DAY_LAST = QDateTime();
    ZEMLO_IN_STATE = 0;
    PIN_SEL = -1;
    P_ZEMLO_IN_STATE = 0;

    KUBUN_DATA.assign(KUBUN_SLOTS, KUBUN_REC{});
    KUBUN_COUNT = 0;
    KUBUN_FLAGS = 0;
    KUBUN_SORTED = -1;
    KYOUKA_INDEX.assign(KUBUN_SLOTS, KYOUKA_INDEX_REC{});
    KYOUKA_COUNT = 0;
    KUBUN_LIST_VIEW.assign(KUBUN_SLOTS, KUBUN_LIST_VIEW_REC{});
    KUBUN_VIEW_COUNT = 0;
    KUBUN_SEL_TOP = KUBUN_SEL_END = 0;
    KUBUN_SHEET_SUM = 0;
    KUBUN_SEL_KIND = 0;
    KUBUN_INDEX.assign(KUBUN_SLOTS, 0);
    KUBUN_INDEX_COUNT = 0;

    P_ZEMLO_DATA.assign(P_ZEMLO_SLOTS, P_ZEMLO_REC{});
    P_ZEMLO_COUNT = 0;
    P_ZEMLO_SORTED = 0;
    P_ZEMLO_CHANGED = 0;
    P_LIST_VIEW.assign(P_LIST_SLOTS, P_LIST_VIEW_REC{});
    P_VIEW_COUNT = 0;
    P_SEL_FIRST = P_SEL_LAST = 0;

    SHOP_LIST.fill(QString());
    MAKER_LIST.fill(QString());
    KEEP_LIST.fill(QString());
    SHOP_COUNT = MAKER_COUNT = KEEP_COUNT = 0;

    OUT_LIST.assign(ZEMLO_SLOTS, OUT_LIST_REC{});
    OUT_COUNT = 0;
    OUT_LIST_VIEW.assign(ZEMLO_SLOTS, OUT_LIST_VIEW_REC{});
    OUT_VIEW_COUNT = 0;
    OUT_SEL_TOP = OUT_SEL_END = 0;
    IN_ROW_LIST = std::vector<IN_ROW>();  // as at the start: sized when first built
    ROW_COUNT = 0;
    ROW_ORDER = 0;
    IN_SEL_FIRST = IN_SEL_LAST = 0;
    IN_ROW_FLAG.assign(IN_ROW_SLOTS, 0);

    PRG_DIR.clear();
    WORK_DIR.clear();
    DATA_DIR.clear();
    SCHOOL_NAME.clear();
    SCHOOL_CODE = 0;
    SEW_KEPT_TEXT.clear();
    PASS_CODE.clear();
    TAX_RATE = 0;
    TAX_MODE = 0;
    PRT_ADJ.fill(0);
    SET_FLAGS = 0;
    LABEL_LAYOUT = {};
    KUBUN_LEVEL_NAME.fill(QString());
    KEIHI_NAMES.fill(QString());
    KUBUN_NAMES.fill(QString());
    DRIVE_MODE = 0;
    REG_APP = QStringLiteral("ZEMLO2");
    CITY_MODE = 0;
    FORM_KIND = 0;
    SET_S_DIR.clear();
    SET_D_DIR.clear();
    NOTICE_OFF = 0;
    FUNC_NAME.fill(QString());
    PRT_KIND = PrintKind::NONE;
    PRT_STOP = 0;
    WORK_STOP = 0;
    LOADED = {};
    TABLES_UNSAVED = 0;
}
