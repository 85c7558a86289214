#include "support/long_text_register.h"

#include "store/category_file.h"
#include "store/link.h"
#include "store/state.h"
#include "support/records.h"

namespace long_text {

const QStringList& itemNames() {
    static const QStringList names{
        QStringLiteral("理科実験用直流電流計（デジタル表示式）型"), QStringLiteral("デジタル顕微鏡（四十倍から千倍電源付き）"),
        QStringLiteral("人体解剖模型（トルソー型八十五センチ）型"), QStringLiteral("電子オルガン（八十八鍵盤タッチ感応付き）"),
        QStringLiteral("移動式書架（スチール製両面六段書棚付き）")};
    return names;
}

const QStringList& expenseTypes() {
    static const QStringList types{KEIHI, QStringLiteral("公費予算"), QStringLiteral("寄贈備品"),
                                   QStringLiteral("算数振興")};
    return types;
}

}  // namespace long_text

namespace {

struct Master {
    qint16 idx, noKy;
    const char16_t *kyouka, *noBu, *bunrui;
    int name;  // in itemNames()
    const char16_t* func;
    qint16 funcNo;
};

// In the master's order: category, subject number, classification code.
const Master kMasters[] = {
    {1, 1, u"事務用品（机・椅子・書架類）", u"K01", u"書架・書庫・保管庫類", 4, u"", 0},
    {2, 3, u"理科第１分野（物理・化学）", u"A01", u"計測器・測定器具類", 0, u"実験", 3},
    {2, 3, u"理科第１分野（物理・化学）", u"A02", u"顕微鏡・観察器具類", 1, u"観察", 3},
    {2, 4, u"理科第２分野（生物・地学）", u"B01", u"模型・標本類", 2, u"実験観察・体験", 3},
    {2, 5, u"音楽（器楽・鑑賞・創作）", u"C01", u"鍵盤楽器類", 3, u"発表", 1},
};

}  // namespace

