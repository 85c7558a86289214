#include "register/registration.h"

#include <QRegularExpression>
#include <limits>

#include "platform/clock.h"
#include "platform/csv.h"
#include "platform/era.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/category_file.h"
#include "store/link.h"
#include "store/name_lists.h"
#include "store/save_changed.h"
#include "store/state.h"

namespace {

const QString kTitleKubun = QStringLiteral("備品区分");
const QString kMsgMissing = QStringLiteral("未入力データが有ります,登録できません");
const QString kMsgOptional = QStringLiteral("未入力データが有ります　このまま保存しますか");
const QString kMsgBinDate = QStringLiteral("購入年月日が正しくありません");
const QString kMsgOutDate = QStringLiteral("廃棄移設年月日が正しくありません");

const QString kFuncTexts[5] = {QString(), QStringLiteral("発表"), QStringLiteral("道具"),
                               QStringLiteral("実験"), QStringLiteral("情報")};

QString funcText(int row) { return row >= 0 && row <= 4 ? kFuncTexts[row] : QString(); }

void warn(const QString& msg) { ui::MsgBox(msg, int(ui::vbOKOnly) + ui::vbExclamation, kEntryTitle); }

// The message for a number beyond its field.
void rangeMessage(const QString& caption) {
    warn(caption + QStringLiteral("の値が範囲を超えています"));
}

// Half-width, upper-case, trimmed classification code, as the master holds it.
QString codeText(const QString& s) { return text::toUpper(text::toHalfWidth(s.trimmed())); }

// CODE_KEY that reports an unconvertible code instead of throwing.
bool codeKey(const QString& code, qint32* key) {
    try {
        *key = CODE_KEY(code);
        return *key >= 0;
    } catch (const csv::ReadError&) {
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

// A text box holding a plain whole number (digits only, after width conversion).
bool plainWhole(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[0-9]+$"));
    return re.match(text::toHalfWidth(s).trimmed()).hasMatch();
}

qint16 i16(qint64 v) { return static_cast<qint16>(v); }

struct RangeRule {
    const QString* text;
    QString caption;
    qint64 min, max;
};

// Tests each box's number against its field; the first out of range gives
// its message.
bool rangesOk(std::initializer_list<RangeRule> rules) {
    for (const auto& r : rules) {
        qint64 v = BOX_VALUE(*r.text);
        if (v < r.min || v > r.max) {
            rangeMessage(r.caption);
            return false;
        }
    }
    return true;
}

QString level(int i) {
    const QString& s = KUBUN_LEVEL_NAME[i];
    return s.isEmpty() ? (i == 0 ? QStringLiteral("分類･教科") : QStringLiteral("区分･分類")) : s;
}

}  // namespace

// ---------------------------------------------------------------- shared rules

qint64 BOX_VALUE(const QString& t) {
    double v = text::val(text::toHalfWidth(t));
    // Far beyond every field: keep it far beyond without overflowing.
    if (v >= 9.0e15) return static_cast<qint64>(9.0e15);
    if (v <= -9.0e15) return static_cast<qint64>(-9.0e15);
    return text::roundHalfEven(v);
}

bool BOX_EMPTY(const QString& t) { return t.trimmed().isEmpty(); }

bool FITS_INT16(qint64 v) { return v >= -32768 && v <= 32767; }
bool FITS_INT32(qint64 v) { return v >= INT32_MIN && v <= INT32_MAX; }

DateInput DATE_INPUT(int eraRow, qint64 y, qint64 m, qint64 d, QDate* out) {
    int zeros = (y == 0) + (m == 0) + (d == 0);
    if (zeros == 3) return DateInput::Empty;
    if (zeros > 0 && y + m + d > 0) return DateInput::Partial;
    if (zeros > 0 || eraRow < 0 || eraRow > 2) return DateInput::Invalid;
    qint64 gy = ERA_TABLE[eraRow].ERA_BASE + y;
    if (y < 1 || gy > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return DateInput::Invalid;
    QDate date(static_cast<int>(gy), static_cast<int>(m), static_cast<int>(d));
    if (!date.isValid()) return DateInput::Invalid;
    if (out) *out = date;
    return DateInput::Valid;
}

int ERA_ROW_OF(const QDate& d) {
    const QString letter = era::letter(d);
    for (int i = 0; i < static_cast<int>(ERA_TABLE.size()); ++i)
        if (!letter.isEmpty() && ERA_TABLE[i].ERA_CHAR == letter) return i;
    return -1;
}

void FISCAL_YEAR_DEFAULT(const QDate& today, int* eraRow, int* year) {
    int fy = today.year() - (today.month() < 4 ? 1 : 0);
    if (fy >= 2020) {
        *eraRow = 2;
        *year = fy - ERA_TABLE[2].ERA_BASE;
    } else {
        *eraRow = 1;
        *year = fy - ERA_TABLE[1].ERA_BASE;
    }
}

qint32 ZEMLO_NEXT_NO(qint16 eraCode, qint64 year) {
    qint32 best = 0;
    for (qint32 i = 0; i < NO_GROUP_COUNT; ++i) {
        const NO_GROUP_REC& g = NO_GROUP[i];
        if (g.BY_W == eraCode && g.BY_Y == year && g.B_NO > best) best = g.B_NO;
    }
    return best + 1;
}

qint32 ZEMLO_GROUP_OF(qint16 eraCode, qint64 year, qint64 no) {
    for (qint32 i = 0; i < NO_GROUP_COUNT; ++i) {
        const NO_GROUP_REC& g = NO_GROUP[i];
        if (g.BY_W == eraCode && g.BY_Y == year && g.B_NO == no) return i;
    }
    return NO_GROUP_COUNT;
}

qint32 ZEMLO_NEXT_NOS(qint16 eraCode, qint64 year, qint64 no, qint32* groupIdx) {
    qint32 gi = ZEMLO_GROUP_OF(eraCode, year, no);
    if (groupIdx) *groupIdx = gi;
    if (gi == NO_GROUP_COUNT) return 1;
    const NO_GROUP_REC& g = NO_GROUP[gi];
    qint32 best = 0;
    qint32 last = std::min<qint32>(g.REC_LAST, ZEMLO_COUNT - 1);
    for (qint32 r = std::max<qint32>(g.REC_FIRST, 0); r <= last; ++r) {
        const ZEMLO_REC& z = ZEMLO_DATA[r];
        if (z.BY_W == eraCode && z.BY_Y == year && z.B_NO == no && z.B_NOS > best) best = z.B_NOS;
    }
    return best + 1;
}

qint32 ZEMLO_FIND_NO(qint16 eraCode, qint64 year, qint64 no, qint64 first, qint64 last, qint32 except) {
    for (qint32 r = 0; r < ZEMLO_COUNT; ++r) {
        if (r == except) continue;
        const ZEMLO_REC& z = ZEMLO_DATA[r];
        if (z.BY_W == eraCode && z.BY_Y == year && z.B_NO == no && z.B_NOS >= first && z.B_NOS <= last)
            return r;
    }
    return -1;
}

// ---------------------------------------------------------------- registration

bool ZEMLO_IN_CHECK(const ZEMLO_IN_FORM& f) {
    const bool taxed = f.TAX_K == 1 || f.TAX_K == 2;
    // The fields in the order they are examined: required or optional.
    struct Field {
        const QString* text;
        bool required;
    };
    const QString none;
    const Field fields[] = {
        {&f.BY_Y, true},     {&f.B_NO, true},      {&f.B_NOS, true},    {&f.BIN_Y, false},
        {&f.BIN_M, false},   {&f.BIN_D, false},    {&f.KH_KUBUN, true}, {&f.KUBUN, true},
        {&f.KYOUKA, true},   {&f.NO_KY, true},     {&f.BUNRUI, true},   {&f.NO_BU, true},
        {&f.NAME_D, true},   {taxed ? &f.TAX : &none, taxed}, {&f.B_COUNT, true},
        {&f.B_MONY, false},  {&f.KEEP, false},     {&f.SHOP, false},    {&f.MAKER, false},
        {&f.MAKER_NO, false},
    };
    bool asked = false;
    for (const Field& fl : fields) {
        if (!BOX_EMPTY(*fl.text)) continue;
        if (fl.text == &none) continue;
        if (fl.required) {
            ui::MsgBox(kMsgMissing, ui::vbOKOnly, kEntryTitle);
            return false;
        }
        if (asked || (SET_FLAGS & 1)) continue;
        asked = true;
        if (ui::MsgBox(kMsgOptional, int(ui::vbYesNo) + ui::vbQuestion, kEntryTitle) != ui::vbYes) return false;
    }

    // The count: a plain whole number of at least 1.
    if (!plainWhole(f.B_COUNT) || BOX_VALUE(f.B_COUNT) < 1) {
        warn(QStringLiteral("数量が正しくありません"));
        return false;
    }
    // The numbers must fit their fields; the last branch too.
    if (!rangesOk({{&f.BY_Y, QStringLiteral("年度"), 0, 32767},
                   {&f.B_NO, QStringLiteral("番号"), 0, 32767},
                   {&f.B_NOS, QStringLiteral("枝番"), 0, 32767},
                   {&f.B_COUNT, QStringLiteral("数量"), 1, 32767},
                   {&f.NO_KY, level(0) + QStringLiteral("番号"), 0, 32767},
                   {&f.B_MONY, QStringLiteral("単価"), INT32_MIN, INT32_MAX},
                   {&f.TAX, QStringLiteral("消費税率"), 0, 32767}}))
        return false;
    if (BOX_VALUE(f.B_NOS) + BOX_VALUE(f.B_COUNT) - 1 > 32767) {
        rangeMessage(QStringLiteral("枝番"));
        return false;
    }
    qint32 key = 0;
    QString code = codeText(f.NO_BU);
    if (code.size() != 3 || !codeKey(code, &key)) {
        warn(level(1) + QStringLiteral("の番号が正しくありません"));
        return false;
    }
    return true;
}

bool ZEMLO_IN_DUP_CHECK(const ZEMLO_IN_FORM& f) {
    qint16 e = static_cast<qint16>(f.DP_W + 3);
    qint64 s = BOX_VALUE(f.B_NOS);
    qint64 t = s + BOX_VALUE(f.B_COUNT) - 1;
    return ZEMLO_FIND_NO(e, BOX_VALUE(f.BY_Y), BOX_VALUE(f.B_NO), s, t) >= 0;
}

void ZEMLO_IN_SET(const ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v) {
    const qint32 n = static_cast<qint32>(BOX_VALUE(f.B_COUNT));
    const qint16 e = static_cast<qint16>(f.DP_W + 3);
    const qint16 y = i16(BOX_VALUE(f.BY_Y));
    const qint16 b = i16(BOX_VALUE(f.B_NO));

    // The number group: looked up again here, since the era may have been
    // chosen after the number.
    v.IN_GROUP_IDX = ZEMLO_GROUP_OF(e, y, b);
    if (v.IN_GROUP_IDX == NO_GROUP_COUNT) {
        if (NO_GROUP_COUNT < NO_GROUP_SLOTS) {
            NO_GROUP_REC& g = NO_GROUP[NO_GROUP_COUNT];
            g = {e, y, b, ZEMLO_COUNT, ZEMLO_COUNT + n - 1};
            ++NO_GROUP_COUNT;
        }
    } else {
        NO_GROUP[v.IN_GROUP_IDX].REC_LAST = ZEMLO_COUNT + n - 1;
    }

    ZEMLO_REC r;
    r.BY_W = e;
    r.BY_Y = y;
    r.B_NO = b;
    r.KEIHI = f.KH_KUBUN.trimmed();
    QDate bin;
    if (DATE_INPUT(f.DP_WB, BOX_VALUE(f.BIN_Y), BOX_VALUE(f.BIN_M), BOX_VALUE(f.BIN_D), &bin) == DateInput::Valid) {
        r.BIN_Y = i16(bin.year());
        r.BIN_M = i16(bin.month());
        r.BIN_D = i16(bin.day());
    }
    r.KUBUN = f.KUBUN;
    r.KYOUKA = f.KYOUKA.trimmed();
    r.BUNRUI = f.BUNRUI.trimmed();
    r.NAME_D = f.NAME_D.trimmed();
    r.FUNC_D = funcText(f.FUNC_D);
    r.FUNC_NO = i16(f.FUNC_D);
    r.NO_KY = i16(BOX_VALUE(f.NO_KY));
    r.NO_BU = codeText(f.NO_BU);
    r.TAX_K = i16(f.TAX_K == 3 ? 3 : f.TAX_K == 1 ? 1 : f.TAX_K == 2 ? 2 : 0);
    r.TAX = i16(BOX_VALUE(f.TAX));
    r.B_MONY = static_cast<qint32>(BOX_VALUE(f.B_MONY));
    r.KEEP = f.KEEP.trimmed();
    r.SHOP = f.SHOP.trimmed();
    r.MAKER = f.MAKER.trimmed();
    r.MAKER_NO = f.MAKER_NO.trimmed();
    r.MSG = f.MSG.trimmed();
    r.MOVE_N = f.OP_MOVE ? f.MOVE_N.trimmed() : QString();
    r.MOVE_F = f.OP_MOVE ? 1 : 0;
    r.KUBUN_IDX = f.SEL_KUBUN_IDX;
    qint32 key = 0;
    r.BU_KEY = codeKey(r.NO_BU, &key) ? key : 0;
    const QDate today = clk::today();
    r.CHG_Y = i16(today.year());
    r.CHG_M = i16(today.month());
    r.CHG_D = i16(today.day());

    const qint16 first = i16(BOX_VALUE(f.B_NOS));
    for (qint32 k = 0; k < n; ++k) {
        r.B_NOS = static_cast<qint16>(first + k);
        ZEMLO_DATA[ZEMLO_COUNT + k] = r;
    }
    ZEMLO_COUNT += n;
}

namespace {

// The master entry the registration would add, or -1 when the master has it.
// *serial receives the serial of the last entry matching in all but the name.
qint32 findMasterEntry(const ZEMLO_IN_FORM& f, qint32* serial) {
    const QString kubun = f.KUBUN, kyouka = f.KYOUKA.trimmed(), bunrui = f.BUNRUI.trimmed(),
                  name = f.NAME_D.trimmed(), code = codeText(f.NO_BU);
    const qint64 noKy = BOX_VALUE(f.NO_KY);
    *serial = 0;
    for (qint32 i = 0; i < KUBUN_COUNT; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[i];
        if (k.KUBUN != kubun || k.KYOUKA != kyouka || k.BUNRUI != bunrui || k.NO_KY != noKy || k.NO_BU != code)
            continue;
        if (k.NAME_D == name) return i;
        *serial = k.NAME_NO;
    }
    return -1;
}

}  // namespace

void ZEMLO_IN_KUBUN_ADD(const ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v) {
    ui::BusyPointer busy;
    qint32 serial = 0;
    if (findMasterEntry(f, &serial) >= 0) return;
    if (KUBUN_COUNT >= KUBUN_SLOTS) return;  // refused before storing; never written past the table

    v.IN_KUBUN_SAVE = 1;
    KUBUN_REC k;
    k.KUBUN = f.KUBUN;
    k.KYOUKA = f.KYOUKA.trimmed();
    k.BUNRUI = f.BUNRUI.trimmed();
    k.NAME_D = f.NAME_D.trimmed();
    k.FUNC_D = funcText(f.FUNC_D);
    k.FUNC_NO = i16(f.FUNC_D);
    k.NO_KY = i16(BOX_VALUE(f.NO_KY));
    k.NO_BU = codeText(f.NO_BU);
    k.IN_CNT = static_cast<qint32>(BOX_VALUE(f.B_COUNT));
    k.KUBUN_IDX = f.SEL_KUBUN_IDX;
    qint32 key = 0;
    k.BU_KEY = codeKey(k.NO_BU, &key) ? key : 0;
    k.NAME_NO = serial + 1;
    if (KUBUN_APPEND(k) > 18) {
        ui::MsgBox(QStringLiteral("一度備品区分データをソートします"), ui::vbOKOnly, kTitleKubun);
        ZEMLO_IN_KUBUN_SORT(v);
    }
}

void ZEMLO_IN_KUBUN_SORT(ZEMLO_IN_VARS& v) {
    ui::BusyPointer busy;
    KUBUN_FLAGS &= ~1;
    KUBUN_SORT();
    if (v.IN_KYOUKA_MAKE == 1) {
        KYOUKA_INDEX_MAKE();
        v.IN_KYOUKA_MAKE = 0;
    }
    KUBUN_LINK(2);
    v.IN_KUBUN_SAVE = 0;
}

void ZEMLO_IN_ETC_ADD(const ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v) {
    ui::BusyPointer busy;
    auto add = [&v](const QString& raw, std::array<QString, NAME_LIST_SLOTS>& list, qint16& count) {
        if (NAME_LIST_ADD(raw.trimmed(), list, count)) v.IN_ETC_SAVE = 1;
    };
    add(f.SHOP, SHOP_LIST, SHOP_COUNT);
    add(f.MAKER, MAKER_LIST, MAKER_COUNT);
    add(f.KEEP, KEEP_LIST, KEEP_COUNT);
}

bool ZEMLO_IN_REGISTER(const ZEMLO_IN_FORM& f, ZEMLO_IN_VARS& v) {
    if (v.IN_DIRTY != 1) return false;

    // The purchase date: all parts or none, and a date that exists.
    QDate bin;
    DateInput di = DATE_INPUT(f.DP_WB, BOX_VALUE(f.BIN_Y), BOX_VALUE(f.BIN_M), BOX_VALUE(f.BIN_D), &bin);
    if (di == DateInput::Partial || di == DateInput::Invalid) {
        ui::MsgBox(kMsgBinDate, int(ui::vbYesNo) + ui::vbQuestion, kEntryTitle);
        return false;
    }
    // The purchase date against the fiscal year.
    if (di == DateInput::Valid && !BOX_EMPTY(f.BY_Y) && f.DP_W >= 0 && f.DP_W <= 2) {
        qint64 fy = ERA_TABLE[f.DP_W].ERA_BASE + BOX_VALUE(f.BY_Y);
        if (fy >= 1 && fy < 9999) {
            QDate from(static_cast<int>(fy), 4, 1), to(static_cast<int>(fy) + 1, 3, 31);
            if (bin < from || bin > to) {
                if (ui::MsgBox(QStringLiteral("購入年度と購入年月日が違います、継続しますか？"),
                               int(ui::vbYesNo) + ui::vbQuestion, kEntryTitle) == ui::vbNo)
                    return false;
            }
        }
    }
    if (!ZEMLO_IN_CHECK(f)) return false;

    // The item limit.
    const qint64 n = BOX_VALUE(f.B_COUNT);
    if (ZEMLO_COUNT + n - 1 > ZEMLO_MAX) {
        ui::MsgBox(QStringLiteral("登録件数を超えてますので登録されません"), ui::vbOKOnly, kEntryTitle);
        return false;
    }
    if (ZEMLO_IN_DUP_CHECK(f)) {
        ui::MsgBox(QStringLiteral("備品番号が重複してますので登録されません"), ui::vbOKOnly, kEntryTitle);
        return false;
    }
    // A new item name needs room in the category master.
    qint32 serial = 0;
    if (findMasterEntry(f, &serial) < 0 && KUBUN_COUNT >= KUBUN_SLOTS) {
        ui::MsgBox(QStringLiteral("備品区分の登録件数を超えてますので登録されません"), ui::vbOKOnly, kEntryTitle);
        return false;
    }

    ZEMLO_IN_SET(f, v);
    {
        ui::BusyPointer busy;
        KUBUN_FLAGS &= ~2;
        ZEMLO_IN_KUBUN_ADD(f, v);
        ZEMLO_IN_ETC_ADD(f, v);
        ZEMLO_CHANGED = 1;
    }
    v.IN_DIRTY = 0;
    v.IN_ZEMLO_SAVE = 1;
    return true;
}

void ZEMLO_IN_CLOSE_SAVE(ZEMLO_IN_VARS& v) {
    ui::BusyPointer busy;
    if (v.IN_KUBUN_SAVE == 1) {
        KUBUN_FLAGS &= ~1;
        KUBUN_SORT();
        if (v.IN_KYOUKA_MAKE == 1) KYOUKA_INDEX_MAKE();
        v.IN_KUBUN_SAVE = 0;
        v.IN_KYOUKA_MAKE = 0;
    }
    unsigned changed = 0;
    if (v.IN_ETC_SAVE == 1) changed |= store::NAME_LISTS;
    if (v.IN_ZEMLO_SAVE == 1) changed |= store::ITEMS;
    if (changed) store::saveChanged(changed);
    v.IN_ETC_SAVE = 0;
    v.IN_ZEMLO_SAVE = 0;
}

// ---------------------------------------------------------------- change window

bool ZEMLO_CHG_CHECK(const ZEMLO_CHG_FORM& f) {
    const bool taxed = f.TAX_K == 1 || f.TAX_K == 2;
    const QString* required[] = {&f.BY_Y,     &f.B_NO,  &f.B_NOS,  &f.BIN_Y,  &f.BIN_M,  &f.BIN_D, &f.KH_KUBUN,
                                 &f.KUBUN,    &f.KYOUKA, &f.NO_KY, &f.BUNRUI, &f.NO_BU,  &f.NAME_D};
    for (const QString* t : required) {
        if (BOX_EMPTY(*t)) {
            ui::MsgBox(kMsgMissing, ui::vbOKOnly, kEntryTitle);
            return false;
        }
    }
    if (taxed && BOX_EMPTY(f.TAX)) {
        ui::MsgBox(kMsgMissing, ui::vbOKOnly, kEntryTitle);
        return false;
    }
    if (!rangesOk({{&f.BY_Y, QStringLiteral("年度"), 0, 32767},
                   {&f.B_NO, QStringLiteral("番号"), 0, 32767},
                   {&f.B_NOS, QStringLiteral("枝番"), 0, 32767},
                   {&f.B_MONY, QStringLiteral("単価"), INT32_MIN, INT32_MAX},
                   {&f.TAX, QStringLiteral("消費税率"), 0, 32767}}))
        return false;
    QDate d;
    DateInput bin = DATE_INPUT(f.DP_WI, BOX_VALUE(f.BIN_Y), BOX_VALUE(f.BIN_M), BOX_VALUE(f.BIN_D), &d);
    if (bin == DateInput::Partial || bin == DateInput::Invalid) {
        warn(kMsgBinDate);
        return false;
    }
    if (BOX_VALUE(f.BOUT_Y) > 0 &&
        DATE_INPUT(f.DP_WO, BOX_VALUE(f.BOUT_Y), BOX_VALUE(f.BOUT_M), BOX_VALUE(f.BOUT_D), &d) != DateInput::Valid) {
        warn(kMsgOutDate);
        return false;
    }
    return true;
}

bool ZEMLO_CHG_DUP_ASK(const ZEMLO_CHG_FORM& f, qint32 idx) {
    if (idx < 0 || idx >= ZEMLO_COUNT) return true;
    const ZEMLO_REC& z = ZEMLO_DATA[idx];
    const qint16 e = static_cast<qint16>(f.DP_W + 3);
    const qint64 y = BOX_VALUE(f.BY_Y), b = BOX_VALUE(f.B_NO), s = BOX_VALUE(f.B_NOS);
    if (z.BY_W == e && z.BY_Y == y && z.B_NO == b && z.B_NOS == s) return true;  // number unchanged
    if (ZEMLO_FIND_NO(e, y, b, s, s, idx) < 0) return true;
    return ui::MsgBox(QStringLiteral("備品番号が重複しています、このまま保存しますか？"), int(ui::vbYesNo) + ui::vbQuestion,
                      kEntryTitle) == ui::vbYes;
}

bool ZEMLO_CHG_SET(const ZEMLO_CHG_FORM& f, qint32 idx, bool wasOut) {
    if (idx < 0 || idx >= ZEMLO_COUNT) return false;
    ZEMLO_REC& z = ZEMLO_DATA[idx];
    const QString oldKubun = z.KUBUN, oldNoBu = z.NO_BU, oldName = z.NAME_D;
    const qint16 oldNoKy = z.NO_KY;
    const qint16 oldW = z.BY_W, oldY = z.BY_Y, oldNo = z.B_NO, oldNos = z.B_NOS;

    z.MOVE_F = static_cast<qint16>((f.OP_MOVE ? 1 : 0) | (f.OP_MOVE2 ? 2 : 0));
    z.MOVE_N = f.MOVE_N.trimmed();
    z.MOVE_N2 = f.MOVE_N2.trimmed();
    z.BY_W = static_cast<qint16>(f.DP_W + 3);
    z.BY_Y = i16(BOX_VALUE(f.BY_Y));
    z.B_NO = i16(BOX_VALUE(f.B_NO));
    z.B_NOS = i16(BOX_VALUE(f.B_NOS));
    if (z.BY_W != oldW || z.BY_Y != oldY || z.B_NO != oldNo || z.B_NOS != oldNos)
        ZEMLO_SORTED = std::min(ZEMLO_SORTED, idx);

    QDate d;
    if (DATE_INPUT(f.DP_WI, BOX_VALUE(f.BIN_Y), BOX_VALUE(f.BIN_M), BOX_VALUE(f.BIN_D), &d) == DateInput::Valid) {
        z.BIN_Y = i16(d.year());
        z.BIN_M = i16(d.month());
        z.BIN_D = i16(d.day());
    } else {
        z.BIN_Y = z.BIN_M = z.BIN_D = 0;
    }
    if (BOX_VALUE(f.BOUT_Y) > 0 &&
        DATE_INPUT(f.DP_WO, BOX_VALUE(f.BOUT_Y), BOX_VALUE(f.BOUT_M), BOX_VALUE(f.BOUT_D), &d) == DateInput::Valid) {
        z.BOUT_Y = i16(d.year());
        z.BOUT_M = i16(d.month());
        z.BOUT_D = i16(d.day());
    } else {
        z.BOUT_Y = z.BOUT_M = z.BOUT_D = 0;
    }

    z.KEIHI = f.KH_KUBUN;
    z.KUBUN = f.KUBUN;
    z.KYOUKA = f.KYOUKA;
    z.NO_KY = i16(BOX_VALUE(f.NO_KY));
    z.BUNRUI = f.BUNRUI;
    z.NO_BU = f.NO_BU.trimmed();
    z.NAME_D = f.NAME_D;
    z.FUNC_D = f.FUNC_TEXT;
    z.FUNC_NO = i16(f.FUNC_D);
    z.TAX_K = i16(f.TAX_K == 3 ? 3 : f.TAX_K == 1 ? 1 : f.TAX_K == 2 ? 2 : 0);
    z.TAX = i16(BOX_VALUE(f.TAX));
    z.B_MONY = static_cast<qint32>(BOX_VALUE(f.B_MONY));
    z.KEEP = f.KEEP.trimmed();
    z.SHOP = f.SHOP.trimmed();
    z.MAKER = f.MAKER.trimmed();
    z.MAKER_NO = f.MAKER_NO.trimmed();
    z.MSG = f.MSG.trimmed();
    z.KUBUN_IDX = f.SEL_KUBUN_IDX;
    qint32 key = 0;
    z.BU_KEY = codeKey(z.NO_BU, &key) ? key : 0;
    const QDate today = clk::today();
    z.CHG_Y = i16(today.year());
    z.CHG_M = i16(today.month());
    z.CHG_D = i16(today.day());

    // The master stamps: the entry of the new key, and of the old one when
    // the key changed. The out count follows the stored out date.
    bool touched = false;
    const QDateTime now = clk::now();
    const bool nowOut = z.BOUT_Y > 0;
    auto findKey = [](const QString& kubun, qint16 noKy, const QString& noBu, const QString& name) -> qint32 {
        for (qint32 i = 0; i < KUBUN_COUNT; ++i) {
            const KUBUN_REC& k = KUBUN_DATA[i];
            if (k.KUBUN == kubun && k.NO_KY == noKy && k.NO_BU == noBu && k.NAME_D == name) return i;
        }
        return -1;
    };
    qint32 m = findKey(z.KUBUN, z.NO_KY, z.NO_BU, z.NAME_D);
    if (m >= 0) {
        KUBUN_REC& k = KUBUN_DATA[m];
        k.CHG_DATE = now;
        if (wasOut && !nowOut && k.OUT_CNT > 0) --k.OUT_CNT;
        if (!wasOut && nowOut) ++k.OUT_CNT;
        touched = true;
    }
    if (z.KUBUN != oldKubun || z.NO_KY != oldNoKy || z.NO_BU != oldNoBu || z.NAME_D != oldName) {
        qint32 o = findKey(oldKubun, oldNoKy, oldNoBu, oldName);
        if (o >= 0) {
            KUBUN_DATA[o].CHG_DATE = now;
            touched = true;
        }
    }
    return touched;
}
