// The rules of the purchase plans, without widgets: the plan amounts and
// the plan list's delete and recount of current holdings, the texts of its
// cells, and what the plan entry window checks, stores and adds to the
// category master and the name lists. The windows (P_ZEMLO_LIST,
// P_ZEMLO_IN) hand their boxes over as texts and choices.
#pragma once
#include <QString>
#include <QStringList>
#include <unordered_map>

#include "register/registration.h"
#include "store/state.h"

// The title of the plan entry window's boxes.
inline const QString kPlanTitle = QStringLiteral("備品購入計画");
// The title of the plan list's boxes.
inline const QString kPlanListTitle = QStringLiteral("備品購入計画リスト");

// ---------------------------------------------------------------- plan list

// The amount of a plan: with tax added (外税) nothing when the price or the
// quantity is 0 or less, else price × quantity × (rate + 100) / 100 rounded
// half to even; otherwise price × quantity. In 64 bits, so no plan
// overflows.
qint64 P_PLAN_AMOUNT(const P_ZEMLO_REC& p);
// Recomputes the amount (MONY_T) of every plan.
void P_ZEMLO_MONY_RCALC();
// The sum of the amounts of the plans the list shows (positions 0 to
// P_VIEW_COUNT - 1), as last recomputed.
qint64 P_VIEW_TOTAL();

// Removes the plans of list positions `first` to `last` (of P_LIST_VIEW):
// the other plans keep their order, the slots left behind are emptied and
// the sorted watermark drops by the removed plans at or below it. Returns
// how many plans were removed (0 for a range outside the list).
qint32 P_ZEMLO_DELETE(qint32 first, qint32 last);

// The first category-master entry (of KUBUN_DATA 0 to count - 1 as they
// stand when it is built) whose subject, category, classification and item
// name each equal a plan's, character for character; one pass over the
// master builds it, so a look-up per plan costs no scan.
class P_MASTER_MATCH {
public:
    P_MASTER_MATCH();
    // The master index, or -1 when no entry has the plan's names.
    qint32 find(const P_ZEMLO_REC& p) const;

private:
    struct Key {
        QString KYOUKA, KUBUN, BUNRUI, NAME_D;
        bool operator==(const Key& o) const {
            return NAME_D == o.NAME_D && BUNRUI == o.BUNRUI && KYOUKA == o.KYOUKA && KUBUN == o.KUBUN;
        }
    };
    struct Hash {
        size_t operator()(const Key& k) const;
    };
    std::unordered_map<Key, qint32, Hash> first_;
};

// Sets every plan's current holdings from the first category-master entry
// with its category, subject, classification and item name (registered
// less out); a plan without such an entry keeps its value.
void P_ZEMLO_RECOUNT();

// The catalogue page as the list shows it: a number rounded to a whole one
// (nothing for 0), any other text unchanged.
QString P_PAGE_TEXT(const QString& page);

// ---------------------------------------------------------------- plan entry

// What the plan entry window's boxes hold.
struct P_ZEMLO_IN_FORM {
    int DP_W = 2;  // era row of the fiscal year (0 昭和, 1 平成, 2 令和)
    QString BY_Y, KH_KUBUN, KUBUN, KYOUKA, NO_KY, BUNRUI, NO_BU, NAME_D;
    int FUNC_D = 0;  // row: 0 none, 1 発表, 2 道具, 3 実験, 4 情報
    QString FUNC_TEXT;
    int TAX_K = 1;  // 1 外税, 2 内税, 3 無し, 0 none chosen
    QString TAX, B_COUNT, B_MONY, KEEP, MAKER, MAKER_NO, MSG, CATALOG, CATALOG_P;
};

// The classification code as plans and the master keep it: trimmed,
// half-width and upper case.
QString P_CODE_TEXT(const QString& box);

// The check before registering: 0 when a required field is empty (after its
// message), 2 when the user declined to save a new plan without quantity,
// price, maker or model number, 1 to register.
int P_ZEMLO_IN_CHECK(const P_ZEMLO_IN_FORM& f, bool newPlan);
// The numbers must fit their fields and the classification code must give
// a sort key (else the plan file could not be read again): false after the
// message of the first that does not.
bool P_ZEMLO_IN_VALUES_OK(const P_ZEMLO_IN_FORM& f);

// The amount label: `count` × `price` (leading numbers, decimals allowed),
// with tax added when `taxOut` (the rate must be a number), rounded half to
// even, in "#,###"; empty when either box is empty or on any error.
QString P_ZEMLO_MONY_TEXT(const QString& count, const QString& price, bool taxOut, const QString& rate);

// Stores the boxes into plan `idx` (a new plan at the plan count starts from
// an empty slot). The supplier, the current holdings and the item-name
// serial of an existing plan stay.
void P_ZEMLO_REC_SET(const P_ZEMLO_IN_FORM& f, qint32 idx);

// Adds the item name to the category master when the master lacks it (the
// subject number must lie in 0 to 99 and the code have three characters,
// else a message and nothing added; a category no longer among the
// category names adds nothing); sets v.IN_KUBUN_SAVE.
void KUBUN_NAME_ADD(const P_ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v);
// Adds a new maker and a new delivery place to their name lists; sets
// v.IN_ETC_SAVE when one was added.
void P_IN_LIST_ADD(const P_ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v);

// The catalogues of the plans, the latest plan's first, each once, at most ten.
QStringList P_IN_CATALOGS();

// What "登録" came to.
enum class P_REGISTER { STAY, REFUSED, STORED };
// The registration of plan list number `listNo` (the plan count + 1 for a
// new plan): the check, the value test, the plan limit (a new plan beyond
// index 1000 is refused before anything is added), the additions to the
// master and the name lists, storing, and the count. STAY leaves the window
// open, REFUSED closes it without a plan, STORED closes it after one
// (P_ZEMLO_CHANGED is then 1 and the plan file written).
P_REGISTER P_ZEMLO_IN_REGISTER(const P_ZEMLO_IN_FORM& f, qint32 listNo, ZEMLO_IN_VARS& v);