void buildLongTextRegister(int items, int plans) {
    using namespace long_text;
    SCHOOL_NAME = QStringLiteral("北日本市立第三中学校");
    schoolNames();
    for (int k = 0; k < expenseTypes().size(); ++k) KEIHI_NAMES[size_t(k)] = expenseTypes()[k];
    FUNC_NAME = {QString(), QStringLiteral("発表・表示用教材"), QStringLiteral("道具・実習用具教材"),
                 QStringLiteral("実験観察・体験用教材"), QStringLiteral("情報記録用教材")};
    for (const QString& s : {SHOP, SHOP2, QStringLiteral("北文具店")}) SHOP_LIST[size_t(SHOP_COUNT++)] = s;
    for (const QString& s : {MAKER, QStringLiteral("ヤマノ")}) MAKER_LIST[size_t(MAKER_COUNT++)] = s;
    for (const QString& s : {KEEP, KEEP2, KEEP3, KEEP4}) KEEP_LIST[size_t(KEEP_COUNT++)] = s;

    for (const Master& m : kMasters) {
        KUBUN_REC& k = addMasterEntry(m.idx, m.noKy, QString::fromUtf16(m.kyouka), QString::fromUtf16(m.noBu),
                                      QString::fromUtf16(m.bunrui), itemNames()[m.name]);
        k.FUNC_D = QString::fromUtf16(m.func);
        k.FUNC_NO = m.funcNo;
        k.NAME_NO = KUBUN_COUNT;
    }
    KUBUN_SORTED = KUBUN_COUNT - 1;
    KUBUN_FLAGS = 1;

    const QString places[] = {KEEP, KEEP2, KEEP3, KEEP4};
    const qint16 taxModes[] = {1, 2, 3, 0};
    for (int i = 0; i < items; ++i) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT++)];
        const Master& m = kMasters[(i + 1) % 5];
        placeUnder(z, KUBUN_DATA[size_t((i + 1) % 5)]);
        z.FUNC_D = QString::fromUtf16(m.func);
        z.FUNC_NO = m.funcNo;
        // Long numbers: 令和5-12345-1, -2, -3 in runs of three.
        z.BY_W = 5;
        z.BY_Y = 5;
        z.B_NO = qint16(12345 + i / 3);
        z.B_NOS = qint16(1 + i % 3);
        z.KEIHI = expenseTypes()[i % expenseTypes().size()];
        z.BIN_Y = 2023;
        z.BIN_M = qint16(4 + i / 3 % 9);
        z.BIN_D = 28;
        z.B_MONY = i / 3 % 3 == 0 ? PRICE9 : i / 3 % 3 == 1 ? PRICE9B : PRICE7;
        z.TAX_K = taxModes[i / 3 % 4];
        z.TAX = 10;
        z.SHOP = i % 3 == 1 ? SHOP2 : SHOP;
        z.MAKER = MAKER;
        z.MAKER_NO = MODEL;
        z.KEEP = places[i / 3 % 4];
        const int msg = i % 3;
        // The disposed and relocated records (i % 6 == 5) have remarks of 60 and 80.
        z.MSG = msg == 0 ? MSG100 : msg == 1 ? MSG40 : i % 12 == 5 ? MSG80 : i % 12 == 8 ? QString() : MSG60;
        if (i % 6 == 5) {  // disposed, or relocated, with its place
            z.BOUT_Y = 2024, z.BOUT_M = 3, z.BOUT_D = 31;
            z.MOVE_N2 = REASON;
            z.MOVE_F = qint16(i % 12 == 5 ? 2 : 1);
        }
    }
    if (ZEMLO_COUNT > 0) KUBUN_LINK(2);
    KYOUKA_INDEX_MAKE();

    for (int i = 0; i < plans; ++i) {
        P_ZEMLO_REC& p = P_ZEMLO_DATA[size_t(P_ZEMLO_COUNT++)];
        const Master& m = kMasters[(i + 1) % 5];
        const KUBUN_REC& k = KUBUN_DATA[size_t((i + 1) % 5)];
        p.BY_W = 5, p.BY_Y = 7;
        p.B_COUNT = 15;
        p.COUNT_NOW = qint16(i % 2 ? 12 : 0);
        p.KH_KUBUN = expenseTypes()[i % expenseTypes().size()];
        p.B_MONY = i % 3 == 0 ? PRICE9 : i % 3 == 1 ? PRICE9B : PRICE7;
        p.TAX_K = taxModes[i % 4], p.TAX = 10;
        p.SHOP = i % 3 == 1 ? SHOP2 : SHOP, p.MAKER = MAKER, p.MAKER_NO = MODEL, p.KEEP = places[i % 4];
        p.KUBUN = k.KUBUN, p.KUBUN_IDX = k.KUBUN_IDX, p.NO_KY = k.NO_KY, p.KYOUKA = k.KYOUKA;
        p.NO_BU = k.NO_BU, p.BU_KEY = k.BU_KEY, p.BUNRUI = k.BUNRUI, p.NAME_D = k.NAME_D, p.NAME_NO = k.NAME_NO;
        p.FUNC_D = QString::fromUtf16(m.func), p.FUNC_NO = m.funcNo;
        p.MSG = i % 3 == 0 ? MSG100 : i % 3 == 1 ? MSG40 : i % 6 == 2 ? MSG80 : QString();
    }
}

void addLongExpenseType() {
    using namespace long_text;
    const int k = expenseTypes().size();
    KEIHI_NAMES[size_t(k)] = KEIHI_LONG;
    for (qint32 i = 4; i < ZEMLO_COUNT; i += 5) ZEMLO_DATA[size_t(i)].KEIHI = KEIHI_LONG;
    for (qint32 i = 4; i < P_ZEMLO_COUNT; i += 5) P_ZEMLO_DATA[size_t(i)].KH_KUBUN = KEIHI_LONG;
}
