// Registering new items and storing changed ones: the checks with their
// messages, the number proposals, the number groups, the new category-master
// and name-list entries, and the upkeep at closing. No widgets here: the
// entry window (A_ZEMLO_IN) and the change window (A_ZEMLO_CHG) hand their
// boxes over as texts and choices, so every rule can be run and tested alone.
#pragma once
#include <QDate>
#include <QString>

// ---------------------------------------------------------------- shared rules

// The title every box of the registration carries.
inline const QString kEntryTitle = QStringLiteral("備品登録");

// The number a number box holds: full-width digits count as digits, then the
// leading number is read (blanks skipped, empty or non-numeric text reads 0)
// and rounded half to even. Returned in 64 bits so that callers can test the
// range of the field before storing.
qint64 BOX_VALUE(const QString& text);
// True when the box holds nothing but blanks.
bool BOX_EMPTY(const QString& text);
// True when the box's number fits a 16-bit field.
bool FITS_INT16(qint64 v);
bool FITS_INT32(qint64 v);

// A date typed as era row (0 昭和, 1 平成, 2 令和), era year, month and day.
enum class DateInput { Empty, Partial, Invalid, Valid };
// Empty: all three parts 0. Partial: one or two parts 0. Invalid: a date that
// does not exist (month 13, 2021/2/30) or an era row outside the table.
// Valid: *out holds the Gregorian date.
DateInput DATE_INPUT(int eraRow, qint64 year, qint64 month, qint64 day, QDate* out = nullptr);

// The era row (0 昭和, 1 平成, 2 令和) a stored date is shown in, by the
// date's era in the Japanese calendar; -1 for a date outside those eras.
int ERA_ROW_OF(const QDate& d);

// The proposed fiscal year for `today`: the era row and the year within it.
// From fiscal 2020 on it is 令和 (fiscal year − 2018); before, 平成.
void FISCAL_YEAR_DEFAULT(const QDate& today, int* eraRow, int* year);

// 1 + the highest number among the number groups of the era code and year
// (1 when there is none).
qint32 ZEMLO_NEXT_NO(qint16 eraCode, qint64 year);
// The first number group of era code, year and number: its index, or
// NO_GROUP_COUNT when the number has no group.
qint32 ZEMLO_GROUP_OF(qint16 eraCode, qint64 year, qint64 no);
// 1 + the highest branch among the records of the number's group that carry
// that number (1 when the number has no group).
qint32 ZEMLO_NEXT_NOS(qint16 eraCode, qint64 year, qint64 no, qint32* groupIdx = nullptr);

// The index of the first record other than `except` with the era code, year
// and number and a branch in [first, last]; -1 when there is none. Every
// record of the table is tested.
qint32 ZEMLO_FIND_NO(qint16 eraCode, qint64 year, qint64 no, qint64 first, qint64 last, qint32 except = -1);

// ---------------------------------------------------------------- registration

// What the entry window's boxes hold when the registration runs.
struct ZEMLO_IN_FORM {
    int DP_W = 2;  // era row of the fiscal year
    QString BY_Y, B_NO, B_NOS;
    bool OP_MOVE = false;  // 移設 chosen
    QString MOVE_N;
    int DP_WB = 2;  // era row of the purchase date
    QString BIN_Y, BIN_M, BIN_D;
    QString KH_KUBUN, KUBUN, KYOUKA, NO_KY, BUNRUI, NO_BU, NAME_D;
    int FUNC_D = 0;  // row: 0 none, 1 発表, 2 道具, 3 実験, 4 情報
    QString B_COUNT, B_MONY;
    int TAX_K = 1;  // 1 外税, 2 内税, 3 無し, 0 none chosen
    QString TAX;
    QString KEEP, SHOP, MAKER, MAKER_NO, MSG;
    qint16 SEL_KUBUN_IDX = 0;  // 1-based position of the category among KUBUN_NAMES
};

// The entry window's variables that the registration reads and sets.
struct ZEMLO_IN_VARS {
    qint16 IN_DIRTY = 0;
    qint16 IN_KUBUN_SAVE = 0;
    qint16 IN_ETC_SAVE = 0;
    qint16 IN_ZEMLO_SAVE = 0;  // items registered since the window opened
    qint16 IN_KYOUKA_MAKE = 0;
    qint32 IN_GROUP_IDX = 0;
};

// The field check: every required field is tested; the question about empty
// optional fields is asked at most once (never with SET_FLAGS option 1).
bool ZEMLO_IN_CHECK(const ZEMLO_IN_FORM& f);
// True when a record already holds the number with a branch in the range the
// registration would take.
bool ZEMLO_IN_DUP_CHECK(const ZEMLO_IN_FORM& f);
// Appends one record per unit and extends or opens the number group.
void ZEMLO_IN_SET(const ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v);
// Adds the item name to the category master when the master lacks it.
void ZEMLO_IN_KUBUN_ADD(const ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v);
// Sorts the master at once (more than 18 names appended to one subject).
void ZEMLO_IN_KUBUN_SORT(ZEMLO_IN_VARS& v);
// Adds new suppliers, makers and places to the name lists (200 at most).
void ZEMLO_IN_ETC_ADD(const ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v);

// The registration behind "登録": every test with its message, then storing
// and the upkeep. True when the items were stored (ZEMLO_CHANGED is then 1);
// false leaves every table as it was. Does nothing unless IN_DIRTY is 1.
bool ZEMLO_IN_REGISTER(const ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v);

// The upkeep when the entry window closes: sorts and writes the category
// master when a name was added, writes the name lists when they grew and
// the item file when items were registered.
void ZEMLO_IN_CLOSE_SAVE(ZEMLO_IN_VARS& v);

// ---------------------------------------------------------------- change window

// What the change window's boxes hold when an item is saved.
struct ZEMLO_CHG_FORM {
    int DP_W = 2;
    QString BY_Y, B_NO, B_NOS;
    QString KH_KUBUN, KUBUN, KYOUKA, NO_KY, BUNRUI, NO_BU, NAME_D;
    int FUNC_D = 0;  // row 0-4
    QString FUNC_TEXT;
    qint16 SEL_KUBUN_IDX = 0;
    QString B_MONY;
    int TAX_K = 0;  // 1 外税, 2 内税, 3 無し, 0 none
    QString TAX;
    QString SHOP, MAKER, MAKER_NO, KEEP, MSG;
    bool OP_MOVE = false, OP_MOVE2 = false;
    QString MOVE_N, MOVE_N2;
    int DP_WI = 1;
    QString BIN_Y, BIN_M, BIN_D;
    int DP_WO = 2;
    QString BOUT_Y, BOUT_M, BOUT_D;
};

// The change window's required-field and value check: the boxes that must
// not be empty, the ranges of the fields and the two dates. Shows the first
// fault's message and returns false; true when the item can be stored.
bool ZEMLO_CHG_CHECK(const ZEMLO_CHG_FORM& f);
// When the boxes give record `idx` a number and branch that another record
// already has, asks whether to store it all the same; true to go on.
bool ZEMLO_CHG_DUP_ASK(const ZEMLO_CHG_FORM& f, qint32 idx);
// Stores the boxes into record `idx`, stamps the change date of the item and
// of its category-master entries and keeps the entry's out count in step.
// `wasOut` is whether the item had an out date when it was loaded. Returns
// true when the master was touched. A changed number lowers ZEMLO_SORTED to
// the record's index.
bool ZEMLO_CHG_SET(const ZEMLO_CHG_FORM& f, qint32 idx, bool wasOut);
