#include "plans/plan_rules.h"

#include <QHashFunctions>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "platform/text.h"
#include "platform/ui.h"
#include "store/amounts.h"
#include "store/category_file.h"
#include "store/name_lists.h"
#include "store/remove_entries.h"
#include "store/save_changed.h"

namespace {

qint32 planEnd() { return std::clamp<qint32>(P_ZEMLO_COUNT, 0, qint32(P_ZEMLO_DATA.size())); }
qint32 viewEnd() { return std::clamp<qint32>(P_VIEW_COUNT, 0, qint32(P_LIST_VIEW.size())); }

QString levelName(int i) { return KUBUN_LEVEL_NAME[size_t(i)]; }

void codeMessage(const QString& title) {
    ui::MsgBox(levelName(1) + QStringLiteral("番号が不正です"), int(ui::vbOKOnly) + ui::vbExclamation, title);
}

// The sort key of a code; false when the code gives none.
bool codeKey(const QString& code, qint32* key) {
    try {
        *key = CODE_KEY(code);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

const QString kTitleMaster = QStringLiteral("備品区分登録");

}  // namespace

// ---------------------------------------------------------------- plan list

__int128 P_PLAN_AMOUNT(const P_ZEMLO_REC& p) {
    if (p.TAX_K == 1 && (p.B_MONY <= 0 || p.B_COUNT <= 0)) return 0;
    return ITEM_AMOUNT_WIDE(p.B_MONY, p.B_COUNT, p.TAX_K == 1, p.TAX);
}

void P_ZEMLO_MONY_RCALC() {
    for (qint32 i = 0, n = planEnd(); i < n; ++i) P_ZEMLO_DATA[i].MONY_T = P_PLAN_AMOUNT(P_ZEMLO_DATA[i]);
}

__int128 P_VIEW_TOTAL() {
    // At most 1,011 plans of at most about 10^26 yen each: 128 bits hold the sum.
    __int128 total = 0;
    const qint32 plans = planEnd();
    for (qint32 p = 0, n = viewEnd(); p < n; ++p) {
        const qint32 idx = P_LIST_VIEW[p].P_IDX;
        if (idx >= 0 && idx < plans) total += P_ZEMLO_DATA[idx].MONY_T;
    }
    return total;
}

qint32 P_ZEMLO_DELETE(qint32 first, qint32 last) {
    const qint32 shown = viewEnd(), count = planEnd();
    if (first < 0 || last < first || last >= shown) return 0;
    std::vector<qint32> gone;
    gone.reserve(size_t(last - first + 1));
    for (qint32 p = first; p <= last; ++p) {
        const qint32 idx = P_LIST_VIEW[p].P_IDX;
        if (idx >= 0 && idx < count) gone.push_back(idx);
    }
    std::sort(gone.begin(), gone.end());
    gone.erase(std::unique(gone.begin(), gone.end()), gone.end());
    if (gone.empty()) return 0;
    // The sorted beginning keeps its order when plans are taken out of it:
    // it ends lower by the plans removed at or below its last one.
    const qint32 belowMark = qint32(std::upper_bound(gone.begin(), gone.end(), P_ZEMLO_SORTED) - gone.begin());
    const qint32 removed = qint32(gone.size());
    P_ZEMLO_COUNT = store::removeEntries(P_ZEMLO_DATA, count, std::move(gone));
    P_ZEMLO_SORTED = std::max<qint32>(P_ZEMLO_SORTED - belowMark, 0);
    return removed;
}

size_t P_MASTER_MATCH::Hash::operator()(const Key& k) const { return qHashMulti(0, k.KYOUKA, k.KUBUN, k.BUNRUI, k.NAME_D); }

P_MASTER_MATCH::P_MASTER_MATCH() {
    const qint32 masters = std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size()));
    first_.reserve(size_t(masters));
    for (qint32 m = 0; m < masters; ++m) {
        const KUBUN_REC& k = KUBUN_DATA[m];
        first_.emplace(Key{k.KYOUKA, k.KUBUN, k.BUNRUI, k.NAME_D}, m);
    }
}

qint32 P_MASTER_MATCH::find(const P_ZEMLO_REC& p) const {
    const auto hit = first_.find(Key{p.KYOUKA, p.KUBUN, p.BUNRUI, p.NAME_D});
    return hit == first_.end() ? -1 : hit->second;
}

void P_ZEMLO_RECOUNT() {
    const P_MASTER_MATCH master;
    for (qint32 i = 0, n = planEnd(); i < n; ++i) {
        P_ZEMLO_REC& p = P_ZEMLO_DATA[i];
        const qint32 m = master.find(p);
        if (m < 0) continue;
        const KUBUN_REC& k = KUBUN_DATA[m];
        p.COUNT_NOW = qint16(std::clamp<qint64>(qint64(k.IN_CNT) - k.OUT_CNT, -32768, 32767));
    }
}

QString P_PAGE_TEXT(const QString& page) {
    const QString t = text::toHalfWidth(page).trimmed();
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return page;
    const qint64 whole = text::roundHalfEven(std::clamp(v, -9.0e15, 9.0e15));
    return whole == 0 ? QString() : QString::number(whole);
}

