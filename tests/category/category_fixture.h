#pragma once
// A small register for the category windows' tests: a category master of
// five entries under 管理 and 教材, items and plans filed under them, all
// written to the data folder as a start leaves them.
//
//   0 管理 1 事務  001 机   1 事務机
//   1 教材 1 理科  001 計測 1 上皿てんびん (実験)
//   2 教材 1 理科  001 計測 2 温度計       (実験)
//   3 教材 1 理科  002 観察 1 顕微鏡       (実験)
//   4 教材 2 音楽  K01 鍵盤 1 オルガン     (道具)
//
// Items: two 温度計 (0, 1), one each of 上皿てんびん (2), 顕微鏡 (3),
// オルガン (4) and 事務机 (5). Plans: 温度計 (0), 顕微鏡 (1).
#include <QFile>

#include "platform/sjis.h"
#include "shell/start_fixture.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/plans_file.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"
#include "support/records.h"

namespace category_test {

inline void setNames() {
    KUBUN_NAMES[0] = QStringLiteral("管理");
    KUBUN_NAMES[1] = QStringLiteral("教材");
    KUBUN_LEVEL_NAME = {QStringLiteral("分類･教科"), QStringLiteral("区分･分類")};
}

// Appends a master entry; returns its index.
inline int entry(const QString& kubun, qint16 noKy, const QString& kyouka, const QString& code, const QString& bunrui,
                 qint32 serial, const QString& name, const QString& func) {
    KUBUN_REC& k = KUBUN_DATA[KUBUN_COUNT];
    k = KUBUN_REC{};
    k.KUBUN = kubun;
    k.KUBUN_IDX = KUBUN_IDX_OF(kubun);
    k.NO_KY = noKy;
    k.KYOUKA = kyouka;
    k.NO_BU = code;
    k.BU_KEY = CODE_KEY(code);
    k.BUNRUI = bunrui;
    k.NAME_NO = serial;
    k.NAME_D = name;
    k.FUNC_D = func;
    k.FUNC_NO = FUNC_NO_OF(func);
    return KUBUN_COUNT++;
}

// Appends an item with the next number; returns its index.
inline int rawItem(const QString& kubun, qint16 noKy, const QString& kyouka, const QString& code,
                   const QString& bunrui, const QString& name) {
    const int i = ZEMLO_COUNT++;
    ZEMLO_REC& z = ZEMLO_DATA[i];
    z = ZEMLO_REC{};
    z.BY_W = 5;
    z.BY_Y = 6;
    z.B_NO = qint16(i + 1);
    z.B_NOS = 1;
    z.KEIHI = QStringLiteral("教材");
    z.BIN_Y = 2024, z.BIN_M = 5, z.BIN_D = 1;
    z.B_MONY = 1000;
    z.TAX_K = 3;
    z.KUBUN = kubun;
    z.KUBUN_IDX = KUBUN_IDX_OF(kubun);
    z.NO_KY = noKy;
    z.KYOUKA = kyouka;
    z.NO_BU = code;
    z.BU_KEY = CODE_KEY(code);
    z.BUNRUI = bunrui;
    z.NAME_D = name;
    return i;
}

// Appends an item filed under master entry `m`.
inline int item(int m) {
    const KUBUN_REC& k = KUBUN_DATA[m];
    const int i = rawItem(k.KUBUN, k.NO_KY, k.KYOUKA, k.NO_BU, k.BUNRUI, k.NAME_D);
    placeUnder(ZEMLO_DATA[i], k);
    ZEMLO_DATA[i].NAME_NO = qint16(k.NAME_NO);
    ZEMLO_DATA[i].FUNC_D = k.FUNC_D;
    ZEMLO_DATA[i].FUNC_NO = k.FUNC_NO;
    return i;
}

// Appends a plan for master entry `m`.
inline int plan(int m) {
    const KUBUN_REC& k = KUBUN_DATA[m];
    const int i = P_ZEMLO_COUNT++;
    P_ZEMLO_REC& p = P_ZEMLO_DATA[i];
    p = P_ZEMLO_REC{};
    p.BY_W = 5;
    p.BY_Y = 7;
    p.B_COUNT = 1;
    p.KH_KUBUN = QStringLiteral("教材");
    p.B_MONY = 5000;
    p.TAX_K = 3;
    p.KUBUN = k.KUBUN;
    p.KUBUN_IDX = k.KUBUN_IDX;
    p.NO_KY = k.NO_KY;
    p.KYOUKA = k.KYOUKA;
    p.NO_BU = k.NO_BU;
    p.BU_KEY = k.BU_KEY;
    p.BUNRUI = k.BUNRUI;
    p.NAME_D = k.NAME_D;
    p.NAME_NO = k.NAME_NO;
    return i;
}

// The master, items and plans of the header comment, in memory.
inline void standardRegister() {
    setNames();
    const QString kanri = QStringLiteral("管理"), kyozai = QStringLiteral("教材"), rika = QStringLiteral("理科");
    const QString jikken = QStringLiteral("実験");
    entry(kanri, 1, QStringLiteral("事務"), QStringLiteral("001"), QStringLiteral("机"), 1, QStringLiteral("事務机"), QString());
    entry(kyozai, 1, rika, QStringLiteral("001"), QStringLiteral("計測"), 1, QStringLiteral("上皿てんびん"), jikken);
    entry(kyozai, 1, rika, QStringLiteral("001"), QStringLiteral("計測"), 2, QStringLiteral("温度計"), jikken);
    entry(kyozai, 1, rika, QStringLiteral("002"), QStringLiteral("観察"), 1, QStringLiteral("顕微鏡"), jikken);
    entry(kyozai, 2, QStringLiteral("音楽"), QStringLiteral("K01"), QStringLiteral("鍵盤"), 1, QStringLiteral("オルガン"),
          QStringLiteral("道具"));
    for (int m : {2, 2, 1, 3, 4, 0}) item(m);
    plan(2);
    plan(3);
}

// Writes the three tables as a start leaves them: the master sorted and
// every table loaded in this run.
inline void saveAll() {
    LOADED.KUBUN = LOADED.ZEMLO = LOADED.P_ZEMLO = true;
    KUBUN_FLAGS = 1;
    KUBUN_SORTED = KUBUN_COUNT - 1;
    KYOUKA_INDEX_MAKE();
    ZEMLO_SORTED = ZEMLO_COUNT;
    ASSERT_EQ(KUBUN_SAVE(), 1);
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
}

// The master index of an entry by its item name; -1.
inline int entryNamed(const QString& name) {
    for (int i = 0; i < KUBUN_COUNT; ++i)
        if (KUBUN_DATA[i].NAME_D == name) return i;
    return -1;
}

// Lines of a data file as text.
inline QStringList lines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString t = sjis::decode(f.readAll());
    QStringList out = t.split(QStringLiteral("\r\n"));
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
}

}  // namespace category_test

class CategoryFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        category_test::standardRegister();
        category_test::saveAll();
    }
};

// The program started as main() starts it, over the standard register on
// disk (with whatever `more` adds to it before it is written).
class CategoryFromStart : public StartFixture {
protected:
    void TearDown() override {
        KUBUN_ASK_HOOK_SET(nullptr);
        StartFixture::TearDown();
    }
    void startOver(const std::function<void()>& more = {}) {
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        SCHOOL_CODE = 1234;
        category_test::standardRegister();
        if (more) more();
        ASSERT_EQ(ENV_SAVE(), 1);
        category_test::saveAll();
        const QString prg = PRG_DIR, data = DATA_DIR;
        STATE_RESET();
        PRG_DIR = prg;
        DATA_DIR = data;
        ASSERT_TRUE(start());
    }
};
