#pragma once
// A small register for the tests of the link, the sorts and the derived
// lists: category names, helpers that build master entries and items, and a
// round trip through KUBUN.ZMD and ZEMLO.ZMD so that the tables under test
// come from real files.
#include <QDate>
#include <vector>

#include "store/category_file.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/records.h"

class DerivedFixture : public AppFixture {
protected:
    // The category names are set before the tests' member entries are built
    // (their category index depends on them) and again after the reset.
    DerivedFixture() { setCategoryNames(); }
    static void setCategoryNames() {
        KUBUN_NAMES.fill(QString());
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
    }
    void SetUp() override {
        AppFixture::SetUp();
        setCategoryNames();
        KUBUN_ASK_HOOK_SET(nullptr);
    }
    void TearDown() override {
        KUBUN_ASK_HOOK_SET(nullptr);
        AppFixture::TearDown();
    }

    static KUBUN_REC entry(const QString& kubun, int noKy, const QString& kyouka, const QString& noBu,
                           const QString& bunrui, int nameNo, const QString& name, const QString& func = {}) {
        KUBUN_REC k;
        k.KUBUN = kubun;
        k.NO_KY = qint16(noKy);
        k.KYOUKA = kyouka;
        k.NO_BU = noBu;
        k.BUNRUI = bunrui;
        k.NAME_NO = nameNo;
        k.NAME_D = name;
        k.FUNC_D = func;
        k.KUBUN_IDX = KUBUN_IDX_OF(kubun);
        k.BU_KEY = CODE_KEY(noBu);
        k.FUNC_NO = FUNC_NO_OF(func);
        return k;
    }

    // An item of number (era, year, number, branch) under the names of `e`.
    static ZEMLO_REC item(int w, int y, int no, int nos, const KUBUN_REC& e) {
        ZEMLO_REC z;
        z.BY_W = qint16(w);
        z.BY_Y = qint16(y);
        z.B_NO = qint16(no);
        z.B_NOS = qint16(nos);
        z.KEIHI = QStringLiteral("公費");
        z.BIN_Y = 2023;
        z.BIN_M = 5;
        z.BIN_D = 10;
        z.B_MONY = 12000;
        z.TAX_K = 1;
        z.TAX = 10;
        z.SHOP = QStringLiteral("ミレナ教材");
        placeUnder(z, e);
        return z;
    }

    // Writes the master and the items through their savers and loads both
    // back through their loaders. The master header says "sorted" (so the
    // load keeps the given order); the item header carries `sorted` (the
    // record count when negative) and `sortFlag`.
    void store(const std::vector<KUBUN_REC>& master, const std::vector<ZEMLO_REC>& items, qint32 sorted = -1,
               qint16 sortFlag = 1, qint32 kubunFlags = 1) {
        LOADED.KUBUN = LOADED.ZEMLO = true;
        for (size_t i = 0; i < master.size(); ++i) KUBUN_DATA[i] = master[i];
        KUBUN_COUNT = qint32(master.size());
        KUBUN_FLAGS = kubunFlags;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        ASSERT_EQ(KUBUN_SAVE(), 1);
        for (size_t i = 0; i < items.size(); ++i) ZEMLO_DATA[i] = items[i];
        ZEMLO_COUNT = qint32(items.size());
        ZEMLO_SORTED = sorted < 0 ? ZEMLO_COUNT : sorted;
        ZEMLO_SORT_FLAG = sortFlag;
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        load();
    }

    // Empties the tables and loads both files again.
    void load() {
        std::fill(KUBUN_DATA.begin(), KUBUN_DATA.end(), KUBUN_REC{});
        std::fill(ZEMLO_DATA.begin(), ZEMLO_DATA.end(), ZEMLO_REC{});
        KUBUN_COUNT = ZEMLO_COUNT = 0;
        ASSERT_EQ(KUBUN_READ(0), 1);
        ASSERT_EQ(ZEMLO_READ(), 1);
    }

    static int masterIndexOf(const QString& name) {
        for (int k = 0; k < KUBUN_COUNT; ++k)
            if (KUBUN_DATA[k].NAME_D == name) return k;
        return -1;
    }
};