// ---------------------------------------------------------------- plan entry

QString P_CODE_TEXT(const QString& box) { return text::toUpper(text::toHalfWidth(box.trimmed())); }

int P_ZEMLO_IN_CHECK(const P_ZEMLO_IN_FORM& f, bool newPlan) {
    const QString* required[] = {&f.BY_Y, &f.KH_KUBUN, &f.KUBUN, &f.KYOUKA, &f.NO_KY, &f.BUNRUI, &f.NO_BU, &f.NAME_D};
    bool missing = false;
    for (const QString* t : required) missing = missing || t->isEmpty();
    if ((f.TAX_K == 1 || f.TAX_K == 2) && f.TAX.isEmpty()) missing = true;
    if (missing) {
        ui::MsgBox(QStringLiteral("未入力データが有ります,登録できません"), ui::vbOKOnly, kPlanTitle);
        return 0;
    }
    if (!f.B_COUNT.isEmpty() && !f.B_MONY.isEmpty() && !f.MAKER.isEmpty() && !f.MAKER_NO.isEmpty()) return 1;
    if (!newPlan) return 1;
    return ui::MsgBox(QStringLiteral("未入力データが有ります　このまま保存しますか"), int(ui::vbYesNo) + ui::vbQuestion,
                      kPlanTitle) == ui::vbYes
               ? 1
               : 2;
}

bool P_ZEMLO_IN_VALUES_OK(const P_ZEMLO_IN_FORM& f) {
    const struct {
        const QString* text;
        QString caption;
    } fields[] = {{&f.BY_Y, QStringLiteral("年度")},
                  {&f.NO_KY, levelName(0) + QStringLiteral("番号")},
                  {&f.B_COUNT, QStringLiteral("数量")},
                  {&f.B_MONY, QStringLiteral("単価")},
                  {&f.TAX, QStringLiteral("消費税率")}};
    for (const auto& fl : fields) {
        if (FITS_INT32(BOX_VALUE(*fl.text))) continue;
        ui::MsgBox(fl.caption + QStringLiteral("の値が範囲を超えています"), int(ui::vbOKOnly) + ui::vbExclamation,
                   kPlanTitle);
        return false;
    }
    qint32 key = 0;
    if (!codeKey(P_CODE_TEXT(f.NO_BU), &key)) {
        codeMessage(kPlanTitle);
        return false;
    }
    return true;
}

QString P_ZEMLO_MONY_TEXT(const QString& count, const QString& price, bool taxOut, const QString& rate) {
    if (count.isEmpty() || price.isEmpty()) return QString();
    const double q = text::val(text::toHalfWidth(count)), p = text::val(text::toHalfWidth(price));
    double amount = p * q;
    double r = 0;
    if (taxOut) {
        bool ok = false;
        r = text::toHalfWidth(rate).trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(r)) return QString();
        amount = (r + 100) * (p * q) / 100;
    }
    // Whole figures of a plan's fields give the exact amount, however large
    // (the list computes the same).
    const auto whole = [](double v) { return v == std::floor(v) && std::fabs(v) <= 2147483647.0; };
    if (whole(q) && whole(p) && whole(r)) return MONEY_TEXT(ITEM_AMOUNT_WIDE(qint64(p), qint64(q), taxOut, qint64(r)));
    // Shown whole as long as it is an exact whole number of yen.
    if (!std::isfinite(amount) || std::fabs(amount) > 9.0e15) return QString();
    return MONEY_TEXT(text::roundHalfEven(amount));
}

void P_ZEMLO_REC_SET(const P_ZEMLO_IN_FORM& f, qint32 idx) {
    if (idx < 0 || idx > P_ZEMLO_LAST || idx >= qint32(P_ZEMLO_DATA.size())) return;
    P_ZEMLO_REC& p = P_ZEMLO_DATA[idx];
    // A slot past the plans may still hold a plan deleted earlier.
    if (idx >= P_ZEMLO_COUNT) p = P_ZEMLO_REC{};
    p.BY_W = f.DP_W + 3;
    p.BY_Y = qint32(BOX_VALUE(f.BY_Y));
    p.KH_KUBUN = f.KH_KUBUN;
    p.KUBUN = f.KUBUN;
    p.KYOUKA = f.KYOUKA;
    p.NO_KY = qint32(BOX_VALUE(f.NO_KY));
    p.BUNRUI = f.BUNRUI;
    p.NO_BU = P_CODE_TEXT(f.NO_BU);
    p.FUNC_D = f.FUNC_TEXT;
    p.FUNC_NO = qint16(f.FUNC_D);
    p.NAME_D = f.NAME_D;
    p.TAX_K = f.TAX_K == 3 ? 3 : f.TAX_K == 1 ? 1 : f.TAX_K == 2 ? 2 : 0;
    p.TAX = qint32(BOX_VALUE(f.TAX));
    p.B_COUNT = qint32(BOX_VALUE(f.B_COUNT));
    p.B_MONY = qint32(BOX_VALUE(f.B_MONY));
    p.KEEP = f.KEEP;
    p.MAKER = f.MAKER;
    p.MAKER_NO = f.MAKER_NO;
    p.MSG = f.MSG;
    p.KUBUN_IDX = KUBUN_IDX_OF(f.KUBUN);
    qint32 key = 0;
    p.BU_KEY = codeKey(p.NO_BU, &key) ? key : 0;
    p.CATALOG = f.CATALOG;
    p.CATALOG_P = f.CATALOG_P;
}

void KUBUN_NAME_ADD(const P_ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v) {
    // A plan kept under a category that is no longer listed adds nothing to
    // the master, whose categories are the listed ones.
    if (KUBUN_IDX_OF(f.KUBUN) == 98) return;
    const qint64 noKy = BOX_VALUE(f.NO_KY);
    if (noKy < 0 || noKy > 99) {
        ui::MsgBox(levelName(0) + QStringLiteral("番号が不正です"), int(ui::vbOKOnly) + ui::vbExclamation, kTitleMaster);
        return;
    }
    const QString code = P_CODE_TEXT(f.NO_BU);
    qint32 key = 0;
    if (code.size() != 3 || !codeKey(code, &key)) {
        codeMessage(kTitleMaster);
        return;
    }
    qint32 serial = 0;
    const qint32 masters = std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size()));
    for (qint32 i = 0; i < masters; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[i];
        if (k.KUBUN != f.KUBUN || k.NO_KY != noKy || k.KYOUKA != f.KYOUKA || k.NO_BU != code || k.BUNRUI != f.BUNRUI)
            continue;
        if (k.NAME_D == f.NAME_D) return;  // the master has it
        serial = k.NAME_NO;
    }
    if (KUBUN_COUNT >= KUBUN_SLOTS) {
        ui::MsgBox(QStringLiteral("備品区分の登録件数を超えてますので登録されません"),
                   int(ui::vbOKOnly) + ui::vbExclamation, kTitleMaster);
        return;
    }
    KUBUN_REC k;  // counters and dates start empty
    k.KUBUN_IDX = KUBUN_IDX_OF(f.KUBUN);
    k.KUBUN = f.KUBUN;
    k.NO_KY = qint16(noKy);
    k.KYOUKA = f.KYOUKA;
    k.NO_BU = code;
    k.BU_KEY = key;
    k.BUNRUI = f.BUNRUI;
    k.FUNC_NO = qint16(f.FUNC_D);
    k.FUNC_D = f.FUNC_TEXT;
    k.NAME_NO = serial + 1;
    k.NAME_D = f.NAME_D;
    const qint32 appended = KUBUN_APPEND(k);
    if (appended < 0) return;
    v.IN_KUBUN_SAVE = 1;
    if (appended > 18) {
        // The subject's appended list is nearly full: sort the master now.
        ui::MsgBox(QStringLiteral("一度データをソートします"), ui::vbOKOnly, QStringLiteral("備品区分"));
        ui::BusyPointer busy;
        KUBUN_FLAGS &= ~1;
        KUBUN_SORT();
        v.IN_KUBUN_SAVE = 0;
    }
}

void P_IN_LIST_ADD(const P_ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v) {
    if (NAME_LIST_ADD(f.MAKER, MAKER_LIST, MAKER_COUNT)) v.IN_ETC_SAVE = 1;
    if (NAME_LIST_ADD(f.KEEP, KEEP_LIST, KEEP_COUNT)) v.IN_ETC_SAVE = 1;
}

QStringList P_IN_CATALOGS() {
    QStringList out;
    for (qint32 i = planEnd() - 1; i >= 0 && out.size() < 10; --i) {
        const QString& c = P_ZEMLO_DATA[i].CATALOG;
        if (!c.isEmpty() && !out.contains(c)) out.append(c);
    }
    return out;
}

P_REGISTER P_ZEMLO_IN_REGISTER(const P_ZEMLO_IN_FORM& f, qint32 listNo, ZEMLO_IN_VARS& v) {
    const qint32 idx = listNo - 1;
    const bool newPlan = idx >= P_ZEMLO_COUNT;
    if (P_ZEMLO_IN_CHECK(f, newPlan) != 1) return P_REGISTER::STAY;
    if (!P_ZEMLO_IN_VALUES_OK(f)) return P_REGISTER::STAY;
    // The limit comes first: a refused plan adds nothing anywhere.
    if (idx < 0 || idx > P_ZEMLO_LAST || idx > P_ZEMLO_COUNT) {
        ui::MsgBox(QStringLiteral("登録件数を超えてますので登録されません"), ui::vbOKOnly, kPlanTitle);
        return P_REGISTER::REFUSED;
    }
    KUBUN_NAME_ADD(f, v);
    P_IN_LIST_ADD(f, v);
    ui::BusyPointer busy;
    P_ZEMLO_REC_SET(f, idx);
    P_ZEMLO_CHANGED = 1;
    if (idx == P_ZEMLO_COUNT) ++P_ZEMLO_COUNT;
    store::saveChanged(store::PLANS);
    return P_REGISTER::STORED;
}
